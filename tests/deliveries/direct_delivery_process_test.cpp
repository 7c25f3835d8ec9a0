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
        QStringList service = directLine(QStringLiteral("S100"), QStringLiteral("1"), QStringLiteral("150"),
                                         QStringLiteral("Hrs"));
        service[15] = QStringLiteral("01HOPRJ0042");
        lines.setRow(1, directLine(QStringLiteral("A100"), QStringLiteral("2"), QStringLiteral("25")));
        lines.setRow(2, service);
        lines.setRow(3, directLine(QStringLiteral("A200"), QStringLiteral("1"), QStringLiteral("0"),
                                   QStringLiteral("Nos"), QStringLiteral("1")));
        lines.setRow(4, directLine(QStringLiteral("K100"), QStringLiteral("1"), QStringLiteral("95"),
                                   QStringLiteral("Set")));
        database().execute(QStringLiteral("Insert into Customer_Price_List (Customer_Code, Item_Code, Unit_ID, "
                                          "Unit_Name, Selling_Price, Last_Selling_Price) values ('01C002', '01A100', "
                                          "1, 'Nos', 12, 11), ('01C002', '01A200', 1, 'Nos', 39, 38)"));
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
    EXPECT_EQ(p->DirectDeliveryNo(), QStringLiteral("01HODDL2"));
    EXPECT_EQ(p->DirectDeliveryIdentity(), 2);
    EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Master"),
                               QStringLiteral("Direct_Delivery_No='01HODDL2' and Processed_Flag=1 and "
                                              "Allow_Cancel_Flag=0 and Direct_Delivery_Identity=2")),
              1);
    EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Detail"), QStringLiteral("Direct_Delivery_No='01HODDL2'")),
              4);

    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A100")), 98);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A200")), 99);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01K100")), 99);
    EXPECT_EQ(value(QStringLiteral("Select Location_Qty from Location_Stock Where Item_Code='01K100' and "
                                   "Branch_Prefix='HO'")),
              99);
    // The service line carries no value; the free gadget and the tool kit are at cost.
    EXPECT_EQ(rows(QStringLiteral("Select Inventory_Value from Direct_Delivery_Detail Order by SL_No")),
              (QList<QStringList>{{QStringLiteral("15")}, {QStringLiteral("NULL")}, {QStringLiteral("24")},
                                  {QStringLiteral("57")}}));

    EXPECT_EQ(ledger(QStringLiteral("01HODDL2")),
              (QStringList{QStringLiteral("01HO1300 0 15"), QStringLiteral("01HO5000 15 0"),
                           QStringLiteral("01HO1300 0 24"), QStringLiteral("01HO5100 24 0"),
                           QStringLiteral("01HO1300 0 57"), QStringLiteral("01HO5000 57 0")}));
    EXPECT_EQ(database().scalar(QStringLiteral("Select GL_Description from General_Ledger Where Account_No='01HO5100'")),
              QVariant(QStringLiteral("Free of Cost Account : Item Code - A200")));
    EXPECT_EQ(database().count(QStringLiteral("Stock_Movement"), QStringLiteral("Document_No='01HODDL2' and "
                                                                                "Document_Prefix='DDL'")),
              3);
    EXPECT_EQ(value(QStringLiteral("Select Projd_Credit_Amount from Project_Transaction Where Document_No='01HODDL2'")),
              150);
    EXPECT_EQ(value(QStringLiteral("Select Last_Selling_Price from Customer_Price_List Where Item_Code='01A100'")), 10);
    EXPECT_EQ(value(QStringLiteral("Select Last_Selling_Price from Customer_Price_List Where Item_Code='01A200'")), 38);
    EXPECT_EQ(counter(QStringLiteral("DDL")), 3);
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());

    // The same object reloads the header only now.
    MemoryGrid shown(6, 19);
    p->setDeliveryGridName(&shown);
    ASSERT_TRUE(p->Get_Direct_Delivery());
    EXPECT_EQ(shown.cellText(1, 1), QString());
    EXPECT_TRUE(p->ProcessFlag());
}

struct ModeCase {
    const char *name;
    bool online, sync, manual;
    double typed;
    int counterBefore;
    const char *finalNo;
    int counterAfter;
    bool increased;
    bool posted;
};
void PrintTo(const ModeCase &c, std::ostream *os) { *os << c.name; }

class DirectModes : public DirectProcess, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DirectModes, NumberPostingsAndCounterFollowTheMode) {
    const ModeCase &c = GetParam();
    const QString temporary = created();
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No=? Where Document_Prefix='DDL' and "
                                      "Branch_Prefix='HO'"),
                       {c.counterBefore});
    RecordingScope counterDouble(ids::kCounterTransaction);
    counterDouble->output(QStringLiteral("NextDocumentNo"), double(c.counterBefore));
    auto p = processor(temporary);
    p->setOnlineFlag(c.online);
    p->setSyncFlag(c.sync);
    p->setDocFlag(c.manual);
    p->setmanualDocIdentity(c.typed);
    ASSERT_TRUE(p->Process_Direct_Delivery()) << p->ErrDesc().toStdString();
    EXPECT_EQ(p->DirectDeliveryNo(), QString::fromLatin1(c.finalNo));
    EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Master"), QStringLiteral("Direct_Delivery_No=?"),
                               {p->DirectDeliveryNo()}),
              1);
    EXPECT_EQ(counter(QStringLiteral("DDL")), c.counterAfter);
    EXPECT_EQ(counterDouble->actions(QStringLiteral("Increase_Counter")).size(), c.increased ? 1 : 0);
    EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A100")), c.posted ? 98 : 100);
    EXPECT_EQ(database().count(QStringLiteral("Project_Transaction")), c.posted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DirectModes,
    ::testing::Values(
        ModeCase{"Online", true, false, false, 0, 9, "01HODDL9", 9, true, true},
        ModeCase{"OfflineNumbersOnlyAndLeavesTheCounter", false, false, false, 0, 9, "01HODDL9", 9, false, false},
        ModeCase{"SynchronisingKeepsTheTemporaryNumber", false, true, false, 0, 9, "01HODDLTMP1", 9, false, true},
        ModeCase{"ManualRaisesTheCounterPastIt", true, false, true, 120, 100, "01HODDL120", 121, false, true},
        ModeCase{"ManualBelowTheCounterLeavesIt", true, false, true, 120, 130, "01HODDL120", 130, false, true},
        ModeCase{"ManualOfflineDoesNotRaise", false, false, true, 120, 100, "01HODDL120", 100, false, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DirectProcess, WhatEachSiblingIsHanded) {
    const QString temporary = created();
    database().execute(QStringLiteral("Update Direct_Delivery_Master Set Foreign_Currency_Flag=1, Exchange_Rate=4"));
    RecordingScope general(ids::kGeneral);
    general->script(QStringLiteral("GetFldValue"), [](const RecordedCall &call) {
        const QString item = call.arguments.at(3).toString();
        return Reply{item == QStringLiteral("01S100") ? QStringLiteral("1") : QStringLiteral("0"), QString(), {}};
    });
    RecordingScope reduce(ids::kReduceStock);
    reduce->script(QStringLiteral("ReduceStockInHand"), [](const RecordedCall &call) {
        const double quantity = call.arguments.at(0).toDouble();
        return Reply{true, QString(), {{QStringLiteral("ItemType"), QVariant::fromValue(qint16(0))},
                                       {QStringLiteral("SellingValue"), quantity * 6},
                                       {QStringLiteral("TotalQty"), quantity * 12}}};
    });
    RecordingScope movement(ids::kStockMovement);
    RecordingScope ledgerLines(ids::kGeneralLedger);
    RecordingScope currency(ids::kCurrency);
    auto p = processor(temporary);
    ASSERT_TRUE(p->Process_Direct_Delivery()) << p->ErrDesc().toStdString();

    // One general lookup object for all lines; the service is asked but moves nothing.
    EXPECT_EQ(general->objectCount(), 1);
    const QList<RecordedCall> asked = general->actions(QStringLiteral("GetFldValue"));
    ASSERT_EQ(asked.size(), 4);
    EXPECT_EQ(asked[0].arguments.mid(0, 5), (QVariantList{QStringLiteral("Item_Master"), QStringLiteral("Item_Type"),
                                                          QStringLiteral("Item_Code"), QStringLiteral("01A100"), false}));
    const QList<RecordedCall> reductions = reduce->actions(QStringLiteral("ReduceStockInHand"));
    ASSERT_EQ(reductions.size(), 3);
    EXPECT_EQ(reduce->trace(reductions[0].object),
              (QStringList{QStringLiteral("AdoConnectionObject=(connection)"), QStringLiteral("BranchPrefix=HO"),
                           QStringLiteral("ItemCode=01A100"), QStringLiteral("UnitName=Nos"),
                           QStringLiteral("LastUpdate=2026-12-05 10:30:00"), QStringLiteral("ReduceStockInHand(2)")}));

    // The movement takes the base quantity the stock reduction reported, and its price.
    const QList<RecordedCall> moves = movement->actions(QStringLiteral("StockMovement"));
    ASSERT_EQ(moves.size(), 3);
    const QVariantMap first = movement->propertiesAt(moves[0]);
    EXPECT_EQ(first.value(QStringLiteral("OutQty")).toDouble(), 24);
    EXPECT_EQ(first.value(QStringLiteral("OutAmount")).toDouble(), 12);
    EXPECT_EQ(first.value(QStringLiteral("OutPrice")).toDouble(), 0.5);
    EXPECT_EQ(first.value(QStringLiteral("DocumentPrefix")).toString(), QStringLiteral("DDL"));
    EXPECT_EQ(first.value(QStringLiteral("StockComments")).toString(), QStringLiteral(" "));
    EXPECT_EQ(moves[0].arguments, QVariantList{24.0});

    // Foreign amounts by the currency's code at the delivery's rate.
    const QList<RecordedCall> conversions = currency->actions(QStringLiteral("Convert_Into_FC"));
    ASSERT_EQ(conversions.size(), 6);
    EXPECT_EQ(conversions[0].arguments, (QVariantList{QStringLiteral("AED"), 12.0, QVariant(), true, 4.0}));
    const QList<RecordedCall> inserts = ledgerLines->actions(QStringLiteral("GLInsert"));
    ASSERT_EQ(inserts.size(), 6);
    EXPECT_EQ(ledgerLines->propertiesAt(inserts[0]).value(QStringLiteral("FCGLCreditAmount")).toDouble(), 3);
    EXPECT_EQ(ledgerLines->propertiesAt(inserts[3]).value(QStringLiteral("GLDescription")).toString(),
              QStringLiteral("Free of Cost Account : Item Code - A200"));
}

TEST_F(DirectProcess, FailuresKeepWhatWasDoneBeforeThem) {
    {
        SCOPED_TRACE("a base quantity of 0 cannot be priced");
        const QString temporary = created();
        RecordingScope reduce(ids::kReduceStock);
        reduce->output(QStringLiteral("ItemType"), QVariant::fromValue(qint16(0)));
        reduce->output(QStringLiteral("SellingValue"), 5.0);
        reduce->output(QStringLiteral("TotalQty"), 0.0);
        auto p = processor(temporary);
        EXPECT_FALSE(p->Process_Direct_Delivery());
        EXPECT_EQ(p->ErrDesc(), QStringLiteral("Division by zero"));
        EXPECT_EQ(ledger(p->DirectDeliveryNo()).size(), 2); // the first line's cost was posted
    }
    {
        SCOPED_TRACE("no sales preferences for the branch");
        const QString temporary = created();
        database().execute(QStringLiteral("Delete from Default_Sales_Preferences Where Branch_Prefix='HO'"));
        auto p = processor(temporary);
        EXPECT_FALSE(p->Process_Direct_Delivery());
        EXPECT_EQ(p->ErrDesc(), QStringLiteral("Set the Sales default settings in the Sales Preferences"));
        EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Master"),
                                   QStringLiteral("Direct_Delivery_No=? and Processed_Flag=1"), {p->DirectDeliveryNo()}),
                  1);
        EXPECT_EQ(database().count(QStringLiteral("Stock_Movement"), QStringLiteral("Document_No=?"),
                                   {p->DirectDeliveryNo()}),
                  0);
        EXPECT_EQ(item("Stock_In_Hand", QStringLiteral("01A100")), 98); // taken out before the ledger refused
    }
    {
        SCOPED_TRACE("unknown currency and unknown number");
        const QString temporary = created();
        database().execute(QStringLiteral("Update Direct_Delivery_Master Set Currency_Code='XXX' Where "
                                          "Direct_Delivery_No=?"),
                           {temporary});
        auto p = processor(temporary);
        EXPECT_FALSE(p->Process_Direct_Delivery());
        EXPECT_EQ(p->ErrDesc(), QStringLiteral("Invalid Currency Code"));
        auto missing = processor(QStringLiteral("01HODDLTMP404"));
        EXPECT_FALSE(missing->Process_Direct_Delivery());
        EXPECT_EQ(missing->ErrDesc(), QStringLiteral("Invalid Delivery No"));
    }
}

} // namespace
} // namespace orbsales::testing
