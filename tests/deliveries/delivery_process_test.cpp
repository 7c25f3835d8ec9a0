#include "deliveries/delivery_fixture.h"
#include "services/recording_doubles.h"

#include "orbsales/services/package/books.h"
#include "orbsales/services/service_ids.h"

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

// An order of the demo company delivered in part: 6 of 10 widgets (cost 7.50), both tool kits
// (an assembly, cost 57), 3 hours of installation (a service) and a free bracket (cost 51).
class DeliveryProcess : public DeliveryTest {
protected:
    void SetUp() override {
        DeliveryTest::SetUp();
        if (!db)
            return;
        addOrder("01HOSOR1", {{"A100", 10, 12.5},
                              {"K100", 2, 95, 0, false, QString(), "Set"},
                              {"S100", 3, 150, 0, false, "01HOPRJ0042", "Hrs"},
                              {"B100", 1, 85, 0, true, QString(), "Box"}});
        database().execute("Insert into Customer_Price_List (Customer_Code, Item_Code, Unit_ID, Unit_Name, "
                           "Selling_Price, Last_Selling_Price) values ('01C001', '01A100', 1, 'Nos', 12, 11), "
                           "('01C001', '01B100', 1, 'Nos', 80, 79)");
    }

    // Saved from the order with the widgets cut to 6; answers the temporary number.
    QString saved(Delivery &delivery) {
        EXPECT_TRUE(delivery.Get_Order_Details()) << delivery.ErrDesc().toStdString();
        tickAll(grid);
        grid.setCellText(1, 7, "6");
        EXPECT_TRUE(delivery.Create_Delivery()) << delivery.ErrDesc().toStdString();
        return delivery.DeliveryNo();
    }
    bool process(Delivery &delivery, const QString &from = "SalesOrder") {
        QString strFrom = from;
        return delivery.Process_Delivery(strFrom);
    }
    double delivered(int line) {
        return value("Select Sales_Ord_Delivered_Qty from Sales_Order_Detail Where SL_No=?", {line + 1});
    }
};

TEST_F(DeliveryProcess, OnlineTheGoodsLeaveAtTheirCostAndEveryBookAgrees) {
    auto delivery = newDelivery();
    const QString temporary = saved(*delivery);
    ASSERT_TRUE(process(*delivery)) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->DeliveryNo(), "01HODEL2");
    EXPECT_EQ(delivery->DeliveryIdentity(), 2);
    EXPECT_EQ(database().count("Delivery_Detail", "Delivery_No=?", {temporary}), 0);
    EXPECT_EQ(value("Select Processed_Flag from Delivery_Master Where Delivery_No='01HODEL2'"), 1);
    EXPECT_EQ(counter("DEL"), 3);

    // The order: every line raised by what was delivered, the order marked delivered. Stock
    // leaves at its moving average cost; the service line is valued at its price.
    EXPECT_EQ(text("Sales_Order_Detail", "Sales_Ord_Delivered_Qty", "Order by SL_No"), "6 / 2 / 3 / 1");
    EXPECT_EQ(value("Select Delivered_Flag from Sales_Order_Master"), 1);
    EXPECT_EQ(text("Item_Master_Detail", "Stock_In_Hand, Stock_Amount, Ordered_Qty",
                   "Where Item_Code='01A100' and Branch_Prefix='HO'"),
              "94|705|-6");
    EXPECT_EQ(item("Stock_In_Hand", "01K100"), 98);
    EXPECT_EQ(item("Ordered_Qty", "01S100"), 0);
    EXPECT_EQ(text("Delivery_Detail", "Inventory_Value", "Order by SL_No"), "45 / 114 / 150 / 51");

    // Cost of goods: inventory credited, cost of goods (free of cost for the bracket) debited.
    EXPECT_EQ(ledger("01HODEL2"),
              "01HO1300|0|45 / 01HO5000|45|0 / 01HO1300|0|114 / 01HO5000|114|0 / 01HO1300|0|51 / 01HO5100|51|0");
    EXPECT_DOUBLE_EQ(value("Select Posted_Balance from Chart_Of_Accounts Where Account_No='01HO1300'"), -210);
    EXPECT_EQ(database().scalar("Select GL_Description from General_Ledger Where Account_No='01HO5100'"),
              QVariant("Free Of Cost Account : Item Code - B100"));

    // Movements and location stock for the three stock lines.
    EXPECT_EQ(database().count("Stock_Movement", "Document_No='01HODEL2' and Document_Type='OUT'"), 3);
    EXPECT_EQ(value("Select Location_Qty from Location_Stock Where Item_Code='01A100' and Branch_Prefix='HO' and "
                    "Location_ID=1"),
              94);

    // The project has its revenue; the widget's last price is recorded, the free bracket's not.
    EXPECT_EQ(value("Select Projd_Credit_Amount from Project_Transaction Where Proj_No='01HOPRJ0042'"), 450);
    EXPECT_EQ(text("Customer_Price_List", "Last_Selling_Price",
                   "Where Customer_Code='01C001' and Item_Code in ('01A100', '01B100') Order by Item_Code"),
              "12.5 / 79");
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
}

// Online posts stock and cost; offline numbers and raises the source only; a copy synchronised
// from another site keeps its final number and posts only; a typed number raises the counter
// past it (half to even) but never lowers it.
TEST_F(DeliveryProcess, NumberSourceStockAndCounterFollowTheMode) {
    const struct {
        const char *name;
        bool online, sync, manual;
        double typed;
        int counterBefore;
        const char *finalNo;
        int counterAfter;
        double deliveredAfter, stockAfter;
    } cases[] = {
        {"online", true, false, false, 0, 5, "01HODEL5", 6, 6, 94},
        {"online whatever the sync flag", true, true, false, 0, 5, "01HODEL5", 6, 6, 94},
        {"offline", false, false, false, 0, 5, "01HODEL5", 6, 6, 100},
        {"synchronising", false, true, false, 0, 5, "01HODEL77", 5, 0, 94},
        {"manual above the counter", true, false, true, 40, 35, "01HODEL40", 41, 6, 94},
        {"manual at the counter", false, false, true, 40, 40, "01HODEL40", 41, 6, 100},
        {"manual below the counter", true, false, true, 40, 50, "01HODEL40", 50, 6, 94},
        {"manual half goes to even", true, false, true, 12.5, 5, "01HODEL12", 13, 6, 94},
        {"manual while synchronising", false, true, true, 90, 5, "01HODEL77", 91, 0, 94},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        auto delivery = newDelivery();
        const QString temporary = saved(*delivery);
        if (c.sync) { // a delivery copied from another site carries its final number already
            database().execute("Update Delivery_Master Set Delivery_No='01HODEL77', Delivery_Identity=77, "
                               "Processed_Flag=1");
            database().execute("Update Delivery_Detail Set Delivery_No='01HODEL77'");
        }
        database().execute("Update Document_Prefix Set Document_Next_No=? Where Document_Prefix='DEL' and "
                           "Branch_Prefix='HO'",
                           {c.counterBefore});
        auto processor = newDelivery();
        assign(*processor, "DeliveryNo", c.sync ? "01HODEL77" : temporary, "OnlineFlag", c.online, "SyncFlag", c.sync,
               "DocManualFlag", c.manual, "ManualDeliveryIdentity", c.typed);
        ASSERT_TRUE(process(*processor)) << processor->ErrDesc().toStdString();
        EXPECT_EQ(processor->DeliveryNo(), c.finalNo);
        EXPECT_EQ(database().count("Delivery_Detail", "Delivery_No=?", {processor->DeliveryNo()}), 4);
        EXPECT_EQ(counter("DEL"), c.counterAfter);
        EXPECT_EQ(delivered(0), c.deliveredAfter);
        EXPECT_EQ(item("Stock_In_Hand", "01A100"), c.stockAfter);
        EXPECT_EQ(database().count("General_Ledger"), c.stockAfter == 100 ? 0 : 6);
    }
}

TEST_F(DeliveryProcess, WhatEachSiblingIsHanded) {
    auto delivery = newDelivery();
    const QString temporary = saved(*delivery);
    database().execute("Update Delivery_Master Set Foreign_Currency_Flag=1, Exchange_Rate=4, Currency_Code='USD'");
    RecordingScope reduce(ids::kReduceStock);
    reduce->script("ReduceStockInHand", [](const RecordedCall &call) {
        return Reply{
            true,
            QString(),
            {{"ItemType", QVariant::fromValue(qint16(0))}, {"SellingValue", call.arguments.at(0).toDouble() * 8}}};
    });
    RecordingScope movement(ids::kStockMovement);
    RecordingScope ledgerLines(ids::kGeneralLedger);
    RecordingScope location(ids::kLocationStock);
    RecordingScope inventory(ids::kInventory);
    inventory->output("InventoryAccountNo", "01HO1300");
    RecordingScope currency(ids::kCurrency);
    currency->output("CurrencyName", "US Dollar");
    currency->output("CurrencySymbol", "$");
    delivery->setDeliveryNo(temporary);
    ASSERT_TRUE(process(*delivery)) << delivery->ErrDesc().toStdString();

    // Stock out for the three stock lines, item codes with the company, the stamp as text.
    const QList<RecordedCall> reductions = reduce->actions("ReduceStockInHand");
    ASSERT_EQ(reductions.size(), 3);
    EXPECT_EQ(reduce->trace(reductions[0].object).join('|'),
              "AdoConnectionObject=(connection)|BranchPrefix=HO|ItemCode=01A100|UnitName=Nos|UnitPrice=12.5|"
              "LastUpdate=05/Dec/2026|ReduceStockInHand(6)");

    // One movement object for the delivery; quantities in base units, the price per unit.
    const QList<RecordedCall> moves = movement->actions("StockMovement");
    ASSERT_EQ(moves.size(), 3);
    EXPECT_EQ(movement->objectCount(), 1);
    EXPECT_EQ(named(movement->propertiesAt(moves[0]), "DocumentPrefix DocumentType OutQty OutAmount OutPrice"),
              "DEL|OUT|6|48|8");
    EXPECT_EQ(moves[0].arguments, QVariantList{6.0});

    // Foreign amounts converted at the delivery's rate, by the currency's name.
    const QList<RecordedCall> conversions = currency->actions("Convert_Into_FC");
    ASSERT_EQ(conversions.size(), 6);
    EXPECT_EQ(conversions[0].arguments, (QVariantList{"US Dollar", 48.0, QVariant(), true, 4.0}));
    const QList<RecordedCall> inserts = ledgerLines->actions("GLInsert");
    ASSERT_EQ(inserts.size(), 6);
    EXPECT_EQ(named(ledgerLines->propertiesAt(inserts[0]), "accountno GLDescription GLCreditAmount FCGLCreditAmount"),
              "01HO1300|Inventory Account : Item Code - A100|48|12");
    EXPECT_EQ(named(ledgerLines->propertiesAt(inserts[1]), "accountno GLDescription FCGLDebitAmount"),
              "01HO5000|Cost Of Goods Account : Item Code - A100|12");
    EXPECT_EQ(ledgerLines->actions("COAPosting")[0].arguments, (QVariantList{"01HO1300", -48.0}));

    // Goods leave their location; what was on order is lowered in base units.
    const QList<RecordedCall> leaving = location->actions("UpdateLocationStock");
    ASSERT_EQ(leaving.size(), 3);
    EXPECT_EQ(leaving[0].arguments.value(0).toInt(), 1);
    EXPECT_EQ(named(location->propertiesAt(leaving[0]), "LocationQty"), "6");
    const QList<RecordedCall> lowered = inventory->actions("Update_Item_OrderedQty");
    ASSERT_EQ(lowered.size(), 3);
    EXPECT_EQ(lowered[0].arguments, QVariantList{"Decrease"});
    EXPECT_EQ(named(inventory->propertiesAt(lowered[0]), "ItemQuantity"), "6");
}

TEST_F(DeliveryProcess, TheSourceKindDecidesWhichDocumentIsRaised) {
    const struct {
        const char *strFrom;
        bool order;
    } cases[] = {{"salesorder", true}, {"SALESORDER", true}, {"CashMemo", false}, {"", false}, {" SalesOrder", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.strFrom);
        TearDown();
        SetUp();
        auto delivery = newDelivery();
        saved(*delivery);
        // A cash memo of the same number and lines, as if the delivery had been raised on it.
        database().execute("Insert into Cash_Memo_Master (Cash_Memo_No) values ('01HOSOR1')");
        database().execute("Insert into Cash_Memo_Detail (Cash_Memo_No, SL_No, Item_Code, Item_Name, Cash_Memo_Qty) "
                           "Select Sales_Ord_No, SL_No, Item_Code, Item_Name, Sales_Ord_Ordered_Qty from "
                           "Sales_Order_Detail");
        delivery->setOnlineFlag(false);
        ASSERT_TRUE(process(*delivery, c.strFrom)) << delivery->ErrDesc().toStdString();
        EXPECT_EQ(delivered(0), c.order ? 6 : 0);
        EXPECT_EQ(value("Select sum(Cash_Memo_Delivered_Qty) from Cash_Memo_Detail"), c.order ? 0 : 12);
        EXPECT_EQ(value("Select Delivered_Flag from Cash_Memo_Master"), c.order ? 0 : 1);
    }
}

TEST_F(DeliveryProcess, AMissingSalesPreferenceStopsAfterStockWithTheDocumentsOwnMessage) {
    auto delivery = newDelivery();
    saved(*delivery);
    database().execute("Delete from Default_Sales_Preferences Where Branch_Prefix='HO'");
    RecordingScope counterDouble(ids::kCounterTransaction);
    counterDouble->output("NextDocumentNo", 2.0);
    EXPECT_FALSE(process(*delivery));
    EXPECT_EQ(delivery->ErrDesc(), "Set the Sales default settings in the Sales Preferences");
    // Renumbered and processed, the order raised, the stock out and moved; no cost posted, no
    // project line, and the counter not advanced.
    EXPECT_EQ(delivery->DeliveryNo(), "01HODEL2");
    EXPECT_EQ(value("Select Processed_Flag from Delivery_Master"), 1);
    EXPECT_EQ(delivered(0), 6);
    EXPECT_EQ(item("Stock_In_Hand", "01A100"), 94);
    EXPECT_EQ(database().count("Stock_Movement"), 3);
    EXPECT_EQ(database().count("General_Ledger"), 0);
    EXPECT_EQ(database().count("Project_Transaction"), 0);
    const QList<RecordedCall> taken = counterDouble->actions("Get_Last_Counter");
    ASSERT_EQ(taken.size(), 1);
    EXPECT_EQ(taken[0].arguments.size(), 1); // the one-argument form gives final numbers
    EXPECT_EQ(counterDouble->actions("Increase_Counter").size(), 0);
}

TEST_F(DeliveryProcess, FailuresLeaveWhatWasWrittenBeforeThem) {
    const struct {
        const char *name;
        const char *before; // a statement that spoils the saved delivery
        const char *message;
        int processed;
        double deliveredAfter;
    } cases[] = {
        {"unknown currency", "Update Delivery_Master Set Currency_Code='XXX'", "Invalid Currency Code", 0, 0},
        {"no lines under the temporary number", "Delete from Delivery_Detail",
         "Error while Processing, Invalid Temporary Delivery No.", 1, 0},
        {"source line gone", "Delete from Sales_Order_Detail Where Item_Code='01K100'", "Invalid Item Details", 1, 6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        database().execute("Delete from Delivery_Master");
        auto delivery = newDelivery();
        saved(*delivery);
        database().execute(c.before);
        EXPECT_FALSE(process(*delivery));
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_EQ(value("Select Processed_Flag from Delivery_Master"), c.processed);
        EXPECT_EQ(delivered(0), c.deliveredAfter);
        EXPECT_EQ(database().count("Stock_Movement"), 0);
    }
    auto unknown = newDelivery();
    unknown->setDeliveryNo("01HODELTMP404");
    EXPECT_FALSE(process(*unknown));
    EXPECT_EQ(unknown->ErrDesc(), "Invalid Delivery No");
}

} // namespace
} // namespace orbsales::testing
