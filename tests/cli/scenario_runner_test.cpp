#include "cli_fixture.h"
#include "scenario_runner.h"

#include "orbsales/frame/registrations.h"

#include <QObject>
#include <gtest/gtest.h>

// A component whose operations take arguments by reference and answer a text, as some of the
// package's siblings do.
class ReferenceTaker : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE bool Twice(double &value, QString &text) {
        value *= 2;
        text += text;
        return true;
    }
    Q_INVOKABLE QString Echo(const QString &text, int times) { return text.repeated(times); }
};

namespace orbsales::testing {
namespace {

using Outcome = cli::ScenarioRunner::Outcome;

// The steps that make a valid home-currency quotation object "q" with two lines.
const char *const kValidQuotation = R"(
    {"create": "OrbSales.SalesQuotation", "as": "q"},
    {"set": "q", "values": {"CompanyPrefix": "01", "BranchPrefix": "HO", "DocumentPrefix": "SQT",
        "CustomerCode": "01C001", "CustomerName": "Acme Trading LLC", "SalesQuotDate": "2026-12-05",
        "SalesQuotSubTotal": 100, "SalesQuotAmount": 95, "SalesQuotDiscAmount": 5, "CurrencyCode": "AED",
        "AllowCancelFlag": true, "LastUpdate": "2026-12-05T09:30:00"}},
    {"grid": "q", "property": "QuotationGrid", "rowCount": 6, "cols": 15,
     "rows": [["", "A100", "Widget", "1", "Nos", "1", "4", "12.5", "0", "0", "50", "50", "0", "12.5", "0"],
              ["", "A200", "Gadget", "1", "Nos", "1", "2", "25", "0", "0", "50", "50", "0", "25", "0"]]})";

QByteArray scenario(const QString &steps) {
    return (QStringLiteral("{\"steps\": [") + steps + QStringLiteral("]}")).toUtf8();
}

class ScenarioRunnerTest : public SeededDatabaseTest {
protected:
    void TearDown() override {
        runner.reset(); // its connections close before the database goes
        SeededDatabaseTest::TearDown();
    }
    Outcome run(const QString &steps) {
        runner = std::make_unique<cli::ScenarioRunner>(connectionString(), output.outStream, output.errStream);
        const Outcome outcome = runner->run(scenario(steps), QStringLiteral("test"));
        output.flush();
        return outcome;
    }
    int quotations() { return database().count(QStringLiteral("Sales_Quotation_Master")); }

    CapturedOutput output;
    std::unique_ptr<cli::ScenarioRunner> runner;
};

TEST_F(ScenarioRunnerTest, CreatesReloadsAndChecksAQuotationByName) {
    const Outcome outcome = run(QString::fromLatin1(kValidQuotation) + QStringLiteral(R"(,
        {"call": "q", "operation": "Create_Quotation", "expect": true},
        {"expect": "q", "values": {"SalesQuotNo": "01HOSQT1", "salesquotidentity": 1, "CurrencySymbol": "Dhs"}},
        {"create": "OrbSales.SalesQuotation", "as": "r"},
        {"set": "r", "values": {"SalesQuotNo": {"ref": "q.SalesQuotNo"}}},
        {"grid": "r", "property": "QuotationGrid", "rows": [], "rowCount": 2},
        {"call": "r", "operation": "Get_Quotation", "args": [], "expect": true},
        {"expect": "r", "values": {"SalesQuotDate": "2026-12-05T00:00:00", "SalesQuotAmount": 95.0,
                                   "CancelFlag": 0, "SalesQuotComments": ""}},
        {"expectGrid": "r", "property": "QuotationGrid", "rowCount": 4,
         "cells": {"1,1": "A100", "1,6": 4, "2,2": "Gadget", "2,14": false}},
        {"sql": "select count(*) as n, sum(Sales_Quot_Qty) as qty from Sales_Quotation_Detail where Sales_Quot_No = ?",
         "params": [{"ref": "r.SalesQuotNo"}], "expectRows": [{"N": 2, "qty": 6}]}
    )"));
    EXPECT_EQ(outcome, Outcome::Passed) << runner->failure().toStdString();
    EXPECT_EQ(runner->stepsCompleted(), 12);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Detail"), QStringLiteral("Sales_Quot_No = '01HOSQT1'")),
              2);
    EXPECT_TRUE(output.out.contains(QStringLiteral("call q.Create_Quotation() -> true")));
}

TEST_F(ScenarioRunnerTest, AFailedExpectationNamesStepExpectedAndActualAndStops) {
    const Outcome outcome = run(QString::fromLatin1(kValidQuotation) + QStringLiteral(R"(,
        {"set": "q", "values": {"CompanyPrefix": ""}},
        {"call": "q", "operation": "Create_Quotation", "expect": false},
        {"expect": "q", "values": {"ErrDesc": "Invalid Sub Total"}},
        {"call": "q", "operation": "Update_Quotation"}
    )"));
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(cli::ScenarioRunner::exitCode(outcome), 1);
    EXPECT_EQ(runner->failure(),
              QStringLiteral(
                  "step 6 (expect): q.ErrDesc: expected \"Invalid Sub Total\", actual \"Invalid Comapny Prefix\""));
    EXPECT_EQ(runner->stepsCompleted(), 5);
    EXPECT_FALSE(output.out.contains(QStringLiteral("Update_Quotation")));
}

TEST_F(ScenarioRunnerTest, AnUnexpectedResultCarriesTheErrDesc) {
    const Outcome outcome = run(QString::fromLatin1(kValidQuotation) + QStringLiteral(R"(,
        {"set": "q", "values": {"SalesQuotSubTotal": 0}},
        {"call": "q", "operation": "Create_Quotation", "expect": true}
    )"));
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(runner->failure(), QStringLiteral("step 5 (call): q.Create_Quotation returned false, expected true "
                                                "(ErrDesc \"Invalid Sub Total\")"));
    EXPECT_EQ(quotations(), 0);
    // The call's own line, then the stop under the step's number as for every kind of step.
    EXPECT_TRUE(output.out.contains(QStringLiteral("step 5 call q.Create_Quotation() -> false  (ErrDesc \"Invalid "
                                                   "Sub Total\")\nstep 5 call: stopped\n")))
        << output.out.toStdString();
}

TEST_F(ScenarioRunnerTest, ReferenceParametersGetTheRunnersOpenConnection) {
    const Outcome outcome = run(QStringLiteral(R"(
        {"create": "OrbSystem.CounterTransaction", "as": "c"},
        {"set": "c", "values": {"CompanyPrefix": "01", "BranchPrefix": "B2", "DocumentPrefix": "INV"}},
        {"call": "c", "operation": "Get_Last_Counter", "args": ["connection"], "expect": true},
        {"expect": "c", "values": {"NextDocumentNo": 1}},
        {"call": "c", "operation": "Increase_Counter", "expect": true},
        {"sql": "select Document_Next_No from Document_Prefix where Document_Prefix = 'INV' and Branch_Prefix = 'B2'",
         "expectRows": [{"Document_Next_No": 2}]}
    )"));
    EXPECT_EQ(outcome, Outcome::Passed) << runner->failure().toStdString();
}

TEST_F(ScenarioRunnerTest, ArgumentsByReferenceAreTheRunnersAndTextResultsCompare) {
    const Registry::Override taker(QStringLiteral("Test.ReferenceTaker"), factoryOf<ReferenceTaker>());
    const Outcome outcome = run(QStringLiteral(R"(
        {"create": "Test.ReferenceTaker", "as": "t"},
        {"call": "t", "operation": "Twice", "args": [2.5, "ab"], "expect": true},
        {"call": "t", "operation": "Echo", "args": ["ab", 3], "expect": "ababab"},
        {"call": "t", "operation": "Echo", "args": ["ab", 1.5]}
    )"));
    EXPECT_EQ(outcome, Outcome::BadInput);
    EXPECT_TRUE(
        output.out.contains(QStringLiteral("call t.Twice(2.5, \"ab\") -> true  [value = 5]  [text = \"abab\"]")))
        << output.out.toStdString();
    EXPECT_EQ(runner->failure(),
              QStringLiteral("step 4 (call): argument 2 of Echo (Long): a whole number is needed, got 1.5"));
}

TEST_F(ScenarioRunnerTest, AQueryCannotChangeTheDatabase) {
    // A WITH query may carry a data-changing statement on both engines; the runner rolls it back.
    const int before = database().count(QStringLiteral("Document_Prefix"));
    run(QStringLiteral(R"(
        {"sql": "with gone as (delete from Document_Prefix returning Document_Prefix) select count(*) as n from gone"}
    )"));
    EXPECT_EQ(database().count(QStringLiteral("Document_Prefix")), before);
}

struct BadInput {
    const char *label;
    const char *steps;   // inside the steps list, or a whole file when it starts with '!'
    const char *failure; // the start of the failure message
};

class ScenarioBadInput : public ScenarioRunnerTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ScenarioBadInput, IsRefusedNamingTheStepAndRunsNothingMore) {
    const BadInput &c = GetParam();
    const QString text = QString::fromUtf8(c.steps);
    runner = std::make_unique<cli::ScenarioRunner>(connectionString(), output.outStream, output.errStream);
    const Outcome outcome = text.startsWith(QLatin1Char('!'))
                                ? runner->run(text.mid(1).toUtf8(), QStringLiteral("test"))
                                : runner->run(scenario(text), QStringLiteral("test"));
    EXPECT_EQ(outcome, Outcome::BadInput) << c.label;
    EXPECT_EQ(cli::ScenarioRunner::exitCode(outcome), 2);
    EXPECT_TRUE(runner->failure().startsWith(QString::fromUtf8(c.failure)))
        << c.label << "\n  got:    " << runner->failure().toStdString() << "\n  wanted: " << c.failure;
    // Every case ends with a step that would save a quotation, had the run gone on.
    EXPECT_EQ(quotations(), 0) << c.label;
}

#define VALID_Q R"({"create": "OrbSales.SalesQuotation", "as": "q"}, )"
#define SAVE_Q R"(, {"call": "q", "operation": "Create_Quotation"})"

INSTANTIATE_TEST_SUITE_P(
    Kinds, ScenarioBadInput,
    ::testing::Values(
        BadInput{"not JSON", "!{\"steps\": [", "test is not valid JSON"},
        BadInput{"no steps list", "!{\"step\": []}", "test must be an object with a \"steps\" list"},
        BadInput{"step of no kind", R"({"make": "OrbSales.SalesQuotation"})" SAVE_Q,
                 "step 1: no step kind (create, set, grid, call, expect, expectGrid or sql)"},
        BadInput{"misspelt key, checked before anything runs", VALID_Q R"({"set": "q", "valeus": {}})" SAVE_Q,
                 "step 2 (set): unknown key \"valeus\""},
        BadInput{"missing key", VALID_Q R"({"set": "q"})" SAVE_Q, "step 2 (set): \"values\" is missing"},
        BadInput{"key of the wrong kind", VALID_Q R"({"call": "q", "operation": "Create_Quotation", "args": "x"})",
                 "step 2 (call): \"args\" must be a list, got text"},
        BadInput{"unknown identifier", R"({"create": "OrbSales.Nothing", "as": "q"})" SAVE_Q,
                 "step 1 (create): unknown identifier OrbSales.Nothing"},
        BadInput{"unknown object", R"({"set": "z", "values": {"CompanyPrefix": "01"}})" SAVE_Q,
                 "step 1 (set): no object named \"z\""},
        BadInput{"unknown property", VALID_Q R"({"set": "q", "values": {"SalesQuotTotal": 1}})" SAVE_Q,
                 "step 2 (set): unknown property SalesQuotTotal of OrbSales.SalesQuotation"},
        BadInput{"text for a Double", VALID_Q R"({"set": "q", "values": {"SalesQuotSubTotal": "100"}})" SAVE_Q,
                 "step 2 (set): SalesQuotSubTotal (Double): a number is needed, got text"},
        BadInput{"an object for a String", VALID_Q R"({"set": "q", "values": {"CompanyPrefix": {"a": 1}}})" SAVE_Q,
                 "step 2 (set): CompanyPrefix (String): text is needed, got an object"},
        BadInput{"a date in another form", VALID_Q R"({"set": "q", "values": {"SalesQuotDate": "05/12/2026"}})" SAVE_Q,
                 "step 2 (set): SalesQuotDate (Date): a date as"},
        BadInput{"setting a read-only property", VALID_Q R"({"set": "q", "values": {"ErrDesc": "x"}})" SAVE_Q,
                 "step 2 (set): ErrDesc is read-only"},
        BadInput{"expecting a write-only property", VALID_Q R"({"expect": "q", "values": {"DocFlag": false}})" SAVE_Q,
                 "step 2 (expect): DocFlag is write-only"},
        BadInput{"a reference to a write-only property",
                 VALID_Q R"({"set": "q", "values": {"SalesQuotRefNo": {"ref": "q.manualDocIdentity"}}})" SAVE_Q,
                 "step 2 (set): q.manualDocIdentity is write-only"},
        BadInput{"unknown operation", VALID_Q R"({"call": "q", "operation": "Create_Quote"})" SAVE_Q,
                 "step 2 (call): unknown operation Create_Quote of OrbSales.SalesQuotation"},
        BadInput{"too many arguments", VALID_Q R"({"call": "q", "operation": "Get_Quotation", "args": [1]})" SAVE_Q,
                 "step 2 (call): Get_Quotation does not take 1 argument"},
        BadInput{"a grid for a property that holds none",
                 VALID_Q R"({"grid": "q", "property": "CompanyPrefix", "rows": []})" SAVE_Q,
                 "step 2 (grid): CompanyPrefix is not a grid property"},
        BadInput{"a grid too small for its rows",
                 VALID_Q
                 R"({"grid": "q", "property": "QuotationGrid", "rows": [["", "A"], ["", "B"]], "rowCount": 2})" SAVE_Q,
                 "step 2 (grid): rowCount 2 leaves no room"},
        BadInput{"columns that are not a whole number",
                 VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "cols": 4.5})" SAVE_Q,
                 "step 2 (grid): \"cols\" must be a whole number, got 4.5"},
        BadInput{"a row count that is not a whole number",
                 VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 12.25})" SAVE_Q,
                 "step 2 (grid): \"rowCount\" must be a whole number, got 12.25"},
        BadInput{"a row count out of range",
                 VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 1e12})" SAVE_Q,
                 "step 2 (grid): \"rowCount\" must be a whole number, got"},
        BadInput{"a grid taller than a front end can show",
                 VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 100001})" SAVE_Q,
                 "step 2 (grid): rowCount 100001 is more than a grid can show (at most 100000 rows)"},
        BadInput{"a grid wider than a front end can show",
                 VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "cols": 1001})" SAVE_Q,
                 "step 2 (grid): cols 1001 is more than a grid can show (at most 1000 columns)"},
        BadInput{"a grid of more cells than a front end can show",
                 VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 100000, "cols": 1000})"
                 SAVE_Q,
                 "step 2 (grid): a grid of 100000 x 1000 is more than a grid can show (at most 5000000 cells)"},
        BadInput{"a statement that changes data",
                 R"({"sql": "delete from Sales_Quotation_Master"}, )" VALID_Q
                 R"({"call": "q", "operation": "Create_Quotation"})",
                 "step 1 (sql): the query failed: "},
        BadInput{"two statements",
                 R"({"sql": "select 1; delete from Document_Prefix"}, )" VALID_Q
                 R"({"call": "q", "operation": "Create_Quotation"})",
                 "step 1 (sql): the query failed: "},
        BadInput{"a column the query does not have",
                 R"({"sql": "select count(*) as n from Document_Prefix", "expectRows": [{"m": 22}]}, )" VALID_Q
                 R"({"call": "q", "operation": "Create_Quotation"})",
                 "step 1 (sql): the query has no column m"}),
    [](const ::testing::TestParamInfo<BadInput> &info) { return "case" + std::to_string(info.index); });

TEST_F(ScenarioRunnerTest, ABadValueLeavesTheEarlierStepsDoneAndTheLaterOnesUndone) {
    const Outcome outcome = run(QString::fromLatin1(kValidQuotation) + QStringLiteral(R"(,
        {"call": "q", "operation": "Create_Quotation", "expect": true},
        {"set": "q", "values": {"SalesQuotAmount": true}},
        {"call": "q", "operation": "Create_Quotation", "expect": true}
    )"));
    EXPECT_EQ(outcome, Outcome::BadInput);
    EXPECT_EQ(runner->failure(),
              QStringLiteral("step 5 (set): SalesQuotAmount (Double): a number is needed, got true/false"));
    EXPECT_EQ(quotations(), 1);
}

} // namespace
} // namespace orbsales::testing

#include "scenario_runner_test.moc"
