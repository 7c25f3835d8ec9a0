#pragma once

#include "orbsales/grid/memory_grid.h"
#include "orbsales/customers/customer_ob.h"
#include "services/package_fixture.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// Opening balances of company 01 in the package's books: branches HO and B2, each with its
// receivable (1200) and advance-receipt (2100) accounts at a zero opening, the advance account
// in the account preferences, and counters COB (invoices) and OBR (receipts) from 1. Customer
// 01C001 (home currency, AED) owes to 01HO1200 and pays "Credit" on "30 Days".
class OpeningBalanceTest : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        for (const char *account : {"01HO1200", "01HO2100", "01B21200", "01B22100"})
            addAccount(QString::fromLatin1(account));
        for (const char *branch : {"HO", "B2"}) {
            addPreferences(QString::fromLatin1(branch));
            execute("Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, Document_Next_No) "
                    "values ('COB', '01', ?, 1), ('OBR', '01', ?, 1)",
                    {QString::fromLatin1(branch), QString::fromLatin1(branch)});
        }
        addCustomer("01C001");
        execute("Update Customer_Master Set Customer_Payment_Terms = '30 Days', Customer_Payment_Type = 'Credit'");
    }

    // The opening-balance screen of a branch for 01C001, on the test's open connection.
    std::unique_ptr<CustomerOB> newOB(LineGrid *grid, const QString &documentPrefix = QStringLiteral("COB"),
                                      const QString &branch = QStringLiteral("HO")) {
        auto ob = std::make_unique<CustomerOB>();
        ob->setAdoConnectionObject(&connection());
        ob->setGridName(grid);
        assign(*ob, "ConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", branch,
               "DocumentPrefix", documentPrefix, "CustomerCode", "01C001", "CustomerName", "Gulf Traders",
               "CurrencyCode", "AED", "Database", "SQLSERVER", "LastUpdate", kStamp);
        return ob;
    }

    // A list grid of `rows` rows; each item {reference, date, amount, rate, comments} goes from row 1.
    static std::unique_ptr<MemoryGrid> items(int rows, const QList<QStringList> &list) {
        auto grid = std::make_unique<MemoryGrid>(rows, 9);
        int row = 1;
        for (const QStringList &item : list)
            grid->setRow(row++, {QString(), item.value(0), item.value(1), item.value(2), QString(), item.value(3),
                                 item.value(4)});
        return grid;
    }

    // Stores a list of the kind and processes it; the items are home-currency amounts dated 1 March.
    void processed(const QString &kind, const QList<QStringList> &list, bool sync = false,
                   const QString &documentPrefix = QStringLiteral("COB")) {
        auto grid = items(8, list);
        auto ob = newOB(grid.get(), documentPrefix);
        ob->setSyncFlag(sync);
        ASSERT_TRUE(ob->Create_OB(kind)) << ob->ErrDesc().toString().toStdString();
        ASSERT_TRUE(ob->Process_OB(kind)) << ob->ErrDesc().toString().toStdString();
    }

    QList<QStringList> rowsOf(const QString &table, const QString &columns, const QString &rest = {}) {
        return testing::rowsOf(database(), table, columns, rest);
    }

    const QDateTime kStamp{QDate(2026, 3, 31), QTime(17, 0)};
};

} // namespace orbsales::testing
