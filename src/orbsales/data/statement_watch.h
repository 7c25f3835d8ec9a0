#pragma once

#include "orbsales/data/dialect.h"

#include <QString>
#include <QVariantList>
#include <vector>

namespace orbsales {

// Sees every statement the calling thread's connections send, just before it goes to the
// database: transaction control and session settings too. The benchmark records what a document
// costs in statements and replays them bare; tests make one statement fail as a broken
// connection would.
class StatementWatcher {
public:
    virtual ~StatementWatcher() = default;
    // `sql` as the engine receives it (adapted to its dialect), `values` as they are bound.
    // Throwing DatabaseError fails the statement as the database would: the caller sees the
    // error and the session is not handed to anybody else afterwards.
    virtual void aboutToRun(Dialect dialect, const QString &sql, const QVariantList &values) = 0;
};

// Installs a watcher for the calling thread while it lives; the one before comes back after.
class WatchStatements {
public:
    explicit WatchStatements(StatementWatcher &watcher);
    ~WatchStatements();
    WatchStatements(const WatchStatements &) = delete;
    WatchStatements &operator=(const WatchStatements &) = delete;

    // The calling thread's watcher, or null.
    static StatementWatcher *current();
    // Tells the current watcher, if any.
    static void tell(Dialect dialect, const QString &sql, const QVariantList &values);

private:
    StatementWatcher *m_before;
};

struct RecordedStatement {
    QString sql;
    QVariantList values;
};

// Keeps every statement it sees, in order.
class StatementRecorder : public StatementWatcher {
public:
    void aboutToRun(Dialect dialect, const QString &sql, const QVariantList &values) override;
    std::vector<RecordedStatement> statements;
};

// Runs recorded statements again through the bare driver on `connectionString` (a session of its
// own, each distinct statement prepared once), with nothing of this library in between: what the
// statements themselves cost. Raises DatabaseError at the first statement that fails.
void replayStatements(const QString &connectionString, const std::vector<RecordedStatement> &statements);

} // namespace orbsales
