#pragma once

#include "orbsales/data/schema.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace orbsales {

class Connection;

// Keyset: rows to be inserted or changed. Static: reading and counting, and filling grids.
// Under optimistic locking both may change rows of a single-table select; the provider's
// default lock is read-only.
enum class CursorType { Keyset, Static };
enum class LockType { Optimistic, ProviderDefault };

// A recordset over one SELECT: end of file, move next, record count, fields by name
// (case-insensitively: PostgreSQL folds names), and for a keyset cursor on one table: add a
// row, assign columns by name (coerced to the column's type), update.
//
// The SELECT runs when the first row is needed, so a recordset opened on "Select * from X"
// only to add rows reads nothing from X.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    // On a connection the caller owns.
    void open(const QString &sql, const QVariantList &values, Connection &connection, CursorType cursor,
              LockType lock = LockType::Optimistic);
    // On a connection of its own, made from the connection string and closed with the recordset.
    void open(const QString &sql, const QVariantList &values, const QString &connectionString, CursorType cursor,
              LockType lock = LockType::Optimistic);
    void close() noexcept;
    bool isOpen() const { return m_connection != nullptr; }

    bool eof();
    void moveNext();
    int recordCount();

    // The field's value; null when the column is NULL.
    QVariant value(QStringView column);
    bool isNull(QStringView column) { return value(column).isNull(); }
    // Reads that fail on NULL, as assigning a NULL to a typed field does (the rules for columns
    // that may be NULL are in column_rules.h).
    QString text(QStringView column);
    double number(QStringView column);
    qint32 integer(QStringView column);
    bool flag(QStringView column);
    QDateTime date(QStringView column);

    void addNew();
    void setValue(QStringView column, const QVariant &value);
    void update();

private:
    void load();
    int columnIndex(QStringView column);
    const schema::Column &writableColumn(QStringView column) const;
    QVariant nonNull(QStringView column);
    void appendAddedRow(const QVariant &rowKey);
    void setColumns(QStringList columns);
    void applyPending(QVariantList &row) const;
    void requireOpen() const;
    void requireCurrent();

    std::unique_ptr<Connection> m_ownConnection;
    Connection *m_connection = nullptr;
    QString m_sql;
    QVariantList m_values;
    bool m_updatable = false;
    const schema::Table *m_table = nullptr;

    bool m_loaded = false;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex; // lower-case name -> position
    QList<QVariantList> m_rows;
    int m_current = 0;

    enum class Edit { None, Adding, Changing };
    Edit m_edit = Edit::None;
    std::vector<std::pair<QString, QVariant>> m_pending; // column (as defined) -> coerced value
};

} // namespace orbsales
