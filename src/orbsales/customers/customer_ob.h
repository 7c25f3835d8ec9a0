#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/numbering/document_number.h"

#include <QPointer>
#include <QVariant>

namespace orbsales {

class Recordset;

// A customer's opening balance: the unsettled documents of the old books, one list of debit
// items (invoices still owed) and one of credit items (payments received in advance) per
// customer and branch, kept in Customer_OB. Processing turns each stored item into a receivable
// document of the package: a processed sales invoice whose whole amount is open, or a processed
// advance receipt, each with its receivable line, and moves the chart's opening balance of the
// account concerned by the total.
//
// The kind of list is the OBType argument of every operation: "Debit" for the debit list,
// anything else (the front end passes "Credit") for the credit list. Validation, Create_OB and
// Process_OB work on the caller's open connection (AdoConnectionObject); Get_OB reads through
// ConnectionString. Nothing runs in a transaction: a failure leaves the completed steps written.
//
// Grid (GridName), from column 1: reference number, reference date (as typed), amount in the
// customer's currency, (not used), exchange rate, comments, the document made by processing
// without its three prefixes, and that document's full number.
class CustomerOB : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.CustomerOB")
    Q_CLASSINFO("Interface", "_CustomerOB")
    Q_CLASSINFO("WriteOnly", "AdoConnectionObject")

    ORB_PROPERTY(bool, SyncFlag)
    ORB_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_PROPERTY(QString, CurrencyCode)
    ORB_PROPERTY(QString, CurrencySymbol)
    ORB_PROPERTY(QString, CustomerName)
    ORB_PROPERTY(QString, CustomerCode)
    Q_PROPERTY(orbsales::LineGrid *GridName READ GridName WRITE setGridName)
    ORB_PROPERTY(QString, ConnectionString)
    Q_PROPERTY(QVariant ErrDesc READ ErrDesc)
    Q_PROPERTY(orbsales::Connection *AdoConnectionObject READ AdoConnectionObject WRITE setAdoConnectionObject)
    // The prefixes are stored trimmed of blanks (unlike other properties, which store what they are given).
    Q_PROPERTY(QString CompanyPrefix READ CompanyPrefix WRITE setCompanyPrefix)
    Q_PROPERTY(QString BranchPrefix READ BranchPrefix WRITE setBranchPrefix)
    Q_PROPERTY(QString DocumentPrefix READ DocumentPrefix WRITE setDocumentPrefix)
    ORB_READONLY_PROPERTY(bool, ProcessedFlag)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(QString, Database)

public:
    explicit CustomerOB(QObject *parent = nullptr);
    ~CustomerOB() override;

    QVariant ErrDesc() const { return errorText(); }
    LineGrid *GridName() const { return m_grid; }
    void setGridName(LineGrid *grid) { m_grid = grid; }
    // Set only for the front end; read back by the library's own code and tests.
    Connection *AdoConnectionObject() const { return m_connection.get(); }
    void setAdoConnectionObject(Connection *connection) { m_connection.set(connection); }
    QString CompanyPrefix() const { return m_companyPrefix; }
    void setCompanyPrefix(const QString &value);
    QString BranchPrefix() const { return m_branchPrefix; }
    void setBranchPrefix(const QString &value);
    QString DocumentPrefix() const { return m_documentPrefix; }
    void setDocumentPrefix(const QString &value);

    Q_INVOKABLE bool Validation();
    Q_INVOKABLE bool Create_OB(const QString &OBType);
    Q_INVOKABLE bool Get_OB(const QString &OBType);
    Q_INVOKABLE bool Process_OB(const QString &OBType);

private:
    // The document of one item, in the steps of processing (customer_ob_processing.cpp).
    bool Post_OB_Invoice();
    bool Post_OB_Receipt();

    LineGrid &grid() const;
    // The reference date as typed, converted to a date: text that is no date is a "Type mismatch".
    static QDateTime referenceDate(const QString &typed);
    Connection &connection() const { return m_connection.required(); }
    DocumentPrefixes prefixes() const { return {m_companyPrefix, m_branchPrefix, m_documentPrefix}; }
    void deleteStoredList(const QString &kind);
    void storeItem(Recordset &items, int row, qint32 serial, const QString &kind, const QString &currencyName);
    void loadItem(Recordset &items, int row);
    void takeItem(Recordset &items);
    QString accountOfBranch(const QString &stored) const;
    QString lookUp(const QString &table, const QString &field, const QString &whereField, const QString &whereValue,
                   const QString &secondField = QString(), const QString &secondValue = QString());
    bool moveChartOpening(const QString &account, double change);
    // The counter for one document: Get_Last_Counter before its rows, Increase_Counter after its
    // receivable line.
    bool takeNumber(std::unique_ptr<CounterUse> &counter);
    void paymentConditions(QString &terms, QString &type);
    bool postReceivableLine(const QString &account, bool foreignCurrency, bool debit);

    ConnectionProperty m_connection; // nothing is made at construction
    QPointer<LineGrid> m_grid;
    QString m_companyPrefix;
    QString m_branchPrefix;
    QString m_documentPrefix;
    bool m_emptyList = false; // set by Validation, read by Create_OB

    // Working values of one processing.
    QString m_receivableAccount;
    QString m_advanceReceiptAccount;
    QString m_referenceNo;
    QDateTime m_referenceDate;
    double m_amount = 0;
    double m_fcAmount = 0;
    double m_exchangeRate = 0;
    QString m_comments;
    qint32 m_documentIdentity = 0;
    QString m_documentNo;
};

} // namespace orbsales
