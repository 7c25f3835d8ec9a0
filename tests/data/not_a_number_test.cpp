#include "orbsales/data/recordset.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"
#include "orders/order_fixture.h"

#include <limits>

namespace orbsales::testing {
namespace {

// "NaN" and "inf" are text like any other, and no NaN or infinity reaches a number column.
struct NotANumber {
    const char *name;
    QVariant assigned;
    const char *error;
};

class NumberColumn : public DatabaseTest, public ::testing::WithParamInterface<NotANumber> {};

TEST_P(NumberColumn, RefusesWhatIsNoFiniteNumber) {
    const NotANumber &c = GetParam();
    for (const char16_t *column : {u"Sales_Quot_Qty", u"SL_No"}) {
        Recordset rs;
        rs.open(QStringLiteral("Select * from Sales_Quotation_Detail"), {}, database().connection(), CursorType::Keyset);
        rs.addNew();
        try {
            rs.setValue(QStringView(column), c.assigned);
            ADD_FAILURE() << "accepted into " << QString::fromUtf16(column).toStdString();
        } catch (const DatabaseError &error) {
            EXPECT_EQ(error.description(), QString::fromLatin1(c.error));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberColumn,
    ::testing::Values(NotANumber{"NaNText", QStringLiteral("NaN"), "Type mismatch"},
                      NotANumber{"LowerNanText", QStringLiteral("nan"), "Type mismatch"},
                      NotANumber{"InfText", QStringLiteral("inf"), "Type mismatch"},
                      NotANumber{"InfinityText", QStringLiteral("-Infinity"), "Type mismatch"},
                      NotANumber{"NaNDouble", std::numeric_limits<double>::quiet_NaN(), "Overflow"},
                      NotANumber{"InfDouble", -std::numeric_limits<double>::infinity(), "Overflow"}),
    [](const ::testing::TestParamInfo<NotANumber> &info) { return std::string(info.param.name); });

TEST(NumberReading, NaNAndInfAreNoNumbers) {
    for (const char *text : {"NaN", "nan", "inf", "Infinity", "-inf"}) {
        EXPECT_EQ(numbers::exactNumber(QString::fromLatin1(text)), std::nullopt) << text;
        EXPECT_EQ(numbers::leadingNumber(QString::fromLatin1(text)), 0.0) << text;
    }
}

using BoundValue = DatabaseTest;

TEST_F(BoundValue, ANonFiniteNumberIsNeverStored) {
    try {
        database().execute(QStringLiteral("Insert into Sales_Quotation_Detail (Sales_Quot_No, Sales_Quot_Qty) values (?, ?)"),
                           {QStringLiteral("01HOSQT1"), std::numeric_limits<double>::quiet_NaN()});
        ADD_FAILURE() << "a NaN was bound";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(error.description(), QStringLiteral("Overflow"));
    }
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Detail")), 0);
}

// An order line typed with "nan" and "inf": the cells read as no number (0), and the line amount,
// stored from the cell's text, is refused.
TEST_F(OrderTest, NaNInTheGridIsTextNotANumber) {
    QStringList typed = line(QStringLiteral("A100"), QStringLiteral("inf"), QStringLiteral("20"));
    typed[5] = QStringLiteral("NaN"); // unit quantity, by the leading-number rule
    grid.setRow(1, typed);
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Ord_Ordered_Qty from Sales_Order_Detail")).toDouble(), 0.0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Unit_Qty from Sales_Order_Detail")).toDouble(), 0.0);

    auto second = newOrder(grid);
    typed[11] = QStringLiteral("nan"); // the line amount
    grid.setRow(1, typed);
    EXPECT_FALSE(second->Create_Order());
    EXPECT_EQ(second->ErrDesc(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail")), 1);
}

} // namespace
} // namespace orbsales::testing
