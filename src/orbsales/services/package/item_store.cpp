#include "orbsales/services/package/item_store.h"

#include "orbsales/data/connection.h"

namespace orbsales::package {

namespace {

const QString kAccountColumns =
    QStringLiteral("Inventory_Account_No, COGS_Account_No, FOC_Account_No, Sales_Account_No, Cash_Sales_Account_No");

ItemAccounts accountsFrom(const QVariantList &row, int first) {
    ItemAccounts accounts;
    for (int i = 0; i < kItemAccounts; ++i)
        accounts[static_cast<size_t>(i)] = row.at(first + i).toString().trimmed();
    return accounts;
}

} // namespace

std::optional<ItemRecord> findItem(Connection &connection, const QString &itemCode) {
    const Connection::Result found = connection.selectReference(
        QStringLiteral("Select Item_Code, Item_Name, Company_Prefix, Item_Type, Costing_Type, Unit_Name, %1 "
                       "from Item_Master Where Item_Code = ?")
            .arg(kAccountColumns),
        {itemCode});
    if (found.rows.isEmpty())
        return std::nullopt;
    const QVariantList &row = found.rows.first();
    return ItemRecord{row.at(0).toString(),
                      row.at(1).toString(),
                      row.at(2).toString(),
                      row.at(3).toString().trimmed(),
                      row.at(4).toString().trimmed(),
                      row.at(5).toString().trimmed(),
                      accountsFrom(row, 6)};
}

std::optional<BranchItem> findBranchItem(Connection &connection, const QString &itemCode, const QString &branch) {
    const Connection::Result found = connection.select(
        QStringLiteral("Select COALESCE(Stock_In_Hand, 0), COALESCE(Stock_Amount, 0), %1 from Item_Master_Detail "
                       "Where Item_Code = ? and Branch_Prefix = ?")
            .arg(kAccountColumns),
        {itemCode, branch});
    if (found.rows.isEmpty())
        return std::nullopt;
    const QVariantList &row = found.rows.first();
    return BranchItem{row.at(0).toDouble(), row.at(1).toDouble(), accountsFrom(row, 2)};
}

std::optional<double> unitFactor(Connection &connection, const ItemRecord &item, const QString &unit) {
    const Connection::Result factor = connection.selectReference(
        QStringLiteral("Select Unit_Qty from Item_Detail Where Item_Code = ? and Unit_Name = ?"), {item.code, unit});
    if (!factor.rows.isEmpty() && !factor.rows.first().first().isNull())
        return factor.rows.first().first().toDouble();
    if (!unit.isEmpty() && unit.compare(item.baseUnit, Qt::CaseInsensitive) == 0)
        return 1.0;
    return std::nullopt;
}

bool carriesStock(const QString &itemType) {
    return itemType == QStringLiteral("0") || itemType == QStringLiteral("3");
}

} // namespace orbsales::package
