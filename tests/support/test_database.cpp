#include "support/test_database.h"

#include "orbsales/data/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <atomic>

namespace orbsales::testing {

namespace {

QString env(const char *name) { return qEnvironmentVariable(name); }

QString templateName() { return QStringLiteral("orbsales_tpl_") + schema::Schema::instance().fingerprint(); }

QString uniqueSuffix() {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

// The same server and credentials with another database name.
QString withDatabase(const QString &connectionString, const QString &database) {
    QUrl url(connectionString);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

QString sqliteTemplate() {
    const QString dir = QDir::tempPath() + QStringLiteral("/orbsales-tests");
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + templateName() + QStringLiteral(".db");
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(120000);
    lock.lock();
    if (!QFile::exists(path)) {
        const QString building = path + QStringLiteral(".building");
        QFile::remove(building);
        {
            Connection connection;
            connection.open(building, Connection::Creation::MayCreate);
            schema::Schema::instance().apply(connection);
            connection.execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        }
        QFile::remove(building + QStringLiteral("-wal"));
        QFile::remove(building + QStringLiteral("-shm"));
        QFile::rename(building, path);
    }
    return path;
}

void ensurePostgresTemplate(Connection &admin, const QString &adminString) {
    // One process builds the template; the others wait on the advisory lock.
    admin.execute(QStringLiteral("SELECT pg_advisory_lock(4711)"));
    try {
        const QVariant exists =
            admin.scalar(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = ?"), {templateName()});
        if (exists.isNull()) {
            admin.execute(QStringLiteral("CREATE DATABASE %1").arg(templateName()));
            {
                Connection build;
                build.open(withDatabase(adminString, templateName()));
                schema::Schema::instance().apply(build);
            }
            // A closed connection goes back to this thread's pool and stays connected; the
            // template cannot be cloned while any session is on it.
            Connection::closeIdleSessions();
        }
    } catch (...) {
        admin.execute(QStringLiteral("SELECT pg_advisory_unlock(4711)"));
        throw;
    }
    admin.execute(QStringLiteral("SELECT pg_advisory_unlock(4711)"));
}

} // namespace

bool onPostgres() { return env("ORBSALES_BACKEND") == QStringLiteral("pg"); }

TestDatabase::TestDatabase() {
    if (!onPostgres()) {
        const QString path = QDir::tempPath() + QStringLiteral("/orbsales-tests/t_") + uniqueSuffix() + QStringLiteral(".db");
        QFile::remove(path);
        if (!QFile::copy(sqliteTemplate(), path))
            throw std::runtime_error("cannot copy the SQLite template database");
        QFile(path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        m_connectionString = path;
        m_dropName = path;
        return;
    }
    const QString adminString = env("ORBSALES_PG");
    Connection admin;
    admin.open(adminString);
    ensurePostgresTemplate(admin, adminString);
    m_dropName = QStringLiteral("orbsales_t_") + uniqueSuffix();
    // Cloning fails while another session is still connected to the template: try again shortly.
    for (int attempt = 0;; ++attempt) {
        try {
            admin.execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(m_dropName, templateName()));
            break;
        } catch (const std::exception &) {
            if (attempt >= 50)
                throw;
            QThread::msleep(100);
        }
    }
    m_connectionString = withDatabase(adminString, m_dropName);
}

TestDatabase::~TestDatabase() {
    m_connection.reset();
    Connection::closeIdleSessions(); // nothing of this test stays connected to its database
    if (!onPostgres()) {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(m_dropName + QString::fromLatin1(suffix));
        return;
    }
    // Every session of the test is closed by now. A plain DROP also makes an autovacuum worker
    // on the database step aside, which WITH (FORCE) may not do for a role without superuser
    // rights; a session still on its way out is waited for.
    QString lastError;
    for (int attempt = 0; attempt < 50; ++attempt) {
        try {
            Connection admin;
            admin.open(env("ORBSALES_PG"));
            admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_dropName));
            return;
        } catch (const std::exception &error) {
            lastError = QString::fromUtf8(error.what());
            QThread::msleep(100);
        }
    }
    ADD_FAILURE() << "could not drop test database " << m_dropName.toStdString() << ": " << lastError.toStdString();
}

Connection &TestDatabase::connection() {
    if (!m_connection) {
        m_connection = std::make_unique<Connection>();
        m_connection->open(m_connectionString);
    }
    return *m_connection;
}

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &values) { return connection().scalar(sql, values); }

int TestDatabase::count(const QString &table, const QString &where, const QVariantList &values) {
    QString sql = QStringLiteral("Select count(*) from ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" Where ") + where;
    return scalar(sql, values).toInt();
}

void TestDatabase::execute(const QString &sql, const QVariantList &values) { connection().execute(sql, values); }

void DatabaseTest::SetUp() {
    if (onPostgres() && env("ORBSALES_PG").isEmpty()) {
        if (env("ORBSALES_REQUIRE_PG") == QStringLiteral("1"))
            FAIL() << "ORBSALES_REQUIRE_PG=1 but ORBSALES_PG holds no connection string";
        GTEST_SKIP() << "no PostgreSQL server: set ORBSALES_PG to run this test on PostgreSQL";
    }
    db = std::make_unique<TestDatabase>();
}

} // namespace orbsales::testing
