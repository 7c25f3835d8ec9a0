#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/demo_company.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

// A processed dollar invoice whose two sales lines of $5 are each converted and rounded, and its
// $10 receivable converted apart: the home-currency lines may miss each other by the roundings.
struct Conversion {
    const char *name;
    double receivable; // home-currency debit of the $10 receivable; the sales lines credit 18.36 each
    QStringList breaches;
    QStringList listed; // the documented differences that name the invoice
};

class ConvertedInvoice : public DatabaseTest, public ::testing::WithParamInterface<Conversion> {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        database().execute(QStringLiteral(
            "Insert into Sales_Invoice_Master (Sales_Inv_No, Sales_Inv_Identity, Company_Prefix, Branch_Prefix, "
            "Document_Prefix, Customer_Code, Currency_Code, Foreign_Currency_Flag, Exchange_Rate, Processed_Flag, "
            "Cancel_Flag) values ('01HOINVTMP77', 77, '01', 'HO', 'INV', '01C003', 'USD', 1, 3.6725, 1, 0)"));
    }
    void post(const char *account, double debit, double credit, double fcDebit, double fcCredit) {
        database().execute(QStringLiteral("Insert into General_Ledger (Document_No, Document_Prefix, Company_Prefix, "
                                          "Branch_Prefix, Account_No, GL_Debit_Amount, GL_Credit_Amount, "
                                          "FC_GL_Debit_Amount, FC_GL_Credit_Amount) values ('01HOINVTMP77', 'INV', "
                                          "'01', 'HO', ?, ?, ?, ?, ?)"),
                           {QLatin1String(account), debit, credit, fcDebit, fcCredit});
        database().execute(QStringLiteral("Update Chart_Of_Accounts Set Posted_Balance = COALESCE(Posted_Balance, 0) "
                                          "+ ? Where Account_No = ?"),
                           {debit - credit, QLatin1String(account)});
    }
};

TEST_P(ConvertedInvoice, RoundingsAreListedAndMoreIsABreach) {
    post("01HO1200", GetParam().receivable, 0, 10, 0);
    post("01HO4000", 0, 18.36, 0, 5);
    post("01HO4000", 0, 18.36, 0, 5);
    EXPECT_EQ(package::verifyBooks(database().connection()), GetParam().breaches);
    QStringList listed;
    for (const package::DocumentedDifference &difference : package::documentedDifferences(database().connection()))
        if (difference.text().contains(QLatin1String("01HOINVTMP77")))
            listed << difference.text();
    EXPECT_EQ(listed, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Dollars, ConvertedInvoice,
    ::testing::Values(
        Conversion{"Even", 36.72, {}, {}},
        Conversion{"ACentApart",
                   36.73,
                   {},
                   {QStringLiteral("Invoice 01HOINVTMP77 in USD: its 3 ledger lines are each converted into the home "
                                   "currency and rounded, so they miss each other by 0.01")}},
        // A dollar amount rounded by half a cent moves its conversion by the rate: 1.8 cents.
        Conversion{"DollarRoundingsAtTheRate",
                   36.76,
                   {},
                   {QStringLiteral("Invoice 01HOINVTMP77 in USD: its 3 ledger lines are each converted into the home "
                                   "currency and rounded, so they miss each other by 0.04")}},
        Conversion{"BeyondTheRoundings",
                   36.8,
                   {QStringLiteral("Ledger does not balance in the home currency: debits 36.8, credits 36.72"),
                    QStringLiteral("Document 01HOINVTMP77 does not balance in the home currency: debits 36.8, "
                                   "credits 36.72")},
                   {}}),
    [](const ::testing::TestParamInfo<Conversion> &info) { return std::string(info.param.name); });

} // namespace
} // namespace orbsales::testing
