#include "check_support.h"
#include "demo.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_deliveries.h"

// Quotations and orders: an order keyed in and processed online (converted into a delivery, a
// cash memo or an invoice by the branch's preferences), offline or as a synchronised copy, or
// left waiting under its temporary number; processed orders cancelled.
namespace orbsales::cli {

namespace {

bool quotation(CheckContext &context) {
    MemoryGrid grid(8, kQuotationGridColumns);
    FrontEndObject quote(QStringLiteral("OrbSales.SalesQuotation"));
    quote.set("ADOConnectionString", context.db);
    fillQuotation(quote, grid, randomSale(context));
    prepare(context, quote);
    return answered(context, quote, "Create_Quotation");
}

// Now and then a branch changes what its online orders become. A credit order's invoice is made
// of the delivery made with it, so it is asked for only together with the delivery. A cash order
// becomes a delivery or a cash memo, not both: each of the two takes the goods out of stock.
void maybeChangePreferences(CheckContext &context, const QString &branch) {
    if (!context.chance(0.25))
        return;
    const int creditDelivery = context.pick(2);
    const int creditInvoice = creditDelivery * context.pick(2);
    const int cashDocument = context.pick(3); // 0 none, 1 a delivery, 2 a cash memo
    context.connection.execute(
        QStringLiteral("Update Default_Sales_Preferences Set Cash_SO_Delivery_Flag = ?, Cash_SO_Cash_Memo_Flag = ?, "
                       "Credit_SO_Delivery_Flag = ?, Credit_SO_Invoice_Flag = ? Where Company_Prefix = ? and "
                       "Branch_Prefix = ?"),
        {int(cashDocument == 1), int(cashDocument == 2), creditDelivery, creditInvoice, demo::kCompany, branch});
}

void prepareConversion(CheckContext &context, FrontEndObject &order, const QString &branch) {
    const package::StockLocation location = package::demoLocation(branch);
    order.set("DeliveryPrefix", QStringLiteral("DEL"));
    order.set("CashMemoPrefix", QStringLiteral("CHM"));
    order.set("InvoicePrefix", QStringLiteral("INV"));
    order.set("StockMovementPrefix", QStringLiteral("DEL"));
    order.set("SalesLogPrefix", QStringLiteral("INV"));
    order.set("LocationID", location.id);
    order.set("LocationName", location.name);
    maybeChangePreferences(context, branch);
}

// An order keyed in, saved under its temporary number (where a fifth of them stay, as orders
// waiting for approval do) and processed in a mode drawn at random, its number typed now and then.
bool order(CheckContext &context) {
    MemoryGrid grid(8, kOrderGridColumns);
    FrontEndObject created(QStringLiteral("OrbSales.SalesOrder"));
    created.set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    created.set("ADOConnectionString", context.db);
    const SampleQuotation sale = randomSale(context);
    fillOrder(created, grid, sale);
    if (context.chance(0.3)) {
        created.set("PaymentType", QStringLiteral("Cash"));
        created.set("PaymentTerms", QString());
    }
    const ProcessMode mode = randomMode(context, true);
    if (mode == ProcessMode::Online)
        prepareConversion(context, created, sale.branch);
    prepare(context, created);
    if (!answered(context, created, "Create_Order"))
        return false;
    if (context.chance(0.2))
        return true;
    setMode(created, mode);
    maybeTypeNumber(context, created, "DocManualFlag", "DocIdentity");
    created.set("LastUpdate", QDateTime::currentDateTime());
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
    return {{"quotation", 3, quotation}, {"order", 6, order}, {"cancelled order", 1, cancelOrder}};
}

} // namespace orbsales::cli
