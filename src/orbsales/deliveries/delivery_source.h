#pragma once

#include <QString>

namespace orbsales {

// The two documents a delivery note is raised against: a sales order or a cash memo. Both are
// read, marked and raised the same way, on their own tables and columns.
struct DeliverySource {
    bool isOrder;
    QString masterTable;     // Sales_Order_Master
    QString detailTable;     // Sales_Order_Detail
    QString numberColumn;    // Sales_Ord_No
    QString dateColumn;      // Sales_Ord_Date
    QString quantityColumn;  // Sales_Ord_Ordered_Qty
    QString deliveredColumn; // Sales_Ord_Delivered_Qty
    QString priceColumns;    // the start of its price and amount columns: Sales_Ord_
    QString blankNumber;     // the loader's message for a blank number
    QString notFound;        // the loader's message for a number without a master row

    static const DeliverySource &salesOrder();
    static const DeliverySource &cashMemo();

    // "Select * from <master> Where <number>=?"
    QString masterStatement() const;
    // The source's lines not yet delivered in full, in the order they were stored.
    QString openLinesStatement() const;
};

} // namespace orbsales
