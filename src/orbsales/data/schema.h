#pragma once

#include "orbsales/data/dialect.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace orbsales {

class Connection;

namespace schema {

// Column types of the package's tables. Flags are small integers (0/1), amounts double
// precision, dates timestamps.
enum class ColumnType { Text, Integer, Long, Double, Flag, Date };

struct Column {
    QString name;
    ColumnType type = ColumnType::Text;
    bool notNull = false;
};

struct Index {
    QString name;
    QStringList columns;
    bool unique = false;
};

// Every table carries the surrogate row key Row_Id, through which recordsets update rows.
struct Table {
    QString name;
    std::vector<Column> columns;
    std::vector<Index> indexes;

    const Column *column(QStringView name) const; // case-insensitive
};

struct View {
    QString name;
    QString select; // written once for both engines
};

inline constexpr const char *kRowKey = "Row_Id";

// The one definition of the database: every table, column, index and view, in creation order.
// Each subsystem contributes its tables from its own file (tables_*.cpp).
class Schema {
public:
    static const Schema &instance();

    const std::vector<Table> &tables() const { return m_tables; }
    const std::vector<View> &views() const { return m_views; }
    const Table *table(QStringView name) const; // case-insensitive; nullptr when unknown

    // The statements that create everything on an empty database.
    QStringList createStatements(Dialect dialect) const;
    // Creates what is missing (tables, columns, indexes, views) in one transaction and records
    // the schema version; an existing company database is brought forward the same way.
    void apply(Connection &connection) const;
    // A fingerprint of the definition, so test templates are rebuilt when it changes.
    QString fingerprint() const;

    static constexpr int kVersion = 1;

    // A table named twice (several subsystems use its columns) is one table with the columns
    // and indexes of both; the first description of a column holds.
    void addTable(Table table);
    void addView(View view) { m_views.push_back(std::move(view)); }

private:
    Schema();
    std::vector<Table> m_tables;
    std::vector<View> m_views;
};

// Converts a value to what the column holds; throws DatabaseError("Type mismatch") when it
// cannot ("12abc" into an amount). Null stays null.
QVariant coerce(ColumnType type, const QVariant &value);
// Normalises a value read from either engine to the column's type (dates stored as text in
// SQLite come back as QDateTime, flags as int).
QVariant fromDatabase(ColumnType type, const QVariant &value);

// Contributions, one per subsystem file.
void addSystemTables(Schema &schema);
void addDocumentTables(Schema &schema);
void addOrderTables(Schema &schema); // quotations and orders
void addCustomerTables(Schema &schema);
void addPackageTables(Schema &schema);

} // namespace schema
} // namespace orbsales
