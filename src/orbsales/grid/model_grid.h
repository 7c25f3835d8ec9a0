#pragma once

#include "orbsales/grid/line_grid.h"

#include <QAbstractItemModel>
#include <QPointer>

namespace orbsales {

// Presents an item model to the business objects as a grid, so a front end can bind its own
// view to the same model. Grid row r and column c are model row r and column c (model row 0
// holds the header); the model is not owned and must be editable and resizable by rows.
class ModelGrid : public LineGrid {
    Q_OBJECT
public:
    explicit ModelGrid(QAbstractItemModel *model, QObject *parent = nullptr);

    QAbstractItemModel *model() const { return m_model; }

    int rowCount() const override;
    // Inserts or removes trailing model rows; GridError when the model refuses.
    void setRowCount(int rows) override;
    int columnCount() const override;
    QString cellText(int row, int col) const override;
    // GridError when the model refuses the edit.
    void setCellText(int row, int col, const QString &text) override;
    double cellNumber(int row, int col) const override;
    // Only the text colour is supported: stored as a qint64 under Qt::ForegroundRole, so the
    // front end maps it to a colour (this library links Qt Core only).
    void setCellProperty(int setting, int row1, int col1, int row2, int col2, const QVariant &value) override;

private:
    QAbstractItemModel &checkedModel() const;
    QModelIndex cellIndex(int row, int col) const;

    // Guarded: a front end may destroy its model while a grid object is still around.
    QPointer<QAbstractItemModel> m_model;
};

} // namespace orbsales
