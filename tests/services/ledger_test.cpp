#include "orbsales/services/package/package_messages.h"
#include "services/package_fixture.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/service_ids.h"

#include <cmath>
#include <functional>
#include <limits>

namespace orbsales::testing {
namespace {

namespace msg = package::messages;
namespace ids = service_ids;

class Ledger : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addAccount(QStringLiteral("01HO1000"), 500);
        addAccount(QStringLiteral("01HO4000"));
        addAccount(QStringLiteral("01HO1200"));
        addCustomer(QStringLiteral("01C001"));
    }

    std::unique_ptr<GeneralLedger> line(const QString &document, const QString &account, double debit, double credit) {
        auto gl = service<GeneralLedger>(ids::kGeneralLedger);
        gl->setDocumentNo(document);
        gl->setDocumentPrefix(QStringLiteral("INV"));
        gl->setGLDate(day(5));
        gl->setCurrencyCode(QStringLiteral("AED"));
        gl->setaccountno(account);
        gl->setGLDebitAmount(debit);
        gl->setGLCreditAmount(credit);
        gl->setFCGLDebitAmount(debit);
        gl->setFCGLCreditAmount(credit);
        gl->setLastUpdate(QStringLiteral("05/Mar/2026"));
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
    auto gl = line(QStringLiteral("01HOINV1"), QStringLiteral("01HO4000"), 0, 250);
    gl->setFCGLCreditAmount(71.43);
    gl->setForeignCurrencyFlag(true);
    gl->setCurrencyCode(QStringLiteral("USD"));
    gl->setCurrencySymbol(QStringLiteral("$"));
    gl->setGLDescription(kHostile);
    gl->setGLComments(QStringLiteral("first sale"));
    ASSERT_TRUE(gl->GLInsert()) << gl->ErrDesc().toStdString();
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), 0);

    const Connection::Result row = connection().select(
        QStringLiteral("Select Document_No, Document_Prefix, Company_Prefix, Branch_Prefix, GL_Date, Account_No, "
                       "GL_Description, GL_Comments, GL_Debit_Amount, GL_Credit_Amount, FC_GL_Debit_Amount, "
                       "FC_GL_Credit_Amount, Foreign_Currency_Flag, Currency_Code, Currency_Symbol, Last_Update "
                       "from General_Ledger"));
    ASSERT_EQ(row.rows.size(), 1);
    const QVariantList &r = row.rows.first();
    EXPECT_EQ(r.at(0).toString(), QStringLiteral("01HOINV1"));
    EXPECT_EQ(r.at(1).toString(), QStringLiteral("INV"));
    EXPECT_EQ(r.at(2).toString(), QStringLiteral("01"));
    EXPECT_EQ(r.at(3).toString(), QStringLiteral("HO"));
    EXPECT_TRUE(r.at(4).toString().startsWith(QStringLiteral("2026-03-05")));
    EXPECT_EQ(r.at(5).toString(), QStringLiteral("01HO4000"));
    EXPECT_EQ(r.at(6).toString(), kHostile);
    EXPECT_EQ(r.at(7).toString(), QStringLiteral("first sale"));
    EXPECT_EQ(r.at(8).toDouble(), 0);
    EXPECT_EQ(r.at(9).toDouble(), 250);
    EXPECT_EQ(r.at(10).toDouble(), 0);
    EXPECT_DOUBLE_EQ(r.at(11).toDouble(), 71.43);
    EXPECT_EQ(r.at(12).toInt(), 1);
    EXPECT_EQ(r.at(13).toString(), QStringLiteral("USD"));
    EXPECT_EQ(r.at(14).toString(), QStringLiteral("$"));
    EXPECT_TRUE(r.at(15).toString().startsWith(QStringLiteral("2026-03-05")));

    ASSERT_TRUE(gl->COAPosting(QStringLiteral("01HO4000"), -250)) << gl->ErrDesc().toStdString();
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), -250);
    EXPECT_EQ(number(QStringLiteral("Select Opening_Balance from Chart_Of_Accounts Where Account_No='01HO1000'")), 500);
}

TEST_F(Ledger, UnusableLinesAreRefusedWithTheirReasonAndWriteNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *name;
        std::function<void(GeneralLedger &)> spoil;
        QString message;
    };
    const Case cases[] = {
        {"unknown account", [](GeneralLedger &g) { g.setaccountno(QStringLiteral("01HO9999")); },
         msg::unknownAccount(QStringLiteral("01HO9999"))},
        {"account of another spelling", [](GeneralLedger &g) { g.setaccountno(QStringLiteral("01ho4000")); },
         msg::unknownAccount(QStringLiteral("01ho4000"))},
        {"debit and credit", [](GeneralLedger &g) { g.setGLCreditAmount(3); },
         msg::bothSides(QStringLiteral("GLDebitAmount"), QStringLiteral("10"), QStringLiteral("GLCreditAmount"),
                        QStringLiteral("3"))},
        {"foreign debit and credit", [](GeneralLedger &g) { g.setFCGLCreditAmount(1); },
         msg::bothSides(QStringLiteral("FCGLDebitAmount"), QStringLiteral("10"), QStringLiteral("FCGLCreditAmount"),
                        QStringLiteral("1"))},
        {"credit not a number", [nan](GeneralLedger &g) { g.setGLCreditAmount(nan); },
         msg::notANumber(QStringLiteral("GLCreditAmount"))},
        {"no document", [](GeneralLedger &g) { g.setDocumentNo(QStringLiteral("  ")); },
         msg::required(QStringLiteral("DocumentNo"))},
        {"LastUpdate not a date", [](GeneralLedger &g) { g.setLastUpdate(QStringLiteral("tomorrow")); },
         msg::notADate(QStringLiteral("LastUpdate"), QStringLiteral("tomorrow"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto gl = line(QStringLiteral("01HOINV1"), QStringLiteral("01HO4000"), 10, 0);
        c.spoil(*gl);
        EXPECT_FALSE(gl->GLInsert());
        EXPECT_EQ(gl->ErrDesc(), c.message);
        EXPECT_EQ(rows(QStringLiteral("General_Ledger")), 0);
    }
}

TEST_F(Ledger, ASignedAmountIsWrittenAsGiven) {
    auto gl = line(QStringLiteral("01HOOBI1"), QStringLiteral("01HO4000"), -40, 0);
    ASSERT_TRUE(gl->GLInsert()) << gl->ErrDesc().toStdString();
    EXPECT_EQ(connection().scalar(QStringLiteral("Select GL_Debit_Amount from General_Ledger")).toDouble(), -40);
}

TEST_F(Ledger, BalanceMovesOnlyOnAKnownAccountByANumber) {
    auto gl = line(QStringLiteral("01HOINV1"), QStringLiteral("01HO4000"), 10, 0);
    EXPECT_FALSE(gl->COAPosting(QStringLiteral("01HO9999"), 10));
    EXPECT_EQ(gl->ErrDesc(), msg::unknownAccount(QStringLiteral("01HO9999")));
    EXPECT_FALSE(gl->COAPosting(QStringLiteral("01HO4000"), std::numeric_limits<double>::infinity()));
    EXPECT_EQ(gl->ErrDesc(), msg::notANumber(QStringLiteral("The amount")));
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), 0);
}

TEST_F(Ledger, DeleteRemovesOneDocumentAndTakesItsEffectOffTheBalances) {
    post(QStringLiteral("01HOCHM1"), QStringLiteral("01HO1000"), 120, 0);
    post(QStringLiteral("01HOCHM1"), QStringLiteral("01HO4000"), 0, 120);
    post(QStringLiteral("01HOCHM2"), QStringLiteral("01HO1000"), 30, 0);
    post(QStringLiteral("01HOCHM2"), QStringLiteral("01HO4000"), 0, 30);

    auto gl = service<GeneralLedger>(ids::kGeneralLedger);
    gl->setDocumentNo(QStringLiteral("01HOCHM1"));
    ASSERT_TRUE(gl->GLDelete()) << gl->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger"), QStringLiteral("Document_No='01HOCHM1'")), 0);
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger"), QStringLiteral("Document_No='01HOCHM2'")), 2);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO1000")), 30);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4000")), -30);

    // A document without lines (processed offline) deletes nothing and succeeds.
    gl->setDocumentNo(QStringLiteral("01HOCHM9"));
    EXPECT_TRUE(gl->GLDelete()) << gl->ErrDesc().toStdString();
    gl->setDocumentNo(QString());
    EXPECT_FALSE(gl->GLDelete());
    EXPECT_EQ(gl->ErrDesc(), msg::required(QStringLiteral("DocumentNo")));
}

TEST_F(Ledger, WorksOnTheGivenConnectionWithoutClosingItOrOnOneOfItsOwn) {
    auto own = createObject<GeneralLedger>(ids::kGeneralLedger);
    own->setADOConnectionString(connectionString());
    own->setDocumentNo(QStringLiteral("01HOINV1"));
    own->setaccountno(QStringLiteral("01HO1000"));
    own->setGLDebitAmount(5);
    EXPECT_TRUE(own->GLInsert()) << own->ErrDesc().toStdString();

    post(QStringLiteral("01HOINV2"), QStringLiteral("01HO1000"), 5, 0);
    EXPECT_TRUE(connection().isOpen());
    EXPECT_EQ(rows(QStringLiteral("General_Ledger")), 2);

    auto none = createObject<GeneralLedger>(ids::kGeneralLedger);
    none->setDocumentNo(QStringLiteral("01HOINV3"));
    none->setaccountno(QStringLiteral("01HO1000"));
    EXPECT_FALSE(none->GLInsert());
    EXPECT_EQ(none->ErrDesc(), msg::kNoConnection);
}

class Receivable : public Ledger {
protected:
    std::unique_ptr<AccountsReceivable> entry(const QString &document, const QString &customer, double debit,
                                              double credit, double fcDebit, double fcCredit) {
        auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
        ar->setDocumentNo(document);
        ar->setDocumentPrefix(document.mid(4, 3));
        ar->setARLDate(day(6));
        ar->setCurrencyCode(QStringLiteral("USD"));
        ar->setARLDescription(QStringLiteral("Accounts Receivable : Customer Code - ") + customer.mid(2));
        ar->setaccountno(QStringLiteral("01HO1200"));
        ar->setCustomerCode(customer);
        ar->setARLDebitAmount(debit);
        ar->setARLCreditAmount(credit);
        ar->setFCARLDebitAmount(fcDebit);
        ar->setFCARLCreditAmount(fcCredit);
        ar->setForeignCurrencyFlag(true);
        ar->setLastUpdate(day(6));
        return ar;
    }
};

TEST_F(Receivable, LinesMoveTheCustomerAndTheBranchOfTheDocument) {
    auto invoice = entry(QStringLiteral("01B2INV7"), QStringLiteral("01C001"), 350, 0, 100, 0);
    ASSERT_TRUE(invoice->AR_Insert_Transaction()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 350);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("B2")), 350);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("B2"), true), 100);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), 0);

    // An opening-balance posting names its branch, whatever the document number says.
    auto receipt = entry(QStringLiteral("01B2OBR1"), QStringLiteral("01C001"), 0, 70, 0, 20);
    receipt->setBranchPrefix(QStringLiteral("HO"));
    ASSERT_TRUE(receipt->AR_Insert_Transaction()) << receipt->ErrDesc().toStdString();
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 280);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), -70);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO"), true), -20);
    EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger"),
                               QStringLiteral("Branch_Prefix='HO' and ARL_Credit_Amount=70 and Customer_Code=?"),
                               {QStringLiteral("01C001")}),
              1);

    // A negative opening item is posted as given and lowers the balance.
    auto negative = entry(QStringLiteral("01B2OBI2"), QStringLiteral("01C001"), -30, 0, -10, 0);
    ASSERT_TRUE(negative->AR_Insert_Transaction()) << negative->ErrDesc().toStdString();
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 250);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("B2"), true), 90);
}

TEST_F(Receivable, CustomerWithoutARowForTheBranchGetsOneAndACodeWithAQuoteIsBound) {
    const QString code = QStringLiteral("01O'Brien");
    addCustomer(code);
    database().execute(
        QStringLiteral("Delete from Customer_Master_Balance Where Customer_Code=? and Branch_Prefix='B2'"), {code});
    auto invoice = entry(QStringLiteral("01B2INV1"), code, 40, 0, 40, 0);
    ASSERT_TRUE(invoice->AR_Insert_Transaction()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(branchBalance(code, QStringLiteral("B2")), 40);
    EXPECT_EQ(customerBalance(code), 40);
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 0);
}

TEST_F(Receivable, UnusableLinesAreRefusedAndMoveNothing) {
    struct Case {
        const char *name;
        std::function<void(AccountsReceivable &)> spoil;
        QString message;
    };
    const Case cases[] = {
        {"unknown customer", [](AccountsReceivable &a) { a.setCustomerCode(QStringLiteral("01C999")); },
         msg::unknownCustomer(QStringLiteral("01C999"))},
        {"no customer", [](AccountsReceivable &a) { a.setCustomerCode(QString()); },
         msg::required(QStringLiteral("CustomerCode"))},
        {"unknown account", [](AccountsReceivable &a) { a.setaccountno(QStringLiteral("01HO1299")); },
         msg::unknownAccount(QStringLiteral("01HO1299"))},
        {"branch of the number unknown", [](AccountsReceivable &a) { a.setDocumentNo(QStringLiteral("01XXINV1")); },
         msg::unknownBranch(QStringLiteral("01"), QStringLiteral("XX"))},
        {"debit and credit", [](AccountsReceivable &a) { a.setARLCreditAmount(2); },
         msg::bothSides(QStringLiteral("ARLDebitAmount"), QStringLiteral("50"), QStringLiteral("ARLCreditAmount"),
                        QStringLiteral("2"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto ar = entry(QStringLiteral("01HOINV1"), QStringLiteral("01C001"), 50, 0, 50, 0);
        c.spoil(*ar);
        EXPECT_FALSE(ar->AR_Insert_Transaction());
        EXPECT_EQ(ar->ErrDesc(), c.message);
        EXPECT_EQ(rows(QStringLiteral("Accounts_Receivable_Ledger")), 0);
        EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 0);
        EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), 0);
    }
}

TEST_F(Receivable, DeleteTakesOneDocumentsLinesBackOutOfTheBalances) {
    ASSERT_TRUE(entry(QStringLiteral("01HOINV1"), QStringLiteral("01C001"), 100, 0, 30, 0)->AR_Insert_Transaction());
    ASSERT_TRUE(entry(QStringLiteral("01HOINV1"), QStringLiteral("01C001"), 20, 0, 6, 0)->AR_Insert_Transaction());
    ASSERT_TRUE(entry(QStringLiteral("01B2INV2"), QStringLiteral("01C001"), 60, 0, 18, 0)->AR_Insert_Transaction());

    auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
    ar->setDocumentNo(QStringLiteral("01HOINV1"));
    ASSERT_TRUE(ar->ARL_Delete()) << ar->ErrDesc().toStdString();
    EXPECT_EQ(rows(QStringLiteral("Accounts_Receivable_Ledger")), 1);
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 60);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), 0);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO"), true), 0);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("B2"), true), 18);
}

TEST_F(Receivable, InsideTheCallersTransactionNothingIsCommittedBehindItsBack) {
    connection().beginTransaction();
    ASSERT_TRUE(entry(QStringLiteral("01HOINV1"), QStringLiteral("01C001"), 100, 0, 30, 0)->AR_Insert_Transaction());
    EXPECT_TRUE(connection().inTransaction());
    connection().rollback();
    EXPECT_EQ(rows(QStringLiteral("Accounts_Receivable_Ledger")), 0);
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), 0);
}

} // namespace
} // namespace orbsales::testing
