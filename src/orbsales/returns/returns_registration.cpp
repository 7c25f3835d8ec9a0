#include "orbsales/frame/registrations.h"
#include "orbsales/returns/sales_return.h"

namespace orbsales {

void registerReturnClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.SalesReturn"), factoryOf<SalesReturn>());
}

} // namespace orbsales
