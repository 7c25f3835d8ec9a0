#include "services/package_fixture.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/service_ids.h"

#include <functional>
#include <limits>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

class Ledger : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addAccount("01HO1000", 500);
        addAccount("01HO4000");
        addAccount("01HO1200");
        addCustomer("01C001");
    }

    std::unique_ptr<GeneralLedger> line(const QString &document, const QString &account, double debit, double credit) {
        auto gl = service<GeneralLedger>(ids::kGeneralLedger);
        assign(*gl, "DocumentNo", document, "DocumentPrefix", "INV", "GLDate", day(5), "CurrencyCode", "AED",
               "accountno", account, "GLDebitAmount", debit, "GLCreditAmount", credit, "FCGLDebitAmount", debit,
               "FCGLCreditAmount", credit, "LastUpdate", "05/Mar/2026");
        return gl;
    }
    // A line as the documents post it: GLInsert, then COAPosting with debit minus credit.
    void post(const QString &document, const QString &account, double debit, double credit) {
        auto gl = line(document, account, debit, credit);
        ASSERT_TRUE(gl->GLInsert()) << gl->ErrDesc().toStdString();
        ASSERT_TRUE(gl->COAPosting(account, debit - credit)) << gl->ErrDesc().toStdString();
    }
};

TEST_F(Ledger, InsertWritesTheLineAndOnlyCOAPostingMovesTheBalance) {
    auto gl = line("01HOINV1", "01HO4000", 0, 250);
    assign(*gl, "FCGLCreditAmount", 71.43, "ForeignCurrencyFlag", true, "CurrencyCode", "USD", "CurrencySymbol", "$",
           "GLDescription", kHostile, "GLComments", "first sale");
    ASSERT_TRUE(gl->GLInsert()) << gl->ErrDesc().toStdString();
    EXPECT_EQ(postedBalance("01HO4000"), 0);
    EXPECT_EQ(rowOf(database(), "General_Ledger",
                    "Document_No, Document_Prefix, Company_Prefix, Branch_Prefix, GL_Date, Account_No, GL_Description, "
                    "GL_Comments, GL_Debit_Amount, GL_Credit_Amount, FC_GL_Debit_Amount, FC_GL_Credit_Amount, "
                    "Foreign_Currency_Flag, Currency_Code, Currency_Symbol, Last_Update"),
              (QStringList{"01HOINV1", "INV", "01", "HO", "2026-03-05 00:00", "01HO4000", kHostile, "first sale", "0",
                           "250", "0", "71.43", "1", "USD", "$", "2026-03-05 00:00"}));

    ASSERT_TRUE(gl->COAPosting("01HO4000", -250)) << gl->ErrDesc().toStdString();
    EXPECT_EQ(postedBalance("01HO4000"), -250);
    EXPECT_EQ(rowOf(database(), "Chart_Of_Accounts", "Opening_Balance", "Where Account_No='01HO1000'"),
              QStringList{"500"});
    // A signed amount is written as given.
    ASSERT_TRUE(line("01HOOBI1", "01HO4000", -40, 0)->GLInsert());
    EXPECT_EQ(rowOf(database(), "General_Ledger", "GL_Debit_Amount", "Where Document_No='01HOOBI1'"),
              QStringList{"-40"});
}

TEST_F(Ledger, UnusableLinesAreRefusedWithTheirReasonAndWriteNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::function<void(GeneralLedger &)> spoil;
        const char *message;
    } cases[] = {
        {[](GeneralLedger &g) { g.setaccountno("01HO9999"); }, "Account '01HO9999' is not in the chart of accounts"},
        {[](GeneralLedger &g) { g.setaccountno("01ho4000"); }, "Account '01ho4000' is not in the chart of accounts"},
        {[](GeneralLedger &g) { g.setGLCreditAmount(3); },
         "A ledger line is a debit or a credit, not both: GLDebitAmount 10, GLCreditAmount 3"},
        {[](GeneralLedger &g) { g.setFCGLCreditAmount(1); },
         "A ledger line is a debit or a credit, not both: FCGLDebitAmount 10, FCGLCreditAmount 1"},
        {[nan](GeneralLedger &g) { g.setGLCreditAmount(nan); }, "GLCreditAmount is not a number"},
        {[](GeneralLedger &g) { g.setDocumentNo("  "); }, "DocumentNo is empty"},
        {[](GeneralLedger &g) { g.setLastUpdate("tomorrow"); }, "LastUpdate 'tomorrow' is not a date"},
    };
    for (const auto &c : cases) {
        auto gl = line("01HOINV1", "01HO4000", 10, 0);
        c.spoil(*gl);
        EXPECT_FALSE(gl->GLInsert());
        EXPECT_EQ(gl->ErrDesc(), c.message);
    }
    EXPECT_EQ(rows("General_Ledger"), 0);
    auto gl = line("01HOINV1", "01HO4000", 10, 0);
    EXPECT_FALSE(gl->COAPosting("01HO9999", 10));
    EXPECT_EQ(gl->ErrDesc(), "Account '01HO9999' is not in the chart of accounts");
    EXPECT_FALSE(gl->COAPosting("01HO4000", std::numeric_limits<double>::infinity()));
    EXPECT_EQ(gl->ErrDesc(), "The amount is not a number");
    EXPECT_EQ(postedBalance("01HO4000"), 0);
}

TEST_F(Ledger, DeleteRemovesOneDocumentAndTakesItsEffectOffTheBalances) {
    post("01HOCHM1", "01HO1000", 120, 0);
    post("01HOCHM1", "01HO4000", 0, 120);
    post("01HOCHM2", "01HO1000", 30, 0);
    post("01HOCHM2", "01HO4000", 0, 30);

    auto gl = service<GeneralLedger>(ids::kGeneralLedger);
    gl->setDocumentNo("01HOCHM1");
    ASSERT_TRUE(gl->GLDelete()) << gl->ErrDesc().toStdString();
    EXPECT_EQ(rowsOf(database(), "General_Ledger", "Document_No"), (QList<QStringList>{{"01HOCHM2"}, {"01HOCHM2"}}));
    EXPECT_EQ(postedBalance("01HO1000"), 30);
    EXPECT_EQ(postedBalance("01HO4000"), -30);
    // A document without lines (processed offline) deletes nothing and succeeds.
    gl->setDocumentNo("01HOCHM9");
    EXPECT_TRUE(gl->GLDelete()) << gl->ErrDesc().toStdString();
    gl->setDocumentNo(QString());
    EXPECT_FALSE(gl->GLDelete());
    EXPECT_EQ(gl->ErrDesc(), "DocumentNo is empty");
}

TEST_F(Ledger, WorksOnTheGivenConnectionWithoutClosingItOrOnOneOfItsOwn) {
    auto own = createObject<GeneralLedger>(ids::kGeneralLedger);
    assign(*own, "ADOConnectionString", connectionString(), "DocumentNo", "01HOINV1", "accountno", "01HO1000",
           "GLDebitAmount", 5);
    EXPECT_TRUE(own->GLInsert()) << own->ErrDesc().toStdString();
    post("01HOINV2", "01HO1000", 5, 0);
    EXPECT_TRUE(connection().isOpen());
    EXPECT_EQ(rows("General_Ledger"), 2);

    auto none = createObject<GeneralLedger>(ids::kGeneralLedger);
    none->setDocumentNo("01HOINV3");
    none->setaccountno("01HO1000");
    EXPECT_FALSE(none->GLInsert());
    EXPECT_EQ(none->ErrDesc(),
              "No database connection: set AdoConnectionObject to an open connection or give a connection string");
}

class Receivable : public Ledger {
protected:
    std::unique_ptr<AccountsReceivable> entry(const QString &document, const QString &customer, double debit,
                                              double credit, double fcDebit, double fcCredit) {
        auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
        assign(*ar, "DocumentNo", document, "DocumentPrefix", document.mid(4, 3), "ARLDate", day(6), "CurrencyCode",
               "USD", "accountno", "01HO1200", "CustomerCode", customer, "ARLDebitAmount", debit, "ARLCreditAmount",
               credit, "FCARLDebitAmount", fcDebit, "FCARLCreditAmount", fcCredit, "ForeignCurrencyFlag", true,
               "LastUpdate", day(6));
        return ar;
    }
    // The customer's balance, then its home and foreign balances in HO and B2.
    QStringList balances(const QString &code = "01C001") {
        QStringList all = rowOf(database(), "Customer_Master", "Customer_Balance", "Where Customer_Code=?", {code});
        for (const char *branch : {"HO", "B2"})
            all << rowOf(database(), "Customer_Master_Balance", "Customer_Balance, Customer_Fc_Balance",
                         "Where Customer_Code=? and Branch_Prefix=?", {code, QString::fromLatin1(branch)});
        return all;
    }
};

TEST_F(Receivable, LinesMoveTheCustomerAndTheBranchOfTheDocument) {
    ASSERT_TRUE(entry("01B2INV7", "01C001", 350, 0, 100, 0)->AR_Insert_Transaction());
    EXPECT_EQ(balances(), (QStringList{"350", "0", "0", "350", "100"}));
    // An opening-balance posting names its branch, whatever the document number says.
    auto receipt = entry("01B2OBR1", "01C001", 0, 70, 0, 20);
    receipt->setBranchPrefix("HO");
    ASSERT_TRUE(receipt->AR_Insert_Transaction()) << receipt->ErrDesc().toStdString();
    EXPECT_EQ(balances(), (QStringList{"280", "-70", "-20", "350", "100"}));
    EXPECT_EQ(rowOf(database(), "Accounts_Receivable_Ledger", "Branch_Prefix, Customer_Code, ARL_Credit_Amount",
                    "Where Document_No='01B2OBR1'"),
              (QStringList{"HO", "01C001", "70"}));
    // A negative opening item is posted as given and lowers the balance.
    ASSERT_TRUE(entry("01B2OBI2", "01C001", -30, 0, -10, 0)->AR_Insert_Transaction());
    EXPECT_EQ(balances(), (QStringList{"250", "-70", "-20", "320", "90"}));
    // A customer without a row for the branch gets one; a code with a quote is only a value.
    const QString code = QStringLiteral("01O'Brien");
    addCustomer(code);
    database().execute("Delete from Customer_Master_Balance Where Customer_Code=? and Branch_Prefix='B2'", {code});
    ASSERT_TRUE(entry("01B2INV1", code, 40, 0, 40, 0)->AR_Insert_Transaction());
    EXPECT_EQ(balances(code), (QStringList{"40", "0", "0", "40", "40"}));
    EXPECT_EQ(balances(), (QStringList{"250", "-70", "-20", "320", "90"}));
}

TEST_F(Receivable, UnusableLinesAreRefusedAndMoveNothing) {
    const struct {
        std::function<void(AccountsReceivable &)> spoil;
        const char *message;
    } cases[] = {
        {[](AccountsReceivable &a) { a.setCustomerCode("01C999"); }, "Customer '01C999' does not exist"},
        {[](AccountsReceivable &a) { a.setCustomerCode(QString()); }, "CustomerCode is empty"},
        {[](AccountsReceivable &a) { a.setaccountno("01HO1299"); },
         "Account '01HO1299' is not in the chart of accounts"},
        {[](AccountsReceivable &a) { a.setDocumentNo("01XXINV1"); }, "Branch 'XX' of company '01' does not exist"},
        {[](AccountsReceivable &a) { a.setARLCreditAmount(2); },
         "A ledger line is a debit or a credit, not both: ARLDebitAmount 50, ARLCreditAmount 2"},
    };
    for (const auto &c : cases) {
        auto ar = entry("01HOINV1", "01C001", 50, 0, 50, 0);
        c.spoil(*ar);
        EXPECT_FALSE(ar->AR_Insert_Transaction());
        EXPECT_EQ(ar->ErrDesc(), c.message);
    }
    EXPECT_EQ(rows("Accounts_Receivable_Ledger"), 0);
    EXPECT_EQ(balances(), (QStringList{"0", "0", "0", "0", "0"}));
}

// Inside the caller's transaction nothing is committed behind its back.
TEST_F(Receivable, DeleteTakesOneDocumentsLinesBackOutOfTheBalancesInTheCallersTransaction) {
    connection().beginTransaction();
    ASSERT_TRUE(entry("01HOINV1", "01C001", 100, 0, 30, 0)->AR_Insert_Transaction());
    ASSERT_TRUE(entry("01HOINV1", "01C001", 20, 0, 6, 0)->AR_Insert_Transaction());
    ASSERT_TRUE(entry("01B2INV2", "01C001", 60, 0, 18, 0)->AR_Insert_Transaction());
    auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
    ar->setDocumentNo("01HOINV1");
    ASSERT_TRUE(ar->ARL_Delete()) << ar->ErrDesc().toStdString();
    EXPECT_EQ(rows("Accounts_Receivable_Ledger"), 1);
    EXPECT_EQ(balances(), (QStringList{"60", "0", "0", "60", "18"}));
    EXPECT_TRUE(connection().inTransaction());
    connection().rollback();
    EXPECT_EQ(rows("Accounts_Receivable_Ledger"), 0);
    EXPECT_EQ(balances(), (QStringList{"0", "0", "0", "0", "0"}));
}

} // namespace
} // namespace orbsales::testing
