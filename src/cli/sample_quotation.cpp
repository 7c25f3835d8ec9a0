#include "sample_quotation.h"

#include "front_end.h"

#include "orbsales/values/errors.h"
#include "orbsales/grid/line_grid.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>

namespace orbsales::cli {

namespace {

double money(double value) { return numbers::roundHalfEven(value, 2); }
QString text(double value) { return numbers::numberText(value); }

const demo::DemoItem &itemOf(const QString &code) {
    for (const demo::DemoItem &item : demo::items())
        if (QString::fromUtf8(item.code) == code)
            return item;
    throw OrbError(QStringLiteral("the demo company has no item %1").arg(code));
}

} // namespace

void writeQuotationCaptions(LineGrid &grid) {
    static const char *const captions[] = {"",          "Item",   "Name",     "Unit",   "Unit Name",
                                           "Unit Qty",  "Qty",    "FC Price", "Disc %", "FC Disc",
                                           "FC Amount", "Amount", "Disc Amt", "Price",  "FOC"};
    for (int col = 1; col < kQuotationGridColumns && col < grid.columnCount(); ++col)
        grid.setCellText(0, col, QString::fromLatin1(captions[col]));
}

void fillQuotation(FrontEndObject &quotation, LineGrid &grid, const SampleQuotation &sample) {
    const bool foreign = sample.currency != demo::kHomeCurrency;
    const double rate = foreign ? demo::kForeignRate : 1.0;

    for (int row = 1; row < grid.rowCount(); ++row)
        for (int col = 1; col < grid.columnCount(); ++col)
            grid.setCellText(row, col, QString());
    if (int(sample.lines.size()) + 1 >= grid.rowCount())
        grid.setRowCount(int(sample.lines.size()) + 2);

    double subTotal = 0;
    double fcSubTotal = 0;
    int row = 1;
    for (const SampleLine &line : sample.lines) {
        const demo::DemoItem &item = itemOf(line.code);
        // Items are priced in the home currency; a foreign-currency quotation quotes the
        // converted price and keeps the home amounts beside it.
        const double fcPrice = foreign ? money(item.price / rate) : item.price;
        const double fcGross = money(line.qty * fcPrice);
        const double fcDiscount = money(fcGross * line.discountPercent / 100);
        const double fcAmount = fcGross - fcDiscount;
        const double price = foreign ? money(fcPrice * rate) : fcPrice;
        const double amount = foreign ? money(fcAmount * rate) : fcAmount;
        const double discount = foreign ? money(fcDiscount * rate) : fcDiscount;
        const QString cells[] = {line.code,           QString::fromUtf8(item.name),
                                 QStringLiteral("1"), QString::fromUtf8(item.unit),
                                 QStringLiteral("1"), text(line.qty),
                                 text(fcPrice),       text(line.discountPercent),
                                 text(fcDiscount),    text(fcAmount),
                                 text(amount),        text(discount),
                                 text(price),         QStringLiteral("0")};
        for (int col = 1; col < kQuotationGridColumns; ++col)
            grid.setCellText(row, col, cells[col - 1]);
        subTotal += amount;
        fcSubTotal += fcAmount;
        ++row;
    }
    subTotal = money(subTotal);
    fcSubTotal = money(fcSubTotal);
    const double discount = money(subTotal * sample.discountPercent / 100);
    const double fcDiscount = money(fcSubTotal * sample.discountPercent / 100);

    const QDateTime date(sample.date.isValid() ? sample.date : QDate::currentDate(), QTime(0, 0));
    quotation.set("CompanyPrefix", demo::kCompany);
    quotation.set("BranchPrefix", sample.branch);
    quotation.set("DocumentPrefix", QStringLiteral("SQT"));
    quotation.set("CustomerCode", demo::kCompany + sample.customerCode);
    quotation.set("CustomerName", sample.customerName);
    quotation.set("SalesQuotDate", date);
    quotation.set("SalesQuotValidDate", date.addDays(30));
    quotation.set("SalesQuotRefNo", sample.reference);
    quotation.set("SalesQuotComments", sample.comments);
    quotation.set("SalesQuotSubTotal", subTotal);
    quotation.set("SalesQuotDiscPercent", sample.discountPercent);
    quotation.set("SalesQuotDiscAmount", discount);
    quotation.set("SalesQuotAmount", money(subTotal - discount));
    quotation.set("SalesQuotFCSubTotal", fcSubTotal);
    quotation.set("SalesQuotFCDiscAmount", fcDiscount);
    quotation.set("SalesQuotFCAmount", money(fcSubTotal - fcDiscount));
    quotation.set("ForeignCurrencyFlag", foreign);
    quotation.set("ExchangeRate", rate);
    quotation.set("CurrencyCode", sample.currency);
    quotation.set("AllowCancelFlag", true);
    quotation.set("EmployeeID", QStringLiteral("E01"));
    quotation.set("EmployeeName", QStringLiteral("Demo User"));
    quotation.set("LastUpdate", QDateTime::currentDateTime());
    quotation.setGrid("QuotationGrid", &grid);
}

} // namespace orbsales::cli
