#pragma once

#include <QString>
#include <QStringList>

namespace orbsales {

// Which database engine a connection string reaches. Statement text is written once for both;
// the few differences (transaction start, date function, DDL types) live in dialect.cpp.
enum class Dialect { SQLite, PostgreSQL };

struct ConnectionTarget {
    Dialect dialect = Dialect::SQLite;
    QString databaseName; // SQLite file path, or the PostgreSQL database
    QString host;
    int port = -1;
    QString user;
    QString password;
    QString options; // further libpq keywords, "key=value;key=value"
};

// "postgresql://user:pw@host:port/db?opt=v", "postgres://...", or libpq keywords
// ("host=... dbname=...") reach PostgreSQL; anything else is a SQLite file path, with an
// optional "sqlite:" in front. Throws DatabaseError for an empty string.
ConnectionTarget parseConnectionString(const QString &connectionString);

// What names the database a target reaches: the same text for every connection string that
// reaches it (a SQLite file by its absolute path, a PostgreSQL database by server, port, name and
// user). An in-memory SQLite database is never the same as another.
QString databaseKey(const ConnectionTarget &target);

// The connection string as it may be shown: a password in it ("postgresql://user:pw@...",
// "password=pw", quoted or not) replaced by "***". Also for a malformed string.
QString withoutPassword(const QString &connectionString);
// `text` with the connection string's password hidden wherever it appears: the connection
// string itself, "user:password", and the bare password (when it is at least 4 characters, a
// shorter one would hide ordinary letters, and is not also the user's name or part of the
// database's).
QString hidePassword(const QString &text, const QString &connectionString);

// Adapts statement text written once for both engines to the engine at hand. The old server
// forms (legacy_sql.h) become standard SQL on both.
// SQLite has no DateValue(): it becomes datetime(), a date at midnight as every stored date. PostgreSQL gets DateValue from the schema.
QString adaptStatement(Dialect dialect, const QString &sql);

// What every read-write session is told when it opens: SQLite syncs at checkpoints only (WAL
// keeps a commit safe from a crash of the program), PostgreSQL keeps its notices to itself.
QStringList sessionSettings(Dialect dialect);

} // namespace orbsales
