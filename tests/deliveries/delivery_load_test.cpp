#include "deliveries/delivery_fixture.h"

namespace orbsales::testing {
namespace {

using DeliveryLoad = DeliveryTest;

TEST_F(DeliveryLoad, AnOrdersOpenLinesComeUntickedWithWhatIsStillToDeliver) {
    const std::vector<int> serials =
        addOrder(QStringLiteral("01HOSOR1"),
                 {{QStringLiteral("A100"), 10, 12.5, 4, false, QStringLiteral("01HOPRJ0042")},
                  {QStringLiteral("A200"), 3, 40, 3},
                  {QStringLiteral("B100"), 2, 85, 0, true, QString(), QStringLiteral("Box"), 12}});
    auto delivery = newDelivery();
    delivery->setSourcePrefix(QString());
    ASSERT_TRUE(delivery->Get_Order_Details()) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->SourcePrefix(), QStringLiteral("SOR"));
    EXPECT_EQ(delivery->SourceDate(), day());
    EXPECT_EQ(delivery->CustomerName(), QStringLiteral("Acme Trading LLC"));
    EXPECT_EQ(delivery->PaymentTerms(), QStringLiteral("30 Days"));
    EXPECT_EQ(delivery->EmployeeName(), QStringLiteral("Sam"));
    EXPECT_EQ(delivery->CurrencySymbol(), QStringLiteral("Dhs"));
    const QStringList first{QStringLiteral("0"), QStringLiteral("A100"), QStringLiteral("Item A100"),
                            QStringLiteral("1"), QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("6"),
                            QStringLiteral("01HOPRJ0042"), QString::number(serials[0]), QStringLiteral("12.5"),
                            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("125"), QStringLiteral("125"),
                            QStringLiteral("12.5"), QStringLiteral("6")};
    for (int col = 1; col <= 16; ++col)
        EXPECT_EQ(grid.cellText(1, col), first[col - 1]) << "column " << col;
    EXPECT_EQ(grid.cellText(1, 22), QStringLiteral("0"));
    // The fully delivered A200 is not offered; the free B100 comes next.
    EXPECT_EQ(grid.cellText(2, 2), QStringLiteral("B100"));
    EXPECT_EQ(grid.cellText(2, 6), QStringLiteral("12"));
    EXPECT_EQ(grid.cellText(2, 8), QString());
    EXPECT_EQ(grid.cellText(2, 22), QStringLiteral("1"));
    EXPECT_EQ(grid.cellText(3, 2), QString());
    EXPECT_EQ(grid.rowCount(), 8); // the loader never resizes the grid
}

TEST_F(DeliveryLoad, ACashMemoLoadsItsRateAndNoEmployee) {
    addCashMemo(QStringLiteral("01HOCHM1"), {{QStringLiteral("C300"), 40, 3.6725, 15}}, QStringLiteral("USD"), 3.6725);
    auto delivery = newDelivery(QStringLiteral("01HOCHM1"));
    delivery->setEmployeeName(QStringLiteral("kept"));
    ASSERT_TRUE(delivery->Get_CashMemo_Details()) << delivery->ErrDesc().toStdString();
    EXPECT_TRUE(delivery->ForeignCurrencyFlag());
    EXPECT_EQ(delivery->ExchangeRate(), 3.6725);
    EXPECT_EQ(delivery->SourcePrefix(), QStringLiteral("CHM"));
    EXPECT_EQ(delivery->CustomerCode(), QStringLiteral("01C004"));
    EXPECT_EQ(delivery->EmployeeName(), QStringLiteral("kept"));
    EXPECT_EQ(grid.cellText(1, 7), QStringLiteral("25"));
    EXPECT_EQ(grid.cellText(1, 15), QStringLiteral("1"));
}

struct LoadCase {
    const char *name;
    bool cashMemo;
    const char *source;
    QString message;
    bool headerLoaded;
};

TEST_F(DeliveryLoad, SourcesThatCannotBeLoadedSayWhy) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 2, 12.5, 2}});
    addCashMemo(QStringLiteral("01HOCHM1"), {{QStringLiteral("A100"), 2, 12.5, 2}});
    const LoadCase cases[] = {
        {"blank order number", false, "  ", QStringLiteral("Invalid Sales Order NO"), false},
        {"unknown order", false, "01HOSOR9", QStringLiteral("Invalid Sales Order No"), false},
        {"order with nothing open", false, "01HOSOR1", QStringLiteral("Invalid Item Details"), true},
        {"quote in the number", false, "01HO'SOR1", QStringLiteral("Invalid Sales Order No"), false},
        {"blank cash memo number", true, "", QStringLiteral("Invalid Cash Memo No"), false},
        {"unknown cash memo", true, "01HOCHM9", QStringLiteral("Invalid Cash Memo No"), false},
        {"cash memo with nothing open", true, "01HOCHM1", QStringLiteral("Invalid Item Details"), true},
    };
    for (const LoadCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto delivery = newDelivery(QString::fromLatin1(c.source));
        EXPECT_FALSE(c.cashMemo ? delivery->Get_CashMemo_Details() : delivery->Get_Order_Details());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_EQ(!delivery->CustomerName().isEmpty(), c.headerLoaded);
        EXPECT_EQ(grid.cellText(1, 2), QString());
    }
}

TEST_F(DeliveryLoad, AGridTooSmallFailsAtTheFirstMissingRowKeepingTheRowsBefore) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 2}, {QStringLiteral("A200"), 2},
                                          {QStringLiteral("B100"), 2}});
    grid.setRowCount(3);
    auto delivery = newDelivery();
    EXPECT_FALSE(delivery->Get_Order_Details());
    EXPECT_EQ(delivery->ErrDesc(), QStringLiteral("Subscript out of range (row 3, column 1)"));
    EXPECT_EQ(grid.cellText(2, 2), QStringLiteral("A200"));
}

TEST_F(DeliveryLoad, ASavedHeaderReloadsWithoutItsLines) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 2, 12.5}});
    auto saved = newDelivery();
    ASSERT_TRUE(saved->Get_Order_Details());
    tickAll(grid);
    saved->setForeignCurrencyFlag(false);
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
    EXPECT_EQ(reader.DeliveryIdentity(), 1);
    EXPECT_EQ(reader.CustomerCode(), QStringLiteral("01C001"));
    EXPECT_EQ(reader.SourceNo(), QStringLiteral("01HOSOR1"));
    EXPECT_EQ(reader.SourceName(), QStringLiteral("SalesOrder"));
    EXPECT_EQ(reader.DeliveryRefNo(), QStringLiteral("GP-1'"));
    EXPECT_EQ(reader.CustomerAddressCode(), QStringLiteral("ADR2"));
    EXPECT_EQ(reader.DeliveryTotalAmount(), 25);
    EXPECT_EQ(reader.ExchangeRate(), 1); // a home-currency delivery
    EXPECT_FALSE(reader.ProcessFlag());
    EXPECT_EQ(untouched.cellText(1, 2), QString());

    for (const char *number : {"", "01HODELTMP99"}) {
        reader.setDeliveryNo(QString::fromLatin1(number));
        EXPECT_FALSE(reader.Get_Delivery());
        EXPECT_EQ(reader.ErrDesc(), QStringLiteral("Invalid Delivery No"));
    }
}

} // namespace
} // namespace orbsales::testing
