#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/demo_company.h"
#include "support/order_worker.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

// The demo company with one processed order, 01HOSOR2, of three lines; its counter gives 3 next.
class DocumentNumbers : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        Connection caller;
        caller.open(connectionString());
        ASSERT_TRUE(quotationToProcessedOrder(caller, connectionString(), false));
    }
};

struct Tampering {
    const char *name;
    QStringList statements;
    QStringList breaches;
};

class NumberBreach : public DocumentNumbers, public ::testing::WithParamInterface<Tampering> {};

TEST_P(NumberBreach, IsNamed) {
    for (const QString &statement : GetParam().statements)
        database().execute(statement);
    EXPECT_EQ(package::verifyBooks(database().connection()), GetParam().breaches);
}

const QString kFirstLine =
    QStringLiteral("(Select MIN(SL_No) from Sales_Order_Detail Where Sales_Ord_No = '01HOSOR2')");

INSTANTIATE_TEST_SUITE_P(
    Orders, NumberBreach,
    ::testing::Values(
        Tampering{"Untouched", {}, {}},
        Tampering{"SavedTwiceUnderOneNumber",
                  {QStringLiteral("Insert into Sales_Order_Master (Sales_Ord_No, Sales_ord_Identity, Company_Prefix, "
                                  "Branch_Prefix, Document_Prefix, Cancel_Flag, process_Flag) values ('01HOSOR2', 2, "
                                  "'01', 'HO', 'SOR', 0, 1)")},
                  {QStringLiteral("Number 01HOSOR2 is held by 2 rows of Sales_Order_Master")}},
        Tampering{"LineUnderANumberNoOrderHolds",
                  {QStringLiteral("Update Sales_Order_Detail Set Sales_Ord_No = '01HOSOR9' Where SL_No = ") + kFirstLine},
                  {QStringLiteral("Sales_Order_Detail holds 1 line(s) under 01HOSOR9, which no sales order holds")}},
        // Lines left under a temporary number are half-done work, listed apart.
        Tampering{"LineLeftUnderATemporaryNumber",
                  {QStringLiteral("Update Sales_Order_Detail Set Sales_Ord_No = '01HOSORTMP9' Where SL_No = ") +
                   kFirstLine},
                  {}},
        Tampering{"TwoLinesWithOneSerial",
                  {QStringLiteral("Update Sales_Order_Detail Set SL_No = 7 Where Sales_Ord_No = '01HOSOR2'")},
                  {QStringLiteral("The sales order 01HOSOR2 holds 3 lines with serial 7")}},
        Tampering{"CounterBehindATypedNumber",
                  {QStringLiteral("Update Sales_Order_Master Set Sales_Ord_No = '01HOSOR40', Sales_ord_Identity = 40 "
                                  "Where Sales_Ord_No = '01HOSOR2'"),
                   QStringLiteral("Update Sales_Order_Detail Set Sales_Ord_No = '01HOSOR40' Where Sales_Ord_No = "
                                  "'01HOSOR2'")},
                  {QStringLiteral("Counter 01HOSOR gives 3 next, but a sales order already carries identity 40")}}),
    [](const ::testing::TestParamInfo<Tampering> &info) { return std::string(info.param.name); });

} // namespace
} // namespace orbsales::testing
