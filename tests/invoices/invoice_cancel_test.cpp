#include "invoices/invoice_fixture.h"
#include "orbsales/services/package/books.h"

namespace orbsales::testing {
namespace {

// A processed invoice of a delivery note line and a direct delivery line, one of which rounds.
class InvoiceCancel : public InvoiceTest {
protected:
    void SetUp() override {
        InvoiceTest::SetUp();
        if (!db)
            return;
        note = addDelivery({false, QStringLiteral("01HODEL1")}, {{.qty = 1.5, .price = 2.75, .fcPrice = 2.75}});
        direct = addDelivery({true, QStringLiteral("01HODDL2")}, {{.code = QStringLiteral("B200"), .qty = 4}});
        auto invoice = newInvoice();
        createdInvoice(*invoice, 2);
        EXPECT_TRUE(invoice->Process_Invoice()) << invoice->ErrDesc().toStdString();
        number = invoice->SalesInvNo();
        total = invoice->SalesInvTotalAmount();
    }
    std::unique_ptr<SalesInvoice> canceller() {
        auto invoice = newInvoice();
        invoice->setSalesInvNo(number);
        invoice->setLastUpdate(day(9));
        return invoice;
    }
    std::vector<int> note, direct;
    QString number;
    double total = 0;
};

// Processing posts balanced books, the customer owing the invoice and the sales line's chart
// movement differing from its credit by the rounding, listed apart from breaches; cancelling
// takes all of it back.
TEST_F(InvoiceCancel, TakesBackReceivableLedgerAndQuantities) {
    ASSERT_EQ(number, QStringLiteral("01HOINV2"));
    EXPECT_EQ(total, 42.12); // 4.125 + 40 - 2 to even
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 42.12);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), 42.12);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), -44.125);
    EXPECT_NEAR(database().scalar(QStringLiteral("Select SUM(GL_Debit_Amount) - SUM(GL_Credit_Amount) from General_Ledger"))
                    .toDouble(),
                0, 1e-9);
    EXPECT_EQ(package::verifyBooks(connection()), QStringList());
    const QList<package::DocumentedDifference> differences = package::documentedDifferences(connection());
    ASSERT_EQ(differences.size(), 1);
    EXPECT_EQ(differences[0].text(),
              QStringLiteral("Document 01HOINV2, account 01HO4000: ledger rows -4.12, chart moved by -4.125 "
                             "(difference -0.005)"));
    auto invoice = canceller();
    ASSERT_TRUE(invoice->Cancel_Invoice()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(invoiceValue(QStringLiteral("Cancel_Flag"), number).toInt(), 1);
    EXPECT_EQ(invoiceValue(QStringLiteral("Processed_Flag"), number).toInt(), 0);
    EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger")), 0);
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger")), 0);
    for (const char *account : {"01HO1200", "01HO4000", "01HO4300"})
        EXPECT_NEAR(postedBalance(QString::fromLatin1(account)), 0, 1e-9) << account; // no residue of the rounding
    EXPECT_NEAR(customerBalance(QStringLiteral("01C001")), 0, 1e-9);
    EXPECT_EQ(invoicedQty(QStringLiteral("Delivery_Detail"), note[0]), 0);
    EXPECT_EQ(invoicedQty(QStringLiteral("Direct_Delivery_Detail"), direct[0]), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Invoiced_Flag from Delivery_Master")).toInt(), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Invoiced_Flag from Direct_Delivery_Master")).toInt(), 0);
    EXPECT_EQ(rows(QStringLiteral("Chart_Difference")), 0);
    EXPECT_TRUE(package::documentedDifferences(connection()).isEmpty());
    EXPECT_EQ(package::verifyBooks(connection()), QStringList());

    MemoryGrid offered(4, 32);
    auto again = newInvoice(&offered);
    ASSERT_TRUE(again->Get_Delivery_Details());
    EXPECT_EQ(offered.cellText(1, 10), QStringLiteral("1.5"));
    EXPECT_EQ(offered.cellText(2, 10), QStringLiteral("4"));
}

TEST_F(InvoiceCancel, RefusalsChangeNothing) {
    struct Case {
        const char *name;
        const char *number; // "" : the processed invoice
        bool closed;
        const char *setup; // a statement run first, or ""
        const char *errDesc;
    } const cases[] = {
        {"closed connection", "", true, "", "Invalid Connection Object"},
        {"blank number", "  ", false, "", "Invalid Invoice No"},
        {"never posted", "01HOINVTMP9", false, "",
         "No row of Accounts_Receivable_Ledger has Document_No = '01HOINVTMP9'"},
        {"receipts applied", "", false, "Update Sales_Invoice_Master Set Balance_Amount = Balance_Amount - 1",
         "Cannot Cancel, This Invoice Already Adjusted"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.setup)
            database().execute(QString::fromLatin1(c.setup));
        auto invoice = canceller();
        if (*c.number)
            invoice->setSalesInvNo(QString::fromLatin1(c.number));
        Connection closed;
        if (c.closed)
            invoice->setAdoDBConnectionObject(&closed);
        EXPECT_FALSE(invoice->Cancel_Invoice());
        EXPECT_EQ(invoice->ErrDesc(), QString::fromLatin1(c.errDesc));
        EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master"), QStringLiteral("Cancel_Flag = 1")), 0);
        EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger")), 1);
        EXPECT_EQ(invoicedQty(QStringLiteral("Delivery_Detail"), note[0]), 1.5);
    }
}

TEST_F(InvoiceCancel, AnUnprocessedInvoiceOnTheReceivableIsOnlyMarked) {
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Processed_Flag = 0"));
    auto invoice = canceller();
    ASSERT_TRUE(invoice->Cancel_Invoice()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(invoiceValue(QStringLiteral("Cancel_Flag"), number).toInt(), 1);
    EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger")), 1);
    EXPECT_EQ(invoicedQty(QStringLiteral("Delivery_Detail"), note[0]), 1.5);
}

TEST_F(InvoiceCancel, AMissingDeliveryLineStopsWithTheInvoiceMarked) {
    database().execute(QStringLiteral("Delete from Direct_Delivery_Detail"));
    auto invoice = canceller();
    EXPECT_FALSE(invoice->Cancel_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Invalid Item Details"));
    EXPECT_EQ(invoiceValue(QStringLiteral("Cancel_Flag"), number).toInt(), 1);
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger")), 0);
}

// The books hold until one row is changed, and verify names it.
TEST_F(InvoiceCancel, VerifyNamesTheTamperedRow) {
    struct Case {
        const char *name;
        const char *statement;
        const char *named; // what verify says, in part
    } const cases[] = {
        {"delivery line quantity", "Update Delivery_Detail Set Invoiced_Qty = 2.5",
         "Delivery 01HODEL1, line 1: Invoiced_Qty 2.5, processed invoice lines 1.5"},
        {"direct delivery line quantity", "Update Direct_Delivery_Detail Set Invoiced_Qty = 0",
         "Direct delivery 01HODDL2, line 1: Invoiced_Qty 0, processed invoice lines 4"},
        {"invoice line quantity", "Update Sales_Invoice_Detail Set Sales_Inv_Qty = 1 Where Delivery_No = '01HODDL2'",
         "Direct delivery 01HODDL2, line 1: Invoiced_Qty 4, processed invoice lines 1"},
        {"branch balance", "Update Customer_Master_Balance Set Customer_Balance = 40 Where Branch_Prefix = 'HO'",
         "Customer 01C001, branch HO: balance 40, receivable rows 42.12"},
        {"chart difference record", "Update Chart_Difference Set Chart_Amount = Chart_Amount - 1",
         "Account 01HO4000 (Account): balance -44.125, opening balance plus ledger rows -45.125"},
        {"sales ledger row", "Update General_Ledger Set GL_Credit_Amount = 4.125 Where GL_Credit_Amount = 4.12",
         "Account 01HO4000 (Account): balance -44.125, opening balance plus ledger rows -44.13"},
        {"cancelled with its postings", "Update Sales_Invoice_Master Set Cancel_Flag = 1",
         "Cancelled invoice 01HOINV2 still has 4 ledger rows, 1 receivable rows and 1 chart differences"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        ASSERT_EQ(number, QStringLiteral("01HOINV2"));
        ASSERT_EQ(package::verifyBooks(connection()), QStringList());
        database().execute(QString::fromLatin1(c.statement));
        const QString breaches = package::verifyBooks(connection()).join(QLatin1Char('\n'));
        EXPECT_TRUE(breaches.contains(QString::fromLatin1(c.named))) << breaches.toStdString();
    }
}

} // namespace
} // namespace orbsales::testing
