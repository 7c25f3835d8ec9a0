#include "orbsales/services/package/processed_sales.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/services/package/item_store.h"
#include "orbsales/services/package/ledger_store.h"
#include "orbsales/services/package/package_counter.h"
#include "orbsales/services/package/package_stock.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <initializer_list>
#include <utility>

namespace orbsales::package {

namespace {

using Values = std::initializer_list<std::pair<const char *, QVariant>>;

void insert(Connection &connection, const QString &table, Values values) {
    Recordset rs;
    rs.open(QStringLiteral("Select * from ") + table, {}, connection, CursorType::Keyset);
    rs.addNew();
    for (const auto &[column, value] : values)
        rs.setValue(QString::fromLatin1(column), value);
    rs.update();
}

void require(bool ok, const QString &reason) {
    if (!ok)
        throw OrbError(reason);
}

// A component's action: its ErrDesc, read after the call, when it answers False.
template <typename Component, typename Action> void act(Component &component, Action action) {
    const bool ok = action();
    require(ok, component.ErrDesc());
}

QString nextNumber(Connection &connection, const SaleDocument &sale, const char *prefix) {
    PackageCounter counter;
    counter.setCompanyPrefix(sale.company);
    counter.setBranchPrefix(sale.branch);
    counter.setDocumentPrefix(QString::fromLatin1(prefix));
    Connection *handed = &connection;
    act(counter, [&] { return counter.Get_Last_Counter(handed); });
    const qint32 identity = numbers::toLong(counter.NextDocumentNo());
    act(counter, [&] { return counter.Increase_Counter(); });
    return sale.company + sale.branch + QString::fromLatin1(prefix) + QString::number(identity);
}

qint32 identityOf(const QString &number) { return numbers::toLong(numbers::leadingNumber(number.mid(7))); }

QString preference(Connection &connection, const char *table, const char *column, const SaleDocument &sale) {
    return connection
        .scalar(QStringLiteral("Select %1 from %2 Where Company_Prefix = ? and Branch_Prefix = ?")
                    .arg(QString::fromLatin1(column), QString::fromLatin1(table)),
                {sale.company, sale.branch})
        .toString()
        .trimmed();
}

struct Poster {
    Connection &connection;
    const SaleDocument &sale;
    QString documentNo;
    QString prefix;
    QVariant stamp;

    double foreign(double amount) const { return sale.foreignCurrency ? amount / sale.exchangeRate : amount; }
    void ledger(const QString &account, const QString &description, double debit, double credit) const {
        const LedgerLine line{documentNo,  prefix, sale.date,      sale.currencyCode,     sale.currencySymbol,
                              description, {},     account,        debit,                 credit,
                              foreign(debit), foreign(credit), sale.foreignCurrency, stamp};
        const QString problem = checkLedgerLine(connection, line);
        require(problem.isEmpty(), problem);
        writeLedgerLine(connection, line);
        moveAccountBalance(connection, account, debit - credit, stamp);
    }
};

struct Amounts {
    double subTotal = 0;
    double discount = 0;
    double total() const { return subTotal - discount; }
};

// Goods out of stock line by line; the cost of each line (0 for a service).
std::vector<double> takeOutOfStock(const Poster &poster, const QString &deliveryNo, const QString &movementPrefix) {
    std::vector<double> values;
    const SaleDocument &sale = poster.sale;
    const QString costOfGoods = preference(poster.connection, "Default_Sales_Preferences", "COG_Account_No", sale);
    Poster cost = poster;
    cost.documentNo = deliveryNo;
    cost.prefix = movementPrefix;
    for (const SaleLine &line : sale.lines) {
        const std::optional<ItemRecord> item = findItem(poster.connection, line.itemCode);
        if (!sale.postEffects || !item || !carriesStock(item->type)) {
            values.push_back(0);
            continue;
        }
        PackageReduceStock reduce;
        reduce.setAdoConnectionObject(&poster.connection);
        reduce.setBranchPrefix(sale.branch);
        reduce.setItemCode(line.itemCode);
        reduce.setUnitName(line.unitName);
        reduce.setLastUpdate(poster.stamp);
        act(reduce, [&] { return reduce.ReduceStockInHand(line.quantity); });
        const double value = reduce.SellingValue();
        double base = reduce.TotalQty();
        PackageStockMovement movement;
        movement.setAdoConnectionObject(&poster.connection);
        movement.setCompanyPrefix(sale.company);
        movement.setBranchPrefix(sale.branch);
        movement.setDocumentPrefix(movementPrefix);
        movement.setItemCode(line.itemCode);
        movement.setItemName(line.itemName);
        movement.setUnitCode(1);
        movement.setUnitName(line.unitName);
        movement.setUnitQty(line.unitQty);
        movement.setOutQty(base);
        movement.setOutAmount(value);
        movement.setOutPrice(base == 0 ? 0 : value / base);
        movement.setDocumentNo(deliveryNo);
        movement.setDocumentDate(sale.date);
        movement.setDocumentType(QStringLiteral("OUT"));
        movement.setLocationID(sale.locationId);
        movement.setLocationName(sale.locationName);
        movement.setLastUpdate(poster.stamp);
        act(movement, [&] { return movement.StockMovement(base); });
        // The goods leave the location they lie at, as a delivery's do.
        PackageLocationStock location;
        location.setAdoConnectionObject(&poster.connection);
        location.setCompanyPrefix(sale.company);
        location.setBranchPrefix(sale.branch);
        location.setItemCode(line.itemCode);
        location.setItemName(line.itemName);
        location.setUnitName(line.unitName);
        location.setLocationCode(sale.locationId);
        location.setLocationName(sale.locationName);
        location.setLocationQty(line.quantity);
        location.setLastUpdate(poster.stamp);
        act(location, [&] { return location.UpdateLocationStock(LocationStock::kGoodsLeaving); });
        const std::optional<BranchItem> branchItem = findBranchItem(poster.connection, line.itemCode, sale.branch);
        QString inventory = branchItem ? branchItem->accounts[0] : QString();
        if (inventory.isEmpty())
            inventory = item->accounts[0];
        const QString code = line.itemCode.mid(2);
        cost.ledger(inventory, QStringLiteral("Inventory Account : Item Code - ") + code, 0, value);
        cost.ledger(costOfGoods, QStringLiteral("Cost Of Goods Account : Item Code - ") + code, value, 0);
        values.push_back(value);
    }
    return values;
}

// The sale itself: the customer owes it (credit) or paid it in cash.
void postRevenue(const Poster &poster, const Amounts &amounts, bool cash) {
    const SaleDocument &sale = poster.sale;
    QString paidInto;
    if (cash) {
        paidInto = preference(poster.connection, "Default_Account_Preferences", "Cash_Memo_Account_No", sale);
    } else {
        const QString stored = poster.connection
                                   .scalar(QStringLiteral("Select AR_Account_No from Customer_Master Where "
                                                          "Customer_Code = ?"),
                                           {sale.customerCode})
                                   .toString();
        paidInto = stored.left(2) + sale.branch + stored.mid(4); // the account of the sale's branch
        ReceivableLine entry{poster.documentNo,
                             poster.prefix,
                             sale.date,
                             sale.currencyCode,
                             sale.currencySymbol,
                             QStringLiteral("Accounts Receivable : Customer Code - ") + sale.customerCode,
                             {},
                             paidInto,
                             sale.customerCode,
                             sale.branch,
                             amounts.total(),
                             0,
                             poster.foreign(amounts.total()),
                             0,
                             sale.foreignCurrency,
                             poster.stamp};
        QString company;
        const QString refused = checkReceivableLine(poster.connection, entry, company);
        require(refused.isEmpty(), refused);
        writeReceivableLine(poster.connection, entry, company);
    }
    poster.ledger(paidInto, cash ? QStringLiteral("Cash Memo Account") : QStringLiteral("Accounts Receivable"),
                  amounts.total(), 0);
    if (amounts.discount != 0)
        poster.ledger(preference(poster.connection, "Default_Sales_Preferences", "Sales_Disc_Account_No", sale),
                      QStringLiteral("Discount Account"), amounts.discount, 0);
    poster.ledger(preference(poster.connection, "Default_Sales_Preferences",
                             cash ? "Cash_Sales_Account_No" : "Credit_Sales_Account_No", sale),
                  QStringLiteral("Sales Account"), 0, amounts.subTotal);
}

struct Line {
    const SaleLine &sale;
    double amount;
    double value;
    int serial;
};

void writeDelivery(Connection &connection, const SaleDocument &sale, const QString &number, bool invoiced,
                   const Amounts &amounts, std::vector<Line> &lines, const QVariant &stamp) {
    const double rate = sale.foreignCurrency ? sale.exchangeRate : 1;
    insert(connection, QStringLiteral("Delivery_Master"),
           {{"Delivery_No", number}, {"Delivery_Identity", identityOf(number)}, {"Company_Prefix", sale.company},
            {"Branch_Prefix", sale.branch}, {"Document_Prefix", QStringLiteral("DEL")},
            {"Customer_Code", sale.customerCode}, {"customer_name", sale.customerName},
            {"Payment_Terms", QStringLiteral("30 Days")}, {"Payment_Type", QStringLiteral("Credit")},
            {"Foreign_Currency_Flag", sale.foreignCurrency}, {"Currency_Code", sale.currencyCode},
            {"Currency_Symbol", sale.currencySymbol}, {"Delivery_Date", sale.date}, {"Delivery_End_Date", sale.date},
            {"Source_Date", sale.date}, {"Delivery_SubTotal", amounts.subTotal},
            {"Delivery_FC_SubTotal", amounts.subTotal / rate}, {"Delivery_Disc_Amount", amounts.discount},
            {"Delivery_FC_Disc_Amount", amounts.discount / rate}, {"Delivery_Total_Amount", amounts.total()},
            {"Delivery_FC_Total_Amount", amounts.total() / rate}, {"Paid_Flag", 0}, {"Exchange_Rate", rate},
            {"Processed_Flag", 1}, {"Cancel_Flag", 0}, {"Allow_Cancel_Flag", 0}, {"Invoiced_Flag", invoiced ? 1 : 0},
            {"Year_End_Flag", 0}, {"Last_Update", stamp}});
    for (Line &line : lines) {
        LineSerial serial(connection, QStringLiteral("Delivery_Detail"));
        line.serial = serial.value();
        insert(connection, QStringLiteral("Delivery_Detail"),
               {{"Delivery_No", number}, {"SL_No", line.serial}, {"Item_Code", line.sale.itemCode},
                {"Item_Name", line.sale.itemName}, {"Unit_Code", 1}, {"Unit_Name", line.sale.unitName},
                {"FOC_Flag", 0}, {"Unit_Qty", line.sale.unitQty}, {"Delivery_Qty", line.sale.quantity},
                {"Delivery_Dtl_Unit_Price", line.sale.unitPrice}, {"Delivery_Dtl_FC_Unit_Price", line.sale.unitPrice / rate},
                {"Delivery_Disc_Amount", line.sale.discount}, {"Delivery_FC_Disc_Amount", line.sale.discount / rate},
                {"Delivery_Item_Amount", line.amount}, {"Delivery_FC_Item_Amount", line.amount / rate},
                {"Sales_Ord_Overall_Disc", 0}, {"Sales_Ord_Overall_FC_Disc", 0}, {"Location_Name", sale.locationName},
                {"Location_ID", sale.locationId}, {"Inventory_Value", line.value},
                {"Invoiced_Qty", invoiced ? line.sale.quantity : 0.0}, {"Return_Qty", 0},
                {"Proj_No", line.sale.project.isEmpty() ? QVariant() : QVariant(line.sale.project)},
                {"Last_Update", stamp}});
        serial.written();
    }
}

void writeInvoice(Connection &connection, const SaleDocument &sale, const QString &number, const QString &deliveryNo,
                  const Amounts &amounts, const std::vector<Line> &lines, const QVariant &stamp) {
    const double rate = sale.foreignCurrency ? sale.exchangeRate : 1;
    insert(connection, QStringLiteral("Sales_Invoice_Master"),
           {{"Sales_Inv_No", number}, {"Sales_Inv_Identity", identityOf(number)}, {"Company_Prefix", sale.company},
            {"Branch_Prefix", sale.branch}, {"Document_Prefix", QStringLiteral("INV")},
            {"Customer_Code", sale.customerCode}, {"customer_name", sale.customerName},
            {"Payment_Terms", QStringLiteral("30 Days")}, {"Payment_Type", QStringLiteral("Credit")},
            {"Foreign_Currency_Flag", sale.foreignCurrency}, {"Exchange_Rate", rate}, {"Currency_Code", sale.currencyCode},
            {"Currency_Symbol", sale.currencySymbol}, {"Sales_Inv_Date", sale.date}, {"Sales_Inv_End_Date", sale.date},
            {"Sales_Inv_SubTotal", amounts.subTotal}, {"Sales_Inv_FC_SubTotal", amounts.subTotal / rate},
            {"Sales_Inv_Disc_Percent", 0}, {"Sales_Inv_Disc_Amount", amounts.discount},
            {"Sales_Inv_FC_Disc_Amount", amounts.discount / rate}, {"Sales_Inv_Total_Amount", amounts.total()},
            {"Sales_Inv_FC_Total_Amount", amounts.total() / rate}, {"Balance_Amount", amounts.total()},
            {"Balance_FCAmount", amounts.total() / rate}, {"Processed_Flag", 1}, {"Cancel_Flag", 0},
            {"Allow_Cancel_Flag", 1}, {"Year_End_Flag", 0}, {"Last_Update", stamp}});
    int row = 0;
    for (const Line &line : lines)
        insert(connection, QStringLiteral("Sales_Invoice_Detail"),
               {{"Sales_Inv_No", number}, {"SL_No", ++row}, {"Item_Code", line.sale.itemCode},
                {"Item_Name", line.sale.itemName}, {"Unit_Code", 1}, {"Unit_Name", line.sale.unitName}, {"FOC_Flag", 0},
                {"Unit_Qty", line.sale.unitQty}, {"Sales_Inv_Qty", line.sale.quantity},
                {"Delivery_Qty", line.sale.quantity}, {"Sales_Inv_FC_Unit_Price", line.sale.unitPrice / rate},
                {"Sales_Inv_Dtl_FC_Disc_Amount", line.sale.discount / rate}, {"Sales_Ord_Overall_FC_Disc", 0},
                {"Sales_Inv_FC_Item_Amount", line.amount / rate}, {"Sales_Inv_Unit_Price", line.sale.unitPrice},
                {"Sales_Inv_Dtl_Disc_Amount", line.sale.discount}, {"Sales_Ord_Overall_Disc", 0},
                {"Sales_Inv_Item_Amount", line.amount},
                {"Proj_No", line.sale.project.isEmpty() ? QVariant() : QVariant(line.sale.project)},
                {"Delivery_Dtl_SL_No", line.serial}, {"Delivery_Flag", QStringLiteral("SalesOrder")},
                {"Delivery_No", deliveryNo}, {"Return_Qty", 0}, {"parentsalesInv_allitemsreturned", 0},
                {"Last_Update", stamp}});
}

void writeDirectInvoice(Connection &connection, const SaleDocument &sale, const QString &number,
                        const Amounts &amounts, const std::vector<Line> &lines, const QVariant &stamp) {
    const double rate = sale.foreignCurrency ? sale.exchangeRate : 1;
    insert(connection, QStringLiteral("Direct_Sales_Invoice_Master"),
           {{"Dir_Sales_Inv_No", number}, {"Dir_Sales_Inv_Identity", identityOf(number)},
            {"Company_Prefix", sale.company}, {"Branch_Prefix", sale.branch}, {"Document_Prefix", QStringLiteral("DSI")},
            {"Customer_Code", sale.customerCode}, {"Customer_Name", sale.customerName},
            {"Dir_Sales_Inv_Date", sale.date}, {"Payment_Terms", QStringLiteral("30 Days")},
            {"Payment_Type", QStringLiteral("Credit")}, {"Foreign_Currency_Flag", sale.foreignCurrency},
            {"Currency_Code", sale.currencyCode}, {"Currency_Symbol", sale.currencySymbol}, {"Exchange_Rate", rate},
            {"Dir_Sales_Inv_SubTotal", amounts.subTotal}, {"Dir_Sales_Inv_Total_Amount", amounts.total()},
            {"Dir_Sales_Inv_FC_Total_Amount", amounts.total() / rate}, {"Processed_Flag", 1}, {"Cancel_Flag", 0},
            {"Allow_Cancel_Flag", 0}, {"Year_End_Flag", 0}, {"Last_Update", stamp}});
    for (const Line &line : lines) {
        LineSerial serial(connection, QStringLiteral("Direct_Sales_Invoice_Detail"));
        insert(connection, QStringLiteral("Direct_Sales_Invoice_Detail"),
               {{"Dir_Sales_Inv_No", number}, {"SL_No", serial.value()}, {"Item_Code", line.sale.itemCode},
                {"Item_Name", line.sale.itemName}, {"Unit_Code", 1}, {"Unit_Name", line.sale.unitName}, {"FOC_Flag", 0},
                {"Unit_Qty", line.sale.unitQty}, {"Dir_Sales_Inv_Dtl_Qty", line.sale.quantity},
                {"Dir_Sales_Inv_Dtl_Unit_Price", line.sale.unitPrice},
                {"Dir_Sales_Inv_Dtl_FC_Unit_Price", line.sale.unitPrice / rate},
                {"Dir_Sales_Inv_Dtl_Disc_Percent",
                 line.sale.unitPrice == 0 ? 0.0 : 100 * line.sale.discount / line.sale.unitPrice},
                {"Dir_Sales_Inv_Dtl_Disc_Amount", line.sale.discount},
                {"Dir_Sales_Inv_Dtl_FC_Disc_Amount", line.sale.discount / rate},
                {"Dir_Sales_Inv_Dtl_Item_Amount", line.amount}, {"Dir_Sales_Inv_Dtl_FC_Item_Amount", line.amount / rate},
                {"Inventory_Value", line.value},
                {"Proj_No", line.sale.project.isEmpty() ? QVariant() : QVariant(line.sale.project)},
                {"Location_ID", sale.locationId}, {"Location_Name", sale.locationName}, {"Return_Qty", 0},
                {"Last_Update", stamp}});
        serial.written();
    }
}

void writeDirectDelivery(Connection &connection, const SaleDocument &sale, const QString &number,
                         const Amounts &amounts, const std::vector<Line> &lines, const QVariant &stamp) {
    const double rate = sale.foreignCurrency ? sale.exchangeRate : 1;
    insert(connection, QStringLiteral("Direct_Delivery_Master"),
           {{"Direct_Delivery_No", number}, {"Direct_Delivery_Identity", identityOf(number)},
            {"Company_Prefix", sale.company}, {"Branch_Prefix", sale.branch}, {"Document_Prefix", QStringLiteral("DDL")},
            {"Customer_Code", sale.customerCode}, {"customer_name", sale.customerName},
            {"Payment_Terms", QStringLiteral("30 Days")}, {"Payment_Type", QStringLiteral("Credit")},
            {"Foreign_Currency_Flag", sale.foreignCurrency}, {"Exchange_Rate", rate}, {"Currency_Code", sale.currencyCode},
            {"Currency_Symbol", sale.currencySymbol}, {"Direct_Delivery_Date", sale.date},
            {"Direct_Delivery_End_Date", sale.date}, {"Direct_Delivery_SubTotal", amounts.subTotal},
            {"Direct_Delivery_FC_SubTotal", amounts.subTotal / rate}, {"Direct_Delivery_Disc_Percent", 0},
            {"Direct_Delivery_Disc_Amount", amounts.discount}, {"Direct_Delivery_FC_Disc_Amount", amounts.discount / rate},
            {"Direct_Delivery_Total_Amount", amounts.total()}, {"Direct_Delivery_FC_Total_Amount", amounts.total() / rate},
            {"Paid_Flag", 0}, {"Cancel_Flag", 0}, {"Allow_Cancel_Flag", 0}, {"Processed_Flag", 1},
            {"Invoiced_Flag", 0}, {"Year_End_Flag", 0}, {"Last_Update", stamp}});
    for (const Line &line : lines) {
        LineSerial serial(connection, QStringLiteral("Direct_Delivery_Detail"));
        insert(connection, QStringLiteral("Direct_Delivery_Detail"),
               {{"Direct_Delivery_No", number}, {"SL_No", serial.value()}, {"Item_Code", line.sale.itemCode},
                {"Item_Name", line.sale.itemName}, {"Unit_Code", 1}, {"Unit_Name", line.sale.unitName}, {"FOC_Flag", 0},
                {"Unit_Qty", line.sale.unitQty}, {"Direct_Delivery_Qty", line.sale.quantity},
                {"Direct_Delivery_Dtl_FC_Unit_Price", line.sale.unitPrice / rate},
                {"Direct_Delivery_Dtl_Disc_Percent",
                 line.sale.unitPrice == 0 ? 0.0 : 100 * line.sale.discount / line.sale.unitPrice},
                {"Direct_Delivery_FC_Disc_Amount", line.sale.discount / rate},
                {"Direct_Delivery_FC_Item_Amount", line.amount / rate}, {"Direct_Delivery_Disc_Amount", line.sale.discount},
                {"Direct_Delivery_Item_Amount", line.amount}, {"Direct_Delivery_Dtl_Unit_Price", line.sale.unitPrice},
                {"Direct_Delivery_Overall_Disc_Amount", 0}, {"Direct_Delivery_Overall_Fc_Disc_Amount", 0},
                {"Proj_No", line.sale.project.isEmpty() ? QVariant() : QVariant(line.sale.project)},
                {"Location_Name", sale.locationName}, {"Location_ID", sale.locationId}, {"Inventory_Value", line.value},
                {"Invoiced_Qty", 0}, {"Return_Qty", 0}, {"Last_Update", stamp}});
        serial.written();
    }
}

void writeCashMemo(Connection &connection, const SaleDocument &sale, const QString &number, const Amounts &amounts,
                   const std::vector<Line> &lines, const QVariant &stamp) {
    const double rate = sale.foreignCurrency ? sale.exchangeRate : 1;
    insert(connection, QStringLiteral("Cash_Memo_Master"),
           {{"Cash_Memo_No", number}, {"Cash_Memo_Identity", identityOf(number)}, {"Company_Prefix", sale.company},
            {"Branch_Prefix", sale.branch}, {"Document_Prefix", QStringLiteral("CHM")},
            {"Customer_Code", sale.customerCode}, {"customer_name", sale.customerName}, {"Cash_Memo_Date", sale.date},
            {"Cash_Memo_End_Date", sale.date}, {"Foreign_Currency_Flag", sale.foreignCurrency},
            {"Currency_Code", sale.currencyCode}, {"Currency_Symbol", sale.currencySymbol}, {"Exchange_Rate", rate},
            {"Cash_Memo_SubTotal", amounts.subTotal}, {"Cash_Memo_FC_Sub_Total", amounts.subTotal / rate},
            {"Cash_Memo_Disc_Percent", 0}, {"Cash_Memo_Disc_Amount", amounts.discount},
            {"Cash_Memo_FC_Disc_Amount", amounts.discount / rate}, {"Cash_Memo_Total_Amount", amounts.total()},
            {"Cash_Memo_FC_Total_Amount", amounts.total() / rate}, {"Balance_Amount", 0}, {"Balance_FCAmount", 0},
            {"Adjusted_Amount", amounts.total()}, {"Adjusted_FCAmount", amounts.total() / rate},
            {"Payment_Type", QStringLiteral("Cash")}, {"Location_ID", sale.locationId},
            {"Location_Name", sale.locationName}, {"process_Flag", 1}, {"Cancel_Flag", 0}, {"Allow_Cancel_Flag", 0},
            {"Delivered_Flag", 1}, {"Paid_Flag", 0}, {"Year_End_Flag", 0}, {"Last_Update", stamp}});
    for (const Line &line : lines) {
        LineSerial serial(connection, QStringLiteral("Cash_Memo_Detail"));
        insert(connection, QStringLiteral("Cash_Memo_Detail"),
               {{"SL_No", serial.value()}, {"Cash_Memo_No", number}, {"Item_Code", line.sale.itemCode},
                {"Item_Name", line.sale.itemName}, {"Unit_Code", 1}, {"Unit_Name", line.sale.unitName}, {"FOC_Flag", 0},
                {"Unit_Qty", line.sale.unitQty}, {"Cash_Memo_Qty", line.sale.quantity},
                {"Cash_Memo_Delivered_Qty", line.sale.quantity}, {"Cash_Memo_Unit_Price", line.sale.unitPrice},
                {"Cash_Memo_FC_Unit_Price", line.sale.unitPrice / rate},
                {"Cash_Memo_Dtl_Disc_Percent",
                 line.sale.unitPrice == 0 ? 0.0 : 100 * line.sale.discount / line.sale.unitPrice},
                {"Cash_Memo_Disc_Amount", line.sale.discount}, {"Cash_Memo_FC_Disc_Amount", line.sale.discount / rate},
                {"Cash_Memo_Item_Amount", line.amount}, {"Cash_Memo_FC_Item_Amount", line.amount / rate},
                {"Cash_Memo_OverAll_Disc_Amount", 0}, {"Cash_Memo_OverAll_FC_Disc_Amount", 0},
                {"Location_ID", sale.locationId}, {"Location_Name", sale.locationName},
                {"Proj_No", line.sale.project.isEmpty() ? QVariant() : QVariant(line.sale.project)},
                {"Inventory_Value", line.value}, {"Return_Qty", 0}, {"Last_Update", stamp}});
        serial.written();
    }
}

const char *prefixOf(SaleKind kind) {
    switch (kind) {
    case SaleKind::Invoice:
        return "INV";
    case SaleKind::DirectInvoice:
        return "DSI";
    case SaleKind::Delivery:
        return "DEL";
    case SaleKind::DirectDelivery:
        return "DDL";
    case SaleKind::CashMemo:
        return "CHM";
    }
    return "";
}

} // namespace

WrittenSale writeProcessedSale(Connection &connection, const SaleDocument &document) {
    SaleDocument sale = document;
    if (!sale.date.isValid())
        sale.date = QDateTime::currentDateTime();
    WriteUnit unit(connection);
    const QVariant stamp = sale.date;
    WrittenSale written;
    written.number = sale.number.isEmpty() ? nextNumber(connection, sale, prefixOf(sale.kind)) : sale.number;
    if (sale.kind == SaleKind::Invoice)
        written.deliveryNumber = nextNumber(connection, sale, "DEL");
    const QString goodsLeave = sale.kind == SaleKind::Invoice ? written.deliveryNumber : written.number;

    Amounts amounts;
    for (const SaleLine &line : sale.lines) {
        amounts.subTotal += line.quantity * line.unitPrice;
        amounts.discount += line.quantity * line.discount;
    }
    written.total = amounts.total();
    const QString prefix = QString::fromLatin1(prefixOf(sale.kind));
    const Poster poster{connection, sale, written.number, prefix, stamp};
    const std::vector<double> values =
        takeOutOfStock(poster, goodsLeave, sale.kind == SaleKind::Invoice ? QStringLiteral("DEL") : prefix);
    std::vector<Line> lines;
    for (size_t i = 0; i < sale.lines.size(); ++i) {
        const SaleLine &line = sale.lines[i];
        lines.push_back({line, line.quantity * (line.unitPrice - line.discount), values[i], 0});
        written.cost += values[i];
    }

    switch (sale.kind) {
    case SaleKind::Invoice:
        writeDelivery(connection, sale, written.deliveryNumber, true, amounts, lines, stamp);
        writeInvoice(connection, sale, written.number, written.deliveryNumber, amounts, lines, stamp);
        break;
    case SaleKind::Delivery:
        writeDelivery(connection, sale, written.number, false, amounts, lines, stamp);
        break;
    case SaleKind::DirectInvoice:
        writeDirectInvoice(connection, sale, written.number, amounts, lines, stamp);
        break;
    case SaleKind::DirectDelivery:
        writeDirectDelivery(connection, sale, written.number, amounts, lines, stamp);
        break;
    case SaleKind::CashMemo:
        writeCashMemo(connection, sale, written.number, amounts, lines, stamp);
        break;
    }
    const bool sold = sale.kind != SaleKind::Delivery && sale.kind != SaleKind::DirectDelivery;
    if (sale.postEffects && sold)
        postRevenue(poster, amounts, sale.kind == SaleKind::CashMemo);
    unit.commit();
    return written;
}

} // namespace orbsales::package
