#include "orbsales/services/package/package_stock.h"

#include "orbsales/data/recordset.h"
#include "orbsales/services/package/item_store.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"

#include <cmath>

namespace orbsales::package {

namespace msg = messages;

namespace {

bool negativeStockAllowed(Connection &connection, const QString &company, const QString &branch) {
    return connection
               .scalar(QStringLiteral("Select Negative_Stock_Flag from Default_Inventory_Preferences "
                                      "Where Company_Prefix = ? and Branch_Prefix = ?"),
                       {company, branch})
               .toInt() != 0;
}

// The cost of one base unit when there is no stock to average over: the last purchase lot.
double lastLotCost(Connection &connection, const QString &item, const QString &branch) {
    const Connection::Result lot = connection.select(
        QStringLiteral("Select Purchase_Item_Amount, Total_Purchase_Qty from Purchase_Log Where Item_Code = ? and "
                       "Branch_Prefix = ? and Total_Purchase_Qty > 0 Order by Purchase_Log_Date Desc, Row_Id Desc"),
        {item, branch});
    if (lot.rows.isEmpty())
        return 0;
    return lot.rows.first().at(0).toDouble() / lot.rows.first().at(1).toDouble();
}

// Takes `quantity` (base units) from the lots, or gives a negative quantity back to the lots
// most recently drawn on.
void drawOnLots(Connection &connection, const ItemRecord &item, const QString &branch, double quantity,
                const QVariant &stamp) {
    const bool taking = quantity > 0;
    const bool newestFirst = taking == (item.costing.compare(QStringLiteral("LIFO"), Qt::CaseInsensitive) == 0);
    const QString order = newestFirst ? QStringLiteral("Desc") : QStringLiteral("Asc");
    const QString open = taking ? QStringLiteral("Total_Purchase_Qty - COALESCE(Sold_Qty, 0) > 0")
                                : QStringLiteral("COALESCE(Sold_Qty, 0) > 0");
    Recordset lots;
    lots.open(QStringLiteral("Select * from Purchase_Log Where Item_Code = ? and Branch_Prefix = ? and %1 "
                             "Order by Purchase_Log_Date %2, Row_Id %2")
                  .arg(open, order),
              {item.code, branch}, connection, CursorType::Keyset);
    double left = std::fabs(quantity);
    for (; left > 0 && !lots.eof(); lots.moveNext()) {
        const double sold = lots.isNull(u"Sold_Qty") ? 0 : lots.number(u"Sold_Qty");
        const double room = taking ? lots.number(u"Total_Purchase_Qty") - sold : sold;
        const double moved = std::fmin(room, left);
        // Moved by the statement itself, so that a return giving back to the same lot at the same
        // time keeps its own change.
        connection.execute(QStringLiteral("Update Purchase_Log Set Sold_Qty = COALESCE(Sold_Qty, 0) + ? Where Row_Id = ?"),
                           {taking ? moved : -moved, lots.value(u"Row_Id")});
        lots.setValue(u"Last_Update", stamp);
        lots.update();
        left -= moved;
    }
}

} // namespace

bool PackageReduceStock::ReduceStockInHand(double quantity) {
    return trapped([&] {
        reportItemType(0);
        reportSellingValue(0);
        reportTotalQty(0);
        if (!usableNumber(quantity))
            return fail(msg::notANumber(QStringLiteral("The quantity")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<ItemRecord> item = findItem(db.get(), ItemCode());
        if (!item)
            return fail(msg::unknownItem(ItemCode()));
        const std::optional<double> type = numbers::exactNumber(item->type);
        reportItemType(type ? static_cast<qint16>(*type) : qint16(-1));
        const std::optional<double> factor = unitFactor(db.get(), *item, UnitName().trimmed());
        if (!carriesStock(item->type)) {
            // Services and other items without stock: nothing moves. They have no cost, so they
            // are valued at the unit price the caller gives (0 when none is given).
            reportTotalQty(quantity * factor.value_or(1));
            reportSellingValue(usableNumber(UnitPrice()) ? quantity * UnitPrice() : 0);
            return true;
        }
        // Stock is kept per branch; a reduction that names none cannot be made.
        if (BranchPrefix().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("BranchPrefix")));
        if (!factor)
            return fail(msg::unknownUnit(ItemCode(), UnitName()));
        const std::optional<BranchItem> stock = findBranchItem(db.get(), ItemCode(), BranchPrefix());
        if (!stock)
            return fail(msg::itemNotInBranch(ItemCode(), BranchPrefix()));

        const double base = quantity * *factor;
        if (base > stock->stockInHand && !sameAmount(base, stock->stockInHand) &&
            !negativeStockAllowed(db.get(), item->company, BranchPrefix()))
            return fail(msg::insufficientStock(ItemCode(), BranchPrefix(), figure(stock->stockInHand), figure(base)));
        const double averageCost = stock->stockInHand > 0 ? stock->stockAmount / stock->stockInHand
                                                          : lastLotCost(db.get(), ItemCode(), BranchPrefix());
        // The last of the stock takes the whole remaining value, so no residue is left behind.
        const double value = base > 0 && sameAmount(base, stock->stockInHand)
                                 ? stock->stockAmount
                                 : numbers::roundHalfEven(base * averageCost, 6);

        const QVariant stamp = stampOf(LastUpdate());
        WriteUnit unit(db.get());
        db->execute(QStringLiteral("Update Item_Master_Detail Set Stock_In_Hand = COALESCE(Stock_In_Hand, 0) - ?, "
                                   "Stock_Amount = COALESCE(Stock_Amount, 0) - ?, Last_Update = ? "
                                   "Where Item_Code = ? and Branch_Prefix = ?"),
                    {base, value, stamp, ItemCode(), BranchPrefix()});
        drawOnLots(db.get(), *item, BranchPrefix(), base, stamp);
        unit.commit();
        reportTotalQty(base);
        reportSellingValue(value);
        return true;
    });
}

bool PackageStockMovement::StockMovement(double &baseQuantity) {
    return trapped([&] {
        const QString type = DocumentType().trimmed().toUpper();
        const bool out = type == QStringLiteral("OUT");
        if (!out && type != QStringLiteral("IN"))
            return fail(msg::invalidMovementType(DocumentType()));
        if (DocumentNo().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("DocumentNo")));
        // Only the side of the movement's type is taken: one object serves all lines of a
        // document, so the other side may still hold an earlier line's figures.
        const std::pair<QString, double> figures[] = {
            {out ? QStringLiteral("OutQty") : QStringLiteral("InQty"), out ? OutQty() : InQty()},
            {out ? QStringLiteral("OutAmount") : QStringLiteral("InAmount"), out ? OutAmount() : InAmount()},
            {out ? QStringLiteral("OutPrice") : QStringLiteral("InPrice"), out ? OutPrice() : InPrice()}};
        for (const auto &[name, value] : figures) {
            // Signed: a returned line leaves as a negative quantity.
            if (!usableNumber(value))
                return fail(msg::notANumber(name));
        }
        if (!usableNumber(baseQuantity))
            return fail(msg::notANumber(QStringLiteral("The quantity")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<ItemRecord> item = findItem(db.get(), ItemCode());
        if (!item)
            return fail(msg::unknownItem(ItemCode()));
        if (!findBranchItem(db.get(), ItemCode(), BranchPrefix()))
            return fail(msg::itemNotInBranch(ItemCode(), BranchPrefix()));

        Recordset rs;
        rs.open(QStringLiteral("Select * from Stock_Movement"), {}, db.get(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"Company_Prefix", CompanyPrefix().isEmpty() ? item->company : CompanyPrefix());
        rs.setValue(u"Branch_Prefix", BranchPrefix());
        rs.setValue(u"Document_Prefix", DocumentPrefix());
        rs.setValue(u"Document_No", DocumentNo());
        rs.setValue(u"Document_Date", DocumentDate());
        rs.setValue(u"Document_Type", type);
        rs.setValue(u"Item_Code", ItemCode());
        rs.setValue(u"Item_Name", ItemName());
        rs.setValue(u"Unit_Code", UnitCode());
        rs.setValue(u"Unit_Name", UnitName());
        rs.setValue(u"Period_Type", PeriodType());
        rs.setValue(u"FOC_Flag", FOC_Flag());
        rs.setValue(u"Unit_Qty", UnitQty());
        rs.setValue(u"In_Qty", out ? 0.0 : InQty());
        rs.setValue(u"In_Amount", out ? 0.0 : InAmount());
        rs.setValue(u"In_Price", out ? 0.0 : InPrice());
        rs.setValue(u"Out_Qty", out ? OutQty() : 0.0);
        rs.setValue(u"Out_Amount", out ? OutAmount() : 0.0);
        rs.setValue(u"Out_Price", out ? OutPrice() : 0.0);
        rs.setValue(u"Base_Qty", baseQuantity);
        rs.setValue(u"Location_ID", LocationID());
        rs.setValue(u"Location_Name", LocationName());
        rs.setValue(u"Stock_Comments", StockComments());
        rs.setValue(u"Last_Update", stampOf(LastUpdate()));
        rs.update();
        return true;
    });
}

bool PackageLocationStock::UpdateLocationStock(qint16 direction) {
    return trapped([&] {
        if (direction != kGoodsLeaving && direction != kGoodsComingBack)
            return fail(msg::invalidLocationDirection(direction));
        if (!usableNumber(LocationQty()))
            return fail(msg::notANumber(QStringLiteral("LocationQty")));
        if (BranchPrefix().trimmed().isEmpty())
            return fail(msg::required(QStringLiteral("BranchPrefix")));
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const std::optional<ItemRecord> item = findItem(db.get(), ItemCode());
        if (!item)
            return fail(msg::unknownItem(ItemCode()));
        const std::optional<double> factor = unitFactor(db.get(), *item, UnitName().trimmed());
        if (!factor)
            return fail(msg::unknownUnit(ItemCode(), UnitName()));
        const double change = (direction == kGoodsLeaving ? -1 : 1) * LocationQty() * *factor;
        const QVariant stamp = stampOf(LastUpdate());
        const int moved = db->execute(
            QStringLiteral("Update Location_Stock Set Location_Qty = COALESCE(Location_Qty, 0) + ?, Last_Update = ? "
                           "Where Item_Code = ? and Branch_Prefix = ? and Location_ID = ?"),
            {change, stamp, ItemCode(), BranchPrefix(), LocationCode()});
        if (moved > 0)
            return true;
        Recordset rs;
        rs.open(QStringLiteral("Select * from Location_Stock"), {}, db.get(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"Company_Prefix", CompanyPrefix().isEmpty() ? item->company : CompanyPrefix());
        rs.setValue(u"Branch_Prefix", BranchPrefix());
        rs.setValue(u"Item_Code", ItemCode());
        rs.setValue(u"Item_Name", ItemName());
        rs.setValue(u"Location_ID", LocationCode());
        rs.setValue(u"Location_Name", LocationName());
        rs.setValue(u"Location_Qty", change);
        rs.setValue(u"Last_Update", stamp);
        rs.update();
        return true;
    });
}

} // namespace orbsales::package
