#pragma once

#include <QTextStream>

namespace orbsales {
class Connection;
namespace package {
struct Books;
}
namespace cli {

// What `orbsales books` and `orbsales verify` print, for the demonstration to end with too.

// The trial balance: every account with its opening, ledger debits and credits and balance.
void printTrialBalance(QTextStream &out, const package::Books &books);
// Each customer's balance per branch, in the home and the foreign currency.
void printReceivables(QTextStream &out, const package::Books &books);
// Each item per branch: opening, in, out, in hand, its value and the quantity on order.
void printStock(QTextStream &out, const package::Books &books);

// Whether the books hold together (every breach named), the documented differences apart, and
// the documents left half-done. Answers verify's exit code: kExitOk, kExitFailed on a breach,
// kExitHalfDone when the books hold but documents were left half-done.
int printVerdict(QTextStream &out, Connection &connection);

} // namespace cli
} // namespace orbsales
