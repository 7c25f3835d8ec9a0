#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books_halfdone.h"
#include "orbsales/services/package/demo_company.h"
#include "support/order_worker.h"
#include "support/test_database.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

namespace orbsales::testing {
namespace {

using InterruptedRun = DatabaseTest;

// A user raising quotations, orders from them and processing the orders is killed in the middle
// of the work, again and again. With every operation all-or-nothing no document is left
// half-done and the books hold together. (scripts/interrupted-run.sh does the same with the
// orbsales command, 30 kills per engine.)
TEST_F(InterruptedRun, AllOrNothingLeavesNoHalfDoneDocument) {
    demo::seedDemoCompany(database().connection());
    constexpr int kKills = 4;
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess worker;
        worker.start(QCoreApplication::applicationFilePath(), {kWorkUntilKilledSwitch, connectionString(), QStringLiteral("1")});
        // After a first round, somewhere inside one of the next.
        ASSERT_TRUE(worker.waitForReadyRead(120000)) << worker.readAllStandardError().toStdString();
        QThread::msleep(5 + 11 * kill);
        worker.kill();
        ASSERT_TRUE(worker.waitForFinished(60000));
        EXPECT_EQ(worker.exitStatus(), QProcess::CrashExit) << worker.readAllStandardError().toStdString();
    }
    QStringList halfDone;
    for (const package::HalfDoneDocument &document : package::findHalfDoneDocuments(database().connection()))
        halfDone << document.text();
    EXPECT_EQ(halfDone, QStringList());
    EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
    EXPECT_GE(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("process_Flag = 1")), kKills);
}

} // namespace
} // namespace orbsales::testing
