#include "orbsales/frame/registry.h"
#include "orbsales/services/package/package_counter.h"
#include "orders/quotation_fixture.h"

#include <functional>

namespace orbsales::testing {
namespace {

using QuotationCreate = QuotationTest;

TEST_F(QuotationCreate, NumbersFromTheCounterAndSavesMasterAndLines) {
    grid.setRow(1, line("A100"));
    grid.setRow(2, line("B200", "3"));
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(quotation->SalesQuotNo(), "01HOSQT1");
    EXPECT_EQ(quotation->SalesQuotIdentity(), 1);
    EXPECT_EQ(master("Sales_Quot_No, Sales_Quot_Identity, Currency_Symbol, Exchange_Rate"),
              (QList<QStringList>{{"01HOSQT1", "1", "Dhs", "1"}}));
    EXPECT_EQ(lines("Sales_Quot_No, SL_No, Item_Code, Sales_Quot_Qty"),
              (QList<QStringList>{{"01HOSQT1", "1", "01A100", "2"}, {"01HOSQT1", "2", "01B200", "3"}}));
    EXPECT_EQ(counter(), "2");
    // The next creation takes the next number; the line serials go on.
    ASSERT_TRUE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->SalesQuotNo(), "01HOSQT2");
    EXPECT_EQ(lines("SL_No").mid(2), (QList<QStringList>{{"3"}, {"4"}}));
}

// Line reading: the first row with both code and name empty ends the list; numbers by the
// leading-number rule, the free-of-charge flag by the cell's number.
TEST_F(QuotationCreate, ReadsLinesUpToTheFirstBlankRow) {
    grid.setRow(1, line(" A100 ", "3 boxes"));
    QStringList nameOnly = line(QString());
    nameOnly[2] = "Service charge";
    nameOnly[14] = "1";
    grid.setRow(2, nameOnly);
    grid.setRow(3, line("C300", "abc"));
    grid.setRow(5, line("E500"));
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(lines("Item_Code, Sales_Quot_Qty, FOC_Flag"),
              (QList<QStringList>{{"01A100", "3", "0"}, {"01", "2", "1"}, {"01C300", "0", "0"}}));
    EXPECT_EQ(lines("Item_Name").value(1), QStringList{"Service charge"});
}

// A typed number is used as it is (rounded half to even) and raises the counter past it, never
// lowers it; without a counter row none is created. Under a number already stored the quotation
// is rewritten, its lines replaced.
TEST_F(QuotationCreate, UsesATypedNumberAndRaisesTheCounterPastIt) {
    const struct {
        double typed;
        int counterBefore;
        const char *number, *counterAfter;
    } cases[] = {{40, 35, "01HOSQT40", "41"},  {40, 50, "01HOSQT40", "50"},  {40, 40, "01HOSQT40", "41"},
                 {12.5, 1, "01HOSQT12", "13"}, {13.5, 1, "01HOSQT14", "15"}, {7, 0, "01HOSQT7", ""}};
    grid.setRow(1, line("A100"));
    assign(*quotation, "DocFlag", true);
    int saves = 0;
    for (const auto &c : cases) {
        quotation->setCustomerName(QString::number(++saves));
        if (c.counterBefore)
            database().execute("Update Document_Prefix Set Document_Next_No=?", {c.counterBefore});
        else
            database().execute("Delete from Document_Prefix");
        quotation->setmanualDocIdentity(c.typed);
        ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
        EXPECT_EQ(quotation->SalesQuotNo(), c.number);
        EXPECT_EQ(counter(), c.counterAfter) << c.typed;
    }
    EXPECT_EQ(
        master("Sales_Quot_No, customer_name, Sales_Quot_Identity"),
        (QList<QStringList>{
            {"01HOSQT12", "4", "12"}, {"01HOSQT14", "5", "14"}, {"01HOSQT40", "3", "40"}, {"01HOSQT7", "6", "7"}}));
    EXPECT_EQ(lines("Sales_Quot_No").size(), 4);
}

// Validation: checks run in a fixed order, the first failure wins and nothing is written.
TEST_F(QuotationCreate, RejectsWithTheFirstFailingCheckInOrder) {
    const struct {
        std::function<void(SalesQuotation &, MemoryGrid &)> spoil;
        const char *message;
    } cases[] = {
        {[](SalesQuotation &q, MemoryGrid &) { assign(q, "CompanyPrefix", "", "BranchPrefix", ""); },
         "Invalid Comapny Prefix"},
        {[](SalesQuotation &q, MemoryGrid &) { assign(q, "BranchPrefix", "", "DocumentPrefix", ""); },
         "Invalid Branch Prefix"},
        {[](SalesQuotation &q, MemoryGrid &) { q.setDocumentPrefix(QString()); }, "Invalid Document Prefix"},
        {[](SalesQuotation &q, MemoryGrid &) { assign(q, "SalesQuotSubTotal", 0, "SalesQuotAmount", 0); },
         "Invalid Sub Total"},
        {[](SalesQuotation &q, MemoryGrid &) { q.setSalesQuotAmount(0); }, "Invalid Quotation Amount"},
        {[](SalesQuotation &q, MemoryGrid &) { assign(q, "ForeignCurrencyFlag", true, "SalesQuotFCAmount", 0); },
         "Invalid Foreign Currency Sub Total"},
        {[](SalesQuotation &q, MemoryGrid &) { assign(q, "ForeignCurrencyFlag", true, "SalesQuotFCSubTotal", 50); },
         "Invalid Foreign Currency Amount"},
        {[](SalesQuotation &q, MemoryGrid &g) {
             q.setCurrencyCode(QString());
             g.setRow(1, {});
         },
         "Invalid Currency Code"},
        {[](SalesQuotation &, MemoryGrid &g) {
             g.setRow(1, {});
             g.setRow(2, QuotationTest::line("B200"));
         },
         "Invalid Quotation Item details."},
        {[](SalesQuotation &, MemoryGrid &g) { g.setRowCount(1); }, "Invalid Quotation Item details."},
    };
    for (const auto &c : cases) {
        MemoryGrid lines(10, 15);
        lines.setRow(1, line("A100"));
        auto q = newQuotation(lines);
        c.spoil(*q, lines);
        EXPECT_FALSE(q->Create_Quotation());
        EXPECT_EQ(q->ErrDesc(), c.message);
        EXPECT_FALSE(q->Update_Quotation());
        EXPECT_EQ(q->ErrDesc(), c.message);
    }
    EXPECT_EQ(database().count("Sales_Quotation_Master"), 0);
    EXPECT_EQ(counter(), "1");
}

// A counter that cannot confirm the number it gave.
class RefusingCounter : public package::PackageCounter {
public:
    bool Increase_Counter() override { return false; }
    QString ErrDesc() const override { return QStringLiteral("Counter is busy"); }
};

// Saving is one transaction: whatever fails after the number was taken takes the master, the
// lines and the counter back, and the next call opens the connection again and succeeds.
TEST_F(QuotationCreate, AFailureAfterTheNumberRollsEverythingBack) {
    grid.setRow(1, line("A100"));
    {
        Registry::Override counter("OrbSystem.CounterTransaction",
                                   [] { return std::unique_ptr<QObject>(new RefusingCounter); });
        EXPECT_FALSE(quotation->Create_Quotation());
        EXPECT_EQ(quotation->ErrDesc(), "Counter is busy");
    }
    // A grid too narrow for the layout fails on the line after the master was written.
    MemoryGrid narrow(5, 10);
    narrow.setRow(1, line("A100").mid(0, 10));
    quotation->setQuotationGrid(&narrow);
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_TRUE(quotation->ErrDesc().startsWith("Subscript out of range")) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(database().count("Sales_Quotation_Master") + database().count("Sales_Quotation_Detail"), 0);
    EXPECT_EQ(counter(), "1");
    quotation->setQuotationGrid(&grid);
    EXPECT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    // A missing counter row fails with the counter's message.
    database().execute("Delete from Document_Prefix");
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), "Document prefix SQT is not set up for company 01, branch HO");
    EXPECT_EQ(database().count("Sales_Quotation_Master"), 1);
}

TEST_F(QuotationCreate, AnUnreachableDatabaseOrNoGridIsReportedAndASuccessLaterKeepsTheText) {
    grid.setRow(1, line("A100"));
    quotation->setADOConnectionString("postgresql://nobody@127.0.0.1:1/none");
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_FALSE(quotation->ErrDesc().isEmpty());
    quotation->setADOConnectionString(connectionString());
    quotation->setQuotationGrid(nullptr);
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), "Object variable or With block variable not set");
    quotation->setQuotationGrid(&grid);
    EXPECT_TRUE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), "Object variable or With block variable not set");
}

class QuotationReload : public QuotationTest {
protected:
    // Saves the quotation with `count` lines I1, I2, ... (quantity = position, price 12.5).
    QString saved(int count) {
        for (int i = 1; i <= count; ++i)
            grid.setRow(i, line(QStringLiteral("I%1").arg(i), QString::number(i), "12.5"));
        EXPECT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
        return quotation->SalesQuotNo();
    }
};

// Values with quotes and SQL come back verbatim.
TEST_F(QuotationReload, LoadsEveryStoredFieldIntoAFreshObject) {
    const QString hostile = QStringLiteral("O'Brien; DROP TABLE Sales_Quotation_Master;--");
    assign(*quotation, "SalesQuotDescription", "not stored", "SalesQuotRefNo", "PO-7", "EmployeeName", "Sam",
           "CustomerName", hostile, "SalesQuotComments", hostile, "ForeignCurrencyFlag", true, "CurrencyCode", "USD",
           "ExchangeRate", 3.6725, "SalesQuotFCSubTotal", 27.23, "SalesQuotFCAmount", 25.87);
    QStringList hostileLine = line("A'1");
    hostileLine[2] = hostileLine[4] = hostile;
    grid.setRow(3, hostileLine);
    const QString number = saved(2);
    MemoryGrid shown(10, 15);
    auto q = reader(shown, number);
    ASSERT_TRUE(q->Get_Quotation()) << q->ErrDesc().toStdString();
    QVariantList loaded;
    for (const char *name : {"SalesQuotIdentity", "CompanyPrefix", "CustomerName", "SalesQuotDate",
                             "SalesQuotValidDate", "SalesQuotAmount", "SalesQuotDiscAmount", "ForeignCurrencyFlag",
                             "ExchangeRate", "SalesQuotFCAmount", "CurrencySymbol", "SalesQuotRefNo", "EmployeeName",
                             "AllowCancelFlag", "ProcessFlag", "SalesQuotDescription", "SalesQuotComments"})
        loaded << q->property(name);
    EXPECT_EQ(loaded, (QVariantList{1, "01", hostile, QDateTime(QDate(2026, 12, 5), QTime(0, 0)),
                                    QDateTime(QDate(2026, 12, 31), QTime(0, 0)), 95.0, 5.0, true, 3.6725, 25.87, "$",
                                    "PO-7", "Sam", true, false, "", hostile}));
    // Grid: code without the company prefix, numbers as their shortest text, flag as 1/0.
    QStringList row2;
    for (int col = 0; col < 15; ++col)
        row2 << shown.cellText(2, col);
    EXPECT_EQ(row2,
              (QStringList{"", "I2", "Item I2", "1", "Nos", "1", "2", "12.5", "0", "0", "20", "20", "0", "12.5", "0"}));
    EXPECT_EQ(QStringList({shown.cellText(3, 1), shown.cellText(3, 2), shown.cellText(3, 4)}),
              (QStringList{"A'1", hostile, hostile}));
}

// Sizing: an editable grid only grows to the lines + 2; a cancelled one is cut to exactly that.
TEST_F(QuotationReload, SizesTheGridForItsLines) {
    const QString number = saved(3);
    const struct {
        int gridRows;
        bool cancelled;
        int rows;
    } cases[] = {{10, false, 10}, {3, false, 5}, {4, false, 4}, {10, true, 5}};
    for (const auto &c : cases) {
        database().execute("Update Sales_Quotation_Master Set Cancel_Flag=?", {c.cancelled ? 1 : 0});
        MemoryGrid shown(c.gridRows, 15);
        for (int row = 4; row < c.gridRows; ++row)
            shown.setCellText(row, 1, "left over");
        ASSERT_TRUE(reader(shown, number)->Get_Quotation());
        EXPECT_EQ(shown.rowCount(), c.rows) << c.gridRows << (c.cancelled ? " cancelled" : "");
        EXPECT_EQ(shown.cellText(3, 1), "I3");
        if (!c.cancelled && c.gridRows > 4) {
            EXPECT_EQ(shown.cellText(c.gridRows - 1, 1), "left over");
        }
    }
}

TEST_F(QuotationReload, ReportsWhatCannotBeLoaded) {
    const QString number = saved(3);
    MemoryGrid shown(5, 15);
    const struct {
        QString number;
        const char *message;
    } cases[] = {{"", "Invalid Quotation No."},
                 {"01HOSQT999", "Invalid Quotation No"},
                 {"x' or '1'='1", "Invalid Quotation No"}};
    for (const auto &c : cases) {
        auto q = reader(shown, c.number);
        EXPECT_FALSE(q->Get_Quotation());
        EXPECT_EQ(q->ErrDesc(), c.message);
    }
    // A grid too small fails with the grid's error, keeping the rows written.
    MemoryGrid narrow(10, 5);
    auto q = reader(narrow, number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_TRUE(q->ErrDesc().startsWith("Subscript out of range")) << q->ErrDesc().toStdString();
    EXPECT_EQ(narrow.cellText(1, 1), "I1");
    // A NULL amount is an unexpected failure.
    database().execute("Update Sales_Quotation_Detail Set Unit_Code=NULL");
    q = reader(shown, number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_EQ(q->ErrDesc(), "Invalid use of Null");
    // A master without lines is not found, though the master was loaded.
    database().execute("Delete from Sales_Quotation_Detail");
    q = reader(shown, number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_EQ(q->ErrDesc(), "Invalid Quotation No");
    EXPECT_EQ(q->CustomerName(), "Acme Trading");
}

TEST_F(QuotationReload, UpdateRewritesMasterAndReplacesLines) {
    const QString number = saved(3);
    MemoryGrid edited(10, 15);
    edited.setRow(1, line("N1"));
    auto q = newQuotation(edited);
    assign(*q, "SalesQuotNo", number, "SalesQuotAmount", 200);
    ASSERT_TRUE(q->Update_Quotation()) << q->ErrDesc().toStdString();
    EXPECT_EQ(lines("Item_Code"), QList<QStringList>{{"01N1"}});
    EXPECT_EQ(master("Sales_Quot_Amount, Sales_Quot_Identity"), (QList<QStringList>{{"200", "1"}}));
    EXPECT_EQ(counter(), "2");
    // A failed line takes the master's change back too.
    MemoryGrid narrow(5, 8);
    narrow.setRow(1, line("N2").mid(0, 8));
    q->setQuotationGrid(&narrow);
    q->setSalesQuotAmount(999);
    EXPECT_FALSE(q->Update_Quotation());
    EXPECT_EQ(lines("Item_Code"), QList<QStringList>{{"01N1"}});
    EXPECT_EQ(master("Sales_Quot_Amount"), QList<QStringList>{{"200"}});
    // Under a number not stored yet it inserts a master with identity 0.
    q->setQuotationGrid(&edited);
    q->setSalesQuotNo("01HOSQT77");
    ASSERT_TRUE(q->Update_Quotation()) << q->ErrDesc().toStdString();
    EXPECT_EQ(q->SalesQuotIdentity(), 0);
    EXPECT_EQ(master("Sales_Quot_No, Sales_Quot_Identity"),
              (QList<QStringList>{{"01HOSQT1", "1"}, {"01HOSQT77", "0"}}));
}

TEST_F(QuotationReload, CancellingMarksTheMasterUnlessRefused) {
    const QString number = saved(2);
    const struct {
        bool withConnection;
        QString number;
        int allowCancel;
        const char *message;
    } cases[] = {{false, number, 1, "Invalid Connection String"},
                 {true, "", 1, "Invalid Quotation No"},
                 {true, "01HOSQT5", 1, "Invalid Quotation No"},
                 {true, number, 0, "Cannot Cancel"}}; // raised into an order
    for (const auto &c : cases) {
        database().execute("Update Sales_Quotation_Master Set Allow_Cancel_Flag=?", {c.allowCancel});
        SalesQuotation q;
        q.setADOConnectionString(c.withConnection ? connectionString() : QString());
        q.setSalesQuotNo(c.number);
        EXPECT_FALSE(q.Cancel_Quotation());
        EXPECT_EQ(q.ErrDesc(), c.message);
    }
    EXPECT_EQ(master("Cancel_Flag"), QList<QStringList>{{"0"}});
    database().execute("Update Sales_Quotation_Master Set Allow_Cancel_Flag=1");
    SalesQuotation q;
    assign(q, "ADOConnectionString", connectionString(), "SalesQuotNo", number, "LastUpdate",
           QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    ASSERT_TRUE(q.Cancel_Quotation()) << q.ErrDesc().toStdString();
    EXPECT_EQ(master("Cancel_Flag, Last_Update"), (QList<QStringList>{{"1", "2027-01-02 08:00"}}));
    EXPECT_EQ(lines("SL_No").size(), 2);
}

} // namespace
} // namespace orbsales::testing
