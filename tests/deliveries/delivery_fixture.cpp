#include "deliveries/delivery_fixture.h"

#include "orbsales/values/numbers.h"

namespace orbsales::testing {

namespace {

int nextSerial(TestDatabase &db, const QString &table) {
    return db.scalar(QStringLiteral("Select max(SL_No) from %1").arg(table)).toInt() + 1;
}

} // namespace

std::vector<int> DeliveryTest::addOrder(const QString &number, const std::vector<SourceLine> &lines) {
    database().execute(QStringLiteral("Insert into Sales_Order_Master (Sales_Ord_No, Sales_ord_Identity, Company_Prefix, "
                                      "Branch_Prefix, Document_Prefix, Customer_Code, customer_name, Sales_Ord_Date, "
                                      "Payment_Terms, Payment_Type, Employee_ID, Employee_Name, Foreign_Currency_Flag, "
                                      "Currency_Code, Currency_Symbol, Exchange_Rate, process_Flag, Allow_Cancel_Flag) "
                                      "values (?, 1, '01', 'HO', 'SOR', '01C001', 'Acme Trading LLC', ?, '30 Days', "
                                      "'Credit', 'E07', 'Sam', 0, 'AED', ' Dhs ', 1, 1, 1)"),
                       {number, day()});
    std::vector<int> serials;
    for (const SourceLine &line : lines) {
        const int serial = nextSerial(database(), QStringLiteral("Sales_Order_Detail"));
        database().execute(
            QStringLiteral("Insert into Sales_Order_Detail (Sales_Ord_No, SL_No, Item_Code, Item_Name, Unit_Code, "
                           "Unit_Name, FOC_Flag, Unit_Qty, Sales_Ord_Ordered_Qty, Sales_Ord_Delivered_Qty, Proj_No, "
                           "Sales_Ord_Unit_Price, Sales_Ord_Disc_Amount, Sales_Ord_FC_Disc_Amount, "
                           "Sales_Ord_Item_Amount, Sales_Ord_FC_Item_Amount, Sales_Ord_FC_Unit_Price) values "
                           "(?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, 0, 0, ?, ?, ?)"),
            {number, serial, line.item.isEmpty() ? QVariant() : QVariant(QStringLiteral("01") + line.item),
             QStringLiteral("Item ") + line.item, line.unit, line.foc ? 1 : 0, line.unitQty, line.qty, line.delivered,
             line.project.isEmpty() ? QVariant() : QVariant(line.project), line.price, line.qty * line.price,
             line.qty * line.price, line.price});
        serials.push_back(serial);
    }
    return serials;
}

std::vector<int> DeliveryTest::addCashMemo(const QString &number, const std::vector<SourceLine> &lines,
                                           const QString &currency, double rate) {
    database().execute(QStringLiteral("Insert into Cash_Memo_Master (Cash_Memo_No, Cash_Memo_Identity, Company_Prefix, "
                                      "Branch_Prefix, Document_Prefix, Customer_Code, customer_name, Cash_Memo_Date, "
                                      "Payment_Type, Foreign_Currency_Flag, Exchange_Rate, Currency_Code, "
                                      "Currency_Symbol, process_Flag, Allow_Cancel_Flag) values (?, 1, '01', 'HO', "
                                      "'CHM', '01C004', 'Walk-in Customer', ?, 'Cash', ?, ?, ?, ?, 1, 1)"),
                       {number, day(), currency == QStringLiteral("AED") ? 0 : 1, rate, currency,
                        currency == QStringLiteral("AED") ? QStringLiteral("Dhs") : QStringLiteral("$")});
    std::vector<int> serials;
    for (const SourceLine &line : lines) {
        const int serial = nextSerial(database(), QStringLiteral("Cash_Memo_Detail"));
        database().execute(
            QStringLiteral("Insert into Cash_Memo_Detail (Cash_Memo_No, SL_No, Item_Code, Item_Name, Unit_Code, "
                           "Unit_Name, FOC_Flag, Unit_Qty, Cash_Memo_Qty, Cash_Memo_Delivered_Qty, "
                           "Cash_Memo_Unit_Price, Cash_Memo_Disc_Amount, Cash_Memo_FC_Disc_Amount, "
                           "Cash_Memo_Item_Amount, Cash_Memo_FC_Item_Amount, Cash_Memo_FC_Unit_Price) values "
                           "(?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, 0, 0, ?, ?, ?)"),
            {number, serial, QStringLiteral("01") + line.item, QStringLiteral("Item ") + line.item, line.unit,
             line.foc ? 1 : 0, line.unitQty, line.qty, line.delivered, line.price, line.qty * line.price,
             line.qty * line.price / rate, line.price / rate});
        serials.push_back(serial);
    }
    return serials;
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
    d->setDeliveryEndDate(day());
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

double DeliveryTest::stockInHand(const QString &item, const QString &branch) {
    return value(QStringLiteral("Select Stock_In_Hand from Item_Master_Detail Where Item_Code=? and Branch_Prefix=?"),
                 {item, branch});
}

double DeliveryTest::stockAmount(const QString &item, const QString &branch) {
    return value(QStringLiteral("Select Stock_Amount from Item_Master_Detail Where Item_Code=? and Branch_Prefix=?"),
                 {item, branch});
}

double DeliveryTest::ordered(const QString &item, const QString &branch) {
    return value(QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code=? and Branch_Prefix=?"),
                 {item, branch});
}

double DeliveryTest::locationQty(const QString &item, int location, const QString &branch) {
    return value(QStringLiteral("Select Location_Qty from Location_Stock Where Item_Code=? and Branch_Prefix=? and "
                                "Location_ID=?"),
                 {item, branch, location});
}

double DeliveryTest::posted(const QString &account) {
    return value(QStringLiteral("Select Posted_Balance from Chart_Of_Accounts Where Account_No=?"), {account});
}

int DeliveryTest::counter(const QString &prefix, const QString &branch) {
    return database()
        .scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where Document_Prefix=? and "
                               "Company_Prefix='01' and Branch_Prefix=?"),
                {prefix, branch})
        .toInt();
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
