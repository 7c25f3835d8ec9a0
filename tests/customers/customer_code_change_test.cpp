#include "orbsales/customers/customer_code_change.h"
#include "customers/customer_fixture.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/grid/memory_grid.h"

#include <QDate>

namespace orbsales::testing {
namespace {

namespace msg = customer_messages;
using code_change::kCodeColumns;

// ---- the statement text ----------------------------------------------------------------------

struct StatementCase {
    const char *database;
    const char *text;
};

class CodeChangeStatement : public ::testing::TestWithParam<StatementCase> {};

// Only the exact upper-case "MSACCESS" selects the Access form.
TEST_P(CodeChangeStatement, KeepsTheTextOfEachDatabaseForm) {
    EXPECT_EQ(code_change::statement(QString::fromLatin1(GetParam().database), QStringLiteral("Receipt_Master"),
                                     QStringLiteral("Receipt_To_Code")),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CodeChangeStatement,
    ::testing::Values(StatementCase{"MSACCESS", "Update Receipt_Master Set Receipt_To_Code = ?, "
                                                "Last_Update=DateValue(?)  Where  Receipt_To_Code =?"},
                      StatementCase{"msaccess", "Update Receipt_Master Set Receipt_To_Code = ?,  Last_Update=? Where  "
                                                "Receipt_To_Code =?"},
                      StatementCase{"", "Update Receipt_Master Set Receipt_To_Code = ?,  Last_Update=? Where  "
                                        "Receipt_To_Code =?"}));

TEST(CodeChangeStatementNames, RefusesATableOrColumnThatIsNotAPlainName) {
    EXPECT_THROW(code_change::statement({}, QStringLiteral("Customer_Master; Drop table X"), QStringLiteral("A")),
                 OrbError);
    EXPECT_THROW(code_change::statement({}, QStringLiteral("Customer_Master"), QStringLiteral("A=A--")), OrbError);
}

// ---- the batch -------------------------------------------------------------------------------

// Rows of customers 01100 and 01101 in every table the change touches, plus a balance and an
// address row of 01100; the customer's code change runs on the caller's open connection.
class CodeChange : public CustomerTest {
protected:
    void SetUp() override {
        CustomerTest::SetUp();
        if (!db)
            return;
        grid = std::make_unique<MemoryGrid>(5, 4);
        customer->setAdoConnectionObject(&database().connection());
        customer->setGridName(grid.get());
    }

    void seed(const QString &code) {
        for (const auto &[table, column] : kCodeColumns)
            insertRow(QLatin1String(table), {{QLatin1String(column), code}, {QStringLiteral("Last_Update"), kOld}});
        database().execute(QStringLiteral("Insert into Customer_Master_Balance (Customer_Code, Branch_Prefix) "
                                          "values (?, 'HO')"),
                           {code});
        database().execute(QStringLiteral("Insert into Customer_Address (Customer_Code, Address_Code) values (?, '1')"),
                           {code});
    }

    // How many rows of each changed table hold `code`, with their Last_Update.
    void expectInEveryTable(const QString &code, const QDateTime &stamped) {
        for (const auto &[table, column] : kCodeColumns) {
            const QString where = QLatin1String(column) + QStringLiteral("=?");
            EXPECT_EQ(database().count(QLatin1String(table), where, {code}), 1) << table << " " << code.toStdString();
            EXPECT_EQ(
                asDate(database().scalar(
                    QStringLiteral("Select Last_Update from %1 Where %2").arg(QLatin1String(table), where), {code})),
                stamped)
                << table;
        }
    }

    const QDateTime kOld{QDate(2020, 1, 1), QTime(10, 0)};
    std::unique_ptr<MemoryGrid> grid;
};

class CodeChangeBothForms : public CodeChange, public ::testing::WithParamInterface<const char *> {};

TEST_P(CodeChangeBothForms, MovesTheCustomerInEverySixteenTablesAndStampsToday) {
    customer->setDatabase(QString::fromLatin1(GetParam()));
    customer->setCompanyPrefix(QStringLiteral("01"));
    seed(QStringLiteral("01100"));
    seed(QStringLiteral("01101"));
    grid->setRow(1, {QString(), QStringLiteral("x"), QStringLiteral("100"), QStringLiteral("200")});
    ASSERT_TRUE(customer->Change_Customer_Code()) << customer->ErrDesc().toStdString();
    expectInEveryTable(QStringLiteral("01200"), QDateTime(QDate::currentDate(), QTime(0, 0)));
    expectInEveryTable(QStringLiteral("01101"), kOld);
    for (const auto &[table, column] : kCodeColumns)
        EXPECT_EQ(database().count(QLatin1String(table), QLatin1String(column) + QStringLiteral("='01100'")), 0)
            << table;
    // Balance and address rows keep the old code.
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), QStringLiteral("Customer_Code='01100'")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Address"), QStringLiteral("Customer_Code='01100'")), 1);
}

INSTANTIATE_TEST_SUITE_P(Databases, CodeChangeBothForms, ::testing::Values("MSACCESS", "SQLSERVER"));

TEST_F(CodeChange, ACodeFullOfQuotesAndSqlChangesExactlyThatCustomer) {
    const QString hostile = QStringLiteral("O'Brien'; DROP TABLE Customer_Master;--");
    customer->setCompanyPrefix(QStringLiteral("01"));
    seed(QStringLiteral("01") + hostile);
    seed(QStringLiteral("01O"));
    grid->setRow(1, {QString(), QStringLiteral("x"), hostile, hostile + QStringLiteral(" %_'2")});
    ASSERT_TRUE(customer->Change_Customer_Code()) << customer->ErrDesc().toStdString();
    expectInEveryTable(QStringLiteral("01") + hostile + QStringLiteral(" %_'2"),
                       QDateTime(QDate::currentDate(), QTime(0, 0)));
    expectInEveryTable(QStringLiteral("01O"), kOld);
}

TEST_F(CodeChange, ANewCodeInUseStopsTheBatchAfterTheRowsBeforeIt) {
    customer->setCompanyPrefix(QStringLiteral("01"));
    seed(QStringLiteral("01100"));
    seed(QStringLiteral("01300"));
    seed(QStringLiteral("01400"));
    grid->setRow(1, {QString(), QStringLiteral("x"), QStringLiteral("100"), QStringLiteral("200")});
    grid->setRow(2, {QString(), QStringLiteral("x"), QStringLiteral("300"), QStringLiteral("200")});
    grid->setRow(3, {QString(), QStringLiteral("x"), QStringLiteral("400"), QStringLiteral("500")});
    EXPECT_FALSE(customer->Change_Customer_Code());
    EXPECT_EQ(customer->ErrDesc(), msg::codeAlreadyInUse(QStringLiteral("200")));
    EXPECT_EQ(customer->ErrDesc(), QStringLiteral("This 200 code already in use"));
    expectInEveryTable(QStringLiteral("01200"), QDateTime(QDate::currentDate(), QTime(0, 0)));
    expectInEveryTable(QStringLiteral("01300"), kOld);
    expectInEveryTable(QStringLiteral("01400"), kOld);
}

TEST_F(CodeChange, TheFirstRowWithoutAMarkEndsTheList) {
    seed(QStringLiteral("01100"));
    customer->setCompanyPrefix(QStringLiteral("01"));
    grid->setRow(1, {QString(), QString(), QStringLiteral("100"), QStringLiteral("200")});
    grid->setRow(2, {QString(), QStringLiteral("x"), QStringLiteral("100"), QStringLiteral("200")});
    ASSERT_TRUE(customer->Change_Customer_Code());
    expectInEveryTable(QStringLiteral("01100"), kOld);
}

TEST_F(CodeChange, AFailingTableLeavesTheTablesBeforeItChanged) {
    seed(QStringLiteral("01100"));
    database().execute(QStringLiteral("Drop table Customer_Price_List")); // eighth in the order
    customer->setCompanyPrefix(QStringLiteral("01"));
    grid->setRow(1, {QString(), QStringLiteral("x"), QStringLiteral("100"), QStringLiteral("200")});
    EXPECT_FALSE(customer->Change_Customer_Code());
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
    for (std::size_t i = 0; i < kCodeColumns.size(); ++i) {
        const auto &[table, column] = kCodeColumns[i];
        if (i == 7)
            continue;
        EXPECT_EQ(database().count(QLatin1String(table), QLatin1String(column) + QStringLiteral("='01200'")),
                  i < 7 ? 1 : 0)
            << table;
    }
}

TEST_F(CodeChange, NeedsTheCallersOpenConnectionAndAGrid) {
    auto closed = newCustomer();
    closed->setGridName(grid.get());
    grid->setRow(1, {QString(), QStringLiteral("x"), QStringLiteral("100"), QStringLiteral("200")});
    EXPECT_FALSE(closed->Change_Customer_Code()); // a connection string is not used
    EXPECT_EQ(closed->ErrDesc(), QStringLiteral("Operation is not allowed when the object is closed."));
    customer->setGridName(nullptr);
    EXPECT_FALSE(customer->Change_Customer_Code());
    EXPECT_EQ(customer->ErrDesc(), kObjectNotSet);
}

TEST_F(CodeChange, ExecuteChangeCodeChangesOneTableOnly) {
    seed(QStringLiteral("01100"));
    ASSERT_TRUE(customer->Execute_Change_Code(QStringLiteral("Receipt_Master"), QStringLiteral("Receipt_To_Code"),
                                              QStringLiteral("01999"), QStringLiteral("01100")));
    EXPECT_EQ(database().count(QStringLiteral("Receipt_Master"), QStringLiteral("Receipt_To_Code='01999'")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master"), QStringLiteral("Customer_Code='01100'")), 1);
    EXPECT_FALSE(customer->Execute_Change_Code(QStringLiteral("No_Such_Table"), QStringLiteral("Customer_Code"),
                                               QStringLiteral("01999"), QStringLiteral("01100")));
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
}

} // namespace
} // namespace orbsales::testing
