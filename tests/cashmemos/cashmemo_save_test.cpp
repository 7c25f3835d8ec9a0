#include "cashmemos/cashmemo_fixture.h"

#include <functional>

namespace orbsales::testing {
namespace {

using CashMemoSave = CashMemoTest;

TEST_F(CashMemoSave, HeaderChecksRunInOrderAndTheFirstFailureIsReported) {
    struct Case {
        const char *name;
        std::function<void(CashMemo &)> spoil;
        const char *message;
    };
    const Case cases[] = {
        {"company", [](CashMemo &m) { m.setCompanyPrefix(QString()); m.setBranchPrefix(QString()); },
         "Invalid Comapny Prefix"},
        {"branch", [](CashMemo &m) { m.setBranchPrefix(QString()); }, "Invalid Branch Prefix"},
        {"document", [](CashMemo &m) { m.setDocumentPrefix(QString()); }, "Invalid Document Prefix"},
        {"blank customer name", [](CashMemo &m) { m.setCustomerName(QStringLiteral("   ")); },
         "Invalid Customer Details"},
        {"blank customer code", [](CashMemo &m) { m.setCustomerCode(QStringLiteral(" ")); },
         "Invalid Customer Details"},
        {"payment type", [](CashMemo &m) { m.setPaymentType(QStringLiteral("  ")); }, "Invalid Payment Type"},
        {"card without number",
         [](CashMemo &m) {
             m.setPaymentType(QStringLiteral(" credit CARD "));
             m.setCreditCardCode(QStringLiteral("VISA"));
             m.setCreditCardName(QStringLiteral("J Smith"));
             m.setCreditCardNo(QStringLiteral("  "));
         },
         "Invalid Credit Card Details"},
        {"cheque without bank",
         [](CashMemo &m) {
             m.setPaymentType(QStringLiteral("cheque"));
             m.setChequeNo(QStringLiteral("000123"));
         },
         "Invalid Cheque Details"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto m = newMemo();
        c.spoil(*m);
        EXPECT_FALSE(m->Validation());
        EXPECT_EQ(m->ErrDesc(), QString::fromLatin1(c.message));
        EXPECT_FALSE(m->Create_CashMemo());
        EXPECT_EQ(m->ErrDesc(), QString::fromLatin1(c.message));
    }
    EXPECT_EQ(database().count(QStringLiteral("Cash_Memo_Master")), 0);
    EXPECT_EQ(counter(), 1);
    // A payment type the memo does not know passes the checks; the grid is not looked at.
    memo->setPaymentType(QStringLiteral("Voucher"));
    grid->setRowCount(1);
    EXPECT_TRUE(memo->Validation()) << memo->ErrDesc().toStdString();
}

TEST_F(CashMemoSave, CreatesUnderATemporaryNumberWithOneRowPerLine) {
    fill({line(QStringLiteral("A100"), 2, 12.5), line(QStringLiteral("C300"), 10, 2.75)});
    memo->setCashMemoComments(kHostile);
    memo->setCustomerName(kHostile);
    memo->setCurrencySymbol(QStringLiteral("?"));
    const QString number = created();
    EXPECT_EQ(number, QStringLiteral("01HOCHMTMP1"));
    EXPECT_EQ(memo->CashMemoIdentity(), 1);
    EXPECT_EQ(counter(), 2);
    EXPECT_EQ(memo->CurrencySymbol(), QStringLiteral("Dhs"));
    EXPECT_EQ(masterText("customer_name Cash_Memo_Comments Cash_Memo_Identity process_Flag Cash_Memo_Total_Amount "
                         "Reference_No",
                         number),
              QStringLiteral("O'Brien; DROP TABLE Cash_Memo_Master;--|O'Brien; DROP TABLE Cash_Memo_Master;--|1|0|52.5|"
                             "null"));
    EXPECT_EQ(lineCount(number), 2);
    EXPECT_EQ(lineText("Item_Code Cash_Memo_Qty Cash_Memo_Item_Amount", number, 2), QStringLiteral("01C300|10|27.5"));
    EXPECT_EQ(lineText("Location_Name Location_ID", number), QStringLiteral("Main Store|1"));
    EXPECT_LT(lineValue(QStringLiteral("SL_No"), number, 1).toInt(), lineValue(QStringLiteral("SL_No"), number, 2).toInt());

    // Without its lines: the caller writes them itself.
    auto headerOnly = newMemo();
    bool withLines = false;
    ASSERT_TRUE(headerOnly->Create_CashMemo(withLines)) << headerOnly->ErrDesc().toStdString();
    EXPECT_EQ(headerOnly->CashMemoNo(), QStringLiteral("01HOCHMTMP2"));
    EXPECT_EQ(lineCount(headerOnly->CashMemoNo()), 0);
}

// Settlement, cheque and card columns follow the payment type as written exactly.
TEST_F(CashMemoSave, SettlementFollowsTheExactPaymentType) {
    struct Case {
        const char *paymentType;
        const char *columns; // Balance_Amount|Adjusted_Amount|Cheque_No|CreditCard_No, "null" for NULL
    } const cases[] = {
        {"Cash", "0|null|null|null"},          {"Cheque", "250|0|000123|null"},     {"Credit Card", "250|0|null|4111"},
        {"credit card", "null|null|null|null"}, {"Voucher", "null|null|null|null"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.paymentType);
        memo = newMemo();
        fill({line(QStringLiteral("A100"), 20, 12.5)});
        memo->setPaymentType(QString::fromLatin1(c.paymentType));
        memo->setChequeNo(QStringLiteral("000123"));
        memo->setChequeBank(QStringLiteral("Emirates NBD"));
        memo->setChequeDate(QDateTime(QDate(2026, 12, 20), QTime(0, 0)));
        memo->setCreditCardCode(QStringLiteral("VISA"));
        memo->setCreditCardName(QStringLiteral("J Smith"));
        memo->setCreditCardNo(QStringLiteral("4111"));
        const QString number = created();
        EXPECT_EQ(masterText("Balance_Amount Adjusted_Amount Cheque_No CreditCard_No", number),
                  QString::fromLatin1(c.columns));
    }
}

TEST_F(CashMemoSave, TheLastLineTakesTheRestOfTheOverallDiscount) {
    fill({line(QStringLiteral("A100"), 1, 100), line(QStringLiteral("A200"), 1, 100), line(QStringLiteral("B100"), 1, 100)},
         30.01);
    memo->setCashMemoDiscPercent(10);
    const QString number = created();
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const double expected = i == 3 ? 10.01 : 10;
        EXPECT_EQ(lineValue(QStringLiteral("Cash_Memo_OverAll_Disc_Amount"), number, i).toDouble(), expected);
        EXPECT_EQ(lineValue(QStringLiteral("Cash_Memo_OverAll_FC_Disc_Amount"), number, i).toDouble(), expected);
    }
    // Without a foreign discount no share is written, whatever the home discount holds.
    auto other = newMemo();
    other->setCashMemoDiscAmount(30);
    other->setCashMemoDiscPercent(10);
    ASSERT_TRUE(other->Create_CashMemo());
    EXPECT_TRUE(lineValue(QStringLiteral("Cash_Memo_OverAll_Disc_Amount"), other->CashMemoNo()).isNull());
}

TEST_F(CashMemoSave, TheQuantityHandedOverNowReplacesTheQuantity) {
    struct Case {
        const char *name, *reference, *column14;
        double delivered;
    } const cases[] = {
        {"none keeps the quantity", "SOR", "0", 3},
        {"positive is taken", "SOR", "2", 2},
        {"negative is ignored", "SOR", "-2", 3},
        {"point of sale takes a negative", "POS", "-2", -2},
        {"lower case pos is not point of sale", "pos", "-2", 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        memo = newMemo();
        QStringList row = line(QStringLiteral("A100"), 3, 12.5);
        row[14] = QString::fromLatin1(c.column14);
        fill({row});
        memo->setReferencePrefix(QString::fromLatin1(c.reference));
        const QString number = created();
        EXPECT_EQ(lineValue(QStringLiteral("Cash_Memo_Delivered_Qty"), number).toDouble(), c.delivered);
        EXPECT_EQ(lineValue(QStringLiteral("Cash_Memo_Qty"), number).toDouble(), 3);
    }
}

TEST_F(CashMemoSave, UnitPeriodProjectAndFreeOfChargeAreSplitAsTheGridHoldsThem) {
    QStringList row = line(QStringLiteral(" A100 "), 1, 12.5, 0, QStringLiteral("Nos-Monthly"));
    row[17] = QStringLiteral("01HOPRJ0042");
    row[18] = QStringLiteral("1");
    QStringList charge = line(QString(), 1, 5);
    charge[2] = QStringLiteral("Delivery charge");
    fill({row, charge});
    const QString number = created();
    EXPECT_EQ(lineText("Item_Code Unit_Name Period_Type Proj_No FOC_Flag", number),
              QStringLiteral("01A100|Nos|Monthly|01HOPRJ0042|1"));
    // A line without an item keeps no item code.
    EXPECT_EQ(lineText("Item_Code Period_Type", number, 2), QStringLiteral("null|null"));
}

TEST_F(CashMemoSave, UpdatingReplacesAllLinesAndKeepsTheNumber) {
    fill({line(QStringLiteral("A100"), 1, 12.5), line(QStringLiteral("A200"), 1, 40)});
    const QString number = created();
    grid->setRow(2, QStringList(21));
    memo->setPaymentType(QStringLiteral("Cheque"));
    memo->setChequeNo(QStringLiteral("77"));
    memo->setChequeBank(QStringLiteral("Mashreq"));
    ASSERT_TRUE(memo->Update_CashMemo()) << memo->ErrDesc().toStdString();
    EXPECT_EQ(memo->CashMemoNo(), number);
    EXPECT_EQ(lineCount(number), 1);
    EXPECT_EQ(masterValue(QStringLiteral("Payment_Type"), number).toString(), QStringLiteral("Cheque"));
    EXPECT_EQ(masterValue(QStringLiteral("Cash_Memo_Identity"), number).toInt(), 1);
    EXPECT_EQ(database().count(QStringLiteral("Cash_Memo_Master")), 1);
}

TEST_F(CashMemoSave, APointOfSaleMemoSavedAwayFromTheServerIsFinal) {
    memo->setReferencePrefix(QStringLiteral("POS"));
    memo->setOnlineFlag(false);
    fill({line(QStringLiteral("A100"), 1, 12.5)});
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), created()).toInt(), 1);
    auto online = newMemo();
    online->setReferencePrefix(QStringLiteral("POS"));
    ASSERT_TRUE(online->Create_CashMemo());
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), online->CashMemoNo()).toInt(), 0);
}

} // namespace
} // namespace orbsales::testing
