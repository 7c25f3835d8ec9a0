#include "database_setup.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_invoices.h"
#include "orbsales/services/package/seed_returns.h"
#include "orbsales/data/dialect.h"
#include "orbsales/data/schema.h"

#include "orbsales/values/errors.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <algorithm>

namespace orbsales::cli {

bool isInitialised(Connection &connection) {
    const QStringList tables = connection.database().tables(QSql::Tables);
    const bool hasTable = std::any_of(tables.begin(), tables.end(), [](const QString &name) {
        return name.compare(QStringLiteral("Schema_Version"), Qt::CaseInsensitive) == 0;
    });
    return hasTable && connection.scalar(QStringLiteral("Select count(*) from Schema_Version")).toInt() > 0;
}

void seedDemoDatabase(Connection &connection) {
    demo::seedDemoCompany(connection); // in a transaction of its own
    // The demo company starts with processed deliveries waiting for their invoice and a direct
    // sales invoice to return goods against; the tests' companies start without, so that each
    // test makes the documents it counts.
    package::seedOpenDeliveries(connection);
    package::seedReturnHistory(connection);
}

bool initialiseDatabase(Connection &connection) {
    if (isInitialised(connection))
        return false;
    schema::Schema::instance().apply(connection); // one transaction of its own
    try {
        seedDemoDatabase(connection);
    } catch (...) {
        // Without its seed the database is not initialised: the next init tries again.
        connection.execute(QStringLiteral("Delete from Schema_Version"));
        throw;
    }
    return true;
}

QString displayName(const QString &connectionString) { return withoutPassword(connectionString); }

std::optional<int> openForCommand(const Invocation &call, const char *command, Connection &connection,
                                  DatabaseUse use, Connection::Access access) {
    const QString shown = displayName(call.db);
    auto refuse = [&](const QString &why) {
        call.err << "orbsales " << command << ": " << shown << why << '\n';
        return std::optional<int>(kExitUsage);
    };
    try {
        if (use != DatabaseUse::New && isMissingSqliteFile(call.db))
            return refuse(QStringLiteral(" does not exist; run orbsales init first"));
        if (use == DatabaseUse::New)
            connection.open(call.db, Connection::Creation::MayCreate);
        else
            connection.open(call.db, access);
        // Opening a file reads nothing yet: a file that is not a database fails here.
        connection.scalar(connection.dialect() == Dialect::SQLite ? QStringLiteral("Select count(*) from sqlite_master")
                                                                  : QStringLiteral("Select 1"));
        if (use == DatabaseUse::Initialised && !isInitialised(connection))
            return refuse(QStringLiteral(" is not initialised; run orbsales init first"));
    } catch (const OrbError &error) {
        connection.close();
        return refuse(QStringLiteral(": ") + hidePassword(error.description(), call.db));
    }
    return std::nullopt;
}

bool isMissingSqliteFile(const QString &connectionString) {
    const ConnectionTarget target = parseConnectionString(connectionString);
    return target.dialect == Dialect::SQLite && target.databaseName != QStringLiteral(":memory:") &&
           !QFileInfo::exists(target.databaseName);
}

} // namespace orbsales::cli
