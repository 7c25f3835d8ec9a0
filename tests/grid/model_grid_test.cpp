#include "orbsales/grid/line_rows.h"
#include "orbsales/values/errors.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/model_grid.h"

#include <gtest/gtest.h>

#include <QAbstractTableModel>
#include <QMap>

#include <memory>
#include <vector>

namespace orbsales {
namespace {

// The least a front end's model must offer: cells with roles, rows added and removed.
// `frozen` makes it refuse every change, as a read-only model would.
class TableModel : public QAbstractTableModel {
public:
    TableModel(int rows, int cols) : m_cols(cols), m_cells(std::size_t(rows), Row(std::size_t(cols))) {}
    bool frozen = false;

    int rowCount(const QModelIndex & = {}) const override { return int(m_cells.size()); }
    int columnCount(const QModelIndex & = {}) const override { return m_cols; }
    QVariant data(const QModelIndex &index, int role) const override { return cell(index).value(editAsDisplay(role)); }
    bool setData(const QModelIndex &index, const QVariant &value, int role) override {
        if (frozen)
            return false;
        cell(index)[editAsDisplay(role)] = value;
        return true;
    }
    bool insertRows(int row, int count, const QModelIndex &parent) override {
        if (frozen)
            return false;
        beginInsertRows(parent, row, row + count - 1);
        m_cells.insert(m_cells.begin() + row, std::size_t(count), Row(std::size_t(m_cols)));
        endInsertRows();
        return true;
    }
    bool removeRows(int row, int count, const QModelIndex &parent) override {
        if (frozen)
            return false;
        beginRemoveRows(parent, row, row + count - 1);
        m_cells.erase(m_cells.begin() + row, m_cells.begin() + row + count);
        endRemoveRows();
        return true;
    }

private:
    using Row = std::vector<QMap<int, QVariant>>;
    static int editAsDisplay(int role) { return role == Qt::EditRole ? int(Qt::DisplayRole) : role; }
    QMap<int, QVariant> &cell(const QModelIndex &i) { return m_cells[std::size_t(i.row())][std::size_t(i.column())]; }
    const QMap<int, QVariant> &cell(const QModelIndex &i) const {
        return m_cells[std::size_t(i.row())][std::size_t(i.column())];
    }
    int m_cols;
    std::vector<Row> m_cells;
};

TEST(ModelGridTest, CellsAndRowsGoThroughTheModel) {
    TableModel model(3, 4);
    ModelGrid grid(&model);
    grid.setCellText(1, 1, QStringLiteral("A1"));
    grid.setCellText(1, 3, QStringLiteral(" 2.5 "));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole), QVariant(QStringLiteral("A1")));
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("A1"));
    EXPECT_EQ(grid.cellNumber(1, 3), 2.5);
    EXPECT_EQ(grid.cellNumber(1, 1), 0);

    gridrules::sizeForLoad(grid, 4, true);
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(grid.cellText(5, 1), QString());
    grid.setRowCount(2);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("A1"));
    EXPECT_EQ(GridLines(grid).count(), 1);

    grid.setCellProperty(LineGrid::kForeColorSetting, 1, 2, 0, 1, LineGrid::kGreyText);
    const QVariant colour = model.data(model.index(0, 2), Qt::ForegroundRole);
    EXPECT_EQ(colour.typeId(), QMetaType::LongLong);
    EXPECT_EQ(colour.toLongLong(), LineGrid::kGreyText);
    EXPECT_FALSE(model.data(model.index(1, 3), Qt::ForegroundRole).isValid());
}

TEST(ModelGridTest, RefusalsAndBadCellsAreGridErrors) {
    auto model = std::make_unique<TableModel>(3, 4);
    ModelGrid grid(model.get());
    EXPECT_THROW(grid.cellText(3, 0), GridError);
    EXPECT_THROW(grid.setCellText(0, 4, QStringLiteral("x")), GridError);
    EXPECT_THROW(grid.setCellProperty(LineGrid::kForeColorSetting, 0, 0, 3, 3, 0), GridError);
    EXPECT_THROW(grid.setCellProperty(3, 0, 0, 1, 1, 0), GridError); // only the text colour is known

    model->frozen = true;
    EXPECT_THROW(grid.setRowCount(5), GridError);
    EXPECT_THROW(grid.setRowCount(1), GridError);
    EXPECT_THROW(grid.setCellText(1, 1, QStringLiteral("x")), GridError);
    EXPECT_EQ(model->rowCount(), 3);

    model.reset();
    EXPECT_THROW(grid.rowCount(), GridError);
    EXPECT_THROW(ModelGrid(nullptr), GridError);
}

} // namespace
} // namespace orbsales
