#include "customers/customer_fixture.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

namespace orbsales::testing {
namespace {

using CustomerGet = CustomerTest;

// The receivable account of the caller's branch: the branch in third and fourth place. Document
// processing reads on its open connection, handed in without a connection string, and keeps it open.
TEST_F(CustomerGet, PutsTheCallersBranchIntoTheReceivableAccount) {
    const struct {
        const char *stored, *branch, *loaded;
    } cases[] = {{"1101001", "02", "1102001"}, {"1101001", "", "1101001"}, {"11HO", "03", "1103"}, {"1", "02", "102"}};
    for (const auto &c : cases) {
        customer->setARAccountNo(QString::fromLatin1(c.stored));
        ASSERT_TRUE(customer->Create_Customer());
        auto loaded = reader(QString::fromLatin1(c.branch));
        ASSERT_TRUE(loaded->Get_Customer("01C001")) << loaded->ErrDesc().toStdString();
        EXPECT_EQ(loaded->ARAccountNo(), c.loaded) << c.stored << " " << c.branch;
    }
    auto borrowing = std::make_unique<Customer>();
    borrowing->setAdoConnectionObject(&database().connection());
    borrowing->setBranchPrefix("02");
    ASSERT_TRUE(borrowing->Get_Customer("01C001")) << borrowing->ErrDesc().toStdString();
    EXPECT_EQ(borrowing->ARAccountNo(), "102");
    EXPECT_TRUE(database().connection().isOpen());
}

TEST_F(CustomerGet, LoadsTheMasterAndLetsTheBranchRowOverrideThePaymentConditions) {
    assign(*customer, "CustomerCity", "Manama", "CustomerCPRFlag", true, "CustomerAddressFlag", true, "CustomerFlatNo",
           "Flat 4");
    ASSERT_TRUE(customer->Create_Customer());
    database().execute("Update Customer_Master Set Customer_Balance=999, customer_OB_Amount=120.5, "
                       "customer_OB_Type='Debit', customer_OB_Document_No='01HOOBI7'");
    database().execute("Update Customer_Master_Balance Set Customer_Payment_Type='Cash', "
                       "Customer_Payment_Terms=NULL, Customer_Balance=40, Customer_Fc_Balance=15, "
                       "Customer_Credit_limit=NULL Where Branch_Prefix='HO'");
    auto loaded = reader("HO");
    loaded->setCustomerCreditLimit(77);
    ASSERT_TRUE(loaded->Get_Customer("01C001"));
    const char *const names[] = {"CustomerName",         "CustomerCity",        "CustomerFlatNo",
                                 "CustomerAddressFlag",  "CustomerCPRFlag",     "CurrencySymbol",
                                 "LastUpdate",           "CustomerOBAmount",    "CustomerOBType",
                                 "CustomerOBDocumentNo", "CustomerPaymentType", "CustomerPaymentTerms",
                                 "CustomerBalance",      "CustomerFCBalance",   "CustomerCreditLimit"};
    QVariantList values;
    for (const char *name : names)
        values << loaded->property(name);
    // The balance is the branch's, not the master's 999.
    EXPECT_EQ(values, (QVariantList{"Gulf Traders", "Manama", "Flat 4", true, true, "BD", kSaved, 120.5, "Debit",
                                    "01HOOBI7", "Cash", "", 40.0, 15.0, 0.0}));
}

TEST_F(CustomerGet, NullOrEmptyColumnsLeaveStaleValuesInPlace) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute("Update Customer_Master Set Customer_Phone='', Country_ID=NULL, Customer_AddressFlag=NULL");
    database().execute("Delete from Customer_Master_Balance");
    auto loaded = reader();
    assign(*loaded, "CustomerPhone", "stale phone", "CustomerEmail", "stale@mail", "CountryID", 12,
           "CustomerAddressFlag", true, "CustomerPaymentType", "stale");
    ASSERT_TRUE(loaded->Get_Customer("01C001"));
    // A NULL flag reads as False; the payment type is the master's, as there is no branch row.
    EXPECT_EQ(QVariantList({loaded->CustomerPhone(), loaded->CustomerEmail(), loaded->CountryID(),
                            loaded->CustomerAddressFlag(), loaded->CustomerPaymentType()}),
              (QVariantList{"stale phone", "stale@mail", 12, false, "Credit"}));
}

// Last, an unknown code is reported, but its branch row is still read.
TEST_F(CustomerGet, ChecksTheConnectionThenTheCodeAndFindsANullAccountAnError) {
    auto loaded = std::make_unique<Customer>();
    EXPECT_FALSE(loaded->Get_Customer(QString()));
    EXPECT_EQ(loaded->ErrDesc(), "Invalid Connection string Property.");
    loaded->setConnectionString(connectionString());
    EXPECT_FALSE(loaded->Get_Customer(QString()));
    EXPECT_EQ(loaded->ErrDesc(), "Invalid Customer Code.");
    ASSERT_TRUE(customer->Create_Customer());
    database().execute("Update Customer_Master Set AR_Account_No=NULL");
    EXPECT_FALSE(loaded->Get_Customer("01C001"));
    EXPECT_EQ(loaded->ErrDesc(), "Invalid use of Null");
    database().execute("Insert into Customer_Master_Balance (Customer_Code, Company_Prefix, "
                       "Branch_Prefix, Customer_Payment_Type, Customer_Balance) "
                       "values ('01GONE','01','HO','Cash',12)");
    EXPECT_FALSE(customer->Get_Customer("01GONE"));
    EXPECT_EQ(customer->ErrDesc(), "Invalid Customer Code");
    EXPECT_EQ(customer->CustomerCode(), "01GONE");
    EXPECT_EQ(customer->CustomerPaymentType(), "Cash");
    EXPECT_EQ(customer->CustomerBalance(), 12);
}

TEST_F(CustomerGet, TheBalanceIsReadOnlyThroughTheConnectionObject) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute("Update Customer_Master Set Customer_Balance=321.5");
    EXPECT_FALSE(customer->Get_Customer_Balance("01C001")); // a connection string is not used
    EXPECT_EQ(customer->ErrDesc(), "Operation is not allowed when the object is closed.");
    customer->setAdoConnectionObject(&database().connection());
    ASSERT_TRUE(customer->Get_Customer_Balance("01C001"));
    EXPECT_EQ(customer->CustomerBalance(), 321.5);
    for (const QString &code : QStringList{"01NONE", QString()}) {
        EXPECT_FALSE(customer->Get_Customer_Balance(code));
        EXPECT_EQ(customer->ErrDesc(), "Invalid Customer Code.");
    }
}

TEST_F(CustomerGet, AsksForTheAccountNameOnTheStringOrElseOnTheObject) {
    RecordingScope general(service_ids::kGeneral);
    general->answer("GetFldValue", "Debtors - Head Office");
    EXPECT_EQ(customer->Get_AR_Account_Name(), "Debtors - Head Office");
    EXPECT_EQ(customer->ARAccountName(), "Debtors - Head Office");
    RecordedCall lookup = general->actions("GetFldValue").at(0);
    EXPECT_EQ(lookup.arguments, (QVariantList{"Chart_Of_Accounts", "Account_Name", "Account_No", "11HO001", false, "",
                                              QVariant(), false}));
    EXPECT_EQ(general->propertiesAt(lookup).value("ADOConnectionString"), connectionString());

    customer->setConnectionString(QString());
    customer->setAdoConnectionObject(&database().connection());
    general->answer("GetFldValue", "   ");
    EXPECT_EQ(customer->Get_AR_Account_Name(), QString());
    EXPECT_EQ(customer->ErrDesc(), "Invalid Account");
    lookup = general->actions("GetFldValue").at(1);
    EXPECT_EQ(general->propertiesAt(lookup).value("ADOConnectionString").toString(), QString());
    EXPECT_EQ(general->propertiesAt(lookup).value("AdoConnectionObject").value<Connection *>(),
              &database().connection());
}

// ---- deleting a customer ---------------------------------------------------------------------

using CustomerDelete = CustomerTest;

TEST_F(CustomerDelete, IsRefusedWhileAnyDocumentRefersToTheCustomer) {
    ASSERT_TRUE(customer->Create_Customer());
    for (const QString &keeper :
         QStringLiteral(
             "Sales_Quotation_Master.Sales_Quot_No Sales_Invoice_Master.Sales_Inv_No Sales_Return_Master.Sales_Rtn_No "
             "Customer_OB.Ref_No Direct_Sales_Invoice_Master.Dir_Sales_Inv_No Sales_Order_Master.Sales_Ord_No "
             "Direct_Delivery_Master.Direct_Delivery_No Cash_Memo_Master.Cash_Memo_No Delivery_Master.Delivery_No")
             .split(' ')) {
        const QString table = keeper.section('.', 0, 0);
        database().execute(QStringLiteral("Update Customer_Master Set Allow_Delete_Flag=1"));
        insertRow(table, {{keeper.section('.', 1), "D1"}, {"Customer_Code", "01C001"}});
        EXPECT_FALSE(customer->DeleteRecord()) << table.toStdString();
        EXPECT_EQ(customer->ErrDesc(), "This Customer could not be deleted, due to existing transactions");
        EXPECT_EQ(master("Allow_Delete_Flag"), QStringList{"0"}) << table.toStdString();
        database().execute("Delete from " + table);
    }
    EXPECT_EQ(count("Customer_Master"), 1);
    // An error while checking is shown and reported.
    database().execute("Drop table Cash_Memo_Master");
    const Shown box(*customer);
    EXPECT_FALSE(customer->DeleteRecord());
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
    EXPECT_EQ(box.shown, (QStringList{customer->ErrDesc(), "OK", ""}));
    EXPECT_EQ(count("Customer_Master"), 1);
}

TEST_F(CustomerDelete, RemovesOnlyTheMasterRowOfACustomerWithoutDocuments) {
    ASSERT_TRUE(customer->Create_Customer());
    ASSERT_TRUE(newCustomer("01C002")->Create_Customer());
    // Receipts, addresses and prices do not keep a customer.
    database().execute("Insert into Receipt_Master (Receipt_No, Receipt_To_Code) values ('R1','01C001')");
    database().execute("Insert into Customer_Address (Customer_Code, Address_Code) values ('01C001','1')");
    database().execute("Insert into Customer_Price_List (Customer_Code, Item_Code) values ('01C001','I1')");
    ASSERT_TRUE(customer->DeleteRecord()) << customer->ErrDesc().toStdString();
    EXPECT_EQ(rowsOf(database(), "Customer_Master", "Customer_Code"), QList<QStringList>{{"01C002"}});
    EXPECT_EQ(count("Customer_Master_Balance", "Customer_Code='01C001'"), 3);
    EXPECT_EQ(count("Customer_Address") + count("Customer_Price_List"), 2);
    // An unknown customer fails without a message.
    EXPECT_FALSE(customer->DeleteRecord());
    EXPECT_EQ(customer->ErrDesc(), QString());
}

// ---- has the opening-balance document been settled in part? ---------------------------------

TEST_F(CustomerTest, AdjustedWhenTheBalanceNoLongerEqualsTheTotal) {
    // The opening item is an invoice for a debit type in any case, else a receipt.
    const char *const invoice = "Insert into Sales_Invoice_Master (Sales_Inv_No, Sales_Inv_Total_Amount, "
                                "Balance_Amount) values ('01HOOB1', ?, ?)";
    const char *const receipt =
        "Insert into Receipt_Master (Receipt_No, Receipt_Amount, Balance_Amount) values ('01HOOB1', ?, ?)";
    const struct {
        const char *type, *stored;
        double total, balance;
        bool adjusted;
    } cases[] = {{"debit", invoice, 100, 60, true},
                 {"Debit", invoice, 100, 100, false},
                 {"DEBIT", nullptr, 0, 0, true},
                 {"Credit", receipt, 50, 20, true},
                 {"Credit", receipt, 50, 50, false},
                 {"Advance", invoice, 50, 50, true}}; // an open invoice of that number is not looked at
    for (const auto &c : cases) {
        database().execute("Delete from Sales_Invoice_Master");
        database().execute("Delete from Receipt_Master");
        if (c.stored)
            database().execute(QString::fromLatin1(c.stored), {c.total, c.balance});
        assign(*customer, "CustomerOBType", c.type, "CustomerOBDocumentNo", "01HOOB1");
        EXPECT_EQ(customer->Adjusted(), c.adjusted) << c.type << " " << c.total << " " << c.balance;
    }
}

// ---- removing an earlier opening-balance document --------------------------------------------

class CustomerPreviousOB : public CustomerTest {
protected:
    void SetUp() override {
        CustomerTest::SetUp();
        if (!db)
            return;
        database().execute("Insert into Sales_Invoice_Master (Sales_Inv_No) values ('01HOOB1')");
        database().execute("Insert into Receipt_Master (Receipt_No) values ('01HOOB1')");
        customer->setAdoConnectionObject(&database().connection());
    }
    RecordingScope receivable{service_ids::kAccountsReceivable};
};

// A refusal of the ledger is shown, not stored, and deletes nothing.
TEST_F(CustomerPreviousOB, DeletesTheReceivableLinesThenTheDocumentOfThatKind) {
    receivable->fail("ARL_Delete", "Document is posted in a closed period");
    {
        const Shown box(*customer);
        EXPECT_FALSE(customer->Delete_Previous_OB("Debit", "01HOOB1"));
        EXPECT_EQ(customer->ErrDesc(), QString());
        EXPECT_EQ(box.shown.at(0), "Document is posted in a closed period");
        EXPECT_EQ(box.shown.at(2), "Information");
        EXPECT_EQ(count("Sales_Invoice_Master"), 1);
    }
    receivable->answer("ARL_Delete", true);
    ASSERT_TRUE(customer->Delete_Previous_OB("DEBIT", "  01HOOB1 "));
    const QList<RecordedCall> deleted = receivable->actions("ARL_Delete");
    ASSERT_EQ(deleted.size(), 2);
    EXPECT_EQ(receivable->propertiesAt(deleted[1]).value("DocumentNo"), "01HOOB1");
    EXPECT_EQ(receivable->propertiesAt(deleted[1]).value("AdoConnectionObject").value<Connection *>(),
              &database().connection());
    EXPECT_EQ(count("Sales_Invoice_Master"), 0);
    EXPECT_EQ(count("Receipt_Master"), 1);
    ASSERT_TRUE(customer->Delete_Previous_OB("Credit", "01HOOB1"));
    EXPECT_EQ(count("Receipt_Master"), 0);
}

} // namespace
} // namespace orbsales::testing
