#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbInventory.LocationStock: the quantity of an item at one stock location of a branch.
class LocationStock : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_PROPERTY(QString, CompanyPrefix)
    ORB_SIBLING_PROPERTY(QString, ItemCode)
    ORB_SIBLING_PROPERTY(QString, ItemName)
    ORB_SIBLING_PROPERTY(qint32, LocationCode)
    ORB_SIBLING_PROPERTY(QString, LocationName)
    // In the unit named by UnitName.
    ORB_SIBLING_PROPERTY(double, LocationQty)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
    ORB_SIBLING_PROPERTY(QString, UnitName)
public:
    using SiblingService::SiblingService;

    static constexpr qint16 kGoodsLeaving = 1;
    static constexpr qint16 kGoodsComingBack = 0;

    Q_INVOKABLE virtual bool UpdateLocationStock(qint16 direction) = 0;
};

} // namespace orbsales
