#pragma once

#include "deliveries/row_text.h"
#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/returns/sales_return.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/processed_sales.h"
#include "orbsales/services/package/seed_returns.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QDateTime>
#include <map>
#include <memory>

namespace orbsales::testing {

using package::SaleKind;
using package::SaleLine;

// The demo company (its costed items F100 FIFO, L100 LIFO, V100 average, each in lots of 20 at
// 5, 6 and 8, six of each sold on 01HODSI1 to 01C002) and a return ready to key in on the caller's
// open connection: 01/HO/SRT, online, two decimals, location 1 "Main Store".
class ReturnTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        package::seedReturnHistory(database().connection());
        caller.open(connectionString());
        salesReturn = newReturn(grid);
    }
    void TearDown() override {
        salesReturn.reset();
        caller.close();
        DatabaseTest::TearDown();
    }

    static QDateTime day(int d) { return QDateTime(QDate(2026, 12, d), QTime(0, 0)); }

    std::unique_ptr<SalesReturn> newReturn(LineGrid &lines) {
        auto r = std::make_unique<SalesReturn>();
        r->setAdoConnectionObject(&caller);
        r->setSalRetGridName(&lines);
        assign(*r, "ConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO",
               "DocumentPrefix", "SRT", "StockMovementPrefix", "SRM", "SalesLogPrefix", "SRL", "AmtDig", 2,
               "OnlineFlag", true, "LocationID", 1, "LocationName", "Main Store", "SalesRtnDate", day(5), "LastUpdate",
               day(5), "AllowCancelFlag", true, "PaymentType", "Credit");
        return r;
    }

    // A processed source of three of an item at 12 less 0.5 a unit (its stock, lots and books posted).
    QString sell(SaleKind kind, std::vector<SaleLine> lines, const QString &customer = QStringLiteral("01C001"),
                 bool effects = true) {
        package::SaleDocument sale;
        sale.kind = kind;
        sale.customerCode = customer;
        sale.customerName = QStringLiteral("Acme Trading LLC");
        sale.date = day(1);
        sale.lines = std::move(lines);
        sale.postEffects = effects;
        return package::writeProcessedSale(database().connection(), sale).number;
    }
    static SaleLine item(const char *code, double quantity = 3, double price = 12, double discount = 0.5) {
        return {QStringLiteral("01") + QString::fromLatin1(code),
                QStringLiteral("Item ") + code,
                QStringLiteral("Nos"),
                1,
                quantity,
                price,
                discount,
                QString()};
    }
    static const char *kindCode(SaleKind kind) {
        static const char *const codes[] = {"INV", "DSI", "DEL", "DDL", "CHM"};
        return codes[static_cast<int>(kind)];
    }

    // The source's loader, as the screen calls it for the return's RefDocType.
    bool load(SalesReturn &r, const QString &kind, const QString &number, LineGrid &lines) {
        r.setRefDocType(kind);
        QString no = number;
        LineGrid *handed = &lines;
        if (kind == "INV")
            return r.Get_Sales_Invoice(no, handed);
        if (kind == "DSI")
            return r.Get_Direct_Sales_Invoice(no, handed);
        if (kind == "DEL")
            return r.Get_Delivery(no, handed);
        if (kind == "DDL")
            return r.Get_Direct_Delivery(no, handed);
        return r.Get_CashMemo(no, handed);
    }
    // Ticks the loaded lines of the items asked for with their quantities and sets the totals
    // the screen works out (line price less line discount).
    void tick(SalesReturn &r, LineGrid &lines, const std::map<QString, double> &quantities) {
        double subTotal = 0, discount = 0;
        for (int row = 1; row < lines.rowCount(); ++row) {
            const auto wanted = quantities.find(lines.cellText(row, 2));
            if (wanted == quantities.end())
                continue;
            const double quantity = wanted->second, price = lines.cellNumber(row, 17),
                         lineDiscount = lines.cellNumber(row, 14);
            lines.setCellText(row, 1, "1");
            lines.setCellText(row, 7, numbers::numberText(quantity));
            lines.setCellText(row, 12, numbers::numberText(quantity * (price - lineDiscount)));
            lines.setCellText(row, 13, numbers::numberText(quantity * (price - lineDiscount)));
            subTotal += quantity * price;
            discount += quantity * lineDiscount;
        }
        assign(r, "SalesRtnSubTotal", subTotal, "SalesRtnDiscAmount", discount, "SalesRtnTotalAmount",
               subTotal - discount, "SalesRtnFCSubTotal", subTotal, "SalesRtnFCDiscAmount", discount,
               "SalesRtnFCTotalAmount", subTotal - discount);
    }
    // Loaded, ticked and saved under its temporary number.
    QString savedReturn(SalesReturn &r, LineGrid &lines, const QString &kind, const QString &source,
                        const std::map<QString, double> &quantities) {
        EXPECT_TRUE(load(r, kind, source, lines)) << r.ErrDesc().toString().toStdString();
        tick(r, lines, quantities);
        EXPECT_TRUE(r.Create_Sales_Rtn()) << r.ErrDesc().toString().toStdString();
        return r.SalesRtnNo();
    }
    QString processedReturn(const QString &kind, const QString &source, const std::map<QString, double> &quantities) {
        savedReturn(*salesReturn, grid, kind, source, quantities);
        EXPECT_TRUE(salesReturn->Return_Process()) << salesReturn->ErrDesc().toString().toStdString();
        return salesReturn->SalesRtnNo();
    }

    QString value(const QString &sql, const QVariantList &values = {}) {
        return numbersText(database().scalar(sql, values));
    }
    static QString numbersText(const QVariant &v) {
        return v.isNull()                          ? QStringLiteral("NULL")
               : numbers::isNumberType(v.typeId()) ? numbers::numberText(v.toDouble())
                                                   : v.toString();
    }
    // The branch's next number for the prefix, and an item's stock in hand in the branch.
    QString counter(const char *prefix) {
        return value("Select Document_Next_No from Document_Prefix Where Document_Prefix = ? and Branch_Prefix = 'HO'",
                     {QString::fromLatin1(prefix)});
    }
    QString stock(const char *code) {
        return value("Select Stock_In_Hand from Item_Master_Detail Where Item_Code = ? and Branch_Prefix = 'HO'",
                     {QString::fromLatin1(code)});
    }
    QString errDesc() const { return salesReturn->ErrDesc().toString(); }

    Connection caller;
    MemoryGrid grid{2, 29};
    std::unique_ptr<SalesReturn> salesReturn;
};

} // namespace orbsales::testing
