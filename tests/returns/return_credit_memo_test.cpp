#include "orbsales/services/service_ids.h"
#include "returns/return_fixture.h"
#include "services/recording_doubles.h"

namespace orbsales::testing {
namespace {

using ReturnCreditMemo = ReturnTest;

// With the branch's credit memos numbered by hand, the typed number is checked before anything of
// the credit memo is written; the return's own steps before it stay done. A good number gives
// the memo its number and raises the counter past it; the front end may then generate the memo of
// a return whose number was refused.
TEST_F(ReturnCreditMemo, ATypedCreditMemoNumberIsCheckedBeforeTheMemoIsWritten) {
    const struct {
        const char *typed;
        const char *message;
    } cases[] = {
        {"", "Please Enter  Credit Memo No"},
        {"  ", "Please Enter  Credit Memo No"},
        {"12A", "Please Enter Valid Numeric Credit Memo No "},
        {"2.5", "Please Enter Valid Numeric Credit Memo No "},
        {"0", "Please Enter Valid Numeric Credit Memo No "},
        {"40", "Credit Memo No Already Exists "},
        {" 40 ", "Credit Memo No Already Exists "},
    };
    database().execute("Update Document_Prefix Set Manual_Flag = 1 Where Document_Prefix = 'CRM'");
    database().execute("Insert into Voucher_Master (Voucher_No, Document_Prefix) values ('01HOCRM40', 'CRM')");
    std::unique_ptr<SalesReturn> last;
    MemoryGrid lines(2, 29);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const QString source = sell(SaleKind::DirectInvoice, {item("F100", 1, 12, 0)});
        last = newReturn(lines);
        savedReturn(*last, lines, "DSI", source, {{"F100", 1}});
        last->setVoucherNo(c.typed);
        EXPECT_FALSE(last->Return_Process());
        EXPECT_EQ(last->ErrDesc(), c.message);
        EXPECT_EQ(database().count("Voucher_Master"), 1);
        EXPECT_EQ(database().count("Voucher_Detail"), 0);
        EXPECT_EQ(counter("CRM"), "1");
        // Done before the credit memo: final number, source, stock.
        const QString returned = last->SalesRtnNo();
        EXPECT_EQ(value("Select Processed_Flag from Sales_Return_Master Where Sales_Rtn_No = ?", {returned}), "1");
        EXPECT_EQ(value("Select Return_Qty from Direct_Sales_Invoice_Detail Where Dir_Sales_Inv_No = ?", {source}),
                  "1");
        EXPECT_EQ(database().count("Stock_Movement", "Document_No = ?", {returned}), 1);
    }

    last->setVoucherNo("500");
    QString returned = last->SalesRtnNo();
    ASSERT_TRUE(last->Generate_Credit_Memo(returned)) << last->ErrDesc().toString().toStdString();
    EXPECT_EQ(last->VoucherNo(), "01HOCRM500");
    EXPECT_EQ(rowsText(database(), "Voucher_Master", "Voucher_Identity, Voucher_Amount, process_Flag",
                       "Where Voucher_No = '01HOCRM500'"),
              "500|12|1");
    EXPECT_EQ(counter("CRM"), "501");
}

// A failure half-way leaves what was done before it: the return processed, its source raised and
// its goods back; the credit memo written as far as it got.
TEST_F(ReturnCreditMemo, AFailureHalfWayLeavesTheStepsBeforeIt) {
    const struct {
        const char *tamper;
        const char *message;
        int vouchers, voucherLines, returnLedgerLines;
    } cases[] = {
        {"Update Default_Sales_Preferences Set Sales_Return_Account_No = '  ' Where Branch_Prefix = 'HO'",
         "Invalid Sales Return Account", 0, 0, 4},
        {"Update Default_Sales_Preferences Set Sales_Disc_Account_No = NULL Where Branch_Prefix = 'HO'",
         "Invalid Default Discount Account", 0, 0, 4},
        {"Update Default_Sales_Preferences Set Sales_Return_Account_No = '01HO9999' Where Branch_Prefix = 'HO'",
         "Account '01HO9999' is not in the chart of accounts", 1, 3, 4},
        {"Delete from Default_Sales_Preferences Where Branch_Prefix = 'HO'",
         "Set the Sales default settings in the Sales Preferences", 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tamper);
        TearDown();
        SetUp();
        savedReturn(*salesReturn, grid, "DSI", "01HODSI1", {{"F100", 1}, {"L100", 1}});
        database().execute(QString::fromLatin1(c.tamper));
        EXPECT_FALSE(salesReturn->Return_Process());
        EXPECT_EQ(errDesc(), c.message);
        EXPECT_EQ(rowsText(database(), "Sales_Return_Master", "Sales_Rtn_No, Processed_Flag"), "01HOSRT2|1");
        EXPECT_EQ(value("Select sum(Return_Qty) from Direct_Sales_Invoice_Detail"), "2");
        // The first line's goods are back before its ledger lines are looked for.
        EXPECT_EQ(stock("01F100"), "55");
        EXPECT_EQ(database().count("General_Ledger", "Document_No = '01HOSRT2'"), c.returnLedgerLines);
        EXPECT_EQ(database().count("Voucher_Master"), c.vouchers);
        EXPECT_EQ(database().count("Voucher_Detail"), c.voucherLines);
        EXPECT_EQ(database().count("Accounts_Receivable_Ledger", "Document_No like '01HOCRM%'"), 0);
        EXPECT_EQ(value("Select count(*) from Voucher_Master Where process_Flag = 1"), "0");
    }
}

// What each sibling is handed: the stock movement coming in, the location stock coming back, the
// ledger lines in both currencies (foreign at the return's rate), the voucher to post.
TEST_F(ReturnCreditMemo, HandsEachSiblingItsPartOfTheReturn) {
    ASSERT_TRUE(load(*salesReturn, "DSI", "01HODSI1", grid));
    tick(*salesReturn, grid, {{"V100", 1}});
    assign(*salesReturn, "ForeignCurrencyFlag", true, "CurrencyCode", "USD", "ExchangeRate", 2, "Database", "PG");
    ASSERT_TRUE(salesReturn->Create_Sales_Rtn());
    RecordingScope movement(service_ids::kStockMovement);
    RecordingScope shelf(service_ids::kLocationStock);
    RecordingScope ledger(service_ids::kGeneralLedger);
    RecordingScope note(service_ids::kDebitCreditNote);
    ASSERT_TRUE(salesReturn->Return_Process()) << errDesc().toStdString();

    // One unit at the open lots' weighted cost: (14 x 5 + 20 x 6 + 20 x 8) / 54.
    ASSERT_EQ(movement->actions("StockMovement").size(), 1);
    const QVariantMap in = movement->propertiesAt(movement->actions("StockMovement").first());
    EXPECT_EQ(movement->actions("StockMovement").first().arguments, QVariantList{1.0});
    EXPECT_EQ((QVariantList{in["DocumentType"], in["InQty"], in["InAmount"], in["InPrice"], in["DocumentNo"],
                            in["DocumentPrefix"], in["ItemCode"], in["LocationID"]}),
              (QVariantList{"IN", 1.0, 6.48, 6.48, "01HOSRT2", "SRM", "01V100", 1}));
    ASSERT_EQ(shelf->actions("UpdateLocationStock").size(), 1);
    EXPECT_EQ(shelf->actions("UpdateLocationStock").first().arguments, QVariantList{qint16(0)});
    EXPECT_EQ(shelf->propertiesAt(shelf->actions("UpdateLocationStock").first())["LocationQty"], 1.0);

    EXPECT_EQ(handed(ledger.recorder(), "GLInsert",
                     "accountno GLDebitAmount GLCreditAmount FCGLDebitAmount FCGLCreditAmount CurrencyCode"),
              "01HO1300|6.48|0|3.24|0|USD / 01HO5000|0|6.48|0|3.24|USD");
    QStringList postings;
    for (const RecordedCall &posting : ledger->actions("COAPosting"))
        postings << traceText(posting.arguments.value(0)) + " " + traceText(posting.arguments.value(1));
    EXPECT_EQ(postings, (QStringList{"01HO1300 6.48", "01HO5000 -6.48"}));

    ASSERT_EQ(note->actions("Process_Voucher").size(), 1);
    const QVariantMap voucher = note->propertiesAt(note->actions("Process_Voucher").first());
    EXPECT_EQ((QVariantList{voucher["VoucherNo"], voucher["DocFlag"], voucher["manualDocIdentity"],
                            voucher["ADOConnectionString"]}),
              (QVariantList{"01HOCRM1", false, 0.0, connectionString()}));
    EXPECT_EQ(note->actions("Process_Voucher").first().arguments, QVariantList{"01HOCRM1"});
    // The voucher rows themselves are the return's: foreign amounts from the return's foreign totals.
    EXPECT_EQ(
        rowsText(database(), "Voucher_Master", "Currency_Code, Foreign_Currency_Flag, Exchange_Rate, process_Flag"),
        "USD|1|2|0");
}

} // namespace
} // namespace orbsales::testing
