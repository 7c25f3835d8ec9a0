#include "deliveries/direct_delivery_fixture.h"
#include "services/recording_doubles.h"

#include "orbsales/services/package/books.h"
#include "orbsales/services/service_ids.h"

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

// A direct delivery of 2 widgets (cost 7.50 each), an hour of installation on a project, a
// free gadget (cost 24) and a tool kit (an assembly, cost 57).
class DirectProcess : public DirectDeliveryTest {
protected:
    void SetUp() override {
        DirectDeliveryTest::SetUp();
        if (!db)
            return;
        QStringList service = directLine("S100", "1", "150", "Hrs");
        service[15] = "01HOPRJ0042";
        lines.setRow(1, directLine("A100", "2", "25"));
        lines.setRow(2, service);
        lines.setRow(3, directLine("A200", "1", "0", "Nos", "1"));
        lines.setRow(4, directLine("K100", "1", "95", "Set"));
        database().execute("Insert into Customer_Price_List (Customer_Code, Item_Code, Unit_ID, "
                           "Unit_Name, Selling_Price, Last_Selling_Price) values ('01C002', '01A100', "
                           "1, 'Nos', 12, 11), ('01C002', '01A200', 1, 'Nos', 39, 38)");
    }
    QString created() {
        EXPECT_TRUE(direct->Create_Direct_Delivery()) << direct->ErrDesc().toStdString();
        return direct->DirectDeliveryNo();
    }
    std::unique_ptr<DirectDelivery> processor(const QString &number) {
        auto d = newDirect();
        d->setDirectDeliveryNo(number);
        d->setOnlineFlag(true);
        return d;
    }
};

TEST_F(DirectProcess, OnlineStockCostLocationProjectAndPricesAllFollow) {
    const QString temporary = created();
    auto p = processor(temporary);
    ASSERT_TRUE(p->Process_Direct_Delivery()) << p->ErrDesc().toStdString();
    EXPECT_EQ(p->DirectDeliveryNo(), "01HODDL2");
    EXPECT_EQ(p->DirectDeliveryIdentity(), 2);
    EXPECT_EQ(database().count("Direct_Delivery_Master", "Direct_Delivery_No='01HODDL2' and Processed_Flag=1 and "
                                                         "Allow_Cancel_Flag=0 and Direct_Delivery_Identity=2"),
              1);
    EXPECT_EQ(database().count("Direct_Delivery_Detail", "Direct_Delivery_No='01HODDL2'"), 4);

    EXPECT_EQ(item("Stock_In_Hand", "01A100"), 98);
    EXPECT_EQ(item("Stock_In_Hand", "01A200"), 99);
    EXPECT_EQ(item("Stock_In_Hand", "01K100"), 99);
    EXPECT_EQ(value("Select Location_Qty from Location_Stock Where Item_Code='01K100' and "
                    "Branch_Prefix='HO'"),
              99);
    // The service line carries no value; the free gadget and the tool kit are at cost.
    EXPECT_EQ(text("Direct_Delivery_Detail", "Inventory_Value", "Order by SL_No"), "15 / NULL / 24 / 57");
    EXPECT_EQ(ledger("01HODDL2"),
              "01HO1300|0|15 / 01HO5000|15|0 / 01HO1300|0|24 / 01HO5100|24|0 / 01HO1300|0|57 / 01HO5000|57|0");
    EXPECT_EQ(database().scalar("Select GL_Description from General_Ledger Where Account_No='01HO5100'"),
              QVariant("Free of Cost Account : Item Code - A200"));
    EXPECT_EQ(database().count("Stock_Movement", "Document_No='01HODDL2' and "
                                                 "Document_Prefix='DDL'"),
              3);
    EXPECT_EQ(value("Select Projd_Credit_Amount from Project_Transaction Where Document_No='01HODDL2'"), 150);
    EXPECT_EQ(text("Customer_Price_List", "Last_Selling_Price",
                   "Where Customer_Code='01C002' and Item_Code in ('01A100', '01A200') Order by Item_Code"),
              "10 / 38");
    EXPECT_EQ(counter("DDL"), 3);
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());

    // The same object reloads the header only now.
    MemoryGrid shown(6, 19);
    p->setDeliveryGridName(&shown);
    ASSERT_TRUE(p->Get_Direct_Delivery());
    EXPECT_EQ(shown.cellText(1, 1), QString());
    EXPECT_TRUE(p->ProcessFlag());
}

// Online numbers, posts and raises the counter through the counter service; offline numbers
// only; synchronising keeps the temporary number and posts; a typed number raises the counter
// past it online, never lowers it, and offline leaves it.
TEST_F(DirectProcess, NumberPostingsAndCounterFollowTheMode) {
    const struct {
        const char *name;
        bool online, sync, manual;
        double typed;
        int counterBefore;
        const char *finalNo;
        int counterAfter;
        bool increased, posted;
    } cases[] = {
        {"online", true, false, false, 0, 9, "01HODDL9", 9, true, true},
        {"offline", false, false, false, 0, 9, "01HODDL9", 9, false, false},
        {"synchronising", false, true, false, 0, 9, "01HODDLTMP1", 9, false, true},
        {"manual above the counter", true, false, true, 120, 100, "01HODDL120", 121, false, true},
        {"manual below the counter", true, false, true, 120, 130, "01HODDL120", 130, false, true},
        // Offline, a typed number still raises the counter, or the counter would give it again.
        {"manual offline", false, false, true, 120, 100, "01HODDL120", 121, false, false},
        {"manual offline below the counter", false, false, true, 120, 130, "01HODDL120", 130, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        const QString temporary = created();
        database().execute("Update Document_Prefix Set Document_Next_No=? Where Document_Prefix='DDL' and "
                           "Branch_Prefix='HO'",
                           {c.counterBefore});
        RecordingScope counterDouble(ids::kCounterTransaction);
        counterDouble->output("NextDocumentNo", double(c.counterBefore));
        auto p = processor(temporary);
        assign(*p, "OnlineFlag", c.online, "SyncFlag", c.sync, "DocFlag", c.manual, "manualDocIdentity", c.typed);
        ASSERT_TRUE(p->Process_Direct_Delivery()) << p->ErrDesc().toStdString();
        EXPECT_EQ(p->DirectDeliveryNo(), c.finalNo);
        EXPECT_EQ(database().count("Direct_Delivery_Master", "Direct_Delivery_No=?", {p->DirectDeliveryNo()}), 1);
        EXPECT_EQ(counter("DDL"), c.counterAfter);
        EXPECT_EQ(counterDouble->actions("Increase_Counter").size(), c.increased ? 1 : 0);
        EXPECT_EQ(item("Stock_In_Hand", "01A100"), c.posted ? 98 : 100);
        EXPECT_EQ(database().count("Project_Transaction"), c.posted ? 1 : 0);
    }
}

TEST_F(DirectProcess, WhatEachSiblingIsHanded) {
    const QString temporary = created();
    database().execute("Update Direct_Delivery_Master Set Foreign_Currency_Flag=1, Exchange_Rate=4");
    RecordingScope general(ids::kGeneral);
    general->script("GetFldValue", [](const RecordedCall &call) {
        const QString item = call.arguments.at(3).toString();
        return Reply{item == "01S100" ? "1" : "0", QString(), {}};
    });
    RecordingScope reduce(ids::kReduceStock);
    reduce->script("ReduceStockInHand", [](const RecordedCall &call) {
        const double quantity = call.arguments.at(0).toDouble();
        return Reply{true,
                     QString(),
                     {{"ItemType", QVariant::fromValue(qint16(0))},
                      {"SellingValue", quantity * 6},
                      {"TotalQty", quantity * 12}}};
    });
    RecordingScope movement(ids::kStockMovement);
    RecordingScope ledgerLines(ids::kGeneralLedger);
    RecordingScope currency(ids::kCurrency);
    auto p = processor(temporary);
    ASSERT_TRUE(p->Process_Direct_Delivery()) << p->ErrDesc().toStdString();

    // One general lookup object for all lines; the service is asked but moves nothing.
    EXPECT_EQ(general->objectCount(), 1);
    const QList<RecordedCall> asked = general->actions("GetFldValue");
    ASSERT_EQ(asked.size(), 4);
    EXPECT_EQ(asked[0].arguments.mid(0, 5), (QVariantList{"Item_Master", "Item_Type", "Item_Code", "01A100", false}));
    const QList<RecordedCall> reductions = reduce->actions("ReduceStockInHand");
    ASSERT_EQ(reductions.size(), 3);
    EXPECT_EQ(reduce->trace(reductions[0].object).join('|'),
              "AdoConnectionObject=(connection)|BranchPrefix=HO|ItemCode=01A100|UnitName=Nos|LastUpdate=2026-12-05 "
              "10:30:00|ReduceStockInHand(2)");

    // The movement takes the base quantity the stock reduction reported, and its price.
    const QList<RecordedCall> moves = movement->actions("StockMovement");
    ASSERT_EQ(moves.size(), 3);
    EXPECT_EQ(named(movement->propertiesAt(moves[0]), "OutQty OutAmount OutPrice DocumentPrefix StockComments"),
              "24|12|0.5|DDL| ");
    EXPECT_EQ(moves[0].arguments, QVariantList{24.0});

    // Foreign amounts by the currency's code at the delivery's rate.
    const QList<RecordedCall> conversions = currency->actions("Convert_Into_FC");
    ASSERT_EQ(conversions.size(), 6);
    EXPECT_EQ(conversions[0].arguments, (QVariantList{"AED", 12.0, QVariant(), true, 4.0}));
    const QList<RecordedCall> inserts = ledgerLines->actions("GLInsert");
    ASSERT_EQ(inserts.size(), 6);
    EXPECT_EQ(named(ledgerLines->propertiesAt(inserts[0]), "FCGLCreditAmount"), "3");
    EXPECT_EQ(named(ledgerLines->propertiesAt(inserts[3]), "GLDescription"), "Free of Cost Account : Item Code - A200");
}

TEST_F(DirectProcess, FailuresKeepWhatWasDoneBeforeThem) {
    {
        SCOPED_TRACE("a base quantity of 0 cannot be priced");
        const QString temporary = created();
        RecordingScope reduce(ids::kReduceStock);
        reduce->output("ItemType", QVariant::fromValue(qint16(0)));
        reduce->output("SellingValue", 5.0);
        reduce->output("TotalQty", 0.0);
        auto p = processor(temporary);
        EXPECT_FALSE(p->Process_Direct_Delivery());
        EXPECT_EQ(p->ErrDesc(), "Division by zero");
        EXPECT_EQ(database().count("General_Ledger", "Document_No=?", {p->DirectDeliveryNo()}),
                  2); // the first line's cost was posted
    }
    {
        SCOPED_TRACE("no sales preferences for the branch");
        const QString temporary = created();
        database().execute("Delete from Default_Sales_Preferences Where Branch_Prefix='HO'");
        auto p = processor(temporary);
        EXPECT_FALSE(p->Process_Direct_Delivery());
        EXPECT_EQ(p->ErrDesc(), "Set the Sales default settings in the Sales Preferences");
        EXPECT_EQ(database().count("Direct_Delivery_Master", "Direct_Delivery_No=? and Processed_Flag=1",
                                   {p->DirectDeliveryNo()}),
                  1);
        EXPECT_EQ(database().count("Stock_Movement", "Document_No=?", {p->DirectDeliveryNo()}), 0);
        EXPECT_EQ(item("Stock_In_Hand", "01A100"), 98); // taken out before the ledger refused
    }
    {
        SCOPED_TRACE("unknown currency and unknown number");
        const QString temporary = created();
        database().execute("Update Direct_Delivery_Master Set Currency_Code='XXX' Where "
                           "Direct_Delivery_No=?",
                           {temporary});
        auto p = processor(temporary);
        EXPECT_FALSE(p->Process_Direct_Delivery());
        EXPECT_EQ(p->ErrDesc(), "Invalid Currency Code");
        auto missing = processor("01HODDLTMP404");
        EXPECT_FALSE(missing->Process_Direct_Delivery());
        EXPECT_EQ(missing->ErrDesc(), "Invalid Delivery No");
    }
}

} // namespace
} // namespace orbsales::testing
