#include "customers/customer_ob_fixture.h"

#include "orbsales/services/package/books.h"

namespace orbsales::testing {
namespace {

using package::verifyBooks;

// Two opening invoices (100, 50) and an advance receipt (30) processed in the head office.
class OpeningBalanceBooks : public OpeningBalanceTest {
protected:
    void SetUp() override {
        OpeningBalanceTest::SetUp();
        if (!db)
            return;
        processed("Debit", {{"INV1", "01/Mar/2026", "100"}, {"INV2", "02/Mar/2026", "50"}});
        processed("Credit", {{"ADV1", "03/Mar/2026", "30"}}, false, "OBR");
    }
};

// The openings moved without a counter-entry are listed apart, not as a breach.
TEST_F(OpeningBalanceBooks, EachBreachNamesTheDocumentOrBranchWithBothFigures) {
    ASSERT_EQ(package::documentedDifferences(connection()).size(), 1);
    EXPECT_EQ(package::documentedDifferences(connection()).front().text(),
              "Opening balances of company 01, branch HO add up to 120, not 0: the customers' opening balances moved "
              "the receivable and advance-receipt accounts' openings without a counter-entry");
    const struct {
        const char *tamper;
        QStringList breaches;
    } cases[] = {
        {"Update Accounts_Receivable_Ledger Set ARL_Debit_Amount = 90 Where Document_No = '01HOCOB1'",
         {"Customer 01C001: balance 120, receivable rows 110",
          "Customer 01C001, branch HO: balance 120, receivable rows 110",
          "Opening-balance invoice 01HOCOB1 of customer 01C001: total 100, receivable rows 90",
          "Opening balances of company 01, branch HO: add up to 120, customers' opening balances 110"}},
        {"Update Sales_Invoice_Master Set Sales_Inv_FC_Total_Amount = 49 Where Sales_Inv_No = '01HOCOB2'",
         {"Opening-balance invoice 01HOCOB2 of customer 01C001: foreign-currency total 49, receivable rows 50"}},
        {"Update Receipt_Master Set Receipt_Amount = 35 Where Receipt_No = '01HOOBR1'",
         {"Opening-balance advance receipt 01HOOBR1 of customer 01C001: amount 35, receivable rows 30"}},
        {"Delete from Receipt_Master Where Receipt_No = '01HOOBR1'",
         {"Opening-balance document 01HOOBR1 of customer 01C001 has receivable rows but no invoice or receipt: "
          "receivable rows -30"}},
        {"Delete from Accounts_Receivable_Ledger Where Document_No = '01HOCOB2'",
         {"Customer 01C001: balance 120, receivable rows 70",
          "Customer 01C001, branch HO: balance 120, receivable rows 70",
          "Customer 01C001, branch HO: foreign-currency balance 120, receivable rows 70",
          "Opening-balance invoice 01HOCOB2 of customer 01C001: total 50, receivable rows 0",
          "Opening-balance invoice 01HOCOB2 of customer 01C001: foreign-currency total 50, receivable rows 0",
          "Opening balances of company 01, branch HO: add up to 120, customers' opening balances 70"}},
        {"Update Chart_Of_Accounts Set Opening_Balance = 0 Where Account_No = '01HO2100'",
         {"Opening balances of company 01, branch HO: add up to 150, customers' opening balances 120"}},
    };
    for (const auto &c : cases) {
        connection().beginTransaction();
        database().execute(QString::fromLatin1(c.tamper));
        EXPECT_EQ(verifyBooks(connection()), c.breaches) << c.tamper;
        connection().rollback();
    }
}

} // namespace
} // namespace orbsales::testing
