#include "orbsales/services/package/package_messages.h"
#include "services/package_fixture.h"

#include "orbsales/values/errors.h"
#include "orbsales/services/currency.h"
#include "orbsales/services/general.h"
#include "orbsales/services/service_ids.h"

namespace orbsales::testing {
namespace {

namespace msg = package::messages;
namespace ids = service_ids;

class Lookups : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addPreferences(QStringLiteral("HO"));
        addPreferences(QStringLiteral("B2"));
        addAccount(QStringLiteral("01HO1200"), 0, kHostile);
        addItem(QStringLiteral("01A100"), QStringLiteral("3"));
        database().execute(QStringLiteral("Update Item_Master Set Base_Qty = 2.5 Where Item_Code = '01A100'"));
    }
};

TEST_F(Lookups, AnswerTheColumnOfTheRowTheConditionsName) {
    auto general = service<General>(ids::kGeneral);
    struct Case {
        const char *name;
        QString answer;
        QString expected;
    };
    const Case cases[] = {
        {"two text conditions",
         general->GetFldValue(QStringLiteral("Default_Sales_Preferences"), QStringLiteral("Cash_Sales_Account_No"),
                              QStringLiteral("Company_Prefix"), QStringLiteral("01"), false,
                              QStringLiteral("Branch_Prefix"), QStringLiteral("B2"), false),
         QStringLiteral("01B24100")},
        {"one condition, names in another case",
         general->GetFldValue(QStringLiteral("item_master"), QStringLiteral("ITEM_TYPE"), QStringLiteral("item_code"),
                              QStringLiteral("01A100")),
         QStringLiteral("3")},
        {"a number as its shortest text",
         general->GetFldValue(QStringLiteral("Item_Master"), QStringLiteral("Base_Qty"), QStringLiteral("Item_Code"),
                              QStringLiteral("01A100"), false),
         QStringLiteral("2.5")},
        {"compared as a number",
         general->GetFldValue(QStringLiteral("Item_Master"), QStringLiteral("Item_Code"), QStringLiteral("Base_Qty"),
                              QStringLiteral("2.50"), true),
         QStringLiteral("01A100")},
        {"a value with a quote comes back as stored",
         general->GetFldValue(QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_Name"),
                              QStringLiteral("Account_No"), QStringLiteral("01HO1200"), false),
         kHostile},
        {"no such row",
         general->GetFldValue(QStringLiteral("Item_Master"), QStringLiteral("Item_Type"), QStringLiteral("Item_Code"),
                              kHostile),
         QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.answer, c.expected);
    }
    EXPECT_EQ(rows(QStringLiteral("General_Ledger")), 0); // the hostile value was only a value
}

TEST_F(Lookups, NamesOutsideTheSchemaAreRefusedWithAnEmptyAnswer) {
    auto general = service<General>(ids::kGeneral);
    struct Case {
        const char *name;
        QString table, field, where;
        QVariant value;
        bool numeric;
        QString message;
    };
    const Case cases[] = {
        {"unknown table", QStringLiteral("Item_Master; Delete from Item_Master"), QStringLiteral("Item_Type"),
         QStringLiteral("Item_Code"), QStringLiteral("01A100"), false,
         msg::unknownTable(QStringLiteral("Item_Master; Delete from Item_Master"))},
        {"unknown field", QStringLiteral("Item_Master"), QStringLiteral("Item_Type || Item_Name"),
         QStringLiteral("Item_Code"), QStringLiteral("01A100"), false,
         msg::unknownColumn(QStringLiteral("Item_Master"), QStringLiteral("Item_Type || Item_Name"))},
        {"unknown condition column", QStringLiteral("Item_Master"), QStringLiteral("Item_Type"),
         QStringLiteral("1=1 or Item_Code"), QStringLiteral("x"), false,
         msg::unknownColumn(QStringLiteral("Item_Master"), QStringLiteral("1=1 or Item_Code"))},
        {"numeric comparison of a word", QStringLiteral("Item_Master"), QStringLiteral("Item_Type"),
         QStringLiteral("Base_Qty"), QStringLiteral("two"), true,
         msg::notANumberFor(QStringLiteral("Base_Qty"), QStringLiteral("two"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(general->GetFldValue(c.table, c.field, c.where, c.value, c.numeric), QString());
        EXPECT_EQ(general->ErrDesc(), c.message);
    }
    EXPECT_EQ(rows(QStringLiteral("Item_Master")), 1);
}

TEST_F(Lookups, ExistDocumentSaysWhetherARowHasTheValue) {
    database().execute(QStringLiteral("Insert into Accounts_Receivable_Ledger (Document_No, Customer_Code) "
                                      "values ('01HOINV4', '01C001')"));
    auto general = createObject<General>(ids::kGeneral);
    general->setADOConnectionString(connectionString());
    EXPECT_TRUE(general->ExistDocument(QStringLiteral("Accounts_Receivable_Ledger"), QStringLiteral("Document_No"),
                                       QStringLiteral("01HOINV4"), false));
    EXPECT_FALSE(general->ExistDocument(QStringLiteral("Accounts_Receivable_Ledger"), QStringLiteral("Document_No"),
                                        QStringLiteral("01HOINV5"), false));
    EXPECT_EQ(general->ErrDesc(), msg::noSuchRow(QStringLiteral("Accounts_Receivable_Ledger"),
                                                 QStringLiteral("Document_No"), QStringLiteral("01HOINV5")));
    EXPECT_FALSE(general->ExistDocument(QStringLiteral("Receivables"), QStringLiteral("Document_No"),
                                        QStringLiteral("01HOINV4"), false));
    EXPECT_EQ(general->ErrDesc(), msg::unknownTable(QStringLiteral("Receivables")));
}

class Currencies : public PackageTest {
protected:
    std::unique_ptr<Currency> currency() {
        auto object = createObject<Currency>(ids::kCurrency);
        object->setConnectionString(connectionString());
        object->setDatabase(QStringLiteral("SQLSERVER"));
        object->setRateDate(day(15));
        return object;
    }
};

TEST_F(Currencies, GetCurrencyLoadsNameAndSymbolOrSaysItDoesNotExist) {
    auto object = currency();
    object->setCurrencyCode(QStringLiteral("AED"));
    ASSERT_TRUE(object->Get_Currency()) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->CurrencyName(), QStringLiteral("UAE Dirham"));
    EXPECT_EQ(object->CurrencySymbol(), QStringLiteral("Dhs"));
    object->setCurrencyCode(QStringLiteral("XYZ"));
    EXPECT_FALSE(object->Get_Currency());
    EXPECT_EQ(object->ErrDesc(), msg::unknownCurrency(QStringLiteral("XYZ")));
}

TEST_F(Currencies, ConversionsUseThePassedRateOrTheRateInForceOnTheDate) {
    database().execute(QStringLiteral("Insert into Currency_Rate (Currency_Code, Rate_Date, Exchange_Rate) values "
                                      "('USD', ?, 3.6), ('USD', ?, 4)"),
                       {day(1), day(20)});
    auto object = currency();
    EXPECT_DOUBLE_EQ(object->Convert_Into_FC(QStringLiteral("USD"), 367.25, QVariant(), true, 3.6725), 100);
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC(QStringLiteral("USD"), 100, QVariant(), true, 3.6725), 367.25);
    // By code or by name; the rate of the 1st holds on the 15th, the one of the 20th not yet.
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC(QStringLiteral("USD"), 10), 36);
    EXPECT_DOUBLE_EQ(object->Convert_Into_FC(QStringLiteral("US Dollar"), 36), 10);
    object->setRateDate(day(25));
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC(QStringLiteral("USD"), 10), 40);
    // Without a dated rate the currency's own rate; the home currency is 1.
    database().execute(QStringLiteral("Delete from Currency_Rate"));
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC(QStringLiteral("USD"), 10), 35);
    EXPECT_DOUBLE_EQ(object->Convert_Into_FC(QStringLiteral("AED"), 10), 10);
}

TEST_F(Currencies, AConversionThatCannotBeMadeRaisesAnErrorNamingWhy) {
    auto object = currency();
    struct Case {
        const char *name;
        std::function<double()> convert;
        QString message;
    };
    database().execute(QStringLiteral("Update Currency_Master Set Exchange_Rate = 0 Where Currency_Code = 'USD'"));
    const Case cases[] = {
        {"rate of zero passed", [&] { return object->Convert_Into_FC(QStringLiteral("USD"), 10, {}, true, 0); },
         msg::notPositive(QStringLiteral("The exchange rate"), QStringLiteral("0"))},
        {"unknown currency", [&] { return object->Convert_Into_HC(QStringLiteral("Euro"), 10); },
         msg::unknownCurrency(QStringLiteral("Euro"))},
        {"no rate at all", [&] { return object->Convert_Into_HC(QStringLiteral("USD"), 10); },
         msg::noRate(QStringLiteral("USD"), QStringLiteral("15/Mar/2026"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.convert();
            ADD_FAILURE() << "the conversion was made";
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), c.message);
            EXPECT_EQ(object->ErrDesc(), c.message);
        }
    }
}

} // namespace
} // namespace orbsales::testing
