#include "bench.h"
#include "bench_chain.h"
#include "demo.h"
#include "front_end.h"
#include "sample_delivery.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_deliveries.h"
#include "orbsales/values/errors.h"

#include <QDateTime>

// The documents of one chain, keyed in as the order, delivery and invoice screens do. Each
// client works in a branch of the demo company of its own (its own counters, stock rows and
// accounts), for a customer of its own, so that an invoice finds only its own chain's delivery.
// The goods are ten items the benchmark adds once per database, in plenty at each branch's
// location, their value owed to the branch's equity so that the books stay in order.
namespace orbsales::cli {

namespace {

constexpr int kLinesPerOrder = 10;
constexpr int kInvoiceGridColumns = 32;
constexpr double kStockPerItem = 1e9;
constexpr double kUnitCost = 6;
constexpr double kPrice = 10;

QString item(int line) { return demo::kCompany + QStringLiteral("CH%1").arg(line + 1); }
QString account(const QString &branch, const char *code) { return demo::kCompany + branch + QLatin1String(code); }

void require(FrontEndObject &object, const char *operation) {
    if (!object.call(operation))
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), object.errDesc()));
}

void addItems(Connection &connection, const QDateTime &now) {
    for (int line = 0; line < kLinesPerOrder; ++line) {
        const QString code = item(line);
        connection.execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, "
                                          "Costing_Type, Unit_Code, Unit_Name, Base_Qty, Unit_Price, Selling_Price, "
                                          "Last_Update) values (?, ?, ?, '0', 'AVEG', 1, 'Nos', 1, ?, ?, ?)"),
                           {code, QStringLiteral("Chain Goods ") + code.mid(2), demo::kCompany, kPrice, kPrice, now});
        connection.execute(QStringLiteral("Insert into Item_Detail (Item_Code, Unit_Code, Unit_Name, Unit_Qty, "
                                          "Selling_Price, Last_Update) values (?, 1, 'Nos', 1, ?, ?)"),
                           {code, kPrice, now});
    }
}

// The items' stock in the branch, at its location, as after a stock take.
void stockBranch(Connection &connection, const QString &branch, const QDateTime &now) {
    const package::StockLocation location = package::demoLocation(branch);
    const double value = kStockPerItem * kUnitCost;
    for (int line = 0; line < kLinesPerOrder; ++line) {
        const QString code = item(line);
        connection.execute(QStringLiteral("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, "
                                          "Base_Qty, Opening_Stock, Opening_Stock_Amount, Stock_In_Hand, Stock_Amount, "
                                          "Ordered_Qty, Last_Update) values (?, ?, ?, 1, ?, ?, ?, ?, 0, ?)"),
                           {code, demo::kCompany, branch, kStockPerItem, value, kStockPerItem, value, now});
        connection.execute(QStringLiteral("Insert into Location_Stock (Company_Prefix, Branch_Prefix, Item_Code, "
                                          "Item_Name, Location_ID, Location_Name, Location_Qty, Opening_Qty, "
                                          "Last_Update) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                           {demo::kCompany, branch, code, QStringLiteral("Chain Goods ") + code.mid(2), location.id,
                            location.name, kStockPerItem, kStockPerItem, now});
    }
    const double total = value * kLinesPerOrder;
    const QString raise = QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = COALESCE(Opening_Balance, 0) "
                                         "+ ? Where Account_No = ?");
    connection.execute(raise, {total, account(branch, "1300")});
    connection.execute(raise, {-total, account(branch, "3000")});
}

QString customerOf(const QString &branch) { return demo::kCompany + QStringLiteral("CH") + branch; }

// The client's customer, owing to its branch's receivable, so that clients share no account.
void addCustomer(Connection &connection, const QString &branch, const QDateTime &now) {
    const QString code = customerOf(branch);
    connection.execute(QStringLiteral("Insert into Customer_Master (Customer_Code, Company_Prefix, customer_name, "
                                      "Currency_Code, AR_Account_No, Customer_Balance, Last_Update) values "
                                      "(?, ?, ?, ?, ?, 0, ?)"),
                       {code, demo::kCompany, QStringLiteral("Chain Customer ") + branch, demo::kHomeCurrency,
                        account(branch, "1200"), now});
    for (const QString &each : demo::branches())
        connection.execute(QStringLiteral("Insert into Customer_Master_Balance (Customer_Code, Company_Prefix, "
                                          "Branch_Prefix, Customer_Balance, Customer_Fc_Balance) values "
                                          "(?, ?, ?, 0, 0)"),
                           {code, demo::kCompany, each});
}

} // namespace

ChainClient chainClient(int index) {
    const QString branch = index == 0 ? demo::kHeadOffice : demo::kSecondBranch;
    return {branch, customerOf(branch)};
}

void prepareChains(Connection &connection) {
    if (!connection.scalar(QStringLiteral("Select Item_Code from Item_Master Where Item_Code = ?"), {item(0)}).isNull())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    connection.beginTransaction();
    try {
        addItems(connection, now);
        for (int index = 0; index < kChainClients; ++index) {
            const ChainClient client = chainClient(index);
            stockBranch(connection, client.branch, now);
            addCustomer(connection, client.branch, now);
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

namespace {

QString createOrder(Connection &connection, const QString &db, const ChainClient &client) {
    MemoryGrid grid(kLinesPerOrder + 2, kOrderGridColumns);
    for (int line = 0; line < kLinesPerOrder; ++line)
        grid.setRow(line + 1, {QString(), item(line).mid(2), QStringLiteral("Chain Goods"), QStringLiteral("1"),
                               QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("10"),
                               QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("10"),
                               QStringLiteral("0"), QString(), QStringLiteral("0"), QStringLiteral("10"), QString(),
                               QStringLiteral("0")});
    const double total = kPrice * kLinesPerOrder;
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&connection));
    order.set("ADOConnectionString", db);
    order.set("CompanyPrefix", demo::kCompany);
    order.set("BranchPrefix", client.branch);
    order.set("DocumentPrefix", QStringLiteral("SOR"));
    order.set("CustomerCode", client.customer);
    order.set("CustomerName", QStringLiteral("Chain Customer"));
    order.set("PaymentType", QStringLiteral("Credit"));
    order.set("PaymentTerms", QStringLiteral("30 Days"));
    order.set("CurrencyCode", demo::kHomeCurrency);
    order.set("ExchangeRate", 1.0);
    order.set("SalesOrdDate", QDateTime(QDate::currentDate(), QTime(0, 0)));
    for (const char *property : {"SalesOrdSubTotal", "SalesOrdTotalAmount", "SalesOrdFCSubTotal", "SalesOrdFCTotalAmount"})
        order.set(property, total);
    order.set("AmtDig", 2.0);
    order.set("LastUpdate", QDateTime::currentDateTime());
    order.setGrid("OrderGridName", &grid);
    require(order, "Create_Order");
    // Processed offline: the delivery and the invoice are made by hand, not by the branch's
    // preferences.
    require(order, "Process_Order");
    return order.text("SalesOrdNo");
}

void deliverOrder(Connection &connection, const QString &db, const ChainClient &client, const QString &orderNo) {
    MemoryGrid grid(kLinesPerOrder + 2, kDeliveryGridColumns);
    auto delivery = newDelivery(connection, db, client.branch);
    delivery->set("SourceNo", orderNo);
    delivery->setGrid("DeliveryGridName", &grid);
    require(*delivery, "Get_Order_Details");
    if (pickLines(*delivery, grid, client.branch, [](int, double open) { return open; }) != kLinesPerOrder)
        throw OrbError(QStringLiteral("the delivery of %1 was not offered every line").arg(orderNo));
    require(*delivery, "Create_Delivery");
    require(*delivery, "Update_Sales_Order");
    if (!processDelivery(*delivery, QStringLiteral("SalesOrder")))
        throw OrbError(QStringLiteral("Process_Delivery failed: ") + delivery->errDesc());
}

void invoiceDelivery(Connection &connection, const QString &db, const ChainClient &client) {
    invoiceOpenDeliveries(connection, db, client.branch, client.customer, QStringLiteral("Chain Customer"),
                          kLinesPerOrder, QDateTime::currentDateTime());
}

} // namespace

void runChain(Connection &connection, const QString &db, const ChainClient &client) {
    const QString orderNo = createOrder(connection, db, client);
    deliverOrder(connection, db, client, orderNo);
    invoiceDelivery(connection, db, client);
}

} // namespace orbsales::cli
