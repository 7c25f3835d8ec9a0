#include "bench.h"
#include "front_end.h"
#include "sample_quotation.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"
#include "orbsales/grid/memory_grid.h"

#include <QDateTime>

namespace orbsales::cli {

namespace {

constexpr int kLinesPerQuotation = 10;

void createQuotation(const QString &db, int serial) {
    MemoryGrid grid(kLinesPerQuotation + 2, kQuotationGridColumns);
    FrontEndObject quotation(QStringLiteral("OrbSales.SalesQuotation"));
    quotation.set("ADOConnectionString", db);
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C002");
    sample.customerName = QStringLiteral("Gulf Builders Co.");
    sample.reference = QStringLiteral("BENCH-%1").arg(serial);
    const auto items = demo::items();
    for (int line = 0; line < kLinesPerQuotation; ++line)
        sample.lines.push_back({QString::fromUtf8(items[(serial + line) % items.size()].code), double(line + 1)});
    fillQuotation(quotation, grid, sample);
    if (!quotation.call("Create_Quotation"))
        throw OrbError(QStringLiteral("Create_Quotation failed: %1").arg(quotation.errDesc()));
}

// Pre-filled quotations belong to company 99, branch BN, so they never meet the demo's own.
void prefillQuotations(Connection &connection, int rows, Progress &progress) {
    const QDateTime now = QDateTime::currentDateTime();
    const int firstSerial =
        connection.scalar(QStringLiteral("Select max(SL_No) from Sales_Quotation_Detail")).toInt() + 1;
    const int firstIdentity =
        connection
            .scalar(QStringLiteral("Select count(*) from Sales_Quotation_Master Where Company_Prefix = ?"),
                    {QStringLiteral("99")})
            .toInt() +
        1;
    auto number = [&](int quotation) { return QStringLiteral("99BNSQT%1").arg(firstIdentity + quotation); };
    const int quotations = (rows + kLinesPerQuotation - 1) / kLinesPerQuotation;
    progress.setTotal(qint64(quotations) + rows);

    insertMany(
        connection, QStringLiteral("Sales_Quotation_Master"),
        {QStringLiteral("Sales_Quot_No"),
         QStringLiteral("Sales_Quot_Identity"),
         QStringLiteral("Company_Prefix"),
         QStringLiteral("Branch_Prefix"),
         QStringLiteral("Document_Prefix"),
         QStringLiteral("Customer_Code"),
         QStringLiteral("customer_name"),
         QStringLiteral("Sales_Quot_Date"),
         QStringLiteral("Sales_Quot_SubTotal"),
         QStringLiteral("Sales_Quot_Disc_Percent"),
         QStringLiteral("Sales_Quot_Disc_Amount"),
         QStringLiteral("Sales_Quot_Amount"),
         QStringLiteral("Sales_Quot_FC_SubTotal"),
         QStringLiteral("Sales_Quot_FC_Disc_Amount"),
         QStringLiteral("Sales_Quot_FC_Amount"),
         QStringLiteral("Foreign_Currency_Flag"),
         QStringLiteral("Exchange_Rate"),
         QStringLiteral("Currency_Code"),
         QStringLiteral("Cancel_Flag"),
         QStringLiteral("Allow_Cancel_Flag"),
         QStringLiteral("process_Flag"),
         QStringLiteral("Last_Update")},
        quotations,
        [&](int i) {
            return QVariantList{number(i),
                                firstIdentity + i,
                                QStringLiteral("99"),
                                QStringLiteral("BN"),
                                QStringLiteral("SQT"),
                                QStringLiteral("99C001"),
                                QStringLiteral("Bench Customer"),
                                now,
                                550.0,
                                0.0,
                                0.0,
                                550.0,
                                550.0,
                                0.0,
                                550.0,
                                0,
                                1.0,
                                QStringLiteral("AED"),
                                0,
                                1,
                                0,
                                now};
        },
        &progress);
    insertMany(
        connection, QStringLiteral("Sales_Quotation_Detail"),
        {QStringLiteral("Sales_Quot_No"), QStringLiteral("SL_No"), QStringLiteral("Item_Code"),
         QStringLiteral("Item_Name"), QStringLiteral("Unit_Code"), QStringLiteral("Unit_Name"),
         QStringLiteral("FOC_Flag"), QStringLiteral("Unit_Qty"), QStringLiteral("Sales_Quot_Qty"),
         QStringLiteral("Sales_Quot_Unit_Price"), QStringLiteral("Sales_Quot_Disc_Amount"),
         QStringLiteral("Sales_Quot_Item_Amount"), QStringLiteral("Sales_Quot_FC_Item_Amount"),
         QStringLiteral("Sales_Quot_Dtl_Disc_Percent"), QStringLiteral("Sales_Quot_FC_Disc_Amount"),
         QStringLiteral("Sales_Quot_FC_Unit_Price"), QStringLiteral("Last_Update")},
        rows,
        [&](int i) {
            const double qty = 1 + i % kLinesPerQuotation;
            return QVariantList{number(i / kLinesPerQuotation),
                                firstSerial + i,
                                QStringLiteral("99A100"),
                                QStringLiteral("Widget"),
                                1.0,
                                QStringLiteral("Nos"),
                                0.0,
                                1.0,
                                qty,
                                10.0,
                                0.0,
                                qty * 10,
                                qty * 10,
                                0.0,
                                0.0,
                                10.0,
                                now};
        },
        &progress);
}

} // namespace

Measurement quotationMeasurement() {
    return {"quotations (10 lines each)", "quotation", "quotation lines", createQuotation, prefillQuotations};
}

} // namespace orbsales::cli
