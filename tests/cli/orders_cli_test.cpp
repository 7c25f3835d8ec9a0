#include "bench.h"
#include "cli_fixture.h"
#include "demo.h"

#include "orbsales/data/connection.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

class OrdersOnTheCommandLine : public SeededDatabaseTest {
protected:
    double orderedQty(const QString &item, const QString &branch = QStringLiteral("HO")) {
        return database()
            .scalar(
                QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code = ? and Branch_Prefix = ?"),
                {item, branch})
            .toDouble();
    }

    QString runDemoSection() {
        CapturedOutput output;
        Connection session;
        session.open(connectionString());
        cli::DemoContext context{connectionString(), output.outStream, session};
        cli::demoOrders(context);
        output.flush();
        return output.out;
    }
};

// Each run keeps one processed order and cancels another: the kept order's quantities stay on
// order, the cancelled one's come off again.
TEST_F(OrdersOnTheCommandLine, DemoKeepsOneProcessedOrderPerRunAndItsOrderedQuantities) {
    struct Expected {
        const char *item;
        double perRun;
    };
    const Expected quantities[] = {{"01A100", 6}, {"01B100", 3}, {"01C300", 120}, {"01A200", 0}};
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const QString out = runDemoSection();
        EXPECT_TRUE(out.contains(QStringLiteral("Cancel_Quotation -> False   ErrDesc: \"Cannot Cancel\"")))
            << out.toStdString();
        for (const Expected &e : quantities)
            EXPECT_EQ(orderedQty(QString::fromLatin1(e.item)), e.perRun * run) << e.item;

        EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master")), 2 * run);
        EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("Cancel_Flag = 1")), run);
        // Every order got its final number; no line stayed under a temporary one.
        EXPECT_EQ(
            database().count(QStringLiteral("Sales_Order_Master"),
                             QStringLiteral("process_Flag = 1 and Sales_ord_Identity > 0 and "
                                            "Sales_Ord_No = '01HOSOR' || CAST(Sales_ord_Identity AS VARCHAR(10))")),
            2 * run);
        EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No like '%TMP%'")),
                  0);
        EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail")), 5 * run);

        // The kept order's quotation is closed; the cancelled order's quotation is open again.
        EXPECT_EQ(
            database().count(QStringLiteral("Sales_Quotation_Master Q"),
                             QStringLiteral("Q.process_Flag = 1 and Q.Allow_Cancel_Flag = 0 and Q.Cancel_Flag = 0 "
                                            "and exists (Select 1 from Sales_Order_Master O Where O.Sales_Quot_No "
                                            "= Q.Sales_Quot_No and O.Cancel_Flag = 0)")),
            run);
        EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master Q"),
                                   QStringLiteral("Q.process_Flag = 0 and Q.Allow_Cancel_Flag = 1 and exists (Select 1 "
                                                  "from Sales_Order_Master O Where O.Sales_Quot_No = Q.Sales_Quot_No "
                                                  "and O.Cancel_Flag = 1)")),
                  run);
    }
}

// Pre-filled orders hang together (every line under a master, quantities matching the items'
// ordered quantity) and a second pre-fill on the same database takes new numbers and items.
TEST_F(OrdersOnTheCommandLine, BenchPrefillIsConsistentAndRepeatable) {
    const cli::Measurement measurement = cli::orderMeasurement();
    ASSERT_NE(measurement.createOnConnection, nullptr);
    Connection session;
    session.open(connectionString());
    QString progressText;
    QTextStream progressStream(&progressText);
    const int rows[] = {125, 40};
    for (int rowCount : rows) {
        cli::Progress progress(progressStream, QStringLiteral("pre-filling"), rowCount);
        session.beginTransaction();
        measurement.prefill(session, rowCount, progress);
        session.commit();
    }
    const QString bench = QStringLiteral("Company_Prefix = '99'");
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail")), 165);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master"), bench), 13 + 4);
    EXPECT_EQ(database().scalar(QStringLiteral("Select count(distinct Sales_Ord_No) from Sales_Order_Master")).toInt(),
              17);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail D"),
                               QStringLiteral("not exists (Select 1 from Sales_Order_Master M Where M.Sales_Ord_No = "
                                              "D.Sales_Ord_No)")),
              0);
    EXPECT_EQ(database().count(QStringLiteral("Item_Master"), bench), 2 + 1);
    EXPECT_DOUBLE_EQ(
        database()
            .scalar(QStringLiteral("Select sum(Ordered_Qty) from Item_Master_Detail Where Branch_Prefix = 'BN'"))
            .toDouble(),
        database().scalar(QStringLiteral("Select sum(Sales_Ord_Ordered_Qty) from Sales_Order_Detail")).toDouble());
    // The progress counts every row written: 40 lines, 4 masters and the item's 4 rows.
    EXPECT_TRUE(progressText.contains(QStringLiteral("100% (48 of 48 rows)"))) << progressText.toStdString();
}

// A timed order is created and processed: final number, and its 10 lines on order in the head
// office (quantities 1 to 10).
TEST_F(OrdersOnTheCommandLine, BenchOrderIsCreatedAndProcessed) {
    const cli::Measurement measurement = cli::orderMeasurement();
    Connection session;
    session.open(connectionString());
    measurement.createOnConnection(session, connectionString(), 0);
    measurement.createOnConnection(session, connectionString(), 1);
    const Connection::Result orders = database().connection().select(
        QStringLiteral("Select Sales_Ord_No, process_Flag from Sales_Order_Master Order by Sales_Ord_No"));
    ASSERT_EQ(orders.rows.size(), 2);
    for (const QVariantList &order : orders.rows) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^01HOSOR\\d+$")).match(order.value(0).toString()).hasMatch())
            << order.value(0).toString().toStdString();
        EXPECT_EQ(order.value(1).toInt(), 1);
        EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No = ?"),
                                   {order.value(0)}),
                  10);
    }
    EXPECT_DOUBLE_EQ(
        database()
            .scalar(QStringLiteral("Select sum(Ordered_Qty) from Item_Master_Detail Where Branch_Prefix = 'HO'"))
            .toDouble(),
        2 * 55.0);
}

} // namespace
} // namespace orbsales::testing
