#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_invoices.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <memory>
#include <vector>

// The sales invoice's part of the demonstration: a customer's processed deliveries in two
// branches are offered for invoicing (one branch, then every branch), invoiced and processed,
// which raises the customer's receivable and posts the sales, the discount and the receivable;
// a second invoice is processed and cancelled, which offers its deliveries again.
//
// The deliveries are written straight into their tables by openDelivery() below, until the
// delivery documents make them.
namespace orbsales::cli {

namespace {

const QString kInvoice = QStringLiteral("OrbSales.SalesInvoice");
constexpr int kInvoiceGridColumns = 32; // columns 1 to 31 are the invoice's
const QString kCustomer = demo::kCompany + QStringLiteral("C001");
const QString kCustomerName = QStringLiteral("Acme Trading LLC");

// A processed delivery of the demo customer, numbered by its counter, waiting for its invoice.
QString openDelivery(DemoContext &context, bool direct, const QString &branch,
                     std::vector<package::OpenDeliveryLine> lines) {
    const DocumentPrefixes prefixes{demo::kCompany, branch, direct ? QStringLiteral("DDL") : QStringLiteral("DEL")};
    CounterUse counter(prefixes, CounterUse::Form::OneArgument);
    Connection *connection = &context.connection;
    QString problem;
    if (!counter.take(connection, problem))
        throw OrbError(problem);
    const QString number = documentNumber(prefixes, counter.identity());
    package::writeOpenDelivery(context.connection,
                               {direct, number, counter.identity(), demo::kCompany, branch, kCustomer, kCustomerName,
                                demo::kHomeCurrency, QStringLiteral("Dhs"), 1.0,
                                QDateTime(QDate::currentDate(), QTime(0, 0)), std::move(lines)});
    if (!counter.consume(problem))
        throw OrbError(problem);
    return number;
}

package::OpenDeliveryLine line(const char *code, const char *name, const char *unit, double quantity, double price,
                               const QString &period = QString()) {
    return {demo::kCompany + QLatin1String(code),
            QString::fromUtf8(name),
            QString::fromUtf8(unit),
            period,
            quantity,
            price,
            price};
}

std::unique_ptr<FrontEndObject> newInvoice(DemoContext &context, LineGrid &grid,
                                           const QString &customerCode = kCustomer) {
    auto invoice = std::make_unique<FrontEndObject>(kInvoice);
    invoice->set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    invoice->set("ADOConnectionString", context.db);
    invoice->set("CompanyPrefix", demo::kCompany);
    invoice->set("BranchPrefix", demo::kHeadOffice);
    invoice->set("DocumentPrefix", QStringLiteral("INV"));
    invoice->set("CustomerCode", customerCode);
    invoice->setGrid("InvoiceGridName", &grid);
    return invoice;
}

// Get_Delivery_Details with its by-reference flag, reported like every call of the demonstration.
void offerDeliveries(DemoContext &context, FrontEndObject &invoice, bool allBranches, const QString &what) {
    bool flag = allBranches;
    bool result = false;
    if (!QMetaObject::invokeMethod(&invoice.object(), "Get_Delivery_Details", Qt::DirectConnection,
                                   Q_RETURN_ARG(bool, result), Q_ARG(bool &, flag)))
        throw OrbError(QStringLiteral("%1 has no operation Get_Delivery_Details(Boolean&)").arg(kInvoice));
    context.out << "> " << what << ": Get_Delivery_Details(" << (allBranches ? "True" : "False") << ") -> "
                << (result ? "True" : "False") << '\n';
    if (!result)
        throw OrbError(QStringLiteral("Get_Delivery_Details failed: %1").arg(invoice.errDesc()));
}

// The columns a screen shows of the invoice grid.
void showLines(DemoContext &context, const LineGrid &grid) {
    static const std::pair<int, const char *> columns[] = {{1, "Tick"},  {2, "Branch"}, {22, "Delivery"}, {21, "Kind"},
                                                           {5, "Item"},  {6, "Name"},   {8, "Unit"},      {10, "Qty"},
                                                           {11, "Open"}, {12, "Price"}, {15, "Amount"},   {19, "Line"}};
    QStringList headers{QStringLiteral("Row")};
    for (const auto &[col, title] : columns)
        headers << QString::fromLatin1(title);
    QList<QStringList> rows;
    for (int row = 1; row < grid.rowCount() && !grid.cellText(row, 3).isEmpty(); ++row) {
        QStringList cells{QString::number(row)};
        for (const auto &[col, title] : columns)
            cells << grid.cellText(row, col);
        rows << cells;
    }
    printTable(context.out, headers, rows);
    context.out << '\n';
}

// What the invoice screen bills: the lines of one delivery (its number) or, left empty, every line.
struct Billed {
    QString customerName;
    QString deliveryNo;
    double discount = 0;
    QString comments;
};

// Ticks the billed lines and fills the header as the invoice screen does: totals of the rounded
// line amounts, less the invoice's own discount.
void fillInvoice(FrontEndObject &invoice, LineGrid &grid, const Billed &billed) {
    double subtotal = 0;
    double fcSubtotal = 0;
    for (int row = 1; row < grid.rowCount() && !grid.cellText(row, 3).isEmpty(); ++row) {
        if (!billed.deliveryNo.isEmpty() && grid.cellText(row, 22) != billed.deliveryNo)
            continue;
        grid.setCellText(row, 1, QStringLiteral("1"));
        subtotal += numbers::roundHalfEven(grid.cellNumber(row, 15), 2);
        fcSubtotal += numbers::roundHalfEven(grid.cellNumber(row, 16), 2);
    }
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    invoice.set("CustomerName", billed.customerName);
    invoice.set("SalesInvDate", today);
    invoice.set("SalesInvEndDate", today.addDays(30));
    invoice.set("PaymentType", QStringLiteral("Credit"));
    invoice.set("PaymentTerms", QStringLiteral("30 Days"));
    invoice.set("CurrencyCode", demo::kHomeCurrency);
    invoice.set("ExchangeRate", 1.0);
    invoice.set("AmtDig", 2.0);
    invoice.set("SalesLogPrefix", QStringLiteral("INV"));
    invoice.set("SalesInvSubtotal", subtotal);
    invoice.set("SalesInvFCsubtotal", fcSubtotal);
    invoice.set("SalesInvDiscAmount", billed.discount);
    invoice.set("SalesInvFCDiscAmount", billed.discount);
    invoice.set("SalesInvTotalAmount", subtotal - billed.discount);
    invoice.set("SalesInvFCTotalAmount", fcSubtotal - billed.discount);
    invoice.set("SalesInvComments", billed.comments);
    invoice.set("OnlineFlag", true);
    invoice.set("SyncFlag", false);
    invoice.set("LastUpdate", QDateTime::currentDateTime());
}

struct Receivable {
    double branch = 0;
    double customer = 0;
};

Receivable receivable(DemoContext &context) {
    return {context.connection
                .scalar(QStringLiteral("Select COALESCE(Customer_Balance, 0) from Customer_Master_Balance Where "
                                       "Customer_Code = ? and Branch_Prefix = ?"),
                        {kCustomer, demo::kHeadOffice})
                .toDouble(),
            context.connection
                .scalar(QStringLiteral("Select COALESCE(Customer_Balance, 0) from Customer_Master Where "
                                       "Customer_Code = ?"),
                        {kCustomer})
                .toDouble()};
}

void showReceivable(DemoContext &context, const Receivable &before, const Receivable &after, const QString &when) {
    auto money = [](double value) { return QString::number(value, 'f', 2); };
    context.out << "  Receivable of " << kCustomer << ":\n";
    printTable(context.out, {QStringLiteral("Balance"), QStringLiteral("before"), when},
               {{QStringLiteral("branch ") + demo::kHeadOffice, money(before.branch), money(after.branch)},
                {QStringLiteral("customer"), money(before.customer), money(after.customer)}});
    context.out << '\n';
}

void showLedger(DemoContext &context, const QString &invoiceNo) {
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select Account_No, GL_Description, GL_Debit_Amount, GL_Credit_Amount from General_Ledger "
                       "Where Document_No = ? Order by Row_Id"),
        {invoiceNo});
    QList<QStringList> lines;
    double debits = 0;
    double credits = 0;
    for (const QVariantList &row : rows.rows) {
        debits += row.at(2).toDouble();
        credits += row.at(3).toDouble();
        lines << QStringList{row.at(0).toString(), row.at(1).toString(), numbers::numberText(row.at(2).toDouble()),
                             numbers::numberText(row.at(3).toDouble())};
    }
    context.out << "  Ledger lines of " << invoiceNo << " (debits " << numbers::numberText(debits) << ", credits "
                << numbers::numberText(credits) << "):\n";
    printTable(
        context.out,
        {QStringLiteral("Account"), QStringLiteral("Description"), QStringLiteral("Debit"), QStringLiteral("Credit")},
        lines);
    context.out << '\n';
}

void showDifferences(DemoContext &context, const QString &invoiceNo) {
    for (const package::DocumentedDifference &difference : package::documentedDifferences(context.connection))
        if (difference.documentNo == invoiceNo)
            context.out << "  Documented difference: " << difference.text() << '\n';
    context.out << '\n';
}

} // namespace

QString invoiceDelivery(DemoContext &context, const demo::DemoCustomer &customer, const QString &deliveryNo,
                        const QString &what) {
    MemoryGrid grid(4, kInvoiceGridColumns);
    auto invoice = newInvoice(context, grid, demo::kCompany + QString::fromUtf8(customer.code));
    offerDeliveries(context, *invoice, false, QStringLiteral("deliveries of the head office"));
    fillInvoice(*invoice, grid, {QString::fromUtf8(customer.name), deliveryNo, 0, QString()});
    showLines(context, grid);
    demoRequire(context, *invoice, "Create_Sales_Invoice", what);
    const QString temporaryNo = invoice->text("SalesInvNo");
    demoRequire(context, *invoice, "Process_Invoice", QStringLiteral("process ") + temporaryNo);
    const QString invoiceNo = invoice->text("SalesInvNo");
    context.out << "  " << temporaryNo << " is now " << invoiceNo << ", receivable "
                << numbers::numberText(invoice->get("SalesInvTotalAmount").toDouble()) << ".\n\n";
    return invoiceNo;
}

void demoInvoices(DemoContext &context) {
    QTextStream &out = context.out;
    out << "An invoice bills a customer's processed deliveries and direct deliveries. Until the delivery\n"
           "documents make them, the demonstration writes processed deliveries of "
        << kCustomerName
        << " straight into\nthe delivery tables: a delivery note and a direct delivery (hired by "
           "the day) in the head office, and a\ndelivery note in branch "
        << demo::kSecondBranch << ".\n\n";
    const QString headOffice =
        openDelivery(context, false, demo::kHeadOffice,
                     {line("A100", "Widget", "Nos", 8, 12.5), line("C300", "Cable Reel", "Mtr", 1.5, 2.75)});
    const QString hired = openDelivery(context, true, demo::kHeadOffice,
                                       {line("S100", "Installation Service", "Hrs", 3, 150, QStringLiteral("Daily"))});
    const QString branch = openDelivery(context, false, demo::kSecondBranch, {line("A200", "Gadget", "Nos", 4, 40)});
    out << "  " << headOffice << ", " << hired << " and " << branch << " are processed and not yet invoiced.\n\n";

    MemoryGrid grid(4, kInvoiceGridColumns);
    auto invoice = newInvoice(context, grid);
    offerDeliveries(context, *invoice, false, QStringLiteral("deliveries of the head office"));
    showLines(context, grid);
    offerDeliveries(context, *invoice, true, QStringLiteral("deliveries of every branch"));
    out << "  The grid grew by a row each time the loader reached its last row.\n";
    showLines(context, grid);

    out << "Every line is ticked and the invoice saved under a temporary number, then processed online: the\n"
           "final number, the invoiced quantities on the deliveries, the sales log and the postings.\n\n";
    fillInvoice(*invoice, grid, {kCustomerName, QString(), 10, QStringLiteral("Deliveries of the week")});
    demoRequire(context, *invoice, "Create_Sales_Invoice", QStringLiteral("an invoice of every line"));
    const QString temporaryNo = invoice->text("SalesInvNo");
    const Receivable before = receivable(context);
    demoRequire(context, *invoice, "Process_Invoice", QStringLiteral("process ") + temporaryNo);
    const QString invoiceNo = invoice->text("SalesInvNo");
    out << "  " << temporaryNo << " is now " << invoiceNo << ", receivable "
        << numbers::numberText(invoice->get("SalesInvTotalAmount").toDouble()) << ".\n\n";
    showReceivable(context, before, receivable(context), QStringLiteral("after processing"));
    showLedger(context, invoiceNo);
    out << "The cable line is credited at its rounded amount while the chart moves by quantity x price;\n"
           "`orbsales verify` lists that apart from breaches.\n";
    showDifferences(context, invoiceNo);

    out << "A second delivery is invoiced and processed, and the invoice cancelled: the receivable and ledger\n"
           "lines go, and the delivery is offered again.\n\n";
    const QString second =
        openDelivery(context, false, demo::kHeadOffice, {line("B100", "Steel Bracket", "Box", 2, 85)});
    const demo::DemoCustomer &acme = seededCustomer("C001");
    const QString secondNo = invoiceDelivery(context, acme, second, QStringLiteral("an invoice of ") + second);
    const Receivable withSecond = receivable(context);
    {
        MemoryGrid cancelGrid(4, kInvoiceGridColumns);
        auto cancelling = newInvoice(context, cancelGrid);
        cancelling->set("SalesInvNo", secondNo);
        cancelling->set("LastUpdate", QDateTime::currentDateTime());
        demoRequire(context, *cancelling, "Cancel_Invoice", QStringLiteral("cancel ") + secondNo);
    }
    out << '\n';
    showReceivable(context, withSecond, receivable(context), QStringLiteral("after cancelling"));
    MemoryGrid againGrid(4, kInvoiceGridColumns);
    auto again = newInvoice(context, againGrid);
    offerDeliveries(context, *again, false, QStringLiteral("deliveries of the head office, again"));
    showLines(context, againGrid);

    out << "Invoices in the database: "
        << context.connection.scalar(QStringLiteral("Select count(*) from Sales_Invoice_Master")).toInt()
        << ", processed: "
        << context.connection
               .scalar(QStringLiteral("Select count(*) from Sales_Invoice_Master Where Processed_Flag = 1"))
               .toInt()
        << ", cancelled: "
        << context.connection.scalar(QStringLiteral("Select count(*) from Sales_Invoice_Master Where Cancel_Flag = 1"))
               .toInt()
        << '\n';
}

} // namespace orbsales::cli
