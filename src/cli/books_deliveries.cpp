#include "books_deliveries.h"
#include "text_table.h"

#include "orbsales/services/package/books_deliveries.h"

namespace orbsales::cli {

namespace {

QString money(double value) { return QString::number(value, 'f', 2); }
QString quantity(double value) { return QString::number(value, 'f', 3); }

} // namespace

void printDeliveryBooks(QTextStream &out, Connection &connection) {
    const package::DeliveryBooks books = package::readDeliveryBooks(connection);
    out << "\nLocation stock\n";
    QList<QStringList> rows;
    for (const package::LocationLine &line : books.locations)
        rows << QStringList{line.itemCode,          line.branch,       QString::number(line.locationId),
                            line.locationName,      quantity(line.opening), quantity(line.in),
                            quantity(line.out),     quantity(line.quantity)};
    printTable(out,
               {QStringLiteral("Item"), QStringLiteral("Branch"), QStringLiteral("Location"), QStringLiteral("Name"),
                QStringLiteral("Opening"), QStringLiteral("In"), QStringLiteral("Out"), QStringLiteral("Now")},
               rows);
    out << "\nProject lines\n";
    rows.clear();
    for (const package::ProjectLine &line : books.projects)
        rows << QStringList{line.projectNo, QString::number(line.lines), money(line.debits), money(line.credits)};
    printTable(out,
               {QStringLiteral("Project"), QStringLiteral("Lines"), QStringLiteral("Debits"),
                QStringLiteral("Credits")},
               rows);
    out << "\nCustomer prices\n";
    rows.clear();
    for (const package::CustomerPriceLine &line : books.prices)
        rows << QStringList{line.customerCode, line.itemCode, line.unitName, money(line.sellingPrice),
                            money(line.lastSellingPrice)};
    printTable(out,
               {QStringLiteral("Customer"), QStringLiteral("Item"), QStringLiteral("Unit"), QStringLiteral("Agreed"),
                QStringLiteral("Last charged")},
               rows);
}

} // namespace orbsales::cli
