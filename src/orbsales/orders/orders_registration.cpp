#include "orbsales/frame/registrations.h"
#include "orbsales/orders/sales_order.h"
#include "orbsales/orders/sales_quotation.h"

namespace orbsales {

void registerOrderClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.SalesQuotation"), factoryOf<SalesQuotation>());
    registry.add(QStringLiteral("OrbSales.SalesOrder"), factoryOf<SalesOrder>());
}

} // namespace orbsales
