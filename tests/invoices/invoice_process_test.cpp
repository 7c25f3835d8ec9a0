#include "invoices/invoice_fixture.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

// An invoice of two delivery lines (A100: 2 x 10, B200: 1 x 5) saved as 01HOINVTMP1.
class InvoiceProcess : public InvoiceTest {
protected:
    void SetUp() override {
        InvoiceTest::SetUp();
        if (!db)
            return;
        serials = addDelivery({false, QStringLiteral("01HODEL1")},
                              {{}, {.code = QStringLiteral("B200"), .qty = 1, .price = 5, .fcPrice = 5}});
    }
    QString savedInvoice() {
        auto invoice = newInvoice();
        return createdInvoice(*invoice);
    }
    int ledgerRows(const QString &number) {
        return database().count(QStringLiteral("General_Ledger"), QStringLiteral("Document_No = ?"), {number});
    }
    std::vector<int> serials;
};

enum class Run { Standard, Plain };

struct ModeCase {
    const char *name;
    Run run;
    bool online, sync, manual;
    double typed;
    const char *finalNo;
    int counterAfter;
    bool deliveriesUpdated;
    bool posted;
};
void PrintTo(const ModeCase &c, std::ostream *os) { *os << c.name; }

class InvoiceProcessModes : public InvoiceProcess, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(InvoiceProcessModes, NumberQuantitiesAndPostingsFollowTheMode) {
    const ModeCase &c = GetParam();
    const QString temporary = savedInvoice();
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Sales_Inv_Identity = 17"));
    auto processor = newInvoice();
    processor->setSalesInvNo(temporary);
    processor->setDocumentPrefix(QString()); // taken from the number
    processor->setOnlineFlag(c.online);
    processor->setSyncFlag(c.sync);
    processor->setManualDocFlag(c.manual);
    processor->setmanualDocIdentity(c.typed);
    ASSERT_TRUE(c.run == Run::Standard ? processor->Process_Invoice() : processor->Process_Invoice123())
        << processor->ErrDesc().toStdString();
    const QString finalNo = QString::fromLatin1(c.finalNo);
    EXPECT_EQ(processor->SalesInvNo(), finalNo);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Detail"), QStringLiteral("Sales_Inv_No = ?"), {finalNo}),
              2);
    EXPECT_EQ(counter(), c.counterAfter);
    EXPECT_EQ(invoicedQty(QStringLiteral("Delivery_Detail"), serials[0]), c.deliveriesUpdated ? 2 : 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Invoiced_Flag from Delivery_Master")).toInt(),
              c.deliveriesUpdated ? 1 : 0);
    EXPECT_EQ(ledgerRows(finalNo) > 0, c.posted);
    EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger")), c.posted ? 1 : 0);
    EXPECT_TRUE(package::verifyBooks(database().connection()).isEmpty())
        << package::verifyBooks(database().connection()).join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, InvoiceProcessModes,
    ::testing::Values(
        ModeCase{"Online", Run::Standard, true, false, false, 0, "01HOINV2", 3, true, true},
        ModeCase{"OfflineLeavesTheReservedNumberTaken", Run::Standard, false, false, false, 0, "01HOINV2", 3, true,
                 false},
        ModeCase{"SynchronisingKeepsTheNumberAndOnlyPosts", Run::Standard, false, true, false, 0, "01HOINVTMP1", 2,
                 false, true},
        ModeCase{"ManualRaisesTheCounter", Run::Standard, true, false, true, 40.5, "01HOINV40", 41, true, true},
        ModeCase{"ManualBelowTheCounter", Run::Standard, true, false, true, 1, "01HOINV1", 2, true, true},
        ModeCase{"PlainOnline", Run::Plain, true, false, false, 0, "01HOINV2", 3, true, true},
        ModeCase{"PlainIgnoresTheManualNumber", Run::Plain, true, false, true, 40, "01HOINV2", 3, true, true},
        ModeCase{"PlainOffline", Run::Plain, false, false, false, 0, "01HOINV2", 3, true, false},
        ModeCase{"PlainSynchronising", Run::Plain, false, true, false, 0, "01HOINVTMP1", 2, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

// A dollar invoice at 3.5 of one line whose amounts do not round evenly.
class InvoicePostings : public InvoiceTest {
protected:
    void SetUp() override {
        InvoiceTest::SetUp();
        if (!db)
            return;
        addDelivery({false, QStringLiteral("01HODEL1"), QStringLiteral("HO"), QStringLiteral("01C001"),
                     QStringLiteral("01"), 1, 0, 0, true},
                    {{.qty = 3,
                      .price = 11.6655,
                      .fcPrice = 3.333,
                      .disc = 1.75,
                      .fcDisc = 0.5,
                      .foc = 0,
                      .overall = 0.875,
                      .overallFc = 0.25}});
        invoice = newInvoice();
        invoice->setForeignCurrencyFlag(true);
        invoice->setCurrencyCode(QStringLiteral("USD"));
        invoice->setExchangeRate(3.5);
        invoice->setSalesInvComments(QStringLiteral("Week 49"));
        temporary = createdInvoice(*invoice, 3.5);
        database().execute(QStringLiteral("Update Sales_Invoice_Master Set Sales_Inv_FC_Total_Amount = 7.25"));
    }
    std::unique_ptr<SalesInvoice> invoice;
    QString temporary;
};

TEST_F(InvoicePostings, StandardCreditsRoundedAmountsAndDebitsDiscountsAndReceivable) {
    RecordingScope ledger(ids::kGeneralLedger);
    RecordingScope receivable(ids::kAccountsReceivable);
    RecordingScope salesLog(ids::kSalesLog);
    RecordingScope general(ids::kGeneral);
    general->answer(QStringLiteral("GetFldValue"), QStringLiteral("01HO4300"));
    ASSERT_TRUE(invoice->Process_Invoice()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(invoice->SalesInvNo(), QStringLiteral("01HOINV2"));
    EXPECT_EQ(invoice->SalesInvTotalAmount(), 25.38); // 3.5 x 7.25 = 25.375, half to even

    const QList<RecordedCall> inserts = ledger->actions(QStringLiteral("GLInsert"));
    const QList<RecordedCall> chart = ledger->actions(QStringLiteral("COAPosting"));
    ASSERT_EQ(inserts.size(), 3);
    ASSERT_EQ(chart.size(), 3);
    const QVariantMap sales = ledger->propertiesAt(inserts[0]);
    EXPECT_EQ(sales.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO4000"));
    EXPECT_EQ(sales.value(QStringLiteral("GLDescription")).toString(),
              QStringLiteral("Sales Account : ItemCode - A100"));
    EXPECT_EQ(sales.value(QStringLiteral("FCGLCreditAmount")).toDouble(), 10); // 3 x 3.333 rounded
    EXPECT_EQ(sales.value(QStringLiteral("GLCreditAmount")).toDouble(), 35);   // 10 x 3.5
    EXPECT_EQ(sales.value(QStringLiteral("GLDebitAmount")).toDouble(), 0);
    EXPECT_EQ(sales.value(QStringLiteral("DocumentNo")).toString(), QStringLiteral("01HOINV2"));
    EXPECT_EQ(sales.value(QStringLiteral("CurrencySymbol")).toString(), QStringLiteral("$"));
    EXPECT_FALSE(sales.contains(QStringLiteral("GLComments")));
    EXPECT_EQ(chart[0].arguments, (QVariantList{QStringLiteral("01HO4000"), -3 * 11.6655}));

    // Line discounts 3 x 0.5 and the overall share 0.25 in dollars, at the rate: 6.125 -> 6.12,
    // and the invoice's own 3.5.
    const QVariantMap discount = ledger->propertiesAt(inserts[1]);
    EXPECT_EQ(discount.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO4300"));
    EXPECT_EQ(discount.value(QStringLiteral("GLDescription")).toString(), QStringLiteral("Discount Account"));
    EXPECT_EQ(discount.value(QStringLiteral("GLComments")).toString(), QStringLiteral("Week 49"));
    EXPECT_DOUBLE_EQ(discount.value(QStringLiteral("GLDebitAmount")).toDouble(), 9.62);
    EXPECT_DOUBLE_EQ(discount.value(QStringLiteral("FCGLDebitAmount")).toDouble(), 2.75);
    EXPECT_DOUBLE_EQ(chart[1].arguments.value(1).toDouble(), 9.62);
    const RecordedCall askedFor = general->actions(QStringLiteral("GetFldValue")).value(0);
    EXPECT_EQ(askedFor.arguments,
              (QVariantList{QStringLiteral("Default_Sales_Preferences"), QStringLiteral("Sales_Disc_Account_No"),
                            QStringLiteral("Company_Prefix"), QStringLiteral("01"), false,
                            QStringLiteral("Branch_Prefix"), QStringLiteral("HO"), false}));

    const QVariantMap owed =
        receivable->propertiesAt(receivable->actions(QStringLiteral("AR_Insert_Transaction")).value(0));
    EXPECT_EQ(owed.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO1200"));
    EXPECT_EQ(owed.value(QStringLiteral("CustomerCode")).toString(), QStringLiteral("01C001"));
    EXPECT_EQ(owed.value(QStringLiteral("ARLDescription")).toString(),
              QStringLiteral("Accounts Receivable : Customer Code - C001"));
    EXPECT_EQ(owed.value(QStringLiteral("ARLComments")).toString(), QStringLiteral("Week 49"));
    EXPECT_EQ(owed.value(QStringLiteral("ARLDebitAmount")).toDouble(), 25.38);
    EXPECT_EQ(owed.value(QStringLiteral("FCARLDebitAmount")).toDouble(), 7.25);
    EXPECT_EQ(owed.value(QStringLiteral("ARLCreditAmount")).toDouble(), 0);
    const QVariantMap control = ledger->propertiesAt(inserts[2]);
    EXPECT_EQ(control.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO1200"));
    EXPECT_EQ(control.value(QStringLiteral("GLDebitAmount")).toDouble(), 25.38);
    EXPECT_EQ(chart[2].arguments, (QVariantList{QStringLiteral("01HO1200"), 25.38}));

    const QVariantMap logged = salesLog->propertiesAt(salesLog->actions(QStringLiteral("Create_SalesLog")).value(0));
    EXPECT_EQ(logged.value(QStringLiteral("SalesDocumentNo")).toString(), QStringLiteral("01HOINV2"));
    EXPECT_EQ(logged.value(QStringLiteral("DocumentPrefix")).toString(), QStringLiteral("SLG"));
    EXPECT_EQ(logged.value(QStringLiteral("SalesDocumentPrefix")).toString(), QStringLiteral("INV"));
    EXPECT_EQ(logged.value(QStringLiteral("ItemCode")).toString(), QStringLiteral("01A100"));
    EXPECT_EQ(logged.value(QStringLiteral("SalesQty")).toDouble(), 3);
    EXPECT_EQ(logged.value(QStringLiteral("ProjNo")).toString(), QStringLiteral("01HOPRJ0042"));
    EXPECT_DOUBLE_EQ(logged.value(QStringLiteral("SalesUnitPrice")).toDouble(),
                     logged.value(QStringLiteral("SalesItemAmount")).toDouble() / 3);
    EXPECT_TRUE(logged.contains(QStringLiteral("FOC_Flag")));
}

TEST_F(InvoicePostings, PlainCreditsQuantityTimesPriceAndKeepsTheTotal) {
    database().execute(
        QStringLiteral("Update Item_Master Set Sales_Account_No = '01HO4010' Where Item_Code = '01A100'"));
    RecordingScope ledger(ids::kGeneralLedger);
    RecordingScope receivable(ids::kAccountsReceivable);
    RecordingScope salesLog(ids::kSalesLog);
    RecordingScope general(ids::kGeneral);
    general->answer(QStringLiteral("GetFldValue"), QStringLiteral("01HO4300"));
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Sales_Inv_Total_Amount = 25"));
    ASSERT_TRUE(invoice->Process_Invoice123()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(invoice->SalesInvTotalAmount(), 25);
    const QList<RecordedCall> inserts = ledger->actions(QStringLiteral("GLInsert"));
    ASSERT_EQ(inserts.size(), 3);
    const QVariantMap sales = ledger->propertiesAt(inserts[0]);
    EXPECT_EQ(sales.value(QStringLiteral("accountno")).toString(), QStringLiteral("01HO4010"));
    EXPECT_DOUBLE_EQ(sales.value(QStringLiteral("GLCreditAmount")).toDouble(), 3 * 11.6655);
    EXPECT_DOUBLE_EQ(sales.value(QStringLiteral("FCGLCreditAmount")).toDouble(), 3 * 3.333);
    // 3 x 1.75 + 0.875 on the lines, and the invoice's own 3.5.
    EXPECT_DOUBLE_EQ(ledger->propertiesAt(inserts[1]).value(QStringLiteral("GLDebitAmount")).toDouble(), 9.625);
    EXPECT_EQ(
        receivable->propertiesAt(receivable->actions().value(0)).value(QStringLiteral("ARLDebitAmount")).toDouble(),
        25);
    const QVariantMap logged = salesLog->propertiesAt(salesLog->actions().value(0));
    EXPECT_FALSE(logged.contains(QStringLiteral("FOC_Flag")));
    EXPECT_FALSE(logged.contains(QStringLiteral("InventoryValue")));
}

struct AccountCase {
    const char *name;
    Run run;
    const char *itemCode; // "" : the line has no item code
    int foc;
    const char *setup;   // a statement run before processing, or ""
    const char *errDesc; // "" : processing succeeds
    int salesLines;
};
void PrintTo(const AccountCase &c, std::ostream *os) { *os << c.name; }

class InvoiceSalesAccounts : public InvoiceTest, public ::testing::WithParamInterface<AccountCase> {};

TEST_P(InvoiceSalesAccounts, ComeFromThePreferencesOrTheItem) {
    const AccountCase &c = GetParam();
    addDelivery(
        {false, QStringLiteral("01HODEL1")},
        {{.code = QString::fromLatin1(c.itemCode), .qty = 2, .price = 10, .fcPrice = 10, .foc = double(c.foc)}});
    auto invoice = newInvoice();
    createdInvoice(*invoice, 1);
    if (*c.setup)
        database().execute(QString::fromLatin1(c.setup));
    RecordingScope ledger(ids::kGeneralLedger);
    const bool done = c.run == Run::Standard ? invoice->Process_Invoice() : invoice->Process_Invoice123();
    EXPECT_EQ(done, *c.errDesc == 0) << invoice->ErrDesc().toStdString();
    if (*c.errDesc) {
        EXPECT_EQ(invoice->ErrDesc(), QString::fromLatin1(c.errDesc));
    }
    int salesLines = 0;
    for (const RecordedCall &insert : ledger->actions(QStringLiteral("GLInsert")))
        salesLines += ledger->propertiesAt(insert)
                          .value(QStringLiteral("GLDescription"))
                          .toString()
                          .startsWith(QStringLiteral("Sales Account : "));
    EXPECT_EQ(salesLines, c.salesLines);
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, InvoiceSalesAccounts,
    ::testing::Values(AccountCase{"FreeOfCostPostsNothing", Run::Standard, "A100", 1, "", "", 0},
                      AccountCase{"PlainPostsFreeOfCostToo", Run::Plain, "A100", 1, "", "", 1},
                      AccountCase{"LineWithoutItemCode", Run::Standard, "", 0, "", "", 1},
                      AccountCase{"NoBranchAccountForALineWithoutCode", Run::Standard, "", 0,
                                  "Update Default_Sales_Preferences Set Credit_Sales_Account_No = NULL",
                                  "Invalid Default Sales Account", 0},
                      AccountCase{"NoPreferencesForTheInvoicesBranch", Run::Standard, "A100", 0,
                                  "Delete from Default_Sales_Preferences",
                                  "Set the Sales default settings in the Sales Preferences", 0},
                      AccountCase{"UnknownItem", Run::Standard, "Z999", 0, "", "Item '01Z999' does not exist", 0},
                      AccountCase{"PlainNoSalesAccountAnywhere", Run::Plain, "A100", 0,
                                  "Update Default_Sales_Preferences Set Credit_Sales_Account_No = ''",
                                  "Invalid Sales Account ", 0},
                      AccountCase{"PlainNoDefaultForALineWithoutCode", Run::Plain, "", 0,
                                  "Update Default_Sales_Preferences Set Credit_Sales_Account_No = NULL",
                                  "Invalid Default Sales Account", 0},
                      AccountCase{"NoDiscountAccount", Run::Standard, "A100", 0,
                                  "Update Default_Sales_Preferences Set Sales_Disc_Account_No = NULL",
                                  "Invalid Default Discount Account", 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(InvoiceProcess, StopsAtTheFirstMissingPiece) {
    const QString temporary = savedInvoice();
    auto processor = newInvoice();
    processor->setSalesInvNo(temporary);
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Currency_Code = 'XXX'"));
    EXPECT_FALSE(processor->Process_Invoice());
    EXPECT_EQ(processor->ErrDesc(), QStringLiteral("Invalid Currency Code"));
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Currency_Code = 'AED'"));

    database().execute(QStringLiteral("Delete from Delivery_Detail Where SL_No = ?"), {serials[1]});
    EXPECT_FALSE(processor->Process_Invoice());
    EXPECT_EQ(processor->ErrDesc(), QStringLiteral("Invalid Item Details"));
    // Renumbered and the first line's quantity raised before the stop: nothing is undone.
    EXPECT_EQ(processor->SalesInvNo(), QStringLiteral("01HOINV2"));
    EXPECT_EQ(invoicedQty(QStringLiteral("Delivery_Detail"), serials[0]), 2);

    MemoryGrid nothing(4, 32);
    auto empty = newInvoice(&nothing);
    EXPECT_EQ(createdInvoice(*empty), QStringLiteral("01HOINVTMP3")); // nothing open: a master without lines
    EXPECT_FALSE(empty->Process_Invoice());
    EXPECT_EQ(empty->ErrDesc(), QStringLiteral("Error while Processing, Invalid Temporary Sales Invoice No."));
    // The master took its final number before the lines were looked for.
    EXPECT_EQ(empty->SalesInvNo(), QStringLiteral("01HOINVTMP3"));
    EXPECT_EQ(invoiceValue(QStringLiteral("Processed_Flag"), QStringLiteral("01HOINV4")).toInt(), 1);
}

// Errors in the operation's own steps are not trapped: they reach the caller.
TEST_F(InvoiceProcess, RaisesErrorsOfItsOwnSteps) {
    const QString temporary = savedInvoice();
    database().execute(QStringLiteral("Drop table Currency_Master"));
    for (const bool plain : {false, true}) {
        auto processor = newInvoice();
        processor->setSalesInvNo(temporary);
        EXPECT_THROW(plain ? processor->Process_Invoice123() : processor->Process_Invoice(), DatabaseError);
    }
}

TEST_F(InvoiceProcess, TheDiscountTotalsStartAtZeroForEachRun) {
    addDelivery({false, QStringLiteral("01HODEL2")}, {{.qty = 1, .disc = 2, .fcDisc = 2}});
    auto invoice = newInvoice();
    const QString temporary = createdInvoice(*invoice);
    RecordingScope ledger(ids::kGeneralLedger);
    RecordingScope general(ids::kGeneral);
    general->answer(QStringLiteral("GetFldValue"), QStringLiteral("01HO4300"));
    invoice->setOnlineFlag(false);
    invoice->setSyncFlag(true); // posts without renumbering, so it can run twice
    ASSERT_TRUE(invoice->Process_Invoice());
    ASSERT_TRUE(invoice->Process_Invoice());
    QList<double> discounts;
    for (const RecordedCall &insert : ledger->actions(QStringLiteral("GLInsert")))
        if (ledger->propertiesAt(insert).value(QStringLiteral("GLDescription")) == QStringLiteral("Discount Account"))
            discounts << ledger->propertiesAt(insert).value(QStringLiteral("GLDebitAmount")).toDouble();
    EXPECT_EQ(discounts, (QList<double>{2, 2}));
}

// In the real books: debits equal credits, the customer owes the invoice, and the sales line's
// chart movement differs from its credit by the rounding, listed apart from breaches.
TEST_F(InvoiceProcess, PostsBalancedBooksWithTheRoundingListedApart) {
    addDelivery({false, QStringLiteral("01HODEL2")},
                {{.code = QStringLiteral("B200"), .qty = 1.5, .price = 2.75, .fcPrice = 2.75}});
    auto invoice = newInvoice();
    createdInvoice(*invoice);
    ASSERT_TRUE(invoice->Process_Invoice()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(invoice->SalesInvNo(), QStringLiteral("01HOINV2"));
    EXPECT_EQ(invoice->SalesInvTotalAmount(), 29.12); // 29.125 to even
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 29.12);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), 29.12);
    EXPECT_NEAR(number(QStringLiteral("Select SUM(GL_Debit_Amount) - SUM(GL_Credit_Amount) from General_Ledger")), 0,
                1e-9);
    EXPECT_TRUE(package::verifyBooks(database().connection()).isEmpty())
        << package::verifyBooks(database().connection()).join(QLatin1Char('\n')).toStdString();
    const QList<package::DocumentedDifference> differences = package::documentedDifferences(database().connection());
    ASSERT_EQ(differences.size(), 1);
    EXPECT_EQ(differences[0].text(),
              QStringLiteral("Document 01HOINV2, account 01HO4000: ledger rows -4.12, chart moved by -4.125 "
                             "(difference -0.005)"));
}

} // namespace
} // namespace orbsales::testing
