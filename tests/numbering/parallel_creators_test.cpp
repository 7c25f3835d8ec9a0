#include "orbsales/services/package/books_halfdone.h"
#include "orbsales/services/package/demo_company.h"
#include "support/order_worker.h"
#include "support/quotation_creator.h"
#include "support/test_database.h"

#include <QCoreApplication>
#include <QProcess>
#include <memory>
#include <vector>

namespace orbsales::testing {
namespace {

using ParallelCreators = DatabaseTest;

// Starts `users` copies of the suite, each with `role`, and waits for all of them.
void runUsers(int users, const QString &role, const QString &database, int each) {
    std::vector<std::unique_ptr<QProcess>> started;
    for (int i = 0; i < users; ++i) {
        auto user = std::make_unique<QProcess>();
        user->start(QCoreApplication::applicationFilePath(), {role, database, QString::number(each)});
        started.push_back(std::move(user));
    }
    for (auto &user : started) {
        ASSERT_TRUE(user->waitForFinished(300000));
        EXPECT_EQ(user->exitCode(), 0) << user->readAllStandardError().toStdString();
        EXPECT_EQ(user->exitStatus(), QProcess::NormalExit);
    }
}

// Several users, each a process with its own connection, number quotations from one counter
// at the same time: every identity is handed out once and every line arrives.
TEST_F(ParallelCreators, NeverShareANumberNorLoseALine) {
    constexpr int kUsers = 4;
    constexpr int kEach = 15;
    database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, "
                                      "Document_Next_No) values ('SQT','01','HO',1)"));
    runUsers(kUsers, kCreateQuotationsSwitch, connectionString(), kEach);
    constexpr int kTotal = kUsers * kEach;
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Master")), kTotal);
    EXPECT_EQ(database().scalar(QStringLiteral("Select count(distinct Sales_Quot_No) from Sales_Quotation_Master")).toInt(), kTotal);
    EXPECT_EQ(database().scalar(QStringLiteral("Select max(Sales_Quot_Identity) from Sales_Quotation_Master")).toInt(), kTotal);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Quotation_Detail")), 3 * kTotal);
    EXPECT_EQ(database().scalar(QStringLiteral("Select count(distinct SL_No) from Sales_Quotation_Detail")).toInt(), 3 * kTotal);
    EXPECT_EQ(database().scalar(QStringLiteral("Select count(*) from Sales_Quotation_Master m Where (Select count(*) "
                                               "from Sales_Quotation_Detail d Where d.Sales_Quot_No = m.Sales_Quot_No) <> 3"))
                  .toInt(),
              0);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix")).toInt(), kTotal + 1);
}

// Users creating and processing orders at the same time: every order line gets a serial of its
// own, every order its final number with all its lines, and every item's ordered quantity rises.
TEST_F(ParallelCreators, OrderLinesNeverShareASerial) {
    constexpr int kUsers = 4;
    constexpr int kEach = 12;
    demo::seedDemoCompany(database().connection());
    runUsers(kUsers, kCreateOrdersSwitch, connectionString(), kEach);
    constexpr int kTotal = kUsers * kEach;
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("process_Flag = 1")), kTotal);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail")), 3 * kTotal);
    EXPECT_EQ(database().scalar(QStringLiteral("Select count(distinct SL_No) from Sales_Order_Detail")).toInt(), 3 * kTotal);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No like '%TMP%'")), 0);
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code = '01A100' and "
                                         "Branch_Prefix = 'HO'"))
                  .toDouble(),
              2.0 * kTotal);
    EXPECT_TRUE(package::findHalfDoneDocuments(database().connection()).isEmpty());
}

} // namespace
} // namespace orbsales::testing
