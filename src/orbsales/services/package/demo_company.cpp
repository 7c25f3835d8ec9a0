#include "orbsales/services/package/demo_company.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/schema.h"
#include "orbsales/values/numbers.h"
#include "orbsales/services/package/package_seed.h"
#include "orbsales/services/package/seed_returns.h"
#include "orbsales/values/dates.h"

#include <QDateTime>
#include <utility>
#include <vector>

namespace orbsales::demo {

namespace {

struct DocumentType {
    const char *prefix;
    const char *name;
};

// Every document prefix the sales side numbers by. Each gets one Document_Prefix row per
// branch, its counter starting at 1; the documents read the prefix from their DocumentPrefix
// property, so a prefix missing here makes the counter refuse that document.
constexpr DocumentType kDocumentTypes[] = {
    {"SQT", "Sales Quotation"},
    {"SOR", "Sales Order"},
    {"DEL", "Delivery Note"},
    {"DDL", "Direct Delivery"},
    {"INV", "Sales Invoice"},
    {"DSI", "Direct Sales Invoice"},
    {"CHM", "Cash Memo"},
    {"SRT", "Sales Return"},
    {"CRM", "Credit Memo"},
    {"PDC", "Post-dated Cheque"},
    {"COB", "Customer Opening Balance Invoice"},
    {"OBR", "Customer Opening Balance Advance Receipt"},
};

constexpr DemoItem kItems[] = {
    {"A100", "Widget", "Nos", 12.5, "0"},
    {"A200", "Gadget", "Nos", 40, "0"},
    {"B100", "Steel Bracket", "Box", 85, "0"},
    {"C300", "Cable Reel", "Mtr", 2.75, "0"},
    {"S100", "Installation Service", "Hrs", 150, "1"},
    {"K100", "Tool Kit", "Set", 95, "3"},
};

constexpr DemoCustomer kCustomers[] = {
    {"C001", "Acme Trading LLC", "AED", "Credit", "30 Days", 50000},
    {"C002", "Gulf Builders Co.", "AED", "Credit", "60 Days", 120000},
    {"C003", "Harbour Imports Inc.", "USD", "Credit", "30 Days", 20000},
    {"C004", "Walk-in Customer", "AED", "Cash", "", 0},
};

using Values = std::vector<std::pair<QString, QVariant>>;

QString text(const char *value) { return QString::fromUtf8(value); }

QVariant defaultFor(schema::ColumnType type) {
    switch (type) {
    case schema::ColumnType::Text:
        return QString();
    case schema::ColumnType::Date:
        return dates::zeroDate();
    default:
        return 0;
    }
}

// Inserts one row into `tableName`, using only the columns the table has: the seed names the
// columns it knows of, and a table that gains or lacks a column later still takes the row.
// Required columns the seed does not name get an empty value; Last_Update gets `now`.
void insertRow(Connection &connection, const QString &tableName, const Values &values, const QDateTime &now) {
    const schema::Table *table = schema::Schema::instance().table(tableName);
    if (!table)
        return;
    QStringList columns;
    QStringList marks;
    QVariantList bound;
    for (const schema::Column &column : table->columns) {
        QVariant value;
        bool given = false;
        for (const auto &[name, v] : values) {
            if (name.compare(column.name, Qt::CaseInsensitive) == 0) {
                value = v;
                given = true;
                break;
            }
        }
        if (!given && column.name.compare(QStringLiteral("Last_Update"), Qt::CaseInsensitive) == 0) {
            value = now;
            given = true;
        }
        if (!given && column.notNull) {
            value = defaultFor(column.type);
            given = true;
        }
        if (!given)
            continue;
        columns << column.name;
        marks << QStringLiteral("?");
        bound << schema::coerce(column.type, value);
    }
    connection.execute(QStringLiteral("Insert into %1 (%2) values (%3)")
                           .arg(table->name, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       bound);
}

void seedBranches(Connection &connection, const QDateTime &now) {
    insertRow(connection, QStringLiteral("Branch_Master"),
              {{QStringLiteral("Company_Prefix"), kCompany},
               {QStringLiteral("Branch_Prefix"), kHeadOffice},
               {QStringLiteral("Branch_Name"), QStringLiteral("Head Office")}},
              now);
    insertRow(connection, QStringLiteral("Branch_Master"),
              {{QStringLiteral("Company_Prefix"), kCompany},
               {QStringLiteral("Branch_Prefix"), kSecondBranch},
               {QStringLiteral("Branch_Name"), QStringLiteral("Second Branch")}},
              now);
}

void seedCurrencies(Connection &connection, const QDateTime &now) {
    insertRow(connection, QStringLiteral("Currency_Master"),
              {{QStringLiteral("Currency_Code"), kHomeCurrency},
               {QStringLiteral("Currency_Name"), QStringLiteral("UAE Dirham")},
               {QStringLiteral("Currency_Symbol"), QStringLiteral("Dhs")},
               {QStringLiteral("Home_Currency_Flag"), 1},
               {QStringLiteral("Exchange_Rate"), 1.0}},
              now);
    insertRow(connection, QStringLiteral("Currency_Master"),
              {{QStringLiteral("Currency_Code"), kForeignCurrency},
               {QStringLiteral("Currency_Name"), QStringLiteral("US Dollar")},
               {QStringLiteral("Currency_Symbol"), QStringLiteral("$")},
               {QStringLiteral("Home_Currency_Flag"), 0},
               {QStringLiteral("Exchange_Rate"), kForeignRate}},
              now);
}

void seedDocumentPrefixes(Connection &connection, const QDateTime &now) {
    for (const QString &branch : branches()) {
        for (const DocumentType &type : kDocumentTypes) {
            insertRow(connection, QStringLiteral("Document_Prefix"),
                      {{QStringLiteral("Document_Prefix"), text(type.prefix)},
                       {QStringLiteral("Company_Prefix"), kCompany},
                       {QStringLiteral("Branch_Prefix"), branch},
                       {QStringLiteral("Document_Name"), text(type.name)},
                       {QStringLiteral("Document_Next_No"), 1},
                       {QStringLiteral("Manual_Flag"), 0}},
                      now);
        }
    }
}

// Items and customers belong to other parts of the schema; they are seeded once those tables
// exist (insertRow skips a table the schema does not define).
void seedItems(Connection &connection, const QDateTime &now) {
    for (const DemoItem &item : kItems) {
        insertRow(connection, QStringLiteral("Item_Master"),
                  {{QStringLiteral("Item_Code"), kCompany + text(item.code)},
                   {QStringLiteral("Item_Name"), text(item.name)},
                   {QStringLiteral("Company_Prefix"), kCompany},
                   {QStringLiteral("Item_Type"), text(item.type)},
                   {QStringLiteral("Unit_Name"), text(item.unit)},
                   {QStringLiteral("Unit_Code"), 1},
                   {QStringLiteral("Base_Qty"), 1},
                   {QStringLiteral("Unit_Price"), item.price},
                   {QStringLiteral("Selling_Price"), item.price},
                   {QStringLiteral("Costing_Type"), QStringLiteral("AVEG")}},
                  now);
    }
}

void seedCustomers(Connection &connection, const QDateTime &now) {
    for (const DemoCustomer &customer : kCustomers) {
        const QString code = kCompany + text(customer.code);
        const bool foreign = text(customer.currency) != kHomeCurrency;
        insertRow(connection, QStringLiteral("Customer_Master"),
                  {{QStringLiteral("Customer_Code"), code},
                   {QStringLiteral("Company_Prefix"), kCompany},
                   {QStringLiteral("customer_name"), text(customer.name)},
                   {QStringLiteral("Customer_Payment_Type"), text(customer.paymentType)},
                   {QStringLiteral("Customer_Payment_Terms"), text(customer.paymentTerms)},
                   {QStringLiteral("Customer_Credit_limit"), customer.creditLimit},
                   {QStringLiteral("Customer_Currency_Code"), text(customer.currency)},
                   {QStringLiteral("Currency_Code"), text(customer.currency)},
                   {QStringLiteral("Currency_Symbol"), foreign ? QStringLiteral("$") : QStringLiteral("Dhs")},
                   {QStringLiteral("Foreign_Currency_Flag"), foreign ? 1 : 0},
                   {QStringLiteral("Customer_Country"), QStringLiteral("United Arab Emirates")},
                   {QStringLiteral("Customer_Balance"), 0},
                   {QStringLiteral("Allow_Delete_Flag"), 1}},
                  now);
        for (const QString &branch : branches()) {
            insertRow(connection, QStringLiteral("Customer_Master_Balance"),
                      {{QStringLiteral("Customer_Code"), code},
                       {QStringLiteral("Company_Prefix"), kCompany},
                       {QStringLiteral("Branch_Prefix"), branch},
                       {QStringLiteral("Customer_Payment_Type"), text(customer.paymentType)},
                       {QStringLiteral("Customer_Payment_Terms"), text(customer.paymentTerms)},
                       {QStringLiteral("Customer_Credit_limit"), customer.creditLimit},
                       {QStringLiteral("Customer_Balance"), 0},
                       {QStringLiteral("Customer_Fc_Balance"), 0}},
                      now);
        }
    }
}

} // namespace

QStringList branches() { return {kHeadOffice, kSecondBranch}; }

QStringList documentPrefixes() {
    QStringList prefixes;
    for (const DocumentType &type : kDocumentTypes)
        prefixes << text(type.prefix);
    return prefixes;
}

std::span<const DemoItem> items() { return kItems; }
std::span<const DemoCustomer> customers() { return kCustomers; }

void seedDemoCompany(Connection &connection) {
    const QDateTime now = QDateTime::currentDateTime();
    connection.beginTransaction();
    try {
        seedBranches(connection, now);
        seedCurrencies(connection, now);
        seedDocumentPrefixes(connection, now);
        seedItems(connection, now);
        seedCustomers(connection, now);
        package::seedPackageBooks(connection);
        package::seedReturns(connection);
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

} // namespace orbsales::demo
