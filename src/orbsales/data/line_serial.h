#pragma once

#include <QString>
#include <QtGlobal>

namespace orbsales {

class Connection;

// The serial of a detail line (SL_No): one more than the largest SL_No in the whole detail table
// at the moment the line is written, or 1 when the table holds none. Serials are therefore
// unique across all documents of the type and rise in grid order within a document.
//
// Two writers must never hand out the same serial, so the table's serial is held from reading
// the largest serial until the line is written (written(), or the end of the guard):
// - SQLite: the read and the write share one write transaction: the caller's, or one the guard
//   begins (BEGIN IMMEDIATE) and commits at written(), rolls back when the line was not written;
// - PostgreSQL: an advisory lock on the table's serial, held to the end of the caller's
//   transaction when there is one, else until written().
// Usage, per line: LineSerial serial(connection, "X_Detail"); ...set columns, SL_No := serial.value();
// rs.update(); serial.written();
class LineSerial {
public:
    LineSerial(Connection &connection, const QString &detailTable);
    ~LineSerial();
    LineSerial(const LineSerial &) = delete;
    LineSerial &operator=(const LineSerial &) = delete;

    qint32 value() const { return m_value; }
    // The line is written: the serial is released to the next writer.
    void written();

private:
    void release(bool keep) noexcept;

    Connection &m_connection;
    qint64 m_lockKey = 0;
    qint32 m_value = 0;
    bool m_ownTransaction = false;
    bool m_sessionLock = false;
    bool m_released = false;
};

} // namespace orbsales
