#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books_openingbalances.h"
#include "orbsales/services/package/books_returns.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books_deliveries.h"
#include "orbsales/services/package/books_cashmemos.h"
#include "orbsales/services/package/books_invoices.h"
#include "orbsales/services/package/books_numbers.h"
#include "orbsales/services/package/chart_postings.h"
#include "orbsales/services/package/package_support.h"

#include <QHash>

namespace orbsales::package {

namespace {

const QString kLedgerNet =
    QStringLiteral("COALESCE(SUM(COALESCE(GL_Debit_Amount, 0) - COALESCE(GL_Credit_Amount, 0)), 0)");
const QString kReceivableNet =
    QStringLiteral("COALESCE(SUM(COALESCE(ARL_Debit_Amount, 0) - COALESCE(ARL_Credit_Amount, 0)), 0)");
const QString kReceivableFcNet =
    QStringLiteral("COALESCE(SUM(COALESCE(FC_ARL_Debit_Amount, 0) - COALESCE(FC_ARL_Credit_Amount, 0)), 0)");
const QString kMovementNet = QStringLiteral("COALESCE(SUM(COALESCE(In_Qty, 0) - COALESCE(Out_Qty, 0)), 0)");

double at(const QVariantList &row, int column) { return row.at(column).toDouble(); }
QString textAt(const QVariantList &row, int column) { return row.at(column).toString(); }

QList<AccountLine> readAccounts(Connection &connection) {
    const Connection::Result rows = connection.select(QStringLiteral(
        "Select A.Account_No, A.Account_Name, A.Account_Type, COALESCE(A.Opening_Balance, 0), "
        "COALESCE(A.Posted_Balance, 0), "
        "(Select COALESCE(SUM(GL_Debit_Amount), 0) from General_Ledger G Where G.Account_No = A.Account_No), "
        "(Select COALESCE(SUM(GL_Credit_Amount), 0) from General_Ledger G Where G.Account_No = A.Account_No), "
        "(Select COALESCE(SUM(FC_GL_Debit_Amount), 0) from General_Ledger G Where G.Account_No = A.Account_No), "
        "(Select COALESCE(SUM(FC_GL_Credit_Amount), 0) from General_Ledger G Where G.Account_No = A.Account_No) "
        "from Chart_Of_Accounts A Order by A.Account_No"));
    QList<AccountLine> accounts;
    for (const QVariantList &row : rows.rows)
        accounts << AccountLine{textAt(row, 0), textAt(row, 1), textAt(row, 2), at(row, 3), at(row, 4),
                                at(row, 5),     at(row, 6),     at(row, 7),     at(row, 8)};
    return accounts;
}

QList<CustomerBalanceLine> readReceivables(Connection &connection) {
    const Connection::Result rows = connection.select(
        QStringLiteral("Select B.Customer_Code, (Select M.customer_name from Customer_Master M "
                       "Where M.Customer_Code = B.Customer_Code), B.Branch_Prefix, COALESCE(B.Customer_Balance, 0), "
                       "COALESCE(B.Customer_Fc_Balance, 0), "
                       "(Select %1 from Accounts_Receivable_Ledger R Where R.Customer_Code = B.Customer_Code and "
                       "R.Branch_Prefix = B.Branch_Prefix), "
                       "(Select %2 from Accounts_Receivable_Ledger R Where R.Customer_Code = B.Customer_Code and "
                       "R.Branch_Prefix = B.Branch_Prefix) "
                       "from Customer_Master_Balance B Order by B.Customer_Code, B.Branch_Prefix")
            .arg(kReceivableNet, kReceivableFcNet));
    QList<CustomerBalanceLine> lines;
    for (const QVariantList &row : rows.rows)
        lines << CustomerBalanceLine{textAt(row, 0), textAt(row, 1), textAt(row, 2), at(row, 3),
                                     at(row, 4),     at(row, 5),     at(row, 6)};
    return lines;
}

QList<StockLine> readStock(Connection &connection) {
    const Connection::Result rows = connection.select(
        QStringLiteral("Select D.Item_Code, (Select I.Item_Name from Item_Master I Where I.Item_Code = D.Item_Code), "
                       "D.Branch_Prefix, COALESCE(D.Opening_Stock, 0), "
                       "(Select COALESCE(SUM(In_Qty), 0) from Stock_Movement S Where S.Item_Code = D.Item_Code and "
                       "S.Branch_Prefix = D.Branch_Prefix), "
                       "(Select COALESCE(SUM(Out_Qty), 0) from Stock_Movement S Where S.Item_Code = D.Item_Code and "
                       "S.Branch_Prefix = D.Branch_Prefix), "
                       "COALESCE(D.Stock_In_Hand, 0), COALESCE(D.Stock_Amount, 0), COALESCE(D.Ordered_Qty, 0) "
                       "from Item_Master_Detail D Order by D.Item_Code, D.Branch_Prefix"));
    QList<StockLine> lines;
    for (const QVariantList &row : rows.rows)
        lines << StockLine{textAt(row, 0), textAt(row, 1), textAt(row, 2), at(row, 3), at(row, 4),
                           at(row, 5),     at(row, 6),     at(row, 7),     at(row, 8)};
    return lines;
}

// "debits 100, credits 90" style pairs.
QString pair(const QString &first, double a, const QString &second, double b) {
    return first + QLatin1Char(' ') + figure(a) + QStringLiteral(", ") + second + QLatin1Char(' ') + figure(b);
}

void checkLedger(Connection &connection, const Books &books, QStringList &breaches) {
    // What foreign-currency invoices are documented to miss by in the home currency.
    QHash<QString, double> rounded;
    double roundedTotal = 0;
    for (const ConversionRounding &rounding : conversionRoundings(connection)) {
        rounded.insert(rounding.documentNo, rounding.net);
        roundedTotal += rounding.net;
    }
    if (!sameAmount(books.debits - books.credits, roundedTotal))
        breaches << QStringLiteral("Ledger does not balance in the home currency: ") +
                        pair(QStringLiteral("debits"), books.debits, QStringLiteral("credits"), books.credits);
    if (!sameAmount(books.fcDebits, books.fcCredits))
        breaches << QStringLiteral("Ledger does not balance in the foreign currency: ") +
                        pair(QStringLiteral("debits"), books.fcDebits, QStringLiteral("credits"), books.fcCredits);
    const Connection::Result documents = connection.select(
        QStringLiteral("Select Document_No, COALESCE(SUM(GL_Debit_Amount), 0), COALESCE(SUM(GL_Credit_Amount), 0), "
                       "COALESCE(SUM(FC_GL_Debit_Amount), 0), COALESCE(SUM(FC_GL_Credit_Amount), 0) "
                       "from General_Ledger Group by Document_No Order by Document_No"));
    for (const QVariantList &row : documents.rows) {
        if (!sameAmount(at(row, 1) - at(row, 2), rounded.value(textAt(row, 0))))
            breaches << QStringLiteral("Document %1 does not balance in the home currency: ").arg(textAt(row, 0)) +
                            pair(QStringLiteral("debits"), at(row, 1), QStringLiteral("credits"), at(row, 2));
        if (!sameAmount(at(row, 3), at(row, 4)))
            breaches << QStringLiteral("Document %1 does not balance in the foreign currency: ").arg(textAt(row, 0)) +
                            pair(QStringLiteral("debits"), at(row, 3), QStringLiteral("credits"), at(row, 4));
    }
}

void checkAccounts(Connection &connection, const Books &books, const QList<DocumentedDifference> &differences,
                   QStringList &breaches) {
    QHash<QString, double> documented;
    for (const DocumentedDifference &difference : differences)
        documented[difference.accountNo] += difference.difference();
    for (const AccountLine &account : books.accounts) {
        const double expected =
            account.opening + account.debits - account.credits + documented.value(account.accountNo);
        if (!sameAmount(account.balance(), expected))
            breaches << QStringLiteral("Account %1 (%2): ").arg(account.accountNo, account.name) +
                            pair(QStringLiteral("balance"), account.balance(),
                                 QStringLiteral("opening balance plus ledger rows"), expected);
    }
    const Connection::Result strays =
        connection.select(QStringLiteral("Select G.Account_No, %1 from General_Ledger G Where not exists "
                                         "(Select 1 from Chart_Of_Accounts A Where A.Account_No = G.Account_No) "
                                         "Group by G.Account_No Order by G.Account_No")
                              .arg(kLedgerNet));
    for (const QVariantList &row : strays.rows)
        breaches << QStringLiteral("Ledger rows on account %1, which is not in the chart of accounts: ")
                            .arg(textAt(row, 0)) +
                        pair(QStringLiteral("balance"), 0, QStringLiteral("ledger rows"), at(row, 1));
}

void checkCustomers(Connection &connection, const Books &books, QStringList &breaches) {
    const Connection::Result customers = connection.select(
        QStringLiteral("Select C.Customer_Code, COALESCE(C.Customer_Balance, 0), "
                       "(Select %1 from Accounts_Receivable_Ledger R Where R.Customer_Code = C.Customer_Code) "
                       "from Customer_Master C Order by C.Customer_Code")
            .arg(kReceivableNet));
    for (const QVariantList &row : customers.rows)
        if (!sameAmount(at(row, 1), at(row, 2)))
            breaches << QStringLiteral("Customer %1: ").arg(textAt(row, 0)) +
                            pair(QStringLiteral("balance"), at(row, 1), QStringLiteral("receivable rows"), at(row, 2));
    for (const CustomerBalanceLine &line : books.receivables) {
        if (!sameAmount(line.balance, line.ledger))
            breaches << QStringLiteral("Customer %1, branch %2: ").arg(line.customerCode, line.branch) +
                            pair(QStringLiteral("balance"), line.balance, QStringLiteral("receivable rows"),
                                 line.ledger);
        if (!sameAmount(line.fcBalance, line.fcLedger))
            breaches << QStringLiteral("Customer %1, branch %2: ").arg(line.customerCode, line.branch) +
                            pair(QStringLiteral("foreign-currency balance"), line.fcBalance,
                                 QStringLiteral("receivable rows"), line.fcLedger);
    }
    const Connection::Result strays = connection.select(
        QStringLiteral("Select R.Customer_Code, R.Branch_Prefix, %1 from Accounts_Receivable_Ledger R "
                       "Where not exists (Select 1 from Customer_Master_Balance B Where B.Customer_Code = "
                       "R.Customer_Code and B.Branch_Prefix = R.Branch_Prefix) "
                       "Group by R.Customer_Code, R.Branch_Prefix Order by R.Customer_Code, R.Branch_Prefix")
            .arg(kReceivableNet));
    for (const QVariantList &row : strays.rows)
        breaches << QStringLiteral("Customer %1, branch %2 has receivable rows but no balance row: ")
                            .arg(textAt(row, 0), textAt(row, 1)) +
                        pair(QStringLiteral("balance"), 0, QStringLiteral("receivable rows"), at(row, 2));
}

void checkStock(Connection &connection, const Books &books, QStringList &breaches) {
    for (const StockLine &line : books.stock) {
        const double expected = line.opening + line.in - line.out;
        if (!sameAmount(line.inHand, expected))
            breaches << QStringLiteral("Item %1, branch %2: ").arg(line.itemCode, line.branch) +
                            pair(QStringLiteral("stock in hand"), line.inHand,
                                 QStringLiteral("opening stock plus movements"), expected);
    }
    const Connection::Result strays = connection.select(
        QStringLiteral("Select S.Item_Code, S.Branch_Prefix, %1 from Stock_Movement S Where not exists "
                       "(Select 1 from Item_Master_Detail D Where D.Item_Code = S.Item_Code and "
                       "D.Branch_Prefix = S.Branch_Prefix) "
                       "Group by S.Item_Code, S.Branch_Prefix Order by S.Item_Code, S.Branch_Prefix")
            .arg(kMovementNet));
    for (const QVariantList &row : strays.rows)
        breaches << QStringLiteral("Item %1, branch %2 has stock movements but no stock row: ")
                            .arg(textAt(row, 0), textAt(row, 1)) +
                        pair(QStringLiteral("stock in hand"), 0, QStringLiteral("movements"), at(row, 2));
}

} // namespace

Books readBooks(Connection &connection) {
    Books books;
    books.accounts = readAccounts(connection);
    const Connection::Result totals = connection.select(QStringLiteral(
        "Select COALESCE(SUM(GL_Debit_Amount), 0), COALESCE(SUM(GL_Credit_Amount), 0), "
        "COALESCE(SUM(FC_GL_Debit_Amount), 0), COALESCE(SUM(FC_GL_Credit_Amount), 0) from General_Ledger"));
    const QVariantList &row = totals.rows.first();
    books.debits = at(row, 0);
    books.credits = at(row, 1);
    books.fcDebits = at(row, 2);
    books.fcCredits = at(row, 3);
    books.receivables = readReceivables(connection);
    books.stock = readStock(connection);
    return books;
}

QStringList verifyBooks(Connection &connection) {
    const Books books = readBooks(connection);
    QStringList breaches;
    checkLedger(connection, books, breaches);
    checkAccounts(connection, books, documentedDifferences(connection), breaches);
    checkCustomers(connection, books, breaches);
    checkStock(connection, books, breaches);
    checkOpeningBalances(connection, breaches);
    checkDeliveryBooks(connection, breaches);
    checkCashMemos(connection, breaches);
    checkInvoices(connection, breaches);
    checkReturns(connection, breaches);
    checkDocumentNumbers(connection, breaches);
    return breaches;
}

QList<DocumentedDifference> documentedDifferences(Connection &connection) {
    QList<DocumentedDifference> differences = recordedDifferences(connection);
    for (const QString &opening : openingBalanceDifferences(connection))
        differences.append({QString(), QString(), 0, 0, opening});
    for (const ConversionRounding &rounding : conversionRoundings(connection))
        differences.append({QString(), QString(), 0, 0, rounding.text()});
    return differences;
}

} // namespace orbsales::package
