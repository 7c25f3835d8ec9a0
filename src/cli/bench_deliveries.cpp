#include "bench.h"
#include "demo.h"
#include "front_end.h"
#include "sample_delivery.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/values/errors.h"

#include <QDateTime>
#include <algorithm>

// Deliveries of 10 lines, each loaded from an open order, saved, and processed online with its
// stock, cost of goods, stock movements, location stock and ordered quantities. They belong to
// company 99, branch BD, which the benchmark sets up for them once per database with items in
// plenty, the accounts they post to and one order that never runs out; pre-filled deliveries
// belong to branch BP, so that their numbers never meet the counter's.
namespace orbsales::cli {

namespace {

constexpr int kLinesPerDelivery = 10;
constexpr double kStockPerItem = 1e7;
constexpr double kUnitCost = 6;
constexpr double kPrice = 10;
const QString kCompany = QStringLiteral("99");
const QString kBranch = QStringLiteral("BD");
const QString kCustomer = QStringLiteral("99C900");

QString item(int line) { return QStringLiteral("99DL%1").arg(line + 1); }
QString account(const char *code) { return kCompany + kBranch + QString::fromLatin1(code); }

void require(FrontEndObject &object, const char *operation) {
    if (!object.call(operation))
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), object.errDesc()));
}

// Items with stock at the branch's location, their accounts and preferences, as the books
// would have them after a stock take: verify finds them in order.
void setUpBranch(Connection &connection) {
    const QDateTime now = QDateTime::currentDateTime();
    const double value = kStockPerItem * kUnitCost;
    for (const char *prefix : {"SOR", "DEL"})
        connection.execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, "
                                          "Document_Name, Document_Next_No, Manual_Flag, Last_Update) values "
                                          "(?, ?, ?, 'Benchmark', 1, 0, ?)"),
                           {QString::fromLatin1(prefix), kCompany, kBranch, now});
    const std::pair<const char *, double> accounts[] = {
        {"1300", value * kLinesPerDelivery}, {"3000", -value * kLinesPerDelivery}, {"5000", 0}, {"5100", 0}};
    for (const auto &[code, opening] : accounts)
        connection.execute(QStringLiteral("Insert into Chart_Of_Accounts (Account_No, Account_Name, Company_Prefix, "
                                          "Branch_Prefix, Account_Type, Opening_Balance, Posted_Balance, Last_Update) "
                                          "values (?, 'Benchmark', ?, ?, 'Asset', ?, 0, ?)"),
                           {account(code), kCompany, kBranch, opening, now});
    connection.execute(QStringLiteral("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix, "
                                      "COG_Account_No, FOC_Account_No, Last_Update) values (?, ?, ?, ?, ?)"),
                       {kCompany, kBranch, account("5000"), account("5100"), now});
    connection.execute(QStringLiteral("Insert into Default_Inventory_Preferences (Company_Prefix, Branch_Prefix, "
                                      "AssemblyItemAc_Posting, Inventory_Account_No, Negative_Stock_Flag, Last_Update) "
                                      "values (?, ?, 1, ?, 0, ?)"),
                       {kCompany, kBranch, account("1300"), now});
    for (int line = 0; line < kLinesPerDelivery; ++line) {
        const QString code = item(line);
        connection.execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, "
                                          "Costing_Type, Unit_Code, Unit_Name, Base_Qty, Unit_Price, Selling_Price, "
                                          "Inventory_Account_No, Last_Update) values (?, ?, ?, '0', 'AVEG', 1, 'Nos', "
                                          "1, ?, ?, ?, ?)"),
                           {code, QStringLiteral("Bench Stock ") + code, kCompany, kPrice, kPrice, account("1300"),
                            now});
        connection.execute(QStringLiteral("Insert into Item_Detail (Item_Code, Unit_Code, Unit_Name, Unit_Qty, "
                                          "Selling_Price, Last_Update) values (?, 1, 'Nos', 1, ?, ?)"),
                           {code, kPrice, now});
        connection.execute(QStringLiteral("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, "
                                          "Base_Qty, Opening_Stock, Opening_Stock_Amount, Stock_In_Hand, Stock_Amount, "
                                          "Ordered_Qty, Inventory_Account_No, Last_Update) values (?, ?, ?, 1, ?, ?, "
                                          "?, ?, 0, ?, ?)"),
                           {code, kCompany, kBranch, kStockPerItem, value, kStockPerItem, value, account("1300"), now});
        connection.execute(QStringLiteral("Insert into Location_Stock (Company_Prefix, Branch_Prefix, Item_Code, "
                                          "Item_Name, Location_ID, Location_Name, Location_Qty, Opening_Qty, "
                                          "Last_Update) values (?, ?, ?, ?, 1, 'Main Warehouse', ?, ?, ?)"),
                           {kCompany, kBranch, code, QStringLiteral("Bench Stock ") + code, kStockPerItem,
                            kStockPerItem, now});
    }
}

// The order every delivery takes its lines from: so much on it that it never closes.
QString openOrder(Connection &connection, const QString &db) {
    const QVariant found = connection.scalar(
        QStringLiteral("Select Sales_Ord_No from Sales_Order_Master Where Customer_Code = ? and process_Flag = 1"),
        {kCustomer});
    if (!found.isNull())
        return found.toString();
    setUpBranch(connection);
    MemoryGrid grid(kLinesPerDelivery + 2, kOrderGridColumns);
    for (int line = 0; line < kLinesPerDelivery; ++line)
        grid.setRow(line + 1, {QString(), item(line).mid(2), QStringLiteral("Bench Stock ") + item(line),
                               QStringLiteral("1"), QStringLiteral("Nos"), QStringLiteral("1"),
                               QStringLiteral("1000000"), QStringLiteral("10"), QStringLiteral("0"),
                               QStringLiteral("0"), QStringLiteral("10000000"), QStringLiteral("10000000"),
                               QStringLiteral("0"), QString(), QStringLiteral("0"), QStringLiteral("10"), QString(),
                               QStringLiteral("0")});
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&connection));
    order.set("ADOConnectionString", db);
    order.set("CompanyPrefix", kCompany);
    order.set("BranchPrefix", kBranch);
    order.set("DocumentPrefix", QStringLiteral("SOR"));
    order.set("CustomerCode", kCustomer);
    order.set("CustomerName", QStringLiteral("Bench Delivery Customer"));
    order.set("PaymentType", QStringLiteral("Credit"));
    order.set("PaymentTerms", QStringLiteral("30 Days"));
    order.set("CurrencyCode", QStringLiteral("AED"));
    order.set("SalesOrdDate", QDateTime(QDate::currentDate(), QTime(0, 0)));
    order.set("LastUpdate", QDateTime::currentDateTime());
    order.setGrid("OrderGridName", &grid);
    require(order, "Create_Order");
    require(order, "Process_Order");
    return order.text("SalesOrdNo");
}

// One delivery of one unit of each of the order's 10 lines, saved and processed online.
void createAndProcessDelivery(Connection &connection, const QString &db, int) {
    const QString orderNo = openOrder(connection, db);
    MemoryGrid grid(kLinesPerDelivery + 2, kDeliveryGridColumns);
    auto delivery = newDelivery(connection, db, kBranch);
    delivery->set("CompanyPrefix", kCompany);
    delivery->set("SourceNo", orderNo);
    delivery->setGrid("DeliveryGridName", &grid);
    require(*delivery, "Get_Order_Details");
    pickLines(*delivery, grid, kBranch, [](int, double) { return 1.0; });
    require(*delivery, "Create_Delivery");
    require(*delivery, "Update_Sales_Order");
    if (!processDelivery(*delivery, QStringLiteral("SalesOrder")))
        throw OrbError(QStringLiteral("Process_Delivery failed: ") + delivery->errDesc());
}

QVariantList values(std::initializer_list<QVariant> list) { return QVariantList(list); }

// Processed deliveries of branch BP, 10 lines each, for the same items.
void prefillDeliveries(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const int firstSerial = connection.scalar(QStringLiteral("Select max(SL_No) from Delivery_Detail")).toInt() + 1;
    const int firstIdentity =
        connection.scalar(QStringLiteral("Select count(*) from Delivery_Master Where Branch_Prefix = 'BP'")).toInt() + 1;
    const int deliveries = (rows + kLinesPerDelivery - 1) / kLinesPerDelivery;
    auto number = [&](int delivery) { return QStringLiteral("99BPDEL%1").arg(firstIdentity + delivery); };
    progress.setTotal(qint64(deliveries) + rows);
    insertMany(connection, QStringLiteral("Delivery_Master"),
               {QStringLiteral("Delivery_No"), QStringLiteral("Delivery_Identity"), QStringLiteral("Company_Prefix"),
                QStringLiteral("Branch_Prefix"), QStringLiteral("Document_Prefix"), QStringLiteral("Customer_Code"),
                QStringLiteral("customer_name"), QStringLiteral("Payment_Type"), QStringLiteral("Foreign_Currency_Flag"),
                QStringLiteral("Currency_Code"), QStringLiteral("Delivery_Date"), QStringLiteral("Source_No"),
                QStringLiteral("Source_Prefix"), QStringLiteral("Delivery_SubTotal"),
                QStringLiteral("Delivery_Total_Amount"), QStringLiteral("Exchange_Rate"),
                QStringLiteral("Processed_Flag"), QStringLiteral("Last_Update")},
               deliveries,
               [&](int i) {
                   return values({number(i), firstIdentity + i, kCompany, QStringLiteral("BP"), QStringLiteral("DEL"),
                                  kCustomer, QStringLiteral("Bench Delivery Customer"), QStringLiteral("Credit"), 0,
                                  QStringLiteral("AED"), now, QStringLiteral("99BPSOR%1").arg(i + 1),
                                  QStringLiteral("SOR"), kPrice * kLinesPerDelivery, kPrice * kLinesPerDelivery, 1.0, 1,
                                  now});
               },
               &progress);
    insertMany(connection, QStringLiteral("Delivery_Detail"),
               {QStringLiteral("Delivery_No"), QStringLiteral("SL_No"), QStringLiteral("Item_Code"),
                QStringLiteral("Item_Name"), QStringLiteral("Unit_Code"), QStringLiteral("Unit_Name"),
                QStringLiteral("FOC_Flag"), QStringLiteral("Unit_Qty"), QStringLiteral("Delivery_Qty"),
                QStringLiteral("Sales_Ord_Dtl_SL_No"), QStringLiteral("Delivery_Dtl_Unit_Price"),
                QStringLiteral("Delivery_Item_Amount"), QStringLiteral("Delivery_FC_Item_Amount"),
                QStringLiteral("Location_ID"), QStringLiteral("Location_Name"), QStringLiteral("Inventory_Value"),
                QStringLiteral("Last_Update")},
               rows,
               [&](int i) {
                   return values({number(i / kLinesPerDelivery), firstSerial + i, item(i % kLinesPerDelivery),
                                  QStringLiteral("Bench Stock"), 1.0, QStringLiteral("Nos"), 0.0, 1.0, 1.0,
                                  double(i + 1), kPrice, kPrice, kPrice, 1.0, QStringLiteral("Main Warehouse"),
                                  kUnitCost, now});
               },
               &progress);
}

} // namespace

Measurement deliveryMeasurement() {
    Measurement measurement{"deliveries (10 lines each, loaded from an order, created and processed online)",
                            "delivery", "delivery lines", nullptr, prefillDeliveries};
    measurement.createOnConnection = createAndProcessDelivery;
    return measurement;
}

} // namespace orbsales::cli
