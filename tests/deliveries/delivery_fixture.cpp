#include "deliveries/delivery_fixture.h"

#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"

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
    database().execute(QStringLiteral("Insert into Sales_Order_Master (Sales_Ord_No, Company_Prefix, Branch_Prefix, "
                                      "Document_Prefix, Customer_Code, customer_name, Sales_Ord_Date, Payment_Terms, "
                                      "Payment_Type, Employee_Name, Currency_Code, Currency_Symbol, process_Flag, "
                                      "Allow_Cancel_Flag) values (?, '01', 'HO', 'SOR', '01C001', 'Acme Trading LLC', ?, "
                                      "'30 Days', 'Credit', 'Sam', 'AED', ' Dhs ', 1, 1)"),
                       {number, day()});
    for (const SourceLine &line : lines)
        database().execute(
            QStringLiteral("Insert into Sales_Order_Detail (Sales_Ord_No, SL_No, Item_Code, Item_Name, Unit_Code, "
                           "Unit_Name, FOC_Flag, Unit_Qty, Sales_Ord_Ordered_Qty, Sales_Ord_Delivered_Qty, Proj_No, "
                           "Sales_Ord_Unit_Price, Sales_Ord_Item_Amount, Sales_Ord_FC_Item_Amount, "
                           "Sales_Ord_FC_Unit_Price) values (?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {number, nextSerial(QStringLiteral("Sales_Order_Detail")), line.item.isEmpty() ? QVariant() : QVariant(QStringLiteral("01") + line.item),
             QStringLiteral("Item ") + line.item, line.unit, line.foc ? 1 : 0, line.unitQty, line.qty, line.delivered,
             line.project.isEmpty() ? QVariant() : QVariant(line.project), line.price, line.qty * line.price,
             line.qty * line.price, line.price});
}

void DeliveryTest::addCashMemo(const QString &number, const std::vector<SourceLine> &lines, double usdRate) {
    const bool foreign = usdRate > 0;
    const double rate = foreign ? usdRate : 1;
    database().execute(QStringLiteral("Insert into Cash_Memo_Master (Cash_Memo_No, Company_Prefix, Branch_Prefix, "
                                      "Document_Prefix, Customer_Code, customer_name, Cash_Memo_Date, Payment_Type, "
                                      "Foreign_Currency_Flag, Exchange_Rate, Currency_Code, process_Flag) values (?, '01', "
                                      "'HO', 'CHM', '01C004', 'Walk-in Customer', ?, 'Cash', ?, ?, ?, 1)"),
                       {number, day(), foreign ? 1 : 0, rate, foreign ? QStringLiteral("USD") : QStringLiteral("AED")});
    for (const SourceLine &line : lines)
        database().execute(
            QStringLiteral("Insert into Cash_Memo_Detail (Cash_Memo_No, SL_No, Item_Code, Item_Name, Unit_Code, "
                           "Unit_Name, FOC_Flag, Unit_Qty, Cash_Memo_Qty, Cash_Memo_Delivered_Qty, "
                           "Cash_Memo_Unit_Price, Cash_Memo_Item_Amount, Cash_Memo_FC_Item_Amount, "
                           "Cash_Memo_FC_Unit_Price) values (?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {number, nextSerial(QStringLiteral("Cash_Memo_Detail")), QStringLiteral("01") + line.item, QStringLiteral("Item ") + line.item, line.unit,
             line.foc ? 1 : 0, line.unitQty, line.qty, line.delivered, line.price, line.qty * line.price,
             line.qty * line.price / rate, line.price / rate});
}

std::unique_ptr<Delivery> DeliveryTest::newDelivery(const QString &sourceNo) {
    auto d = std::make_unique<Delivery>();
    d->setAdoDBConnectionObject(caller.get());
    d->setADOConnectionString(connectionString());
    d->setCompanyPrefix(QStringLiteral("01"));
    d->setBranchPrefix(QStringLiteral("HO"));
    d->setDocumentPrefix(QStringLiteral("DEL"));
    d->setStockMovementPrefix(QStringLiteral("DEL"));
    d->setSourceNo(sourceNo);
    d->setSourcePrefix(QStringLiteral("SOR"));
    d->setDeliveryDate(day());
    d->setPaymentType(QStringLiteral("Credit"));
    d->setCurrencyCode(QStringLiteral("AED"));
    d->setAmtDig(2);
    d->setOnlineFlag(true);
    d->setLastUpdate(stamp());
    d->setDeliveryGridName(&grid);
    return d;
}

void DeliveryTest::tickAll(LineGrid &cells) {
    for (int row = 1; row < cells.rowCount() && !cells.cellText(row, 3).isEmpty(); ++row) {
        cells.setCellText(row, 1, QStringLiteral("1"));
        cells.setCellText(row, 20, QStringLiteral("Main Warehouse"));
        cells.setCellText(row, 21, QStringLiteral("1"));
    }
}

double DeliveryTest::item(const char *column, const QString &code, const QString &branch) {
    return value(QStringLiteral("Select %1 from Item_Master_Detail Where Item_Code=? and Branch_Prefix=?")
                     .arg(QLatin1String(column)),
                 {code, branch});
}

int DeliveryTest::counter(const QString &prefix) {
    return int(value(QStringLiteral("Select Document_Next_No from Document_Prefix Where Document_Prefix=? and "
                                    "Branch_Prefix='HO'"),
                     {prefix}));
}

QList<QStringList> DeliveryTest::rows(const QString &sql, const QVariantList &values) {
    QList<QStringList> texts;
    for (const QVariantList &row : database().connection().select(sql, values).rows) {
        QStringList cells;
        for (const QVariant &cell : row) {
            if (cell.isNull())
                cells << QStringLiteral("NULL");
            else if (numbers::isNumberType(cell.typeId()))
                cells << numbers::numberText(cell.toDouble());
            else if (const QDateTime date = dates::parseDate(cell.toString()); cell.typeId() == QMetaType::QDateTime)
                cells << cell.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            else if (date.isValid())
                cells << date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            else
                cells << cell.toString();
        }
        texts << cells;
    }
    return texts;
}

QStringList DeliveryTest::ledger(const QString &documentNo) {
    const Connection::Result rows = database().connection().select(
        QStringLiteral("Select Account_No, GL_Debit_Amount, GL_Credit_Amount from General_Ledger Where Document_No=? "
                       "Order by Row_Id"),
        {documentNo});
    QStringList lines;
    for (const QVariantList &row : rows.rows)
        lines << QStringLiteral("%1 %2 %3")
                     .arg(row.at(0).toString(), numbers::numberText(row.at(1).toDouble()),
                          numbers::numberText(row.at(2).toDouble()));
    return lines;
}

} // namespace orbsales::testing
