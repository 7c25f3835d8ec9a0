#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/numbering/document_number.h"

#include <QPointer>
#include <optional>

namespace orbsales {

class Recordset;
namespace posting {
struct DocumentRef;
}

// A credit sales invoice over a customer's processed deliveries and direct deliveries:
// Sales_Invoice_Master and one Sales_Invoice_Detail row per ticked grid line, each line
// remembering the delivery line it bills. Saved under a temporary number on the caller's open
// connection (AdoDBConnectionObject); processing gives the final number, raises the invoiced
// quantities of the deliveries and posts the sales log, the sales lines, the discount and the
// customer's receivable; cancelling takes all of it back. No transaction of its own.
class SalesInvoice : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.SalesInvoice")
    Q_CLASSINFO("Interface", "_SalesInvoice")
    Q_CLASSINFO("WriteOnly", "manualDocIdentity")

    ORB_PROPERTY(double, AmtDig)
    // One identity under two names: read as ManualDocIdentiy, assigned as manualDocIdentity.
    Q_PROPERTY(double ManualDocIdentiy READ ManualDocIdentiy)
    Q_PROPERTY(double manualDocIdentity READ ManualDocIdentiy WRITE setmanualDocIdentity)
    ORB_PROPERTY(bool, ManualDocFlag)
    ORB_PROPERTY(QString, InvoiceRefNo)
    ORB_PROPERTY(double, ExchangeRate)
    // Held as a number: assigning text that is not a number is a "Type mismatch".
    Q_PROPERTY(QString ProjNo READ ProjNo WRITE setProjNo)
    ORB_PROPERTY(bool, OnlineFlag)
    ORB_PROPERTY(bool, SyncFlag)
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
    Q_PROPERTY(orbsales::LineGrid *InvoiceGridName READ InvoiceGridName WRITE setInvoiceGridName)
    ORB_PROPERTY(QString, SalesInvNo)
    ORB_DATE_PROPERTY(SalesInvDate)
    ORB_DATE_PROPERTY(SalesInvEndDate)
    ORB_PROPERTY(qint32, SalesInvIdentity)
    ORB_PROPERTY(double, SalesInvSubtotal)
    ORB_PROPERTY(double, SalesInvFCsubtotal)
    ORB_PROPERTY(double, SalesInvDiscPercent)
    ORB_PROPERTY(double, SalesInvDiscAmount)
    ORB_PROPERTY(double, SalesInvFCDiscAmount)
    ORB_PROPERTY(double, SalesInvTotalAmount)
    ORB_PROPERTY(double, SalesInvFCTotalAmount)
    ORB_PROPERTY(QString, SalesInvComments)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(QString, Database)

public:
    explicit SalesInvoice(QObject *parent = nullptr);
    ~SalesInvoice() override;

    double ManualDocIdentiy() const { return m_manualDocIdentity; }
    void setmanualDocIdentity(double value) { m_manualDocIdentity = value; }
    QString ProjNo() const;
    void setProjNo(const QString &value);
    QString ErrDesc() const { return errorText(); }
    Connection *AdoDBConnectionObject() const { return m_adoConnection.get(); }
    void setAdoDBConnectionObject(Connection *connection) { m_adoConnection.set(connection); }
    LineGrid *InvoiceGridName() const { return m_grid; }
    void setInvoiceGridName(LineGrid *grid) { m_grid = grid; }

    Q_INVOKABLE bool Get_Delivery_Details(bool &PAll_Branch_Flag);
    Q_INVOKABLE bool Get_Delivery_Details();
    Q_INVOKABLE bool Create_Sales_Invoice(bool &Save_Detail_Flag);
    Q_INVOKABLE bool Create_Sales_Invoice();
    // No error trap of its own: an error between its steps reaches the caller.
    Q_INVOKABLE bool Update_Sales_Invoice();
    Q_INVOKABLE bool Get_Invoice();
    // No error trap of their own: the private procedures catch their errors, the operation's
    // own steps let theirs reach the caller.
    Q_INVOKABLE bool Process_Invoice();
    Q_INVOKABLE bool Cancel_Invoice();
    Q_INVOKABLE bool Process_Invoice123();
    // One column of one row as text, "" when there is none. An error is notified (information
    // icon) and answers "", ErrDesc untouched.
    Q_INVOKABLE QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                    const QString &WhereFldValue, bool &WhereFldNumYN,
                                    const QString &SecondWhereFldName = QString(),
                                    const QString &SecondWhereFldValue = QString(), bool SecdWhereFldNumYN = false);
    Q_INVOKABLE QString GetFldValue(const QString &TblName, const QString &fldName,
                                    const QString &WhereFldName = QString(), const QString &WhereFldValue = QString());

private:
    // Which of the two processing operations runs: they share the frame and differ in numbering,
    // accounts and amounts.
    enum class Variant { Standard, Plain };
    struct DiscountTotals {
        double home = 0;
        double foreign = 0;
    };

    bool Validate_Invoice();
    bool Save_Invoice_Master();
    bool Save_Invoice_Detail();
    bool Get_Invoice_Detail();
    bool Update_Delivery_Invoiced_Qty(qint32 SL_No);
    bool Update_DirectDelivery_Invoiced_Qty(qint32 SL_No);
    bool Save_Sales_Log(Recordset &line);
    bool Post_Sales_Line(Recordset &line);
    bool Post_Discount();
    bool Post_Receivable();
    bool Reverse_Delivery_Invoiced_Qty(Recordset &line);
    bool Reverse_DirectDelivery_Invoiced_Qty(Recordset &line);

    // The processing frame both variants walk.
    bool processInvoice(Variant variant);
    bool reloadHeader();
    bool renumber(Recordset &master, Variant variant, const QString &finalNo, qint32 identity);
    bool processLines(Variant variant, bool updatesSource, bool posts);
    bool updateInvoicedQty(qint32 serial, bool direct);
    // The plain variant's sales log and sales line, written in its own steps.
    bool logSalePlainly(Recordset &line);
    bool postSalesLinePlainly(Recordset &line);
    bool postSalesCredit(const QString &account, const QString &description, double credit, double fcCredit,
                         double chartAmount);
    bool reverseInvoicedQty(Recordset &line, bool direct);

    void loadMaster(Recordset &master);
    void writeDeliveryLine(Recordset &lines, int row, bool reinvoicingOn);
    void writeInvoiceLine(Recordset &lines, int row);
    void saveLine(Recordset &detail, const class GridRow &line);
    int readRentFlag(Recordset &options);
    bool reinvoicing();
    QString lookUp(const QString &table, const QString &field, const QString &whereField, const QString &whereValue);
    posting::DocumentRef documentRef() const;

    Connection &connection() const { return m_adoConnection.required(); }
    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }

    double m_manualDocIdentity = 0;
    double m_projNo = 0;
    ConnectionProperty m_adoConnection{ConnectionProperty::Start::OwnObject};
    QPointer<LineGrid> m_grid;
    // Set by processing around its reload of the invoice: Get_Invoice then leaves the grid alone.
    bool m_skipLines = false;
    // One processing run's discount totals and its reading of the re-invoicing option.
    Variant m_variant = Variant::Standard;
    DiscountTotals m_discounts;
    std::optional<bool> m_reinvoicing;
};

} // namespace orbsales
