#include "orbsales/data/tables/column_builders.h"

namespace orbsales::schema {

using namespace columns;

// The receivable documents of the package that carry a customer (receipts, adjustments), and
// the indexes a customer's code change runs on in tables described elsewhere.
void addDocumentTables(Schema &schema) {
    // Receipts of the package; the customer is Receipt_To_Code.
    schema.addTable({QStringLiteral("Receipt_Master"),
                     {text("Receipt_No", true), whole("Receipt_Identity"),
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
                     {text("AR_Adj_No", true), whole("AR_Adj_Identity"), text("Company_Prefix"),
                      text("Branch_Prefix"), text("Document_Prefix"), date("AR_Adj_Date"), text("Customer_Code"),
                      text("Customer_Name"), number("AR_Adj_Amount"), text("AR_Adj_Comments"), date("Last_Update")},
                     {index(QStringLiteral("AR_Adjustment_Master"), "No", {QStringLiteral("AR_Adj_No")}),
                      index(QStringLiteral("AR_Adjustment_Master"), "Customer", {QStringLiteral("Customer_Code")})}});
    schema.addTable({QStringLiteral("AR_Adjustment_Detail"),
                     {text("AR_Adj_No", true), whole("SL_No"), text("Customer_Code"), text("Customer_Name"),
                      text("Document_No"), number("Adjusted_Amount"), number("Adjusted_FCAmount"), date("Last_Update")},
                     {index(QStringLiteral("AR_Adjustment_Detail"), "No", {QStringLiteral("AR_Adj_No")}),
                      index(QStringLiteral("AR_Adjustment_Detail"), "Customer", {QStringLiteral("Customer_Code")})}});
}

} // namespace orbsales::schema
