#include "services/package_fixture.h"

namespace orbsales::testing {

void PackageTest::SetUp() {
    DatabaseTest::SetUp();
    if (!db)
        return;
    for (const char *branch : {"HO", "B2"})
        database().execute(QStringLiteral("Insert into Branch_Master (Company_Prefix, Branch_Prefix, Branch_Name) "
                                          "values ('01', ?, 'Branch')"),
                           {QString::fromLatin1(branch)});
    database().execute(
        QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol, "
                       "Home_Currency_Flag, Exchange_Rate) values ('AED', 'UAE Dirham', ' Dhs ', 1, 1)"));
    database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol, "
                                      "Home_Currency_Flag, Exchange_Rate) values ('USD', 'US Dollar', '$', 0, 3.5)"));
}

void PackageTest::addAccount(const QString &accountNo, double opening, const QString &name) {
    database().execute(QStringLiteral("Insert into Chart_Of_Accounts (Account_No, Account_Name, Company_Prefix, "
                                      "Branch_Prefix, Opening_Balance, Posted_Balance) values (?, ?, ?, ?, ?, 0)"),
                       {accountNo, name, accountNo.left(2), accountNo.mid(2, 2), opening});
}

void PackageTest::addCustomer(const QString &code) {
    database().execute(QStringLiteral("Insert into Customer_Master (Customer_Code, Company_Prefix, customer_name, "
                                      "AR_Account_No, Customer_Balance) values (?, '01', 'Customer', '01HO1200', 0)"),
                       {code});
    for (const char *branch : {"HO", "B2"})
        database().execute(QStringLiteral("Insert into Customer_Master_Balance (Customer_Code, Company_Prefix, "
                                          "Branch_Prefix, Customer_Balance, Customer_Fc_Balance) "
                                          "values (?, '01', ?, 0, 0)"),
                           {code, QString::fromLatin1(branch)});
}

void PackageTest::addItem(const QString &code, const QString &type, const QString &costing) {
    database().execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, "
                                      "Costing_Type, Unit_Code, Unit_Name, Base_Qty) values (?, ?, '01', ?, ?, 1, "
                                      "'Nos', 1)"),
                       {code, QStringLiteral("Item ") + code, type, costing});
    database().execute(QStringLiteral("Insert into Item_Detail (Item_Code, Unit_Code, Unit_Name, Unit_Qty) "
                                      "values (?, 2, 'Box', 12)"),
                       {code});
}

void PackageTest::addBranchItem(const QString &code, const QString &branch, double stock, double amount) {
    database().execute(QStringLiteral("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, "
                                      "Base_Qty, Opening_Stock, Opening_Stock_Amount, Stock_In_Hand, Stock_Amount, "
                                      "Ordered_Qty) values (?, '01', ?, 1, ?, ?, ?, ?, 0)"),
                       {code, branch, stock, amount, stock, amount});
}

void PackageTest::addLot(const QString &code, const QString &branch, const QDate &date, double quantity, double amount,
                         double sold) {
    database().execute(QStringLiteral("Insert into Purchase_Log (Item_Code, Company_Prefix, Branch_Prefix, "
                                      "Purchase_Log_Date, Total_Purchase_Qty, Sold_Qty, Purchase_Item_Amount) "
                                      "values (?, '01', ?, ?, ?, ?, ?)"),
                       {code, branch, QDateTime(date, QTime(0, 0)), quantity, sold, amount});
}

void PackageTest::addPreferences(const QString &branch) {
    auto account = [&branch](const char *code) { return QStringLiteral("01") + branch + QString::fromLatin1(code); };
    database().execute(
        QStringLiteral("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix, "
                       "Cash_Sales_Account_No, Credit_Sales_Account_No, Sales_Disc_Account_No, "
                       "COG_Account_No, FOC_Account_No, Sales_Return_Account_No) "
                       "values ('01', ?, ?, ?, ?, ?, ?, ?)"),
        {branch, account("4100"), account("4000"), account("4300"), account("5000"), account("5100"), account("4200")});
    database().execute(QStringLiteral("Insert into Default_Account_Preferences (Company_Prefix, Branch_Prefix, "
                                      "Cash_Memo_Account_No, AdvRec_Account_No) values ('01', ?, ?, ?)"),
                       {branch, account("1000"), account("2100")});
    database().execute(QStringLiteral("Insert into Default_Inventory_Preferences (Company_Prefix, Branch_Prefix, "
                                      "AssemblyItemAc_Posting, Inventory_Account_No, Negative_Stock_Flag) "
                                      "values ('01', ?, 1, ?, 0)"),
                       {branch, account("1300")});
}

double PackageTest::number(const QString &sql, const QVariantList &values) {
    return database().scalar(sql, values).toDouble();
}

double PackageTest::postedBalance(const QString &accountNo) {
    return number(QStringLiteral("Select Posted_Balance from Chart_Of_Accounts Where Account_No = ?"), {accountNo});
}

double PackageTest::customerBalance(const QString &code) {
    return number(QStringLiteral("Select Customer_Balance from Customer_Master Where Customer_Code = ?"), {code});
}

double PackageTest::branchBalance(const QString &code, const QString &branch, bool foreign) {
    return number(QStringLiteral("Select %1 from Customer_Master_Balance Where Customer_Code = ? and "
                                 "Branch_Prefix = ?")
                      .arg(foreign ? QStringLiteral("Customer_Fc_Balance") : QStringLiteral("Customer_Balance")),
                  {code, branch});
}

double PackageTest::stockInHand(const QString &code, const QString &branch) {
    return number(QStringLiteral("Select Stock_In_Hand from Item_Master_Detail Where Item_Code = ? and "
                                 "Branch_Prefix = ?"),
                  {code, branch});
}

double PackageTest::stockAmount(const QString &code, const QString &branch) {
    return number(QStringLiteral("Select Stock_Amount from Item_Master_Detail Where Item_Code = ? and "
                                 "Branch_Prefix = ?"),
                  {code, branch});
}

} // namespace orbsales::testing
