#pragma once

#include "orbsales/frame/registry.h"
#include "orbsales/services/sibling_service.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// A small company for the package's components: company 01 with branches HO and B2, the home
// currency AED and USD at 3.5, and whatever accounts, customers, items and preferences a test
// adds with the builders below. Components are created through the registry and handed the
// test database's open connection.
class PackageTest : public DatabaseTest {
protected:
    void SetUp() override;

    Connection &connection() { return database().connection(); }

    // Components by identifier, given the open connection.
    template <typename T> std::unique_ptr<T> service(const QString &identifier) {
        std::unique_ptr<T> object = createObject<T>(identifier);
        object->setAdoConnectionObject(&connection());
        return object;
    }

    // Builders.
    void addAccount(const QString &accountNo, double opening = 0, const QString &name = QStringLiteral("Account"));
    // A customer of company 01 with a zero balance row in HO and B2.
    void addCustomer(const QString &code);
    // An item with its base unit "Nos" and a "Box" of 12.
    void addItem(const QString &code, const QString &type = QStringLiteral("0"),
                 const QString &costing = QStringLiteral("AVEG"));
    // The item in a branch with its opening stock (also its stock in hand) and value.
    void addBranchItem(const QString &code, const QString &branch, double stock = 0, double amount = 0);
    // A purchase lot of the item in the branch.
    void addLot(const QString &code, const QString &branch, const QDate &date, double quantity, double amount,
                double sold = 0);
    // Preference rows of a branch with every account column set to 01<branch><code>.
    void addPreferences(const QString &branch);

    // Readers.
    double number(const QString &sql, const QVariantList &values = {});
    double postedBalance(const QString &accountNo);
    double customerBalance(const QString &code);
    double branchBalance(const QString &code, const QString &branch, bool foreign = false);
    double stockInHand(const QString &code, const QString &branch);
    double stockAmount(const QString &code, const QString &branch);
    int rows(const QString &table) { return database().count(table); }

    static QDateTime day(int d) { return QDateTime(QDate(2026, 3, d), QTime(0, 0)); }
    static inline const QString kHostile = QStringLiteral("O'Brien; DROP TABLE General_Ledger;--");
};

} // namespace orbsales::testing
