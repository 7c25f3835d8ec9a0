#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orbsales {
class Connection;
namespace package {

// What deliveries change beyond the ledger and the stock in hand, as the books show it.

// One item at one stock location of a branch: its opening quantity, the movements made there
// and the quantity Location_Stock holds.
struct LocationLine {
    QString itemCode;
    QString branch;
    int locationId = 0;
    QString locationName;
    double opening = 0;
    double in = 0;
    double out = 0;
    double quantity = 0;
};

// One project: the revenue and cost lines posted to it.
struct ProjectLine {
    QString projectNo;
    int lines = 0;
    double debits = 0;
    double credits = 0;
};

// One customer's price for an item and unit, with the last price the customer was charged.
struct CustomerPriceLine {
    QString customerCode;
    QString itemCode;
    QString unitName;
    double sellingPrice = 0;
    double lastSellingPrice = 0;
};

struct DeliveryBooks {
    QList<LocationLine> locations;
    QList<ProjectLine> projects;
    QList<CustomerPriceLine> prices;
};

DeliveryBooks readDeliveryBooks(Connection &connection);

// Adds one text per breach to `breaches`, naming what disagrees and both figures:
// - each item's stock value in a branch equals its opening value plus its movements' amounts;
// - each location's stock equals its opening quantity plus the movements made there, and no
//   movements are made at a location without a location stock row;
// - each item's ordered quantity in a branch equals the sum of its ordered-quantity movements;
// - the delivered quantity of each sales order line equals the processed delivery lines that
//   point at it; a cash memo line's delivered quantity is at least what processed deliveries
//   added to it, and beyond that at most what the memo sold (the memo hands goods over too);
// - a processed delivery or direct delivery that moved stock moved it at the inventory value
//   of its stock lines.
void checkDeliveryBooks(Connection &connection, QStringList &breaches);

} // namespace package
} // namespace orbsales
