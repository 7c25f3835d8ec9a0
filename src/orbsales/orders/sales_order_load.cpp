#include "orbsales/orders/sales_order.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/values/numbers.h"
#include "orbsales/grid/unit_period.h"
#include "orbsales/orders/order_messages.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = order_messages;

bool SalesOrder::Get_Order() {
    return trapped([this] {
        if (m_SalesOrdNo.isEmpty())
            return fail(msg::kInvalidOrderNoDot);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Order_Master Where Sales_Ord_No =? "), {m_SalesOrdNo},
                    m_ADOConnectionString, CursorType::Static);
        if (master.eof())
            return fail(msg::kOrderNotFoundOnLoad);
        loadMaster(master);
        master.close();
        if (!m_loadingForProcessing)
            Load_Order_Detail(); // the lines do not change the answer
        return true;
    });
}

// Columns read without a null test fail on NULL; the others keep the property when NULL.
void SalesOrder::loadMaster(Recordset &master) {
    m_SalesOrdNo = master.text(u"Sales_Ord_No");
    m_CompanyPrefix = master.text(u"Company_Prefix");
    m_BranchPrefix = master.text(u"Branch_Prefix");
    m_DocumentPrefix = master.text(u"Document_Prefix");
    m_SalesOrdIdentity = master.integer(u"Sales_ord_Identity");
    columns::textIfSet(master, u"Customer_Code", m_CustomerCode);
    columns::textIfSet(master, u"customer_name", m_CustomerName);
    m_SalesOrdDate = master.date(u"Sales_Ord_Date");
    columns::textIfSet(master, u"Sales_Ord_Comments", m_SalesOrdComments);
    m_SalesOrdSubTotal = master.number(u"Sales_Ord_SubTotal");
    m_SalesOrdDiscPercent = master.number(u"Sales_Ord_Disc_Percent");
    m_SalesOrdDiscAmount = master.number(u"Sales_Ord_Disc_Amount");
    m_SalesOrdTotalAmount = master.number(u"Sales_Ord_Total_Amount");
    m_SalesOrdFCSubTotal = master.number(u"Sales_Ord_FC_SubTotal");
    m_SalesOrdFCDiscAmount = master.number(u"Sales_Ord_FC_Disc_Amount");
    m_SalesOrdFCTotalAmount = master.number(u"Sales_Ord_FC_Total_Amount");
    m_ForeignCurrencyFlag = master.flag(u"Foreign_Currency_Flag");
    columns::textIfSet(master, u"Currency_Code", m_CurrencyCode);
    columns::textIfSet(master, u"Currency_Symbol", m_CurrencySymbol);
    m_PaymentTerms = master.text(u"Payment_Terms");
    m_PaymentType = master.text(u"Payment_Type");
    m_ProcessFlag = master.flag(u"process_Flag");
    m_CancelFlag = master.flag(u"Cancel_Flag");
    m_AllowCancelFlag = master.flag(u"Allow_Cancel_Flag");
    m_InvoicedFlag = master.flag(u"Invoiced_Flag");
    m_DeliveredFlag = master.flag(u"Delivered_Flag");
    m_YearEndFlag = master.flag(u"Year_End_Flag");
    m_PaidFlag = master.flag(u"Paid_Flag");
    columns::textIfSet(master, u"Sales_Quot_No", m_SalesQuotNo);
    columns::textIfSet(master, u"Customer_PO_No", m_CustomerPONo);
    columns::dateIfSet(master, u"Customer_PO_Date", m_CustomerPODate);
    columns::textIfSet(master, u"Employee_ID", m_EmployeeID);
    columns::textIfSet(master, u"Employee_Name", m_EmployeeName);
    columns::dateIfSet(master, u"Delivery_Date", m_DeliveryDate);
    m_ExchangeRate = m_ForeignCurrencyFlag ? master.number(u"Exchange_Rate") : 1.0;
}

bool SalesOrder::Load_Order_Detail() {
    return trapped([this] {
        Recordset detail;
        detail.open(QStringLiteral("Select * from Sales_Order_Detail Where Sales_Ord_No=? Order By SL_No"),
                    {m_SalesOrdNo}, m_ADOConnectionString, CursorType::Static, LockType::ProviderDefault);
        LineGrid &lines = grid();
        const int stored = detail.recordCount();
        gridrules::sizeForLoad(lines, stored, m_ProcessFlag || m_CancelFlag);
        for (int row = 1; !detail.eof(); ++row, detail.moveNext()) {
            const QVariant itemCode = detail.value(u"Item_Code");
            if (!itemCode.isNull())
                lines.setCellText(row, 1, itemCode.toString().mid(2));
            gridrules::writeText(lines, row, 2, detail.value(u"Item_Name"));
            gridrules::writeNumber(lines, row, 3, detail.value(u"Unit_Code"));
            const QVariant unitName = detail.value(u"Unit_Name");
            if (!unitName.isNull())
                lines.setCellText(row, 4, joinUnitPeriod(unitName.toString(), detail.value(u"Period_Type")));
            gridrules::writeNumber(lines, row, 5, detail.value(u"Unit_Qty"));
            gridrules::writeNumber(lines, row, 6, detail.value(u"Sales_Ord_Ordered_Qty"));
            gridrules::writeNumber(lines, row, 7,
                                   detail.value(m_ForeignCurrencyFlag ? u"Sales_Ord_FC_Unit_Price" : u"Sales_Ord_Unit_Price"));
            gridrules::writeNumber(lines, row, 8, detail.value(u"Sales_Ord_Dtl_Disc_Percent"));
            gridrules::writeNumber(lines, row, 9, detail.value(u"Sales_Ord_FC_Disc_Amount"));
            gridrules::writeNumber(lines, row, 10, detail.value(u"Sales_Ord_FC_Item_Amount"));
            gridrules::writeNumber(lines, row, 11, detail.value(u"Sales_Ord_Item_Amount"));
            gridrules::writeNumber(lines, row, 12, detail.value(u"Sales_Ord_Disc_Amount"));
            const QString project = detail.value(u"Proj_No").toString();
            if (!project.isEmpty()) {
                lines.setCellText(row, 13, project.mid(7)); // the short form
                lines.setCellText(row, 16, project);
            }
            gridrules::writeNumber(lines, row, 15, detail.value(u"Sales_Ord_Unit_Price"));
            gridrules::writeFlag(lines, row, 17, detail.value(u"FOC_Flag"));
        }
        return true;
    });
}

bool SalesOrder::Cancel_Order() {
    return trapped([this] {
        if (m_SalesOrdNo.isEmpty())
            return fail(msg::kInvalidSalesOrderNo);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Order_Master Where Sales_Ord_No=?"), {m_SalesOrdNo},
                    connection(), CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidOrderNo);
        if (!columns::isTrue(master, u"Allow_Cancel_Flag"))
            return fail(msg::kOrderHasReferences);
        master.setValue(u"Cancel_Flag", 1);
        master.setValue(u"Last_Update", m_LastUpdate);
        master.update();
        master.close();
        releaseQuotation();
        return Update_Item_SORDQty(QStringLiteral("Decrease"));
    });
}

// The quotation opens again when no other order refers to it.
void SalesOrder::releaseQuotation() {
    if (text::trimBlanks(m_SalesQuotNo).isEmpty())
        return;
    Recordset others;
    others.open(QStringLiteral("Select count(*) as QuotCount from Sales_Order_Master Where Sales_Ord_No<>? And  "
                               "Sales_Quot_No=?"),
                {m_SalesOrdNo, m_SalesQuotNo}, connection(), CursorType::Static);
    if (others.number(u"QuotCount") != 0)
        return;
    Recordset quotation;
    quotation.open(QStringLiteral("Select * from Sales_Quotation_Master Where Sales_Quot_No=?"), {m_SalesQuotNo},
                   connection(), CursorType::Keyset);
    if (quotation.eof())
        return;
    quotation.setValue(u"Allow_Cancel_Flag", 1);
    quotation.setValue(u"process_Flag", 0);
    quotation.setValue(u"Last_Update", m_LastUpdate);
    quotation.update();
}

} // namespace orbsales
