#include "commands.h"
#include "database_setup.h"
#include "scenario_runner.h"

#include "orbsales/data/connection.h"

#include <algorithm>
#include <exception>

namespace orbsales::cli {

// orbsales run FILE...: each scenario file on its own runner, in the order given. Every file
// runs; the exit code is the worst outcome (0 all passed, 1 an expectation failed, 2 bad input).
int runScenario(const Invocation &call) {
    if (call.args.isEmpty()) {
        call.err << "usage: orbsales run FILE... [--db DB]\n";
        return kExitUsage;
    }
    try {
        if (isMissingSqliteFile(call.db)) {
            call.err << "orbsales run: " << displayName(call.db) << " does not exist; run orbsales init first\n";
            return kExitUsage;
        }
        Connection probe;
        probe.open(call.db);
        if (!isInitialised(probe)) {
            call.err << "orbsales run: " << displayName(call.db) << " is not initialised; run orbsales init first\n";
            return kExitUsage;
        }
    } catch (const std::exception &error) {
        call.err << "orbsales run: " << QString::fromUtf8(error.what()) << '\n';
        return kExitFailed;
    }

    int worst = kExitOk;
    int passed = 0;
    for (const QString &file : call.args) {
        ScenarioRunner runner(call.db, call.out, call.err);
        const ScenarioRunner::Outcome outcome = runner.runFile(file);
        if (outcome == ScenarioRunner::Outcome::Passed)
            ++passed;
        worst = std::max(worst, ScenarioRunner::exitCode(outcome));
    }
    if (call.args.size() > 1)
        call.out << passed << " of " << call.args.size() << " scenarios passed\n";
    return worst;
}

} // namespace orbsales::cli
