#include "orbsales/services/package/seed_deliveries.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"

#include <QDateTime>

namespace orbsales::package {

StockLocation demoLocation(const QString &branch) {
    if (branch == demo::kSecondBranch)
        return {2, QStringLiteral("Branch Store")};
    return {1, QStringLiteral("Main Warehouse")};
}

void seedDeliveryBooks(Connection &connection) {
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString &branch : demo::branches()) {
        const StockLocation location = demoLocation(branch);
        // The branch's opening stock lies at its location.
        connection.execute(
            QStringLiteral("Insert into Location_Stock (Company_Prefix, Branch_Prefix, Item_Code, Item_Name, "
                           "Location_ID, Location_Name, Location_Qty, Opening_Qty, Last_Update) "
                           "Select D.Company_Prefix, D.Branch_Prefix, D.Item_Code, I.Item_Name, ?, ?, D.Opening_Stock, "
                           "D.Opening_Stock, ? from Item_Master_Detail D, Item_Master I Where I.Item_Code = D.Item_Code "
                           "and D.Company_Prefix = ? and D.Branch_Prefix = ? and D.Opening_Stock > 0"),
            {location.id, location.name, now, demo::kCompany, branch});
    }
    connection.execute(QStringLiteral("Update Default_Inventory_Preferences Set AssemblyItemAc_Posting = 0 "
                                      "Where Company_Prefix = ? and Branch_Prefix = ?"),
                       {demo::kCompany, demo::kSecondBranch});
}

} // namespace orbsales::package
