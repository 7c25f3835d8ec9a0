#pragma once

#include "orbsales/grid/memory_grid.h"
#include "orbsales/invoices/sales_invoice.h"
#include "services/package_fixture.h"

#include <QDateTime>
#include <memory>
#include <vector>

namespace orbsales::testing {

// One line of a processed delivery, as the delivery documents would have left it.
struct DeliveryLine {
    QString code = QStringLiteral("A100"); // without the company prefix; empty: a line without item code
    double qty = 2;
    double price = 10;   // home currency
    double fcPrice = 10; // the delivery's currency
    double disc = 0;     // per unit, home
    double fcDisc = 0;
    QString unit = QStringLiteral("Nos");
    QVariant period{}; // null: no period type
    double invoiced = 0;
    double returned = 0;
    double foc = 0;
    QVariant overall{};   // the line's share of the overall discount, home
    QVariant overallFc{}; // the same, foreign
    QVariant amount{};    // stored item amounts; null: qty x price
    QVariant fcAmount{};
};

// A delivery note or direct delivery master row.
struct DeliveryHead {
    bool direct = false;
    QString number;
    QString branch = QStringLiteral("HO");
    QString customer = QStringLiteral("01C001");
    QString company = QStringLiteral("01");
    int processed = 1;
    int cancelled = 0;
    int paid = 0;
    bool foreign = false;
    QVariant address{};   // Address_Code
    QVariant reference{}; // Delivery_Ref_No (delivery notes)
};

// Invoices of customer 01C001 (receivable 01HO1200, address A1 "Main Warehouse") in a company
// with branches HO ("Head Office") and B2 ("Second Branch"), their charts and preferences, items
// A100 and B200 in both branches, the invoice counter of both branches at 1 and re-invoicing off.
// Processed deliveries are written straight into their tables.
class InvoiceTest : public PackageTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<SalesInvoice> newInvoice(LineGrid *lines = nullptr);
    // Writes the delivery; answers the SL_No of each line, in order.
    std::vector<int> addDelivery(const DeliveryHead &head, const std::vector<DeliveryLine> &lines);
    void setReinvoicing(int flag);

    // Loads the customer's open lines, ticks them all, sets the totals from the grid and saves.
    QString createdInvoice(SalesInvoice &invoice, double discount = 0);

    QVariant invoiceValue(const QString &column, const QString &number);
    double invoicedQty(const QString &table, int serial);
    int counter(const QString &branch = QStringLiteral("HO"));
    QString cell(int row, int col) const { return grid->cellText(row, col); }
    // The named properties handed to a sibling, as text joined by "|"; "-" for one not handed.
    static QString handed(const QVariantMap &properties, const char *names);

    static QDateTime day(int d) { return QDateTime(QDate(2026, 12, d), QTime(0, 0)); }

    std::unique_ptr<Connection> caller;
    std::unique_ptr<MemoryGrid> grid;
};

} // namespace orbsales::testing
