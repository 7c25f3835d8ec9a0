#include "orbsales/documents/currency_symbol.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

void takeCurrencySymbol(Connection &connection, const QString &currencyCode, QString &symbol, QString *name) {
    Recordset currency;
    currency.open(QStringLiteral("Select * from Currency_Master Where Currency_Code=?"), {currencyCode}, connection,
                  CursorType::Keyset);
    if (currency.eof())
        return;
    if (name != nullptr)
        *name = columns::textOrEmpty(currency, u"Currency_Name");
    symbol = text::trimBlanks(currency.text(u"Currency_Symbol"));
}

} // namespace orbsales
