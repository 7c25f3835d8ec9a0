#include "orbsales/services/package/books_deliveries.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/package_support.h"

#include <algorithm>

namespace orbsales::package {

namespace {

const QString kMovedQty = QStringLiteral("COALESCE(SUM(COALESCE(S.In_Qty, 0) - COALESCE(S.Out_Qty, 0)), 0)");
const QString kMovedAmount = QStringLiteral("COALESCE(SUM(COALESCE(S.In_Amount, 0) - COALESCE(S.Out_Amount, 0)), 0)");

double at(const QVariantList &row, int column) { return row.at(column).toDouble(); }
QString textAt(const QVariantList &row, int column) { return row.at(column).toString(); }

QString pair(const QString &first, double a, const QString &second, double b) {
    return first + QLatin1Char(' ') + figure(a) + QStringLiteral(", ") + second + QLatin1Char(' ') + figure(b);
}

void checkStockValue(Connection &connection, QStringList &breaches) {
    const Connection::Result rows = connection.select(
        QStringLiteral("Select D.Item_Code, D.Branch_Prefix, COALESCE(D.Stock_Amount, 0), "
                       "COALESCE(D.Opening_Stock_Amount, 0) + (Select %1 from Stock_Movement S "
                       "Where S.Item_Code = D.Item_Code and S.Branch_Prefix = D.Branch_Prefix) "
                       "from Item_Master_Detail D Order by D.Item_Code, D.Branch_Prefix")
            .arg(kMovedAmount));
    for (const QVariantList &row : rows.rows)
        if (!sameAmount(at(row, 2), at(row, 3)))
            breaches << QStringLiteral("Item %1, branch %2: ").arg(textAt(row, 0), textAt(row, 1)) +
                            pair(QStringLiteral("stock value"), at(row, 2),
                                 QStringLiteral("opening value plus movements"), at(row, 3));
}

void checkLocations(Connection &connection, QStringList &breaches) {
    for (const LocationLine &line : readDeliveryBooks(connection).locations) {
        const double expected = line.opening + line.in - line.out;
        if (!sameAmount(line.quantity, expected))
            breaches << QStringLiteral("Item %1, branch %2, location %3: ")
                                .arg(line.itemCode, line.branch)
                                .arg(line.locationId) +
                            pair(QStringLiteral("location stock"), line.quantity,
                                 QStringLiteral("opening quantity plus movements"), expected);
    }
    // Movements of items kept in the branch (others are reported with the stock in hand).
    const Connection::Result strays = connection.select(
        QStringLiteral("Select S.Item_Code, S.Branch_Prefix, COALESCE(S.Location_ID, 0), %1 from Stock_Movement S "
                       "Where exists (Select 1 from Item_Master_Detail D Where D.Item_Code = S.Item_Code and "
                       "D.Branch_Prefix = S.Branch_Prefix) and not exists (Select 1 from Location_Stock L Where "
                       "L.Item_Code = S.Item_Code and L.Branch_Prefix = S.Branch_Prefix and "
                       "COALESCE(L.Location_ID, 0) = COALESCE(S.Location_ID, 0)) "
                       "Group by S.Item_Code, S.Branch_Prefix, COALESCE(S.Location_ID, 0) "
                       "Order by S.Item_Code, S.Branch_Prefix, COALESCE(S.Location_ID, 0)")
            .arg(kMovedQty));
    for (const QVariantList &row : strays.rows)
        breaches << QStringLiteral("Item %1, branch %2, location %3 has stock movements but no location stock row: ")
                            .arg(textAt(row, 0), textAt(row, 1), textAt(row, 2)) +
                        pair(QStringLiteral("location stock"), 0, QStringLiteral("movements"), at(row, 3));
}

void checkOrderedQuantities(Connection &connection, QStringList &breaches) {
    const Connection::Result rows = connection.select(QStringLiteral(
        "Select D.Item_Code, D.Branch_Prefix, COALESCE(D.Ordered_Qty, 0), (Select COALESCE(SUM(M.Quantity), 0) from "
        "Ordered_Qty_Movement M Where M.Item_Code = D.Item_Code and M.Branch_Prefix = D.Branch_Prefix) "
        "from Item_Master_Detail D Order by D.Item_Code, D.Branch_Prefix"));
    for (const QVariantList &row : rows.rows)
        if (!sameAmount(at(row, 2), at(row, 3)))
            breaches << QStringLiteral("Item %1, branch %2: ").arg(textAt(row, 0), textAt(row, 1)) +
                            pair(QStringLiteral("ordered quantity"), at(row, 2),
                                 QStringLiteral("ordered quantity movements"), at(row, 3));
}

// Each source line with its delivered quantity, what it sold, and what processed delivery
// lines pointing at it (by the source's number and the line's serial) delivered.
Connection::Result deliveredLines(Connection &connection, const QString &table, const QString &number,
                                  const QString &sold, const QString &delivered) {
    return connection.select(
        QStringLiteral("Select O.%2, O.SL_No, O.Item_Code, COALESCE(O.%4, 0), COALESCE(X.Qty, 0), COALESCE(O.%3, 0) "
                       "from %1 O Left Join (Select M.Source_No as Source_No, D.Sales_Ord_Dtl_SL_No as Source_SL, "
                       "SUM(COALESCE(D.Delivery_Qty, 0)) as Qty from Delivery_Detail D Inner Join Delivery_Master M "
                       "on M.Delivery_No = D.Delivery_No Where M.Processed_Flag = 1 "
                       "Group by M.Source_No, D.Sales_Ord_Dtl_SL_No) X on X.Source_No = O.%2 and X.Source_SL = O.SL_No "
                       "Order by O.%2, O.SL_No")
            .arg(table, number, sold, delivered));
}

QString sourceLine(const QString &kind, const QVariantList &row) {
    return QStringLiteral("%1 %2, line %3 (%4): ").arg(kind, textAt(row, 0), textAt(row, 1), textAt(row, 2));
}

void checkDeliveredQuantities(Connection &connection, QStringList &breaches) {
    const Connection::Result orders =
        deliveredLines(connection, QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No"),
                       QStringLiteral("Sales_Ord_Ordered_Qty"), QStringLiteral("Sales_Ord_Delivered_Qty"));
    for (const QVariantList &row : orders.rows)
        if (!sameAmount(at(row, 3), at(row, 4)))
            breaches << sourceLine(QStringLiteral("Sales order"), row) +
                            pair(QStringLiteral("delivered quantity"), at(row, 3),
                                 QStringLiteral("processed deliveries"), at(row, 4));
    // A cash memo hands goods over itself as well: what deliveries added is the least its
    // delivered quantity holds, and the memo's own part is at most what it sold.
    const Connection::Result memos =
        deliveredLines(connection, QStringLiteral("Cash_Memo_Detail"), QStringLiteral("Cash_Memo_No"),
                       QStringLiteral("Cash_Memo_Qty"), QStringLiteral("Cash_Memo_Delivered_Qty"));
    for (const QVariantList &row : memos.rows) {
        const double delivered = at(row, 3), deliveries = at(row, 4), sold = at(row, 5);
        const double own = delivered - deliveries;
        if (own < std::min(0.0, sold) && !sameAmount(own, std::min(0.0, sold)))
            breaches << sourceLine(QStringLiteral("Cash memo"), row) +
                            pair(QStringLiteral("delivered quantity"), delivered,
                                 QStringLiteral("processed deliveries"), deliveries);
        else if (own > std::max(0.0, sold) && !sameAmount(own, std::max(0.0, sold)))
            breaches << sourceLine(QStringLiteral("Cash memo"), row) +
                            pair(QStringLiteral("delivered quantity"), delivered,
                                 QStringLiteral("quantity sold plus processed deliveries"), sold + deliveries);
    }
}

// A delivery that moved stock moved it at the value its stock lines carry.
void checkDeliveryMovements(Connection &connection, QStringList &breaches) {
    struct Kind {
        const char *name, *master, *detail, *number;
    };
    const Kind kinds[] = {{"Delivery", "Delivery_Master", "Delivery_Detail", "Delivery_No"},
                          {"Direct delivery", "Direct_Delivery_Master", "Direct_Delivery_Detail",
                           "Direct_Delivery_No"}};
    for (const Kind &kind : kinds) {
        const Connection::Result rows = connection.select(
            QStringLiteral("Select M.%3, (Select COALESCE(SUM(D.Inventory_Value), 0) from %2 D, Item_Master I Where "
                           "D.%3 = M.%3 and I.Item_Code = D.Item_Code and TRIM(I.Item_Type) in ('0', '3')), "
                           "(Select COALESCE(SUM(COALESCE(S.Out_Amount, 0) - COALESCE(S.In_Amount, 0)), 0) from Stock_Movement S "
                           "Where S.Document_No = M.%3), (Select count(*) from Stock_Movement S Where "
                           "S.Document_No = M.%3) from %1 M Where M.Processed_Flag = 1 Order by M.%3")
                .arg(QLatin1String(kind.master), QLatin1String(kind.detail), QLatin1String(kind.number)));
        for (const QVariantList &row : rows.rows)
            if (at(row, 3) > 0 && !sameAmount(at(row, 1), at(row, 2)))
                breaches << QStringLiteral("%1 %2: ").arg(QLatin1String(kind.name), textAt(row, 0)) +
                                pair(QStringLiteral("inventory value of its stock lines"), at(row, 1),
                                     QStringLiteral("stock movements"), at(row, 2));
    }
}

} // namespace

DeliveryBooks readDeliveryBooks(Connection &connection) {
    DeliveryBooks books;
    const Connection::Result locations = connection.select(QStringLiteral(
        "Select L.Item_Code, L.Branch_Prefix, COALESCE(L.Location_ID, 0), L.Location_Name, COALESCE(L.Opening_Qty, 0), "
        "(Select COALESCE(SUM(S.In_Qty), 0) from Stock_Movement S Where S.Item_Code = L.Item_Code and "
        "S.Branch_Prefix = L.Branch_Prefix and COALESCE(S.Location_ID, 0) = COALESCE(L.Location_ID, 0)), "
        "(Select COALESCE(SUM(S.Out_Qty), 0) from Stock_Movement S Where S.Item_Code = L.Item_Code and "
        "S.Branch_Prefix = L.Branch_Prefix and COALESCE(S.Location_ID, 0) = COALESCE(L.Location_ID, 0)), "
        "COALESCE(L.Location_Qty, 0) from Location_Stock L Order by L.Item_Code, L.Branch_Prefix, L.Location_ID"));
    for (const QVariantList &row : locations.rows)
        books.locations << LocationLine{textAt(row, 0), textAt(row, 1), row.at(2).toInt(), textAt(row, 3),
                                        at(row, 4),     at(row, 5),     at(row, 6),        at(row, 7)};
    const Connection::Result projects = connection.select(
        QStringLiteral("Select Proj_No, count(*), COALESCE(SUM(Projd_Debit_Amount), 0), "
                       "COALESCE(SUM(Projd_Credit_Amount), 0) from Project_Transaction Group by Proj_No Order by Proj_No"));
    for (const QVariantList &row : projects.rows)
        books.projects << ProjectLine{textAt(row, 0), row.at(1).toInt(), at(row, 2), at(row, 3)};
    const Connection::Result prices = connection.select(
        QStringLiteral("Select Customer_Code, Item_Code, Unit_Name, COALESCE(Selling_Price, 0), "
                       "COALESCE(Last_Selling_Price, 0) from Customer_Price_List Order by Customer_Code, Item_Code, "
                       "Unit_ID"));
    for (const QVariantList &row : prices.rows)
        books.prices << CustomerPriceLine{textAt(row, 0), textAt(row, 1), textAt(row, 2), at(row, 3), at(row, 4)};
    return books;
}

void checkDeliveryBooks(Connection &connection, QStringList &breaches) {
    checkStockValue(connection, breaches);
    checkLocations(connection, breaches);
    checkOrderedQuantities(connection, breaches);
    checkDeliveredQuantities(connection, breaches);
    checkDeliveryMovements(connection, breaches);
}

} // namespace orbsales::package
