#include "orbsales/frame/registrations.h"

#include "orbsales/frame/registry.h"

namespace orbsales {

void registerLibraryClasses(Registry &registry) {
    registerOrderClasses(registry);
    registerCustomerClasses(registry);
    registerDeliveryClasses(registry);
    registerCashMemoClasses(registry);
    registerInvoiceClasses(registry);
    registerReturnClasses(registry);
}

} // namespace orbsales
