#pragma once

#include <QDateTime>
#include <QString>

namespace orbsales {
class Connection;
namespace package {

struct ItemRecord;

// The history of an item's ordered quantity in a branch: one Ordered_Qty_Movement row per
// change, signed ("Increase" adds, "Decrease" takes away), so that Item_Master_Detail's
// Ordered_Qty is always the sum of its movements and the books can check it.
void recordOrderedMovement(Connection &connection, const ItemRecord &item, const QString &branch, const QString &type,
                           double change, const QDateTime &when);

} // namespace package
} // namespace orbsales
