#include "sample_return.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QMetaMethod>

namespace orbsales::cli {

namespace {

const char *loaderOf(const QString &kind) {
    if (kind == QLatin1String("INV"))
        return "Get_Sales_Invoice";
    if (kind == QLatin1String("DSI"))
        return "Get_Direct_Sales_Invoice";
    if (kind == QLatin1String("DEL"))
        return "Get_Delivery";
    if (kind == QLatin1String("DDL"))
        return "Get_Direct_Delivery";
    if (kind == QLatin1String("CHM"))
        return "Get_CashMemo";
    throw OrbError(QStringLiteral("No loader for source kind %1").arg(kind));
}

// A loader called by name with its two by-reference arguments, as the front end calls it.
bool callLoader(FrontEndObject &salesReturn, const char *loader, QString &sourceNo, LineGrid *&grid) {
    const QMetaObject &type = *salesReturn.object().metaObject();
    for (int i = type.methodOffset(); i < type.methodCount(); ++i) {
        const QMetaMethod method = type.method(i);
        if (method.name() != loader || method.parameterCount() != 2)
            continue;
        bool result = false;
        void *argv[] = {&result, &sourceNo, &grid};
        QMetaObject::metacall(&salesReturn.object(), QMetaObject::InvokeMetaMethod, method.methodIndex(), argv);
        return result;
    }
    throw OrbError(QStringLiteral("%1 has no operation %2").arg(salesReturn.identifier(), QLatin1String(loader)));
}

double cell(const LineGrid &grid, int row, int col) { return numbers::leadingNumber(grid.cellText(row, col)); }
void setNumber(LineGrid &grid, int row, int col, double value) {
    grid.setCellText(row, col, numbers::numberText(numbers::roundHalfEven(value, 2)));
}

} // namespace

std::unique_ptr<FrontEndObject> newSalesReturn(Connection &connection, const QString &db) {
    auto salesReturn = std::make_unique<FrontEndObject>(QStringLiteral("OrbSales.SalesReturn"));
    salesReturn->set("AdoConnectionObject", QVariant::fromValue(&connection));
    salesReturn->set("ConnectionString", db);
    salesReturn->set("CompanyPrefix", QStringLiteral("01"));
    salesReturn->set("BranchPrefix", QStringLiteral("HO"));
    salesReturn->set("DocumentPrefix", QStringLiteral("SRT"));
    salesReturn->set("StockMovementPrefix", QStringLiteral("SRT"));
    salesReturn->set("SalesLogPrefix", QStringLiteral("SRT"));
    salesReturn->set("AmtDig", 2.0);
    salesReturn->set("OnlineFlag", true);
    salesReturn->set("LocationID", 1);
    salesReturn->set("LocationName", QStringLiteral("Main Store"));
    salesReturn->set("AllowCancelFlag", true);
    return salesReturn;
}

void writeReturnCaptions(LineGrid &grid) {
    static const char *const captions[] = {
        "",         "Sel",   "Item",     "Name",    "Unit",      "Unit Name", "Unit Qty", "Qty",
        "FC Price", "Disc%", "FC Disc",  "FC Ovr",  "FC Amount", "Amount",    "Disc",     "Cost",
        "SL",       "Price", "Project",  "Loc",     "Loc ID",    "Max Qty",   "Src FC D", "Src Disc",
        "Ovr",      "Unit",  "Proj",     "Cost 0",  "Src SL"};
    for (int col = 1; col < kReturnGridColumns && col < grid.columnCount(); ++col)
        grid.setCellText(0, col, QString::fromLatin1(captions[col]));
}

bool keyInReturn(FrontEndObject &salesReturn, LineGrid &grid, const SampleReturn &sample) {
    salesReturn.set("RefDocType", sample.sourceKind);
    salesReturn.set("SalesInvoiceType", sample.sourceKind);
    QString sourceNo = sample.sourceNo;
    LineGrid *handed = &grid;
    if (!callLoader(salesReturn, loaderOf(sample.sourceKind), sourceNo, handed))
        return false;
    writeReturnCaptions(grid);
    double subTotal = 0, discount = 0, fcSubTotal = 0, fcDiscount = 0;
    for (int row = 1; row < grid.rowCount(); ++row) {
        for (const auto &[item, quantity] : sample.quantities) {
            if (grid.cellText(row, 2) != item)
                continue;
            const double offered = cell(grid, row, 21);
            const double unitCost = offered == 0 ? 0 : cell(grid, row, 27) / offered;
            grid.setCellText(row, 1, QStringLiteral("1"));
            setNumber(grid, row, 7, quantity);
            setNumber(grid, row, 12, quantity * (cell(grid, row, 8) - cell(grid, row, 10)));
            setNumber(grid, row, 13, quantity * (cell(grid, row, 17) - cell(grid, row, 14)));
            setNumber(grid, row, 15, quantity * unitCost);
            subTotal += quantity * cell(grid, row, 17);
            discount += quantity * cell(grid, row, 14);
            fcSubTotal += quantity * cell(grid, row, 8);
            fcDiscount += quantity * cell(grid, row, 10);
        }
    }
    auto money = [](double value) { return numbers::roundHalfEven(value, 2); };
    salesReturn.set("SalesRtnDate", QDateTime(QDate::currentDate(), QTime(0, 0)));
    salesReturn.set("SalesRtnSubTotal", money(subTotal));
    salesReturn.set("SalesRtnDiscAmount", money(discount));
    salesReturn.set("SalesRtnTotalAmount", money(subTotal - discount));
    salesReturn.set("SalesRtnFCSubTotal", money(fcSubTotal));
    salesReturn.set("SalesRtnFCDiscAmount", money(fcDiscount));
    salesReturn.set("SalesRtnFCTotalAmount", money(fcSubTotal - fcDiscount));
    salesReturn.set("SalesRtnComments", sample.comments);
    salesReturn.set("PaymentType", QStringLiteral("Credit"));
    salesReturn.set("LastUpdate", QDateTime::currentDateTime());
    return true;
}

} // namespace orbsales::cli
