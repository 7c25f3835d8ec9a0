#include "services/package_fixture.h"

#include "orbsales/services/debit_credit_note.h"
#include "orbsales/services/pdc.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/sales_log.h"
#include "orbsales/services/service_ids.h"

#include <functional>
#include <limits>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

using Records = PackageTest;

TEST_F(Records, SalesLogKeepsTheLineAndRefusesAnUnknownItem) {
    addItem("01A100");
    auto log = service<SalesLog>(ids::kSalesLog);
    assign(*log, "SalesDocumentNo", "01HOCHM4", "CompanyPrefix", "01", "BranchPrefix", "HO", "DocumentPrefix", "SLG",
           "ItemCode", "01A100", "ItemName", kHostile, "SalesQty", 3, "SalesUnitPrice", 12.5, "SalesItemAmount", 37.5,
           "SalesLogDate", day(9), "ProjNo", "01HOPRJ7");
    ASSERT_TRUE(log->Create_SalesLog()) << log->ErrDesc().toStdString();
    log->setItemCode(QString()); // a charge without an item is logged too
    ASSERT_TRUE(log->Create_SalesLog()) << log->ErrDesc().toStdString();
    log->setItemCode("01Z999");
    EXPECT_FALSE(log->Create_SalesLog());
    EXPECT_EQ(log->ErrDesc(), "Item '01Z999' does not exist");
    log->setItemCode(QString());
    log->setSalesQty(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(log->Create_SalesLog());
    EXPECT_EQ(log->ErrDesc(), "SalesQty is not a number");
    EXPECT_EQ(
        rowsOf(database(), "Sales_Log", "Sales_Document_No, Item_Code, Item_Name, Sales_Qty, Sales_Item_Amount",
               "Order by Row_Id"),
        (QList<QStringList>{{"01HOCHM4", "01A100", kHostile, "3", "37.5"}, {"01HOCHM4", "", kHostile, "3", "37.5"}}));
}

TEST_F(Records, ProjectLinesNeedAProjectAndADocument) {
    auto project = service<ProjectTransaction>(ids::kProjectTransaction);
    assign(*project, "DocumentNo", "01HODEL2", "ProjdCreditAmount", 80, "ProjdFCCreditAmount", 80);
    EXPECT_FALSE(project->Save_Project_Transaction());
    EXPECT_EQ(project->ErrDesc(), "ProjNo is empty");
    project->setProjNo("01HOPRJ7");
    ASSERT_TRUE(project->Save_Project_Transaction()) << project->ErrDesc().toStdString();
    EXPECT_EQ(rowOf(database(), "Project_Transaction", "Proj_No, Document_No, Projd_Credit_Amount"),
              (QStringList{"01HOPRJ7", "01HODEL2", "80"}));
}

class Cheques : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (db)
            database().execute("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                               "Branch_Prefix, Document_Next_No) values ('PDC', '01', 'HO', 7)");
    }
    std::unique_ptr<PDC> cheque() {
        auto pdc = service<PDC>(ids::kPDC);
        assign(*pdc, "CompanyPrefix", "01", "BranchPrefix", "HO", "DocumentPrefix", "PDC", "TransactionType",
               "Cash Memo", "BankName", kHostile, "ChequeNo", "000123", "PDCDate", day(10), "PDCDueDate", day(31),
               "ChequeAmount", 420, "ChequeFCAmount", 120, "Cleared", "No", "CustomerID", "01C001", "SourceNo",
               "01HOCHM5", "SourcePrefix", "CHM", "Status", "Outstanding");
        return pdc;
    }
    QString counter() { return rowOf(database(), "Document_Prefix", "Document_Next_No").value(0); }
};

// Refused cheques take no number.
TEST_F(Cheques, ChequesAreNumberedByTheirCounterAndKeptOutstanding) {
    const struct {
        std::function<void(PDC &)> spoil;
        const char *message;
    } cases[] = {
        {[](PDC &p) { p.setChequeAmount(0); }, "ChequeAmount must be greater than 0 (was 0)"},
        {[](PDC &p) { p.setSourceNo(QString()); }, "SourceNo is empty"},
        {[](PDC &p) { p.setBranchPrefix("B2"); }, "Document prefix PDC is not set up for company 01, branch B2"},
    };
    for (const auto &c : cases) {
        auto pdc = cheque();
        c.spoil(*pdc);
        EXPECT_FALSE(pdc->Create_PDC());
        EXPECT_EQ(pdc->ErrDesc(), c.message);
    }
    EXPECT_EQ(rows("PDC_Master"), 0);
    EXPECT_EQ(counter(), "7");
    ASSERT_TRUE(cheque()->Create_PDC());
    ASSERT_TRUE(cheque()->Create_PDC());
    EXPECT_EQ(rowsOf(database(), "PDC_Master", "PDC_No, Cheque_Amount, Cheque_FC_Amount, Bank_Name, Status, Cleared",
                     "Order by PDC_Identity"),
              (QList<QStringList>{{"01HOPDC7", "420", "120", kHostile, "Outstanding", "No"},
                                  {"01HOPDC8", "420", "120", kHostile, "Outstanding", "No"}}));
    EXPECT_EQ(counter(), "9");
}

// A credit memo as a sales return leaves it: the customer credited with the total, sales
// returns debited with the sub-total, discount credited.
class Vouchers : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        for (const char *account : {"01HO1200", "01HO4200", "01HO4300"})
            addAccount(QString::fromLatin1(account));
        addCustomer("01C001");
        database().execute("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                           "Branch_Prefix, Document_Next_No) values ('CRM', '01', 'HO', 3)");
        database().execute("Insert into Voucher_Master (Voucher_No, Voucher_Identity, Company_Prefix, "
                           "Branch_Prefix, Document_Prefix, Voucher_Date, Voucher_Comments, "
                           "Customer_Code, process_Flag, Voucher_Amount) "
                           "values ('01HOCRM5', 5, '01', 'HO', 'CRM', ?, ?, '01C001', 0, 95)",
                           {day(12), kHostile});
        const struct {
            int serial;
            const char *type, *account;
            double debit, credit;
        } lines[] = {
            {1, "Customer", "01HO1200", 0, 95}, {2, "General", "01HO4200", 100, 0}, {3, "General", "01HO4300", 0, 5}};
        for (const auto &l : lines)
            database().execute("Insert into Voucher_Detail (SL_No, Voucher_No, Voucher_Type, Account_No, "
                               "Voucher_Description, Debit_Amount, FC_Debit_Amount, Credit_Amount, "
                               "FC_Credit_Amount) values (?, '01HOCRM5', ?, ?, "
                               "'System Generated Credit Memo.', ?, ?, ?, ?)",
                               {l.serial, QString::fromLatin1(l.type), QString::fromLatin1(l.account), l.debit, l.debit,
                                l.credit, l.credit});
    }
    std::unique_ptr<DebitCreditNote> note() {
        auto object = service<DebitCreditNote>(ids::kDebitCreditNote);
        object->setADOConnectionString(connectionString());
        object->setLastUpdate(day(12));
        return object;
    }
};

// A typed number raises the counter past it.
TEST_F(Vouchers, ProcessingPostsEveryLineAndTheCustomerSide) {
    auto object = note();
    object->setVoucherNo("01HOCRM5");
    object->setDocFlag(true);
    object->setmanualDocIdentity(5);
    QString posted;
    ASSERT_TRUE(object->Process_Voucher(posted)) << object->ErrDesc().toStdString();
    EXPECT_EQ(posted, "01HOCRM5");
    EXPECT_EQ(rowsOf(database(), "General_Ledger",
                     "Account_No, GL_Debit_Amount, GL_Credit_Amount, GL_Comments, "
                     "Document_Prefix",
                     "Order by Account_No"),
              (QList<QStringList>{{"01HO1200", "0", "95", kHostile, "CRM"},
                                  {"01HO4200", "100", "0", kHostile, "CRM"},
                                  {"01HO4300", "0", "5", kHostile, "CRM"}}));
    EXPECT_EQ(rowsOf(database(), "Chart_Of_Accounts", "Posted_Balance", "Order by Account_No"),
              (QList<QStringList>{{"-95"}, {"100"}, {"-5"}}));
    EXPECT_EQ(customerBalance("01C001"), -95);
    EXPECT_EQ(branchBalance("01C001", "HO"), -95);
    EXPECT_EQ(number("Select process_Flag from Voucher_Master"), 1);
    EXPECT_EQ(number("Select Document_Next_No from Document_Prefix"), 6);

    EXPECT_FALSE(object->Process_Voucher(posted));
    EXPECT_EQ(object->ErrDesc(), "Voucher '01HOCRM5' is already processed");
    EXPECT_EQ(rows("General_Ledger"), 3);
}

TEST_F(Vouchers, VouchersThatCannotBePostedWriteNothing) {
    const struct {
        const char *change;
        const char *voucher;
        const char *message;
    } cases[] = {
        {"", "01HOCRM6", "Voucher '01HOCRM6' does not exist"},
        {"Update Voucher_Detail Set Debit_Amount = 90 Where SL_No = 2", "01HOCRM5",
         "Voucher '01HOCRM5' does not balance (home currency): debits 90, credits 100"},
        {"Update Voucher_Detail Set FC_Credit_Amount = 6 Where SL_No = 3", "01HOCRM5",
         "Voucher '01HOCRM5' does not balance (foreign currency): debits 100, credits 101"},
        {"Update Voucher_Detail Set Account_No = '01HO4299' Where SL_No = 2", "01HOCRM5",
         "Account '01HO4299' is not in the chart of accounts"},
        {"Update Voucher_Master Set Customer_Code = '01C404'", "01HOCRM5", "Customer '01C404' does not exist"},
        {"Delete from Voucher_Detail", "01HOCRM5", "Voucher '01HOCRM5' has no lines"},
    };
    for (const auto &c : cases) {
        connection().beginTransaction();
        if (*c.change)
            database().execute(QString::fromLatin1(c.change));
        QString voucher = QString::fromLatin1(c.voucher);
        auto object = note(); // on the test's connection, inside its transaction
        EXPECT_FALSE(object->Process_Voucher(voucher));
        EXPECT_EQ(object->ErrDesc(), c.message);
        EXPECT_EQ(rows("General_Ledger") + rows("Accounts_Receivable_Ledger"), 0);
        EXPECT_EQ(number("Select process_Flag from Voucher_Master"), 0);
        connection().rollback();
    }
}

} // namespace
} // namespace orbsales::testing
