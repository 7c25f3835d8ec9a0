#include "orders/quotation_fixture.h"
#include "orbsales/orders/order_messages.h"

namespace orbsales::testing {
namespace {

namespace msg = order_messages;

class QuotationReload : public QuotationTest {
protected:
    // Saves a quotation with `lines` lines and returns its number.
    QString saved(int lines) {
        for (int i = 1; i <= lines; ++i)
            grid->setRow(i, line(QStringLiteral("I%1").arg(i), QString::number(i), QStringLiteral("12.5")));
        EXPECT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
        return quotation->SalesQuotNo();
    }
    std::unique_ptr<SalesQuotation> reader(LineGrid &shown, const QString &number) {
        auto q = std::make_unique<SalesQuotation>();
        q->setADOConnectionString(connectionString());
        q->setQuotationGrid(&shown);
        q->setSalesQuotNo(number);
        return q;
    }
};

TEST_F(QuotationReload, LoadsEveryStoredFieldIntoAFreshObject) {
    quotation->setSalesQuotDescription(QStringLiteral("not stored"));
    quotation->setSalesQuotRefNo(QStringLiteral("PO-7"));
    quotation->setEmployeeName(QStringLiteral("Sam"));
    const QString number = saved(2);
    MemoryGrid shown(10, 15);
    auto q = reader(shown, number);
    ASSERT_TRUE(q->Get_Quotation()) << q->ErrDesc().toStdString();
    EXPECT_EQ(q->SalesQuotIdentity(), 1);
    EXPECT_EQ(q->CompanyPrefix(), QStringLiteral("01"));
    EXPECT_EQ(q->CustomerName(), QStringLiteral("Acme Trading"));
    EXPECT_EQ(q->SalesQuotDate(), QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
    EXPECT_EQ(q->SalesQuotValidDate(), QDateTime(QDate(2026, 12, 31), QTime(0, 0)));
    EXPECT_EQ(q->SalesQuotAmount(), 95);
    EXPECT_EQ(q->SalesQuotDiscAmount(), 5);
    EXPECT_EQ(q->ExchangeRate(), 1);
    EXPECT_EQ(q->CurrencySymbol(), QStringLiteral("Dhs"));
    EXPECT_EQ(q->SalesQuotRefNo(), QStringLiteral("PO-7"));
    EXPECT_EQ(q->EmployeeName(), QStringLiteral("Sam"));
    EXPECT_TRUE(q->AllowCancelFlag());
    EXPECT_FALSE(q->ProcessFlag());
    EXPECT_TRUE(q->SalesQuotDescription().isEmpty());
    // Grid: code without the company prefix, numbers as their shortest text, flag as 1/0.
    const QStringList expectedRow2 = {QString(), QStringLiteral("I2"), QStringLiteral("Item I2"), QStringLiteral("1"),
                                      QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("2"),
                                      QStringLiteral("12.5"), QStringLiteral("0"), QStringLiteral("0"),
                                      QStringLiteral("20"), QStringLiteral("20"), QStringLiteral("0"),
                                      QStringLiteral("12.5"), QStringLiteral("0")};
    for (int col = 1; col < expectedRow2.size(); ++col)
        EXPECT_EQ(shown.cellText(2, col), expectedRow2[col]) << "column " << col;
}

TEST_F(QuotationReload, ForeignCurrencyKeepsTheStoredRate) {
    quotation->setForeignCurrencyFlag(true);
    quotation->setCurrencyCode(QStringLiteral("USD"));
    quotation->setExchangeRate(3.6725);
    quotation->setSalesQuotFCSubTotal(27.23);
    quotation->setSalesQuotFCAmount(25.87);
    const QString number = saved(1);
    MemoryGrid shown(5, 15);
    auto q = reader(shown, number);
    ASSERT_TRUE(q->Get_Quotation());
    EXPECT_TRUE(q->ForeignCurrencyFlag());
    EXPECT_EQ(q->ExchangeRate(), 3.6725);
    EXPECT_EQ(q->SalesQuotFCAmount(), 25.87);
    EXPECT_EQ(q->CurrencySymbol(), QStringLiteral("$"));
}

// Sizing: an editable grid only grows; a cancelled or processed one is cut to its lines + 2.
struct SizingCase {
    const char *name;
    int gridRows;
    bool cancelled;
    int expectedRows;
};
void PrintTo(const SizingCase &c, std::ostream *os) { *os << c.name; }

class QuotationGridSizing : public QuotationReload, public ::testing::WithParamInterface<SizingCase> {};

TEST_P(QuotationGridSizing, SizesTheGridForThreeLines) {
    const SizingCase &c = GetParam();
    const QString number = saved(3);
    if (c.cancelled)
        database().execute(QStringLiteral("Update Sales_Quotation_Master Set Cancel_Flag=1"));
    MemoryGrid shown(c.gridRows, 15);
    for (int row = 4; row < c.gridRows; ++row)
        shown.setCellText(row, 1, QStringLiteral("left over"));
    auto q = reader(shown, number);
    ASSERT_TRUE(q->Get_Quotation()) << q->ErrDesc().toStdString();
    EXPECT_EQ(shown.rowCount(), c.expectedRows);
    EXPECT_EQ(shown.cellText(3, 1), QStringLiteral("I3"));
    if (!c.cancelled && c.gridRows > 4) {
        EXPECT_EQ(shown.cellText(c.gridRows - 1, 1), QStringLiteral("left over"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, QuotationGridSizing,
                         ::testing::Values(SizingCase{"EditKeepsALargeGrid", 10, false, 10},
                                           SizingCase{"ViewCutsToLinesPlusTwo", 10, true, 5},
                                           SizingCase{"EditGrowsASmallGrid", 3, false, 5},
                                           SizingCase{"EditExactlyLinesPlusOne", 4, false, 4}),
                         [](const auto &info) { return std::string(info.param.name); });

struct NotFoundCase {
    const char *name;
    QString number;
    QString message;
};
void PrintTo(const NotFoundCase &c, std::ostream *os) { *os << c.name; }

class QuotationNotFound : public QuotationReload, public ::testing::WithParamInterface<NotFoundCase> {};

TEST_P(QuotationNotFound, ReportsTheNumber) {
    MemoryGrid shown(5, 15);
    auto q = reader(shown, GetParam().number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_EQ(q->ErrDesc(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuotationNotFound,
                         ::testing::Values(NotFoundCase{"Empty", QString(), msg::kInvalidQuotationNoDot},
                                           NotFoundCase{"Unknown", QStringLiteral("01HOSQT999"), msg::kInvalidQuotationNo},
                                           NotFoundCase{"Quote", QStringLiteral("x' or '1'='1"), msg::kInvalidQuotationNo}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(QuotationReload, AMasterWithoutLinesIsNotFound) {
    const QString number = saved(1);
    database().execute(QStringLiteral("Delete from Sales_Quotation_Detail"));
    MemoryGrid shown(5, 15);
    auto q = reader(shown, number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_EQ(q->ErrDesc(), msg::kInvalidQuotationNo);
    EXPECT_EQ(q->CustomerName(), QStringLiteral("Acme Trading")); // the master was loaded before
}

TEST_F(QuotationReload, ANullAmountIsAnUnexpectedFailure) {
    const QString number = saved(1);
    database().execute(QStringLiteral("Update Sales_Quotation_Detail Set Unit_Code=NULL"));
    MemoryGrid shown(5, 15);
    auto q = reader(shown, number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_EQ(q->ErrDesc(), QStringLiteral("Invalid use of Null"));
}

TEST_F(QuotationReload, ATooSmallGridFailsWithTheGridsErrorKeepingRowsWritten) {
    const QString number = saved(3);
    MemoryGrid shown(10, 5); // columns 5 and up are missing
    auto q = reader(shown, number);
    EXPECT_FALSE(q->Get_Quotation());
    EXPECT_TRUE(q->ErrDesc().startsWith(QStringLiteral("Subscript out of range"))) << q->ErrDesc().toStdString();
    EXPECT_EQ(shown.cellText(1, 1), QStringLiteral("I1"));
}

using QuotationUpdate = QuotationReload;

TEST_F(QuotationUpdate, RewritesMasterAndReplacesLines) {
    const QString number = saved(3);
    auto q = newQuotation();
    MemoryGrid edited(10, 15);
    edited.setRow(1, line(QStringLiteral("N1")));
    q->setQuotationGrid(&edited);
    q->setSalesQuotNo(number);
    q->setSalesQuotAmount(200);
    ASSERT_TRUE(q->Update_Quotation()) << q->ErrDesc().toStdString();
    EXPECT_EQ(lineCount(number), 1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Quot_Amount from Sales_Quotation_Master")).toDouble(), 200);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Quot_Identity from Sales_Quotation_Master")).toInt(), 1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), 2);
}

TEST_F(QuotationUpdate, AnUnknownNumberInsertsAMasterWithIdentityZero) {
    grid->setRow(1, line(QStringLiteral("A100")));
    quotation->setSalesQuotNo(QStringLiteral("01HOSQT77"));
    ASSERT_TRUE(quotation->Update_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(quotation->SalesQuotIdentity(), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Quot_Identity from Sales_Quotation_Master")).toInt(), 0);
}

TEST_F(QuotationUpdate, AFailedLineRollsBackTheMasterChange) {
    const QString number = saved(2);
    auto q = newQuotation();
    MemoryGrid narrow(5, 8);
    narrow.setRow(1, line(QStringLiteral("N1")).mid(0, 8));
    q->setQuotationGrid(&narrow);
    q->setSalesQuotNo(number);
    q->setSalesQuotAmount(999);
    EXPECT_FALSE(q->Update_Quotation());
    EXPECT_EQ(lineCount(number), 2);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Quot_Amount from Sales_Quotation_Master")).toDouble(), 95);
}

struct CancelCase {
    const char *name;
    bool withConnection;
    QString number;
    int allowCancel;
    QString message;
};
void PrintTo(const CancelCase &c, std::ostream *os) { *os << c.name; }

class QuotationCancelRefused : public QuotationReload, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(QuotationCancelRefused, LeavesTheQuotationOpen) {
    const CancelCase &c = GetParam();
    const QString number = saved(1);
    database().execute(QStringLiteral("Update Sales_Quotation_Master Set Allow_Cancel_Flag=?"), {c.allowCancel});
    auto q = std::make_unique<SalesQuotation>();
    if (c.withConnection)
        q->setADOConnectionString(connectionString());
    q->setSalesQuotNo(c.number.isNull() ? number : c.number);
    EXPECT_FALSE(q->Cancel_Quotation());
    EXPECT_EQ(q->ErrDesc(), c.message);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Cancel_Flag from Sales_Quotation_Master")).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuotationCancelRefused,
    ::testing::Values(CancelCase{"NoConnection", false, QString(), 1, msg::kInvalidConnectionString},
                      CancelCase{"NoNumber", true, QStringLiteral(""), 1, msg::kInvalidQuotationNo},
                      CancelCase{"Unknown", true, QStringLiteral("01HOSQT5"), 1, msg::kInvalidQuotationNo},
                      CancelCase{"RaisedIntoAnOrder", true, QString(), 0, msg::kCannotCancel}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(QuotationReload, CancellingMarksTheMasterAndKeepsTheLines) {
    const QString number = saved(2);
    auto q = std::make_unique<SalesQuotation>();
    q->setADOConnectionString(connectionString());
    q->setSalesQuotNo(number);
    q->setLastUpdate(QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    ASSERT_TRUE(q->Cancel_Quotation()) << q->ErrDesc().toStdString();
    EXPECT_EQ(database().scalar(QStringLiteral("Select Cancel_Flag from Sales_Quotation_Master")).toInt(), 1);
    EXPECT_EQ(schema::fromDatabase(schema::ColumnType::Date,
                                   database().scalar(QStringLiteral("Select Last_Update from Sales_Quotation_Master")))
                  .toDateTime(),
              QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    EXPECT_EQ(lineCount(number), 2);
}

} // namespace
} // namespace orbsales::testing
