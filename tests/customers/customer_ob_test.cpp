#include "customers/customer_ob_fixture.h"

#include "orbsales/frame/registry.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

#include <QMetaProperty>

namespace orbsales::testing {
namespace {

using OpeningBalanceList = OpeningBalanceTest;

TEST(OpeningBalanceMembers, AreThoseTheFrontEndUsesAndOnlyThePrefixesTrim) {
    auto object = Registry::instance().create(QStringLiteral("OrbSales.CustomerOB"));
    ASSERT_NE(qobject_cast<CustomerOB *>(object.get()), nullptr);
    EXPECT_EQ(unpublished(*object, "SyncFlag ForeignCurrencyFlag CurrencyCode CurrencySymbol CustomerName "
                                   "CustomerCode GridName ConnectionString ErrDesc! AdoConnectionObject CompanyPrefix "
                                   "BranchPrefix DocumentPrefix ProcessedFlag! LastUpdate Database Validation() "
                                   "Create_OB() Get_OB() Process_OB()"),
              QStringList());
    const QMetaObject *meta = object->metaObject();
    EXPECT_EQ(meta->property(meta->indexOfProperty("ErrDesc")).metaType(), QMetaType::fromType<QVariant>());
    EXPECT_STREQ(meta->classInfo(meta->indexOfClassInfo("WriteOnly")).value(), "AdoConnectionObject");
    assign(*object, "CompanyPrefix", " 01 ", "BranchPrefix", "HO  ", "DocumentPrefix", "  COB", "CustomerCode",
           " C1 ");
    EXPECT_EQ(object->property("CompanyPrefix"), "01");
    EXPECT_EQ(object->property("BranchPrefix"), "HO");
    EXPECT_EQ(object->property("DocumentPrefix"), "COB");
    EXPECT_EQ(object->property("CustomerCode"), " C1 ");
}

// The checks in their order; the first that fails answers. Rows: {reference, date, amount}.
TEST_F(OpeningBalanceList, ValidationChecksTheCustomerTheConnectionThenTheItems) {
    const struct {
        const char *what;
        QString customer;
        bool connected;
        QList<QStringList> rows;
        bool valid;
        bool empty;
        const char *message;
    } cases[] = {
        {"no customer", "", true, {{"INV1", "01/Mar/2026", "100"}}, false, false, "Invalid Customer"},
        {"no connection", "01C001", false, {{"INV1", "01/Mar/2026", "100"}}, false, false, "Invalid Connection."},
        {"no reference anywhere", "01C001", true, {{"", "01/Mar/2026", "100"}, {"", "x", "0"}}, true, true, ""},
        {"first reference missing", "01C001", true, {{"", "01/Mar/2026", "100"}, {"INV2", "x", "5"}}, false, false,
         "Invalid Reference No."},
        {"first date missing", "01C001", true, {{"INV1", "", "100"}}, false, false, "Invalid Reference Date"},
        {"first amount zero", "01C001", true, {{"INV1", "01/Mar/2026", "0"}}, false, false, "Invalid Amount"},
        {"second amount zero", "01C001", true, {{"INV1", "01/Mar/2026", "100"}, {"INV2", "02/Mar/2026", ""}}, false,
         false, "Invalid Amount"},
        {"second amount not a number", "01C001", true,
         {{"INV1", "01/Mar/2026", "100"}, {"INV2", "02/Mar/2026", "12abc"}}, false, false, "Invalid Amount"},
        {"a row without a date ends the list", "01C001", true,
         {{"INV1", "01/Mar/2026", "100"}, {"INV2", "", "50"}, {"INV3", "03/Mar/2026", "0"}}, true, false, ""},
        {"negative amounts are items", "01C001", true, {{"CN1", "01/Mar/2026", "-40"}}, true, false, ""},
    };
    for (const auto &c : cases) {
        auto grid = items(6, c.rows);
        auto ob = newOB(grid.get());
        ob->setCustomerCode(c.customer);
        if (!c.connected)
            ob->setAdoConnectionObject(nullptr);
        EXPECT_EQ(ob->Validation(), c.valid) << c.what;
        EXPECT_EQ(ob->ErrDesc(), QString::fromLatin1(c.message)) << c.what;
        if (c.valid) { // an empty list is stored by removing the stored one
            EXPECT_TRUE(ob->Create_OB("Debit")) << c.what;
        }
        EXPECT_EQ(database().count("Customer_OB"), c.valid && !c.empty ? 1 : 0) << c.what;
        database().execute("Delete from Customer_OB");
    }
}

// Amounts in the home currency come back unchanged, whatever rate the grid holds (none, or 1);
// foreign amounts are converted at their row's rate.
TEST_F(OpeningBalanceList, StoresEachItemWithItsAmountInTheHomeCurrency) {
    auto grid = items(6, {{" INV/1 ", " 01/Mar/2026 ", "100", "", "first"},
                          {"INV/2", "2026-03-02", "50.5", "1", ""},
                          {kHostile, "03/mar/2026", "-20", "", kHostile}});
    auto ob = newOB(grid.get());
    ASSERT_TRUE(ob->Create_OB("  Debit ")) << ob->ErrDesc().toString().toStdString();
    EXPECT_EQ(ob->CurrencySymbol(), "Dhs"); // the master's, trimmed
    EXPECT_EQ(rowsOf("Customer_OB",
                     "OBType, SL_No, Customer_Code, Ref_No, Ref_Date, Foreign_Currency_Flag, Currency_Code, "
                     "Currency_Symbol, Exchange_Rate, Balance_FCAmount, Balance_Amount, OB_Comments, Company_Prefix, "
                     "Branch_Prefix, Last_Update, OB_Inv_No",
                     "Order by SL_No"),
              (QList<QStringList>{
                  {"Debit", "1", "01C001", "INV/1", "01/Mar/2026", "0", "AED", "Dhs", "0", "100", "100", "first", "01",
                   "HO", "2026-03-31 17:00", "NULL"},
                  {"Debit", "2", "01C001", "INV/2", "2026-03-02", "0", "AED", "Dhs", "1", "50.5", "50.5", "NULL", "01",
                   "HO", "2026-03-31 17:00", "NULL"},
                  {"Debit", "3", "01C001", kHostile, "03/mar/2026", "0", "AED", "Dhs", "0", "-20", "-20", kHostile,
                   "01", "HO", "2026-03-31 17:00", "NULL"}}));

    auto usd = items(4, {{"INV/9", "05/Mar/2026", "200", "3.6725", ""}});
    auto foreign = newOB(usd.get());
    assign(*foreign, "CurrencyCode", "USD", "ForeignCurrencyFlag", true);
    ASSERT_TRUE(foreign->Create_OB("Credit")) << foreign->ErrDesc().toString().toStdString();
    EXPECT_EQ(rowsOf("Customer_OB", "Foreign_Currency_Flag, Currency_Symbol, Balance_FCAmount, Balance_Amount",
                     "Where OBType = 'Credit'"),
              (QList<QStringList>{{"1", "$", "200", "734.5"}}));
}

// What the currency component is handed for each item: the currency's name, the amount and the
// row's rate, with the rate's date from the row's date; the home currency too.
TEST_F(OpeningBalanceList, ConvertsEveryItemThroughTheCurrencyComponent) {
    RecordingScope currency(service_ids::kCurrency);
    currency->answer("Convert_Into_HC", 77.25);
    auto grid = items(5, {{"INV1", "01/Mar/2026", "100", ""}, {"INV2", "2026-03-04", "-3", "2.5"}});
    auto ob = newOB(grid.get());
    ob->setDatabase("MSACCESS");
    ASSERT_TRUE(ob->Create_OB("Debit")) << ob->ErrDesc().toString().toStdString();
    const QList<RecordedCall> calls = currency->actions("Convert_Into_HC");
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].arguments, (QVariantList{"UAE Dirham", 100.0, QVariant(), true, 0.0}));
    EXPECT_EQ(calls[1].arguments, (QVariantList{"UAE Dirham", -3.0, QVariant(), true, 2.5}));
    EXPECT_EQ(currency->trace(1),
              (QStringList{"ConnectionString=" + connectionString(), "Database=MSACCESS",
                           "RateDate=2026-03-04 00:00:00",
                           "Convert_Into_HC(UAE Dirham, -3, (null), True, 2.5)"}));
    EXPECT_EQ(rowsOf("Customer_OB", "Balance_Amount"), (QList<QStringList>{{"77.25"}, {"77.25"}}));
}

// Saving replaces the stored list of that kind, numbered from 1 again; the other kind and
// other branches keep theirs; an empty grid removes the list.
TEST_F(OpeningBalanceList, EachSaveReplacesTheStoredListOfItsKind) {
    auto debit = items(5, {{"INV1", "01/Mar/2026", "100"}, {"INV2", "02/Mar/2026", "50"}});
    auto credit = items(5, {{"ADV1", "01/Mar/2026", "30"}});
    auto empty = items(5, {});
    ASSERT_TRUE(newOB(debit.get())->Create_OB("Debit"));
    ASSERT_TRUE(newOB(credit.get())->Create_OB("Credit"));
    ASSERT_TRUE(newOB(credit.get(), "COB", "B2")->Create_OB("Debit"));
    ASSERT_TRUE(newOB(debit.get())->Create_OB("Debit"));
    const QString lists = QStringLiteral("Branch_Prefix, OBType, SL_No, Ref_No");
    const QString order = QStringLiteral("Order by Branch_Prefix, OBType, SL_No");
    EXPECT_EQ(rowsOf("Customer_OB", lists, order),
              (QList<QStringList>{{"B2", "Debit", "1", "ADV1"},
                                  {"HO", "Credit", "1", "ADV1"},
                                  {"HO", "Debit", "1", "INV1"},
                                  {"HO", "Debit", "2", "INV2"}}));
    ASSERT_TRUE(newOB(empty.get())->Create_OB("Debit"));
    EXPECT_EQ(rowsOf("Customer_OB", lists, order),
              (QList<QStringList>{{"B2", "Debit", "1", "ADV1"}, {"HO", "Credit", "1", "ADV1"}}));
}

// A conversion or a date that fails part-way: the stored list is gone already, the items before
// stay, and the failing item is not stored at all.
TEST_F(OpeningBalanceList, AFailurePartWayLeavesTheItemsBeforeIt) {
    const struct {
        const char *what;
        QStringList second;
        const char *message;
    } cases[] = {
        {"foreign amount without a rate", {"INV2", "02/Mar/2026", "50", "0"},
         "The exchange rate must be greater than 0 (was 0)"},
        {"date that is no date", {"INV2", "31/Feb/2026", "50", "3.5"}, "Type mismatch"},
    };
    for (const auto &c : cases) {
        auto old = items(4, {{"OLD1", "01/Jan/2026", "9", "3.5"}});
        auto grid = items(5, {{"INV1", "01/Mar/2026", "100", "3.5"}, c.second});
        auto first = newOB(old.get());
        assign(*first, "CurrencyCode", "USD", "ForeignCurrencyFlag", true);
        ASSERT_TRUE(first->Create_OB("Debit"));
        auto ob = newOB(grid.get());
        assign(*ob, "CurrencyCode", "USD", "ForeignCurrencyFlag", true);
        EXPECT_FALSE(ob->Create_OB("Debit")) << c.what;
        EXPECT_EQ(ob->ErrDesc(), QString::fromLatin1(c.message)) << c.what;
        EXPECT_EQ(rowsOf("Customer_OB", "SL_No, Ref_No, Balance_Amount"), (QList<QStringList>{{"1", "INV1", "350"}}))
            << c.what;
        database().execute("Delete from Customer_OB");
    }
}

// Loading grows the grid one row at a time as an item needs it, never cuts it, and writes the
// document numbers once the items are processed.
TEST_F(OpeningBalanceList, LoadsTheListIntoTheGridAsLargeAsItNeeds) {
    auto stored = items(6, {{"INV1", "01/Mar/2026", "100", "1", "note"}, {"INV2", "02/Mar/2026", "2.5"},
                            {"INV3", "03/Mar/2026", "7"}});
    ASSERT_TRUE(newOB(stored.get())->Create_OB("Debit"));
    database().execute("Update Customer_OB Set OB_Inv_No = '01HOCOB12' Where SL_No = 2");

    auto small = items(2, {});
    auto reader = newOB(small.get());
    reader->setAdoConnectionObject(nullptr); // loading reads through the connection string
    ASSERT_TRUE(reader->Get_OB(" Debit"));
    EXPECT_TRUE(reader->ProcessedFlag());
    EXPECT_EQ(small->rowCount(), 4);
    QList<QStringList> cells;
    for (int row = 1; row <= 3; ++row) {
        QStringList line;
        for (int col = 1; col <= 8; ++col)
            line << small->cellText(row, col);
        cells << line;
    }
    EXPECT_EQ(cells, (QList<QStringList>{{"INV1", "01/Mar/2026", "100", "", "1", "note", "", ""},
                                         {"INV2", "02/Mar/2026", "2.5", "", "0", "", "12", "01HOCOB12"},
                                         {"INV3", "03/Mar/2026", "7", "", "0", "", "", ""}}));

    auto large = items(10, {});
    for (int row = 4; row < 10; ++row)
        large->setCellText(row, 1, QStringLiteral("kept"));
    ASSERT_TRUE(newOB(large.get())->Get_OB("Debit"));
    EXPECT_EQ(large->rowCount(), 10);
    EXPECT_EQ(large->cellText(3, 1), "INV3");
    EXPECT_EQ(large->cellText(9, 1), "kept");

    // Nothing stored is no message; a customer and a connection string are needed, in that order.
    auto none = newOB(large.get());
    EXPECT_FALSE(none->Get_OB("Credit"));
    EXPECT_EQ(none->ErrDesc(), "");
    for (const char *missing : {"ConnectionString", "CustomerCode"}) {
        none->setProperty(missing, QString());
        EXPECT_FALSE(none->Get_OB("Debit"));
    }
    EXPECT_EQ(none->ErrDesc(), "Invalid Customer");
    none->setCustomerCode("01C001");
    EXPECT_FALSE(none->Get_OB("Debit"));
    EXPECT_EQ(none->ErrDesc(), "Invalid Connection String");
}

} // namespace
} // namespace orbsales::testing
