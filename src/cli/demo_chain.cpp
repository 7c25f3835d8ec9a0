#include "books_report.h"
#include "commands.h"
#include "demo.h"
#include "demo_steps.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/values/errors.h"

// The whole chain: one customer of the demo company taken from a quotation to the order raised
// from it, a delivery of the order, the invoice of that delivery, a part return of the invoice
// with its credit memo, and a cash sale, each document made and processed by its own class
// through the steps of its own section. Then the books the demonstration leaves, printed as
// `orbsales books` and `orbsales verify` print them.
namespace orbsales::cli {

namespace {

const char *const kCustomer = "C002"; // Gulf Builders Co., as the user types the code

// The items the chain sells, as the grid shows them; the books end with their stock. The chain
// takes little of each, so the demonstration runs again and again before the stock runs out.
const QStringList kItems{QStringLiteral("A200"), QStringLiteral("B100"), QStringLiteral("K100"),
                         QStringLiteral("S100")};

SampleQuotation quotationFor(const demo::DemoCustomer &customer) {
    SampleQuotation sample;
    sample.customerCode = QString::fromUtf8(customer.code);
    sample.customerName = QString::fromUtf8(customer.name);
    sample.reference = QStringLiteral("GB/SITE-7");
    sample.comments = QStringLiteral("Fit-out of the site office");
    sample.lines = {{QStringLiteral("A200"), 3}, {QStringLiteral("B100"), 2}, {QStringLiteral("K100"), 1}};
    return sample;
}

// Where a document of the chain is kept: its master table and the columns the summary reads.
struct DocumentTable {
    const char *table;
    const char *number;
    const char *processed;
    const char *total;
};

constexpr DocumentTable kQuotations{"Sales_Quotation_Master", "Sales_Quot_No", "process_Flag", "Sales_Quot_Amount"};
constexpr DocumentTable kOrders{"Sales_Order_Master", "Sales_Ord_No", "process_Flag", "Sales_Ord_Total_Amount"};
constexpr DocumentTable kDeliveries{"Delivery_Master", "Delivery_No", "Processed_Flag", "Delivery_Total_Amount"};
constexpr DocumentTable kInvoices{"Sales_Invoice_Master", "Sales_Inv_No", "Processed_Flag", "Sales_Inv_Total_Amount"};
constexpr DocumentTable kReturns{"Sales_Return_Master", "Sales_Rtn_No", "Processed_Flag", "Sales_Rtn_Total_Amount"};
constexpr DocumentTable kCreditMemos{"Voucher_Master", "Voucher_No", "process_Flag", "Voucher_Amount"};
constexpr DocumentTable kCashMemos{"Cash_Memo_Master", "Cash_Memo_No", "process_Flag", "Cash_Memo_Total_Amount"};

struct ChainLink {
    const char *kind;
    DocumentTable where;
    QString number;
    QString madeFrom;
};

// Each document of the chain as its master row holds it: whose it is, processed or not, its total.
void printChain(DemoContext &context, const QList<ChainLink> &links) {
    QList<QStringList> rows;
    for (const ChainLink &link : links) {
        const Connection::Result found =
            context.connection.select(QStringLiteral("Select Customer_Code, %1, %2 from %3 Where %4 = ?")
                                          .arg(QLatin1String(link.where.processed), QLatin1String(link.where.total),
                                               QLatin1String(link.where.table), QLatin1String(link.where.number)),
                                      {link.number});
        if (found.rows.isEmpty())
            throw OrbError(QStringLiteral("%1 %2 is not in %3")
                               .arg(QLatin1String(link.kind), link.number, QLatin1String(link.where.table)));
        const QVariantList &row = found.rows.first();
        rows << QStringList{QLatin1String(link.kind),
                            link.number,
                            link.madeFrom,
                            row.at(0).toString(),
                            row.at(1).toInt() != 0 ? QStringLiteral("True") : QStringLiteral("False"),
                            displayValue(row.at(2))};
    }
    printTable(context.out,
               {QStringLiteral("Document"), QStringLiteral("Number"), QStringLiteral("Made from"),
                QStringLiteral("Customer"), QStringLiteral("Processed"), QStringLiteral("Total")},
               rows);
}

} // namespace

void demoChain(DemoContext &context) {
    QTextStream &out = context.out;
    const demo::DemoCustomer &customer = seededCustomer(kCustomer);
    const QString name = QString::fromUtf8(customer.name);
    out << name
        << " goes through the whole of a sale: each document is made by its own class from the one\n"
           "before it, as the front end makes it, and processed.\n\n";

    out << "1. A quotation of gadgets, brackets and a tool kit.\n\n";
    const QString quotationNo =
        createQuotation(context, quotationFor(customer), QStringLiteral("a quotation for ") + name, true);

    out << "2. The order raised from the quotation, saved and processed: it gets its final number, the\n"
           "items go on order and the quotation is closed.\n\n";
    const QString orderNo = orderFromQuotation(context, quotationNo, true);

    out << "3. The whole order delivered from the head office and processed online: the goods leave the\n"
           "stock at their cost.\n\n";
    const QString deliveryNo = deliverOrder(context,
                                            {orderNo, [](int, double open) { return open; },
                                             QStringLiteral("Gate pass 8120"), QStringLiteral("The whole order")},
                                            QStringLiteral("every line of ") + orderNo);

    out << "4. The invoice of that delivery, processed online: " << name << " owes its total.\n\n";
    const QString invoiceNo =
        invoiceDelivery(context, customer, deliveryNo, QStringLiteral("an invoice of ") + deliveryNo);

    out << "5. One of the two boxes of brackets comes back: a return against the invoice, credited by a credit\n"
           "memo.\n";
    const ProcessedReturn returned = returnGoods(
        context, {QStringLiteral("INV"), invoiceNo, {{QStringLiteral("B100"), 1}}, QStringLiteral("Ordered too many")},
        QStringLiteral("part of ") + invoiceNo + QStringLiteral(" back"));

    out << "\n6. A cash sale to the same customer at the counter of the head office: a gadget and an hour of\n"
           "installation.\n\n";
    const QString memoNo = sellForCash(context, customer, {{QStringLiteral("A200"), 1}, {QStringLiteral("S100"), 1}},
                                       QStringLiteral("a cash sale to ") + name);

    out << "\nThe chain as the database holds it:\n";
    printChain(context, {{"Quotation", kQuotations, quotationNo, QString()},
                         {"Order", kOrders, orderNo, quotationNo},
                         {"Delivery", kDeliveries, deliveryNo, orderNo},
                         {"Invoice", kInvoices, invoiceNo, deliveryNo},
                         {"Return", kReturns, returned.returnNo, invoiceNo},
                         {"Credit memo", kCreditMemos, returned.creditMemoNo, returned.returnNo},
                         {"Cash memo", kCashMemos, memoNo, QString()}});
}

void demoBooks(DemoContext &context) {
    QTextStream &out = context.out;
    const QString customer = demo::kCompany + QLatin1String(kCustomer);
    out << "The books the demonstration leaves, as `orbsales books` and `orbsales verify` print them: the trial\n"
           "balance, the receivable of "
        << customer << " and the stock of the items the whole chain sold.\n\n";
    package::Books books = package::readBooks(context.connection);
    printTrialBalance(out, books);
    books.receivables.removeIf([&](const package::CustomerBalanceLine &line) { return line.customerCode != customer; });
    printReceivables(out, books);
    books.stock.removeIf(
        [](const package::StockLine &line) { return !kItems.contains(line.itemCode.mid(demo::kCompany.size())); });
    printStock(out, books);
    out << "\nVerify\n";
    if (printVerdict(out, context.connection) == kExitFailed)
        throw OrbError(QStringLiteral("the books do not hold together"));
}

} // namespace orbsales::cli
