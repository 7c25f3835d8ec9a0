#include "orbsales/data/connection.h"
#include "support/quotation_creator.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// Qt's database drivers are plugins and want an application object to find them.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    // The suite starts copies of itself as independent users of one database.
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == orbsales::testing::kCreateQuotationsSwitch)
        return orbsales::testing::createQuotations(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]).toInt());
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    orbsales::Connection::closeIdleSessions();
    return result;
}
