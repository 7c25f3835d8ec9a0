#pragma once

#include "orbsales/data/dialect.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <memory>

namespace orbsales {

// A database connection as the business objects see it: set a connection string, open, run
// statements with bound values, begin / commit / roll back, close. It closes itself when
// destroyed; a closed session waits in the thread's pool for the next Connection to the same
// connection string.
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

    // Opens with the connection string set (user, password and options stay empty).
    void open(Creation creation = Creation::MustExist);
    void open(const QString &connectionString, Creation creation = Creation::MustExist);
    void close() noexcept;
    bool isOpen() const;
    Dialect dialect() const { return m_target.dialect; }

    void beginTransaction();
    void commit();
    void rollback() noexcept;
    bool inTransaction() const { return m_inTransaction; }

    // Runs a statement without a result set; returns the number of rows it changed.
    int execute(const QString &sql, const QVariantList &values = {});
    // Runs a query and hands its rows to `row` one at a time (column names as the engine reports them).
    struct Result {
        QStringList columns;
        QList<QVariantList> rows;
    };
    Result select(const QString &sql, const QVariantList &values = {});
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &values = {});

    QSqlDatabase database() const;
    // Drops the statements prepared on this session: after a column changed its type, a statement
    // prepared before would still bind its values as the old type.
    void forgetPreparedStatements();

    // Ends the calling thread's idle sessions (before a database is dropped, or at exit).
    static void closeIdleSessions();

private:
    QSqlQuery &prepared(const QString &sql);
    void runDirect(const QString &sql);
    void run(QSqlQuery &query, const QString &sql, const QVariantList &values);
    void requireOpen() const;

    QString m_connectionString;
    ConnectionTarget m_target;
    QString m_name;
    bool m_inTransaction = false;
    bool m_hadError = false;
    // Prepared statements are kept for the life of the session: documents write the same
    // few statements once per line, and re-preparing each time is most of their cost.
    std::unique_ptr<QHash<QString, QSqlQuery>> m_statements;
};

// Values go to the database the same way on both engines: flags as 0/1, dates as timestamp
// text. Exposed for the recordset, which coerces by column type first.
QVariant toDatabaseValue(const QVariant &value);

} // namespace orbsales
