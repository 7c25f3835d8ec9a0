#pragma once

namespace orbsales {
class Connection;
namespace package {

// What the demo company needs for sales returns, added after the package's books: three stock
// items costed FIFO, LIFO and by average, each bought in three lots at different unit costs.
void seedReturns(Connection &connection);
// The history `init` gives the demo company: one processed direct sales invoice of the three
// items to Gulf Builders Co. to return goods against.
void seedReturnHistory(Connection &connection);

} // namespace package
} // namespace orbsales
