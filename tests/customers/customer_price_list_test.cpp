#include "orbsales/customers/customer_messages.h"
#include "orbsales/customers/customer_price_list.h"
#include "orbsales/data/schema.h"
#include "support/test_database.h"

#include <functional>

namespace orbsales::testing {
namespace {

namespace msg = customer_messages;

class PriceListTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        prices = newPrices();
    }

    std::unique_ptr<CustomerPriceList> newPrices() {
        auto p = std::make_unique<CustomerPriceList>();
        p->setConnectionString(connectionString());
        p->setCustomerCode(QStringLiteral("01C001"));
        p->setItemCode(QStringLiteral("01IT1"));
        p->setItemName(QStringLiteral("Cement bag"));
        p->setUnitID(2);
        p->setUnitName(QStringLiteral("Bag"));
        p->setUnitQty(1);
        p->setUnitPrice(3.5);
        p->setSellingPrice(10);
        p->setLastSellingPrice(9);
        p->setLastUpdate(QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
        return p;
    }

    QVariant stored(const QString &column) {
        return database().scalar(QStringLiteral("Select %1 from Customer_Price_List").arg(column));
    }

    std::unique_ptr<CustomerPriceList> prices;
};

struct PriceValidation {
    const char *name;
    std::function<void(CustomerPriceList &)> spoil;
    QString message;
};

class PriceListValidation : public PriceListTest, public ::testing::WithParamInterface<PriceValidation> {};

TEST_P(PriceListValidation, StopsAtTheFirstMissingValue) {
    GetParam().spoil(*prices);
    EXPECT_FALSE(prices->Save_Customer_Price_List());
    EXPECT_EQ(prices->ErrDesc(), GetParam().message);
    EXPECT_FALSE(prices->Update_Customer_Price_List());
    EXPECT_EQ(prices->ErrDesc(), GetParam().message);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 0);
}

INSTANTIATE_TEST_SUITE_P(Order, PriceListValidation,
                         ::testing::Values(PriceValidation{"Customer",
                                                           [](CustomerPriceList &p) {
                                                               p.setCustomerCode({});
                                                               p.setUnitName({});
                                                           },
                                                           msg::kInvalidCustomerCode},
                                           PriceValidation{"Item",
                                                           [](CustomerPriceList &p) {
                                                               p.setItemCode({});
                                                               p.setItemName({});
                                                           },
                                                           msg::kInvalidItemCode},
                                           PriceValidation{"ItemName",
                                                           [](CustomerPriceList &p) {
                                                               p.setItemName({});
                                                               p.setUnitName({});
                                                           },
                                                           msg::kInvalidItemName},
                                           PriceValidation{"UnitName", [](CustomerPriceList &p) { p.setUnitName({}); },
                                                           msg::kInvalidUnitName}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PriceListTest, SavingTheSamePriceTwiceAddsTwoRows) {
    ASSERT_TRUE(prices->Save_Customer_Price_List()) << prices->ErrDesc().toStdString();
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    EXPECT_EQ(
        database().count(QStringLiteral("Customer_Price_List"), QStringLiteral("Customer_Code='01C001' and "
                                                                               "Item_Code='01IT1' and Unit_ID=2")),
        2);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Selling_Price from Customer_Price_List")).toDouble(), 10);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Last_Selling_Price from Customer_Price_List")).toDouble(), 9);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Unit_Price from Customer_Price_List")).toDouble(), 3.5);
}

struct PriceChange {
    const char *name;
    double newPrice;
    double storedLast, propertyLast; // afterwards
};

class PriceListUpdate : public PriceListTest, public ::testing::WithParamInterface<PriceChange> {};

// The agreed price of 10 is changed (or not) with the caller's last price at 7.
TEST_P(PriceListUpdate, KeepsThePriceItReplaces) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    auto change = newPrices();
    change->setItemName(QStringLiteral("Cement bag 50kg"));
    change->setUnitPrice(4);
    change->setSellingPrice(GetParam().newPrice);
    change->setLastSellingPrice(7);
    ASSERT_TRUE(change->Update_Customer_Price_List()) << change->ErrDesc().toStdString();
    EXPECT_EQ(stored(QStringLiteral("Selling_Price")).toDouble(), GetParam().newPrice);
    EXPECT_EQ(stored(QStringLiteral("Last_Selling_Price")).toDouble(), GetParam().storedLast);
    EXPECT_EQ(change->LastSellingPrice(), GetParam().propertyLast);
    EXPECT_EQ(stored(QStringLiteral("Unit_Price")).toDouble(), 4);
    EXPECT_EQ(stored(QStringLiteral("Item_Name")).toString(), QStringLiteral("Cement bag 50kg"));
}

INSTANTIATE_TEST_SUITE_P(Prices, PriceListUpdate,
                         ::testing::Values(PriceChange{"Changed", 12, 10, 10}, PriceChange{"Unchanged", 10, 7, 7}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PriceListTest, UpdatingARowThatIsNotThereIsRefused) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    prices->setUnitID(3);
    EXPECT_FALSE(prices->Update_Customer_Price_List());
    EXPECT_EQ(prices->ErrDesc(), msg::kInvalidCustomer);
}

TEST_F(PriceListTest, UsesTheConnectionObjectWhenItIsOpen) {
    prices->setConnectionString({});
    prices->setAdoDBConnectionObject(&database().connection());
    ASSERT_TRUE(prices->Save_Customer_Price_List()) << prices->ErrDesc().toStdString();
    ASSERT_TRUE(prices->Update_Customer_Price_List()) << prices->ErrDesc().toStdString();
    EXPECT_TRUE(database().connection().isOpen());
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 1);
}

TEST_F(PriceListTest, DeletesTheRowOfTheArgumentsAndAcceptsAMissingOne) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    prices->setUnitID(3);
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    auto remover = std::make_unique<CustomerPriceList>();
    remover->setConnectionString(connectionString());
    ASSERT_TRUE(remover->Delete_Customer_Price_List(QStringLiteral("01C001"), QStringLiteral("01IT1"), 3))
        << remover->ErrDesc().toStdString();
    EXPECT_EQ(remover->UnitID(), 3);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 1);
    EXPECT_EQ(stored(QStringLiteral("Unit_ID")).toDouble(), 2);
    // The member connection was closed again, so a second delete can open it.
    EXPECT_TRUE(remover->Delete_Customer_Price_List(QStringLiteral("01C001"), QStringLiteral("01IT1"), 3));

    EXPECT_FALSE(remover->Delete_Customer_Price_List(QString(), QString(), 3));
    EXPECT_EQ(remover->ErrDesc(), msg::kInvalidCustomerCode);
    EXPECT_FALSE(remover->Delete_Customer_Price_List(QStringLiteral("01C001"), QString(), 3));
    EXPECT_EQ(remover->ErrDesc(), msg::kInvalidItemCode);
}

TEST_F(PriceListTest, DeletingOnAnAlreadyOpenConnectionObjectFails) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    prices->setAdoDBConnectionObject(&database().connection());
    EXPECT_FALSE(prices->Delete_Customer_Price_List(QStringLiteral("01C001"), QStringLiteral("01IT1"), 2));
    EXPECT_EQ(prices->ErrDesc(), QStringLiteral("Operation is not allowed when the object is open."));
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 1);
}

TEST_F(PriceListTest, ValuesWithQuotesAreStoredVerbatimAndMatchedExactly) {
    const QString hostile = QStringLiteral("01O'Brien'; DELETE FROM Customer_Price_List;--");
    prices->setCustomerCode(hostile);
    prices->setItemName(hostile);
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    auto other = newPrices();
    ASSERT_TRUE(other->Save_Customer_Price_List());
    prices->setSellingPrice(11);
    ASSERT_TRUE(prices->Update_Customer_Price_List());
    EXPECT_EQ(
        database()
            .scalar(QStringLiteral("Select Selling_Price from Customer_Price_List Where Customer_Code=?"), {hostile})
            .toDouble(),
        11);
    auto remover = std::make_unique<CustomerPriceList>();
    remover->setConnectionString(connectionString());
    ASSERT_TRUE(remover->Delete_Customer_Price_List(hostile, QStringLiteral("01IT1"), 2));
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 1);
    EXPECT_EQ(stored(QStringLiteral("Customer_Code")).toString(), QStringLiteral("01C001"));
}

// The price a customer was charged last is recorded on the customer's row for the item and
// unit; a customer without an agreed price gets no row.
TEST_F(PriceListTest, UpdateLastSellingPriceRecordsOnTheExistingRowOnly) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    prices->setLastSellingPrice(99);
    prices->setLastUpdate(QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
    EXPECT_TRUE(prices->Update_Last_Selling_Price()) << prices->ErrDesc().toStdString();
    EXPECT_EQ(stored(QStringLiteral("Last_Selling_Price")).toDouble(), 99);
    EXPECT_EQ(stored(QStringLiteral("Selling_Price")).toDouble(), 10);
    EXPECT_EQ(stored(QStringLiteral("Last_Update")).toDateTime(), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));

    auto other = newPrices();
    other->setUnitID(3);
    other->setLastSellingPrice(50);
    EXPECT_TRUE(other->Update_Last_Selling_Price());
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 1);
    EXPECT_EQ(stored(QStringLiteral("Last_Selling_Price")).toDouble(), 99);
}

} // namespace
} // namespace orbsales::testing
