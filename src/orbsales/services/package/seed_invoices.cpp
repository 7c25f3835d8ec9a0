#include "orbsales/services/package/seed_invoices.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/services/package/demo_company.h"

namespace orbsales::package {

namespace {

// Column names of the two kinds of delivery.
struct DeliveryColumns {
    const char *master;
    const char *detail;
    const char *number;
    const char *identity;
    const char *date;
    const char *endDate;
    const char *quantity;
    const char *price;
    const char *fcPrice;
    const char *amount;
    const char *fcAmount;
};

constexpr DeliveryColumns kNote{"Delivery_Master",      "Delivery_Detail",         "Delivery_No",
                                "Delivery_Identity",    "Delivery_Date",           "Delivery_End_Date",
                                "Delivery_Qty",         "Delivery_Dtl_Unit_Price", "Delivery_Dtl_FC_Unit_Price",
                                "Delivery_Item_Amount", "Delivery_FC_Item_Amount"};
constexpr DeliveryColumns kDirect{
    "Direct_Delivery_Master",      "Direct_Delivery_Detail",         "Direct_Delivery_No",
    "Direct_Delivery_Identity",    "Direct_Delivery_Date",           "Direct_Delivery_End_Date",
    "Direct_Delivery_Qty",         "Direct_Delivery_Dtl_Unit_Price", "Direct_Delivery_Dtl_FC_Unit_Price",
    "Direct_Delivery_Item_Amount", "Direct_Delivery_FC_Item_Amount"};

QString name(const char *column) { return QString::fromLatin1(column); }

} // namespace

void writeOpenDelivery(Connection &connection, const OpenDelivery &delivery) {
    const DeliveryColumns &c = delivery.direct ? kDirect : kNote;
    const bool foreign = delivery.exchangeRate != 1;
    double total = 0;
    double fcTotal = 0;
    for (const OpenDeliveryLine &line : delivery.lines) {
        total += line.quantity * line.price;
        fcTotal += line.quantity * line.fcPrice;
    }
    Recordset master;
    master.open(QStringLiteral("Select * from ") + name(c.master), {}, connection, CursorType::Keyset);
    master.addNew();
    master.setValue(name(c.number), delivery.number);
    master.setValue(name(c.identity), delivery.identity);
    master.setValue(u"Company_Prefix", delivery.company);
    master.setValue(u"Branch_Prefix", delivery.branch);
    master.setValue(u"Document_Prefix", delivery.number.mid(4, 3));
    master.setValue(u"Customer_Code", delivery.customerCode);
    master.setValue(u"customer_name", delivery.customerName);
    master.setValue(u"Payment_Terms", QStringLiteral("30 Days"));
    master.setValue(u"Payment_Type", QStringLiteral("Credit"));
    master.setValue(u"Foreign_Currency_Flag", foreign);
    master.setValue(u"Exchange_Rate", delivery.exchangeRate);
    master.setValue(u"Currency_Code", delivery.currencyCode);
    master.setValue(u"Currency_Symbol", delivery.currencySymbol);
    master.setValue(name(c.date), delivery.date);
    master.setValue(name(c.endDate), delivery.date);
    master.setValue(delivery.direct ? u"Direct_Delivery_SubTotal" : u"Delivery_SubTotal", total);
    master.setValue(delivery.direct ? u"Direct_Delivery_FC_SubTotal" : u"Delivery_FC_SubTotal", fcTotal);
    master.setValue(delivery.direct ? u"Direct_Delivery_Total_Amount" : u"Delivery_Total_Amount", total);
    master.setValue(delivery.direct ? u"Direct_Delivery_FC_Total_Amount" : u"Delivery_FC_Total_Amount", fcTotal);
    master.setValue(u"Processed_Flag", 1);
    master.setValue(u"Allow_Cancel_Flag", 0);
    master.setValue(u"Last_Update", delivery.date);
    master.update();

    Recordset detail;
    detail.open(QStringLiteral("Select * from ") + name(c.detail), {}, connection, CursorType::Keyset);
    for (const OpenDeliveryLine &line : delivery.lines) {
        LineSerial serial(connection, name(c.detail));
        detail.addNew();
        detail.setValue(name(c.number), delivery.number);
        detail.setValue(u"SL_No", serial.value());
        detail.setValue(u"Item_Code", line.itemCode);
        detail.setValue(u"Item_Name", line.itemName);
        detail.setValue(u"Unit_Code", 1);
        detail.setValue(u"Unit_Name", line.unitName);
        if (!line.periodType.isEmpty())
            detail.setValue(u"Period_Type", line.periodType);
        detail.setValue(u"FOC_Flag", 0);
        detail.setValue(u"Unit_Qty", 1);
        detail.setValue(name(c.quantity), line.quantity);
        detail.setValue(name(c.price), line.price);
        detail.setValue(name(c.fcPrice), line.fcPrice);
        detail.setValue(delivery.direct ? u"Direct_Delivery_Disc_Amount" : u"Delivery_Disc_Amount", 0);
        detail.setValue(delivery.direct ? u"Direct_Delivery_FC_Disc_Amount" : u"Delivery_FC_Disc_Amount", 0);
        detail.setValue(name(c.amount), line.quantity * line.price);
        detail.setValue(name(c.fcAmount), line.quantity * line.fcPrice);
        detail.setValue(u"Location_ID", 1);
        detail.setValue(u"Location_Name", QStringLiteral("Main Store"));
        detail.setValue(u"Last_Update", delivery.date);
        detail.update();
        serial.written();
    }
}

void seedOpenDeliveries(Connection &connection) {
    const QDateTime date(QDate::currentDate().addDays(-7), QTime(0, 0));
    const QString customer = demo::kCompany + QStringLiteral("C003");
    const double rate = demo::kForeignRate;
    auto delivery = [&](bool direct, const QString &branch, qint32 identity, std::vector<OpenDeliveryLine> lines) {
        const QString prefix = direct ? QStringLiteral("DDL") : QStringLiteral("DEL");
        writeOpenDelivery(connection, {direct, demo::kCompany + branch + prefix + QString::number(identity), identity,
                                       demo::kCompany, branch, customer, QStringLiteral("Harbour Imports Inc."),
                                       demo::kForeignCurrency, QStringLiteral("$"), rate, date, std::move(lines)});
        connection.execute(QStringLiteral("Update Document_Prefix Set Document_Next_No = ? Where Document_Prefix = ? "
                                          "and Company_Prefix = ? and Branch_Prefix = ? and Document_Next_No <= ?"),
                           {identity + 1, prefix, demo::kCompany, branch, identity});
    };
    // Dollar prices whose home price at 3.6725 is exact to the cent.
    delivery(
        false, demo::kHeadOffice, 1,
        {{QStringLiteral("01A100"), QStringLiteral("Widget"), QStringLiteral("Nos"), {}, 5, 4, 4 * rate},
         {QStringLiteral("01B100"), QStringLiteral("Steel Bracket"), QStringLiteral("Box"), {}, 2, 24, 24 * rate}});
    delivery(false, demo::kSecondBranch, 1,
             {{QStringLiteral("01A200"), QStringLiteral("Gadget"), QStringLiteral("Nos"), {}, 3, 12, 12 * rate}});
    delivery(true, demo::kHeadOffice, 2,
             {{QStringLiteral("01S100"), QStringLiteral("Installation Service"), QStringLiteral("Hrs"),
               QStringLiteral("Hourly"), 6, 40, 40 * rate}});
}

} // namespace orbsales::package
