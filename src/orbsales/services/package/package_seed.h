#pragma once

namespace orbsales {
class Connection;
namespace package {

// The demo company's books: chart of accounts, preferences of both branches, items with their
// accounts and opening stock, so that documents can post. Called by the demo seed.
void seedPackageBooks(Connection &connection);

} // namespace package
} // namespace orbsales
