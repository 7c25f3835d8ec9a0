#include "demo.h"
#include "front_end.h"
#include "sample_quotation.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"

#include <QDateTime>

// Orders that convert themselves: processed online, an order becomes what the head office's
// sales preferences ask for: a delivery; a delivery and an invoice of it; or a cash memo. Each
// run makes new documents; the head office's preferences are put back as they were.
namespace orbsales::cli {

namespace {

struct Preferences {
    const char *what;
    const char *paymentType;
    int cashDelivery, cashMemo, creditDelivery, creditInvoice;
};

constexpr Preferences kCombinations[] = {
    {"credit order, a delivery asked for", "Credit", 0, 0, 1, 0},
    {"credit order, a delivery and its invoice asked for", "Credit", 0, 0, 1, 1},
    {"cash order, a cash memo asked for", "Cash", 0, 1, 0, 0},
};

const char *const kFlags = "Cash_SO_Delivery_Flag, Cash_SO_Cash_Memo_Flag, Credit_SO_Delivery_Flag, "
                           "Credit_SO_Invoice_Flag";

void setPreferences(Connection &connection, const QVariantList &flags) {
    connection.execute(QStringLiteral("Update Default_Sales_Preferences Set Cash_SO_Delivery_Flag = ?, "
                                      "Cash_SO_Cash_Memo_Flag = ?, Credit_SO_Delivery_Flag = ?, "
                                      "Credit_SO_Invoice_Flag = ? Where Company_Prefix = ? and Branch_Prefix = ?"),
                       flags + QVariantList{demo::kCompany, demo::kHeadOffice});
}

QString processOnline(DemoContext &context, const Preferences &preferences) {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C001");
    sample.customerName = QStringLiteral("Acme Trading LLC");
    sample.lines = {{QStringLiteral("A100"), 3}, {QStringLiteral("S100"), 2}};
    MemoryGrid grid(6, kOrderGridColumns);
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    order.set("ADOConnectionString", context.db);
    fillOrder(order, grid, sample);
    order.set("PaymentType", QString::fromLatin1(preferences.paymentType));
    order.set("DeliveryPrefix", QStringLiteral("DEL"));
    order.set("CashMemoPrefix", QStringLiteral("CHM"));
    order.set("InvoicePrefix", QStringLiteral("INV"));
    order.set("StockMovementPrefix", QStringLiteral("DEL"));
    order.set("SalesLogPrefix", QStringLiteral("INV"));
    order.set("LocationID", 1);
    order.set("LocationName", QStringLiteral("Main Warehouse"));
    order.set("OnlineFlag", true);
    order.set("LastUpdate", QDateTime::currentDateTime());
    demoRequire(context, order, "Create_Order", QStringLiteral("a %1").arg(QLatin1String(preferences.what)));
    demoRequire(context, order, "Process_Order", QStringLiteral("process it online"));
    return order.text("SalesOrdNo");
}

void showDocuments(DemoContext &context, const QString &orderNo) {
    QList<QStringList> rows;
    auto add = [&](const QString &kind, const QString &sql) {
        for (const QVariantList &row : context.connection.select(sql, {orderNo}).rows)
            rows << QStringList{kind, row.at(0).toString(), displayValue(row.at(1)), displayValue(row.at(2))};
    };
    add(QStringLiteral("delivery"), QStringLiteral("Select M.Delivery_No, M.Processed_Flag, sum(D.Delivery_Qty) from "
                                                   "Delivery_Master M join Delivery_Detail D on D.Delivery_No = "
                                                   "M.Delivery_No Where M.Source_No = ? Group by M.Delivery_No, "
                                                   "M.Processed_Flag"));
    add(QStringLiteral("invoice"), QStringLiteral("Select I.Sales_Inv_No, M.Processed_Flag, sum(I.Sales_Inv_Qty) from "
                                                  "Sales_Invoice_Detail I join Sales_Invoice_Master M on M.Sales_Inv_No "
                                                  "= I.Sales_Inv_No join Delivery_Master D on D.Delivery_No = "
                                                  "I.Delivery_No Where D.Source_No = ? Group by I.Sales_Inv_No, "
                                                  "M.Processed_Flag"));
    add(QStringLiteral("cash memo"), QStringLiteral("Select M.Cash_Memo_No, M.process_Flag, sum(D.Cash_Memo_Qty) from "
                                                    "Cash_Memo_Master M join Cash_Memo_Detail D on D.Cash_Memo_No = "
                                                    "M.Cash_Memo_No Where M.Reference_No = ? Group by M.Cash_Memo_No, "
                                                    "M.process_Flag"));
    context.out << "Documents made from " << orderNo << ":\n";
    printTable(context.out, {QStringLiteral("Kind"), QStringLiteral("Number"), QStringLiteral("Processed"),
                             QStringLiteral("Quantity")},
               rows);
}

} // namespace

void demoConversion(DemoContext &context) {
    const Connection::Result saved = context.connection.select(
        QStringLiteral("Select %1 from Default_Sales_Preferences Where Company_Prefix = ? and Branch_Prefix = ?")
            .arg(QLatin1String(kFlags)),
        {demo::kCompany, demo::kHeadOffice});
    for (const Preferences &preferences : kCombinations) {
        setPreferences(context.connection, {preferences.cashDelivery, preferences.cashMemo, preferences.creditDelivery,
                                            preferences.creditInvoice});
        const QString orderNo = processOnline(context, preferences);
        showDocuments(context, orderNo);
        context.out << '\n';
    }
    if (!saved.rows.isEmpty())
        setPreferences(context.connection, saved.rows.first());
    const double owed = context.connection
                            .scalar(QStringLiteral("Select Customer_Balance from Customer_Master_Balance Where "
                                                   "Customer_Code = '01C001' and Branch_Prefix = ?"),
                                    {demo::kHeadOffice})
                            .toDouble();
    context.out << "Acme Trading LLC now owes the head office " << displayValue(owed) << ".\n";
}

} // namespace orbsales::cli
