#pragma once

#include <QString>

namespace orbsales::testing {

// A database copied from another one, dropped again when it goes: a SQLite file copied, or a
// PostgreSQL database cloned with the other as its template. Nobody may be connected to the
// source while it is copied (this thread's idle sessions are closed first).
class ScratchDatabase {
public:
    explicit ScratchDatabase(const QString &sourceConnectionString);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase &) = delete;
    ScratchDatabase &operator=(const ScratchDatabase &) = delete;

    const QString &connectionString() const { return m_connectionString; }

private:
    QString m_connectionString;
    QString m_dropName;
};

} // namespace orbsales::testing
