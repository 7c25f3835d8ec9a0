#include "orbsales/data/connection.h"

#include "orbsales/data/operation_scope.h"
#include "orbsales/data/session.h"
#include "orbsales/data/statement_watch.h"
#include "orbsales/values/errors.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>

#include <cmath>
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

// Reference reads of the operation under way, by database, statement and values, and the tables
// they read (upper case).
struct ReferenceReads {
    QHash<QString, Connection::Result> results;
    QSet<QString> tables;
};
thread_local ReferenceReads t_references;

QString referenceKey(const QString &database, const QString &sql, const QVariantList &values) {
    QString key = database + QLatin1Char('\n') + sql;
    for (const QVariant &value : values)
        key += QLatin1Char('\n') + QString::number(value.typeId()) + QLatin1Char(':') + value.toString();
    return key;
}

void addTablesRead(const QString &sql, QSet<QString> &tables) {
    static const QRegularExpression named(QStringLiteral("\\b(?:from|join)\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (auto match = named.globalMatch(sql); match.hasNext();)
        tables.insert(match.next().captured(1).toUpper());
}

// The table a statement adds rows to or deletes rows from, upper case; empty for any other.
QString tableGainingOrLosingRows(const QString &sql) {
    static const QRegularExpression changing(QStringLiteral("^\\s*(?:insert\\s+into|delete\\s+from|delete)\\s+(\\w+)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = changing.match(sql);
    return match.hasMatch() ? match.captured(1).toUpper() : QString();
}

} // namespace

void detail::forgetReferenceReads() {
    t_references.results.clear();
    t_references.tables.clear();
}

QVariant toDatabaseValue(const QVariant &value) {
    if (value.isNull())
        return value;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Double:
    case QMetaType::Float:
        if (!std::isfinite(value.toDouble()))
            throw DatabaseError(QStringLiteral("Overflow"));
        return value;
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

// ---- sessions ----

namespace detail {

Session::Session(QString name, QString poolKey, Dialect dialect, QString databaseKey, bool readOnly)
    : m_name(std::move(name)), m_poolKey(std::move(poolKey)), m_dialect(dialect),
      m_databaseKey(std::move(databaseKey)), m_readOnly(readOnly) {}

Session::~Session() {
    m_retired.clear();
    statements.clear(); // statements must go before their database
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QString Session::beginStatement() const {
    if (m_dialect == Dialect::PostgreSQL)
        return m_readOnly ? QStringLiteral("BEGIN READ ONLY") : QStringLiteral("BEGIN");
    return m_readOnly ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
}

// Session and transaction statements cannot be prepared on PostgreSQL; they carry no values.
void Session::run(const QString &sql) {
    try {
        WatchStatements::tell(m_dialect, sql, {});
    } catch (const DatabaseError &) {
        hadError = true;
        throw;
    }
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql)) {
        hadError = true;
        throw DatabaseError(errorText(query.lastError()));
    }
    if (sql.startsWith(QLatin1String("COMMIT")) || sql.startsWith(QLatin1String("ROLLBACK")))
        m_retired.clear();
}

void Session::retire(const QString &sql) {
    auto it = statements.find(sql);
    if (it == statements.end())
        return;
    if (inTransaction)
        m_retired.push_back(std::move(*it));
    statements.erase(it);
}

} // namespace detail

namespace {

using detail::Session;

// Sessions closed by every Connection using them wait here for the next Connection of the same
// thread and connection string, with their prepared statements, as the package's database
// drivers pooled theirs: opening a server session costs far more than any statement a document
// runs.
struct SessionPool {
    static constexpr int kIdlePerString = 4;
    std::map<QString, std::vector<std::shared_ptr<Session>>> idle;

    ~SessionPool() { clear(); }
    void clear() { idle.clear(); }
};

thread_local SessionPool t_pool;

// Pooled sessions are told apart by how they were opened as well as by their string.
QString poolKeyOf(const QString &connectionString, Connection::Access access) {
    return access == Connection::Access::ReadOnly ? QStringLiteral("read-only\n") + connectionString : connectionString;
}

// A read-only SQLite file that cannot have a -shm file beside it (its directory is not ours to
// write) is opened as immutable: SQLite then reads it without its shared-memory index.
bool needsImmutable(const QString &path) {
    const QFileInfo file(path);
    return !QFileInfo(file.absolutePath()).isWritable() && !QFileInfo::exists(path + QStringLiteral("-shm"));
}

std::unique_ptr<Session> openNewSession(const ConnectionTarget &target, const QString &poolKey, bool readOnly) {
    const QString name = nextConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            target.dialect == Dialect::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (target.dialect == Dialect::SQLite) {
            // Other users of the same file wait for the write lock instead of failing at once.
            QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000");
            QString file = target.databaseName;
            if (readOnly) {
                options += QStringLiteral(";QSQLITE_OPEN_READONLY");
                if (needsImmutable(file)) {
                    QUrl uri = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
                    uri.setQuery(QStringLiteral("immutable=1"));
                    file = uri.toString(QUrl::FullyEncoded);
                    options += QStringLiteral(";QSQLITE_OPEN_URI");
                }
            }
            db.setDatabaseName(file);
            db.setConnectOptions(options);
        } else {
            db.setDatabaseName(target.databaseName);
            db.setHostName(target.host);
            if (target.port > 0)
                db.setPort(target.port);
            db.setUserName(target.user);
            db.setPassword(target.password);
            db.setConnectOptions(target.options);
        }
        if (!db.open()) {
            const QString text = errorText(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DatabaseError(text.isEmpty() ? QStringLiteral("Cannot open the database") : text);
        }
    }
    auto session = std::make_unique<Session>(name, poolKey, target.dialect, databaseKey(target), readOnly);
    for (const QString &setting : sessionSettings(target.dialect))
        session->run(setting);
    if (readOnly)
        session->run(target.dialect == Dialect::SQLite
                         ? QStringLiteral("PRAGMA query_only=1")
                         : QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
    return session;
}

std::shared_ptr<Session> takePooled(const QString &poolKey) {
    auto pooled = t_pool.idle.find(poolKey);
    if (pooled == t_pool.idle.end() || pooled->second.empty())
        return {};
    std::shared_ptr<Session> session = std::move(pooled->second.back());
    pooled->second.pop_back();
    return session;
}

} // namespace

namespace detail {

void release(std::shared_ptr<Session> &session) noexcept {
    if (!session)
        return;
    if (session.use_count() > 1) {
        session.reset(); // somebody else still works on it
        return;
    }
    const bool clean = !session->inTransaction && !session->hadError;
    if (session->inTransaction) {
        session->inTransaction = false;
        session->savepoints.clear();
        try {
            session->run(QStringLiteral("ROLLBACK"));
        } catch (const DatabaseError &) {
            // nothing more to do: the session ends the transaction when it ends
        }
    }
    std::vector<std::shared_ptr<Session>> &idle = t_pool.idle[session->poolKey()];
    // A session that saw an error may be broken; it is not handed to anybody else.
    if (clean && static_cast<int>(idle.size()) < SessionPool::kIdlePerString)
        idle.push_back(std::move(session));
    session.reset();
}

} // namespace detail

void Connection::closeIdleSessions() { t_pool.clear(); }

Connection::Connection(QObject *parent) : QObject(parent) {}

Connection::~Connection() { close(); }

void Connection::setConnectionString(const QString &connectionString) { m_connectionString = connectionString; }

void Connection::open(const QString &connectionString, Creation creation) {
    setConnectionString(connectionString);
    openSession(creation, Access::ReadWrite);
}

void Connection::open(const QString &connectionString, Access access) {
    setConnectionString(connectionString);
    openSession(Creation::MustExist, access);
}

void Connection::open(Creation creation) { openSession(creation, Access::ReadWrite); }

void Connection::openSession(Creation creation, Access access) {
    if (isOpen())
        throw DatabaseError(QStringLiteral("Operation is not allowed when the object is open."));
    const ConnectionTarget target = parseConnectionString(m_connectionString);
    if (target.dialect == Dialect::SQLite && creation == Creation::MustExist &&
        target.databaseName != QLatin1String(":memory:") && !QFileInfo::exists(target.databaseName))
        throw DatabaseError(QStringLiteral("No database at %1: the file does not exist")
                                .arg(withoutPassword(target.databaseName)));
    m_dialect = target.dialect;
    const bool readOnly = access == Access::ReadOnly;
    // Inside an all-or-nothing operation one session per database serves every connection.
    if (std::shared_ptr<Session> shared = detail::scopeSessionFor(databaseKey(target), readOnly)) {
        m_session = std::move(shared);
        return;
    }
    const QString poolKey = poolKeyOf(m_connectionString, access);
    m_session = takePooled(poolKey);
    if (!m_session)
        m_session = openNewSession(target, poolKey, readOnly);
    detail::holdInScope(m_session);
}

void Connection::close() noexcept { detail::release(m_session); }

bool Connection::isReadOnly() const { return m_session && m_session->readOnly(); }

void Connection::forgetPreparedStatements() {
    if (m_session)
        m_session->statements.clear();
}

Session &Connection::session() const {
    if (!m_session)
        throw DatabaseError(QStringLiteral("Operation is not allowed when the object is closed."));
    return *m_session;
}

QSqlDatabase Connection::database() const { return QSqlDatabase::database(session().name(), false); }

bool Connection::inTransaction() const {
    return m_session && (m_session->inTransaction || OperationScope::active());
}

void Connection::beginTransaction() {
    Session &current = session();
    if (OperationScope::active()) {
        detail::enlist(m_session);
        const QString name = QStringLiteral("orbsales_transaction_%1").arg(++current.explicitCount);
        current.run(QStringLiteral("SAVEPOINT ") + name);
        current.savepoints.push_back({name, 0});
        return;
    }
    if (current.inTransaction)
        throw DatabaseError(QStringLiteral("A transaction is already open on this connection."));
    current.run(current.beginStatement());
    current.inTransaction = true;
}

void Connection::commit() {
    Session &current = session();
    if (!current.savepoints.empty() && current.savepoints.back().level == 0) {
        const QString name = current.savepoints.back().name;
        current.savepoints.pop_back();
        current.run(QStringLiteral("RELEASE SAVEPOINT ") + name);
        return;
    }
    if (!current.inTransaction || current.joined)
        throw DatabaseError(QStringLiteral("No transaction is open on this connection."));
    // A COMMIT that fails leaves the transaction open on the session: it stays marked open, so
    // that the rollback which follows a failure ends it and the session is not left inside it.
    current.run(QStringLiteral("COMMIT"));
    current.inTransaction = false;
}

void Connection::rollback() noexcept {
    if (!m_session)
        return;
    Session &current = *m_session;
    try {
        if (!current.savepoints.empty() && current.savepoints.back().level == 0) {
            const QString name = current.savepoints.back().name;
            current.savepoints.pop_back();
            current.run(QStringLiteral("ROLLBACK TO SAVEPOINT ") + name);
            current.run(QStringLiteral("RELEASE SAVEPOINT ") + name);
            return;
        }
        if (!current.inTransaction || current.joined)
            return; // the operation's transaction ends with the operation
        current.inTransaction = false;
        current.run(QStringLiteral("ROLLBACK"));
    } catch (const DatabaseError &) {
        // nothing more to do when it fails: the session ends the transaction
    }
}

void Connection::failed() noexcept {
    if (m_session)
        m_session->hadError = true;
}

QSqlQuery &Connection::prepared(const QString &sql) {
    Session &current = session();
    auto it = current.statements.find(sql);
    if (it != current.statements.end())
        return *it;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(adaptStatement(m_dialect, sql))) {
        failed();
        throw DatabaseError(errorText(query.lastError()));
    }
    return *current.statements.insert(sql, std::move(query));
}

// The thread's statement watcher sees the statement as the engine will: adapted, values converted.
void Connection::tellWatcher(const QString &sql, const QVariantList &values) {
    StatementWatcher *watcher = WatchStatements::current();
    if (!watcher)
        return;
    QVariantList bound;
    bound.reserve(values.size());
    for (const QVariant &value : values)
        bound << toDatabaseValue(value);
    try {
        watcher->aboutToRun(m_dialect, adaptStatement(m_dialect, sql), bound);
    } catch (const DatabaseError &) {
        failed();
        throw;
    }
}

void Connection::run(QSqlQuery &query, const QString &sql, const QVariantList &values) {
    tellWatcher(sql, values);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, toDatabaseValue(values.at(i)));
    if (!query.exec()) {
        const QString text = errorText(query.lastError());
        query.finish();
        // A failed statement may leave the prepared form unusable (PostgreSQL): prepare it afresh next time.
        session().retire(sql);
        failed();
        throw DatabaseError(text);
    }
}

int Connection::execute(const QString &sql, const QVariantList &values) {
    session();
    if (!t_references.tables.isEmpty() && t_references.tables.contains(tableGainingOrLosingRows(sql)))
        detail::forgetReferenceReads();
    detail::enlist(m_session);
    if (values.isEmpty()) {
        // Without values there is nothing to bind, and PostgreSQL cannot prepare DDL.
        tellWatcher(sql, {});
        QSqlQuery query(database());
        if (!query.exec(adaptStatement(m_dialect, sql))) {
            failed();
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
    session();
    detail::enlist(m_session);
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

Connection::Result Connection::selectReference(const QString &sql, const QVariantList &values) {
    if (!OperationScope::inOperation())
        return select(sql, values);
    const QString key = referenceKey(session().databaseKey(), sql, values);
    const auto kept = t_references.results.constFind(key);
    if (kept != t_references.results.constEnd())
        return *kept;
    Result result = select(sql, values);
    addTablesRead(sql, t_references.tables);
    t_references.results.insert(key, result);
    return result;
}

QVariant Connection::scalar(const QString &sql, const QVariantList &values) {
    const Result result = select(sql, values);
    if (result.rows.isEmpty() || result.rows.first().isEmpty())
        return {};
    return result.rows.first().first();
}

} // namespace orbsales
