#include "customers/customer_ob_fixture.h"

#include "orbsales/customers/customer.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

// Processing with SyncFlag False (online) and True (a synchronised copy: no chart step).
class OpeningBalanceModes : public OpeningBalanceTest, public ::testing::WithParamInterface<bool> {
protected:
    double opening(const char *account) {
        return number("Select Opening_Balance from Chart_Of_Accounts Where Account_No = ?",
                      {QString::fromLatin1(account)});
    }
};

TEST_P(OpeningBalanceModes, DebitItemsBecomeOpenInvoicesWithReceivableDebits) {
    const bool sync = GetParam();
    processed("Debit", {{"INV1", "01/Mar/2026", "100", "", "first"}, {"INV2", "02/Mar/2026", "50"}}, sync);
    EXPECT_EQ(rowsOf("Sales_Invoice_Master",
                     "Sales_Inv_No, Sales_Inv_Identity, Document_Prefix, Sales_Inv_Date, Customer_Code, customer_name, "
                     "Payment_Terms, Payment_Type, Foreign_Currency_Flag, Currency_Code, Currency_Symbol, "
                     "Sales_Inv_SubTotal, Sales_Inv_Total_Amount, Balance_Amount, Sales_Inv_FC_SubTotal, "
                     "Sales_Inv_FC_Total_Amount, Balance_FCAmount, Exchange_Rate, Processed_Flag, Sales_Inv_Comments, "
                     "Last_Update",
                     "Order by Sales_Inv_Identity"),
              (QList<QStringList>{{"01HOCOB1", "1", "COB", "2026-03-01 00:00", "01C001", "Gulf Traders", "30 Days",
                                   "Credit", "0", "AED", "Dhs", "100", "100", "100", "100", "100", "100", "0", "1",
                                   "INV1 : first", "2026-03-31 17:00"},
                                  {"01HOCOB2", "2", "COB", "2026-03-02 00:00", "01C001", "Gulf Traders", "30 Days",
                                   "Credit", "0", "AED", "Dhs", "50", "50", "50", "50", "50", "50", "0", "1", "INV2",
                                   "2026-03-31 17:00"}}));
    EXPECT_EQ(rowsOf("Accounts_Receivable_Ledger",
                     "Document_No, Branch_Prefix, Account_No, Customer_Code, ARL_Debit_Amount, ARL_Credit_Amount, "
                     "FC_ARL_Debit_Amount, FC_ARL_Credit_Amount, ARL_Description, ARL_Comments, Foreign_Currency_Flag",
                     "Order by Document_No"),
              (QList<QStringList>{{"01HOCOB1", "HO", "01HO1200", "01C001", "100", "0", "100", "0",
                                   "Customer Opening Balance Customer Code-C001", "INV1 : first", "0"},
                                  {"01HOCOB2", "HO", "01HO1200", "01C001", "50", "0", "50", "0",
                                   "Customer Opening Balance Customer Code-C001", "INV2", "0"}}));
    EXPECT_EQ(rowsOf("Customer_OB", "OB_Inv_No, Last_Update", "Order by SL_No"),
              (QList<QStringList>{{"01HOCOB1", "2026-03-31 17:00"}, {"01HOCOB2", "2026-03-31 17:00"}}));
    EXPECT_EQ(branchBalance("01C001", "HO"), 150);
    EXPECT_EQ(opening("01HO1200"), sync ? 0 : 150);
    EXPECT_EQ(opening("01HO2100"), 0);
}

TEST_P(OpeningBalanceModes, CreditItemsBecomeAdvanceReceiptsWithReceivableCredits) {
    const bool sync = GetParam();
    processed("Credit", {{"ADV1", "01/Mar/2026", "100", "", "cheque"}, {"ADV2", "02/Mar/2026", "50"}}, sync, "OBR");
    EXPECT_EQ(rowsOf("Receipt_Master",
                     "Receipt_No, Receipt_Identity, Document_Prefix, Receipt_To, Receipt_Type, Receipt_Status, "
                     "Receipt_Date, Receipt_To_Code, Receipt_To_Name, Foreign_Currency_Flag, Currency_Code, "
                     "Currency_Symbol, Receipt_Amount, Balance_Amount, Receipt_FCAmount, Balance_FCAmount, "
                     "Exchange_Rate, Advance_Payment_Flag, Processed_Flag, Receipt_Comments, Last_Update",
                     "Order by Receipt_Identity"),
              (QList<QStringList>{{"01HOOBR1", "1", "OBR", "Customer", "Cash", "Processed", "2026-03-01 00:00",
                                   "01C001", "Gulf Traders", "0", "AED", "Dhs", "100", "100", "100", "100", "0", "1",
                                   "1", "ADV1 : cheque", "2026-03-31 17:00"},
                                  {"01HOOBR2", "2", "OBR", "Customer", "Cash", "Processed", "2026-03-02 00:00",
                                   "01C001", "Gulf Traders", "0", "AED", "Dhs", "50", "50", "50", "50", "0", "1", "1",
                                   "ADV2", "2026-03-31 17:00"}}));
    EXPECT_EQ(rowsOf("Accounts_Receivable_Ledger",
                     "Document_No, Account_No, ARL_Debit_Amount, ARL_Credit_Amount, FC_ARL_Debit_Amount, "
                     "FC_ARL_Credit_Amount",
                     "Order by Document_No"),
              (QList<QStringList>{{"01HOOBR1", "01HO2100", "0", "100", "0", "100"},
                                  {"01HOOBR2", "01HO2100", "0", "50", "0", "50"}}));
    EXPECT_EQ(database().count("Sales_Invoice_Master"), 0);
    EXPECT_EQ(branchBalance("01C001", "HO"), -150);
    EXPECT_EQ(opening("01HO2100"), sync ? 0 : -150);
    EXPECT_EQ(opening("01HO1200"), 0);
}

INSTANTIATE_TEST_SUITE_P(SyncFlag, OpeningBalanceModes, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("Synchronised") : std::string("Online");
                         });

using OpeningBalanceProcessing = OpeningBalanceTest;

// What the receivable and the counter are handed for a foreign item: the invoice's line is in the
// home currency, the receipt's in the item's; accounts are those of the processing branch.
TEST_F(OpeningBalanceProcessing, HandsTheReceivableEachItemsAmountsAndTheBranchsAccounts) {
    auto grid = items(4, {{"INV9", "05/Mar/2026", "200", "3.5", "shipped"}});
    for (const char *kind : {"Debit", "Credit"}) {
        auto ob = newOB(grid.get(), "COB", "B2");
        assign(*ob, "CurrencyCode", "USD", "ForeignCurrencyFlag", true);
        ASSERT_TRUE(ob->Create_OB(kind)) << ob->ErrDesc().toString().toStdString();
    }
    RecordingScope receivable(ids::kAccountsReceivable);
    RecordingScope counter(ids::kCounterTransaction);
    counter->output("NextDocumentNo", 41.0);
    for (const char *kind : {"Debit", "Credit"}) {
        auto ob = newOB(grid.get(), "COB", "B2");
        ASSERT_TRUE(ob->Process_OB(kind)) << kind << ": " << ob->ErrDesc().toString().toStdString();
        EXPECT_EQ(ob->CurrencyCode(), "USD"); // the last item's currency stays in the properties
        EXPECT_TRUE(ob->ForeignCurrencyFlag());
    }
    const QString common = QStringLiteral("CustomerCode=01C001|BranchPrefix=B2|DocumentNo=01B2COB41|"
                                          "ARLDate=2026-03-05 00:00:00|");
    const QString description = QStringLiteral("ARLDescription=Customer Opening Balance Customer Code-C001|"
                                               "ARLComments=INV9 : shipped|");
    EXPECT_EQ(receivable->trace(0).join('|'),
              "AdoConnectionObject=(connection)|DocumentPrefix=COB|ForeignCurrencyFlag=False|" + common +
                  "accountno=01B21200|" + description +
                  "ARLCreditAmount=0|FCARLCreditAmount=0|ARLDebitAmount=700|FCARLDebitAmount=200|CurrencyCode=USD|"
                  "CurrencySymbol=$|LastUpdate=2026-03-31 17:00:00|AR_Insert_Transaction()");
    EXPECT_EQ(receivable->trace(1).join('|'),
              "AdoConnectionObject=(connection)|DocumentPrefix=COB|ForeignCurrencyFlag=True|" + common +
                  "accountno=01B22100|" + description +
                  "ARLCreditAmount=700|FCARLCreditAmount=200|ARLDebitAmount=0|FCARLDebitAmount=0|CurrencyCode=USD|"
                  "CurrencySymbol=$|LastUpdate=2026-03-31 17:00:00|AR_Insert_Transaction()");
    EXPECT_EQ(counter->trace(0), (QStringList{"CompanyPrefix=01", "BranchPrefix=B2", "DocumentPrefix=COB",
                                              "SkipChecking=True", "Get_Last_Counter((connection))",
                                              "Increase_Counter()"}));
    EXPECT_EQ(rowsOf("Sales_Invoice_Master", "Sales_Inv_No, Foreign_Currency_Flag, Currency_Symbol, Exchange_Rate, "
                                             "Sales_Inv_Total_Amount, Sales_Inv_FC_Total_Amount"),
              (QList<QStringList>{{"01B2COB41", "1", "$", "3.5", "700", "200"}}));
}

// Each refusal answers before a document is made, or, for the chart and the siblings, leaves
// what was made before it; the chart moves only on success.
TEST_F(OpeningBalanceProcessing, RefusesWithTheMessageOfTheStepThatFails) {
    auto debit = items(4, {{"INV1", "01/Mar/2026", "100"}});
    ASSERT_TRUE(newOB(debit.get())->Create_OB("Debit"));
    ASSERT_TRUE(newOB(debit.get())->Create_OB("Credit"));
    const struct {
        const char *what;
        const char *kind;
        const char *setup;
        const char *message;
        int documents;
    } cases[] = {
        {"no customer", "Debit", "", "Invalid Customer", 0},
        {"no connection", "Debit", "", "Invalid Connection.", 0},
        {"customer without receivable account", "Debit", "Update Customer_Master Set AR_Account_No = NULL",
         "Invalid Accounts Receivable Account", 0},
        {"branch without advance-receipt account", "Credit",
         "Update Default_Account_Preferences Set AdvRec_Account_No = '' Where Branch_Prefix = 'HO'",
         "Set Default Preferences for Advance Receipt Account in Account Preferences.", 0},
        {"no counter for the prefix", "Debit", "Delete from Document_Prefix",
         "Document prefix COB is not set up for company 01, branch HO", 0},
        {"receivable account not in the chart", "Debit",
         "Update Chart_Of_Accounts Set Account_No = '01HO1201' Where Account_No = '01HO1200'",
         "Account '01HO1200' is not in the chart of accounts", 1},
        {"advance account not in the chart (empty list)", "Credit",
         "Update Chart_Of_Accounts Set Account_No = '01HO2101' Where Account_No = '01HO2100'; "
         "Delete from Customer_OB",
         "Error while Processing Opening balance", 0},
    };
    for (const auto &c : cases) {
        connection().beginTransaction();
        for (const QString &sql : QString::fromLatin1(c.setup).split(QStringLiteral("; "), Qt::SkipEmptyParts))
            database().execute(sql);
        auto ob = newOB(debit.get());
        if (QLatin1String(c.what) == QLatin1String("no customer"))
            ob->setCustomerCode(QString());
        if (QLatin1String(c.what) == QLatin1String("no connection"))
            ob->setAdoConnectionObject(nullptr);
        EXPECT_FALSE(ob->Process_OB(QLatin1String(c.kind))) << c.what;
        EXPECT_EQ(ob->ErrDesc(), QString::fromLatin1(c.message)) << c.what;
        EXPECT_EQ(database().count("Sales_Invoice_Master") + database().count("Receipt_Master"), c.documents)
            << c.what;
        EXPECT_EQ(number("Select sum(Opening_Balance) from Chart_Of_Accounts"), 0) << c.what;
        connection().rollback();
    }
}

// An empty list makes no document and moves the opening by 0: it needs the account row all the same.
TEST_F(OpeningBalanceProcessing, AnEmptyListMovesTheOpeningByNothing) {
    auto grid = items(3, {});
    auto ob = newOB(grid.get());
    ASSERT_TRUE(ob->Process_OB("Credit")) << ob->ErrDesc().toString().toStdString();
    EXPECT_EQ(rowsOf("Chart_Of_Accounts", "Opening_Balance, Last_Update", "Where Account_No = '01HO2100'"),
              (QList<QStringList>{{"0", "2026-03-31 17:00"}}));
    EXPECT_EQ(database().count("Receipt_Master"), 0);
}

// A refusal of the receivable on the second item: the first keeps its document and number, the
// second has none, and the chart is not moved.
TEST_F(OpeningBalanceProcessing, ARefusedSecondItemLeavesTheFirstProcessed) {
    auto grid = items(4, {{"INV1", "01/Mar/2026", "100"}, {"INV2", "02/Mar/2026", "50"}});
    ASSERT_TRUE(newOB(grid.get())->Create_OB("Debit"));
    RecordingScope receivable(ids::kAccountsReceivable);
    receivable->script("AR_Insert_Transaction", [](const RecordedCall &call) {
        return call.object == 1 ? Reply{false, QStringLiteral("Receivable closed for March"), {}} : Reply{};
    });
    auto ob = newOB(grid.get());
    EXPECT_FALSE(ob->Process_OB("Debit"));
    EXPECT_EQ(ob->ErrDesc(), "Receivable closed for March");
    EXPECT_EQ(rowsOf("Customer_OB", "Ref_No, OB_Inv_No", "Order by SL_No"),
              (QList<QStringList>{{"INV1", "01HOCOB1"}, {"INV2", "NULL"}}));
    // The second invoice was written before its receivable line was refused; its number is used up.
    EXPECT_EQ(rowsOf("Sales_Invoice_Master", "Sales_Inv_No", "Order by Sales_Inv_No"),
              (QList<QStringList>{{"01HOCOB1"}, {"01HOCOB2"}}));
    EXPECT_EQ(number("Select Opening_Balance from Chart_Of_Accounts Where Account_No = '01HO1200'"), 0);
}

// Payment conditions: the master's, where the branch row has none of its own; a customer without
// a row in the branch gets one carrying the master's.
TEST_F(OpeningBalanceProcessing, TakesThePaymentConditionsOfTheBranchOrElseTheMaster) {
    execute("Update Customer_Master_Balance Set Customer_Payment_Type = 'Cash' Where Branch_Prefix = 'HO'");
    execute("Delete from Customer_Master_Balance Where Branch_Prefix = 'B2'");
    auto grid = items(3, {{"INV1", "01/Mar/2026", "100"}});
    for (const char *branch : {"HO", "B2"}) {
        auto ob = newOB(grid.get(), "COB", QLatin1String(branch));
        ASSERT_TRUE(ob->Create_OB("Debit"));
        ASSERT_TRUE(ob->Process_OB("Debit")) << ob->ErrDesc().toString().toStdString();
    }
    EXPECT_EQ(rowsOf("Sales_Invoice_Master", "Sales_Inv_No, Payment_Terms, Payment_Type", "Order by Sales_Inv_No"),
              (QList<QStringList>{{"01B2COB1", "30 Days", "Credit"}, {"01HOCOB1", "30 Days", "Cash"}}));
    EXPECT_EQ(rowsOf("Customer_Master_Balance",
                     "Company_Prefix, Customer_Payment_Terms, Customer_Payment_Type, Customer_Balance",
                     "Where Branch_Prefix = 'B2'"),
              (QList<QStringList>{{"01", "30 Days", "Credit", "100"}}));
}

// The customer removes an opening document with its receivable lines before the list is processed again.
TEST_F(OpeningBalanceProcessing, TheCustomerRemovesTheDocumentsMade) {
    processed("Debit", {{"INV1", "01/Mar/2026", "100"}});
    processed("Credit", {{"ADV1", "02/Mar/2026", "40"}}, false, "OBR");
    Customer customer;
    customer.setConnectionString(connectionString());
    customer.setAdoConnectionObject(&connection());
    ASSERT_TRUE(customer.Delete_Previous_OB("Debit", " 01HOCOB1 "));
    EXPECT_EQ(database().count("Sales_Invoice_Master"), 0);
    EXPECT_EQ(rowsOf("Accounts_Receivable_Ledger", "Document_No"), (QList<QStringList>{{"01HOOBR1"}}));
    EXPECT_EQ(branchBalance("01C001", "HO"), -40);
}

} // namespace
} // namespace orbsales::testing
