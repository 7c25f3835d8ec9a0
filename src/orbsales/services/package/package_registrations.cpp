#include "orbsales/frame/registrations.h"
#include "orbsales/frame/registry.h"
#include "orbsales/services/package/package_counter.h"
#include "orbsales/services/package/package_inventory.h"
#include "orbsales/services/package/package_ledger.h"
#include "orbsales/services/package/package_records.h"
#include "orbsales/services/package/package_stock.h"
#include "orbsales/services/package/package_system.h"
#include "orbsales/services/package/package_voucher.h"
#include "orbsales/services/service_ids.h"

namespace orbsales {

void registerPackageServices(Registry &registry) {
    namespace ids = service_ids;
    registry.add(ids::kCounterTransaction, factoryOf<package::PackageCounter>());
    registry.add(ids::kGeneral, factoryOf<package::PackageGeneral>());
    registry.add(ids::kCurrency, factoryOf<package::PackageCurrency>());
    registry.add(ids::kGeneralLedger, factoryOf<package::PackageGeneralLedger>());
    registry.add(ids::kAccountsReceivable, factoryOf<package::PackageAccountsReceivable>());
    registry.add(ids::kInventory, factoryOf<package::PackageInventory>());
    registry.add(ids::kStockMovement, factoryOf<package::PackageStockMovement>());
    registry.add(ids::kLocationStock, factoryOf<package::PackageLocationStock>());
    registry.add(ids::kReduceStock, factoryOf<package::PackageReduceStock>());
    registry.add(ids::kSalesLog, factoryOf<package::PackageSalesLog>());
    registry.add(ids::kProjectTransaction, factoryOf<package::PackageProjectTransaction>());
    registry.add(ids::kPDC, factoryOf<package::PackagePDC>());
    registry.add(ids::kDebitCreditNote, factoryOf<package::PackageDebitCreditNote>());
}

} // namespace orbsales
