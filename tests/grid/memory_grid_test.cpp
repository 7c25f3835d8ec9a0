#include "orbsales/grid/line_rows.h"
#include "orbsales/values/errors.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/memory_grid.h"
#include "grid/memory_grid_builder.h"

#include <gtest/gtest.h>

#include <functional>

namespace orbsales {
namespace {

// Every cell operation on a 10 x 4 grid, so each bad cell is tried against all of them.
const std::vector<std::pair<const char *, std::function<void(MemoryGrid &, int, int)>>> kCellOperations = {
    {"cellText", [](MemoryGrid &g, int r, int c) { g.cellText(r, c); }},
    {"setCellText", [](MemoryGrid &g, int r, int c) { g.setCellText(r, c, QStringLiteral("x")); }},
    {"cellNumber", [](MemoryGrid &g, int r, int c) { g.cellNumber(r, c); }},
    {"cellProperty", [](MemoryGrid &g, int r, int c) { g.cellProperty(7, r, c); }},
    {"setCellProperty", [](MemoryGrid &g, int r, int c) { g.setCellProperty(7, 1, 1, r, c, 0); }},
    {"setRow", [](MemoryGrid &g, int r, int) { g.setRow(r, {}); }},
};

TEST(MemoryGridTest, CellOutsideGridIsSubscriptOutOfRange) {
    const std::pair<int, int> badCells[] = {{-1, 0}, {10, 0}, {12, 3}};
    for (const auto &[name, operation] : kCellOperations) {
        for (const auto &[row, col] : badCells) {
            MemoryGrid grid(10, 4);
            try {
                operation(grid, row, col);
                ADD_FAILURE() << name << " accepted row " << row;
            } catch (const GridError &error) {
                EXPECT_EQ(error.description(), QStringLiteral("Subscript out of range (row %1, column %2)")
                                                   .arg(row).arg(name == std::string("setRow") ? 0 : col))
                    << name;
            }
        }
    }
    MemoryGrid grid(10, 4);
    for (int col : {-1, 4})
        EXPECT_THROW(grid.cellText(1, col), GridError) << col;
    EXPECT_THROW(grid.setRow(1, {"a", "b", "c", "d", "e"}), GridError);
}

TEST(MemoryGridTest, ResizingKeepsSurvivingCellsAndClearsDroppedOnes) {
    auto grid = testing::gridWithRows(4, 3, {{"", "A1", "Bolt"}, {"", "A2", "Nut"}, {"", "A3", "Washer"}});
    grid->setCellProperty(7, 3, 1, 3, 2, LineGrid::kGreyText);
    grid->setRowCount(6);
    EXPECT_EQ(grid->rowCount(), 6);
    EXPECT_EQ(grid->cellText(3, 2), QStringLiteral("Washer"));
    EXPECT_EQ(grid->cellText(5, 1), QString());

    grid->setRowCount(3);
    grid->setRowCount(5);
    EXPECT_EQ(grid->cellText(2, 2), QStringLiteral("Nut"));
    EXPECT_EQ(grid->cellText(3, 2), QString());
    EXPECT_FALSE(grid->cellProperty(7, 3, 1).isValid());
    EXPECT_THROW(grid->setRowCount(-1), GridError);
    EXPECT_EQ(grid->rowCount(), 5);
}

TEST(MemoryGridTest, PropertyCoversRectangleGivenInAnyCornerOrder) {
    MemoryGrid grid(5, 4);
    grid.setCellProperty(7, 3, 2, 1, 1, LineGrid::kGreyText);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 4; ++col) {
            const bool inside = row >= 1 && row <= 3 && col >= 1 && col <= 2;
            EXPECT_EQ(grid.cellProperty(7, row, col), inside ? QVariant(LineGrid::kGreyText) : QVariant())
                << row << "," << col;
        }
    EXPECT_FALSE(grid.cellProperty(6, 1, 1).isValid()); // other settings are kept apart
    EXPECT_THROW(grid.setCellProperty(7, 4, 3, 5, 3, LineGrid::kBlackText), GridError);
    EXPECT_FALSE(grid.cellProperty(7, 4, 3).isValid()); // a failed call changes nothing
}

// Business code reads some cells whole (cellNumber) and some by the leading-number rule.
TEST(MemoryGridTest, CellNumberNeedsWholeTextWhereReadNumberTakesThePrefix) {
    const std::tuple<const char *, double, double> cases[] = {
        {"12abc", 0, 12}, {" 12.5 ", 12.5, 12.5}, {"", 0, 0},  {"abc", 0, 0},
        {"1e3", 1000, 1000}, {" 3.5kg", 0, 3.5}, {"1,5", 0, 1}, {" ", 0, 0}};
    MemoryGrid grid(2, 2);
    for (const auto &[text, whole, prefix] : cases) {
        grid.setCellText(1, 1, QString::fromLatin1(text));
        EXPECT_EQ(grid.cellNumber(1, 1), whole) << '"' << text << '"';
        EXPECT_EQ(GridRow(grid, 1).number(1), prefix) << '"' << text << '"';
    }
}

TEST(MemoryGridTest, SetRowEmptiesColumnsBeyondTheList) {
    MemoryGrid grid(2, 4);
    grid.setRow(1, {"a", "b", "c", "d"});
    grid.setRow(1, {"", "x"});
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("x"));
    EXPECT_EQ(grid.cellText(1, 3), QString());
    EXPECT_THROW(MemoryGrid(-1, 3), GridError);
}

} // namespace
} // namespace orbsales
