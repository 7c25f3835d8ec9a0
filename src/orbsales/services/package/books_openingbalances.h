#pragma once

#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// The customers' opening balances in the books. Their documents are the invoices and advance
// receipts whose receivable rows carry the opening-balance description, and the documents a
// processed opening item names.
//
// Breaches, one text each, naming the document or the branch and both figures:
// - an opening-balance invoice's receivable rows add up to its total as a debit, an advance
//   receipt's to its amount as a credit, in the home and in the foreign currency; receivable rows
//   without either document are named;
// - in a branch holding opening-balance documents, the chart's opening balances add up to what
//   those documents' receivable rows do: the opening balances of a branch balance but for the
//   customers' opening balances, which move the receivable and advance-receipt accounts' openings
//   without a counter-entry.
void checkOpeningBalances(Connection &connection, QStringList &breaches);

// That move without a counter-entry, per branch where it holds: listed with its amount as a
// documented difference, never as a breach.
QStringList openingBalanceDifferences(Connection &connection);

} // namespace package
} // namespace orbsales
