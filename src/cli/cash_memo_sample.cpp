#include "cash_memo_sample.h"
#include "front_end.h"

#include "orbsales/grid/line_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>

namespace orbsales::cli {

namespace {

const demo::DemoItem &itemOf(const QString &code) {
    for (const demo::DemoItem &item : demo::items())
        if (QString::fromUtf8(item.code) == code)
            return item;
    throw OrbError(QStringLiteral("the demo company has no item ") + code);
}

QString text(double value) { return numbers::numberText(value); }

} // namespace

void writeCashMemoCaptions(LineGrid &grid) {
    static const char *const captions[] = {"",         "Item",     "Name",     "Unit",      "Unit Name", "Unit Qty",
                                           "Qty",      "FC Price", "Disc %",   "FC Disc",   "FC Amount", "Amount",
                                           "Disc Amt", "Price",    "Handed",   "Source SL", "Project",   "Project No",
                                           "FOC",      "Location", "Loc ID"};
    for (int col = 1; col < kCashMemoGridColumns && col < grid.columnCount(); ++col)
        grid.setCellText(0, col, QString::fromLatin1(captions[col]));
}

void keyCashMemo(FrontEndObject &memo, LineGrid &grid, const std::vector<SampleLine> &lines) {
    if (grid.rowCount() < int(lines.size()) + 2)
        grid.setRowCount(int(lines.size()) + 2);
    for (int row = 1; row < grid.rowCount(); ++row)
        for (int col = 1; col < grid.columnCount(); ++col)
            grid.setCellText(row, col, QString());
    double total = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const SampleLine &line = lines[i];
        const demo::DemoItem &item = itemOf(line.code);
        const double amount = numbers::roundHalfEven(line.qty * item.price, 2);
        total += amount;
        const QStringList cells{QString(),         line.code,         QString::fromUtf8(item.name),
                                QStringLiteral("1"), QString::fromUtf8(item.unit), QStringLiteral("1"),
                                text(line.qty),    text(item.price),  QStringLiteral("0"),
                                QStringLiteral("0"), text(amount),    text(amount),
                                QStringLiteral("0"), text(item.price), QStringLiteral("0"),
                                QStringLiteral("0"), QString(),       QString(),
                                QStringLiteral("0"), QStringLiteral("Main Store"), QStringLiteral("1")};
        for (int col = 1; col < kCashMemoGridColumns && col < grid.columnCount(); ++col)
            grid.setCellText(int(i) + 1, col, cells[col]);
    }
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    memo.set("CompanyPrefix", demo::kCompany);
    memo.set("BranchPrefix", demo::kHeadOffice);
    memo.set("DocumentPrefix", QStringLiteral("CHM"));
    memo.set("CashMemoDate", today);
    memo.set("CashMemoEndDate", today);
    memo.set("CurrencyCode", demo::kHomeCurrency);
    memo.set("ExchangeRate", 1.0);
    memo.set("CashMemoSubTotal", total);
    memo.set("CashMemoFCSubTotal", total);
    memo.set("CashMemoTotalAmount", total);
    memo.set("CashMemoFCTotalAmount", total);
    memo.set("AmtDig", 2.0);
    memo.set("SalesLogPrefix", QStringLiteral("CHM"));
    memo.set("StockMovementPrefix", QStringLiteral("CHM"));
    memo.set("LocationCode", 1);
    memo.set("LocationName", QStringLiteral("Main Store"));
    memo.set("OnlineFlag", true);
    memo.set("SyncFlag", false);
    memo.set("Database", QStringLiteral("SQLSERVER"));
    memo.set("LastUpdate", QDateTime::currentDateTime());
    memo.setGrid("CMGridName", &grid);
}

} // namespace orbsales::cli
