#include "check_support.h"
#include "front_end.h"
#include "sample_return.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"

#include <algorithm>
#include <cmath>

// Returns: a customer brings back part of what the head office sold, against each kind of
// source the return knows (invoice, direct sales invoice, delivery, direct delivery, cash memo),
// saved and processed online.
namespace orbsales::cli {

namespace {

struct ReturnSource {
    const char *kind;
    const char *name; // in the tally
    const char *master, *detail, *number, *quantity, *processed;
    bool billedApart; // a delivery: what is invoiced comes back against the invoice
    const char *movedBy; // the document whose stock movements took a line's goods out
};

constexpr ReturnSource kSources[] = {
    {"INV", "return of invoice", "Sales_Invoice_Master", "Sales_Invoice_Detail", "Sales_Inv_No", "Sales_Inv_Qty",
     "Processed_Flag", false, "D.Delivery_No"},
    {"DSI", "return of direct invoice", "Direct_Sales_Invoice_Master", "Direct_Sales_Invoice_Detail",
     "Dir_Sales_Inv_No", "Dir_Sales_Inv_Dtl_Qty", "Processed_Flag", false, "D.Dir_Sales_Inv_No"},
    {"DEL", "return of delivery", "Delivery_Master", "Delivery_Detail", "Delivery_No", "Delivery_Qty",
     "Processed_Flag", true, "D.Delivery_No"},
    {"DDL", "return of direct delivery", "Direct_Delivery_Master", "Direct_Delivery_Detail", "Direct_Delivery_No",
     "Direct_Delivery_Qty", "Processed_Flag", true, "D.Direct_Delivery_No"},
    {"CHM", "return of cash memo", "Cash_Memo_Master", "Cash_Memo_Detail", "Cash_Memo_No", "Cash_Memo_Qty",
     "process_Flag", false, "D.Cash_Memo_No"},
};

// What a line of the source has still to come back: what it sold less what came back already,
// and for a delivery less what was invoiced.
QString openQuantity(const ReturnSource &source) {
    return QStringLiteral("D.%1 - COALESCE(D.Return_Qty, 0)%2")
        .arg(QLatin1String(source.quantity),
             source.billedApart ? QStringLiteral(" - COALESCE(D.Invoiced_Qty, 0)") : QString());
}

// A line can come back when its goods left stock: a stock movement of the document that took
// them out, or an item that carries no stock. (The history `init` gives has an invoice of
// deliveries whose goods never left stock.)
QString leftStock(const ReturnSource &source) {
    return QStringLiteral("(exists (Select 1 from Stock_Movement S Where S.Document_No = %1 and S.Item_Code = "
                          "D.Item_Code) or exists (Select 1 from Item_Master I Where I.Item_Code = D.Item_Code and "
                          "TRIM(I.Item_Type) not in ('0', '3')))")
        .arg(QLatin1String(source.movedBy));
}

// A processed, standing source of the head office with lines not yet all returned.
QString openSource(CheckContext &context, const ReturnSource &source) {
    return context.pickOne(
        QStringLiteral("Select M.%3 from %1 M Where M.%4 = 1 and COALESCE(M.Cancel_Flag, 0) = 0 and "
                       "M.Branch_Prefix = 'HO' and exists (Select 1 from %2 D Where D.%3 = M.%3 and %5 > 0 and %6)")
            .arg(QLatin1String(source.master), QLatin1String(source.detail), QLatin1String(source.number),
                 QLatin1String(source.processed), openQuantity(source), leftStock(source)));
}

// Some of the source's open lines, each with a whole part of what is still open.
std::vector<std::pair<QString, double>> randomQuantities(CheckContext &context, const ReturnSource &source,
                                                         const QString &sourceNo) {
    const Connection::Result lines = context.connection.select(
        QStringLiteral("Select D.Item_Code, %1 from %2 D Where D.%3 = ? and %1 > 0 and %4 Order by D.SL_No")
            .arg(openQuantity(source), QLatin1String(source.detail), QLatin1String(source.number), leftStock(source)),
        {sourceNo});
    std::vector<std::pair<QString, double>> quantities;
    for (const QVariantList &line : lines.rows) {
        const QString item = line.at(0).toString().mid(2); // as the grid shows it
        const double open = line.at(1).toDouble();
        const bool taken = std::any_of(quantities.begin(), quantities.end(),
                                       [&item](const auto &asked) { return asked.first == item; });
        if (taken || context.chance(0.4))
            continue;
        quantities.emplace_back(item, std::min(open, double(1 + context.pick(int(std::ceil(open))))));
    }
    return quantities;
}

bool returnFrom(CheckContext &context, const ReturnSource &source) {
    const QString sourceNo = openSource(context, source);
    if (sourceNo.isEmpty())
        return true;
    const auto quantities = randomQuantities(context, source, sourceNo);
    if (quantities.empty())
        return true;
    std::shared_ptr<FrontEndObject> salesReturn = newSalesReturn(context.connection, context.db);
    auto grid = std::make_shared<MemoryGrid>(2, kReturnGridColumns);
    salesReturn->setGrid("SalRetGridName", grid.get());
    prepare(context, *salesReturn);
    if (!keyInReturn(*salesReturn, *grid, {QString::fromLatin1(source.kind), sourceNo, quantities, QString()}))
        return refused(context, QStringLiteral("loading %1: %2").arg(sourceNo, salesReturn->errDesc()));
    if (context.atomic)
        salesReturn->set("AtomicFlag", true);
    bool ticked = false;
    for (int row = 1; row < grid->rowCount(); ++row)
        ticked = ticked || grid->cellText(row, 1) == QLatin1String("1");
    if (!ticked)
        return refused(context, QStringLiteral("%1 offers none of the lines asked for").arg(sourceNo));
    if (!answered(context, *salesReturn, "Create_Sales_Rtn"))
        return false;
    // A return processed offline already puts its goods back on the shelf (location stock), and
    // its synchronised copy does so again: in one database the pair would count them twice.
    return processOnline(context, *salesReturn, "DocFlag", "manualDocIdentity", operation("Return_Process"));
}

template <int Source>
bool returnOf(CheckContext &context) {
    return returnFrom(context, kSources[Source]);
}

} // namespace

std::vector<CheckAction> returnActions() {
    return {{kSources[0].name, 2, returnOf<0>},
            {kSources[1].name, 1, returnOf<1>},
            {kSources[2].name, 1, returnOf<2>},
            {kSources[3].name, 1, returnOf<3>},
            {kSources[4].name, 1, returnOf<4>}};
}

} // namespace orbsales::cli
