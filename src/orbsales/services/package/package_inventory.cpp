#include "orbsales/services/package/package_inventory.h"

#include "orbsales/services/package/item_store.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/services/package/ordered_movements.h"

#include <QDateTime>

namespace orbsales::package {

namespace msg = messages;

bool PackageInventory::Update_Item_OrderedQty(const QString &direction) {
    return trapped([&] {
        const QString way = direction.trimmed();
        const bool increase = way.compare(QStringLiteral("Increase"), Qt::CaseInsensitive) == 0;
        if (!increase && way.compare(QStringLiteral("Decrease"), Qt::CaseInsensitive) != 0)
            return fail(msg::invalidDirection(direction));
        if (!usableNumber(ItemQuantity()))
            return fail(msg::notANumber(QStringLiteral("ItemQuantity")));
        if (ItemQuantity() < 0)
            return fail(msg::negative(QStringLiteral("ItemQuantity"), figure(ItemQuantity())));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<ItemRecord> item = findItem(db.get(), ItemCode());
        if (!item)
            return fail(msg::unknownItem(ItemCode()));
        if (!findBranchItem(db.get(), ItemCode(), BranchPrefix()))
            return fail(msg::itemNotInBranch(ItemCode(), BranchPrefix()));
        // A decrease below 0 is carried, not clamped: an order converted in full lowers its
        // quantities (its delivery) before it raises them (its own processing), and a clamp
        // would leave them raised for good. Each change is kept as a movement, so that the
        // books can tell the quantity from its history.
        const double change = increase ? ItemQuantity() : -ItemQuantity();
        const QDateTime now = QDateTime::currentDateTime();
        WriteUnit unit(db.get());
        db->execute(QStringLiteral("Update Item_Master_Detail Set Ordered_Qty = COALESCE(Ordered_Qty, 0) + ?, "
                                   "Last_Update = ? Where Item_Code = ? and Branch_Prefix = ?"),
                    {change, now, ItemCode(), BranchPrefix()});
        recordOrderedMovement(db.get(), *item, BranchPrefix(), increase ? QStringLiteral("Increase")
                                                                        : QStringLiteral("Decrease"),
                              change, now);
        unit.commit();
        return true;
    });
}

namespace {

struct PreferenceSource {
    const char *table;
    const char *column;
};

// Where the branch default of each item account is kept, in ItemAccount order.
constexpr PreferenceSource kDefaults[kItemAccounts] = {
    {"Default_Inventory_Preferences", "Inventory_Account_No"}, {"Default_Sales_Preferences", "COG_Account_No"},
    {"Default_Sales_Preferences", "FOC_Account_No"},           {"Default_Sales_Preferences", "Credit_Sales_Account_No"},
    {"Default_Sales_Preferences", "Cash_Sales_Account_No"},
};

} // namespace

void PackageInventory::report(const ItemAccounts &accounts) {
    auto at = [&accounts](ItemAccount which) { return accounts[static_cast<size_t>(which)]; };
    reportInventoryAccountNo(at(ItemAccount::Inventory));
    reportCOGSAccountNo(at(ItemAccount::CostOfGoods));
    reportFOCAccountNo(at(ItemAccount::FreeOfCost));
    reportSalesAccountNo(at(ItemAccount::Sales));
    reportCashSalesAccount(at(ItemAccount::CashSales));
}

bool PackageInventory::Get_Item_Account() {
    return trapped([this] {
        report({});
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<ItemRecord> item = findItem(db.get(), ItemCode());
        if (!item)
            return fail(msg::unknownItem(ItemCode()));
        const QString company = CompanyPrefix().isEmpty() ? item->company : CompanyPrefix();
        const std::optional<BranchItem> branch = findBranchItem(db.get(), ItemCode(), BranchPrefix());
        ItemAccounts accounts = item->accounts;
        for (int i = 0; i < kItemAccounts; ++i) {
            const size_t at = static_cast<size_t>(i);
            if (branch && !branch->accounts[at].isEmpty())
                accounts[at] = branch->accounts[at];
            if (!accounts[at].isEmpty())
                continue;
            const QString table = QString::fromLatin1(kDefaults[i].table);
            const Connection::Result defaults =
                db->selectReference(QStringLiteral("Select %1 from %2 Where Company_Prefix = ? and Branch_Prefix = ?")
                               .arg(QString::fromLatin1(kDefaults[i].column), table),
                           {company, BranchPrefix()});
            // Without the branch's preference row the account stays empty: the caller that
            // needs it reports it in its own words, and one that does not is not stopped.
            if (!defaults.rows.isEmpty())
                accounts[at] = defaults.rows.first().first().toString().trimmed();
        }
        report(accounts);
        return true;
    });
}

bool PackageInventory::Get_Item_Type() {
    return trapped([this] {
        reportItemType(QString());
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<ItemRecord> item = findItem(db.get(), ItemCode());
        if (!item)
            return fail(msg::unknownItem(ItemCode()));
        reportItemType(item->type);
        return true;
    });
}

} // namespace orbsales::package
