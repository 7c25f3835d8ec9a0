#pragma once

#include <QString>

namespace orbsales {

class Connection;

// A document or customer takes the symbol of its currency from Currency_Master when the
// currency is there: `symbol` := its Currency_Symbol trimmed of blanks; otherwise it stays.
// With `name`, the same row's Currency_Name is kept there too (NULL as the empty text; left as it
// is when there is no row).
void takeCurrencySymbol(Connection &connection, const QString &currencyCode, QString &symbol,
                        QString *name = nullptr);

} // namespace orbsales
