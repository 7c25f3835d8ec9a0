#include "orders/order_fixture.h"
#include "orders/quotation_fixture.h"

#include "orbsales/services/package/books_halfdone.h"

namespace orbsales::testing {
namespace {

// Processing stops at the second line: the inventory refuses an item the branch does not keep.
class OrderAllOrNothing : public OrderTest {
protected:
    void SetUp() override {
        OrderTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name) values ('01B300','Not kept in HO')"));
        grid.setRow(1, line(QStringLiteral("A100"), QStringLiteral("3")));
        grid.setRow(2, line(QStringLiteral("B300"), QStringLiteral("5")));
        ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    }
};

struct Switch {
    const char *name;
    bool atomic;
    int processed;      // orders marked processed
    int temporaryLines; // lines still under the temporary number
    double ordered;     // A100's ordered quantity: 3 at base factor 2
    int counter;        // Document_Next_No of SOR
    int halfDone;       // documents verify lists as half-done
};

class ProcessingStopped : public OrderAllOrNothing, public ::testing::WithParamInterface<Switch> {};

TEST_P(ProcessingStopped, LeavesEveryStepOrNone) {
    const Switch &c = GetParam();
    auto processor = newOrder(grid);
    processor->setSalesOrdNo(order->SalesOrdNo());
    processor->setAtomicFlag(c.atomic);
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), QStringLiteral("Item '01B300' is not set up for branch 'HO'"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("process_Flag = 1")), c.processed);
    EXPECT_EQ(lineCount(QStringLiteral("01HOSORTMP1")), c.temporaryLines);
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code='01A100'"))
                  .toDouble(),
              c.ordered);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where "
                                               "Document_Prefix='SOR'"))
                  .toInt(),
              c.counter);
    EXPECT_EQ(package::findHalfDoneDocuments(database().connection()).size(), c.halfDone);
}

INSTANTIATE_TEST_SUITE_P(AtomicFlag, ProcessingStopped,
                         ::testing::Values(Switch{"Off", false, 1, 0, 6, 3, 1}, Switch{"On", true, 0, 2, 0, 2, 0}),
                         [](const ::testing::TestParamInfo<Switch> &info) { return std::string(info.param.name); });

// The quotation's own transaction and the counter raise for a typed number run inside the
// operation's transaction, on the one session the operation holds.
class QuotationAllOrNothing : public QuotationTest {};

TEST_F(QuotationAllOrNothing, OwnTransactionAndTypedNumberWorkInside) {
    grid.setRow(1, line(QStringLiteral("A100")));
    quotation->setAtomicFlag(true);
    quotation->setDocFlag(true);
    quotation->setmanualDocIdentity(40);
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(quotation->SalesQuotNo(), QStringLiteral("01HOSQT40"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Detail"), QStringLiteral("Sales_Quot_No=?"),
                               {QStringLiteral("01HOSQT40")}),
              1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), 41);
}

} // namespace
} // namespace orbsales::testing
