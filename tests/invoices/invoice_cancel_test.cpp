#include "invoices/invoice_fixture.h"
#include "orbsales/services/package/books.h"
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
    }
    std::unique_ptr<SalesInvoice> canceller() {
        auto invoice = newInvoice();
        invoice->setSalesInvNo(number);
        invoice->setLastUpdate(day(9));
        return invoice;
    }
    std::vector<int> note, direct;
    QString number;
};

TEST_F(InvoiceCancel, TakesBackReceivableLedgerAndQuantities) {
    ASSERT_EQ(number, QStringLiteral("01HOINV2"));
    EXPECT_NE(postedBalance(QStringLiteral("01HO4000")), 0);
    ASSERT_EQ(package::documentedDifferences(database().connection()).size(), 1);
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
    EXPECT_TRUE(package::documentedDifferences(database().connection()).isEmpty());
    EXPECT_TRUE(package::verifyBooks(database().connection()).isEmpty())
        << package::verifyBooks(database().connection()).join(QLatin1Char('\n')).toStdString();

    MemoryGrid offered(4, 32);
    auto again = newInvoice(&offered);
    ASSERT_TRUE(again->Get_Delivery_Details());
    EXPECT_EQ(offered.cellText(1, 10), QStringLiteral("1.5"));
    EXPECT_EQ(offered.cellText(2, 10), QStringLiteral("4"));
}

TEST_F(InvoiceCancel, AnInvoiceWithReceiptsAppliedIsRefusedUnchanged) {
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Balance_Amount = Balance_Amount - 1"));
    auto invoice = canceller();
    EXPECT_FALSE(invoice->Cancel_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Cannot Cancel, This Invoice Already Adjusted"));
    EXPECT_EQ(invoiceValue(QStringLiteral("Cancel_Flag"), number).toInt(), 0);
    EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger")), 1);
    EXPECT_EQ(invoicedQty(QStringLiteral("Delivery_Detail"), note[0]), 1.5);
}

struct RefusalCase {
    const char *name;
    const char *number; // "" : the processed invoice
    bool closed;
    const char *errDesc;
};
void PrintTo(const RefusalCase &c, std::ostream *os) { *os << c.name; }

class InvoiceCancelRefusals : public InvoiceCancel, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(InvoiceCancelRefusals, ChangeNothing) {
    const RefusalCase &c = GetParam();
    auto invoice = canceller();
    if (*c.number)
        invoice->setSalesInvNo(QString::fromLatin1(c.number));
    Connection closed;
    if (c.closed)
        invoice->setAdoDBConnectionObject(&closed);
    EXPECT_FALSE(invoice->Cancel_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QString::fromLatin1(c.errDesc));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master"), QStringLiteral("Cancel_Flag = 1")), 0);
}

INSTANTIATE_TEST_SUITE_P(Refusals, InvoiceCancelRefusals,
                         ::testing::Values(RefusalCase{"ClosedConnection", "", true, "Invalid Connection Object"},
                                           RefusalCase{"BlankNumber", "  ", false, "Invalid Invoice No"},
                                           RefusalCase{
                                               "NeverPosted", "01HOINVTMP9", false,
                                               "No row of Accounts_Receivable_Ledger has Document_No = '01HOINVTMP9'"}),
                         [](const auto &info) { return std::string(info.param.name); });

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

} // namespace
} // namespace orbsales::testing
