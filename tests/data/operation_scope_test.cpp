#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "support/test_database.h"

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

namespace orbsales::testing {

// An object whose operations write one currency row through the caller's connection and one
// through a session of their own opened from the connection string, then end as told.
class ScopeProbe : public BusinessObject {
    Q_OBJECT
    Q_PROPERTY(orbsales::Connection *AdoConnectionObject READ AdoConnectionObject WRITE setAdoConnectionObject)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
    ORB_PROPERTY(QString, ConnectionString)

public:
    enum class Ending { True, False, Raise };

    Connection *AdoConnectionObject() const { return m_caller; }
    void setAdoConnectionObject(Connection *connection) { m_caller = connection; }
    QString ErrDesc() const { return errorText(); }

    bool Write(const QString &code, Ending ending) {
        return trapped([&] {
            writeBoth(code);
            return end(ending);
        });
    }
    bool WriteUntrapped(const QString &code, Ending ending) {
        return untrapped([&] {
            writeBoth(code);
            return end(ending);
        });
    }
    // Runs `work` as the operation's body and answers True.
    bool Run(const std::function<void()> &work) {
        return trapped([&] {
            work();
            return true;
        });
    }
    // Writes, has `inner` write and end as it is told, then ends itself.
    bool WriteAround(const QString &code, ScopeProbe &inner, Ending innerEnding, Ending ending) {
        return trapped([&] {
            writeBoth(code);
            inner.Write(code + QStringLiteral("I"), innerEnding);
            return end(ending);
        });
    }

private:
    void writeBoth(const QString &code) {
        const QString insert = QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Symbol) values (?, ?)");
        required(m_caller).execute(insert, {code, QStringLiteral("caller")});
        OperationConnection::open(m_ConnectionString)->execute(insert, {code + QStringLiteral("S"), QStringLiteral("own")});
    }
    bool end(Ending ending) {
        if (ending == Ending::Raise)
            throw std::runtime_error("stopped half-way");
        return ending == Ending::True;
    }

    Connection *m_caller = nullptr;
};

namespace {

using Ending = ScopeProbe::Ending;

class OperationScopeTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        caller.open(connectionString());
    }
    void TearDown() override {
        caller.close();
        DatabaseTest::TearDown();
    }
    std::unique_ptr<ScopeProbe> probe(bool atomic) {
        auto object = std::make_unique<ScopeProbe>();
        object->setAdoConnectionObject(&caller);
        object->setConnectionString(connectionString());
        object->setAtomicFlag(atomic);
        return object;
    }
    int written(const QString &code) {
        return database().count(QStringLiteral("Currency_Master"), QStringLiteral("Currency_Code like ?"),
                                {code + QStringLiteral("%")});
    }

    Connection caller;
};

struct Outcome {
    const char *name;
    bool atomic;
    bool trappedOperation;
    Ending ending;
    bool answer;   // what the operation answers (when it does not raise)
    bool raises;   // the error reaches the caller
    int rows;      // currency rows left: both writes, or none
};

class AtomicOutcomes : public OperationScopeTest, public ::testing::WithParamInterface<Outcome> {};

TEST_P(AtomicOutcomes, CommitOnTrueRollBackOnFalseOrError) {
    const Outcome &c = GetParam();
    auto object = probe(c.atomic);
    if (c.raises) {
        EXPECT_THROW(object->WriteUntrapped(QStringLiteral("X"), c.ending), std::runtime_error);
    } else {
        const bool answer = c.trappedOperation ? object->Write(QStringLiteral("X"), c.ending)
                                               : object->WriteUntrapped(QStringLiteral("X"), c.ending);
        EXPECT_EQ(answer, c.answer);
    }
    EXPECT_EQ(written(QStringLiteral("X")), c.rows);
    if (c.trappedOperation && c.ending == Ending::Raise) {
        EXPECT_EQ(object->ErrDesc(), QStringLiteral("stopped half-way"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Switch, AtomicOutcomes,
    ::testing::Values(Outcome{"OffFalseKeepsSteps", false, true, Ending::False, false, false, 2},
                      Outcome{"OffErrorKeepsSteps", false, true, Ending::Raise, false, false, 2},
                      Outcome{"OnTrueCommits", true, true, Ending::True, true, false, 2},
                      Outcome{"OnFalseRollsBack", true, true, Ending::False, false, false, 0},
                      Outcome{"OnErrorRollsBack", true, true, Ending::Raise, false, false, 0},
                      Outcome{"OnUntrappedTrueCommits", true, false, Ending::True, true, false, 2},
                      Outcome{"OnUntrappedFalseRollsBack", true, false, Ending::False, false, false, 0},
                      Outcome{"OnUntrappedErrorRollsBackAndRaises", true, false, Ending::Raise, false, true, 0}),
    [](const ::testing::TestParamInfo<Outcome> &info) { return std::string(info.param.name); });

// The caller's own transaction stays the caller's: the operation is a savepoint inside it.
TEST_F(OperationScopeTest, InsideTheCallersTransactionTheOperationIsASavepoint) {
    caller.beginTransaction();
    caller.execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Symbol) values ('K', 'k')"));
    auto object = probe(true);
    EXPECT_FALSE(object->Write(QStringLiteral("X"), Ending::False));
    EXPECT_TRUE(object->Write(QStringLiteral("Y"), Ending::True));
    EXPECT_TRUE(caller.inTransaction());
    caller.commit();
    EXPECT_EQ(written(QStringLiteral("K")), 1);
    EXPECT_EQ(written(QStringLiteral("X")), 0);
    EXPECT_EQ(written(QStringLiteral("Y")), 2);
}

struct Nesting {
    const char *name;
    bool innerAtomic;
    Ending inner;
    Ending outer;
    int outerRows;
    int innerRows;
};

class NestedOperations : public OperationScopeTest, public ::testing::WithParamInterface<Nesting> {};

// An operation called by an all-or-nothing one undoes its own writes when it fails; the outer
// one decides for everything at its end. Outside a scope an inner switch works on its own.
TEST_P(NestedOperations, InnerFailureUndoesOnlyItsOwnWrites) {
    const Nesting &c = GetParam();
    auto outer = probe(true);
    auto inner = probe(c.innerAtomic);
    outer->WriteAround(QStringLiteral("O"), *inner, c.inner, c.outer);
    EXPECT_EQ(written(QStringLiteral("O")) - written(QStringLiteral("OI")), c.outerRows);
    EXPECT_EQ(written(QStringLiteral("OI")), c.innerRows);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, NestedOperations,
    ::testing::Values(Nesting{"InnerFalseOuterTrue", false, Ending::False, Ending::True, 2, 0},
                      Nesting{"InnerErrorOuterTrue", true, Ending::Raise, Ending::True, 2, 0},
                      Nesting{"InnerTrueOuterTrue", false, Ending::True, Ending::True, 2, 2},
                      Nesting{"InnerTrueOuterFalse", true, Ending::True, Ending::False, 0, 0}),
    [](const ::testing::TestParamInfo<Nesting> &info) { return std::string(info.param.name); });

// Two all-or-nothing operations that change the same two rows in opposite orders, at once: the
// second waits for the first instead of deadlocking, and both keep their changes.
TEST_F(OperationScopeTest, AllOrNothingOperationsWriteOneAtATime) {
    database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Symbol) values ('R1', ''), "
                                      "('R2', '')"));
    auto change = [this](const char *first, const char *second, const char *mark) {
        Connection own;
        own.open(connectionString());
        auto object = probe(true);
        object->setAdoConnectionObject(&own);
        const QString append = QStringLiteral("Update Currency_Master Set Currency_Symbol = Currency_Symbol || ? Where "
                                              "Currency_Code = ?");
        return object->Run([&] {
            own.execute(append, {QLatin1String(mark), QLatin1String(first)});
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            own.execute(append, {QLatin1String(mark), QLatin1String(second)});
        });
    };
    bool firstAnswer = false;
    bool secondAnswer = false;
    std::thread one([&] { firstAnswer = change("R1", "R2", "a"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::thread two([&] { secondAnswer = change("R2", "R1", "b"); });
    one.join();
    two.join();
    EXPECT_TRUE(firstAnswer);
    EXPECT_TRUE(secondAnswer);
    for (const char *code : {"R1", "R2"})
        EXPECT_EQ(database()
                      .scalar(QStringLiteral("Select Currency_Symbol from Currency_Master Where Currency_Code = ?"),
                              {QLatin1String(code)})
                      .toString(),
                  QStringLiteral("ab"))
            << code;
}

} // namespace
} // namespace orbsales::testing

#include "operation_scope_test.moc"
