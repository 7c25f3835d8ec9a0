#include "bench.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_invoices.h"
#include "orbsales/values/errors.h"

#include <QDateTime>
#include <vector>

// Invoices created and processed per second. Each one bills a processed delivery of 10 lines of
// a customer of its own: the open lines are loaded into the grid, ticked, saved under a temporary
// number and processed online (final number, invoiced quantities, sales log, ledger, receivable).
// The delivery is written straight into its tables until the delivery documents make it. The
// pre-filling adds processed deliveries and the processed invoices that billed them.
namespace orbsales::cli {

namespace {

constexpr int kLinesPerDocument = 10;
constexpr int kInvoiceGridColumns = 32;
constexpr double kPrice = 12.5;
// Pre-filled documents: company 99, a branch of their own, this many lines per customer.
const QString kPrefillCompany = QStringLiteral("99");
const QString kPrefillBranch = QStringLiteral("BV");
constexpr int kLinesPerCustomer = 100;

// Codes unique to this run, so that a benchmark run again on the same database makes new
// customers.
QString runTag() {
    static const QString tag = QString::number(QDateTime::currentMSecsSinceEpoch(), 36).toUpper();
    return tag;
}

void require(FrontEndObject &invoice, const char *operation) {
    if (!invoice.call(operation))
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), invoice.errDesc()));
}

// A customer of the demo company with its balance rows, owing to the head office's receivable.
QString newCustomer(Connection &connection, int serial, const QDateTime &now) {
    const QString code = demo::kCompany + QStringLiteral("V%1-%2").arg(runTag()).arg(serial);
    connection.execute(QStringLiteral("Insert into Customer_Master (Customer_Code, Company_Prefix, customer_name, "
                                      "Currency_Code, AR_Account_No, Customer_Balance, Last_Update) values "
                                      "(?, ?, ?, ?, ?, 0, ?)"),
                       {code, demo::kCompany, QStringLiteral("Bench Customer"), demo::kHomeCurrency,
                        demo::kCompany + demo::kHeadOffice + QStringLiteral("1200"), now});
    for (const QString &branch : demo::branches())
        connection.execute(
            QStringLiteral("Insert into Customer_Master_Balance (Customer_Code, Company_Prefix, "
                           "Branch_Prefix, Customer_Balance, Customer_Fc_Balance) values (?, ?, ?, 0, 0)"),
            {code, demo::kCompany, branch});
    return code;
}

QString openDelivery(Connection &connection, const QString &customer, int serial, const QDateTime &now) {
    const DocumentPrefixes prefixes{demo::kCompany, demo::kHeadOffice, QStringLiteral("DEL")};
    CounterUse counter(prefixes, CounterUse::Form::OneArgument);
    Connection *used = &connection;
    QString problem;
    if (!counter.take(used, problem))
        throw OrbError(problem);
    std::vector<package::OpenDeliveryLine> lines;
    const auto items = demo::items();
    for (int line = 0; line < kLinesPerDocument; ++line) {
        const auto &item = items[size_t(serial + line) % items.size()];
        lines.push_back({demo::kCompany + QLatin1String(item.code), QString::fromUtf8(item.name),
                         QString::fromUtf8(item.unit), QString(), double(line + 1), kPrice, kPrice});
    }
    const QString number = documentNumber(prefixes, counter.identity());
    package::writeOpenDelivery(connection, {false, number, counter.identity(), demo::kCompany, demo::kHeadOffice,
                                            customer, QStringLiteral("Bench Customer"), demo::kHomeCurrency,
                                            QStringLiteral("Dhs"), 1.0, now, std::move(lines)});
    if (!counter.consume(problem))
        throw OrbError(problem);
    return number;
}

void invoiceOneDelivery(Connection &connection, const QString &db, int serial) {
    const QDateTime now = QDateTime::currentDateTime();
    const QString customer = newCustomer(connection, serial, now);
    openDelivery(connection, customer, serial, now);
    invoiceOpenDeliveries(connection, db, demo::kHeadOffice, customer, QStringLiteral("Bench Customer"),
                          kLinesPerDocument, now);
}

QVariantList values(std::initializer_list<QVariant> list) { return QVariantList(list); }

// Half the rows are delivery lines, half the invoice lines that billed them in full: processed
// deliveries and invoices of company 99, 10 lines each, 100 lines per customer. No postings are
// written, as for invoices processed offline, so the books still agree.
void prefillInvoices(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const QVariantList where{kPrefillCompany, kPrefillBranch};
    const int firstDelivery =
        connection
            .scalar(
                QStringLiteral("Select count(*) from Delivery_Master Where Company_Prefix = ? and Branch_Prefix = ?"),
                where)
            .toInt() +
        1;
    const int firstInvoice = connection
                                 .scalar(QStringLiteral("Select count(*) from Sales_Invoice_Master Where "
                                                        "Company_Prefix = ? and Branch_Prefix = ?"),
                                         where)
                                 .toInt() +
                             1;
    const int firstSerial = connection.scalar(QStringLiteral("Select max(SL_No) from Delivery_Detail")).toInt() + 1;
    const int lines = std::max(1, rows / 2);
    const int documents = (lines + kLinesPerDocument - 1) / kLinesPerDocument;
    auto deliveryNo = [&](int line) {
        return QStringLiteral("99BVDEL%1").arg(firstDelivery + line / kLinesPerDocument);
    };
    auto invoiceNo = [&](int line) { return QStringLiteral("99BVINV%1").arg(firstInvoice + line / kLinesPerDocument); };
    auto customer = [&](int line) { return QStringLiteral("99V%1-%2").arg(runTag()).arg(line / kLinesPerCustomer); };
    auto quantity = [](int line) { return double(1 + line % kLinesPerDocument); };
    progress.setTotal(2 * qint64(documents) + 2 * qint64(lines));

    const QStringList masterColumns{
        QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix"), QStringLiteral("Document_Prefix"),
        QStringLiteral("Customer_Code"),  QStringLiteral("Currency_Code"), QStringLiteral("Foreign_Currency_Flag"),
        QStringLiteral("Processed_Flag"), QStringLiteral("Cancel_Flag"),   QStringLiteral("Last_Update")};
    auto masterValues = [&](const QString &prefix, int line) {
        return values({kPrefillCompany, kPrefillBranch, prefix, customer(line), demo::kHomeCurrency, 0, 1, 0, now});
    };
    insertMany(
        connection, QStringLiteral("Delivery_Master"),
        QStringList{QStringLiteral("Delivery_No"), QStringLiteral("Delivery_Identity"), QStringLiteral("Delivery_Date"),
                    QStringLiteral("Invoiced_Flag")} +
            masterColumns,
        documents,
        [&](int d) {
            const int line = d * kLinesPerDocument;
            return values({deliveryNo(line), firstDelivery + d, now, 1}) + masterValues(QStringLiteral("DEL"), line);
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Delivery_Detail"),
        {QStringLiteral("Delivery_No"), QStringLiteral("SL_No"), QStringLiteral("Item_Code"),
         QStringLiteral("Item_Name"), QStringLiteral("Unit_Name"), QStringLiteral("Delivery_Qty"),
         QStringLiteral("Invoiced_Qty"), QStringLiteral("Delivery_Dtl_Unit_Price"),
         QStringLiteral("Delivery_Item_Amount"), QStringLiteral("Last_Update")},
        lines,
        [&](int line) {
            return values({deliveryNo(line), firstSerial + line, QStringLiteral("99P1"), QStringLiteral("Bench Item"),
                           QStringLiteral("Nos"), quantity(line), quantity(line), kPrice, quantity(line) * kPrice,
                           now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Sales_Invoice_Master"),
        QStringList{QStringLiteral("Sales_Inv_No"), QStringLiteral("Sales_Inv_Identity"),
                    QStringLiteral("Sales_Inv_Date")} +
            masterColumns,
        documents,
        [&](int d) {
            const int line = d * kLinesPerDocument;
            return values({invoiceNo(line), firstInvoice + d, now}) + masterValues(QStringLiteral("INV"), line);
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Sales_Invoice_Detail"),
        {QStringLiteral("Sales_Inv_No"), QStringLiteral("SL_No"), QStringLiteral("Item_Code"),
         QStringLiteral("Sales_Inv_Qty"), QStringLiteral("Sales_Inv_Unit_Price"),
         QStringLiteral("Sales_Inv_Item_Amount"), QStringLiteral("Delivery_Flag"), QStringLiteral("Delivery_No"),
         QStringLiteral("Delivery_Dtl_SL_No"), QStringLiteral("Last_Update")},
        lines,
        [&](int line) {
            return values({invoiceNo(line), 1 + line % kLinesPerDocument, QStringLiteral("99P1"), quantity(line),
                           kPrice, quantity(line) * kPrice, QStringLiteral("SalesOrder"), deliveryNo(line),
                           firstSerial + line, now});
        },
        &progress);
}

} // namespace

void invoiceOpenDeliveries(Connection &connection, const QString &db, const QString &branch, const QString &customer,
                           const QString &customerName, int lines, const QDateTime &now) {
    MemoryGrid grid(lines + 2, kInvoiceGridColumns);
    FrontEndObject invoice(QStringLiteral("OrbSales.SalesInvoice"));
    invoice.set("AdoDBConnectionObject", QVariant::fromValue(&connection));
    invoice.set("ADOConnectionString", db);
    invoice.set("CompanyPrefix", demo::kCompany);
    invoice.set("BranchPrefix", branch);
    invoice.set("DocumentPrefix", QStringLiteral("INV"));
    invoice.set("CustomerCode", customer);
    invoice.setGrid("InvoiceGridName", &grid);
    require(invoice, "Get_Delivery_Details");
    double total = 0;
    for (int row = 1; row <= lines; ++row) {
        grid.setCellText(row, 1, QStringLiteral("1"));
        total += grid.cellNumber(row, 15);
    }
    invoice.set("CustomerName", customerName);
    invoice.set("SalesInvDate", now);
    invoice.set("PaymentType", QStringLiteral("Credit"));
    invoice.set("CurrencyCode", demo::kHomeCurrency);
    invoice.set("ExchangeRate", 1.0);
    invoice.set("AmtDig", 2.0);
    invoice.set("SalesLogPrefix", QStringLiteral("INV"));
    invoice.set("SalesInvSubtotal", total);
    invoice.set("SalesInvFCsubtotal", total);
    invoice.set("SalesInvTotalAmount", total);
    invoice.set("SalesInvFCTotalAmount", total);
    invoice.set("OnlineFlag", true);
    invoice.set("LastUpdate", now);
    require(invoice, "Create_Sales_Invoice");
    require(invoice, "Process_Invoice");
}

Measurement invoiceMeasurement() {
    Measurement measurement{"invoices (10 delivery lines each, loaded, created and processed)", "invoice",
                            "delivery and invoice lines", nullptr, prefillInvoices};
    measurement.createOnConnection = invoiceOneDelivery;
    return measurement;
}

} // namespace orbsales::cli
