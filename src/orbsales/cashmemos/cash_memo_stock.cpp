#include "orbsales/cashmemos/cash_memo.h"

#include "orbsales/cashmemos/cashmemo_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"
#include "orbsales/values/text.h"

#include <cmath>
#include <memory>

namespace orbsales {

namespace msg = cashmemo_messages;
using posting::LedgerLine;

namespace {

const QString kLinesOfMemo = QStringLiteral("Select * from Cash_Memo_Detail Where Cash_Memo_No=? Order By SL_No");
const QString kPosSalesReturn = QStringLiteral("POS Sales Return");

QString textOf(Recordset &line, QStringView column) { return columns::textOrEmpty(line, column); }
double numberOf(Recordset &line, QStringView column) { return columns::numberOrZero(line, column); }

// The line's stock takes this type: a line without an item carries no stock.
int stockTypeOf(const QString &connectionString, const QString &itemCode) {
    return text::isBlank(itemCode) ? -1 : posting::itemType(connectionString, itemCode);
}

} // namespace

// ---- Goods out of stock (every memo but a point-of-sale one) -------------------------------

bool CashMemo::Reduce_CashMemo_Stock() {
    const bool assemblyPosting = posting::assemblyPostingOn(connection(), m_BranchPrefix);
    Recordset lines;
    lines.open(kLinesOfMemo, {m_CashMemoNo}, connection(), CursorType::Keyset);
    for (; !lines.eof(); lines.moveNext()) {
        const QString itemCode = textOf(lines, u"Item_Code");
        const int type = stockTypeOf(m_ADOConnectionString, itemCode);
        if (!posting::isStockItemType(type))
            continue;
        const double quantity = numberOf(lines, u"Cash_Memo_Qty");
        auto location = createObject<LocationStock>(service_ids::kLocationStock);
        location->setAdoConnectionObject(&connection());
        location->setBranchPrefix(m_BranchPrefix);
        location->setCompanyPrefix(m_CompanyPrefix);
        location->setItemCode(itemCode);
        location->setItemName(textOf(lines, u"Item_Name"));
        location->setLocationCode(static_cast<qint32>(numberOf(lines, u"Location_ID")));
        location->setLocationName(textOf(lines, u"Location_Name"));
        location->setLocationQty(quantity);
        location->setLastUpdate(m_LastUpdate);
        location->setUnitName(textOf(lines, u"Unit_Name"));
        if (!posting::answered(location->UpdateLocationStock(LocationStock::kGoodsLeaving), *location, errDescTarget()))
            return false;

        auto stock = createObject<ReduceStock>(service_ids::kReduceStock);
        stock->setAdoConnectionObject(&connection());
        stock->setBranchPrefix(m_BranchPrefix);
        stock->setItemCode(itemCode);
        stock->setUnitName(textOf(lines, u"Unit_Name"));
        const QString period = textOf(lines, u"Period_Type");
        if (!period.isEmpty())
            stock->setPeriodType(period);
        stock->setLastUpdate(m_LastUpdate);
        if (!posting::answered(stock->ReduceStockInHand(quantity), *stock, errDescTarget()))
            return false;
        // Goods without stock of their own are valued at what they were sold for.
        const double value = posting::isStockItemType(stock->ItemType()) ? stock->SellingValue()
                                                                         : numberOf(lines, u"Cash_Memo_Item_Amount");
        if (posting::isStockItemType(stock->ItemType()))
            m_stockMoved[lines.integer(u"SL_No")] = {stock->TotalQty(), value, type};
        if ((type != posting::kAssemblyItemType || assemblyPosting) &&
            !Post_CashMemo_Inventory_Line(itemCode, value, columns::isTrue(lines, u"FOC_Flag")))
            return false;
        lines.setValue(u"Inventory_Value", rounded(value));
        lines.update();
    }
    return Save_CashMemo_Stock_Movement();
}

// The cost of the goods: out of inventory into the cost of goods sold (or given free of
// charge); goods coming back (a negative value) go the other way.
bool CashMemo::Post_CashMemo_Inventory_Line(const QString &itemCode, double value, bool freeOfCharge) {
    posting::ItemAccounts accounts;
    if (!posting::itemAccounts(connection(), itemCode, m_CompanyPrefix, m_BranchPrefix, accounts, errDescTarget()))
        return false;
    const std::optional<posting::CostAccounts> branch = posting::branchCostAccounts(connection(), m_BranchPrefix);
    if (!branch)
        return fail(msg::kSetSalesDefaults);
    const QString costOfGoods = !text::isBlank(branch->costOfGoods) ? branch->costOfGoods : accounts.costOfGoods;
    const QString freeOfCost = !text::isBlank(branch->freeOfCost) ? branch->freeOfCost : accounts.freeOfCost;
    const posting::Conversion conversion{m_ADOConnectionString, m_Database, m_CashMemoDate, m_CurrencyCode,
                                         m_ExchangeRate};
    const double amount = std::fabs(value);
    const double fcAmount = std::fabs(posting::foreignAmount(m_ForeignCurrencyFlag, conversion, value));
    const bool comingBack = value < 0;
    const QString code = itemCode.mid(2);
    std::optional<QString> comments;
    if (comingBack && isPointOfSale())
        comments = kPosSalesReturn;

    LedgerLine inventory{accounts.inventory, QStringLiteral("Inventory Account : ItemCode - ") + code, comments, 0, 0,
                         0, 0};
    LedgerLine cost{freeOfCharge ? freeOfCost : costOfGoods,
                    (freeOfCharge ? QStringLiteral("Free of Cost Sales Account : Item Code - ")
                                  : QStringLiteral("Cost Of Goods Sales Account : Item Code - ")) +
                        code,
                    comments, 0, 0, 0, 0};
    LedgerLine &credited = comingBack ? cost : inventory;
    LedgerLine &debited = comingBack ? inventory : cost;
    credited.credit = amount;
    credited.fcCredit = fcAmount;
    debited.debit = amount;
    debited.fcDebit = fcAmount;
    return posting::postLedgerLine(connection(), documentRef(), inventory, errDescTarget()) &&
           posting::postLedgerLine(connection(), documentRef(), cost, errDescTarget());
}

bool CashMemo::Save_CashMemo_Stock_Movement() { return stockMovements(false); }

// One stock movement per line whose stock moved: "OUT" for goods sold, "IN" for goods coming
// back, at the quantity in base units and the value the stock step took them at.
bool CashMemo::stockMovements(bool pointOfSale) {
    Recordset lines;
    lines.open(QStringLiteral("Select A.* , B.Base_Qty as BaseQty ,B.Item_Type from Cash_Memo_Detail A, Item_Master B "
                              "Where A.Item_Code = B.Item_Code and Cash_Memo_No=? Order By A.SL_No"),
               {m_CashMemoNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString type = text::trimBlanks(textOf(lines, u"Item_Type"));
        const auto moved = m_stockMoved.find(lines.integer(u"SL_No"));
        if ((type != QStringLiteral("0") && type != QStringLiteral("3")) || moved == m_stockMoved.end())
            continue;
        const bool comingBack = numberOf(lines, u"Cash_Memo_Qty") < 0;
        double baseQuantity = std::fabs(moved->second.baseQuantity);
        const double value = std::fabs(moved->second.value);
        const double price = baseQuantity != 0 ? value / baseQuantity : 0;
        auto movement = createObject<StockMovementService>(service_ids::kStockMovement);
        movement->setAdoConnectionObject(&connection());
        movement->setCompanyPrefix(m_CompanyPrefix);
        movement->setBranchPrefix(m_BranchPrefix);
        movement->setDocumentPrefix(m_StockMovementPrefix);
        movement->setItemCode(textOf(lines, u"Item_Code"));
        movement->setItemName(textOf(lines, u"Item_Name"));
        movement->setUnitCode(numberOf(lines, u"Unit_Code"));
        movement->setUnitName(textOf(lines, u"Unit_Name"));
        const QString period = textOf(lines, u"Period_Type");
        if (!period.isEmpty())
            movement->setPeriodType(period);
        movement->setFOC_Flag(columns::isTrue(lines, u"FOC_Flag"));
        movement->setUnitQty(numberOf(lines, u"Unit_Qty"));
        if (comingBack) {
            movement->setDocumentType(QStringLiteral("IN"));
            movement->setInQty(baseQuantity);
            movement->setInAmount(value);
            movement->setInPrice(price);
        } else {
            movement->setDocumentType(QStringLiteral("OUT"));
            movement->setOutQty(baseQuantity);
            movement->setOutAmount(value);
            movement->setOutPrice(price);
        }
        movement->setDocumentNo(m_CashMemoNo);
        movement->setDocumentDate(m_CashMemoDate);
        movement->setLocationID(static_cast<qint32>(numberOf(lines, u"Location_ID")));
        movement->setLocationName(textOf(lines, u"Location_Name"));
        movement->setLastUpdate(m_LastUpdate);
        if (pointOfSale && comingBack)
            movement->setStockComments(kPosSalesReturn);
        if (!posting::answered(movement->StockMovement(baseQuantity), *movement, errDescTarget()))
            return false;
    }
    return true;
}

// ---- A point-of-sale memo's stock: sold lines out, returned lines back in, each once ---------

bool CashMemo::Reduce_POS_Stock() {
    Recordset lines;
    lines.open(kLinesOfMemo, {m_CashMemoNo}, connection(), CursorType::Keyset);
    for (; !lines.eof(); lines.moveNext()) {
        const QString itemCode = textOf(lines, u"Item_Code");
        const double unitPrice = numberOf(lines, u"Cash_Memo_Unit_Price");
        double value = unitPrice;
        const int type = stockTypeOf(m_ADOConnectionString, itemCode);
        if (posting::isStockItemType(type)) {
            auto stock = createObject<ReduceStock>(service_ids::kReduceStock);
            stock->setAdoConnectionObject(&connection());
            // Stock in hand is kept per branch: the memo's branch goes with every reduction.
            stock->setBranchPrefix(m_BranchPrefix);
            stock->setItemCode(itemCode);
            stock->setUnitName(textOf(lines, u"Unit_Name"));
            const QString period = textOf(lines, u"Period_Type");
            if (!period.isEmpty())
                stock->setPeriodType(period);
            stock->setUnitPrice(unitPrice);
            stock->setLastUpdate(m_LastUpdate);
            if (!posting::answered(stock->ReduceStockInHand(numberOf(lines, u"Cash_Memo_Qty")), *stock,
                                   errDescTarget()))
                return false;
            if (posting::isStockItemType(stock->ItemType())) {
                value = stock->SellingValue();
                m_stockMoved[lines.integer(u"SL_No")] = {stock->TotalQty(), value, type};
            }
        }
        lines.setValue(u"Inventory_Value", rounded(value));
        lines.setValue(u"Last_Update", m_LastUpdate);
        lines.update();
    }
    return Save_POS_Stock_Movement() && Post_POS_Inventory() && Update_POS_Location_Stock();
}

bool CashMemo::Save_POS_Stock_Movement() { return stockMovements(true); }

bool CashMemo::Post_POS_Inventory() {
    const bool assemblyPosting = posting::assemblyPostingOn(connection(), m_BranchPrefix);
    Recordset lines;
    lines.open(kLinesOfMemo, {m_CashMemoNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const auto moved = m_stockMoved.find(lines.integer(u"SL_No"));
        if (moved == m_stockMoved.end())
            continue;
        if (moved->second.itemType == posting::kAssemblyItemType && !assemblyPosting)
            continue;
        if (!Post_CashMemo_Inventory_Line(textOf(lines, u"Item_Code"), moved->second.value,
                                          columns::isTrue(lines, u"FOC_Flag")))
            return false;
    }
    return true;
}

bool CashMemo::Update_POS_Location_Stock() {
    Recordset lines;
    lines.open(kLinesOfMemo, {m_CashMemoNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        if (m_stockMoved.find(lines.integer(u"SL_No")) == m_stockMoved.end())
            continue;
        const double quantity = numberOf(lines, u"Cash_Memo_Qty");
        auto location = createObject<LocationStock>(service_ids::kLocationStock);
        location->setAdoConnectionObject(&connection());
        location->setBranchPrefix(m_BranchPrefix);
        location->setCompanyPrefix(m_CompanyPrefix);
        location->setItemCode(textOf(lines, u"Item_Code"));
        location->setItemName(textOf(lines, u"Item_Name"));
        location->setLocationCode(static_cast<qint32>(numberOf(lines, u"Location_ID")));
        location->setLocationName(textOf(lines, u"Location_Name"));
        location->setLocationQty(std::fabs(quantity));
        location->setLastUpdate(m_LastUpdate);
        location->setUnitName(textOf(lines, u"Unit_Name"));
        const qint16 direction = quantity < 0 ? LocationStock::kGoodsComingBack : LocationStock::kGoodsLeaving;
        if (!posting::answered(location->UpdateLocationStock(direction), *location, errDescTarget()))
            return false;
    }
    return true;
}

} // namespace orbsales
