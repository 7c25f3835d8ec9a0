#pragma once

#include "orbsales/customers/customer.h"
#include "orbsales/data/schema.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// The messages an object would have shown in a box, with the buttons offered.
struct Shown {
    explicit Shown(BusinessObject &object)
        : m_connection(QObject::connect(&object, &BusinessObject::notification,
                                        [this](const QString &message, const QString &, const QString &button,
                                               const QString &icon) { shown << message << button << icon; })) {}
    ~Shown() { QObject::disconnect(m_connection); }
    Shown(const Shown &) = delete;
    Shown &operator=(const Shown &) = delete;
    QStringList shown; // message, button and icon of each box in turn

private:
    QMetaObject::Connection m_connection;
};

// Company 01 with branches HO, 02 and 03, two currencies, and a customer ready to save from
// branch HO: code 01C001, receivable account 11HO001, home currency with a padded symbol.
class CustomerTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Branch_Master (Company_Prefix, Branch_Prefix, Branch_Name) "
                                          "values ('01','HO','Head'), ('01','02','Two'), ('01','03','Three'), "
                                          "('09','XX','Other')"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol) "
                                          "values ('BHD','Dinar',' BD '), ('USD','US Dollar','$')"));
        customer = newCustomer();
    }

    std::unique_ptr<Customer> newCustomer(const QString &code = QStringLiteral("01C001")) {
        auto c = std::make_unique<Customer>();
        assign(*c, "ConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO", "CustomerCode",
               code, "CustomerName", "Gulf Traders", "CustomerCurrencyCode", "BHD", "CurrencyCode", "BHD",
               "CurrencyName", "Dinar", "ARAccountNo", "11HO001", "CustomerPaymentType", "Credit",
               "CustomerPaymentTerms", "30 days", "CustomerCreditLimit", 5000, "LastUpdate", kSaved);
        return c;
    }
    // A reader on the test database from `branch`, with nothing else set.
    std::unique_ptr<Customer> reader(const QString &branch = QString()) {
        auto c = std::make_unique<Customer>();
        c->setConnectionString(connectionString());
        c->setBranchPrefix(branch);
        return c;
    }

    // Columns of the customer's master row, or of its balance row in a branch, as text.
    QStringList master(const QString &columns, const QString &code = QStringLiteral("01C001")) {
        return rowOf(database(), QStringLiteral("Customer_Master"), columns, QStringLiteral("Where Customer_Code=?"),
                     {code});
    }
    QStringList balanceRow(const QString &columns, const QString &branch,
                           const QString &code = QStringLiteral("01C001")) {
        return rowOf(database(), QStringLiteral("Customer_Master_Balance"), columns,
                     QStringLiteral("Where Customer_Code=? and Branch_Prefix=?"), {code, branch});
    }
    int count(const QString &table, const QString &where = {}) { return database().count(table, where); }

    // Inserts a row with the given columns; every other column the table requires gets a filler
    // of its type, so a test names only what it is about.
    void insertRow(const QString &table, const QVariantMap &values) {
        const schema::Table *definition = schema::Schema::instance().table(table);
        ASSERT_NE(definition, nullptr) << table.toStdString();
        QStringList names = values.keys(), marks;
        QVariantList bound = values.values();
        for (const schema::Column &column : definition->columns)
            if (column.notNull && !names.contains(column.name, Qt::CaseInsensitive)) {
                names << column.name;
                bound << (column.type == schema::ColumnType::Text   ? QVariant(QStringLiteral("N%1").arg(++m_filler))
                          : column.type == schema::ColumnType::Date ? QVariant(kSaved)
                                                                    : QVariant(0));
            }
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        database().execute(
            QStringLiteral("Insert into %1 (%2) values (%3)")
                .arg(definition->name, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            bound);
    }

    const QDateTime kSaved{QDate(2026, 12, 5), QTime(9, 30)};
    std::unique_ptr<Customer> customer;

private:
    int m_filler = 0; // fillers differ, as some required columns are unique
};

} // namespace orbsales::testing
