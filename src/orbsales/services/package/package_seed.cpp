#include "orbsales/services/package/package_seed.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/data/recordset.h"
#include "orbsales/values/numbers.h"
#include "orbsales/services/package/item_store.h"
#include "orbsales/services/package/seed_deliveries.h"
#include "orbsales/services/package/seed_invoices.h"

#include <QDateTime>
#include <utility>
#include <vector>

namespace orbsales::package {

namespace {

using Values = std::vector<std::pair<QString, QVariant>>;

struct AccountSeed {
    const char *code; // after the company and branch prefixes: 01HO1000
    const char *name;
    const char *type;
};

// The same chart in every branch.
constexpr AccountSeed kChart[] = {
    {"1000", "Cash in Hand", "Asset"},          {"1100", "Bank", "Asset"},
    {"1200", "Accounts Receivable", "Asset"},   {"1300", "Inventory", "Asset"},
    {"2100", "Customer Advances", "Liability"}, {"3000", "Opening Balance Equity", "Equity"},
    {"4000", "Credit Sales", "Income"},         {"4100", "Cash Sales", "Income"},
    {"4200", "Sales Returns", "Income"},        {"4300", "Discount Allowed", "Expense"},
    {"5000", "Cost of Goods Sold", "Expense"},  {"5100", "Free of Cost Goods", "Expense"},
};

// Opening stock of every stock item, in base units, and its cost as a share of the price.
constexpr double kOpeningStockHeadOffice = 100;
constexpr double kOpeningStockBranch = 40;
constexpr double kCostShareOfPrice = 0.6;
// Opening money in each branch: head office, other branches.
constexpr double kOpeningCash[] = {5000, 2000};
constexpr double kOpeningBank[] = {25000, 10000};

QString account(const QString &branch, const char *code) { return demo::kCompany + branch + QString::fromLatin1(code); }

void insert(Connection &connection, const QString &table, const Values &values) {
    Recordset rs;
    rs.open(QStringLiteral("Select * from ") + table, {}, connection, CursorType::Keyset);
    rs.addNew();
    for (const auto &[column, value] : values)
        rs.setValue(column, value);
    rs.update();
}

struct SeedItem {
    QString code;
    QString type;
    QString unit;
    double unitCode = 1;
    double price = 0;
};

std::vector<SeedItem> companyItems(Connection &connection) {
    const Connection::Result rows = connection.select(
        QStringLiteral("Select Item_Code, Item_Type, Unit_Name, COALESCE(Unit_Code, 1), "
                       "COALESCE(Selling_Price, Unit_Price, 0) from Item_Master Where Company_Prefix = ? "
                       "Order by Item_Code"),
        {demo::kCompany});
    std::vector<SeedItem> items;
    for (const QVariantList &row : rows.rows) {
        const QString unit = row.at(2).toString().trimmed();
        items.push_back({row.at(0).toString(), row.at(1).toString().trimmed(),
                         unit.isEmpty() ? QStringLiteral("Nos") : unit, row.at(3).toDouble(), row.at(4).toDouble()});
    }
    return items;
}

// Units: the base unit, and a carton of ten for stock items.
void seedUnits(Connection &connection, const SeedItem &item, const QDateTime &now) {
    insert(connection, QStringLiteral("Item_Detail"),
           {{QStringLiteral("Item_Code"), item.code},
            {QStringLiteral("Unit_Code"), item.unitCode},
            {QStringLiteral("Unit_Name"), item.unit},
            {QStringLiteral("Unit_Qty"), 1},
            {QStringLiteral("Selling_Price"), item.price},
            {QStringLiteral("Last_Update"), now}});
    if (!carriesStock(item.type) || item.unit.compare(QStringLiteral("Ctn"), Qt::CaseInsensitive) == 0)
        return;
    insert(connection, QStringLiteral("Item_Detail"),
           {{QStringLiteral("Item_Code"), item.code},
            {QStringLiteral("Unit_Code"), item.unitCode + 1},
            {QStringLiteral("Unit_Name"), QStringLiteral("Ctn")},
            {QStringLiteral("Unit_Qty"), 10},
            {QStringLiteral("Selling_Price"), item.price * 10},
            {QStringLiteral("Last_Update"), now}});
}

// The item in one branch with its opening stock and opening lot; answers the stock's value.
double seedBranchItem(Connection &connection, const SeedItem &item, const QString &branch, bool headOffice,
                      const QDate &openingDate, const QDateTime &now) {
    const bool stocked = carriesStock(item.type);
    const double quantity = !stocked ? 0 : headOffice ? kOpeningStockHeadOffice : kOpeningStockBranch;
    const double unitCost = numbers::roundHalfEven(item.price * kCostShareOfPrice, 2);
    const double value = numbers::roundHalfEven(quantity * unitCost, 2);
    insert(connection, QStringLiteral("Item_Master_Detail"),
           {{QStringLiteral("Item_Code"), item.code},
            {QStringLiteral("Company_Prefix"), demo::kCompany},
            {QStringLiteral("Branch_Prefix"), branch},
            {QStringLiteral("Base_Qty"), 1},
            {QStringLiteral("Opening_Stock"), quantity},
            {QStringLiteral("Opening_Stock_Amount"), value},
            {QStringLiteral("Stock_In_Hand"), quantity},
            {QStringLiteral("Stock_Amount"), value},
            {QStringLiteral("Ordered_Qty"), 0},
            {QStringLiteral("Inventory_Account_No"), account(branch, "1300")},
            {QStringLiteral("COGS_Account_No"), account(branch, "5000")},
            {QStringLiteral("FOC_Account_No"), account(branch, "5100")},
            {QStringLiteral("Sales_Account_No"), account(branch, "4000")},
            {QStringLiteral("Cash_Sales_Account_No"), account(branch, "4100")},
            {QStringLiteral("Last_Update"), now}});
    if (quantity > 0)
        insert(connection, QStringLiteral("Purchase_Log"),
               {{QStringLiteral("Item_Code"), item.code},
                {QStringLiteral("Company_Prefix"), demo::kCompany},
                {QStringLiteral("Branch_Prefix"), branch},
                {QStringLiteral("Purchase_Document_No"), QStringLiteral("Opening Stock")},
                {QStringLiteral("Purchase_Log_Date"), QDateTime(openingDate, QTime(0, 0))},
                {QStringLiteral("Total_Purchase_Qty"), quantity},
                {QStringLiteral("Sold_Qty"), 0},
                {QStringLiteral("Purchase_Item_Amount"), value},
                {QStringLiteral("Last_Update"), now}});
    return value;
}

void seedChart(Connection &connection, const QString &branch, int branchIndex, double inventory, const QDateTime &now) {
    const int money = branchIndex == 0 ? 0 : 1;
    const double cash = kOpeningCash[money];
    const double bank = kOpeningBank[money];
    for (const AccountSeed &seed : kChart) {
        const QString code = QString::fromLatin1(seed.code);
        // Openings balance within the branch: what the branch holds is owed to its equity.
        const double opening = code == QStringLiteral("1000")   ? cash
                               : code == QStringLiteral("1100") ? bank
                               : code == QStringLiteral("1300") ? inventory
                               : code == QStringLiteral("3000") ? -(cash + bank + inventory)
                                                                : 0.0;
        insert(connection, QStringLiteral("Chart_Of_Accounts"),
               {{QStringLiteral("Account_No"), account(branch, seed.code)},
                {QStringLiteral("Account_Name"), QString::fromLatin1(seed.name)},
                {QStringLiteral("Company_Prefix"), demo::kCompany},
                {QStringLiteral("Branch_Prefix"), branch},
                {QStringLiteral("Account_Type"), QString::fromLatin1(seed.type)},
                {QStringLiteral("Opening_Balance"), opening},
                {QStringLiteral("Posted_Balance"), 0},
                {QStringLiteral("Last_Update"), now}});
    }
}

void seedPreferences(Connection &connection, const QString &branch, const QDateTime &now) {
    const Values key{{QStringLiteral("Company_Prefix"), demo::kCompany}, {QStringLiteral("Branch_Prefix"), branch}};
    Values sales = key;
    sales.insert(sales.end(), {{QStringLiteral("Cash_SO_Delivery_Flag"), 0},
                               {QStringLiteral("Cash_SO_Cash_Memo_Flag"), 1},
                               {QStringLiteral("Credit_SO_Delivery_Flag"), 1},
                               {QStringLiteral("Credit_SO_Invoice_Flag"), 1},
                               {QStringLiteral("Cash_Sales_Account_No"), account(branch, "4100")},
                               {QStringLiteral("Credit_Sales_Account_No"), account(branch, "4000")},
                               {QStringLiteral("Sales_Disc_Account_No"), account(branch, "4300")},
                               {QStringLiteral("COG_Account_No"), account(branch, "5000")},
                               {QStringLiteral("FOC_Account_No"), account(branch, "5100")},
                               {QStringLiteral("Sales_Return_Account_No"), account(branch, "4200")},
                               {QStringLiteral("Generate_Credit_Memo"), 1},
                               {QStringLiteral("Reduce_Stocks"), 1},
                               {QStringLiteral("Last_Update"), now}});
    insert(connection, QStringLiteral("Default_Sales_Preferences"), sales);
    Values accounts = key;
    accounts.insert(accounts.end(), {{QStringLiteral("Cash_Memo_Account_No"), account(branch, "1000")},
                                     {QStringLiteral("AdvRec_Account_No"), account(branch, "2100")},
                                     {QStringLiteral("Last_Update"), now}});
    insert(connection, QStringLiteral("Default_Account_Preferences"), accounts);
    Values inventory = key;
    inventory.insert(inventory.end(), {{QStringLiteral("AssemblyItemAc_Posting"), 1},
                                       {QStringLiteral("Inventory_Account_No"), account(branch, "1300")},
                                       {QStringLiteral("Negative_Stock_Flag"), 0},
                                       {QStringLiteral("Last_Update"), now}});
    insert(connection, QStringLiteral("Default_Inventory_Preferences"), inventory);
}

} // namespace

void seedPackageBooks(Connection &connection) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate openingDate(now.date().year(), 1, 1);
    const std::vector<SeedItem> items = companyItems(connection);
    for (const SeedItem &item : items)
        seedUnits(connection, item, now);
    const QStringList branches = demo::branches();
    for (int b = 0; b < branches.size(); ++b) {
        const QString &branch = branches.at(b);
        double inventory = 0;
        for (const SeedItem &item : items)
            inventory += seedBranchItem(connection, item, branch, b == 0, openingDate, now);
        seedChart(connection, branch, b, inventory, now);
        seedPreferences(connection, branch, now);
    }
    insert(connection, QStringLiteral("RentOptions"),
           {{QStringLiteral("reinvoicingoption_flag"), 0}, {QStringLiteral("Last_Update"), now}});
    insert(connection, QStringLiteral("Currency_Rate"),
           {{QStringLiteral("Currency_Code"), demo::kForeignCurrency},
            {QStringLiteral("Rate_Date"), QDateTime(openingDate, QTime(0, 0))},
            {QStringLiteral("Exchange_Rate"), demo::kForeignRate},
            {QStringLiteral("Last_Update"), now}});
    // Demo customers owe to the head office's receivable account unless they name another.
    connection.execute(QStringLiteral("Update Customer_Master Set AR_Account_No = ? Where Company_Prefix = ? and "
                                      "(AR_Account_No is null or AR_Account_No = '')"),
                       {account(demo::kHeadOffice, "1200"), demo::kCompany});
    seedDeliveryBooks(connection);
}

} // namespace orbsales::package
