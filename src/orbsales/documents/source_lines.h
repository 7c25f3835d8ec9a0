#pragma once

#include <QString>
#include <QVariant>

namespace orbsales {

class Connection;
class Recordset;

// A line of a source document that a later document points at: the source's number, the item
// (its code, or its name when the code is blank) and the source line's serial. Deliveries raise
// the delivered quantities of order and cash-memo lines this way, invoices the invoiced
// quantities of delivery lines, cancellations take them back.
struct SourceLineKey {
    QString table;        // "Sales_Order_Detail"
    QString numberColumn; // "Sales_Ord_No"
    QString number;
    QString itemCode;     // as stored, company prefix included
    QString itemName;
    QVariant serial;      // the source line's SL_No
};

// Opens the source line on `rows` (keyset, for changing it): " Select * from <table> Where
// <number>=? And  Item_Code=? And SL_No=?", with Item_Name in place of Item_Code when the trimmed
// item code is blank. Answers whether it was found.
bool openSourceLine(Recordset &rows, Connection &connection, const SourceLineKey &key);

// Adds `quantity` (negative to take it back) to the source line's `quantityColumn` and stamps
// Last_Update. False, writing nothing, when the line is not found.
bool addToSourceLine(Connection &connection, const SourceLineKey &key, QStringView quantityColumn, double quantity,
                     const QVariant &lastUpdate);

} // namespace orbsales
