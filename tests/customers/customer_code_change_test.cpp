#include "customers/customer_fixture.h"
#include "orbsales/grid/memory_grid.h"

namespace orbsales::testing {
namespace {

// The sixteen tables a customer's code is changed in, in their order, each with the code's column.
const QStringList kTables =
    QStringLiteral(
        "Customer_Master.Customer_Code Customer_OB.Customer_Code Accounts_Receivable_Ledger.Customer_Code "
        "AR_Adjustment_Detail.Customer_Code AR_Adjustment_Master.Customer_Code Receipt_Master.Receipt_To_Code "
        "PDC_Master.CustomerID Customer_Price_List.Customer_Code Delivery_Master.Customer_Code "
        "Direct_Delivery_Master.Customer_Code Cash_Memo_Master.Customer_Code Direct_Sales_Invoice_Master.Customer_Code "
        "Sales_Invoice_Master.Customer_Code Sales_Order_Master.Customer_Code Sales_Quotation_Master.Customer_Code "
        "Sales_Return_Master.Customer_Code")
        .split(' ');
QString tableOf(const QString &entry) { return entry.section('.', 0, 0); }
QString columnOf(const QString &entry) { return entry.section('.', 1); }

// Rows of customers in every table the change touches, plus a balance and an address row; the
// customer's code change runs on the caller's open connection from a grid of old and new codes.
class CodeChange : public CustomerTest {
protected:
    void SetUp() override {
        CustomerTest::SetUp();
        if (!db)
            return;
        customer->setAdoConnectionObject(&database().connection());
        customer->setGridName(&grid);
    }

    void seed(const QString &code) {
        for (const QString &entry : kTables)
            insertRow(tableOf(entry), {{columnOf(entry), code}, {"Last_Update", kOld}});
        database().execute("Insert into Customer_Master_Balance (Customer_Code, Branch_Prefix) values (?, 'HO')",
                           {code});
        database().execute("Insert into Customer_Address (Customer_Code, Address_Code) values (?, '1')", {code});
    }
    // The grid's rows from row 1: {mark, old code, new code}, without the company prefix.
    void rows(const QList<QStringList> &rows) {
        for (qsizetype i = 0; i < rows.size(); ++i)
            grid.setRow(static_cast<int>(i) + 1, QStringList{QString()} + rows[i]);
    }
    // The Last_Update of `code`'s row in each of the sixteen tables, "none" where it has no row.
    QStringList stamps(const QString &code) {
        QStringList found;
        for (const QString &entry : kTables)
            found << rowOf(database(), tableOf(entry), "Last_Update", "Where " + columnOf(entry) + "=?", {code})
                         .value(0, "none");
        return found;
    }

    const QDateTime kOld{QDate(2020, 1, 1), QTime(10, 0)};
    const QString kOldText = QStringLiteral("2020-01-01 10:00");
    const QString kToday = QDate::currentDate().toString("yyyy-MM-dd 00:00");
    MemoryGrid grid{5, 4};
};

TEST_F(CodeChange, MovesTheCustomerInEverySixteenTablesAndStampsTodayInBothForms) {
    for (const char *form : {"MSACCESS", "SQLSERVER"}) {
        database().execute("Delete from Customer_Master_Balance");
        database().execute("Delete from Customer_Address");
        for (const QString &entry : kTables)
            database().execute("Delete from " + tableOf(entry));
        seed("01100");
        seed("01101");
        customer->setDatabase(QString::fromLatin1(form));
        rows({{"x", "100", "200"}});
        ASSERT_TRUE(customer->Change_Customer_Code()) << customer->ErrDesc().toStdString();
        EXPECT_EQ(stamps("01200"), QStringList(16, kToday)) << form;
        EXPECT_EQ(stamps("01101"), QStringList(16, kOldText)) << form;
        EXPECT_EQ(stamps("01100"), QStringList(16, "none")) << form;
        // Balance and address rows keep the old code.
        EXPECT_EQ(count("Customer_Master_Balance", "Customer_Code='01100'") +
                      count("Customer_Address", "Customer_Code='01100'"),
                  2);
    }
}

// The first row without a mark ends the list.
TEST_F(CodeChange, ACodeFullOfQuotesAndSqlChangesExactlyThatCustomer) {
    const QString hostile = QStringLiteral("O'Brien'; DROP TABLE Customer_Master;--");
    seed(QStringLiteral("01") + hostile);
    seed("01O");
    rows({{"x", hostile, hostile + " %_'2"}, {"", "O", "P"}, {"x", "O", "Q"}});
    ASSERT_TRUE(customer->Change_Customer_Code()) << customer->ErrDesc().toStdString();
    EXPECT_EQ(stamps(QStringLiteral("01") + hostile + " %_'2"), QStringList(16, kToday));
    EXPECT_EQ(stamps("01O"), QStringList(16, kOldText));
}

// There is no transaction: rows of the grid before the one that stops stay changed.
TEST_F(CodeChange, ANewCodeInUseStopsTheBatchAfterTheRowsBeforeIt) {
    for (const char *code : {"01100", "01300", "01400"})
        seed(QString::fromLatin1(code));
    rows({{"x", "100", "200"}, {"x", "300", "200"}, {"x", "400", "500"}});
    EXPECT_FALSE(customer->Change_Customer_Code());
    EXPECT_EQ(customer->ErrDesc(), "This 200 code already in use");
    EXPECT_EQ(stamps("01200"), QStringList(16, kToday));
    EXPECT_EQ(stamps("01300"), QStringList(16, kOldText));
    EXPECT_EQ(stamps("01400"), QStringList(16, kOldText));
}

TEST_F(CodeChange, AFailingTableLeavesTheTablesBeforeItChanged) {
    seed("01100");
    database().execute("Drop table Customer_Price_List"); // eighth in the order
    rows({{"x", "100", "200"}});
    EXPECT_FALSE(customer->Change_Customer_Code());
    EXPECT_FALSE(customer->ErrDesc().isEmpty());
    QStringList moved;
    for (const QString &entry : kTables)
        if (tableOf(entry) != "Customer_Price_List")
            moved << QString::number(database().count(tableOf(entry), columnOf(entry) + "='01200'"));
    EXPECT_EQ(moved, (QStringList{"1", "1", "1", "1", "1", "1", "1", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(CodeChange, NeedsTheCallersOpenConnectionAndAGrid) {
    auto closed = newCustomer();
    closed->setGridName(&grid);
    rows({{"x", "100", "200"}});
    EXPECT_FALSE(closed->Change_Customer_Code()); // a connection string is not used
    EXPECT_EQ(closed->ErrDesc(), "Operation is not allowed when the object is closed.");
    customer->setGridName(nullptr);
    EXPECT_FALSE(customer->Change_Customer_Code());
    EXPECT_EQ(customer->ErrDesc(), "Object variable or With block variable not set");
}

// One table at a time; table and column are names, never statement text.
TEST_F(CodeChange, ExecuteChangeCodeChangesOneTableOnly) {
    seed("01100");
    ASSERT_TRUE(customer->Execute_Change_Code("Receipt_Master", "Receipt_To_Code", "01999", "01100"));
    EXPECT_EQ(count("Receipt_Master", "Receipt_To_Code='01999'"), 1);
    EXPECT_EQ(count("Customer_Master", "Customer_Code='01100'"), 1);
    for (const auto &[table, column] : {std::pair{"No_Such_Table", "Customer_Code"},
                                        {"Customer_OB; Drop table Customer_Master", "Customer_Code"},
                                        {"Customer_OB", "Customer_Code=Customer_Code--"}}) {
        EXPECT_FALSE(customer->Execute_Change_Code(table, column, "01999", "01100")) << table;
        EXPECT_FALSE(customer->ErrDesc().isEmpty());
    }
    EXPECT_EQ(stamps("01100").mid(0, 2), QStringList(2, kOldText));
}

} // namespace
} // namespace orbsales::testing
