#include "commands.h"
#include "database_setup.h"
#include "scenario_runner.h"

#include "orbsales/data/connection.h"

#include <algorithm>
#include <optional>

namespace orbsales::cli {

// orbsales run FILE...: each scenario file on its own runner, in the order given. Every file
// runs; the exit code is the worst outcome (0 all passed, 1 an expectation failed, 2 bad input).
// --atomic sets AtomicFlag on every object the scenarios create.
int runScenario(const Invocation &call) {
    QStringList files = call.args;
    const bool atomic = files.removeAll(QStringLiteral("--atomic")) > 0;
    if (files.isEmpty()) {
        call.err << "usage: orbsales run [--atomic] FILE... [--db DB]\n";
        return kExitUsage;
    }
    {
        Connection probe;
        if (const std::optional<int> refused = openForCommand(call, "run", probe, DatabaseUse::Initialised))
            return *refused;
    }

    int worst = kExitOk;
    int passed = 0;
    for (const QString &file : files) {
        ScenarioRunner runner(call.db, call.out, call.err);
        runner.setAtomic(atomic);
        const ScenarioRunner::Outcome outcome = runner.runFile(file);
        if (outcome == ScenarioRunner::Outcome::Passed)
            ++passed;
        worst = std::max(worst, ScenarioRunner::exitCode(outcome));
    }
    if (files.size() > 1)
        call.out << passed << " of " << files.size() << " scenarios passed\n";
    return worst;
}

} // namespace orbsales::cli
