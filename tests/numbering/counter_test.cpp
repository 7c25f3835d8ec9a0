#include "orbsales/data/connection.h"
#include "orbsales/frame/registry.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/services/counter_transaction.h"
#include "support/test_database.h"

namespace orbsales::testing {
namespace {

TEST(DocumentNumbers, AreThePrefixesFollowedByTheIdentity) {
    EXPECT_EQ(documentNumber({QStringLiteral("01"), QStringLiteral("HO"), QStringLiteral("SQT")}, 125),
              QStringLiteral("01HOSQT125"));
    EXPECT_EQ(temporaryDocumentNumber({QStringLiteral("01"), QStringLiteral("HO"), QStringLiteral("SOR")}, 7),
              QStringLiteral("01HOSORTMP7"));
    EXPECT_EQ(documentPrefixOf(QStringLiteral("01HOSORTMP7")), QStringLiteral("SOR"));
    EXPECT_EQ(manualIdentity(12.5), 12);
    EXPECT_EQ(manualIdentity(13.5), 14);
}

class Counter : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (db)
            database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                                              "Branch_Prefix, Document_Next_No) values ('SOR','01','HO',5), "
                                              "('SOR','01','B2',90)"));
    }
    std::unique_ptr<CounterTransaction> counter(const QString &branch) {
        auto c = createObject<CounterTransaction>(QStringLiteral("OrbSystem.CounterTransaction"));
        c->setCompanyPrefix(QStringLiteral("01"));
        c->setBranchPrefix(branch);
        c->setDocumentPrefix(QStringLiteral("SOR"));
        return c;
    }
    int nextNo(const QString &branch) {
        return database()
            .scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where Branch_Prefix=?"), {branch})
            .toInt();
    }
};

TEST_F(Counter, HandsOutTheNextIdentityPerBranchInBothForms) {
    Connection *connection = &database().connection();
    auto first = counter(QStringLiteral("HO"));
    ASSERT_TRUE(first->Get_Last_Counter(connection));
    EXPECT_EQ(first->NextDocumentNo(), 5);
    ASSERT_TRUE(first->Increase_Counter());
    auto second = counter(QStringLiteral("HO"));
    ASSERT_TRUE(second->Get_Last_Counter(connection, true));
    EXPECT_EQ(second->NextDocumentNo(), 6);
    ASSERT_TRUE(second->Increase_Counter(true));
    EXPECT_EQ(connection, &database().connection());
    EXPECT_EQ(nextNo(QStringLiteral("HO")), 7);
    EXPECT_EQ(nextNo(QStringLiteral("B2")), 90);
}

TEST_F(Counter, RefusesWithAClearTextAndWritesNothing) {
    Connection *connection = &database().connection();
    auto missing = counter(QStringLiteral("ZZ"));
    EXPECT_FALSE(missing->Get_Last_Counter(connection));
    EXPECT_EQ(missing->ErrDesc(), QStringLiteral("Document prefix SOR is not set up for company 01, branch ZZ"));
    EXPECT_EQ(database().count(QStringLiteral("Document_Prefix")), 2);

    auto unopened = counter(QStringLiteral("HO"));
    EXPECT_FALSE(unopened->Increase_Counter());
    EXPECT_FALSE(unopened->ErrDesc().isEmpty());

    Connection closed;
    Connection *closedPointer = &closed;
    EXPECT_FALSE(unopened->Get_Last_Counter(closedPointer));
    EXPECT_EQ(unopened->ErrDesc(), QStringLiteral("Invalid Connection Object"));
    EXPECT_EQ(nextNo(QStringLiteral("HO")), 5);
}

struct RaiseCase {
    int before;
    int manual;
    int after;
};

class CounterRaise : public Counter, public ::testing::WithParamInterface<RaiseCase> {};

TEST_P(CounterRaise, MovesTheCounterPastATypedNumberOnly) {
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No=? Where Branch_Prefix='HO'"),
                       {GetParam().before});
    raiseCounterPastManual(database().connection(), {QStringLiteral("01"), QStringLiteral("HO"), QStringLiteral("SOR")},
                           GetParam().manual);
    EXPECT_EQ(nextNo(QStringLiteral("HO")), GetParam().after);
    EXPECT_EQ(nextNo(QStringLiteral("B2")), 90);
}

INSTANTIATE_TEST_SUITE_P(Cases, CounterRaise,
                         ::testing::Values(RaiseCase{35, 40, 41}, RaiseCase{50, 40, 50}, RaiseCase{40, 40, 41},
                                           RaiseCase{41, 40, 41}));

} // namespace
} // namespace orbsales::testing
