#include "customers/customer_doubles.h"
#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_messages.h"

namespace orbsales::testing {
namespace {

namespace msg = customer_messages;

// ---- deleting a customer ---------------------------------------------------------------------

// A document table that keeps a customer, and the number column it needs filled.
struct Keeper {
    const char *table, *numberColumn;
};

class CustomerDeleteRefused : public CustomerTest, public ::testing::WithParamInterface<Keeper> {};

TEST_P(CustomerDeleteRefused, WhileAnyDocumentRefersToTheCustomer) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Update Customer_Master Set Allow_Delete_Flag=1"));
    insertRow(QLatin1String(GetParam().table), {{QLatin1String(GetParam().numberColumn), QStringLiteral("D1")},
                                                {QStringLiteral("Customer_Code"), QStringLiteral("01C001")}});
    EXPECT_FALSE(customer->DeleteRecord());
    EXPECT_EQ(customer->ErrDesc(), msg::kCannotDelete);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 1);
    EXPECT_EQ(masterColumn(QStringLiteral("Allow_Delete_Flag")).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CustomerDeleteRefused,
    ::testing::Values(Keeper{"Sales_Quotation_Master", "Sales_Quot_No"}, Keeper{"Sales_Invoice_Master", "Sales_Inv_No"},
                      Keeper{"Sales_Return_Master", "Sales_Rtn_No"}, Keeper{"Customer_OB", "Ref_No"},
                      Keeper{"Direct_Sales_Invoice_Master", "Dir_Sales_Inv_No"},
                      Keeper{"Sales_Order_Master", "Sales_Ord_No"},
                      Keeper{"Direct_Delivery_Master", "Direct_Delivery_No"},
                      Keeper{"Cash_Memo_Master", "Cash_Memo_No"}, Keeper{"Delivery_Master", "Delivery_No"}),
    [](const auto &info) { return std::string(info.param.table); });

using CustomerDelete = CustomerTest;

TEST_F(CustomerDelete, RemovesOnlyTheMasterRowOfACustomerWithoutDocuments) {
    ASSERT_TRUE(customer->Create_Customer());
    ASSERT_TRUE(newCustomer(QStringLiteral("01C002"))->Create_Customer());
    // Receivable lines and receipts do not keep a customer.
    database().execute(
        QStringLiteral("Insert into Receipt_Master (Receipt_No, Receipt_To_Code) values ('R1','01C001')"));
    database().execute(
        QStringLiteral("Insert into Customer_Address (Customer_Code, Address_Code) values ('01C001','1')"));
    database().execute(
        QStringLiteral("Insert into Customer_Price_List (Customer_Code, Item_Code) values ('01C001','I1')"));
    ASSERT_TRUE(customer->DeleteRecord()) << customer->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master"), QStringLiteral("Customer_Code='01C001'")), 0);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master"), QStringLiteral("Customer_Code='01C002'")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), QStringLiteral("Customer_Code='01C001'")), 3);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Address")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Price_List")), 1);
}

TEST_F(CustomerDelete, AnUnknownCustomerFailsWithoutAMessage) {
    customer->setCustomerCode(QStringLiteral("01NONE"));
    EXPECT_FALSE(customer->DeleteRecord());
    EXPECT_EQ(customer->ErrDesc(), QString());
}

TEST_F(CustomerDelete, AnErrorWhileCheckingIsShownAndReported) {
    ASSERT_TRUE(customer->Create_Customer());
    database().execute(QStringLiteral("Drop table Cash_Memo_Master"));
    const Shown shown(*customer);
    EXPECT_FALSE(customer->DeleteRecord());
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
    ASSERT_EQ(shown.messages, QStringList{customer->ErrDesc()});
    EXPECT_EQ(shown.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(shown.icons, QStringList{QString()});
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master")), 1);
}

// ---- has the opening-balance document been settled in part? ---------------------------------

struct AdjustedCase {
    const char *name;
    const char *type;
    double total, balance;
    bool stored, adjusted;
};

class CustomerAdjusted : public CustomerTest, public ::testing::WithParamInterface<AdjustedCase> {};

TEST_P(CustomerAdjusted, WhenTheBalanceNoLongerEqualsTheTotal) {
    const AdjustedCase &c = GetParam();
    const bool debit = QString::fromLatin1(c.type).compare(u"Debit", Qt::CaseInsensitive) == 0;
    if (c.stored) {
        database().execute(debit ? QStringLiteral("Insert into Sales_Invoice_Master (Sales_Inv_No, "
                                                  "Sales_Inv_Total_Amount, Balance_Amount) values ('01HOOB1', ?, ?)")
                                 : QStringLiteral("Insert into Receipt_Master (Receipt_No, Receipt_Amount, "
                                                  "Balance_Amount) values ('01HOOB1', ?, ?)"),
                           {c.total, c.balance});
    }
    customer->setCustomerOBType(QString::fromLatin1(c.type));
    customer->setCustomerOBDocumentNo(QStringLiteral("01HOOB1"));
    EXPECT_EQ(customer->Adjusted(), c.adjusted);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CustomerAdjusted,
    ::testing::Values(AdjustedCase{"DebitPartlyPaid", "debit", 100, 60, true, true},
                      AdjustedCase{"DebitOpen", "Debit", 100, 100, true, false},
                      AdjustedCase{"DebitMissing", "DEBIT", 0, 0, false, true},
                      AdjustedCase{"CreditPartlyUsed", "Credit", 50, 20, true, true},
                      AdjustedCase{"CreditOpen", "Credit", 50, 50, true, false},
                      // Anything but debit is a receipt: an open invoice of that number is not looked at.
                      AdjustedCase{"OtherKindIsAReceipt", "Advance", 50, 50, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- removing an earlier opening-balance document --------------------------------------------

class CustomerPreviousOB : public CustomerTest {
protected:
    void SetUp() override {
        CustomerTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Sales_Invoice_Master (Sales_Inv_No) values ('01HOOB1')"));
        database().execute(QStringLiteral("Insert into Receipt_Master (Receipt_No) values ('01HOOB1')"));
        customer->setAdoConnectionObject(&database().connection());
    }
};

TEST_F(CustomerPreviousOB, DeletesTheReceivableLinesThenTheDocumentOfThatKind) {
    SiblingDoubles doubles;
    ASSERT_TRUE(customer->Delete_Previous_OB(QStringLiteral("DEBIT"), QStringLiteral("  01HOOB1 ")));
    EXPECT_EQ(doubles.log.deletedDocuments, QStringList{QStringLiteral("01HOOB1")});
    EXPECT_EQ(doubles.log.receivableConnection, &database().connection());
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master")), 0);
    EXPECT_EQ(database().count(QStringLiteral("Receipt_Master")), 1);

    ASSERT_TRUE(customer->Delete_Previous_OB(QStringLiteral("Credit"), QStringLiteral("01HOOB1")));
    EXPECT_EQ(database().count(QStringLiteral("Receipt_Master")), 0);
}

TEST_F(CustomerPreviousOB, ARefusalOfTheLedgerIsShownAndNothingIsDeleted) {
    SiblingDoubles doubles;
    doubles.log.refuse = true;
    const Shown shown(*customer);
    EXPECT_FALSE(customer->Delete_Previous_OB(QStringLiteral("Debit"), QStringLiteral("01HOOB1")));
    EXPECT_EQ(customer->ErrDesc(), QString()); // shown, not stored
    EXPECT_EQ(shown.messages, QStringList{doubles.log.refusal});
    EXPECT_EQ(shown.icons, QStringList{QStringLiteral("Information")});
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master")), 1);
}

} // namespace
} // namespace orbsales::testing
