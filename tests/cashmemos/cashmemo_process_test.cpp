#include "cashmemos/cashmemo_fixture.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

#include <functional>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

// A ledger line as the ledger was handed it, and the chart amount that followed.
struct Posted {
    QString account, description, comments;
    double debit = 0, credit = 0, fcDebit = 0, fcCredit = 0, chart = 0;
};

class CashMemoProcess : public CashMemoTest {
protected:
    QList<Posted> posted(Recorder &ledger) {
        QList<Posted> lines;
        const QList<RecordedCall> inserts = ledger.actions(QStringLiteral("GLInsert"));
        const QList<RecordedCall> charts = ledger.actions(QStringLiteral("COAPosting"));
        for (int i = 0; i < inserts.size(); ++i) {
            const QVariantMap p = ledger.propertiesAt(inserts[i]);
            Posted line{p.value(QStringLiteral("accountno")).toString(),
                        p.value(QStringLiteral("GLDescription")).toString(),
                        p.value(QStringLiteral("GLComments")).toString(),
                        p.value(QStringLiteral("GLDebitAmount")).toDouble(),
                        p.value(QStringLiteral("GLCreditAmount")).toDouble(),
                        p.value(QStringLiteral("FCGLDebitAmount")).toDouble(),
                        p.value(QStringLiteral("FCGLCreditAmount")).toDouble(),
                        0};
            if (i < charts.size()) {
                EXPECT_EQ(charts[i].arguments.value(0).toString(), line.account);
                line.chart = charts[i].arguments.value(1).toDouble();
            }
            lines << line;
        }
        return lines;
    }
    static QStringList shown(const QList<Posted> &lines) {
        QStringList out;
        for (const Posted &l : lines)
            out << QStringLiteral("%1 | %2 | %3 | Dr %4 Cr %5 | FC Dr %6 Cr %7 | chart %8")
                       .arg(l.account, l.description, l.comments, numbers::numberText(l.debit),
                            numbers::numberText(l.credit), numbers::numberText(l.fcDebit),
                            numbers::numberText(l.fcCredit), numbers::numberText(l.chart));
        return out;
    }
    // Saves the memo and processes it with a new object, as a front end does.
    std::unique_ptr<CashMemo> processed(bool expected = true) {
        const QString number = created();
        auto p = processor(number);
        p->setOnlineFlag(memo->OnlineFlag());
        p->setSyncFlag(memo->SyncFlag());
        EXPECT_EQ(p->Process(), expected) << p->ErrDesc().toStdString();
        return p;
    }
};

TEST_F(CashMemoProcess, PostsTheSaleAndThePaymentSideOfItsType) {
    const QString cash = QStringLiteral("01HO1000 | Cash Memo Account | Counter 2 | Dr 175 Cr 0 | FC Dr 175 Cr 0 | chart 175");
    const QString owed = QStringLiteral("01HO1200 | Accounts Receivable : Customer Code - 01C004 | Counter 2 | Dr 175 "
                                        "Cr 0 | FC Dr 175 Cr 0 | chart 175");
    struct Case {
        const char *name, *paymentType;
        QStringList ledger;       // the payment side's ledger line
        int receivables, cheques; // receivable rows and cheque records handed over
    } const cases[] = {
        {"cash", "Cash", {cash}, 0, 0},
        {"trimmed lower case cash", " cash ", {cash}, 0, 0},
        {"cheque", "Cheque", {owed}, 1, 1},
        {"card", "Credit Card", {owed}, 1, 1},
        {"unknown posts no payment side", "Voucher", {}, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingScope ledger(ids::kGeneralLedger);
        RecordingScope receivable(ids::kAccountsReceivable);
        RecordingScope cheque(ids::kPDC);
        memo = newMemo();
        memo->setPaymentType(QString::fromLatin1(c.paymentType));
        memo->setChequeNo(QStringLiteral("000123"));
        memo->setChequeBank(QStringLiteral("Emirates NBD"));
        memo->setCreditCardCode(QStringLiteral("VISA"));
        memo->setCreditCardName(QStringLiteral("J Smith"));
        memo->setCreditCardNo(QStringLiteral("4111"));
        memo->setCashMemoComments(QStringLiteral("Counter 2"));
        fill({line(QStringLiteral("A100"), 2, 12.5), line(QStringLiteral("S100"), 1, 150)});
        auto p = processed();
        QStringList expected{
            QStringLiteral("01HO4100 | Sales Account : ItemCode - A100 |  | Dr 0 Cr 25 | FC Dr 0 Cr 25 | chart -25"),
            QStringLiteral("01HO4100 | Sales Account : ItemCode - S100 |  | Dr 0 Cr 150 | FC Dr 0 Cr 150 | chart -150")};
        expected << c.ledger;
        // The cost of the widgets sold: 2 at 60% of 12.5.
        expected << QStringLiteral("01HO1300 | Inventory Account : ItemCode - A100 |  | Dr 0 Cr 15 | FC Dr 0 Cr 15 | chart -15")
                 << QStringLiteral("01HO5000 | Cost Of Goods Sales Account : Item Code - A100 |  | Dr 15 Cr 0 | FC Dr 15 "
                                   "Cr 0 | chart 15");
        EXPECT_EQ(shown(posted(ledger.recorder())), expected);

        const QList<RecordedCall> rows = receivable->actions(QStringLiteral("AR_Insert_Transaction"));
        ASSERT_EQ(rows.size(), c.receivables);
        if (c.receivables == 1) {
            EXPECT_EQ(handed(receivable->propertiesAt(rows[0]), "accountno DocumentNo CustomerCode ARLDebitAmount "
                                                                "ARLCreditAmount ARLDescription ARLComments"),
                      QStringLiteral("01HO1200|%1|01C004|175|0|Accounts Receivable : Customer Code - 01C004|Counter 2")
                          .arg(p->CashMemoNo()));
        }
        EXPECT_EQ(cheque->actions(QStringLiteral("Create_PDC")).size(), c.cheques);
    }
}

TEST_F(CashMemoProcess, SalesLinesCarryTheirRoundedDiscountsHalfToEven) {
    RecordingScope ledger(ids::kGeneralLedger);
    QStringList first = line(QStringLiteral("S100"), 2, 10);
    first[9] = QStringLiteral("1.255");  // foreign line discount
    first[12] = QStringLiteral("1.255"); // line discount
    first[10] = QStringLiteral("17.49");
    first[11] = QStringLiteral("17.49");
    QStringList second = line(QStringLiteral("S100"), 1, 10, 0.125);
    QStringList third = line(QStringLiteral("S100"), 1, 10, 0.135);
    fill({first, second, third}, 1);
    processed();
    const QList<Posted> lines = posted(ledger.recorder());
    ASSERT_GE(lines.size(), 4);
    // 17.49 + round(2 x 1.255 = 2.51) = 20; the chart takes the gross 2 x 10.
    EXPECT_EQ(lines[0].credit, 20);
    EXPECT_EQ(lines[0].fcCredit, 20);
    EXPECT_EQ(lines[0].chart, -20);
    EXPECT_DOUBLE_EQ(lines[1].credit, 9.875 + 0.12); // 0.125 rounds to the even 0.12
    EXPECT_DOUBLE_EQ(lines[2].credit, 9.865 + 0.14); // 0.135 rounds to 0.14
    EXPECT_EQ(lines[3].description, QStringLiteral("Discount Account"));
    EXPECT_EQ(lines[3].account, QStringLiteral("01HO4300"));
    EXPECT_DOUBLE_EQ(lines[3].debit, 2.51 + 0.12 + 0.14 + 1);
    EXPECT_DOUBLE_EQ(lines[3].fcDebit, 2.51 + 0.12 + 0.14 + 1);
    EXPECT_DOUBLE_EQ(lines[3].chart, 3.77);
}

TEST_F(CashMemoProcess, APointOfSaleReturnIsASalesDebitAndARefundOutOfTheCash) {
    RecordingScope ledger(ids::kGeneralLedger);
    memo->setReferencePrefix(QStringLiteral("POS"));
    fill({line(QStringLiteral("A100"), 2, 12.5), line(QStringLiteral("A200"), -1, 40)});
    processed();
    const QStringList expected{
        QStringLiteral("01HO4100 | Sales Account : ItemCode - A100 |  | Dr 0 Cr 25 | FC Dr 0 Cr 25 | chart -25"),
        QStringLiteral(
            "01HO4100 | Sales Account : ItemCode - A200 | POS Sales Return | Dr 40 Cr 0 | FC Dr 40 Cr 0 | chart 40"),
        // Widgets out at their cost, gadgets back in at theirs (60% of the price).
        QStringLiteral("01HO1300 | Inventory Account : ItemCode - A100 |  | Dr 0 Cr 15 | FC Dr 0 Cr 15 | chart -15"),
        QStringLiteral(
            "01HO5000 | Cost Of Goods Sales Account : Item Code - A100 |  | Dr 15 Cr 0 | FC Dr 15 Cr 0 | chart 15"),
        QStringLiteral(
            "01HO1300 | Inventory Account : ItemCode - A200 | POS Sales Return | Dr 24 Cr 0 | FC Dr 24 Cr 0 | chart 24"),
        QStringLiteral("01HO5000 | Cost Of Goods Sales Account : Item Code - A200 | POS Sales Return | Dr 0 Cr 24 | "
                       "FC Dr 0 Cr 24 | chart -24"),
        // The till takes in the widgets' 25 and pays the gadget's 40 back: it moves by the total, -15.
        QStringLiteral("01HO1000 | Cash Memo Account |  | Dr 25 Cr 0 | FC Dr 25 Cr 0 | chart 25"),
        QStringLiteral("01HO1000 | Cash Memo Account | POS Return | Dr 0 Cr 40 | FC Dr 0 Cr 40 | chart -40")};
    EXPECT_EQ(shown(posted(ledger.recorder())), expected);
}

// The refund alone, as a front end may call it on a processed memo.
TEST_F(CashMemoProcess, OnlyAPointOfSaleMemoPaidInCashRefundsItsReturnedLines) {
    struct Case {
        const char *name, *reference, *paymentType;
        double returned;
        QStringList refund;
    };
    const Case cases[] = {
        {"point of sale, cash", "pos", "cash", -1,
         {QStringLiteral("01HO1000 | Cash Memo Account | POS Return | Dr 0 Cr 40 | FC Dr 0 Cr 40 | chart -40")}},
        {"point of sale, cheque", "POS", "Cheque", -1, {}},
        {"nothing returned", "POS", "Cash", 1, {}},
        {"not a point of sale", "SOR", "Cash", -1, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingScope ledger(ids::kGeneralLedger);
        memo = newMemo();
        memo->setReferencePrefix(QString::fromLatin1(c.reference));
        memo->setPaymentType(QString::fromLatin1(c.paymentType));
        memo->setChequeNo(QStringLiteral("1"));
        memo->setChequeBank(QStringLiteral("HSBC"));
        fill({line(QStringLiteral("A100"), 2, 12.5), line(QStringLiteral("A200"), c.returned, 40)});
        created();
        EXPECT_TRUE(memo->POS_Return_Cash_Posting()) << memo->ErrDesc().toStdString();
        EXPECT_EQ(shown(posted(ledger.recorder())), c.refund);
    }
}

TEST_F(CashMemoProcess, EachLinesStockMovesOnceAndReturnedGoodsComeBack) {
    RecordingScope reduce(ids::kReduceStock);
    RecordingScope location(ids::kLocationStock);
    RecordingScope movement(ids::kStockMovement);
    reduce->script(QStringLiteral("ReduceStockInHand"), [](const RecordedCall &call) {
        const double quantity = call.arguments.value(0).toDouble();
        return Reply{true, QString(),
                     {{QStringLiteral("ItemType"), 0},
                      {QStringLiteral("TotalQty"), quantity * 10},
                      {QStringLiteral("SellingValue"), quantity * 7.5}}};
    });
    for (const bool pointOfSale : {false, true}) {
        SCOPED_TRACE(pointOfSale ? "point of sale" : "cash memo");
        memo = newMemo();
        memo->setReferencePrefix(pointOfSale ? QStringLiteral("POS") : QString());
        QStringList rental = line(QStringLiteral("A100"), 2, 125, 0, QStringLiteral("Ctn-Weekly"));
        fill({rental, line(QStringLiteral("A200"), -1, 40), line(QStringLiteral("S100"), 1, 150)});
        const int before = reduce->actions().size();
        const int movementsBefore = movement->actions().size();
        const int locationsBefore = location->actions().size();
        auto p = processed();
        const QList<RecordedCall> reductions = reduce->actions().mid(before);
        ASSERT_EQ(reductions.size(), 2); // the service moves no stock
        EXPECT_EQ(handed(reduce->propertiesAt(reductions[0]), "BranchPrefix ItemCode UnitName PeriodType"),
                  QStringLiteral("HO|01A100|Ctn|Weekly"));
        // A unit price goes with a point-of-sale line only.
        EXPECT_EQ(reduce->propertiesAt(reductions[0]).contains(QStringLiteral("UnitPrice")), pointOfSale);
        EXPECT_EQ(reductions[0].arguments.value(0).toDouble(), 2);
        EXPECT_EQ(reductions[1].arguments.value(0).toDouble(), -1);
        EXPECT_FALSE(reduce->propertiesAt(reductions[1]).contains(QStringLiteral("PeriodType")));

        const QList<RecordedCall> moves = movement->actions().mid(movementsBefore);
        ASSERT_EQ(moves.size(), 2);
        EXPECT_EQ(handed(movement->propertiesAt(moves[0]), "DocumentType OutQty OutAmount DocumentPrefix DocumentNo"),
                  QStringLiteral("OUT|20|15|SMV|%1").arg(p->CashMemoNo()));
        EXPECT_EQ(moves[0].arguments.value(0).toDouble(), 20);
        EXPECT_EQ(handed(movement->propertiesAt(moves[1]), "DocumentType InQty InAmount"), QStringLiteral("IN|10|7.5"));

        const QList<RecordedCall> places = location->actions().mid(locationsBefore);
        ASSERT_EQ(places.size(), 2);
        EXPECT_EQ(location->propertiesAt(places[1]).value(QStringLiteral("LocationQty")).toDouble(),
                  pointOfSale ? 1 : -1);
        EXPECT_EQ(places[1].arguments.value(0).toInt(), pointOfSale ? 0 : 1);
        EXPECT_EQ(lineValue(QStringLiteral("Inventory_Value"), p->CashMemoNo()).toDouble(), 15);
    }
}

TEST_F(CashMemoProcess, NumberSourceAndPostingsFollowTheMode) {
    struct Case {
        const char *name;
        bool online, sync, manual;
        double typed;
        const char *finalNo;
        int counterAfter;
        bool posted, sourcePaid;
    } const cases[] = {
        {"online", true, false, false, 0, "01HOCHM2", 3, true, true},
        {"online whatever the sync flag", true, true, false, 0, "01HOCHM2", 3, true, true},
        {"offline numbers without posting", false, false, false, 0, "01HOCHM2", 3, false, true},
        {"synchronised copy keeps its number", false, true, false, 0, "01HOCHMTMP1", 2, true, false},
        {"manual raises the counter", true, false, true, 40, "01HOCHM40", 41, true, true},
        {"manual half to even", false, false, true, 12.5, "01HOCHM12", 13, false, true},
        {"manual below the counter", true, false, true, 1, "01HOCHM1", 2, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        database().execute(QStringLiteral("Insert into Sales_Order_Master (Sales_Ord_No, Paid_Flag) values ('01HOSOR5',0)"));
        memo->setReferenceNo(QStringLiteral("01HOSOR5"));
        memo->setReferenceDocumentName(QStringLiteral("Sales Order"));
        fill({line(QStringLiteral("A100"), 2, 12.5)});
        auto p = processor(created());
        p->setOnlineFlag(c.online);
        p->setSyncFlag(c.sync);
        p->setDocFlag(c.manual);
        p->setmanualDocIdentity(c.typed);
        ASSERT_TRUE(p->Process_CashMemo()) << p->ErrDesc().toStdString();
        const QString finalNo = QString::fromLatin1(c.finalNo);
        EXPECT_EQ(p->CashMemoNo(), finalNo);
        EXPECT_EQ(counter(), c.counterAfter);
        EXPECT_EQ(lineCount(finalNo), 1);
        EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), finalNo).toInt(), 1);
        EXPECT_EQ(database().count(QStringLiteral("General_Ledger"), QStringLiteral("Document_No=?"), {finalNo}) > 0,
                  c.posted);
        EXPECT_EQ(stockInHand(QStringLiteral("01A100")), c.posted ? 98 : 100);
        EXPECT_EQ(number(QStringLiteral("Select Paid_Flag from Sales_Order_Master")), c.sourcePaid ? 1 : 0);
        if (!c.sync) {
            EXPECT_EQ(masterValue(QStringLiteral("Delivered_Flag"), finalNo).toInt(), 1);
            EXPECT_EQ(masterValue(QStringLiteral("Adjusted_Amount"), finalNo).toDouble(), 25);
        }
    }
}

TEST_F(CashMemoProcess, AFailureHalfWayLeavesTheStepsBeforeIt) {
    database().execute(QStringLiteral("Update Default_Account_Preferences Set Cash_Memo_Account_No = '  ' Where "
                                      "Branch_Prefix = 'HO'"));
    fill({line(QStringLiteral("A100"), 2, 12.5)});
    auto p = processed(false);
    EXPECT_EQ(p->ErrDesc(), QStringLiteral("Invalid Default Cash Memo Account"));
    // Renumbered and processed, the sale posted, but no cash line and no stock moved.
    EXPECT_EQ(p->CashMemoNo(), QStringLiteral("01HOCHM2"));
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), p->CashMemoNo()).toInt(), 1);
    EXPECT_EQ(number(QStringLiteral("Select count(*) from General_Ledger Where Document_No=?"), {p->CashMemoNo()}), 1);
    EXPECT_EQ(stockInHand(QStringLiteral("01A100")), 100);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Log")), 1);

    // A memo whose lines are gone stops after renumbering its master.
    MemoryGrid noLines(2, 21);
    auto empty = newMemo();
    empty->setCMGridName(&noLines);
    ASSERT_TRUE(empty->Create_CashMemo());
    auto q = processor(empty->CashMemoNo());
    EXPECT_FALSE(q->Process_CashMemo());
    EXPECT_EQ(q->ErrDesc(), QStringLiteral("Error while Processing, Invalid Temporary Cash Memo No."));
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), QStringLiteral("01HOCHM4")).toInt(), 1);
}

TEST_F(CashMemoProcess, AccountsMissingFromThePreferencesAreReportedInTheMemosWords) {
    struct Case {
        const char *name;
        const char *change;
        bool withoutItem;
        const char *message;
    };
    const Case cases[] = {
        {"cash sales account",
         "Update Item_Master_Detail Set Cash_Sales_Account_No = null; Update Default_Sales_Preferences Set "
         "Cash_Sales_Account_No = ''",
         false, "Invalid Cash Sales Account, Set this account in the Sales Preferences"},
        {"default sales account", "Update Default_Sales_Preferences Set Cash_Sales_Account_No = ' '", true,
         "Invalid Default Sales Account"},
        {"no sales preferences", "Delete from Default_Sales_Preferences Where Branch_Prefix = 'HO'", true,
         "Set the Sales default settings in the Sales Preferences"},
        {"cost preferences", "Delete from Default_Sales_Preferences Where Branch_Prefix = 'HO'", false,
         "Set the Sales default settings in the Sales Preferences"},
        {"discount account", "Update Default_Sales_Preferences Set Sales_Disc_Account_No = null", false,
         "Invalid Default Discount Account"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &statement : QString::fromLatin1(c.change).split(QLatin1Char(';')))
            database().execute(statement);
        memo = newMemo();
        const bool discounted = QString::fromLatin1(c.name) == QStringLiteral("discount account");
        QStringList row = line(c.withoutItem ? QString() : QStringLiteral("A100"), 1, 12.5, discounted ? 0.5 : 0);
        if (c.withoutItem)
            row[2] = QStringLiteral("Gift wrapping");
        fill({row});
        auto p = processed(false);
        EXPECT_EQ(p->ErrDesc(), QString::fromLatin1(c.message));
        TearDown();
        SetUp();
    }
}

TEST_F(CashMemoProcess, ChequesAndCardsAreRegisteredToAwaitClearance) {
    RecordingScope cheque(ids::kPDC);
    const QDateTime due(QDate(2027, 1, 15), QTime(0, 0));
    for (const char *type : {"Cheque", "Credit Card"}) {
        SCOPED_TRACE(type);
        memo = newMemo();
        memo->setPaymentType(QString::fromLatin1(type));
        memo->setChequeNo(QStringLiteral("000123"));
        memo->setChequeBank(kHostile);
        memo->setChequeDate(due);
        memo->setCreditCardCode(QStringLiteral("VISA"));
        memo->setCreditCardName(QStringLiteral("J Smith"));
        memo->setCreditCardNo(QStringLiteral("4111"));
        memo->setCashMemoComments(QStringLiteral("Paid at the counter"));
        fill({line(QStringLiteral("S100"), 1, 150)});
        auto p = processed();
        ASSERT_FALSE(cheque->actions(QStringLiteral("Create_PDC")).isEmpty());
        const QVariantMap r = cheque->propertiesAt(cheque->actions(QStringLiteral("Create_PDC")).last());
        // A memo keeps the cheque details of a cheque and the card details of a card only.
        const bool card = QString::fromLatin1(type) != QStringLiteral("Cheque");
        EXPECT_EQ(handed(r, "DocumentPrefix TransactionType BankName ChequeNo CreditCardNo CreditCardCode ChequeAmount "
                            "ChequeFCAmount Cleared Status CustomerID SourceNo SourcePrefix PDCComments"),
                  (card ? QStringLiteral("PDC|Cash Memo|||4111|VISA|150|150|No|Outstanding|01C004|%1|CHM|Paid at the counter")
                        : QStringLiteral("PDC|Cash Memo|O'Brien; DROP TABLE Cash_Memo_Master;--|000123|||150|150|No|"
                                         "Outstanding|01C004|%1|CHM|Paid at the counter"))
                      .arg(p->CashMemoNo()));
        EXPECT_EQ(r.value(QStringLiteral("PDCDate")).toDateTime().date(), QDate(2026, 12, 5));
        EXPECT_EQ(r.value(QStringLiteral("PDCDueDate")).toDateTime().date(), card ? QDate(2026, 12, 5) : due.date());
    }
    // Offline the cheque waits for the copy to be synchronised; a failing bank stops the call.
    memo = newMemo();
    memo->setPaymentType(QStringLiteral("Cheque"));
    memo->setChequeNo(QStringLiteral("9"));
    memo->setChequeBank(QStringLiteral("HSBC"));
    memo->setOnlineFlag(false);
    fill({line(QStringLiteral("S100"), 1, 150)});
    processed();
    EXPECT_EQ(cheque->actions(QStringLiteral("Create_PDC")).size(), 2);
    cheque->fail(QStringLiteral("Create_PDC"), QStringLiteral("Cheque book closed"));
    auto again = processor(memo->CashMemoNo());
    again->setCashMemoNo(QStringLiteral("01HOCHM6"));
    EXPECT_FALSE(again->Cheque_Process());
    EXPECT_EQ(again->ErrDesc(), QStringLiteral("Cheque book closed"));
}

TEST_F(CashMemoProcess, SalesLogAndProjectsTakeEachLine) {
    RecordingScope log(ids::kSalesLog);
    RecordingScope project(ids::kProjectTransaction);
    memo->setReferencePrefix(QStringLiteral("POS"));
    QStringList sold = line(QStringLiteral("A100"), 2, 12.5, 0, QStringLiteral("Nos-Monthly"));
    sold[17] = QStringLiteral("01HOPRJ0042");
    QStringList returned = line(QStringLiteral("A200"), -1, 40);
    returned[17] = QStringLiteral("01HOPRJ0042");
    fill({sold, returned, line(QStringLiteral("S100"), 1, 150)});
    auto p = processed();
    const QList<RecordedCall> logs = log->actions(QStringLiteral("Create_SalesLog"));
    ASSERT_EQ(logs.size(), 3);
    EXPECT_EQ(handed(log->propertiesAt(logs[0]), "SalesDocumentNo DocumentPrefix SalesDocumentPrefix RefDocumentPrefix "
                                                 "PeriodType SalesQty SalesItemAmount SalesUnitPrice ProjNo"),
              QStringLiteral("%1|SLG|CHM|POS|Monthly|2|25|12.5|01HOPRJ0042").arg(p->CashMemoNo()));
    EXPECT_FALSE(log->propertiesAt(logs[2]).contains(QStringLiteral("ProjNo")));

    const QList<RecordedCall> projects = project->actions(QStringLiteral("Save_Project_Transaction"));
    ASSERT_EQ(projects.size(), 2);
    const char *projectFields = "ProjdCreditAmount ProjdDebitAmount ProjdDescription";
    EXPECT_EQ(handed(project->propertiesAt(projects[0]), projectFields),
              QStringLiteral("25|0|Cash Sales : ItemCode - A100"));
    EXPECT_EQ(handed(project->propertiesAt(projects[1]), projectFields).section(QLatin1Char('|'), 1),
              QStringLiteral("40|POS Sales Return : ItemCode - A200"));
}

TEST_F(CashMemoProcess, AForeignMemosCostIsConvertedAtItsRate) {
    RecordingScope ledger(ids::kGeneralLedger);
    memo->setCurrencyCode(QStringLiteral("USD"));
    memo->setForeignCurrencyFlag(true);
    memo->setExchangeRate(4);
    QStringList row = line(QStringLiteral("A100"), 2, 12.5);
    row[7] = QStringLiteral("3.125");
    row[10] = QStringLiteral("6.25");
    fill({row});
    memo->setCashMemoFCSubTotal(6.25);
    memo->setCashMemoFCTotalAmount(6.25);
    processed();
    const QList<Posted> lines = posted(ledger.recorder());
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].fcCredit, 6.25);
    EXPECT_EQ(lines[1].fcDebit, 6.25); // the cash
    EXPECT_EQ(lines[2].credit, 15);
    EXPECT_EQ(lines[2].fcCredit, 3.75); // 15 at 4 to the dollar
    EXPECT_EQ(lines[3].fcDebit, 3.75);
}

} // namespace
} // namespace orbsales::testing
