#pragma once

#include <QString>
#include <QVariant>

namespace orbsales {

// A grid cell may hold a unit and a period type joined by a hyphen ("Box-Monthly"): split at
// the first "-" when saving, joined the same way when loading.
struct UnitPeriod {
    QString unitName;
    QVariant periodType; // null when the cell holds a unit alone
};

inline UnitPeriod splitUnitPeriod(const QString &cell) {
    const qsizetype dash = cell.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return {cell, QVariant()};
    return {cell.left(dash), cell.mid(dash + 1)};
}

inline QString joinUnitPeriod(const QString &unitName, const QVariant &periodType) {
    return periodType.isNull() ? unitName : unitName + QLatin1Char('-') + periodType.toString();
}

} // namespace orbsales
