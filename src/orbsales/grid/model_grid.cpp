#include "orbsales/grid/model_grid.h"

#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <algorithm>

namespace orbsales {

ModelGrid::ModelGrid(QAbstractItemModel *model, QObject *parent) : LineGrid(parent), m_model(model) {
    if (!model)
        throw GridError(QStringLiteral("The grid has no model"));
}

QAbstractItemModel &ModelGrid::checkedModel() const {
    if (!m_model)
        throw GridError(QStringLiteral("The grid's model no longer exists"));
    return *m_model;
}

QModelIndex ModelGrid::cellIndex(int row, int col) const {
    requireCell(row, col);
    return checkedModel().index(row, col);
}

int ModelGrid::rowCount() const { return checkedModel().rowCount(); }

int ModelGrid::columnCount() const { return checkedModel().columnCount(); }

void ModelGrid::setRowCount(int rows) {
    QAbstractItemModel &model = checkedModel();
    if (rows < 0)
        throw GridError(QStringLiteral("Invalid row count %1").arg(rows));
    const int current = model.rowCount();
    bool done = true;
    if (rows > current)
        done = model.insertRows(current, rows - current);
    else if (rows < current)
        done = model.removeRows(rows, current - rows);
    if (!done || model.rowCount() != rows)
        throw GridError(QStringLiteral("The grid could not be set to %1 rows").arg(rows));
}

QString ModelGrid::cellText(int row, int col) const {
    return checkedModel().data(cellIndex(row, col), Qt::DisplayRole).toString();
}

void ModelGrid::setCellText(int row, int col, const QString &text) {
    const QModelIndex index = cellIndex(row, col);
    if (!checkedModel().setData(index, text, Qt::EditRole))
        throw GridError(QStringLiteral("The grid refused the text of row %1, column %2").arg(row).arg(col));
}

double ModelGrid::cellNumber(int row, int col) const {
    return numbers::exactNumber(cellText(row, col)).value_or(0.0);
}

void ModelGrid::setCellProperty(int setting, int row1, int col1, int row2, int col2, const QVariant &value) {
    if (setting != kForeColorSetting)
        throw GridError(QStringLiteral("Cell property %1 is not supported by this grid").arg(setting));
    bool ok = false;
    const qint64 colour = value.toLongLong(&ok);
    if (!ok)
        throw GridError(QStringLiteral("Invalid text colour"));
    requireCell(row1, col1);
    requireCell(row2, col2);
    QAbstractItemModel &model = checkedModel();
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row) {
        for (int col = std::min(col1, col2); col <= std::max(col1, col2); ++col) {
            if (!model.setData(model.index(row, col), QVariant::fromValue(colour), Qt::ForegroundRole))
                throw GridError(
                    QStringLiteral("The grid refused the text colour of row %1, column %2").arg(row).arg(col));
        }
    }
}

} // namespace orbsales
