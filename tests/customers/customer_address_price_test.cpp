#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_addresses.h"
#include "orbsales/customers/customer_price_list.h"
#include "orbsales/frame/class_id.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <functional>

namespace orbsales::testing {
namespace {

// ---- the collection --------------------------------------------------------------------------

CustomerAddress *addTo(CustomerAddresses &list, const QString &desc, const QString &sKey = QString()) {
    return list.Add(QString(), "01C001", 7, desc, "Road 1", "Manama", {}, {}, 48, {}, {}, {}, {}, {}, "01", {}, sKey);
}

TEST(CustomerAddressCollection, CopiesEveryArgumentIntoTheNewItem) {
    CustomerAddresses list;
    CustomerAddress *item = list.Add("k", "01C001", 12, "Warehouse", "Road 1", "Manama", "Capital", "317", 48, "p", "f",
                                     "e", "cn", "cp", "01", "Bahrain");
    QStringList values;
    for (const char *name : {"Key", "CustomerCode", "AddressCode", "AddressDesc", "CustomerAddress", "CustomerCity",
                             "CustomerState", "CustomerPostal", "CountryID", "CustomerPhone", "CustomerFax",
                             "CustomerEmail", "ContactName", "ContactPhone", "CompanyPrefix", "CountryName"})
        values << item->property(name).toString();
    EXPECT_EQ(values, (QStringList{"k", "01C001", "12", "Warehouse", "Road 1", "Manama", "Capital", "317", "48", "p",
                                   "f", "e", "cn", "cp", "01", "Bahrain"}));
}

TEST(CustomerAddressCollection, FindsItemsByOneBasedPositionOrByKey) {
    CustomerAddresses list;
    addTo(list, "first", "A1");
    addTo(list, "second");
    addTo(list, "third", "B2");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1)->AddressDesc(), "first");
    EXPECT_EQ(list.Item(2.0)->AddressDesc(), "second");
    EXPECT_EQ(list.Item("b2")->AddressDesc(), "third"); // keys ignore case
    QStringList inOrder;
    for (CustomerAddress *item : list)
        inOrder << item->AddressDesc();
    EXPECT_EQ(inOrder, (QStringList{"first", "second", "third"}));
    EXPECT_EQ(list.NewEnum().size(), 3);
    list.Remove("A1");
    EXPECT_EQ(list.Item(1)->AddressDesc(), "second");
    list.Remove(2);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1)->AddressDesc(), "second");
    for (int i = 0; i < 5; ++i) // any number of items without a key
        addTo(list, QString::number(i));
    EXPECT_EQ(list.Count(), 6);
}

TEST(CustomerAddressCollection, ErrorsAreTheCollectionsAndChangeNothing) {
    const struct {
        std::function<void(CustomerAddresses &)> call;
        const char *message;
    } cases[] = {
        {[](CustomerAddresses &l) { addTo(l, "x", "a1"); },
         "This key is already associated with an element of this collection"},
        {[](CustomerAddresses &l) { l.Item(0); }, "Subscript out of range"},
        {[](CustomerAddresses &l) { l.Remove(3); }, "Subscript out of range"},
        {[](CustomerAddresses &l) { l.Item("Z9"); }, "Invalid procedure call or argument"},
        {[](CustomerAddresses &l) { l.Remove("1"); }, "Invalid procedure call or argument"}, // text is a key
    };
    for (const auto &c : cases) {
        CustomerAddresses list;
        addTo(list, "first", "A1");
        addTo(list, "second");
        try {
            c.call(list);
            ADD_FAILURE() << "no error, expected " << c.message;
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), c.message);
        }
        EXPECT_EQ(list.Count(), 2);
    }
}

TEST(CustomerAddressInstances, NumberedOneAfterTheOtherOnAThread) {
    CustomerAddress first;
    CustomerAddress second;
    EXPECT_EQ(second.ClassDebugID(), first.ClassDebugID() + 1);
    setClassDebugCounter(std::numeric_limits<qint32>::max());
    EXPECT_THROW(CustomerAddress overflowing, OrbError);
    setClassDebugCounter(0);
    EXPECT_EQ(CustomerAddress().ClassDebugID(), 1);
}

// ---- the customer's addresses in the table ---------------------------------------------------

class CustomerAddressTable : public CustomerTest {
protected:
    void store(const QString &customerCode, const QString &addressCode, const QString &desc) {
        auto c = newCustomer(customerCode);
        assign(*c->Address(), "CustomerCode", customerCode, "AddressCode", addressCode, "AddressDesc", desc,
               "CustomerCity", "Manama", "CountryID", 48);
        ASSERT_TRUE(c->Create_Address()) << c->ErrDesc().toStdString();
    }
};

TEST_F(CustomerAddressTable, ListsEveryStoredAddressInAddressCodeOrderAndAppendsOnASecondCall) {
    store("01C002", "3", "Third");
    store("01C001", "1", "First");
    store("01C001", "2", "Second");
    ASSERT_TRUE(customer->Get_Addresses()) << customer->ErrDesc().toStdString();
    CustomerAddresses &list = *customer->Addresses();
    ASSERT_EQ(list.Count(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(list.Item(i)->Key(), QString::number(i));
    EXPECT_EQ(list.Item(1)->AddressDesc(), "First");
    EXPECT_EQ(list.Item(3)->CustomerCode(), "01C002");
    EXPECT_EQ(list.Item(3)->CustomerCity(), "Manama");
    EXPECT_EQ(list.Item(3)->CountryID(), 48);
    EXPECT_EQ(customer->Address(), list.Item(3));
    ASSERT_TRUE(customer->Get_Addresses());
    EXPECT_EQ(list.Count(), 6);
    list.Remove(6); // the current address outlives its removal from the list
    EXPECT_EQ(customer->Address()->AddressDesc(), "Third");
}

TEST_F(CustomerAddressTable, SavingTheSameAddressTwiceRewritesOneRowWithEmptyTextsAsNull) {
    store("01C001", "1", "Warehouse");
    assign(*customer->Address(), "CustomerCode", "01C001", "AddressCode", "1", "AddressDesc", "Main warehouse",
           "CustomerPhone", "", "CountryName", "Bahrain");
    customer->setLastUpdate(QDateTime(QDate(2027, 2, 3), QTime(0, 0)));
    ASSERT_TRUE(customer->Create_Address());
    EXPECT_EQ(rowsOf(database(), "Customer_Address",
                     "Address_Desc, Customer_Phone, Customer_City, Customer_Country, Last_Update"),
              (QList<QStringList>{{"Main warehouse", "NULL", "NULL", "Bahrain", "2027-02-03 00:00"}}));
}

// Texts with quotes and SQL come back verbatim.
TEST_F(CustomerAddressTable, LoadsOneAddressOfThisCustomerLeavingEmptyColumnsAlone) {
    store("01C001", "1", "Warehouse");
    store("01C002", "2", "Not ours");
    const QString hostile = QStringLiteral("Flat 3', Road 1; DROP TABLE Customer_Address;--");
    auto quoted = newCustomer("01O'Neil");
    assign(*quoted->Address(), "CustomerCode", "01O'Neil", "AddressCode", "1' OR '1'='1", "CustomerAddress", hostile,
           "AddressDesc", hostile);
    ASSERT_TRUE(quoted->Create_Address());
    CustomerAddress *a = customer->Address();
    assign(*a, "CustomerPhone", "kept", "CountryName", "kept too");
    ASSERT_TRUE(customer->Get_Address("2")); // another customer's code: nothing found
    EXPECT_EQ(a->AddressDesc(), QString());
    ASSERT_TRUE(customer->Get_Address("1"));
    EXPECT_EQ(QStringList({a->AddressDesc(), a->AddressCode(), a->CustomerCity(), QString::number(a->CountryID()),
                           a->CustomerPhone(), a->CountryName()}),
              (QStringList{"Warehouse", "1", "Manama", "48", "kept", "kept too"}));
    auto loaded = newCustomer("01O'Neil");
    ASSERT_TRUE(loaded->Get_Address("1' OR '1'='1"));
    EXPECT_EQ(
        QStringList({loaded->Address()->property("CustomerAddress").toString(), loaded->Address()->AddressDesc()}),
        QStringList(2, hostile));
    EXPECT_EQ(count("Customer_Address"), 3);
}

class PriceListTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (db)
            prices = newPrices();
    }

    std::unique_ptr<CustomerPriceList> newPrices() {
        auto p = std::make_unique<CustomerPriceList>();
        assign(*p, "ConnectionString", connectionString(), "CustomerCode", "01C001", "ItemCode", "01IT1", "ItemName",
               "Cement bag", "UnitID", 2, "UnitName", "Bag", "UnitQty", 1, "UnitPrice", 3.5, "SellingPrice", 10,
               "LastSellingPrice", 9, "LastUpdate", QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
        return p;
    }
    // The stored prices: customer, item, unit, item name, unit price, selling price, last price.
    QList<QStringList> stored() {
        return rowsOf(database(), "Customer_Price_List",
                      "Customer_Code, Item_Code, Unit_ID, Item_Name, Unit_Price, Selling_Price, Last_Selling_Price",
                      "Order by Unit_ID, Customer_Code");
    }

    std::unique_ptr<CustomerPriceList> prices;
};

// Each case empties one value and values checked after it, so the order of the checks shows.
TEST_F(PriceListTest, StopsAtTheFirstMissingValue) {
    const char *const cases[][2] = {{"CustomerCode UnitName", "Invalid Customer Code."},
                                    {"ItemCode ItemName", "Invalid Item Code."},
                                    {"ItemName UnitName", "Invalid Item Name."},
                                    {"UnitName", "Invalid Unit Name."}};
    for (const auto &[emptied, message] : cases) {
        auto spoilt = newPrices();
        for (const QString &name : QString::fromLatin1(emptied).split(' '))
            spoilt->setProperty(name.toLatin1().constData(), QString());
        EXPECT_FALSE(spoilt->Save_Customer_Price_List());
        EXPECT_EQ(spoilt->ErrDesc(), message);
        EXPECT_FALSE(spoilt->Update_Customer_Price_List());
        EXPECT_EQ(spoilt->ErrDesc(), message);
    }
    EXPECT_EQ(database().count("Customer_Price_List"), 0);
}

// The agreed price of 10 is changed (or not) with the caller's last price at 7: the last price
// becomes the price replaced.
TEST_F(PriceListTest, UpdateKeepsThePriceItReplaces) {
    const struct {
        double newPrice;
        const char *last;
    } cases[] = {{12, "10"}, {10, "7"}};
    for (const auto &c : cases) {
        database().execute("Delete from Customer_Price_List");
        ASSERT_TRUE(prices->Save_Customer_Price_List());
        auto change = newPrices();
        assign(*change, "ItemName", "Cement bag 50kg", "UnitPrice", 4, "SellingPrice", c.newPrice, "LastSellingPrice",
               7);
        ASSERT_TRUE(change->Update_Customer_Price_List()) << change->ErrDesc().toStdString();
        EXPECT_EQ(stored(), (QList<QStringList>{{"01C001", "01IT1", "2", "Cement bag 50kg", "4",
                                                 numbers::numberText(c.newPrice), c.last}}));
        EXPECT_EQ(numbers::numberText(change->LastSellingPrice()), c.last);
    }
    prices->setUnitID(3); // a row that is not there
    EXPECT_FALSE(prices->Update_Customer_Price_List());
    EXPECT_EQ(prices->ErrDesc(), "Invalid Customer");
}

TEST_F(PriceListTest, UsesTheConnectionObjectWhenItIsOpen) {
    prices->setConnectionString(QString());
    prices->setAdoDBConnectionObject(&database().connection());
    ASSERT_TRUE(prices->Save_Customer_Price_List()) << prices->ErrDesc().toStdString();
    ASSERT_TRUE(prices->Update_Customer_Price_List()) << prices->ErrDesc().toStdString();
    EXPECT_TRUE(database().connection().isOpen());
    EXPECT_EQ(database().count("Customer_Price_List"), 1);
    // Deleting on an already open connection object fails.
    EXPECT_FALSE(prices->Delete_Customer_Price_List("01C001", "01IT1", 2));
    EXPECT_EQ(prices->ErrDesc(), "Operation is not allowed when the object is open.");
    EXPECT_EQ(database().count("Customer_Price_List"), 1);
}

TEST_F(PriceListTest, DeletesTheRowOfTheArgumentsAndAcceptsAMissingOne) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    prices->setUnitID(3);
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    auto remover = std::make_unique<CustomerPriceList>();
    remover->setConnectionString(connectionString());
    ASSERT_TRUE(remover->Delete_Customer_Price_List("01C001", "01IT1", 3)) << remover->ErrDesc().toStdString();
    EXPECT_EQ(remover->UnitID(), 3);
    EXPECT_EQ(stored().size(), 1);
    EXPECT_EQ(stored().value(0).value(2), "2");
    // The member connection was closed again, so a second delete can open it.
    EXPECT_TRUE(remover->Delete_Customer_Price_List("01C001", "01IT1", 3));
    EXPECT_FALSE(remover->Delete_Customer_Price_List(QString(), QString(), 3));
    EXPECT_EQ(remover->ErrDesc(), "Invalid Customer Code.");
    EXPECT_FALSE(remover->Delete_Customer_Price_List("01C001", QString(), 3));
    EXPECT_EQ(remover->ErrDesc(), "Invalid Item Code.");
}

// Saving the same price twice adds two rows.
TEST_F(PriceListTest, ValuesWithQuotesAreStoredVerbatimAndMatchedExactly) {
    const QString hostile = QStringLiteral("01O'Brien'; DELETE FROM Customer_Price_List;--");
    assign(*prices, "CustomerCode", hostile, "ItemName", hostile);
    ASSERT_TRUE(prices->Save_Customer_Price_List()) << prices->ErrDesc().toStdString();
    ASSERT_TRUE(newPrices()->Save_Customer_Price_List());
    ASSERT_TRUE(newPrices()->Save_Customer_Price_List());
    prices->setSellingPrice(11);
    ASSERT_TRUE(prices->Update_Customer_Price_List());
    EXPECT_EQ(stored(), (QList<QStringList>{{"01C001", "01IT1", "2", "Cement bag", "3.5", "10", "9"},
                                            {"01C001", "01IT1", "2", "Cement bag", "3.5", "10", "9"},
                                            {hostile, "01IT1", "2", hostile, "3.5", "11", "10"}}));
    auto remover = std::make_unique<CustomerPriceList>();
    remover->setConnectionString(connectionString());
    ASSERT_TRUE(remover->Delete_Customer_Price_List(hostile, "01IT1", 2));
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(stored().value(1).value(0), "01C001");
}

// The price a customer was charged last is recorded on the customer's row for the item and
// unit; a customer without an agreed price gets no row.
TEST_F(PriceListTest, UpdateLastSellingPriceRecordsOnTheExistingRowOnly) {
    ASSERT_TRUE(prices->Save_Customer_Price_List());
    prices->setLastSellingPrice(99);
    EXPECT_TRUE(prices->Update_Last_Selling_Price()) << prices->ErrDesc().toStdString();
    EXPECT_EQ(stored().value(0).value(6), "99");
    EXPECT_EQ(stored().value(0).value(5), "10");
    auto other = newPrices();
    other->setUnitID(3);
    other->setLastSellingPrice(50);
    EXPECT_TRUE(other->Update_Last_Selling_Price());
    EXPECT_EQ(stored().size(), 1);
}

} // namespace
} // namespace orbsales::testing
