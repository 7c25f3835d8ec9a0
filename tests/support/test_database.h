#pragma once

#include "orbsales/data/connection.h"

#include <QString>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

namespace orbsales::testing {

// Which engine this run of the suite uses: ORBSALES_BACKEND=sqlite (default) or pg.
bool onPostgres();

// A fresh database with the whole schema for one test: a copy of a template SQLite file, or a
// PostgreSQL database cloned from a template database. Dropped again at the end of the test.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    const QString &connectionString() const { return m_connectionString; }
    Dialect dialect() const { return onPostgres() ? Dialect::PostgreSQL : Dialect::SQLite; }
    // An open connection for setting up and checking rows.
    Connection &connection();

    // Helpers for assertions.
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    int count(const QString &table, const QString &where = {}, const QVariantList &values = {});
    void execute(const QString &sql, const QVariantList &values = {});

private:
    QString m_connectionString;
    QString m_dropName; // PostgreSQL database or SQLite file to remove
    std::unique_ptr<Connection> m_connection;
};

// Base fixture: every test gets its own database. Without a PostgreSQL server the pg run skips,
// unless ORBSALES_REQUIRE_PG=1 makes that a failure.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { db.reset(); }
    TestDatabase &database() { return *db; }
    QString connectionString() const { return db->connectionString(); }

    std::unique_ptr<TestDatabase> db;
};

} // namespace orbsales::testing
