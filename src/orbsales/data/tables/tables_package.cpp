#include "orbsales/data/schema.h"

namespace orbsales::schema {

namespace {

using T = ColumnType;

Column text(const char *name, bool notNull = false) { return {QString::fromLatin1(name), T::Text, notNull}; }
Column number(const char *name, bool notNull = false) { return {QString::fromLatin1(name), T::Double, notNull}; }
Column whole(const char *name) { return {QString::fromLatin1(name), T::Long}; }
Column flag(const char *name) { return {QString::fromLatin1(name), T::Flag}; }
Column date(const char *name) { return {QString::fromLatin1(name), T::Date}; }
Index index(const char *name, QStringList columns, bool unique = false) {
    return {QString::fromLatin1(name), std::move(columns), unique};
}

// The ledger. Account numbers carry the company and branch (01HO1200). An account's balance is
// Opening_Balance plus Posted_Balance; Posted_Balance is the running sum of the postings
// (COAPosting), kept apart from the opening so that opening entries never disturb it.
void addLedgerTables(Schema &schema) {
    schema.addTable({QStringLiteral("Chart_Of_Accounts"),
                     {text("Account_No", true), text("Account_Name"), text("Company_Prefix"), text("Branch_Prefix"),
                      text("Account_Type"), number("Opening_Balance"), number("Posted_Balance"), date("Last_Update")},
                     {index("IX_Chart_Of_Accounts_No", {QStringLiteral("Account_No")}, true)}});
    schema.addTable({QStringLiteral("General_Ledger"),
                     {text("Document_No", true), text("Document_Prefix"), text("Company_Prefix"), text("Branch_Prefix"),
                      date("GL_Date"), text("Account_No", true), text("GL_Description"), text("GL_Comments"),
                      number("GL_Debit_Amount"), number("GL_Credit_Amount"), number("FC_GL_Debit_Amount"),
                      number("FC_GL_Credit_Amount"), flag("Foreign_Currency_Flag"), text("Currency_Code"),
                      text("Currency_Symbol"), date("Last_Update")},
                     {index("IX_General_Ledger_Document", {QStringLiteral("Document_No")}),
                      index("IX_General_Ledger_Account", {QStringLiteral("Account_No")})}});
    // A ledger line whose COAPosting moved the account's balance by another amount (chart_postings.h).
    schema.addTable({QStringLiteral("Chart_Difference"),
                     {text("Document_No", true), text("Account_No", true), number("Ledger_Amount"),
                      number("Chart_Amount"), date("Last_Update")},
                     {index("IX_Chart_Difference_Document", {QStringLiteral("Document_No")}),
                      index("IX_Chart_Difference_Account", {QStringLiteral("Account_No")})}});
    schema.addTable({QStringLiteral("Accounts_Receivable_Ledger"),
                     {text("Document_No", true), text("Document_Prefix"), text("Company_Prefix"), text("Branch_Prefix"),
                      date("ARL_Date"), text("Account_No"), text("Customer_Code", true), text("ARL_Description"),
                      text("ARL_Comments"), number("ARL_Debit_Amount"), number("ARL_Credit_Amount"),
                      number("FC_ARL_Debit_Amount"), number("FC_ARL_Credit_Amount"), flag("Foreign_Currency_Flag"),
                      text("Currency_Code"), text("Currency_Symbol"), date("Last_Update")},
                     {index("IX_Accounts_Receivable_Ledger_Document", {QStringLiteral("Document_No")}),
                      index("IX_Accounts_Receivable_Ledger_Customer", {QStringLiteral("Customer_Code")})}});
    schema.addTable({QStringLiteral("Voucher_Master"),
                     {text("Voucher_No", true),
                      whole("Voucher_Identity"),
                      text("Company_Prefix"),
                      text("Branch_Prefix"),
                      text("Document_Prefix"),
                      date("Voucher_Date"),
                      text("Voucher_Comments"),
                      flag("Foreign_Currency_Flag"),
                      text("Currency_Code"),
                      text("Currency_Symbol"),
                      flag("process_Flag"),
                      number("Voucher_Amount"),
                      number("Voucher_FCAmount"),
                      number("Balance_Amount"),
                      number("Balance_FCAmount"),
                      text("Voucher_For"),
                      text("Type"),
                      number("Exchange_Rate"),
                      text("Customer_Code"),
                      date("Last_Update")},
                     {index("IX_Voucher_Master_No", {QStringLiteral("Voucher_No")})}});
    schema.addTable(
        {QStringLiteral("Voucher_Detail"),
         {whole("SL_No"), text("Voucher_No", true), text("Voucher_Type"), text("Account_No"), text("Account_Name"),
          text("Voucher_Description"), number("Debit_Amount"), number("FC_Debit_Amount"), number("Credit_Amount"),
          number("FC_Credit_Amount"), text("Proj_No"), flag("Foreign_Currency_Flag"), text("Currency_Code"),
          text("Currency_Symbol"), date("Last_Update")},
         {index("IX_Voucher_Detail_No", {QStringLiteral("Voucher_No")}),
          index("IX_Voucher_Detail_SL", {QStringLiteral("SL_No")})}});
    schema.addTable(
        {QStringLiteral("PDC_Master"),
         {text("PDC_No", true),     whole("PDC_Identity"),         text("Company_Prefix"),     text("Branch_Prefix"),
          text("Document_Prefix"),  text("Transaction_Type"),      text("Bank_Name"),          text("Cheque_No"),
          date("PDC_Date"),         date("PDC_Due_Date"),          text("Credit_Card_No"),     text("Credit_Card_Name"),
          text("Credit_Card_Code"), number("Cheque_Amount"),       number("Cheque_FC_Amount"), text("Cleared"),
          text("CustomerID"),      text("Customer_Name"),         text("Source_No"),          text("Source_Prefix"),
          text("Status"),           flag("Foreign_Currency_Flag"), text("Currency_Code"),      text("PDC_Comments"),
          date("Last_Update")},
         {index("IX_PDC_Master_No", {QStringLiteral("PDC_No")}, true),
          index("IX_PDC_Master_Source", {QStringLiteral("Source_No")})}});
    // Rates by date; the rate in force on a date is the latest one not after it.
    schema.addTable(
        {QStringLiteral("Currency_Rate"),
         {text("Currency_Code", true), date("Rate_Date"), number("Exchange_Rate", true), date("Last_Update")},
         {index("IX_Currency_Rate_Key", {QStringLiteral("Currency_Code"), QStringLiteral("Rate_Date")}, true)}});
}

// Items. Item_Master holds what is the same in every branch; Item_Detail the units an item is
// sold in (Unit_Qty base units each); Item_Master_Detail the item in one branch: its stock,
// value, ordered quantity and the branch's own accounts for it.
void addItemTables(Schema &schema) {
    const auto accounts = {text("Inventory_Account_No"), text("COGS_Account_No"), text("FOC_Account_No"),
                           text("Sales_Account_No"), text("Cash_Sales_Account_No")};
    Table master{QStringLiteral("Item_Master"),
                 {text("Item_Code", true), text("Item_Name"), text("Company_Prefix"), text("Item_Type"),
                  text("Costing_Type"), number("Unit_Code"), text("Unit_Name"), number("Base_Qty"),
                  number("Unit_Price"), number("Selling_Price")},
                 {index("IX_Item_Master_Code", {QStringLiteral("Item_Code")}, true)}};
    master.columns.insert(master.columns.end(), accounts.begin(), accounts.end());
    master.columns.push_back(date("Last_Update"));
    schema.addTable(master);
    schema.addTable({QStringLiteral("Item_Detail"),
                     {text("Item_Code", true), number("Unit_Code"), text("Unit_Name", true), number("Unit_Qty"),
                      number("Selling_Price"), date("Last_Update")},
                     {index("IX_Item_Detail_Unit", {QStringLiteral("Item_Code"), QStringLiteral("Unit_Name")}, true)}});
    Table branch{
        QStringLiteral("Item_Master_Detail"),
        {text("Item_Code", true), text("Company_Prefix"), text("Branch_Prefix", true), number("Base_Qty"),
         number("Opening_Stock"), number("Opening_Stock_Amount"), number("Stock_In_Hand"), number("Stock_Amount"),
         number("Ordered_Qty")},
        {index("IX_Item_Master_Detail_Key", {QStringLiteral("Item_Code"), QStringLiteral("Branch_Prefix")}, true)}};
    branch.columns.insert(branch.columns.end(), accounts.begin(), accounts.end());
    branch.columns.push_back(date("Last_Update"));
    schema.addTable(branch);
    // Purchase lots, consumed oldest first (newest first for LIFO items) as goods leave.
    schema.addTable({QStringLiteral("Purchase_Log"),
                     {text("Item_Code", true), text("Company_Prefix"), text("Branch_Prefix", true),
                      text("Purchase_Document_No"), date("Purchase_Log_Date"), number("Total_Purchase_Qty"),
                      number("Sold_Qty"), number("Purchase_Item_Amount"), date("Last_Update")},
                     {index("IX_Purchase_Log_Item", {QStringLiteral("Item_Code"), QStringLiteral("Branch_Prefix")})}});
    schema.addTable({QStringLiteral("Stock_Movement"),
                     {text("Company_Prefix"),  text("Branch_Prefix", true),
                      text("Document_Prefix"), text("Document_No"),
                      date("Document_Date"),   text("Document_Type"),
                      text("Item_Code", true), text("Item_Name"),
                      number("Unit_Code"),     text("Unit_Name"),
                      text("Period_Type"),     flag("FOC_Flag"),
                      number("Unit_Qty"),      number("In_Qty"),
                      number("In_Amount"),     number("In_Price"),
                      number("Out_Qty"),       number("Out_Amount"),
                      number("Out_Price"),     number("Base_Qty"),
                      whole("Location_ID"),    text("Location_Name"),
                      text("Stock_Comments"),  date("Last_Update")},
                     {index("IX_Stock_Movement_Item", {QStringLiteral("Item_Code"), QStringLiteral("Branch_Prefix")}),
                      index("IX_Stock_Movement_Document", {QStringLiteral("Document_No")})}});
    // Base units of an item at one stock location of a branch: Location_Qty starts at the
    // Opening_Qty found there and moves with the stock movements made at the location.
    schema.addTable(
        {QStringLiteral("Location_Stock"),
         {text("Company_Prefix"), text("Branch_Prefix", true), text("Item_Code", true), text("Item_Name"),
          whole("Location_ID"), text("Location_Name"), number("Location_Qty"), date("Last_Update"),
          number("Opening_Qty")},
         {index("IX_Location_Stock_Key",
                {QStringLiteral("Item_Code"), QStringLiteral("Branch_Prefix"), QStringLiteral("Location_ID")}, true)}});
    // Every change of an item's ordered quantity in a branch, signed; Ordered_Qty is their sum.
    schema.addTable({QStringLiteral("Ordered_Qty_Movement"),
                     {text("Item_Code", true), text("Company_Prefix"), text("Branch_Prefix", true),
                      text("Movement_Type"), number("Quantity"), date("Last_Update")},
                     {index("IX_Ordered_Qty_Movement_Item", {QStringLiteral("Item_Code"), QStringLiteral("Branch_Prefix")})}});
    schema.addTable({QStringLiteral("Sales_Log"),
                     {text("Sales_Document_No", true),
                      text("Company_Prefix"),
                      text("Branch_Prefix"),
                      text("Document_Prefix"),
                      text("Ref_Document_Prefix"),
                      text("Item_Code"),
                      text("Item_Name"),
                      number("Unit_Code"),
                      text("Unit_Name"),
                      text("Period_Type"),
                      flag("FOC_Flag"),
                      number("Unit_Qty"),
                      number("Sales_Qty"),
                      number("Sales_Item_Amount"),
                      number("Sales_Unit_Price"),
                      number("Inventory_Value"),
                      date("Sales_Log_Date"),
                      text("Sales_Document_Prefix"),
                      text("Proj_No"),
                      date("Last_Update")},
                     {index("IX_Sales_Log_Document", {QStringLiteral("Sales_Document_No")}),
                      index("IX_Sales_Log_Item", {QStringLiteral("Item_Code")})}});
    schema.addTable(
        {QStringLiteral("Project_Transaction"),
         {text("Proj_No", true), text("Document_No", true), text("Company_Prefix"), text("Branch_Prefix"),
          text("Document_Prefix"), date("Document_Date"), number("Projd_Debit_Amount"), number("Projd_FC_Debit_Amount"),
          number("Projd_Credit_Amount"), number("Projd_FC_Credit_Amount"), flag("Foreign_Currency_Flag"),
          text("Currency_Code"), text("Currency_Symbol"), text("Projd_Description"), date("Last_Update")},
         {index("IX_Project_Transaction_Project", {QStringLiteral("Proj_No")}),
          index("IX_Project_Transaction_Document", {QStringLiteral("Document_No")})}});
}

// The preference tables the documents read per company and branch.
void addPreferenceTables(Schema &schema) {
    const Index key = index("", {QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix")}, true);
    auto keyed = [&key](const char *name) {
        Index named = key;
        named.name = QStringLiteral("IX_%1_Key").arg(QString::fromLatin1(name));
        return std::vector<Index>{named};
    };
    schema.addTable({QStringLiteral("Default_Sales_Preferences"),
                     {text("Company_Prefix", true), text("Branch_Prefix", true), flag("Cash_SO_Delivery_Flag"),
                      flag("Cash_SO_Cash_Memo_Flag"), flag("Credit_SO_Delivery_Flag"), flag("Credit_SO_Invoice_Flag"),
                      text("Cash_Sales_Account_No"), text("Credit_Sales_Account_No"), text("Sales_Disc_Account_No"),
                      text("COG_Account_No"), text("FOC_Account_No"), text("Sales_Return_Account_No"),
                      flag("Generate_Credit_Memo"), flag("Reduce_Stocks"), date("Last_Update")},
                     keyed("Default_Sales_Preferences")});
    schema.addTable({QStringLiteral("Default_Account_Preferences"),
                     {text("Company_Prefix", true), text("Branch_Prefix", true), text("Cash_Memo_Account_No"),
                      text("AdvRec_Account_No"), date("Last_Update")},
                     keyed("Default_Account_Preferences")});
    // Inventory_Account_No: the branch's inventory account for items without one of their own.
    // Negative_Stock_Flag: goods may leave beyond the stock in hand.
    schema.addTable({QStringLiteral("Default_Inventory_Preferences"),
                     {text("Company_Prefix", true), text("Branch_Prefix", true), flag("AssemblyItemAc_Posting"),
                      text("Inventory_Account_No"), flag("Negative_Stock_Flag"), date("Last_Update")},
                     keyed("Default_Inventory_Preferences")});
    // One row at most; a Null flag is possible and read as the database gives it.
    schema.addTable({QStringLiteral("RentOptions"), {flag("reinvoicingoption_flag"), date("Last_Update")}, {}});
}

} // namespace

// Tables of the sibling components (ledger, receivable, inventory, ...).
void addPackageTables(Schema &schema) {
    addLedgerTables(schema);
    addItemTables(schema);
    addPreferenceTables(schema);
}

} // namespace orbsales::schema
