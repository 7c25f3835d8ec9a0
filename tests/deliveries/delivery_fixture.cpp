#include "deliveries/delivery_fixture.h"

namespace orbsales::testing {

void DeliveryTest::SetUp() {
    DatabaseTest::SetUp();
    if (!db)
        return;
    demo::seedDemoCompany(database().connection());
    caller = std::make_unique<Connection>();
    caller->open(connectionString());
}

int DeliveryTest::nextSerial(const QString &table) {
    return int(value(QStringLiteral("Select COALESCE(max(SL_No), 0) + 1 from %1").arg(table)));
}

void DeliveryTest::addOrder(const QString &number, const std::vector<SourceLine> &lines) {
    database().execute("Insert into Sales_Order_Master (Sales_Ord_No, Company_Prefix, Branch_Prefix, "
                       "Document_Prefix, Customer_Code, customer_name, Sales_Ord_Date, Payment_Terms, "
                       "Payment_Type, Employee_Name, Currency_Code, Currency_Symbol, process_Flag, "
                       "Allow_Cancel_Flag) values (?, '01', 'HO', 'SOR', '01C001', 'Acme Trading LLC', ?, "
                       "'30 Days', 'Credit', 'Sam', 'AED', ' Dhs ', 1, 1)",
                       {number, day()});
    for (const SourceLine &line : lines)
        database().execute("Insert into Sales_Order_Detail (Sales_Ord_No, SL_No, Item_Code, Item_Name, Unit_Code, "
                           "Unit_Name, FOC_Flag, Unit_Qty, Sales_Ord_Ordered_Qty, Sales_Ord_Delivered_Qty, Proj_No, "
                           "Sales_Ord_Unit_Price, Sales_Ord_Item_Amount, Sales_Ord_FC_Item_Amount, "
                           "Sales_Ord_FC_Unit_Price) values (?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           {number, nextSerial("Sales_Order_Detail"),
                            line.item.isEmpty() ? QVariant() : QVariant(QStringLiteral("01") + line.item),
                            QStringLiteral("Item ") + line.item, line.unit, line.foc ? 1 : 0, line.unitQty, line.qty,
                            line.delivered, line.project.isEmpty() ? QVariant() : QVariant(line.project), line.price,
                            line.qty * line.price, line.qty * line.price, line.price});
}

void DeliveryTest::addCashMemo(const QString &number, const std::vector<SourceLine> &lines, double usdRate) {
    const bool foreign = usdRate > 0;
    const double rate = foreign ? usdRate : 1;
    database().execute("Insert into Cash_Memo_Master (Cash_Memo_No, Company_Prefix, Branch_Prefix, "
                       "Document_Prefix, Customer_Code, customer_name, Cash_Memo_Date, Payment_Type, "
                       "Foreign_Currency_Flag, Exchange_Rate, Currency_Code, process_Flag) values (?, '01', "
                       "'HO', 'CHM', '01C004', 'Walk-in Customer', ?, 'Cash', ?, ?, ?, 1)",
                       {number, day(), foreign ? 1 : 0, rate, foreign ? "USD" : "AED"});
    for (const SourceLine &line : lines)
        database().execute("Insert into Cash_Memo_Detail (Cash_Memo_No, SL_No, Item_Code, Item_Name, Unit_Code, "
                           "Unit_Name, FOC_Flag, Unit_Qty, Cash_Memo_Qty, Cash_Memo_Delivered_Qty, "
                           "Cash_Memo_Unit_Price, Cash_Memo_Item_Amount, Cash_Memo_FC_Item_Amount, "
                           "Cash_Memo_FC_Unit_Price) values (?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           {number, nextSerial("Cash_Memo_Detail"), QStringLiteral("01") + line.item,
                            QStringLiteral("Item ") + line.item, line.unit, line.foc ? 1 : 0, line.unitQty, line.qty,
                            line.delivered, line.price, line.qty * line.price, line.qty * line.price / rate,
                            line.price / rate});
}

std::unique_ptr<Delivery> DeliveryTest::newDelivery(const QString &sourceNo) {
    auto d = std::make_unique<Delivery>();
    d->setAdoDBConnectionObject(caller.get());
    d->setDeliveryGridName(&grid);
    assign(*d, "ADOConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO", "DocumentPrefix",
           "DEL", "StockMovementPrefix", "DEL", "SourceNo", sourceNo, "SourcePrefix", "SOR", "DeliveryDate", day(),
           "PaymentType", "Credit", "CurrencyCode", "AED", "AmtDig", 2, "OnlineFlag", true, "LastUpdate", stamp());
    return d;
}

void DeliveryTest::tickAll(LineGrid &cells) {
    for (int row = 1; row < cells.rowCount() && !cells.cellText(row, 3).isEmpty(); ++row) {
        cells.setCellText(row, 1, "1");
        cells.setCellText(row, 20, "Main Warehouse");
        cells.setCellText(row, 21, "1");
    }
}

double DeliveryTest::item(const char *column, const QString &code, const QString &branch) {
    return value(QStringLiteral("Select %1 from Item_Master_Detail Where Item_Code=? and Branch_Prefix=?")
                     .arg(QLatin1String(column)),
                 {code, branch});
}

int DeliveryTest::counter(const QString &prefix) {
    return int(value("Select Document_Next_No from Document_Prefix Where Document_Prefix=? and "
                     "Branch_Prefix='HO'",
                     {prefix}));
}

} // namespace orbsales::testing
