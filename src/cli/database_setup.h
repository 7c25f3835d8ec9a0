#pragma once

#include <QString>

namespace orbsales {
class Connection;
namespace cli {

// True when the database already has a schema (a Schema_Version row).
bool isInitialised(Connection &connection);

// The demo company with the history `init` gives it.
void seedDemoDatabase(Connection &connection);

// Creates the schema and seeds the demo company. A database that already has a schema is
// left exactly as it is and false is returned. When seeding fails, the schema-version row
// is taken out again so that a later init seeds afresh, and the error is raised.
bool initialiseDatabase(Connection &connection);

// The database as it may be shown: a PostgreSQL password is replaced by "***".
QString displayName(const QString &connectionString);

// True when the connection string names a SQLite file that does not exist yet (opening it
// would create an empty one).
bool isMissingSqliteFile(const QString &connectionString);

} // namespace cli
} // namespace orbsales
