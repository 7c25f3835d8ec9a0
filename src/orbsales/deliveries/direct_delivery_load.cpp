#include "orbsales/deliveries/direct_delivery.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/delivery_messages.h"
#include "orbsales/frame/registry.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/unit_period.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = delivery_messages;
using columns::textIfSet;

namespace {

// Grid column of the stock location's name, greyed for items that carry no stock.
constexpr int kLocationColumn = 14;

} // namespace

bool DirectDelivery::Get_Direct_Delivery() {
    return trapped([this] {
        if (text::isBlank(m_DirectDeliveryNo))
            return fail(msg::kInvalidDeliveryNo);
        Recordset master;
        master.open(QStringLiteral("Select * from Direct_Delivery_Master Where Direct_Delivery_No=?"),
                    {m_DirectDeliveryNo}, m_ADOConnectionString, CursorType::Static);
        if (master.eof())
            return fail(msg::kInvalidDeliveryNo);
        loadMaster(master);
        master.close();
        // Processing reads the header only.
        return m_loadingForProcessing || Load_Direct_Delivery_Detail();
    });
}

// Columns that may be NULL leave their property as it was.
void DirectDelivery::loadMaster(Recordset &master) {
    textIfSet(master, u"Direct_Delivery_No", m_DirectDeliveryNo);
    textIfSet(master, u"Company_Prefix", m_CompanyPrefix);
    textIfSet(master, u"Branch_Prefix", m_BranchPrefix);
    textIfSet(master, u"Document_Prefix", m_DocumentPrefix);
    if (!master.isNull(u"Direct_Delivery_Identity"))
        m_DirectDeliveryIdentity = master.integer(u"Direct_Delivery_Identity");
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
    columns::dateIfSet(master, u"Direct_Delivery_Date", m_DirectDeliveryDate);
    columns::dateIfSet(master, u"Direct_Delivery_End_Date", m_DirectDeliveryEndDate);
    textIfSet(master, u"Payment_Terms", m_PaymentTerms);
    textIfSet(master, u"Payment_Type", m_PaymentType);
    m_DirectDeliverySubtotal = master.number(u"Direct_Delivery_SubTotal");
    m_DirectDeliveryFCSubtotal = master.number(u"Direct_Delivery_FC_SubTotal");
    m_DirectDeliveryDiscPercent = master.number(u"Direct_Delivery_Disc_Percent");
    m_DirectDeliveryDiscAmount = master.number(u"Direct_Delivery_Disc_Amount");
    m_DirectDeliveryFCDiscAmount = master.number(u"Direct_Delivery_FC_Disc_Amount");
    m_DirectDeliveryTotalAmount = master.number(u"Direct_Delivery_Total_Amount");
    m_DirectDeliveryFCTotalAmount = master.number(u"Direct_Delivery_FC_Total_Amount");
    m_PaidFlag = columns::isTrue(master, u"Paid_Flag");
    m_InvoicedFlag = columns::isTrue(master, u"Invoiced_Flag");
    textIfSet(master, u"Direct_Delivery_Comments", m_DirectDeliveryComments);
    if (m_ForeignCurrencyFlag)
        columns::numberIfSet(master, u"Exchange_Rate", m_ExchangeRate);
    textIfSet(master, u"Address_Code", m_CustomerAddressCode);
}

// The stored lines into grid rows 1, 2, ...; the caller sizes the grid.
bool DirectDelivery::Load_Direct_Delivery_Detail() {
    Recordset lines;
    lines.open(QStringLiteral("Select * from Direct_Delivery_Detail Where Direct_Delivery_No=? Order By SL_No"),
               {m_DirectDeliveryNo}, m_ADOConnectionString, CursorType::Static, LockType::ProviderDefault);
    if (lines.eof())
        return fail(msg::kInvalidDeliveryNo);
    LineGrid &cells = grid();
    for (int row = 1; !lines.eof(); ++row, lines.moveNext()) {
        loadLine(cells, row, lines);
        colourLocation(cells, row);
    }
    return true;
}

void DirectDelivery::loadLine(LineGrid &cells, int row, Recordset &line) {
    const QVariant code = line.value(u"Item_Code");
    if (!code.isNull())
        cells.setCellText(row, 1, code.toString().mid(2));
    gridrules::writeText(cells, row, 2, line.value(u"Item_Name"));
    gridrules::writeNumber(cells, row, 3, line.value(u"Unit_Code"));
    const QVariant unit = line.value(u"Unit_Name");
    if (!unit.isNull())
        cells.setCellText(row, 4, joinUnitPeriod(unit.toString(), line.value(u"Period_Type")));
    gridrules::writeNumber(cells, row, 5, line.value(u"Unit_Qty"));
    gridrules::writeNumber(cells, row, 6, line.value(u"Direct_Delivery_Qty"));
    gridrules::writeNumber(cells, row, 7, line.value(u"Direct_Delivery_Dtl_FC_Unit_Price"));
    gridrules::writeNumber(cells, row, 8, line.value(u"Direct_Delivery_Dtl_Disc_Percent"));
    gridrules::writeNumber(cells, row, 9, line.value(u"Direct_Delivery_FC_Disc_Amount"));
    gridrules::writeNumber(cells, row, 10, line.value(u"Direct_Delivery_FC_Item_Amount"));
    gridrules::writeNumber(cells, row, 11, line.value(u"Direct_Delivery_Item_Amount"));
    gridrules::writeNumber(cells, row, 12, line.value(u"Direct_Delivery_Disc_Amount"));
    gridrules::writeNumber(cells, row, 13, line.value(u"Direct_Delivery_Dtl_Unit_Price"));
    gridrules::writeText(cells, row, kLocationColumn, line.value(u"Location_Name"));
    const QString project = columns::textOrEmpty(line, u"Proj_No");
    if (!project.isEmpty()) {
        cells.setCellText(row, 15, project);
        cells.setCellText(row, 16, project.mid(7)); // the short form
    }
    gridrules::writeNumber(cells, row, 17, line.value(u"Location_ID"));
    cells.setCellText(row, 18, columns::numberOrZero(line, u"FOC_Flag") != 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

// The location means something only for items that carry stock: grey for any other item
// type, black for a stock item. An item the inventory does not know keeps its colour.
void DirectDelivery::colourLocation(LineGrid &cells, int row) {
    auto inventory = createObject<Inventory>(service_ids::kInventory);
    inventory->setADOConnectionString(m_ADOConnectionString);
    inventory->setItemCode(m_CompanyPrefix + text::trimBlanks(cells.cellText(row, 1)));
    if (!inventory->Get_Item_Type())
        return;
    const qint64 colour = inventory->ItemType() != QStringLiteral("0") ? LineGrid::kGreyText : LineGrid::kBlackText;
    cells.setCellProperty(LineGrid::kForeColorSetting, row, kLocationColumn, row, kLocationColumn, colour);
}

} // namespace orbsales
