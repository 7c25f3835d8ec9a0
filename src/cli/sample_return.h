#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace orbsales {
class Connection;
class LineGrid;
namespace cli {

class FrontEndObject;

// Columns of the return grid (column 0 is not used).
inline constexpr int kReturnGridColumns = 29;

// A return as the return screen keys it in: the source, and the items (as the grid shows their
// codes) with the quantities the customer brings back.
struct SampleReturn {
    QString sourceKind; // "INV", "DSI", "DEL", "DDL", "CHM"
    QString sourceNo;
    std::vector<std::pair<QString, double>> quantities;
    QString comments;
};

// A return object as the screen holds it: the front end's open connection, the connection
// string, company 01, branch HO, prefix SRT, amounts to 2 decimals, online processing, stock back
// to location 1 "Main Store".
std::unique_ptr<FrontEndObject> newSalesReturn(Connection &connection, const QString &db);

// The screen's steps: RefDocType set, the source's loader called with the source number and the
// grid (both by reference), the asked lines ticked with their quantities, line amounts and the
// header's totals worked out from the grid, today's date. False when the loader refused (its
// ErrDesc stays on the object).
bool keyInReturn(FrontEndObject &salesReturn, LineGrid &grid, const SampleReturn &sample);

// Captions in the grid's header row, which the library never reads.
void writeReturnCaptions(LineGrid &grid);

} // namespace cli
} // namespace orbsales
