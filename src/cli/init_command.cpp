#include "commands.h"
#include "database_setup.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"

#include <exception>
#include <optional>

namespace orbsales::cli {

int runInit(const Invocation &call) {
    if (!call.args.isEmpty()) {
        call.err << "usage: orbsales init [--db DB]\n";
        return kExitUsage;
    }
    Connection connection; // the one command that makes a database
    if (const std::optional<int> refused = openForCommand(call, "init", connection, DatabaseUse::New))
        return *refused;
    try {
        if (!initialiseDatabase(connection)) {
            call.out << displayName(call.db) << " is already initialised\n";
            return kExitOk;
        }
        call.out << "initialised " << displayName(call.db) << ": schema created, demo company " << demo::kCompany
                 << " with branches " << demo::branches().join(QStringLiteral(", ")) << " seeded\n";
        return kExitOk;
    } catch (const std::exception &error) {
        call.err << "orbsales init: " << QString::fromUtf8(error.what()) << '\n';
        return kExitFailed;
    }
}

} // namespace orbsales::cli
