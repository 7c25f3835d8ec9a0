#pragma once

#include <QString>

// The messages our sibling components leave in ErrDesc, in one place so code and tests use
// the same text. Each names what was wrong and the value that was given.
namespace orbsales::package::messages {

inline const QString kNoConnection =
    QStringLiteral("No database connection: set AdoConnectionObject to an open connection or give a connection string");

inline QString quoted(const QString &value) { return QLatin1Char('\'') + value + QLatin1Char('\''); }

// Properties and arguments.
inline QString required(const QString &property) { return property + QStringLiteral(" is empty"); }
inline QString notANumber(const QString &property) { return property + QStringLiteral(" is not a number"); }
inline QString negative(const QString &property, const QString &value) {
    return property + QStringLiteral(" must not be negative (was ") + value + QLatin1Char(')');
}
inline QString notPositive(const QString &property, const QString &value) {
    return property + QStringLiteral(" must be greater than 0 (was ") + value + QLatin1Char(')');
}
inline QString notADate(const QString &property, const QString &value) {
    return property + QStringLiteral(" ") + quoted(value) + QStringLiteral(" is not a date");
}

// Lookups.
inline QString unknownTable(const QString &table) { return QStringLiteral("Unknown table ") + quoted(table); }
inline QString unknownColumn(const QString &table, const QString &column) {
    return QStringLiteral("Unknown column ") + quoted(column) + QStringLiteral(" in table ") + table;
}
inline QString notANumberFor(const QString &column, const QString &value) {
    return quoted(value) + QStringLiteral(" is not a number for column ") + column;
}
inline QString noSuchRow(const QString &table, const QString &column, const QString &value) {
    return QStringLiteral("No row of ") + table + QStringLiteral(" has ") + column + QStringLiteral(" = ") +
           quoted(value);
}

// Masters.
inline QString unknownAccount(const QString &account) {
    return QStringLiteral("Account ") + quoted(account) + QStringLiteral(" is not in the chart of accounts");
}
inline QString unknownCustomer(const QString &customer) {
    return QStringLiteral("Customer ") + quoted(customer) + QStringLiteral(" does not exist");
}
inline QString unknownBranch(const QString &company, const QString &branch) {
    return QStringLiteral("Branch ") + quoted(branch) + QStringLiteral(" of company ") + quoted(company) +
           QStringLiteral(" does not exist");
}
inline QString unknownItem(const QString &item) {
    return QStringLiteral("Item ") + quoted(item) + QStringLiteral(" does not exist");
}
inline QString itemNotInBranch(const QString &item, const QString &branch) {
    return QStringLiteral("Item ") + quoted(item) + QStringLiteral(" is not set up for branch ") + quoted(branch);
}
inline QString unknownUnit(const QString &item, const QString &unit) {
    return QStringLiteral("Unit ") + quoted(unit) + QStringLiteral(" is not defined for item ") + quoted(item);
}
inline QString unknownCurrency(const QString &currency) {
    return QStringLiteral("Currency ") + quoted(currency) + QStringLiteral(" does not exist");
}
inline QString noRate(const QString &currency, const QString &date) {
    return QStringLiteral("No exchange rate for ") + quoted(currency) + QStringLiteral(" on ") + date;
}
inline QString missingPreferences(const QString &table, const QString &company, const QString &branch) {
    return QStringLiteral("No ") + table + QStringLiteral(" row for company ") + quoted(company) +
           QStringLiteral(", branch ") + quoted(branch);
}
inline QString missingPreferenceAccount(const QString &table, const QString &column, const QString &branch) {
    return column + QStringLiteral(" is not set in ") + table + QStringLiteral(" for branch ") + quoted(branch);
}
// The counter's own messages.
inline QString noDocumentPrefix(const QString &prefix, const QString &company, const QString &branch) {
    return QStringLiteral("Document prefix %1 is not set up for company %2, branch %3").arg(prefix, company, branch);
}
inline const QString kCounterPrefixesMissing =
    QStringLiteral("Company, branch and document prefixes are needed for a document number");
inline const QString kCounterNotTaken = QStringLiteral("No document number was taken: call Get_Last_Counter first");
inline const QString kInvalidConnectionObject = QStringLiteral("Invalid Connection Object");

// Ledger.
inline QString bothSides(const QString &debitProperty, const QString &debit, const QString &creditProperty,
                         const QString &credit) {
    return QStringLiteral("A ledger line is a debit or a credit, not both: ") + debitProperty + QLatin1Char(' ') +
           debit + QStringLiteral(", ") + creditProperty + QLatin1Char(' ') + credit;
}

// Inventory.
inline QString invalidDirection(const QString &direction) {
    return QStringLiteral("The ordered quantity is changed by \"Increase\" or \"Decrease\", not ") + quoted(direction);
}
inline QString insufficientStock(const QString &item, const QString &branch, const QString &inHand,
                                 const QString &wanted) {
    return QStringLiteral("Not enough stock of ") + quoted(item) + QStringLiteral(" in branch ") + quoted(branch) +
           QStringLiteral(": ") + inHand + QStringLiteral(" in hand, ") + wanted + QStringLiteral(" wanted");
}
inline QString invalidMovementType(const QString &type) {
    return QStringLiteral("DocumentType must be \"IN\" or \"OUT\", not ") + quoted(type);
}
inline QString invalidLocationDirection(int direction) {
    return QStringLiteral("UpdateLocationStock takes 1 (goods leaving) or 0 (goods coming back), not ") +
           QString::number(direction);
}

// Vouchers.
inline QString unknownVoucher(const QString &voucher) {
    return QStringLiteral("Voucher ") + quoted(voucher) + QStringLiteral(" does not exist");
}
inline QString voucherProcessed(const QString &voucher) {
    return QStringLiteral("Voucher ") + quoted(voucher) + QStringLiteral(" is already processed");
}
inline QString voucherWithoutLines(const QString &voucher) {
    return QStringLiteral("Voucher ") + quoted(voucher) + QStringLiteral(" has no lines");
}
inline QString voucherUnbalanced(const QString &voucher, const QString &currency, const QString &debits,
                                 const QString &credits) {
    return QStringLiteral("Voucher ") + quoted(voucher) + QStringLiteral(" does not balance (") + currency +
           QStringLiteral("): debits ") + debits + QStringLiteral(", credits ") + credits;
}
inline QString voucherWithoutCustomer(const QString &voucher) {
    return QStringLiteral("Voucher ") + quoted(voucher) + QStringLiteral(" has customer lines but no Customer_Code");
}

} // namespace orbsales::package::messages
