#pragma once

#include "deliveries/row_text.h"
#include "orbsales/data/connection.h"
#include "orbsales/deliveries/delivery.h"
#include "orbsales/deliveries/direct_delivery.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>
#include <utility>
#include <vector>

namespace orbsales::testing {

// Deliveries on the demo company as `orbsales init` seeds it: items A100, A200, B100, C300
// (stock, cost 60% of the price, 100 in HO at location 1 and 40 in B2 at location 2), S100
// (service) and K100 (assembly, posted to the ledger in HO only); counters at 1; the caller's
// open connection. Sources are written straight into their tables.
class DeliveryTest : public DatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override {
        caller.reset();
        DatabaseTest::TearDown();
    }

    struct SourceLine {
        SourceLine(QString item, double qty = 1, double price = 0, double delivered = 0, bool foc = false,
                   QString project = {}, QString unit = QStringLiteral("Nos"), double unitQty = 1)
            : item(std::move(item)), qty(qty), price(price), delivered(delivered), foc(foc),
              project(std::move(project)), unit(std::move(unit)), unitQty(unitQty) {}
        QString item; // without the company prefix; empty for a line with a name only
        double qty, price, delivered;
        bool foc;
        QString project, unit;
        double unitQty;
    };
    // A processed sales order or cash memo of the head office, lines in the order given.
    void addOrder(const QString &number, const std::vector<SourceLine> &lines);
    void addCashMemo(const QString &number, const std::vector<SourceLine> &lines, double usdRate = 0);
    int nextSerial(const QString &table);

    std::unique_ptr<Delivery> newDelivery(const QString &sourceNo = "01HOSOR1");
    // Every loaded line ticked with its whole open quantity, leaving from location 1.
    static void tickAll(LineGrid &grid);

    double value(const QString &sql, const QVariantList &values = {}) {
        return database().scalar(sql, values).toDouble();
    }
    // A column of the item's row in the branch (Stock_In_Hand, Stock_Amount, Ordered_Qty).
    double item(const char *column, const QString &code, const QString &branch = "HO");
    int counter(const QString &prefix);
    // The named columns of the table's rows as one text; see rowsText.
    QString text(const QString &table, const QString &columns, const QString &rest = {},
                 const QVariantList &values = {}) {
        return rowsText(database(), table, columns, rest, values);
    }
    // "account|debit|credit" per ledger row of the document, in the order written.
    QString ledger(const QString &documentNo) {
        return text("General_Ledger", "Account_No, GL_Debit_Amount, GL_Credit_Amount",
                    "Where Document_No=? Order by Row_Id", {documentNo});
    }

    static QDateTime day() { return QDateTime(QDate(2026, 12, 5), QTime(0, 0)); }
    static QDateTime stamp() { return QDateTime(QDate(2026, 12, 5), QTime(10, 30)); }
    static inline const QString kHostile = "O'Brien; DROP TABLE Delivery_Detail;--";

    std::unique_ptr<Connection> caller;
    MemoryGrid grid{8, 23};
};

} // namespace orbsales::testing
