#include "orbsales/grid/grid_rules.h"

#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QMetaType>

#include <algorithm>
#include <optional>

namespace orbsales::gridrules {

namespace {

// A stored value as a number. Drivers hand back numeric columns either as numbers or as text
// (PostgreSQL NUMERIC arrives as a string), so numeric text is accepted too; anything else is
// the same "Type mismatch" failure as converting such a value in the business code.
double storedNumber(const QVariant &stored) {
    const int typeId = stored.typeId();
    if (numbers::isNumberType(typeId))
        return stored.toDouble();
    if (typeId == QMetaType::QString || typeId == QMetaType::QByteArray) {
        if (const std::optional<double> number = numbers::exactNumber(stored.toString()))
            return *number;
    }
    throw OrbError(QStringLiteral("Type mismatch"));
}

} // namespace

void sizeForLoad(LineGrid &grid, int storedLines, bool viewMode) {
    // One header row plus one empty row after the lines: the empty row ends the list when it is read back.
    const int lines = std::max(storedLines, 0);
    if (viewMode || grid.rowCount() < lines + 1)
        grid.setRowCount(lines + 2);
}

bool writeNumber(LineGrid &grid, int row, int col, const QVariant &stored) {
    if (stored.isNull())
        return false;
    grid.setCellText(row, col, numbers::numberText(storedNumber(stored)));
    return true;
}

bool writeText(LineGrid &grid, int row, int col, const QVariant &stored) {
    if (stored.isNull())
        return false;
    // Numbers shown as text still follow the shortest-text rule, not QVariant's 17 digits.
    grid.setCellText(row, col, numbers::valueText(stored));
    return true;
}

bool writeFlag(LineGrid &grid, int row, int col, const QVariant &stored) {
    if (stored.isNull())
        return false;
    grid.setCellText(row, col, storedNumber(stored) != 0.0 ? QStringLiteral("1") : QStringLiteral("0"));
    return true;
}


} // namespace orbsales::gridrules
