#include "orbsales/deliveries/delivery_source.h"

#include "orbsales/deliveries/delivery_messages.h"

namespace orbsales {

namespace msg = delivery_messages;

const DeliverySource &DeliverySource::salesOrder() {
    static const DeliverySource source{true,
                                       QStringLiteral("Sales_Order_Master"),
                                       QStringLiteral("Sales_Order_Detail"),
                                       QStringLiteral("Sales_Ord_No"),
                                       QStringLiteral("Sales_Ord_Date"),
                                       QStringLiteral("Sales_Ord_Ordered_Qty"),
                                       QStringLiteral("Sales_Ord_Delivered_Qty"),
                                       QStringLiteral("Sales_Ord_"),
                                       msg::kBlankSalesOrderNo,
                                       msg::kInvalidSalesOrderNo};
    return source;
}

const DeliverySource &DeliverySource::cashMemo() {
    static const DeliverySource source{false,
                                       QStringLiteral("Cash_Memo_Master"),
                                       QStringLiteral("Cash_Memo_Detail"),
                                       QStringLiteral("Cash_Memo_No"),
                                       QStringLiteral("Cash_Memo_Date"),
                                       QStringLiteral("Cash_Memo_Qty"),
                                       QStringLiteral("Cash_Memo_Delivered_Qty"),
                                       QStringLiteral("Cash_Memo_"),
                                       msg::kInvalidCashMemoNo,
                                       msg::kInvalidCashMemoNo};
    return source;
}

QString DeliverySource::masterStatement() const {
    return QStringLiteral("Select * from %1 Where %2=?").arg(masterTable, numberColumn);
}

QString DeliverySource::openLinesStatement() const {
    // The order's statement has one blank before "And", the cash memo's two.
    return QStringLiteral("Select * from %1 Where %2=?%3And %4 < %5  Order by SL_No")
        .arg(detailTable, numberColumn, isOrder ? QStringLiteral(" ") : QStringLiteral("  "), deliveredColumn,
             quantityColumn);
}

} // namespace orbsales
