#include "demo.h"
#include "front_end.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"

#include <QDateTime>
#include <memory>

// The customers' opening balance: a new customer in US Dollars brings two unpaid invoices and an
// advance payment from the old books. The head office enters them as a debit list and a credit
// list, stores and reloads them, and processes them: each item becomes an invoice or an advance
// receipt with its receivable line, and the openings of the receivable and advance-receipt
// accounts move by the totals. The receivable and the chart are shown before and after.
namespace orbsales::cli {

namespace {

const QString kCustomerOB = QStringLiteral("OrbSales.CustomerOB");
const QString kCustomerName = QStringLiteral("Oasis Marine Supplies FZE");
const QString kRate = QStringLiteral("3.6725"); // AED per USD, as the old books carried it
constexpr int kGridColumns = 9;

struct OpeningItem {
    const char *reference;
    const char *date;
    const char *amount; // in US Dollars
    const char *comments;
};

constexpr OpeningItem kDebitItems[] = {
    {"INV/2025/0412", "15/Nov/2025", "1000", "Marine paint, 40 drums"},
    {"INV/2025/0431", "03/Dec/2025", "480", ""},
};
constexpr OpeningItem kCreditItems[] = {
    {"ADV/2025/0097", "20/Dec/2025", "300", "Advance against the January order"},
};

QString account(const char *code) { return demo::kCompany + demo::kHeadOffice + QLatin1String(code); }

// A code no customer has yet: 01OB1, 01OB2, ... one more on every run.
QString freshCode(DemoContext &context) {
    for (int number = 1;; ++number) {
        const QString code = demo::kCompany + QStringLiteral("OB%1").arg(number);
        if (context.connection
                .scalar(QStringLiteral("Select count(*) from Customer_Master Where Customer_Code = ?"), {code})
                .toInt() == 0)
            return code;
    }
}

void printRows(DemoContext &context, const QString &sql, const QVariantList &values) {
    const Connection::Result result = context.connection.select(sql, values);
    QList<QStringList> rows;
    for (const QVariantList &row : result.rows) {
        QStringList cells;
        for (const QVariant &value : row)
            cells << displayValue(value);
        rows << cells;
    }
    printTable(context.out, result.columns, rows);
    context.out << '\n';
}

void createCustomer(DemoContext &context, const QString &code) {
    FrontEndObject customer(QStringLiteral("OrbSales.Customer"));
    customer.set("ConnectionString", context.db);
    customer.set("CompanyPrefix", demo::kCompany);
    customer.set("BranchPrefix", demo::kHeadOffice);
    customer.set("CustomerCode", code);
    customer.set("CustomerName", kCustomerName);
    customer.set("CustomerPaymentType", QStringLiteral("Credit"));
    customer.set("CustomerPaymentTerms", QStringLiteral("60 Days"));
    customer.set("CustomerCreditLimit", 25000.0);
    customer.set("CustomerCurrencyCode", demo::kForeignCurrency);
    customer.set("CurrencyCode", demo::kForeignCurrency);
    customer.set("CurrencyName", QStringLiteral("US Dollar"));
    customer.set("ForeignCurrencyFlag", true);
    customer.set("ARAccountNo", account("1200"));
    customer.set("LastUpdate", QDateTime::currentDateTime());
    demoRequire(context, customer, "Create_Customer",
                QStringLiteral("save ") + code + QStringLiteral(", ") + kCustomerName);
    context.out << '\n';
}

// What the customer owes in each branch, and the openings of the accounts the processing moves.
void showReceivable(DemoContext &context, const QString &code, const char *when) {
    context.out << "  The receivable " << when << ":\n";
    printRows(context,
              QStringLiteral("Select Branch_Prefix, Customer_Balance, Customer_Fc_Balance from Customer_Master_Balance "
                             "Where Customer_Code = ? Order by Branch_Prefix"),
              {code});
    printRows(context,
              QStringLiteral("Select Account_No, Account_Name, Opening_Balance from Chart_Of_Accounts Where Account_No "
                             "in (?, ?) Order by Account_No"),
              {account("1200"), account("2100")});
}

std::unique_ptr<MemoryGrid> newGrid(int rows) {
    auto grid = std::make_unique<MemoryGrid>(rows, kGridColumns);
    grid->setRow(0, {QString(), QStringLiteral("Reference"), QStringLiteral("Date"), QStringLiteral("USD"),
                     QStringLiteral("-"), QStringLiteral("Rate"), QStringLiteral("Comments"),
                     QStringLiteral("Document"), QStringLiteral("Document No")});
    return grid;
}

// The opening-balance screen of the head office: the front end's open connection, the
// connection string for reading, the customer in US Dollars.
std::unique_ptr<FrontEndObject> newOpeningBalance(DemoContext &context, const QString &code, LineGrid &grid,
                                                  const QString &documentPrefix) {
    auto ob = std::make_unique<FrontEndObject>(kCustomerOB);
    ob->set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    ob->set("ConnectionString", context.db);
    ob->set("CompanyPrefix", demo::kCompany);
    ob->set("BranchPrefix", demo::kHeadOffice);
    ob->set("DocumentPrefix", documentPrefix);
    ob->set("CustomerCode", code);
    ob->set("CustomerName", kCustomerName);
    ob->set("ForeignCurrencyFlag", true);
    ob->set("CurrencyCode", demo::kForeignCurrency);
    ob->set("Database", QStringLiteral("SQLSERVER"));
    ob->set("SyncFlag", false);
    ob->set("LastUpdate", QDateTime::currentDateTime());
    ob->setGrid("GridName", &grid);
    return ob;
}

template <std::size_t N>
void enterList(DemoContext &context, const QString &code, const char *kind, const OpeningItem (&items)[N]) {
    auto grid = newGrid(static_cast<int>(N) + 2);
    for (std::size_t i = 0; i < N; ++i)
        grid->setRow(static_cast<int>(i) + 1,
                     {QString(), QLatin1String(items[i].reference), QLatin1String(items[i].date),
                      QLatin1String(items[i].amount), QString(), kRate, QString::fromUtf8(items[i].comments)});
    printGrid(context.out, *grid);
    context.out << '\n';
    auto ob = newOpeningBalance(context, code, *grid, QString());
    demoRequire(context, *ob, "Create_OB", QLatin1String(kind), QStringLiteral("store the %1 list").arg(kind));
    printFields(context.out, ob->object(), {QStringLiteral("CurrencySymbol")});
    context.out << '\n';
}

void processList(DemoContext &context, const QString &code, const char *kind, const QString &documentPrefix) {
    auto grid = newGrid(2);
    auto ob = newOpeningBalance(context, code, *grid, documentPrefix);
    demoRequire(context, *ob, "Process_OB", QLatin1String(kind),
                QStringLiteral("process the %1 list into %2 documents").arg(kind, documentPrefix));
    demoRequire(context, *ob, "Get_OB", QLatin1String(kind), QStringLiteral("load it back"));
    printFields(context.out, ob->object(), {QStringLiteral("ProcessedFlag")});
    printGrid(context.out, *grid);
    context.out << '\n';
}

} // namespace

void demoOpeningBalances(DemoContext &context) {
    QTextStream &out = context.out;
    const QString code = freshCode(context);
    out << "A customer in US Dollars is taken over from the old books with two unpaid invoices and an advance\n"
           "payment.\n\n";
    createCustomer(context, code);
    showReceivable(context, code, "before the opening balance");

    out << "The unpaid invoices are entered as the debit list and the advance as the credit list. Storing a list\n"
           "replaces the stored list of that kind; each item's amount is converted into Dirhams at its rate.\n\n";
    enterList(context, code, "Debit", kDebitItems);
    enterList(context, code, "Credit", kCreditItems);
    printRows(context,
              QStringLiteral("Select OBType, SL_No, Ref_No, Ref_Date, Balance_FCAmount, Exchange_Rate, Balance_Amount, "
                             "Currency_Symbol, OB_Comments from Customer_OB Where Customer_Code = ? Order by OBType "
                             "desc, SL_No"),
              {code});

    out << "Processing makes each debit item a processed invoice whose whole amount is still open and each credit\n"
           "item an advance receipt, each with its receivable line; the documents' numbers go back into the items.\n\n";
    processList(context, code, "Debit", QStringLiteral("COB"));
    processList(context, code, "Credit", QStringLiteral("OBR"));

    out << "  The documents made:\n";
    printRows(context,
              QStringLiteral("Select Sales_Inv_No, Sales_Inv_Date, Payment_Terms, Sales_Inv_FC_Total_Amount, "
                             "Sales_Inv_Total_Amount, Balance_Amount, Processed_Flag, Sales_Inv_Comments from "
                             "Sales_Invoice_Master Where Customer_Code = ? Order by Sales_Inv_Identity"),
              {code});
    printRows(context,
              QStringLiteral("Select Receipt_No, Receipt_Date, Receipt_Status, Receipt_FCAmount, Receipt_Amount, "
                             "Balance_Amount, Advance_Payment_Flag, Receipt_Comments from Receipt_Master Where "
                             "Receipt_To_Code = ? Order by Receipt_Identity"),
              {code});
    printRows(
        context,
        QStringLiteral("Select Document_No, Account_No, ARL_Debit_Amount, ARL_Credit_Amount, FC_ARL_Debit_Amount, "
                       "FC_ARL_Credit_Amount, ARL_Description from Accounts_Receivable_Ledger Where "
                       "Customer_Code = ? Order by Document_No"),
        {code});
    showReceivable(context, code, "after processing");

    FrontEndObject customer(QStringLiteral("OrbSales.Customer"));
    customer.set("ConnectionString", context.db);
    customer.set("CustomerOBType", QStringLiteral("Debit"));
    customer.set("CustomerOBDocumentNo",
                 context.connection
                     .scalar(QStringLiteral("Select OB_Inv_No from Customer_OB Where Customer_Code = ? and OBType = ? "
                                            "and SL_No = 1"),
                             {code, QStringLiteral("Debit")})
                     .toString());
    if (demoCall(context, customer, "Adjusted",
                 QStringLiteral("has %1 been settled in part?").arg(customer.text("CustomerOBDocumentNo"))))
        throw OrbError(QStringLiteral("Adjusted found a fresh opening-balance invoice settled"));
    out << '\n';
}

} // namespace orbsales::cli
