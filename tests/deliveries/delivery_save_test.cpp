#include "deliveries/delivery_fixture.h"
#include "services/recording_doubles.h"

#include "orbsales/services/service_ids.h"

#include <functional>

namespace orbsales::testing {
namespace {

using DeliverySave = DeliveryTest;

// {"", tick, code, name, unit code, unit, unit qty, qty, project, source SL, price, disc, FC disc,
//  amount, FC amount, FC price, open, ordered, overall disc, FC overall disc, location, id, FOC}
QStringList row(const QString &tick, const QString &code, const QString &qty, const QString &unit = "Nos",
                const QString &overall = "0", const QString &fcOverall = "0") {
    return {QString(),        tick,      code,      "Item " + code, "1",  unit,   "1", qty, QString(), "3",
            "12.5",           QString(), QString(), "25",           "25", "12.5", qty, "4", overall,   fcOverall,
            "Main Warehouse", "1",       "0"};
}

struct Refusal {
    const char *name;
    std::function<void(Delivery &)> spoil;
    const char *message;
};

TEST_F(DeliverySave, ValidationStopsAtTheFirstFailureAndWritesNothing) {
    Connection closed;
    const Refusal cases[] = {
        {"connection never opened", [&](Delivery &d) { d.setAdoDBConnectionObject(&closed); }, "Connection not opened"},
        {"no connection object", [](Delivery &d) { d.setAdoDBConnectionObject(nullptr); }, "Connection not opened"},
        {"blank source", [](Delivery &d) { d.setSourceNo("   "); }, "Invalid Sales Order or Cash Memo No"},
        {"blank source prefix", [](Delivery &d) { d.setSourcePrefix(" "); }, "Invalid Sales Order or Cash Memo Prefix"},
    };
    grid.setRow(1, row("1", "A100", "2"));
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        auto delivery = newDelivery();
        c.spoil(*delivery);
        EXPECT_FALSE(delivery->Create_Delivery());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_FALSE(delivery->Update_Delivery());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
    }
    EXPECT_EQ(database().count("Delivery_Master"), 0);
    EXPECT_EQ(counter("DEL"), 1);
}

TEST_F(DeliverySave, CreatesTheTemporaryNumberMasterAndTheTickedLines) {
    database().execute("Update Document_Prefix Set Document_Next_No = 7 Where Document_Prefix = 'DEL'");
    grid.setRow(1, row("1", " A100 ", "2.5", "Box-Monthly", "10", "0.04"));
    grid.setRow(2, row("0", "A200", "1"));
    grid.setRow(3, row("True", QString(), "2.5 boxes", "Nos", "0", "9"));
    grid.setRow(5, row("1", "C300", "9"));
    auto delivery = newDelivery();
    assign(*delivery, "CustomerName", kHostile, "DeliveryComments", "   ", "EmployeeName", "Sam", "ExchangeRate", 3.5,
           "CurrencySymbol", "?");
    ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->DeliveryNo(), "01HODELTMP7");
    EXPECT_EQ(delivery->DeliveryIdentity(), 7);
    EXPECT_EQ(delivery->CurrencySymbol(), "Dhs");
    EXPECT_EQ(counter("DEL"), 8);

    // Blank comments are NULL, a blank reference two blanks, no employee ID neither employee column.
    EXPECT_EQ(text("Delivery_Master", "customer_name, Delivery_Comments, Delivery_Ref_No, Employee_Name, "
                                      "Exchange_Rate, Address_Code, Last_Update"),
              "O'Brien; DROP TABLE Delivery_Detail;--|NULL|  |NULL|1|NULL|2026-12-05 00:00");

    // Row 2 is not ticked, row 3 has a name only, the blank row 4 ends the lines. The overall
    // discount share is 10 / 4 ordered x 2.5 delivered = 6.25, and 0.025 -> 0.02 (half to even);
    // without an overall discount no share is written, whatever the foreign one says.
    EXPECT_EQ(text("Delivery_Detail",
                   "Item_Code, Item_Name, Unit_Name, Period_Type, Delivery_Qty, Sales_Ord_Dtl_SL_No, "
                   "Delivery_Dtl_Unit_Price, Sales_Ord_Overall_Disc, Sales_Ord_Overall_FC_Disc",
                   "Order by SL_No"),
              "01A100|Item  A100|Box|Monthly|2.5|3|12.5|6.25|0.02 / NULL|Item|Nos|NULL|2.5|3|12.5|NULL|NULL");
}

TEST_F(DeliverySave, OnlyAnUnpaidCashDeliveryCarriesItsTotalAsBalance) {
    const struct {
        const char *paymentType;
        bool paid;
        const char *balance;
    } cases[] = {{"cash", false, "120|32.5"},
                 {"CASH", false, "120|32.5"},
                 {"Cash", true, "NULL|NULL"},
                 {"Credit", false, "NULL|NULL"},
                 {" Cash", false, "NULL|NULL"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.paymentType);
        auto delivery = newDelivery();
        assign(*delivery, "PaymentType", c.paymentType, "PaidFlag", c.paid, "DeliveryTotalAmount", 120,
               "DeliveryFCTotalAmount", 32.5);
        ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
        EXPECT_EQ(text("Delivery_Master", "Balance_Amount, Balance_FCAmount", "Where Delivery_No=?",
                       {delivery->DeliveryNo()}),
                  c.balance);
    }
}

TEST_F(DeliverySave, SerialsRunAcrossDeliveriesAndAnUpdateRewritesTheLines) {
    grid.setRow(1, row("1", "A100", "2"));
    grid.setRow(2, row("1", "A200", "1"));
    auto first = newDelivery();
    ASSERT_TRUE(first->Create_Delivery());
    auto second = newDelivery();
    ASSERT_TRUE(second->Create_Delivery());
    EXPECT_EQ(text("Delivery_Detail", "SL_No", "Where Delivery_No=? Order by SL_No", {second->DeliveryNo()}), "3 / 4");

    grid.setCellText(1, 1, "0"); // no longer ticked
    grid.setCellText(2, 7, "5");
    ASSERT_TRUE(first->Update_Delivery()) << first->ErrDesc().toStdString();
    EXPECT_EQ(first->DeliveryNo(), "01HODELTMP1");
    EXPECT_EQ(text("Delivery_Detail", "SL_No, Item_Code, Delivery_Qty", "Where Delivery_No=?", {first->DeliveryNo()}),
              "5|01A200|5");
    EXPECT_EQ(counter("DEL"), 3); // the update takes no number
}

TEST_F(DeliverySave, MasterOnlyOrAFailingLineKeepsWhatWasWritten) {
    grid.setRow(1, row("1", "A100", "2"));
    grid.setRow(2, row(QString(), "A200", "1"));
    auto headerOnly = newDelivery();
    bool saveLines = false;
    ASSERT_TRUE(headerOnly->Create_Delivery(saveLines)) << headerOnly->ErrDesc().toStdString();
    EXPECT_EQ(database().count("Delivery_Detail"), 0);

    // An empty tick is no Boolean: the header and the first line stay, the number is not consumed.
    RecordingScope counterDouble(service_ids::kCounterTransaction);
    counterDouble->output("NextDocumentNo", 2.0);
    auto failing = newDelivery();
    EXPECT_FALSE(failing->Create_Delivery());
    EXPECT_EQ(failing->ErrDesc(), "Type mismatch");
    EXPECT_EQ(database().count("Delivery_Detail", "Delivery_No='01HODELTMP2'"), 1);
    const QList<RecordedCall> taken = counterDouble->actions("Get_Last_Counter");
    ASSERT_EQ(taken.size(), 1);
    EXPECT_EQ(taken[0].arguments.value(1), QVariant(true)); // the form for temporary numbers
    EXPECT_EQ(counterDouble->actions("Increase_Counter").size(), 0);
}

TEST_F(DeliverySave, MarkingTheSourceAsInDelivery) {
    addOrder("01HOSOR1", {{"A100", 2, 12.5}});
    addCashMemo("01HOCHM1", {{"A100", 2, 12.5}});
    ASSERT_TRUE(newDelivery("01HOSOR1")->Update_Sales_Order());
    ASSERT_TRUE(newDelivery("01HOCHM1")->Update_Cash_Memo());
    for (const char *table : {"Sales_Order_Master", "Cash_Memo_Master"})
        EXPECT_EQ(text(table, "Allow_Cancel_Flag, process_Flag, Last_Update"), "0|1|2026-12-05 00:00") << table;

    Connection closed;
    const Refusal cases[] = {
        {"blank number", [](Delivery &d) { d.setSourceNo(" "); }, "Invalid Sales Order No"},
        {"blank prefix", [](Delivery &d) { d.setSourcePrefix(QString()); }, "Invalid Document Prefix"},
        {"closed connection", [&](Delivery &d) { d.setAdoDBConnectionObject(&closed); }, "Connection is not open"},
        {"no such source", [](Delivery &d) { d.setSourceNo("01HOSOR404"); }, "Invalid Sales Order No"},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        auto delivery = newDelivery();
        c.spoil(*delivery);
        EXPECT_FALSE(delivery->Update_Sales_Order());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_FALSE(delivery->Update_Cash_Memo());
        EXPECT_EQ(delivery->ErrDesc(), c.message); // the cash memo says the same
    }
}

} // namespace
} // namespace orbsales::testing
