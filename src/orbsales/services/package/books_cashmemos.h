#pragma once

#include "orbsales/services/package/books.h"

#include <QList>
#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// The checks of `orbsales verify` on cash memos, for every memo that has been posted (its
// Posting_Digits set) and is not cancelled:
// - its sales ledger lines come to what its lines say (amount plus line discount; a returned
//   point-of-sale line as its gross amount, debited), its discount line to the lines' discounts
//   plus the header discount;
// - a cash memo moves its branch's cash memo account by its total; a cheque or card memo has a
//   receivable row and a receivable ledger line of its total, and exactly one cheque record of
//   its total; no other memo has a cheque record;
// - its stock movements come to the base quantities of its stock lines, their value to the lines'
//   inventory value (within the memo's rounding) and to its inventory ledger lines.
// Breaches name the memo and the two figures that disagree.
void checkCashMemos(Connection &connection, QStringList &breaches);

} // namespace package
} // namespace orbsales
