#include "orbsales/grid/line_grid.h"

#include "orbsales/values/errors.h"

namespace orbsales {

void LineGrid::requireCell(int row, int col) const {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        throw GridError(QStringLiteral("Subscript out of range (row %1, column %2)").arg(row).arg(col));
}

} // namespace orbsales
