#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbInventory.Inventory: the item master's services: the ordered quantity of an item in a
// branch, the item's ledger accounts, and its type.
class Inventory : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, ItemCode)
    ORB_SIBLING_PROPERTY(double, ItemQuantity)
    ORB_SIBLING_PROPERTY(QString, CompanyPrefix)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_OUTPUT(QString, InventoryAccountNo)
    ORB_SIBLING_OUTPUT(QString, COGSAccountNo)
    ORB_SIBLING_OUTPUT(QString, FOCAccountNo)
    ORB_SIBLING_OUTPUT(QString, SalesAccountNo)
    ORB_SIBLING_OUTPUT(QString, CashSalesAccount)
    // The item-type code as the item master holds it ("0" stock, "3" assembly, ...).
    ORB_SIBLING_OUTPUT(QString, ItemType)
public:
    using SiblingService::SiblingService;

    // "Increase" or "Decrease" the ordered quantity by ItemQuantity (base units).
    Q_INVOKABLE virtual bool Update_Item_OrderedQty(const QString &direction) = 0;
    Q_INVOKABLE virtual bool Get_Item_Account() = 0;
    Q_INVOKABLE virtual bool Get_Item_Type() = 0;
};

} // namespace orbsales
