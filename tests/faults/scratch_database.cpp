#include "faults/scratch_database.h"

#include "orbsales/data/connection.h"
#include "support/test_database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <stdexcept>

namespace orbsales::testing {

namespace {

QString nextSuffix() {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

QString withDatabase(const QString &connectionString, const QString &database) {
    QUrl url(connectionString);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

QString databaseOf(const QString &connectionString) { return QUrl(connectionString).path().mid(1); }

// Copies live in memory where the system offers it: a fault run makes hundreds of databases,
// and on disk every commit of theirs waits for the disk.
QString scratchFolder() {
    static const QString folder = [] {
        const QString memory = QStringLiteral("/dev/shm/orbsales-faults");
        if (QDir().mkpath(memory) && QFileInfo(memory).isWritable())
            return memory;
        return QDir::tempPath();
    }();
    return folder;
}

} // namespace

ScratchDatabase::ScratchDatabase(const QString &source) {
    Connection::closeIdleSessions();
    if (!onPostgres()) {
        // The source is left checkpointed (everything in the main file), so the file alone is the database.
        m_dropName = scratchFolder() + QStringLiteral("/copy_") + nextSuffix() + QStringLiteral(".db");
        QFile::remove(m_dropName);
        if (!QFile::copy(source, m_dropName))
            throw std::runtime_error("cannot copy the SQLite database");
        QFile(m_dropName).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        m_connectionString = m_dropName;
        return;
    }
    const QString admin = qEnvironmentVariable("ORBSALES_PG");
    m_dropName = QStringLiteral("orbsales_f_") + nextSuffix();
    Connection connection;
    connection.open(admin);
    // A session on its way out of the source still counts as connected: try again shortly.
    for (int attempt = 0;; ++attempt) {
        try {
            connection.execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(m_dropName, databaseOf(source)));
            break;
        } catch (const std::exception &) {
            if (attempt >= 50)
                throw;
            QThread::msleep(50);
        }
    }
    m_connectionString = withDatabase(admin, m_dropName);
}

ScratchDatabase::~ScratchDatabase() {
    Connection::closeIdleSessions();
    if (!onPostgres()) {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(m_dropName + QString::fromLatin1(suffix));
        return;
    }
    QString lastError;
    for (int attempt = 0; attempt < 50; ++attempt) {
        try {
            Connection admin;
            admin.open(qEnvironmentVariable("ORBSALES_PG"));
            admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_dropName));
            return;
        } catch (const std::exception &error) {
            lastError = QString::fromUtf8(error.what());
            QThread::msleep(50);
        }
    }
    ADD_FAILURE() << "could not drop " << m_dropName.toStdString() << ": " << lastError.toStdString();
}

} // namespace orbsales::testing
