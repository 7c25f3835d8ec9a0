#include "bench_chain.h"
#include "cli_fixture.h"
#include "front_end.h"

#include "orbsales/services/package/books.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

using BenchChain = SeededDatabaseTest;

// Each client's chain runs in its own branch for its own customer, in either mode: the order is
// delivered in full, the delivery invoiced in full, the customer owes the invoice, the goods left
// the branch's stock and the books still hold together.
TEST_F(BenchChain, EachClientsChainDeliversAndInvoicesItsWholeOrder) {
    Connection session;
    session.open(connectionString());
    cli::prepareChains(session);
    cli::prepareChains(session); // once per database
    for (const bool allOrNothing : {false, true}) {
        const cli::FrontEndObject::AllOrNothing mode(allOrNothing);
        for (int client = 0; client < cli::kChainClients; ++client)
            cli::runChain(session, connectionString(), cli::chainClient(client));
    }
    for (const char *branch : {"HO", "B2"}) {
        const QString where = QStringLiteral("Branch_Prefix = '%1' and Customer_Code = '01CH%1'").arg(branch);
        EXPECT_EQ(count("Sales_Order_Master", where + " and process_Flag = 1 and Delivered_Flag = 1"), 2) << branch;
        EXPECT_EQ(count("Delivery_Master", where + " and Processed_Flag = 1 and Invoiced_Flag = 1"), 2) << branch;
        EXPECT_EQ(count("Sales_Invoice_Master", where + " and Processed_Flag = 1"), 2) << branch;
        EXPECT_EQ(rowsOf(database(), "Customer_Master_Balance", "Customer_Balance",
                         QStringLiteral("Where Customer_Code = '01CH%1' and Branch_Prefix = '%1'").arg(branch)),
                  QList<QStringList>{{"200"}});
        EXPECT_EQ(rowsOf(database(), "Item_Master_Detail", "Stock_In_Hand, Ordered_Qty",
                         QStringLiteral("Where Item_Code = '01CH7' and Branch_Prefix = '%1'").arg(branch)),
                  (QList<QStringList>{{"999999998", "0"}}));
    }
    EXPECT_EQ(count("Sales_Invoice_Detail", "Item_Code like '01CH%' and Sales_Inv_Qty = 1"), 40);
    EXPECT_EQ(package::verifyBooks(session), QStringList());
}

} // namespace
} // namespace orbsales::testing
