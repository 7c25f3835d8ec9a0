#include "support/quotation_creator.h"
#include "support/test_database.h"

#include <QCoreApplication>
#include <QProcess>
#include <memory>
#include <vector>

namespace orbsales::testing {
namespace {

using ParallelCreators = DatabaseTest;

// Several users, each a process with its own connection, number quotations from one counter
// at the same time: every identity is handed out once and every line arrives.
TEST_F(ParallelCreators, NeverShareANumberNorLoseALine) {
    constexpr int kUsers = 4;
    constexpr int kEach = 15;
    database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, "
                                      "Document_Next_No) values ('SQT','01','HO',1)"));
    std::vector<std::unique_ptr<QProcess>> users;
    for (int i = 0; i < kUsers; ++i) {
        auto user = std::make_unique<QProcess>();
        user->start(QCoreApplication::applicationFilePath(),
                    {kCreateQuotationsSwitch, connectionString(), QString::number(kEach)});
        users.push_back(std::move(user));
    }
    for (auto &user : users) {
        ASSERT_TRUE(user->waitForFinished(300000));
        EXPECT_EQ(user->exitCode(), 0) << user->readAllStandardError().toStdString();
        EXPECT_EQ(user->exitStatus(), QProcess::NormalExit);
    }
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

} // namespace
} // namespace orbsales::testing
