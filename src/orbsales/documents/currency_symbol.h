#pragma once

#include <QString>

namespace orbsales {

class Connection;

// A document or customer takes the symbol of its currency from Currency_Master when the
// currency is there: `symbol` := its Currency_Symbol trimmed of blanks; otherwise it stays.
void takeCurrencySymbol(Connection &connection, const QString &currencyCode, QString &symbol);

} // namespace orbsales
