#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbInventory.ReduceStock: takes goods out of the stock in hand of a branch at their cost.
// Afterwards ItemType is the item's type code, TotalQty the quantity taken in base units and
// SellingValue the cost of that quantity (the value the documents post to the ledger).
class ReduceStock : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_PROPERTY(QString, ItemCode)
    ORB_SIBLING_PROPERTY(QString, UnitName)
    ORB_SIBLING_PROPERTY(QString, PeriodType)
    ORB_SIBLING_PROPERTY(double, UnitPrice)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
    ORB_SIBLING_OUTPUT(qint16, ItemType)
    ORB_SIBLING_OUTPUT(double, SellingValue)
    ORB_SIBLING_OUTPUT(double, TotalQty)
public:
    using SiblingService::SiblingService;

    // `quantity` in the unit named by UnitName; a negative quantity puts goods back.
    Q_INVOKABLE virtual bool ReduceStockInHand(double quantity) = 0;
};

} // namespace orbsales
