#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"
#include "sample_quotation.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <memory>
#include <utility>
#include <vector>

// The sales order's part of the demonstration: an order raised from a quotation, saved under a
// temporary number and processed to its final one, which raises the items' ordered quantities;
// the quotation can no longer be cancelled; a second order is processed and cancelled, which
// lowers the quantities again and opens its quotation again.
namespace orbsales::cli {

namespace {

const QString kOrder = QStringLiteral("OrbSales.SalesOrder");
const QString kQuotation = QStringLiteral("OrbSales.SalesQuotation");

const QStringList kOrderFields{
    QStringLiteral("SalesOrdNo"),          QStringLiteral("SalesOrdIdentity"),   QStringLiteral("SalesQuotNo"),
    QStringLiteral("CustomerCode"),        QStringLiteral("CustomerName"),       QStringLiteral("SalesOrdDate"),
    QStringLiteral("DeliveryDate"),        QStringLiteral("PaymentType"),        QStringLiteral("PaymentTerms"),
    QStringLiteral("CurrencyCode"),        QStringLiteral("CurrencySymbol"),     QStringLiteral("SalesOrdSubTotal"),
    QStringLiteral("SalesOrdDiscPercent"), QStringLiteral("SalesOrdDiscAmount"), QStringLiteral("SalesOrdTotalAmount"),
    QStringLiteral("ProcessFlag"),         QStringLiteral("AllowCancelFlag"),    QStringLiteral("CancelFlag"),
};

// What the order takes over from its quotation: order property, quotation property.
constexpr std::pair<const char *, const char *> kTakenOver[] = {
    {"CompanyPrefix", "CompanyPrefix"},
    {"BranchPrefix", "BranchPrefix"},
    {"CustomerCode", "CustomerCode"},
    {"CustomerName", "CustomerName"},
    {"SalesQuotNo", "SalesQuotNo"},
    {"SalesOrdComments", "SalesQuotComments"},
    {"SalesOrdSubTotal", "SalesQuotSubTotal"},
    {"SalesOrdDiscPercent", "SalesQuotDiscPercent"},
    {"SalesOrdDiscAmount", "SalesQuotDiscAmount"},
    {"SalesOrdTotalAmount", "SalesQuotAmount"},
    {"SalesOrdFCSubTotal", "SalesQuotFCSubTotal"},
    {"SalesOrdFCDiscAmount", "SalesQuotFCDiscAmount"},
    {"SalesOrdFCTotalAmount", "SalesQuotFCAmount"},
    {"ForeignCurrencyFlag", "ForeignCurrencyFlag"},
    {"ExchangeRate", "ExchangeRate"},
    {"CurrencyCode", "CurrencyCode"},
    {"EmployeeID", "EmployeeID"},
    {"EmployeeName", "EmployeeName"},
};

// Where a quotation grid's columns go in the order grid. Columns 1 to 12 are laid out alike;
// the order grid has the project and the quotation line's serial between the discount and
// the price.
constexpr int kSameColumns = 12;
constexpr std::pair<int, int> kMovedColumns[] = {{13, 15} /* price */, {14, 17} /* free of charge */};
constexpr int kQuotationSerialColumn = 14;

// The order screen taking a quotation over: its header into the order's properties, its lines
// into the order grid with the serials of the quotation lines they come from (none: 0).
void takeOverQuotation(FrontEndObject &order, LineGrid &grid, const FrontEndObject &quotation,
                       const LineGrid &quotationGrid, const QList<int> &quotationSerials) {
    for (const auto &[to, from] : kTakenOver)
        order.set(to, quotation.get(from));
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    order.set("DocumentPrefix", QStringLiteral("SOR"));
    order.set("SalesOrdDate", today);
    order.set("DeliveryDate", today.addDays(7));
    order.set("PaymentType", QStringLiteral("Credit"));
    order.set("PaymentTerms", QStringLiteral("30 Days"));
    order.set("AllowCancelFlag", true);
    order.set("AmtDig", 2.0);
    order.set("OnlineFlag", false); // offline: processing numbers the order and raises quantities, no conversion
    order.set("SyncFlag", false);
    order.set("LastUpdate", QDateTime::currentDateTime());

    const int lines = GridLines(quotationGrid).count();
    if (grid.rowCount() < lines + 2)
        grid.setRowCount(lines + 2);
    for (int row = 1; row < grid.rowCount(); ++row)
        for (int col = 1; col < grid.columnCount(); ++col)
            grid.setCellText(row, col, QString());
    for (int row = 1; row <= lines; ++row) {
        for (int col = 1; col <= kSameColumns; ++col)
            grid.setCellText(row, col, quotationGrid.cellText(row, col));
        for (const auto &[from, to] : kMovedColumns)
            grid.setCellText(row, to, quotationGrid.cellText(row, from));
        grid.setCellText(row, kQuotationSerialColumn, QString::number(quotationSerials.value(row - 1, 0)));
    }
    order.setGrid("OrderGridName", &grid);
}

// Captions in the order grid's header row, which the library never reads.
void writeOrderCaptions(LineGrid &grid) {
    static const char *const captions[] = {"",         "Item",     "Name",    "Unit",    "Unit Name",  "Unit Qty",
                                           "Qty",      "FC Price", "Disc %",  "FC Disc", "FC Amount",  "Amount",
                                           "Disc Amt", "Project",  "Quot SL", "Price",   "Project No", "FOC"};
    for (int col = 1; col < kOrderGridColumns && col < grid.columnCount(); ++col)
        grid.setCellText(0, col, QString::fromLatin1(captions[col]));
}

std::unique_ptr<MemoryGrid> newOrderGrid(int rows) {
    auto grid = std::make_unique<MemoryGrid>(rows, kOrderGridColumns);
    writeOrderCaptions(*grid);
    return grid;
}

// An order object as the order screen has it: the front end's open connection and the
// connection string for reading.
std::unique_ptr<FrontEndObject> newOrder(DemoContext &context) {
    auto order = std::make_unique<FrontEndObject>(kOrder);
    order->set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    order->set("ADOConnectionString", context.db);
    return order;
}

std::unique_ptr<FrontEndObject> newQuotation(const DemoContext &context) {
    auto quotation = std::make_unique<FrontEndObject>(kQuotation);
    quotation->set("ADOConnectionString", context.db);
    return quotation;
}

void showOrder(DemoContext &context, const FrontEndObject &order, const LineGrid &grid) {
    printFields(context.out, order.object(), kOrderFields);
    context.out << "\n  OrderGridName:\n";
    printGrid(context.out, grid);
    context.out << '\n';
}

// A new object loads the order into a fresh grid, as a screen opening it does, and shows it.
void reloadOrder(DemoContext &context, const QString &orderNo) {
    auto grid = newOrderGrid(12);
    auto loaded = newOrder(context);
    loaded->set("SalesOrdNo", orderNo);
    loaded->setGrid("OrderGridName", grid.get());
    demoRequire(context, *loaded, "Get_Order", QStringLiteral("reload ") + orderNo);
    showOrder(context, *loaded, *grid);
}

// Opens the quotation as the order screen does and fills a new order from it.
std::unique_ptr<FrontEndObject> raiseOrder(DemoContext &context, const QString &quotationNo, LineGrid &grid) {
    MemoryGrid quotationGrid(12, kQuotationGridColumns);
    auto quotation = newQuotation(context);
    quotation->set("SalesQuotNo", quotationNo);
    quotation->setGrid("QuotationGrid", &quotationGrid);
    demoRequire(context, *quotation, "Get_Quotation", QStringLiteral("open ") + quotationNo);
    // The grid does not show the serials of the quotation lines; the screen reads them beside it.
    QList<int> serials;
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select SL_No from Sales_Quotation_Detail Where Sales_Quot_No = ? Order by SL_No"),
        {quotationNo});
    for (const QVariantList &row : rows.rows)
        serials << row.value(0).toInt();
    auto order = newOrder(context);
    takeOverQuotation(*order, grid, *quotation, quotationGrid, serials);
    return order;
}

void process(DemoContext &context, FrontEndObject &order) {
    const QString temporary = order.text("SalesOrdNo");
    order.set("LastUpdate", QDateTime::currentDateTime());
    demoRequire(context, order, "Process_Order", QStringLiteral("process ") + temporary);
}

// The items' ordered quantity in the head office, in base units, as Item_Master_Detail holds it.
using Quantities = std::vector<std::pair<QString, double>>;

QStringList itemsOf(const SampleQuotation &sample) {
    QStringList codes;
    for (const SampleLine &line : sample.lines)
        if (!codes.contains(line.code))
            codes << line.code;
    return codes;
}

Quantities orderedQuantities(DemoContext &context, const QStringList &codes) {
    Quantities quantities;
    for (const QString &code : codes)
        quantities.emplace_back(
            code, context.connection
                      .scalar(QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code = ? and "
                                             "Branch_Prefix = ?"),
                              {demo::kCompany + code, demo::kHeadOffice})
                      .toDouble());
    return quantities;
}

void printQuantities(DemoContext &context, const Quantities &before, const Quantities &after,
                     const QString &beforeTitle, const QString &afterTitle) {
    QList<QStringList> rows;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const double change = after[i].second - before[i].second;
        rows << QStringList{before[i].first, numbers::numberText(before[i].second),
                            numbers::numberText(after[i].second),
                            (change > 0 ? QStringLiteral("+") : QString()) + numbers::numberText(change)};
    }
    context.out << "  Ordered_Qty in Item_Master_Detail, branch " << demo::kHeadOffice << ":\n";
    printTable(context.out, {QStringLiteral("Item"), beforeTitle, afterTitle, QStringLiteral("Change")}, rows);
    context.out << '\n';
}

// The quotation as a screen shows it after its order: processed, no longer cancellable.
void showQuotationState(DemoContext &context, const QString &quotationNo) {
    MemoryGrid grid(12, kQuotationGridColumns);
    auto quotation = newQuotation(context);
    quotation->set("SalesQuotNo", quotationNo);
    quotation->setGrid("QuotationGrid", &grid);
    demoRequire(context, *quotation, "Get_Quotation", QStringLiteral("reload ") + quotationNo);
    printFields(context.out, quotation->object(),
                {QStringLiteral("SalesQuotNo"), QStringLiteral("ProcessFlag"), QStringLiteral("AllowCancelFlag"),
                 QStringLiteral("CancelFlag")});
    context.out << '\n';
}

SampleQuotation firstSample() {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C001");
    sample.customerName = QStringLiteral("Acme Trading LLC");
    sample.discountPercent = 5;
    sample.reference = QStringLiteral("RFQ-2210");
    sample.comments = QStringLiteral("Order expected after the site visit");
    sample.lines = {{QStringLiteral("A100"), 6}, {QStringLiteral("B100"), 3, 10}, {QStringLiteral("C300"), 120}};
    return sample;
}

SampleQuotation secondSample() {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C002");
    sample.customerName = QStringLiteral("Gulf Builders Co.");
    sample.reference = QStringLiteral("GB/2231");
    sample.lines = {{QStringLiteral("A100"), 2}, {QStringLiteral("A200"), 5}};
    return sample;
}

} // namespace

void fillOrder(FrontEndObject &order, LineGrid &grid, const SampleQuotation &sample) {
    MemoryGrid keyed(int(sample.lines.size()) + 2, kQuotationGridColumns);
    FrontEndObject worked(kQuotation); // never saved: it only works the amounts out
    fillQuotation(worked, keyed, sample);
    takeOverQuotation(order, grid, worked, keyed, {});
}

QString orderFromQuotation(DemoContext &context, const QString &quotationNo, bool show) {
    auto grid = newOrderGrid(8);
    auto order = raiseOrder(context, quotationNo, *grid);
    demoRequire(context, *order, "Create_Order", QStringLiteral("an order from ") + quotationNo);
    process(context, *order);
    const QString orderNo = order->text("SalesOrdNo");
    if (show)
        reloadOrder(context, orderNo);
    return orderNo;
}

void demoOrders(DemoContext &context) {
    QTextStream &out = context.out;

    out << "An order raised from a quotation takes over its customer, amounts and lines. The order works on the\n"
           "front end's open connection; it is saved under a temporary number and gets its final number when\n"
           "it is processed, which also raises the ordered quantity of its items.\n\n";
    const SampleQuotation first = firstSample();
    const QString quotationNo =
        createQuotation(context, first, QStringLiteral("a quotation for Acme Trading LLC, 3 lines"));

    auto grid = newOrderGrid(8);
    auto order = raiseOrder(context, quotationNo, *grid);
    demoRequire(context, *order, "Create_Order", QStringLiteral("an order from ") + quotationNo);
    showOrder(context, *order, *grid);
    const QString temporaryNo = order->text("SalesOrdNo");

    const Quantities beforeProcessing = orderedQuantities(context, itemsOf(first));
    process(context, *order);
    const QString orderNo = order->text("SalesOrdNo");
    const int renumbered =
        context.connection
            .scalar(QStringLiteral("Select count(*) from Sales_Order_Detail Where Sales_Ord_No = ?"), {orderNo})
            .toInt();
    out << "  " << temporaryNo << " is now " << orderNo << "; its " << renumbered << " lines carry the new number.\n\n";
    printQuantities(context, beforeProcessing, orderedQuantities(context, itemsOf(first)), QStringLiteral("before"),
                    QStringLiteral("after processing"));

    out << "A new object reloads " << orderNo
        << " into a fresh grid. A processed order is shown read-only: the grid is\n"
           "cut to its lines and two rows.\n\n";
    reloadOrder(context, orderNo);

    out << "The quotation is processed now and may no longer be cancelled.\n\n";
    showQuotationState(context, quotationNo);
    {
        auto cancelling = newQuotation(context);
        cancelling->set("SalesQuotNo", quotationNo);
        cancelling->set("LastUpdate", QDateTime::currentDateTime());
        if (demoCall(context, *cancelling, "Cancel_Quotation", QStringLiteral("cancel ") + quotationNo))
            throw OrbError(QStringLiteral("Cancel_Quotation accepted a quotation that has an order"));
        out << '\n';
    }

    out << "A second order, processed and then cancelled: cancelling lowers the ordered quantities again and,\n"
           "as no other order refers to its quotation, opens the quotation again.\n\n";
    const SampleQuotation second = secondSample();
    const QString secondQuotationNo =
        createQuotation(context, second, QStringLiteral("a quotation for Gulf Builders Co., 2 lines"));
    const QString secondOrderNo = orderFromQuotation(context, secondQuotationNo);
    const Quantities beforeCancelling = orderedQuantities(context, itemsOf(second));
    {
        // The screen loads the order before cancelling it, which gives the object its quotation.
        auto cancelGrid = newOrderGrid(8);
        auto cancelling = newOrder(context);
        cancelling->set("SalesOrdNo", secondOrderNo);
        cancelling->setGrid("OrderGridName", cancelGrid.get());
        demoRequire(context, *cancelling, "Get_Order", QStringLiteral("open ") + secondOrderNo);
        cancelling->set("LastUpdate", QDateTime::currentDateTime());
        demoRequire(context, *cancelling, "Cancel_Order", QStringLiteral("cancel ") + secondOrderNo);
        out << '\n';
    }
    printQuantities(context, beforeCancelling, orderedQuantities(context, itemsOf(second)),
                    QStringLiteral("with ") + secondOrderNo, QStringLiteral("after cancelling"));
    showQuotationState(context, secondQuotationNo);

    out << "Orders in the database: "
        << context.connection.scalar(QStringLiteral("Select count(*) from Sales_Order_Master")).toInt()
        << ", processed: "
        << context.connection.scalar(QStringLiteral("Select count(*) from Sales_Order_Master Where process_Flag = 1"))
               .toInt()
        << ", cancelled: "
        << context.connection.scalar(QStringLiteral("Select count(*) from Sales_Order_Master Where Cancel_Flag = 1"))
               .toInt()
        << '\n';
}

} // namespace orbsales::cli
