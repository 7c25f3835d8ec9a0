#include "orbsales/data/tables/column_builders.h"

namespace orbsales::schema {

using namespace columns;

namespace {

// One row per line of a processed delivery note or direct delivery that is neither cancelled
// nor paid by a cash memo, under the delivery note's column names; `lineFilter` chooses the
// lines, with %1 standing for the delivered quantity. The customer, branch and company filters
// of the invoice's statements reach the masters' indexes through the union.
QString deliveryLines(const QString &lineFilter) {
    const QString deliveries = QStringLiteral(
        "SELECT M.Customer_Code AS Customer_Code, M.Company_Prefix AS Company_Prefix, "
        "M.Branch_Prefix AS Branch_Prefix, "
        "M.Delivery_Identity AS Delivery_Identity, D.Row_Id AS Dtl_ID, M.Delivery_Date AS Delivery_Date, "
        "M.Delivery_End_Date AS Delivery_End_Date, M.Delivery_No AS Delivery_No, 'SalesOrder' AS Delivery_Flag, "
        "D.Item_Code AS Item_Code, D.Item_Name AS Item_Name, D.Unit_Code AS Unit_Code, D.Unit_Name AS Unit_Name, "
        "D.Period_Type AS Period_Type, D.FOC_Flag AS FOC_Flag, D.Unit_Qty AS Unit_Qty, D.Delivery_Qty AS Delivery_Qty, "
        "D.Invoiced_Qty AS Invoiced_Qty, D.Return_Qty AS Return_Qty, M.Foreign_Currency_Flag AS Foreign_Currency_Flag, "
        "D.Delivery_Dtl_Unit_Price AS Delivery_Dtl_Unit_Price, "
        "D.Delivery_Dtl_FC_Unit_Price AS Delivery_Dtl_FC_Unit_Price, "
        "D.Delivery_Disc_Amount AS Delivery_Disc_Amount, D.Delivery_FC_Disc_Amount AS Delivery_FC_Disc_Amount, "
        "D.Sales_Ord_Overall_FC_Disc AS Delivery_OverAll_Disc_Amount, D.Delivery_Item_Amount AS Delivery_Item_Amount, "
        "D.Delivery_FC_Item_Amount AS Delivery_FC_Item_Amount, D.Proj_No AS Proj_No, D.SL_No AS SL_No, "
        "D.Sales_Ord_Overall_Disc AS Sales_Ord_Overall_Disc, D.Sales_Ord_Overall_FC_Disc AS Sales_Ord_Overall_FC_Disc, "
        "M.Address_Code AS Address_Code, A.Address_Desc AS Address_Desc, M.Delivery_Ref_No AS Delivery_Ref_No "
        "FROM Delivery_Master M JOIN Delivery_Detail D ON D.Delivery_No = M.Delivery_No "
        "LEFT JOIN Customer_Address A ON A.Customer_Code = M.Customer_Code AND A.Address_Code = M.Address_Code "
        "WHERE M.Processed_Flag = 1 AND COALESCE(M.Cancel_Flag, 0) = 0 AND COALESCE(M.Paid_Flag, 0) = 0 AND ");
    const QString directDeliveries = QStringLiteral(
        "SELECT M.Customer_Code, M.Company_Prefix, M.Branch_Prefix, M.Direct_Delivery_Identity, D.Row_Id, "
        "M.Direct_Delivery_Date, M.Direct_Delivery_End_Date, M.Direct_Delivery_No, 'Direct', D.Item_Code, D.Item_Name, "
        "D.Unit_Code, D.Unit_Name, D.Period_Type, D.FOC_Flag, D.Unit_Qty, D.Direct_Delivery_Qty, D.Invoiced_Qty, "
        "D.Return_Qty, M.Foreign_Currency_Flag, D.Direct_Delivery_Dtl_Unit_Price, D.Direct_Delivery_Dtl_FC_Unit_Price, "
        "D.Direct_Delivery_Disc_Amount, D.Direct_Delivery_FC_Disc_Amount, D.Direct_Delivery_Overall_Fc_Disc_Amount, "
        "D.Direct_Delivery_Item_Amount, D.Direct_Delivery_FC_Item_Amount, D.Proj_No, D.SL_No, "
        "D.Direct_Delivery_Overall_Disc_Amount, D.Direct_Delivery_Overall_Fc_Disc_Amount, M.Address_Code, "
        "A.Address_Desc, NULL "
        "FROM Direct_Delivery_Master M JOIN Direct_Delivery_Detail D ON D.Direct_Delivery_No = M.Direct_Delivery_No "
        "LEFT JOIN Customer_Address A ON A.Customer_Code = M.Customer_Code AND A.Address_Code = M.Address_Code "
        "WHERE M.Processed_Flag = 1 AND COALESCE(M.Cancel_Flag, 0) = 0 AND COALESCE(M.Paid_Flag, 0) = 0 AND ");
    return deliveries + lineFilter.arg(QStringLiteral("D.Delivery_Qty")) + QStringLiteral(" UNION ALL ") +
           directDeliveries + lineFilter.arg(QStringLiteral("D.Direct_Delivery_Qty"));
}

// What the invoice reads: the lines still to bill (of a branch, or of every branch of the
// company: the statements filter, the rows are the same), the lines whose goods are still out
// for hire (billed or not, re-invoiced each period), and the invoice lines with the name of
// their delivery's branch and their address, as the Access form of the line query reads them.
void addInvoiceViews(Schema &schema) {
    const QString open = deliveryLines(QStringLiteral("D.Invoiced_Qty < %1"));
    schema.addView({QStringLiteral("DeliveriesForInvoicing"), open});
    schema.addView({QStringLiteral("DeliveriesForInvoicingBasic"), open});
    schema.addView({QStringLiteral("DeliveriesInvoiced"), deliveryLines(QStringLiteral("D.Return_Qty < %1"))});
    schema.addView(
        {QStringLiteral("qrySalesInvoiceDeatails"),
         QStringLiteral("SELECT S.*, B.Branch_Name AS Branch_Name, C.Address_Desc AS Address_Desc, "
                        "M.Customer_Code AS Customer_Code FROM Sales_Invoice_Detail S "
                        "JOIN Sales_Invoice_Master M ON M.Sales_Inv_No = S.Sales_Inv_No "
                        "LEFT JOIN Branch_Master B ON B.Company_Prefix = M.Company_Prefix AND "
                        "B.Branch_Prefix = SUBSTR(S.Delivery_No, 3, 2) "
                        "LEFT JOIN Customer_Address C ON C.Customer_Code = M.Customer_Code AND "
                        "C.Address_Code = S.Address_Code")});
}

} // namespace

// Credit sales invoices over processed deliveries and direct deliveries; the opening-balance
// processing makes invoices too, with their whole amount open (Balance_Amount equal to the total
// until the invoice is settled). Returns add to Return_Qty of the lines.
void addInvoiceTables(Schema &schema) {
    const QString master = QStringLiteral("Sales_Invoice_Master");
    schema.addTable(
        {master,
         {text("Sales_Inv_No", true), whole("Sales_Inv_Identity"), text("Company_Prefix"), text("Branch_Prefix"),
          text("Document_Prefix"), text("Customer_Code"), text("customer_name"), text("Payment_Terms"),
          text("Payment_Type"), flag("Foreign_Currency_Flag"), number("Exchange_Rate"), text("Currency_Code"),
          text("Currency_Symbol"), date("Sales_Inv_Date"), date("Sales_Inv_End_Date"), number("Sales_Inv_SubTotal"),
          number("Sales_Inv_FC_SubTotal"), number("Sales_Inv_Disc_Percent"), number("Sales_Inv_Disc_Amount"),
          number("Sales_Inv_FC_Disc_Amount"), number("Sales_Inv_Total_Amount"), number("Sales_Inv_FC_Total_Amount"),
          text("Employee_ID"), text("Employee_Name"), text("Sales_Inv_Comments"), number("Balance_Amount"),
          number("Balance_FCAmount"), text("Invoice_Ref_no"), flag("Processed_Flag"), flag("Cancel_Flag"),
          flag("Allow_Cancel_Flag"), flag("Year_End_Flag"), date("Last_Update")},
         {index(master, "No", {QStringLiteral("Sales_Inv_No")}), index(master, "Customer", {QStringLiteral("Customer_Code")})}});
    const QString detail = QStringLiteral("Sales_Invoice_Detail");
    schema.addTable(
        {detail,
         {text("Sales_Inv_No", true), whole("SL_No"), text("Delivery_Identity"), text("Delivery_Date"),
          text("Item_Code"), text("Item_Name"), number("Unit_Code"), text("Unit_Name"), text("Period_Type"),
          number("FOC_Flag"), number("Unit_Qty"), number("Sales_Inv_Qty"), number("Delivery_Qty"),
          number("Sales_Inv_FC_Unit_Price"), number("Sales_Inv_Dtl_FC_Disc_Amount"), number("Sales_Ord_Overall_FC_Disc"),
          number("Sales_Inv_FC_Item_Amount"), number("Sales_Inv_Unit_Price"), number("Sales_Inv_Dtl_Disc_Amount"),
          number("Sales_Ord_Overall_Disc"), number("Sales_Inv_Item_Amount"), text("Proj_No"),
          number("Delivery_Dtl_SL_No"), text("Delivery_Flag"), text("Delivery_No"), text("Address_Code"),
          text("Delivery_Ref_No"), number("Delivery_Dtl_FC_Unit_Price"), quantity("Return_Qty"),
          flag("parentsalesInv_allitemsreturned"), date("Last_Update")},
         {index(detail, "No", {QStringLiteral("Sales_Inv_No")}), index(detail, "Delivery", {QStringLiteral("Delivery_No")}),
          // The largest serial for a converted order's next line, and a line by number and serial:
          // an invoice's own lines are numbered by grid row, so the serial alone tells little.
          index(detail, "SL", {QStringLiteral("SL_No"), QStringLiteral("Sales_Inv_No")})}});
    addInvoiceViews(schema);
}

} // namespace orbsales::schema
