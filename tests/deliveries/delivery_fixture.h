#pragma once

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
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        caller = std::make_unique<Connection>();
        caller->open(connectionString());
    }
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
        double qty;
        double price;
        double delivered;
        bool foc;
        QString project;
        QString unit;
        double unitQty;
    };

    // A processed sales order or cash memo of the head office; answers its line serials.
    std::vector<int> addOrder(const QString &number, const std::vector<SourceLine> &lines);
    std::vector<int> addCashMemo(const QString &number, const std::vector<SourceLine> &lines,
                                 const QString &currency = QStringLiteral("AED"), double rate = 1);

    std::unique_ptr<Delivery> newDelivery(const QString &sourceNo = QStringLiteral("01HOSOR1"));
    // The grid loaded from the source, every line ticked as it is (its whole open quantity).
    void tickAll(LineGrid &grid);

    // Figures as the package keeps them.
    double value(const QString &sql, const QVariantList &values = {}) {
        return database().scalar(sql, values).toDouble();
    }
    double stockInHand(const QString &item, const QString &branch = QStringLiteral("HO"));
    double stockAmount(const QString &item, const QString &branch = QStringLiteral("HO"));
    double ordered(const QString &item, const QString &branch = QStringLiteral("HO"));
    double locationQty(const QString &item, int location, const QString &branch = QStringLiteral("HO"));
    double posted(const QString &account);
    int counter(const QString &prefix, const QString &branch = QStringLiteral("HO"));
    // "account debit credit" per ledger row of the document, in the order written.
    QStringList ledger(const QString &documentNo);

    static QDateTime day() { return QDateTime(QDate(2026, 12, 5), QTime(0, 0)); }
    static QDateTime stamp() { return QDateTime(QDate(2026, 12, 5), QTime(10, 30)); }
    static inline const QString kHostile = QStringLiteral("O'Brien; DROP TABLE Delivery_Detail;--");

    std::unique_ptr<Connection> caller;
    MemoryGrid grid{8, 23};
};

} // namespace orbsales::testing
