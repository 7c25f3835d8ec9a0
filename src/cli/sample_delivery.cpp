#include "sample_delivery.h"

#include "front_end.h"

#include "orbsales/data/connection.h"

#include "orbsales/grid/line_grid.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/seed_deliveries.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <QMetaObject>

namespace orbsales::cli {

namespace {

void writeCaptions(LineGrid &grid, std::initializer_list<const char *> captions) {
    int col = 1;
    for (const char *caption : captions)
        if (col < grid.columnCount())
            grid.setCellText(0, col++, QString::fromLatin1(caption));
}

double money(double value) { return numbers::roundHalfEven(value, 2); }

} // namespace

void writeDeliveryCaptions(LineGrid &grid) {
    writeCaptions(grid, {"Tick", "Item", "Name", "Unit", "Unit Name", "Unit Qty", "Qty", "Project", "Source SL",
                         "Price", "Disc", "FC Disc", "Amount", "FC Amount", "FC Price", "Open", "Ordered",
                         "Overall Disc", "FC Overall", "Location", "Loc ID", "FOC"});
}

void writeDirectDeliveryCaptions(LineGrid &grid) {
    writeCaptions(grid, {"Item", "Name", "Unit", "Unit Name", "Unit Qty", "Qty", "FC Price", "Disc %", "FC Disc",
                         "FC Amount", "Amount", "Disc", "Price", "Location", "Project No", "Project", "Loc ID",
                         "FOC"});
}

std::unique_ptr<FrontEndObject> newDelivery(Connection &connection, const QString &db, const QString &branch) {
    auto delivery = std::make_unique<FrontEndObject>(QStringLiteral("OrbSales.Delivery"));
    delivery->set("AdoDBConnectionObject", QVariant::fromValue(&connection));
    delivery->set("ADOConnectionString", db);
    delivery->set("CompanyPrefix", demo::kCompany);
    delivery->set("BranchPrefix", branch);
    delivery->set("DocumentPrefix", QStringLiteral("DEL"));
    delivery->set("StockMovementPrefix", QStringLiteral("DEL"));
    delivery->set("SalesLogPrefix", QStringLiteral("DEL"));
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    delivery->set("DeliveryDate", today);
    delivery->set("DeliveryEndDate", today);
    delivery->set("AmtDig", 2.0);
    delivery->set("OnlineFlag", true);
    delivery->set("SyncFlag", false);
    delivery->set("LastUpdate", QDateTime::currentDateTime());
    return delivery;
}

int pickLines(FrontEndObject &delivery, LineGrid &grid, const QString &branch,
              const std::function<double(int row, double open)> &take) {
    const package::StockLocation location = package::demoLocation(branch);
    double total = 0;
    int ticked = 0;
    for (const int row : GridLines(grid, 2, 3)) {
        const double quantity = take(row, numbers::leadingNumber(grid.cellText(row, 16)));
        if (quantity <= 0)
            continue;
        const double price = numbers::leadingNumber(grid.cellText(row, 10));
        const double amount = money(quantity * price);
        grid.setCellText(row, 1, QStringLiteral("1"));
        grid.setCellText(row, 7, numbers::numberText(quantity));
        grid.setCellText(row, 13, numbers::numberText(amount));
        grid.setCellText(row, 14, numbers::numberText(amount));
        grid.setCellText(row, 20, location.name);
        grid.setCellText(row, 21, QString::number(location.id));
        total += amount;
        ++ticked;
    }
    total = money(total);
    for (const char *property : {"DeliverySubtotal", "DeliveryFCSubtotal", "DeliveryTotalAmount",
                                 "DeliveryFCTotalAmount"})
        delivery.set(property, total);
    delivery.set("DeliveryDiscAmount", 0.0);
    delivery.set("DeliveryFCDiscAmount", 0.0);
    return ticked;
}

bool processDelivery(FrontEndObject &delivery, const QString &from) {
    QString strFrom = from;
    bool result = false;
    if (!QMetaObject::invokeMethod(&delivery.object(), "Process_Delivery", Qt::DirectConnection,
                                   Q_RETURN_ARG(bool, result), Q_ARG(QString &, strFrom)))
        throw OrbError(QStringLiteral("%1 has no operation Process_Delivery(String&)").arg(delivery.identifier()));
    return result;
}

} // namespace orbsales::cli
