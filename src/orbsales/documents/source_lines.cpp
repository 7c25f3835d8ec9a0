#include "orbsales/documents/source_lines.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/data/schema.h"
#include "orbsales/values/text.h"

namespace orbsales {

bool openSourceLine(Recordset &rows, Connection &connection, const SourceLineKey &key) {
    const QString code = text::trimBlanks(key.itemCode);
    const bool byName = code.isEmpty();
    rows.open(QStringLiteral(" Select * from %1 Where %2=? And  %3=? And SL_No=?")
                  .arg(key.table, key.numberColumn, byName ? QStringLiteral("Item_Name") : QStringLiteral("Item_Code")),
              {key.number, byName ? text::trimBlanks(key.itemName) : code, key.serial}, connection,
              CursorType::Keyset);
    return !rows.eof();
}

bool addToSourceLine(Connection &connection, const SourceLineKey &key, QStringView quantityColumn, double quantity,
                     const QVariant &lastUpdate) {
    Recordset line;
    if (!openSourceLine(line, connection, key))
        return false;
    // The quantity is raised by the statement itself: two users delivering or invoicing from one
    // line at once each add their own, where reading it and writing it back would lose one. The
    // same statement stamps the line, so a failure never leaves the quantity moved and the line
    // unstamped (a document that looks finished, yet was answered as failed).
    connection.execute(QStringLiteral("Update %1 Set %2 = COALESCE(%2, 0) + ?, Last_Update = ? Where Row_Id = ?")
                           .arg(key.table, quantityColumn.toString()),
                       {quantity, schema::coerce(schema::ColumnType::Date, lastUpdate), line.value(u"Row_Id")});
    return true;
}

} // namespace orbsales
