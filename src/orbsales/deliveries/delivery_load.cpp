#include "orbsales/deliveries/delivery.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/delivery_messages.h"
#include "orbsales/deliveries/delivery_source.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = delivery_messages;
using columns::textIfSet;

bool Delivery::Get_Order_Details() { return loadSource(DeliverySource::salesOrder()); }

bool Delivery::Get_CashMemo_Details() { return loadSource(DeliverySource::cashMemo()); }

// The source's header into the properties and its open lines into the grid, each line
// unticked with its open quantity to deliver. The grid keeps its size: the caller sizes it.
bool Delivery::loadSource(const DeliverySource &source) {
    return trapped([&] {
        if (text::isBlank(m_SourceNo))
            return fail(source.blankNumber);
        Recordset master;
        master.open(source.masterStatement(), {m_SourceNo}, m_ADOConnectionString, CursorType::Static);
        if (master.eof())
            return fail(source.notFound);
        m_SourceDate = master.date(source.dateColumn);
        textIfSet(master, u"Document_Prefix", m_SourcePrefix);
        // Texts the source never stored (NULL) leave the property as it was.
        textIfSet(master, u"Customer_Code", m_CustomerCode);
        textIfSet(master, u"customer_name", m_CustomerName);
        textIfSet(master, u"Payment_Terms", m_PaymentTerms);
        textIfSet(master, u"Payment_Type", m_PaymentType);
        if (source.isOrder) {
            textIfSet(master, u"Employee_ID", m_EmployeeID);
            textIfSet(master, u"Employee_Name", m_EmployeeName);
        }
        m_ForeignCurrencyFlag = columns::isTrue(master, u"Foreign_Currency_Flag");
        if (!source.isOrder && m_ForeignCurrencyFlag)
            columns::numberIfSet(master, u"Exchange_Rate", m_ExchangeRate);
        textIfSet(master, u"Currency_Code", m_CurrencyCode);
        if (!master.isNull(u"Currency_Symbol"))
            m_CurrencySymbol = text::trimBlanks(master.text(u"Currency_Symbol"));
        master.close();

        Recordset lines;
        lines.open(source.openLinesStatement(), {m_SourceNo}, m_ADOConnectionString, CursorType::Static,
                   LockType::ProviderDefault);
        if (lines.eof())
            return fail(msg::kInvalidItemDetails); // the header stays loaded
        LineGrid &cells = grid();
        const QString &prices = source.priceColumns;
        auto price = [&](const char *column) { return lines.value(prices + QLatin1String(column)); };
        for (int row = 1; !lines.eof(); ++row, lines.moveNext()) {
            cells.setCellText(row, 1, QStringLiteral("0"));
            const QVariant code = lines.value(u"Item_Code");
            if (!code.isNull())
                cells.setCellText(row, 2, code.toString().mid(2));
            gridrules::writeText(cells, row, 3, lines.value(u"Item_Name"));
            gridrules::writeNumber(cells, row, 4, lines.value(u"Unit_Code"));
            gridrules::writeText(cells, row, 5, lines.value(u"Unit_Name"));
            cells.setCellText(row, 22, columns::numberOrZero(lines, u"FOC_Flag") != 0 ? QStringLiteral("1")
                                                                                        : QStringLiteral("0"));
            gridrules::writeNumber(cells, row, 6, lines.value(u"Unit_Qty"));
            const QString open = numbers::numberText(columns::numberOrZero(lines, source.quantityColumn) -
                                                     columns::numberOrZero(lines, source.deliveredColumn));
            cells.setCellText(row, 7, open);
            cells.setCellText(row, 16, open);
            gridrules::writeText(cells, row, 8, lines.value(u"Proj_No"));
            gridrules::writeNumber(cells, row, 9, lines.value(u"SL_No"));
            gridrules::writeNumber(cells, row, 10, price("Unit_Price"));
            gridrules::writeNumber(cells, row, 11, price("Disc_Amount"));
            gridrules::writeNumber(cells, row, 12, price("FC_Disc_Amount"));
            gridrules::writeNumber(cells, row, 13, price("Item_Amount"));
            gridrules::writeNumber(cells, row, 14, price("FC_Item_Amount"));
            gridrules::writeNumber(cells, row, 15, price("FC_Unit_Price"));
        }
        return true;
    });
}

bool Delivery::Get_Delivery() {
    return trapped([this] {
        if (text::isBlank(m_DeliveryNo))
            return fail(msg::kInvalidDeliveryNo);
        OperationConnection session = OperationConnection::borrowOrOpen(m_connection.get(), m_ADOConnectionString);
        Recordset master;
        master.open(QStringLiteral("Select * from Delivery_Master Where Delivery_No=?"), {m_DeliveryNo},
                    session.get(), CursorType::Static);
        if (master.eof())
            return fail(msg::kInvalidDeliveryNo);
        loadMaster(master);
        return true; // the lines stay where they are: a caller that shows them reads them itself
    });
}

// Columns that may be NULL leave their property as it was.
void Delivery::loadMaster(Recordset &master) {
    textIfSet(master, u"Delivery_No", m_DeliveryNo);
    textIfSet(master, u"Company_Prefix", m_CompanyPrefix);
    textIfSet(master, u"Branch_Prefix", m_BranchPrefix);
    textIfSet(master, u"Document_Prefix", m_DocumentPrefix);
    if (!master.isNull(u"Delivery_Identity"))
        m_DeliveryIdentity = master.integer(u"Delivery_Identity");
    textIfSet(master, u"Customer_Code", m_CustomerCode);
    textIfSet(master, u"customer_name", m_CustomerName);
    m_ForeignCurrencyFlag = columns::isTrue(master, u"Foreign_Currency_Flag");
    textIfSet(master, u"Currency_Code", m_CurrencyCode);
    textIfSet(master, u"Currency_Symbol", m_CurrencySymbol);
    m_CancelFlag = columns::isTrue(master, u"Cancel_Flag");
    m_AllowCancelFlag = columns::isTrue(master, u"Allow_Cancel_Flag");
    textIfSet(master, u"Employee_ID", m_EmployeeID);
    textIfSet(master, u"Employee_Name", m_EmployeeName);
    m_ProcessFlag = columns::isTrue(master, u"Processed_Flag");
    m_DeliveryDate = master.date(u"Delivery_Date");
    m_DeliveryEndDate = master.date(u"Delivery_End_Date");
    textIfSet(master, u"Payment_Terms", m_PaymentTerms);
    textIfSet(master, u"Payment_Type", m_PaymentType);
    textIfSet(master, u"Source_No", m_SourceNo);
    textIfSet(master, u"Source_Prefix", m_SourcePrefix);
    m_SourceDate = master.date(u"Source_Date");
    m_DeliverySubtotal = master.number(u"Delivery_SubTotal");
    m_DeliveryFCSubtotal = master.number(u"Delivery_FC_SubTotal");
    m_DeliveryDiscAmount = master.number(u"Delivery_Disc_Amount");
    m_DeliveryFCDiscAmount = master.number(u"Delivery_FC_Disc_Amount");
    m_DeliveryTotalAmount = master.number(u"Delivery_Total_Amount");
    m_DeliveryFCTotalAmount = master.number(u"Delivery_FC_Total_Amount");
    m_PaidFlag = columns::isTrue(master, u"Paid_Flag");
    m_InvoicedFlag = columns::isTrue(master, u"Invoiced_Flag");
    textIfSet(master, u"Delivery_Comments", m_DeliveryComments);
    textIfSet(master, u"source_Name", m_SourceName);
    m_ExchangeRate = m_ForeignCurrencyFlag ? master.number(u"Exchange_Rate") : 1.0;
    textIfSet(master, u"Address_Code", m_CustomerAddressCode);
    textIfSet(master, u"Delivery_Ref_No", m_DeliveryRefNo);
}

} // namespace orbsales
