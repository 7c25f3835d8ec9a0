#include "orbsales/returns/sales_return.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/returns/returns_messages.h"
#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = returns_messages;
using numbers::throughText;

SalesReturn::SalesReturn(QObject *parent) : BusinessObject(parent) {}

LineGrid &SalesReturn::grid() const { return required(m_grid.data()); }

QDateTime SalesReturn::RefDate() const {
    const QDateTime date = dates::parseDate(m_RefDateText);
    return date.isValid() ? date : dates::zeroDate();
}

void SalesReturn::setRefDate(const QDateTime &value) {
    m_RefDateText = value.isValid() ? value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

bool SalesReturn::Create_Sales_Rtn() {
    return trapped([this] {
        CounterUse counter(prefixes(), CounterUse::Form::Temporary);
        if (!counter.take(m_adoConnection, errDescTarget()))
            return false;
        m_SalesRtnIdentity = counter.identity();
        m_SalesRtnNo = temporaryDocumentNumber(prefixes(), counter.identity());
        if (!Save_Sales_Rtn_Master() || !Save_Sales_Rtn_Detail())
            return false;
        return counter.consume(errDescTarget());
    });
}

bool SalesReturn::Update_Sales_Rtn() {
    return trapped([this] { return Save_Sales_Rtn_Master() && Save_Sales_Rtn_Detail(); });
}

bool SalesReturn::Save_Sales_Rtn_Master() {
    takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol);
    Recordset master;
    master.open(QStringLiteral("Select * From Sales_Return_Master Where Sales_Rtn_No=?"), {m_SalesRtnNo},
                connection(), CursorType::Keyset);
    if (master.eof()) {
        master.addNew();
        master.setValue(u"Sales_Rtn_No", m_SalesRtnNo);
        master.setValue(u"Sales_Rtn_Identity", m_SalesRtnIdentity);
        master.setValue(u"Company_Prefix", m_CompanyPrefix);
        master.setValue(u"Branch_Prefix", m_BranchPrefix);
    } else {
        connection().execute(QStringLiteral("Delete from Sales_Return_Detail Where Sales_Rtn_No=?"), {m_SalesRtnNo});
    }
    if (!m_DocumentPrefix.isEmpty())
        master.setValue(u"Document_Prefix", m_DocumentPrefix);
    master.setValue(u"Sales_Rtn_Date", m_SalesRtnDate);
    if (!m_CustomerCode.isEmpty())
        master.setValue(u"Customer_Code", m_CustomerCode);
    if (!m_CustomerName.isEmpty())
        master.setValue(u"customer_name", m_CustomerName);
    master.setValue(u"Payment_Terms", columns::exactText(m_PaymentTerms));
    master.setValue(u"Payment_Type", columns::exactText(m_PaymentType));
    master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    if (!m_CurrencyCode.isEmpty())
        master.setValue(u"Currency_Code", m_CurrencyCode);
    master.setValue(u"Currency_Symbol", columns::exactText(m_CurrencySymbol));
    master.setValue(u"Sales_Rtn_SubTotal", throughText(m_SalesRtnSubTotal));
    master.setValue(u"Sales_Rtn_Disc_Amount", throughText(m_SalesRtnDiscAmount));
    master.setValue(u"Sales_Rtn_Total_Amount", throughText(m_SalesRtnTotalAmount));
    master.setValue(u"Sales_Rtn_FC_SubTotal", throughText(m_SalesRtnFCSubTotal));
    master.setValue(u"Sales_Rtn_FC_Disc_Amount", throughText(m_SalesRtnFCDiscAmount));
    master.setValue(u"Sales_Rtn_FC_Total_Amount", throughText(m_SalesRtnFCTotalAmount));
    master.setValue(u"Cancel_Flag", m_CancelFlag);
    master.setValue(u"Allow_Cancel_Flag", m_AllowCancelFlag);
    master.setValue(u"Processed_Flag", m_ProcessedFlag);
    if (!text::isBlank(m_RefNo)) {
        master.setValue(u"Ref_No", m_RefNo);
        master.setValue(u"Ref_Date", RefDate());
        master.setValue(u"Ref_Doc_Type", columns::exactText(m_RefDocType));
    }
    master.setValue(u"Sales_Rtn_Comments", columns::exactText(m_SalesRtnComments));
    master.setValue(u"Employee_ID", columns::exactText(m_EmployeeID));
    master.setValue(u"Employee_Name", columns::exactText(m_EmployeeName));
    master.setValue(u"Year_End_Flag", m_YearEndFlag);
    master.setValue(u"Exchange_Rate", m_ForeignCurrencyFlag ? m_ExchangeRate : 1.0);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    master.close();
    return true;
}

// With a source, every ticked row is a line (unticked rows are skipped, the whole grid is
// visited); without one, the rows with an item code up to the first row without one.
bool SalesReturn::isReturnLine(int row) const {
    const GridRow line(grid(), row);
    return text::isBlank(m_RefNo) ? !line.trimmed(2).isEmpty() : line.cell(1) != 0;
}

bool SalesReturn::Save_Sales_Rtn_Detail() {
    Recordset detail;
    detail.open(QStringLiteral("Select * from Sales_Return_Detail"), {}, connection(), CursorType::Keyset);
    const bool withSource = !text::isBlank(m_RefNo);
    LineGrid &lines = grid();
    for (int row = 1; row < lines.rowCount(); ++row) {
        const GridRow line(lines, row);
        if (!withSource && line.trimmed(2).isEmpty())
            break;
        if (!isReturnLine(row))
            continue;
        LineSerial serial(connection(), QStringLiteral("Sales_Return_Detail"));
        detail.addNew();
        detail.setValue(u"Sales_Rtn_No", m_SalesRtnNo);
        detail.setValue(u"Item_Code", m_CompanyPrefix + line.trimmed(2));
        detail.setValue(u"Item_Name", line.trimmed(3));
        detail.setValue(u"Unit_Code", line.number(4));
        const UnitPeriod unit = line.unitPeriod(5);
        detail.setValue(u"Unit_Name", unit.unitName);
        if (!unit.periodType.isNull())
            detail.setValue(u"Period_Type", unit.periodType);
        detail.setValue(u"Unit_Qty", line.number(6));
        detail.setValue(u"Sales_Rtn_Qty", line.cell(7));
        detail.setValue(u"Sales_Rtn_FC_Unit_Price", line.cell(8));
        if (m_RefDocType == QLatin1String("INV")) {
            detail.setValue(u"Invoice_OverAll_FCDisc", line.cell(11));
            detail.setValue(u"Invoice_OverAll_Disc", line.cell(24));
        }
        detail.setValue(u"Sales_Rtn_FC_Disc_Amount", line.cell(10));
        detail.setValue(u"Sales_Rtn_FC_Item_Amount", line.cell(12));
        detail.setValue(u"Sales_Rtn_Unit_Price", line.cell(17));
        detail.setValue(u"Sales_Rtn_Disc_Amount", line.cell(14));
        detail.setValue(u"Sales_Rtn_Item_Amount", line.number(13));
        if (!line.text(18).isEmpty())
            detail.setValue(u"Proj_No", line.text(18));
        detail.setValue(u"Location_Name", columns::exactText(line.text(19)));
        detail.setValue(u"Location_ID", columns::exactText(line.text(20)));
        detail.setValue(u"Inventory_Value", line.cell(15));
        detail.setValue(u"Ref_SL_No", line.cell(28));
        detail.setValue(u"SL_No", serial.value());
        detail.setValue(u"Last_Update", m_LastUpdate);
        detail.update();
        serial.written();
    }
    detail.close();
    return true;
}

bool SalesReturn::Get_Sales_Rtn() {
    return trapped([this] {
        if (m_SalesRtnNo.isEmpty())
            return fail(msg::kInvalidSalesReturnNumber);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Return_Master Where Sales_Rtn_No=?"), {m_SalesRtnNo},
                    m_ConnectionString, CursorType::Static);
        if (master.eof())
            return fail(msg::kInvalidSalesReturnNumber);
        loadMaster(master);
        return true;
    });
}

// Every column into its property; a NULL column leaves the property as it was.
void SalesReturn::loadMaster(Recordset &master) {
    columns::textIfSet(master, u"Sales_Rtn_No", m_SalesRtnNo);
    columns::numberIfSet(master, u"Sales_Rtn_Identity", m_SalesRtnIdentity);
    columns::textIfSet(master, u"Company_Prefix", m_CompanyPrefix);
    columns::textIfSet(master, u"Branch_Prefix", m_BranchPrefix);
    columns::textIfSet(master, u"Document_Prefix", m_DocumentPrefix);
    columns::dateIfSet(master, u"Sales_Rtn_Date", m_SalesRtnDate);
    columns::textIfSet(master, u"Customer_Code", m_CustomerCode);
    columns::textIfSet(master, u"customer_name", m_CustomerName);
    columns::textIfSet(master, u"Payment_Terms", m_PaymentTerms);
    columns::textIfSet(master, u"Payment_Type", m_PaymentType);
    columns::flagIfSet(master, u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    columns::textIfSet(master, u"Currency_Code", m_CurrencyCode);
    columns::textIfSet(master, u"Currency_Symbol", m_CurrencySymbol);
    columns::numberIfSet(master, u"Exchange_Rate", m_ExchangeRate);
    columns::numberIfSet(master, u"Sales_Rtn_SubTotal", m_SalesRtnSubTotal);
    columns::numberIfSet(master, u"Sales_Rtn_Disc_Amount", m_SalesRtnDiscAmount);
    columns::numberIfSet(master, u"Sales_Rtn_Total_Amount", m_SalesRtnTotalAmount);
    columns::numberIfSet(master, u"Sales_Rtn_FC_SubTotal", m_SalesRtnFCSubTotal);
    columns::numberIfSet(master, u"Sales_Rtn_FC_Disc_Amount", m_SalesRtnFCDiscAmount);
    columns::numberIfSet(master, u"Sales_Rtn_FC_Total_Amount", m_SalesRtnFCTotalAmount);
    columns::flagIfSet(master, u"Cancel_Flag", m_CancelFlag);
    columns::flagIfSet(master, u"Allow_Cancel_Flag", m_AllowCancelFlag);
    columns::flagIfSet(master, u"Processed_Flag", m_ProcessedFlag);
    columns::flagIfSet(master, u"Year_End_Flag", m_YearEndFlag);
    columns::textIfSet(master, u"Ref_No", m_RefNo);
    if (!master.isNull(u"Ref_Date"))
        setRefDate(master.date(u"Ref_Date"));
    columns::textIfSet(master, u"Ref_Doc_Type", m_RefDocType);
    columns::textIfSet(master, u"Sales_Rtn_Comments", m_SalesRtnComments);
    columns::textIfSet(master, u"Employee_ID", m_EmployeeID);
    columns::textIfSet(master, u"Employee_Name", m_EmployeeName);
    // LastUpdate stays the caller's: it is what the next write stamps, not what the last one did.
}

bool SalesReturn::Populate_Details() {
    return trapped([this] {
        // Whether the lines show as processed comes from the return's own row.
        Recordset master;
        master.open(QStringLiteral("Select Processed_Flag, Cancel_Flag from Sales_Return_Master Where Sales_Rtn_No=?"),
                    {m_SalesRtnNo}, m_ConnectionString, CursorType::Static);
        const bool processed = !master.eof() && columns::isTrue(master, u"Processed_Flag");
        const bool cancelled = !master.eof() && columns::isTrue(master, u"Cancel_Flag");
        master.close();

        Recordset detail;
        detail.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=? Order By SL_No"),
                    {m_SalesRtnNo}, m_ConnectionString, CursorType::Static, LockType::ProviderDefault);
        const int stored = detail.recordCount();
        if (stored == 0)
            return true;
        LineGrid &lines = grid();
        lines.setRowCount(stored + 2);
        for (int row = 1; !detail.eof(); ++row, detail.moveNext()) {
            if (processed)
                lines.setCellText(row, 1, QStringLiteral("-1"));
            else if (!cancelled)
                lines.setCellText(row, 1, QStringLiteral("0"));
            const QVariant itemCode = detail.value(u"Item_Code");
            if (!itemCode.isNull())
                lines.setCellText(row, 2, itemCode.toString().mid(2));
            gridrules::writeText(lines, row, 3, detail.value(u"Item_Name"));
            gridrules::writeNumber(lines, row, 4, detail.value(u"Unit_Code"));
            const QVariant unitName = detail.value(u"Unit_Name");
            if (!unitName.isNull())
                lines.setCellText(row, 5, joinUnitPeriod(unitName.toString(), detail.value(u"Period_Type")));
            gridrules::writeNumber(lines, row, 6, detail.value(u"Unit_Qty"));
            gridrules::writeNumber(lines, row, 7, detail.value(u"Sales_Rtn_Qty"));
            gridrules::writeNumber(lines, row, 8, detail.value(u"Sales_Rtn_FC_Unit_Price"));
            gridrules::writeNumber(lines, row, 10, detail.value(u"Sales_Rtn_FC_Disc_Amount"));
            gridrules::writeNumber(lines, row, 11, detail.value(u"Invoice_OverAll_FCDisc"));
            gridrules::writeNumber(lines, row, 12, detail.value(u"Sales_Rtn_FC_Item_Amount"));
            gridrules::writeNumber(lines, row, 13, detail.value(u"Sales_Rtn_Item_Amount"));
            gridrules::writeNumber(lines, row, 14, detail.value(u"Sales_Rtn_Disc_Amount"));
            gridrules::writeNumber(lines, row, 15, detail.value(u"Inventory_Value"));
            gridrules::writeNumber(lines, row, 16, detail.value(u"SL_No"));
            gridrules::writeNumber(lines, row, 17, detail.value(u"Sales_Rtn_Unit_Price"));
            const QVariant project = detail.value(u"Proj_No");
            gridrules::writeText(lines, row, 18, project);
            if (!project.isNull())
                lines.setCellText(row, 26, text::trimBlanks(project.toString().mid(7)));
            gridrules::writeText(lines, row, 19, detail.value(u"Location_Name"));
            gridrules::writeText(lines, row, 20, detail.value(u"Location_ID"));
            gridrules::writeNumber(lines, row, 24, detail.value(u"Invoice_OverAll_Disc"));
            gridrules::writeNumber(lines, row, 28, detail.value(u"Ref_SL_No"));
        }
        return true;
    });
}

} // namespace orbsales
