#include "orbsales/data/schema.h"

namespace orbsales::schema {

namespace {

using T = ColumnType;

Column text(const char *name, bool notNull = false) { return {QString::fromLatin1(name), T::Text, notNull}; }
Column number(const char *name) { return {QString::fromLatin1(name), T::Double}; }
Column flag(const char *name) { return {QString::fromLatin1(name), T::Flag}; }
Column date(const char *name) { return {QString::fromLatin1(name), T::Date}; }

// One row per customer. The customer code is the key every document stores; it already carries
// the company prefix, so it is unique across companies.
Table customerMaster() {
    return {QStringLiteral("Customer_Master"),
            {text("Customer_Code", true),
             text("Company_Prefix"),
             text("customer_name"),
             flag("Customer_AddressFlag"),
             text("Customer_Address"),
             text("Customer_FlatNo"),
             text("Customer_Building"),
             text("Customer_Block"),
             text("Customer_Road"),
             text("Customer_City"),
             text("Customer_State"),
             text("Customer_Postal"),
             text("Customer_Country"),
             number("Country_ID"),
             text("Customer_Phone"),
             text("Customer_Fax"),
             text("Customer_Email"),
             text("Customer_Contact_Name"),
             text("Customer_Contact_Phone"),
             text("Customer_Contact_Designation"),
             text("Customer_Contact_Site"),
             text("Customer_Contact_Remarks"),
             text("customer_owner_name"),
             text("Customer_Owner_CPRNo"),
             text("Customer_CRNo"),
             flag("Customer_CPRFlag"),
             text("Customer_Payment_Type"),
             text("Customer_Payment_Terms"),
             number("Payment_Terms_ID"),
             text("Customer_Currency_Code"),
             text("Currency_Code"),
             text("Currency_Name"),
             text("Currency_Symbol"),
             flag("Foreign_Currency_Flag"),
             number("Customer_Credit_limit"),
             number("Customer_Discount"),
             flag("Customer_InActive_Flag"),
             text("Customer_Comments"),
             text("Employee_ID"),
             text("Sales_Person_Name"),
             text("AR_Account_No"),
             text("Customer_Grade"),
             number("Customer_Balance"),
             flag("Allow_Delete_Flag"),
             text("customer_OB_Ledger_No"),
             number("customer_OB_Amount"),
             text("customer_OB_Type"),
             text("customer_OB_Document_No"),
             date("Last_Update")},
            {{QStringLiteral("IX_Customer_Master_Code"), {QStringLiteral("Customer_Code")}, true},
             {QStringLiteral("IX_Customer_Master_Company"), {QStringLiteral("Company_Prefix")}}}};
}

// One row per customer and branch: payment conditions and the running receivable balances.
// The balances are moved by the receivable postings; a row made for another branch carries
// only its key, so a missing balance reads as nothing owed.
Table customerMasterBalance() {
    return {QStringLiteral("Customer_Master_Balance"),
            {text("Customer_Code", true), text("Company_Prefix"), text("Branch_Prefix", true),
             text("Customer_Payment_Type"), text("Customer_Payment_Terms"), number("Customer_Credit_limit"),
             number("Customer_Balance"), number("Customer_Fc_Balance")},
            {{QStringLiteral("IX_Customer_Master_Balance_Key"),
              {QStringLiteral("Customer_Code"), QStringLiteral("Branch_Prefix"), QStringLiteral("Company_Prefix")},
              true}}};
}

// Delivery addresses, keyed by customer and address code.
Table customerAddress() {
    return {
        QStringLiteral("Customer_Address"),
        {text("Customer_Code"), text("Address_Code"), text("Address_Desc"), text("Company_Prefix"),
         text("Customer_Address"), text("Customer_City"), text("Customer_State"), text("Customer_Postal"),
         number("Country_ID"), text("Customer_Country"), text("Customer_Phone"), text("Customer_Fax"),
         text("Customer_Email"), text("Customer_Contact_Name"), text("Customer_Contact_Phone"), date("Last_Update")},
        {{QStringLiteral("IX_Customer_Address_Key"), {QStringLiteral("Customer_Code"), QStringLiteral("Address_Code")}, true},
         {QStringLiteral("IX_Customer_Address_Code"), {QStringLiteral("Address_Code")}}}};
}

// Customer-specific prices. Saving adds a row without looking for one of the same key, so the
// key index is not unique.
Table customerPriceList() {
    return {QStringLiteral("Customer_Price_List"),
            {text("Customer_Code"), text("Item_Code"), number("Unit_ID"), text("Item_Name"), text("Unit_Name"),
             number("Unit_Qty"), number("Unit_Price"), number("Selling_Price"), number("Last_Selling_Price"),
             date("Last_Update")},
            {{QStringLiteral("IX_Customer_Price_List_Key"),
              {QStringLiteral("Customer_Code"), QStringLiteral("Item_Code"), QStringLiteral("Unit_ID")}}}};
}

// Opening-balance items, one list per customer, kind and branch.
Table customerOb() {
    return {QStringLiteral("Customer_OB"),
            {text("OBType"),
             {QStringLiteral("SL_No"), T::Long},
             text("Customer_Code"),
             text("Ref_No"),
             text("Ref_Date"),
             flag("Foreign_Currency_Flag"),
             text("Currency_Code"),
             text("Currency_Symbol"),
             number("Exchange_Rate"),
             number("Balance_FCAmount"),
             number("Balance_Amount"),
             text("OB_Comments"),
             text("Company_Prefix"),
             text("Branch_Prefix"),
             date("Last_Update"),
             text("OB_Inv_No")},
            {{QStringLiteral("IX_Customer_OB_List"),
              {QStringLiteral("Customer_Code"), QStringLiteral("OBType"), QStringLiteral("Branch_Prefix")}}}};
}

} // namespace

void addCustomerTables(Schema &schema) {
    schema.addTable(customerMaster());
    schema.addTable(customerMasterBalance());
    schema.addTable(customerAddress());
    schema.addTable(customerPriceList());
    schema.addTable(customerOb());
}

} // namespace orbsales::schema
