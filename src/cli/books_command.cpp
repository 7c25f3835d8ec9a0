#include "books_deliveries.h"
#include "books_report.h"
#include "commands.h"
#include "database_setup.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books_halfdone.h"
#include "orbsales/services/package/chart_postings.h"
#include "orbsales/values/errors.h"

#include <QStringList>
#include <algorithm>
#include <optional>

namespace orbsales::cli {

namespace {

using package::Books;

QString money(double value) { return QString::number(value, 'f', 2); }
QString quantity(double value) { return QString::number(value, 'f', 3); }

// Figures right-aligned within their column, so that the shared table printer lines them up.
void alignFigures(QList<QStringList> &rows, int firstFigure) {
    if (rows.isEmpty())
        return;
    for (qsizetype c = firstFigure; c < rows.first().size(); ++c) {
        qsizetype width = 0;
        for (const QStringList &row : rows)
            width = std::max(width, row.value(c).size());
        for (QStringList &row : rows)
            row[c] = row[c].rightJustified(width);
    }
}

} // namespace

void printTrialBalance(QTextStream &out, const Books &books) {
    out << "Trial balance\n";
    const QStringList headers{QStringLiteral("Account"), QStringLiteral("Name"),    QStringLiteral("Opening"),
                              QStringLiteral("Debits"),  QStringLiteral("Credits"), QStringLiteral("Balance")};
    QList<QStringList> rows;
    double opening = 0, debitBalances = 0, creditBalances = 0;
    for (const package::AccountLine &account : books.accounts) {
        rows << QStringList{account.accountNo,     account.name,           money(account.opening),
                            money(account.debits), money(account.credits), money(account.balance())};
        opening += account.opening;
        (account.balance() >= 0 ? debitBalances : creditBalances) += account.balance();
    }
    rows << QStringList{QStringLiteral("Total"), QString(),
                        money(opening),          money(books.debits),
                        money(books.credits),    money(debitBalances + creditBalances)};
    alignFigures(rows, 2);
    printTable(out, headers, rows);
    out << "Debit balances " << money(debitBalances) << ", credit balances " << money(-creditBalances) << '\n';
    out << "Ledger rows: home currency debits " << money(books.debits) << ", credits " << money(books.credits)
        << "; foreign currency debits " << money(books.fcDebits) << ", credits " << money(books.fcCredits) << "\n\n";
}

void printReceivables(QTextStream &out, const Books &books) {
    out << "Receivable balances\n";
    const QStringList headers{QStringLiteral("Customer"), QStringLiteral("Name"), QStringLiteral("Branch"),
                              QStringLiteral("Balance"), QStringLiteral("FC balance")};
    QList<QStringList> rows;
    for (const package::CustomerBalanceLine &line : books.receivables)
        rows << QStringList{line.customerCode, line.name, line.branch, money(line.balance), money(line.fcBalance)};
    alignFigures(rows, 3);
    printTable(out, headers, rows);
    out << '\n';
}

void printStock(QTextStream &out, const Books &books) {
    out << "Stock\n";
    const QStringList headers{QStringLiteral("Item"),    QStringLiteral("Name"),  QStringLiteral("Branch"),
                              QStringLiteral("Opening"), QStringLiteral("In"),    QStringLiteral("Out"),
                              QStringLiteral("In hand"), QStringLiteral("Value"), QStringLiteral("Ordered")};
    QList<QStringList> rows;
    for (const package::StockLine &line : books.stock)
        rows << QStringList{line.itemCode,          line.name,         line.branch,
                            quantity(line.opening), quantity(line.in), quantity(line.out),
                            quantity(line.inHand),  money(line.value), quantity(line.ordered)};
    alignFigures(rows, 3);
    printTable(out, headers, rows);
}

int printVerdict(QTextStream &out, Connection &connection) {
    const QStringList breaches = package::verifyBooks(connection);
    // Differences the package's rules make on purpose are shown with their amounts, not counted.
    auto listDifferences = [&] {
        const QList<package::DocumentedDifference> differences = package::documentedDifferences(connection);
        if (differences.isEmpty())
            return;
        out << "Documented differences (not breaches):\n";
        for (const package::DocumentedDifference &difference : differences)
            out << "  " << difference.text() << '\n';
    };
    const QList<package::HalfDoneDocument> halfDone = package::findHalfDoneDocuments(connection);
    if (breaches.isEmpty())
        out << "The books hold together: the ledger balances, every account, customer and stock balance "
               "agrees with its rows.\n";
    for (const QString &breach : breaches)
        out << breach << '\n';
    if (!breaches.isEmpty())
        out << breaches.size() << (breaches.size() == 1 ? " breach\n" : " breaches\n");
    listDifferences();
    if (halfDone.isEmpty()) {
        out << "No document is half-done.\n";
    } else {
        out << "Half-done documents (work stopped part-way; not breaches of the books):\n";
        for (const package::HalfDoneDocument &document : halfDone)
            out << "  " << document.text() << '\n';
        out << halfDone.size() << (halfDone.size() == 1 ? " half-done document\n" : " half-done documents\n");
    }
    if (!breaches.isEmpty())
        return kExitFailed;
    return halfDone.isEmpty() ? kExitOk : kExitHalfDone;
}

namespace {

// Runs `body` on a read-only connection to an initialised database: a database the user may
// not write (in a read-only directory, say) is read all the same. A database that cannot be
// opened, or read as the books, is reported with the usage exit code.
template <typename Body> int withBooks(const Invocation &call, const char *command, Body &&body) {
    if (!call.args.isEmpty()) {
        call.err << "usage: orbsales " << command << " [--db DB]\n";
        return kExitUsage;
    }
    Connection connection;
    if (const std::optional<int> refused =
            openForCommand(call, command, connection, DatabaseUse::Initialised, Connection::Access::ReadOnly))
        return *refused;
    try {
        return body(connection);
    } catch (const OrbError &error) {
        call.err << "orbsales " << command << ": " << displayName(call.db) << ": "
                 << hidePassword(error.description(), call.db) << '\n';
        return kExitUsage;
    }
}

// The engine's own check of the file (SQLite): empty when the file is sound, else its findings.
QStringList damage(Connection &connection) {
    if (connection.dialect() != Dialect::SQLite)
        return {};
    QStringList problems;
    try {
        for (const QVariantList &row : connection.select(QStringLiteral("PRAGMA integrity_check")).rows)
            if (row.value(0).toString() != QLatin1String("ok"))
                problems << row.value(0).toString();
    } catch (const OrbError &error) {
        problems << error.description();
    }
    return problems;
}

} // namespace

int runBooks(const Invocation &call) {
    return withBooks(call, "books", [&](Connection &connection) {
        const Books books = package::readBooks(connection);
        printTrialBalance(call.out, books);
        printReceivables(call.out, books);
        printStock(call.out, books);
        printDeliveryBooks(call.out, connection);
        return kExitOk;
    });
}

// Exit codes: 0 the books hold together and no document is half-done; 1 a breach of the books
// (half-done documents may be listed as well); 3 the books hold together but documents were left
// half-done; 2 the database cannot be checked (missing, not initialised, or a damaged file).
int runVerify(const Invocation &call) {
    return withBooks(call, "verify", [&](Connection &connection) {
        const QStringList problems = damage(connection);
        if (!problems.isEmpty()) {
            call.err << "orbsales verify: " << displayName(call.db) << " is damaged:\n";
            for (const QString &problem : problems.mid(0, 10))
                call.err << "  " << problem << '\n';
            return kExitUsage;
        }
        return printVerdict(call.out, connection);
    });
}

} // namespace orbsales::cli
