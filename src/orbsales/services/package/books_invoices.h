#pragma once

#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// The books' checks of sales invoices, one text per breach:
// - each delivery line's and direct delivery line's Invoiced_Qty equals the invoiced quantities
//   of the processed, uncancelled invoice lines that bill it;
// - a cancelled invoice leaves no ledger row, receivable row or chart difference behind.
void checkInvoices(Connection &connection, QStringList &breaches);

} // namespace package
} // namespace orbsales
