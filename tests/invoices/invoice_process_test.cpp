#include "invoices/invoice_fixture.h"
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

enum class Way { Standard, Plain }; // Process_Invoice, or the plain Process_Invoice123

TEST_F(InvoiceProcess, NumberQuantitiesAndPostingsFollowTheMode) {
    struct Case {
        const char *name;
        Way run;
        bool online, sync, manual;
        double typed;
        const char *finalNo;
        int counterAfter;
        bool deliveriesUpdated, posted;
    } const cases[] = {
        {"online", Way::Standard, true, false, false, 0, "01HOINV2", 3, true, true},
        {"offline leaves the reserved number taken", Way::Standard, false, false, false, 0, "01HOINV2", 3, true, false},
        {"synchronising keeps the number and only posts", Way::Standard, false, true, false, 0, "01HOINVTMP1", 2,
         false, true},
        {"manual raises the counter", Way::Standard, true, false, true, 40.5, "01HOINV40", 41, true, true},
        {"manual below the counter", Way::Standard, true, false, true, 1, "01HOINV1", 2, true, true},
        // Offline, a typed number still raises the counter, or the counter would give it again.
        {"manual offline raises the counter", Way::Standard, false, false, true, 40, "01HOINV40", 41, true, false},
        {"plain online", Way::Plain, true, false, false, 0, "01HOINV2", 3, true, true},
        {"plain ignores the manual number", Way::Plain, true, false, true, 40, "01HOINV2", 3, true, true},
        {"plain offline", Way::Plain, false, false, false, 0, "01HOINV2", 3, true, false},
        {"plain synchronising", Way::Plain, false, true, false, 0, "01HOINVTMP1", 2, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        const QString temporary = savedInvoice();
        database().execute(QStringLiteral("Update Sales_Invoice_Master Set Sales_Inv_Identity = 17"));
        auto processor = newInvoice();
        processor->setSalesInvNo(temporary);
        processor->setDocumentPrefix(QString()); // taken from the number
        processor->setOnlineFlag(c.online);
        processor->setSyncFlag(c.sync);
        processor->setManualDocFlag(c.manual);
        processor->setmanualDocIdentity(c.typed);
        ASSERT_TRUE(c.run == Way::Standard ? processor->Process_Invoice() : processor->Process_Invoice123())
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
        const QStringList breaches = package::verifyBooks(database().connection());
        EXPECT_TRUE(breaches.isEmpty()) << breaches.join(QLatin1Char('\n')).toStdString();
    }
}

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
    const char *lineFields = "accountno GLDescription GLComments GLDebitAmount GLCreditAmount FCGLDebitAmount "
                             "FCGLCreditAmount DocumentNo CurrencySymbol";
    // The sales line: 3 x 3.333 rounded to 10 dollars, at 3.5 35.
    EXPECT_EQ(handed(ledger->propertiesAt(inserts[0]), lineFields),
              QStringLiteral("01HO4000|Sales Account : ItemCode - A100|-|0|35|0|10|01HOINV2|$"));
    EXPECT_EQ(chart[0].arguments, (QVariantList{QStringLiteral("01HO4000"), -3 * 11.6655}));
    // Line discounts 3 x 0.5 and the overall share 0.25 in dollars, at the rate: 6.125 -> 6.12,
    // and the invoice's own 3.5.
    EXPECT_EQ(handed(ledger->propertiesAt(inserts[1]), lineFields),
              QStringLiteral("01HO4300|Discount Account|Week 49|9.62|0|2.75|0|01HOINV2|$"));
    EXPECT_DOUBLE_EQ(chart[1].arguments.value(1).toDouble(), 9.62);
    EXPECT_EQ(general->actions(QStringLiteral("GetFldValue")).value(0).arguments,
              (QVariantList{QStringLiteral("Default_Sales_Preferences"), QStringLiteral("Sales_Disc_Account_No"),
                            QStringLiteral("Company_Prefix"), QStringLiteral("01"), false,
                            QStringLiteral("Branch_Prefix"), QStringLiteral("HO"), false}));
    EXPECT_EQ(handed(receivable->propertiesAt(receivable->actions(QStringLiteral("AR_Insert_Transaction")).value(0)),
                     "accountno CustomerCode ARLDescription ARLComments ARLDebitAmount FCARLDebitAmount "
                     "ARLCreditAmount"),
              QStringLiteral("01HO1200|01C001|Accounts Receivable : Customer Code - C001|Week 49|25.38|7.25|0"));
    EXPECT_EQ(handed(ledger->propertiesAt(inserts[2]), "accountno GLDebitAmount"), QStringLiteral("01HO1200|25.38"));
    EXPECT_EQ(chart[2].arguments, (QVariantList{QStringLiteral("01HO1200"), 25.38}));

    const QVariantMap logged = salesLog->propertiesAt(salesLog->actions(QStringLiteral("Create_SalesLog")).value(0));
    EXPECT_EQ(handed(logged, "SalesDocumentNo DocumentPrefix SalesDocumentPrefix ItemCode SalesQty ProjNo"),
              QStringLiteral("01HOINV2|SLG|INV|01A100|3|01HOPRJ0042"));
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

using InvoiceSalesAccounts = InvoiceTest;

TEST_F(InvoiceSalesAccounts, ComeFromThePreferencesOrTheItem) {
    struct Case {
        const char *name;
        Way run;
        const char *itemCode; // "" : the line has no item code
        int foc;
        const char *setup;   // a statement run before processing, or ""
        const char *errDesc; // "" : processing succeeds
        int salesLines;
    } const cases[] = {
        {"free of cost posts nothing", Way::Standard, "A100", 1, "", "", 0},
        {"plain posts free of cost too", Way::Plain, "A100", 1, "", "", 1},
        {"line without item code", Way::Standard, "", 0, "", "", 1},
        {"no branch account for a line without code", Way::Standard, "", 0,
         "Update Default_Sales_Preferences Set Credit_Sales_Account_No = NULL", "Invalid Default Sales Account", 0},
        {"no preferences for the invoice's branch", Way::Standard, "A100", 0, "Delete from Default_Sales_Preferences",
         "Set the Sales default settings in the Sales Preferences", 0},
        {"unknown item", Way::Standard, "Z999", 0, "", "Item '01Z999' does not exist", 0},
        {"plain, no sales account anywhere", Way::Plain, "A100", 0,
         "Update Default_Sales_Preferences Set Credit_Sales_Account_No = ''", "Invalid Sales Account ", 0},
        {"plain, no default for a line without code", Way::Plain, "", 0,
         "Update Default_Sales_Preferences Set Credit_Sales_Account_No = NULL", "Invalid Default Sales Account", 0},
        {"no discount account", Way::Standard, "A100", 0,
         "Update Default_Sales_Preferences Set Sales_Disc_Account_No = NULL", "Invalid Default Discount Account", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        addDelivery(
            {false, QStringLiteral("01HODEL1")},
            {{.code = QString::fromLatin1(c.itemCode), .qty = 2, .price = 10, .fcPrice = 10, .foc = double(c.foc)}});
        auto invoice = newInvoice();
        createdInvoice(*invoice, 1);
        if (*c.setup)
            database().execute(QString::fromLatin1(c.setup));
        RecordingScope ledger(ids::kGeneralLedger);
        const bool done = c.run == Way::Standard ? invoice->Process_Invoice() : invoice->Process_Invoice123();
        EXPECT_EQ(done, *c.errDesc == 0) << invoice->ErrDesc().toStdString();
        if (*c.errDesc) {
            EXPECT_EQ(invoice->ErrDesc(), QString::fromLatin1(c.errDesc));
        }
        int salesLines = 0;
        for (const RecordedCall &insert : ledger->actions(QStringLiteral("GLInsert")))
            salesLines += handed(ledger->propertiesAt(insert), "GLDescription").startsWith(QStringLiteral("Sales Account : "));
        EXPECT_EQ(salesLines, c.salesLines);
    }
}

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

} // namespace
} // namespace orbsales::testing
