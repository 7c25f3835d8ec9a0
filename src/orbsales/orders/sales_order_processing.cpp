#include "orbsales/orders/sales_order.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/frame/registry.h"
#include "orbsales/values/numbers.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/numbering/processing_mode.h"
#include "orbsales/numbering/renumbering.h"
#include "orbsales/orders/order_messages.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"


namespace orbsales {

namespace msg = order_messages;

bool SalesOrder::Process_Order() {
    return trapped([this] {
        if (text::isBlank(m_SalesOrdNo))
            return fail(msg::kInvalidSalesOrderNo);
        m_loadingForProcessing = true;
        if (!Get_Order())
            return false;
        const QString temporaryNo = text::trimBlanks(m_SalesOrdNo);
        Recordset master;
        master.open(QStringLiteral("Select * from  Sales_Order_Master  Where Sales_Ord_No=?"), {temporaryNo},
                    connection(), CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidSalesOrderNo);
        Recordset lines;
        lines.open(QStringLiteral("Select * from Sales_Order_Detail Where Sales_Ord_No=?"), {temporaryNo}, connection(),
                   CursorType::Static);
        if (lines.eof())
            return fail(msg::kInvalidTemporaryOrderNo);

        m_CompanyPrefix = master.text(u"Company_Prefix");
        m_BranchPrefix = master.text(u"Branch_Prefix");
        m_DocumentPrefix = documentPrefixOf(master.text(u"Sales_Ord_No"));
        const ProcessingMode mode = ProcessingMode::of(m_OnlineFlag, m_SyncFlag);
        if (mode.isSynchronisation())
            m_SalesOrdIdentity = master.integer(u"Sales_ord_Identity");

        DocumentIdentity identity(prefixes(), CounterUse::Form::OneArgument, m_DocManualFlag, m_DocIdentity);
        if (!identity.take(m_adoConnection, errDescTarget()))
            return false;
        renumber(master, lines, identity);

        if (mode.isOnline() && !GenerateDefaults())
            return false;
        if (!Update_Item_SORDQty(QStringLiteral("Increase")))
            return false;
        // A copy being synchronised does not move the counter on; a typed number always raises it.
        if (!identity.isManual() && !mode.advancesCounter())
            return true;
        return identity.finishOnOwnConnection(m_ADOConnectionString, connection(), errDescTarget());
    });
}

// The final number on the master (now processed) and on every line.
void SalesOrder::renumber(Recordset &master, Recordset &lines, const DocumentIdentity &identity) {
    const QString finalNo = identity.number();
    setFinalNumber(master, u"Sales_Ord_No", u"Sales_ord_Identity", finalNo, identity.value());
    master.setValue(u"process_Flag", 1);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    moveLinesToFinalNumber(lines, u"Sales_Ord_No", finalNo, m_LastUpdate);
    m_SalesOrdNo = finalNo;
}

bool SalesOrder::Update_Item_SORDQty(const QString &strType) {
    return trapped([&] {
        Recordset lines;
        lines.open(QStringLiteral("Select * from Sales_Order_Detail Where Sales_Ord_No=?"), {text::trimBlanks(m_SalesOrdNo)},
                   connection(), CursorType::Static);
        for (; !lines.eof(); lines.moveNext()) {
            const QString itemCode = lines.value(u"Item_Code").toString();
            if (itemCode.isEmpty())
                continue;
            const QString unitName = lines.value(u"Unit_Name").toString();
            // Missing factors count as 1 and are reported, without stopping the lines.
            double unitFactor = 1;
            {
                Recordset unit;
                unit.open(QStringLiteral("Select Unit_Qty From Item_Detail where Item_Detail.Item_Code =? and "
                                         "Item_Detail.Unit_Name=?"),
                          {itemCode, unitName}, connection(), CursorType::Static);
                if (!unit.eof())
                    unitFactor = unit.number(u"Unit_Qty");
                else
                    setErrDesc(msg::factorNotFound(itemCode.mid(2), unitName));
            }
            double baseFactor = 1;
            {
                Recordset base;
                base.open(QStringLiteral("Select Base_Qty From Item_Master_Detail where Item_Code =? and branch_prefix=?"),
                          {itemCode, m_BranchPrefix}, connection(), CursorType::Static);
                if (!base.eof())
                    baseFactor = base.number(u"base_Qty");
                else
                    setErrDesc(msg::factorNotFound(itemCode.mid(2), unitName));
            }
            const double quantity = lines.number(u"Sales_Ord_Ordered_Qty") * unitFactor * baseFactor;
            auto inventory = createObject<Inventory>(service_ids::kInventory);
            inventory->setAdoConnectionObject(&connection());
            inventory->setItemCode(itemCode);
            inventory->setItemQuantity(quantity);
            inventory->setBranchPrefix(m_BranchPrefix);
            if (!inventory->Update_Item_OrderedQty(strType))
                return fail(inventory->ErrDesc());
        }
        return true;
    });
}

bool SalesOrder::GenerateDefaults() {
    return trapped([this] {
        Recordset preferences;
        preferences.open(QStringLiteral("Select * from Default_Sales_Preferences Where  Branch_Prefix=?"),
                         {m_BranchPrefix}, connection(), CursorType::Static);
        if (preferences.eof())
            return fail(msg::kSetSalesPreferences);
        // A flag is asked for only when the payment type needs it; NULL is not true.
        auto isTrue = [&](QStringView column) { return columns::isTrue(preferences, column); };
        const QString cash = QStringLiteral("Cash");
        const QString credit = QStringLiteral("Credit");
        if (m_PaymentType == cash && isTrue(u"Cash_SO_Delivery_Flag") &&
            !Process_Delivery(cash, isTrue(u"Cash_SO_Cash_Memo_Flag")))
            return false;
        if (m_PaymentType == cash && isTrue(u"Cash_SO_Cash_Memo_Flag") &&
            !Process_CashMemo(cash, isTrue(u"Cash_SO_Delivery_Flag")))
            return false;
        if (m_PaymentType == credit && isTrue(u"Credit_SO_Delivery_Flag") && !Process_Delivery(credit, false))
            return false;
        if (m_PaymentType == credit && isTrue(u"Credit_SO_Invoice_Flag") && !Process_Invoice(credit))
            return false;
        return true;
    });
}

} // namespace orbsales
