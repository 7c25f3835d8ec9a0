#pragma once

#include <QTextStream>

namespace orbsales {
class Connection;
namespace cli {

// The part of `orbsales books` that shows what deliveries change beyond the trial balance and
// the stock: location stock, project lines and the customers' last selling prices.
void printDeliveryBooks(QTextStream &out, Connection &connection);

} // namespace cli
} // namespace orbsales
