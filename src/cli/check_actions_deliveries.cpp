#include "check_support.h"
#include "front_end.h"
#include "sample_delivery.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_deliveries.h"
#include "orbsales/values/numbers.h"

#include <algorithm>

// Deliveries: part of each open line of a processed order or cash memo handed over, and direct
// deliveries of a few lines, each processed in a mode drawn at random.
namespace orbsales::cli {

namespace {

struct DeliverySource {
    const char *name;   // what Process_Delivery is told
    const char *loader; // the operation that loads its open lines
    const char *update; // the operation that marks it as in delivery
    const char *openSources;
};

const DeliverySource kFromOrder{
    "SalesOrder", "Get_Order_Details", "Update_Sales_Order",
    "Select M.Sales_Ord_No, M.Branch_Prefix, COALESCE(M.Exchange_Rate, 1) from Sales_Order_Master M Where M.process_Flag = 1 and "
    "COALESCE(M.Cancel_Flag, 0) = 0 and exists (Select 1 from Sales_Order_Detail D Where D.Sales_Ord_No = "
    "M.Sales_Ord_No and COALESCE(D.Sales_Ord_Delivered_Qty, 0) < D.Sales_Ord_Ordered_Qty)"};
const DeliverySource kFromCashMemo{
    "CashMemo", "Get_CashMemo_Details", "Update_Cash_Memo",
    "Select M.Cash_Memo_No, M.Branch_Prefix, COALESCE(M.Exchange_Rate, 1) from Cash_Memo_Master M Where M.process_Flag = 1 and "
    "COALESCE(M.Cancel_Flag, 0) = 0 and exists (Select 1 from Cash_Memo_Detail D Where D.Cash_Memo_No = "
    "M.Cash_Memo_No and COALESCE(D.Cash_Memo_Delivered_Qty, 0) < D.Cash_Memo_Qty)"};

// A delivery note of part of what a source still has open: each open line gets a whole part of
// its open quantity, or all of it, or (a third of the time) none.
bool deliverPart(CheckContext &context, const DeliverySource &source) {
    const QVariantList picked = context.pickRow(QString::fromLatin1(source.openSources));
    if (picked.isEmpty())
        return true;
    const QString sourceNo = picked.at(0).toString();
    const QString branch = picked.at(1).toString().trimmed();
    auto grid = std::make_shared<MemoryGrid>(8, kDeliveryGridColumns);
    writeDeliveryCaptions(*grid);
    std::shared_ptr<FrontEndObject> delivery = newDelivery(context.connection, context.db, branch);
    delivery->set("SourceNo", sourceNo);
    delivery->setGrid("DeliveryGridName", grid.get());
    prepare(context, *delivery);
    if (!answered(context, *delivery, source.loader))
        return false;
    Sellable sellable(context);
    Reservation takes;
    const int ticked = pickLines(*delivery, *grid, branch, [&](int row, double open) {
        if (context.chance(0.33))
            return 0.0;
        const double wanted = context.chance(0.5) ? open : double(1 + context.pick(int(std::max(1.0, open))));
        const QString item = demo::kCompany + grid->cellText(row, 2);
        const double quantity = sellable.take(item, branch, std::min(wanted, open));
        takes[stockKey(item, branch)] += quantity * std::max(1.0, grid->cellNumber(row, 6));
        return quantity;
    });
    if (ticked == 0)
        return true;
    // The loader leaves the rate to the screen, which shows the source's.
    delivery->set("ExchangeRate", delivery->get("ForeignCurrencyFlag").toBool() ? picked.at(2).toDouble() : 1.0);
    delivery->set("SourceName", QString::fromLatin1(source.name));
    delivery->set("DeliveryDate", today());
    if (!answered(context, *delivery, "Create_Delivery") || !answered(context, *delivery, source.update))
        return false;
    const QString from = QString::fromLatin1(source.name);
    return processDrawn(context, delivery, grid, "DocManualFlag", "ManualDeliveryIdentity",
                        [from](CheckContext &later, FrontEndObject &object) {
                            return processDelivery(object, from) ||
                                   refused(later, QStringLiteral("Process_Delivery ") + object.errDesc());
                        },
                        takes);
}

bool orderDelivery(CheckContext &context) { return deliverPart(context, kFromOrder); }
bool cashMemoDelivery(CheckContext &context) { return deliverPart(context, kFromCashMemo); }

// The direct delivery screen: a few lines of the demo items (now and then free of charge), in
// the customer's currency.
Reservation keyDirectDelivery(CheckContext &context, FrontEndObject &direct, LineGrid &grid) {
    const QString branch = randomBranch(context);
    const CheckCustomer customer = randomCustomer(context);
    const double rate = customer.foreign ? demo::kForeignRate : 1.0;
    const package::StockLocation location = package::demoLocation(branch);
    const auto items = demo::items();
    const int lines = 1 + context.pick(3);
    double total = 0, fcTotal = 0;
    Sellable sellable(context);
    Reservation takes;
    int row = 1;
    for (int drawn = 0; drawn < lines; ++drawn) {
        const demo::DemoItem &item = items[size_t(context.pick(int(items.size())))];
        const QString code = demo::kCompany + QString::fromUtf8(item.code);
        const double quantity = sellable.take(code, branch, double(1 + context.pick(5)));
        if (quantity <= 0)
            continue;
        takes[stockKey(code, branch)] += quantity;
        const bool free = context.chance(0.1);
        const double fcPrice = numbers::roundHalfEven(item.price / rate, 2);
        const double fcAmount = free ? 0 : numbers::roundHalfEven(quantity * fcPrice, 2);
        const double amount = free ? 0 : numbers::roundHalfEven(fcAmount * rate, 2);
        total += amount;
        fcTotal += fcAmount;
        const QStringList cells{QString::fromUtf8(item.code), QString::fromUtf8(item.name), QStringLiteral("1"),
                                QString::fromUtf8(item.unit), QStringLiteral("1"), numbers::numberText(quantity),
                                numbers::numberText(fcPrice), QStringLiteral("0"), QStringLiteral("0"),
                                numbers::numberText(fcAmount), numbers::numberText(amount), QStringLiteral("0"),
                                numbers::numberText(item.price), location.name, QString(), QString(),
                                QString::number(location.id), free ? QStringLiteral("1") : QStringLiteral("0")};
        for (int col = 1; col <= cells.size(); ++col)
            grid.setCellText(row, col, cells[col - 1]);
        ++row;
    }
    direct.set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    direct.set("ADOConnectionString", context.db);
    direct.set("CompanyPrefix", demo::kCompany);
    direct.set("BranchPrefix", branch);
    direct.set("DocumentPrefix", QStringLiteral("DDL"));
    direct.set("StockMovementPrefix", QStringLiteral("DDL"));
    direct.set("SalesLogPrefix", QStringLiteral("DDL"));
    direct.set("CustomerCode", customer.code);
    direct.set("CustomerName", customer.name);
    direct.set("PaymentType", QStringLiteral("Credit"));
    direct.set("PaymentTerms", QStringLiteral("30 Days"));
    direct.set("CurrencyCode", customer.currency);
    direct.set("ForeignCurrencyFlag", customer.foreign);
    direct.set("ExchangeRate", rate);
    direct.set("DirectDeliveryDate", today());
    direct.set("DirectDeliveryEndDate", today());
    direct.set("DirectDeliverySubtotal", numbers::roundHalfEven(total, 2));
    direct.set("DirectDeliveryTotalAmount", numbers::roundHalfEven(total, 2));
    direct.set("DirectDeliveryFCSubtotal", numbers::roundHalfEven(fcTotal, 2));
    direct.set("DirectDeliveryFCTotalAmount", numbers::roundHalfEven(fcTotal, 2));
    direct.set("LocationID", location.id);
    direct.set("LocationName", location.name);
    direct.set("AmtDig", 2.0);
    direct.setGrid("DeliveryGridName", &grid);
    return takes;
}

bool directDelivery(CheckContext &context) {
    auto grid = std::make_shared<MemoryGrid>(6, kDirectDeliveryGridColumns);
    writeDirectDeliveryCaptions(*grid);
    auto direct = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.DirectDelivery"));
    const Reservation takes = keyDirectDelivery(context, *direct, *grid);
    if (takes.isEmpty())
        return refused(context, QStringLiteral("nothing in stock to deliver"));
    prepare(context, *direct);
    if (!answered(context, *direct, "Create_Direct_Delivery"))
        return false;
    return processDrawn(context, direct, grid, "DocFlag", "manualDocIdentity", operation("Process_Direct_Delivery"),
                        takes);
}

} // namespace

std::vector<CheckAction> deliveryActions() {
    return {{"order delivery", 5, orderDelivery},
            {"cash memo delivery", 1, cashMemoDelivery},
            {"direct delivery", 3, directDelivery}};
}

} // namespace orbsales::cli
