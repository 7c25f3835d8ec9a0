#include "orbsales/data/connection.h"

#include "orbsales/values/errors.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

#include <map>
#include <vector>

namespace orbsales {

namespace {

QString nextConnectionName() {
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("orbsales-%1").arg(++counter);
}

QString errorText(const QSqlError &error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

} // namespace

QVariant toDatabaseValue(const QVariant &value) {
    if (value.isNull())
        return value;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QString:
        // A text property never set is still text: empty, not NULL.
        return value.toString().isNull() ? QVariant(QStringLiteral("")) : value;
    default:
        return value;
    }
}

namespace {

// Sessions closed by a Connection wait here for the next Connection of the same thread and
// connection string, with their prepared statements, as the package's database drivers pooled
// theirs: opening a server session costs far more than any statement a document runs.
struct IdleSession {
    QString name;
    std::unique_ptr<QHash<QString, QSqlQuery>> statements;
};

void endSession(IdleSession &session) {
    session.statements.reset(); // statements must go before their database
    {
        QSqlDatabase db = QSqlDatabase::database(session.name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(session.name);
}

struct SessionPool {
    static constexpr int kIdlePerString = 4;
    std::map<QString, std::vector<IdleSession>> idle;

    ~SessionPool() { clear(); }
    void clear() {
        for (auto &[connectionString, sessions] : idle)
            for (IdleSession &session : sessions)
                endSession(session);
        idle.clear();
    }
};

thread_local SessionPool t_pool;

} // namespace

void Connection::closeIdleSessions() { t_pool.clear(); }

Connection::Connection(QObject *parent) : QObject(parent) {}

Connection::~Connection() { close(); }

void Connection::setConnectionString(const QString &connectionString) { m_connectionString = connectionString; }

void Connection::open(const QString &connectionString, Creation creation) {
    setConnectionString(connectionString);
    open(creation);
}

void Connection::open(Creation creation) {
    if (isOpen())
        throw DatabaseError(QStringLiteral("Operation is not allowed when the object is open."));
    m_target = parseConnectionString(m_connectionString);
    if (m_target.dialect == Dialect::SQLite && creation == Creation::MustExist &&
        m_target.databaseName != QLatin1String(":memory:") && !QFileInfo::exists(m_target.databaseName))
        throw DatabaseError(QStringLiteral("No database at %1: the file does not exist").arg(m_target.databaseName));
    m_hadError = false;
    auto pooled = t_pool.idle.find(m_connectionString);
    if (pooled != t_pool.idle.end() && !pooled->second.empty()) {
        IdleSession session = std::move(pooled->second.back());
        pooled->second.pop_back();
        m_name = session.name;
        m_statements = std::move(session.statements);
        return;
    }
    m_name = nextConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            m_target.dialect == Dialect::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), m_name);
        db.setDatabaseName(m_target.databaseName);
        if (m_target.dialect == Dialect::SQLite) {
            // Other users of the same file wait for the write lock instead of failing at once.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
        } else {
            db.setHostName(m_target.host);
            if (m_target.port > 0)
                db.setPort(m_target.port);
            db.setUserName(m_target.user);
            db.setPassword(m_target.password);
            db.setConnectOptions(m_target.options);
        }
        if (!db.open()) {
            const QString text = errorText(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw DatabaseError(text.isEmpty() ? QStringLiteral("Cannot open the database") : text);
        }
    }
    m_statements = std::make_unique<QHash<QString, QSqlQuery>>();
    runDirect(m_target.dialect == Dialect::SQLite ? QStringLiteral("PRAGMA synchronous=NORMAL")
                                                  : QStringLiteral("SET client_min_messages TO warning"));
}

bool Connection::isOpen() const { return m_statements != nullptr; }

void Connection::close() noexcept {
    if (!isOpen())
        return;
    const bool clean = !m_inTransaction && !m_hadError;
    rollback();
    IdleSession session{m_name, std::move(m_statements)};
    std::vector<IdleSession> &idle = t_pool.idle[m_connectionString];
    // A session that saw an error may be broken; it is not handed to anybody else.
    if (clean && static_cast<int>(idle.size()) < SessionPool::kIdlePerString)
        idle.push_back(std::move(session));
    else
        endSession(session);
}

void Connection::forgetPreparedStatements() {
    if (m_statements)
        m_statements->clear();
}

QSqlDatabase Connection::database() const {
    requireOpen();
    return QSqlDatabase::database(m_name, false);
}

void Connection::requireOpen() const {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Operation is not allowed when the object is closed."));
}

void Connection::beginTransaction() {
    requireOpen();
    if (m_inTransaction)
        throw DatabaseError(QStringLiteral("A transaction is already open on this connection."));
    // SQLite takes the write lock at the start, so two writers queue up instead of one of
    // them failing when it first writes inside a transaction that began as a reader.
    runDirect(m_target.dialect == Dialect::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    m_inTransaction = true;
}

void Connection::commit() {
    requireOpen();
    if (!m_inTransaction)
        throw DatabaseError(QStringLiteral("No transaction is open on this connection."));
    runDirect(QStringLiteral("COMMIT"));
    m_inTransaction = false;
}

void Connection::rollback() noexcept {
    if (!isOpen() || !m_inTransaction)
        return;
    m_inTransaction = false;
    QSqlQuery query(database());
    query.exec(QStringLiteral("ROLLBACK")); // nothing more to do when it fails: the session ends the transaction
}

// Session and transaction statements cannot be prepared on PostgreSQL; they carry no values.
void Connection::runDirect(const QString &sql) { execute(sql); }

QSqlQuery &Connection::prepared(const QString &sql) {
    requireOpen();
    auto it = m_statements->find(sql);
    if (it != m_statements->end())
        return *it;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(adaptStatement(m_target.dialect, sql))) {
        m_hadError = true;
        throw DatabaseError(errorText(query.lastError()));
    }
    return *m_statements->insert(sql, std::move(query));
}

void Connection::run(QSqlQuery &query, const QString &sql, const QVariantList &values) {
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, toDatabaseValue(values.at(i)));
    if (!query.exec()) {
        const QString text = errorText(query.lastError());
        query.finish();
        // A failed statement may leave the prepared form unusable (PostgreSQL): prepare it afresh next time.
        m_statements->remove(sql);
        m_hadError = true;
        throw DatabaseError(text);
    }
}

int Connection::execute(const QString &sql, const QVariantList &values) {
    if (values.isEmpty()) {
        // Without values there is nothing to bind, and PostgreSQL cannot prepare DDL.
        requireOpen();
        QSqlQuery query(database());
        if (!query.exec(adaptStatement(m_target.dialect, sql))) {
            m_hadError = true;
            throw DatabaseError(errorText(query.lastError()));
        }
        return query.numRowsAffected();
    }
    QSqlQuery &query = prepared(sql);
    run(query, sql, values);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected;
}

Connection::Result Connection::select(const QString &sql, const QVariantList &values) {
    QSqlQuery &query = prepared(sql);
    run(query, sql, values);
    Result result;
    const QSqlRecord record = query.record();
    const int columns = record.count();
    result.columns.reserve(columns);
    for (int c = 0; c < columns; ++c)
        result.columns << record.fieldName(c);
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << query.value(c);
        result.rows << std::move(row);
    }
    query.finish(); // a finished statement holds no lock on the file
    return result;
}

QVariant Connection::scalar(const QString &sql, const QVariantList &values) {
    const Result result = select(sql, values);
    if (result.rows.isEmpty() || result.rows.first().isEmpty())
        return {};
    return result.rows.first().first();
}

} // namespace orbsales
