#include "orbsales/data/schema.h"

namespace orbsales::schema {

namespace {

using T = ColumnType;

Column text(const char *name, bool notNull = false) { return {QString::fromLatin1(name), T::Text, notNull}; }
Column number(const char *name) { return {QString::fromLatin1(name), T::Double}; }
Column longNumber(const char *name) { return {QString::fromLatin1(name), T::Long}; }
Column flag(const char *name) { return {QString::fromLatin1(name), T::Flag}; }
Column date(const char *name) { return {QString::fromLatin1(name), T::Date}; }

Index index(const QString &table, const char *suffix, QStringList columns) {
    return {QStringLiteral("IX_%1_%2").arg(table, QString::fromLatin1(suffix)), std::move(columns)};
}

// The header every sales document shares: its number and identity, the three prefixes, the
// customer, the date and the last change. A customer's code change and the test for documents
// of a customer both go by Customer_Code, so it is indexed in every master.
Table documentMaster(const QString &name, const char *numberColumn, const char *identityColumn, const char *dateColumn,
                     std::vector<Column> more = {}) {
    Table table{name,
                {text(numberColumn, true), longNumber(identityColumn), text("Company_Prefix"), text("Branch_Prefix"),
                 text("Document_Prefix"), text("Customer_Code"), text("customer_name"), date(dateColumn)},
                {}};
    for (Column &column : more)
        table.columns.push_back(std::move(column));
    table.columns.push_back(date("Last_Update"));
    table.indexes = {index(name, "No", {QString::fromLatin1(numberColumn)}),
                     index(name, "Customer", {QStringLiteral("Customer_Code")})};
    return table;
}

std::vector<Column> salesDocumentFlags() {
    return {flag("Foreign_Currency_Flag"), number("Exchange_Rate"),   text("Currency_Code"),
            text("Currency_Symbol"),       text("Payment_Terms"),     text("Payment_Type"),
            flag("Cancel_Flag"),           flag("Allow_Cancel_Flag"), flag("Year_End_Flag")};
}

// The shared flags, then the document's own columns.
std::vector<Column> withFlags(std::vector<Column> columns) {
    std::vector<Column> all = salesDocumentFlags();
    all.push_back(flag("Processed_Flag"));
    for (Column &column : columns)
        all.push_back(std::move(column));
    return all;
}

} // namespace

// Masters of the sales documents after the order, and the receivable documents of the package
// that carry a customer: enough for a customer's code change, for the test whether a customer
// has documents, and for the opening-balance documents. Each document class describes the rest
// of its columns with its own tables; the descriptions of one table are merged.
void addDocumentTables(Schema &schema) {
    schema.addTable(documentMaster(QStringLiteral("Delivery_Master"), "Delivery_No", "Delivery_Identity",
                                   "Delivery_Date", withFlags({})));
    schema.addTable(documentMaster(QStringLiteral("Direct_Delivery_Master"), "Direct_Delivery_No",
                                   "Direct_Delivery_Identity", "Direct_Delivery_Date", withFlags({})));
    schema.addTable(documentMaster(QStringLiteral("Cash_Memo_Master"), "Cash_Memo_No", "Cash_Memo_Identity",
                                   "Cash_Memo_Date", withFlags({})));
    schema.addTable(documentMaster(QStringLiteral("Sales_Return_Master"), "Sales_Rtn_No", "Sales_Rtn_Identity",
                                   "Sales_Rtn_Date", withFlags({})));

    // Credit sales invoices, also made by the opening-balance processing with their whole amount
    // open (Balance_Amount equal to the total until the invoice is settled).
    schema.addTable(
        documentMaster(QStringLiteral("Sales_Invoice_Master"), "Sales_Inv_No", "Sales_Inv_Identity", "Sales_Inv_Date",
                       withFlags({number("Sales_Inv_SubTotal"), number("Sales_Inv_FC_SubTotal"),
                                  number("Sales_Inv_Total_Amount"), number("Sales_Inv_FC_Total_Amount"),
                                  number("Balance_Amount"), number("Balance_FCAmount"), text("Sales_Inv_Comments")})));

    // Invoices kept by the package's direct-invoice component.
    schema.addTable(documentMaster(QStringLiteral("Direct_Sales_Invoice_Master"), "Dir_Sales_Inv_No",
                                   "Dir_Sales_Inv_Identity", "Dir_Sales_Inv_Date", withFlags({})));

    // Receipts of the package; the customer is Receipt_To_Code.
    schema.addTable({QStringLiteral("Receipt_Master"),
                     {text("Receipt_No", true), longNumber("Receipt_Identity"),
                      text("Company_Prefix"),   text("Branch_Prefix"),
                      text("Document_Prefix"),  text("Receipt_To"),
                      text("Receipt_Type"),     text("Receipt_Status"),
                      date("Receipt_Date"),     text("Receipt_To_Code"),
                      text("Receipt_To_Name"),  flag("Foreign_Currency_Flag"),
                      text("Currency_Code"),    text("Currency_Symbol"),
                      number("Receipt_Amount"), number("Receipt_FCAmount"),
                      number("Balance_Amount"), number("Balance_FCAmount"),
                      number("Exchange_Rate"),  flag("Advance_Payment_Flag"),
                      flag("Processed_Flag"),   text("Receipt_Comments"),
                      date("Last_Update")},
                     {index(QStringLiteral("Receipt_Master"), "No", {QStringLiteral("Receipt_No")}),
                      index(QStringLiteral("Receipt_Master"), "Customer", {QStringLiteral("Receipt_To_Code")})}});

    // A customer's code change finds its rows by the customer in these tables too; the tables
    // themselves are described with their subsystems, this adds the index the change runs on.
    schema.addTable({QStringLiteral("Sales_Quotation_Master"),
                     {text("Customer_Code")},
                     {index(QStringLiteral("Sales_Quotation_Master"), "Customer", {QStringLiteral("Customer_Code")})}});
    schema.addTable({QStringLiteral("PDC_Master"),
                     {text("CustomerID")},
                     {index(QStringLiteral("PDC_Master"), "Customer", {QStringLiteral("CustomerID")})}});

    // Receivable adjustments of the package: a header and its lines, both naming the customer.
    schema.addTable({QStringLiteral("AR_Adjustment_Master"),
                     {text("AR_Adj_No", true), longNumber("AR_Adj_Identity"), text("Company_Prefix"),
                      text("Branch_Prefix"), text("Document_Prefix"), date("AR_Adj_Date"), text("Customer_Code"),
                      text("Customer_Name"), number("AR_Adj_Amount"), text("AR_Adj_Comments"), date("Last_Update")},
                     {index(QStringLiteral("AR_Adjustment_Master"), "No", {QStringLiteral("AR_Adj_No")}),
                      index(QStringLiteral("AR_Adjustment_Master"), "Customer", {QStringLiteral("Customer_Code")})}});
    schema.addTable({QStringLiteral("AR_Adjustment_Detail"),
                     {text("AR_Adj_No", true), longNumber("SL_No"), text("Customer_Code"), text("Customer_Name"),
                      text("Document_No"), number("Adjusted_Amount"), number("Adjusted_FCAmount"), date("Last_Update")},
                     {index(QStringLiteral("AR_Adjustment_Detail"), "No", {QStringLiteral("AR_Adj_No")}),
                      index(QStringLiteral("AR_Adjustment_Detail"), "Customer", {QStringLiteral("Customer_Code")})}});
}

} // namespace orbsales::schema
