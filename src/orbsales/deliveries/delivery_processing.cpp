#include "orbsales/deliveries/delivery.h"

#include "orbsales/customers/customer_price_list.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/cost_of_goods.h"
#include "orbsales/deliveries/delivery_messages.h"
#include "orbsales/deliveries/delivery_source.h"
#include "orbsales/documents/posting.h"
#include "orbsales/documents/quotient.h"
#include "orbsales/documents/source_lines.h"
#include "orbsales/frame/registry.h"
#include "orbsales/numbering/processing_mode.h"
#include "orbsales/numbering/renumbering.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"
#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = delivery_messages;
using columns::numberOrZero;
using columns::textOrEmpty;
using posting::answered;

namespace {

const QString kLinesOfDelivery = QStringLiteral("Select * from Delivery_Detail Where Delivery_No=?");

// Item types "0" (stock) and "3" (assembly), as the item master holds them, carry stock.
bool carriesStock(Recordset &line) {
    const QString type = text::trimBlanks(textOrEmpty(line, u"Item_Type"));
    return type == QStringLiteral("0") || type == QStringLiteral("3");
}
bool isAssembly(Recordset &line) { return text::trimBlanks(textOrEmpty(line, u"Item_Type")) == QStringLiteral("3"); }
bool isFreeOfCost(Recordset &line) { return numberOrZero(line, u"FOC_Flag") != 0; }

} // namespace

void Delivery::openItemLines(Recordset &lines) {
    lines.open(QStringLiteral("Select A.* , B.Base_Qty as BaseQty ,B.Item_Type from Delivery_Detail A, Item_Master B "
                              "Where A.Item_Code = B.Item_Code and Delivery_No=?"),
               {m_DeliveryNo}, connection(), CursorType::Static);
}

bool Delivery::Process_Delivery(QString &strFrom) {
    return trapped([&] {
        if (!Get_Delivery())
            return false;
        const std::optional<posting::CurrencyFound> currency = posting::findCurrency(
            m_ADOConnectionString, m_Database, m_DeliveryDate, text::trimBlanks(m_CurrencyCode));
        if (!currency)
            return fail(msg::kInvalidCurrencyCode);
        m_CurrencySymbol = currency->symbol;
        m_currencyName = currency->name;

        Recordset master;
        master.open(QStringLiteral("Select * from Delivery_Master Where Delivery_No=?"), {m_DeliveryNo}, connection(),
                    CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidDeliveryNo);
        const ProcessingMode mode = ProcessingMode::of(m_OnlineFlag, m_SyncFlag);
        DocumentIdentity identity(prefixes(), CounterUse::Form::OneArgument, m_DocManualFlag, m_ManualDeliveryIdentity);
        if (mode.isSynchronisation()) {
            // A delivery copied from another site keeps its number and stamp.
            m_DeliveryIdentity = master.integer(u"Delivery_Identity");
            columns::dateIfSet(master, u"Last_Update", m_LastUpdate);
            if (identity.isManual() && !identity.take(m_connection, errDescTarget()))
                return false;
        } else {
            if (!identity.take(m_connection, errDescTarget()))
                return false;
            m_DeliveryIdentity = identity.value();
            if (!renumber(master, identity.value()))
                return false;
        }
        master.close();

        if (mode.updatesSource()) {
            const bool fromOrder = strFrom.compare(QStringLiteral("SalesOrder"), Qt::CaseInsensitive) == 0;
            if (!(fromOrder ? Update_Order_Delivered_Qty() : Update_CashMemo_Delivered_Qty()))
                return false;
        }
        if (mode.posts() && !postLines())
            return false;
        // A copy being synchronised leaves an automatic counter alone; a typed number always
        // raises the counter past itself.
        if (!identity.isManual() && mode.isSynchronisation())
            return true;
        return identity.finish(connection(), errDescTarget());
    });
}

// The final number on the master (now processed) and on every line of the temporary number.
bool Delivery::renumber(Recordset &master, qint32 identity) {
    const QString finalNo = documentNumber(prefixes(), identity);
    setFinalNumber(master, u"Delivery_No", u"Delivery_Identity", finalNo, identity);
    master.setValue(u"Processed_Flag", 1);
    master.setValue(u"Last_Update", stamp());
    master.update();
    Recordset lines;
    lines.open(kLinesOfDelivery, {m_DeliveryNo}, connection(), CursorType::Static);
    if (lines.eof())
        return fail(msg::kInvalidTemporaryDeliveryNo); // the master stays renumbered
    moveLinesToFinalNumber(lines, u"Delivery_No", finalNo, stamp());
    m_DeliveryNo = finalNo;
    return true;
}

bool Delivery::Update_Order_Delivered_Qty() { return raiseSourceQuantities(DeliverySource::salesOrder()); }

bool Delivery::Update_CashMemo_Delivered_Qty() { return raiseSourceQuantities(DeliverySource::cashMemo()); }

// One processed delivery marks its source delivered, whatever is still open on it, and adds
// each line's quantity to the source line it came from.
bool Delivery::raiseSourceQuantities(const DeliverySource &source) {
    Recordset master;
    master.open(source.masterStatement(), {m_SourceNo}, connection(), CursorType::Keyset);
    if (!master.eof()) {
        master.setValue(u"Delivered_Flag", 1);
        master.setValue(u"Last_Update", stamp());
        master.update();
    }
    master.close();
    Recordset lines;
    lines.open(kLinesOfDelivery, {m_DeliveryNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const SourceLineKey key{source.detailTable,
                                source.numberColumn,
                                m_SourceNo,
                                textOrEmpty(lines, u"Item_Code"),
                                textOrEmpty(lines, u"Item_Name"),
                                lines.value(u"Sales_Ord_Dtl_SL_No")};
        if (!addToSourceLine(connection(), key, source.deliveredColumn, numberOrZero(lines, u"Delivery_Qty"), stamp()))
            return fail(msg::kInvalidItemDetails);
    }
    return true;
}

// Stock out at its value for every stock line, then the postings in their fixed order.
bool Delivery::postLines() {
    Recordset lines;
    lines.open(kLinesOfDelivery, {m_DeliveryNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString itemCode = textOrEmpty(lines, u"Item_Code");
        const double price = numberOrZero(lines, u"Delivery_Dtl_Unit_Price");
        // A line without an item code names no item, so it carries no stock.
        const int type = text::isBlank(itemCode) ? -1 : posting::itemType(m_ADOConnectionString, itemCode);
        if (!posting::isStockItemType(type)) {
            lines.setValue(u"Inventory_Value", price);
            lines.setValue(u"Last_Update", stamp());
            lines.update();
            continue;
        }
        auto stock = createObject<ReduceStock>(service_ids::kReduceStock);
        stock->setAdoConnectionObject(&connection());
        stock->setBranchPrefix(m_BranchPrefix);
        stock->setItemCode(itemCode);
        stock->setUnitName(textOrEmpty(lines, u"Unit_Name"));
        stock->setUnitPrice(price);
        stock->setLastUpdate(stamp());
        if (!answered(stock->ReduceStockInHand(numberOrZero(lines, u"Delivery_Qty")), *stock, errDescTarget()))
            return false;
        lines.setValue(u"Inventory_Value",
                       posting::isStockItemType(stock->ItemType()) ? stock->SellingValue() : price);
        lines.update();
    }
    lines.close();
    return Save_Stock_Movement() && Post_Delivery_Ledger() && Post_Project_Transactions() &&
           Save_Last_Selling_Prices() && Update_Location_Stock();
}

bool Delivery::Save_Stock_Movement() {
    auto movement = createObject<StockMovementService>(service_ids::kStockMovement);
    movement->setAdoConnectionObject(&connection());
    movement->setCompanyPrefix(m_CompanyPrefix);
    movement->setBranchPrefix(m_BranchPrefix);
    movement->setDocumentPrefix(m_StockMovementPrefix);
    Recordset lines;
    openItemLines(lines);
    for (; !lines.eof(); lines.moveNext()) {
        if (!carriesStock(lines))
            continue;
        const double value = numberOrZero(lines, u"Inventory_Value");
        double outQty = numberOrZero(lines, u"Delivery_Qty") * numberOrZero(lines, u"Unit_Qty"); // base units
        movement->setItemCode(textOrEmpty(lines, u"Item_Code"));
        movement->setItemName(textOrEmpty(lines, u"Item_Name"));
        movement->setUnitCode(numberOrZero(lines, u"Unit_Code"));
        movement->setUnitName(textOrEmpty(lines, u"Unit_Name"));
        movement->setFOC_Flag(isFreeOfCost(lines));
        movement->setUnitQty(numberOrZero(lines, u"Unit_Qty"));
        movement->setOutQty(outQty);
        movement->setOutAmount(value);
        movement->setOutPrice(quotient(value, outQty));
        movement->setDocumentNo(m_DeliveryNo);
        movement->setDocumentDate(m_DeliveryDate);
        movement->setDocumentType(QStringLiteral("OUT"));
        movement->setLocationID(numbers::toLong(numberOrZero(lines, u"Location_ID")));
        movement->setLocationName(textOrEmpty(lines, u"Location_Name"));
        movement->setLastUpdate(stamp());
        movement->setStockComments(m_DeliveryComments);
        if (!answered(movement->StockMovement(outQty), *movement, errDescTarget()))
            return false;
    }
    return true;
}

bool Delivery::Post_Delivery_Ledger() {
    const bool assemblyPosted = posting::assemblyPostingOn(connection(), m_BranchPrefix);
    const cost_of_goods::Posting how{
        m_CompanyPrefix,
        m_BranchPrefix,
        {m_DeliveryNo, m_DocumentPrefix, m_DeliveryDate, m_CurrencyCode, m_CurrencySymbol, m_ForeignCurrencyFlag,
         stamp()},
        {connection().connectionString(), m_Database, m_DeliveryDate, m_currencyName, m_ExchangeRate},
        msg::kDeliveryFreeOfCostLine};
    Recordset lines;
    openItemLines(lines);
    for (; !lines.eof(); lines.moveNext()) {
        if (!carriesStock(lines) || (isAssembly(lines) && !assemblyPosted))
            continue;
        const cost_of_goods::GoodsOut goods{textOrEmpty(lines, u"Item_Code"), isFreeOfCost(lines),
                                            numberOrZero(lines, u"Inventory_Value")};
        if (!cost_of_goods::post(connection(), how, goods, errDescTarget()))
            return false;
    }
    return true;
}

bool Delivery::Post_Project_Transactions() {
    auto project = createObject<ProjectTransaction>(service_ids::kProjectTransaction);
    project->setAdoConnectionObject(&connection());
    Recordset lines;
    lines.open(kLinesOfDelivery, {m_DeliveryNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString projectNo = textOrEmpty(lines, u"Proj_No");
        if (projectNo.isEmpty())
            continue;
        const posting::ProjectLine line{projectNo, 0, 0, numberOrZero(lines, u"Delivery_Item_Amount"),
                                        numberOrZero(lines, u"Delivery_FC_Item_Amount"), textOrEmpty(lines, u"Item_Name")};
        if (!posting::postProjectLine(*project, m_CompanyPrefix, m_BranchPrefix,
                                      {m_DeliveryNo, m_DocumentPrefix, m_DeliveryDate, m_CurrencyCode, m_CurrencySymbol,
                                       m_ForeignCurrencyFlag, stamp()},
                                      line, errDescTarget()))
            return false;
    }
    return true;
}

// The customer's last price for each item sold (free-of-cost lines are no price). The price
// list also gets the delivery's connection object, so that it writes where the delivery writes.
bool Delivery::Save_Last_Selling_Prices() {
    Recordset lines;
    openItemLines(lines);
    for (; !lines.eof(); lines.moveNext()) {
        if (isFreeOfCost(lines))
            continue;
        auto prices = createObject<CustomerPriceList>(QStringLiteral("OrbSales.CustomerPriceList"));
        prices->setConnectionString(connection().connectionString());
        prices->setAdoDBConnectionObject(&connection());
        prices->setCustomerCode(m_CustomerCode);
        prices->setItemCode(textOrEmpty(lines, u"Item_Code"));
        prices->setItemName(textOrEmpty(lines, u"Item_Name"));
        prices->setUnitID(numberOrZero(lines, u"Unit_Code"));
        prices->setUnitName(textOrEmpty(lines, u"Unit_Name"));
        prices->setUnitQty(numberOrZero(lines, u"Unit_Qty"));
        prices->setLastSellingPrice(numberOrZero(lines, u"Delivery_Dtl_Unit_Price"));
        prices->setLastUpdate(dates::parseDate(stamp()));
        if (!answered(prices->Update_Last_Selling_Price(), *prices, errDescTarget()))
            return false;
    }
    return true;
}

// Goods leave their stock location, and what was on order for the customer is no longer.
bool Delivery::Update_Location_Stock() {
    Recordset lines;
    openItemLines(lines);
    for (; !lines.eof(); lines.moveNext()) {
        if (!carriesStock(lines))
            continue;
        const QString itemCode = textOrEmpty(lines, u"Item_Code");
        const double quantity = numberOrZero(lines, u"Delivery_Qty");
        auto location = createObject<LocationStock>(service_ids::kLocationStock);
        location->setAdoConnectionObject(&connection());
        location->setBranchPrefix(m_BranchPrefix);
        location->setCompanyPrefix(m_CompanyPrefix);
        location->setItemCode(itemCode);
        location->setItemName(textOrEmpty(lines, u"Item_Name"));
        location->setLocationCode(numbers::toLong(numberOrZero(lines, u"Location_ID")));
        location->setLocationName(textOrEmpty(lines, u"Location_Name"));
        location->setLocationQty(quantity);
        location->setLastUpdate(stamp());
        location->setUnitName(textOrEmpty(lines, u"Unit_Name"));
        if (!answered(location->UpdateLocationStock(LocationStock::kGoodsLeaving), *location, errDescTarget()))
            return false;
        auto inventory = createObject<Inventory>(service_ids::kInventory);
        inventory->setAdoConnectionObject(&connection());
        inventory->setBranchPrefix(m_BranchPrefix);
        inventory->setItemCode(itemCode);
        inventory->setItemQuantity(numberOrZero(lines, u"Unit_Qty") * quantity);
        if (!answered(inventory->Update_Item_OrderedQty(QStringLiteral("Decrease")), *inventory, errDescTarget()))
            return false;
    }
    return true;
}

} // namespace orbsales
