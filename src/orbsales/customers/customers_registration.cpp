#include "customers/customer.h"
#include "customers/customer_address.h"
#include "customers/customer_price_list.h"
#include "frame/registrations.h"

namespace orbsales {

void registerCustomerClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.Customer"), factoryOf<Customer>());
    registry.add(QStringLiteral("OrbSales.CustomerAddress"), factoryOf<CustomerAddress>());
    registry.add(QStringLiteral("OrbSales.CustomerAddresses"), factoryOf<CustomerAddresses>());
    registry.add(QStringLiteral("OrbSales.CustomerPriceList"), factoryOf<CustomerPriceList>());
}

} // namespace orbsales
