#include "bench.h"
#include "cli_fixture.h"
#include "demo.h"

#include "orbsales/data/connection.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

class CustomersOnTheCommandLine : public SeededDatabaseTest {
protected:
    QString runDemoSection() {
        CapturedOutput output;
        Connection session;
        session.open(connectionString());
        cli::DemoContext context{connectionString(), output.outStream, session};
        cli::demoCustomers(context);
        output.flush();
        return output.out;
    }

    int count(const char *table, const QString &code) {
        return database().count(QString::fromLatin1(table), QStringLiteral("Customer_Code = ?"), {code});
    }
};

// Each run saves a customer under a code of its own and renames it to another free code: the
// codes a rename leaves behind in the balance rows and addresses are not taken again.
TEST_F(CustomersOnTheCommandLine, DemoTakesFreshCodesOnEveryRun) {
    struct Expected {
        const char *oldCode;
        const char *newCode;
    };
    const Expected runs[] = {{"01C104", "01C105"}, {"01C106", "01C107"}};
    for (const Expected &run : runs) {
        SCOPED_TRACE(run.oldCode);
        const QString out = runDemoSection();
        const QString oldCode = QString::fromLatin1(run.oldCode);
        const QString newCode = QString::fromLatin1(run.newCode);
        EXPECT_TRUE(out.contains(QStringLiteral("ErrDesc: \"This %1 code already in use\"").arg(newCode.mid(2))))
            << out.toStdString();
        EXPECT_EQ(count("Customer_Master", oldCode), 0);
        EXPECT_EQ(count("Customer_Master", newCode), 1);
        EXPECT_EQ(count("Customer_Price_List", newCode), 1);
        EXPECT_EQ(count("Customer_Master_Balance", oldCode), 2);
        EXPECT_EQ(count("Customer_Address", oldCode), 2);
        EXPECT_EQ(database()
                      .scalar(QStringLiteral("Select Last_Selling_Price from Customer_Price_List Where "
                                             "Customer_Code = ?"),
                              {newCode})
                      .toDouble(),
                  11.75);
    }
    // The seeded customer named in the refused change keeps its code.
    EXPECT_EQ(count("Customer_Master", QStringLiteral("01C001")), 1);
}

// Pre-filled customers get new codes on a second pre-fill, and each has one row with its name
// in every table a customer's save writes the name into.
TEST_F(CustomersOnTheCommandLine, BenchPrefillIsConsistentAndRepeatable) {
    const cli::Measurement measurement = cli::customerMeasurement();
    Connection session;
    session.open(connectionString());
    QString progressText;
    QTextStream progressStream(&progressText);
    const int rows[] = {120, 40};
    for (int rowCount : rows) {
        cli::Progress progress(progressStream, QStringLiteral("pre-filling"), rowCount);
        session.beginTransaction();
        measurement.prefill(session, rowCount, progress);
        session.commit();
        progress.finish();
    }
    // The progress counts the rows of every table, not only the last one's.
    EXPECT_TRUE(progressText.contains(QStringLiteral("50% (120 of 240 rows)"))) << progressText.toStdString();
    EXPECT_TRUE(progressText.contains(QStringLiteral("100% (240 of 240 rows)"))) << progressText.toStdString();
    // No receivable rows are written, so no balance is carried.
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"),
                               QStringLiteral("Company_Prefix = '99' and Customer_Balance <> 0")),
              0);
    const QString company99 = QStringLiteral("Company_Prefix = '99'");
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master"), company99), 160);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"), company99), 160);
    const char *const documents[] = {"Sales_Invoice_Master", "Direct_Sales_Invoice_Master", "AR_Adjustment_Master",
                                     "AR_Adjustment_Detail"};
    for (const char *table : documents) {
        SCOPED_TRACE(table);
        EXPECT_EQ(
            database().count(QString::fromLatin1(table),
                             QStringLiteral("Customer_Code in (Select Customer_Code from Customer_Master "
                                            "M Where M.Company_Prefix = '99' and M.customer_name = %1.Customer_Name)")
                                 .arg(QString::fromLatin1(table))),
            160);
    }

    measurement.createOne(connectionString(), 7);
    EXPECT_EQ(database().count(QStringLiteral("Customer_Master_Balance"),
                               QStringLiteral("Customer_Code like '01K%' and Branch_Prefix in ('HO', 'B2')")),
              2);
}

} // namespace
} // namespace orbsales::testing
