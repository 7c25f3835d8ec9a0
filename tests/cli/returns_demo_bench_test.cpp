#include "cli_fixture.h"

#include "orbsales/services/package/books.h"
#include "orbsales/services/package/seed_returns.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

// The demo company as init leaves it, with its direct sales invoice.
class ReturnsDemoAndBench : public SeededDatabaseTest {
protected:
    void SetUp() override {
        SeededDatabaseTest::SetUp();
        if (db)
            package::seedReturnHistory(database().connection());
    }
};

// Each run returns goods against an invoice (credit memo), a delivery (none) and a cash memo
// (credit memo), refuses each second processing, and leaves the books holding together.
TEST_F(ReturnsDemoAndBench, TheDemoReturnsAgainstThreeSourcesOnEveryRun) {
    for (int run = 1; run <= 2; ++run) {
        const QString out = runDemoSection(cli::demoReturns);
        EXPECT_EQ(out.count("Return_Process -> False   ErrDesc: \"Already Processed\""), 3) << out.toStdString();
        EXPECT_TRUE(out.contains("No credit memo: goods returned from a delivery are not billed yet.")) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("Credit memo 01HOCRM%1:").arg(2 * run))) << out.toStdString();
        EXPECT_EQ(count("Sales_Return_Master", "Processed_Flag = 1 and Sales_Rtn_No not like '%TMP%'"), 3 * run);
        EXPECT_EQ(count("Voucher_Master", "Document_Prefix = 'CRM' and process_Flag = 1"), 2 * run);
        EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
    }
    // The first run's invoice return: FIFO gave back at 5, LIFO at 8 (the lots the sale drew on).
    EXPECT_EQ(rowsOf(database(), "Sales_Return_Detail", "Item_Code, Inventory_Value",
                     "Where Sales_Rtn_No = '01HOSRT2' Order by SL_No"),
              (QList<QStringList>{{"01F100", "10"}, {"01L100", "16"}, {"01V100", "6.57"}}));
}

// Pre-filled lots are closed lots of company 99's items, pre-filled returns are saved returns of
// company 99 (ten lines each), both again under new numbers on a second pre-fill.
TEST_F(ReturnsDemoAndBench, ThePrefillIsConsistentAndRepeatable) {
    const QString progress = prefill(cli::returnMeasurement(), {120, 40});
    EXPECT_TRUE(progress.contains("100% (126 of 126 rows)")) << progress.toStdString();
    EXPECT_EQ(count("Purchase_Log", "Company_Prefix = '99' and Sold_Qty = Total_Purchase_Qty"), 80);
    EXPECT_EQ(count("Sales_Return_Detail", "Sales_Rtn_No like '99BN%'"), 80);
    EXPECT_EQ(count("Sales_Return_Master", "Company_Prefix = '99' and Processed_Flag = 0"), 8);
    EXPECT_EQ(rowOf(database(), "Sales_Return_Master", "count(distinct Sales_Rtn_No)"), QStringList{"8"});
    EXPECT_EQ(count("Sales_Return_Detail D",
                    "not exists (Select 1 from Sales_Return_Master M Where M.Sales_Rtn_No = D.Sales_Rtn_No)"),
              0);
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
}

// A timed return: ten lines back from a direct sales invoice of the ten benchmark items, final
// number, credit memo; the items are set up once.
TEST_F(ReturnsDemoAndBench, ABenchReturnIsProcessedWithItsCreditMemo) {
    const cli::Measurement measurement = cli::returnMeasurement();
    ASSERT_NE(measurement.createOnConnection, nullptr);
    Connection session;
    session.open(connectionString());
    measurement.createOnConnection(session, connectionString(), 0);
    measurement.createOnConnection(session, connectionString(), 1);
    EXPECT_EQ(count("Item_Master", "Item_Code like '01RB%'"), 10);
    EXPECT_EQ(count("Sales_Return_Master", "Processed_Flag = 1"), 2);
    EXPECT_EQ(count("Sales_Return_Detail", "Sales_Rtn_No in ('01HOSRT2', '01HOSRT4')"), 20);
    EXPECT_EQ(count("Voucher_Master", "process_Flag = 1"), 2);
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
}

} // namespace
} // namespace orbsales::testing
