#include "orbsales/cashmemos/cash_memo.h"
#include "orbsales/frame/registrations.h"

namespace orbsales {

void registerCashMemoClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.CashMemo"), factoryOf<CashMemo>());
}

} // namespace orbsales
