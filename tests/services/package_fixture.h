#pragma once

#include "orbsales/frame/registry.h"
#include "orbsales/services/sibling_service.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// A small company for the package's components: company 01 with branches HO and B2, the home
// currency AED and USD at 3.5, and whatever accounts, customers, items and preferences a test
// adds with the builders below. Components are created through the registry and handed the
// test database's open connection.
class PackageTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        for (const char *branch : {"HO", "B2"})
            execute("Insert into Branch_Master (Company_Prefix, Branch_Prefix, Branch_Name) values ('01', ?, 'Branch')",
                    {QString::fromLatin1(branch)});
        execute("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol, Home_Currency_Flag, "
                "Exchange_Rate) values ('AED', 'UAE Dirham', ' Dhs ', 1, 1), ('USD', 'US Dollar', '$', 0, 3.5)");
    }

    Connection &connection() { return database().connection(); }
    void execute(const char *sql, const QVariantList &values = {}) {
        database().execute(QString::fromLatin1(sql), values);
    }

    // Components by identifier, given the open connection.
    template <typename T> std::unique_ptr<T> service(const QString &identifier) {
        std::unique_ptr<T> object = createObject<T>(identifier);
        object->setAdoConnectionObject(&connection());
        return object;
    }

    // Builders.
    void addAccount(const QString &accountNo, double opening = 0, const QString &name = QStringLiteral("Account")) {
        execute("Insert into Chart_Of_Accounts (Account_No, Account_Name, Company_Prefix, Branch_Prefix, "
                "Opening_Balance, Posted_Balance) values (?, ?, ?, ?, ?, 0)",
                {accountNo, name, accountNo.left(2), accountNo.mid(2, 2), opening});
    }
    // A customer of company 01 with a zero balance row in HO and B2.
    void addCustomer(const QString &code) {
        execute("Insert into Customer_Master (Customer_Code, Company_Prefix, customer_name, AR_Account_No, "
                "Customer_Balance) values (?, '01', 'Customer', '01HO1200', 0)",
                {code});
        for (const char *branch : {"HO", "B2"})
            execute("Insert into Customer_Master_Balance (Customer_Code, Company_Prefix, Branch_Prefix, "
                    "Customer_Balance, Customer_Fc_Balance) values (?, '01', ?, 0, 0)",
                    {code, QString::fromLatin1(branch)});
    }
    // An item with its base unit "Nos" and a "Box" of 12.
    void addItem(const QString &code, const QString &type = QStringLiteral("0")) {
        execute("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, Costing_Type, Unit_Code, "
                "Unit_Name, Base_Qty) values (?, ?, '01', ?, 'AVEG', 1, 'Nos', 1)",
                {code, QStringLiteral("Item ") + code, type});
        execute("Insert into Item_Detail (Item_Code, Unit_Code, Unit_Name, Unit_Qty) values (?, 2, 'Box', 12)", {code});
    }
    // The item in a branch with its opening stock (also its stock in hand) and value.
    void addBranchItem(const QString &code, const QString &branch, double stock, double amount) {
        execute("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, Base_Qty, Opening_Stock, "
                "Opening_Stock_Amount, Stock_In_Hand, Stock_Amount, Ordered_Qty) values (?, '01', ?, 1, ?, ?, ?, ?, 0)",
                {code, branch, stock, amount, stock, amount});
    }
    // A purchase lot of the item in the branch, nothing of it sold.
    void addLot(const QString &code, const QString &branch, const QDate &date, double quantity, double amount) {
        execute("Insert into Purchase_Log (Item_Code, Company_Prefix, Branch_Prefix, Purchase_Log_Date, "
                "Total_Purchase_Qty, Sold_Qty, Purchase_Item_Amount) values (?, '01', ?, ?, ?, 0, ?)",
                {code, branch, QDateTime(date, QTime(0, 0)), quantity, amount});
    }
    // Preference rows of a branch with every account column set to 01<branch><code>.
    void addPreferences(const QString &branch) {
        auto account = [&branch](const char *code) { return QStringLiteral("01") + branch + QLatin1String(code); };
        execute("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix, Cash_Sales_Account_No, "
                "Credit_Sales_Account_No, Sales_Disc_Account_No, COG_Account_No, FOC_Account_No, "
                "Sales_Return_Account_No) values ('01', ?, ?, ?, ?, ?, ?, ?)",
                {branch, account("4100"), account("4000"), account("4300"), account("5000"), account("5100"),
                 account("4200")});
        execute("Insert into Default_Account_Preferences (Company_Prefix, Branch_Prefix, Cash_Memo_Account_No, "
                "AdvRec_Account_No) values ('01', ?, ?, ?)",
                {branch, account("1000"), account("2100")});
        execute("Insert into Default_Inventory_Preferences (Company_Prefix, Branch_Prefix, AssemblyItemAc_Posting, "
                "Inventory_Account_No, Negative_Stock_Flag) values ('01', ?, 1, ?, 0)",
                {branch, account("1300")});
    }

    // Readers.
    double number(const QString &sql, const QVariantList &values = {}) {
        return database().scalar(sql, values).toDouble();
    }
    double postedBalance(const QString &accountNo) {
        return number(QStringLiteral("Select Posted_Balance from Chart_Of_Accounts Where Account_No = ?"), {accountNo});
    }
    double customerBalance(const QString &code) {
        return number(QStringLiteral("Select Customer_Balance from Customer_Master Where Customer_Code = ?"), {code});
    }
    double branchBalance(const QString &code, const QString &branch, bool foreign = false) {
        return number(QStringLiteral("Select %1 from Customer_Master_Balance Where Customer_Code = ? and "
                                     "Branch_Prefix = ?")
                          .arg(foreign ? QStringLiteral("Customer_Fc_Balance") : QStringLiteral("Customer_Balance")),
                      {code, branch});
    }
    int rows(const QString &table) { return database().count(table); }

    static QDateTime day(int d) { return QDateTime(QDate(2026, 3, d), QTime(0, 0)); }
    static inline const QString kHostile = QStringLiteral("O'Brien; DROP TABLE General_Ledger;--");
};

} // namespace orbsales::testing
