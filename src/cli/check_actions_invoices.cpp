#include "check_support.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QMetaObject>

// Invoices: a customer's processed deliveries offered over one branch or every branch, some of
// the lines ticked and invoiced in a mode drawn at random; processed or waiting invoices cancelled.
namespace orbsales::cli {

namespace {

constexpr int kInvoiceGridColumns = 32; // columns 1 to 31 are the invoice's

// Customers with delivery lines not yet invoiced, with the branch of one such delivery.
const QString kUninvoiced = QStringLiteral(
    "Select M.Customer_Code, M.Branch_Prefix, M.Currency_Code, COALESCE(M.Foreign_Currency_Flag, 0), "
    "COALESCE(M.Exchange_Rate, 1), M.customer_name from Delivery_Master M Where M.Processed_Flag = 1 and "
    "COALESCE(M.Cancel_Flag, 0) = 0 and exists (Select 1 from Delivery_Detail D Where D.Delivery_No = M.Delivery_No "
    "and COALESCE(D.Invoiced_Qty, 0) < D.Delivery_Qty) "
    "Union Select M.Customer_Code, M.Branch_Prefix, M.Currency_Code, COALESCE(M.Foreign_Currency_Flag, 0), "
    "COALESCE(M.Exchange_Rate, 1), M.customer_name from Direct_Delivery_Master M Where M.Processed_Flag = 1 and "
    "COALESCE(M.Cancel_Flag, 0) = 0 and exists (Select 1 from Direct_Delivery_Detail D Where D.Direct_Delivery_No = "
    "M.Direct_Delivery_No and COALESCE(D.Invoiced_Qty, 0) < D.Direct_Delivery_Qty)");

bool offerDeliveries(CheckContext &context, FrontEndObject &invoice, bool allBranches) {
    bool flag = allBranches;
    bool result = false;
    if (!QMetaObject::invokeMethod(&invoice.object(), "Get_Delivery_Details", Qt::DirectConnection,
                                   Q_RETURN_ARG(bool, result), Q_ARG(bool &, flag)))
        throw OrbError(QStringLiteral("OrbSales.SalesInvoice has no operation Get_Delivery_Details(Boolean&)"));
    return result || refused(context, QStringLiteral("Get_Delivery_Details ") + invoice.errDesc());
}

// What the ticked lines come to in the invoice's currency, as the posting works them out: each
// charged line at its quantity times its price less its discounts, rounded; free lines at nothing.
struct Ticked {
    double gross = 0;
    double discounts = 0;
};

// Ticks some of the offered lines (at least one).
Ticked tickLines(CheckContext &context, LineGrid &grid) {
    int offered = 0;
    while (offered + 1 < grid.rowCount() && !grid.cellText(offered + 1, 3).isEmpty())
        ++offered;
    const int always = 1 + context.pick(offered);
    auto money = [](double value) { return numbers::roundHalfEven(value, 2); };
    Ticked ticked;
    for (int row = 1; row <= offered; ++row) {
        if (row != always && context.chance(0.4))
            continue;
        grid.setCellText(row, 1, QStringLiteral("1"));
        if (grid.cellNumber(row, 29) != 0)
            continue; // free of cost
        const double quantity = grid.cellNumber(row, 10);
        ticked.gross += money(quantity * grid.cellNumber(row, 12));
        ticked.discounts += money(quantity * grid.cellNumber(row, 13)) + money(grid.cellNumber(row, 24));
    }
    return ticked;
}

bool invoice(CheckContext &context) {
    const QVariantList customer = context.pickRow(kUninvoiced);
    if (customer.isEmpty())
        return true;
    auto grid = std::make_shared<MemoryGrid>(4, kInvoiceGridColumns);
    auto invoice = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.SalesInvoice"));
    invoice->set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    invoice->set("ADOConnectionString", context.db);
    invoice->set("CompanyPrefix", demo::kCompany);
    invoice->set("BranchPrefix", customer.at(1).toString().trimmed());
    invoice->set("DocumentPrefix", QStringLiteral("INV"));
    invoice->set("CustomerCode", customer.at(0).toString());
    invoice->setGrid("InvoiceGridName", grid.get());
    prepare(context, *invoice);
    if (!offerDeliveries(context, *invoice, context.chance(0.3)))
        return false;
    if (grid->cellText(1, 3).isEmpty())
        return true; // its open deliveries lie in another branch
    const Ticked ticked = tickLines(context, *grid);
    const bool foreign = customer.at(3).toInt() != 0;
    const double rate = foreign ? demo::kForeignRate : 1.0; // the day's rate of the demo's foreign currency
    const double fcDiscount = context.chance(0.3) ? double(context.pick(5)) : 0.0;
    auto home = [rate](double amount) { return numbers::roundHalfEven(amount * rate, 2); };
    const double fcTotal = numbers::roundHalfEven(ticked.gross - ticked.discounts - fcDiscount, 2);
    invoice->set("CustomerName", customer.at(5).toString());
    invoice->set("SalesInvDate", today());
    invoice->set("SalesInvEndDate", today().addDays(30));
    invoice->set("PaymentType", QStringLiteral("Credit"));
    invoice->set("PaymentTerms", QStringLiteral("30 Days"));
    invoice->set("CurrencyCode", customer.at(2).toString());
    invoice->set("ForeignCurrencyFlag", foreign);
    invoice->set("ExchangeRate", rate);
    invoice->set("AmtDig", 2.0);
    invoice->set("SalesLogPrefix", QStringLiteral("INV"));
    invoice->set("SalesInvSubtotal", home(ticked.gross));
    invoice->set("SalesInvFCsubtotal", numbers::roundHalfEven(ticked.gross, 2));
    invoice->set("SalesInvDiscAmount", home(fcDiscount));
    invoice->set("SalesInvFCDiscAmount", fcDiscount);
    invoice->set("SalesInvTotalAmount", home(fcTotal));
    invoice->set("SalesInvFCTotalAmount", fcTotal);
    invoice->set("OnlineFlag", true);
    invoice->set("SyncFlag", false);
    if (!answered(context, *invoice, "Create_Sales_Invoice"))
        return false;
    if (context.chance(0.1))
        return true; // left under its temporary number
    return processDrawn(context, invoice, grid, "ManualDocFlag", "manualDocIdentity", operation("Process_Invoice"));
}

bool cancelInvoice(CheckContext &context) {
    const QString number = context.pickOne(QStringLiteral(
        "Select Sales_Inv_No from Sales_Invoice_Master Where COALESCE(Cancel_Flag, 0) = 0 and Document_Prefix = 'INV'"));
    if (number.isEmpty())
        return true;
    MemoryGrid grid(4, kInvoiceGridColumns);
    FrontEndObject cancelling(QStringLiteral("OrbSales.SalesInvoice"));
    cancelling.set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    cancelling.set("ADOConnectionString", context.db);
    cancelling.set("SalesInvNo", number);
    cancelling.setGrid("InvoiceGridName", &grid);
    prepare(context, cancelling);
    return answered(context, cancelling, "Cancel_Invoice");
}

} // namespace

std::vector<CheckAction> invoiceActions() {
    return {{"invoice", 5, invoice}, {"cancelled invoice", 1, cancelInvoice}};
}

} // namespace orbsales::cli
