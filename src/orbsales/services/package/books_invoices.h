#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// The books' checks of sales invoices, one text per breach:
// - each delivery line's and direct delivery line's Invoiced_Qty equals the invoiced quantities
//   of the processed, uncancelled invoice lines that bill it;
// - a cancelled invoice leaves no ledger row, receivable row or chart difference behind.
void checkInvoices(Connection &connection, QStringList &breaches);

// A processed invoice in a foreign currency converts each of its sales lines into the home
// currency, and apart from them its discount and its total (the receivable), each rounded: its
// home-currency ledger lines may miss each other by those roundings. Each converted amount was
// rounded twice, in the foreign currency (half a cent, which the rate multiplies) and after
// conversion (half a cent): at most half a cent times (rate + 1) per converted line. The books
// list such an invoice with its amount; a difference beyond that bound is a breach.
struct ConversionRounding {
    QString documentNo;
    QString currency;
    double net = 0;   // home-currency debits less credits of the invoice's ledger lines
    int converted = 0; // how many ledger lines were converted
    QString text() const;
};
QList<ConversionRounding> conversionRoundings(Connection &connection);

} // namespace package
} // namespace orbsales
