#include "orbsales/data/statement_watch.h"

#include "orbsales/values/errors.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace orbsales {

namespace {
thread_local StatementWatcher *t_watcher = nullptr;
}

WatchStatements::WatchStatements(StatementWatcher &watcher) : m_before(t_watcher) { t_watcher = &watcher; }

WatchStatements::~WatchStatements() { t_watcher = m_before; }

StatementWatcher *WatchStatements::current() { return t_watcher; }

void WatchStatements::tell(Dialect dialect, const QString &sql, const QVariantList &values) {
    if (t_watcher)
        t_watcher->aboutToRun(dialect, sql, values);
}

void StatementRecorder::aboutToRun(Dialect, const QString &sql, const QVariantList &values) {
    statements.push_back({sql, values});
}

void replayStatements(const QString &connectionString, const std::vector<RecordedStatement> &statements) {
    const ConnectionTarget target = parseConnectionString(connectionString);
    const QString name = QStringLiteral("orbsales-replay");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            target.dialect == Dialect::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        db.setDatabaseName(target.databaseName);
        if (target.dialect == Dialect::SQLite) {
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
        } else {
            db.setHostName(target.host);
            if (target.port > 0)
                db.setPort(target.port);
            db.setUserName(target.user);
            db.setPassword(target.password);
            db.setConnectOptions(target.options);
        }
        QString failure;
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            // Set up as this library's sessions are, so that only what lies between differs.
            for (const QString &setting : sessionSettings(target.dialect)) {
                QSqlQuery query(db);
                if (!query.exec(setting) && failure.isEmpty())
                    failure = query.lastError().text() + QStringLiteral(" in ") + setting;
            }
        }
        if (failure.isEmpty()) {
            QHash<QString, QSqlQuery> prepared;
            for (const RecordedStatement &statement : statements) {
                bool ok;
                QSqlQuery *query;
                QSqlQuery plain(db);
                if (statement.values.isEmpty()) {
                    query = &plain;
                    ok = plain.exec(statement.sql);
                } else {
                    auto it = prepared.find(statement.sql);
                    if (it == prepared.end()) {
                        QSqlQuery fresh(db);
                        fresh.setForwardOnly(true);
                        fresh.prepare(statement.sql);
                        it = prepared.insert(statement.sql, std::move(fresh));
                    }
                    query = &*it;
                    for (int i = 0; i < statement.values.size(); ++i)
                        query->bindValue(i, statement.values.at(i));
                    ok = query->exec();
                }
                if (!ok) {
                    failure = query->lastError().text() + QStringLiteral(" in ") + statement.sql;
                    break;
                }
                const int columns = query->record().count();
                while (query->next()) // rows are read as the library reads them
                    for (int c = 0; c < columns; ++c)
                        query->value(c);
                query->finish();
            }
        }
        db.close();
        if (!failure.isEmpty()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DatabaseError(failure);
        }
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace orbsales
