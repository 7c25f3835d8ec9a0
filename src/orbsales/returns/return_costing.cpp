#include "orbsales/returns/return_costing.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/values/text.h"

#include <algorithm>

namespace orbsales {

namespace {

// The lots sold out are read a few at a time: the most recent ones are nearly always enough.
constexpr int kClosedLotPage = 8;

struct Walk {
    double left = 0;
    double given = 0;
    double givenValue = 0;
};

double unitCostOf(Recordset &lot) {
    const double total = columns::numberOrZero(lot, u"Total_Purchase_Qty");
    return total == 0 ? 0 : columns::numberOrZero(lot, u"Purchase_Item_Amount") / total;
}

// Lowers the lot's Sold_Qty by what it can take of what is left. The statement itself lowers
// it: a sale drawing on the same lot at the same time adds its own quantity, which reading the
// lot and writing it back would lose.
void giveTo(Connection &connection, Recordset &lot, Walk &walk, const QVariant &stamp) {
    const double sold = columns::numberOrZero(lot, u"Sold_Qty");
    const double taken = std::min(sold, walk.left);
    if (taken <= 0)
        return;
    connection.execute(QStringLiteral("Update Purchase_Log Set Sold_Qty = COALESCE(Sold_Qty, 0) - ? Where Row_Id = ?"),
                       {taken, lot.value(u"Row_Id")});
    lot.setValue(u"Last_Update", stamp);
    lot.update();
    walk.left -= taken;
    walk.given += taken;
    walk.givenValue += taken * unitCostOf(lot);
}

} // namespace

std::optional<Costing> costingOf(const QString &costingType) {
    const QString type = text::trimBlanks(costingType);
    if (type == QLatin1String("FIFO"))
        return Costing::Fifo;
    if (type == QLatin1String("LIFO"))
        return Costing::Lifo;
    if (type == QLatin1String("AVEG"))
        return Costing::Average;
    return std::nullopt;
}

ReturnCost giveBackToLots(Connection &connection, const QString &itemCode, const QString &branch, Costing costing,
                          double quantity, double fallbackUnitCost, const QVariant &stamp) {
    const bool newestFirst = costing == Costing::Lifo;
    Walk walk{quantity};
    double openQuantity = 0;
    double openValue = 0;
    {
        Recordset lots;
        lots.open(QStringLiteral("Select * from Purchase_Log where Item_Code=? and branch_prefix=?") +
                      (newestFirst ? QStringLiteral(" And Total_Purchase_Qty - Sold_Qty > 0 Order by "
                                                    "Purchase_Log_Date Desc, Row_Id Desc")
                                   : QStringLiteral("  And Total_Purchase_Qty - Sold_Qty > 0 Order by "
                                                    "Purchase_Log_Date Asc, Row_Id Asc")),
                  {itemCode, branch}, connection, CursorType::Keyset);
        for (; !lots.eof(); lots.moveNext()) {
            const double unsold =
                columns::numberOrZero(lots, u"Total_Purchase_Qty") - columns::numberOrZero(lots, u"Sold_Qty");
            openQuantity += unsold;
            openValue += unsold * unitCostOf(lots);
            giveTo(connection, lots, walk, stamp);
            if (walk.left <= 0 && costing != Costing::Average)
                break; // the average needs every open lot
        }
    }
    // What the open lots could not take goes to the lots sold out last.
    const QString order = newestFirst ? QStringLiteral("Asc") : QStringLiteral("Desc");
    while (walk.left > 0) {
        Recordset lots;
        lots.open(QStringLiteral("Select * from Purchase_Log where Item_Code=? and branch_prefix=? And "
                                 "Total_Purchase_Qty - Sold_Qty <= 0 And Sold_Qty > 0 Order by Purchase_Log_Date %1, "
                                 "Row_Id %1 Limit %2")
                      .arg(order)
                      .arg(kClosedLotPage),
                  {itemCode, branch}, connection, CursorType::Keyset);
        if (lots.eof())
            break;
        for (; !lots.eof() && walk.left > 0; lots.moveNext())
            giveTo(connection, lots, walk, stamp);
    }

    ReturnCost cost;
    cost.givenToLots = walk.given;
    if (costing == Costing::Average) {
        const double average = openQuantity > 0 ? openValue / openQuantity
                               : walk.given > 0 ? walk.givenValue / walk.given
                                                : fallbackUnitCost;
        cost.value = quantity * average;
    } else {
        cost.value = walk.givenValue + walk.left * fallbackUnitCost;
    }
    return cost;
}

} // namespace orbsales
