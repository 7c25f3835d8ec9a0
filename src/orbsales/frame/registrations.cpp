#include "frame/registrations.h"

#include "frame/registry.h"

namespace orbsales {

void registerLibraryClasses(Registry &registry) {
    registerOrderClasses(registry);
    registerCustomerClasses(registry);
}

} // namespace orbsales
