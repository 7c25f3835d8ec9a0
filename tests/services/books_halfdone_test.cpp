#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books_halfdone.h"
#include "orbsales/services/package/demo_company.h"
#include "support/order_worker.h"
#include "support/test_database.h"

namespace orbsales::testing {
namespace {

// The demo company with one quotation (01HOSQT1) taken over by an order, saved as 01HOSORTMP1
// and processed to 01HOSOR2: three lines (A100, A200, C300, two of each).
class HalfDone : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        Connection caller;
        caller.open(connectionString());
        ASSERT_TRUE(quotationToProcessedOrder(caller, connectionString(), false));
        ASSERT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No = '01HOSOR2'")), 3);
        ASSERT_EQ(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("Sales_Quot_No = '01HOSQT1'")), 1);
    }
    QStringList found() {
        QStringList texts;
        for (const package::HalfDoneDocument &document : package::findHalfDoneDocuments(database().connection()))
            texts << document.text();
        return texts;
    }
};

struct Stop {
    const char *name;
    QStringList tamper; // the rows as the stopped work left them
    QStringList found;
};

class StoppedWork : public HalfDone, public ::testing::WithParamInterface<Stop> {};

// Each kind of half-done document is named with what is missing, and none is a breach.
TEST_P(StoppedWork, IsNamedWithWhatIsMissing) {
    for (const QString &statement : GetParam().tamper)
        database().execute(statement);
    EXPECT_EQ(found(), GetParam().found);
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
}

// The inventory raises an ordered quantity and records the movement in one step: a stop leaves
// both or neither.
const QString kNoRaise = QStringLiteral("Update Item_Master_Detail Set Ordered_Qty = 0 Where Branch_Prefix = 'HO'");
const QString kNoMovements = QStringLiteral("Delete from Ordered_Qty_Movement Where Branch_Prefix = 'HO'");

INSTANTIATE_TEST_SUITE_P(
    Orders, StoppedWork,
    ::testing::Values(
        Stop{"StoppedWhileMovingLines",
             {QStringLiteral("Update Sales_Order_Detail Set Sales_Ord_No = '01HOSORTMP1' Where Item_Code <> '01A100'"),
              kNoRaise, kNoMovements},
             {QStringLiteral("Order lines under temporary number 01HOSORTMP1: 2 lines left behind: no order holds that "
                             "number any more, it was given its final number without them"),
              QStringLiteral("Item 01A100 in branch HO: ordered quantity 0, but the processed orders still open hold 2 "
                             "(01HOSOR2): an order was processed without raising its ordered quantities, or cancelled "
                             "without lowering them")}},
        Stop{"StoppedBeforeMovingLines",
             {QStringLiteral("Update Sales_Order_Detail Set Sales_Ord_No = '01HOSORTMP1'"), kNoRaise, kNoMovements},
             {QStringLiteral("Order lines under temporary number 01HOSORTMP1: 3 lines left behind: no order holds that "
                             "number any more, it was given its final number without them"),
              QStringLiteral("Order 01HOSOR2: processed, but it has no lines: they were not moved to its final number")}},
        Stop{"StoppedBeforeRaisingQuantities",
             {QStringLiteral("Update Item_Master_Detail Set Ordered_Qty = 0 Where Item_Code = '01C300'"),
              QStringLiteral("Delete from Ordered_Qty_Movement Where Item_Code = '01C300'")},
             {QStringLiteral("Item 01C300 in branch HO: ordered quantity 0, but the processed orders still open hold 2 "
                             "(01HOSOR2): an order was processed without raising its ordered quantities, or cancelled "
                             "without lowering them")}},
        Stop{"StoppedAfterMarkingTheQuotation",
             {QStringLiteral("Delete from Sales_Order_Detail"), QStringLiteral("Delete from Sales_Order_Master"), kNoRaise, kNoMovements},
             {QStringLiteral("Quotation 01HOSQT1: marked processed, but no order refers to it")}},
        Stop{"StoppedAfterTheOrderMaster",
             {QStringLiteral("Delete from Sales_Order_Detail"),
              QStringLiteral("Update Sales_Order_Master Set process_Flag = 0, Sales_Ord_No = '01HOSORTMP1'"), kNoRaise, kNoMovements},
             {QStringLiteral("Order 01HOSORTMP1: saved without its lines")}}),
    [](const ::testing::TestParamInfo<Stop> &info) { return std::string(info.param.name); });

} // namespace
} // namespace orbsales::testing
