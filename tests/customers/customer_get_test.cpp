#include "customers/customer_doubles.h"
#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_messages.h"

namespace orbsales::testing {
namespace {

namespace msg = customer_messages;

using CustomerGet = CustomerTest;

// ---- the receivable account of the caller's branch ------------------------------------------

struct AccountCase {
    const char *stored, *branch, *loaded;
};

class CustomerAccountForBranch : public CustomerTest, public ::testing::WithParamInterface<AccountCase> {};

TEST_P(CustomerAccountForBranch, PutsTheBranchInThirdAndFourthPlace) {
    customer->setARAccountNo(QString::fromLatin1(GetParam().stored));
    ASSERT_TRUE(customer->Create_Customer());
    auto reader = std::make_unique<Customer>();
    reader->setConnectionString(connectionString());
    reader->setBranchPrefix(QString::fromLatin1(GetParam().branch));
    ASSERT_TRUE(reader->Get_Customer(QStringLiteral("01C001"))) << reader->ErrDesc().toStdString();
    EXPECT_EQ(reader->ARAccountNo(), QString::fromLatin1(GetParam().loaded));
}

INSTANTIATE_TEST_SUITE_P(Accounts, CustomerAccountForBranch,
                         ::testing::Values(AccountCase{"1101001", "02", "1102001"},
                                           AccountCase{"1101001", "", "1101001"}, AccountCase{"11HO", "03", "1103"},
                                           AccountCase{"1", "02", "102"}));

// ---- loading on top of the properties -------------------------------------------------------

TEST_F(CustomerGet, LoadsTheMasterAndLetsTheBranchRowOverrideThePaymentConditions) {
    customer->setCustomerCity(QStringLiteral("Manama"));
    customer->setCustomerCPRFlag(true);
    customer->setCustomerAddressFlag(true);
    customer->setCustomerFlatNo(QStringLiteral("Flat 4"));
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Update Customer_Master Set Customer_Balance=999, customer_OB_Amount=120.5, "
                                      "customer_OB_Type='Debit', customer_OB_Document_No='01HOOBI7'"));
    database().execute(QStringLiteral("Update Customer_Master_Balance Set Customer_Payment_Type='Cash', "
                                      "Customer_Payment_Terms=NULL, Customer_Balance=40, Customer_Fc_Balance=15, "
                                      "Customer_Credit_limit=NULL Where Branch_Prefix='HO'"));
    auto reader = std::make_unique<Customer>();
    reader->setConnectionString(connectionString());
    reader->setBranchPrefix(QStringLiteral("HO"));
    reader->setCustomerCreditLimit(77);
    ASSERT_TRUE(reader->Get_Customer(QStringLiteral("01C001")));
    EXPECT_EQ(reader->CustomerName(), QStringLiteral("Gulf Traders"));
    EXPECT_EQ(reader->CustomerCity(), QStringLiteral("Manama"));
    EXPECT_EQ(reader->CustomerFlatNo(), QStringLiteral("Flat 4"));
    EXPECT_TRUE(reader->CustomerAddressFlag());
    EXPECT_TRUE(reader->CustomerCPRFlag());
    EXPECT_EQ(reader->CurrencySymbol(), QStringLiteral("BD"));
    EXPECT_EQ(reader->LastUpdate(), kSaved);
    EXPECT_EQ(reader->CustomerOBAmount(), 120.5);
    EXPECT_EQ(reader->CustomerOBType(), QStringLiteral("Debit"));
    EXPECT_EQ(reader->CustomerOBDocumentNo(), QStringLiteral("01HOOBI7"));
    EXPECT_EQ(reader->CustomerPaymentType(), QStringLiteral("Cash"));
    EXPECT_EQ(reader->CustomerPaymentTerms(), QString());
    EXPECT_EQ(reader->CustomerBalance(), 40); // the branch's, not the master's 999
    EXPECT_EQ(reader->CustomerFCBalance(), 15);
    EXPECT_EQ(reader->CustomerCreditLimit(), 0);
}

TEST_F(CustomerGet, NullOrEmptyColumnsLeaveStaleValuesInPlace) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Update Customer_Master Set Customer_Phone='', Country_ID=NULL, "
                                      "Customer_AddressFlag=NULL"));
    database().execute(QStringLiteral("Delete from Customer_Master_Balance"));
    auto reader = std::make_unique<Customer>();
    reader->setConnectionString(connectionString());
    reader->setCustomerPhone(QStringLiteral("stale phone"));
    reader->setCustomerEmail(QStringLiteral("stale@mail"));
    reader->setCountryID(12);
    reader->setCustomerAddressFlag(true);
    reader->setCustomerPaymentType(QStringLiteral("stale"));
    ASSERT_TRUE(reader->Get_Customer(QStringLiteral("01C001")));
    EXPECT_EQ(reader->CustomerPhone(), QStringLiteral("stale phone"));
    EXPECT_EQ(reader->CustomerEmail(), QStringLiteral("stale@mail"));
    EXPECT_EQ(reader->CountryID(), 12);
    EXPECT_FALSE(reader->CustomerAddressFlag());                        // a NULL flag reads as False
    EXPECT_EQ(reader->CustomerPaymentType(), QStringLiteral("Credit")); // master's, no branch row
}

TEST_F(CustomerGet, AnUnknownCodeIsReportedButItsBranchRowIsStillRead) {
    database().execute(
        QStringLiteral("Insert into Customer_Master_Balance (Customer_Code, Company_Prefix, Branch_Prefix, "
                       "Customer_Payment_Type, Customer_Balance) values ('01GONE','01','HO','Cash',12)"));
    customer->setBranchPrefix(QStringLiteral("HO"));
    EXPECT_FALSE(customer->Get_Customer(QStringLiteral("01GONE")));
    EXPECT_EQ(customer->ErrDesc(), msg::kInvalidCustomerCodeNoDot);
    EXPECT_EQ(customer->CustomerCode(), QStringLiteral("01GONE"));
    EXPECT_EQ(customer->CustomerPaymentType(), QStringLiteral("Cash"));
    EXPECT_EQ(customer->CustomerBalance(), 12);
}

TEST_F(CustomerGet, ANullReceivableAccountIsAnError) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Update Customer_Master Set AR_Account_No=NULL"));
    EXPECT_FALSE(customer->Get_Customer(QStringLiteral("01C001")));
    EXPECT_EQ(customer->ErrDesc(), QStringLiteral("Invalid use of Null"));
}

TEST_F(CustomerGet, ChecksTheConnectionBeforeTheCode) {
    auto reader = std::make_unique<Customer>();
    EXPECT_FALSE(reader->Get_Customer(QString()));
    EXPECT_EQ(reader->ErrDesc(), msg::kInvalidConnectionString);
    reader->setConnectionString(connectionString());
    EXPECT_FALSE(reader->Get_Customer(QString()));
    EXPECT_EQ(reader->ErrDesc(), msg::kInvalidCustomerCode);
}

// What document processing does: an open connection handed in, no connection string.
TEST_F(CustomerGet, WorksOnTheCallersOpenConnection) {
    ASSERT_TRUE(customer->Create_Customer());
    auto reader = std::make_unique<Customer>();
    reader->setAdoConnectionObject(&database().connection());
    reader->setCustomerCode(QStringLiteral("01C001"));
    reader->setBranchPrefix(QStringLiteral("02"));
    ASSERT_TRUE(reader->Get_Customer(QStringLiteral("01C001"))) << reader->ErrDesc().toStdString();
    EXPECT_EQ(reader->ARAccountNo(), QStringLiteral("1102001"));
    EXPECT_TRUE(database().connection().isOpen()); // borrowed, not closed
}

// ---- the master row's balance ----------------------------------------------------------------

TEST_F(CustomerGet, TheBalanceIsReadOnlyThroughTheConnectionObject) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Update Customer_Master Set Customer_Balance=321.5"));
    // A connection string alone is not used.
    EXPECT_FALSE(customer->Get_Customer_Balance(QStringLiteral("01C001")));
    EXPECT_EQ(customer->ErrDesc(), QStringLiteral("Operation is not allowed when the object is closed."));
    customer->setAdoConnectionObject(&database().connection());
    ASSERT_TRUE(customer->Get_Customer_Balance(QStringLiteral("01C001")));
    EXPECT_EQ(customer->CustomerBalance(), 321.5);
    EXPECT_FALSE(customer->Get_Customer_Balance(QStringLiteral("01NONE")));
    EXPECT_EQ(customer->ErrDesc(), msg::kInvalidCustomerCode);
    EXPECT_FALSE(customer->Get_Customer_Balance(QString()));
    EXPECT_EQ(customer->ErrDesc(), msg::kInvalidCustomerCode);
}

// ---- the account name ------------------------------------------------------------------------

TEST_F(CustomerGet, AsksForTheAccountNameOnTheStringOrElseOnTheObject) {
    SiblingDoubles doubles;
    doubles.log.answer = QStringLiteral("Debtors - Head Office");
    customer->setARAccountNo(QStringLiteral("11HO001"));
    EXPECT_EQ(customer->Get_AR_Account_Name(), QStringLiteral("Debtors - Head Office"));
    EXPECT_EQ(customer->ARAccountName(), QStringLiteral("Debtors - Head Office"));
    EXPECT_EQ(doubles.log.connectionString, connectionString());
    EXPECT_EQ(doubles.log.lookup, (QVariantList{QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_Name"),
                                                QStringLiteral("Account_No"), QStringLiteral("11HO001"), false,
                                                QString(), QVariant(), false}));

    customer->setConnectionString({});
    customer->setAdoConnectionObject(&database().connection());
    doubles.log.answer = QStringLiteral("   ");
    EXPECT_EQ(customer->Get_AR_Account_Name(), QString());
    EXPECT_EQ(customer->ErrDesc(), msg::kInvalidAccount);
    EXPECT_EQ(doubles.log.connectionString, QString());
    EXPECT_EQ(doubles.log.connectionObject, &database().connection());
}

} // namespace
} // namespace orbsales::testing
