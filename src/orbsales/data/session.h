#pragma once

// Inside the data layer: one database session, shared by the Connection objects that use it and,
// during an all-or-nothing operation, by the operation scope. Only data/connection.cpp and
// data/operation_scope.cpp use this header.

#include "orbsales/data/dialect.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <memory>
#include <vector>

namespace orbsales::detail {

class Session {
public:
    Session(QString name, QString poolKey, Dialect dialect, QString databaseKey, bool readOnly);
    ~Session(); // ends the session: statements first, then the database connection
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    const QString &name() const { return m_name; }
    const QString &poolKey() const { return m_poolKey; }
    Dialect dialect() const { return m_dialect; }
    // What names the database (the same for every connection string that reaches it).
    const QString &databaseKey() const { return m_databaseKey; }
    bool readOnly() const { return m_readOnly; }
    // How a transaction begins on this session. SQLite takes the write lock at the start, so that
    // concurrent writers queue instead of one of them failing when it first writes inside a
    // transaction that began as a reader.
    QString beginStatement() const;

    // A statement without values and without result (transaction control, session settings).
    // Raises DatabaseError with the engine's text.
    void run(const QString &sql);
    // Prepared statements are kept for the life of the session: documents write the same few
    // statements once per line, and re-preparing each time is most of their cost.
    QHash<QString, QSqlQuery> statements;
    // A statement that failed inside a transaction is prepared afresh next time; its old form is
    // let go once the transaction ends (PostgreSQL cannot free it while the transaction is aborted).
    void retire(const QString &sql);

    bool inTransaction = false; // a transaction is open (the caller's, a guard's or the scope's)
    bool hadError = false;      // a session that saw an error is not handed to anybody else

    // Savepoints set on this session, innermost last: operation levels of the scope (level > 0)
    // and transactions begun inside the scope (level 0).
    struct Savepoint {
        QString name;
        int level = 0;
    };
    std::vector<Savepoint> savepoints;
    bool joined = false;               // takes part in the thread's all-or-nothing scope
    bool joinedWithSavepoint = false;  // joined a transaction that was already open
    int explicitCount = 0;             // names the savepoints of transactions begun in the scope

private:
    std::vector<QSqlQuery> m_retired;
    QString m_name;
    QString m_poolKey;
    Dialect m_dialect;
    QString m_databaseKey;
    bool m_readOnly;
};

// Gives the session back. Its last holder rolls back what is still open and hands it to the
// thread's pool when it is clean, else it ends.
void release(std::shared_ptr<Session> &session) noexcept;

// The all-or-nothing scope's side of a session (data/operation_scope.cpp).
// Called before every statement: inside a scope the session joins it on first use.
void enlist(const std::shared_ptr<Session> &session);
// The session already open in the scope for this database, if any.
std::shared_ptr<Session> scopeSessionFor(const QString &databaseKey, bool readOnly);
// A session opened inside the scope is held by it until the scope ends.
void holdInScope(const std::shared_ptr<Session> &session);

// Reference reads kept for the operation under way (Connection::selectReference) are let go
// when the thread's outermost operation ends.
void forgetReferenceReads();

} // namespace orbsales::detail
