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
    // Starts at 0, never NULL: quantities that later documents add to (delivered, invoiced,
    // returned, ordered), so that "delivered < ordered" holds for a fresh line.
    bool startsAtZero = false;
};

struct Index {
    QString name;
    QStringList columns;
    bool unique = false;
    // A partial index: only the rows this condition holds for (written once for both engines).
    // A statement uses it when its own condition contains the same term.
    QString where = {};
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

// Text keys: document numbers, account numbers and codes, i.e. the text columns whose names end
// in "_No", "_Code" or "_Prefix". Two keys are the same when they differ only by trailing blanks
// ("01HOSORTMP5 " is "01HOSORTMP5"), as on the package's server database, and every statement
// gets that from the column's type; letter case counts. The value is stored as written.
bool isKeyColumn(const Column &column);
QString keyType(Dialect dialect);
bool sameName(QStringView a, QStringView b); // names of tables and columns: any letter case

// The one definition of the database: every table, column, index and view, in creation order.
// Each subsystem contributes its tables from its own file (tables_*.cpp).
class Schema {
public:
    static const Schema &instance();

    const std::vector<Table> &tables() const { return m_tables; }
    const std::vector<View> &views() const { return m_views; }
    const Table *table(QStringView name) const; // case-insensitive; nullptr when unknown

    // The statement that creates one table as defined.
    QString createStatement(Dialect dialect, const Table &table) const;
    // The statements that create everything on an empty database.
    QStringList createStatements(Dialect dialect) const;
    // Creates what is missing (tables, columns, indexes, views) in one transaction and records
    // the schema version; an existing company database is brought forward the same way.
    void apply(Connection &connection) const;
    // A fingerprint of the definition, so test templates are rebuilt when it changes.
    QString fingerprint() const;

    // 1: the first schema. 2: text keys ignore trailing blanks (their column types change).
    static constexpr int kVersion = 2;

    // A table named twice (several subsystems use its columns) is one table with the columns
    // and indexes of both; the first description of a column holds.
    void addTable(Table table);
    void addView(View view) { m_views.push_back(std::move(view)); }

private:
    Schema();
    // The upgrade steps above the stored version, each in a transaction of its own, for a
    // company database made by an earlier version (schema_upgrade.cpp). A new database has no
    // stored version and needs none.
    void bringForward(Connection &connection) const;
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
void addDeliveryTables(Schema &schema);
void addCashMemoTables(Schema &schema);
void addInvoiceTables(Schema &schema);
void addReturnTables(Schema &schema);

} // namespace schema
} // namespace orbsales
