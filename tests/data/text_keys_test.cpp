#include "orbsales/data/recordset.h"
#include "orbsales/data/schema.h"
#include "support/test_database.h"
#include "orders/order_fixture.h"

namespace orbsales::testing {
namespace {

struct KeyCase {
    const char *stored;
    const char *looked;
    bool found;
};

class TextKeys : public DatabaseTest {};

// Document numbers and codes are the same key when they differ only by trailing blanks, on both
// engines and through every statement; letter case and leading blanks count. A plain text column
// compares exactly. The value is kept as written.
TEST_F(TextKeys, IgnoreTrailingBlanksOnly) {
    const KeyCase cases[] = {
        {"01HOSORTMP5", "01HOSORTMP5 ", true}, {"01HOSORTMP5 ", "01HOSORTMP5", true},
        {"01HOSORTMP5", "01HOSORTMP5", true},  {"01HOSORTMP5", " 01HOSORTMP5", false},
        {"01HOSORTMP5", "01hosortmp5", false}, {"O'Brien --", "O'Brien --  ", true},
    };
    for (const KeyCase &c : cases) {
        database().execute(QStringLiteral("Delete from Currency_Master"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Symbol) values (?, ?)"),
                           {QString::fromUtf8(c.stored), QString::fromUtf8(c.stored)});
        Recordset byKey;
        byKey.open(QStringLiteral("Select * from Currency_Master Where Currency_Code=?"), {QString::fromUtf8(c.looked)},
                   database().connection(), CursorType::Static);
        EXPECT_EQ(!byKey.eof(), c.found) << c.stored << " / " << c.looked;
        if (!byKey.eof()) {
            EXPECT_EQ(byKey.text(u"Currency_Code"), QString::fromUtf8(c.stored)) << "kept as written";
        }
        const int byText = database().count(QStringLiteral("Currency_Master"), QStringLiteral("Currency_Symbol=?"),
                                            {QString::fromUtf8(c.looked)});
        EXPECT_EQ(byText, QByteArray(c.stored) == QByteArray(c.looked) ? 1 : 0) << "a plain text column is exact";
    }
    EXPECT_TRUE(schema::isKeyColumn({QStringLiteral("Sales_Ord_No"), schema::ColumnType::Text}));
    EXPECT_FALSE(schema::isKeyColumn({QStringLiteral("SL_No"), schema::ColumnType::Long}));
    EXPECT_FALSE(schema::isKeyColumn({QStringLiteral("Item_Name"), schema::ColumnType::Text}));
}

// An order saved again under its number with a blank after it keeps all its lines under one
// key, and processing moves every one of them to the final number.
TEST_F(OrderTest, UpdatedWithATrailingBlankKeepsItsLinesTogether) {
    grid.setRow(1, line(QStringLiteral("A100")));
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    const QString number = order->SalesOrdNo();
    order->setSalesOrdNo(number + QLatin1Char(' '));
    grid.setRow(2, line(QStringLiteral("B200")));
    ASSERT_TRUE(order->Update_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master")), 1);
    EXPECT_EQ(lineCount(number), 2);

    order->setSalesOrdNo(number);
    ASSERT_TRUE(order->Process_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(lineCount(order->SalesOrdNo()), 2);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No<>?"),
                               {order->SalesOrdNo()}),
              0);
}

// A company database made before keys ignored trailing blanks is brought forward: its key
// columns change type with their rows kept, and the quantities' NULLs become 0.
TEST_F(TextKeys, AnEarlierDatabaseIsBroughtForward) {
    Connection &c = database().connection();
    if (c.dialect() == Dialect::PostgreSQL) {
        c.execute(QStringLiteral("ALTER TABLE Sales_Order_Detail ALTER COLUMN Sales_Ord_No TYPE TEXT"));
    } else {
        c.execute(QStringLiteral("ALTER TABLE Sales_Order_Detail RENAME TO Old_Detail"));
        c.execute(QStringLiteral("CREATE TABLE Sales_Order_Detail AS SELECT * FROM Old_Detail"));
        c.execute(QStringLiteral("DROP TABLE Old_Detail"));
    }
    c.execute(QStringLiteral("Insert into Sales_Order_Detail (Sales_Ord_No, SL_No, Sales_Ord_Ordered_Qty, "
                             "Sales_Ord_Delivered_Qty) values ('01HOSORTMP9', 1, 4, NULL)"));
    c.execute(QStringLiteral("Update Schema_Version Set Version = 1"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No=?"),
                               {QStringLiteral("01HOSORTMP9 ")}),
              0);

    schema::Schema::instance().apply(c);

    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No=?"),
                               {QStringLiteral("01HOSORTMP9 ")}),
              1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Ord_Delivered_Qty from Sales_Order_Detail")).toDouble(), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select max(Version) from Schema_Version")).toInt(),
              schema::Schema::kVersion);
}

} // namespace
} // namespace orbsales::testing
