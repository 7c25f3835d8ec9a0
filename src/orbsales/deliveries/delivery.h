#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/numbering/document_number.h"

#include <QPointer>

namespace orbsales {

class GridRow;
class Recordset;
struct DeliverySource;

// A delivery note: goods handed over against a sales order or a cash memo (the source). The
// source's open lines load into the grid, the ticked lines are saved under a temporary number
// (Delivery_Master and one Delivery_Detail row per line) and processing gives the final
// number, raises the delivered quantities of the source and posts stock and cost of goods.
// Works on the caller's open connection (AdoDBConnectionObject); the loaders read through
// ADOConnectionString. Nothing runs in a transaction: a failing step leaves earlier ones written.
class Delivery : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.Delivery")
    Q_CLASSINFO("Interface", "_Delivery")

    ORB_PROPERTY(double, AmtDig)
    ORB_PROPERTY(bool, DocManualFlag)
    ORB_PROPERTY(double, ManualDeliveryIdentity)
    ORB_PROPERTY(QString, DeliveryRefNo)
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
    ORB_PROPERTY(QString, DeliveryNo)
    ORB_DATE_PROPERTY(DeliveryDate)
    ORB_DATE_PROPERTY(DeliveryEndDate)
    ORB_PROPERTY(QString, PaymentTerms)
    ORB_PROPERTY(QString, PaymentType)
    ORB_PROPERTY(QString, SourceNo)
    ORB_PROPERTY(QString, SourcePrefix)
    ORB_DATE_PROPERTY(SourceDate)
    ORB_PROPERTY(bool, InvoicedFlag)
    ORB_PROPERTY(double, DeliverySubtotal)
    ORB_PROPERTY(double, DeliveryFCSubtotal)
    ORB_PROPERTY(double, DeliveryDiscAmount)
    ORB_PROPERTY(double, DeliveryFCDiscAmount)
    ORB_PROPERTY(double, DeliveryTotalAmount)
    ORB_PROPERTY(double, DeliveryFCTotalAmount)
    ORB_PROPERTY(QString, DeliveryComments)
    ORB_PROPERTY(qint32, LocationID)
    ORB_PROPERTY(QString, LocationName)
    Q_PROPERTY(orbsales::Connection *AdoDBConnectionObject READ AdoDBConnectionObject WRITE setAdoDBConnectionObject)
    Q_PROPERTY(orbsales::LineGrid *DeliveryGridName READ DeliveryGridName WRITE setDeliveryGridName)
    ORB_PROPERTY(QString, SalesLogPrefix)
    ORB_PROPERTY(QString, StockMovementPrefix)
    ORB_PROPERTY(qint32, DeliveryIdentity)
    ORB_PROPERTY(QString, SourceName)
    ORB_DATE_PROPERTY(LastUpdate)

public:
    explicit Delivery(QObject *parent = nullptr);
    ~Delivery() override;

    QString ErrDesc() const { return errorText(); }
    Connection *AdoDBConnectionObject() const { return m_connection.get(); }
    void setAdoDBConnectionObject(Connection *connection) { m_connection.set(connection); }
    LineGrid *DeliveryGridName() const { return m_grid; }
    void setDeliveryGridName(LineGrid *grid) { m_grid = grid; }

    Q_INVOKABLE bool Get_Order_Details();
    Q_INVOKABLE bool Get_CashMemo_Details();
    // Save_Detail_Flag is optional and True when left out; False saves the master row only.
    Q_INVOKABLE bool Create_Delivery(bool &Save_Detail_Flag);
    Q_INVOKABLE bool Create_Delivery();
    Q_INVOKABLE bool Create_Delivery_Master();
    // No error trap of its own: an unexpected error reaches the caller.
    Q_INVOKABLE bool Validation();
    Q_INVOKABLE bool Update_Sales_Order();
    Q_INVOKABLE bool Update_Cash_Memo();
    // No error trap of its own: an unexpected error between its steps reaches the caller.
    Q_INVOKABLE bool Update_Delivery();
    // strFrom: "SalesOrder" (any letter case) for an order, any other text for a cash memo.
    Q_INVOKABLE bool Process_Delivery(QString &strFrom);
    Q_INVOKABLE bool Get_Delivery();

private:
    bool Save_Delivery_Detail();
    bool Update_Order_Delivered_Qty();
    bool Update_CashMemo_Delivered_Qty();
    bool Save_Stock_Movement();
    bool Post_Delivery_Ledger();
    bool Post_Project_Transactions();
    bool Save_Last_Selling_Prices();
    bool Update_Location_Stock();

    // The steps the sales order and the cash memo share, on the source's own tables.
    bool loadSource(const DeliverySource &source);
    bool markSource(const DeliverySource &source);
    bool raiseSourceQuantities(const DeliverySource &source);

    Connection &connection() const { return m_connection.required(); }
    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }
    // LastUpdate as the delivery writes it everywhere: its "dd/MMM/yyyy" text.
    QString stamp() const;
    void saveLine(Recordset &detail, const GridRow &line);
    void loadMaster(Recordset &master);
    bool renumber(Recordset &master, qint32 identity);
    bool postLines();
    // The delivery's lines joined with the item master (item type and base quantity).
    void openItemLines(Recordset &lines);

    ConnectionProperty m_connection{ConnectionProperty::Start::OwnObject}; // made unopened with the object
    QPointer<LineGrid> m_grid;
    QString m_currencyName; // found by processing, converted into by the ledger step
};

} // namespace orbsales
