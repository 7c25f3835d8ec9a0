#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"
#include "sample_delivery.h"
#include "sample_quotation.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/seed_deliveries.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <map>
#include <memory>

// The deliveries' part of the demonstration: part of a processed order is delivered and
// processed online (the rest stays open and is offered again), then a direct delivery with a
// stock line, a service line, a free-of-cost line and an assembly line is made and processed,
// with the stock, the ledger and the delivered quantities before and after.
namespace orbsales::cli {

namespace {

using demo::kCompany;
using demo::kHeadOffice;
using demo::kSecondBranch;

const QStringList kItems{QStringLiteral("A100"), QStringLiteral("A200"), QStringLiteral("C300"),
                         QStringLiteral("K100"), QStringLiteral("S100")};

struct StockFigures {
    double inHand = 0;
    double value = 0;
    double ordered = 0;
};
using Stock = std::map<std::pair<QString, QString>, StockFigures>; // (item, branch)

Stock stockOf(DemoContext &context) {
    Stock stock;
    for (const QString &branch : {kHeadOffice, kSecondBranch})
        for (const QString &item : kItems) {
            const Connection::Result row = context.connection.select(
                QStringLiteral("Select COALESCE(Stock_In_Hand, 0), COALESCE(Stock_Amount, 0), COALESCE(Ordered_Qty, 0) "
                               "from Item_Master_Detail Where Item_Code = ? and Branch_Prefix = ?"),
                {kCompany + item, branch});
            if (!row.rows.isEmpty())
                stock[{item, branch}] = {row.rows.first().at(0).toDouble(), row.rows.first().at(1).toDouble(),
                                         row.rows.first().at(2).toDouble()};
        }
    return stock;
}

QString figure(double value) { return numbers::numberText(numbers::roundHalfEven(value, 2)); }

void printStock(DemoContext &context, const Stock &before, const Stock &after) {
    QList<QStringList> rows;
    for (const auto &[key, was] : before) {
        const StockFigures now = after.at(key);
        if (now.inHand == was.inHand && now.value == was.value && now.ordered == was.ordered)
            continue;
        rows << QStringList{key.first,          key.second,        figure(was.inHand), figure(now.inHand),
                            figure(was.value),  figure(now.value), figure(was.ordered), figure(now.ordered)};
    }
    context.out << "  Item_Master_Detail, the items that changed:\n";
    printTable(context.out,
               {QStringLiteral("Item"), QStringLiteral("Branch"), QStringLiteral("In hand before"),
                QStringLiteral("after"), QStringLiteral("Value before"), QStringLiteral("after"),
                QStringLiteral("Ordered before"), QStringLiteral("after")},
               rows);
    context.out << '\n';
}

QList<QStringList> orderLines(DemoContext &context, const QString &orderNo) {
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select Item_Code, Sales_Ord_Ordered_Qty, COALESCE(Sales_Ord_Delivered_Qty, 0) from "
                       "Sales_Order_Detail Where Sales_Ord_No = ? Order by SL_No"),
        {orderNo});
    QList<QStringList> lines;
    for (const QVariantList &row : rows.rows)
        lines << QStringList{row.at(0).toString().mid(2), figure(row.at(1).toDouble()), figure(row.at(2).toDouble())};
    return lines;
}

void printDelivered(DemoContext &context, const QString &orderNo, const QList<QStringList> &before) {
    const QList<QStringList> after = orderLines(context, orderNo);
    QList<QStringList> rows;
    for (qsizetype i = 0; i < before.size() && i < after.size(); ++i)
        rows << QStringList{before[i][0], before[i][1], before[i][2], after[i][2]};
    context.out << "  Sales_Ord_Delivered_Qty of " << orderNo << ":\n";
    printTable(context.out,
               {QStringLiteral("Item"), QStringLiteral("Ordered"), QStringLiteral("Delivered before"),
                QStringLiteral("after")},
               rows);
    context.out << '\n';
}

void printLedger(DemoContext &context, const QString &documentNo) {
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select Account_No, GL_Description, GL_Debit_Amount, GL_Credit_Amount from General_Ledger "
                       "Where Document_No = ? Order by Row_Id"),
        {documentNo});
    QList<QStringList> lines;
    for (const QVariantList &row : rows.rows)
        lines << QStringList{row.at(0).toString(), row.at(1).toString(), figure(row.at(2).toDouble()),
                             figure(row.at(3).toDouble())};
    context.out << "  General_Ledger of " << documentNo << ":\n";
    printTable(context.out,
               {QStringLiteral("Account"), QStringLiteral("Description"), QStringLiteral("Debit"),
                QStringLiteral("Credit")},
               lines);
    context.out << '\n';
}

void printLocations(DemoContext &context, const QString &branch) {
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select Item_Code, Location_ID, Location_Name, Opening_Qty, Location_Qty from Location_Stock "
                       "Where Branch_Prefix = ? Order by Item_Code, Location_ID"),
        {branch});
    QList<QStringList> lines;
    for (const QVariantList &row : rows.rows)
        lines << QStringList{row.at(0).toString().mid(2), row.at(1).toString(), row.at(2).toString(),
                             figure(row.at(3).toDouble()), figure(row.at(4).toDouble())};
    context.out << "  Location_Stock, branch " << branch << ":\n";
    printTable(context.out,
               {QStringLiteral("Item"), QStringLiteral("Location"), QStringLiteral("Name"), QStringLiteral("Opening"),
                QStringLiteral("Now")},
               lines);
    context.out << '\n';
}

// The customer's agreed price for the widget, so that the delivery shows its last price.
void agreePrice(DemoContext &context) {
    const QVariantList key{kCompany + QStringLiteral("C001"), kCompany + QStringLiteral("A100"), 1.0};
    if (context.connection
            .scalar(QStringLiteral("Select count(*) from Customer_Price_List Where Customer_Code = ? and Item_Code = ? "
                                   "and Unit_ID = ?"),
                    key)
            .toInt() > 0)
        return;
    FrontEndObject prices(QStringLiteral("OrbSales.CustomerPriceList"));
    prices.set("ConnectionString", context.db);
    prices.set("CustomerCode", key.at(0));
    prices.set("ItemCode", key.at(1));
    prices.set("ItemName", QStringLiteral("Widget"));
    prices.set("UnitID", 1.0);
    prices.set("UnitName", QStringLiteral("Nos"));
    prices.set("UnitQty", 1.0);
    prices.set("UnitPrice", 12.5);
    prices.set("SellingPrice", 12.0);
    prices.set("LastUpdate", QDateTime::currentDateTime());
    demoRequire(context, prices, "Save_Customer_Price_List", QStringLiteral("an agreed price for Acme's widgets"));
}

QString processedOrder(DemoContext &context) {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C001");
    sample.customerName = QStringLiteral("Acme Trading LLC");
    sample.lines = {{QStringLiteral("A100"), 10}, {QStringLiteral("K100"), 2}, {QStringLiteral("S100"), 3},
                    {QStringLiteral("C300"), 50}};
    MemoryGrid grid(int(sample.lines.size()) + 2, kOrderGridColumns);
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    order.set("ADOConnectionString", context.db);
    fillOrder(order, grid, sample);
    demoRequire(context, order, "Create_Order", QStringLiteral("an order of 4 lines for Acme Trading LLC"));
    order.set("LastUpdate", QDateTime::currentDateTime());
    demoRequire(context, order, "Process_Order", QStringLiteral("process ") + order.text("SalesOrdNo"));
    return order.text("SalesOrdNo");
}

// The direct delivery screen: Gulf Builders in branch B2, where assembly items are not posted
// to the ledger.
void keyDirectDelivery(DemoContext &context, FrontEndObject &direct, LineGrid &grid) {
    const package::StockLocation location = package::demoLocation(kSecondBranch);
    const QString id = QString::number(location.id);
    const QStringList lines[] = {
        {QStringLiteral("A200"), QStringLiteral("Gadget"), QStringLiteral("1"), QStringLiteral("Nos"),
         QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("40"), QStringLiteral("0"), QStringLiteral("0"),
         QStringLiteral("120"), QStringLiteral("120"), QStringLiteral("0"), QStringLiteral("40"), location.name,
         QString(), QString(), id, QStringLiteral("0")},
        {QStringLiteral("S100"), QStringLiteral("Installation Service"), QStringLiteral("1"), QStringLiteral("Hrs"),
         QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("150"), QStringLiteral("0"), QStringLiteral("0"),
         QStringLiteral("150"), QStringLiteral("150"), QStringLiteral("0"), QStringLiteral("150"), location.name,
         QStringLiteral("01B2PRJ0042"), QStringLiteral("0042"), id, QStringLiteral("0")},
        {QStringLiteral("A100"), QStringLiteral("Widget (sample, free of charge)"), QStringLiteral("1"),
         QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("12.5"), QStringLiteral("0"),
         QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("12.5"),
         location.name, QString(), QString(), id, QStringLiteral("1")},
        {QStringLiteral("K100"), QStringLiteral("Tool Kit"), QStringLiteral("1"), QStringLiteral("Set"),
         QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("95"), QStringLiteral("0"), QStringLiteral("0"),
         QStringLiteral("95"), QStringLiteral("95"), QStringLiteral("0"), QStringLiteral("95"), location.name,
         QString(), QString(), id, QStringLiteral("0")},
    };
    int row = 1;
    for (const QStringList &cells : lines) {
        for (int col = 1; col <= cells.size(); ++col)
            grid.setCellText(row, col, cells[col - 1]);
        ++row;
    }
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    direct.set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    direct.set("ADOConnectionString", context.db);
    direct.set("CompanyPrefix", kCompany);
    direct.set("BranchPrefix", kSecondBranch);
    direct.set("DocumentPrefix", QStringLiteral("DDL"));
    direct.set("StockMovementPrefix", QStringLiteral("DDL"));
    direct.set("CustomerCode", kCompany + QStringLiteral("C002"));
    direct.set("CustomerName", QStringLiteral("Gulf Builders Co."));
    direct.set("PaymentType", QStringLiteral("Credit"));
    direct.set("PaymentTerms", QStringLiteral("60 Days"));
    direct.set("CurrencyCode", demo::kHomeCurrency);
    direct.set("DirectDeliveryDate", today);
    direct.set("DirectDeliveryEndDate", today);
    for (const char *total : {"DirectDeliverySubtotal", "DirectDeliveryFCSubtotal", "DirectDeliveryTotalAmount",
                              "DirectDeliveryFCTotalAmount"})
        direct.set(total, 365.0);
    direct.set("DirectDeliveryComments", QStringLiteral("Site delivery with a free sample"));
    direct.set("AmtDig", 2.0);
    direct.set("OnlineFlag", true);
    direct.set("LastUpdate", QDateTime::currentDateTime());
    direct.setGrid("DeliveryGridName", &grid);
}

void showLocationColours(DemoContext &context, const MemoryGrid &grid) {
    QList<QStringList> rows;
    for (int row = 1; row < grid.rowCount() && !grid.cellText(row, 1).isEmpty(); ++row) {
        const QVariant colour = grid.cellProperty(LineGrid::kForeColorSetting, row, 14);
        rows << QStringList{grid.cellText(row, 1), grid.cellText(row, 14),
                            colour.isNull()                                  ? QStringLiteral("(as it was)")
                            : colour.toLongLong() == LineGrid::kBlackText ? QStringLiteral("black (stock item)")
                                                                             : QStringLiteral("grey (no stock)")};
    }
    context.out << "  Text colour of the location column (14):\n";
    printTable(context.out, {QStringLiteral("Item"), QStringLiteral("Location"), QStringLiteral("Colour")}, rows);
    context.out << '\n';
}

} // namespace

QString deliverOrder(DemoContext &context, const OrderDelivery &request, const QString &what) {
    MemoryGrid grid(8, kDeliveryGridColumns);
    writeDeliveryCaptions(grid);
    auto delivery = newDelivery(context.connection, context.db, kHeadOffice);
    delivery->set("SourceNo", request.orderNo);
    delivery->setGrid("DeliveryGridName", &grid);
    demoRequire(context, *delivery, "Get_Order_Details", QStringLiteral("the open lines of ") + request.orderNo);
    pickLines(*delivery, grid, kHeadOffice, request.take);
    context.out << "\n  DeliveryGridName, the ticked lines going now:\n";
    printGrid(context.out, grid);
    context.out << '\n';
    delivery->set("SourceName", QStringLiteral("SalesOrder"));
    delivery->set("DeliveryRefNo", request.reference);
    delivery->set("DeliveryComments", request.comments);
    demoRequire(context, *delivery, "Create_Delivery", what);
    const QString temporaryNo = delivery->text("DeliveryNo");
    demoRequire(context, *delivery, "Update_Sales_Order",
                QStringLiteral("mark ") + request.orderNo + QStringLiteral(" as in delivery"));
    delivery->set("LastUpdate", QDateTime::currentDateTime());
    const bool processed = processDelivery(*delivery, QStringLiteral("SalesOrder"));
    context.out << "> process " << temporaryNo << " online: Process_Delivery(\"SalesOrder\") -> "
                << (processed ? "True" : "False") << '\n';
    if (!processed)
        throw OrbError(QStringLiteral("Process_Delivery failed: ") + delivery->errDesc());
    const QString deliveryNo = delivery->text("DeliveryNo");
    context.out << "  " << temporaryNo << " is now " << deliveryNo << ".\n\n";
    return deliveryNo;
}

void demoDeliveries(DemoContext &context) {
    QTextStream &out = context.out;
    out << "A delivery note is raised against a processed order: the order's open lines load into the grid,\n"
           "the ticked ones are saved under a temporary number, and processing online gives the final number,\n"
           "raises the order's delivered quantities, takes the goods out of stock at their cost and posts it.\n\n";
    agreePrice(context);
    const QString orderNo = processedOrder(context);
    const Stock stockBefore = stockOf(context);
    const QList<QStringList> deliveredBefore = orderLines(context, orderNo);
    out << '\n';

    out << "The storekeeper delivers 6 of the 10 widgets, both tool kits and the installation hours now;\n"
           "the cable stays for later.\n\n";
    const std::map<int, double> now{{1, 6}, {2, 2}, {3, 3}};
    const QString deliveryNo =
        deliverOrder(context,
                     {orderNo, [&now](int row, double) { return now.count(row) ? now.at(row) : 0.0; },
                      QStringLiteral("Gate pass 7731"), QStringLiteral("First part of the order")},
                     QStringLiteral("3 of the 4 lines"));

    out << "The rest of the order is offered again:\n\n";
    {
        MemoryGrid rest(6, kDeliveryGridColumns);
        writeDeliveryCaptions(rest);
        auto again = newDelivery(context.connection, context.db, kHeadOffice);
        again->set("SourceNo", orderNo);
        again->setGrid("DeliveryGridName", &rest);
        demoRequire(context, *again, "Get_Order_Details", QStringLiteral("the open lines of ") + orderNo);
        printGrid(out, rest);
        out << '\n';
    }
    printDelivered(context, orderNo, deliveredBefore);
    printLedger(context, deliveryNo);

    out << "A direct delivery has no source: a stock line, a service line with its project, a free sample and\n"
           "an assembly line, in branch " << kSecondBranch
        << ", where assembly items move stock but are not posted to the ledger.\n\n";
    QString directNo;
    {
        MemoryGrid directGrid(7, kDirectDeliveryGridColumns);
        writeDirectDeliveryCaptions(directGrid);
        FrontEndObject direct(QStringLiteral("OrbSales.DirectDelivery"));
        keyDirectDelivery(context, direct, directGrid);
        demoRequire(context, direct, "Create_Direct_Delivery", QStringLiteral("a direct delivery of 4 lines"));
        const QString temporary = direct.text("DirectDeliveryNo");
        direct.set("LastUpdate", QDateTime::currentDateTime());
        demoRequire(context, direct, "Process_Direct_Delivery", QStringLiteral("process ") + temporary + " online");
        directNo = direct.text("DirectDeliveryNo");
        out << "  " << temporary << " is now " << directNo << ".\n\n";
    }
    {
        MemoryGrid shown(7, kDirectDeliveryGridColumns);
        writeDirectDeliveryCaptions(shown);
        FrontEndObject reader(QStringLiteral("OrbSales.DirectDelivery"));
        reader.set("ADOConnectionString", context.db);
        reader.set("DirectDeliveryNo", directNo);
        reader.setGrid("DeliveryGridName", &shown);
        demoRequire(context, reader, "Get_Direct_Delivery", QStringLiteral("reload ") + directNo);
        out << '\n';
        printGrid(out, shown);
        out << '\n';
        showLocationColours(context, shown);
    }
    printLedger(context, directNo);
    printStock(context, stockBefore, stockOf(context));
    printLocations(context, kHeadOffice);
    printLocations(context, kSecondBranch);
    out << "  Acme's last selling price for the widget: "
        << figure(context.connection
                      .scalar(QStringLiteral("Select Last_Selling_Price from Customer_Price_List Where Customer_Code = ? "
                                             "and Item_Code = ?"),
                              {kCompany + QStringLiteral("C001"), kCompany + QStringLiteral("A100")})
                      .toDouble())
        << "\n\n";
    const QStringList breaches = package::verifyBooks(context.connection);
    out << "orbsales verify: "
        << (breaches.isEmpty() ? QStringLiteral("the books hold together")
                               : QStringLiteral("%1 breaches, the first: %2").arg(breaches.size()).arg(breaches.first()))
        << '\n';
}

} // namespace orbsales::cli
