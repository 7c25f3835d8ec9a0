#pragma once

#include "orbsales/services/location_stock.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/stock_movement.h"

namespace orbsales::package {

// Stock in hand of an item in a branch (Item_Master_Detail.Stock_In_Hand, base units) and its
// value (Stock_Amount), valued at moving average cost: goods leave at Stock_Amount divided by
// Stock_In_Hand (all of the remaining value when the last of the stock leaves). The purchase
// lots (Purchase_Log) are consumed as well, oldest first (newest first for LIFO items), so
// that returns can give quantities back to them. Goods may leave beyond the stock in hand only
// where Default_Inventory_Preferences.Negative_Stock_Flag is set for the branch.
class PackageReduceStock : public ReduceStock {
    Q_OBJECT
public:
    using ReduceStock::ReduceStock;

    bool ReduceStockInHand(double quantity) override;
};

// Stock_Movement rows. The stock in hand itself is moved by ReduceStock (and by a return's own
// processing); the books check that both agree.
class PackageStockMovement : public StockMovementService {
    Q_OBJECT
public:
    using StockMovementService::StockMovementService;

    bool StockMovement(double &baseQuantity) override;
};

// Location_Stock rows: base units of an item at one location of a branch.
class PackageLocationStock : public LocationStock {
    Q_OBJECT
public:
    using LocationStock::LocationStock;

    bool UpdateLocationStock(qint16 direction) override;
};

} // namespace orbsales::package
