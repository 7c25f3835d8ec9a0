#include "orbsales/data/legacy_sql.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

struct Rewrite {
    const char *name;
    const char *statement;
    const char *standard; // nullptr: left as it is
};
void PrintTo(const Rewrite &c, std::ostream *os) { *os << c.name; }

class LegacyStatements : public ::testing::TestWithParam<Rewrite> {};

TEST_P(LegacyStatements, BecomeStandardOrStayAsTheyAre) {
    const Rewrite &c = GetParam();
    const QString statement = QString::fromLatin1(c.statement);
    EXPECT_EQ(legacy_sql::standardForm(statement), c.standard ? QString::fromLatin1(c.standard) : statement);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LegacyStatements,
    ::testing::Values(
        Rewrite{
            "InvoiceLines",
            "Select *,B.Branch_Name,C.Address_Desc from Sales_Invoice_Detail S, Branch_Master B ,Customer_Address C "
            "Where SUBSTRING(S.Delivery_No,3,2) = B.Branch_Prefix and C.Address_Code =* S.Address_Code and "
            "C.Customer_Code = ? and Sales_Inv_No=? Order By S.SL_No",
            "Select *,B.Branch_Name,C.Address_Desc from Sales_Invoice_Detail S CROSS JOIN Branch_Master B LEFT JOIN "
            "Customer_Address C ON C.Address_Code = S.Address_Code and C.Customer_Code = ? Where "
            "SUBSTRING(S.Delivery_No,3,2) = B.Branch_Prefix and Sales_Inv_No=? Order By S.SL_No"},
        Rewrite{"LeftHandKept", "Select * from A X, B Y Where X.k *= Y.k and Y.v = 1",
                "Select * from A X LEFT JOIN B Y ON X.k = Y.k and Y.v = 1"},
        Rewrite{"ValuesWouldChangeOrder", "Select * from A X, B Y Where X.a = ? and Y.k =* X.k and Y.v = ?", nullptr},
        Rewrite{"AnOrOutsideParentheses", "Select * from A X, B Y Where Y.k =* X.k or X.a = 1", nullptr},
        Rewrite{"AJoinAlreadyWritten", "Select * from A X JOIN B Y ON X.k = Y.k Where Y.k =* X.k", nullptr},
        Rewrite{"LoneViewQualifiedByAnotherName",
                "Select * from DeliveriesInvoiced Where M.Customer_Code=? And M.Company_Prefix=? ORDER BY "
                "Delivery_Identity,Dtl_ID",
                "Select * from DeliveriesInvoiced M Where M.Customer_Code=? And M.Company_Prefix=? ORDER BY "
                "Delivery_Identity,Dtl_ID"},
        Rewrite{"QualifiedByItsOwnName", "Select Unit_Qty From Item_Detail where Item_Detail.Item_Code =?", nullptr},
        Rewrite{"ASubqueryKeepsItsQualifiers", "Select * from A Where exists (Select 1 from B Where B.k = A.k)",
                nullptr},
        Rewrite{"TextInQuotesIsNotSyntax", "Select * from T Where Name = 'x =* y' and Z.v = 1",
                "Select * from T Z Where Name = 'x =* y' and Z.v = 1"}),
    [](const auto &info) { return std::string(info.param.name); });

// The rewritten outer join runs on the engine and keeps the lines that have no address.
using LegacyOuterJoin = DatabaseTest;

TEST_F(LegacyOuterJoin, RunsOnTheEngine) {
    TestDatabase &db = database();
    db.execute(QStringLiteral("Insert into Branch_Master (Company_Prefix, Branch_Prefix, Branch_Name) values "
                              "('01', 'HO', 'Head Office')"));
    db.execute(QStringLiteral("Insert into Customer_Address (Customer_Code, Address_Code, Address_Desc) values "
                              "('01C001', 'A1', 'Main Warehouse'), ('01C002', 'A2', 'Elsewhere')"));
    db.execute(QStringLiteral("Insert into Sales_Invoice_Detail (Sales_Inv_No, SL_No, Delivery_No, Address_Code) "
                              "values ('01HOINV1', 1, '01HODEL1', 'A1'), ('01HOINV1', 2, '01HODEL2', 'A2'), "
                              "('01HOINV1', 3, '01HODEL3', NULL)"));
    const Connection::Result rows = db.connection().select(
        QStringLiteral("Select S.SL_No, B.Branch_Name, C.Address_Desc from Sales_Invoice_Detail S, Branch_Master B "
                       ",Customer_Address C Where SUBSTRING(S.Delivery_No,3,2) = B.Branch_Prefix and C.Address_Code "
                       "=* S.Address_Code and C.Customer_Code = ? and Sales_Inv_No=? Order By S.SL_No"),
        {QStringLiteral("01C001"), QStringLiteral("01HOINV1")});
    ASSERT_EQ(rows.rows.size(), 3);
    EXPECT_EQ(rows.rows[0].at(2).toString(), QStringLiteral("Main Warehouse"));
    EXPECT_TRUE(rows.rows[1].at(2).isNull()); // another customer's address is not this line's
    EXPECT_TRUE(rows.rows[2].at(2).isNull());
    EXPECT_EQ(rows.rows[2].at(1).toString(), QStringLiteral("Head Office"));
}

} // namespace
} // namespace orbsales::testing
