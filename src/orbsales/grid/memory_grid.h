#pragma once

#include "orbsales/grid/line_grid.h"

#include <QList>
#include <QStringList>

#include <map>
#include <tuple>

namespace orbsales {

// A grid held in memory: what the tests and the command-line front end hand to the business
// objects. Cells start empty; cell properties are remembered per (setting, row, column).
class MemoryGrid : public LineGrid {
    Q_OBJECT
public:
    // Throws GridError for a negative size.
    MemoryGrid(int rows, int cols, QObject *parent = nullptr);

    int rowCount() const override { return m_rows; }
    void setRowCount(int rows) override;
    int columnCount() const override { return m_cols; }
    QString cellText(int row, int col) const override;
    void setCellText(int row, int col, const QString &text) override;
    // The whole trimmed text as a number, else 0: "12abc" gives 0 here (12 by the leading-number rule).
    double cellNumber(int row, int col) const override;
    // Applies to every cell of the rectangle; the corners may come in either order.
    void setCellProperty(int setting, int row1, int col1, int row2, int col2, const QVariant &value) override;

    // The value last set for the property on the cell; a null QVariant when never set.
    QVariant cellProperty(int setting, int row, int col) const;

    // Writes the texts from column 0 on and empties the rest of the row.
    void setRow(int row, const QStringList &cellsFromColumn0);

private:
    qsizetype indexOf(int row, int col) const { return qsizetype(row) * m_cols + col; }

    int m_rows = 0;
    int m_cols = 0;
    QList<QString> m_cells; // row-major, m_rows * m_cols
    std::map<std::tuple<int, int, int>, QVariant> m_properties; // (setting, row, col) -> value
};

} // namespace orbsales
