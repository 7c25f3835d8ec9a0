#pragma once

#include "orbsales/grid/memory_grid.h"

#include <QStringList>

#include <initializer_list>
#include <memory>

namespace orbsales::testing {

// A rows x cols grid whose rows 1, 2, ... hold `lines` (row 0, the header, stays empty).
// Each list fills its row from column 0, so a line reads {"", code, name, quantity, ...}.
inline std::unique_ptr<MemoryGrid> gridWithRows(int rows, int cols, std::initializer_list<QStringList> lines) {
    auto grid = std::make_unique<MemoryGrid>(rows, cols);
    int row = 1;
    for (const QStringList &line : lines)
        grid->setRow(row++, line);
    return grid;
}

} // namespace orbsales::testing
