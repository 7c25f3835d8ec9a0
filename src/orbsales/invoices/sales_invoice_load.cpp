#include "orbsales/invoices/sales_invoice.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/unit_period.h"
#include "orbsales/invoices/invoice_messages.h"
#include "orbsales/invoices/line_amounts.h"
#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = invoice_messages;
using gridrules::writeFlag;
using gridrules::writeNumber;
using gridrules::writeText;

namespace {

// Rows of a view or a join come back as the engine gives them: numbers may arrive as text, dates
// as their stored text. These read them the way the grid shows them.
double numberIn(const QVariant &value) {
    if (value.isNull())
        return 0;
    if (numbers::isNumberType(value.typeId()))
        return value.toDouble();
    return numbers::exactNumber(value.toString()).value_or(0);
}

// Dates go into the grid as the package writes dates as text: "05/Dec/2026".
bool writeDate(LineGrid &grid, int row, int col, const QVariant &stored) {
    if (stored.isNull())
        return false;
    const QDateTime date =
        stored.typeId() == QMetaType::QDateTime ? stored.toDateTime() : dates::parseDate(stored.toString());
    grid.setCellText(row, col, date.isValid() ? dates::ddMmmYyyy(date) : stored.toString());
    return true;
}

QString unitCell(const QVariant &unitName, const QVariant &periodType) {
    const QString period = periodType.isNull() ? QString() : periodType.toString();
    return period.isEmpty() ? unitName.toString() : joinUnitPeriod(unitName.toString(), period);
}

} // namespace

bool SalesInvoice::Get_Invoice() {
    return trapped([this] {
        if (text::isBlank(m_SalesInvNo))
            return fail(msg::kInvalidInvoiceNo);
        Recordset master;
        const QString sql = QStringLiteral("Select * from Sales_Invoice_Master Where Sales_Inv_No=?");
        if (m_adoConnection.isOpen())
            master.open(sql, {m_SalesInvNo}, connection(), CursorType::Static);
        else
            master.open(sql, {m_SalesInvNo}, m_ADOConnectionString, CursorType::Static);
        if (master.eof())
            return fail(msg::kInvalidInvoiceNo);
        loadMaster(master);
        master.close();
        if (m_skipLines)
            return true;
        return Get_Invoice_Detail();
    });
}

// Columns read without a null test fail on NULL, as assigning NULL to a typed property does.
void SalesInvoice::loadMaster(Recordset &master) {
    m_SalesInvNo = master.text(u"Sales_Inv_No");
    m_CompanyPrefix = master.text(u"Company_Prefix");
    m_BranchPrefix = master.text(u"Branch_Prefix");
    m_DocumentPrefix = master.text(u"Document_Prefix");
    m_SalesInvIdentity = master.integer(u"Sales_Inv_Identity");
    m_CustomerCode = master.text(u"Customer_Code");
    m_CustomerName = master.text(u"customer_name");
    m_ForeignCurrencyFlag = master.flag(u"Foreign_Currency_Flag");
    m_CurrencyCode = master.text(u"Currency_Code");
    m_CurrencySymbol = master.text(u"Currency_Symbol");
    m_CancelFlag = master.flag(u"Cancel_Flag");
    m_AllowCancelFlag = master.flag(u"Allow_Cancel_Flag");
    columns::textIfSet(master, u"Employee_ID", m_EmployeeID);
    columns::textIfSet(master, u"Employee_Name", m_EmployeeName);
    m_ProcessFlag = master.flag(u"Processed_Flag");
    m_SalesInvDate = master.date(u"Sales_Inv_Date");
    m_SalesInvEndDate = master.date(u"Sales_Inv_End_Date");
    columns::textIfSet(master, u"Payment_Terms", m_PaymentTerms);
    m_PaymentType = master.text(u"Payment_Type");
    m_SalesInvSubtotal = master.number(u"Sales_Inv_SubTotal");
    m_SalesInvFCsubtotal = master.number(u"Sales_Inv_FC_SubTotal");
    m_SalesInvDiscPercent = master.number(u"Sales_Inv_Disc_Percent");
    m_SalesInvDiscAmount = master.number(u"Sales_Inv_Disc_Amount");
    m_SalesInvFCDiscAmount = master.number(u"Sales_Inv_FC_Disc_Amount");
    m_SalesInvTotalAmount = master.number(u"Sales_Inv_Total_Amount");
    m_SalesInvFCTotalAmount = master.number(u"Sales_Inv_FC_Total_Amount");
    columns::textIfSet(master, u"Sales_Inv_Comments", m_SalesInvComments);
    columns::textIfSet(master, u"Invoice_Ref_no", m_InvoiceRefNo);
    m_ExchangeRate = m_ForeignCurrencyFlag ? master.number(u"Exchange_Rate") : 1.0;
}

// The lines with the branch name of their delivery and the description of their address. The
// Access form reads the saved query; the server form joins the tables itself, the address by an
// outer join. Lines come back in their serial order.
bool SalesInvoice::Get_Invoice_Detail() {
    Recordset lines;
    if (m_Database == QLatin1String("MSACCESS"))
        lines.open(QStringLiteral("Select * from qrySalesInvoiceDeatails Where Customer_Code=? And Sales_Inv_No=? "
                                  "Order By SL_No"),
                   {m_CustomerCode, m_SalesInvNo}, m_ADOConnectionString, CursorType::Static);
    else
        lines.open(QStringLiteral("Select *,B.Branch_Name,C.Address_Desc from Sales_Invoice_Detail S, Branch_Master "
                                  "B ,Customer_Address C Where SUBSTRING(S.Delivery_No,3,2) = B.Branch_Prefix and "
                                  "C.Address_Code =* S.Address_Code and C.Customer_Code = ? and Sales_Inv_No=? "
                                  "Order By S.SL_No"),
                   {m_CustomerCode, m_SalesInvNo}, m_ADOConnectionString, CursorType::Static);
    // Sized as for editing, whatever the invoice's state: a processed invoice's grid is not cut.
    const int stored = lines.recordCount();
    gridrules::sizeForLoad(grid(), stored, false);
    if (stored == 0)
        return fail(msg::kInvalidInvoiceNo);
    for (int row = 1; !lines.eof(); ++row, lines.moveNext())
        writeInvoiceLine(lines, row);
    return true;
}

void SalesInvoice::writeInvoiceLine(Recordset &lines, int row) {
    LineGrid &g = grid();
    // An amount less the line's share of the overall discount; NULL on either side leaves the cell.
    auto net = [&](int col, QStringView amount, QStringView share) {
        const QVariant gross = lines.value(amount);
        const QVariant less = lines.value(share);
        if (!gross.isNull() && !less.isNull())
            g.setCellText(row, col, numbers::numberText(numberIn(gross) - numberIn(less)));
    };
    g.setCellText(row, 1, QStringLiteral("1"));
    writeText(g, row, 2, lines.value(u"Branch_Name"));
    writeText(g, row, 3, lines.value(u"Delivery_Identity"));
    writeText(g, row, 4, lines.value(u"Delivery_Date"));
    if (const QVariant code = lines.value(u"Item_Code"); !code.isNull())
        g.setCellText(row, 5, code.toString().mid(2));
    writeText(g, row, 6, lines.value(u"Item_Name"));
    writeNumber(g, row, 7, lines.value(u"Unit_Code"));
    if (const QVariant unit = lines.value(u"Unit_Name"); !unit.isNull())
        g.setCellText(row, 8, unitCell(unit, lines.value(u"Period_Type")));
    writeNumber(g, row, 9, lines.value(u"Unit_Qty"));
    writeNumber(g, row, 10, lines.value(u"Sales_Inv_Qty"));
    writeNumber(g, row, 11, lines.value(u"Delivery_Qty"));
    writeNumber(g, row, 12, lines.value(u"Sales_Inv_FC_Unit_Price"));
    writeNumber(g, row, 13, lines.value(u"Sales_Inv_Dtl_FC_Disc_Amount"));
    writeNumber(g, row, 14, lines.value(u"Sales_Ord_Overall_FC_Disc"));
    net(15, u"Sales_Inv_Item_Amount", u"Sales_Ord_Overall_Disc");
    net(16, u"Sales_Inv_FC_Item_Amount", u"Sales_Ord_Overall_FC_Disc");
    writeNumber(g, row, 17, lines.value(u"Sales_Inv_Dtl_Disc_Amount"));
    writeText(g, row, 18, lines.value(u"Proj_No"));
    writeNumber(g, row, 19, lines.value(u"Delivery_Dtl_SL_No"));
    writeNumber(g, row, 20, lines.value(u"Sales_Inv_Unit_Price"));
    writeText(g, row, 21, lines.value(u"Delivery_Flag"));
    writeText(g, row, 22, lines.value(u"Delivery_No"));
    writeNumber(g, row, 23, lines.value(u"Sales_Ord_Overall_Disc"));
    writeNumber(g, row, 24, lines.value(u"Sales_Ord_Overall_FC_Disc"));
    writeNumber(g, row, 25, lines.value(u"Sales_Ord_Overall_Disc"));
    writeText(g, row, 26, lines.value(u"Address_Code"));
    writeText(g, row, 27, lines.value(u"Address_Desc"));
    writeText(g, row, 28, lines.value(u"Delivery_Ref_No"));
    writeFlag(g, row, 29, lines.value(u"FOC_Flag"));
    writeNumber(g, row, 30, lines.value(u"Delivery_Dtl_FC_Unit_Price"));
}

bool SalesInvoice::Get_Delivery_Details() {
    bool allBranches = false;
    return Get_Delivery_Details(allBranches);
}

bool SalesInvoice::Get_Delivery_Details(bool &PAll_Branch_Flag) {
    return trapped([&] {
        if (text::isBlank(m_CustomerCode))
            return fail(msg::kInvalidCustomerCode);
        Recordset options;
        options.open(QStringLiteral("select * from RentOptions"), {}, m_ADOConnectionString, CursorType::Static);
        const bool reinvoicingOn = !options.eof() && readRentFlag(options) != 0;
        options.close();

        Recordset lines;
        if (reinvoicingOn)
            lines.open(QStringLiteral("Select * from DeliveriesInvoiced Where M.Customer_Code=? And "
                                      "M.Company_Prefix=? ORDER BY Delivery_Identity,Dtl_ID"),
                       {m_CustomerCode, m_CompanyPrefix}, m_ADOConnectionString, CursorType::Static);
        else if (!PAll_Branch_Flag)
            lines.open(QStringLiteral("Select D.*  from DeliveriesForInvoicing D  Where   Customer_Code=? And "
                                      "D.Branch_Prefix=? ORDER BY Delivery_Identity,Dtl_ID"),
                       {m_CustomerCode, m_BranchPrefix}, m_ADOConnectionString, CursorType::Static);
        else
            lines.open(QStringLiteral("Select D.*  from DeliveriesForInvoicingBasic D Where  Customer_Code=? And "
                                      "D.Company_Prefix=? ORDER BY Delivery_Identity,Dtl_ID"),
                       {m_CustomerCode, m_CompanyPrefix}, m_ADOConnectionString, CursorType::Static);
        // The grid grows by one row each time the loader reaches its last row; nothing found
        // leaves it as it was.
        for (int row = 1; !lines.eof(); ++row, lines.moveNext()) {
            if (grid().rowCount() == row)
                grid().setRowCount(row + 1);
            writeDeliveryLine(lines, row, reinvoicingOn);
        }
        return true;
    });
}

// The re-invoicing flag of the first RentOptions row, read as a whole number (NULL fails).
int SalesInvoice::readRentFlag(Recordset &options) { return options.integer(u"reinvoicingoption_flag"); }

void SalesInvoice::writeDeliveryLine(Recordset &lines, int row, bool reinvoicingOn) {
    LineGrid &g = grid();
    auto number = [&](QStringView column) { return numberIn(lines.value(column)); };
    // Columns the grid shows as "0" when the delivery line has no value.
    auto numberOrZeroText = [&](int col, const QVariant &value) {
        g.setCellText(row, col, value.isNull() ? QStringLiteral("0") : numbers::numberText(numberIn(value)));
    };
    g.setCellText(row, 1, QStringLiteral("0"));
    g.setCellText(row, 2,
                  lookUp(QStringLiteral("Branch_Master"), QStringLiteral("Branch_Name"),
                         QStringLiteral("BRanch_Prefix"), lines.value(u"Branch_Prefix").toString()));
    writeText(g, row, 3, lines.value(u"Delivery_Identity"));
    writeDate(g, row, 4, lines.value(u"Delivery_Date"));
    if (const QVariant code = lines.value(u"Item_Code"); !code.isNull())
        g.setCellText(row, 5, code.toString().mid(2));
    writeText(g, row, 6, lines.value(u"Item_Name"));
    writeNumber(g, row, 7, lines.value(u"Unit_Code"));
    if (const QVariant unit = lines.value(u"Unit_Name"); !unit.isNull())
        g.setCellText(row, 8, unitCell(unit, lines.value(u"Period_Type")));
    writeNumber(g, row, 9, lines.value(u"Unit_Qty"));
    const double open = invoice_amounts::openQuantity(number(u"Delivery_Qty"), number(u"Invoiced_Qty"),
                                                      number(u"Return_Qty"), reinvoicingOn);
    const QString shown = numbers::numberText(invoice_amounts::shownQuantity(open));
    g.setCellText(row, 10, shown);
    g.setCellText(row, 11, shown);
    const bool foreign = numberIn(lines.value(u"Foreign_Currency_Flag")) != 0;
    writeNumber(g, row, 12, lines.value(foreign ? u"Delivery_Dtl_FC_Unit_Price" : u"Delivery_Dtl_Unit_Price"));
    writeNumber(g, row, 13, lines.value(u"Delivery_FC_Disc_Amount"));
    numberOrZeroText(14, lines.value(u"Delivery_OverAll_Disc_Amount"));
    // The amounts are worked out on the unit cell as the grid now holds it.
    const QString unit = g.cellText(row, 8);
    g.setCellText(row, 15,
                  numbers::numberText(invoice_amounts::lineAmount(unit, number(u"Delivery_Dtl_Unit_Price"),
                                                                  number(u"Delivery_Disc_Amount"), open,
                                                                  number(u"Delivery_Item_Amount"))));
    g.setCellText(row, 16,
                  numbers::numberText(invoice_amounts::lineAmount(unit, number(u"Delivery_Dtl_FC_Unit_Price"),
                                                                  number(u"Delivery_FC_Disc_Amount"), open,
                                                                  number(u"Delivery_FC_Item_Amount"))));
    writeNumber(g, row, 17, lines.value(u"Delivery_Disc_Amount"));
    if (const QVariant project = lines.value(u"Proj_No"); !project.isNull() && !text::isBlank(project.toString()))
        g.setCellText(row, 18, project.toString());
    writeNumber(g, row, 19, lines.value(u"SL_No"));
    writeNumber(g, row, 20, lines.value(u"Delivery_Dtl_Unit_Price"));
    writeText(g, row, 21, lines.value(u"Delivery_Flag"));
    writeText(g, row, 22, lines.value(u"Delivery_No"));
    const QVariant overall = lines.value(u"Sales_Ord_Overall_Disc");
    if (overall.isNull()) {
        for (const int col : {23, 24, 25})
            g.setCellText(row, col, QStringLiteral("0"));
    } else {
        writeNumber(g, row, 23, overall);
        writeNumber(g, row, 24, lines.value(u"Sales_Ord_Overall_FC_Disc"));
        writeNumber(g, row, 25, overall);
    }
    writeText(g, row, 26, lines.value(u"Address_Code"));
    writeText(g, row, 27, lines.value(u"Address_Desc"));
    writeText(g, row, 28, lines.value(u"Delivery_Ref_No"));
    writeFlag(g, row, 29, lines.value(u"FOC_Flag"));
    writeNumber(g, row, 30, lines.value(u"Delivery_Dtl_FC_Unit_Price"));
    writeDate(g, row, 31, lines.value(u"Delivery_End_Date"));
}

} // namespace orbsales
