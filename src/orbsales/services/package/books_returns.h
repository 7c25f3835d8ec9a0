#pragma once

#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// What sales returns add to the checks of the books, one text per breach naming the lot, item,
// credit memo or source line and the two figures that disagree:
// - no purchase lot has sold more than it holds, or less than nothing;
// - for every item and branch that goods were returned to: the stock in hand equals what its
//   purchase lots still hold (when it has lots), and the stock value equals the opening value
//   plus the values of its stock movements;
// - every credit memo balances, in the home and the foreign currency, and credits the customer
//   with its amount; a processed one has moved the customer's receivable by that amount;
// - the returned quantity of every source line equals the processed return lines pointing at it.
void checkReturns(Connection &connection, QStringList &breaches);

} // namespace package
} // namespace orbsales
