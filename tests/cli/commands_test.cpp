#include "cli_fixture.h"
#include "database_setup.h"
#include "orbsales/data/schema.h"
#include "scenario_runner.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace orbsales::testing {
namespace {

// The fixture's database has the schema; without its version row it is what init finds on a
// database that was never initialised.
class CommandTest : public DatabaseTest {
protected:
    void forgetSchema() { database().execute(QStringLiteral("Delete from Schema_Version")); }

    std::map<QString, int> rowCounts() {
        std::map<QString, int> counts;
        for (const schema::Table &table : schema::Schema::instance().tables())
            counts[table.name] = database().count(table.name);
        return counts;
    }
    // Runs a command on the test database; its exit code, what it printed on stdout and on stderr.
    std::tuple<int, QString, QString> run(int (*command)(const cli::Invocation &), const QStringList &args = {},
                                          bool explicitDb = false) {
        CapturedOutput output;
        const int code = command(output.call(connectionString(), args, explicitDb));
        output.flush();
        return {code, output.out, output.err};
    }
};

TEST_F(CommandTest, InitSeedsTheDemoCompanyOnceWithACounterForEveryDocumentPrefix) {
    forgetSchema();
    EXPECT_EQ(std::get<0>(run(cli::runInit)), 0);
    const std::map<QString, int> seeded = rowCounts();
    const auto [code, out, err] = run(cli::runInit);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.endsWith(" is already initialised\n")) << out.toStdString();
    EXPECT_EQ(rowCounts(), seeded);

    // The counters start at 1, past the processed deliveries and the direct sales invoice the
    // demo company starts with.
    const QHash<QString, QString> pastSeeded{{"HO DEL", "2"}, {"B2 DEL", "2"}, {"HO DDL", "3"}, {"HO DSI", "2"}};
    QList<QStringList> counters;
    for (const QString branch : {"B2", "HO"})
        for (const QString prefix :
             {"CHM", "COB", "CRM", "DDL", "DEL", "DSI", "INV", "OBR", "PDC", "SOR", "SQT", "SRT"})
            counters << QStringList{"01", branch, prefix, pastSeeded.value(branch + ' ' + prefix, "1")};
    EXPECT_EQ(rowsOf(database(), "Document_Prefix", "Company_Prefix, Branch_Prefix, Document_Prefix, Document_Next_No",
                     "Order by Branch_Prefix, Document_Prefix"),
              counters);
    EXPECT_EQ(rowsOf(database(), "Branch_Master", "Branch_Prefix", "Order by Branch_Prefix"),
              (QList<QStringList>{{"B2"}, {"HO"}}));
    EXPECT_EQ(rowsOf(database(), "Currency_Master", "Currency_Code, Home_Currency_Flag, Currency_Symbol",
                     "Where Currency_Code in ('AED', 'USD') Order by Currency_Code"),
              (QList<QStringList>{{"AED", "1", "Dhs"}, {"USD", "0", "$"}}));
}

// The whole chain of one run: Gulf Builders' quotation, the order raised from it, the delivery of
// the order, the invoice of the delivery, the return against the invoice with its credit memo and
// a cash memo, each processed and each found from the one before it; then the books, whole.
void expectTheWholeChain(TestDatabase &db, const QString &out, int runs) {
    for (const char *document : {"Quotation    01HOSQT\\d+ +", "Order        01HOSOR\\d+ +01HOSQT\\d+",
                                 "Delivery     01HODEL\\d+ +01HOSOR\\d+", "Invoice      01HOINV\\d+ +01HODEL\\d+",
                                 "Return       01HOSRT\\d+ +01HOINV\\d+", "Credit memo  01HOCRM\\d+ +01HOSRT\\d+",
                                 "Cash memo    01HOCHM\\d+ +"})
        EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\\n  %1 +01C002 +True ").arg(document))))
            << document << '\n'
            << out.toStdString();
    const QString chain[] = {
        "Sales_Quotation_Master Q Where Q.Customer_Code = '01C002' and Q.process_Flag = 1",
        "Sales_Order_Master O Where O.process_Flag = 1 and COALESCE(O.Cancel_Flag, 0) = 0 and O.Sales_Quot_No in "
        "(Select Q.Sales_Quot_No from %1)",
        "Delivery_Master D Where D.Processed_Flag = 1 and D.Source_No in (Select O.Sales_Ord_No from %1)",
        "Sales_Invoice_Master I Where I.Processed_Flag = 1 and I.Sales_Inv_No in (Select L.Sales_Inv_No from "
        "Sales_Invoice_Detail L, %1 and L.Delivery_No = D.Delivery_No)",
        "Sales_Return_Master R Where R.Processed_Flag = 1 and R.Ref_No in (Select I.Sales_Inv_No from %1)"};
    QString links = chain[0];
    for (const QString &link : chain) {
        links = link.contains("%1") ? link.arg(links) : link;
        EXPECT_EQ(db.scalar("Select count(*) from " + links).toInt(), runs) << links.toStdString();
    }
    EXPECT_EQ(db.count("Cash_Memo_Master", "Customer_Code = '01C002' and process_Flag = 1"), runs);
    // The seeded direct sales invoice of 216, and per run an invoice of 385 less a bracket of 85.
    EXPECT_EQ(rowOf(db, "Customer_Master_Balance", "Customer_Balance",
                    "Where Customer_Code = '01C002' and Branch_Prefix = 'HO'"),
              QStringList{QString::number(216 + 300 * runs)});
    const QString books = out.mid(out.indexOf("\nThe books\n=========\n"));
    EXPECT_TRUE(books.contains("\n  01C002    Gulf Builders Co.  HO  ")) << books.toStdString();
    EXPECT_FALSE(books.contains("Acme Trading LLC")) << books.toStdString();
    EXPECT_TRUE(books.contains("\nVerify\nThe books hold together: ")) << books.toStdString();
    EXPECT_TRUE(books.contains("\nNo document is half-done.\n")) << books.toStdString();
}

// The second run is all-or-nothing (--atomic): the demonstration runs the same either way.
TEST_F(CommandTest, DemoRunsAgainOnItsOwnDatabaseAndNumbersGoOn) {
    forgetSchema();
    const auto [code, out, err] = run(cli::runDemo);
    ASSERT_EQ(code, 0) << err.toStdString();
    const int afterFirst = database().count("Sales_Quotation_Master");
    EXPECT_GT(afterFirst, 0);
    EXPECT_TRUE(out.contains("\"Invalid Sub Total\""));
    expectTheWholeChain(database(), out, 1);
    const auto [again, outAgain, errAgain] = run(cli::runDemo, {"--atomic"});
    ASSERT_EQ(again, 0) << errAgain.toStdString();
    expectTheWholeChain(database(), outAgain, 2);
    EXPECT_EQ(database().count("Sales_Quotation_Master"), 2 * afterFirst);
    EXPECT_EQ(database().count("Sales_Quotation_Master", "Cancel_Flag = 1"), 2);
    EXPECT_EQ(database().count("Sales_Quotation_Master", "Sales_Quot_No = ?",
                               {QStringLiteral("01HOSQT%1").arg(2 * afterFirst)}),
              1);
}

// On the user's database: the documents and pre-filled rows are added to it, the figures stand
// in one column, and the books still hold together afterwards.
TEST_F(CommandTest, BenchOnTheGivenDatabaseKeepsItsBooksBalanced) {
    demo::seedDemoCompany(database().connection());
    const auto [code, out, err] = run(cli::runBench, {"--rows", "120", "--count", "2"}, true);
    ASSERT_EQ(code, 0) << err.toStdString();
    const qsizetype measurements = out.count(QRegularExpression("^ratio: \\d+\\.\\d\\d$", QRegularExpression::MultilineOption));
    EXPECT_GE(measurements, 4) << out.toStdString();
    EXPECT_EQ(out.count("  before pre-filling "), measurements) << out.toStdString();
    EXPECT_FALSE(out.contains("fresh database"));
    // The column at which each figure line's rate ends, so the lines can be seen to align.
    QList<qsizetype> columns;
    const qsizetype chains = out.indexOf("\nchains (");
    ASSERT_GT(chains, 0) << out.toStdString();
    for (const QString &line : out.left(chains).split('\n'))
        if (line.contains(" per second "))
            columns << line.indexOf(" per second ");
    EXPECT_EQ(columns, QList<qsizetype>(2 * measurements, columns.value(0))) << out.toStdString();
    // The progress of each pre-fill counts every row it writes: 6 per customer; quotations
    // and their lines; purchase lots, return lines and their masters.
    for (const char *total : {"100% (720 of 720 rows)", "100% (132 of 132 rows)", "100% (126 of 126 rows)"})
        EXPECT_TRUE(err.contains(QLatin1String(total))) << total << '\n' << err.toStdString();
    // Warm-up, fresh and pre-filled quotations of 10 lines each, and the pre-filled lines.
    EXPECT_EQ(database().count("Sales_Quotation_Detail"), (3 + 2 + 2) * 10 + 120);
    // Cash memos alike: their lines and one master per 10 of them (132 rows) are pre-filled.
    EXPECT_EQ(database().count("Cash_Memo_Detail"), (3 + 2 + 2) * 10 + 120);
    // The chain: each mode before and after pre-filling, against its bare replay on SQLite and
    // with one and two clients on PostgreSQL.
    EXPECT_EQ(out.count(QRegularExpression("^  before pre-filling, (one commit per statement|all or nothing) +"
                                           "\\d+\\.\\d per second ",
                                           QRegularExpression::MultilineOption)),
              2)
        << out.toStdString();
    EXPECT_TRUE(out.contains("ratio (time per chain after pre-filling / before): one commit per statement "))
        << out.toStdString();
    EXPECT_EQ(out.count("statements per chain") + out.count(" per chain): ours "), 4) << out.toStdString();
    EXPECT_EQ(out.count("ratio (chains per second, 2 clients / 1): "), database().dialect() == Dialect::PostgreSQL ? 2 : 0)
        << out.toStdString();
    const auto [verified, books, problems] = run(cli::runVerify);
    EXPECT_EQ(verified, 0);
    EXPECT_TRUE(books.startsWith("The books hold together")) << books.toStdString();
}

// Without --db each measurement has a new temporary database of its own; the user's is not
// touched.
TEST_F(CommandTest, BenchWithoutADatabaseStartsEachMeasurementFresh) {
    const std::map<QString, int> untouched = rowCounts();
    const auto [code, out, err] = run(cli::runBench, {"--rows", "20", "--count", "1"});
    ASSERT_EQ(code, 0) << err.toStdString();
    EXPECT_EQ(out.count("  fresh database "), out.count("ratio: ")) << out.toStdString();
    EXPECT_TRUE(out.contains("a new temporary SQLite file for each measurement"));
    EXPECT_EQ(rowCounts(), untouched);
}

TEST_F(CommandTest, BadArgumentsAreRefusedWithUsage) {
    const struct {
        int (*command)(const cli::Invocation &);
        QStringList args;
        const char *message;
    } cases[] = {{cli::runInit, {"now"}, "usage: orbsales init"},
                 {cli::runScenario, {"--atomic"}, "usage: orbsales run [--atomic] FILE"},
                 {cli::runBench, {"--count", "0"}, "--count needs a number of at least 1"},
                 {cli::runBench, {"--fast"}, "unknown option --fast"},
                 {cli::runBench,
                  {"--only", "chains"},
                  "--only needs one of customers, quotations, orders, deliveries, cashmemos, invoices, returns, "
                  "conversion, chain"}};
    for (const auto &c : cases) {
        const auto [code, out, err] = run(c.command, c.args);
        EXPECT_EQ(code, 2) << c.message;
        EXPECT_TRUE(err.contains(QLatin1String(c.message))) << c.message << ": " << err.toStdString();
    }
    forgetSchema();
    const auto [code, out, err] = run(cli::runScenario, {"any.json"});
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(err.contains("is not initialised")) << err.toStdString();
}

std::vector<std::string> exampleFiles() {
    const QDir dir(QStringLiteral(ORBSALES_EXAMPLES_DIR));
    std::vector<std::string> files;
    for (const QString &file : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        files.push_back(file.toStdString());
    return files;
}

TEST(Examples, AreThere) { EXPECT_GE(exampleFiles().size(), 3); }

class ExampleScenario : public DatabaseTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (db)
            cli::seedDemoDatabase(database().connection());
    }
};

// Each example holds on a database fresh from `orbsales init`.
TEST_P(ExampleScenario, PassesOnAFreshDemoDatabase) {
    CapturedOutput output;
    cli::ScenarioRunner runner(connectionString(), output.outStream, output.errStream);
    const auto outcome = runner.runFile(QStringLiteral(ORBSALES_EXAMPLES_DIR "/") + QString::fromStdString(GetParam()));
    output.flush();
    EXPECT_EQ(outcome, cli::ScenarioRunner::Outcome::Passed) << runner.failure().toStdString() << "\n"
                                                             << output.out.toStdString();
    EXPECT_GT(runner.stepsCompleted(), 0);
}

// And again with every operation all-or-nothing (orbsales run --atomic).
TEST_P(ExampleScenario, PassesWithEveryOperationAllOrNothing) {
    CapturedOutput output;
    cli::ScenarioRunner runner(connectionString(), output.outStream, output.errStream);
    runner.setAtomic(true);
    const auto outcome = runner.runFile(QStringLiteral(ORBSALES_EXAMPLES_DIR "/") + QString::fromStdString(GetParam()));
    output.flush();
    EXPECT_EQ(outcome, cli::ScenarioRunner::Outcome::Passed) << runner.failure().toStdString() << "\n"
                                                             << output.out.toStdString();
    EXPECT_TRUE(output.out.contains(QStringLiteral("AtomicFlag given"))) << output.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExampleScenario, ::testing::ValuesIn(exampleFiles()), [](const ::testing::TestParamInfo<std::string> &info) {
        QString name = QString::fromStdString(info.param);
        name.chop(5); // .json
        return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_")).toStdString();
    });

} // namespace
} // namespace orbsales::testing
