#include "orbsales/data/schema.h"

#include "orbsales/data/connection.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <algorithm>

namespace orbsales::schema {

namespace {

bool hasTable(Connection &connection, const QString &name) {
    const QStringList tables = connection.database().tables(QSql::Tables);
    return std::any_of(tables.begin(), tables.end(), [&](const QString &t) { return sameName(t, name); });
}

int storedVersion(Connection &connection) {
    if (!hasTable(connection, QStringLiteral("Schema_Version")))
        return 0;
    return connection.scalar(QStringLiteral("Select max(Version) from Schema_Version")).toInt();
}

void dropViews(Connection &connection, const Schema &schema) {
    const QStringList views = connection.database().tables(QSql::Views);
    for (const View &view : schema.views())
        if (std::any_of(views.begin(), views.end(), [&](const QString &v) { return sameName(v, view.name); }))
            connection.execute(QStringLiteral("DROP VIEW %1").arg(view.name));
}

// PostgreSQL changes a column's type in place.
void keysOnPostgres(Connection &connection, const Schema &schema) {
    for (const Table &table : schema.tables()) {
        for (const Column &column : table.columns) {
            if (!isKeyColumn(column))
                continue;
            const QVariant type = connection.scalar(
                QStringLiteral("Select data_type from information_schema.columns Where table_schema = current_schema() "
                               "and lower(table_name) = lower(?) and lower(column_name) = lower(?)"),
                {table.name, column.name});
            if (type.toString() == QLatin1String("text"))
                connection.execute(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3")
                                       .arg(table.name, column.name, keyType(Dialect::PostgreSQL)));
        }
    }
}

// SQLite cannot change a column's collation: a table whose key columns lack it is made again
// from its definition, with its rows (the row keys included).
void keysOnSQLite(Connection &connection, const Schema &schema) {
    for (const Table &table : schema.tables()) {
        const QString created = connection
                                    .scalar(QStringLiteral("Select sql from sqlite_master Where type='table' and "
                                                           "lower(name) = lower(?)"),
                                            {table.name})
                                    .toString();
        const bool hasKey = std::any_of(table.columns.begin(), table.columns.end(), isKeyColumn);
        if (created.isEmpty() || !hasKey || created.contains(QLatin1String("COLLATE RTRIM")))
            continue;
        const QStringList present =
            connection.select(QStringLiteral("Select * from %1 Where 1=0").arg(table.name)).columns;
        QStringList kept{QString::fromLatin1(kRowKey)};
        for (const Column &column : table.columns)
            if (std::any_of(present.begin(), present.end(), [&](const QString &p) { return sameName(p, column.name); }))
                kept << column.name;
        const QString old = table.name + QStringLiteral("_before_keys");
        connection.execute(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(table.name, old));
        connection.execute(schema.createStatement(Dialect::SQLite, table));
        connection.execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                               .arg(table.name, kept.join(QStringLiteral(", ")), old));
        connection.execute(QStringLiteral("DROP TABLE %1").arg(old)); // its indexes go with it; apply makes them anew
    }
}

// Quantities that start at 0 get their default, and the NULLs of earlier rows become 0.
void quantitiesStartAtZero(Connection &connection, const Schema &schema) {
    for (const Table &table : schema.tables()) {
        if (!hasTable(connection, table.name))
            continue; // made by the adding pass, with its defaults
        const QStringList present =
            connection.select(QStringLiteral("Select * from %1 Where 1=0").arg(table.name)).columns;
        for (const Column &column : table.columns) {
            const bool there =
                std::any_of(present.begin(), present.end(), [&](const QString &p) { return sameName(p, column.name); });
            if (!column.startsAtZero || !there)
                continue;
            if (connection.dialect() == Dialect::PostgreSQL)
                connection.execute(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 SET DEFAULT 0").arg(table.name, column.name));
            connection.execute(QStringLiteral("UPDATE %1 SET %2 = 0 WHERE %2 IS NULL").arg(table.name, column.name));
        }
    }
}

} // namespace

void Schema::bringForward(Connection &connection) const {
    const int stored = storedVersion(connection);
    if (stored == 0 || stored >= kVersion)
        return;
    if (stored < 2) {
        connection.beginTransaction();
        dropViews(connection, *this); // views stand on the columns; apply makes them anew
        if (connection.dialect() == Dialect::PostgreSQL)
            keysOnPostgres(connection, *this);
        else
            keysOnSQLite(connection, *this);
        quantitiesStartAtZero(connection, *this);
        connection.execute(QStringLiteral("Delete from Schema_Version"));
        connection.execute(QStringLiteral("Insert into Schema_Version (Version, Last_Update) values (2, ?)"),
                           {QDateTime::currentDateTime()});
        connection.commit();
        connection.forgetPreparedStatements();
    }
}

} // namespace orbsales::schema
