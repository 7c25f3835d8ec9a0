#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_price_list.h"
#include "orbsales/frame/registry.h"

#include <QMetaProperty>

namespace orbsales::testing {
namespace {

struct Published {
    const char *identifier;
    const char *interfaceName;
    QStringList properties;
    QStringList operations;
};

const QStringList kCustomerProperties = {"Grade",
                                         "ConnectionString",
                                         "AdoConnectionObject",
                                         "ErrDesc",
                                         "CustomerCode",
                                         "CustomerName",
                                         "CustomerAddressFlag",
                                         "CustomerAddress",
                                         "CustomerCity",
                                         "CustomerState",
                                         "CustomerPostal",
                                         "CustomerCountry",
                                         "CountryID",
                                         "CustomerPhone",
                                         "CustomerFax",
                                         "CustomerEmail",
                                         "CustomerContactName",
                                         "CustomerContactPhone",
                                         "CustomerPaymentType",
                                         "CustomerPaymentTerms",
                                         "PaymentTermsID",
                                         "CustomerCurrencyCode",
                                         "CurrencyCode",
                                         "CurrencyName",
                                         "CurrencySymbol",
                                         "ForeignCurrencyFlag",
                                         "CustomerCreditLimit",
                                         "CustomerDiscount",
                                         "CustomerInActiveFlag",
                                         "CustomerComments",
                                         "EmployeeID",
                                         "SalesPersonName",
                                         "ARAccountNo",
                                         "ARAccountName",
                                         "LastUpdate",
                                         "Database",
                                         "GridName",
                                         "Address",
                                         "Addresses",
                                         "CustomerFlatNo",
                                         "CustomerBuilding",
                                         "CustomerBlock",
                                         "CustomerRoad",
                                         "ContactDesignation",
                                         "ContactSite",
                                         "ContactRemarks",
                                         "OwnerName",
                                         "OwnerCPRNo",
                                         "CustomerCRNo",
                                         "CustomerCPRFlag",
                                         "CustomerBalance",
                                         "CustomerFCBalance",
                                         "CustomerOBLedgerNo",
                                         "CustomerOBAmount",
                                         "CustomerOBType",
                                         "CustomerOBDocumentNo",
                                         "AllowDeleteFlag",
                                         "CompanyPrefix",
                                         "BranchPrefix",
                                         "DocumentPrefix"};

class PublishedClass : public ::testing::TestWithParam<Published> {};

// The front end creates each class by its identifier and reaches every member by name.
TEST_P(PublishedClass, IsCreatedByIdentifierWithEveryMemberByName) {
    std::unique_ptr<QObject> object = Registry::instance().create(QString::fromLatin1(GetParam().identifier));
    const QMetaObject *meta = object->metaObject();
    const int interfaceInfo = meta->indexOfClassInfo("Interface");
    ASSERT_GE(interfaceInfo, 0);
    EXPECT_STREQ(meta->classInfo(interfaceInfo).value(), GetParam().interfaceName);
    for (const QString &name : GetParam().properties)
        EXPECT_GE(meta->indexOfProperty(name.toLatin1().constData()), 0) << name.toStdString();
    QStringList methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        methods << QString::fromLatin1(meta->method(i).name());
    for (const QString &name : GetParam().operations)
        EXPECT_TRUE(methods.contains(name)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Classes, PublishedClass,
    ::testing::Values(
        Published{"OrbSales.Customer",
                  "_Customer",
                  kCustomerProperties,
                  {"Create_Customer", "Update_Customer", "Get_Customer", "Get_Customer_Balance", "DeleteRecord",
                   "Get_AR_Account_Name", "Adjusted", "Delete_Previous_OB", "Change_Customer_Code", "Change_Code",
                   "Execute_Change_Code", "Get_Addresses", "Create_Address", "Get_Address"}},
        Published{"OrbSales.CustomerAddress",
                  "_CustomerAddress",
                  {"Key", "CountryName", "AddressDesc", "CustomerPostal", "CustomerCode", "CompanyPrefix",
                   "ContactPhone", "ContactName", "CustomerEmail", "CustomerFax", "CustomerPhone", "CountryID",
                   "CustomerState", "CustomerCity", "CustomerAddress", "AddressCode", "ClassDebugID"},
                  {}},
        Published{"OrbSales.CustomerAddresses",
                  "_CustomerAddresses",
                  {"Count"},
                  {"Add", "Item", "Remove", "NewEnum"}},
        Published{"OrbSales.CustomerPriceList",
                  "_CustomerPriceList",
                  {"ConnectionString", "AdoDBConnectionObject", "ErrDesc", "CustomerCode", "ItemCode", "ItemName",
                   "UnitID", "UnitName", "UnitQty", "UnitPrice", "SellingPrice", "LastSellingPrice", "LastUpdate"},
                  {"Save_Customer_Price_List", "Update_Customer_Price_List", "Delete_Customer_Price_List",
                   "Update_Last_Selling_Price"}}),
    [](const auto &info) { return QString::fromLatin1(info.param.identifier).mid(9).toStdString(); });

TEST(PublishedCustomer, StartsEmptyWithItsMemberObjects) {
    auto customer = Registry::instance().make<Customer>(QStringLiteral("OrbSales.Customer"));
    EXPECT_EQ(customer->CustomerCode(), QString());
    EXPECT_EQ(customer->CustomerCreditLimit(), 0);
    EXPECT_FALSE(customer->CustomerAddressFlag());
    EXPECT_EQ(customer->LastUpdate(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    ASSERT_NE(customer->AdoConnectionObject(), nullptr);
    EXPECT_FALSE(customer->AdoConnectionObject()->isOpen());
    ASSERT_NE(customer->Address(), nullptr);
    ASSERT_NE(customer->Addresses(), nullptr);
    EXPECT_EQ(customer->Addresses()->Count(), 0);
}

// ---- a customer full of quotes and SQL, through its published members -------------------------

using CustomerVerbatim = CustomerTest;

TEST_F(CustomerVerbatim, NameAddressAndCodeWithQuotesAndSqlRoundTrip) {
    const QString code = QStringLiteral("01'; DROP TABLE Customer_Master;--");
    const QString name = QStringLiteral("O'Brien & Sons \"Ltd\"; DELETE FROM Customer_Master_Balance;--");
    const QString address = QStringLiteral("Flat 2', Road %_ 5\\; --");
    std::unique_ptr<QObject> object = Registry::instance().create(QStringLiteral("OrbSales.Customer"));
    for (const auto &[property, value] :
         std::initializer_list<std::pair<const char *, QVariant>>{{"ConnectionString", connectionString()},
                                                                  {"CompanyPrefix", QStringLiteral("01")},
                                                                  {"BranchPrefix", QStringLiteral("HO")},
                                                                  {"CustomerCode", code},
                                                                  {"CustomerName", name},
                                                                  {"CustomerAddress", address},
                                                                  {"CustomerCurrencyCode", QStringLiteral("BHD")},
                                                                  {"CurrencyCode", QStringLiteral("BHD")},
                                                                  {"ARAccountNo", QStringLiteral("11HO001")}})
        ASSERT_TRUE(object->setProperty(property, value)) << property;
    bool saved = false;
    ASSERT_TRUE(QMetaObject::invokeMethod(object.get(), "Create_Customer", Q_RETURN_ARG(bool, saved)));
    ASSERT_TRUE(saved) << object->property("ErrDesc").toString().toStdString();

    auto reader = newCustomer(QString());
    ASSERT_TRUE(reader->Get_Customer(code)) << reader->ErrDesc().toStdString();
    EXPECT_EQ(reader->CustomerName(), name);
    EXPECT_EQ(reader->CustomerAddress(), address);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), QStringLiteral("Customer_Code=?"), {code}),
              3);
}

} // namespace
} // namespace orbsales::testing
