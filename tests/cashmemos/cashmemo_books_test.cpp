#include "cashmemos/cashmemo_fixture.h"
#include "orbsales/services/package/books.h"

namespace orbsales::testing {
namespace {

using package::documentedDifferences;
using package::verifyBooks;

// Cash memos processed online on the package's own components, checked by the books.
class CashMemoBooks : public CashMemoTest {
protected:
    QString post(const QString &paymentType, const QList<QStringList> &lines, const QString &reference = QString()) {
        memo = newMemo();
        memo->setPaymentType(paymentType);
        memo->setReferencePrefix(reference);
        memo->setChequeNo(QStringLiteral("000123"));
        memo->setChequeBank(QStringLiteral("Emirates NBD"));
        memo->setChequeDate(QDateTime(QDate(2027, 1, 15), QTime(0, 0)));
        memo->setCreditCardCode(QStringLiteral("VISA"));
        memo->setCreditCardName(QStringLiteral("J Smith"));
        memo->setCreditCardNo(QStringLiteral("4111"));
        fill(lines);
        auto p = processor(created());
        EXPECT_TRUE(p->Process()) << p->ErrDesc().toStdString();
        return p->CashMemoNo();
    }
    double balance(const QString &account) {
        return number(QStringLiteral("Select Opening_Balance + Posted_Balance from Chart_Of_Accounts Where "
                                     "Account_No=?"),
                      {account});
    }
    QStringList differences() {
        QStringList texts;
        for (const package::DocumentedDifference &d : documentedDifferences(database().connection()))
            texts << d.text();
        return texts;
    }
    // A cash memo, a cheque memo, a card memo and a point-of-sale memo with a returned line.
    void postTheDay() {
        cash = post(QStringLiteral("Cash"), {line(QStringLiteral("A100"), 2, 12.5), line(QStringLiteral("S100"), 1, 150)});
        cheque = post(QStringLiteral("Cheque"), {line(QStringLiteral("B100"), 1, 85, 0, QStringLiteral("Box"))});
        card = post(QStringLiteral("Credit Card"), {line(QStringLiteral("C300"), 10, 2.75, 0, QStringLiteral("Mtr"))});
        pointOfSale = post(QStringLiteral("Cash"), {line(QStringLiteral("A100"), 4, 12.5), line(QStringLiteral("A200"), -1, 40)},
                           QStringLiteral("POS"));
    }
    QString cash, cheque, card, pointOfSale;
};

TEST_F(CashMemoBooks, ADaysMemosKeepTheBooksTogether) {
    const double till = balance(QStringLiteral("01HO1000"));
    const double gadgetsAtLocation = number(QStringLiteral("Select Location_Qty from Location_Stock Where Item_Code='01A200' and Branch_Prefix='HO'"));
    postTheDay();
    const QStringList breaches = verifyBooks(database().connection());
    EXPECT_TRUE(breaches.isEmpty()) << breaches.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(differences(), QStringList());
    // The till: 175 from the cash memo, 50 - 40 from the point-of-sale memo.
    EXPECT_DOUBLE_EQ(balance(QStringLiteral("01HO1000")) - till, 185);
    // Widgets: 2 and 4 sold; one gadget came back; each line moved its stock once.
    EXPECT_EQ(stockInHand(QStringLiteral("01A100")), 94);
    EXPECT_EQ(stockInHand(QStringLiteral("01A200")), 101);
    EXPECT_EQ(number(QStringLiteral("Select count(*) from Stock_Movement Where Document_No=?"), {pointOfSale}), 2);
    EXPECT_EQ(number(QStringLiteral("Select In_Qty from Stock_Movement Where Document_No=? and Document_Type='IN'"),
                     {pointOfSale}),
              1);
    EXPECT_EQ(number(QStringLiteral("Select Location_Qty from Location_Stock Where Item_Code='01A200' and Branch_Prefix='HO'")) - gadgetsAtLocation, 1);
    // The cheque and the card wait for clearance, numbered by the cheque counter.
    const auto records = database().connection().select(
        QStringLiteral("Select PDC_No, Source_No, Cheque_Amount, Cleared, Status from PDC_Master Order by PDC_No"));
    ASSERT_EQ(records.rows.size(), 2);
    EXPECT_EQ(records.rows[0].value(0).toString(), QStringLiteral("01HOPDC1"));
    EXPECT_EQ(records.rows[0].value(1).toString(), cheque);
    EXPECT_EQ(records.rows[0].value(2).toDouble(), 85);
    EXPECT_EQ(records.rows[0].value(3).toString(), QStringLiteral("No"));
    EXPECT_EQ(records.rows[0].value(4).toString(), QStringLiteral("Outstanding"));
    EXPECT_EQ(records.rows[1].value(0).toString(), QStringLiteral("01HOPDC2"));
    EXPECT_EQ(counter(QStringLiteral("PDC")), 3);
    // The walk-in customer owes the cheque and the card until they clear.
    EXPECT_EQ(number(QStringLiteral("Select Customer_Balance from Customer_Master_Balance Where Customer_Code='01C004' "
                                    "and Branch_Prefix='HO'")),
              112.5);
    EXPECT_EQ(masterValue(QStringLiteral("Adjusted_Amount"), cash).toDouble(), 175);
    EXPECT_EQ(masterValue(QStringLiteral("Balance_Amount"), cheque).toDouble(), 85);
}

TEST_F(CashMemoBooks, EveryCheckNamesTheMemoARowWasTamperedWith) {
    postTheDay();
    ASSERT_EQ(verifyBooks(database().connection()), QStringList());
    struct Case {
        const char *name;
        QString statement;
        QString breach;
    };
    const QList<Case> cases{
        {"cash total", QStringLiteral("Update Cash_Memo_Master Set Cash_Memo_Total_Amount = 176 Where Cash_Memo_No='%1'").arg(cash),
         QStringLiteral("Cash memo %1: cash account 01HO1000 moved by 175, its total is 176").arg(cash)},
        {"line amount",
         QStringLiteral("Update Cash_Memo_Detail Set Cash_Memo_Item_Amount = 24 Where Cash_Memo_No='%1' and Item_Code='01A100'")
             .arg(cash),
         QStringLiteral("Cash memo %1: sales ledger lines 175, its lines come to 174").arg(cash)},
        {"header discount",
         QStringLiteral("Update Cash_Memo_Master Set Cash_Memo_Disc_Amount = 5 Where Cash_Memo_No='%1'").arg(cheque),
         QStringLiteral("Cash memo %1: discount ledger line 0, its line and header discounts come to 5").arg(cheque)},
        {"receivable row",
         QStringLiteral("Update Accounts_Receivable_Ledger Set ARL_Debit_Amount = 80 Where Document_No='%1'").arg(cheque),
         QStringLiteral("Cash memo %1: receivable rows 80, its total is 85").arg(cheque)},
        {"cheque record", QStringLiteral("Delete from PDC_Master Where Source_No='%1'").arg(card),
         QStringLiteral("Cash memo %1: 0 cheque records, 1 expected for a credit card memo").arg(card)},
        {"cheque amount", QStringLiteral("Update PDC_Master Set Cheque_Amount = 8.5 Where Source_No='%1'").arg(cheque),
         QStringLiteral("Cash memo %1: cheque record 8.5, its total is 85").arg(cheque)},
        {"cheque of a cash memo",
         QStringLiteral("Update PDC_Master Set Source_No = '%1' Where Source_No='%2'").arg(cash, cheque),
         QStringLiteral("Cash memo %1: 1 cheque records for a memo paid by cash").arg(cash)},
        {"quantity", QStringLiteral("Update Cash_Memo_Detail Set Cash_Memo_Qty = -2 Where Cash_Memo_No='%1' and Item_Code='01A200'")
                         .arg(pointOfSale),
         QStringLiteral("Cash memo %1: stock movements in base units 3, its stock lines come to 2").arg(pointOfSale)},
        {"movement value",
         QStringLiteral("Update Stock_Movement Set In_Amount = 20 Where Document_No='%1' and Document_Type='IN'").arg(pointOfSale),
         QStringLiteral("Cash memo %1: inventory ledger lines 6, the cost of its stock movements is 10").arg(pointOfSale)},
        {"inventory value",
         QStringLiteral("Update Cash_Memo_Detail Set Inventory_Value = 16 Where Cash_Memo_No='%1'").arg(cash),
         QStringLiteral("Cash memo %1: stock movements worth 15, its lines' inventory value is 16").arg(cash)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        postTheDay();
        database().execute(c.statement);
        const QStringList breaches = verifyBooks(database().connection());
        EXPECT_TRUE(breaches.contains(c.breach)) << breaches.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(CashMemoBooks, AChartMovedByTheGrossAmountIsADocumentedDifferenceNotABreach) {
    QStringList row = line(QStringLiteral("S100"), 2, 10);
    row[12] = QStringLiteral("1.2");
    row[9] = QStringLiteral("1.2");
    row[11] = QStringLiteral("17.49");
    row[10] = QStringLiteral("17.49");
    const QString number = post(QStringLiteral("Cash"), {row});
    // The ledger recorded the line's difference as it was posted.
    const QString text = QStringLiteral("Document %1, account 01HO4100: ledger rows -19.89, chart moved by -20 "
                                        "(difference -0.11)")
                             .arg(number);
    EXPECT_EQ(verifyBooks(database().connection()), QStringList());
    EXPECT_EQ(differences(), QStringList{text});

    // Cancelling takes back what the memo moved, the difference with its ledger lines.
    auto cancelling = processor(number);
    ASSERT_TRUE(cancelling->Cancel_CashMemo()) << cancelling->ErrDesc().toStdString();
    EXPECT_EQ(verifyBooks(database().connection()), QStringList());
    EXPECT_EQ(differences(), QStringList());
    // A real breach on the same account is still one.
    database().execute(QStringLiteral("Update Chart_Of_Accounts Set Posted_Balance = Posted_Balance + 1 Where "
                                      "Account_No = '01HO4100'"));
    EXPECT_EQ(verifyBooks(database().connection()).size(), 1);
}

} // namespace
} // namespace orbsales::testing
