#include "cashmemos/cashmemo_fixture.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

namespace orbsales::testing {
namespace {

using CashMemoLoad = CashMemoTest;

TEST_F(CashMemoLoad, ReloadsHeaderAndLinesIntoTheGrid) {
    QStringList rental = line(QStringLiteral("A100"), 2, 12.5, 0, QStringLiteral("Nos-Monthly"));
    rental[14] = QStringLiteral("1");
    rental[15] = QStringLiteral("7");
    rental[17] = QStringLiteral("01HOPRJ0042");
    rental[18] = QStringLiteral("1");
    fill({rental, line(QStringLiteral("S100"), 1, 150)});
    memo->setPaymentType(QStringLiteral("Cheque"));
    memo->setChequeNo(QStringLiteral("000123"));
    memo->setChequeBank(kHostile);
    memo->setChequeDate(QDateTime(QDate(2026, 12, 20), QTime(0, 0)));
    memo->setEmployeeID(QStringLiteral("E7"));
    memo->setEmployeeName(QStringLiteral("Rita"));
    memo->setReferenceNo(QStringLiteral("01HOSOR4"));
    memo->setReferencePrefix(QStringLiteral("SOR"));
    memo->setReferenceDocumentName(QStringLiteral("Sales Order"));
    memo->setLocationCode(3);
    memo->setLocationName(QStringLiteral("Yard"));
    const QString number = created();

    MemoryGrid shown(3, 21);
    auto loaded = newMemo();
    loaded->setAdoDBConnectionObject(nullptr); // read through the connection string
    loaded->setCashMemoNo(number);
    loaded->setCMGridName(&shown);
    ASSERT_TRUE(loaded->Get_CashMemo()) << loaded->ErrDesc().toStdString();
    EXPECT_EQ(handed(*loaded, "ChequeBank PaymentType CashMemoTotalAmount CashMemoIdentity EmployeeName ReferenceNo "
                              "ReferenceDocumentName LocationCode CurrencySymbol"),
              QStringLiteral("O'Brien; DROP TABLE Cash_Memo_Master;--|Cheque|175|1|Rita|01HOSOR4|Sales Order|3|Dhs"));
    EXPECT_EQ(loaded->ChequeDate().date(), QDate(2026, 12, 20));
    EXPECT_FALSE(loaded->ProcessFlag());
    EXPECT_TRUE(loaded->AllowCancelFlag());

    // Two lines in a grid of 3 rows: the grid grows to the lines and the header, no spare row.
    EXPECT_EQ(shown.rowCount(), 3);
    const QStringList expected =
        QStringLiteral("|A100|Item A100|1|Nos-Monthly|1|2|12.5|0|0|25|25|0|12.5|1|7|0042|01HOPRJ0042|1|Main Store|1")
            .split(QLatin1Char('|'));
    for (int col = 1; col <= 20; ++col)
        EXPECT_EQ(shown.cellText(1, col), expected[col]) << "column " << col;
    // The location is shown grey for an item without stock of its own.
    EXPECT_EQ(shown.cellProperty(7, 1, 19).toLongLong(), 0);
    EXPECT_EQ(shown.cellProperty(7, 2, 19).toLongLong(), 0x80000011LL);
}

TEST_F(CashMemoLoad, TheGridGrowsOnlyWhenTooSmall) {
    fill({line(QStringLiteral("A100"), 1, 1), line(QStringLiteral("A200"), 1, 1), line(QStringLiteral("B100"), 1, 1),
          line(QStringLiteral("C300"), 1, 1), line(QStringLiteral("S100"), 1, 1)});
    const QString number = created();
    for (const auto &[rows, after] : {std::pair{3, 6}, std::pair{6, 6}, std::pair{10, 10}}) {
        SCOPED_TRACE(rows);
        MemoryGrid shown(rows, 21);
        shown.setCellText(rows - 1, 1, QStringLiteral("kept"));
        auto loaded = newMemo();
        loaded->setCashMemoNo(number);
        loaded->setCMGridName(&shown);
        ASSERT_TRUE(loaded->Get_CashMemo()) << loaded->ErrDesc().toStdString();
        EXPECT_EQ(shown.rowCount(), after);
        if (rows == 10) {
            EXPECT_EQ(shown.cellText(9, 1), QStringLiteral("kept"));
        }
    }
}

// ---- Source documents ----------------------------------------------------------------------

struct SourceCase {
    const char *name;
    const char *operation;
    const char *referenceName;
    const char *message;
    bool percent; // the source carries a discount percent
};
void PrintTo(const SourceCase &c, std::ostream *os) { *os << c.name; }

class CashMemoSource : public CashMemoTest, public ::testing::WithParamInterface<SourceCase> {
protected:
    // One source document of the kind with two lines, written as its own subsystem would. Orders
    // and direct deliveries carry payment terms, discount percents and an employee; deliveries not.
    void addSource(const QString &kind) {
        const bool order = kind == QStringLiteral("Sales Order"), delivery = kind == QStringLiteral("Delivery");
        const QString head = order ? QStringLiteral("Sales_Ord") : delivery ? QStringLiteral("Delivery")
                                                                              : QStringLiteral("Direct_Delivery");
        const QString table = order ? QStringLiteral("Sales_Order") : head;
        const QString price = order ? head : head + QStringLiteral("_Dtl");
        const QString qty = order ? QStringLiteral("Sales_Ord_Ordered_Qty") : head + QStringLiteral("_Qty");
        const bool full = !delivery;
        auto when = [full](const QString &text) { return full ? text : QString(); };
        const QString master = QStringLiteral(
            "Insert into %1_Master (%2_No, Document_Prefix, Customer_Code, customer_name, %3Payment_Type, "
            "Foreign_Currency_Flag, Currency_Code, Currency_Symbol, %2_SubTotal, %2_FC_SubTotal, %4%2_Disc_Amount, "
            "%2_FC_Disc_Amount, %2_Total_Amount, %2_FC_Total_Amount, Exchange_Rate%5) values ");
        database().execute(master.arg(table, head, when(QStringLiteral("Payment_Terms, ")),
                                      when(head + QStringLiteral("_Disc_Percent, ")), when(QStringLiteral(", Employee_ID"))) +
                               QStringLiteral("('%1','%2','01C002',?,%3'Cash',1,' USD ',' $ ',100,27.23,%4 "
                                              "10,2.72,90,24.51,3.6725%5)")
                                   .arg(numberOf(kind), numberOf(kind).mid(4, 3), when(QStringLiteral("'60 Days',")),
                                        when(QStringLiteral("10,")), when(QStringLiteral(",'E1'"))),
                           {kHostile});
        const QString detail = QStringLiteral(
            "Insert into %1_Detail (%2_No, SL_No, Item_Code, Item_Name, Unit_Code, Unit_Name, Period_Type, FOC_Flag, "
            "Unit_Qty, %3, %4_Unit_Price, %4_FC_Unit_Price, %5%2_Disc_Amount, %2_FC_Disc_Amount, %2_Item_Amount, "
            "%2_FC_Item_Amount, Proj_No) values ");
        database().execute(
            detail.arg(table, head, qty, price, when(head + QStringLiteral("_Dtl_Disc_Percent, "))) +
            QStringLiteral("('%1',41,'01A100','Widget',1,'Nos','Monthly',0,1,4,12.5,3.4,%2 0.5,0.14,48,13.04,"
                           "'01HOPRJ0042'), ('%1',42,'01B100','Steel Bracket',1,'Box',null,1,1,1,52,14.16,%3 0,0,52,"
                           "14.16,null)")
                .arg(numberOf(kind), when(QStringLiteral("5,")), when(QStringLiteral("0,"))));
    }
    bool call(CashMemo &m, const char *operation) {
        bool result = false;
        QMetaObject::invokeMethod(&m, operation, Q_RETURN_ARG(bool, result));
        return result;
    }
    static QString numberOf(const QString &kind) {
        return kind == QStringLiteral("Sales Order") ? QStringLiteral("01HOSOR5")
               : kind == QStringLiteral("Delivery")  ? QStringLiteral("01HODEL5")
                                                     : QStringLiteral("01HODDL5");
    }
};

TEST_P(CashMemoSource, FillsHeaderAndGridFromTheSource) {
    const SourceCase &c = GetParam();
    const QString kind = QString::fromLatin1(c.referenceName);
    addSource(kind);
    memo->setReferenceNo(numberOf(kind));
    memo->setCashMemoDiscPercent(-1);
    memo->setPaymentTerms(QStringLiteral("as before"));
    ASSERT_TRUE(call(*memo, c.operation)) << memo->ErrDesc().toStdString();
    EXPECT_EQ(handed(*memo, "CustomerName ReferencePrefix CurrencyCode CurrencySymbol ForeignCurrencyFlag ExchangeRate "
                            "CashMemoTotalAmount CashMemoFCTotalAmount CashMemoFcDiscAmount"),
              QStringLiteral("O'Brien; DROP TABLE Cash_Memo_Master;--|%1|USD|$|True|3.6725|90|24.51|2.72")
                  .arg(numberOf(kind).mid(4, 3)));
    EXPECT_EQ(memo->CashMemoDiscPercent(), c.percent ? 10 : -1);
    EXPECT_EQ(memo->PaymentTerms(), c.percent ? QStringLiteral("60 Days") : QStringLiteral("as before"));
    const QStringList first = QStringLiteral("|A100|Widget|1|Nos-Monthly|1|4|3.4|%1|0.14|13.04|48|0.5|12.5|4|41|0042|"
                                             "01HOPRJ0042|0||")
                                  .arg(c.percent ? QStringLiteral("5") : QString())
                                  .split(QLatin1Char('|'));
    for (int col = 1; col <= 20; ++col)
        EXPECT_EQ(grid->cellText(1, col), first[col]) << "column " << col;
    EXPECT_EQ(grid->cellText(2, 4), QStringLiteral("Box"));
    EXPECT_EQ(grid->cellText(2, 18), QStringLiteral("1"));
    EXPECT_EQ(grid->cellText(2, 17), QString());
    EXPECT_EQ(grid->rowCount(), 10);

    // The memo made from it marks the source paid.
    memo->setReferenceDocumentName(kind);
    memo->setReferenceNo(numberOf(kind) + QStringLiteral("  "));
    ASSERT_TRUE(memo->Update_Source_Document()) << memo->ErrDesc().toStdString();
    const QString table = kind == QStringLiteral("Sales Order") ? QStringLiteral("Sales_Order_Master")
                          : kind == QStringLiteral("Delivery")  ? QStringLiteral("Delivery_Master")
                                                                : QStringLiteral("Direct_Delivery_Master");
    EXPECT_EQ(number(QStringLiteral("Select Paid_Flag from %1").arg(table)), 1);
}

TEST_P(CashMemoSource, RefusesAMissingSourceOrOneWithoutLines) {
    const SourceCase &c = GetParam();
    const QString kind = QString::fromLatin1(c.referenceName);
    for (const QString &reference : {QStringLiteral("  "), numberOf(kind)}) {
        memo->setReferenceNo(reference);
        EXPECT_FALSE(call(*memo, c.operation));
        EXPECT_EQ(memo->ErrDesc(), QString::fromLatin1(c.message));
    }
    addSource(kind);
    for (const char *table : {"Sales_Order_Detail", "Delivery_Detail", "Direct_Delivery_Detail"})
        database().execute(QStringLiteral("Delete from ") + QString::fromLatin1(table));
    EXPECT_FALSE(call(*memo, c.operation));
    EXPECT_EQ(memo->ErrDesc(), QStringLiteral("Invalid Item Details"));
    // The grid is the caller's to size: a source line beyond it is reported, not dropped.
    addSource(kind);
    grid->setRowCount(2);
    EXPECT_FALSE(call(*memo, c.operation));
    EXPECT_FALSE(memo->ErrDesc().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CashMemoSource,
    ::testing::Values(SourceCase{"Order", "Get_Order_Details", "Sales Order", "Invalid Sales Order No", true},
                      SourceCase{"Delivery", "Get_Delivery_Details", "Delivery", "Invalid Delivery No", false},
                      SourceCase{"DirectDelivery", "Get_Direct_Delivery_Details", "Direct Delivery",
                                 "Invalid Delivery No", true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CashMemoLoad, AnUnknownSourceKindOrNumberIsLeftAlone) {
    database().execute(QStringLiteral("Insert into Sales_Order_Master (Sales_Ord_No, Paid_Flag) values ('01HOSOR5',0)"));
    for (const auto &[name, number] : {std::pair{"Sales order", "01HOSOR5"}, std::pair{"Sales Order", "01HOSOR6"}}) {
        memo->setReferenceDocumentName(QString::fromLatin1(name));
        memo->setReferenceNo(QString::fromLatin1(number));
        EXPECT_TRUE(memo->Update_Source_Document()) << memo->ErrDesc().toStdString();
    }
    EXPECT_EQ(number(QStringLiteral("Select Paid_Flag from Sales_Order_Master")), 0);
}

// ---- Cancelling -----------------------------------------------------------------------------

TEST_F(CashMemoLoad, LoadingAndCancellingNeedAnOpenConnectionAndAKnownMemo) {
    memo->setCashMemoNo(QString());
    EXPECT_FALSE(memo->Get_CashMemo());
    EXPECT_EQ(memo->ErrDesc(), QStringLiteral("Invalid Cash Memo No."));
    memo->setCashMemoNo(QStringLiteral("01HOCHMTMP9"));
    EXPECT_FALSE(memo->Get_CashMemo());
    EXPECT_EQ(memo->ErrDesc(), QStringLiteral("Invlaid Cash Memo No"));
    auto own = newMemo();
    own->setAdoDBConnectionObject(nullptr);
    own->setCashMemoNo(QStringLiteral("01HOCHM1"));
    EXPECT_FALSE(own->Cancel_CashMemo());
    EXPECT_EQ(own->ErrDesc(), QStringLiteral("Invalid Connection Object"));
    // The object's own connection, never opened, is not usable either.
    auto fresh = std::make_unique<CashMemo>();
    fresh->setCashMemoNo(QStringLiteral("01HOCHM1"));
    EXPECT_FALSE(fresh->Cancel_CashMemo());
    EXPECT_EQ(fresh->ErrDesc(), QStringLiteral("Invalid Connection Object"));
    for (const QString &number : {QStringLiteral(" "), QStringLiteral("01HOCHM99")}) {
        memo->setCashMemoNo(number);
        EXPECT_FALSE(memo->Cancel_CashMemo());
        EXPECT_EQ(memo->ErrDesc(), QStringLiteral("Invalid Cash Memo No"));
    }
}

TEST_F(CashMemoLoad, CancellingAProcessedMemoTakesItsLedgerLinesBack) {
    fill({line(QStringLiteral("A100"), 1, 12.5)});
    const QString unprocessed = created();
    RecordingScope ledger(service_ids::kGeneralLedger);
    memo->setCashMemoNo(unprocessed);
    ASSERT_TRUE(memo->Cancel_CashMemo()) << memo->ErrDesc().toStdString();
    EXPECT_EQ(masterValue(QStringLiteral("Cancel_Flag"), unprocessed).toInt(), 1);
    EXPECT_TRUE(ledger->actions().isEmpty());

    database().execute(QStringLiteral("Update Cash_Memo_Master Set process_Flag = 1, Cancel_Flag = 0"));
    ledger->fail(QStringLiteral("GLDelete"), QStringLiteral("The period is closed"));
    EXPECT_FALSE(memo->Cancel_CashMemo());
    EXPECT_EQ(memo->ErrDesc(), QStringLiteral("The period is closed"));
    EXPECT_EQ(masterValue(QStringLiteral("Cancel_Flag"), unprocessed).toInt(), 1);
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), unprocessed).toInt(), 0);
    const QList<RecordedCall> deletes = ledger->actions(QStringLiteral("GLDelete"));
    ASSERT_EQ(deletes.size(), 1);
    EXPECT_EQ(ledger->propertiesAt(deletes[0]).value(QStringLiteral("DocumentNo")).toString(), unprocessed);
    EXPECT_EQ(ledger->propertiesAt(deletes[0]).value(QStringLiteral("AdoConnectionObject")).value<Connection *>(),
              caller.get());
}

} // namespace
} // namespace orbsales::testing
