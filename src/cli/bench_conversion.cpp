#include "bench.h"
#include "front_end.h"
#include "demo.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"

#include <QDateTime>

// Orders converted per second: an online credit order of 10 lines in the demo company's head
// office, which the branch's preferences turn into a delivery of every line and an invoice of
// that delivery, each processed online with its stock and postings. The goods are ten items the
// benchmark adds to the head office once per database, in plenty at its location, their value
// owed to the branch's equity so that the books stay in order. The pre-filling gives the order,
// delivery and invoice tables as many more lines each.
namespace orbsales::cli {

namespace {

constexpr int kLinesPerOrder = 10;
constexpr double kStockPerItem = 1e7;
constexpr double kUnitCost = 6;
constexpr double kPrice = 10;

QString item(int line) { return demo::kCompany + QStringLiteral("CV%1").arg(line + 1); }
QString account(const char *code) { return demo::kCompany + demo::kHeadOffice + QLatin1String(code); }

void require(FrontEndObject &order, const char *operation) {
    if (!order.call(operation))
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), order.errDesc()));
}

// The items with their stock and its value, as after a stock take.
void addItems(Connection &connection) {
    if (!connection.scalar(QStringLiteral("Select Item_Code from Item_Master Where Item_Code = ?"), {item(0)}).isNull())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const double value = kStockPerItem * kUnitCost;
    for (int line = 0; line < kLinesPerOrder; ++line) {
        const QString code = item(line);
        const QString name = QStringLiteral("Bench Goods ") + code.mid(2);
        connection.execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, "
                                          "Costing_Type, Unit_Code, Unit_Name, Base_Qty, Unit_Price, Selling_Price, "
                                          "Last_Update) values (?, ?, ?, '0', 'AVEG', 1, 'Nos', 1, ?, ?, ?)"),
                           {code, name, demo::kCompany, kPrice, kPrice, now});
        connection.execute(QStringLiteral("Insert into Item_Detail (Item_Code, Unit_Code, Unit_Name, Unit_Qty, "
                                          "Selling_Price, Last_Update) values (?, 1, 'Nos', 1, ?, ?)"),
                           {code, kPrice, now});
        connection.execute(QStringLiteral("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, "
                                          "Base_Qty, Opening_Stock, Opening_Stock_Amount, Stock_In_Hand, Stock_Amount, "
                                          "Ordered_Qty, Last_Update) values (?, ?, ?, 1, ?, ?, ?, ?, 0, ?)"),
                           {code, demo::kCompany, demo::kHeadOffice, kStockPerItem, value, kStockPerItem, value, now});
        connection.execute(QStringLiteral("Insert into Location_Stock (Company_Prefix, Branch_Prefix, Item_Code, "
                                          "Item_Name, Location_ID, Location_Name, Location_Qty, Opening_Qty, "
                                          "Last_Update) values (?, ?, ?, ?, 1, 'Main Warehouse', ?, ?, ?)"),
                           {demo::kCompany, demo::kHeadOffice, code, name, kStockPerItem, kStockPerItem, now});
    }
    const double total = value * kLinesPerOrder;
    connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = COALESCE(Opening_Balance, 0) + ? "
                                      "Where Account_No = ?"),
                       {total, account("1300")});
    connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = COALESCE(Opening_Balance, 0) - ? "
                                      "Where Account_No = ?"),
                       {total, account("3000")});
}

// One credit order keyed in and processed online: the head office's preferences convert it.
void convertOneOrder(Connection &connection, const QString &db, int) {
    addItems(connection);
    MemoryGrid grid(kLinesPerOrder + 2, kOrderGridColumns);
    for (int line = 0; line < kLinesPerOrder; ++line)
        grid.setRow(line + 1, {QString(), item(line).mid(2), QStringLiteral("Bench Goods"), QStringLiteral("1"),
                               QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("10"),
                               QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("10"),
                               QStringLiteral("0"), QString(), QStringLiteral("0"), QStringLiteral("10"), QString(),
                               QStringLiteral("0")});
    const double total = kPrice * kLinesPerOrder;
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&connection));
    order.set("ADOConnectionString", db);
    order.set("CompanyPrefix", demo::kCompany);
    order.set("BranchPrefix", demo::kHeadOffice);
    order.set("DocumentPrefix", QStringLiteral("SOR"));
    order.set("DeliveryPrefix", QStringLiteral("DEL"));
    order.set("InvoicePrefix", QStringLiteral("INV"));
    order.set("StockMovementPrefix", QStringLiteral("DEL"));
    order.set("SalesLogPrefix", QStringLiteral("INV"));
    order.set("LocationID", 1);
    order.set("LocationName", QStringLiteral("Main Warehouse"));
    order.set("CustomerCode", demo::kCompany + QStringLiteral("C001"));
    order.set("CustomerName", QStringLiteral("Acme Trading LLC"));
    order.set("PaymentType", QStringLiteral("Credit"));
    order.set("PaymentTerms", QStringLiteral("30 Days"));
    order.set("CurrencyCode", demo::kHomeCurrency);
    order.set("ExchangeRate", 1.0);
    order.set("SalesOrdDate", QDateTime(QDate::currentDate(), QTime(0, 0)));
    for (const char *property : {"SalesOrdSubTotal", "SalesOrdTotalAmount", "SalesOrdFCSubTotal", "SalesOrdFCTotalAmount"})
        order.set(property, total);
    order.set("AmtDig", 2.0);
    order.set("OnlineFlag", true);
    order.set("LastUpdate", QDateTime::currentDateTime());
    order.setGrid("OrderGridName", &grid);
    require(order, "Create_Order");
    require(order, "Process_Order");
}

// Every table a conversion writes gets `rows` more: order lines (the order benchmark's pre-fill,
// shown on a line of its own), then delivery and invoice lines (the invoice benchmark's).
void prefillChain(Connection &connection, int rows, Progress &progress) {
    Progress orders(progress.stream(), QStringLiteral("pre-filling order lines"));
    orderMeasurement().prefill(connection, rows, orders);
    orders.finish();
    invoiceMeasurement().prefill(connection, 2 * rows, progress);
}

} // namespace

Measurement conversionMeasurement() {
    Measurement measurement{"orders converted (10 lines each: processed online into a delivery and its invoice)",
                            "order", "order, delivery and invoice lines", nullptr, prefillChain};
    measurement.createOnConnection = convertOneOrder;
    return measurement;
}

} // namespace orbsales::cli
