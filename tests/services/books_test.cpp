#include "services/package_fixture.h"

#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/numbers.h"

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
        addAccount("01HO1000", 600, "Cash");
        addAccount("01HO3000", -600, "Equity");
        for (const char *account : {"01HO1200", "01HO4000", "01HO4300", "01B21000", "01B21200", "01B24000", "01B24300"})
            addAccount(QString::fromLatin1(account));
        for (const char *customer : {"01C001", "01C002", "01C003"})
            addCustomer(QString::fromLatin1(customer));
        addItem("01A100");
        addBranchItem("01A100", "HO", 50, 100);
    }

    void ledgerLine(const QString &document, const QString &account, double debit, double credit, double fcDebit,
                    double fcCredit) {
        auto gl = service<GeneralLedger>(ids::kGeneralLedger);
        assign(*gl, "DocumentNo", document, "accountno", account, "GLDebitAmount", debit, "GLCreditAmount", credit,
               "FCGLDebitAmount", fcDebit, "FCGLCreditAmount", fcCredit);
        ASSERT_TRUE(gl->GLInsert()) << gl->ErrDesc().toStdString();
        ASSERT_TRUE(gl->COAPosting(account, debit - credit)) << gl->ErrDesc().toStdString();
    }
    void receivableLine(const QString &document, const QString &customer, double debit, double credit, double fcDebit,
                        double fcCredit) {
        auto ar = service<AccountsReceivable>(ids::kAccountsReceivable);
        assign(*ar, "DocumentNo", document, "CustomerCode", customer, "accountno", document.mid(0, 4) + "1200",
               "ARLDebitAmount", debit, "ARLCreditAmount", credit, "FCARLDebitAmount", fcDebit, "FCARLCreditAmount",
               fcCredit);
        ASSERT_TRUE(ar->AR_Insert_Transaction()) << ar->ErrDesc().toStdString();
    }
    // A credit sale: receivable and its control account debited, sales credited.
    void sale(const QString &document, const QString &customer, double amount, double fcAmount) {
        const QString branch = document.mid(0, 4);
        receivableLine(document, customer, amount, 0, fcAmount, 0);
        ledgerLine(document, branch + "1200", amount, 0, fcAmount, 0);
        ledgerLine(document, branch + "4000", 0, amount, 0, fcAmount);
    }
};

TEST_F(Books, TheFreshDemoCompanyHoldsTogether) {
    // The demo seed brings its own branches, currencies and masters.
    for (const char *table : {"Branch_Master", "Currency_Master", "Chart_Of_Accounts", "Customer_Master",
                              "Customer_Master_Balance", "Item_Master", "Item_Detail", "Item_Master_Detail"})
        database().execute(QStringLiteral("Delete from ") + QString::fromLatin1(table));
    demo::seedDemoCompany(connection());
    EXPECT_EQ(verifyBooks(connection()), QStringList());

    // Every account the preferences, the items and the customers name is in the chart.
    const QStringList named =
        QStringLiteral(
            "Default_Sales_Preferences.Cash_Sales_Account_No Default_Sales_Preferences.Credit_Sales_Account_No "
            "Default_Sales_Preferences.Sales_Disc_Account_No Default_Sales_Preferences.COG_Account_No "
            "Default_Sales_Preferences.FOC_Account_No Default_Sales_Preferences.Sales_Return_Account_No "
            "Default_Account_Preferences.Cash_Memo_Account_No Default_Account_Preferences.AdvRec_Account_No "
            "Default_Inventory_Preferences.Inventory_Account_No Item_Master_Detail.Inventory_Account_No "
            "Item_Master_Detail.Cash_Sales_Account_No Customer_Master.AR_Account_No")
            .split(' ');
    for (const QString &column : named) {
        const QList<QStringList> accounts = rowsOf(database(), column.section('.', 0, 0), column.section('.', 1));
        EXPECT_FALSE(accounts.isEmpty()) << column.toStdString();
        for (const QStringList &account : accounts)
            EXPECT_EQ(database().count("Chart_Of_Accounts", "Account_No=?", {account.value(0)}), 1)
                << column.toStdString() << " " << account.value(0).toStdString();
    }

    // Openings balance, and the inventory account of each branch carries its stock's value.
    const package::Books books = package::readBooks(connection());
    double openings = 0;
    for (const package::AccountLine &account : books.accounts)
        openings += account.opening;
    EXPECT_NEAR(openings, 0, 1e-6);
    for (const QString &branch : demo::branches()) {
        double stockValue = 0;
        for (const package::StockLine &line : books.stock)
            stockValue += line.branch == branch ? line.value : 0;
        EXPECT_GT(stockValue, 0);
        // The balance: the demo history has already sold goods out of the opening stock.
        EXPECT_NEAR(number("Select Opening_Balance + Posted_Balance from Chart_Of_Accounts Where Account_No=?",
                           {demo::kCompany + branch + "1300"}),
                    stockValue, 1e-6);
    }
}

TEST_F(Books, EachBreachNamesWhatDisagreesWithBothFigures) {
    sale("01HOINV1", "01C001", 200, 57.14);
    ASSERT_EQ(verifyBooks(connection()), QStringList());
    const struct {
        const char *tamper;
        QStringList breaches;
    } cases[] = {
        {"Update Chart_Of_Accounts Set Posted_Balance = 10 Where Account_No='01HO1000'",
         {"Account 01HO1000 (Cash): balance 610, opening balance plus ledger rows 600"}},
        {"Update General_Ledger Set GL_Credit_Amount = 190 Where Account_No='01HO4000'",
         {"Ledger does not balance in the home currency: debits 200, credits 190",
          "Document 01HOINV1 does not balance in the home currency: debits 200, credits 190",
          "Account 01HO4000 (Account): balance -200, opening balance plus ledger rows -190"}},
        {"Update General_Ledger Set FC_GL_Debit_Amount = 57 Where Account_No='01HO1200'",
         {"Ledger does not balance in the foreign currency: debits 57, credits 57.14",
          "Document 01HOINV1 does not balance in the foreign currency: debits 57, credits 57.14"}},
        {"Update General_Ledger Set Account_No = '01HO9999' Where Account_No='01HO4000'",
         {"Account 01HO4000 (Account): balance -200, opening balance plus ledger rows 0",
          "Ledger rows on account 01HO9999, which is not in the chart of accounts: balance 0, "
          "ledger rows -200"}},
        {"Update Customer_Master Set Customer_Balance = 0 Where Customer_Code='01C001'",
         {"Customer 01C001: balance 0, receivable rows 200"}},
        {"Update Customer_Master_Balance Set Customer_Fc_Balance = 57.15 Where Customer_Code='01C001' "
         "and Branch_Prefix='HO'",
         {"Customer 01C001, branch HO: foreign-currency balance 57.15, receivable rows 57.14"}},
        {"Delete from Customer_Master_Balance Where Customer_Code='01C001' and Branch_Prefix='HO'",
         {"Customer 01C001, branch HO has receivable rows but no balance row: balance 0, receivable "
          "rows 200"}},
        {"Update Item_Master_Detail Set Stock_In_Hand = 45",
         {"Item 01A100, branch HO: stock in hand 45, opening stock plus movements 50"}},
        {"Insert into Stock_Movement (Branch_Prefix, Item_Code, Document_Type, Out_Qty) values "
         "('B2', '01A100', 'OUT', 3)",
         {"Item 01A100, branch B2 has stock movements but no stock row: stock in hand 0, movements -3"}},
    };
    for (const auto &c : cases) {
        connection().beginTransaction();
        database().execute(QString::fromLatin1(c.tamper));
        EXPECT_EQ(verifyBooks(connection()), c.breaches) << c.tamper;
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
    const QStringList branches{"01HO", "01B2"};
    const QStringList customers{"01C001", "01C002", "01C003"};

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
        const QString document = branch + (kind < 8 ? QStringLiteral("INV") : "RCT") + QString::number(++serial);
        if (kind < 8) {
            // A sale, part of it given as discount.
            const double discount = numbers::roundHalfEven(amount * pick(20) / 100.0, 2);
            const double fcDiscount = numbers::roundHalfEven(discount / 3.5, 2);
            receivableLine(document, customer, amount, 0, fcAmount, 0);
            ledgerLine(document, branch + "1200", amount, 0, fcAmount, 0);
            if (discount > 0)
                ledgerLine(document, branch + "4300", discount, 0, fcDiscount, 0);
            ledgerLine(document, branch + "4000", 0, amount + discount, 0, fcAmount + fcDiscount);
            documents.insert(document, {customer, amount, fcAmount});
        } else {
            // A receipt into cash.
            receivableLine(document, customer, 0, amount, 0, fcAmount);
            ledgerLine(document, branch + "1000", amount, 0, fcAmount, 0);
            ledgerLine(document, branch + "1200", 0, amount, 0, fcAmount);
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
        for (const QString &branch : QStringList{"HO", "B2"})
            EXPECT_NEAR(branchBalance(customer, branch, true), expectedFc.value(customer + branch), 1e-6);
    }
    EXPECT_EQ(database().count("Accounts_Receivable_Ledger"), documents.size());
}

} // namespace
} // namespace orbsales::testing
