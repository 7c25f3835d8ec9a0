#pragma once

#include "orbsales/frame/registry.h"

#include <memory>

namespace orbsales {

// The library's own classes under "OrbSales.<Class>". Explicit lists, so nothing depends on
// static initialisers surviving the linker; each subsystem registers its classes in its folder.
void registerLibraryClasses(Registry &registry);
void registerOrderClasses(Registry &registry);
void registerCustomerClasses(Registry &registry);
void registerDeliveryClasses(Registry &registry);
void registerCashMemoClasses(Registry &registry);
void registerInvoiceClasses(Registry &registry);
void registerReturnClasses(Registry &registry);
// Our implementations of the package's sibling components.
void registerPackageServices(Registry &registry);

template <typename T> Registry::Factory factoryOf() {
    return [] { return std::unique_ptr<QObject>(new T); };
}

} // namespace orbsales
