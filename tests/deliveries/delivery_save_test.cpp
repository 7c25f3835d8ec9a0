#include "deliveries/delivery_fixture.h"
#include "services/recording_doubles.h"

#include "orbsales/services/service_ids.h"

#include <functional>

namespace orbsales::testing {
namespace {

using DeliverySave = DeliveryTest;

// {"", tick, code, name, unit code, unit, unit qty, qty, project, source SL, price, disc, FC disc,
//  amount, FC amount, FC price, open, ordered, overall disc, FC overall disc, location, location id, FOC}
QStringList row(const QString &tick, const QString &code, const QString &qty, const QString &sourceSerial,
                const QString &unit = QStringLiteral("Nos")) {
    return {QString(), tick, code, QStringLiteral("Item ") + code, QStringLiteral("1"), unit, QStringLiteral("1"),
            qty, QString(), sourceSerial, QStringLiteral("12.5"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("25"), QStringLiteral("25"), QStringLiteral("12.5"), qty, QStringLiteral("4"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("Main Warehouse"), QStringLiteral("1"),
            QStringLiteral("0")};
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
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("2"), QStringLiteral("1")));
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

TEST_F(DeliverySave, CreatesTheTemporaryNumberMasterAndTickedLines) {
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No = 7 Where Document_Prefix = 'DEL'"));
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral(" A100 "), QStringLiteral("2.5 boxes"), QStringLiteral("3"),
                       QStringLiteral("Box-Monthly")));
    grid.setRow(2, row(QStringLiteral("0"), QStringLiteral("A200"), QStringLiteral("1"), QStringLiteral("4")));
    grid.setRow(3, row(QStringLiteral("True"), QString(), QStringLiteral("1"), QStringLiteral("5")));
    grid.setRow(5, row(QStringLiteral("1"), QStringLiteral("C300"), QStringLiteral("9"), QStringLiteral("6")));
    auto delivery = newDelivery();
    delivery->setCustomerName(kHostile);
    delivery->setCustomerCode(QStringLiteral("01C001"));
    delivery->setDeliveryComments(QStringLiteral("   "));
    delivery->setDeliveryRefNo(QString());
    delivery->setEmployeeName(QStringLiteral("Sam"));
    delivery->setExchangeRate(3.5);
    delivery->setDeliveryTotalAmount(37.5);
    delivery->setCurrencySymbol(QStringLiteral("?"));
    ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->DeliveryNo(), QStringLiteral("01HODELTMP7"));
    EXPECT_EQ(delivery->DeliveryIdentity(), 7);
    EXPECT_EQ(delivery->CurrencySymbol(), QStringLiteral("Dhs"));
    EXPECT_EQ(counter(QStringLiteral("DEL")), 8);

    const Connection::Result master = database().connection().select(
        QStringLiteral("Select Delivery_Identity, customer_name, Delivery_Comments, Delivery_Ref_No, Employee_ID, "
                       "Employee_Name, Exchange_Rate, Address_Code, Processed_Flag, Delivery_Total_Amount, "
                       "Currency_Symbol, Last_Update from Delivery_Master Where Delivery_No = '01HODELTMP7'"));
    ASSERT_EQ(master.rows.size(), 1);
    const QVariantList &m = master.rows.first();
    EXPECT_EQ(m.at(0).toInt(), 7);
    EXPECT_EQ(m.at(1).toString(), kHostile);
    EXPECT_TRUE(m.at(2).isNull());
    EXPECT_EQ(m.at(3).toString(), QStringLiteral("  "));
    EXPECT_TRUE(m.at(4).isNull()); // no employee ID: neither is stored
    EXPECT_TRUE(m.at(5).isNull());
    EXPECT_EQ(m.at(6).toDouble(), 1);
    EXPECT_TRUE(m.at(7).isNull());
    EXPECT_EQ(m.at(8).toInt(), 0);
    EXPECT_EQ(m.at(9).toDouble(), 37.5);
    EXPECT_EQ(m.at(10).toString(), QStringLiteral("Dhs"));
    EXPECT_EQ(m.at(11).toDateTime(), day()); // the stamp as "05/Dec/2026": the date only

    // Row 2 is not ticked; row 3 has a name only; row 4 is blank and ends the lines.
    const Connection::Result lines = database().connection().select(
        QStringLiteral("Select SL_No, Item_Code, Item_Name, Unit_Name, Period_Type, Delivery_Qty, Sales_Ord_Dtl_SL_No, "
                       "Delivery_Dtl_Unit_Price from Delivery_Detail Order by SL_No"));
    ASSERT_EQ(lines.rows.size(), 2);
    EXPECT_EQ(lines.rows[0], (QVariantList{1, QStringLiteral("01A100"), QStringLiteral("Item  A100"),
                                           QStringLiteral("Box"), QStringLiteral("Monthly"), 2.5, 3.0, 12.5}));
    EXPECT_EQ(lines.rows[1].at(0).toInt(), 2);
    EXPECT_TRUE(lines.rows[1].at(1).isNull());
    EXPECT_EQ(lines.rows[1].at(2).toString(), QStringLiteral("Item"));
    EXPECT_EQ(lines.rows[1].at(3).toString(), QStringLiteral("Nos"));
    EXPECT_TRUE(lines.rows[1].at(4).isNull());
}

struct BalanceCase {
    const char *paymentType;
    bool paid;
    bool carriesBalance;
};

TEST_F(DeliverySave, OnlyAnUnpaidCashDeliveryCarriesItsTotalAsBalance) {
    const BalanceCase cases[] = {{"cash", false, true},  {"Cash", false, true},    {"CASH", false, true},
                                 {"Cash", true, false},  {"Credit", false, false}, {" Cash", false, false}};
    for (const BalanceCase &c : cases) {
        SCOPED_TRACE(std::string(c.paymentType) + (c.paid ? " paid" : ""));
        grid.setRow(1, QStringList());
        auto delivery = newDelivery();
        delivery->setPaymentType(QString::fromLatin1(c.paymentType));
        delivery->setPaidFlag(c.paid);
        delivery->setDeliveryTotalAmount(120);
        delivery->setDeliveryFCTotalAmount(32.5);
        ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
        const QVariant balance = database().scalar(
            QStringLiteral("Select Balance_Amount from Delivery_Master Where Delivery_No=?"), {delivery->DeliveryNo()});
        const QVariant fcBalance = database().scalar(
            QStringLiteral("Select Balance_FCAmount from Delivery_Master Where Delivery_No=?"), {delivery->DeliveryNo()});
        if (c.carriesBalance) {
            EXPECT_EQ(balance.toDouble(), 120);
            EXPECT_EQ(fcBalance.toDouble(), 32.5);
        } else {
            EXPECT_TRUE(balance.isNull());
            EXPECT_TRUE(fcBalance.isNull());
        }
    }
}

TEST_F(DeliverySave, OverallDiscountShareFollowsTheQuantityDelivered) {
    struct Share {
        const char *ordered, *overall, *fcOverall, *qty;
        QVariant local, foreign;
    };
    const Share shares[] = {
        {"4", "10", "2.5", "3", 7.5, 1.88},  // 1.875 rounds to the even 1.88
        {"8", "1", "0.25", "1", 0.12, 0.03}, // 0.125 -> 0.12 and 0.03125 -> 0.03
        {"4", "0", "9", "3", QVariant(), QVariant()}, // no overall discount: no share at all
    };
    int row = 1;
    for (const Share &s : shares) {
        const QStringList line{QString(), QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("Widget"),
                           QStringLiteral("1"), QStringLiteral("Nos"), QStringLiteral("1"), QLatin1String(s.qty),
                           QString(), QStringLiteral("1"), QStringLiteral("12.5"), QString(), QString(), QString(),
                           QString(), QString(), QString(), QLatin1String(s.ordered), QLatin1String(s.overall),
                           QLatin1String(s.fcOverall), QString(), QString(), QString()};
        grid.setRow(row++, line);
    }
    auto delivery = newDelivery();
    ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
    const Connection::Result lines = database().connection().select(QStringLiteral(
        "Select Sales_Ord_Overall_Disc, Sales_Ord_Overall_FC_Disc from Delivery_Detail Order by SL_No"));
    ASSERT_EQ(lines.rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines.rows[i].at(0).isNull(), shares[i].local.isNull());
        EXPECT_EQ(lines.rows[i].at(1).isNull(), shares[i].foreign.isNull());
        if (!shares[i].local.isNull()) {
            EXPECT_DOUBLE_EQ(lines.rows[i].at(0).toDouble(), shares[i].local.toDouble());
            EXPECT_DOUBLE_EQ(lines.rows[i].at(1).toDouble(), shares[i].foreign.toDouble());
        }
    }
}

TEST_F(DeliverySave, SerialsRunAcrossDeliveriesAndAnUpdateRewritesTheLines) {
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("2"), QStringLiteral("1")));
    grid.setRow(2, row(QStringLiteral("1"), QStringLiteral("A200"), QStringLiteral("1"), QStringLiteral("2")));
    auto first = newDelivery();
    ASSERT_TRUE(first->Create_Delivery());
    auto second = newDelivery();
    ASSERT_TRUE(second->Create_Delivery());
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No=? and SL_No in (3, 4)"),
                               {second->DeliveryNo()}),
              2);

    grid.setCellText(1, 1, QStringLiteral("0")); // no longer ticked
    grid.setCellText(2, 7, QStringLiteral("5"));
    first->setDeliveryComments(QStringLiteral("changed"));
    ASSERT_TRUE(first->Update_Delivery()) << first->ErrDesc().toStdString();
    EXPECT_EQ(first->DeliveryNo(), QStringLiteral("01HODELTMP1"));
    const Connection::Result lines = database().connection().select(
        QStringLiteral("Select SL_No, Item_Code, Delivery_Qty from Delivery_Detail Where Delivery_No=?"),
        {first->DeliveryNo()});
    ASSERT_EQ(lines.rows.size(), 1);
    EXPECT_EQ(lines.rows[0], (QVariantList{5, QStringLiteral("01A200"), 5.0}));
    EXPECT_EQ(database().scalar(QStringLiteral("Select Delivery_Comments from Delivery_Master Where Delivery_No=?"),
                                {first->DeliveryNo()}),
              QVariant(QStringLiteral("changed")));
    EXPECT_EQ(counter(QStringLiteral("DEL")), 3); // the update takes no number
}

TEST_F(DeliverySave, MasterOnlyOrAFailingLineKeepsWhatWasWritten) {
    grid.setRow(1, row(QStringLiteral("1"), QStringLiteral("A100"), QStringLiteral("2"), QStringLiteral("1")));
    grid.setRow(2, row(QString(), QStringLiteral("A200"), QStringLiteral("1"), QStringLiteral("2")));
    auto headerOnly = newDelivery();
    bool saveLines = false;
    ASSERT_TRUE(headerOnly->Create_Delivery(saveLines)) << headerOnly->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail")), 0);
    EXPECT_EQ(counter(QStringLiteral("DEL")), 2);

    // An empty tick cannot be read as a Boolean: the first line and the header stay, and the
    // number taken is not consumed.
    RecordingScope counterDouble(service_ids::kCounterTransaction);
    counterDouble->output(QStringLiteral("NextDocumentNo"), 2.0);
    auto failing = newDelivery();
    EXPECT_FALSE(failing->Create_Delivery());
    EXPECT_EQ(failing->ErrDesc(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Master")), 2);
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No='01HODELTMP2'")), 1);
    const QList<RecordedCall> taken = counterDouble->actions(QStringLiteral("Get_Last_Counter"));
    ASSERT_EQ(taken.size(), 1);
    EXPECT_EQ(taken[0].arguments.value(1), QVariant(true)); // the form for temporary numbers
    EXPECT_EQ(counterDouble->actions(QStringLiteral("Increase_Counter")).size(), 0);
}

TEST_F(DeliverySave, MarkingTheSourceAsInDelivery) {
    addOrder(QStringLiteral("01HOSOR1"), {{QStringLiteral("A100"), 2, 12.5}});
    addCashMemo(QStringLiteral("01HOCHM1"), {{QStringLiteral("A100"), 2, 12.5}});
    auto order = newDelivery(QStringLiteral("01HOSOR1"));
    ASSERT_TRUE(order->Update_Sales_Order()) << order->ErrDesc().toStdString();
    auto memo = newDelivery(QStringLiteral("01HOCHM1"));
    ASSERT_TRUE(memo->Update_Cash_Memo()) << memo->ErrDesc().toStdString();
    for (const char *table : {"Sales_Order_Master", "Cash_Memo_Master"}) {
        SCOPED_TRACE(table);
        const Connection::Result flags = database().connection().select(
            QStringLiteral("Select Allow_Cancel_Flag, process_Flag, Last_Update from %1").arg(QLatin1String(table)));
        EXPECT_EQ(flags.rows.first().at(0).toInt(), 0);
        EXPECT_EQ(flags.rows.first().at(1).toInt(), 1);
        EXPECT_EQ(flags.rows.first().at(2).toDateTime(), day());
    }

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
