#include "orbsales/orders/discount_shares.h"
#include "orbsales/services/service_ids.h"
#include "orders/order_fixture.h"
#include "services/recording_doubles.h"

#include <functional>

namespace orbsales::testing {
namespace {

using OrderCreate = OrderTest;

TEST_F(OrderCreate, SavesUnderATemporaryNumberWithIdentityZero) {
    grid.setRow(1, line("A100"));
    grid.setRow(2, line("B200", "3", "30", "Box-Monthly"));
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(order->SalesOrdNo(), "01HOSORTMP1");
    EXPECT_EQ(order->SalesOrdIdentity(), 0);
    // Without an employee both employee columns stay empty.
    EXPECT_EQ(masterRow("Sales_ord_Identity, Employee_ID, Employee_Name", "01HOSORTMP1"),
              (QStringList{"0", "NULL", "NULL"}));
    EXPECT_EQ(rowsOf(database(), "Sales_Order_Detail",
                     "Sales_Ord_No, Item_Code, Unit_Name, Period_Type, "
                     "Sales_Ord_Ordered_Qty",
                     "Order by SL_No"),
              (QList<QStringList>{{"01HOSORTMP1", "01A100", "Nos", "NULL", "2"},
                                  {"01HOSORTMP1", "01B200", "Box", "Monthly", "3"}}));
    EXPECT_EQ(counter(), "2");
}

TEST_F(OrderCreate, RejectsWithTheFirstFailingCheckAndWritesNothing) {
    const struct {
        std::function<void(SalesOrder &)> spoil;
        const char *message;
    } cases[] = {
        {[](SalesOrder &o) { assign(o, "CompanyPrefix", "", "PaymentType", ""); }, "Invalid Comapny Prefix"},
        {[](SalesOrder &o) { assign(o, "BranchPrefix", "", "DocumentPrefix", ""); }, "Invalid Branch Prefix"},
        {[](SalesOrder &o) { assign(o, "DocumentPrefix", "", "CustomerCode", ""); }, "Invalid Document Prefix"},
        {[](SalesOrder &o) { assign(o, "CustomerName", "   ", "PaymentType", ""); }, "Invalid Customer Details"},
        {[](SalesOrder &o) { assign(o, "CustomerCode", "", "PaymentType", ""); }, "Invalid Customer Details"},
        {[](SalesOrder &o) { assign(o, "PaymentType", " "); }, "Invalid Payment Type"},
    };
    grid.setRow(1, line("A100"));
    for (const auto &c : cases) {
        auto o = newOrder(grid);
        c.spoil(*o);
        EXPECT_FALSE(o->Create_Order());
        EXPECT_EQ(o->ErrDesc(), c.message);
        EXPECT_FALSE(o->Update_Order());
        EXPECT_EQ(o->ErrDesc(), c.message);
    }
    EXPECT_EQ(database().count("Sales_Order_Master"), 0);
}

// Overall discount: each line's share by the percent, rounded half to even to the digits, the
// last line the rest of the header.
TEST(OverallDiscount, SharesAddUpToTheHeader) {
    const struct {
        double percent, header, digits;
        std::vector<double> amounts, shares;
    } cases[] = {{10, 60, 2, {100, 200, 300}, {10, 20, 30}},
                 {10, 61, 2, {100, 200, 300}, {10, 20, 31}},
                 {5, 1, 2, {0.5, 0.7, 1}, {0.02, 0.04, 0.94}},
                 {10, 3, 1.6, {1.234, 1.766}, {0.12, 2.88}}};
    for (const auto &c : cases) {
        OverallDiscountShares shares(c.percent, c.header, c.header, c.digits, static_cast<int>(c.amounts.size()));
        for (size_t i = 0; i < c.amounts.size(); ++i) {
            const auto share = shares.next(static_cast<int>(i) + 1, c.amounts[i], c.amounts[i]);
            EXPECT_DOUBLE_EQ(share.local, c.shares[i]) << c.header << " line " << i + 1;
            EXPECT_DOUBLE_EQ(share.foreign, c.shares[i]) << c.header << " line " << i + 1;
        }
    }
}

TEST_F(OrderCreate, StoresDiscountSharesOnlyWithAForeignHeaderDiscount) {
    grid.setRow(1, line("A", "1", "100"));
    grid.setRow(2, line("B", "1", "200"));
    grid.setRow(3, line("C", "1", "300"));
    assign(*order, "SalesOrdDiscPercent", 10, "SalesOrdDiscAmount", 60, "SalesOrdFCDiscAmount", 60);
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    MemoryGrid other(5, 18);
    other.setRow(1, line("A"));
    auto plain = newOrder(other);
    ASSERT_TRUE(plain->Create_Order());
    EXPECT_EQ(rowsOf(database(), "Sales_Order_Detail", "Sales_Ord_Overall_Disc, Sales_Ord_Overall_FC_Disc",
                     "Order by Sales_Ord_No, SL_No"),
              (QList<QStringList>{{"10", "10"}, {"20", "20"}, {"30", "30"}, {"NULL", "NULL"}}));
}

TEST_F(OrderCreate, UpdateRewritesTheSameMasterAndItsLines) {
    grid.setRow(1, line("A100"));
    grid.setRow(2, line("B200"));
    ASSERT_TRUE(order->Create_Order());
    grid.setRow(2, {});
    order->setCustomerName("O'Brien; DROP TABLE Sales_Order_Master;--");
    ASSERT_TRUE(order->Update_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(rowsOf(database(), "Sales_Order_Master", "customer_name"),
              QList<QStringList>{{"O'Brien; DROP TABLE Sales_Order_Master;--"}});
    EXPECT_EQ(lineCount(order->SalesOrdNo()), 1);
}

TEST_F(OrderCreate, WithoutAnOpenConnectionItIsAnUnexpectedFailure) {
    grid.setRow(1, line("A100"));
    order->setAdoConnectionObject(nullptr);
    EXPECT_FALSE(order->Create_Order());
    EXPECT_EQ(order->ErrDesc(), "Object variable or With block variable not set");
    Connection closed;
    order->setAdoConnectionObject(&closed);
    EXPECT_FALSE(order->Create_Order());
    EXPECT_EQ(order->ErrDesc(), "Invalid Connection Object");
}

using OrderProcess = OrderTest;

// Processing renumbers master and lines (the document prefix taken from the temporary number)
// and hands each line's quantity in base units to the inventory.
TEST_F(OrderProcess, GivesTheFinalNumberAndOrdersEachLinesBaseQuantity) {
    const QString temporary = createdOrder();
    RecordingScope inventory(service_ids::kInventory);
    auto processor = newOrder(grid);
    assign(*processor, "SalesOrdNo", temporary, "DocumentPrefix", "");
    ASSERT_TRUE(processor->Process_Order()) << processor->ErrDesc().toStdString();
    EXPECT_EQ(processor->SalesOrdNo(), "01HOSOR2");
    EXPECT_EQ(processor->DocumentPrefix(), "SOR");
    EXPECT_EQ(masterRow("process_Flag, Sales_ord_Identity", "01HOSOR2"), (QStringList{"1", "2"}));
    EXPECT_EQ(lineCount("01HOSOR2"), 2);
    EXPECT_EQ(lineCount(temporary), 0);
    EXPECT_EQ(counter(), "3");
    const QList<RecordedCall> calls = inventory->actions("Update_Item_OrderedQty");
    ASSERT_EQ(calls.size(), 2);
    const QVariantMap first = inventory->propertiesAt(calls[0]);
    EXPECT_EQ(QVariantList({first.value("ItemCode"), first.value("ItemQuantity"), first.value("BranchPrefix")}),
              (QVariantList{"01A100", 3 * 12 * 2, "HO"}));
    EXPECT_EQ(first.value("AdoConnectionObject").value<Connection *>(), &caller);
    EXPECT_EQ(calls[0].arguments, QVariantList{"Increase"});
    EXPECT_EQ(inventory->propertiesAt(calls[1]).value("ItemQuantity").toDouble(), 5);
    // The missing unit of B200 is reported but does not stop the order.
    EXPECT_EQ(processor->ErrDesc(), "Item Code :'B200' Unit Name :'Nos' Not Found");
    // After processing the same object reads the header only.
    MemoryGrid shown(5, 18);
    processor->setOrderGridName(&shown);
    ASSERT_TRUE(processor->Get_Order());
    EXPECT_EQ(shown.cellText(1, 1), QString());
}

// Online, offline or synchronising, the order takes the counter's number; a typed number is
// used as it is (rounded half to even) and raises the counter past it, never lowers it.
TEST_F(OrderProcess, NumberAndCounterFollowTheMode) {
    database().execute("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix) values ('01','HO')");
    const struct {
        bool online, sync, manual;
        double typed;
        const char *finalNo, *counterAfter;
    } cases[] = {{true, false, false, 0, "01HOSOR2", "3"},
                 {false, false, false, 0, "01HOSOR4", "5"},
                 {false, true, false, 0, "01HOSOR6", "7"},
                 {false, false, true, 40.5, "01HOSOR40", "41"},
                 {false, false, true, 1, "01HOSOR1", "42"}};
    for (const auto &c : cases) {
        const QString temporary = createdOrder(newOrder(grid).get());
        database().execute("Update Sales_Order_Master Set Sales_ord_Identity=17 Where Sales_Ord_No=?", {temporary});
        auto processor = newOrder(grid);
        assign(*processor, "SalesOrdNo", temporary, "OnlineFlag", c.online, "SyncFlag", c.sync, "DocManualFlag",
               c.manual, "DocIdentity", c.typed);
        ASSERT_TRUE(processor->Process_Order()) << processor->ErrDesc().toStdString();
        EXPECT_EQ(processor->SalesOrdNo(), c.finalNo);
        EXPECT_EQ(lineCount(c.finalNo), 2);
        EXPECT_EQ(counter(), c.counterAfter) << c.finalNo;
    }
    EXPECT_EQ(rowsOf(database(), "Item_Master_Detail", "Ordered_Qty", "Where Item_Code='01B200'"),
              QList<QStringList>{{"25"}});
}

TEST_F(OrderProcess, RefusesUnknownOrEmptyOrders) {
    const QString temporary = createdOrder();
    auto processor = newOrder(grid);
    processor->setSalesOrdNo("  ");
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), "Invalid Sales Order No");
    processor->setSalesOrdNo("01HOSORTMP99");
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), "Invlaid Order No");
    database().execute("Delete from Sales_Order_Detail");
    processor->setSalesOrdNo(temporary);
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), "Error while Processing, Invalid Temporary Sales Order No.");
    EXPECT_EQ(masterRow("process_Flag", temporary), QStringList{"0"});
    EXPECT_EQ(counter(), "2");
}

// Online processing converts the order as the branch's preferences say; without preferences it
// stops after the renumbering, which stays written.
TEST_F(OrderProcess, OnlineWithoutPreferencesStopsAfterRenumbering) {
    const QString temporary = createdOrder();
    auto processor = newOrder(grid);
    assign(*processor, "SalesOrdNo", temporary, "OnlineFlag", true);
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), "Set the default sales preferences.");
    EXPECT_EQ(lineCount("01HOSOR2"), 2);
    EXPECT_EQ(ordered(), (QList<QStringList>{{"0"}, {"0"}}));
    EXPECT_FALSE(order->GenerateDefaults());
    EXPECT_EQ(order->ErrDesc(), "Set the default sales preferences.");
}

// Only exactly "Cash" is a cash order; a conversion the preferences ask for is attempted, and an
// order without a number or prefixes is refused by the document it would become.
TEST_F(OrderProcess, DefaultsConvertOnlyWhatThePreferencesAskFor) {
    const struct {
        const char *paymentType;
        int cashDelivery, cashMemo, creditDelivery, creditInvoice;
        const char *refusal; // empty: nothing converted
    } cases[] = {{"Credit", 1, 1, 0, 0, ""},
                 {"Cash", 0, 0, 1, 1, ""},
                 {"cash", 1, 1, 1, 1, ""},
                 {"Cash", 0, 0, 0, 0, ""},
                 {"Cash", 1, 0, 0, 0, "Invalid Sales Order or Cash Memo No"},
                 {"Credit", 0, 0, 0, 1, "Company, branch and document prefixes are needed for a document number"}};
    for (const auto &c : cases) {
        database().execute("Delete from Default_Sales_Preferences");
        database().execute("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix, "
                           "Cash_SO_Delivery_Flag, Cash_SO_Cash_Memo_Flag, Credit_SO_Delivery_Flag, "
                           "Credit_SO_Invoice_Flag) values ('01','HO',?,?,?,?)",
                           {c.cashDelivery, c.cashMemo, c.creditDelivery, c.creditInvoice});
        auto o = newOrder(grid);
        o->setPaymentType(c.paymentType);
        EXPECT_EQ(o->GenerateDefaults(), *c.refusal == 0) << c.paymentType << c.cashDelivery << c.creditInvoice;
        EXPECT_EQ(o->ErrDesc(), c.refusal);
    }
}

// An order raised from a quotation: while any order names the quotation (cancelled ones
// included) it stays processed; cancelling its only order opens it again.
class OrderCancelWithQuotation : public OrderTest {
protected:
    void SetUp() override {
        OrderTest::SetUp();
        if (!db)
            return;
        addQuotation();
        order->setSalesQuotNo("01HOSQT1");
    }
    // The quotation's Allow_Cancel_Flag and process_Flag.
    QStringList quotation() { return rowOf(database(), "Sales_Quotation_Master", "Allow_Cancel_Flag, process_Flag"); }
};

TEST_F(OrderCancelWithQuotation, ItsOnlyOrderCancelledOpensTheQuotationAndLowersOrderedQuantities) {
    createdOrder();
    ASSERT_TRUE(order->Process_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(ordered().value(0), QStringList{"72"});
    EXPECT_EQ(quotation(), (QStringList{"0", "1"}));
    SalesQuotation raised;
    assign(raised, "ADOConnectionString", connectionString(), "SalesQuotNo", "01HOSQT1");
    EXPECT_FALSE(raised.Cancel_Quotation());
    EXPECT_EQ(raised.ErrDesc(), "Cannot Cancel");

    ASSERT_TRUE(order->Cancel_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(masterRow("Cancel_Flag", order->SalesOrdNo()), QStringList{"1"});
    EXPECT_EQ(quotation(), (QStringList{"1", "0"}));
    EXPECT_EQ(ordered().value(0), QStringList{"0"});
    EXPECT_TRUE(raised.Cancel_Quotation()) << raised.ErrDesc().toStdString();
}

TEST_F(OrderCancelWithQuotation, AnotherOrderOfTheQuotationKeepsItProcessed) {
    const QString first = createdOrder();
    EXPECT_EQ(quotation(), (QStringList{"0", "1"})); // marked as the order is saved
    auto orphan = newOrder(grid);
    orphan->setSalesQuotNo("01HOSQT9");
    EXPECT_FALSE(orphan->Create_Order());
    EXPECT_EQ(orphan->ErrDesc(), "Invalid Quotation No "); // with its trailing blank
    EXPECT_EQ(database().count("Sales_Order_Master", "Sales_Quot_No='01HOSQT9'"), 0);
    auto second = newOrder(grid);
    second->setSalesQuotNo("01HOSQT1");
    ASSERT_TRUE(second->Create_Order());
    ASSERT_TRUE(second->Cancel_Order()) << second->ErrDesc().toStdString();
    EXPECT_EQ(quotation(), (QStringList{"0", "1"}));
    order->setSalesOrdNo(first);
    ASSERT_TRUE(order->Cancel_Order());
    EXPECT_EQ(quotation(), (QStringList{"0", "1"}));
}

TEST_F(OrderProcess, CancellingAnOrderWithReferencesOrUnknownChangesNothing) {
    const QString number = createdOrder();
    database().execute("Update Sales_Order_Master Set Allow_Cancel_Flag=0");
    RecordingScope inventory(service_ids::kInventory);
    const struct {
        QString number;
        const char *message;
    } cases[] = {{number, "Cannot cancel, this Order is having References"},
                 {"", "Invalid Sales Order No"},
                 {"01HOSOR404", "Invalid Order No"}};
    for (const auto &c : cases) {
        order->setSalesOrdNo(c.number);
        EXPECT_FALSE(order->Cancel_Order());
        EXPECT_EQ(order->ErrDesc(), c.message);
    }
    EXPECT_EQ(masterRow("Cancel_Flag", number), QStringList{"0"});
    EXPECT_EQ(inventory->calls().size(), 0);
}

TEST_F(OrderProcess, LoadsHeaderAndTheGridLayout) {
    QStringList projectLine = line("A100", "3", "20", "Box-Monthly");
    projectLine[13] = "P7";
    projectLine[16] = "01HOPRJ0007";
    projectLine[17] = "1";
    grid.setRow(1, projectLine);
    grid.setRow(2, line("B200"));
    assign(*order, "ForeignCurrencyFlag", true, "CurrencyCode", "USD", "ExchangeRate", 3.67, "EmployeeID", "E1",
           "EmployeeName", "Sam");
    ASSERT_TRUE(order->Create_Order());
    MemoryGrid shown(10, 18);
    SalesOrder loaded;
    assign(loaded, "ADOConnectionString", connectionString(), "SalesOrdNo", order->SalesOrdNo());
    loaded.setOrderGridName(&shown);
    ASSERT_TRUE(loaded.Get_Order()) << loaded.ErrDesc().toStdString();
    EXPECT_EQ(
        QVariantList({loaded.PaymentType(), loaded.CurrencySymbol(), loaded.ExchangeRate(), loaded.EmployeeName()}),
        (QVariantList{"Credit", "$", 3.67, "Sam"}));
    // The foreign price of a foreign order; the project's short number without its prefix.
    QStringList cells;
    for (const auto &[row, col] : {std::pair{1, 1}, {1, 4}, {2, 4}, {1, 6}, {1, 7}, {1, 13}, {1, 16}, {1, 17}, {2, 13}})
        cells << shown.cellText(row, col);
    EXPECT_EQ(cells, (QStringList{"A100", "Box-Monthly", "Nos", "3", "10", "0007", "01HOPRJ0007", "1", ""}));
    // A missing order is reported.
    loaded.setSalesOrdNo(QString());
    EXPECT_FALSE(loaded.Get_Order());
    EXPECT_EQ(loaded.ErrDesc(), "Invalid Order No.");
    loaded.setSalesOrdNo("01HOSORTMP5");
    EXPECT_FALSE(loaded.Get_Order());
    EXPECT_EQ(loaded.ErrDesc(), "Invlaid Order No");
}

} // namespace
} // namespace orbsales::testing
