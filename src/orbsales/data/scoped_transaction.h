#pragma once

#include "orbsales/data/connection.h"

namespace orbsales {

// Opens a member connection from a connection string and begins a transaction on it. Unless
// committed, the destructor rolls the transaction back; either way it closes the connection.
// A failure while opening or beginning closes what was opened and raises the error.
class ScopedTransaction {
public:
    ScopedTransaction(Connection &connection, const QString &connectionString) : m_connection(connection) {
        try {
            m_connection.open(connectionString);
            m_connection.beginTransaction();
        } catch (...) {
            m_connection.close();
            throw;
        }
    }
    ~ScopedTransaction() {
        m_connection.rollback();
        m_connection.close();
    }
    ScopedTransaction(const ScopedTransaction &) = delete;
    ScopedTransaction &operator=(const ScopedTransaction &) = delete;

    void commit() { m_connection.commit(); }

private:
    Connection &m_connection;
};

} // namespace orbsales
