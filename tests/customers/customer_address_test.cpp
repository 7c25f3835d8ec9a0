#include "orbsales/customers/customer_addresses.h"
#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/frame/class_id.h"

namespace orbsales::testing {
namespace {

namespace msg = customer_messages;

// ---- the collection --------------------------------------------------------------------------

CustomerAddress *addTo(CustomerAddresses &list, const QString &desc, const QString &sKey = QString()) {
    return list.Add(QString(), QStringLiteral("01C001"), 7, desc, QStringLiteral("Road 1"), QStringLiteral("Manama"),
                    {}, {}, 48, {}, {}, {}, {}, {}, QStringLiteral("01"), {}, sKey);
}

QString message(const std::function<void()> &call) {
    try {
        call();
    } catch (const OrbError &error) {
        return error.description();
    }
    return QStringLiteral("no error");
}

TEST(CustomerAddressCollection, CopiesEveryArgumentIntoTheNewItem) {
    CustomerAddresses list;
    CustomerAddress *item =
        list.Add(QStringLiteral("k"), QStringLiteral("01C001"), 12, QStringLiteral("Warehouse"),
                 QStringLiteral("Road 1"), QStringLiteral("Manama"), QStringLiteral("Capital"), QStringLiteral("317"),
                 48, QStringLiteral("p"), QStringLiteral("f"), QStringLiteral("e"), QStringLiteral("cn"),
                 QStringLiteral("cp"), QStringLiteral("01"), QStringLiteral("Bahrain"));
    EXPECT_EQ(item->Key(), QStringLiteral("k"));
    EXPECT_EQ(item->AddressCode(), QStringLiteral("12"));
    EXPECT_EQ(item->property("CustomerAddress").toString(), QStringLiteral("Road 1"));
    EXPECT_EQ(item->CustomerState(), QStringLiteral("Capital"));
    EXPECT_EQ(item->CustomerPostal(), QStringLiteral("317"));
    EXPECT_EQ(item->CountryID(), 48);
    EXPECT_EQ(item->ContactPhone(), QStringLiteral("cp"));
    EXPECT_EQ(item->CompanyPrefix(), QStringLiteral("01"));
    EXPECT_EQ(item->CountryName(), QStringLiteral("Bahrain"));
}

TEST(CustomerAddressCollection, FindsItemsByOneBasedPositionOrByKey) {
    CustomerAddresses list;
    addTo(list, QStringLiteral("first"), QStringLiteral("A1"));
    addTo(list, QStringLiteral("second"));
    addTo(list, QStringLiteral("third"), QStringLiteral("B2"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1)->AddressDesc(), QStringLiteral("first"));
    EXPECT_EQ(list.Item(2.0)->AddressDesc(), QStringLiteral("second"));
    EXPECT_EQ(list.Item(QStringLiteral("b2"))->AddressDesc(), QStringLiteral("third")); // keys ignore case
    QStringList inOrder;
    for (CustomerAddress *item : list)
        inOrder << item->AddressDesc();
    EXPECT_EQ(inOrder, (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));
    EXPECT_EQ(list.NewEnum().size(), 3);

    list.Remove(QStringLiteral("A1"));
    EXPECT_EQ(list.Item(1)->AddressDesc(), QStringLiteral("second"));
    list.Remove(2);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1)->AddressDesc(), QStringLiteral("second"));
}

struct CollectionError {
    const char *name;
    std::function<void(CustomerAddresses &)> call;
    QString message;
};

class CustomerAddressCollectionErrors : public ::testing::TestWithParam<CollectionError> {};

TEST_P(CustomerAddressCollectionErrors, RaiseTheCollectionsErrorAndChangeNothing) {
    CustomerAddresses list;
    addTo(list, QStringLiteral("first"), QStringLiteral("A1"));
    addTo(list, QStringLiteral("second"));
    EXPECT_EQ(message([&] { GetParam().call(list); }), GetParam().message);
    EXPECT_EQ(list.Count(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CustomerAddressCollectionErrors,
    ::testing::Values(
        CollectionError{"DuplicateKey",
                        [](CustomerAddresses &l) { addTo(l, QStringLiteral("x"), QStringLiteral("a1")); },
                        msg::kDuplicateKey},
        CollectionError{"PositionZero", [](CustomerAddresses &l) { l.Item(0); }, msg::kSubscriptOutOfRange},
        CollectionError{"PositionBeyond", [](CustomerAddresses &l) { l.Remove(3); }, msg::kSubscriptOutOfRange},
        CollectionError{"UnknownKey", [](CustomerAddresses &l) { l.Item(QStringLiteral("Z9")); },
                        msg::kInvalidProcedureCall},
        // A position's text is a key, not a position.
        CollectionError{"PositionAsText", [](CustomerAddresses &l) { l.Remove(QStringLiteral("1")); },
                        msg::kInvalidProcedureCall}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CustomerAddressCollection, TakesAnyNumberOfItemsWithoutAKey) {
    CustomerAddresses list;
    for (int i = 0; i < 5; ++i)
        addTo(list, QString::number(i));
    EXPECT_EQ(list.Count(), 5);
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
        CustomerAddress *a = c->Address();
        a->setCustomerCode(customerCode);
        a->setAddressCode(addressCode);
        a->setAddressDesc(desc);
        a->setCustomerCity(QStringLiteral("Manama"));
        a->setCountryID(48);
        ASSERT_TRUE(c->Create_Address()) << c->ErrDesc().toStdString();
    }
};

TEST_F(CustomerAddressTable, ListsEveryStoredAddressInAddressCodeOrderAndAppendsOnASecondCall) {
    store(QStringLiteral("01C002"), QStringLiteral("3"), QStringLiteral("Third"));
    store(QStringLiteral("01C001"), QStringLiteral("1"), QStringLiteral("First"));
    store(QStringLiteral("01C001"), QStringLiteral("2"), QStringLiteral("Second"));
    ASSERT_TRUE(customer->Get_Addresses()) << customer->ErrDesc().toStdString();
    CustomerAddresses &list = *customer->Addresses();
    ASSERT_EQ(list.Count(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(list.Item(i)->Key(), QString::number(i));
    EXPECT_EQ(list.Item(1)->AddressDesc(), QStringLiteral("First"));
    EXPECT_EQ(list.Item(3)->CustomerCode(), QStringLiteral("01C002"));
    EXPECT_EQ(list.Item(3)->CustomerCity(), QStringLiteral("Manama"));
    EXPECT_EQ(list.Item(3)->CountryID(), 48);
    EXPECT_EQ(customer->Address(), list.Item(3));
    ASSERT_TRUE(customer->Get_Addresses());
    EXPECT_EQ(list.Count(), 6);
    // The current address outlives its removal from the list.
    list.Remove(6);
    EXPECT_EQ(customer->Address()->AddressDesc(), QStringLiteral("Third"));
}

TEST_F(CustomerAddressTable, SavingTheSameAddressTwiceRewritesOneRowWithEmptyTextsAsNull) {
    store(QStringLiteral("01C001"), QStringLiteral("1"), QStringLiteral("Warehouse"));
    CustomerAddress *a = customer->Address();
    a->setCustomerCode(QStringLiteral("01C001"));
    a->setAddressCode(QStringLiteral("1"));
    a->setAddressDesc(QStringLiteral("Main warehouse"));
    a->setCustomerPhone(QString());
    a->setCountryName(QStringLiteral("Bahrain"));
    customer->setLastUpdate(QDateTime(QDate(2027, 2, 3), QTime(0, 0)));
    ASSERT_TRUE(customer->Create_Address());
    EXPECT_EQ(database().count(QStringLiteral("Customer_Address")), 1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Address_Desc from Customer_Address")).toString(),
              QStringLiteral("Main warehouse"));
    EXPECT_TRUE(database().scalar(QStringLiteral("Select Customer_Phone from Customer_Address")).isNull());
    EXPECT_TRUE(database().scalar(QStringLiteral("Select Customer_City from Customer_Address")).isNull());
    EXPECT_EQ(database().scalar(QStringLiteral("Select Customer_Country from Customer_Address")).toString(),
              QStringLiteral("Bahrain"));
    EXPECT_EQ(asDate(database().scalar(QStringLiteral("Select Last_Update from Customer_Address"))),
              QDateTime(QDate(2027, 2, 3), QTime(0, 0)));
}

TEST_F(CustomerAddressTable, LoadsOneAddressOfThisCustomerLeavingEmptyColumnsAlone) {
    store(QStringLiteral("01C001"), QStringLiteral("1"), QStringLiteral("Warehouse"));
    store(QStringLiteral("01C002"), QStringLiteral("2"), QStringLiteral("Not ours"));
    CustomerAddress *a = customer->Address();
    a->setCustomerPhone(QStringLiteral("kept"));
    a->setCountryName(QStringLiteral("kept too"));
    ASSERT_TRUE(customer->Get_Address(QStringLiteral("2"))); // another customer's code: nothing found
    EXPECT_EQ(a->AddressDesc(), QString());
    ASSERT_TRUE(customer->Get_Address(QStringLiteral("1")));
    EXPECT_EQ(a->AddressDesc(), QStringLiteral("Warehouse"));
    EXPECT_EQ(a->AddressCode(), QStringLiteral("1"));
    EXPECT_EQ(a->CustomerCity(), QStringLiteral("Manama"));
    EXPECT_EQ(a->CountryID(), 48);
    EXPECT_EQ(a->CustomerPhone(), QStringLiteral("kept"));
    EXPECT_EQ(a->CountryName(), QStringLiteral("kept too"));
}

TEST_F(CustomerAddressTable, AddressTextsWithQuotesAndSqlRoundTripVerbatim) {
    const QString hostile = QStringLiteral("Flat 3', Road 1; DROP TABLE Customer_Address;--");
    CustomerAddress *a = customer->Address();
    a->setCustomerCode(QStringLiteral("01O'Neil"));
    a->setAddressCode(QStringLiteral("1' OR '1'='1"));
    a->setCustomerAddress(hostile);
    a->setAddressDesc(hostile);
    ASSERT_TRUE(customer->Create_Address());
    auto reader = newCustomer(QStringLiteral("01O'Neil"));
    ASSERT_TRUE(reader->Get_Address(QStringLiteral("1' OR '1'='1")));
    EXPECT_EQ(reader->Address()->property("CustomerAddress").toString(), hostile);
    EXPECT_EQ(reader->Address()->AddressDesc(), hostile);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Address")), 1);
}

} // namespace
} // namespace orbsales::testing
