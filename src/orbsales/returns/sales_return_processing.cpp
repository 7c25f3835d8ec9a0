#include "orbsales/returns/sales_return.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/document_messages.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/numbering/processing_mode.h"
#include "orbsales/numbering/renumbering.h"
#include "orbsales/returns/return_costing.h"
#include "orbsales/returns/returns_messages.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/sales_log.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = returns_messages;
namespace doc = document_messages;
using posting::answered;

namespace {

struct StockItem {
    bool found = false;
    int type = -1;
    QString costing;
};

StockItem itemOf(Connection &connection, const QString &itemCode) {
    Recordset item;
    item.open(QStringLiteral("Select Item_Type, Costing_Type from Item_Master Where Item_Code=?"), {itemCode},
              connection, CursorType::Static);
    if (item.eof())
        return {};
    return {true, numbers::toLong(numbers::leadingNumber(columns::textOrEmpty(item, u"Item_Type"))),
            columns::textOrEmpty(item, u"Costing_Type")};
}

// Where the goods come back to: the return's own location when it names one, else the one the
// line came from.
struct Location {
    qint32 id = 0;
    QString name;
};

} // namespace

bool SalesReturn::Return_Process() {
    return trapped([this] {
        if (m_SalesRtnNo.isEmpty())
            return fail(msg::kInvalidSalesReturn);
        if (!m_adoConnection.isOpen())
            return fail(doc::kInvalidConnectionObject);
        if (!Get_Sales_Rtn())
            return false;
        const ProcessingMode mode = ProcessingMode::of(m_OnlineFlag, m_SyncFlag);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Return_Master Where Sales_Rtn_No=?"), {m_SalesRtnNo},
                    connection(), CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidSalesReturnNumber);
        if (columns::isTrue(master, u"Processed_Flag") && !m_SyncFlag)
            return fail(msg::kAlreadyProcessed);
        // Nothing is written before the lines are known to be there and returnable.
        Recordset lines;
        lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=?"), {m_SalesRtnNo},
                   connection(), CursorType::Static);
        if (mode.renumbers() && lines.eof())
            return fail(msg::kInvalidTemporaryReturnNo);
        if (mode.updatesSource() && !checkStoredLinesAgainstSource())
            return false;

        DocumentIdentity identity(prefixes(), CounterUse::Form::OneArgument, m_DocFlag, m_manualDocIdentity);
        if (mode.renumbers()) {
            if (!identity.take(m_adoConnection, errDescTarget()))
                return false;
            renumber(master, lines, identity);
        } else {
            // A synchronised copy keeps its number; it is marked processed as it already is.
            master.setValue(u"Processed_Flag", 1);
            master.update();
            m_ProcessedFlag = true;
        }
        master.close();
        lines.close();

        bool creditMemoWanted = false;
        {
            Recordset preferences;
            preferences.open(QStringLiteral("Select * from Default_Sales_Preferences Where Branch_Prefix=?"),
                             {m_BranchPrefix}, connection(), CursorType::Static);
            // Reduce_Stocks is read as the package reads it; every sale of the package takes its
            // goods out of stock whatever it says, so every return brings them back.
            if (!preferences.eof()) {
                creditMemoWanted = columns::isTrue(preferences, u"Generate_Credit_Memo");
                columns::isTrue(preferences, u"Reduce_Stocks");
            }
        }
        if (mode.updatesSource() && !UpdateReturnSource())
            return false;
        if (!bringStockBack(mode.posts()))
            return false;
        // Offline: the number is used, so the counter moves on as after online processing.
        if (mode.isOffline())
            return identity.finish(connection(), errDescTarget());
        if (!logSales() || !postProjects())
            return false;
        const bool againstDelivery = m_RefDocType == QLatin1String("DDL") || m_RefDocType == QLatin1String("DEL");
        if (!againstDelivery && creditMemoWanted && !Generate_Credit_Memo(m_SalesRtnNo))
            return false;
        if (!mode.renumbers())
            return true;
        return identity.finish(connection(), errDescTarget());
    });
}

// The final number on the master (now processed, no longer cancellable) and on every line.
bool SalesReturn::renumber(Recordset &master, Recordset &lines, const DocumentIdentity &identity) {
    const QString finalNo = identity.number();
    setFinalNumber(master, u"Sales_Rtn_No", u"Sales_Rtn_Identity", finalNo, identity.value());
    master.setValue(u"Processed_Flag", 1);
    master.setValue(u"Allow_Cancel_Flag", 0);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    moveLinesToFinalNumber(lines, u"Sales_Rtn_No", finalNo, m_LastUpdate);
    m_SalesRtnNo = finalNo;
    m_SalesRtnIdentity = identity.value();
    m_ProcessedFlag = true;
    m_AllowCancelFlag = false;
    return true;
}

// Stock, value, movements and inventory lines (when the mode posts), then location stock.
bool SalesReturn::bringStockBack(bool postsStock) {
    const posting::DocumentRef document{m_SalesRtnNo,  m_DocumentPrefix,      m_SalesRtnDate, m_CurrencyCode,
                                        m_CurrencySymbol, m_ForeignCurrencyFlag, m_LastUpdate};
    const posting::Conversion conversion{m_ConnectionString, m_Database, m_SalesRtnDate, m_CurrencyCode,
                                         m_ExchangeRate};
    const QVariant stamp(m_LastUpdate);
    auto locationOf = [this](Recordset &line) {
        if (m_LocationID != 0)
            return Location{m_LocationID, m_LocationName};
        return Location{numbers::toLong(numbers::leadingNumber(columns::textOrEmpty(line, u"Location_ID"))),
                        columns::textOrEmpty(line, u"Location_Name")};
    };
    Recordset lines;
    lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=? Order By SL_No"),
               {m_SalesRtnNo}, connection(), CursorType::Keyset);
    std::optional<bool> assemblyPosting;
    for (; postsStock && !lines.eof(); lines.moveNext()) {
        const QString itemCode = columns::textOrEmpty(lines, u"Item_Code");
        if (text::isBlank(itemCode))
            continue;
        const StockItem item = itemOf(connection(), itemCode);
        const bool stock = item.found && posting::isStockItemType(item.type);
        double value = columns::numberOrZero(lines, u"Sales_Rtn_Item_Amount");
        const double quantity =
            columns::numberOrZero(lines, u"Sales_Rtn_Qty") * columns::numberOrZero(lines, u"Unit_Qty");
        if (!item.found || stock) {
            const std::optional<Costing> costing = costingOf(item.costing);
            if (!costing)
                return fail(msg::kInvalidCostingType);
            const Connection::Result held = connection().select(
                QStringLiteral("Select Stock_In_Hand, Stock_Amount from Item_Master_detail Where Item_Code=? and "
                               "Branch_Prefix=?"),
                {itemCode, m_BranchPrefix});
            const double inHand = held.rows.isEmpty() ? 0 : held.rows.first().at(0).toDouble();
            const double amount = held.rows.isEmpty() ? 0 : held.rows.first().at(1).toDouble();
            const ReturnCost cost = giveBackToLots(connection(), itemCode, m_BranchPrefix, *costing, quantity,
                                                   inHand > 0 ? amount / inHand : 0, stamp);
            value = numbers::roundHalfEven(cost.value, m_AmtDig);
            connection().execute(
                QStringLiteral("Update Item_Master_detail Set Stock_In_Hand = COALESCE(Stock_In_Hand, 0) + ?, "
                               "Stock_Amount = COALESCE(Stock_Amount, 0) + ?, Last_Update = ? Where Item_Code=? and "
                               "Branch_Prefix=?"),
                {quantity, value, stamp, itemCode, m_BranchPrefix});
            const Location location = locationOf(lines);
            auto movement = createObject<StockMovementService>(service_ids::kStockMovement);
            movement->setAdoConnectionObject(&connection());
            movement->setCompanyPrefix(m_CompanyPrefix);
            movement->setBranchPrefix(m_BranchPrefix);
            movement->setDocumentPrefix(m_StockMovementPrefix);
            movement->setItemCode(itemCode);
            movement->setItemName(columns::textOrEmpty(lines, u"Item_Name"));
            movement->setUnitCode(columns::numberOrZero(lines, u"Unit_Code"));
            movement->setUnitName(columns::textOrEmpty(lines, u"Unit_Name"));
            movement->setFOC_Flag(false);
            movement->setUnitQty(columns::numberOrZero(lines, u"Unit_Qty"));
            if (!text::isBlank(columns::textOrEmpty(lines, u"Period_Type")))
                movement->setPeriodType(columns::textOrEmpty(lines, u"Period_Type"));
            movement->setInQty(quantity);
            movement->setInAmount(value);
            movement->setInPrice(quantity == 0 ? 0 : value / quantity);
            movement->setDocumentNo(m_SalesRtnNo);
            movement->setDocumentDate(m_SalesRtnDate);
            movement->setDocumentType(QStringLiteral("IN"));
            movement->setLocationID(location.id);
            movement->setLocationName(location.name);
            movement->setLastUpdate(stamp);
            movement->setStockComments(m_SalesRtnComments);
            double moved = quantity;
            if (!answered(movement->StockMovement(moved), *movement, errDescTarget()))
                return false;
        }
        // The line keeps the value its goods came back at.
        lines.setValue(u"Inventory_Value", value);
        lines.update();
        if (!stock)
            continue;
        if (!assemblyPosting)
            assemblyPosting = posting::assemblyPostingOn(connection(), m_BranchPrefix);
        if (item.type == posting::kAssemblyItemType && !*assemblyPosting)
            continue;
        posting::ItemAccounts accounts;
        if (!posting::itemAccounts(connection(), itemCode, m_CompanyPrefix, m_BranchPrefix, accounts, errDescTarget()))
            return false;
        const std::optional<posting::CostAccounts> branch = posting::branchCostAccounts(connection(), m_BranchPrefix);
        if (!branch)
            return fail(doc::kSetSalesDefaults);
        const double foreign = posting::foreignAmount(m_ForeignCurrencyFlag, conversion, value);
        const QString code = itemCode.mid(2);
        if (!posting::postLedgerLine(connection(), document,
                                     {accounts.inventory, QStringLiteral("Inventory Account : Item Code - ") + code,
                                      std::nullopt, value, 0, foreign, 0},
                                     errDescTarget()) ||
            !posting::postLedgerLine(connection(), document,
                                     {branch->costOfGoods, QStringLiteral("Cost Of Goods Account : ItemCode - ") + code,
                                      std::nullopt, 0, value, 0, foreign},
                                     errDescTarget()))
            return false;
    }
    lines.close();

    // Location stock: the goods are back on the shelf, in every mode.
    lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=? Order By SL_No"),
               {m_SalesRtnNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString itemCode = columns::textOrEmpty(lines, u"Item_Code");
        if (text::isBlank(itemCode))
            continue;
        const StockItem item = itemOf(connection(), itemCode);
        if (!item.found || !posting::isStockItemType(item.type))
            continue; // a service has no shelf
        const Location location = locationOf(lines);
        auto shelf = createObject<LocationStock>(service_ids::kLocationStock);
        shelf->setAdoConnectionObject(&connection());
        shelf->setBranchPrefix(m_BranchPrefix);
        shelf->setCompanyPrefix(m_CompanyPrefix);
        shelf->setItemCode(itemCode);
        shelf->setItemName(columns::textOrEmpty(lines, u"Item_Name"));
        shelf->setLocationCode(location.id);
        shelf->setLocationName(location.name);
        shelf->setLocationQty(columns::numberOrZero(lines, u"Sales_Rtn_Qty"));
        shelf->setLastUpdate(stamp);
        shelf->setUnitName(columns::textOrEmpty(lines, u"Unit_Name"));
        if (!answered(shelf->UpdateLocationStock(LocationStock::kGoodsComingBack), *shelf, errDescTarget()))
            return false;
    }
    return true;
}

// The sales history takes the return as a negative sale of each line.
bool SalesReturn::logSales() {
    Recordset lines;
    lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=? Order By SL_No"),
               {m_SalesRtnNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        auto log = createObject<SalesLog>(service_ids::kSalesLog);
        log->setAdoConnectionObject(&connection());
        log->setSalesDocumentNo(m_SalesRtnNo);
        log->setCompanyPrefix(m_CompanyPrefix);
        log->setBranchPrefix(m_BranchPrefix);
        log->setDocumentPrefix(m_SalesLogPrefix);
        log->setRefDocumentPrefix(m_RefDocType);
        log->setItemCode(columns::textOrEmpty(lines, u"Item_Code"));
        log->setItemName(columns::textOrEmpty(lines, u"Item_Name"));
        log->setUnitCode(columns::numberOrZero(lines, u"Unit_Code"));
        log->setUnitName(columns::textOrEmpty(lines, u"Unit_Name"));
        if (!text::isBlank(columns::textOrEmpty(lines, u"Period_Type")))
            log->setPeriodType(columns::textOrEmpty(lines, u"Period_Type"));
        log->setFOC_Flag(false);
        const double unitQty = columns::numberOrZero(lines, u"Unit_Qty");
        log->setUnitQty(unitQty);
        log->setSalesQty(-columns::numberOrZero(lines, u"Sales_Rtn_Qty") * unitQty);
        log->setSalesItemAmount(-columns::numberOrZero(lines, u"Sales_Rtn_Item_Amount"));
        log->setSalesUnitPrice(columns::numberOrZero(lines, u"Sales_Rtn_Unit_Price"));
        log->setSalesLogDate(m_SalesRtnDate);
        log->setSalesDocumentPrefix(m_DocumentPrefix);
        log->setLastUpdate(QVariant(m_LastUpdate));
        const QString project = columns::textOrEmpty(lines, u"Proj_No");
        if (!text::isBlank(project))
            log->setProjNo(project);
        if (!answered(log->Create_SalesLog(), *log, errDescTarget()))
            return false;
    }
    return true;
}

// A project gives back the revenue of its returned lines: a debit of the line amount.
bool SalesReturn::postProjects() {
    Recordset lines;
    lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=? Order By SL_No"),
               {m_SalesRtnNo}, connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString project = columns::textOrEmpty(lines, u"Proj_No");
        if (text::isBlank(project))
            continue;
        auto transaction = createObject<ProjectTransaction>(service_ids::kProjectTransaction);
        transaction->setAdoConnectionObject(&connection());
        const posting::ProjectLine line{project,
                                        columns::numberOrZero(lines, u"Sales_Rtn_Item_Amount"),
                                        columns::numberOrZero(lines, u"Sales_Rtn_FC_Item_Amount"),
                                        0,
                                        0,
                                        columns::textOrEmpty(lines, u"Item_Name")};
        if (!posting::postProjectLine(*transaction, m_CompanyPrefix, m_BranchPrefix,
                                      {m_SalesRtnNo, m_DocumentPrefix, m_SalesRtnDate, m_CurrencyCode, m_CurrencySymbol,
                                       m_ForeignCurrencyFlag, QVariant(m_LastUpdate)},
                                      line, errDescTarget()))
            return false;
    }
    return true;
}

} // namespace orbsales
