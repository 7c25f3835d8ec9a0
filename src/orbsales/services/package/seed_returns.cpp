#include "orbsales/services/package/seed_returns.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/processed_sales.h"
#include "orbsales/services/package/seed_deliveries.h"

#include <QDateTime>
#include <initializer_list>
#include <utility>

namespace orbsales::package {

namespace {

using Values = std::initializer_list<std::pair<const char *, QVariant>>;

void insert(Connection &connection, const char *table, Values values) {
    Recordset rs;
    rs.open(QStringLiteral("Select * from ") + QString::fromLatin1(table), {}, connection, CursorType::Keyset);
    rs.addNew();
    for (const auto &[column, value] : values)
        rs.setValue(QString::fromLatin1(column), value);
    rs.update();
}

struct CostedItem {
    const char *code;
    const char *name;
    const char *costing;
};

// The same three lots for each item, so that only the costing method tells their costs apart.
constexpr CostedItem kItems[] = {
    {"F100", "Copper Pipe", "FIFO"},
    {"L100", "Paint Drum", "LIFO"},
    {"V100", "Floor Tile", "AVEG"},
};
struct Lot {
    int dayOfYear;
    double quantity;
    double unitCost;
};
constexpr Lot kLots[] = {{10, 20, 5}, {40, 20, 6}, {70, 20, 8}};
constexpr double kPrice = 12;
constexpr double kSoldOnTheInvoice = 6;
constexpr size_t kInvoicedCustomer = 1; // Gulf Builders Co.

QString account(const QString &branch, const char *code) { return demo::kCompany + branch + QString::fromLatin1(code); }

// The item in both branches; its lots and stock in the head office. Answers the stock's value.
double seedItem(Connection &connection, const CostedItem &item, const QDate &yearStart, const QDateTime &now) {
    const QString code = demo::kCompany + QString::fromLatin1(item.code);
    insert(connection, "Item_Master",
           {{"Item_Code", code}, {"Item_Name", QString::fromLatin1(item.name)}, {"Company_Prefix", demo::kCompany},
            {"Item_Type", QStringLiteral("0")}, {"Costing_Type", QString::fromLatin1(item.costing)}, {"Unit_Code", 1},
            {"Unit_Name", QStringLiteral("Nos")}, {"Base_Qty", 1}, {"Unit_Price", kPrice}, {"Selling_Price", kPrice},
            {"Last_Update", now}});
    insert(connection, "Item_Detail",
           {{"Item_Code", code}, {"Unit_Code", 1}, {"Unit_Name", QStringLiteral("Nos")}, {"Unit_Qty", 1},
            {"Selling_Price", kPrice}, {"Last_Update", now}});
    double quantity = 0;
    double value = 0;
    for (const Lot &lot : kLots) {
        insert(connection, "Purchase_Log",
               {{"Item_Code", code}, {"Company_Prefix", demo::kCompany}, {"Branch_Prefix", demo::kHeadOffice},
                {"Purchase_Document_No", QStringLiteral("Purchase %1").arg(lot.dayOfYear)},
                {"Purchase_Log_Date", QDateTime(yearStart.addDays(lot.dayOfYear - 1), QTime(0, 0))},
                {"Total_Purchase_Qty", lot.quantity}, {"Sold_Qty", 0}, {"Purchase_Item_Amount", lot.quantity * lot.unitCost},
                {"Last_Update", now}});
        quantity += lot.quantity;
        value += lot.quantity * lot.unitCost;
    }
    // The lots lie at the head office's location.
    const StockLocation location = demoLocation(demo::kHeadOffice);
    insert(connection, "Location_Stock",
           {{"Company_Prefix", demo::kCompany}, {"Branch_Prefix", demo::kHeadOffice}, {"Item_Code", code},
            {"Item_Name", QString::fromLatin1(item.name)}, {"Location_ID", location.id},
            {"Location_Name", location.name}, {"Location_Qty", quantity}, {"Opening_Qty", quantity},
            {"Last_Update", now}});
    for (const QString &branch : demo::branches()) {
        const bool headOffice = branch == demo::kHeadOffice;
        insert(connection, "Item_Master_Detail",
               {{"Item_Code", code}, {"Company_Prefix", demo::kCompany}, {"Branch_Prefix", branch}, {"Base_Qty", 1},
                {"Opening_Stock", headOffice ? quantity : 0.0}, {"Opening_Stock_Amount", headOffice ? value : 0.0},
                {"Stock_In_Hand", headOffice ? quantity : 0.0}, {"Stock_Amount", headOffice ? value : 0.0},
                {"Ordered_Qty", 0}, {"Inventory_Account_No", account(branch, "1300")},
                {"COGS_Account_No", account(branch, "5000")}, {"FOC_Account_No", account(branch, "5100")},
                {"Sales_Account_No", account(branch, "4000")}, {"Cash_Sales_Account_No", account(branch, "4100")},
                {"Last_Update", now}});
    }
    return value;
}

} // namespace

void seedReturns(Connection &connection) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate yearStart(now.date().year(), 1, 1);
    double inventory = 0;
    for (const CostedItem &item : kItems)
        inventory += seedItem(connection, item, yearStart, now);
    // The stock bought is owed to the head office's equity, as the opening stock is.
    connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = COALESCE(Opening_Balance, 0) + ? "
                                      "Where Account_No = ?"),
                       {inventory, account(demo::kHeadOffice, "1300")});
    connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = COALESCE(Opening_Balance, 0) - ? "
                                      "Where Account_No = ?"),
                       {inventory, account(demo::kHeadOffice, "3000")});
}

void seedReturnHistory(Connection &connection) {
    const QDate yearStart(QDate::currentDate().year(), 1, 1);
    // Gulf Builders bought six of each on a direct sales invoice, which another component of the
    // package keeps: the document the demo company's returns are raised against first.
    const demo::DemoCustomer &customer = demo::customers()[kInvoicedCustomer];
    SaleDocument invoice;
    invoice.kind = SaleKind::DirectInvoice;
    invoice.customerCode = demo::kCompany + QString::fromUtf8(customer.code);
    invoice.customerName = QString::fromUtf8(customer.name);
    invoice.date = QDateTime(yearStart.addDays(79), QTime(0, 0));
    for (const CostedItem &item : kItems)
        invoice.lines.push_back({demo::kCompany + QString::fromLatin1(item.code), QString::fromLatin1(item.name),
                                 QStringLiteral("Nos"), 1, kSoldOnTheInvoice, kPrice, 0, QString()});
    writeProcessedSale(connection, invoice);
}

} // namespace orbsales::package
