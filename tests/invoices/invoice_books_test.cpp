#include "invoices/invoice_fixture.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/service_ids.h"

namespace orbsales::testing {
namespace {

// A ledger line whose chart movement differs from it, and the document's reversal.
TEST_F(InvoiceTest, TakingADocumentBackTakesBackWhatTheChartMoved) {
    auto post = [&](const QString &account, double debit, double credit, double chart) {
        auto ledger = service<GeneralLedger>(service_ids::kGeneralLedger);
        ledger->setDocumentNo(QStringLiteral("01HOINV9"));
        ledger->setaccountno(account);
        ledger->setGLDebitAmount(debit);
        ledger->setGLCreditAmount(credit);
        ledger->setFCGLDebitAmount(debit);
        ledger->setFCGLCreditAmount(credit);
        ASSERT_TRUE(ledger->GLInsert()) << ledger->ErrDesc().toStdString();
        ASSERT_TRUE(ledger->COAPosting(account, chart)) << ledger->ErrDesc().toStdString();
    };
    post(QStringLiteral("01HO4000"), 0, 4.12, -4.125);
    post(QStringLiteral("01HO1200"), 4.12, 0, 4.12);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), -4.125);
    EXPECT_TRUE(package::verifyBooks(connection()).isEmpty())
        << package::verifyBooks(connection()).join(QLatin1Char('\n')).toStdString();
    const QList<package::DocumentedDifference> listed = package::documentedDifferences(connection());
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].text(), QStringLiteral("Document 01HOINV9, account 01HO4000: ledger rows -4.12, "
                                                           "chart moved by -4.125 (difference -0.005)"));

    auto ledger = service<GeneralLedger>(service_ids::kGeneralLedger);
    ledger->setDocumentNo(QStringLiteral("01HOINV9"));
    ASSERT_TRUE(ledger->GLDelete()) << ledger->ErrDesc().toStdString();
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), 0);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO1200")), 0);
    EXPECT_EQ(rows(QStringLiteral("Chart_Difference")), 0);
    EXPECT_TRUE(package::documentedDifferences(connection()).isEmpty());
    EXPECT_TRUE(package::verifyBooks(connection()).isEmpty());
}

struct Tamper {
    const char *name;
    const char *statement;
    const char *named; // what verify says, in part
};
void PrintTo(const Tamper &c, std::ostream *os) { *os << c.name; }

// A processed invoice 01HOINV2 of a delivery note line and a direct delivery line: the books
// hold until one row is changed, and verify names it.
class InvoiceBooks : public InvoiceTest, public ::testing::WithParamInterface<Tamper> {
protected:
    void SetUp() override {
        InvoiceTest::SetUp();
        if (!db)
            return;
        addDelivery({false, QStringLiteral("01HODEL1")}, {{.qty = 1.5, .price = 2.75, .fcPrice = 2.75}});
        addDelivery({true, QStringLiteral("01HODDL2")}, {{.code = QStringLiteral("B200"), .qty = 4}});
        auto invoice = newInvoice();
        createdInvoice(*invoice, 2);
        ASSERT_TRUE(invoice->Process_Invoice()) << invoice->ErrDesc().toStdString();
        ASSERT_EQ(invoice->SalesInvNo(), QStringLiteral("01HOINV2"));
    }
};

TEST_P(InvoiceBooks, VerifyNamesTheTamperedRow) {
    const Tamper &c = GetParam();
    ASSERT_TRUE(package::verifyBooks(connection()).isEmpty())
        << package::verifyBooks(connection()).join(QLatin1Char('\n')).toStdString();
    database().execute(QString::fromLatin1(c.statement));
    const QStringList breaches = package::verifyBooks(connection());
    EXPECT_TRUE(breaches.join(QLatin1Char('\n')).contains(QString::fromLatin1(c.named)))
        << breaches.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tampers, InvoiceBooks,
    ::testing::Values(
        Tamper{"DeliveryLineQuantity", "Update Delivery_Detail Set Invoiced_Qty = 2.5",
               "Delivery 01HODEL1, line 1: Invoiced_Qty 2.5, processed invoice lines 1.5"},
        Tamper{"DirectDeliveryLineQuantity", "Update Direct_Delivery_Detail Set Invoiced_Qty = 0",
               "Direct delivery 01HODDL2, line 1: Invoiced_Qty 0, processed invoice lines 4"},
        Tamper{"InvoiceLineQuantity",
               "Update Sales_Invoice_Detail Set Sales_Inv_Qty = 1 Where Delivery_No = '01HODDL2'",
               "Direct delivery 01HODDL2, line 1: Invoiced_Qty 4, processed invoice lines 1"},
        Tamper{"BranchBalance", "Update Customer_Master_Balance Set Customer_Balance = 40 Where Branch_Prefix = 'HO'",
               "Customer 01C001, branch HO: balance 40, receivable rows 42.12"},
        Tamper{"ChartDifferenceRecord", "Update Chart_Difference Set Chart_Amount = Chart_Amount - 1",
               "Account 01HO4000 (Account): balance -44.125, opening balance plus ledger rows -45.125"},
        Tamper{"SalesLedgerRow", "Update General_Ledger Set GL_Credit_Amount = 4.125 Where GL_Credit_Amount = 4.12",
               "Account 01HO4000 (Account): balance -44.125, opening balance plus ledger rows -44.13"},
        Tamper{"CancelledWithItsPostings", "Update Sales_Invoice_Master Set Cancel_Flag = 1",
               "Cancelled invoice 01HOINV2 still has 4 ledger rows, 1 receivable rows and 1 chart differences"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace orbsales::testing
