#pragma once

#include "orbsales/data/statement_watch.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace orbsales {
class Connection;
}

namespace orbsales::testing {

// The text the failed statement raises, as a dropped connection would.
inline const QString kConnectionLost = QStringLiteral("server closed the connection unexpectedly");

// Records every statement and fails the one numbered `failAt` (from 1); the ones after it go
// through, so that the operation can clean up as it would after a real failure.
class FailingStatement : public StatementWatcher {
public:
    explicit FailingStatement(int failAt) : m_failAt(failAt) {}
    void aboutToRun(Dialect dialect, const QString &sql, const QVariantList &values) override;
    std::vector<RecordedStatement> statements;

private:
    int m_failAt;
};

// The tables the statements insert into, update or delete from, as the database names them.
QSet<QString> tablesWrittenBy(Connection &connection, const std::vector<RecordedStatement> &statements);

// Every row of each table, as sorted text: two snapshots are equal when the tables hold the same rows.
using Snapshot = std::map<QString, QStringList>;
Snapshot snapshotOf(Connection &connection, const QSet<QString> &tables);

// The tables whose rows differ, each with a few rows that only one side holds; empty when equal.
QStringList differences(const Snapshot &expected, const Snapshot &actual);
QSet<QString> changedTables(const Snapshot &before, const Snapshot &after);

// What `orbsales verify` reports: the breaches of the books and the half-done documents.
QStringList verifyFindings(Connection &connection);

// True when the session the caller holds is still inside a transaction (or one that failed).
bool inOpenTransaction(Connection &caller);

// Which of the statements (numbered from 1) are failed in turn: every one on SQLite. On
// PostgreSQL every fresh database is a clone of a whole database (about a second each, against a
// file copy on SQLite), so a run there takes the first, the last, every fifteenth and every
// COMMIT (where a failure differs most between the engines): the SQLite run has already failed
// each statement of the same code.
std::vector<int> statementsToFail(const std::vector<RecordedStatement> &statements);

} // namespace orbsales::testing
