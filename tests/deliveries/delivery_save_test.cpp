#include "deliveries/delivery_fixture.h"
#include "services/recording_doubles.h"

#include "orbsales/services/service_ids.h"

#include <functional>

namespace orbsales::testing {
namespace {

using DeliverySave = DeliveryTest;

// {"", tick, code, name, unit code, unit, unit qty, qty, project, source SL, price, disc, FC disc,
//  amount, FC amount, FC price, open, ordered, overall disc, FC overall disc, location, id, FOC}
QStringList row(const QString &tick, const QString &code, const QString &qty, const QString &unit = QStringLiteral("Nos"),
                const QString &overall = QStringLiteral("0"), const QString &fcOverall = QStringLiteral("0")) {
    return {QString(), tick, code, QStringLiteral("Item ") + code, QStringLiteral("1"), unit, QStringLiteral("1"), qty,
            QString(), QStringLiteral("3"), QStringLiteral("12.5"), QString(), QString(), QStringLiteral("25"),
            QStringLiteral("25"), QStringLiteral("12.5"), qty, QStringLiteral("4"), overall, fcOverall,
            QStringLiteral("Main Warehouse"), QStringLiteral("1"), QStringLiteral("0")};
}

struct Refusal {
    const char *name;
    std::function<void(Delivery &)> spoil;
    QString message;
};

TEST_F(DeliverySave, ValidationStopsAtTheFirstFailureAndWritesNothing) {
    Connection closed;
    const Refusal cases[] = {
        {"connection never opened", [&](Delivery &d) { d.setAdoDBConnectionObject(&closed); },
         QStringLiteral("Connection not opened")},
        {"no connection object", [](Delivery &d) { d.setAdoDBConnectionObject(nullptr); },
         QStringLiteral("Connection not opened")},
        {"blank source", [](Delivery &d) { d.setSourceNo(QStringLiteral("   ")); },
         QStringLiteral("Invalid Sales Order or Cash Memo No")},
        {"blank source prefix", [](Delivery &d) { d.setSourcePrefix(QStringLiteral(" ")); },
         QStringLiteral("Invalid Sales Order or Cash Memo Prefix")},
    };
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("2")));
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        auto delivery = newDelivery();
        c.spoil(*delivery);
        EXPECT_FALSE(delivery->Create_Delivery());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_FALSE(delivery->Update_Delivery());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
    }
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Master")), 0);
    EXPECT_EQ(counter(QStringLiteral("DEL")), 1);
}

TEST_F(DeliverySave, CreatesTheTemporaryNumberMasterAndTheTickedLines) {
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No = 7 Where Document_Prefix = 'DEL'"));
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral(" A100 "), QStringLiteral("2.5"), QStringLiteral("Box-Monthly"),
                       QStringLiteral("10"), QStringLiteral("0.04")));
    grid.setRow(2, row(QStringLiteral("0"), QStringLiteral("A200"), QStringLiteral("1")));
    grid.setRow(3, row(QStringLiteral("True"), QString(), QStringLiteral("2.5 boxes"), QStringLiteral("Nos"),
                       QStringLiteral("0"), QStringLiteral("9")));
    grid.setRow(5, row(QStringLiteral("1"), QStringLiteral("C300"), QStringLiteral("9")));
    auto delivery = newDelivery();
    delivery->setCustomerName(kHostile);
    delivery->setDeliveryComments(QStringLiteral("   "));
    delivery->setEmployeeName(QStringLiteral("Sam"));
    delivery->setExchangeRate(3.5);
    delivery->setCurrencySymbol(QStringLiteral("?"));
    ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->DeliveryNo(), QStringLiteral("01HODELTMP7"));
    EXPECT_EQ(delivery->DeliveryIdentity(), 7);
    EXPECT_EQ(delivery->CurrencySymbol(), QStringLiteral("Dhs"));
    EXPECT_EQ(counter(QStringLiteral("DEL")), 8);

    // Blank comments are NULL, a blank reference two blanks, no employee ID neither employee column.
    EXPECT_EQ(rows(QStringLiteral("Select customer_name, Delivery_Comments, Delivery_Ref_No, Employee_Name, "
                                  "Exchange_Rate, Address_Code, Last_Update from Delivery_Master")),
              (QList<QStringList>{{kHostile, QStringLiteral("NULL"), QStringLiteral("  "), QStringLiteral("NULL"),
                                   QStringLiteral("1"), QStringLiteral("NULL"), QStringLiteral("2026-12-05 00:00:00")}}));

    // Row 2 is not ticked, row 3 has a name only, the blank row 4 ends the lines. The overall
    // discount share is 10 / 4 ordered x 2.5 delivered = 6.25, and 0.025 -> 0.02 (half to even);
    // without an overall discount no share is written, whatever the foreign one says.
    EXPECT_EQ(rows(QStringLiteral("Select Item_Code, Item_Name, Unit_Name, Period_Type, Delivery_Qty, "
                                  "Sales_Ord_Dtl_SL_No, Delivery_Dtl_Unit_Price, Sales_Ord_Overall_Disc, "
                                  "Sales_Ord_Overall_FC_Disc from Delivery_Detail Order by SL_No")),
              (QList<QStringList>{
                  {QStringLiteral("01A100"), QStringLiteral("Item  A100"), QStringLiteral("Box"), QStringLiteral("Monthly"),
                   QStringLiteral("2.5"), QStringLiteral("3"), QStringLiteral("12.5"), QStringLiteral("6.25"),
                   QStringLiteral("0.02")},
                  {QStringLiteral("NULL"), QStringLiteral("Item"), QStringLiteral("Nos"), QStringLiteral("NULL"),
                   QStringLiteral("2.5"), QStringLiteral("3"), QStringLiteral("12.5"), QStringLiteral("NULL"),
                   QStringLiteral("NULL")}}));
}

TEST_F(DeliverySave, OnlyAnUnpaidCashDeliveryCarriesItsTotalAsBalance) {
    const struct {
        const char *paymentType;
        bool paid, carriesBalance;
    } cases[] = {{"cash", false, true}, {"CASH", false, true}, {"Cash", true, false}, {"Credit", false, false},
                 {" Cash", false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.paymentType);
        auto delivery = newDelivery();
        delivery->setPaymentType(QString::fromLatin1(c.paymentType));
        delivery->setPaidFlag(c.paid);
        delivery->setDeliveryTotalAmount(120);
        delivery->setDeliveryFCTotalAmount(32.5);
        ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
        const QStringList expected = c.carriesBalance ? QStringList{QStringLiteral("120"), QStringLiteral("32.5")}
                                                      : QStringList{QStringLiteral("NULL"), QStringLiteral("NULL")};
        EXPECT_EQ(rows(QStringLiteral("Select Balance_Amount, Balance_FCAmount from Delivery_Master Where Delivery_No=?"),
                       {delivery->DeliveryNo()})
                      .value(0),
                  expected);
    }
}

TEST_F(DeliverySave, SerialsRunAcrossDeliveriesAndAnUpdateRewritesTheLines) {
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("2")));
    grid.setRow(2, row(QStringLiteral("1"), QStringLiteral("A200"), QStringLiteral("1")));
    auto first = newDelivery();
    ASSERT_TRUE(first->Create_Delivery());
    auto second = newDelivery();
    ASSERT_TRUE(second->Create_Delivery());
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No=? and SL_No in (3, 4)"),
                               {second->DeliveryNo()}),
              2);

    grid.setCellText(1, 1, QStringLiteral("0")); // no longer ticked
    grid.setCellText(2, 7, QStringLiteral("5"));
    ASSERT_TRUE(first->Update_Delivery()) << first->ErrDesc().toStdString();
    EXPECT_EQ(first->DeliveryNo(), QStringLiteral("01HODELTMP1"));
    const Connection::Result lines = database().connection().select(
        QStringLiteral("Select SL_No, Item_Code, Delivery_Qty from Delivery_Detail Where Delivery_No=?"),
        {first->DeliveryNo()});
    EXPECT_EQ(lines.rows, (QList<QVariantList>{{5, QStringLiteral("01A200"), 5.0}}));
    EXPECT_EQ(counter(QStringLiteral("DEL")), 3); // the update takes no number
}

TEST_F(DeliverySave, MasterOnlyOrAFailingLineKeepsWhatWasWritten) {
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("2")));
    grid.setRow(2, row(QString(), QStringLiteral("A200"), QStringLiteral("1")));
    auto headerOnly = newDelivery();
    bool saveLines = false;
    ASSERT_TRUE(headerOnly->Create_Delivery(saveLines)) << headerOnly->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail")), 0);

    // An empty tick is no Boolean: the header and the first line stay, the number is not consumed.
    RecordingScope counterDouble(service_ids::kCounterTransaction);
    counterDouble->output(QStringLiteral("NextDocumentNo"), 2.0);
    auto failing = newDelivery();
    EXPECT_FALSE(failing->Create_Delivery());
    EXPECT_EQ(failing->ErrDesc(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No='01HODELTMP2'")), 1);
    const QList<RecordedCall> taken = counterDouble->actions(QStringLiteral("Get_Last_Counter"));
    ASSERT_EQ(taken.size(), 1);
    EXPECT_EQ(taken[0].arguments.value(1), QVariant(true)); // the form for temporary numbers
    EXPECT_EQ(counterDouble->actions(QStringLiteral("Increase_Counter")).size(), 0);
}

TEST_F(DeliverySave, MarkingTheSourceAsInDelivery) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 2, 12.5}});
    addCashMemo(QStringLiteral("01HOCHM1"), {{QStringLiteral("A100"), 2, 12.5}});
    ASSERT_TRUE(newDelivery(QStringLiteral("01HOSOR1"))->Update_Sales_Order());
    ASSERT_TRUE(newDelivery(QStringLiteral("01HOCHM1"))->Update_Cash_Memo());
    for (const char *table : {"Sales_Order_Master", "Cash_Memo_Master"})
        EXPECT_EQ(rows(QStringLiteral("Select Allow_Cancel_Flag, process_Flag, Last_Update from %1").arg(QLatin1String(table)))
                      .value(0),
                  (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2026-12-05 00:00:00")}))
            << table;

    Connection closed;
    const Refusal cases[] = {
        {"blank number", [](Delivery &d) { d.setSourceNo(QStringLiteral(" ")); }, QStringLiteral("Invalid Sales Order No")},
        {"blank prefix", [](Delivery &d) { d.setSourcePrefix(QString()); }, QStringLiteral("Invalid Document Prefix")},
        {"closed connection", [&](Delivery &d) { d.setAdoDBConnectionObject(&closed); },
         QStringLiteral("Connection is not open")},
        {"no such source", [](Delivery &d) { d.setSourceNo(QStringLiteral("01HOSOR404")); },
         QStringLiteral("Invalid Sales Order No")},
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
