#pragma once

#include <QString>
#include <QVariant>

namespace orbsales {

class Recordset;

// One source line as a return offers it, read from a loader's row in the source's own columns.
struct ReturnableLine {
    QVariant itemCode;
    QVariant itemName;
    QVariant unitCode;
    QVariant unitName;
    QVariant periodType;
    QVariant unitQty;
    double quantity = 0; // the line's quantity in its own unit
    double returned = 0; // Return_Qty
    double unitPrice = 0;
    double fcUnitPrice = 0;
    double discount = 0; // line discount per unit
    double fcDiscount = 0;
    double discountPercent = 0;
    // Columns 11 and 24 as the grid shows them, and the overall discount share of the whole line
    // in each currency for the amounts.
    QString column11;
    QString column24;
    double overallShare = 0;
    double fcOverallShare = 0;
    double amount = 0; // columns 12 and 13 when nothing was returned yet
    double fcAmount = 0;
    double inventoryValue = 0;
    double valuedQuantity = 0; // the quantity inventoryValue is the cost of
    QVariant project;
    QVariant locationId;
    QVariant locationName;
    QVariant serial; // SL_No
    double returnable() const { return quantity - returned; }
};

// A kind of source document a return can be raised against, by its type code.
struct ReturnSourceKind {
    const char *code;         // "INV"
    const char *detailTable;  // "Sales_Invoice_Detail"
    const char *numberColumn; // "Sales_Inv_No"
    const char *quantityColumn;
    // The loader's statement (one value: the source number) and the master's columns in it.
    QString statement;
    const char *numberField;
    const char *dateField;
    const char *customerNameField;
    // A source without returnable lines: False with this message, or True with nothing loaded.
    QString emptyMessage;
    ReturnableLine (*read)(Recordset &row);
};

const ReturnSourceKind &invoiceSource();
const ReturnSourceKind &directInvoiceSource();
const ReturnSourceKind &deliverySource();
const ReturnSourceKind &directDeliverySource();
const ReturnSourceKind &cashMemoSource();
// The kind of a type code ("INV", "DSI", "DEL", "DDL", "CHM"); nullptr for any other text.
const ReturnSourceKind *sourceKindOf(const QString &code);

} // namespace orbsales
