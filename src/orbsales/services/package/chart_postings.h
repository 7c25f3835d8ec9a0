#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace orbsales {
class Connection;
namespace package {

// Ledger lines whose balance moved by another amount than the line (Chart_Difference). Every
// posting writes a ledger line and then moves the account's balance; most move it by the line's
// own amount, but a few recipes move it by another one (an invoice's sales line credits its
// rounded amount and moves the chart by quantity x price). Such a line is kept with both amounts,
// as it was posted, so that the books list it apart from breaches (later changes to the ledger
// rows still show as breaches) and taking the document back takes back what was moved.

void recordChartDifference(Connection &connection, const QString &documentNo, const QString &accountNo,
                           double ledgerAmount, double chartAmount, const QVariant &stamp);

// Removes the document's ledger lines and its chart differences, and takes back out of each
// account's balance what was moved for the document: its ledger rows' net and the differences.
void takeBackDocument(Connection &connection, const QString &documentNo, const QVariant &stamp);

// One document's difference on one account, the sums of its lines there, with the reason when
// the rule that made it can say more than the two amounts.
struct DocumentedDifference {
    QString documentNo;
    QString accountNo;
    double ledger = 0; // what its ledger lines were posted with (debit - credit)
    double chart = 0;  // what their postings moved the balance by
    QString reason;
    double difference() const { return chart - ledger; }
    // "Document D, account A: ledger rows -91.81, chart moved by -91.8125 (difference -0.0025)",
    // or the reason with the difference when there is one.
    QString text() const;
};
// The differences recorded in Chart_Difference as the postings were made.
QList<DocumentedDifference> recordedDifferences(Connection &connection);

} // namespace package
} // namespace orbsales
