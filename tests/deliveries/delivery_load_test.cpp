#include "deliveries/delivery_fixture.h"

namespace orbsales::testing {
namespace {

using DeliveryLoad = DeliveryTest;

TEST_F(DeliveryLoad, ASourcesOpenLinesComeUntickedWithWhatIsStillToDeliver) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 10, 12.5, 4, false, QStringLiteral("01HOPRJ0042")},
                                          {QStringLiteral("A200"), 3, 40, 3},
                                          {QStringLiteral("B100"), 2, 85, 0, true, QString(), QStringLiteral("Box"), 12}});
    auto delivery = newDelivery();
    delivery->setSourcePrefix(QString());
    ASSERT_TRUE(delivery->Get_Order_Details()) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->SourcePrefix(), QStringLiteral("SOR"));
    EXPECT_EQ(delivery->SourceDate(), day());
    EXPECT_EQ(delivery->EmployeeName(), QStringLiteral("Sam"));
    EXPECT_EQ(delivery->CurrencySymbol(), QStringLiteral("Dhs"));
    const QStringList first{QStringLiteral("0"),    QStringLiteral("A100"), QStringLiteral("Item A100"),
                            QStringLiteral("1"),    QStringLiteral("Nos"),  QStringLiteral("1"),
                            QStringLiteral("6"),    QStringLiteral("01HOPRJ0042"), QStringLiteral("1"),
                            QStringLiteral("12.5"), QString(),              QString(), // NULL discounts: untouched
                            QStringLiteral("125"),  QStringLiteral("125"),  QStringLiteral("12.5"),
                            QStringLiteral("6")};
    for (int col = 1; col <= 16; ++col)
        EXPECT_EQ(grid.cellText(1, col), first[col - 1]) << "column " << col;
    // The fully delivered A200 is not offered; the free B100 comes next; the grid keeps its size.
    EXPECT_EQ(grid.cellText(1, 22), QStringLiteral("0"));
    EXPECT_EQ((QStringList{grid.cellText(2, 2), grid.cellText(2, 6), grid.cellText(2, 8), grid.cellText(2, 22)}),
              (QStringList{QStringLiteral("B100"), QStringLiteral("12"), QString(), QStringLiteral("1")}));
    EXPECT_EQ(grid.cellText(3, 2), QString());
    EXPECT_EQ(grid.rowCount(), 8);

    // A cash memo in dollars gives its rate and no employee.
    addCashMemo(QStringLiteral("01HOCHM1"), {{QStringLiteral("C300"), 40, 3.6725, 15}}, 3.6725);
    auto memo = newDelivery(QStringLiteral("01HOCHM1"));
    memo->setEmployeeName(QStringLiteral("kept"));
    ASSERT_TRUE(memo->Get_CashMemo_Details()) << memo->ErrDesc().toStdString();
    EXPECT_EQ(memo->ExchangeRate(), 3.6725);
    EXPECT_EQ(memo->SourcePrefix(), QStringLiteral("CHM"));
    EXPECT_EQ(memo->EmployeeName(), QStringLiteral("kept"));
    EXPECT_EQ(grid.cellText(1, 7), QStringLiteral("25"));
    EXPECT_EQ(grid.cellText(1, 15), QStringLiteral("1"));
}

TEST_F(DeliveryLoad, SourcesThatCannotBeLoadedSayWhy) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 2, 12.5, 2}});
    addCashMemo(QStringLiteral("01HOCHM1"), {{QStringLiteral("A100"), 2, 12.5, 2}});
    const struct {
        const char *name;
        bool cashMemo;
        const char *source;
        QString message;
        bool headerLoaded;
    } cases[] = {
        {"blank order number", false, "  ", QStringLiteral("Invalid Sales Order NO"), false},
        {"unknown order", false, "01HO'SOR9", QStringLiteral("Invalid Sales Order No"), false},
        {"order with nothing open", false, "01HOSOR1", QStringLiteral("Invalid Item Details"), true},
        {"blank cash memo number", true, "", QStringLiteral("Invalid Cash Memo No"), false},
        {"unknown cash memo", true, "01HOCHM9", QStringLiteral("Invalid Cash Memo No"), false},
        {"cash memo with nothing open", true, "01HOCHM1", QStringLiteral("Invalid Item Details"), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto delivery = newDelivery(QString::fromLatin1(c.source));
        EXPECT_FALSE(c.cashMemo ? delivery->Get_CashMemo_Details() : delivery->Get_Order_Details());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_EQ(!delivery->CustomerName().isEmpty(), c.headerLoaded);
    }

    // Too few rows: the grid's own error at the first row that does not exist, the rows before kept.
    addOrder(QStringLiteral("01HOSOR2"), {{QStringLiteral("A100"), 2}, {QStringLiteral("A200"), 2},
                                          {QStringLiteral("B100"), 2}});
    grid.setRowCount(3);
    auto delivery = newDelivery(QStringLiteral("01HOSOR2"));
    EXPECT_FALSE(delivery->Get_Order_Details());
    EXPECT_EQ(delivery->ErrDesc(), QStringLiteral("Subscript out of range (row 3, column 1)"));
    EXPECT_EQ(grid.cellText(2, 2), QStringLiteral("A200"));
}

TEST_F(DeliveryLoad, ASavedHeaderReloadsWithoutItsLines) {
    auto saved = newDelivery();
    saved->setCustomerCode(QStringLiteral("01C001"));
    saved->setExchangeRate(4);
    saved->setDeliveryRefNo(QStringLiteral("GP-1'"));
    saved->setCustomerAddressCode(QStringLiteral("ADR2"));
    saved->setSourceName(QStringLiteral("SalesOrder"));
    saved->setDeliveryTotalAmount(25);
    ASSERT_TRUE(saved->Create_Delivery()) << saved->ErrDesc().toStdString();

    MemoryGrid untouched(4, 23);
    Delivery reader;
    reader.setADOConnectionString(connectionString());
    reader.setDeliveryGridName(&untouched);
    reader.setDeliveryNo(saved->DeliveryNo());
    reader.setExchangeRate(9);
    ASSERT_TRUE(reader.Get_Delivery()) << reader.ErrDesc().toStdString();
    EXPECT_EQ((QVariantList{reader.DeliveryIdentity(), reader.CustomerCode(), reader.SourceNo(), reader.SourceName(),
                            reader.DeliveryRefNo(), reader.CustomerAddressCode(), reader.DeliveryTotalAmount(),
                            reader.ExchangeRate(), reader.ProcessFlag()}),
              (QVariantList{1, QStringLiteral("01C001"), QStringLiteral("01HOSOR1"), QStringLiteral("SalesOrder"),
                            QStringLiteral("GP-1'"), QStringLiteral("ADR2"), 25.0, 1.0, false}));
    EXPECT_EQ(untouched.cellText(1, 2), QString());
    for (const char *number : {"", "01HODELTMP99"}) {
        reader.setDeliveryNo(QString::fromLatin1(number));
        EXPECT_FALSE(reader.Get_Delivery());
        EXPECT_EQ(reader.ErrDesc(), QStringLiteral("Invalid Delivery No"));
    }
}

} // namespace
} // namespace orbsales::testing
