#include "orbsales/grid/memory_grid.h"

#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <algorithm>

namespace orbsales {

namespace {

void requireSize(int rows, int cols) {
    if (rows < 0 || cols < 0)
        throw GridError(QStringLiteral("Invalid grid size (%1 rows, %2 columns)").arg(rows).arg(cols));
}

} // namespace

MemoryGrid::MemoryGrid(int rows, int cols, QObject *parent) : LineGrid(parent) {
    requireSize(rows, cols);
    m_rows = rows;
    m_cols = cols;
    m_cells.resize(qsizetype(rows) * cols);
}

void MemoryGrid::setRowCount(int rows) {
    requireSize(rows, m_cols);
    // Row-major storage: growing appends empty cells, shrinking drops whole trailing rows.
    m_cells.resize(qsizetype(rows) * m_cols);
    if (rows < m_rows) {
        // Properties of dropped rows must not reappear on rows added later.
        std::erase_if(m_properties, [rows](const auto &entry) { return std::get<1>(entry.first) >= rows; });
    }
    m_rows = rows;
}

QString MemoryGrid::cellText(int row, int col) const {
    requireCell(row, col);
    return m_cells[indexOf(row, col)];
}

void MemoryGrid::setCellText(int row, int col, const QString &text) {
    requireCell(row, col);
    m_cells[indexOf(row, col)] = text;
}

double MemoryGrid::cellNumber(int row, int col) const {
    return numbers::exactNumber(cellText(row, col)).value_or(0.0);
}

void MemoryGrid::setCellProperty(int setting, int row1, int col1, int row2, int col2, const QVariant &value) {
    // Check both corners before touching anything, so a bad call changes nothing.
    requireCell(row1, col1);
    requireCell(row2, col2);
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row)
        for (int col = std::min(col1, col2); col <= std::max(col1, col2); ++col)
            m_properties[{setting, row, col}] = value;
}

QVariant MemoryGrid::cellProperty(int setting, int row, int col) const {
    requireCell(row, col);
    const auto it = m_properties.find({setting, row, col});
    return it == m_properties.end() ? QVariant() : it->second;
}

void MemoryGrid::setRow(int row, const QStringList &cellsFromColumn0) {
    requireCell(row, 0);
    if (cellsFromColumn0.size() > m_cols)
        requireCell(row, m_cols); // reports the first column that does not fit
    for (int col = 0; col < m_cols; ++col)
        m_cells[indexOf(row, col)] = col < cellsFromColumn0.size() ? cellsFromColumn0[col] : QString();
}

} // namespace orbsales
