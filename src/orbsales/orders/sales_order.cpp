#include "orbsales/orders/sales_order.h"

#include "orbsales/documents/currency_symbol.h"
#include "orbsales/data/recordset.h"
#include "orbsales/data/scoped_transaction.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/values/numbers.h"
#include "orbsales/grid/unit_period.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/orders/discount_shares.h"
#include "orbsales/orders/order_messages.h"
#include "orbsales/values/text.h"

#include <optional>

namespace orbsales {

namespace msg = order_messages;
using numbers::throughText;

SalesOrder::SalesOrder(QObject *parent) : BusinessObject(parent) {}

LineGrid &SalesOrder::grid() const { return required(m_grid.data()); }

bool SalesOrder::Validate_Order() {
    if (m_CompanyPrefix.isEmpty())
        return fail(msg::kInvalidCompanyPrefix);
    if (m_BranchPrefix.isEmpty())
        return fail(msg::kInvalidBranchPrefix);
    if (m_DocumentPrefix.isEmpty())
        return fail(msg::kInvalidDocumentPrefix);
    if (text::trimBlanks(m_CustomerName).isEmpty() || text::trimBlanks(m_CustomerCode).isEmpty())
        return fail(msg::kInvalidCustomerDetails);
    if (text::trimBlanks(m_PaymentType).isEmpty())
        return fail(msg::kInvalidPaymentType);
    return true;
}

bool SalesOrder::Create_Order() {
    return trapped([this] {
        if (!Validate_Order())
            return false;
        CounterUse counter(prefixes(), CounterUse::Form::Temporary);
        if (!counter.take(m_adoConnection, errDescTarget()))
            return false;
        m_SalesOrdIdentity = counter.identity();
        m_SalesOrdNo = temporaryDocumentNumber(prefixes(), counter.identity());
        if (!Save_Order_Master() || !Save_Order_Detail())
            return false;
        return counter.consume(errDescTarget());
    });
}

bool SalesOrder::Update_Order() {
    return trapped([this] { return Validate_Order() && Save_Order_Master() && Save_Order_Detail(); });
}

bool SalesOrder::Save_Order_Master() {
    takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol);
    // The number is looked up with a blank after it, which document numbers ignore.
    Recordset master;
    master.open(QStringLiteral("Select * from Sales_Order_master Where Sales_Ord_No=?"),
                {m_SalesOrdNo + QLatin1Char(' ')}, connection(), CursorType::Keyset);
    if (master.eof()) {
        master.addNew();
        master.setValue(u"Sales_Ord_No", m_SalesOrdNo);
        master.setValue(u"Sales_ord_Identity", 0);
        m_SalesOrdIdentity = 0; // a temporary order carries its identity only inside its number
    } else {
        connection().execute(QStringLiteral("Delete from Sales_Order_Detail Where Sales_Ord_No=?"), {m_SalesOrdNo});
    }
    const bool employeeGiven = !text::trimBlanks(m_EmployeeID).isEmpty();
    master.setValue(u"Company_Prefix", m_CompanyPrefix);
    master.setValue(u"Branch_Prefix", m_BranchPrefix);
    master.setValue(u"Document_Prefix", m_DocumentPrefix);
    master.setValue(u"Customer_Code", m_CustomerCode);
    master.setValue(u"customer_name", m_CustomerName);
    master.setValue(u"Sales_Ord_Date", m_SalesOrdDate);
    master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    master.setValue(u"Currency_Code", m_CurrencyCode);
    master.setValue(u"Currency_Symbol", m_CurrencySymbol);
    master.setValue(u"Sales_Ord_SubTotal", throughText(m_SalesOrdSubTotal));
    master.setValue(u"Sales_Ord_FC_SubTotal", throughText(m_SalesOrdFCSubTotal));
    master.setValue(u"Sales_Ord_Disc_Percent", throughText(m_SalesOrdDiscPercent));
    master.setValue(u"Sales_Ord_Disc_Amount", throughText(m_SalesOrdDiscAmount));
    master.setValue(u"Sales_Ord_FC_Disc_Amount", throughText(m_SalesOrdFCDiscAmount));
    master.setValue(u"Sales_Ord_Total_Amount", throughText(m_SalesOrdTotalAmount));
    master.setValue(u"Sales_Ord_FC_Total_Amount", throughText(m_SalesOrdFCTotalAmount));
    master.setValue(u"Employee_ID", employeeGiven ? QVariant(m_EmployeeID) : QVariant());
    master.setValue(u"Employee_Name", employeeGiven ? QVariant(m_EmployeeName) : QVariant());
    master.setValue(u"Sales_Quot_No", m_SalesQuotNo);
    master.setValue(u"Exchange_Rate", m_ForeignCurrencyFlag ? m_ExchangeRate : 1.0);
    master.setValue(u"Customer_PO_No", m_CustomerPONo);
    master.setValue(u"Customer_PO_Date", m_CustomerPODate);
    master.setValue(u"Payment_Terms", m_PaymentTerms);
    master.setValue(u"Payment_Type", m_PaymentType);
    master.setValue(u"Sales_Ord_Comments", m_SalesOrdComments);
    master.setValue(u"Cancel_Flag", m_CancelFlag);
    master.setValue(u"Allow_Cancel_Flag", m_AllowCancelFlag);
    master.setValue(u"Location_ID", m_LocationID);
    master.setValue(u"Location_Name", m_LocationName);
    master.setValue(u"Delivery_Date", m_DeliveryDate);
    master.setValue(u"Last_Update", m_LastUpdate);
    if (!text::trimBlanks(m_SalesQuotNo).isEmpty() && !Mark_Quotation_Processed(m_SalesQuotNo))
        return false; // the pending master row is dropped with the recordset
    master.update();
    master.close();
    return true;
}

bool SalesOrder::Mark_Quotation_Processed(const QString &quotationNo) {
    Recordset quotation;
    quotation.open(QStringLiteral("Select * from Sales_Quotation_Master Where Sales_Quot_No=?"), {quotationNo},
                   connection(), CursorType::Keyset);
    if (quotation.eof())
        return fail(msg::kQuotationToMarkNotFound);
    quotation.setValue(u"process_Flag", 1);
    quotation.setValue(u"Allow_Cancel_Flag", 0);
    quotation.setValue(u"Last_Update", m_LastUpdate);
    quotation.update();
    return true;
}

bool SalesOrder::Save_Order_Detail() {
    Recordset detail;
    detail.open(QStringLiteral("Select * from Sales_Order_Detail"), {}, connection(), CursorType::Keyset);
    const GridLines lines(grid());
    // The last line takes the rest of the overall discount. Counted over every non-blank row,
    // while saving stops at the first blank one.
    std::optional<OverallDiscountShares> shares;
    if (m_SalesOrdFCDiscAmount > 0)
        shares.emplace(m_SalesOrdDiscPercent, m_SalesOrdFCDiscAmount, m_SalesOrdDiscAmount, m_AmtDig, lines.countAll());
    int written = 0;
    for (const int row : lines) {
        const GridRow line(grid(), row);
        LineSerial serial(connection(), QStringLiteral("Sales_Order_Detail"));
        detail.addNew();
        detail.setValue(u"Sales_Ord_No", m_SalesOrdNo);
        saveLine(detail, line);
        if (shares) {
            const auto share = shares->next(row, line.cell(10), line.cell(11));
            detail.setValue(u"Sales_Ord_Overall_FC_Disc", share.foreign);
            detail.setValue(u"Sales_Ord_Overall_Disc", share.local);
        }
        detail.setValue(u"SL_No", serial.value());
        detail.setValue(u"Last_Update", m_LastUpdate);
        detail.update();
        serial.written();
        ++written;
    }
    detail.close();
    return written > 0;
}

// One line's columns from its grid row, as the order grid lays them out.
void SalesOrder::saveLine(Recordset &detail, const GridRow &line) {
    const QString code = line.trimmed(1);
    if (!code.isEmpty())
        detail.setValue(u"Item_Code", m_CompanyPrefix + code);
    const QString name = line.trimmed(2);
    if (!name.isEmpty())
        detail.setValue(u"Item_Name", name);
    detail.setValue(u"Unit_Code", line.number(3));
    const UnitPeriod unit = line.unitPeriod(4);
    detail.setValue(u"Unit_Name", unit.unitName);
    if (!unit.periodType.isNull())
        detail.setValue(u"Period_Type", unit.periodType);
    detail.setValue(u"Unit_Qty", line.number(5));
    detail.setValue(u"Sales_Ord_Ordered_Qty", line.cell(6));
    detail.setValue(u"Sales_Ord_FC_Unit_Price", line.cell(7));
    detail.setValue(u"Sales_Ord_Dtl_Disc_Percent", line.cell(8));
    detail.setValue(u"Sales_Ord_FC_Disc_Amount", line.cell(9));
    detail.setValue(u"Sales_Ord_FC_Item_Amount", line.cell(10));
    detail.setValue(u"Sales_Ord_Item_Amount", line.text(11)); // the text itself, typed by the column
    detail.setValue(u"Sales_Ord_Disc_Amount", line.cell(12));
    if (!line.text(13).isEmpty())
        detail.setValue(u"Proj_No", line.text(16));
    detail.setValue(u"Sales_Quot_SL_No", line.cell(14));
    detail.setValue(u"Sales_Ord_Unit_Price", line.cell(15));
    detail.setValue(u"FOC_Flag", line.cell(17));
}

} // namespace orbsales
