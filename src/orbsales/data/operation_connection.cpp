#include "orbsales/data/operation_connection.h"

#include "orbsales/values/errors.h"
#include "orbsales/values/text.h"

namespace orbsales {

ConnectionProperty::ConnectionProperty(Start start) {
    if (start == Start::OwnObject) {
        m_own = std::make_unique<Connection>();
        m_current = m_own.get();
    }
}

// Only the object of our own goes with us; the caller's connection stays as the caller left it.
ConnectionProperty::~ConnectionProperty() = default;

Connection &ConnectionProperty::required() const { return orbsales::required(m_current.data()); }

OperationConnection::OperationConnection(OperationConnection &&) noexcept = default;
OperationConnection &OperationConnection::operator=(OperationConnection &&) noexcept = default;
OperationConnection::~OperationConnection() = default; // a session of our own closes with its object

void OperationConnection::openOwn(const QString &connectionString) {
    m_own = std::make_unique<Connection>();
    m_own->open(connectionString);
    m_used = m_own.get();
}

OperationConnection OperationConnection::borrowOrOpen(Connection *object, const QString &connectionString,
                                                      const QString &neitherMessage) {
    OperationConnection result;
    if (object != nullptr && object->isOpen()) {
        result.m_used = object;
        return result;
    }
    if (!neitherMessage.isEmpty() && text::isBlank(connectionString))
        throw OrbError(neitherMessage);
    result.openOwn(connectionString);
    return result;
}

OperationConnection OperationConnection::open(const QString &connectionString) {
    OperationConnection result;
    result.openOwn(connectionString);
    return result;
}

OperationConnection OperationConnection::borrow(Connection *object) {
    OperationConnection result;
    result.m_used = &required(object);
    return result;
}

OperationConnection OperationConnection::openOrBorrow(const QString &connectionString, Connection *object) {
    if (!connectionString.isEmpty())
        return open(connectionString);
    return borrow(object);
}

} // namespace orbsales
