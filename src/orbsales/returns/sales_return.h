#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/numbering/document_number.h"

#include <QPointer>
#include <QVariant>

namespace orbsales {

class Recordset;
struct ReturnSourceKind;

// Goods a customer brings back against one processed source document: a sales invoice ("INV"),
// a direct sales invoice ("DSI"), a delivery ("DEL"), a direct delivery ("DDL") or a cash memo
// ("CHM"). Sales_Return_Master and one Sales_Return_Detail row per returned line, saved under a
// temporary number; processing gives the final number, raises the returned quantities on the
// source, takes the goods back into stock at their cost and, for invoices and cash memos, makes
// the customer's credit memo voucher. Writes go to the caller's connection (AdoConnectionObject),
// reads of the loaders and of Get_Sales_Rtn through ConnectionString; no transaction is used.
class SalesReturn : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.SalesReturn")
    Q_CLASSINFO("Interface", "_SalesReturn")
    Q_CLASSINFO("WriteOnly", "SalesInvoiceType DocFlag manualDocIdentity AdoConnectionObject")

    ORB_PROPERTY(double, AmtDig)
    ORB_PROPERTY(QString, SalesInvoiceType)
    ORB_PROPERTY(bool, DocFlag)
    ORB_PROPERTY(double, manualDocIdentity)
    ORB_PROPERTY(QString, RefDocType)
    ORB_PROPERTY(QString, VoucherNo)
    Q_PROPERTY(QDateTime RefDate READ RefDate WRITE setRefDate)
    ORB_PROPERTY(QString, Database)
    ORB_PROPERTY(QString, RefNo)
    ORB_PROPERTY(double, ExchangeRate)
    ORB_PROPERTY(bool, OnlineFlag)
    ORB_PROPERTY(bool, SyncFlag)
    ORB_PROPERTY(QString, SalesLogPrefix)
    ORB_PROPERTY(qint32, LocationID)
    ORB_PROPERTY(QString, LocationName)
    ORB_PROPERTY(QString, ConnectionString)
    Q_PROPERTY(QVariant ErrDesc READ ErrDesc)
    Q_PROPERTY(orbsales::Connection *AdoConnectionObject READ AdoConnectionObject WRITE setAdoConnectionObject)
    ORB_PROPERTY(QString, CompanyPrefix)
    ORB_PROPERTY(QString, BranchPrefix)
    ORB_PROPERTY(QString, DocumentPrefix)
    ORB_PROPERTY(QString, SalesRtnNo)
    ORB_PROPERTY(double, SalesRtnIdentity)
    ORB_DATE_PROPERTY(SalesRtnDate)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, CustomerName)
    ORB_PROPERTY(QString, PaymentTerms)
    ORB_PROPERTY(QString, PaymentType)
    ORB_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_PROPERTY(QString, CurrencyCode)
    ORB_PROPERTY(QString, CurrencySymbol)
    ORB_PROPERTY(double, SalesRtnSubTotal)
    ORB_PROPERTY(double, SalesRtnDiscAmount)
    ORB_PROPERTY(double, SalesRtnTotalAmount)
    ORB_PROPERTY(double, SalesRtnFCSubTotal)
    ORB_PROPERTY(double, SalesRtnFCDiscAmount)
    ORB_PROPERTY(double, SalesRtnFCTotalAmount)
    ORB_PROPERTY(bool, CancelFlag)
    ORB_PROPERTY(bool, AllowCancelFlag)
    ORB_PROPERTY(bool, ProcessedFlag)
    ORB_PROPERTY(QString, SalesRtnComments)
    ORB_PROPERTY(QString, EmployeeID)
    ORB_PROPERTY(QString, EmployeeName)
    ORB_PROPERTY(bool, YearEndFlag)
    ORB_PROPERTY(QString, SalesRtnRefNo)
    Q_PROPERTY(orbsales::LineGrid *SalRetGridName READ SalRetGridName WRITE setSalRetGridName)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(QString, StockMovementPrefix)

public:
    explicit SalesReturn(QObject *parent = nullptr);

    QVariant ErrDesc() const { return errorText(); }
    Connection *AdoConnectionObject() const { return m_adoConnection.get(); }
    void setAdoConnectionObject(Connection *connection) { m_adoConnection.set(connection); }
    LineGrid *SalRetGridName() const { return m_grid; }
    void setSalRetGridName(LineGrid *grid) { m_grid = grid; }
    // The source's date is held as its text and read back from it.
    QDateTime RefDate() const;
    void setRefDate(const QDateTime &value);

    // Saving and reading a return (sales_return.cpp).
    Q_INVOKABLE bool Create_Sales_Rtn();
    Q_INVOKABLE bool Get_Sales_Rtn();
    Q_INVOKABLE bool Populate_Details();
    Q_INVOKABLE bool Update_Sales_Rtn();
    // The credit memo (sales_return_credit_memo.cpp).
    Q_INVOKABLE bool Generate_Credit_Memo(QString &pReturnNo);
    Q_INVOKABLE bool Create_Voucher_Master(QString &pReturnNo, QString &pVoucherNo);
    Q_INVOKABLE bool Create_Voucher_Detail(QString &pVoucherNo, QString &pVouType, QString &pAcNo, QString &pAcName,
                                           QString &pType, double &pFcAmt, double &pAmt, bool &pFC,
                                           QString &pCurCode, QString &pCurSymbol, QString &pPrjNo, qint16 &PSlNo);
    Q_INVOKABLE bool Process_CreditMemo(QString &pVoucherNo, double &manualIdentity, bool &ManualDocFlag);
    // Processing (sales_return_processing.cpp).
    Q_INVOKABLE bool Return_Process();
    // The returnable lines of a source and its returned quantities (sales_return_sources.cpp).
    Q_INVOKABLE bool Get_Sales_Invoice(QString &pInvNo, orbsales::LineGrid *&Grid, bool Saved = false);
    Q_INVOKABLE bool Get_Direct_Sales_Invoice(QString &pInvNo, orbsales::LineGrid *&Grid, bool Saved = false);
    Q_INVOKABLE bool Get_Delivery(QString &pInvNo, orbsales::LineGrid *&Grid, bool Saved = false);
    Q_INVOKABLE bool Get_Direct_Delivery(QString &pInvNo, orbsales::LineGrid *&Grid, bool Saved = false);
    Q_INVOKABLE bool Get_CashMemo(QString &pInvNo, orbsales::LineGrid *&Grid, bool Saved = false);
    Q_INVOKABLE QString GetFldValue(const QString &TblName, const QString &fldName,
                                    const QString &WhereFldName = QString(), const QString &WhereFldValue = QString());
    Q_INVOKABLE QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                    const QString &WhereFldValue, bool &WhereFldNumYN,
                                    const QString &SecondWhereFldName = QString(),
                                    const QString &SecondWhereFldValue = QString(), bool SecdWhereFldNumYN = false);
    Q_INVOKABLE bool Update_Source(orbsales::Connection *&Cn, QString &pDocNo, double &pQty, QString &pSource,
                                   QString &pItemCode, qint32 &pRefSLNO);
    Q_INVOKABLE bool UpdateReturnSource();
    Q_INVOKABLE bool ExistDocument(const QString &strTblName, const QString &strFldName, const QString &DocNo);
    Q_INVOKABLE bool ExistDocument(const QString &strTblName, const QString &strFldName, const QString &DocNo,
                                   bool &WhereFldNumYN, const QString &SecondWhereFldName = QString(),
                                   const QString &SecondWhereFldValue = QString(), bool SecdWhereFldNumType = false);

private:
    bool Save_Sales_Rtn_Master();
    bool Save_Sales_Rtn_Detail();

    Connection &connection() const { return m_adoConnection.required(); }
    LineGrid &grid() const;
    DocumentPrefixes prefixes() const { return {m_CompanyPrefix, m_BranchPrefix, m_DocumentPrefix}; }
    void loadMaster(Recordset &master);
    bool isReturnLine(int row) const;
    // Every stored line can still be returned on its source line: a clear refusal that writes
    // nothing otherwise.
    bool checkStoredLinesAgainstSource();
    QString sourceType() const;

    bool loadReturnable(const ReturnSourceKind &kind, const QString &sourceNo, LineGrid *target);
    QString lookup(const QString &table, const QString &field, const QString &whereField, const QString &whereValue,
                   bool whereNumeric, const QString &secondField, const QString &secondValue, bool secondNumeric);

    // Processing steps (sales_return_processing.cpp).
    bool renumber(Recordset &master, Recordset &lines, const DocumentIdentity &identity);
    bool bringStockBack(bool postsStock);
    bool logSales();
    bool postProjects();

    ConnectionProperty m_adoConnection{ConnectionProperty::Start::OwnObject};
    QPointer<LineGrid> m_grid;
    QString m_RefDateText;
};

} // namespace orbsales
