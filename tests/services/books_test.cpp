#include "services/package_fixture.h"

#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/numbers.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/services/service_ids.h"

#include <QMap>
#include <random>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;
using package::verifyBooks;

class Books : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addAccount(QStringLiteral("01HO1000"), 600, QStringLiteral("Cash"));
        addAccount(QStringLiteral("01HO3000"), -600, QStringLiteral("Equity"));
        for (const char *account : {"01HO1200", "01HO4000", "01HO4300", "01B21000", "01B21200", "01B24000", "01B24300"})
            addAccount(QString::fromLatin1(account));
        for (const char *customer : {"01C001", "01C002", "01C003"})
            addCustomer(QString::fromLatin1(customer));
        addItem(QStringLiteral("01A100"));
        addBranchItem(QStringLiteral("01A100"), QStringLiteral("HO"), 50, 100);
    }

    void ledgerLine(const QString &document, const QString &account, double debit, double credit, double fcDebit,
                    double fcCredit) {
        auto gl = service<GeneralLedger>(ids::kGeneralLedger);
        gl->setDocumentNo(document);
        gl->setaccountno(account);
        gl->setGLDebitAmount(debit);
        gl->setGLCreditAmount(credit);
        gl->setFCGLDebitAmount(fcDebit);
        gl->setFCGLCreditAmount(fcCredit);
        ASSERT_TRUE(gl->GLInsert()) << gl->ErrDesc().toStdString();
        ASSERT_TRUE(gl->COAPosting(account, debit - credit)) << gl->ErrDesc().toStdString();
    }
    void receivableLine(const QString &document, const QString &customer, double debit, double credit, double fcDebit,
                        double fcCredit) {
        auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
        ar->setDocumentNo(document);
        ar->setCustomerCode(customer);
        ar->setaccountno(document.mid(0, 4) + QStringLiteral("1200"));
        ar->setARLDebitAmount(debit);
        ar->setARLCreditAmount(credit);
        ar->setFCARLDebitAmount(fcDebit);
        ar->setFCARLCreditAmount(fcCredit);
        ASSERT_TRUE(ar->AR_Insert_Transaction()) << ar->ErrDesc().toStdString();
    }
    // A credit sale: receivable and its control account debited, sales credited.
    void sale(const QString &document, const QString &customer, double amount, double fcAmount) {
        const QString branch = document.mid(0, 4);
        receivableLine(document, customer, amount, 0, fcAmount, 0);
        ledgerLine(document, branch + QStringLiteral("1200"), amount, 0, fcAmount, 0);
        ledgerLine(document, branch + QStringLiteral("4000"), 0, amount, 0, fcAmount);
    }
};

TEST_F(Books, TheFreshDemoCompanyHoldsTogetherAndCanPost) {
    // The demo seed brings its own branches and currencies.
    database().execute(QStringLiteral("Delete from Branch_Master"));
    database().execute(QStringLiteral("Delete from Currency_Master"));
    database().execute(QStringLiteral("Delete from Chart_Of_Accounts"));
    database().execute(QStringLiteral("Delete from Customer_Master"));
    database().execute(QStringLiteral("Delete from Customer_Master_Balance"));
    database().execute(QStringLiteral("Delete from Item_Master"));
    database().execute(QStringLiteral("Delete from Item_Detail"));
    database().execute(QStringLiteral("Delete from Item_Master_Detail"));
    demo::seedDemoCompany(connection());
    EXPECT_EQ(verifyBooks(connection()), QStringList());

    // Every account the preferences, the items and the customers name is in the chart.
    const Connection::Result named = connection().select(QStringLiteral(
        "Select Cash_Sales_Account_No from Default_Sales_Preferences Union Select Credit_Sales_Account_No from "
        "Default_Sales_Preferences Union Select Sales_Disc_Account_No from Default_Sales_Preferences Union Select "
        "COG_Account_No from Default_Sales_Preferences Union Select FOC_Account_No from Default_Sales_Preferences "
        "Union Select Sales_Return_Account_No from Default_Sales_Preferences Union Select Cash_Memo_Account_No from "
        "Default_Account_Preferences Union Select AdvRec_Account_No from Default_Account_Preferences Union Select "
        "Inventory_Account_No from Default_Inventory_Preferences Union Select Inventory_Account_No from "
        "Item_Master_Detail Union Select Cash_Sales_Account_No from Item_Master_Detail Union Select AR_Account_No "
        "from Customer_Master"));
    ASSERT_GE(named.rows.size(), 18);
    for (const QVariantList &row : named.rows)
        EXPECT_EQ(database().count(QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_No=?"), {row.first()}),
                  1)
            << row.first().toString().toStdString();

    // Openings balance, and the inventory account of each branch carries its stock's value.
    const package::Books books = package::readBooks(connection());
    double openings = 0;
    for (const package::AccountLine &account : books.accounts)
        openings += account.opening;
    EXPECT_NEAR(openings, 0, 1e-6);
    for (const QString &branch : demo::branches()) {
        double stockValue = 0;
        for (const package::StockLine &line : books.stock)
            if (line.branch == branch)
                stockValue += line.value;
        EXPECT_GT(stockValue, 0);
        EXPECT_NEAR(number(QStringLiteral("Select Opening_Balance from Chart_Of_Accounts Where Account_No=?"),
                           {demo::kCompany + branch + QStringLiteral("1300")}),
                    stockValue, 1e-6);
    }
    ASSERT_FALSE(demo::customers().empty());
    const QString customer = demo::kCompany + QString::fromUtf8(demo::customers().front().code);
    receivableLine(QStringLiteral("01HOINV1"), customer, 50, 0, 50, 0);
    EXPECT_EQ(verifyBooks(connection()), QStringList());
}

TEST_F(Books, EachBreachNamesWhatDisagreesWithBothFigures) {
    sale(QStringLiteral("01HOINV1"), QStringLiteral("01C001"), 200, 57.14);
    ASSERT_EQ(verifyBooks(connection()), QStringList());
    struct Case {
        const char *name;
        QString tamper;
        QStringList breaches;
    };
    const Case cases[] = {
        {"account balance",
         QStringLiteral("Update Chart_Of_Accounts Set Posted_Balance = 10 Where Account_No='01HO1000'"),
         {QStringLiteral("Account 01HO1000 (Cash): balance 610, opening balance plus ledger rows 600")}},
        {"ledger row",
         QStringLiteral("Update General_Ledger Set GL_Credit_Amount = 190 Where Account_No='01HO4000'"),
         {QStringLiteral("Ledger does not balance in the home currency: debits 200, credits 190"),
          QStringLiteral("Document 01HOINV1 does not balance in the home currency: debits 200, credits 190"),
          QStringLiteral("Account 01HO4000 (Account): balance -200, opening balance plus ledger rows -190")}},
        {"foreign ledger row",
         QStringLiteral("Update General_Ledger Set FC_GL_Debit_Amount = 57 Where Account_No='01HO1200'"),
         {QStringLiteral("Ledger does not balance in the foreign currency: debits 57, credits 57.14"),
          QStringLiteral("Document 01HOINV1 does not balance in the foreign currency: debits 57, credits 57.14")}},
        {"row on an account outside the chart",
         QStringLiteral("Update General_Ledger Set Account_No = '01HO9999' Where Account_No='01HO4000'"),
         {QStringLiteral("Account 01HO4000 (Account): balance -200, opening balance plus ledger rows 0"),
          QStringLiteral("Ledger rows on account 01HO9999, which is not in the chart of accounts: balance 0, "
                         "ledger rows -200")}},
        {"customer balance",
         QStringLiteral("Update Customer_Master Set Customer_Balance = 0 Where Customer_Code='01C001'"),
         {QStringLiteral("Customer 01C001: balance 0, receivable rows 200")}},
        {"branch foreign balance",
         QStringLiteral("Update Customer_Master_Balance Set Customer_Fc_Balance = 57.15 Where Customer_Code='01C001' "
                        "and Branch_Prefix='HO'"),
         {QStringLiteral("Customer 01C001, branch HO: foreign-currency balance 57.15, receivable rows 57.14")}},
        {"balance row gone",
         QStringLiteral("Delete from Customer_Master_Balance Where Customer_Code='01C001' and Branch_Prefix='HO'"),
         {QStringLiteral("Customer 01C001, branch HO has receivable rows but no balance row: balance 0, receivable "
                         "rows 200")}},
        {"stock in hand",
         QStringLiteral("Update Item_Master_Detail Set Stock_In_Hand = 45"),
         {QStringLiteral("Item 01A100, branch HO: stock in hand 45, opening stock plus movements 50")}},
        {"movement without stock row",
         QStringLiteral("Insert into Stock_Movement (Branch_Prefix, Item_Code, Document_Type, Out_Qty) values "
                        "('B2', '01A100', 'OUT', 3)"),
         {QStringLiteral(
             "Item 01A100, branch B2 has stock movements but no stock row: stock in hand 0, movements -3")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        connection().beginTransaction();
        database().execute(c.tamper);
        EXPECT_EQ(verifyBooks(connection()), c.breaches);
        connection().rollback();
    }
}

// Hundreds of postings and reversals through the ledger and the receivable, mixed at random
// over branches, customers and currencies, then the books are checked, and the balances
// against what the postings should have made of them.
TEST_F(Books, RandomPostingsAndReversalsLeaveTheBooksInOrder) {
    const unsigned seed = 20260305;
    std::mt19937 random(seed);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const QStringList branches{QStringLiteral("01HO"), QStringLiteral("01B2")};
    const QStringList customers{QStringLiteral("01C001"), QStringLiteral("01C002"), QStringLiteral("01C003")};

    struct Posted {
        QString customer;
        double amount; // receivable effect: debit minus credit
        double fcAmount;
    };
    QMap<QString, Posted> documents; // still in the books
    int serial = 0;
    for (int step = 0; step < 300; ++step) {
        const int kind = pick(10);
        if (kind < 2 && !documents.isEmpty()) {
            const QString document = documents.keys().at(pick(static_cast<int>(documents.size())));
            auto gl = service<GeneralLedger>(ids::kGeneralLedger);
            gl->setDocumentNo(document);
            ASSERT_TRUE(gl->GLDelete()) << gl->ErrDesc().toStdString();
            auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
            ar->setDocumentNo(document);
            ASSERT_TRUE(ar->ARL_Delete()) << ar->ErrDesc().toStdString();
            documents.remove(document);
            continue;
        }
        const QString branch = branches.at(pick(2));
        const QString customer = customers.at(pick(3));
        const double amount = (1 + pick(100000)) / 100.0;
        const double fcAmount = numbers::roundHalfEven(amount / 3.5, 2);
        const QString document =
            branch + (kind < 8 ? QStringLiteral("INV") : QStringLiteral("RCT")) + QString::number(++serial);
        if (kind < 8) {
            // A sale, part of it given as discount.
            const double discount = numbers::roundHalfEven(amount * pick(20) / 100.0, 2);
            const double fcDiscount = numbers::roundHalfEven(discount / 3.5, 2);
            receivableLine(document, customer, amount, 0, fcAmount, 0);
            ledgerLine(document, branch + QStringLiteral("1200"), amount, 0, fcAmount, 0);
            if (discount > 0)
                ledgerLine(document, branch + QStringLiteral("4300"), discount, 0, fcDiscount, 0);
            ledgerLine(document, branch + QStringLiteral("4000"), 0, amount + discount, 0, fcAmount + fcDiscount);
            documents.insert(document, {customer, amount, fcAmount});
        } else {
            // A receipt into cash.
            receivableLine(document, customer, 0, amount, 0, fcAmount);
            ledgerLine(document, branch + QStringLiteral("1000"), amount, 0, fcAmount, 0);
            ledgerLine(document, branch + QStringLiteral("1200"), 0, amount, 0, fcAmount);
            documents.insert(document, {customer, -amount, -fcAmount});
        }
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(verifyBooks(connection()), QStringList());

    QMap<QString, double> expected;
    QMap<QString, double> expectedFc;
    for (auto it = documents.cbegin(); it != documents.cend(); ++it) {
        expected[it->customer] += it->amount;
        expectedFc[it->customer + it.key().mid(2, 2)] += it->fcAmount;
    }
    for (const QString &customer : customers) {
        EXPECT_NEAR(customerBalance(customer), expected.value(customer), 1e-6) << customer.toStdString();
        for (const QString &branch : {QStringLiteral("HO"), QStringLiteral("B2")})
            EXPECT_NEAR(branchBalance(customer, branch, true), expectedFc.value(customer + branch), 1e-6);
    }
    EXPECT_EQ(database().count(QStringLiteral("Accounts_Receivable_Ledger")), documents.size());
}

} // namespace
} // namespace orbsales::testing
