#include "orbsales/services/package/books.h"
#include "returns/return_fixture.h"

namespace orbsales::testing {
namespace {

using ReturnBooks = ReturnTest;

// After a return with its credit memo the books hold together; each tampered row is named with
// both figures that disagree.
TEST_F(ReturnBooks, VerifyNamesEveryRowThatDisagreesWithTheReturns) {
    processedReturn("DSI", "01HODSI1", {{"F100", 2}, {"L100", 1}});
    ASSERT_EQ(package::verifyBooks(database().connection()), QStringList());
    const struct {
        const char *tamper;
        QStringList breaches;
    } cases[] = {
        {"Update Purchase_Log Set Sold_Qty = 25 Where Item_Code = '01F100' and Purchase_Document_No = 'Purchase 10'",
         {"Purchase lot Purchase 10 of item 01F100, branch HO: sold quantity 25, lot quantity 20",
          "Item 01F100, branch HO: stock in hand 56, unsold quantity of its purchase lots 35"}},
        {"Update Purchase_Log Set Sold_Qty = -1 Where Item_Code = '01L100' and Purchase_Document_No = 'Purchase 10'",
         {"Purchase lot Purchase 10 of item 01L100, branch HO: sold quantity -1, lot quantity 20",
          "Item 01L100, branch HO: stock in hand 55, unsold quantity of its purchase lots 56"}},
        {"Update Item_Master_Detail Set Stock_Amount = Stock_Amount + 1 Where Item_Code = '01F100' and "
         "Branch_Prefix = 'HO'",
         {"Item 01F100, branch HO: stock value 353, opening value plus stock movements 352"}},
        {"Update Voucher_Detail Set Debit_Amount = 40 Where SL_No = 2",
         {"Credit memo 01HOCRM1 does not balance in the home currency: debits 40, credits 36"}},
        {"Update Voucher_Detail Set FC_Credit_Amount = 35 Where SL_No = 1",
         {"Credit memo 01HOCRM1 does not balance in the foreign currency: debits 36, credits 35"}},
        {"Update Voucher_Master Set Voucher_Amount = 30",
         {"Credit memo 01HOCRM1: amount 30, credited to the customer 36",
          "Credit memo 01HOCRM1 of customer 01C002: amount 30, receivable rows 36"}},
        {"Delete from Accounts_Receivable_Ledger Where Document_No = '01HOCRM1'",
         {"Credit memo 01HOCRM1 of customer 01C002: amount 36, receivable rows 0"}},
        {"Update Direct_Sales_Invoice_Detail Set Return_Qty = 3 Where Item_Code = '01F100'",
         {"Line 1 of 01HODSI1 (item 01F100): returned quantity 3, processed return lines 2"}},
        {"Update Direct_Sales_Invoice_Detail Set Return_Qty = 1 Where Item_Code = '01V100'",
         {"Line 3 of 01HODSI1 (item 01V100): returned quantity 1, processed return lines 0"}},
    };
    Connection &books = database().connection();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tamper);
        books.beginTransaction();
        books.execute(QString::fromLatin1(c.tamper));
        const QStringList found = package::verifyBooks(books);
        books.rollback();
        for (const QString &breach : c.breaches)
            EXPECT_TRUE(found.contains(breach)) << breach.toStdString() << "\n in: " << found.join('\n').toStdString();
    }
}

} // namespace
} // namespace orbsales::testing
