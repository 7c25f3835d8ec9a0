#include "orbsales/grid/line_rows.h"

#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

GridLines::GridLines(const LineGrid &grid, int firstKey, int secondKey)
    : m_grid(grid), m_firstKey(firstKey), m_secondKey(secondKey) {}

bool GridLines::isLine(int row) const {
    // Exactly empty, not trimmed: a cell holding a blank was typed into, so the row is a line.
    return !m_grid.cellText(row, m_firstKey).isEmpty() || !m_grid.cellText(row, m_secondKey).isEmpty();
}

int GridLines::count() const {
    int lines = 0;
    for (auto it = begin(); it != end(); ++it)
        ++lines;
    return lines;
}

int GridLines::countAll() const {
    int lines = 0;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        if (isLine(row))
            ++lines;
    return lines;
}

int GridLines::firstLineFrom(int row) const { return row < m_grid.rowCount() && isLine(row) ? row : kEnd; }

GridLines::iterator GridLines::begin() const { return iterator(this, firstLineFrom(1)); }

GridLines::iterator &GridLines::iterator::operator++() {
    m_row = m_lines->firstLineFrom(m_row + 1);
    return *this;
}

QString GridRow::text(int col) const { return m_grid.cellText(m_row, col); }

QString GridRow::trimmed(int col) const { return text::trimBlanks(text(col)); }

double GridRow::number(int col) const { return numbers::leadingNumber(text(col)); }

double GridRow::cell(int col) const { return m_grid.cellNumber(m_row, col); }

bool GridRow::ticked(int col) const {
    const QString cellText = text(col);
    if (const std::optional<double> value = numbers::exactNumber(cellText))
        return *value != 0;
    const QString word = cellText.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    throw OrbError(QStringLiteral("Type mismatch"));
}

} // namespace orbsales
