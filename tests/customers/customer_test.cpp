#include "customers/customer_fixture.h"
#include "orbsales/frame/registry.h"

namespace orbsales::testing {
namespace {

struct Published {
    const char *identifier;
    const char *interfaceName;
    const char *members; // as unpublished() reads them
};

class PublishedClass : public ::testing::TestWithParam<Published> {};

// The front end creates each class by its identifier and reaches every member by name.
TEST_P(PublishedClass, IsCreatedByIdentifierWithEveryMemberByName) {
    std::unique_ptr<QObject> object = Registry::instance().create(QString::fromLatin1(GetParam().identifier));
    const QMetaObject *meta = object->metaObject();
    const int interfaceInfo = meta->indexOfClassInfo("Interface");
    ASSERT_GE(interfaceInfo, 0);
    EXPECT_STREQ(meta->classInfo(interfaceInfo).value(), GetParam().interfaceName);
    EXPECT_EQ(unpublished(*object, GetParam().members), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Classes, PublishedClass,
    ::testing::Values(
        Published{"OrbSales.Customer", "_Customer",
                  "Grade ConnectionString AdoConnectionObject ErrDesc! CustomerCode CustomerName CustomerAddressFlag "
                  "CustomerAddress CustomerCity CustomerState CustomerPostal CustomerCountry CountryID CustomerPhone "
                  "CustomerFax CustomerEmail CustomerContactName CustomerContactPhone CustomerPaymentType "
                  "CustomerPaymentTerms PaymentTermsID CustomerCurrencyCode CurrencyCode CurrencyName CurrencySymbol "
                  "ForeignCurrencyFlag CustomerCreditLimit CustomerDiscount CustomerInActiveFlag CustomerComments "
                  "EmployeeID SalesPersonName ARAccountNo ARAccountName LastUpdate Database GridName Address "
                  "Addresses CustomerFlatNo CustomerBuilding CustomerBlock CustomerRoad ContactDesignation "
                  "ContactSite ContactRemarks OwnerName OwnerCPRNo CustomerCRNo CustomerCPRFlag CustomerBalance "
                  "CustomerFCBalance CustomerOBLedgerNo CustomerOBAmount CustomerOBType CustomerOBDocumentNo "
                  "AllowDeleteFlag CompanyPrefix BranchPrefix DocumentPrefix Create_Customer() Update_Customer() "
                  "Get_Customer() Get_Customer_Balance() DeleteRecord() Get_AR_Account_Name() Adjusted() "
                  "Delete_Previous_OB() Change_Customer_Code() Change_Code() Execute_Change_Code() Get_Addresses() "
                  "Create_Address() Get_Address()"},
        Published{"OrbSales.CustomerAddress", "_CustomerAddress",
                  "Key CountryName AddressDesc CustomerPostal CustomerCode CompanyPrefix ContactPhone ContactName "
                  "CustomerEmail CustomerFax CustomerPhone CountryID CustomerState CustomerCity CustomerAddress "
                  "AddressCode ClassDebugID!"},
        Published{"OrbSales.CustomerAddresses", "_CustomerAddresses", "Count! Add() Item() Remove() NewEnum()"},
        Published{"OrbSales.CustomerPriceList", "_CustomerPriceList",
                  "ConnectionString AdoDBConnectionObject ErrDesc! CustomerCode ItemCode ItemName UnitID UnitName "
                  "UnitQty UnitPrice SellingPrice LastSellingPrice LastUpdate Save_Customer_Price_List() "
                  "Update_Customer_Price_List() Delete_Customer_Price_List() Update_Last_Selling_Price()"}),
    [](const auto &info) { return QString::fromLatin1(info.param.identifier).mid(9).toStdString(); });

TEST(PublishedCustomer, StartsEmptyWithItsMemberObjects) {
    auto customer = Registry::instance().make<Customer>("OrbSales.Customer");
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

// ---- validation: the first missing value wins, nothing is written --------------------------

// Each case empties one value and values checked after it, so the order of the checks shows.
TEST_F(CustomerTest, ValidationStopsAtTheFirstMissingValueBeforeTouchingTheDatabase) {
    const char *const cases[][2] = {
        {"ConnectionString CustomerCode ARAccountNo", "Invalid Connection string Property."},
        {"CustomerCode CustomerName", "Invalid Customer Code."},
        {"CustomerName CustomerCurrencyCode", "Invalid Customer Name."},
        {"CustomerCurrencyCode CurrencyCode", "Invalid Customer Currency."},
        {"CurrencyCode ARAccountNo", "Invalid Currency."},
        {"ARAccountNo", "Invalid Account Receivable Number."}};
    for (const auto &[emptied, message] : cases) {
        auto created = newCustomer(), updated = newCustomer();
        for (Customer *c : {created.get(), updated.get()})
            for (const QString &name : QString::fromLatin1(emptied).split(' '))
                c->setProperty(name.toLatin1().constData(), QString());
        EXPECT_FALSE(created->Create_Customer());
        EXPECT_EQ(created->ErrDesc(), message);
        EXPECT_FALSE(updated->Update_Customer());
        EXPECT_EQ(updated->ErrDesc(), message);
    }
    EXPECT_EQ(count("Customer_Master") + count("Customer_Master_Balance"), 0);
    // Blanks are not trimmed: a blank name is a name. A later success keeps the text of the failure.
    customer->setCustomerName(" ");
    customer->setARAccountNo(QString());
    EXPECT_FALSE(customer->Create_Customer());
    EXPECT_EQ(customer->ErrDesc(), "Invalid Account Receivable Number.");
    customer->setARAccountNo("11HO001");
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(customer->ErrDesc(), "Invalid Account Receivable Number.");
}

// ---- the master row --------------------------------------------------------------------------

using CustomerCreate = CustomerTest;

// Texts full of quotes and SQL are stored and found verbatim.
TEST_F(CustomerCreate, StoresEmptyTextsAsNullButKeepsAnEmptyCountryName) {
    const QString code = QStringLiteral("01'; DROP TABLE Customer_Master;--");
    const QString name = QStringLiteral("O'Brien & Sons \"Ltd\"; DELETE FROM Customer_Master_Balance;--");
    const QString address = QStringLiteral("Flat 2', Road %_ 5\\; --");
    customer = newCustomer(code);
    assign(*customer, "CustomerName", name, "CustomerAddress", address, "CustomerPhone", "17000000", "CountryID", 48,
           "CustomerDiscount", 2.5, "ForeignCurrencyFlag", true, "Grade", "A", "CustomerCPRFlag", true,
           "CurrencySymbol", "caller");
    ASSERT_TRUE(customer->Create_Customer()) << customer->ErrDesc().toStdString();
    EXPECT_EQ(master("Company_Prefix, customer_name, Customer_Address, Customer_Phone, Customer_Country, Country_ID, "
                     "Customer_Discount, Customer_Credit_limit, Foreign_Currency_Flag, Customer_CPRFlag, "
                     "Customer_Grade, AR_Account_No, Currency_Symbol, Last_Update",
                     code),
              (QStringList{"01", name, address, "17000000", "", "48", "2.5", "5000", "1", "1", "A", "11HO001", "BD",
                           "2026-12-05 09:30"}));
    EXPECT_EQ(master("Customer_Fax, Customer_Email, Customer_City, Customer_Comments, Customer_Contact_Designation, "
                     "customer_owner_name, Customer_CRNo, Employee_ID, Sales_Person_Name, Customer_FlatNo",
                     code),
              QStringList(10, "NULL"));
    // The stored symbol, trimmed, replaces the caller's.
    EXPECT_EQ(customer->CurrencySymbol(), "BD");
    auto loaded = reader();
    ASSERT_TRUE(loaded->Get_Customer(code)) << loaded->ErrDesc().toStdString();
    EXPECT_EQ(QStringList({loaded->CustomerName(), loaded->CustomerAddress()}), (QStringList{name, address}));
    EXPECT_EQ(database().count("Customer_Master_Balance", "Customer_Code=?", {code}), 3);
}

TEST_F(CustomerCreate, KeepsTheCallersSymbolForAnUnknownCurrencyButNotANullOne) {
    customer->setCurrencyCode("XYZ");
    customer->setCurrencySymbol("X$");
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(master("Currency_Symbol"), QStringList{"X$"});

    database().execute("Insert into Currency_Master (Currency_Code) values ('EUR')");
    auto euro = newCustomer("01C002");
    euro->setCurrencyCode("EUR");
    EXPECT_FALSE(euro->Create_Customer());
    EXPECT_EQ(euro->ErrDesc(), "Invalid use of Null");
    EXPECT_EQ(count("Customer_Master"), 1);
}

// Only the chosen form of the address is kept; the other form's columns are cleared. An employee
// brings the sales person's name along, even an empty one; without one neither is written.
TEST_F(CustomerCreate, KeepsOnlyTheChosenAddressFormAndTheSalesPersonOnlyWithAnEmployee) {
    const char *const columns = "Customer_AddressFlag, Customer_Address, Customer_FlatNo, Customer_Road, Employee_ID, "
                                "Sales_Person_Name";
    assign(*customer, "CustomerAddressFlag", true, "CustomerAddress", "Free text", "CustomerFlatNo", "Flat 4",
           "EmployeeID", "E7");
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(master(columns), (QStringList{"1", "NULL", "Flat 4", "NULL", "E7", ""}));
    assign(*customer, "CustomerAddressFlag", false, "EmployeeID", "", "SalesPersonName", "Ali");
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(master(columns), (QStringList{"0", "Free text", "NULL", "NULL", "NULL", "NULL"}));
}

// Each branch of the company gets a balance row once; a save from a branch writes that branch's
// payment conditions, the terms only for exactly "Credit", and leaves the other rows alone.
TEST_F(CustomerCreate, GivesEveryBranchOfTheCompanyABalanceRowOnceAndRewritesItsOwn) {
    ASSERT_TRUE(customer->Create_Customer());
    const char *const columns = "Branch_Prefix, Company_Prefix, Customer_Payment_Type, Customer_Payment_Terms";
    EXPECT_EQ(rowsOf(database(), "Customer_Master_Balance", columns, "Order by Branch_Prefix"),
              (QList<QStringList>{
                  {"02", "01", "NULL", "NULL"}, {"03", "01", "NULL", "NULL"}, {"HO", "01", "Credit", "30 days"}}));
    database().execute("Update Customer_Master_Balance Set Customer_Balance=250 Where Branch_Prefix='HO'");
    for (const auto &[branch, type] : {std::pair{"02", "Cash"}, {"03", "credit"}}) {
        auto fromBranch = newCustomer();
        assign(*fromBranch, "BranchPrefix", branch, "CustomerPaymentType", type);
        ASSERT_TRUE(fromBranch->Create_Customer());
    }
    EXPECT_EQ(rowsOf(database(), "Customer_Master_Balance", columns, "Order by Branch_Prefix"),
              (QList<QStringList>{
                  {"02", "01", "Cash", "NULL"}, {"03", "01", "credit", "NULL"}, {"HO", "01", "Credit", "30 days"}}));
    EXPECT_EQ(balanceRow("Customer_Balance", "HO"), QStringList{"250"});
    EXPECT_EQ(master("Customer_Payment_Terms"), QStringList{"30 days"});
    // Saved again from HO: the same rows rewritten, but not the company of the master.
    assign(*customer, "CustomerName", "Gulf Traders WLL", "CustomerCreditLimit", 7000, "CompanyPrefix", "09");
    ASSERT_TRUE(customer->Create_Customer()) << customer->ErrDesc().toStdString();
    EXPECT_EQ(count("Customer_Master"), 1);
    EXPECT_EQ(count("Customer_Master_Balance", "Branch_Prefix='HO'"), 1);
    EXPECT_EQ(master("customer_name, Company_Prefix"), (QStringList{"Gulf Traders WLL", "01"}));
    EXPECT_EQ(balanceRow("Customer_Credit_limit, Customer_Balance", "HO"), (QStringList{"7000", "250"}));
}

// ---- the name in the receivable documents ----------------------------------------------------

TEST_F(CustomerCreate, WritesTheNameIntoExactlyThisCustomersDocuments) {
    const char *const documents[][2] = {{"AR_Adjustment_Detail", "AR_Adj_No"},
                                        {"Sales_Invoice_Master", "Sales_Inv_No"},
                                        {"Direct_Sales_Invoice_Master", "Dir_Sales_Inv_No"},
                                        {"AR_Adjustment_Master", "AR_Adj_No"}};
    for (const auto &[table, number] : documents)
        for (const QVariant &code : {QVariant("01C001"), QVariant("01c001"), QVariant("01C0011"), QVariant()})
            database().execute(
                QStringLiteral("Insert into %1 (%2, Customer_Code, Customer_Name) values ('N1', ?, 'Old')")
                    .arg(QLatin1String(table), QLatin1String(number)),
                {code});
    ASSERT_TRUE(customer->Create_Customer());
    for (const auto &[table, number] : documents)
        EXPECT_EQ(rowsOf(database(), QString::fromLatin1(table), "Customer_Name",
                         "Order by coalesce(Customer_Code, '') <> '01C001', Customer_Name"),
                  (QList<QStringList>{{"Gulf Traders"}, {"Old"}, {"Old"}, {"Old"}}))
            << table;
    // Steps already done stay written when a later one fails; there is no transaction.
    for (const char *sql :
         {"Delete from Customer_Master", "Delete from Customer_Master_Balance",
          "Update Sales_Invoice_Master Set Customer_Name = 'Old'",
          "Update AR_Adjustment_Master Set Customer_Name = 'Old'", "Drop table Direct_Sales_Invoice_Master"})
        database().execute(QString::fromLatin1(sql));
    EXPECT_FALSE(customer->Create_Customer());
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
    EXPECT_EQ(count("Customer_Master"), 1);
    EXPECT_EQ(count("Customer_Master_Balance"), 3);
    EXPECT_EQ(rowsOf(database(), "Sales_Invoice_Master", "Customer_Name", "Where Customer_Code='01C001'"),
              QList<QStringList>{{"Gulf Traders"}});
    EXPECT_EQ(count("AR_Adjustment_Master", "Customer_Name='Gulf Traders'"), 0);
}

// ---- changing a customer ---------------------------------------------------------------------

TEST_F(CustomerTest, UpdateKeepsWhatIsLeftEmptyButAlwaysWritesTheCoreColumns) {
    EXPECT_FALSE(customer->Update_Customer());
    EXPECT_EQ(customer->ErrDesc(), "Customer Code Does Not Exists");
    EXPECT_EQ(count("Customer_Master"), 0);
    assign(*customer, "CustomerPhone", "17000000", "CustomerComments", "Pays late", "CustomerCountry", "Bahrain",
           "ForeignCurrencyFlag", true);
    ASSERT_TRUE(customer->Create_Customer());
    database().execute("Insert into AR_Adjustment_Master (AR_Adj_No, Customer_Code, Customer_Name) "
                       "values ('A1','01C001','Gulf Traders')");
    auto change = newCustomer();
    assign(*change, "CustomerName", "Renamed", "CustomerPaymentType", "", "CustomerCreditLimit", 0, "LastUpdate",
           QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    ASSERT_TRUE(change->Update_Customer()) << change->ErrDesc().toStdString();
    EXPECT_EQ(master("customer_name, Customer_Phone, Customer_Payment_Type, Customer_Comments, Customer_Country, "
                     "Foreign_Currency_Flag, Customer_Credit_limit, Last_Update"),
              (QStringList{"Renamed", "17000000", "Credit", "", "", "0", "0", "2027-01-02 08:00"}));
    // Neither the branch rows nor the documents follow a change.
    EXPECT_EQ(balanceRow("Customer_Credit_limit", "HO"), QStringList{"5000"});
    EXPECT_EQ(count("AR_Adjustment_Master", "Customer_Name='Renamed'"), 0);
}

} // namespace
} // namespace orbsales::testing
