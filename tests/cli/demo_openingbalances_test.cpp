#include "cli_fixture.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

using OpeningBalancesDemo = SeededDatabaseTest;

// Each run takes a customer of its own, so no run processes an earlier run's list again; the
// books hold together after any number of runs, the openings moved being listed apart.
TEST_F(OpeningBalancesDemo, EachRunProcessesANewCustomersListsAndTheBooksHoldTogether) {
    for (int run = 1; run <= 2; ++run) {
        const QString out = runDemoSection(cli::demoOpeningBalances);
        const QString adjusted = QStringLiteral("has 01HOCOB%1 been settled in part?: Adjusted -> False");
        EXPECT_TRUE(out.contains(adjusted.arg(2 * run - 1))) << out.toStdString();
        EXPECT_EQ(rowsOf(database(), "Customer_Master_Balance", "Customer_Balance, Customer_Fc_Balance",
                         QStringLiteral("Where Customer_Code = '01OB%1' and Branch_Prefix = 'HO'").arg(run)),
                  (QList<QStringList>{{"4333.55", "1180"}})); // 1000 + 480 - 300 US Dollars at 3.6725
    }
    CapturedOutput output;
    EXPECT_EQ(cli::runVerify(output.call(connectionString())), 0);
    output.flush();
    EXPECT_TRUE(output.out.startsWith("The books hold together")) << output.out.toStdString();
    EXPECT_TRUE(output.out.contains("Documented differences (not breaches):\n  Opening balances of company 01, branch "
                                    "HO add up to 8667.1, not 0"))
        << output.out.toStdString();
}

} // namespace
} // namespace orbsales::testing
