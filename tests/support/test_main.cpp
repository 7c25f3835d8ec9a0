#include "orbsales/data/connection.h"
#include "support/order_worker.h"
#include "support/quotation_creator.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// Qt's database drivers are plugins and want an application object to find them.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    // The suite starts copies of itself as independent users of one database.
    if (argc == 4) {
        const QString role = QString::fromLocal8Bit(argv[1]);
        const QString database = QString::fromLocal8Bit(argv[2]);
        const QString argument = QString::fromLocal8Bit(argv[3]);
        if (role == orbsales::testing::kCreateQuotationsSwitch)
            return orbsales::testing::createQuotations(database, argument.toInt());
        if (role == orbsales::testing::kCreateOrdersSwitch)
            return orbsales::testing::createAndProcessOrders(database, argument.toInt());
        if (role == orbsales::testing::kWorkUntilKilledSwitch)
            return orbsales::testing::workUntilKilled(database, argument == QStringLiteral("1"));
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    orbsales::Connection::closeIdleSessions();
    return result;
}
