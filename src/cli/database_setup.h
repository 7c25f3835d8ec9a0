#pragma once

#include "commands.h"

#include "orbsales/data/connection.h"

#include <QString>
#include <optional>

namespace orbsales {
namespace cli {

// What a command needs of the database --db names.
enum class DatabaseUse {
    Initialised, // a company database made by init (run, books, verify)
    Existing,    // any database that exists; the command initialises a blank one itself (demo, bench)
    New,         // init: a SQLite file is created when there is none
};

// Opens the database for a command, one rule for all of them: a database that is missing, cannot
// be opened or read, or (for Initialised) holds no schema is reported on the error stream as
// "orbsales COMMAND: ..." and answered with kExitUsage, the same code from every command. Answers
// nothing when the connection is open and usable.
std::optional<int> openForCommand(const Invocation &call, const char *command, Connection &connection,
                                  DatabaseUse use, Connection::Access access = Connection::Access::ReadWrite);

// True when the database already has a schema (a Schema_Version row).
bool isInitialised(Connection &connection);

// The demo company with the history `init` gives it.
void seedDemoDatabase(Connection &connection);

// Creates the schema and seeds the demo company. A database that already has a schema is
// left exactly as it is and false is returned. When seeding fails, the schema-version row
// is taken out again so that a later init seeds afresh, and the error is raised.
bool initialiseDatabase(Connection &connection);

// The database as it may be shown: a password is replaced by "***".
QString displayName(const QString &connectionString);

// True when the connection string names a SQLite file that does not exist yet (opening it
// would create an empty one).
bool isMissingSqliteFile(const QString &connectionString);

} // namespace cli
} // namespace orbsales
