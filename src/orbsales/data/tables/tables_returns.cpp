#include "orbsales/data/tables/column_builders.h"

namespace orbsales::schema {

using namespace columns;

// Sales returns, and the direct sales invoices of the package's direct-invoice component that
// returns may be raised against.
void addReturnTables(Schema &schema) {
    const QString master = QStringLiteral("Sales_Return_Master");
    schema.addTable(
        {master,
         {text("Sales_Rtn_No", true), number("Sales_Rtn_Identity"), text("Company_Prefix"), text("Branch_Prefix"),
          text("Document_Prefix"), date("Sales_Rtn_Date"), text("Customer_Code"), text("customer_name"),
          text("Payment_Terms"), text("Payment_Type"), flag("Foreign_Currency_Flag"), text("Currency_Code"),
          text("Currency_Symbol"), number("Exchange_Rate"), number("Sales_Rtn_SubTotal"), number("Sales_Rtn_Disc_Amount"),
          number("Sales_Rtn_Total_Amount"), number("Sales_Rtn_FC_SubTotal"), number("Sales_Rtn_FC_Disc_Amount"),
          number("Sales_Rtn_FC_Total_Amount"), flag("Cancel_Flag"), flag("Allow_Cancel_Flag"), flag("Processed_Flag"),
          flag("Year_End_Flag"), text("Ref_No"), date("Ref_Date"), text("Ref_Doc_Type"), text("Sales_Rtn_Comments"),
          text("Employee_ID"), text("Employee_Name"), date("Last_Update")},
         {index(master, "No", {QStringLiteral("Sales_Rtn_No")}), index(master, "Customer", {QStringLiteral("Customer_Code")})}});
    const QString detail = QStringLiteral("Sales_Return_Detail");
    schema.addTable(
        {detail,
         {whole("SL_No"), text("Sales_Rtn_No", true), text("Item_Code"), text("Item_Name"), number("Unit_Code"),
          text("Unit_Name"), text("Period_Type"), number("Unit_Qty"), number("Sales_Rtn_Qty"),
          number("Sales_Rtn_Unit_Price"), number("Sales_Rtn_FC_Unit_Price"), number("Sales_Rtn_Disc_Amount"),
          number("Sales_Rtn_FC_Disc_Amount"), number("Sales_Rtn_Item_Amount"), number("Sales_Rtn_FC_Item_Amount"),
          number("Invoice_OverAll_Disc"), number("Invoice_OverAll_FCDisc"), number("Inventory_Value"), text("Proj_No"),
          text("Location_ID"), text("Location_Name"), number("Ref_SL_No"), date("Last_Update")},
         {index(detail, "No", {QStringLiteral("Sales_Rtn_No")}), index(detail, "SL", {QStringLiteral("SL_No")})}});

    // A return gives its quantity back to the item's purchase lots in date order: first the lots
    // still open, then the lots sold out most recently, each walk through a partial index of its
    // own, so neither reads a lot of the other kind.
    const QString lots = QStringLiteral("Purchase_Log");
    const QStringList byDate{QStringLiteral("Item_Code"), QStringLiteral("Branch_Prefix"),
                             QStringLiteral("Purchase_Log_Date"), QStringLiteral("Row_Id")};
    Index open = index(lots, "Open", byDate);
    open.where = QStringLiteral("Total_Purchase_Qty - Sold_Qty > 0");
    Index soldOut = index(lots, "Sold_Out", byDate);
    soldOut.where = QStringLiteral("Total_Purchase_Qty - Sold_Qty <= 0");
    schema.addTable({lots, {text("Item_Code")}, {open, soldOut}});

    const QString dsiMaster = QStringLiteral("Direct_Sales_Invoice_Master");
    schema.addTable(
        {dsiMaster,
         {text("Dir_Sales_Inv_No", true), whole("Dir_Sales_Inv_Identity"), text("Company_Prefix"), text("Branch_Prefix"),
          text("Document_Prefix"), text("Customer_Code"), text("Customer_Name"), date("Dir_Sales_Inv_Date"),
          text("Payment_Terms"), text("Payment_Type"), flag("Foreign_Currency_Flag"), text("Currency_Code"),
          text("Currency_Symbol"), number("Exchange_Rate"), number("Dir_Sales_Inv_SubTotal"),
          number("Dir_Sales_Inv_Total_Amount"), number("Dir_Sales_Inv_FC_Total_Amount"), flag("Processed_Flag"),
          flag("Cancel_Flag"), flag("Allow_Cancel_Flag"), flag("Year_End_Flag"), date("Last_Update")},
         {index(dsiMaster, "No", {QStringLiteral("Dir_Sales_Inv_No")}),
          index(dsiMaster, "Customer", {QStringLiteral("Customer_Code")})}});
    const QString dsiDetail = QStringLiteral("Direct_Sales_Invoice_Detail");
    schema.addTable(
        {dsiDetail,
         {text("Dir_Sales_Inv_No", true), whole("SL_No"), text("Item_Code"), text("Item_Name"), number("Unit_Code"),
          text("Unit_Name"), text("Period_Type"), number("FOC_Flag"), number("Unit_Qty"), number("Dir_Sales_Inv_Dtl_Qty"),
          number("Dir_Sales_Inv_Dtl_Unit_Price"), number("Dir_Sales_Inv_Dtl_FC_Unit_Price"),
          number("Dir_Sales_Inv_Dtl_Disc_Percent"), number("Dir_Sales_Inv_Dtl_Disc_Amount"),
          number("Dir_Sales_Inv_Dtl_FC_Disc_Amount"), number("Dir_Sales_Inv_Dtl_Item_Amount"),
          number("Dir_Sales_Inv_Dtl_FC_Item_Amount"), number("Inventory_Value"), text("Proj_No"), number("Location_ID"),
          text("Location_Name"), quantity("Return_Qty"), date("Last_Update")},
         {index(dsiDetail, "No", {QStringLiteral("Dir_Sales_Inv_No")}), index(dsiDetail, "SL", {QStringLiteral("SL_No")})}});
}

} // namespace orbsales::schema
