#include "orbsales/frame/registrations.h"

#include "orbsales/frame/registry.h"

namespace orbsales {

void registerLibraryClasses(Registry &registry) {
    registerOrderClasses(registry);
    registerCustomerClasses(registry);
    registerReturnClasses(registry);
}

} // namespace orbsales
