#include "orbsales/returns/return_sources.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/returns/returns_messages.h"
#include "orbsales/values/numbers.h"

namespace orbsales {

namespace {

double num(Recordset &row, const char *column) { return columns::numberOrZero(row, QString::fromLatin1(column)); }
QVariant val(Recordset &row, const char *column) { return row.value(QString::fromLatin1(column)); }
QString numberCell(double value) { return numbers::numberText(value); }

// A percentage of a price; a price of 0 gives 0 rather than a division error.
double percentOf(double part, double whole) { return whole == 0 ? 0 : 100 * part / whole; }

// The columns every source keeps under the same names.
ReturnableLine common(Recordset &row) {
    ReturnableLine line;
    line.itemCode = val(row, "Item_Code");
    line.itemName = val(row, "Item_Name");
    line.unitCode = val(row, "Unit_Code");
    line.unitName = val(row, "Unit_Name");
    line.periodType = val(row, "Period_Type");
    line.unitQty = val(row, "Unit_Qty");
    line.returned = num(row, "Return_Qty");
    line.inventoryValue = num(row, "Inventory_Value");
    line.project = val(row, "Proj_No");
    line.locationId = val(row, "Location_ID");
    line.locationName = val(row, "Location_Name");
    line.serial = val(row, "SL_No");
    return line;
}

ReturnableLine readInvoiceLine(Recordset &row) {
    ReturnableLine line = common(row);
    line.quantity = num(row, "Sales_Inv_Qty");
    line.unitPrice = num(row, "Sales_Inv_Unit_Price");
    line.fcUnitPrice = num(row, "Sales_Inv_FC_Unit_Price");
    line.discount = num(row, "Sales_Inv_Dtl_Disc_Amount");
    line.fcDiscount = num(row, "Sales_Inv_Dtl_FC_Disc_Amount");
    line.discountPercent = percentOf(line.fcDiscount, line.fcUnitPrice);
    line.fcOverallShare = num(row, "Sales_Ord_Overall_FC_Disc");
    line.overallShare = num(row, "Sales_Ord_Overall_Disc");
    line.column11 = numberCell(line.fcOverallShare);
    line.column24 = numberCell(line.overallShare);
    line.amount = num(row, "Sales_Inv_Item_Amount");
    line.fcAmount = num(row, "Sales_Inv_FC_Item_Amount");
    // The cost is that of the delivery line the invoice line bills.
    line.valuedQuantity = num(row, "Valued_Qty");
    return line;
}

ReturnableLine readDirectInvoiceLine(Recordset &row) {
    ReturnableLine line = common(row);
    line.quantity = num(row, "Dir_Sales_Inv_Dtl_Qty");
    line.unitPrice = num(row, "Dir_Sales_Inv_Dtl_Unit_Price");
    line.fcUnitPrice = num(row, "Dir_Sales_Inv_Dtl_FC_Unit_Price");
    line.discount = num(row, "Dir_Sales_Inv_Dtl_Disc_Amount");
    line.fcDiscount = num(row, "Dir_Sales_Inv_Dtl_FC_Disc_Amount");
    line.discountPercent = num(row, "Dir_Sales_Inv_Dtl_Disc_Percent");
    line.column11 = line.column24 = QStringLiteral("0");
    line.amount = num(row, "Dir_Sales_Inv_Dtl_Item_Amount");
    line.fcAmount = num(row, "Dir_Sales_Inv_Dtl_FC_Item_Amount");
    line.valuedQuantity = line.quantity;
    return line;
}

ReturnableLine readDeliveryLine(Recordset &row) {
    ReturnableLine line = common(row);
    line.quantity = num(row, "Delivery_Qty");
    line.unitPrice = num(row, "Delivery_Dtl_Unit_Price");
    line.fcUnitPrice = num(row, "Delivery_Dtl_FC_Unit_Price");
    line.discount = num(row, "Delivery_Disc_Amount");
    line.fcDiscount = num(row, "Delivery_FC_Disc_Amount");
    line.discountPercent = percentOf(line.fcDiscount, line.unitPrice);
    line.fcOverallShare = num(row, "Sales_Ord_Overall_FC_Disc");
    line.overallShare = num(row, "Sales_Ord_Overall_Disc");
    line.column11 = numberCell(line.fcOverallShare);
    line.column24 = numberCell(line.overallShare);
    line.amount = num(row, "Delivery_Item_Amount") - line.overallShare;
    line.fcAmount = num(row, "Delivery_FC_Item_Amount") - line.fcOverallShare;
    line.valuedQuantity = line.quantity;
    return line;
}

ReturnableLine readDirectDeliveryLine(Recordset &row) {
    ReturnableLine line = common(row);
    line.quantity = num(row, "Direct_Delivery_Qty");
    line.unitPrice = num(row, "Direct_Delivery_Dtl_Unit_Price");
    line.fcUnitPrice = num(row, "Direct_Delivery_Dtl_FC_Unit_Price");
    line.discount = num(row, "Direct_Delivery_Disc_Amount");
    line.fcDiscount = num(row, "Direct_Delivery_FC_Disc_Amount");
    line.discountPercent = num(row, "Direct_Delivery_Dtl_Disc_Percent");
    line.overallShare = num(row, "Direct_Delivery_Overall_Disc_Amount");
    line.fcOverallShare = num(row, "Direct_Delivery_Overall_Fc_Disc_Amount");
    // The direct delivery hands its home share to column 11 and its foreign share to column 24.
    line.column11 = numberCell(line.overallShare);
    line.column24 = numberCell(line.fcOverallShare);
    line.amount = num(row, "Direct_Delivery_Item_Amount") - line.overallShare;
    line.fcAmount = num(row, "Direct_Delivery_FC_Item_Amount") - line.fcOverallShare;
    line.valuedQuantity = line.quantity;
    return line;
}

ReturnableLine readCashMemoLine(Recordset &row) {
    ReturnableLine line = common(row);
    line.quantity = num(row, "Cash_Memo_Qty");
    line.unitPrice = num(row, "Cash_Memo_Unit_Price");
    line.fcUnitPrice = num(row, "Cash_Memo_FC_Unit_Price");
    line.discount = num(row, "Cash_Memo_Disc_Amount");
    line.fcDiscount = num(row, "Cash_Memo_FC_Disc_Amount");
    line.discountPercent = num(row, "Cash_Memo_Dtl_Disc_Percent");
    line.column11 = line.column24 = QStringLiteral("0");
    line.amount = num(row, "Cash_Memo_Item_Amount");
    line.fcAmount = num(row, "Cash_Memo_FC_Item_Amount");
    line.valuedQuantity = line.quantity;
    return line;
}

// The invoice's lines joined with the delivery lines they bill, then with the direct delivery
// lines; both halves give the delivery line's location, cost and delivered quantity.
QString invoiceStatement() {
    const QString half = QStringLiteral(
        "SELECT M.Sales_Inv_No, M.Sales_Inv_Date, M.Customer_Code, M.customer_name, M.Currency_Code, "
        "M.Exchange_Rate, M.Foreign_Currency_Flag, M.Payment_Type, D.*, DL.Location_ID, DL.Location_Name, "
        "DL.Inventory_Value, DL.%1 AS Valued_Qty FROM Sales_Invoice_Master AS M, Sales_Invoice_Detail AS D, %2 AS DL "
        "WHERE M.Sales_Inv_No = D.Sales_Inv_No And M.Sales_Inv_No = ? And M.Processed_Flag <> 0 "
        "And D.Delivery_No = DL.%3 And DL.SL_No = D.Delivery_Dtl_SL_No"
        " And D.Sales_Inv_Qty - D.Return_Qty >0 and d.item_Code = dl.Item_Code ");
    return half.arg(QStringLiteral("Delivery_Qty"), QStringLiteral("Delivery_Detail"), QStringLiteral("Delivery_No")) +
           QStringLiteral("Union All ") +
           half.arg(QStringLiteral("Direct_Delivery_Qty"), QStringLiteral("Direct_Delivery_Detail"),
                    QStringLiteral("Direct_Delivery_No")) +
           QStringLiteral("Order By SL_No");
}

} // namespace

const ReturnSourceKind &invoiceSource() {
    static const ReturnSourceKind kind{"INV",
                                       "Sales_Invoice_Detail",
                                       "Sales_Inv_No",
                                       "Sales_Inv_Qty",
                                       invoiceStatement(),
                                       "Sales_Inv_No",
                                       "Sales_Inv_Date",
                                       "customer_name",
                                       QString(),
                                       readInvoiceLine};
    return kind;
}

const ReturnSourceKind &directInvoiceSource() {
    static const ReturnSourceKind kind{
        "DSI",
        "Direct_Sales_Invoice_Detail",
        "Dir_Sales_Inv_No",
        "Dir_Sales_Inv_Dtl_Qty",
        QStringLiteral("SELECT M.Dir_Sales_Inv_No, M.Dir_Sales_Inv_Date, M.Customer_Code, M.Customer_Name, "
                       "M.Currency_Code, M.Exchange_Rate, M.Foreign_Currency_Flag, M.Payment_Type, D.* "
                       "FROM Direct_Sales_Invoice_Master AS M, Direct_Sales_Invoice_Detail AS D "
                       "WHERE M.Dir_Sales_Inv_No = D.Dir_Sales_Inv_No And M.Dir_Sales_Inv_No = ? "
                       "And M.Processed_Flag <> 0 And D.Dir_Sales_Inv_Dtl_Qty - D.Return_Qty >0  Order By D.SL_No"),
        "Dir_Sales_Inv_No",
        "Dir_Sales_Inv_Date",
        "Customer_Name",
        QString(),
        readDirectInvoiceLine};
    return kind;
}

const ReturnSourceKind &deliverySource() {
    static const ReturnSourceKind kind{
        "DEL",
        "Delivery_Detail",
        "Delivery_No",
        "Delivery_Qty",
        QStringLiteral("SELECT M.Delivery_No, M.Delivery_Date, M.Customer_Code, M.customer_name, M.Currency_Code, "
                       "M.Exchange_Rate, M.Foreign_Currency_Flag, M.Payment_Type, D.* "
                       "FROM Delivery_Master AS M, Delivery_Detail AS D "
                       "WHERE M.Delivery_No = D.Delivery_No And M.Delivery_No = ? And M.Processed_Flag <> 0"
                       " And D.Delivery_Qty - D.Return_Qty>0 And D.Invoiced_Qty=0 And M.Paid_Flag=0 Order By D.SL_No"),
        "Delivery_No",
        "Delivery_Date",
        "customer_name",
        QString(),
        readDeliveryLine};
    return kind;
}

const ReturnSourceKind &directDeliverySource() {
    static const ReturnSourceKind kind{
        "DDL",
        "Direct_Delivery_Detail",
        "Direct_Delivery_No",
        "Direct_Delivery_Qty",
        QStringLiteral("SELECT M.Direct_Delivery_No, M.Direct_Delivery_Date, M.Customer_Code, M.customer_name, "
                       "M.Currency_Code, M.Exchange_Rate, M.Foreign_Currency_Flag, M.Payment_Type, D.* "
                       "FROM Direct_Delivery_Master AS M, Direct_Delivery_Detail AS D "
                       "WHERE M.Direct_Delivery_No = D.Direct_Delivery_No And M.Direct_Delivery_No = ? "
                       "And M.Processed_Flag <> 0 And D.Direct_Delivery_Qty - D.Return_Qty>0 And D.Invoiced_Qty=0 "
                       "Order By D.SL_No"),
        "Direct_Delivery_No",
        "Direct_Delivery_Date",
        "customer_name",
        QString(),
        readDirectDeliveryLine};
    return kind;
}

const ReturnSourceKind &cashMemoSource() {
    static const ReturnSourceKind kind{
        "CHM",
        "Cash_Memo_Detail",
        "Cash_Memo_No",
        "Cash_Memo_Qty",
        QStringLiteral("SELECT M.Cash_Memo_No, M.Cash_Memo_Date, M.Customer_Code, M.Customer_Name, M.Currency_Code, "
                       "M.Exchange_Rate, M.Foreign_Currency_Flag, M.Payment_Type, D.*, D.Location_ID, "
                       "D.Location_Name, D.Inventory_Value, D.Cash_Memo_Disc_Amount, D.Cash_Memo_FC_Disc_Amount, "
                       "D.Period_Type FROM Cash_Memo_Master AS M, Cash_Memo_Detail AS D "
                       "WHERE (((M.Cash_Memo_No)=D.Cash_Memo_No And (M.Cash_Memo_No)=?) AND ((M.Process_Flag)<>0) "
                       "AND ((D.Cash_Memo_Qty-D.Return_Qty)>0)) Order By D.SL_No"),
        "Cash_Memo_No",
        "Cash_Memo_Date",
        "Customer_Name",
        returns_messages::kNoReturnableCashMemoLines,
        readCashMemoLine};
    return kind;
}

const ReturnSourceKind *sourceKindOf(const QString &code) {
    for (const ReturnSourceKind *kind :
         {&invoiceSource(), &directInvoiceSource(), &deliverySource(), &directDeliverySource(), &cashMemoSource()})
        if (code == QLatin1String(kind->code))
            return kind;
    return nullptr;
}

} // namespace orbsales
