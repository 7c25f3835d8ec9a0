#pragma once

#include "orbsales/data/connection.h"

#include <QPointer>
#include <QString>
#include <memory>

namespace orbsales {

// A connection property of a business object (AdoConnectionObject, AdoDBConnectionObject).
// It holds the connection object the caller handed in, which our objects use and never close,
// also not when they are destroyed. Classes that create a connection object at construction
// hold one of their own (not opened) until the caller hands theirs in. A property that holds no
// connection object counts as a connection that is not open.
class ConnectionProperty {
public:
    enum class Start { Empty, OwnObject };
    explicit ConnectionProperty(Start start = Start::Empty);
    ~ConnectionProperty();
    ConnectionProperty(const ConnectionProperty &) = delete;
    ConnectionProperty &operator=(const ConnectionProperty &) = delete;

    Connection *get() const { return m_current; }
    void set(Connection *connection) { m_current = connection; }
    bool isOpen() const { return m_current != nullptr && m_current->isOpen(); }
    // The connection object, or "Object variable or With block variable not set" when none.
    Connection &required() const;

private:
    std::unique_ptr<Connection> m_own;
    QPointer<Connection> m_current;
};

// The connection one operation works on: the caller's connection object, borrowed and never
// closed, or a session of the operation's own, opened from the connection string for the length
// of the operation and closed with it. One rule for every business object and sibling component.
class OperationConnection {
public:
    // The caller's connection when it is open, else one opened from the connection string.
    // `neitherMessage` (when not empty) is the error raised when the connection is not open and
    // the string is blank; otherwise the string is opened as it is and its own error reported.
    static OperationConnection borrowOrOpen(Connection *object, const QString &connectionString,
                                            const QString &neitherMessage = QString());
    // A session of its own from the connection string.
    static OperationConnection open(const QString &connectionString);
    // The caller's connection object as it is, open or not.
    static OperationConnection borrow(Connection *object);
    // The connection string when it is not empty, otherwise the caller's connection object.
    static OperationConnection openOrBorrow(const QString &connectionString, Connection *object);

    OperationConnection(OperationConnection &&) noexcept;
    OperationConnection &operator=(OperationConnection &&) noexcept;
    ~OperationConnection();

    Connection &get() const { return *m_used; }
    Connection *operator->() const { return m_used; }
    bool isOwn() const { return m_own != nullptr; }

private:
    OperationConnection() = default;
    void openOwn(const QString &connectionString);

    std::unique_ptr<Connection> m_own;
    Connection *m_used = nullptr;
};

} // namespace orbsales
