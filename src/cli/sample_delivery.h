#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace orbsales {
class Connection;
class LineGrid;
namespace cli {

class FrontEndObject;

// Columns of the delivery note grid (column 0 is not used) and of the direct delivery grid.
inline constexpr int kDeliveryGridColumns = 23;
inline constexpr int kDirectDeliveryGridColumns = 19;

// Captions in the header rows, which the library never reads.
void writeDeliveryCaptions(LineGrid &grid);
void writeDirectDeliveryCaptions(LineGrid &grid);

// A delivery note as the delivery screen has it, for the demo and the benchmark: the front
// end's open connection and its connection string, company 01, the branch, prefix DEL (its
// stock movements too), dated today, processed online.
std::unique_ptr<FrontEndObject> newDelivery(Connection &connection, const QString &db, const QString &branch);

// After Get_Order_Details: each line row gets the quantity `take(row, open quantity)` answers;
// a row with more than 0 is ticked, its amounts worked out for that quantity and its goods
// leave from the branch's demo location. The header's totals are those of the ticked lines.
// Answers how many lines were ticked.
int pickLines(FrontEndObject &delivery, LineGrid &grid, const QString &branch,
              const std::function<double(int row, double open)> &take);

// Process_Delivery by name, with its source kind passed by reference as a front end does.
bool processDelivery(FrontEndObject &delivery, const QString &from);

} // namespace cli
} // namespace orbsales
