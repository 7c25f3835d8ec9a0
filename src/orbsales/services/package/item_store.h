#pragma once

#include <QString>
#include <array>
#include <optional>

namespace orbsales {
class Connection;
namespace package {

// The item master as our inventory components read it.

// The five ledger accounts of an item, in this order.
enum class ItemAccount { Inventory, CostOfGoods, FreeOfCost, Sales, CashSales };
inline constexpr int kItemAccounts = 5;
using ItemAccounts = std::array<QString, kItemAccounts>;

struct ItemRecord {
    QString code;
    QString name;
    QString company;
    QString type; // trimmed Item_Type
    QString costing;
    QString baseUnit;
    ItemAccounts accounts; // trimmed; empty when not set
};

struct BranchItem {
    double stockInHand = 0;
    double stockAmount = 0;
    ItemAccounts accounts;
};

std::optional<ItemRecord> findItem(Connection &connection, const QString &itemCode);
std::optional<BranchItem> findBranchItem(Connection &connection, const QString &itemCode, const QString &branch);
// Base units in one `unit` of the item (Item_Detail); the item's base unit counts 1 even
// without a row of its own. Nothing when the item has no such unit.
std::optional<double> unitFactor(Connection &connection, const ItemRecord &item, const QString &unit);
// Item types "0" (stock) and "3" (assembly) carry stock; the others do not.
bool carriesStock(const QString &itemType);

} // namespace package
} // namespace orbsales
