#pragma once

#include "orbsales/services/package/chart_postings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// The books the package keeps, as structured data for printing and checking.

// One account of the trial balance. Its balance is the opening balance plus the postings
// moved into Posted_Balance; Debits and Credits are the sums of its ledger rows.
struct AccountLine {
    QString accountNo;
    QString name;
    QString type;
    double opening = 0;
    double posted = 0;
    double debits = 0;
    double credits = 0;
    double fcDebits = 0;
    double fcCredits = 0;
    double balance() const { return opening + posted; }
};

// One customer in one branch: the balances kept on Customer_Master_Balance and what the
// receivable rows of that customer and branch add up to.
struct CustomerBalanceLine {
    QString customerCode;
    QString name;
    QString branch;
    double balance = 0;
    double fcBalance = 0;
    double ledger = 0;
    double fcLedger = 0;
};

// One item in one branch.
struct StockLine {
    QString itemCode;
    QString name;
    QString branch;
    double opening = 0;
    double in = 0;
    double out = 0;
    double inHand = 0;
    double value = 0;
    double ordered = 0;
};

struct Books {
    QList<AccountLine> accounts;
    double debits = 0; // all ledger rows
    double credits = 0;
    double fcDebits = 0;
    double fcCredits = 0;
    QList<CustomerBalanceLine> receivables;
    QList<StockLine> stock;
};

Books readBooks(Connection &connection);

// Checks that the books hold together and answers one text per breach, naming the document,
// account, customer or item and the two figures that disagree; empty when all is well:
// - ledger debits equal credits, in the home and in the foreign currency, overall and per document
//   (a foreign-currency invoice's home-currency lines may miss each other by their conversion
//   roundings, listed apart: books_invoices.h);
// - each account's balance equals its opening balance plus its ledger rows, and no ledger row
//   is on an account outside the chart;
// - each customer's balance (overall and per branch, home and foreign) equals its receivable rows;
// - each item's stock in hand in a branch equals its opening stock plus its movements;
// - the customers' opening balances agree with their documents and the chart (books_openingbalances.h).
// - and what deliveries change: stock value, location stock, ordered quantities, delivered
//   quantities (checkDeliveryBooks).
// - the invoices' own checks (books_invoices.h), the returns' (books_returns.h);
// - no document number used twice, no lost line, no counter behind its documents (books_numbers.h).
QStringList verifyBooks(Connection &connection);

// What the package's own postings leave in the books on purpose, each with its amounts: a posting
// that moves a chart balance by another amount than its ledger line (a cash sale's line moves the
// chart by the gross amount of the line), or the customers' opening balances moving the chart's
// openings without a counter-entry. verifyBooks allows for these; they are listed apart, with
// their amounts, and are not breaches.
// Those recorded as posted (Chart_Difference, chart_postings.h) come first.
QList<DocumentedDifference> documentedDifferences(Connection &connection);

} // namespace package
} // namespace orbsales
