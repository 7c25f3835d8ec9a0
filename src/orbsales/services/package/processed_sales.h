#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

namespace orbsales {
class Connection;
namespace package {

// Processed sales documents as the package's other components leave them, written row by row
// with their effects: what the demo company's history, the demonstration, the benchmark and the
// tests return goods against. Direct sales invoices are always written this way (another
// component of the package keeps them); the other kinds stand in for the document classes.

enum class SaleKind {
    Invoice,        // a processed delivery, fully invoiced by a processed sales invoice
    DirectInvoice,  // a direct sales invoice
    Delivery,       // a processed delivery, not invoiced
    DirectDelivery, // a processed direct delivery, not invoiced
    CashMemo,       // a processed cash memo, paid in cash
};

struct SaleLine {
    QString itemCode; // with the company prefix
    QString itemName;
    QString unitName = QStringLiteral("Nos");
    double unitQty = 1;
    double quantity = 0;
    double unitPrice = 0;
    double discount = 0; // per unit
    QString project;
};

struct SaleDocument {
    SaleKind kind = SaleKind::Invoice;
    QString company = QStringLiteral("01");
    QString branch = QStringLiteral("HO");
    QString customerCode;
    QString customerName;
    QDateTime date;
    // The document's number; empty: the next number of its prefix's counter (DEL, INV, DSI, DDL,
    // CHM). An invoice's delivery always takes the next delivery number.
    QString number;
    bool foreignCurrency = false;
    QString currencyCode = QStringLiteral("AED");
    QString currencySymbol = QStringLiteral("Dhs");
    double exchangeRate = 1;
    qint32 locationId = 1;
    QString locationName = QStringLiteral("Main Store");
    std::vector<SaleLine> lines;
    // Whether the goods leave stock and the sale is posted: stock, purchase lots, movements,
    // cost lines, and the receivable (invoices) or cash (cash memos) with the sales lines.
    bool postEffects = true;
};

struct WrittenSale {
    QString number;         // the document returns are raised against
    QString deliveryNumber; // an invoice's delivery
    double total = 0;       // what the customer owes or paid, home currency
    double cost = 0;        // the cost of the goods that left stock
};

// Writes one processed document (with the effects when asked) on the connection, inside one
// transaction of its own or a savepoint of the caller's; throws OrbError with the package's
// reason when a row or an effect is refused, leaving nothing behind.
WrittenSale writeProcessedSale(Connection &connection, const SaleDocument &document);

} // namespace package
} // namespace orbsales
