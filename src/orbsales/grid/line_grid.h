#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace orbsales {

// The six grid operations the business objects use. Rows and columns are numbered from 0;
// row 0 is the header and column 0 is never used by the sales classes. A cell outside the
// grid raises GridError, which the calling operation traps like any unexpected failure.
class LineGrid : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The only cell property the library sets: text colour.
    static constexpr int kForeColorSetting = 7;
    static constexpr qint64 kGreyText = 0x80000011LL; // system colour for disabled text
    static constexpr qint64 kBlackText = 0;

    virtual int rowCount() const = 0;                    // rows including the header row
    virtual void setRowCount(int rows) = 0;              // new rows are empty
    virtual int columnCount() const = 0;
    virtual QString cellText(int row, int col) const = 0;
    virtual void setCellText(int row, int col, const QString &text) = 0;
    // The cell's text read as a Double: 0 when the text is empty or not a number.
    virtual double cellNumber(int row, int col) const = 0;
    virtual void setCellProperty(int setting, int row1, int col1, int row2, int col2, const QVariant &value) = 0;

protected:
    // Throws GridError "Subscript out of range (row R, column C)" unless the cell is inside
    // rowCount() x columnCount(); every grid reports a bad cell in the same words.
    void requireCell(int row, int col) const;
};

} // namespace orbsales
