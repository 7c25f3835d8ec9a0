#include "bench.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"

#include <QDateTime>

// Customers saved per second. Saving a customer writes its master row, a balance row per
// branch, and its name into the receivable documents that carry its code; the pre-filling
// grows exactly those tables, with other customers and their documents.
namespace orbsales::cli {

namespace {

constexpr double kPrefilledAmount = 550;
// The tables a pre-filled customer has a row in: master, balance, two invoice masters and an
// adjustment with its line.
constexpr int kRowsPerCustomer = 6;

// Codes unique to this run, so that a benchmark run again on the same database saves new
// customers instead of rewriting the ones it saved before.
QString runTag() {
    static const QString tag = QString::number(QDateTime::currentMSecsSinceEpoch(), 36).toUpper();
    return tag;
}

void saveCustomer(const QString &db, int serial) {
    FrontEndObject customer(QStringLiteral("OrbSales.Customer"));
    customer.set("ConnectionString", db);
    customer.set("CompanyPrefix", demo::kCompany);
    customer.set("BranchPrefix", demo::kHeadOffice);
    customer.set("CustomerCode", demo::kCompany + QStringLiteral("K%1-%2").arg(runTag()).arg(serial));
    customer.set("CustomerName", QStringLiteral("Bench Customer %1").arg(serial));
    customer.set("CustomerAddressFlag", true);
    customer.set("CustomerBuilding", QStringLiteral("Bldg %1").arg(serial));
    customer.set("CustomerRoad", QStringLiteral("Road 2816"));
    customer.set("CustomerCity", QStringLiteral("Dubai"));
    customer.set("CustomerCountry", QStringLiteral("United Arab Emirates"));
    customer.set("CustomerPaymentType", QStringLiteral("Credit"));
    customer.set("CustomerPaymentTerms", QStringLiteral("30 Days"));
    customer.set("CustomerCreditLimit", 50000.0);
    customer.set("CustomerCurrencyCode", demo::kHomeCurrency);
    customer.set("CurrencyCode", demo::kHomeCurrency);
    customer.set("ARAccountNo", demo::kCompany + demo::kHeadOffice + QStringLiteral("1200"));
    customer.set("LastUpdate", QDateTime::currentDateTime());
    if (!customer.call("Create_Customer"))
        throw OrbError(QStringLiteral("Create_Customer failed: %1").arg(customer.errDesc()));
}

QVariantList values(std::initializer_list<QVariant> list) { return QVariantList(list); }

// One credit invoice per customer in a table laid out as the sales document masters are.
void prefillInvoices(Connection &connection, const QString &table, const QString &no, const QString &identity,
                     const QString &date, const QString &prefix, const QStringList &codes, int firstNumber,
                     const QDateTime &now, Progress &progress) {
    insertMany(
        connection, table,
        {no, identity, QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix"),
         QStringLiteral("Document_Prefix"), QStringLiteral("Customer_Code"), QStringLiteral("customer_name"), date,
         QStringLiteral("Currency_Code"), QStringLiteral("Cancel_Flag"), QStringLiteral("Processed_Flag"),
         QStringLiteral("Last_Update")},
        int(codes.size()),
        [&](int i) {
            return values({QStringLiteral("99BN%1%2").arg(prefix).arg(firstNumber + i), firstNumber + i,
                           QStringLiteral("99"), QStringLiteral("BN"), prefix, codes[i],
                           QStringLiteral("Bench Customer ") + codes[i], now, demo::kHomeCurrency, 0, 1, now});
        },
        &progress);
}

// Pre-filled customers belong to company 99 with a balance row in branch BN; each has one
// document in every table a customer's save writes its name into. No receivable rows are
// written, so the balances stand at zero and the books still agree with them.
void prefillCustomers(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const int first = connection
                          .scalar(QStringLiteral("Select count(*) from Customer_Master Where Company_Prefix = ?"),
                                  {QStringLiteral("99")})
                          .toInt() +
                      1;
    QStringList codes;
    codes.reserve(rows);
    for (int i = 0; i < rows; ++i)
        codes << QStringLiteral("99C%1").arg(first + i);
    auto name = [&](int i) { return QStringLiteral("Bench Customer ") + codes[i]; };
    progress.setTotal(qint64(rows) * kRowsPerCustomer);

    insertMany(
        connection, QStringLiteral("Customer_Master"),
        {QStringLiteral("Customer_Code"), QStringLiteral("Company_Prefix"), QStringLiteral("customer_name"),
         QStringLiteral("Customer_AddressFlag"), QStringLiteral("Customer_City"), QStringLiteral("Customer_Country"),
         QStringLiteral("Customer_Payment_Type"), QStringLiteral("Customer_Payment_Terms"),
         QStringLiteral("Customer_Currency_Code"), QStringLiteral("Currency_Code"), QStringLiteral("Currency_Symbol"),
         QStringLiteral("Customer_Credit_limit"), QStringLiteral("AR_Account_No"), QStringLiteral("Allow_Delete_Flag"),
         QStringLiteral("Last_Update")},
        rows,
        [&](int i) {
            return values({codes[i], QStringLiteral("99"), name(i), 0, QStringLiteral("Dubai"),
                           QStringLiteral("United Arab Emirates"), QStringLiteral("Credit"), QStringLiteral("30 Days"),
                           demo::kHomeCurrency, demo::kHomeCurrency, QStringLiteral("Dhs"), 50000.0,
                           QStringLiteral("99BN1200"), 0, now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Customer_Master_Balance"),
        {QStringLiteral("Customer_Code"), QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix"),
         QStringLiteral("Customer_Payment_Type"), QStringLiteral("Customer_Payment_Terms"),
         QStringLiteral("Customer_Credit_limit"), QStringLiteral("Customer_Balance"),
         QStringLiteral("Customer_Fc_Balance")},
        rows,
        [&](int i) {
            return values({codes[i], QStringLiteral("99"), QStringLiteral("BN"), QStringLiteral("Credit"),
                           QStringLiteral("30 Days"), 50000.0, 0.0, 0.0});
        },
        &progress);

    prefillInvoices(connection, QStringLiteral("Sales_Invoice_Master"), QStringLiteral("Sales_Inv_No"),
                    QStringLiteral("Sales_Inv_Identity"), QStringLiteral("Sales_Inv_Date"), QStringLiteral("INV"),
                    codes, first, now, progress);
    prefillInvoices(connection, QStringLiteral("Direct_Sales_Invoice_Master"), QStringLiteral("Dir_Sales_Inv_No"),
                    QStringLiteral("Dir_Sales_Inv_Identity"), QStringLiteral("Dir_Sales_Inv_Date"),
                    QStringLiteral("DIN"), codes, first, now, progress);

    auto adjustment = [&](int i) { return QStringLiteral("99BNARA%1").arg(first + i); };
    insertMany(
        connection, QStringLiteral("AR_Adjustment_Master"),
        {QStringLiteral("AR_Adj_No"), QStringLiteral("AR_Adj_Identity"), QStringLiteral("Company_Prefix"),
         QStringLiteral("Branch_Prefix"), QStringLiteral("Document_Prefix"), QStringLiteral("AR_Adj_Date"),
         QStringLiteral("Customer_Code"), QStringLiteral("Customer_Name"), QStringLiteral("AR_Adj_Amount"),
         QStringLiteral("Last_Update")},
        rows,
        [&](int i) {
            return values({adjustment(i), first + i, QStringLiteral("99"), QStringLiteral("BN"), QStringLiteral("ARA"),
                           now, codes[i], name(i), kPrefilledAmount, now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("AR_Adjustment_Detail"),
        {QStringLiteral("AR_Adj_No"), QStringLiteral("SL_No"), QStringLiteral("Customer_Code"),
         QStringLiteral("Customer_Name"), QStringLiteral("Document_No"), QStringLiteral("Adjusted_Amount"),
         QStringLiteral("Adjusted_FCAmount"), QStringLiteral("Last_Update")},
        rows,
        [&](int i) {
            return values({adjustment(i), 1, codes[i], name(i), QStringLiteral("99BNINV%1").arg(first + i),
                           kPrefilledAmount, kPrefilledAmount, now});
        },
        &progress);
}

} // namespace

Measurement customerMeasurement() {
    return {"customers (saved with a structured address)", "customer", "customers with their documents", saveCustomer,
            prefillCustomers};
}

} // namespace orbsales::cli
