#include "orbsales/services/package/package_messages.h"
#include "services/package_fixture.h"

#include "orbsales/services/debit_credit_note.h"
#include "orbsales/services/pdc.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/sales_log.h"
#include "orbsales/services/service_ids.h"

#include <limits>

namespace orbsales::testing {
namespace {

namespace msg = package::messages;
namespace ids = service_ids;

using Records = PackageTest;

TEST_F(Records, SalesLogKeepsTheLineAndRefusesAnUnknownItem) {
    addItem(QStringLiteral("01A100"));
    auto log = service<SalesLog>(ids::kSalesLog);
    log->setSalesDocumentNo(QStringLiteral("01HOCHM4"));
    log->setCompanyPrefix(QStringLiteral("01"));
    log->setBranchPrefix(QStringLiteral("HO"));
    log->setDocumentPrefix(QStringLiteral("SLG"));
    log->setItemCode(QStringLiteral("01A100"));
    log->setItemName(kHostile);
    log->setSalesQty(3);
    log->setSalesUnitPrice(12.5);
    log->setSalesItemAmount(37.5);
    log->setSalesLogDate(day(9));
    log->setProjNo(QStringLiteral("01HOPRJ7"));
    ASSERT_TRUE(log->Create_SalesLog()) << log->ErrDesc().toStdString();
    // A charge without an item is logged too.
    log->setItemCode(QString());
    ASSERT_TRUE(log->Create_SalesLog()) << log->ErrDesc().toStdString();
    EXPECT_EQ(
        database().count(QStringLiteral("Sales_Log"),
                         QStringLiteral("Sales_Document_No='01HOCHM4' and Sales_Item_Amount=37.5 and Item_Name=?"),
                         {kHostile}),
        2);

    log->setItemCode(QStringLiteral("01Z999"));
    EXPECT_FALSE(log->Create_SalesLog());
    EXPECT_EQ(log->ErrDesc(), msg::unknownItem(QStringLiteral("01Z999")));
    log->setItemCode(QString());
    log->setSalesQty(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(log->Create_SalesLog());
    EXPECT_EQ(log->ErrDesc(), msg::notANumber(QStringLiteral("SalesQty")));
    EXPECT_EQ(rows(QStringLiteral("Sales_Log")), 2);
}

TEST_F(Records, ProjectLinesNeedAProjectAndADocument) {
    auto project = service<ProjectTransaction>(ids::kProjectTransaction);
    project->setDocumentNo(QStringLiteral("01HODEL2"));
    project->setProjdCreditAmount(80);
    project->setProjdFCCreditAmount(80);
    EXPECT_FALSE(project->Save_Project_Transaction());
    EXPECT_EQ(project->ErrDesc(), msg::required(QStringLiteral("ProjNo")));
    project->setProjNo(QStringLiteral("01HOPRJ7"));
    ASSERT_TRUE(project->Save_Project_Transaction()) << project->ErrDesc().toStdString();
    EXPECT_EQ(number(QStringLiteral("Select Projd_Credit_Amount from Project_Transaction Where Proj_No='01HOPRJ7'")),
              80);
}

class Cheques : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                                          "Branch_Prefix, Document_Next_No) values ('PDC', '01', 'HO', 7)"));
    }
    std::unique_ptr<PDC> cheque() {
        auto pdc = service<PDC>(ids::kPDC);
        pdc->setCompanyPrefix(QStringLiteral("01"));
        pdc->setBranchPrefix(QStringLiteral("HO"));
        pdc->setDocumentPrefix(QStringLiteral("PDC"));
        pdc->setTransactionType(QStringLiteral("Cash Memo"));
        pdc->setBankName(kHostile);
        pdc->setChequeNo(QStringLiteral("000123"));
        pdc->setPDCDate(day(10));
        pdc->setPDCDueDate(day(31));
        pdc->setChequeAmount(420);
        pdc->setChequeFCAmount(120);
        pdc->setCleared(QStringLiteral("No"));
        pdc->setCustomerID(QStringLiteral("01C001"));
        pdc->setSourceNo(QStringLiteral("01HOCHM5"));
        pdc->setSourcePrefix(QStringLiteral("CHM"));
        pdc->setStatus(QStringLiteral("Outstanding"));
        return pdc;
    }
};

TEST_F(Cheques, ChequesAreNumberedByTheirCounterAndKeptOutstanding) {
    ASSERT_TRUE(cheque()->Create_PDC());
    ASSERT_TRUE(cheque()->Create_PDC());
    const Connection::Result kept = connection().select(
        QStringLiteral("Select PDC_No, Cheque_Amount, Cheque_FC_Amount, Bank_Name, Status, Cleared from PDC_Master "
                       "Order by PDC_Identity"));
    ASSERT_EQ(kept.rows.size(), 2);
    EXPECT_EQ(kept.rows[0].at(0).toString(), QStringLiteral("01HOPDC7"));
    EXPECT_EQ(kept.rows[1].at(0).toString(), QStringLiteral("01HOPDC8"));
    EXPECT_EQ(kept.rows[0].at(1).toDouble(), 420);
    EXPECT_EQ(kept.rows[0].at(2).toDouble(), 120);
    EXPECT_EQ(kept.rows[0].at(3).toString(), kHostile);
    EXPECT_EQ(kept.rows[0].at(4).toString(), QStringLiteral("Outstanding"));
    EXPECT_EQ(kept.rows[0].at(5).toString(), QStringLiteral("No"));
    EXPECT_EQ(number(QStringLiteral("Select Document_Next_No from Document_Prefix")), 9);
}

TEST_F(Cheques, RefusedChequesTakeNoNumber) {
    struct Case {
        const char *name;
        std::function<void(PDC &)> spoil;
        QString message;
    };
    const Case cases[] = {
        {"no amount", [](PDC &p) { p.setChequeAmount(0); },
         msg::notPositive(QStringLiteral("ChequeAmount"), QStringLiteral("0"))},
        {"no source", [](PDC &p) { p.setSourceNo(QString()); }, msg::required(QStringLiteral("SourceNo"))},
        {"prefix without a counter", [](PDC &p) { p.setBranchPrefix(QStringLiteral("B2")); },
         msg::noDocumentPrefix(QStringLiteral("PDC"), QStringLiteral("01"), QStringLiteral("B2"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto pdc = cheque();
        c.spoil(*pdc);
        EXPECT_FALSE(pdc->Create_PDC());
        EXPECT_EQ(pdc->ErrDesc(), c.message);
        EXPECT_EQ(rows(QStringLiteral("PDC_Master")), 0);
        EXPECT_EQ(number(QStringLiteral("Select Document_Next_No from Document_Prefix")), 7);
    }
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
        addCustomer(QStringLiteral("01C001"));
        database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                                          "Branch_Prefix, Document_Next_No) values ('CRM', '01', 'HO', 3)"));
        database().execute(QStringLiteral("Insert into Voucher_Master (Voucher_No, Voucher_Identity, Company_Prefix, "
                                          "Branch_Prefix, Document_Prefix, Voucher_Date, Voucher_Comments, "
                                          "Customer_Code, process_Flag, Voucher_Amount) "
                                          "values ('01HOCRM5', 5, '01', 'HO', 'CRM', ?, ?, '01C001', 0, 95)"),
                           {day(12), kHostile});
        addLine(1, "Customer", "01HO1200", 0, 95);
        addLine(2, "General", "01HO4200", 100, 0);
        addLine(3, "General", "01HO4300", 0, 5);
    }
    void addLine(int serial, const char *type, const char *account, double debit, double credit) {
        database().execute(
            QStringLiteral("Insert into Voucher_Detail (SL_No, Voucher_No, Voucher_Type, Account_No, "
                           "Voucher_Description, Debit_Amount, FC_Debit_Amount, Credit_Amount, "
                           "FC_Credit_Amount) values (?, '01HOCRM5', ?, ?, "
                           "'System Generated Credit Memo.', ?, ?, ?, ?)"),
            {serial, QString::fromLatin1(type), QString::fromLatin1(account), debit, debit, credit, credit});
    }
    std::unique_ptr<DebitCreditNote> note() {
        auto object = service<DebitCreditNote>(ids::kDebitCreditNote);
        object->setADOConnectionString(connectionString());
        object->setLastUpdate(day(12));
        return object;
    }
};

TEST_F(Vouchers, ProcessingPostsEveryLineAndTheCustomerSide) {
    auto object = note();
    object->setVoucherNo(QStringLiteral("01HOCRM5"));
    QString posted;
    ASSERT_TRUE(object->Process_Voucher(posted)) << object->ErrDesc().toStdString();
    EXPECT_EQ(posted, QStringLiteral("01HOCRM5"));
    EXPECT_EQ(rows(QStringLiteral("General_Ledger")), 3);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO1200")), -95);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4200")), 100);
    EXPECT_EQ(postedBalance(QStringLiteral("01HO4300")), -5);
    EXPECT_EQ(customerBalance(QStringLiteral("01C001")), -95);
    EXPECT_EQ(branchBalance(QStringLiteral("01C001"), QStringLiteral("HO")), -95);
    EXPECT_EQ(database().count(QStringLiteral("General_Ledger"),
                               QStringLiteral("GL_Comments=? and Document_Prefix='CRM'"), {kHostile}),
              3);
    EXPECT_EQ(number(QStringLiteral("Select process_Flag from Voucher_Master")), 1);

    EXPECT_FALSE(object->Process_Voucher(posted));
    EXPECT_EQ(object->ErrDesc(), msg::voucherProcessed(QStringLiteral("01HOCRM5")));
    EXPECT_EQ(rows(QStringLiteral("General_Ledger")), 3);
}

TEST_F(Vouchers, ATypedNumberRaisesTheCounterPastIt) {
    auto object = note();
    object->setDocFlag(true);
    object->setmanualDocIdentity(5);
    QString voucher = QStringLiteral("01HOCRM5");
    ASSERT_TRUE(object->Process_Voucher(voucher)) << object->ErrDesc().toStdString();
    EXPECT_EQ(number(QStringLiteral("Select Document_Next_No from Document_Prefix")), 6);
}

TEST_F(Vouchers, VouchersThatCannotBePostedWriteNothing) {
    struct Case {
        const char *name;
        QString change;
        QString voucher;
        QString message;
    };
    const Case cases[] = {
        {"unknown voucher", QString(), QStringLiteral("01HOCRM6"), msg::unknownVoucher(QStringLiteral("01HOCRM6"))},
        {"does not balance", QStringLiteral("Update Voucher_Detail Set Debit_Amount = 90 Where SL_No = 2"),
         QStringLiteral("01HOCRM5"),
         msg::voucherUnbalanced(QStringLiteral("01HOCRM5"), QStringLiteral("home currency"), QStringLiteral("90"),
                                QStringLiteral("100"))},
        {"foreign side does not balance",
         QStringLiteral("Update Voucher_Detail Set FC_Credit_Amount = 6 Where SL_No = 3"), QStringLiteral("01HOCRM5"),
         msg::voucherUnbalanced(QStringLiteral("01HOCRM5"), QStringLiteral("foreign currency"), QStringLiteral("100"),
                                QStringLiteral("101"))},
        {"account outside the chart",
         QStringLiteral("Update Voucher_Detail Set Account_No = '01HO4299' Where SL_No = 2"),
         QStringLiteral("01HOCRM5"), msg::unknownAccount(QStringLiteral("01HO4299"))},
        {"customer unknown", QStringLiteral("Update Voucher_Master Set Customer_Code = '01C404'"),
         QStringLiteral("01HOCRM5"), msg::unknownCustomer(QStringLiteral("01C404"))},
        {"no lines", QStringLiteral("Delete from Voucher_Detail"), QStringLiteral("01HOCRM5"),
         msg::voucherWithoutLines(QStringLiteral("01HOCRM5"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        connection().beginTransaction();
        if (!c.change.isEmpty())
            database().execute(c.change);
        QString voucher = c.voucher;
        auto object = note(); // on the test's connection, inside its transaction
        EXPECT_FALSE(object->Process_Voucher(voucher));
        EXPECT_EQ(object->ErrDesc(), c.message);
        EXPECT_EQ(rows(QStringLiteral("General_Ledger")), 0);
        EXPECT_EQ(rows(QStringLiteral("Accounts_Receivable_Ledger")), 0);
        EXPECT_EQ(number(QStringLiteral("Select process_Flag from Voucher_Master")), 0);
        connection().rollback();
    }
}

} // namespace
} // namespace orbsales::testing
