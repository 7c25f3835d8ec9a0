#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/grid/line_grid.h"

#include <QPointer>

namespace orbsales {

class Recordset;

// A customer's order: Sales_Order_Master and one Sales_Order_Detail row per grid line. Saved
// under a temporary number, processed to its final number, which raises the items' ordered
// quantities. Works on the caller's open connection (AdoConnectionObject) without a
// transaction of its own; reading goes through ADOConnectionString.
class SalesOrder : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.SalesOrder")
    Q_CLASSINFO("Interface", "_SalesOrder")

    ORB_PROPERTY(QString, SalesOrdNo)
    ORB_PROPERTY(qint32, SalesOrdIdentity)
    ORB_PROPERTY(QString, CompanyPrefix)
    ORB_PROPERTY(QString, BranchPrefix)
    ORB_PROPERTY(QString, DocumentPrefix)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, CustomerName)
    ORB_DATE_PROPERTY(SalesOrdDate)
    ORB_DATE_PROPERTY(DeliveryDate)
    ORB_PROPERTY(QString, CustomerPONo)
    ORB_DATE_PROPERTY(CustomerPODate)
    ORB_PROPERTY(QString, SalesQuotNo)
    ORB_PROPERTY(QString, PaymentTerms)
    ORB_PROPERTY(QString, PaymentType)
    ORB_PROPERTY(QString, SalesOrdComments)
    ORB_PROPERTY(double, SalesOrdSubTotal)
    ORB_PROPERTY(double, SalesOrdDiscPercent)
    ORB_PROPERTY(double, SalesOrdDiscAmount)
    ORB_PROPERTY(double, SalesOrdTotalAmount)
    ORB_PROPERTY(double, SalesOrdFCSubTotal)
    ORB_PROPERTY(double, SalesOrdFCDiscAmount)
    ORB_PROPERTY(double, SalesOrdFCTotalAmount)
    ORB_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_PROPERTY(double, ExchangeRate)
    ORB_PROPERTY(QString, CurrencyCode)
    ORB_PROPERTY(QString, CurrencySymbol)
    ORB_PROPERTY(bool, CancelFlag)
    ORB_PROPERTY(bool, AllowCancelFlag)
    ORB_PROPERTY(bool, ProcessFlag)
    ORB_PROPERTY(bool, PaidFlag)
    ORB_PROPERTY(bool, DeliveredFlag)
    ORB_PROPERTY(bool, InvoicedFlag)
    ORB_PROPERTY(bool, FulFilledFlag)
    ORB_PROPERTY(bool, YearEndFlag)
    ORB_PROPERTY(qint32, LocationID)
    ORB_PROPERTY(QString, LocationName)
    ORB_PROPERTY(QString, EmployeeID)
    ORB_PROPERTY(QString, EmployeeName)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(bool, DocManualFlag)
    ORB_PROPERTY(double, DocIdentity)
    ORB_PROPERTY(bool, OnlineFlag)
    ORB_PROPERTY(bool, SyncFlag)
    ORB_PROPERTY(double, AmtDig)
    ORB_PROPERTY(QString, DeliveryPrefix)
    ORB_PROPERTY(QString, CashMemoPrefix)
    ORB_PROPERTY(QString, InvoicePrefix)
    ORB_PROPERTY(QString, StockMovementPrefix)
    ORB_PROPERTY(QString, SalesLogPrefix)
    ORB_PROPERTY(QString, ADOConnectionString)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
    Q_PROPERTY(orbsales::Connection *AdoConnectionObject READ AdoConnectionObject WRITE setAdoConnectionObject)
    Q_PROPERTY(orbsales::LineGrid *OrderGridName READ OrderGridName WRITE setOrderGridName)

public:
    explicit SalesOrder(QObject *parent = nullptr);

    QString ErrDesc() const { return errorText(); }
    Connection *AdoConnectionObject() const { return m_adoConnection.get(); }
    void setAdoConnectionObject(Connection *connection) { m_adoConnection.set(connection); }
    LineGrid *OrderGridName() const { return m_grid; }
    void setOrderGridName(LineGrid *grid) { m_grid = grid; }

    Q_INVOKABLE bool Create_Order();
    Q_INVOKABLE bool Update_Order();
    Q_INVOKABLE bool Get_Order();
    Q_INVOKABLE bool Cancel_Order();
    Q_INVOKABLE bool Process_Order();
    Q_INVOKABLE bool Update_Item_SORDQty(const QString &strType);
    Q_INVOKABLE bool GenerateDefaults();

    // The conversions of a processed order into a delivery, a cash memo, or an invoice of the
    // delivery converted last on this object; each copies every order line in full.
    Q_INVOKABLE bool Process_Delivery(const QString &strType, bool pCashMemoSelected);
    Q_INVOKABLE bool Process_Delivery(const QString &strType);
    Q_INVOKABLE bool Create_Delivery_Detail(const QString &strDelNo);
    Q_INVOKABLE bool Process_CashMemo(const QString &strType, bool pDelivered);
    Q_INVOKABLE bool Create_CashMemo_Detail(const QString &strCMNo, bool pDelivered);
    Q_INVOKABLE bool Process_Invoice(const QString &strType);
    Q_INVOKABLE bool Create_Invoice_Detail(const QString &strInvNo);

private:
    bool Validate_Order();
    bool Save_Order_Master();
    bool Save_Order_Detail();
    bool Load_Order_Detail();
    bool Mark_Quotation_Processed(const QString &quotationNo);
    // What every converted document is handed besides the mapped header: the order's
    // connection, connection string, rounding and processing mode.
    template <typename Document> void handOver(Document &document) const;

    Connection &connection() const { return m_adoConnection.required(); }
    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }
    void loadMaster(Recordset &master);
    void saveLine(Recordset &detail, const class GridRow &line);
    void renumber(Recordset &master, Recordset &lines, const DocumentIdentity &identity);
    void releaseQuotation();

    ConnectionProperty m_adoConnection;
    QPointer<LineGrid> m_grid;
    bool m_loadingForProcessing = false; // set by Process_Order, never reset
    // The delivery Process_Delivery made last on this object, which Process_Invoice bills.
    QString m_lastDeliveryNo;
    QString m_lastDeliveryDate; // as the invoice lines keep it
};

} // namespace orbsales
