#include "bench.h"
#include "cash_memo_sample.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"

#include <QDateTime>

namespace orbsales::cli {

namespace {

constexpr int kLinesPerMemo = 10;
constexpr double kPrefilledPrice = 10;

void require(FrontEndObject &memo, const char *operation) {
    if (!memo.call(operation))
        throw OrbError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), memo.errDesc()));
}

// One memo of 10 lines keyed in at the counter, saved and processed online on the open
// connection the front end holds. Every other memo is a point-of-sale memo on which the goods of
// the one before come back, so the stock the benchmark sells never runs out.
void createAndProcessMemo(Connection &connection, const QString &db, int serial) {
    const bool returning = serial % 2 == 1;
    std::vector<SampleLine> lines;
    const auto items = demo::items();
    for (int line = 0; line < kLinesPerMemo; ++line)
        lines.push_back({QString::fromUtf8(items[line % items.size()].code), returning ? -1.0 : 1.0});
    MemoryGrid grid(kLinesPerMemo + 2, kCashMemoGridColumns);
    FrontEndObject memo(QStringLiteral("OrbSales.CashMemo"));
    memo.set("AdoDBConnectionObject", QVariant::fromValue(&connection));
    memo.set("ADOConnectionString", db);
    keyCashMemo(memo, grid, lines);
    memo.set("CustomerCode", demo::kCompany + QStringLiteral("C004"));
    memo.set("CustomerName", QStringLiteral("Walk-in Customer"));
    memo.set("PaymentType", QStringLiteral("Cash"));
    if (returning)
        memo.set("ReferencePrefix", QStringLiteral("POS"));
    require(memo, "Create_CashMemo");
    require(memo, "Process");
}

QVariantList values(std::initializer_list<QVariant> list) { return QVariantList(list); }

// Pre-filled memos belong to company 99, branch BN, so they never meet the demo's own: one
// master per 10 lines, processed away from the server and not posted (the books hold nothing of
// them, so verify stays clean).
void prefillMemos(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const QVariantList company{QStringLiteral("99")};
    const int firstSerial = connection.scalar(QStringLiteral("Select max(SL_No) from Cash_Memo_Detail")).toInt() + 1;
    const int firstIdentity =
        connection.scalar(QStringLiteral("Select count(*) from Cash_Memo_Master Where Company_Prefix = ?"), company)
            .toInt() +
        1;
    const int memos = (rows + kLinesPerMemo - 1) / kLinesPerMemo;
    auto number = [&](int memo) { return QStringLiteral("99BNCHM%1").arg(firstIdentity + memo); };
    progress.setTotal(qint64(memos) + rows);
    const double memoAmount = kPrefilledPrice * kLinesPerMemo;
    insertMany(
        connection, QStringLiteral("Cash_Memo_Master"),
        {QStringLiteral("Cash_Memo_No"), QStringLiteral("Cash_Memo_Identity"), QStringLiteral("Company_Prefix"),
         QStringLiteral("Branch_Prefix"), QStringLiteral("Document_Prefix"), QStringLiteral("Customer_Code"),
         QStringLiteral("customer_name"), QStringLiteral("Cash_Memo_Date"), QStringLiteral("Cash_Memo_End_Date"),
         QStringLiteral("Foreign_Currency_Flag"), QStringLiteral("Currency_Code"), QStringLiteral("Currency_Symbol"),
         QStringLiteral("Exchange_Rate"), QStringLiteral("Cash_Memo_SubTotal"), QStringLiteral("Cash_Memo_FC_Sub_Total"),
         QStringLiteral("Cash_Memo_Disc_Percent"), QStringLiteral("Cash_Memo_Disc_Amount"),
         QStringLiteral("Cash_Memo_FC_Disc_Amount"), QStringLiteral("Cash_Memo_Total_Amount"),
         QStringLiteral("Cash_Memo_FC_Total_Amount"), QStringLiteral("Balance_Amount"), QStringLiteral("Balance_FCAmount"),
         QStringLiteral("Adjusted_Amount"), QStringLiteral("Adjusted_FCAmount"), QStringLiteral("Payment_Type"),
         QStringLiteral("process_Flag"), QStringLiteral("Cancel_Flag"), QStringLiteral("Allow_Cancel_Flag"),
         QStringLiteral("Delivered_Flag"), QStringLiteral("Last_Update")},
        memos,
        [&](int i) {
            return values({number(i), firstIdentity + i, QStringLiteral("99"), QStringLiteral("BN"),
                           QStringLiteral("CHM"), QStringLiteral("99C001"), QStringLiteral("Bench Customer"), now, now, 0,
                           QStringLiteral("AED"), QStringLiteral("Dhs"), 1.0, memoAmount, memoAmount, 0.0, 0.0, 0.0,
                           memoAmount, memoAmount, 0.0, 0.0, memoAmount, memoAmount, QStringLiteral("Cash"), 1, 0, 1, 1,
                           now});
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Cash_Memo_Detail"),
        {QStringLiteral("Cash_Memo_No"), QStringLiteral("SL_No"), QStringLiteral("Item_Code"),
         QStringLiteral("Item_Name"), QStringLiteral("Unit_Code"), QStringLiteral("Unit_Name"),
         QStringLiteral("FOC_Flag"), QStringLiteral("Unit_Qty"), QStringLiteral("Cash_Memo_Qty"),
         QStringLiteral("Cash_Memo_Delivered_Qty"), QStringLiteral("Cash_Memo_Unit_Price"),
         QStringLiteral("Cash_Memo_FC_Unit_Price"), QStringLiteral("Cash_Memo_Dtl_Disc_Percent"),
         QStringLiteral("Cash_Memo_Disc_Amount"), QStringLiteral("Cash_Memo_FC_Disc_Amount"),
         QStringLiteral("Cash_Memo_Item_Amount"), QStringLiteral("Cash_Memo_FC_Item_Amount"),
         QStringLiteral("Return_Qty"), QStringLiteral("Last_Update")},
        rows,
        [&](int i) {
            const QString item = QStringLiteral("99P%1").arg(1 + i % 100);
            return values({number(i / kLinesPerMemo), firstSerial + i, item, QStringLiteral("Bench Item ") + item, 1.0,
                           QStringLiteral("Nos"), 0, 1.0, 1.0, 1.0, kPrefilledPrice, kPrefilledPrice, 0.0, 0.0, 0.0,
                           kPrefilledPrice, kPrefilledPrice, 0.0, now});
        },
        &progress);
}

} // namespace

Measurement cashMemoMeasurement() {
    Measurement measurement{"cash memos (10 lines each, created and processed online; every other one a "
                            "point-of-sale memo taking the goods back)",
                            "cash memo", "cash memo lines", nullptr, prefillMemos};
    measurement.createOnConnection = createAndProcessMemo;
    return measurement;
}

} // namespace orbsales::cli
