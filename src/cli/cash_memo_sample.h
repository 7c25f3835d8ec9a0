#pragma once

#include "sample_quotation.h"

#include <QString>
#include <vector>

namespace orbsales {
class LineGrid;
namespace cli {

class FrontEndObject;

// Columns of the cash memo grid (column 0 is not used).
inline constexpr int kCashMemoGridColumns = 21;

// Captions in the cash memo grid's header row, which the library never reads.
void writeCashMemoCaptions(LineGrid &grid);

// A cash memo keyed in at the counter of the head office: the lines (a negative quantity is a
// returned line) in rows 1.. with their amounts, the header's totals, prefixes 01/HO/CHM, the home
// currency, sold from the main store; processed online. Payment type, customer and connection
// are left to the caller.
void keyCashMemo(FrontEndObject &memo, LineGrid &grid, const std::vector<SampleLine> &lines);

} // namespace cli
} // namespace orbsales
