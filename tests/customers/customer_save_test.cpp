#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_messages.h"

#include <functional>

namespace orbsales::testing {
namespace {

namespace msg = customer_messages;

// ---- validation: the first missing value wins, nothing is written --------------------------

struct ValidationCase {
    const char *name;
    std::function<void(Customer &)> spoil;
    QString message;
};

class CustomerValidation : public CustomerTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(CustomerValidation, StopsAtTheFirstMissingValueBeforeTouchingTheDatabase) {
    GetParam().spoil(*customer);
    EXPECT_FALSE(customer->Create_Customer());
    EXPECT_EQ(customer->ErrDesc(), GetParam().message);
    auto other = newCustomer();
    GetParam().spoil(*other);
    EXPECT_FALSE(other->Update_Customer());
    EXPECT_EQ(other->ErrDesc(), GetParam().message);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 0);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance")), 0);
}

// Each case empties one value and every value checked after it, so the order of the checks shows.
INSTANTIATE_TEST_SUITE_P(Order, CustomerValidation,
                         ::testing::Values(ValidationCase{"ConnectionString",
                                                          [](Customer &c) {
                                                              c.setConnectionString({});
                                                              c.setCustomerCode({});
                                                              c.setARAccountNo({});
                                                          },
                                                          msg::kInvalidConnectionString},
                                           ValidationCase{"CustomerCode",
                                                          [](Customer &c) {
                                                              c.setCustomerCode({});
                                                              c.setCustomerName({});
                                                          },
                                                          msg::kInvalidCustomerCode},
                                           ValidationCase{"CustomerName",
                                                          [](Customer &c) {
                                                              c.setCustomerName({});
                                                              c.setCustomerCurrencyCode({});
                                                          },
                                                          msg::kInvalidCustomerName},
                                           ValidationCase{"CustomerCurrencyCode",
                                                          [](Customer &c) {
                                                              c.setCustomerCurrencyCode({});
                                                              c.setCurrencyCode({});
                                                          },
                                                          msg::kInvalidCustomerCurrency},
                                           ValidationCase{"CurrencyCode",
                                                          [](Customer &c) {
                                                              c.setCurrencyCode({});
                                                              c.setARAccountNo({});
                                                          },
                                                          msg::kInvalidCurrency},
                                           ValidationCase{"ARAccountNo", [](Customer &c) { c.setARAccountNo({}); },
                                                          msg::kInvalidReceivableAccount},
                                           // Blanks are not trimmed: a blank name is a name.
                                           ValidationCase{"BlankIsNotEmpty",
                                                          [](Customer &c) {
                                                              c.setCustomerName(QStringLiteral(" "));
                                                              c.setARAccountNo({});
                                                          },
                                                          msg::kInvalidReceivableAccount}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- the master row --------------------------------------------------------------------------

using CustomerCreate = CustomerTest;

TEST_F(CustomerCreate, StoresEmptyTextsAsNullButKeepsAnEmptyCountryName) {
    customer->setCustomerAddress(QStringLiteral("Road 12, Manama"));
    customer->setCustomerPhone(QStringLiteral("17000000"));
    customer->setCountryID(48);
    customer->setCustomerDiscount(2.5);
    customer->setForeignCurrencyFlag(true);
    customer->setGrade(QStringLiteral("A"));
    customer->setCustomerCPRFlag(true);
    ASSERT_TRUE(customer->Create_Customer()) << customer->ErrDesc().toStdString();

    EXPECT_EQ(masterColumn(QStringLiteral("Company_Prefix")).toString(), QStringLiteral("01"));
    EXPECT_EQ(masterColumn(QStringLiteral("customer_name")).toString(), QStringLiteral("Gulf Traders"));
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Address")).toString(), QStringLiteral("Road 12, Manama"));
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Phone")).toString(), QStringLiteral("17000000"));
    for (const char *column :
         {"Customer_Fax", "Customer_Email", "Customer_City", "Customer_Comments", "Customer_Contact_Designation",
          "customer_owner_name", "Customer_CRNo", "Employee_ID", "Sales_Person_Name", "Customer_FlatNo"})
        EXPECT_TRUE(masterColumn(QString::fromLatin1(column)).isNull()) << column;
    EXPECT_FALSE(masterColumn(QStringLiteral("Customer_Country")).isNull());
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Country")).toString(), QString());
    EXPECT_EQ(masterColumn(QStringLiteral("Country_ID")).toDouble(), 48);
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Discount")).toDouble(), 2.5);
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Credit_limit")).toDouble(), 5000);
    EXPECT_EQ(masterColumn(QStringLiteral("Foreign_Currency_Flag")).toInt(), 1);
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_CPRFlag")).toInt(), 1);
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Grade")).toString(), QStringLiteral("A"));
    EXPECT_EQ(masterColumn(QStringLiteral("AR_Account_No")).toString(), QStringLiteral("11HO001"));
    EXPECT_EQ(asDate(masterColumn(QStringLiteral("Last_Update"))), kSaved);
}

TEST_F(CustomerCreate, TakesTheStoredCurrencySymbolTrimmedOrKeepsTheCallersForAnUnknownCurrency) {
    customer->setCurrencySymbol(QStringLiteral("caller"));
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(customer->CurrencySymbol(), QStringLiteral("BD"));
    EXPECT_EQ(masterColumn(QStringLiteral("Currency_Symbol")).toString(), QStringLiteral("BD"));

    auto unknown = newCustomer(QStringLiteral("01C002"));
    unknown->setCurrencyCode(QStringLiteral("XYZ"));
    unknown->setCurrencySymbol(QStringLiteral("X$"));
    ASSERT_TRUE(unknown->Create_Customer());
    EXPECT_EQ(masterColumn(QStringLiteral("Currency_Symbol"), QStringLiteral("01C002")).toString(),
              QStringLiteral("X$"));
}

// A stored text as the test expects it: "NULL" for a NULL column.
QString shown(const QVariant &stored) { return stored.isNull() ? QStringLiteral("NULL") : stored.toString(); }

struct AddressCase {
    bool structured;
    QString freeText, flatNo, road;
};

class CustomerAddressForm : public CustomerTest, public ::testing::WithParamInterface<AddressCase> {};

// Only the chosen form of the address is kept; the other form's columns are cleared.
TEST_P(CustomerAddressForm, KeepsOnlyTheChosenForm) {
    customer->setCustomerAddressFlag(GetParam().structured);
    customer->setCustomerAddress(QStringLiteral("Free text"));
    customer->setCustomerFlatNo(QStringLiteral("Flat 4"));
    customer->setCustomerRoad(QString());
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_AddressFlag")).toInt(), GetParam().structured ? 1 : 0);
    EXPECT_EQ(shown(masterColumn(QStringLiteral("Customer_Address"))), GetParam().freeText);
    EXPECT_EQ(shown(masterColumn(QStringLiteral("Customer_FlatNo"))), GetParam().flatNo);
    EXPECT_EQ(shown(masterColumn(QStringLiteral("Customer_Road"))), GetParam().road);
}

INSTANTIATE_TEST_SUITE_P(Forms, CustomerAddressForm,
                         ::testing::Values(AddressCase{true, "NULL", "Flat 4", "NULL"},
                                           AddressCase{false, "Free text", "NULL", "NULL"}));

TEST_F(CustomerCreate, WritesTheSalesPersonOnlyWithAnEmployee) {
    customer->setEmployeeID(QStringLiteral("E7"));
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(masterColumn(QStringLiteral("Employee_ID")).toString(), QStringLiteral("E7"));
    EXPECT_FALSE(masterColumn(QStringLiteral("Sales_Person_Name")).isNull()); // empty name kept as a text
    customer->setEmployeeID({});
    customer->setSalesPersonName(QStringLiteral("Ali"));
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_TRUE(masterColumn(QStringLiteral("Employee_ID")).isNull());
    EXPECT_TRUE(masterColumn(QStringLiteral("Sales_Person_Name")).isNull());
}

TEST_F(CustomerCreate, SavingTwiceRewritesTheSameRows) {
    ASSERT_TRUE(customer->Create_Customer());
    customer->setCustomerName(QStringLiteral("Gulf Traders WLL"));
    customer->setCustomerCreditLimit(7000);
    customer->setCompanyPrefix(QStringLiteral("09")); // not rewritten on an existing row
    ASSERT_TRUE(customer->Create_Customer()) << customer->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), QStringLiteral("Branch_Prefix='HO'")), 1);
    EXPECT_EQ(masterColumn(QStringLiteral("customer_name")).toString(), QStringLiteral("Gulf Traders WLL"));
    EXPECT_EQ(masterColumn(QStringLiteral("Company_Prefix")).toString(), QStringLiteral("01"));
    EXPECT_EQ(branchColumn(QStringLiteral("Customer_Credit_limit"), QStringLiteral("HO")).toDouble(), 7000);
}

// ---- balance rows ----------------------------------------------------------------------------

struct PaymentCase {
    const char *type;
    bool termsInBranch;
};

class CustomerPaymentTerms : public CustomerTest, public ::testing::WithParamInterface<PaymentCase> {};

TEST_P(CustomerPaymentTerms, ApplyInTheBranchRowOnlyForCredit) {
    customer->setCustomerPaymentType(QString::fromLatin1(GetParam().type));
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(branchColumn(QStringLiteral("Customer_Payment_Type"), QStringLiteral("HO")).toString(),
              QString::fromLatin1(GetParam().type));
    const QVariant terms = branchColumn(QStringLiteral("Customer_Payment_Terms"), QStringLiteral("HO"));
    if (GetParam().termsInBranch)
        EXPECT_EQ(terms.toString(), QStringLiteral("30 days"));
    else
        EXPECT_TRUE(terms.isNull());
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Payment_Terms")).toString(), QStringLiteral("30 days"));
}

INSTANTIATE_TEST_SUITE_P(Types, CustomerPaymentTerms,
                         ::testing::Values(PaymentCase{"Credit", true}, PaymentCase{"credit", false},
                                           PaymentCase{"Cash", false}));

TEST_F(CustomerCreate, GivesEveryBranchOfTheCompanyABalanceRowOnce) {
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), QStringLiteral("Customer_Code='01C001'")), 3);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), QStringLiteral("Branch_Prefix='XX'")), 0);
    // Another branch's row holds only its key.
    EXPECT_TRUE(branchColumn(QStringLiteral("Customer_Payment_Type"), QStringLiteral("02")).isNull());
    EXPECT_EQ(branchColumn(QStringLiteral("Company_Prefix"), QStringLiteral("02")).toString(), QStringLiteral("01"));

    database().execute(
        QStringLiteral("Update Customer_Master_Balance Set Customer_Balance=250 Where Branch_Prefix='HO'"));
    auto fromBranch2 = newCustomer();
    fromBranch2->setBranchPrefix(QStringLiteral("02"));
    fromBranch2->setCustomerPaymentType(QStringLiteral("Cash"));
    ASSERT_TRUE(fromBranch2->Create_Customer());
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance")), 3);
    EXPECT_EQ(branchColumn(QStringLiteral("Customer_Payment_Type"), QStringLiteral("02")).toString(),
              QStringLiteral("Cash"));
    // The first branch's row is neither rewritten nor has its balance touched.
    EXPECT_EQ(branchColumn(QStringLiteral("Customer_Payment_Type"), QStringLiteral("HO")).toString(),
              QStringLiteral("Credit"));
    EXPECT_EQ(branchColumn(QStringLiteral("Customer_Balance"), QStringLiteral("HO")).toDouble(), 250);
}

// ---- the name in the receivable documents ----------------------------------------------------

TEST_F(CustomerCreate, WritesTheNameIntoExactlyThisCustomersDocuments) {
    struct Document {
        const char *table, *numberColumn;
    };
    const Document documents[] = {{"AR_Adjustment_Detail", "AR_Adj_No"},
                                  {"Sales_Invoice_Master", "Sales_Inv_No"},
                                  {"Direct_Sales_Invoice_Master", "Dir_Sales_Inv_No"},
                                  {"AR_Adjustment_Master", "AR_Adj_No"}};
    for (const Document &d : documents) {
        for (const QVariant &code : {QVariant(QStringLiteral("01C001")), QVariant(QStringLiteral("01c001")),
                                     QVariant(QStringLiteral("01C0011")), QVariant()})
            database().execute(QStringLiteral("Insert into %1 (%2, Customer_Code, Customer_Name) values (?, ?, 'Old')")
                                   .arg(QLatin1String(d.table), QLatin1String(d.numberColumn)),
                               {QStringLiteral("N1"), code});
    }
    ASSERT_TRUE(customer->Create_Customer());
    for (const Document &d : documents) {
        const QString table = QString::fromLatin1(d.table);
        EXPECT_EQ(database().count(table, QStringLiteral("Customer_Name='Gulf Traders'")), 1) << d.table;
        EXPECT_EQ(database().count(table, QStringLiteral("Customer_Name='Gulf Traders' and Customer_Code='01C001'")), 1)
            << d.table;
        EXPECT_EQ(database().count(table, QStringLiteral("Customer_Name='Old'")), 3) << d.table;
    }
}

// Steps already done stay written when a later one fails; there is no transaction.
TEST_F(CustomerCreate, AFailureWhileWritingTheNameLeavesTheCustomerSaved) {
    database().execute(QStringLiteral("Drop table Direct_Sales_Invoice_Master"));
    EXPECT_FALSE(customer->Create_Customer());
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance")), 3);
}

TEST_F(CustomerCreate, ANullStoredSymbolIsAnErrorBeforeAnythingIsWritten) {
    database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code) values ('EUR')"));
    customer->setCurrencyCode(QStringLiteral("EUR"));
    EXPECT_FALSE(customer->Create_Customer());
    EXPECT_EQ(customer->ErrDesc(), QStringLiteral("Invalid use of Null"));
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 0);
}

TEST_F(CustomerCreate, ASuccessKeepsTheTextOfAnEarlierFailure) {
    customer->setCustomerName({});
    ASSERT_FALSE(customer->Create_Customer());
    customer->setCustomerName(QStringLiteral("Gulf Traders"));
    ASSERT_TRUE(customer->Create_Customer());
    EXPECT_EQ(customer->ErrDesc(), msg::kInvalidCustomerName);
}

// ---- changing a customer ---------------------------------------------------------------------

using CustomerUpdate = CustomerTest;

TEST_F(CustomerUpdate, RefusesAnUnknownCode) {
    EXPECT_FALSE(customer->Update_Customer());
    EXPECT_EQ(customer->ErrDesc(), msg::kCustomerDoesNotExist);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 0);
}

TEST_F(CustomerUpdate, KeepsWhatIsLeftEmptyButAlwaysWritesTheCoreColumns) {
    customer->setCustomerPhone(QStringLiteral("17000000"));
    customer->setCustomerComments(QStringLiteral("Pays late"));
    customer->setCustomerCountry(QStringLiteral("Bahrain"));
    customer->setForeignCurrencyFlag(true);
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Insert into AR_Adjustment_Master (AR_Adj_No, Customer_Code, Customer_Name) "
                                      "values ('A1','01C001','Gulf Traders')"));

    auto change = newCustomer();
    change->setCustomerName(QStringLiteral("Renamed"));
    change->setCustomerPaymentType({});
    change->setCustomerCreditLimit(0);
    change->setLastUpdate(QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    ASSERT_TRUE(change->Update_Customer()) << change->ErrDesc().toStdString();

    EXPECT_EQ(masterColumn(QStringLiteral("customer_name")).toString(), QStringLiteral("Renamed"));
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Phone")).toString(), QStringLiteral("17000000"));
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Payment_Type")).toString(), QStringLiteral("Credit"));
    EXPECT_FALSE(masterColumn(QStringLiteral("Customer_Comments")).isNull());
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Comments")).toString(), QString());
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Country")).toString(), QString());
    EXPECT_EQ(masterColumn(QStringLiteral("Foreign_Currency_Flag")).toInt(), 0);
    EXPECT_EQ(masterColumn(QStringLiteral("Customer_Credit_limit")).toDouble(), 0);
    EXPECT_EQ(asDate(masterColumn(QStringLiteral("Last_Update"))), QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    // Neither the branch rows nor the documents follow a change.
    EXPECT_EQ(branchColumn(QStringLiteral("Customer_Credit_limit"), QStringLiteral("HO")).toDouble(), 5000);
    EXPECT_EQ(database().count(QStringLiteral("AR_Adjustment_Master"), QStringLiteral("Customer_Name='Renamed'")), 0);
}

} // namespace
} // namespace orbsales::testing
