#include "orbsales/deliveries/direct_delivery.h"

#include "orbsales/customers/customer_price_list.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/cost_of_goods.h"
#include "orbsales/deliveries/delivery_messages.h"
#include "orbsales/documents/posting.h"
#include "orbsales/documents/quotient.h"
#include "orbsales/frame/registry.h"
#include "orbsales/numbering/processing_mode.h"
#include "orbsales/numbering/renumbering.h"
#include "orbsales/services/general.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = delivery_messages;
using columns::numberOrZero;
using columns::textOrEmpty;
using posting::answered;

namespace {

const QString kLinesOfDelivery = QStringLiteral("Select * from Direct_Delivery_Detail Where Direct_Delivery_No=?");

QString trimmedColumn(Recordset &line, QStringView column) { return text::trimBlanks(textOrEmpty(line, column)); }
bool isFreeOfCost(Recordset &line) { return numberOrZero(line, u"FOC_Flag") != 0; }

} // namespace

bool DirectDelivery::Process_Direct_Delivery() {
    return trapped([this] {
        m_loadingForProcessing = true;
        if (!Get_Direct_Delivery())
            return false;
        {
            Recordset currency;
            currency.open(QStringLiteral("Select * from Currency_Master Where Currency_Code=?"), {m_CurrencyCode},
                          connection(), CursorType::Static);
            if (currency.eof())
                return fail(msg::kInvalidCurrencyCode);
            m_CurrencySymbol = trimmedColumn(currency, u"Currency_Symbol");
        }
        const bool assemblyPosted = posting::assemblyPostingOn(connection(), m_BranchPrefix);

        Recordset master;
        master.open(QStringLiteral("Select * from Direct_Delivery_Master Where Direct_Delivery_No=?"),
                    {m_DirectDeliveryNo}, connection(), CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidDeliveryNo);
        m_CompanyPrefix = master.text(u"Company_Prefix");
        m_BranchPrefix = master.text(u"Branch_Prefix");
        m_DocumentPrefix = documentPrefixOf(m_DirectDeliveryNo);

        const ProcessingMode mode = ProcessingMode::of(m_OnlineFlag, m_SyncFlag);
        DocumentIdentity identity(prefixes(), CounterUse::Form::OneArgument, m_DocFlag, m_manualDocIdentity);
        if (mode.isSynchronisation()) {
            m_DirectDeliveryNo = master.text(u"Direct_Delivery_No"); // a delivery replayed from another site
        } else {
            if (!identity.take(m_connection, errDescTarget()))
                return false;
            renumber(master, identity.value());
        }
        master.close();
        // Offline: numbered only. A counter's number is left as it is (taking it reserved it), but a
        // typed number raises the counter past itself as in every mode, or the counter would give
        // the same number to a later delivery.
        if (mode.isOffline())
            return !identity.isManual() || identity.finish(connection(), errDescTarget());

        auto general = createObject<General>(service_ids::kGeneral);
        general->setADOConnectionString(m_ADOConnectionString);
        Recordset lines;
        lines.open(kLinesOfDelivery, {m_DirectDeliveryNo}, connection(), CursorType::Keyset);
        for (; !lines.eof(); lines.moveNext())
            if (!postStockLine(*general, lines, assemblyPosted))
                return false;
        lines.close();

        // A failure to record a last price stops here, with the counter left unconsumed.
        if (!Save_Last_Selling_Prices() || !Post_Project_Revenue())
            return false;
        if (mode.isSynchronisation())
            return true; // the counter is not touched
        return identity.finish(connection(), errDescTarget());
    });
}

// The final number on the master (now processed, no longer cancellable) and on its lines.
void DirectDelivery::renumber(Recordset &master, qint32 identity) {
    const QString temporaryNo = m_DirectDeliveryNo;
    const QString finalNo = documentNumber(prefixes(), identity);
    m_DirectDeliveryIdentity = identity;
    setFinalNumber(master, u"Direct_Delivery_No", u"Direct_Delivery_Identity", finalNo, identity);
    master.setValue(u"Processed_Flag", 1);
    master.setValue(u"Allow_Cancel_Flag", 0);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    Recordset lines;
    lines.open(kLinesOfDelivery, {temporaryNo}, connection(), CursorType::Keyset);
    moveLinesToFinalNumber(lines, u"Direct_Delivery_No", finalNo, m_LastUpdate);
    m_DirectDeliveryNo = finalNo;
}

// Lines without an item, and items that carry no stock, are passed by.
bool DirectDelivery::postStockLine(General &general, Recordset &line, bool assemblyPosted) {
    const QString itemCode = trimmedColumn(line, u"Item_Code");
    if (itemCode.isEmpty())
        return true;
    const double type = numbers::leadingNumber(general.GetFldValue(
        QStringLiteral("Item_Master"), QStringLiteral("Item_Type"), QStringLiteral("Item_Code"), itemCode, false));
    if (type != 0 && type != posting::kAssemblyItemType)
        return true;
    const double quantity = numberOrZero(line, u"Direct_Delivery_Qty");

    auto stock = createObject<ReduceStock>(service_ids::kReduceStock);
    stock->setAdoConnectionObject(&connection());
    stock->setBranchPrefix(m_BranchPrefix);
    stock->setItemCode(itemCode);
    stock->setUnitName(trimmedColumn(line, u"Unit_Name"));
    stock->setLastUpdate(m_LastUpdate);
    if (!answered(stock->ReduceStockInHand(quantity), *stock, errDescTarget()))
        return false;
    const double value = posting::isStockItemType(stock->ItemType()) ? stock->SellingValue()
                                                                     : numberOrZero(line, u"Direct_Delivery_Item_Amount");
    const double baseQuantity = stock->TotalQty();

    auto location = createObject<LocationStock>(service_ids::kLocationStock);
    location->setAdoConnectionObject(&connection());
    location->setBranchPrefix(m_BranchPrefix);
    location->setCompanyPrefix(m_CompanyPrefix);
    location->setItemCode(itemCode);
    location->setItemName(trimmedColumn(line, u"Item_Name"));
    location->setLocationCode(numbers::toLong(numberOrZero(line, u"Location_ID")));
    location->setLocationName(textOrEmpty(line, u"Location_Name"));
    location->setLocationQty(quantity);
    location->setLastUpdate(m_LastUpdate);
    location->setUnitName(textOrEmpty(line, u"Unit_Name"));
    if (!answered(location->UpdateLocationStock(LocationStock::kGoodsLeaving), *location, errDescTarget()))
        return false;

    // Assembly items move stock always, but reach the ledger only where the branch says so.
    if ((type != posting::kAssemblyItemType || assemblyPosted) && !Post_Item_Ledger(itemCode, isFreeOfCost(line), value))
        return false;
    if (!Post_Stock_Movement(line, value, baseQuantity))
        return false;
    line.setValue(u"Inventory_Value", value);
    line.update();
    return true;
}

bool DirectDelivery::Post_Item_Ledger(const QString &itemCode, bool freeOfCost, double value) {
    const cost_of_goods::Posting how{m_CompanyPrefix,
                                     m_BranchPrefix,
                                     {m_DirectDeliveryNo, m_DocumentPrefix, m_DirectDeliveryDate, m_CurrencyCode,
                                      m_CurrencySymbol, m_ForeignCurrencyFlag, m_LastUpdate},
                                     {connection().connectionString(), m_Database, m_DirectDeliveryDate,
                                      m_CurrencyCode, m_ExchangeRate},
                                     msg::kDirectFreeOfCostLine};
    return cost_of_goods::post(connection(), how, {itemCode, freeOfCost, value}, errDescTarget());
}

bool DirectDelivery::Post_Stock_Movement(Recordset &line, double value, double baseQuantity) {
    auto movement = createObject<StockMovementService>(service_ids::kStockMovement);
    movement->setAdoConnectionObject(&connection());
    movement->setCompanyPrefix(m_CompanyPrefix);
    movement->setBranchPrefix(m_BranchPrefix);
    movement->setDocumentPrefix(m_StockMovementPrefix);
    movement->setItemCode(trimmedColumn(line, u"Item_Code"));
    movement->setItemName(trimmedColumn(line, u"Item_Name"));
    movement->setUnitCode(numberOrZero(line, u"Unit_Code"));
    movement->setUnitName(trimmedColumn(line, u"Unit_Name"));
    movement->setFOC_Flag(isFreeOfCost(line));
    movement->setUnitQty(numberOrZero(line, u"Unit_Qty"));
    movement->setOutQty(baseQuantity);
    movement->setOutAmount(value);
    movement->setOutPrice(quotient(value, baseQuantity));
    movement->setDocumentNo(m_DirectDeliveryNo);
    movement->setDocumentDate(m_DirectDeliveryDate);
    movement->setDocumentType(QStringLiteral("OUT"));
    movement->setLocationID(numbers::toLong(numberOrZero(line, u"Location_ID")));
    movement->setLocationName(textOrEmpty(line, u"Location_Name"));
    movement->setLastUpdate(m_LastUpdate);
    movement->setStockComments(m_DirectDeliveryComments);
    return answered(movement->StockMovement(baseQuantity), *movement, errDescTarget());
}

// The customer's last price for each item sold; free-of-cost lines are no price.
bool DirectDelivery::Save_Last_Selling_Prices() {
    Recordset lines;
    lines.open(kLinesOfDelivery, {m_DirectDeliveryNo}, connection(), CursorType::Static);
    if (lines.eof())
        return true;
    auto prices = createObject<CustomerPriceList>(QStringLiteral("OrbSales.CustomerPriceList"));
    prices->setConnectionString(connection().connectionString());
    prices->setAdoDBConnectionObject(&connection());
    prices->setCustomerCode(m_CustomerCode);
    for (; !lines.eof(); lines.moveNext()) {
        const QString itemCode = trimmedColumn(lines, u"Item_Code");
        if (isFreeOfCost(lines) || itemCode.isEmpty())
            continue;
        prices->setItemCode(itemCode);
        prices->setItemName(trimmedColumn(lines, u"Item_Name"));
        prices->setUnitID(numberOrZero(lines, u"Unit_Code"));
        prices->setUnitName(trimmedColumn(lines, u"Unit_Name"));
        prices->setUnitQty(numberOrZero(lines, u"Unit_Qty"));
        prices->setLastSellingPrice(numberOrZero(lines, u"Direct_Delivery_Dtl_Unit_Price"));
        prices->setLastUpdate(m_LastUpdate);
        if (!answered(prices->Update_Last_Selling_Price(), *prices, errDescTarget()))
            return false;
    }
    return true;
}

bool DirectDelivery::Post_Project_Revenue() {
    auto project = createObject<ProjectTransaction>(service_ids::kProjectTransaction);
    project->setAdoConnectionObject(&connection());
    Recordset lines;
    lines.open(kLinesOfDelivery, {m_DirectDeliveryNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString projectNo = textOrEmpty(lines, u"Proj_No");
        if (projectNo.isEmpty())
            continue;
        const posting::ProjectLine line{projectNo,
                                        0,
                                        0,
                                        numberOrZero(lines, u"Direct_Delivery_Item_Amount"),
                                        numberOrZero(lines, u"Direct_Delivery_FC_Item_Amount"),
                                        textOrEmpty(lines, u"Item_Name")};
        if (!posting::postProjectLine(*project, m_CompanyPrefix, m_BranchPrefix,
                                      {m_DirectDeliveryNo, m_DocumentPrefix, m_DirectDeliveryDate, m_CurrencyCode,
                                       m_CurrencySymbol, m_ForeignCurrencyFlag, m_LastUpdate},
                                      line, errDescTarget()))
            return false;
    }
    return true;
}

} // namespace orbsales
