#pragma once

#include <QByteArray>
#include <QString>
#include <QTextStream>
#include <memory>

namespace orbsales::cli {

// Drives business objects by member name from a scenario, as the front end does. A scenario is
// JSON: {"steps": [...]}, each step one of
//   {"create": "OrbSales.SalesQuotation", "as": "q", "open": true}
//   {"set": "q", "values": {"CompanyPrefix": "01", "SalesQuotDate": "2026-12-05"}}
//   {"grid": "q", "property": "QuotationGrid", "rows": [["", "A100", "Widget"]], "rowCount": 12, "cols": 32}
//   {"call": "q", "operation": "Create_Quotation", "args": [], "expect": true}
//   {"expect": "q", "values": {"ErrDesc": "Invalid Sub Total"}}
//   {"expectGrid": "q", "property": "QuotationGrid", "cells": {"1,1": "A100"}, "rowCount": 5}
//   {"sql": "select count(*) as n from X where Y = ?", "params": ["a"], "expectRows": [{"n": 3}]}
// (the query runs on a read-only session: the database refuses anything that would change it)
// Any step may carry a "comment". Wherever a value goes, {"ref": "q.SalesQuotNo"} stands for
// the current value of that property. See docs/CLI.md.
//
// The whole file is checked for shape before the first step runs; names, types and values
// are checked as each step runs. The first failed expectation or bad input stops the run.
class ScenarioRunner {
public:
    enum class Outcome { Passed, Failed, BadInput };

    // Step lines go to `out`, the failure to `err`.
    ScenarioRunner(const QString &connectionString, QTextStream &out, QTextStream &err);
    ~ScenarioRunner();
    ScenarioRunner(const ScenarioRunner &) = delete;
    ScenarioRunner &operator=(const ScenarioRunner &) = delete;

    // Objects created from now on start with AtomicFlag set: each operation all-or-nothing.
    void setAtomic(bool atomic);

    Outcome runFile(const QString &path);
    // `name` is how the scenario is called in messages. Objects and grids of an earlier run are
    // released first; the database connection stays open.
    Outcome run(const QByteArray &json, const QString &name = QStringLiteral("scenario"));

    // The failure as printed ("step 3 (set): unknown property Foo of OrbSales.SalesQuotation");
    // empty after a pass.
    const QString &failure() const;
    // Steps that ran to the end, in the last run.
    int stepsCompleted() const;

    static int exitCode(Outcome outcome);

private:
    struct State;
    std::unique_ptr<State> m;
};

} // namespace orbsales::cli
