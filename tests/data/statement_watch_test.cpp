#include "orbsales/data/operation_scope.h"
#include "orbsales/data/statement_watch.h"
#include "orbsales/values/errors.h"
#include "support/test_database.h"

namespace orbsales::testing {
namespace {

class FailAt : public StatementWatcher {
public:
    explicit FailAt(int number) : m_number(number) {}
    void aboutToRun(Dialect, const QString &, const QVariantList &) override {
        if (++m_seen == m_number)
            throw DatabaseError(QStringLiteral("the line dropped"));
    }

private:
    int m_number;
    int m_seen = 0;
};

class StatementWatch : public DatabaseTest {};

// What a recorder saw, replayed bare on another database, writes the same rows; a watcher that
// throws fails exactly its statement, and the transaction around it can still be rolled back.
TEST_F(StatementWatch, RecordedStatementsReplayAndAFailedOneStopsWhereItFailed) {
    const QString create = QStringLiteral("Create table Watched (Code varchar(10), Amount float)");
    database().execute(create);
    StatementRecorder recorder;
    {
        WatchStatements watching(recorder);
        Connection &connection = database().connection();
        connection.beginTransaction();
        connection.execute(QStringLiteral("Insert into Watched (Code, Amount) values (?, ?)"), {QStringLiteral("O'Neil"), 2.5});
        connection.scalar(QStringLiteral("Select sum(Amount) from Watched"));
        connection.commit();
    }
    ASSERT_EQ(recorder.statements.size(), 4u);
    EXPECT_EQ(recorder.statements[1].values, (QVariantList{QStringLiteral("O'Neil"), 2.5}));

    TestDatabase other;
    other.execute(create);
    replayStatements(other.connectionString(), recorder.statements);
    EXPECT_EQ(other.scalar(QStringLiteral("Select Code from Watched")).toString(), QStringLiteral("O'Neil"));

    FailAt failing(3);
    Connection &connection = other.connection();
    WatchStatements watching(failing);
    connection.beginTransaction();
    connection.execute(QStringLiteral("Insert into Watched (Code, Amount) values (?, ?)"), {QStringLiteral("B"), 1.0});
    try {
        connection.execute(QStringLiteral("Insert into Watched (Code, Amount) values (?, ?)"), {QStringLiteral("C"), 1.0});
        FAIL() << "the third statement went through";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), QStringLiteral("the line dropped"));
    }
    connection.rollback();
    EXPECT_EQ(other.count(QStringLiteral("Watched")), 1);
}

// Inside an operation a reference read is sent once; a row added to its table sends it again, and
// outside any operation every read goes to the database.
TEST_F(StatementWatch, ReferenceReadsAreSentOncePerOperationUntilTheirTableGainsARow) {
    database().execute(QStringLiteral("Create table Watched (Code varchar(10), Amount float)"));
    Connection &connection = database().connection();
    const QString read = QStringLiteral("Select Amount from Watched Where Code = ?");
    const QString insert = QStringLiteral("Insert into Watched (Code, Amount) values (?, ?)");
    StatementRecorder recorder;
    WatchStatements watching(recorder);
    {
        OperationScope operation(false);
        EXPECT_TRUE(connection.selectReference(read, {QStringLiteral("A")}).rows.isEmpty());
        EXPECT_TRUE(connection.selectReference(read, {QStringLiteral("A")}).rows.isEmpty());
        connection.execute(QStringLiteral("Update Watched Set Amount = 1"));
        connection.selectReference(read, {QStringLiteral("A")});
        connection.execute(insert, {QStringLiteral("A"), 4.0});
        EXPECT_EQ(connection.selectReference(read, {QStringLiteral("A")}).rows.value(0).value(0).toDouble(), 4.0);
    }
    connection.selectReference(read, {QStringLiteral("A")});
    QStringList sent;
    for (const RecordedStatement &statement : recorder.statements)
        sent << statement.sql.left(6);
    EXPECT_EQ(sent, (QStringList{"Select", "Update", "Insert", "Select", "Select"}));
}

} // namespace
} // namespace orbsales::testing
