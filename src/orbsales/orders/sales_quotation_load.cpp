#include "orbsales/orders/sales_quotation.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/values/numbers.h"
#include "orbsales/orders/order_messages.h"

namespace orbsales {

namespace msg = order_messages;

namespace {
// Grid column of each numeric line column, as the quotation grid lays them out.
struct NumericColumn {
    int col;
    const char16_t *column;
};
constexpr NumericColumn kNumericColumns[] = {
    {3, u"Unit_Code"},
    {5, u"Unit_Qty"},
    {6, u"Sales_Quot_Qty"},
    {7, u"Sales_Quot_FC_Unit_Price"},
    {8, u"Sales_Quot_Dtl_Disc_Percent"},
    {9, u"Sales_Quot_FC_Disc_Amount"},
    {10, u"Sales_Quot_FC_Item_Amount"},
    {11, u"Sales_Quot_Item_Amount"},
    {12, u"Sales_Quot_Disc_Amount"},
    {13, u"Sales_Quot_Unit_Price"},
};
} // namespace

bool SalesQuotation::Get_Quotation() {
    return trapped([this] {
        if (m_SalesQuotNo.isEmpty())
            return fail(msg::kInvalidQuotationNoDot);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Quotation_Master Where Sales_Quot_No =?"), {m_SalesQuotNo},
                    m_ADOConnectionString, CursorType::Static);
        if (master.eof())
            return fail(msg::kInvalidQuotationNo);
        loadMaster(master);
        const bool loaded = Load_Quotation_Detail();
        master.close();
        return loaded;
    });
}

// Columns read without a null test fail on NULL; the others keep the property when NULL.
void SalesQuotation::loadMaster(Recordset &master) {
    m_SalesQuotNo = master.text(u"Sales_Quot_No");
    m_CompanyPrefix = master.text(u"Company_Prefix");
    m_BranchPrefix = master.text(u"Branch_Prefix");
    m_DocumentPrefix = master.text(u"Document_Prefix");
    m_SalesQuotIdentity = master.integer(u"Sales_Quot_Identity");
    columns::textIfSet(master, u"Customer_Code", m_CustomerCode);
    columns::textIfSet(master, u"customer_name", m_CustomerName);
    m_SalesQuotDate = master.date(u"Sales_Quot_Date");
    columns::textIfSet(master, u"Sales_Quot_Comments", m_SalesQuotComments);
    m_SalesQuotSubTotal = master.number(u"Sales_Quot_SubTotal");
    m_SalesQuotDiscPercent = master.number(u"Sales_Quot_Disc_Percent");
    m_SalesQuotDiscAmount = master.number(u"Sales_Quot_Disc_Amount");
    m_SalesQuotAmount = master.number(u"Sales_Quot_Amount");
    m_SalesQuotFCSubTotal = master.number(u"Sales_Quot_FC_SubTotal");
    m_SalesQuotFCDiscAmount = master.number(u"Sales_Quot_FC_Disc_Amount");
    m_SalesQuotFCAmount = master.number(u"Sales_Quot_FC_Amount");
    m_ForeignCurrencyFlag = master.flag(u"Foreign_Currency_Flag");
    m_ExchangeRate = m_ForeignCurrencyFlag ? master.number(u"Exchange_Rate") : 1.0;
    columns::textIfSet(master, u"Currency_Code", m_CurrencyCode);
    columns::textIfSet(master, u"Currency_Symbol", m_CurrencySymbol);
    m_ProcessFlag = master.flag(u"process_Flag");
    m_CancelFlag = master.flag(u"Cancel_Flag");
    m_AllowCancelFlag = master.flag(u"Allow_Cancel_Flag");
    columns::textIfSet(master, u"Employee_ID", m_EmployeeID);
    columns::textIfSet(master, u"Employee_Name", m_EmployeeName);
    m_FulFilledFlag = master.flag(u"fulfilled_Flag");
    columns::dateIfSet(master, u"Sales_Quot_Valid_Date", m_SalesQuotValidDate);
    columns::textIfSet(master, u"Sales_Quot_Ref_No", m_SalesQuotRefNo);
    m_YearEndFlag = master.flag(u"Year_End_Flag");
}

bool SalesQuotation::Load_Quotation_Detail() {
    Recordset detail;
    detail.open(QStringLiteral("Select * from Sales_Quotation_Detail Where Sales_Quot_No=? Order by SL_No"),
                {m_SalesQuotNo}, m_ADOConnectionString, CursorType::Static, LockType::ProviderDefault);
    LineGrid &lines = grid();
    const int stored = detail.recordCount();
    gridrules::sizeForLoad(lines, stored, m_ProcessFlag || m_CancelFlag);
    if (stored == 0)
        return fail(msg::kInvalidQuotationNo);
    for (int row = 1; !detail.eof(); ++row, detail.moveNext()) {
        const QVariant itemCode = detail.value(u"Item_Code");
        if (!itemCode.isNull())
            lines.setCellText(row, 1, itemCode.toString().mid(2)); // shown without the company prefix
        gridrules::writeText(lines, row, 2, detail.value(u"Item_Name"));
        gridrules::writeText(lines, row, 4, detail.value(u"Unit_Name"));
        for (const NumericColumn &numeric : kNumericColumns)
            lines.setCellText(row, numeric.col, numbers::numberText(detail.number(numeric.column)));
        lines.setCellText(row, 14, detail.number(u"FOC_Flag") != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return true;
}

bool SalesQuotation::Cancel_Quotation() {
    return trapped([this] {
        if (m_ADOConnectionString.isEmpty())
            return fail(msg::kInvalidConnectionString);
        if (m_SalesQuotNo.isEmpty())
            return fail(msg::kInvalidQuotationNo);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Quotation_Master where Sales_Quot_No=?"), {m_SalesQuotNo},
                    m_ADOConnectionString, CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidQuotationNo);
        if (!columns::isTrue(master, u"Allow_Cancel_Flag"))
            return fail(msg::kCannotCancel);
        master.setValue(u"Cancel_Flag", true);
        master.setValue(u"Last_Update", m_LastUpdate);
        master.update();
        master.close();
        return true;
    });
}

} // namespace orbsales
