#pragma once

namespace orbsales {

class Connection;

// All-or-nothing for one operation (the AtomicFlag switch of the business objects).
//
// The operation boundary opens a scope; the scope belongs to the thread. Every Connection that
// runs a statement inside it joins it on first use: BEGIN (BEGIN IMMEDIATE on SQLite), or a
// SAVEPOINT when the session already is in a transaction of the caller's. Inside the scope:
// - connections opened from a connection string share one session per database, and a
//   connection string naming the database of a connection the caller handed in (adopt) uses
//   that caller's session: SQLite admits one writer, and two sessions of one operation would
//   wait on each other;
// - a transaction begun on a joined connection (ScopedTransaction, a line-serial guard, a
//   sibling's write unit) is a savepoint, its commit a release;
// - an operation called by another operation (a level below the outermost) gets a savepoint on
//   every session it uses: answering False or raising undoes its own writes, answering True
//   leaves them to the outer operation, which commits or rolls back everything at its end.
// Outside a scope nothing changes: every statement is written as it runs, as the package always
// has.
class OperationScope {
public:
    // Opens a level when `atomic` is set or the thread already is inside a scope; otherwise the
    // scope stays closed and does nothing.
    explicit OperationScope(bool atomic);
    // A level that was not finished is rolled back.
    ~OperationScope();
    OperationScope(const OperationScope &) = delete;
    OperationScope &operator=(const OperationScope &) = delete;

    bool isOpen() const { return m_level > 0; }
    // A connection the caller handed in: a connection string naming the same database uses its
    // session. Ignored when the scope is closed or the connection is not open.
    void adopt(Connection *connection);
    // Ends the level: kept (the outermost level commits) or rolled back. A commit that fails
    // rolls back and raises the database's error.
    void finish(bool keep);

    // The thread is inside an all-or-nothing scope.
    static bool active();
    // The thread is inside an operation, all-or-nothing or not.
    static bool inOperation();

private:
    int m_level = 0;
};

} // namespace orbsales
