#include "data/currency_symbol.h"

#include "data/recordset.h"
#include "grid/numbers.h"

namespace orbsales {

void takeCurrencySymbol(Connection &connection, const QString &currencyCode, QString &symbol) {
    Recordset currency;
    currency.open(QStringLiteral("Select * from Currency_Master Where Currency_Code=?"), {currencyCode}, connection,
                  CursorType::Keyset);
    if (!currency.eof())
        symbol = numbers::trimBlanks(currency.text(u"Currency_Symbol"));
}

} // namespace orbsales
