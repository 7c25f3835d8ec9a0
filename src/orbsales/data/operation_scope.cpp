#include "orbsales/data/operation_scope.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/session.h"
#include "orbsales/values/errors.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace orbsales {

namespace {

using detail::Session;

struct ScopeState {
    int depth = 0; // levels open on this thread; 0 outside every scope
    // The sessions of the scope: adopted from the caller, opened or joined inside it. Held until
    // the outermost level ends, so that a connection closed half-way leaves its work to the scope.
    std::vector<std::shared_ptr<Session>> sessions;
};

thread_local ScopeState t_scope;

const QString kJoinSavepoint = QStringLiteral("orbsales_scope");

QString levelSavepoint(int level) { return QStringLiteral("orbsales_level_%1").arg(level); }

bool isHeld(const Session &session) {
    return std::any_of(t_scope.sessions.begin(), t_scope.sessions.end(),
                       [&](const std::shared_ptr<Session> &held) { return held.get() == &session; });
}

void hold(const std::shared_ptr<Session> &session) {
    if (!isHeld(*session))
        t_scope.sessions.push_back(session);
}

// The deepest operation level that has a savepoint on the session (1: the scope's own transaction).
int deepestLevel(const Session &session) {
    int deepest = 1;
    for (const Session::Savepoint &savepoint : session.savepoints)
        deepest = std::max(deepest, savepoint.level);
    return deepest;
}

// A level below the outermost: its savepoint is released, or rolled back to and released.
void endLevel(Session &session, int level, bool keep) {
    auto found = std::find_if(session.savepoints.rbegin(), session.savepoints.rend(),
                              [level](const Session::Savepoint &savepoint) { return savepoint.level == level; });
    if (found == session.savepoints.rend())
        return; // the session was not used at this level
    const auto at = std::prev(found.base());
    const QString name = at->name;
    session.savepoints.erase(at, session.savepoints.end()); // inner savepoints go with it
    if (!keep)
        session.run(QStringLiteral("ROLLBACK TO SAVEPOINT ") + name);
    session.run(QStringLiteral("RELEASE SAVEPOINT ") + name);
}

// The outermost level: the scope's transaction is committed or rolled back (or, on a caller's
// transaction, its savepoint released or rolled back to).
void endScope(Session &session, bool keep) {
    session.savepoints.clear();
    session.joined = false;
    if (session.joinedWithSavepoint) {
        session.joinedWithSavepoint = false;
        if (!keep)
            session.run(QStringLiteral("ROLLBACK TO SAVEPOINT ") + kJoinSavepoint);
        session.run(QStringLiteral("RELEASE SAVEPOINT ") + kJoinSavepoint);
        return;
    }
    session.inTransaction = false;
    if (!keep) {
        session.run(QStringLiteral("ROLLBACK"));
        return;
    }
    try {
        session.run(QStringLiteral("COMMIT"));
    } catch (const DatabaseError &) {
        try {
            session.run(QStringLiteral("ROLLBACK")); // a commit that failed leaves nothing half-written
        } catch (const DatabaseError &) {
        }
        throw;
    }
}

} // namespace

namespace detail {

// The key of the transaction lock every all-or-nothing operation takes on PostgreSQL.
constexpr qint64 kOperationLock = 0x4F524253; // "ORBS"

void enlist(const std::shared_ptr<Session> &session) {
    if (t_scope.depth == 0)
        return;
    hold(session);
    if (!session->joined) {
        if (session->inTransaction) {
            session->run(QStringLiteral("SAVEPOINT ") + kJoinSavepoint);
            session->joinedWithSavepoint = true;
        } else {
            session->run(session->beginStatement());
            session->inTransaction = true;
            // All-or-nothing operations write one at a time, as BEGIN IMMEDIATE makes them on
            // SQLite: two operations that each hold rows the other wants (accounts, stock rows,
            // taken in the order of their lines) would otherwise deadlock, and the database
            // would end one of them with an error. The lock ends with the transaction.
            if (session->dialect() == Dialect::PostgreSQL && !session->readOnly())
                session->run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kOperationLock));
        }
        session->joined = true;
    }
    for (int level = deepestLevel(*session) + 1; level <= t_scope.depth; ++level) {
        session->run(QStringLiteral("SAVEPOINT ") + levelSavepoint(level));
        session->savepoints.push_back({levelSavepoint(level), level});
    }
}

std::shared_ptr<Session> scopeSessionFor(const QString &databaseKey, bool readOnly) {
    if (t_scope.depth == 0)
        return {};
    // Also a session that saw an error: the operation's transaction is on it, and a second session
    // would wait on that transaction's lock (SQLite) or write outside it (PostgreSQL).
    for (const std::shared_ptr<Session> &session : t_scope.sessions)
        if (session->databaseKey() == databaseKey && session->readOnly() == readOnly)
            return session;
    return {};
}

void holdInScope(const std::shared_ptr<Session> &session) {
    if (t_scope.depth > 0)
        hold(session);
}

} // namespace detail

// How deep the thread is in operations, all-or-nothing or not: reference reads are kept until
// the outermost one ends.
thread_local int t_operations = 0;

OperationScope::OperationScope(bool atomic) {
    ++t_operations;
    if (atomic || t_scope.depth > 0)
        m_level = ++t_scope.depth;
}

OperationScope::~OperationScope() {
    if (--t_operations == 0)
        detail::forgetReferenceReads();
    if (m_level == 0)
        return;
    try {
        finish(false);
    } catch (const std::exception &) {
        // Rolling back while an error is on its way out: that error is the one to report.
    }
}

bool OperationScope::active() { return t_scope.depth > 0; }

bool OperationScope::inOperation() { return t_operations > 0; }

void OperationScope::adopt(Connection *connection) {
    if (m_level == 0 || connection == nullptr || !connection->isOpen())
        return;
    hold(connection->m_session);
}

void OperationScope::finish(bool keep) {
    if (m_level == 0)
        return;
    const int level = m_level;
    m_level = 0;
    QString failure;
    for (const std::shared_ptr<Session> &session : t_scope.sessions) {
        if (!session->joined)
            continue;
        try {
            if (level > 1)
                endLevel(*session, level, keep);
            else
                endScope(*session, keep);
        } catch (const DatabaseError &error) {
            session->hadError = true;
            if (failure.isEmpty())
                failure = error.description();
            keep = false; // what is not committed yet is rolled back with the failure
        }
    }
    --t_scope.depth;
    if (level == 1) {
        std::vector<std::shared_ptr<Session>> sessions;
        sessions.swap(t_scope.sessions);
        for (std::shared_ptr<Session> &session : sessions) {
            session->joined = false;
            detail::release(session);
        }
    }
    if (!failure.isEmpty())
        throw DatabaseError(failure);
}

} // namespace orbsales
