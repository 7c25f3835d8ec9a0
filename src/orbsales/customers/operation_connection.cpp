#include "orbsales/customers/operation_connection.h"

#include "orbsales/customers/customer_messages.h"
#include "orbsales/values/errors.h"

namespace orbsales {

OperationConnection::OperationConnection(const QString &connectionString)
    : m_own(std::make_unique<Connection>()), m_used(m_own.get()) {
    m_own->open(connectionString);
}

OperationConnection::OperationConnection(Connection *object) : m_used(object) {
    if (m_used == nullptr)
        throw OrbError(kObjectNotSet);
}

OperationConnection::OperationConnection(const QString &connectionString, Connection *object) {
    if (!connectionString.isEmpty()) {
        m_own = std::make_unique<Connection>();
        m_own->open(connectionString);
        m_used = m_own.get();
        return;
    }
    if (object == nullptr)
        throw OrbError(kObjectNotSet);
    m_used = object;
}

} // namespace orbsales
