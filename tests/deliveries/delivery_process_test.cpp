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
        addOrder(QStringLiteral("01HOSOR1"),
                           {{QStringLiteral("A100"), 10, 12.5},
                            {QStringLiteral("K100"), 2, 95, 0, false, QString(), QStringLiteral("Set")},
                            {QStringLiteral("S100"), 3, 150, 0, false, QStringLiteral("01HOPRJ0042"),
                             QStringLiteral("Hrs")},
                            {QStringLiteral("B100"), 1, 85, 0, true, QString(), QStringLiteral("Box")}});
        database().execute(QStringLiteral("Insert into Customer_Price_List (Customer_Code, Item_Code, Unit_ID, "
                                          "Unit_Name, Selling_Price, Last_Selling_Price) values ('01C001', '01A100', "
                                          "1, 'Nos', 12, 11), ('01C001', '01B100', 1, 'Nos', 80, 79)"));
    }

    // Saved from the order with the widgets cut to 6; answers the temporary number.
    QString saved(Delivery &delivery) {
        EXPECT_TRUE(delivery.Get_Order_Details()) << delivery.ErrDesc().toStdString();
        tickAll(grid);
        grid.setCellText(1, 7, QStringLiteral("6"));
        EXPECT_TRUE(delivery.Create_Delivery()) << delivery.ErrDesc().toStdString();
        return delivery.DeliveryNo();
    }
    bool process(Delivery &delivery, const QString &from = QStringLiteral("SalesOrder")) {
        QString strFrom = from;
        return delivery.Process_Delivery(strFrom);
    }
    double delivered(int line) {
        return value(QStringLiteral("Select Sales_Ord_Delivered_Qty from Sales_Order_Detail Where SL_No=?"), {line + 1});
    }
};

TEST_F(DeliveryProcess, OnlineTheGoodsLeaveAtTheirCostAndEveryBookAgrees) {
    auto delivery = newDelivery();
    const QString temporary = saved(*delivery);
    ASSERT_TRUE(process(*delivery)) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->DeliveryNo(), QStringLiteral("01HODEL2"));
    EXPECT_EQ(delivery->DeliveryIdentity(), 2);
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No=?"), {temporary}), 0);
    EXPECT_EQ(value(QStringLiteral("Select Processed_Flag from Delivery_Master Where Delivery_No='01HODEL2'")), 1);
    EXPECT_EQ(counter(QStringLiteral("DEL")), 3);

    // The order: every line raised by what was delivered, the order marked delivered. Stock
    // leaves at its moving average cost; the service line is valued at its price.
    EXPECT_EQ((QList<double>{delivered(0), delivered(1), delivered(2), delivered(3)}), (QList<double>{6, 2, 3, 1}));
    EXPECT_EQ(value(QStringLiteral("Select Delivered_Flag from Sales_Order_Master")), 1);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A100")), 94);
    EXPECT_DOUBLE_EQ(item("Stock_Amount", QStringLiteral("01A100")), 750 - 45);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01K100")), 98);
    QList<double> values;
    for (const QVariantList &row : database().connection()
                                       .select(QStringLiteral("Select Inventory_Value from Delivery_Detail Order by SL_No"))
                                       .rows)
        values << row.at(0).toDouble();
    EXPECT_EQ(values, (QList<double>{45, 114, 150, 51}));

    // Cost of goods: inventory credited, cost of goods (free of cost for the bracket) debited.
    EXPECT_EQ(ledger(QStringLiteral("01HODEL2")),
              (QStringList{QStringLiteral("01HO1300 0 45"), QStringLiteral("01HO5000 45 0"),
                           QStringLiteral("01HO1300 0 114"), QStringLiteral("01HO5000 114 0"),
                           QStringLiteral("01HO1300 0 51"), QStringLiteral("01HO5100 51 0")}));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("Select Posted_Balance from Chart_Of_Accounts Where Account_No='01HO1300'")),
                     -210);
    EXPECT_EQ(database().scalar(QStringLiteral("Select GL_Description from General_Ledger Where Account_No='01HO5100'")),
              QVariant(QStringLiteral("Free Of Cost Account : Item Code - B100")));

    // Movements and location stock for the three stock lines; ordered quantities lowered.
    EXPECT_EQ(database().count(QStringLiteral("Stock_Movement"), QStringLiteral("Document_No='01HODEL2' and "
                                                                                "Document_Type='OUT'")),
              3);
    EXPECT_EQ(value(QStringLiteral("Select Location_Qty from Location_Stock Where Item_Code='01A100' and "
                                   "Branch_Prefix='HO' and Location_ID=1")),
              94);
    EXPECT_EQ(item("Ordered_Qty", QStringLiteral("01A100")), -6);
    EXPECT_EQ(item("Ordered_Qty", QStringLiteral("01S100")), 0);

    // The project has its revenue; the widget's last price is recorded, the free bracket's not.
    EXPECT_EQ(value(QStringLiteral("Select Projd_Credit_Amount from Project_Transaction Where Proj_No='01HOPRJ0042'")),
              450);
    EXPECT_EQ(value(QStringLiteral("Select Last_Selling_Price from Customer_Price_List Where Item_Code='01A100'")),
              12.5);
    EXPECT_EQ(value(QStringLiteral("Select Last_Selling_Price from Customer_Price_List Where Item_Code='01B100'")), 79);

    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());

}

struct ModeCase {
    const char *name;
    bool online, sync, manual;
    double typed;
    int counterBefore;
    const char *finalNo;
    int counterAfter;
    double deliveredAfter;
    double stockAfter;
};
void PrintTo(const ModeCase &c, std::ostream *os) { *os << c.name; }

class DeliveryModes : public DeliveryProcess, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DeliveryModes, NumberSourceStockAndCounterFollowTheMode) {
    const ModeCase &c = GetParam();
    auto delivery = newDelivery();
    const QString temporary = saved(*delivery);
    if (c.sync) { // a delivery copied from another site carries its final number already
        database().execute(QStringLiteral("Update Delivery_Master Set Delivery_No='01HODEL77', Delivery_Identity=77, "
                                          "Processed_Flag=1"));
        database().execute(QStringLiteral("Update Delivery_Detail Set Delivery_No='01HODEL77'"));
    }
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No=? Where Document_Prefix='DEL' and "
                                      "Branch_Prefix='HO'"),
                       {c.counterBefore});
    auto processor = newDelivery();
    processor->setDeliveryNo(c.sync ? QStringLiteral("01HODEL77") : temporary);
    processor->setOnlineFlag(c.online);
    processor->setSyncFlag(c.sync);
    processor->setDocManualFlag(c.manual);
    processor->setManualDeliveryIdentity(c.typed);
    ASSERT_TRUE(process(*processor)) << processor->ErrDesc().toStdString();
    EXPECT_EQ(processor->DeliveryNo(), QString::fromLatin1(c.finalNo));
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No=?"), {processor->DeliveryNo()}),
              4);
    EXPECT_EQ(counter(QStringLiteral("DEL")), c.counterAfter);
    EXPECT_EQ(delivered(0), c.deliveredAfter);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A100")), c.stockAfter);
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger")), c.stockAfter == 100 ? 0 : 6);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DeliveryModes,
    ::testing::Values(ModeCase{"Online", true, false, false, 0, 5, "01HODEL5", 6, 6, 94},
                      ModeCase{"OnlineWhateverTheSyncFlag", true, true, false, 0, 5, "01HODEL5", 6, 6, 94},
                      ModeCase{"OfflineNumbersAndRaisesTheSourceOnly", false, false, false, 0, 5, "01HODEL5", 6, 6, 100},
                      ModeCase{"SynchronisingKeepsTheNumberAndPostsOnly", false, true, false, 0, 5, "01HODEL77", 5, 0, 94},
                      ModeCase{"ManualRaisesTheCounterPastIt", true, false, true, 40, 35, "01HODEL40", 41, 6, 94},
                      ModeCase{"ManualAtTheCounter", false, false, true, 40, 40, "01HODEL40", 41, 6, 100},
                      ModeCase{"ManualBelowTheCounterLeavesIt", true, false, true, 40, 50, "01HODEL40", 50, 6, 94},
                      ModeCase{"ManualHalfGoesToEven", true, false, true, 12.5, 5, "01HODEL12", 13, 6, 94},
                      ModeCase{"ManualWhileSynchronising", false, true, true, 90, 5, "01HODEL77", 91, 0, 94}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DeliveryProcess, WhatEachSiblingIsHanded) {
    auto delivery = newDelivery();
    const QString temporary = saved(*delivery);
    database().execute(QStringLiteral("Update Delivery_Master Set Foreign_Currency_Flag=1, Exchange_Rate=4, "
                                      "Currency_Code='USD'"));
    RecordingScope reduce(ids::kReduceStock);
    reduce->script(QStringLiteral("ReduceStockInHand"), [](const RecordedCall &call) {
        return Reply{true, QString(), {{QStringLiteral("ItemType"), QVariant::fromValue(qint16(0))},
                                       {QStringLiteral("SellingValue"), call.arguments.at(0).toDouble() * 8}}};
    });
    RecordingScope movement(ids::kStockMovement);
    RecordingScope ledgerLines(ids::kGeneralLedger);
    RecordingScope location(ids::kLocationStock);
    RecordingScope inventory(ids::kInventory);
    inventory->output(QStringLiteral("InventoryAccountNo"), QStringLiteral("01HO1300"));
    RecordingScope currency(ids::kCurrency);
    currency->output(QStringLiteral("CurrencyName"), QStringLiteral("US Dollar"));
    currency->output(QStringLiteral("CurrencySymbol"), QStringLiteral("$"));
    delivery->setDeliveryNo(temporary);
    ASSERT_TRUE(process(*delivery)) << delivery->ErrDesc().toStdString();

    // Stock out for the three stock lines, item codes with the company, the stamp as text.
    const QList<RecordedCall> reductions = reduce->actions(QStringLiteral("ReduceStockInHand"));
    ASSERT_EQ(reductions.size(), 3);
    EXPECT_EQ(reduce->trace(reductions[0].object),
              (QStringList{QStringLiteral("AdoConnectionObject=(connection)"), QStringLiteral("BranchPrefix=HO"),
                           QStringLiteral("ItemCode=01A100"), QStringLiteral("UnitName=Nos"),
                           QStringLiteral("UnitPrice=12.5"), QStringLiteral("LastUpdate=05/Dec/2026"),
                           QStringLiteral("ReduceStockInHand(6)")}));

    // One movement object for the delivery; quantities in base units, the price per unit.
    const QList<RecordedCall> moves = movement->actions(QStringLiteral("StockMovement"));
    ASSERT_EQ(moves.size(), 3);
    EXPECT_EQ(movement->objectCount(), 1);
    const QVariantMap first = movement->propertiesAt(moves[0]);
    EXPECT_EQ(first.value(QStringLiteral("DocumentPrefix")).toString(), QStringLiteral("DEL"));
    EXPECT_EQ(first.value(QStringLiteral("DocumentType")).toString(), QStringLiteral("OUT"));
    EXPECT_EQ(first.value(QStringLiteral("OutQty")).toDouble(), 6);
    EXPECT_EQ(first.value(QStringLiteral("OutAmount")).toDouble(), 48);
    EXPECT_EQ(first.value(QStringLiteral("OutPrice")).toDouble(), 8);
    EXPECT_EQ(moves[0].arguments, QVariantList{6.0});

    // Foreign amounts converted at the delivery's rate, by the currency's name.
    const QList<RecordedCall> conversions = currency->actions(QStringLiteral("Convert_Into_FC"));
    ASSERT_EQ(conversions.size(), 6);
    EXPECT_EQ(conversions[0].arguments, (QVariantList{QStringLiteral("US Dollar"), 48.0, QVariant(), true, 4.0}));
    const QList<RecordedCall> inserts = ledgerLines->actions(QStringLiteral("GLInsert"));
    ASSERT_EQ(inserts.size(), 6);
    const QVariantMap credit = ledgerLines->propertiesAt(inserts[0]);
    EXPECT_EQ(credit.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO1300"));
    EXPECT_EQ(credit.value(QStringLiteral("GLDescription")).toString(),
              QStringLiteral("Inventory Account : Item Code - A100"));
    EXPECT_EQ(credit.value(QStringLiteral("GLCreditAmount")).toDouble(), 48);
    EXPECT_EQ(credit.value(QStringLiteral("FCGLCreditAmount")).toDouble(), 12);
    const QVariantMap debit = ledgerLines->propertiesAt(inserts[1]);
    EXPECT_EQ(debit.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO5000"));
    EXPECT_EQ(debit.value(QStringLiteral("GLDescription")).toString(),
              QStringLiteral("Cost Of Goods Account : Item Code - A100"));
    EXPECT_EQ(debit.value(QStringLiteral("FCGLDebitAmount")).toDouble(), 12);
    const QList<RecordedCall> chart = ledgerLines->actions(QStringLiteral("COAPosting"));
    EXPECT_EQ(chart[0].arguments, (QVariantList{QStringLiteral("01HO1300"), -48.0}));

    // Goods leave their location; what was on order is lowered in base units.
    const QList<RecordedCall> leaving = location->actions(QStringLiteral("UpdateLocationStock"));
    ASSERT_EQ(leaving.size(), 3);
    EXPECT_EQ(leaving[0].arguments.value(0).toInt(), 1);
    EXPECT_EQ(location->propertiesAt(leaving[0]).value(QStringLiteral("LocationQty")).toDouble(), 6);
    const QList<RecordedCall> lowered = inventory->actions(QStringLiteral("Update_Item_OrderedQty"));
    ASSERT_EQ(lowered.size(), 3);
    EXPECT_EQ(lowered[0].arguments, QVariantList{QStringLiteral("Decrease")});
    EXPECT_EQ(inventory->propertiesAt(lowered[0]).value(QStringLiteral("ItemQuantity")).toDouble(), 6);
}

struct SourceKindCase {
    const char *strFrom;
    bool order;
};

TEST_F(DeliveryProcess, TheSourceKindDecidesWhichDocumentIsRaised) {
    const SourceKindCase cases[] = {{"salesorder", true}, {"SALESORDER", true}, {"CashMemo", false}, {"", false},
                                    {" SalesOrder", false}};
    for (const SourceKindCase &c : cases) {
        SCOPED_TRACE(c.strFrom);
        database().execute(QStringLiteral("Delete from Cash_Memo_Master"));
        database().execute(QStringLiteral("Delete from Cash_Memo_Detail"));
        database().execute(QStringLiteral("Update Sales_Order_Detail Set Sales_Ord_Delivered_Qty=0"));
        auto delivery = newDelivery();
        saved(*delivery);
        // A cash memo of the same number and lines, as if the delivery had been raised on it.
        database().execute(QStringLiteral("Insert into Cash_Memo_Master (Cash_Memo_No) values ('01HOSOR1')"));
        database().execute(QStringLiteral("Insert into Cash_Memo_Detail (Cash_Memo_No, SL_No, Item_Code, Item_Name, "
                                          "Cash_Memo_Qty) Select Sales_Ord_No, SL_No, Item_Code, Item_Name, "
                                          "Sales_Ord_Ordered_Qty from Sales_Order_Detail"));
        delivery->setOnlineFlag(false);
        ASSERT_TRUE(process(*delivery, QString::fromLatin1(c.strFrom))) << delivery->ErrDesc().toStdString();
        EXPECT_EQ(delivered(0), c.order ? 6 : 0);
        EXPECT_EQ(value(QStringLiteral("Select sum(Cash_Memo_Delivered_Qty) from Cash_Memo_Detail")),
                  c.order ? 0 : 12);
        EXPECT_EQ(value(QStringLiteral("Select Delivered_Flag from Cash_Memo_Master")), c.order ? 0 : 1);
    }
}

TEST_F(DeliveryProcess, AMissingSalesPreferenceStopsAfterStockWithTheDocumentsOwnMessage) {
    auto delivery = newDelivery();
    saved(*delivery);
    database().execute(QStringLiteral("Delete from Default_Sales_Preferences Where Branch_Prefix='HO'"));
    RecordingScope counterDouble(ids::kCounterTransaction);
    counterDouble->output(QStringLiteral("NextDocumentNo"), 2.0);
    EXPECT_FALSE(process(*delivery));
    EXPECT_EQ(delivery->ErrDesc(), QStringLiteral("Set the Sales default settings in the Sales Preferences"));
    // Renumbered and processed, the order raised, the stock out and moved; no cost posted, no
    // project line, and the counter not advanced.
    EXPECT_EQ(delivery->DeliveryNo(), QStringLiteral("01HODEL2"));
    EXPECT_EQ(value(QStringLiteral("Select Processed_Flag from Delivery_Master")), 1);
    EXPECT_EQ(delivered(0), 6);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A100")), 94);
    EXPECT_EQ(database().count(QStringLiteral("Stock_Movement")), 3);
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger")), 0);
    EXPECT_EQ(database().count(QStringLiteral("Project_Transaction")), 0);
    const QList<RecordedCall> taken = counterDouble->actions(QStringLiteral("Get_Last_Counter"));
    ASSERT_EQ(taken.size(), 1);
    EXPECT_EQ(taken[0].arguments.size(), 1); // the one-argument form gives final numbers
    EXPECT_EQ(counterDouble->actions(QStringLiteral("Increase_Counter")).size(), 0);
}

TEST_F(DeliveryProcess, FailuresLeaveWhatWasWrittenBeforeThem) {
    struct Case {
        const char *name;
        QString before; // a statement that spoils the saved delivery
        QString message;
        int processed;
        double deliveredAfter;
    };
    const Case cases[] = {
        {"unknown currency", QStringLiteral("Update Delivery_Master Set Currency_Code='XXX'"),
         QStringLiteral("Invalid Currency Code"), 0, 0},
        {"no lines under the temporary number", QStringLiteral("Delete from Delivery_Detail"),
         QStringLiteral("Error while Processing, Invalid Temporary Delivery No."), 1, 0},
        {"source line gone", QStringLiteral("Delete from Sales_Order_Detail Where Item_Code='01K100'"),
         QStringLiteral("Invalid Item Details"), 1, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        database().execute(QStringLiteral("Delete from Delivery_Master"));
        auto delivery = newDelivery();
        saved(*delivery);
        database().execute(c.before);
        EXPECT_FALSE(process(*delivery));
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_EQ(value(QStringLiteral("Select Processed_Flag from Delivery_Master")), c.processed);
        EXPECT_EQ(delivered(0), c.deliveredAfter);
        EXPECT_EQ(database().count(QStringLiteral("Stock_Movement")), 0);
    }
    auto unknown = newDelivery();
    unknown->setDeliveryNo(QStringLiteral("01HODELTMP404"));
    EXPECT_FALSE(process(*unknown));
    EXPECT_EQ(unknown->ErrDesc(), QStringLiteral("Invalid Delivery No"));
}

} // namespace
} // namespace orbsales::testing
