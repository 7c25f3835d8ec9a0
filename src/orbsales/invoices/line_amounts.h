#pragma once

#include <QString>

// The arithmetic of an invoice line offered from a delivery line, as small pure functions.
namespace orbsales::invoice_amounts {

// What is still to bill on a delivery line: delivered less invoiced; with re-invoicing of hired
// goods on, what was returned is deducted too. May be negative (more invoiced than delivered).
double openQuantity(double delivered, double invoiced, double returned, bool reinvoicing);

// The open quantity as the grid shows it: a negative one as 0.
double shownQuantity(double open);

// Whether a line is amounted by its quantity: its unit cell holds no period type ("Nos"), or the
// period after the first "-" is exactly "Daily" or "Hourly". Any other period keeps the amount
// stored on the delivery line.
bool amountedByQuantity(const QString &unitCell);

// The line amount offered for a delivery line: (price - discount) x quantity when amounted by
// quantity, else the stored amount; a negative result is replaced by the absolute value of
// (price - discount) x quantity.
double lineAmount(const QString &unitCell, double price, double discount, double quantity, double storedAmount);

} // namespace orbsales::invoice_amounts
