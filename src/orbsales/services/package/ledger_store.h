#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace orbsales {
class Connection;
namespace package {

// The rows behind the ledger and the receivable, shared by the ledger, the receivable and the
// voucher posting so that every path writes and reverses them the same way. The check
// functions answer an empty text when the line can be written, else the reason; the write
// functions assume a checked line and raise only database errors.

struct LedgerLine {
    QString documentNo;
    QString documentPrefix;
    QDateTime date;
    QString currencyCode;
    QString currencySymbol;
    QString description;
    QString comments;
    QString accountNo;
    double debit = 0;
    double credit = 0;
    double fcDebit = 0;
    double fcCredit = 0;
    bool foreignCurrency = false;
    QVariant stamp; // Last_Update
};

struct AccountRef {
    QString number;
    QString company;
    QString branch;
};

std::optional<AccountRef> findAccount(Connection &connection, const QString &accountNo);

// Amount rules of a line: finite (signed), and not both a positive debit and a positive credit, in the
// home and in the foreign currency. `names` are the property names the caller knows them by:
// debit, credit, foreign debit, foreign credit.
QString checkAmounts(double debit, double credit, double fcDebit, double fcCredit, const QString (&names)[4]);

QString checkLedgerLine(Connection &connection, const LedgerLine &line);
void writeLedgerLine(Connection &connection, const LedgerLine &line);
// Moves the account's running balance; false when the account is not in the chart.
bool moveAccountBalance(Connection &connection, const QString &accountNo, double amount, const QVariant &stamp);

struct ReceivableLine {
    QString documentNo;
    QString documentPrefix;
    QDateTime date;
    QString currencyCode;
    QString currencySymbol;
    QString description;
    QString comments;
    QString accountNo;
    QString customerCode;
    QString branch; // empty: taken from the document number
    double debit = 0;
    double credit = 0;
    double fcDebit = 0;
    double fcCredit = 0;
    bool foreignCurrency = false;
    QVariant stamp;
};

// Checks the line and fills in its company and branch (into `company` and line.branch).
QString checkReceivableLine(Connection &connection, ReceivableLine &line, QString &company);
// Writes the line and moves the customer's balance and the branch's balances.
void writeReceivableLine(Connection &connection, const ReceivableLine &line, const QString &company);
// Removes the document's receivable lines and takes their effect back out of the balances.
void deleteReceivableLines(Connection &connection, const QString &documentNo);

} // namespace package
} // namespace orbsales
