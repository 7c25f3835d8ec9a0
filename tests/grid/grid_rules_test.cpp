#include "orbsales/values/errors.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/grid/memory_grid.h"

#include <gtest/gtest.h>

#include <functional>

namespace orbsales::gridrules {
namespace {

struct SizeCase {
    int startRows;
    int storedLines;
    bool viewMode;
    int expectedRows;
};

void PrintTo(const SizeCase &c, std::ostream *os) {
    *os << c.storedLines << " lines into " << c.startRows << " rows" << (c.viewMode ? " (view)" : " (edit)");
}

class GridSizingTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(GridSizingTest, SizesGridAndKeepsRowsItDoesNotDrop) {
    const SizeCase c = GetParam();
    MemoryGrid grid(c.startRows, 3);
    for (int row = 1; row < c.startRows; ++row)
        grid.setCellText(row, 1, QStringLiteral("r%1").arg(row));

    sizeForLoad(grid, c.storedLines, c.viewMode);

    ASSERT_EQ(grid.rowCount(), c.expectedRows);
    for (int row = 1; row < c.expectedRows; ++row)
        EXPECT_EQ(grid.cellText(row, 1), row < c.startRows ? QStringLiteral("r%1").arg(row) : QString()) << row;
}

INSTANTIATE_TEST_SUITE_P(Cases, GridSizingTest,
                         ::testing::Values(SizeCase{10, 3, false, 10}, SizeCase{10, 3, true, 5},
                                           SizeCase{3, 3, false, 5}, SizeCase{4, 3, false, 4},
                                           SizeCase{3, 3, true, 5}, SizeCase{1, 0, true, 2},
                                           SizeCase{8, 0, true, 2}, SizeCase{1, 0, false, 1},
                                           SizeCase{0, 0, false, 2}, SizeCase{2, 5, false, 7}));

struct CountCase {
    const char *name;
    int rows;
    std::vector<QStringList> lines; // from row 1, each from column 0
    int expected;                   // lines before the list ends
    int expectedAll;                // lines over the whole grid
};

TEST(GridLineCountTest, FirstRowWithEmptyCodeAndNameEndsTheList) {
    const CountCase cases[] = {
        {"header only", 1, {}, 0, 0},
        {"no rows at all", 0, {}, 0, 0},
        {"empty first row", 5, {}, 0, 0},
        {"blank row between lines", 8, {{"", "A1", "Bolt"}, {"", "", ""}, {"", "A2", "Nut"}}, 1, 2},
        {"name only", 5, {{"", "A1", "Bolt"}, {"", "", "Free text"}}, 2, 2},
        {"code only", 5, {{"", "A1", ""}}, 1, 1},
        {"blank is text", 5, {{"", " ", ""}, {"", "", " "}}, 2, 2},
        {"other columns do not count", 5, {{"", "A1", "Bolt"}, {"x", "", "", "9"}}, 1, 1},
        {"lines up to the last row", 3, {{"", "A1", "Bolt"}, {"", "A2", "Nut"}}, 2, 2},
    };
    for (const CountCase &c : cases) {
        MemoryGrid grid(c.rows, 4);
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            grid.setRow(int(i) + 1, c.lines[i]);
        const GridLines lines(grid);
        EXPECT_EQ(lines.count(), c.expected) << c.name;
        EXPECT_EQ(lines.countAll(), c.expectedAll) << c.name;
        // Keyed on columns 2 and 3 (column 1 a tick), the same rows shifted one column.
        MemoryGrid ticked(c.rows, 5);
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            ticked.setRow(int(i) + 1, QStringList{QString(), QStringLiteral("1")} + c.lines[i].mid(1));
        EXPECT_EQ(GridLines(ticked, 2, 3).count(), c.expected) << c.name;
    }
}

TEST(GridRowTest, ReadsTicksNumbersAndUnits) {
    MemoryGrid grid(2, 6);
    grid.setRow(1, {QString(), QStringLiteral("12abc"), QStringLiteral(" 1 "), QStringLiteral("true"),
                    QStringLiteral("0"), QStringLiteral("Box-Monthly-2")});
    const GridRow row(grid, 1);
    EXPECT_EQ(row.number(1), 12);
    EXPECT_EQ(row.cell(1), 0); // not a number as a whole
    EXPECT_TRUE(row.ticked(2));
    EXPECT_TRUE(row.ticked(3));
    EXPECT_FALSE(row.ticked(4));
    EXPECT_EQ(row.unitPeriod(5).unitName, QStringLiteral("Box"));
    EXPECT_EQ(row.unitPeriod(5).periodType.toString(), QStringLiteral("Monthly-2"));
    for (const char *notABoolean : {"", "yes", "1x"}) {
        grid.setCellText(1, 1, QString::fromLatin1(notABoolean));
        try {
            row.ticked(1);
            ADD_FAILURE() << "a tick from '" << notABoolean << "'";
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), QStringLiteral("Type mismatch"));
        }
    }
}

using Writer = std::function<bool(LineGrid &, int, int, const QVariant &)>;

struct WriteCase {
    const char *name;
    Writer write;
    QVariant stored;
    const char *expected; // nullptr: the cell keeps its text
};

TEST(GridWriteTest, WritesStoredValuesAndLeavesCellForNull) {
    const Writer number = writeNumber, text = writeText, flag = writeFlag;
    const QVariant nullDouble(QMetaType::fromType<double>());
    const WriteCase cases[] = {
        {"number", number, 12.5, "12.5"},
        {"number sum", number, 0.1 + 0.2, "0.3"},
        {"number int", number, 7, "7"},
        {"number numeric text", number, QStringLiteral("12.50"), "12.5"},
        {"number null", number, nullDouble, nullptr},
        {"number invalid", number, QVariant(), nullptr},
        {"text", text, QStringLiteral("Bolt"), "Bolt"},
        {"text empty", text, QString(""), ""},
        {"text number", text, 2.0 / 3, "0.666666666666667"},
        {"text boolean", text, true, "True"},
        {"text null", text, QVariant(QMetaType::fromType<QString>()), nullptr},
        {"flag one", flag, 1, "1"},
        {"flag minus one", flag, -1, "1"},
        {"flag zero", flag, 0.0, "0"},
        {"flag bool", flag, true, "1"},
        {"flag text", flag, QStringLiteral("0"), "0"},
        {"flag null", flag, QVariant(QMetaType::fromType<int>()), nullptr},
    };
    for (const WriteCase &c : cases) {
        MemoryGrid grid(2, 3);
        grid.setCellText(1, 2, QStringLiteral("before"));
        EXPECT_EQ(c.write(grid, 1, 2, c.stored), c.expected != nullptr) << c.name;
        EXPECT_EQ(grid.cellText(1, 2), c.expected ? QString::fromUtf8(c.expected) : QStringLiteral("before")) << c.name;
    }
}

TEST(GridWriteTest, NonNumericStoredValueIsTypeMismatch) {
    MemoryGrid grid(2, 3);
    for (const Writer &write : {Writer(writeNumber), Writer(writeFlag)}) {
        try {
            write(grid, 1, 1, QStringLiteral("abc"));
            ADD_FAILURE() << "accepted text";
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), QStringLiteral("Type mismatch"));
        }
    }
    EXPECT_THROW(writeText(grid, 2, 1, QStringLiteral("x")), GridError);
}

} // namespace
} // namespace orbsales::gridrules
