#pragma once

#include "orbsales/grid/line_grid.h"
#include "orbsales/grid/unit_period.h"

#include <QString>

namespace orbsales {

// Which rows of a line grid hold lines. Rows 1, 2, ... up to row count - 1 are visited in
// order; the first row whose two key columns are both exactly empty (no trimming) ends the list:
// it and every row after it are ignored. A row with text in either key column is a line, even
// when its other cells are empty. Most documents key on columns 1 and 2; those whose column 1
// is a selection tick key on columns 2 and 3.
//
//     for (int row : GridLines(grid)) { ... }
class GridLines {
public:
    explicit GridLines(const LineGrid &grid, int firstKey = 1, int secondKey = 2);

    bool isLine(int row) const;
    // Lines before the list ends.
    int count() const;
    // Lines over the whole grid: every row with text in a key column, blank rows in between
    // not ending the count (the last of them takes the rest of a header discount).
    int countAll() const;

    class iterator {
    public:
        iterator(const GridLines *lines, int row) : m_lines(lines), m_row(row) {}
        int operator*() const { return m_row; }
        iterator &operator++();
        bool operator!=(const iterator &other) const { return m_row != other.m_row; }

    private:
        const GridLines *m_lines;
        int m_row;
    };
    iterator begin() const;
    iterator end() const { return iterator(this, kEnd); }

private:
    static constexpr int kEnd = -1;
    int firstLineFrom(int row) const; // row itself when it is a line inside the grid, else kEnd

    const LineGrid &m_grid;
    int m_firstKey;
    int m_secondKey;
};

// The cells of one grid row, read by the rules every document uses.
class GridRow {
public:
    GridRow(const LineGrid &grid, int row) : m_grid(grid), m_row(row) {}

    int row() const { return m_row; }
    QString text(int col) const;    // the cell text as it stands
    QString trimmed(int col) const; // blanks trimmed from both ends
    double number(int col) const;   // the leading-number rule on the cell text
    double cell(int col) const;     // the grid's own cell number (0 for empty or non-numeric text)
    // The cell converted to a Boolean, as a selection tick is read: a number is True when it is
    // not 0, "True"/"False" in any letter case are themselves; anything else (an empty cell
    // included) cannot be converted and raises "Type mismatch".
    bool ticked(int col) const;
    // A unit name, optionally followed by "-" and a period type.
    UnitPeriod unitPeriod(int col) const { return splitUnitPeriod(text(col)); }

private:
    const LineGrid &m_grid;
    int m_row;
};

} // namespace orbsales
