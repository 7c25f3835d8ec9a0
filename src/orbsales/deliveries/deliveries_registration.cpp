#include "orbsales/deliveries/delivery.h"
#include "orbsales/deliveries/direct_delivery.h"
#include "orbsales/frame/registrations.h"

namespace orbsales {

void registerDeliveryClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.Delivery"), factoryOf<Delivery>());
    registry.add(QStringLiteral("OrbSales.DirectDelivery"), factoryOf<DirectDelivery>());
}

} // namespace orbsales
