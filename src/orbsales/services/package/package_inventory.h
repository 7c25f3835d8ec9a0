#pragma once

#include "orbsales/services/inventory.h"
#include "orbsales/services/package/item_store.h"

namespace orbsales::package {

// The item master's services. An item's accounts come, each on its own, from the item's row
// for the branch (Item_Master_Detail), else from the item (Item_Master), else from the
// branch's defaults: Inventory_Account_No of Default_Inventory_Preferences; COG_Account_No,
// FOC_Account_No, Credit_Sales_Account_No and Cash_Sales_Account_No of
// Default_Sales_Preferences. An account still empty after that is answered empty.
class PackageInventory : public Inventory {
    Q_OBJECT
public:
    using Inventory::Inventory;

    bool Update_Item_OrderedQty(const QString &direction) override;
    bool Get_Item_Account() override;
    bool Get_Item_Type() override;

private:
    void report(const ItemAccounts &accounts);
};

} // namespace orbsales::package
