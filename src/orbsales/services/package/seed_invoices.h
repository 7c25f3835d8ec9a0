#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace orbsales {
class Connection;
namespace package {

// Deliveries waiting for their invoice: a delivery note or a direct delivery that is processed,
// written straight into its tables. The demo company starts with a few, and the demonstration
// and the benchmark add their own, until the delivery documents make them.
struct OpenDeliveryLine {
    QString itemCode; // as stored, company prefix included
    QString itemName;
    QString unitName;
    QString periodType; // empty: none
    double quantity = 0;
    double fcPrice = 0; // in the delivery's currency
    double price = 0;   // in the home currency
};

struct OpenDelivery {
    bool direct = false; // a direct delivery, else a delivery note
    QString number;
    qint32 identity = 0;
    QString company;
    QString branch;
    QString customerCode;
    QString customerName;
    QString currencyCode;
    QString currencySymbol;
    double exchangeRate = 1;
    QDateTime date;
    std::vector<OpenDeliveryLine> lines;
};

// The master row (processed, not invoiced, not paid) and one line per entry, each with the next
// line serial of its table.
void writeOpenDelivery(Connection &connection, const OpenDelivery &delivery);

// The demo company's: Harbour Imports Inc. (01C003, in US dollars) has delivery note 1 of the
// head office (two lines) and of branch B2 (one line) and direct delivery 2 of the head office
// (installation hours) to be invoiced; the counters are moved past them.
void seedOpenDeliveries(Connection &connection);

} // namespace package
} // namespace orbsales
