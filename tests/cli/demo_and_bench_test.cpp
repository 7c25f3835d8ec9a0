#include "cli_fixture.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

using DemoAndBench = SeededDatabaseTest;

// Each run saves a customer under a code of its own and renames it to another free code: the
// codes a rename leaves behind in the balance rows and addresses are not taken again.
TEST_F(DemoAndBench, CustomersDemoTakesFreshCodesOnEveryRun) {
    for (const auto &[oldCode, newCode] : {std::pair{"01C104", "01C105"}, {"01C106", "01C107"}}) {
        const QString out = runDemoSection(cli::demoCustomers);
        EXPECT_TRUE(
            out.contains(QStringLiteral("ErrDesc: \"This %1 code already in use\"").arg(QString(newCode).mid(2))))
            << out.toStdString();
        const QString where = QStringLiteral("Customer_Code = '%1'");
        EXPECT_EQ(count("Customer_Master", where.arg(oldCode)), 0);
        EXPECT_EQ(count("Customer_Master", where.arg(newCode)), 1);
        EXPECT_EQ(count("Customer_Master_Balance", where.arg(oldCode)), 2);
        EXPECT_EQ(count("Customer_Address", where.arg(oldCode)), 2);
        EXPECT_EQ(rowsOf(database(), "Customer_Price_List", "Last_Selling_Price", "Where " + where.arg(newCode)),
                  QList<QStringList>{{"11.75"}});
    }
    // The seeded customer named in the refused change keeps its code.
    EXPECT_EQ(count("Customer_Master", "Customer_Code = '01C001'"), 1);
}

// Pre-filled customers get new codes on a second pre-fill, and each has one row with its name
// in every table a customer's save writes the name into.
TEST_F(DemoAndBench, CustomersPrefillIsConsistentAndRepeatable) {
    const cli::Measurement measurement = cli::customerMeasurement();
    const QString progress = prefill(measurement, {120, 40});
    // The progress counts the rows of every table, not only the last one's.
    EXPECT_TRUE(progress.contains("50% (120 of 240 rows)")) << progress.toStdString();
    EXPECT_TRUE(progress.contains("100% (240 of 240 rows)")) << progress.toStdString();
    // No receivable rows are written, so no balance is carried.
    EXPECT_EQ(count("Customer_Master_Balance", "Company_Prefix = '99' and Customer_Balance <> 0"), 0);
    EXPECT_EQ(count("Customer_Master", "Company_Prefix = '99'"), 160);
    EXPECT_EQ(count("Customer_Master_Balance", "Company_Prefix = '99'"), 160);
    for (const char *table :
         {"Sales_Invoice_Master", "Direct_Sales_Invoice_Master", "AR_Adjustment_Master", "AR_Adjustment_Detail"})
        EXPECT_EQ(count(table, QStringLiteral("Customer_Code in (Select Customer_Code from Customer_Master M Where "
                                              "M.Company_Prefix = '99' and M.customer_name = %1.Customer_Name)")
                                   .arg(table)),
                  160)
            << table;
    measurement.createOne(connectionString(), 7);
    EXPECT_EQ(count("Customer_Master_Balance", "Customer_Code like '01K%' and Branch_Prefix in ('HO', 'B2')"), 2);
}

// Each run keeps one processed order and cancels another: the kept order's quantities stay on
// order, the cancelled one's come off again.
TEST_F(DemoAndBench, OrdersDemoKeepsOneProcessedOrderPerRunAndItsOrderedQuantities) {
    for (int run = 1; run <= 2; ++run) {
        const QString out = runDemoSection(cli::demoOrders);
        EXPECT_TRUE(out.contains("Cancel_Quotation -> False   ErrDesc: \"Cannot Cancel\"")) << out.toStdString();
        EXPECT_EQ(rowsOf(database(), "Item_Master_Detail", "Item_Code, Ordered_Qty",
                         "Where Branch_Prefix = 'HO' and Item_Code in ('01A100', '01B100', '01C300', '01A200') "
                         "Order by Item_Code"),
                  (QList<QStringList>{{"01A100", QString::number(6 * run)},
                                      {"01A200", "0"},
                                      {"01B100", QString::number(3 * run)},
                                      {"01C300", QString::number(120 * run)}}));
        // Every order got its final number; no line stayed under a temporary one.
        EXPECT_EQ(count("Sales_Order_Master"), 2 * run);
        EXPECT_EQ(count("Sales_Order_Master", "Cancel_Flag = 1"), run);
        EXPECT_EQ(count("Sales_Order_Master", "process_Flag = 1 and Sales_ord_Identity > 0 and "
                                              "Sales_Ord_No = '01HOSOR' || CAST(Sales_ord_Identity AS VARCHAR(10))"),
                  2 * run);
        EXPECT_EQ(count("Sales_Order_Detail", "Sales_Ord_No like '%TMP%'"), 0);
        EXPECT_EQ(count("Sales_Order_Detail"), 5 * run);
        // The kept order's quotation is closed; the cancelled order's quotation is open again.
        const QString raised = QStringLiteral("exists (Select 1 from Sales_Order_Master O Where O.Sales_Quot_No = "
                                              "Q.Sales_Quot_No and O.Cancel_Flag = %1)");
        EXPECT_EQ(count("Sales_Quotation_Master Q",
                        "Q.process_Flag = 1 and Q.Allow_Cancel_Flag = 0 and Q.Cancel_Flag = 0 and " + raised.arg(0)),
                  run);
        EXPECT_EQ(
            count("Sales_Quotation_Master Q", "Q.process_Flag = 0 and Q.Allow_Cancel_Flag = 1 and " + raised.arg(1)),
            run);
    }
}

// Pre-filled orders hang together (every line under a master, quantities matching the items'
// ordered quantity) and a second pre-fill on the same database takes new numbers and items.
TEST_F(DemoAndBench, OrdersPrefillIsConsistentAndRepeatable) {
    const QString progress = prefill(cli::orderMeasurement(), {125, 40});
    EXPECT_EQ(count("Sales_Order_Detail"), 165);
    EXPECT_EQ(count("Sales_Order_Master", "Company_Prefix = '99'"), 13 + 4);
    EXPECT_EQ(rowOf(database(), "Sales_Order_Master", "count(distinct Sales_Ord_No)"), QStringList{"17"});
    EXPECT_EQ(count("Sales_Order_Detail D",
                    "not exists (Select 1 from Sales_Order_Master M Where M.Sales_Ord_No = D.Sales_Ord_No)"),
              0);
    EXPECT_EQ(count("Item_Master", "Company_Prefix = '99'"), 2 + 1);
    EXPECT_EQ(rowOf(database(), "Item_Master_Detail", "sum(Ordered_Qty)", "Where Branch_Prefix = 'BN'"),
              rowOf(database(), "Sales_Order_Detail", "sum(Sales_Ord_Ordered_Qty)"));
    // The progress counts every row written: 40 lines, 4 masters and the item's 3 rows.
    EXPECT_TRUE(progress.contains("100% (48 of 48 rows)")) << progress.toStdString();
}

// A timed order is created and processed: final number, and its 10 lines on order in the head
// office (quantities 1 to 10).
TEST_F(DemoAndBench, BenchOrderIsCreatedAndProcessed) {
    const cli::Measurement measurement = cli::orderMeasurement();
    ASSERT_NE(measurement.createOnConnection, nullptr);
    Connection session;
    session.open(connectionString());
    measurement.createOnConnection(session, connectionString(), 0);
    measurement.createOnConnection(session, connectionString(), 1);
    const QList<QStringList> orders = rowsOf(database(), "Sales_Order_Master", "Sales_Ord_No, process_Flag");
    ASSERT_EQ(orders.size(), 2);
    for (const QStringList &order : orders) {
        EXPECT_TRUE(QRegularExpression("^01HOSOR\\d+$").match(order[0]).hasMatch()) << order[0].toStdString();
        EXPECT_EQ(order[1], "1");
        EXPECT_EQ(database().count("Sales_Order_Detail", "Sales_Ord_No = ?", {order[0]}), 10);
    }
    EXPECT_EQ(rowOf(database(), "Item_Master_Detail", "sum(Ordered_Qty)", "Where Branch_Prefix = 'HO'"),
              QStringList{"110"});
}

} // namespace
} // namespace orbsales::testing
