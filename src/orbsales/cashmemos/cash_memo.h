#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/numbering/document_number.h"

#include <QPointer>
#include <map>

namespace orbsales {

class GridRow;
class Recordset;
class DocumentIdentity;
namespace posting {
struct DocumentRef;
}

// A sale paid at once: in cash, by cheque or by credit card, made directly or from a sales
// order, a delivery or a direct delivery; a point-of-sale memo (ReferencePrefix "POS") also
// takes returned goods back as lines of negative quantity. Cash_Memo_Master and one
// Cash_Memo_Detail row per grid line, saved under a temporary number on the caller's open
// connection (AdoDBConnectionObject), without a transaction of its own; processing gives the
// final number and posts the sale.
class CashMemo : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.CashMemo")
    Q_CLASSINFO("Interface", "_CashMemo")

    ORB_PROPERTY(double, AmtDig)
    ORB_PROPERTY(bool, DocFlag)
    ORB_PROPERTY(double, manualDocIdentity)
    ORB_PROPERTY(double, ExchangeRate)
    ORB_PROPERTY(qint32, LocationCode)
    ORB_PROPERTY(QString, LocationName)
    ORB_PROPERTY(bool, OnlineFlag)
    ORB_PROPERTY(bool, SyncFlag)
    ORB_PROPERTY(QString, StockMovementPrefix)
    ORB_PROPERTY(QString, SalesLogPrefix)
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
    ORB_PROPERTY(QString, PaymentTerms)
    ORB_PROPERTY(QString, PaymentType)
    Q_PROPERTY(orbsales::Connection *AdoDBConnectionObject READ AdoDBConnectionObject WRITE setAdoDBConnectionObject)
    ORB_PROPERTY(QString, CashMemoNo)
    ORB_DATE_PROPERTY(CashMemoDate)
    ORB_DATE_PROPERTY(CashMemoEndDate)
    ORB_PROPERTY(qint32, CashMemoIdentity)
    ORB_PROPERTY(double, CashMemoSubTotal)
    ORB_PROPERTY(double, CashMemoDiscPercent)
    ORB_PROPERTY(double, CashMemoDiscAmount)
    ORB_PROPERTY(double, CashMemoFCSubTotal)
    ORB_PROPERTY(double, CashMemoFcDiscAmount)
    ORB_PROPERTY(double, CashMemoTotalAmount)
    Q_PROPERTY(orbsales::LineGrid *CMGridName READ CMGridName WRITE setCMGridName)
    ORB_PROPERTY(QString, ReferenceNo)
    ORB_PROPERTY(QString, CashMemoComments)
    ORB_PROPERTY(double, CashMemoFCTotalAmount)
    ORB_PROPERTY(QString, ReferencePrefix)
    ORB_PROPERTY(QString, ChequeNo)
    ORB_PROPERTY(QString, ChequeBank)
    ORB_DATE_PROPERTY(ChequeDate)
    ORB_PROPERTY(QString, CreditCardCode)
    ORB_PROPERTY(QString, CreditCardName)
    ORB_PROPERTY(QString, CreditCardNo)
    ORB_PROPERTY(QString, Status)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(QString, ReferenceDocumentName)
    ORB_PROPERTY(QString, Database)

public:
    explicit CashMemo(QObject *parent = nullptr);

    QString ErrDesc() const { return errorText(); }
    Connection *AdoDBConnectionObject() const { return m_adoConnection.get(); }
    void setAdoDBConnectionObject(Connection *connection) { m_adoConnection.set(connection); }
    LineGrid *CMGridName() const { return m_grid; }
    void setCMGridName(LineGrid *grid) { m_grid = grid; }

    // The source loaders fill the properties and the grid from a sales order, a delivery or a
    // direct delivery (ReferenceNo).
    Q_INVOKABLE bool Get_Order_Details();
    Q_INVOKABLE bool Get_Delivery_Details();
    Q_INVOKABLE bool Get_Direct_Delivery_Details();
    Q_INVOKABLE bool Validation();
    // Save_Detail_Flag False saves the master row only (a caller that writes the lines itself).
    Q_INVOKABLE bool Create_CashMemo(bool &Save_Detail_Flag);
    Q_INVOKABLE bool Create_CashMemo();
    Q_INVOKABLE bool Update_CashMemo();
    Q_INVOKABLE bool Get_CashMemo();
    Q_INVOKABLE bool Cancel_CashMemo();
    Q_INVOKABLE bool Process_CashMemo();
    Q_INVOKABLE bool Process();
    Q_INVOKABLE bool Cheque_Process();
    Q_INVOKABLE bool Update_Source_Document();
    Q_INVOKABLE bool POS_Return_Cash_Posting();

private:
    struct SourceKind;
    // What the stock step moved for one line: base quantity and value, for its stock movement.
    struct StockMoved {
        double baseQuantity = 0;
        double value = 0;
        int itemType = 0;
    };

    bool Save_CashMemo_Master();
    bool Save_CashMemo_Detail();
    bool Load_CashMemo_Detail();
    bool loadSource(const SourceKind &source);

    // Processing, in the order it runs.
    bool renumber(Recordset &master, const DocumentIdentity &identity);
    bool finishNumber(DocumentIdentity &identity);
    bool Save_CashMemo_Sales_Log(Recordset &line);
    bool Post_CashMemo_Sales_Line(Recordset &line);
    bool Reduce_POS_Stock();
    bool Save_POS_Stock_Movement();
    bool Post_POS_Inventory();
    bool Update_POS_Location_Stock();
    bool Post_CashMemo_Discount();
    bool Post_CashMemo_Cash();
    bool Post_CashMemo_Receivable();
    bool Post_CashMemo_Projects();
    bool Reduce_CashMemo_Stock();
    // `value` negative: goods coming back.
    bool Post_CashMemo_Inventory_Line(const QString &itemCode, double value, bool freeOfCharge);
    bool Save_CashMemo_Stock_Movement();

    Connection &connection() const { return m_adoConnection.required(); }
    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }
    posting::DocumentRef documentRef() const;
    bool isPointOfSale() const;
    QString paymentKind() const; // PaymentType trimmed, in upper case
    double rounded(double value) const;
    void loadMaster(Recordset &master);
    void saveLine(Recordset &detail, const GridRow &line);
    // The refund of the returned lines of a point-of-sale memo, home and foreign.
    std::pair<double, double> refunds();
    bool stockMovements(bool pointOfSale);

    ConnectionProperty m_adoConnection{ConnectionProperty::Start::OwnObject};
    QPointer<LineGrid> m_grid;
    bool m_headerOnly = false; // set by processing, never cleared
    // Working figures of one processing run.
    double m_discountTotal = 0;
    double m_fcDiscountTotal = 0;
    std::map<qint32, StockMoved> m_stockMoved; // by the line's SL_No
};

} // namespace orbsales
