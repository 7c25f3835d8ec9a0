#pragma once

#include "orbsales/customers/customer.h"
#include "orbsales/data/schema.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// The messages an object would have shown in a box, with the buttons offered.
struct Shown {
    explicit Shown(BusinessObject &object)
        : m_connection(QObject::connect(&object, &BusinessObject::notification,
                                        [this](const QString &message, const QString &, const QString &button,
                                               const QString &icon) {
                                            messages << message;
                                            buttons << button;
                                            icons << icon;
                                        })) {}
    ~Shown() { QObject::disconnect(m_connection); }
    Shown(const Shown &) = delete;
    Shown &operator=(const Shown &) = delete;
    QStringList messages, buttons, icons;

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
        for (const char *branch : {"HO", "02", "03"})
            database().execute(QStringLiteral("Insert into Branch_Master (Company_Prefix, Branch_Prefix, Branch_Name) "
                                              "values ('01', ?, ?)"),
                               {QString::fromLatin1(branch), QStringLiteral("Branch ") + QString::fromLatin1(branch)});
        database().execute(
            QStringLiteral("Insert into Branch_Master (Company_Prefix, Branch_Prefix) values ('09','XX')"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol) "
                                          "values ('BHD','Dinar',' BD ')"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol) "
                                          "values ('USD','US Dollar','$')"));
        customer = newCustomer();
    }

    std::unique_ptr<Customer> newCustomer(const QString &code = QStringLiteral("01C001")) {
        auto c = std::make_unique<Customer>();
        c->setConnectionString(connectionString());
        c->setCompanyPrefix(QStringLiteral("01"));
        c->setBranchPrefix(QStringLiteral("HO"));
        c->setCustomerCode(code);
        c->setCustomerName(QStringLiteral("Gulf Traders"));
        c->setCustomerCurrencyCode(QStringLiteral("BHD"));
        c->setCurrencyCode(QStringLiteral("BHD"));
        c->setCurrencyName(QStringLiteral("Dinar"));
        c->setARAccountNo(QStringLiteral("11HO001"));
        c->setCustomerPaymentType(QStringLiteral("Credit"));
        c->setCustomerPaymentTerms(QStringLiteral("30 days"));
        c->setCustomerCreditLimit(5000);
        c->setLastUpdate(kSaved);
        return c;
    }

    // A column of the customer's master row (null when the column is NULL or there is no row).
    QVariant masterColumn(const QString &column, const QString &code = QStringLiteral("01C001")) {
        return database().scalar(QStringLiteral("Select %1 from Customer_Master Where Customer_Code=?").arg(column),
                                 {code});
    }
    QVariant branchColumn(const QString &column, const QString &branch,
                          const QString &code = QStringLiteral("01C001")) {
        return database().scalar(
            QStringLiteral("Select %1 from Customer_Master_Balance Where Customer_Code=? and Branch_Prefix=?")
                .arg(column),
            {code, branch});
    }
    // Inserts a row with the given columns; every other column the table requires gets a filler
    // of its type, so a test names only what it is about.
    void insertRow(const QString &table, const QVariantMap &values) {
        const schema::Table *definition = schema::Schema::instance().table(table);
        ASSERT_NE(definition, nullptr) << table.toStdString();
        QStringList names, marks;
        QVariantList bound;
        auto add = [&](const QString &name, const QVariant &value) {
            names << name;
            marks << QStringLiteral("?");
            bound << value;
        };
        for (auto it = values.begin(); it != values.end(); ++it)
            add(it.key(), it.value());
        for (const schema::Column &column : definition->columns) {
            if (!column.notNull || names.contains(column.name, Qt::CaseInsensitive))
                continue;
            add(column.name, column.type == schema::ColumnType::Text   ? QVariant(QStringLiteral("N%1").arg(++m_filler))
                             : column.type == schema::ColumnType::Date ? QVariant(kSaved)
                                                                       : QVariant(0));
        }
        database().execute(
            QStringLiteral("Insert into %1 (%2) values (%3)")
                .arg(definition->name, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            bound);
    }

    // A Last_Update value read back as a date on either engine.
    static QDateTime asDate(const QVariant &stored) {
        return schema::fromDatabase(schema::ColumnType::Date, stored).toDateTime();
    }

    const QDateTime kSaved{QDate(2026, 12, 5), QTime(9, 30)};
    std::unique_ptr<Customer> customer;

private:
    int m_filler = 0; // fillers differ, as some required columns are unique
};

} // namespace orbsales::testing
