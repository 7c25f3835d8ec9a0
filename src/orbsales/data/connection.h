#pragma once

#include "orbsales/data/dialect.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <memory>

namespace orbsales {

namespace detail {
class Session;
}

// A database connection as the business objects see it: set a connection string, open, run
// statements with bound values, begin / commit / roll back, close. It closes itself when
// destroyed; a closed session waits in the thread's pool for the next Connection to the same
// connection string. Inside an all-or-nothing operation (OperationScope) every statement runs
// in the operation's transaction.
class Connection : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ConnectionString READ connectionString WRITE setConnectionString)
    Q_PROPERTY(int State READ state)
public:
    static constexpr int kStateClosed = 0;
    static constexpr int kStateOpen = 1;

    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString &connectionString);
    int state() const { return isOpen() ? kStateOpen : kStateClosed; }

    // Whether opening may make a new SQLite file. Only creating a company database does; every
    // other use refuses a path that names no file, so that a mistyped path creates nothing.
    enum class Creation { MustExist, MayCreate };
    // ReadOnly: nothing can be changed through the session, whatever statement it is given (SQLite
    // opened read-only and query-only, PostgreSQL transactions read-only). A SQLite file in a
    // directory the user cannot write is read as it stands (the engine is told it is immutable).
    enum class Access { ReadWrite, ReadOnly };

    // Opens with the connection string set (user, password and options stay empty).
    void open(Creation creation = Creation::MustExist);
    void open(const QString &connectionString, Creation creation = Creation::MustExist);
    void open(const QString &connectionString, Access access);
    void close() noexcept;
    bool isOpen() const { return m_session != nullptr; }
    Dialect dialect() const { return m_dialect; }
    bool isReadOnly() const;

    // Inside an all-or-nothing operation a transaction begun here is a savepoint of the
    // operation's transaction, and its commit a release.
    void beginTransaction();
    void commit();
    void rollback() noexcept;
    // True also inside an all-or-nothing operation, whose transaction every statement joins.
    bool inTransaction() const;

    // Runs a statement without a result set; returns the number of rows it changed.
    int execute(const QString &sql, const QVariantList &values = {});
    // Runs a query and hands its rows to `row` one at a time (column names as the engine reports them).
    struct Result {
        QStringList columns;
        QList<QVariantList> rows;
    };
    Result select(const QString &sql, const QVariantList &values = {});
    // A read of reference data (an item's master row, a unit's factor, an account's key, a
    // branch's preferences) that operations only add to: inside an operation the same read on
    // the same database is answered from the first until the thread's outermost operation ends,
    // or until a statement inserts into or deletes from a table it reads. A document line asks
    // the same item and accounts several times; outside an operation it is a plain select.
    // Only for columns no operation updates.
    Result selectReference(const QString &sql, const QVariantList &values = {});
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &values = {});

    QSqlDatabase database() const;
    // Drops the statements prepared on this session: after a column changed its type, a statement
    // prepared before would still bind its values as the old type.
    void forgetPreparedStatements();

    // Ends the calling thread's idle sessions (before a database is dropped, or at exit).
    static void closeIdleSessions();

private:
    friend class OperationScope;
    void openSession(Creation creation, Access access);
    QSqlQuery &prepared(const QString &sql);
    void run(QSqlQuery &query, const QString &sql, const QVariantList &values);
    void tellWatcher(const QString &sql, const QVariantList &values);
    detail::Session &session() const;
    void failed() noexcept;

    QString m_connectionString;
    Dialect m_dialect = Dialect::SQLite;
    std::shared_ptr<detail::Session> m_session;
};

// Values go to the database the same way on both engines: flags as 0/1, dates as timestamp
// text. Exposed for the recordset, which coerces by column type first. A number that is not
// finite (NaN, infinity) is never stored: it raises "Overflow".
QVariant toDatabaseValue(const QVariant &value);

} // namespace orbsales
