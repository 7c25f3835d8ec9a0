#include "orbsales/customers/customer.h"
#include "orbsales/customers/customer_addresses.h"
#include "orbsales/customers/customer_ob.h"
#include "orbsales/customers/customer_price_list.h"
#include "orbsales/frame/registrations.h"

namespace orbsales {

void registerCustomerClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.Customer"), factoryOf<Customer>());
    registry.add(QStringLiteral("OrbSales.CustomerAddress"), factoryOf<CustomerAddress>());
    registry.add(QStringLiteral("OrbSales.CustomerAddresses"), factoryOf<CustomerAddresses>());
    registry.add(QStringLiteral("OrbSales.CustomerPriceList"), factoryOf<CustomerPriceList>());
    registry.add(QStringLiteral("OrbSales.CustomerOB"), factoryOf<CustomerOB>());
}

} // namespace orbsales
