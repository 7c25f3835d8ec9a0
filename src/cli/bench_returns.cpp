#include "bench.h"
#include "front_end.h"
#include "sample_return.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/processed_sales.h"
#include "orbsales/values/errors.h"

#include <QDateTime>

// Returns of 10 lines processed with their credit memo. Each timed return comes back from a
// direct sales invoice of its own, sold just before on the benchmark's connection (the sale is
// part of the time), of the ten benchmark items: stock items costed FIFO, LIFO and by average,
// each holding one large purchase lot. The pre-fill adds purchase lots of other items and saved
// returns, half of each.
namespace orbsales::cli {

namespace {

constexpr int kLinesPerReturn = 10;
constexpr int kLotsPerPrefilledItem = 100;
constexpr double kLotQuantity = 1000000;
constexpr double kLotUnitCost = 4;
constexpr double kPrice = 10;
const char *const kCostings[] = {"FIFO", "LIFO", "AVEG"};

QString benchItem(int line) { return QStringLiteral("01RB%1").arg(line + 1, 2, 10, QLatin1Char('0')); }

QVariantList values(std::initializer_list<QVariant> list) { return QVariantList(list); }

// The ten items, once per database: in the head office with a lot that lasts the whole run.
void ensureItems(Connection &connection) {
    if (connection.scalar(QStringLiteral("Select count(*) from Item_Master Where Item_Code = ?"), {benchItem(0)})
            .toInt() > 0)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const double value = kLotQuantity * kLotUnitCost;
    connection.beginTransaction();
    for (int i = 0; i < kLinesPerReturn; ++i) {
        const QString code = benchItem(i);
        connection.execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, "
                                          "Costing_Type, Unit_Code, Unit_Name, Base_Qty, Unit_Price, Selling_Price, "
                                          "Last_Update) values (?, ?, '01', '0', ?, 1, 'Nos', 1, ?, ?, ?)"),
                           {code, QStringLiteral("Bench Return Item %1").arg(i + 1),
                            QString::fromLatin1(kCostings[i % 3]), kPrice, kPrice, now});
        connection.execute(QStringLiteral("Insert into Item_Detail (Item_Code, Unit_Code, Unit_Name, Unit_Qty, "
                                          "Selling_Price, Last_Update) values (?, 1, 'Nos', 1, ?, ?)"),
                           {code, kPrice, now});
        connection.execute(
            QStringLiteral("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, Base_Qty, "
                           "Opening_Stock, Opening_Stock_Amount, Stock_In_Hand, Stock_Amount, Ordered_Qty, "
                           "Inventory_Account_No, COGS_Account_No, Last_Update) values (?, '01', 'HO', 1, ?, ?, ?, ?, "
                           "0, '01HO1300', '01HO5000', ?)"),
            {code, kLotQuantity, value, kLotQuantity, value, now});
        connection.execute(QStringLiteral("Insert into Purchase_Log (Item_Code, Company_Prefix, Branch_Prefix, "
                                          "Purchase_Document_No, Purchase_Log_Date, Total_Purchase_Qty, Sold_Qty, "
                                          "Purchase_Item_Amount, Last_Update) values (?, '01', 'HO', 'Bench', ?, ?, 0, "
                                          "?, ?)"),
                           {code, now, kLotQuantity, value, now});
    }
    // The stock bought is owed to the head office's equity, as the opening stock is.
    connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = Opening_Balance + ? Where "
                                      "Account_No = '01HO1300'"),
                       {value * kLinesPerReturn});
    connection.execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = Opening_Balance - ? Where "
                                      "Account_No = '01HO3000'"),
                       {value * kLinesPerReturn});
    connection.commit();
}

void returnOne(Connection &connection, const QString &db, int serial) {
    ensureItems(connection);
    package::SaleDocument sale;
    sale.kind = package::SaleKind::DirectInvoice;
    sale.customerCode = QStringLiteral("01C002");
    sale.customerName = QStringLiteral("Gulf Builders Co.");
    sale.date = QDateTime(QDate::currentDate(), QTime(0, 0));
    SampleReturn sample{QStringLiteral("DSI"), QString(), {}, QStringLiteral("Bench %1").arg(serial)};
    for (int line = 0; line < kLinesPerReturn; ++line) {
        sale.lines.push_back({benchItem(line), QStringLiteral("Bench Return Item %1").arg(line + 1),
                              QStringLiteral("Nos"), 1, 2, kPrice, 0, QString()});
        sample.quantities.emplace_back(benchItem(line).mid(2), 1 + (serial + line) % 2);
    }
    sample.sourceNo = package::writeProcessedSale(connection, sale).number;

    auto salesReturn = newSalesReturn(connection, db);
    MemoryGrid grid(2, kReturnGridColumns);
    salesReturn->setGrid("SalRetGridName", &grid);
    if (!keyInReturn(*salesReturn, grid, sample))
        throw OrbError(QStringLiteral("Get_Direct_Sales_Invoice failed: %1").arg(salesReturn->errDesc()));
    for (const char *operation : {"Create_Sales_Rtn", "Return_Process"})
        if (!salesReturn->call(operation))
            throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), salesReturn->errDesc()));
}

// Half closed purchase lots of company 99's items (a hundred per item), half saved returns of
// company 99, branch BN, ten lines each, awaiting processing.
void prefillReturns(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const QVariantList company{QStringLiteral("99")};
    const int lots = rows / 2;
    const int lines = rows - lots;
    const int returns = (lines + kLinesPerReturn - 1) / kLinesPerReturn;
    const int firstLotItem =
        connection
            .scalar(QStringLiteral("Select count(*) from Purchase_Log Where Company_Prefix = ?"), company)
            .toInt() /
            kLotsPerPrefilledItem +
        1;
    const int firstIdentity =
        connection.scalar(QStringLiteral("Select count(*) from Sales_Return_Master Where Company_Prefix = ?"), company)
            .toInt() +
        1;
    const int firstSerial = connection.scalar(QStringLiteral("Select max(SL_No) from Sales_Return_Detail")).toInt() + 1;
    progress.setTotal(qint64(lots) + returns + lines);

    insertMany(
        connection, QStringLiteral("Purchase_Log"),
        {QStringLiteral("Item_Code"), QStringLiteral("Company_Prefix"), QStringLiteral("Branch_Prefix"),
         QStringLiteral("Purchase_Document_No"), QStringLiteral("Purchase_Log_Date"),
         QStringLiteral("Total_Purchase_Qty"), QStringLiteral("Sold_Qty"), QStringLiteral("Purchase_Item_Amount"),
         QStringLiteral("Last_Update")},
        lots,
        [&](int i) {
            return values({QStringLiteral("99P%1").arg(firstLotItem + i / kLotsPerPrefilledItem),
                           QStringLiteral("99"), QStringLiteral("BN"), QStringLiteral("99BNPUR%1").arg(i),
                           now.addDays(-(i % kLotsPerPrefilledItem)), 10.0, 10.0, 40.0, now});
        },
        &progress);
    auto number = [&](int i) { return QStringLiteral("99BNSRTTMP%1").arg(firstIdentity + i); };
    insertMany(
        connection, QStringLiteral("Sales_Return_Master"),
        {QStringLiteral("Sales_Rtn_No"), QStringLiteral("Sales_Rtn_Identity"), QStringLiteral("Company_Prefix"),
         QStringLiteral("Branch_Prefix"), QStringLiteral("Document_Prefix"), QStringLiteral("Sales_Rtn_Date"),
         QStringLiteral("Customer_Code"), QStringLiteral("customer_name"), QStringLiteral("Foreign_Currency_Flag"),
         QStringLiteral("Currency_Code"), QStringLiteral("Currency_Symbol"), QStringLiteral("Exchange_Rate"),
         QStringLiteral("Sales_Rtn_SubTotal"), QStringLiteral("Sales_Rtn_Disc_Amount"),
         QStringLiteral("Sales_Rtn_Total_Amount"), QStringLiteral("Cancel_Flag"), QStringLiteral("Allow_Cancel_Flag"),
         QStringLiteral("Processed_Flag"), QStringLiteral("Year_End_Flag"), QStringLiteral("Ref_No"),
         QStringLiteral("Ref_Date"), QStringLiteral("Ref_Doc_Type"), QStringLiteral("Last_Update")},
        returns,
        [&](int i) {
            return values({number(i), firstIdentity + i, QStringLiteral("99"), QStringLiteral("BN"),
                           QStringLiteral("SRT"), now, QStringLiteral("99C001"), QStringLiteral("Bench Customer"), 0,
                           QStringLiteral("AED"), QStringLiteral("Dhs"), 1.0, 100.0, 0.0, 100.0, 0, 1, 0, 0,
                           QStringLiteral("99BNDSI%1").arg(firstIdentity + i), now, QStringLiteral("DSI"), now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Sales_Return_Detail"),
        {QStringLiteral("SL_No"), QStringLiteral("Sales_Rtn_No"), QStringLiteral("Item_Code"),
         QStringLiteral("Item_Name"), QStringLiteral("Unit_Code"), QStringLiteral("Unit_Name"),
         QStringLiteral("Unit_Qty"), QStringLiteral("Sales_Rtn_Qty"), QStringLiteral("Sales_Rtn_Unit_Price"),
         QStringLiteral("Sales_Rtn_Item_Amount"), QStringLiteral("Inventory_Value"), QStringLiteral("Location_ID"),
         QStringLiteral("Location_Name"), QStringLiteral("Ref_SL_No"), QStringLiteral("Last_Update")},
        lines,
        [&](int i) {
            return values({firstSerial + i, number(i / kLinesPerReturn), QStringLiteral("99P%1").arg(firstLotItem),
                           QStringLiteral("Bench Item"), 1.0, QStringLiteral("Nos"), 1.0, 1.0, kPrice, kPrice, 4.0,
                           QStringLiteral("1"), QStringLiteral("Main Store"), i % kLinesPerReturn + 1, now});
        },
        &progress);
}

} // namespace

Measurement returnMeasurement() {
    Measurement measurement{"returns (10 lines each, sold, returned and processed with a credit memo)", "return",
                            "purchase lots and return lines", nullptr, prefillReturns};
    measurement.createOnConnection = returnOne;
    return measurement;
}

} // namespace orbsales::cli
