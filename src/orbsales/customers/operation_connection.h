#pragma once

#include "orbsales/data/connection.h"

#include <QString>
#include <memory>

namespace orbsales {

// The connection one operation of a customer-side class works on: a session of its own opened
// from the connection string for the length of the operation (and closed with it), or the
// connection object the caller handed in, which is borrowed and never closed. One session per
// operation rather than one per statement: the operation's reads and writes are the same
// either way, as nothing here runs in a transaction.
class OperationConnection {
public:
    // Opens a session of its own from the connection string.
    explicit OperationConnection(const QString &connectionString);
    // Borrows the connection object; a missing object is "Object variable ... not set".
    explicit OperationConnection(Connection *object);
    // The string when it is not empty, otherwise the object.
    OperationConnection(const QString &connectionString, Connection *object);

    Connection &get() const { return *m_used; }
    Connection *operator->() const { return m_used; }

private:
    std::unique_ptr<Connection> m_own;
    Connection *m_used = nullptr;
};

} // namespace orbsales
