#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace orbsales {

class Connection;

// How returned goods are valued: by the item's Costing_Type ("FIFO", "LIFO", "AVEG").
enum class Costing { Fifo, Lifo, Average };
// The costing of a Costing_Type text (blanks around it ignored); nullopt for anything else.
std::optional<Costing> costingOf(const QString &costingType);

// What a returned quantity gave back to the purchase lots and what it is worth.
struct ReturnCost {
    double value = 0;          // unrounded
    double givenToLots = 0;    // base units put back into lots
};

// Gives `quantity` base units of an item back to its purchase lots in the branch and answers
// their cost:
// - the walk goes over the item's open lots (some quantity still unsold) oldest first, newest
//   first for LIFO, lowering each lot's Sold_Qty by at most what it sold;
// - what the open lots cannot take goes back to the lots sold out most recently (newest first
//   for FIFO and average, oldest first for LIFO), again up to what each sold;
// - FIFO and LIFO value each unit at the unit cost (Purchase_Item_Amount / Total_Purchase_Qty)
//   of the lot it went back to; average values the whole quantity at the weighted average unit
//   cost of the open lots (weighted by their unsold quantity, before the return), or of the
//   lots it went back to when no lot is open;
// - a quantity no lot sold (nothing to give back to) is valued at `fallbackUnitCost`, the
//   branch's average cost of the stock in hand.
ReturnCost giveBackToLots(Connection &connection, const QString &itemCode, const QString &branch, Costing costing,
                          double quantity, double fallbackUnitCost, const QVariant &stamp);

} // namespace orbsales
