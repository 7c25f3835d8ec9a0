#include "orbsales/services/package/ordered_movements.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/item_store.h"

namespace orbsales::package {

void recordOrderedMovement(Connection &connection, const ItemRecord &item, const QString &branch, const QString &type,
                           double change, const QDateTime &when) {
    connection.execute(QStringLiteral("Insert into Ordered_Qty_Movement (Item_Code, Company_Prefix, Branch_Prefix, "
                                      "Movement_Type, Quantity, Last_Update) values (?, ?, ?, ?, ?, ?)"),
                       {item.code, item.company, branch, type, change, when});
}

} // namespace orbsales::package
