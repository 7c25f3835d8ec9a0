#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbInventory.SalesLog: the sales history, one row per document line.
class SalesLog : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, SalesDocumentNo)
    ORB_SIBLING_PROPERTY(QString, CompanyPrefix)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_PROPERTY(QString, DocumentPrefix)
    ORB_SIBLING_PROPERTY(QString, RefDocumentPrefix)
    ORB_SIBLING_PROPERTY(QString, ItemCode)
    ORB_SIBLING_PROPERTY(QString, ItemName)
    ORB_SIBLING_PROPERTY(double, UnitCode)
    ORB_SIBLING_PROPERTY(QString, UnitName)
    ORB_SIBLING_PROPERTY(QString, PeriodType)
    ORB_SIBLING_PROPERTY(bool, FOC_Flag)
    ORB_SIBLING_PROPERTY(double, UnitQty)
    ORB_SIBLING_PROPERTY(double, SalesQty)
    ORB_SIBLING_PROPERTY(double, SalesItemAmount)
    ORB_SIBLING_PROPERTY(double, SalesUnitPrice)
    ORB_SIBLING_PROPERTY(double, InventoryValue)
    ORB_SIBLING_DATE_PROPERTY(SalesLogDate)
    ORB_SIBLING_PROPERTY(QString, SalesDocumentPrefix)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
    ORB_SIBLING_PROPERTY(QString, ProjNo)
public:
    using SiblingService::SiblingService;

    Q_INVOKABLE virtual bool Create_SalesLog() = 0;
};

} // namespace orbsales
