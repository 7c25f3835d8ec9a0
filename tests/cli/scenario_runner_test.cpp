#include "cli_fixture.h"
#include "orbsales/frame/registrations.h"
#include "scenario_runner.h"
#include "scenario_values.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
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

QByteArray scenario(const QString &steps) { return (QStringLiteral("{\"steps\": [") + steps + "]}").toUtf8(); }

class ScenarioRunnerTest : public SeededDatabaseTest {
protected:
    void TearDown() override {
        runner.reset(); // its connections close before the database goes
        SeededDatabaseTest::TearDown();
    }
    Outcome run(const QString &steps) {
        runner = std::make_unique<cli::ScenarioRunner>(connectionString(), output.outStream, output.errStream);
        const Outcome outcome = runner->run(scenario(steps), "test");
        output.flush();
        return outcome;
    }
    int quotations() { return database().count("Sales_Quotation_Master"); }

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
    EXPECT_EQ(database().count("Sales_Quotation_Detail", "Sales_Quot_No = '01HOSQT1'"), 2);
    EXPECT_TRUE(output.out.contains("call q.Create_Quotation() -> true"));
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
              "step 6 (expect): q.ErrDesc: expected \"Invalid Sub Total\", actual \"Invalid Comapny Prefix\"");
    EXPECT_EQ(runner->stepsCompleted(), 5);
    EXPECT_FALSE(output.out.contains("Update_Quotation"));
}

TEST_F(ScenarioRunnerTest, AnUnexpectedResultCarriesTheErrDesc) {
    const Outcome outcome = run(QString::fromLatin1(kValidQuotation) + QStringLiteral(R"(,
        {"set": "q", "values": {"SalesQuotSubTotal": 0}},
        {"call": "q", "operation": "Create_Quotation", "expect": true}
    )"));
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(runner->failure(), "step 5 (call): q.Create_Quotation returned false, expected true "
                                 "(ErrDesc \"Invalid Sub Total\")");
    EXPECT_EQ(quotations(), 0);
    // The call's own line, then the stop under the step's number as for every kind of step.
    EXPECT_TRUE(output.out.contains("step 5 call q.Create_Quotation() -> false  (ErrDesc \"Invalid "
                                    "Sub Total\")\nstep 5 call: stopped\n"))
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
    const Registry::Override taker("Test.ReferenceTaker", factoryOf<ReferenceTaker>());
    const Outcome outcome = run(QStringLiteral(R"(
        {"create": "Test.ReferenceTaker", "as": "t"},
        {"call": "t", "operation": "Twice", "args": [2.5, "ab"], "expect": true},
        {"call": "t", "operation": "Echo", "args": ["ab", 3], "expect": "ababab"},
        {"call": "t", "operation": "Echo", "args": ["ab", 1.5]}
    )"));
    EXPECT_EQ(outcome, Outcome::BadInput);
    EXPECT_TRUE(output.out.contains("call t.Twice(2.5, \"ab\") -> true  [value = 5]  [text = \"abab\"]"))
        << output.out.toStdString();
    EXPECT_EQ(runner->failure(), "step 4 (call): argument 2 of Echo (Long): a whole number is needed, got 1.5");
}

TEST_F(ScenarioRunnerTest, AQueryCannotChangeTheDatabase) {
    // A WITH query may carry a data-changing statement on both engines; the runner rolls it back.
    const int before = database().count("Document_Prefix");
    run(QStringLiteral(R"(
        {"sql": "with gone as (delete from Document_Prefix returning Document_Prefix) select count(*) as n from gone"}
    )"));
    EXPECT_EQ(database().count("Document_Prefix"), before);
}

#define VALID_Q R"({"create": "OrbSales.SalesQuotation", "as": "q"}, )"
#define SAVE_Q R"(, {"call": "q", "operation": "Create_Quotation"})"

// Bad input is refused naming the step, and nothing more runs: every case ends with a step
// that would save a quotation, had the run gone on.
TEST_F(ScenarioRunnerTest, BadInputIsRefusedNamingTheStepAndRunsNothingMore) {
    const struct {
        const char *steps;   // inside the steps list, or a whole file when it starts with '!'
        const char *failure; // the start of the failure message
    } cases[] = {
        {"!{\"steps\": [", "test is not valid JSON"},
        {"!{\"step\": []}", "test must be an object with a \"steps\" list"},
        {R"({"make": "OrbSales.SalesQuotation"})" SAVE_Q,
         "step 1: no step kind (create, set, grid, call, expect, expectGrid or sql)"},
        {VALID_Q R"({"set": "q", "valeus": {}})" SAVE_Q, "step 2 (set): unknown key \"valeus\""},
        {VALID_Q R"({"set": "q"})" SAVE_Q, "step 2 (set): \"values\" is missing"},
        {VALID_Q R"({"call": "q", "operation": "Create_Quotation", "args": "x"})",
         "step 2 (call): \"args\" must be a list, got text"},
        {R"({"create": "OrbSales.Nothing", "as": "q"})" SAVE_Q, "step 1 (create): unknown identifier OrbSales.Nothing"},
        {R"({"set": "z", "values": {"CompanyPrefix": "01"}})" SAVE_Q, "step 1 (set): no object named \"z\""},
        {VALID_Q R"({"set": "q", "values": {"SalesQuotTotal": 1}})" SAVE_Q,
         "step 2 (set): unknown property SalesQuotTotal of OrbSales.SalesQuotation"},
        {VALID_Q R"({"set": "q", "values": {"SalesQuotSubTotal": "100"}})" SAVE_Q,
         "step 2 (set): SalesQuotSubTotal (Double): a number is needed, got text"},
        {VALID_Q R"({"set": "q", "values": {"ErrDesc": "x"}})" SAVE_Q, "step 2 (set): ErrDesc is read-only"},
        {VALID_Q R"({"expect": "q", "values": {"DocFlag": false}})" SAVE_Q, "step 2 (expect): DocFlag is write-only"},
        {VALID_Q R"({"set": "q", "values": {"SalesQuotRefNo": {"ref": "q.manualDocIdentity"}}})" SAVE_Q,
         "step 2 (set): q.manualDocIdentity is write-only"},
        {VALID_Q R"({"call": "q", "operation": "Create_Quote"})" SAVE_Q,
         "step 2 (call): unknown operation Create_Quote of OrbSales.SalesQuotation"},
        {VALID_Q R"({"call": "q", "operation": "Get_Quotation", "args": [1]})" SAVE_Q,
         "step 2 (call): Get_Quotation does not take 1 argument"},
        {VALID_Q R"({"grid": "q", "property": "CompanyPrefix", "rows": []})" SAVE_Q,
         "step 2 (grid): CompanyPrefix is not a grid property"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [["", "A"], ["", "B"]], "rowCount": 2})" SAVE_Q,
         "step 2 (grid): rowCount 2 leaves no room"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "cols": 4.5})" SAVE_Q,
         "step 2 (grid): \"cols\" must be a whole number, got 4.5"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 12.25})" SAVE_Q,
         "step 2 (grid): \"rowCount\" must be a whole number, got 12.25"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 1e12})" SAVE_Q,
         "step 2 (grid): \"rowCount\" must be a whole number, got"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 100001})" SAVE_Q,
         "step 2 (grid): rowCount 100001 is more than a grid can show (at most 100000 rows)"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "cols": 1001})" SAVE_Q,
         "step 2 (grid): cols 1001 is more than a grid can show (at most 1000 columns)"},
        {VALID_Q R"({"grid": "q", "property": "QuotationGrid", "rows": [], "rowCount": 100000, "cols": 1000})" SAVE_Q,
         "step 2 (grid): a grid of 100000 x 1000 is more than a grid can show (at most 5000000 cells)"},
        // The database refuses what changes data: the query step is read-only.
        {R"({"sql": "delete from Sales_Quotation_Master"}, )" VALID_Q
         R"({"call": "q", "operation": "Create_Quotation"})",
         "step 1 (sql): the query failed: "},
        {R"({"sql": "select 1; delete from Document_Prefix"}, )" VALID_Q
         R"({"call": "q", "operation": "Create_Quotation"})",
         "step 1 (sql): the query failed: "},
        {R"({"sql": "select count(*) as n from Document_Prefix", "expectRows": [{"m": 22}]}, )" VALID_Q
         R"({"call": "q", "operation": "Create_Quotation"})",
         "step 1 (sql): the query has no column m"}};
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.steps);
        runner = std::make_unique<cli::ScenarioRunner>(connectionString(), output.outStream, output.errStream);
        const Outcome outcome =
            runner->run(text.startsWith(QLatin1Char('!')) ? text.mid(1).toUtf8() : scenario(text), "test");
        EXPECT_EQ(outcome, Outcome::BadInput) << c.failure;
        EXPECT_EQ(cli::ScenarioRunner::exitCode(outcome), 2);
        EXPECT_TRUE(runner->failure().startsWith(QString::fromUtf8(c.failure)))
            << "got:    " << runner->failure().toStdString() << "\n  wanted: " << c.failure;
    }
    EXPECT_EQ(quotations(), 0);
}

TEST_F(ScenarioRunnerTest, ABadValueLeavesTheEarlierStepsDoneAndTheLaterOnesUndone) {
    const Outcome outcome = run(QString::fromLatin1(kValidQuotation) + QStringLiteral(R"(,
        {"call": "q", "operation": "Create_Quotation", "expect": true},
        {"set": "q", "values": {"SalesQuotAmount": true}},
        {"call": "q", "operation": "Create_Quotation", "expect": true}
    )"));
    EXPECT_EQ(outcome, Outcome::BadInput);
    EXPECT_EQ(runner->failure(), "step 5 (set): SalesQuotAmount (Double): a number is needed, got true/false");
    EXPECT_EQ(quotations(), 1);
}

using cli::scenario::convert;
using cli::scenario::matches;

// A scenario value written as JSON text ("7", "\"A100\"", "null").
QJsonValue json(const char *text) { return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first(); }

QDateTime at(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

TEST(ScenarioValues, ComparisonsFollowTheRules) {
    const struct {
        const char *label;
        QVariant actual;
        const char *expected;
        bool equal;
    } cases[] = {
        {"whole number equals the same with a point", QVariant(7), "7.0", true},
        {"double equals whole expected", QVariant(7.0), "7", true},
        {"long long from a count", QVariant(qlonglong(3)), "3", true},
        {"text holding a number compares by value", QVariant(QStringLiteral("7.50")), "7.5", true},
        {"sums compare to 15 digits", QVariant(0.1 + 0.2), "0.3", true},
        {"a different number", QVariant(7.01), "7", false},
        {"text that is not a number", QVariant(QStringLiteral("7a")), "7", false},
        {"text exactly", QVariant(QStringLiteral("A100")), "\"A100\"", true},
        {"text with a blank is different", QVariant(QStringLiteral("A100 ")), "\"A100\"", false},
        {"text is case-sensitive", QVariant(QStringLiteral("a100")), "\"A100\"", false},
        {"a number is not text", QVariant(7), "\"7\"", false},
        {"quotes and semicolons verbatim", QVariant(QStringLiteral("O'Brien; DROP TABLE X;--")),
         "\"O'Brien; DROP TABLE X;--\"", true},
        {"true against true", QVariant(true), "true", true},
        {"true against 1", QVariant(true), "1", true},
        {"false against 0", QVariant(false), "0", true},
        {"false against true", QVariant(false), "true", false},
        {"a stored flag 1 against true", QVariant(1), "true", true},
        {"a stored flag 0 against false", QVariant(0), "false", true},
        {"2 is no Boolean", QVariant(2), "true", false},
        {"a grid flag cell against true", QVariant(QStringLiteral("1")), "true", true},
        {"NULL against null", QVariant(), "null", true},
        {"empty text is not null", QVariant(QString()), "null", false},
        {"NULL is not empty text", QVariant(), "\"\"", false},
        {"NULL is not 0", QVariant(), "0", false},
        {"midnight against a date", QVariant(at(2026, 12, 5)), "\"2026-12-05\"", true},
        {"midnight against a date and time", QVariant(at(2026, 12, 5)), "\"2026-12-05T00:00:00\"", true},
        {"another day", QVariant(at(2026, 12, 5)), "\"2026-12-06\"", false},
        {"a time of day is not the bare date", QVariant(at(2026, 12, 5, 9, 30)), "\"2026-12-05\"", false},
        {"a time of day against its ISO text", QVariant(at(2026, 12, 5, 9, 30)), "\"2026-12-05T09:30:00\"", true},
        {"a date kept as text by the database", QVariant(QStringLiteral("2026-12-05 00:00:00")), "\"2026-12-05\"",
         true},
        {"a date against text that is no date", QVariant(at(2026, 12, 5)), "\"05/Dec/2026\"", false}};
    for (const auto &c : cases)
        EXPECT_EQ(matches(c.actual, json(c.expected)), c.equal) << c.label;
}

const QMetaType kString = QMetaType::fromType<QString>();
const QMetaType kDouble = QMetaType::fromType<double>();
const QMetaType kLong = QMetaType::fromType<qint32>();
const QMetaType kInteger = QMetaType::fromType<qint16>();
const QMetaType kBoolean = QMetaType::fromType<bool>();
const QMetaType kDate = QMetaType::fromType<QDateTime>();

// A value converted to a member's type, or what was wanted instead.
TEST(ScenarioValues, ConversionsGiveTheValueOrSayWhatWasWanted) {
    const struct {
        const char *label;
        const char *value;
        QMetaType type;
        QVariant converted;    // when it converts
        const char *errorPart; // when it does not
    } cases[] = {{"text", "\"01\"", kString, QVariant(QStringLiteral("01")), nullptr},
                 {"a number for text", "1", kString, {}, "text is needed, got a number"},
                 {"an object for text", "{\"a\": 1}", kString, {}, "text is needed, got an object"},
                 {"a number", "100", kDouble, QVariant(100.0), nullptr},
                 {"text for a number", "\"100\"", kDouble, {}, "a number is needed, got text"},
                 {"a whole number", "40", kLong, QVariant(qint32(40)), nullptr},
                 {"a fraction for a whole number", "1.5", kLong, {}, "a whole number is needed, got 1.5"},
                 {"beyond a Long", "3000000000", kLong, {}, "out of range"},
                 {"beyond an Integer", "40000", kInteger, {}, "out of range"},
                 {"an Integer", "-3", kInteger, QVariant::fromValue(qint16(-3)), nullptr},
                 {"true", "true", kBoolean, QVariant(true), nullptr},
                 {"1 for true", "1", kBoolean, QVariant(true), nullptr},
                 {"2 is no Boolean", "2", kBoolean, {}, "true or false is needed"},
                 {"a date", "\"2026-12-05\"", kDate, QVariant(at(2026, 12, 5)), nullptr},
                 {"a date and time", "\"2026-12-05T09:30:00\"", kDate, QVariant(at(2026, 12, 5, 9, 30)), nullptr},
                 {"a date in another form", "\"05/12/2026\"", kDate, {}, "a date as \"yyyy-MM-dd\""},
                 {"no such day", "\"2026-02-30\"", kDate, {}, "a date as"},
                 {"a list for a Variant", "[1]", QMetaType::fromType<QVariant>(), {}, "a single value is needed"}};
    for (const auto &c : cases) {
        QString error;
        const std::optional<QVariant> result = convert(json(c.value), c.type, error);
        if (c.errorPart) {
            EXPECT_FALSE(result.has_value()) << c.label;
            EXPECT_TRUE(error.contains(QLatin1String(c.errorPart))) << c.label << ": " << error.toStdString();
        } else if (result.has_value()) {
            EXPECT_EQ(result->metaType(), c.converted.metaType()) << c.label;
            EXPECT_EQ(*result, c.converted) << c.label;
        } else {
            ADD_FAILURE() << c.label << ": " << error.toStdString();
        }
    }
}

} // namespace
} // namespace orbsales::testing

#include "scenario_runner_test.moc"
