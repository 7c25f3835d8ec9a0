#include "bench.h"
#include "cli_fixture.h"
#include "demo.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

class DeliveriesOnTheCommandLine : public SeededDatabaseTest {
protected:
    QString runDemoSection() {
        CapturedOutput output;
        Connection session;
        session.open(connectionString());
        cli::DemoContext context{connectionString(), output.outStream, session};
        cli::demoDeliveries(context);
        output.flush();
        return output.out;
    }
};

// Each run delivers part of a new order and makes a direct delivery; the rest of each order
// stays open and the books hold together after every run.
TEST_F(DeliveriesOnTheCommandLine, DemoDeliversPartOfAnOrderAndADirectDeliveryEachRun) {
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const QString out = runDemoSection();
        EXPECT_TRUE(out.contains(QStringLiteral("Process_Delivery(\"SalesOrder\") -> True"))) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("orbsales verify: the books hold together"))) << out.toStdString();
        EXPECT_EQ(database().count(QStringLiteral("Delivery_Master"), QStringLiteral("Processed_Flag = 1")), run);
        EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Master"), QStringLiteral("Processed_Flag = 1")), run);
        // Each order keeps 4 widgets and its 50 metres of cable open.
        EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"),
                                   QStringLiteral("Sales_Ord_Delivered_Qty < Sales_Ord_Ordered_Qty")),
                  2 * run);
        // The assembly line of branch B2 moved stock but reached no ledger.
        EXPECT_EQ(database().count(QStringLiteral("General_Ledger"), QStringLiteral("Account_No like '01B2%' and "
                                                                                    "GL_Description like '%K100'")),
                  0);
        EXPECT_EQ(database().scalar(QStringLiteral("Select Stock_In_Hand from Item_Master_Detail Where Item_Code = "
                                                   "'01K100' and Branch_Prefix = 'B2'"))
                      .toDouble(),
                  40 - run);
    }
}

// Timed deliveries take their lines from one order of their own branch that never runs out;
// the pre-filled deliveries hang together; verify stays clean.
TEST_F(DeliveriesOnTheCommandLine, BenchDeliveriesAreProcessedAndThePrefillIsConsistent) {
    const cli::Measurement measurement = cli::deliveryMeasurement();
    ASSERT_NE(measurement.createOnConnection, nullptr);
    Connection session;
    session.open(connectionString());
    for (int serial = 0; serial < 3; ++serial)
        measurement.createOnConnection(session, connectionString(), serial);
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Master"),
                               QStringLiteral("Processed_Flag = 1 and Delivery_No like '99BDDEL%'")),
              3);
    EXPECT_EQ(database().count(QStringLiteral("Stock_Movement"), QStringLiteral("Branch_Prefix = 'BD'")), 30);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("Customer_Code = '99C900'")), 1);

    QString progressText;
    QTextStream progressStream(&progressText);
    cli::Progress progress(progressStream, QStringLiteral("pre-filling"));
    session.beginTransaction();
    measurement.prefill(session, 25, progress);
    session.commit();
    progress.finish();
    EXPECT_TRUE(progressText.contains(QStringLiteral("100% (28 of 28 rows)"))) << progressText.toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No like '99BPDEL%'")), 25);
    EXPECT_EQ(database().scalar(QStringLiteral("Select count(distinct SL_No) from Delivery_Detail")).toInt(), 55);
    measurement.createOnConnection(session, connectionString(), 3);
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
}

} // namespace
} // namespace orbsales::testing
