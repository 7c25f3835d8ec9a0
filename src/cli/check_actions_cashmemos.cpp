#include "cash_memo_sample.h"
#include "check_support.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"

// Cash memos at the head office's counter: paid by cash, cheque or credit card, or rung up at
// the point of sale (where a customer may bring an item back as a negative line); processed in
// a mode drawn at random; memos cancelled.
namespace orbsales::cli {

namespace {

const QString kCashMemo = QStringLiteral("OrbSales.CashMemo");

bool soldFromLots(CheckContext &context, const QString &itemCode) {
    return context.connection
               .scalar(QStringLiteral("Select COALESCE(SUM(Sold_Qty), 0) from Purchase_Log Where Item_Code = ? and "
                                      "Branch_Prefix = ?"),
                       {itemCode, demo::kHeadOffice})
               .toDouble() >= context.clients;
}

// The memo's lines, each within what the head office may sell, and what they take out of stock.
std::vector<SampleLine> randomLines(CheckContext &context, bool pointOfSale, Reservation &takes) {
    const auto items = demo::items();
    std::vector<SampleLine> lines;
    Sellable sellable(context);
    const int count = 1 + context.pick(3);
    for (int i = 0; i < count; ++i) {
        const QString code = QString::fromUtf8(items[size_t(context.pick(int(items.size())))].code);
        const double wanted = double(1 + context.pick(4));
        // Only a point-of-sale memo takes goods back, after a line that sells, and only goods the
        // shop sold: they go back to the purchase lots they were drawn from.
        if (pointOfSale && !lines.empty() && context.chance(0.3)) {
            if (soldFromLots(context, demo::kCompany + code))
                lines.push_back({code, -1.0, 0});
            continue;
        }
        const double quantity = sellable.take(demo::kCompany + code, demo::kHeadOffice, wanted);
        if (quantity <= 0)
            continue;
        lines.push_back({code, quantity, 0});
        takes[stockKey(demo::kCompany + code, demo::kHeadOffice)] += quantity;
    }
    return lines;
}

// A customer the memo can be made out to: its total is in the home currency.
CheckCustomer homeCustomer(CheckContext &context) {
    CheckCustomer customer = randomCustomer(context);
    while (customer.foreign)
        customer = randomCustomer(context);
    return customer;
}

void setPayment(CheckContext &context, FrontEndObject &memo, int kind) {
    switch (kind) {
    case 1:
        memo.set("PaymentType", QStringLiteral("Cheque"));
        memo.set("ChequeNo", QStringLiteral("%1").arg(100000 + context.pick(900000)));
        memo.set("ChequeBank", QStringLiteral("Emirates NBD"));
        memo.set("ChequeDate", today().addDays(context.pick(60)));
        break;
    case 2:
        memo.set("PaymentType", QStringLiteral("Credit Card"));
        memo.set("CreditCardCode", QStringLiteral("VISA"));
        memo.set("CreditCardName", QStringLiteral("Visa"));
        memo.set("CreditCardNo", QStringLiteral("4111%1").arg(1000 + context.pick(9000)));
        break;
    default:
        memo.set("PaymentType", QStringLiteral("Cash"));
    }
}

// kind: 0 cash, 1 cheque, 2 credit card, 3 point of sale (paid in cash).
bool cashMemo(CheckContext &context, int kind) {
    const bool pointOfSale = kind == 3;
    auto grid = std::make_shared<MemoryGrid>(6, kCashMemoGridColumns);
    writeCashMemoCaptions(*grid);
    auto memo = std::make_shared<FrontEndObject>(kCashMemo);
    memo->set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    memo->set("ADOConnectionString", context.db);
    Reservation takes;
    const std::vector<SampleLine> lines = randomLines(context, pointOfSale, takes);
    if (lines.empty())
        return refused(context, QStringLiteral("nothing in stock to sell"));
    keyCashMemo(*memo, *grid, lines);
    const CheckCustomer customer = homeCustomer(context);
    memo->set("CustomerCode", customer.code);
    memo->set("CustomerName", customer.name);
    setPayment(context, *memo, kind);
    if (pointOfSale)
        memo->set("ReferencePrefix", QStringLiteral("POS"));
    prepare(context, *memo);
    if (!answered(context, *memo, "Create_CashMemo"))
        return false;
    if (context.chance(0.1))
        return true; // left under its temporary number
    return processDrawn(context, memo, grid, "DocFlag", "manualDocIdentity", operation("Process"), takes);
}

bool paidInCash(CheckContext &context) { return cashMemo(context, 0); }
bool paidByCheque(CheckContext &context) { return cashMemo(context, 1); }
bool paidByCard(CheckContext &context) { return cashMemo(context, 2); }
bool pointOfSale(CheckContext &context) { return cashMemo(context, 3); }

bool cancelMemo(CheckContext &context) {
    const QString number = context.pickOne(
        QStringLiteral("Select Cash_Memo_No from Cash_Memo_Master Where COALESCE(Cancel_Flag, 0) = 0"));
    if (number.isEmpty())
        return true;
    MemoryGrid grid(6, kCashMemoGridColumns);
    FrontEndObject memo(kCashMemo);
    memo.set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    memo.set("ADOConnectionString", context.db);
    memo.set("CashMemoNo", number);
    memo.setGrid("CMGridName", &grid);
    prepare(context, memo);
    if (!answered(context, memo, "Get_CashMemo"))
        return false;
    memo.set("LastUpdate", QDateTime::currentDateTime());
    return answered(context, memo, "Cancel_CashMemo");
}

} // namespace

std::vector<CheckAction> cashMemoActions() {
    return {{"cash memo, cash", 3, paidInCash},
            {"cash memo, cheque", 2, paidByCheque},
            {"cash memo, card", 2, paidByCard},
            {"point of sale", 2, pointOfSale},
            {"cancelled memo", 1, cancelMemo}};
}

} // namespace orbsales::cli
