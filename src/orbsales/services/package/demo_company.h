#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace orbsales {
class Connection;
namespace demo {

// The demonstration company that `orbsales init` puts into a new database: company 01 with
// the branches HO and B2, a home and a foreign currency, a counter row for every document
// prefix in both branches, and a few items and customers once their tables exist.

inline const QString kCompany = QStringLiteral("01");
inline const QString kHeadOffice = QStringLiteral("HO");
inline const QString kSecondBranch = QStringLiteral("B2");
inline const QString kHomeCurrency = QStringLiteral("AED");
inline const QString kForeignCurrency = QStringLiteral("USD");
inline constexpr double kForeignRate = 3.6725; // AED per USD

struct DemoItem {
    const char *code; // as the grid shows it; stored with the company prefix in front
    const char *name;
    const char *unit;
    double price;
    const char *type; // "0" stock item, "1" service, "3" assembly
};

struct DemoCustomer {
    const char *code; // as the user types it; stored with the company prefix in front
    const char *name;
    const char *currency;
    const char *paymentType;
    const char *paymentTerms;
    double creditLimit;
};

QStringList branches();
// The document prefixes the sales documents are numbered by.
QStringList documentPrefixes();
std::span<const DemoItem> items();
std::span<const DemoCustomer> customers();

// Writes the demo company into a database that has the schema, in one transaction, then lets
// the package's components add their books (accounts, preferences, stock) inside the same
// transaction. Throws DatabaseError and leaves nothing behind when any row fails.
void seedDemoCompany(Connection &connection);

} // namespace demo
} // namespace orbsales
