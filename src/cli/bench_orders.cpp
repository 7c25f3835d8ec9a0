#include "bench.h"
#include "demo.h"
#include "front_end.h"
#include "sample_quotation.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"
#include "orbsales/grid/memory_grid.h"

#include <QDateTime>
#include <algorithm>
#include <vector>

namespace orbsales::cli {

namespace {

constexpr int kLinesPerOrder = 10;
// The pre-filled item catalogue grows with the orders: one item per this many order lines.
constexpr int kLinesPerItem = 100;
constexpr double kPrefilledPrice = 10;

void require(FrontEndObject &order, const char *operation) {
    if (!order.call(operation))
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), order.errDesc()));
}

// One order of 10 lines keyed in, saved under its temporary number and processed at once, on
// the open connection the front end holds.
void createAndProcessOrder(Connection &connection, const QString &db, int serial) {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C002");
    sample.customerName = QStringLiteral("Gulf Builders Co.");
    const auto items = demo::items();
    for (int line = 0; line < kLinesPerOrder; ++line)
        sample.lines.push_back({QString::fromUtf8(items[(serial + line) % items.size()].code), double(line + 1)});
    MemoryGrid grid(kLinesPerOrder + 2, kOrderGridColumns);
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&connection));
    order.set("ADOConnectionString", db);
    fillOrder(order, grid, sample);
    require(order, "Create_Order");
    order.set("LastUpdate", QDateTime::currentDateTime());
    require(order, "Process_Order");
}

QVariantList values(std::initializer_list<QVariant> list) { return QVariantList(list); }

// Items of company 99 with their unit, their row in branch BN and the movement that put their
// ordered quantity on order (four rows per item); `ordered` is each one's ordered quantity, so
// that the pre-filled orders and the items agree.
void prefillItems(Connection &connection, const QStringList &codes, const std::vector<double> &ordered,
                  const QDateTime &now, Progress &progress) {
    const int count = int(codes.size());
    insertMany(
        connection, QStringLiteral("Item_Master"),
        {QStringLiteral("Item_Code"), QStringLiteral("Item_Name"), QStringLiteral("Company_Prefix"),
         QStringLiteral("Item_Type"), QStringLiteral("Costing_Type"), QStringLiteral("Unit_Code"),
         QStringLiteral("Unit_Name"), QStringLiteral("Base_Qty"), QStringLiteral("Unit_Price"),
         QStringLiteral("Selling_Price"), QStringLiteral("Last_Update")},
        count,
        [&](int i) {
            return values({codes[i], QStringLiteral("Bench Item ") + codes[i], QStringLiteral("99"),
                           QStringLiteral("0"), QStringLiteral("AVEG"), 1.0, QStringLiteral("Nos"), 1.0,
                           kPrefilledPrice, kPrefilledPrice, now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Item_Detail"),
        {QStringLiteral("Item_Code"), QStringLiteral("Unit_Code"), QStringLiteral("Unit_Name"),
         QStringLiteral("Unit_Qty"), QStringLiteral("Selling_Price"), QStringLiteral("Last_Update")},
        count,
        [&](int i) {
            return values({codes[i], 1.0, QStringLiteral("Nos"), 1.0, kPrefilledPrice, now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Item_Master_Detail"),
        {QStringLiteral("Item_Code"), QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix"),
         QStringLiteral("Base_Qty"), QStringLiteral("Opening_Stock"), QStringLiteral("Opening_Stock_Amount"),
         QStringLiteral("Stock_In_Hand"), QStringLiteral("Stock_Amount"), QStringLiteral("Ordered_Qty"),
         QStringLiteral("Last_Update")},
        count,
        [&](int i) {
            return values({codes[i], QStringLiteral("99"), QStringLiteral("BN"), 1.0, 0.0, 0.0, 0.0, 0.0,
                           ordered[size_t(i)], now});
        },
        &progress);
    // What the pre-filled orders put on order, as the inventory records each change.
    insertMany(
        connection, QStringLiteral("Ordered_Qty_Movement"),
        {QStringLiteral("Item_Code"), QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix"),
         QStringLiteral("Movement_Type"), QStringLiteral("Quantity"), QStringLiteral("Last_Update")},
        count,
        [&](int i) {
            return values({codes[i], QStringLiteral("99"), QStringLiteral("BN"), QStringLiteral("Increase"),
                           ordered[size_t(i)], now});
        },
        &progress);
}

// Pre-filled orders belong to company 99, branch BN, so they never meet the demo's own: one
// processed master per 10 lines, and an item catalogue that grows with them.
void prefillOrders(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const QVariantList company{QStringLiteral("99")};
    const int firstSerial = connection.scalar(QStringLiteral("Select max(SL_No) from Sales_Order_Detail")).toInt() + 1;
    const int firstIdentity =
        connection.scalar(QStringLiteral("Select count(*) from Sales_Order_Master Where Company_Prefix = ?"), company)
            .toInt() +
        1;
    const int firstItem =
        connection.scalar(QStringLiteral("Select count(*) from Item_Master Where Company_Prefix = ?"), company)
            .toInt() +
        1;
    const int orders = (rows + kLinesPerOrder - 1) / kLinesPerOrder;
    const int itemCount = std::max(1, (rows + kLinesPerItem - 1) / kLinesPerItem);
    auto number = [&](int order) { return QStringLiteral("99BNSOR%1").arg(firstIdentity + order); };
    auto quantity = [](int line) { return double(1 + line % kLinesPerOrder); };

    QStringList items;
    for (int i = 0; i < itemCount; ++i)
        items << QStringLiteral("99P%1").arg(firstItem + i);
    std::vector<double> ordered(size_t(itemCount), 0.0);
    for (int line = 0; line < rows; ++line)
        ordered[size_t(line % itemCount)] += quantity(line);
    progress.setTotal(4 * qint64(itemCount) + orders + rows);
    prefillItems(connection, items, ordered, now, progress);

    const double orderAmount = kPrefilledPrice * (kLinesPerOrder * (kLinesPerOrder + 1) / 2);
    insertMany(
        connection, QStringLiteral("Sales_Order_Master"),
        {QStringLiteral("Sales_Ord_No"),
         QStringLiteral("Sales_ord_Identity"),
         QStringLiteral("Company_Prefix"),
         QStringLiteral("Branch_Prefix"),
         QStringLiteral("Document_Prefix"),
         QStringLiteral("Customer_Code"),
         QStringLiteral("customer_name"),
         QStringLiteral("Sales_Ord_Date"),
         QStringLiteral("Foreign_Currency_Flag"),
         QStringLiteral("Currency_Code"),
         QStringLiteral("Currency_Symbol"),
         QStringLiteral("Sales_Ord_SubTotal"),
         QStringLiteral("Sales_Ord_FC_SubTotal"),
         QStringLiteral("Sales_Ord_Disc_Percent"),
         QStringLiteral("Sales_Ord_Disc_Amount"),
         QStringLiteral("Sales_Ord_FC_Disc_Amount"),
         QStringLiteral("Sales_Ord_Total_Amount"),
         QStringLiteral("Sales_Ord_FC_Total_Amount"),
         QStringLiteral("Sales_Quot_No"),
         QStringLiteral("Exchange_Rate"),
         QStringLiteral("Payment_Terms"),
         QStringLiteral("Payment_Type"),
         QStringLiteral("Cancel_Flag"),
         QStringLiteral("Allow_Cancel_Flag"),
         QStringLiteral("process_Flag"),
         QStringLiteral("Invoiced_Flag"),
         QStringLiteral("Delivered_Flag"),
         QStringLiteral("Paid_Flag"),
         QStringLiteral("Year_End_Flag"),
         QStringLiteral("Last_Update")},
        orders,
        [&](int i) {
            return values({number(i),
                           firstIdentity + i,
                           QStringLiteral("99"),
                           QStringLiteral("BN"),
                           QStringLiteral("SOR"),
                           QStringLiteral("99C001"),
                           QStringLiteral("Bench Customer"),
                           now,
                           0,
                           QStringLiteral("AED"),
                           QStringLiteral("Dhs"),
                           orderAmount,
                           orderAmount,
                           0.0,
                           0.0,
                           0.0,
                           orderAmount,
                           orderAmount,
                           QString(),
                           1.0,
                           QStringLiteral("30 Days"),
                           QStringLiteral("Credit"),
                           0,
                           1,
                           1,
                           0,
                           0,
                           0,
                           0,
                           now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Sales_Order_Detail"),
        {QStringLiteral("Sales_Ord_No"), QStringLiteral("SL_No"), QStringLiteral("Item_Code"),
         QStringLiteral("Item_Name"), QStringLiteral("Unit_Code"), QStringLiteral("Unit_Name"),
         QStringLiteral("FOC_Flag"), QStringLiteral("Unit_Qty"), QStringLiteral("Sales_Ord_Ordered_Qty"),
         QStringLiteral("Sales_Ord_Unit_Price"), QStringLiteral("Sales_Ord_FC_Unit_Price"),
         QStringLiteral("Sales_Ord_Dtl_Disc_Percent"), QStringLiteral("Sales_Ord_Disc_Amount"),
         QStringLiteral("Sales_Ord_FC_Disc_Amount"), QStringLiteral("Sales_Ord_Item_Amount"),
         QStringLiteral("Sales_Ord_FC_Item_Amount"), QStringLiteral("Sales_Quot_SL_No"), QStringLiteral("Last_Update")},
        rows,
        [&](int i) {
            const double qty = quantity(i);
            const int item = i % itemCount;
            return values({number(i / kLinesPerOrder), firstSerial + i, items[item],
                           QStringLiteral("Bench Item ") + items[item], 1.0, QStringLiteral("Nos"), 0.0, 1.0, qty,
                           kPrefilledPrice, kPrefilledPrice, 0.0, 0.0, 0.0, qty * kPrefilledPrice,
                           qty * kPrefilledPrice, 0, now});
        },
        &progress);
}

} // namespace

Measurement orderMeasurement() {
    Measurement measurement{"orders (10 lines each, created and processed)", "order", "order lines", nullptr,
                            prefillOrders};
    measurement.createOnConnection = createAndProcessOrder;
    return measurement;
}

} // namespace orbsales::cli
