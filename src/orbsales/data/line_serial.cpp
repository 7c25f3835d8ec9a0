#include "orbsales/data/line_serial.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"

namespace orbsales {

namespace {

// A stable key per table for the server's advisory locks (the same on every client).
qint64 lockKeyOf(const QString &table) {
    quint32 hash = 2166136261u; // FNV-1a over the lower-case name
    for (const QChar c : table.toLower()) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return 0x4F524200000000LL | hash; // "ORB" in the high bits keeps clear of other lock users
}

} // namespace

LineSerial::LineSerial(Connection &connection, const QString &detailTable) : m_connection(connection) {
    if (connection.dialect() == Dialect::SQLite) {
        if (!connection.inTransaction()) {
            connection.beginTransaction();
            m_ownTransaction = true;
        }
    } else {
        m_lockKey = lockKeyOf(detailTable);
        m_sessionLock = !connection.inTransaction();
        connection.execute(m_sessionLock ? QStringLiteral("SELECT pg_advisory_lock(?)")
                                         : QStringLiteral("SELECT pg_advisory_xact_lock(?)"),
                           {m_lockKey});
    }
    try {
        Recordset rs;
        rs.open(QStringLiteral("Select max(SL_NO) as MaxNo from ") + detailTable, {}, connection, CursorType::Static);
        const QVariant maxNo = rs.value(u"MaxNo");
        m_value = maxNo.isNull() ? 1 : maxNo.toInt() + 1;
    } catch (...) {
        release(false);
        throw;
    }
}

LineSerial::~LineSerial() { release(false); }

void LineSerial::written() {
    if (m_ownTransaction && !m_released) {
        // A failing commit reaches the caller: the line is not written, and the destructor
        // rolls the transaction back.
        m_connection.commit();
        m_released = true;
        return;
    }
    release(true);
}

void LineSerial::release(bool keep) noexcept {
    if (m_released)
        return;
    m_released = true;
    if (m_ownTransaction && !keep)
        m_connection.rollback();
    if (m_sessionLock) {
        try {
            m_connection.execute(QStringLiteral("SELECT pg_advisory_unlock(?)"), {m_lockKey});
        } catch (const std::exception &) {
            // A session whose unlock fails has failed as a whole and is not pooled again; its
            // locks end with it.
        }
    }
}

} // namespace orbsales
