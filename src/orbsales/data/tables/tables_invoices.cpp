#include "orbsales/data/tables/column_builders.h"

namespace orbsales::schema {

using namespace columns;

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
         {index(detail, "No", {QStringLiteral("Sales_Inv_No")}), index(detail, "Delivery", {QStringLiteral("Delivery_No")})}});
}

} // namespace orbsales::schema
