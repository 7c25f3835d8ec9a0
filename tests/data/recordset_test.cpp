#include "orbsales/data/recordset.h"
#include "orbsales/values/errors.h"
#include "support/test_database.h"

#include <QDateTime>

namespace orbsales::testing {
namespace {

class RecordsetTest : public DatabaseTest {
protected:
    void addCurrency(const QString &code, const QVariant &symbol) {
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Symbol) values (?, ?)"),
                           {code, symbol});
    }
};

TEST_F(RecordsetTest, ReadsRowsInOrderWithFieldsByNameInAnyCase) {
    addCurrency(QStringLiteral("AED"), QStringLiteral("Dhs"));
    addCurrency(QStringLiteral("USD"), QStringLiteral("$"));
    Recordset rs;
    rs.open(QStringLiteral("Select * from Currency_Master Order by Currency_Code"), {}, connectionString(),
            CursorType::Static);
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.text(u"CURRENCY_CODE"), QStringLiteral("AED"));
    EXPECT_EQ(rs.text(u"currency_symbol"), QStringLiteral("Dhs"));
    rs.moveNext();
    EXPECT_EQ(rs.text(u"Currency_Code"), QStringLiteral("USD"));
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.moveNext(), DatabaseError);
    EXPECT_THROW(rs.value(u"Currency_Code"), DatabaseError);
}

TEST_F(RecordsetTest, UnknownFieldAndNullReadsFailWithTheProvidersWords) {
    addCurrency(QStringLiteral("AED"), QVariant());
    Recordset rs;
    rs.open(QStringLiteral("Select * from Currency_Master"), {}, database().connection(), CursorType::Static);
    EXPECT_TRUE(rs.isNull(u"Currency_Symbol"));
    try {
        rs.text(u"Currency_Symbol");
        FAIL() << "a NULL read as text must fail";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(error.description(), QStringLiteral("Invalid use of Null"));
    }
    try {
        rs.value(u"No_Such_Column");
        FAIL() << "an unknown column must fail";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("Item cannot be found in the collection")));
    }
}

TEST_F(RecordsetTest, AddsAndChangesRowsWithValuesStoredVerbatim) {
    const QString hostile = QStringLiteral("O'Brien; DROP TABLE Currency_Master;--");
    {
        Recordset rs;
        rs.open(QStringLiteral("Select * from Currency_Master"), {}, database().connection(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"currency_code", QStringLiteral("XOB"));
        rs.setValue(u"Currency_Name", hostile);
        rs.update();
    }
    EXPECT_EQ(database().scalar(QStringLiteral("Select Currency_Name from Currency_Master Where Currency_Code=?"),
                                {QStringLiteral("XOB")})
                  .toString(),
              hostile);
    {
        Recordset rs;
        rs.open(QStringLiteral("Select Currency_Symbol From Currency_Master Where Currency_Name=?"), {hostile},
                database().connection(), CursorType::Keyset);
        ASSERT_FALSE(rs.eof());
        rs.setValue(u"Currency_Symbol", hostile);
        rs.update();
    }
    EXPECT_EQ(database().count(QStringLiteral("Currency_Master"), QStringLiteral("Currency_Symbol=?"), {hostile}), 1);
}

// Assigned values take the column's type, as the package's database would store them.
struct CoercionCase {
    const char *column;
    QVariant assigned;
    QVariant stored; // as read back through a recordset
};

class RecordsetCoercion : public RecordsetTest, public ::testing::WithParamInterface<CoercionCase> {};

TEST_P(RecordsetCoercion, StoresAssignedValueAsTheColumnType) {
    const CoercionCase &c = GetParam();
    {
        Recordset rs;
        rs.open(QStringLiteral("Select * from Document_Prefix"), {}, database().connection(), CursorType::Keyset);
        rs.addNew();
        rs.setValue(u"Document_Prefix", QStringLiteral("SQT"));
        rs.setValue(u"Company_Prefix", QStringLiteral("01"));
        rs.setValue(u"Branch_Prefix", QStringLiteral("HO"));
        rs.setValue(u"Document_Next_No", 1);
        rs.setValue(QString::fromLatin1(c.column), c.assigned);
        rs.update();
    }
    Recordset rs;
    rs.open(QStringLiteral("Select * from Document_Prefix"), {}, database().connection(), CursorType::Static);
    EXPECT_EQ(rs.value(QString::fromLatin1(c.column)), c.stored) << c.column;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, RecordsetCoercion,
    ::testing::Values(CoercionCase{"Manual_Flag", true, 1}, CoercionCase{"Manual_Flag", 1, 1},
                      CoercionCase{"Manual_Flag", -1, 1}, CoercionCase{"Manual_Flag", false, 0},
                      CoercionCase{"Document_Next_No", 12.5, 12}, CoercionCase{"Document_Next_No", 13.5, 14},
                      CoercionCase{"Document_Next_No", QStringLiteral(" 42 "), 42},
                      CoercionCase{"Last_Update", QStringLiteral("05/Dec/2026"),
                                   QDateTime(QDate(2026, 12, 5), QTime(0, 0))},
                      CoercionCase{"Last_Update", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)),
                                   QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))},
                      CoercionCase{"Manual_Flag", QStringLiteral("True"), 1},
                      CoercionCase{"Manual_Flag", QStringLiteral("false"), 0},
                      CoercionCase{"Document_Name", 2.5, QStringLiteral("2.5")},
                      CoercionCase{"Document_Name", 1e20, QStringLiteral("1E+20")},
                      CoercionCase{"Document_Name", true, QStringLiteral("True")}));

TEST_F(RecordsetTest, RefusesValuesTheColumnCannotHold) {
    Recordset rs;
    rs.open(QStringLiteral("Select * from Document_Prefix"), {}, database().connection(), CursorType::Keyset);
    rs.addNew();
    for (const auto &[column, value] : {std::pair{u"Document_Next_No", QVariant(QStringLiteral("12abc"))},
                                       std::pair{u"Last_Update", QVariant(QStringLiteral("tomorrow"))}}) {
        try {
            rs.setValue(column, value);
            FAIL() << "accepted " << value.toString().toStdString();
        } catch (const DatabaseError &error) {
            EXPECT_EQ(error.description(), QStringLiteral("Type mismatch"));
        }
    }
}

TEST_F(RecordsetTest, AggregatesAndReadOnlyLocksRefuseChanges) {
    addCurrency(QStringLiteral("AED"), QStringLiteral("Dhs"));
    Recordset aggregate;
    aggregate.open(QStringLiteral("Select max(SL_NO) as MaxNo from Sales_Quotation_Detail"), {},
                   database().connection(), CursorType::Static);
    EXPECT_TRUE(aggregate.isNull(u"MaxNo"));
    EXPECT_THROW(aggregate.setValue(u"MaxNo", 1), DatabaseError);
    Recordset readOnly;
    readOnly.open(QStringLiteral("Select * from Currency_Master"), {}, database().connection(), CursorType::Static,
                  LockType::ProviderDefault);
    EXPECT_THROW(readOnly.setValue(u"Currency_Symbol", QStringLiteral("x")), DatabaseError);
    Recordset staticOptimistic;
    staticOptimistic.open(QStringLiteral("Select * from Currency_Master"), {}, database().connection(),
                          CursorType::Static);
    staticOptimistic.setValue(u"Currency_Symbol", QStringLiteral("AED"));
    staticOptimistic.update();
    EXPECT_EQ(database().scalar(QStringLiteral("Select Currency_Symbol from Currency_Master")).toString(),
              QStringLiteral("AED"));
}

// Rows that are not one table row each (joins, a second table, DISTINCT, grouping) are read as
// they are and cannot be changed.
TEST_F(RecordsetTest, CombinedRowsAreReadAndRefuseChanges) {
    addCurrency(QStringLiteral("AED"), QStringLiteral("Dhs"));
    addCurrency(QStringLiteral("USD"), QStringLiteral("$"));
    const char *const statements[] = {
        "Select distinct Currency_Symbol from Currency_Master",
        "Select c.Currency_Code from Currency_Master c, Currency_Master d Where c.Currency_Code=d.Currency_Code",
        "Select c.Currency_Code from Currency_Master c inner join Currency_Master d on c.Currency_Code=d.Currency_Code",
        "Select Currency_Code from Currency_Master group by Currency_Code",
    };
    for (const char *sql : statements) {
        Recordset rs;
        rs.open(QString::fromLatin1(sql), {}, database().connection(), CursorType::Static);
        EXPECT_EQ(rs.recordCount(), 2) << sql;
        EXPECT_THROW(rs.setValue(u"Currency_Code", QStringLiteral("EUR")), DatabaseError) << sql;
    }
}

// Moving to the next row saves the row being changed, as the package's recordsets do.
TEST_F(RecordsetTest, MovingOnSavesTheChangedRow) {
    addCurrency(QStringLiteral("AED"), QStringLiteral("Dhs"));
    addCurrency(QStringLiteral("USD"), QStringLiteral("$"));
    Recordset rs;
    rs.open(QStringLiteral("Select * from Currency_Master Order By Currency_Code"), {}, database().connection(),
            CursorType::Keyset);
    rs.setValue(u"Currency_Symbol", QStringLiteral("AE"));
    rs.moveNext();
    EXPECT_EQ(rs.text(u"Currency_Code"), QStringLiteral("USD"));
    EXPECT_EQ(rs.text(u"Currency_Symbol"), QStringLiteral("$"));
    EXPECT_EQ(database().count(QStringLiteral("Currency_Master"), QStringLiteral("Currency_Symbol='AE'")), 1);
}

// Appending through "Select * from X" must not read X: a broken SELECT would only fail when read.
// The statement would fail if it ran: appending, reading the added row and changing it never run it.
TEST_F(RecordsetTest, OpeningOnlyToAppendReadsNothingAndTheAddedRowIsCurrent) {
    Recordset rs;
    rs.open(QStringLiteral("Select * from Currency_Master Where No_Such_Column = 1"), {}, database().connection(),
            CursorType::Keyset);
    rs.addNew();
    rs.setValue(u"Currency_Code", QStringLiteral("EUR"));
    rs.update();
    EXPECT_EQ(database().count(QStringLiteral("Currency_Master")), 1);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.text(u"currency_code"), QStringLiteral("EUR"));
    EXPECT_TRUE(rs.isNull(u"Currency_Symbol"));
    rs.setValue(u"Currency_Symbol", QStringLiteral("€"));
    EXPECT_EQ(rs.text(u"Currency_Symbol"), QStringLiteral("€")); // assigned, not yet saved
    rs.update();
    EXPECT_EQ(database().scalar(QStringLiteral("Select Currency_Symbol from Currency_Master")).toString(),
              QStringLiteral("€"));
    EXPECT_EQ(rs.recordCount(), 1);
}

TEST_F(RecordsetTest, OwnConnectionFromAStringClosesWithTheRecordset) {
    addCurrency(QStringLiteral("AED"), QStringLiteral("Dhs"));
    Recordset rs;
    rs.open(QStringLiteral("Select * from Currency_Master Where Currency_Code=?"), {QStringLiteral("AED")},
            connectionString(), CursorType::Keyset);
    rs.setValue(u"Currency_Symbol", QStringLiteral("AED"));
    rs.update();
    rs.close();
    EXPECT_FALSE(rs.isOpen());
    EXPECT_THROW(rs.eof(), DatabaseError);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Currency_Symbol from Currency_Master")).toString(),
              QStringLiteral("AED"));
}

} // namespace
} // namespace orbsales::testing
