#include "orbsales/services/package/ledger_store.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"

namespace orbsales::package {

namespace msg = messages;

std::optional<AccountRef> findAccount(Connection &connection, const QString &accountNo) {
    const Connection::Result found = connection.selectReference(
        QStringLiteral("Select Account_No, Company_Prefix, Branch_Prefix from Chart_Of_Accounts Where Account_No=?"),
        {accountNo});
    if (found.rows.isEmpty())
        return std::nullopt;
    const QVariantList &row = found.rows.first();
    return AccountRef{row.at(0).toString(), row.at(1).toString(), row.at(2).toString()};
}

QString checkAmounts(double debit, double credit, double fcDebit, double fcCredit, const QString (&names)[4]) {
    const double amounts[4] = {debit, credit, fcDebit, fcCredit};
    for (int i = 0; i < 4; ++i) {
        if (!usableNumber(amounts[i]))
            return msg::notANumber(names[i]);
    }
    // Amounts are signed: an opening item or a returned line may post a negative figure.
    if (debit > 0 && credit > 0)
        return msg::bothSides(names[0], figure(debit), names[1], figure(credit));
    if (fcDebit > 0 && fcCredit > 0)
        return msg::bothSides(names[2], figure(fcDebit), names[3], figure(fcCredit));
    return {};
}

QString checkLedgerLine(Connection &connection, const LedgerLine &line) {
    if (line.documentNo.trimmed().isEmpty())
        return msg::required(QStringLiteral("DocumentNo"));
    static const QString names[4] = {QStringLiteral("GLDebitAmount"), QStringLiteral("GLCreditAmount"),
                                     QStringLiteral("FCGLDebitAmount"), QStringLiteral("FCGLCreditAmount")};
    const QString amounts = checkAmounts(line.debit, line.credit, line.fcDebit, line.fcCredit, names);
    if (!amounts.isEmpty())
        return amounts;
    if (!findAccount(connection, line.accountNo))
        return msg::unknownAccount(line.accountNo);
    return {};
}

void writeLedgerLine(Connection &connection, const LedgerLine &line) {
    const std::optional<AccountRef> account = findAccount(connection, line.accountNo);
    Recordset rs;
    rs.open(QStringLiteral("Select * from General_Ledger"), {}, connection, CursorType::Keyset);
    rs.addNew();
    rs.setValue(u"Document_No", line.documentNo);
    rs.setValue(u"Document_Prefix", line.documentPrefix);
    rs.setValue(u"Company_Prefix", account ? account->company : companyOfDocument(line.documentNo));
    rs.setValue(u"Branch_Prefix", account ? account->branch : branchOfDocument(line.documentNo));
    rs.setValue(u"GL_Date", line.date);
    rs.setValue(u"Account_No", line.accountNo);
    rs.setValue(u"GL_Description", line.description);
    rs.setValue(u"GL_Comments", line.comments);
    rs.setValue(u"GL_Debit_Amount", line.debit);
    rs.setValue(u"GL_Credit_Amount", line.credit);
    rs.setValue(u"FC_GL_Debit_Amount", line.fcDebit);
    rs.setValue(u"FC_GL_Credit_Amount", line.fcCredit);
    rs.setValue(u"Foreign_Currency_Flag", line.foreignCurrency);
    rs.setValue(u"Currency_Code", line.currencyCode);
    rs.setValue(u"Currency_Symbol", line.currencySymbol);
    rs.setValue(u"Last_Update", line.stamp);
    rs.update();
}

bool moveAccountBalance(Connection &connection, const QString &accountNo, double amount, const QVariant &stamp) {
    return connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Posted_Balance = "
                                             "COALESCE(Posted_Balance, 0) + ?, Last_Update = ? Where Account_No = ?"),
                              {amount, stamp, accountNo}) > 0;
}

QString checkReceivableLine(Connection &connection, ReceivableLine &line, QString &company) {
    if (line.documentNo.trimmed().isEmpty())
        return msg::required(QStringLiteral("DocumentNo"));
    if (line.customerCode.isEmpty())
        return msg::required(QStringLiteral("CustomerCode"));
    static const QString names[4] = {QStringLiteral("ARLDebitAmount"), QStringLiteral("ARLCreditAmount"),
                                     QStringLiteral("FCARLDebitAmount"), QStringLiteral("FCARLCreditAmount")};
    const QString amounts = checkAmounts(line.debit, line.credit, line.fcDebit, line.fcCredit, names);
    if (!amounts.isEmpty())
        return amounts;
    if (!findAccount(connection, line.accountNo))
        return msg::unknownAccount(line.accountNo);
    const Connection::Result customer = connection.select(
        QStringLiteral("Select Company_Prefix from Customer_Master Where Customer_Code = ?"), {line.customerCode});
    if (customer.rows.isEmpty())
        return msg::unknownCustomer(line.customerCode);
    company = customer.rows.first().first().toString();
    if (company.isEmpty())
        company = companyOfDocument(line.documentNo);
    if (line.branch.isEmpty())
        line.branch = branchOfDocument(line.documentNo);
    if (connection
            .scalar(QStringLiteral("Select count(*) from Branch_Master Where Company_Prefix = ? and "
                                   "Branch_Prefix = ?"),
                    {company, line.branch})
            .toInt() == 0)
        return msg::unknownBranch(company, line.branch);
    return {};
}

namespace {

void moveCustomerBalances(Connection &connection, const QString &customer, const QString &company,
                          const QString &branch, double amount, double fcAmount) {
    connection.execute(QStringLiteral("Update Customer_Master Set Customer_Balance = COALESCE(Customer_Balance, 0) + ? "
                                      "Where Customer_Code = ?"),
                       {amount, customer});
    const int moved = connection.execute(
        QStringLiteral("Update Customer_Master_Balance Set Customer_Balance = COALESCE(Customer_Balance, 0) + ?, "
                       "Customer_Fc_Balance = COALESCE(Customer_Fc_Balance, 0) + ? "
                       "Where Customer_Code = ? and Branch_Prefix = ?"),
        {amount, fcAmount, customer, branch});
    if (moved > 0)
        return;
    // A customer made before the branch existed has no row there yet: the posting makes it.
    Recordset rs;
    rs.open(QStringLiteral("Select * from Customer_Master_Balance"), {}, connection, CursorType::Keyset);
    rs.addNew();
    rs.setValue(u"Customer_Code", customer);
    rs.setValue(u"Company_Prefix", company);
    rs.setValue(u"Branch_Prefix", branch);
    rs.setValue(u"Customer_Balance", amount);
    rs.setValue(u"Customer_Fc_Balance", fcAmount);
    rs.update();
}

} // namespace

void writeReceivableLine(Connection &connection, const ReceivableLine &line, const QString &company) {
    Recordset rs;
    rs.open(QStringLiteral("Select * from Accounts_Receivable_Ledger"), {}, connection, CursorType::Keyset);
    rs.addNew();
    rs.setValue(u"Document_No", line.documentNo);
    rs.setValue(u"Document_Prefix", line.documentPrefix);
    rs.setValue(u"Company_Prefix", company);
    rs.setValue(u"Branch_Prefix", line.branch);
    rs.setValue(u"ARL_Date", line.date);
    rs.setValue(u"Account_No", line.accountNo);
    rs.setValue(u"Customer_Code", line.customerCode);
    rs.setValue(u"ARL_Description", line.description);
    rs.setValue(u"ARL_Comments", line.comments);
    rs.setValue(u"ARL_Debit_Amount", line.debit);
    rs.setValue(u"ARL_Credit_Amount", line.credit);
    rs.setValue(u"FC_ARL_Debit_Amount", line.fcDebit);
    rs.setValue(u"FC_ARL_Credit_Amount", line.fcCredit);
    rs.setValue(u"Foreign_Currency_Flag", line.foreignCurrency);
    rs.setValue(u"Currency_Code", line.currencyCode);
    rs.setValue(u"Currency_Symbol", line.currencySymbol);
    rs.setValue(u"Last_Update", line.stamp);
    rs.update();
    moveCustomerBalances(connection, line.customerCode, company, line.branch, line.debit - line.credit,
                         line.fcDebit - line.fcCredit);
}

void deleteReceivableLines(Connection &connection, const QString &documentNo) {
    const Connection::Result effects =
        connection.select(QStringLiteral("Select Customer_Code, Company_Prefix, Branch_Prefix, "
                                         "SUM(COALESCE(ARL_Debit_Amount, 0) - COALESCE(ARL_Credit_Amount, 0)), "
                                         "SUM(COALESCE(FC_ARL_Debit_Amount, 0) - COALESCE(FC_ARL_Credit_Amount, 0)) "
                                         "from Accounts_Receivable_Ledger Where Document_No = ? "
                                         "Group by Customer_Code, Company_Prefix, Branch_Prefix"),
                          {documentNo});
    connection.execute(QStringLiteral("Delete from Accounts_Receivable_Ledger Where Document_No = ?"), {documentNo});
    for (const QVariantList &row : effects.rows)
        moveCustomerBalances(connection, row.at(0).toString(), row.at(1).toString(), row.at(2).toString(),
                             -row.at(3).toDouble(), -row.at(4).toDouble());
}

} // namespace orbsales::package
