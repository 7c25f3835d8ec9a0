#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbInventory.StockMovement: one line of the stock ledger per document line, goods going
// out ("OUT": OutQty, OutAmount, OutPrice) or coming in ("IN": InQty, InAmount, InPrice),
// quantities in base units. (The class cannot share its name with its action StockMovement.)
class StockMovementService : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, CompanyPrefix)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_PROPERTY(QString, DocumentPrefix)
    ORB_SIBLING_PROPERTY(QString, ItemCode)
    ORB_SIBLING_PROPERTY(QString, ItemName)
    ORB_SIBLING_PROPERTY(double, UnitCode)
    ORB_SIBLING_PROPERTY(QString, UnitName)
    ORB_SIBLING_PROPERTY(bool, FOC_Flag)
    ORB_SIBLING_PROPERTY(double, UnitQty)
    ORB_SIBLING_PROPERTY(QString, PeriodType)
    ORB_SIBLING_PROPERTY(double, OutQty)
    ORB_SIBLING_PROPERTY(double, OutAmount)
    ORB_SIBLING_PROPERTY(double, OutPrice)
    ORB_SIBLING_PROPERTY(double, InQty)
    ORB_SIBLING_PROPERTY(double, InAmount)
    ORB_SIBLING_PROPERTY(double, InPrice)
    ORB_SIBLING_PROPERTY(QString, DocumentNo)
    ORB_SIBLING_DATE_PROPERTY(DocumentDate)
    ORB_SIBLING_PROPERTY(QString, DocumentType)
    ORB_SIBLING_PROPERTY(qint32, LocationID)
    ORB_SIBLING_PROPERTY(QString, LocationName)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
    ORB_SIBLING_PROPERTY(QString, StockComments)
public:
    using SiblingService::SiblingService;

    // `baseQuantity`: the quantity moved in base units, passed by reference.
    Q_INVOKABLE virtual bool StockMovement(double &baseQuantity) = 0;
};

} // namespace orbsales
