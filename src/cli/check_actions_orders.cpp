#include "check.h"
#include "demo.h"
#include "front_end.h"
#include "sample_quotation.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"

#include <QDateTime>

namespace orbsales::cli {

namespace {

// What every object of the workload gets: the front end's connection, the switch, a stamp.
void prepare(CheckContext &context, FrontEndObject &object) {
    object.set("LastUpdate", QDateTime::currentDateTime());
    if (context.atomic)
        object.set("AtomicFlag", true);
}

bool answered(CheckContext &context, FrontEndObject &object, const char *operation) {
    if (object.call(operation))
        return true;
    context.refusal = QStringLiteral("%1 %2").arg(QLatin1String(operation), object.errDesc());
    return false;
}

// A few lines of the demo company's items, in the customer's currency half the time for the
// foreign customer.
SampleQuotation randomSale(CheckContext &context) {
    SampleQuotation sale;
    const auto customers = demo::customers();
    const demo::DemoCustomer &customer = customers[size_t(context.pick(int(customers.size())))];
    sale.customerCode = QString::fromUtf8(customer.code);
    sale.customerName = QString::fromUtf8(customer.name);
    sale.currency = QString::fromUtf8(customer.currency);
    sale.branch = context.chance(0.8) ? demo::kHeadOffice : demo::kSecondBranch;
    sale.date = QDate(2026, 12, 1).addDays(context.pick(28));
    sale.discountPercent = context.chance(0.3) ? double(context.pick(3) * 5) : 0;
    const auto items = demo::items();
    const int lines = 1 + context.pick(4);
    for (int i = 0; i < lines; ++i)
        sale.lines.push_back({QString::fromUtf8(items[size_t(context.pick(int(items.size())))].code),
                              double(1 + context.pick(9)), context.chance(0.2) ? 10.0 : 0.0});
    return sale;
}

bool quotation(CheckContext &context) {
    MemoryGrid grid(8, kQuotationGridColumns);
    FrontEndObject quote(QStringLiteral("OrbSales.SalesQuotation"));
    quote.set("ADOConnectionString", context.db);
    fillQuotation(quote, grid, randomSale(context));
    prepare(context, quote);
    return answered(context, quote, "Create_Quotation");
}

// An order keyed in, or raised from an open quotation, then processed in a mode drawn at
// random: offline (numbered, quantities raised) or as a synchronised copy (numbered again here,
// quantities raised) — online processing converts by the branch's preferences.
bool order(CheckContext &context) {
    MemoryGrid grid(8, kOrderGridColumns);
    FrontEndObject created(QStringLiteral("OrbSales.SalesOrder"));
    created.set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    created.set("ADOConnectionString", context.db);
    fillOrder(created, grid, randomSale(context));
    prepare(context, created);
    if (!answered(context, created, "Create_Order"))
        return false;
    if (context.chance(0.2))
        return true; // left under its temporary number, as orders waiting for approval are
    created.set("OnlineFlag", false);
    created.set("SyncFlag", context.chance(0.3));
    return answered(context, created, "Process_Order");
}

bool cancelOrder(CheckContext &context) {
    const QString number = context.pickOne(
        QStringLiteral("Select Sales_Ord_No from Sales_Order_Master Where Cancel_Flag = 0 and Allow_Cancel_Flag = 1"));
    if (number.isEmpty())
        return true;
    FrontEndObject cancelled(QStringLiteral("OrbSales.SalesOrder"));
    cancelled.set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    cancelled.set("ADOConnectionString", context.db);
    cancelled.set("SalesOrdNo", number);
    prepare(context, cancelled);
    if (!answered(context, cancelled, "Get_Order"))
        return false;
    return answered(context, cancelled, "Cancel_Order");
}

} // namespace

std::vector<CheckAction> orderActions() {
    return {{"quotation", 3, quotation}, {"order", 5, order}, {"cancelled order", 1, cancelOrder}};
}

} // namespace orbsales::cli
