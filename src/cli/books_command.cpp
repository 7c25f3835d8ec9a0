#include "books_deliveries.h"
#include "commands.h"
#include "database_setup.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/chart_postings.h"

#include <QStringList>
#include <algorithm>

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

// Runs `body` on an open connection to an initialised database. A database that is missing,
// not initialised or cannot be read is reported with the usage exit code.
template <typename Body> int withBooks(const Invocation &call, const char *command, Body &&body) {
    if (!call.args.isEmpty()) {
        call.err << "usage: orbsales " << command << " [--db DB]\n";
        return kExitUsage;
    }
    try {
        if (isMissingSqliteFile(call.db)) {
            call.err << "orbsales " << command << ": " << displayName(call.db)
                     << " does not exist; run orbsales init first\n";
            return kExitUsage;
        }
        Connection connection;
        connection.open(call.db);
        if (!isInitialised(connection)) {
            call.err << "orbsales " << command << ": " << displayName(call.db)
                     << " is not initialised; run orbsales init first\n";
            return kExitUsage;
        }
        return body(connection);
    } catch (const OrbError &error) {
        call.err << "orbsales " << command << ": " << displayName(call.db) << ": " << error.description() << '\n';
        return kExitUsage;
    }
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

int runVerify(const Invocation &call) {
    return withBooks(call, "verify", [&](Connection &connection) {
        const QStringList breaches = package::verifyBooks(connection);
        // Differences the package's rules make on purpose are shown with their amounts, not counted.
        auto listDifferences = [&] {
            const QList<package::DocumentedDifference> differences = package::documentedDifferences(connection);
            if (differences.isEmpty())
                return;
            call.out << "Documented differences (not breaches):\n";
            for (const package::DocumentedDifference &difference : differences)
                call.out << "  " << difference.text() << '\n';
        };
        if (breaches.isEmpty()) {
            call.out << "The books hold together: the ledger balances, every account, customer and stock balance "
                        "agrees with its rows.\n";
            listDifferences();
            return kExitOk;
        }
        for (const QString &breach : breaches)
            call.out << breach << '\n';
        call.out << breaches.size() << (breaches.size() == 1 ? " breach\n" : " breaches\n");
        listDifferences();
        return kExitFailed;
    });
}

} // namespace orbsales::cli
