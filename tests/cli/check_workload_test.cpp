#include "check.h"
#include "cli_fixture.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"

#include <gtest/gtest.h>

#include <QSet>
#include <exception>
#include <thread>
#include <vector>

// The randomized books check on the test's database: one client for a few hundred steps, and
// a few clients at once (threads, each with its own connection, as several users are), after
// which the books hold together and every family of documents has been driven.
namespace orbsales::testing {
namespace {

class CheckWorkload : public SeededDatabaseTest {
protected:
    cli::CheckRun run(quint64 seed, int steps, int client, int clients) {
        Connection connection;
        connection.open(connectionString());
        return {connectionString(), seed, steps, client, clients, false, cli::manualNumbersFrom(connection)};
    }
    QStringList breaches() { return package::verifyBooks(database().connection()); }
    // Every document's number, kind by kind.
    QStringList numbers() {
        QStringList found;
        for (const char *sql : {"Select Sales_Ord_No from Sales_Order_Master Order by Sales_Ord_No",
                                "Select Delivery_No from Delivery_Master Order by Delivery_No",
                                "Select Sales_Inv_No from Sales_Invoice_Master Order by Sales_Inv_No",
                                "Select Cash_Memo_No from Cash_Memo_Master Order by Cash_Memo_No",
                                "Select Sales_Rtn_No from Sales_Return_Master Order by Sales_Rtn_No"})
            for (const QVariantList &row : database().connection().select(QString::fromLatin1(sql)).rows)
                found << row.first().toString();
        return found;
    }
};

// Typed numbers run downwards inside each client's own band, above every counter.
TEST_F(CheckWorkload, TypedNumbersComeFromTheClientsOwnBand) {
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No = 1234567 Where "
                                      "Document_Prefix = 'INV' and Branch_Prefix = 'HO'"));
    Connection connection;
    connection.open(connectionString());
    const qint32 from = cli::manualNumbersFrom(connection);
    EXPECT_EQ(from, 2000000);
    const struct {
        int client;
        double first, second;
    } cases[] = {{0, 2999999, 2999998}, {1, 3999999, 3999998}, {3, 5999999, 5999998}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.client);
        std::mt19937_64 random(1);
        cli::CheckContext context{connectionString(), connection, random, c.client, 4, false, from, {}, 0};
        EXPECT_EQ(context.manualNumber(), c.first);
        EXPECT_EQ(context.manualNumber(), c.second);
    }
}

TEST_F(CheckWorkload, OneClientDrivesEveryFamilyAndTheBooksHoldTogether) {
    const cli::CheckTally tally = cli::runWorkload(run(3, 300, 0, 1), {});
    EXPECT_EQ(breaches(), QStringList());
    const QStringList families{QStringLiteral("new customer"),      QStringLiteral("opening balance"),
                               QStringLiteral("goods received"),    QStringLiteral("order"),
                               QStringLiteral("cancelled order"),   QStringLiteral("order delivery"),
                               QStringLiteral("direct delivery"),   QStringLiteral("invoice"),
                               QStringLiteral("cancelled invoice"), QStringLiteral("cash memo, cash"),
                               QStringLiteral("cash memo, cheque"), QStringLiteral("cash memo, card"),
                               QStringLiteral("point of sale"),     QStringLiteral("cancelled memo"),
                               QStringLiteral("return of invoice"), QStringLiteral("return of direct invoice"),
                               QStringLiteral("return of delivery"), QStringLiteral("return of direct delivery"),
                               QStringLiteral("return of cash memo"), QStringLiteral("synchronised copy")};
    for (const QString &family : families) {
        SCOPED_TRACE(family.toStdString());
        const qsizetype index = tally.names.indexOf(family);
        ASSERT_GE(index, 0);
        EXPECT_GT(tally.ran[size_t(index)], 0);
        EXPECT_LT(tally.refused[size_t(index)], tally.ran[size_t(index)]);
    }
    // Documents were made and processed in every mode the classes offer.
    EXPECT_GT(count(QStringLiteral("Sales_Return_Master"), QStringLiteral("Processed_Flag = 1")), 0);
    EXPECT_GT(count(QStringLiteral("Cash_Memo_Master"), QStringLiteral("Payment_Type = 'Credit Card'")), 0);
    EXPECT_GT(count(QStringLiteral("Sales_Invoice_Master"), QStringLiteral("Foreign_Currency_Flag = 1")), 0);
}

TEST_F(CheckWorkload, TheSameSeedMakesTheSameDocuments) {
    cli::runWorkload(run(5, 60, 0, 1), {});
    const QStringList first = numbers();
    TearDown();
    SetUp();
    cli::runWorkload(run(5, 60, 0, 1), {});
    EXPECT_EQ(numbers(), first);
}

// Three users at once on one database: each types its own numbers, none is used twice, no line
// goes missing, no quantity another user added is lost, and no "database is locked" reaches a
// document (a refusal that tells of contention stops the workload with an exception). All or
// nothing: without it one user may cancel an invoice another is still posting.
TEST_F(CheckWorkload, SeveralClientsAtOnceLeaveTheBooksWhole) {
    constexpr int kClients = 3;
    Connection reader;
    reader.open(connectionString());
    const qint32 from = cli::manualNumbersFrom(reader);
    std::vector<std::exception_ptr> failures(kClients);
    std::vector<cli::CheckTally> tallies(kClients);
    std::vector<std::thread> clients;
    for (int client = 0; client < kClients; ++client)
        clients.emplace_back([&, client] {
            try {
                tallies[size_t(client)] =
                    cli::runWorkload({connectionString(), 23, 120, client, kClients, true, from}, {});
            } catch (...) {
                failures[size_t(client)] = std::current_exception();
            }
        });
    for (std::thread &client : clients)
        client.join();
    for (int client = 0; client < kClients; ++client) {
        SCOPED_TRACE(client);
        if (failures[size_t(client)]) {
            try {
                std::rethrow_exception(failures[size_t(client)]);
            } catch (const std::exception &error) {
                FAIL() << error.what();
            }
        }
        int steps = 0;
        for (int ran : tallies[size_t(client)].ran)
            steps += ran;
        EXPECT_GE(steps, 120);
    }
    EXPECT_EQ(breaches(), QStringList());
}

} // namespace
} // namespace orbsales::testing
