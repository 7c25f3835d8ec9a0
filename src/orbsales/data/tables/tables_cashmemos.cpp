#include "orbsales/data/tables/column_builders.h"

namespace orbsales::schema {

using namespace columns;

// Cash memos: sales paid at once in cash, by cheque or by card, point-of-sale memos included.
// Deliveries add to Cash_Memo_Delivered_Qty and returns to Return_Qty of their lines.
// Posting_Digits (master): the decimals the memo's postings were rounded to, set when the memo is
// posted (NULL until then); Sales_Account_No (lines): the account the line's sale was posted to.
// Both let the books be checked again later, also after a processed memo is cancelled.
void addCashMemoTables(Schema &schema) {
    const QString master = QStringLiteral("Cash_Memo_Master");
    schema.addTable(
        {master,
         {text("Cash_Memo_No", true), whole("Cash_Memo_Identity"), text("Company_Prefix"), text("Branch_Prefix"),
          text("Document_Prefix"), text("Customer_Code"), text("customer_name"), date("Cash_Memo_Date"),
          date("Cash_Memo_End_Date"), flag("Foreign_Currency_Flag"), text("Currency_Code"), text("Currency_Symbol"),
          number("Exchange_Rate"), number("Cash_Memo_SubTotal"), number("Cash_Memo_FC_Sub_Total"),
          number("Cash_Memo_Disc_Percent"), number("Cash_Memo_Disc_Amount"), number("Cash_Memo_FC_Disc_Amount"),
          number("Cash_Memo_Total_Amount"), number("Cash_Memo_FC_Total_Amount"), number("Balance_Amount"),
          number("Balance_FCAmount"), number("Adjusted_Amount"), number("Adjusted_FCAmount"), text("Payment_Type"),
          text("Payment_Terms"), text("Cheque_No"), text("Cheque_Bank"), date("Cheque_Date"),
          text("CreditCard_Code"), text("CreditCard_Name"), text("CreditCard_No"), text("Employee_ID"),
          text("Employee_Name"), text("Cash_Memo_Comments"), text("Reference_No"),
          text("Reference_Document_Prefix"), text("Reference_Document_Name"), whole("Location_ID"),
          text("Location_Name"), flag("process_Flag"), flag("Cancel_Flag"), flag("Allow_Cancel_Flag"),
          flag("Delivered_Flag"), flag("Paid_Flag"), flag("Year_End_Flag"), text("Status"), number("Posting_Digits"),
          date("Last_Update")},
         {index(master, "No", {QStringLiteral("Cash_Memo_No")}), index(master, "Customer", {QStringLiteral("Customer_Code")}),
          index(master, "Reference", {QStringLiteral("Reference_No")})}});
    const QString detail = QStringLiteral("Cash_Memo_Detail");
    schema.addTable(
        {detail,
         {whole("SL_No"), text("Cash_Memo_No", true), text("Item_Code"), text("Item_Name"), number("Unit_Code"),
          text("Unit_Name"), text("Period_Type"), flag("FOC_Flag"), number("Unit_Qty"), number("Cash_Memo_Qty"),
          quantity("Cash_Memo_Delivered_Qty"), number("Cash_Memo_Unit_Price"), number("Cash_Memo_FC_Unit_Price"),
          number("Cash_Memo_Dtl_Disc_Percent"), number("Cash_Memo_Disc_Amount"), number("Cash_Memo_FC_Disc_Amount"),
          number("Cash_Memo_Item_Amount"), number("Cash_Memo_FC_Item_Amount"), number("Cash_Memo_OverAll_Disc_Amount"),
          number("Cash_Memo_OverAll_FC_Disc_Amount"), number("Location_ID"), text("Location_Name"),
          number("Reference_SL_No"), text("Proj_No"), number("Inventory_Value"), quantity("Return_Qty"),
          text("Sales_Account_No"), date("Last_Update")},
         {index(detail, "No", {QStringLiteral("Cash_Memo_No")}), index(detail, "SL", {QStringLiteral("SL_No")})}});
}

} // namespace orbsales::schema
