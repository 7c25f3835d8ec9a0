#include "orbsales/data/tables/column_builders.h"

namespace orbsales::schema {

using namespace columns;

// Delivery notes against an order or a cash memo, and direct deliveries. Invoices add to
// Invoiced_Qty and returns to Return_Qty of their lines.
void addDeliveryTables(Schema &schema) {
    const QString master = QStringLiteral("Delivery_Master");
    schema.addTable(
        {master,
         {text("Delivery_No", true), whole("Delivery_Identity"), text("Company_Prefix"), text("Branch_Prefix"),
          text("Document_Prefix"), text("Customer_Code"), text("customer_name"), text("Payment_Terms"),
          text("Payment_Type"), flag("Foreign_Currency_Flag"), text("Currency_Code"), text("Currency_Symbol"),
          date("Delivery_Date"), date("Delivery_End_Date"), text("Source_No"), text("Source_Prefix"),
          date("Source_Date"), number("Delivery_SubTotal"), number("Delivery_FC_SubTotal"),
          number("Delivery_Disc_Amount"), number("Delivery_FC_Disc_Amount"), number("Delivery_Total_Amount"),
          number("Delivery_FC_Total_Amount"), text("Employee_ID"), text("Employee_Name"), text("source_Name"),
          flag("Paid_Flag"), number("Balance_Amount"), number("Balance_FCAmount"), text("Delivery_Comments"),
          number("Exchange_Rate"), text("Address_Code"), text("Delivery_Ref_No"), flag("Processed_Flag"),
          flag("Cancel_Flag"), flag("Allow_Cancel_Flag"), flag("Invoiced_Flag"), flag("Year_End_Flag"),
          date("Last_Update")},
         {index(master, "No", {QStringLiteral("Delivery_No")}), index(master, "Customer", {QStringLiteral("Customer_Code")}),
          index(master, "Source", {QStringLiteral("Source_No")})}});
    const QString detail = QStringLiteral("Delivery_Detail");
    schema.addTable(
        {detail,
         {text("Delivery_No", true), whole("SL_No"), text("Item_Code"), text("Item_Name"), number("Unit_Code"),
          text("Unit_Name"), text("Period_Type"), number("FOC_Flag"), number("Unit_Qty"), number("Delivery_Qty"),
          text("Proj_No"), number("Sales_Ord_Dtl_SL_No"), number("Delivery_Dtl_Unit_Price"),
          number("Delivery_Disc_Amount"), number("Delivery_FC_Disc_Amount"), number("Delivery_Item_Amount"),
          number("Delivery_FC_Item_Amount"), number("Delivery_Dtl_FC_Unit_Price"), number("Sales_Ord_Balance_Qty"),
          number("Sales_Ord_Overall_Disc"), number("Sales_Ord_Overall_FC_Disc"), text("Location_Name"),
          number("Location_ID"), number("Inventory_Value"), quantity("Invoiced_Qty"), quantity("Return_Qty"),
          date("Last_Update")},
         {index(detail, "No", {QStringLiteral("Delivery_No")}), index(detail, "SL", {QStringLiteral("SL_No")})}});

    const QString directMaster = QStringLiteral("Direct_Delivery_Master");
    schema.addTable(
        {directMaster,
         {text("Direct_Delivery_No", true), whole("Direct_Delivery_Identity"), text("Company_Prefix"),
          text("Branch_Prefix"), text("Document_Prefix"), text("Customer_Code"), text("customer_name"),
          text("Payment_Terms"), text("Payment_Type"), flag("Foreign_Currency_Flag"), number("Exchange_Rate"),
          text("Currency_Code"), text("Currency_Symbol"), date("Direct_Delivery_Date"),
          date("Direct_Delivery_End_Date"), number("Direct_Delivery_SubTotal"), number("Direct_Delivery_FC_SubTotal"),
          number("Direct_Delivery_Disc_Percent"), number("Direct_Delivery_Disc_Amount"),
          number("Direct_Delivery_FC_Disc_Amount"), number("Direct_Delivery_Total_Amount"),
          number("Direct_Delivery_FC_Total_Amount"), text("Employee_ID"), text("Employee_Name"), flag("Paid_Flag"),
          text("Direct_Delivery_Comments"), number("Balance_Amount"), number("Balance_FCAmount"),
          text("Address_Code"), flag("Cancel_Flag"), flag("Allow_Cancel_Flag"), flag("Processed_Flag"),
          flag("Invoiced_Flag"), flag("Year_End_Flag"), date("Last_Update")},
         {index(directMaster, "No", {QStringLiteral("Direct_Delivery_No")}),
          index(directMaster, "Customer", {QStringLiteral("Customer_Code")})}});
    const QString directDetail = QStringLiteral("Direct_Delivery_Detail");
    schema.addTable(
        {directDetail,
         {text("Direct_Delivery_No", true), whole("SL_No"), text("Item_Code"), text("Item_Name"), number("Unit_Code"),
          text("Unit_Name"), text("Period_Type"), number("FOC_Flag"), number("Unit_Qty"),
          number("Direct_Delivery_Qty"), number("Direct_Delivery_Dtl_FC_Unit_Price"),
          number("Direct_Delivery_Dtl_Disc_Percent"), number("Direct_Delivery_FC_Disc_Amount"),
          number("Direct_Delivery_FC_Item_Amount"), number("Direct_Delivery_Disc_Amount"),
          number("Direct_Delivery_Item_Amount"), number("Direct_Delivery_Dtl_Unit_Price"),
          number("Direct_Delivery_Overall_Disc_Amount"), number("Direct_Delivery_Overall_Fc_Disc_Amount"),
          text("Proj_No"), text("Location_Name"), number("Location_ID"), number("Inventory_Value"),
          quantity("Invoiced_Qty"), quantity("Return_Qty"), date("Last_Update")},
         {index(directDetail, "No", {QStringLiteral("Direct_Delivery_No")}),
          index(directDetail, "SL", {QStringLiteral("SL_No")})}});
}

} // namespace orbsales::schema
