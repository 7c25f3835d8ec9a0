#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/numbering/document_number.h"

#include <QPointer>

namespace orbsales {

class General;
class GridRow;
class Recordset;

// A direct delivery: goods delivered without an order or a cash memo, prices and discounts
// entered on the delivery itself. Saved under a temporary number (Direct_Delivery_Master and
// one Direct_Delivery_Detail row per grid line), loaded back with its lines, and processed to
// its final number with stock, cost of goods, location stock, project revenue and the
// customer's last prices. The saves work on the caller's open connection
// (AdoDBConnectionObject), the loading on ADOConnectionString; nothing is undone on failure.
class DirectDelivery : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.DirectDelivery")
    Q_CLASSINFO("Interface", "_DirectDelivery")

    ORB_PROPERTY(double, AmtDig)
    ORB_PROPERTY(bool, DocFlag)
    ORB_PROPERTY(double, manualDocIdentity)
    ORB_PROPERTY(QString, CustomerAddressCode)
    ORB_PROPERTY(double, ExchangeRate)
    ORB_PROPERTY(QString, Database)
    ORB_PROPERTY(bool, OnlineFlag)
    ORB_PROPERTY(bool, SyncFlag)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
    ORB_PROPERTY(QString, ADOConnectionString)
    ORB_PROPERTY(QString, CompanyPrefix)
    ORB_PROPERTY(QString, BranchPrefix)
    ORB_PROPERTY(QString, DocumentPrefix)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, CustomerName)
    ORB_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_PROPERTY(QString, CurrencyCode)
    ORB_PROPERTY(QString, CurrencySymbol)
    ORB_PROPERTY(bool, CancelFlag)
    ORB_PROPERTY(bool, AllowCancelFlag)
    ORB_PROPERTY(QString, EmployeeID)
    ORB_PROPERTY(QString, EmployeeName)
    ORB_PROPERTY(bool, YearEndFlag)
    ORB_PROPERTY(bool, ProcessFlag)
    ORB_PROPERTY(bool, PaidFlag)
    ORB_PROPERTY(QString, DirectDeliveryNo)
    ORB_DATE_PROPERTY(DirectDeliveryDate)
    ORB_DATE_PROPERTY(DirectDeliveryEndDate)
    ORB_PROPERTY(QString, PaymentTerms)
    ORB_PROPERTY(QString, PaymentType)
    ORB_PROPERTY(bool, InvoicedFlag)
    ORB_PROPERTY(double, DirectDeliverySubtotal)
    ORB_PROPERTY(double, DirectDeliveryFCSubtotal)
    ORB_PROPERTY(double, DirectDeliveryDiscAmount)
    ORB_PROPERTY(double, DirectDeliveryFCDiscAmount)
    ORB_PROPERTY(double, DirectDeliveryDiscPercent)
    ORB_PROPERTY(double, DirectDeliveryTotalAmount)
    ORB_PROPERTY(double, DirectDeliveryFCTotalAmount)
    ORB_PROPERTY(QString, DirectDeliveryComments)
    ORB_PROPERTY(qint32, LocationID)
    ORB_PROPERTY(QString, LocationName)
    Q_PROPERTY(orbsales::Connection *AdoDBConnectionObject READ AdoDBConnectionObject WRITE setAdoDBConnectionObject)
    Q_PROPERTY(orbsales::LineGrid *DeliveryGridName READ DeliveryGridName WRITE setDeliveryGridName)
    ORB_PROPERTY(QString, SalesLogPrefix)
    ORB_PROPERTY(QString, StockMovementPrefix)
    ORB_PROPERTY(qint32, DirectDeliveryIdentity)
    ORB_DATE_PROPERTY(LastUpdate)

public:
    explicit DirectDelivery(QObject *parent = nullptr);
    ~DirectDelivery() override;

    QString ErrDesc() const { return errorText(); }
    Connection *AdoDBConnectionObject() const { return m_connection.get(); }
    void setAdoDBConnectionObject(Connection *connection) { m_connection.set(connection); }
    LineGrid *DeliveryGridName() const { return m_grid; }
    void setDeliveryGridName(LineGrid *grid) { m_grid = grid; }

    Q_INVOKABLE bool Validation();
    Q_INVOKABLE bool Create_Direct_Delivery();
    Q_INVOKABLE bool Create_Direct_Delivery_Master();
    Q_INVOKABLE bool Update_Direct_Delivery();
    Q_INVOKABLE bool Get_Direct_Delivery();
    Q_INVOKABLE bool Process_Direct_Delivery();

private:
    bool Save_Direct_Delivery_Detail();
    bool Load_Direct_Delivery_Detail();
    bool Post_Item_Ledger(const QString &itemCode, bool freeOfCost, double value);
    bool Post_Stock_Movement(Recordset &line, double value, double baseQuantity);
    bool Save_Last_Selling_Prices();
    bool Post_Project_Revenue();

    Connection &connection() const { return m_connection.required(); }
    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }
    void saveLine(Recordset &detail, const GridRow &line);
    void loadMaster(Recordset &master);
    void loadLine(LineGrid &cells, int row, Recordset &line);
    void colourLocation(LineGrid &cells, int row);
    void renumber(Recordset &master, qint32 identity);
    // Stock out, location, cost and movement of one line; false stops the processing.
    bool postStockLine(General &general, Recordset &line, bool assemblyPosted);

    ConnectionProperty m_connection; // the caller's; nothing is made at construction
    QPointer<LineGrid> m_grid;
    bool m_loadingForProcessing = false; // set by Process_Direct_Delivery, never reset
};

} // namespace orbsales
