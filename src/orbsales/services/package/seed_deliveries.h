#pragma once

#include <QString>

namespace orbsales {
class Connection;
namespace package {

// What deliveries need of the demo company beyond the books: each branch's opening stock at a
// stock location of its own, and assembly items posted to the ledger in the head office only,
// so that both ways of an assembly line run on the demo database. Called after the books.
void seedDeliveryBooks(Connection &connection);

// The stock location of a demo branch, where its opening stock lies.
struct StockLocation {
    int id = 0;
    QString name;
};
StockLocation demoLocation(const QString &branch);

} // namespace package
} // namespace orbsales
