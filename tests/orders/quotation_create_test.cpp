#include "orbsales/frame/registry.h"
#include "orders/quotation_fixture.h"
#include "orbsales/orders/order_messages.h"
#include "orbsales/services/package/package_counter.h"

namespace orbsales::testing {
namespace {

namespace msg = order_messages;
using QuotationCreate = QuotationTest;

TEST_F(QuotationCreate, NumbersFromTheCounterAndSavesMasterAndLines) {
    grid->setRow(1, line(QStringLiteral("A100")));
    grid->setRow(2, line(QStringLiteral("B200"), QStringLiteral("3")));
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(quotation->SalesQuotNo(), QStringLiteral("01HOSQT1"));
    EXPECT_EQ(quotation->SalesQuotIdentity(), 1);
    EXPECT_EQ(lineCount(QStringLiteral("01HOSQT1")), 2);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Item_Code from Sales_Quotation_Detail Where SL_No=1")).toString(),
              QStringLiteral("01A100"));
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Quot_Qty from Sales_Quotation_Detail Where SL_No=2")).toDouble(), 3);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), 2);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Currency_Symbol from Sales_Quotation_Master")).toString(),
              QStringLiteral("Dhs"));
    EXPECT_EQ(database().scalar(QStringLiteral("Select Exchange_Rate from Sales_Quotation_Master")).toDouble(), 1);
}

TEST_F(QuotationCreate, TwoCreationsInARowGetConsecutiveIdentitiesAndSerials) {
    grid->setRow(1, line(QStringLiteral("A100")));
    grid->setRow(2, line(QStringLiteral("B200")));
    ASSERT_TRUE(quotation->Create_Quotation());
    ASSERT_TRUE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->SalesQuotNo(), QStringLiteral("01HOSQT2"));
    EXPECT_EQ(database().scalar(QStringLiteral("Select max(SL_No) from Sales_Quotation_Detail Where Sales_Quot_No=?"),
                                {QStringLiteral("01HOSQT2")})
                  .toInt(),
              4);
}

// Line reading: the first row with both code and name empty ends the list; numbers by the
// leading-number rule, the free-of-charge flag by the cell's number.
TEST_F(QuotationCreate, ReadsLinesUpToTheFirstBlankRow) {
    grid->setRow(1, line(QStringLiteral(" A100 "), QStringLiteral("3 boxes")));
    QStringList nameOnly = line(QString());
    nameOnly[2] = QStringLiteral("Service charge");
    nameOnly[14] = QStringLiteral("1");
    grid->setRow(2, nameOnly);
    grid->setRow(3, line(QStringLiteral("C300"), QStringLiteral("abc")));
    grid->setRow(5, line(QStringLiteral("E500")));
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    const Connection::Result rows = database().connection().select(
        QStringLiteral("Select Item_Code, Item_Name, Sales_Quot_Qty, FOC_Flag from Sales_Quotation_Detail Order by SL_No"));
    ASSERT_EQ(rows.rows.size(), 3);
    EXPECT_EQ(rows.rows[0][0].toString(), QStringLiteral("01A100"));
    EXPECT_EQ(rows.rows[0][2].toDouble(), 3);
    EXPECT_EQ(rows.rows[1][0].toString(), QStringLiteral("01"));
    EXPECT_EQ(rows.rows[1][1].toString(), QStringLiteral("Service charge"));
    EXPECT_EQ(rows.rows[1][3].toDouble(), 1);
    EXPECT_EQ(rows.rows[2][2].toDouble(), 0);
}

TEST_F(QuotationCreate, ValuesWithQuotesAndSqlAreStoredVerbatim) {
    const QString hostile = QStringLiteral("O'Brien; DROP TABLE Sales_Quotation_Master;--");
    quotation->setCustomerName(hostile);
    quotation->setSalesQuotComments(hostile);
    QStringList hostileLine = line(QStringLiteral("A'1"));
    hostileLine[2] = hostile;
    hostileLine[4] = hostile;
    grid->setRow(1, hostileLine);
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    auto reloaded = newQuotation();
    MemoryGrid shown(10, 15);
    reloaded->setQuotationGrid(&shown);
    reloaded->setCustomerName(QString());
    reloaded->setSalesQuotNo(quotation->SalesQuotNo());
    ASSERT_TRUE(reloaded->Get_Quotation()) << reloaded->ErrDesc().toStdString();
    EXPECT_EQ(reloaded->CustomerName(), hostile);
    EXPECT_EQ(reloaded->SalesQuotComments(), hostile);
    EXPECT_EQ(shown.cellText(1, 1), QStringLiteral("A'1"));
    EXPECT_EQ(shown.cellText(1, 2), hostile);
    EXPECT_EQ(shown.cellText(1, 4), hostile);
}

struct ManualCase {
    double typed;
    int counterBefore;
    const char *number;
    int counterAfter;
};

class QuotationManualNumber : public QuotationTest, public ::testing::WithParamInterface<ManualCase> {};

TEST_P(QuotationManualNumber, UsesTheTypedNumberAndRaisesTheCounterPastIt) {
    const ManualCase &c = GetParam();
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No=?"), {c.counterBefore});
    grid->setRow(1, line(QStringLiteral("A100")));
    quotation->setDocFlag(true);
    quotation->setmanualDocIdentity(c.typed);
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(quotation->SalesQuotNo(), QString::fromLatin1(c.number));
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), c.counterAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuotationManualNumber,
                         ::testing::Values(ManualCase{40, 35, "01HOSQT40", 41}, ManualCase{40, 50, "01HOSQT40", 50},
                                           ManualCase{40, 40, "01HOSQT40", 41}, ManualCase{12.5, 1, "01HOSQT12", 13},
                                           ManualCase{13.5, 1, "01HOSQT14", 15}));

TEST_F(QuotationCreate, ManualNumberWithoutACounterRowCreatesNone) {
    database().execute(QStringLiteral("Delete from Document_Prefix"));
    grid->setRow(1, line(QStringLiteral("A100")));
    quotation->setDocFlag(true);
    quotation->setmanualDocIdentity(7);
    ASSERT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Document_Prefix")), 0);
    EXPECT_EQ(quotation->SalesQuotNo(), QStringLiteral("01HOSQT7"));
}

TEST_F(QuotationCreate, CreatingUnderAnExistingNumberRewritesThatQuotation) {
    grid->setRow(1, line(QStringLiteral("A100")));
    grid->setRow(2, line(QStringLiteral("B200")));
    ASSERT_TRUE(quotation->Create_Quotation());
    ASSERT_EQ(quotation->SalesQuotNo(), QStringLiteral("01HOSQT1"));

    auto again = newQuotation();
    MemoryGrid other(10, 15);
    other.setRow(1, line(QStringLiteral("Z900")));
    again->setQuotationGrid(&other);
    again->setDocFlag(true);
    again->setmanualDocIdentity(1);
    again->setCustomerName(QStringLiteral("Second"));
    ASSERT_TRUE(again->Create_Quotation()) << again->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), 1);
    EXPECT_EQ(lineCount(QStringLiteral("01HOSQT1")), 1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Item_Code from Sales_Quotation_Detail")).toString(),
              QStringLiteral("01Z900"));
    EXPECT_EQ(database().scalar(QStringLiteral("Select customer_name from Sales_Quotation_Master")).toString(),
              QStringLiteral("Second"));
    EXPECT_EQ(database().scalar(QStringLiteral("Select Sales_Quot_Identity from Sales_Quotation_Master")).toInt(), 1);
}

// Validation: checks run in a fixed order, the first failure wins and nothing is written.
struct ValidationCase {
    const char *name;
    std::function<void(SalesQuotation &, MemoryGrid &)> spoil;
    QString message;
};
void PrintTo(const ValidationCase &c, std::ostream *os) { *os << c.name; }

class QuotationValidation : public QuotationTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(QuotationValidation, RejectsWithTheFirstFailingCheck) {
    grid->setRow(1, line(QStringLiteral("A100")));
    GetParam().spoil(*quotation, *grid);
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), GetParam().message);
    EXPECT_FALSE(quotation->Update_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), GetParam().message);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Chain, QuotationValidation,
    ::testing::Values(
        ValidationCase{"NoCompany",
                       [](SalesQuotation &q, MemoryGrid &) {
                           q.setCompanyPrefix(QString());
                           q.setBranchPrefix(QString());
                       },
                       msg::kInvalidCompanyPrefix},
        ValidationCase{"NoBranch",
                       [](SalesQuotation &q, MemoryGrid &) {
                           q.setBranchPrefix(QString());
                           q.setDocumentPrefix(QString());
                       },
                       msg::kInvalidBranchPrefix},
        ValidationCase{"NoDocumentPrefix", [](SalesQuotation &q, MemoryGrid &) { q.setDocumentPrefix(QString()); },
                       msg::kInvalidDocumentPrefix},
        ValidationCase{"ZeroSubTotal",
                       [](SalesQuotation &q, MemoryGrid &) {
                           q.setSalesQuotSubTotal(0);
                           q.setSalesQuotAmount(0);
                       },
                       msg::kInvalidSubTotal},
        ValidationCase{"ZeroAmount", [](SalesQuotation &q, MemoryGrid &) { q.setSalesQuotAmount(0); },
                       msg::kInvalidQuotationAmount},
        ValidationCase{"ForeignWithoutSubTotal",
                       [](SalesQuotation &q, MemoryGrid &) {
                           q.setForeignCurrencyFlag(true);
                           q.setSalesQuotFCAmount(0);
                       },
                       msg::kInvalidFcSubTotal},
        ValidationCase{"ForeignWithoutAmount",
                       [](SalesQuotation &q, MemoryGrid &) {
                           q.setForeignCurrencyFlag(true);
                           q.setSalesQuotFCSubTotal(50);
                       },
                       msg::kInvalidFcAmount},
        ValidationCase{"NoCurrency",
                       [](SalesQuotation &q, MemoryGrid &g) {
                           q.setCurrencyCode(QString());
                           g.setRow(1, {});
                       },
                       msg::kInvalidCurrencyCode},
        ValidationCase{"BlankFirstRow",
                       [](SalesQuotation &, MemoryGrid &g) {
                           g.setRow(1, {});
                           g.setRow(2, QuotationTest::line(QStringLiteral("B200")));
                       },
                       msg::kInvalidItemDetails},
        ValidationCase{"HeaderOnlyGrid", [](SalesQuotation &, MemoryGrid &g) { g.setRowCount(1); },
                       msg::kInvalidItemDetails}),
    [](const auto &info) { return std::string(info.param.name); });

// A counter whose answers a test chooses.
class ScriptedCounter : public package::PackageCounter {
public:
    bool Increase_Counter() override {
        return false;
    }
    QString ErrDesc() const override { return QStringLiteral("Counter is busy"); }
};

TEST_F(QuotationCreate, ACounterThatCannotConfirmRollsEverythingBack) {
    Registry::Override counter(QStringLiteral("OrbSystem.CounterTransaction"),
                               [] { return std::unique_ptr<QObject>(new ScriptedCounter); });
    grid->setRow(1, line(QStringLiteral("A100")));
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), QStringLiteral("Counter is busy"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), 0);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Detail")), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), 1);
}

TEST_F(QuotationCreate, AMissingCounterRowFailsWithTheCountersMessageAndWritesNothing) {
    database().execute(QStringLiteral("Delete from Document_Prefix"));
    grid->setRow(1, line(QStringLiteral("A100")));
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), QStringLiteral("Document prefix SQT is not set up for company 01, branch HO"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), 0);
}

// A grid too narrow for the layout fails on the line after the master was written: the
// transaction takes the master back too.
TEST_F(QuotationCreate, AGridErrorWhileSavingLinesRollsBackMasterAndCounter) {
    MemoryGrid narrow(5, 10);
    narrow.setRow(1, line(QStringLiteral("A100")).mid(0, 10));
    quotation->setQuotationGrid(&narrow);
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_TRUE(quotation->ErrDesc().startsWith(QStringLiteral("Subscript out of range"))) << quotation->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), 0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), 1);
    // The member connection was closed: the next call opens it again and succeeds.
    quotation->setQuotationGrid(grid.get());
    grid->setRow(1, line(QStringLiteral("A100")));
    EXPECT_TRUE(quotation->Create_Quotation()) << quotation->ErrDesc().toStdString();
}

TEST_F(QuotationCreate, AnUnreachableDatabaseIsReportedAndASuccessLaterKeepsTheText) {
    grid->setRow(1, line(QStringLiteral("A100")));
    quotation->setADOConnectionString(QStringLiteral("postgresql://nobody@127.0.0.1:1/none"));
    EXPECT_FALSE(quotation->Create_Quotation());
    const QString failure = quotation->ErrDesc();
    EXPECT_FALSE(failure.isEmpty());
    quotation->setADOConnectionString(connectionString());
    EXPECT_TRUE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), failure);
}

TEST_F(QuotationCreate, NoGridIsAnUnexpectedFailure) {
    quotation->setQuotationGrid(nullptr);
    EXPECT_FALSE(quotation->Create_Quotation());
    EXPECT_EQ(quotation->ErrDesc(), QStringLiteral("Object variable or With block variable not set"));
}

} // namespace
} // namespace orbsales::testing
