#include "cli_fixture.h"

#include "orbsales/data/schema.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
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
};

TEST_F(CommandTest, InitSeedsTheDemoCompanyOnce) {
    forgetSchema();
    CapturedOutput first;
    EXPECT_EQ(cli::runInit(first.call(connectionString())), 0);
    const std::map<QString, int> seeded = rowCounts();

    CapturedOutput second;
    EXPECT_EQ(cli::runInit(second.call(connectionString())), 0);
    second.flush();
    EXPECT_TRUE(second.out.endsWith(QStringLiteral(" is already initialised\n"))) << second.out.toStdString();
    EXPECT_EQ(rowCounts(), seeded);
}

TEST_F(CommandTest, InitGivesEveryDocumentPrefixACounterInBothBranches) {
    forgetSchema();
    CapturedOutput output;
    ASSERT_EQ(cli::runInit(output.call(connectionString())), 0);
    const QStringList prefixes = demo::documentPrefixes();
    EXPECT_EQ(prefixes.size(), 11);
    for (const QString &branch : {QStringLiteral("HO"), QStringLiteral("B2")}) {
        for (const QString &prefix : prefixes)
            EXPECT_EQ(database().count(QStringLiteral("Document_Prefix"),
                                       QStringLiteral("Company_Prefix = '01' and Branch_Prefix = ? and "
                                                      "Document_Prefix = ? and Document_Next_No = 1"),
                                       {branch, prefix}),
                      1)
                << branch.toStdString() << ' ' << prefix.toStdString();
        EXPECT_EQ(database().count(QStringLiteral("Branch_Master"), QStringLiteral("Branch_Prefix = ?"), {branch}), 1);
    }
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("Select Currency_Code from Currency_Master Where Home_Currency_Flag = 1"))
                  .toString(),
              QStringLiteral("AED"));
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("Select Currency_Symbol from Currency_Master Where Currency_Code = 'USD'"))
                  .toString(),
              QStringLiteral("$"));
}

TEST_F(CommandTest, DemoRunsAgainOnItsOwnDatabaseAndNumbersGoOn) {
    forgetSchema();
    CapturedOutput first;
    ASSERT_EQ(cli::runDemo(first.call(connectionString())), 0) << first.err.toStdString();
    first.flush();
    const int afterFirst = database().count(QStringLiteral("Sales_Quotation_Master"));
    EXPECT_GT(afterFirst, 0);
    EXPECT_TRUE(first.out.contains(QStringLiteral("\"Invalid Sub Total\"")));

    CapturedOutput second;
    ASSERT_EQ(cli::runDemo(second.call(connectionString())), 0) << second.err.toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), 2 * afterFirst);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master"), QStringLiteral("Cancel_Flag = 1")), 2);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master"), QStringLiteral("Sales_Quot_No = ?"),
                               {QStringLiteral("01HOSQT%1").arg(2 * afterFirst)}),
              1);
}

// The column at which each figure line's rate ends, so the lines can be seen to align.
std::vector<qsizetype> rateColumns(const QString &out) {
    std::vector<qsizetype> columns;
    for (const QString &line : out.split(QLatin1Char('\n')))
        if (line.contains(QStringLiteral(" per second ")))
            columns.push_back(line.indexOf(QStringLiteral(" per second ")));
    return columns;
}

// On the user's database: the documents and pre-filled rows are added to it, the figures stand
// in one column, and the books still hold together afterwards.
TEST_F(CommandTest, BenchOnTheGivenDatabaseKeepsItsBooksBalanced) {
    demo::seedDemoCompany(database().connection());
    CapturedOutput output;
    const int code = cli::runBench(output.call(
        connectionString(),
        {QStringLiteral("--rows"), QStringLiteral("120"), QStringLiteral("--count"), QStringLiteral("2")}, true));
    output.flush();
    ASSERT_EQ(code, 0) << output.err.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^ratio: \\d+\\.\\d\\d$"), QRegularExpression::MultilineOption)
                    .match(output.out)
                    .hasMatch())
        << output.out.toStdString();
    EXPECT_EQ(output.out.count(QStringLiteral("  before pre-filling ")), 3) << output.out.toStdString();
    EXPECT_FALSE(output.out.contains(QStringLiteral("fresh database")));
    const std::vector<qsizetype> columns = rateColumns(output.out);
    ASSERT_EQ(columns.size(), 6u) << output.out.toStdString();
    for (qsizetype column : columns)
        EXPECT_EQ(column, columns.front()) << output.out.toStdString();
    // The progress of each pre-fill counts every row it writes: 6 per customer; quotations
    // and their lines; order lines, their masters and 3 rows for each of 2 items.
    for (const char *total : {"100% (720 of 720 rows)", "100% (132 of 132 rows)", "100% (138 of 138 rows)"})
        EXPECT_TRUE(output.err.contains(QLatin1String(total))) << total << '\n' << output.err.toStdString();
    // Warm-up, fresh and pre-filled quotations of 10 lines each, and the pre-filled lines.
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Detail")), (3 + 2 + 2) * 10 + 120);

    CapturedOutput verify;
    EXPECT_EQ(cli::runVerify(verify.call(connectionString())), 0);
    verify.flush();
    EXPECT_TRUE(verify.out.startsWith(QStringLiteral("The books hold together"))) << verify.out.toStdString();
}

// Without --db each measurement has a new temporary database of its own; the user's is not
// touched.
TEST_F(CommandTest, BenchWithoutADatabaseStartsEachMeasurementFresh) {
    const std::map<QString, int> untouched = rowCounts();
    CapturedOutput output;
    const int code = cli::runBench(output.call(
        connectionString(), {QStringLiteral("--rows"), QStringLiteral("20"), QStringLiteral("--count"),
                             QStringLiteral("1")}));
    output.flush();
    ASSERT_EQ(code, 0) << output.err.toStdString();
    EXPECT_EQ(output.out.count(QStringLiteral("  fresh database ")), 3) << output.out.toStdString();
    EXPECT_TRUE(output.out.contains(QStringLiteral("a new temporary SQLite file for each measurement")));
    EXPECT_EQ(rowCounts(), untouched);
}

struct BadArguments {
    const char *label;
    int (*command)(const cli::Invocation &);
    QStringList args;
    const char *message;
};

class CommandArguments : public CommandTest, public ::testing::WithParamInterface<BadArguments> {};

TEST_P(CommandArguments, AreRefusedWithUsage) {
    const BadArguments &c = GetParam();
    CapturedOutput output;
    EXPECT_EQ(c.command(output.call(connectionString(), c.args)), 2) << c.label;
    output.flush();
    EXPECT_TRUE(output.err.contains(QLatin1String(c.message))) << c.label << ": " << output.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandArguments,
    ::testing::Values(
        BadArguments{"init takes no words", cli::runInit, {QStringLiteral("now")}, "usage: orbsales init"},
        BadArguments{"run needs a file", cli::runScenario, {QStringLiteral("--atomic")},
                     "usage: orbsales run [--atomic] FILE"},
        BadArguments{"bench count of 0",
                     cli::runBench,
                     {QStringLiteral("--count"), QStringLiteral("0")},
                     "--count needs a number of at least 1"},
        BadArguments{"bench unknown option", cli::runBench, {QStringLiteral("--fast")}, "unknown option --fast"}),
    [](const ::testing::TestParamInfo<BadArguments> &info) { return "case" + std::to_string(info.index); });

TEST_F(CommandTest, RunRefusesADatabaseThatWasNeverInitialised) {
    forgetSchema();
    CapturedOutput output;
    EXPECT_EQ(cli::runScenario(output.call(connectionString(), {QStringLiteral("any.json")})), 2);
    output.flush();
    EXPECT_TRUE(output.err.contains(QStringLiteral("is not initialised"))) << output.err.toStdString();
}

} // namespace
} // namespace orbsales::testing
