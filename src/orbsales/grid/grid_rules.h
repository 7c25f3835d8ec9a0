#pragma once

#include "orbsales/grid/line_grid.h"

namespace orbsales::gridrules {

// Sizing before loading `storedLines` lines. In view mode (processed or cancelled) the grid is
// set to storedLines + 2 rows; otherwise it grows to storedLines + 2 only when it has fewer than
// storedLines + 1 rows, and a large enough grid keeps its rows and their content.
void sizeForLoad(LineGrid &grid, int storedLines, bool viewMode);

// Cell text for a stored value when loading: numbers as their shortest text, null leaves the
// cell as it was (returns false and writes nothing).
bool writeNumber(LineGrid &grid, int row, int col, const QVariant &stored);
bool writeText(LineGrid &grid, int row, int col, const QVariant &stored);
// Flags as "1" (stored value non-zero) or "0".
bool writeFlag(LineGrid &grid, int row, int col, const QVariant &stored);

} // namespace orbsales::gridrules
