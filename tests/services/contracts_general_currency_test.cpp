#include "orbsales/frame/registry.h"
#include "orbsales/services/currency.h"
#include "orbsales/services/general.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/errors.h"
#include "services/package_fixture.h"
#include "services/test_values.h"

#include <functional>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

// The documents reach the sibling components by identifier and member name: every property and
// action they use must be there under exactly that name, ErrDesc and the outputs read-only.
TEST(SiblingContracts, MembersAreNamedAsTheDocumentsUseThem) {
    const char *const contracts[][2] = {
        {"OrbSystem.General", "AdoConnectionObject ADOConnectionString GetFldValue() ExistDocument()"},
        {"OrbCurrency.Currency", "ConnectionString Database RateDate CurrencyCode CurrencyName! CurrencySymbol! "
                                 "Get_Currency() Convert_Into_FC() Convert_Into_HC()"},
        {"OrbAccounts.GeneralLedger",
         "AdoConnectionObject DocumentNo DocumentPrefix GLDate CurrencyCode CurrencySymbol GLDescription GLComments "
         "accountno GLDebitAmount GLCreditAmount FCGLDebitAmount FCGLCreditAmount ForeignCurrencyFlag LastUpdate "
         "GLInsert() COAPosting() GLDelete()"},
        {"OrbAccounts.AccountsReceivable",
         "AdoConnectionObject DocumentNo DocumentPrefix ARLDate CurrencyCode CurrencySymbol ARLDescription ARLComments "
         "accountno CustomerCode ARLDebitAmount ARLCreditAmount FCARLDebitAmount FCARLCreditAmount ForeignCurrencyFlag "
         "LastUpdate BranchPrefix AR_Insert_Transaction() ARL_Delete()"},
        {"OrbInventory.Inventory",
         "AdoConnectionObject ADOConnectionString ItemCode ItemQuantity BranchPrefix CompanyPrefix InventoryAccountNo! "
         "COGSAccountNo! FOCAccountNo! SalesAccountNo! CashSalesAccount! ItemType! Update_Item_OrderedQty() "
         "Get_Item_Account() Get_Item_Type()"},
        {"OrbInventory.StockMovement",
         "AdoConnectionObject CompanyPrefix BranchPrefix DocumentPrefix ItemCode ItemName UnitCode UnitName FOC_Flag "
         "UnitQty PeriodType OutQty OutAmount OutPrice InQty InAmount InPrice DocumentNo DocumentDate DocumentType "
         "LocationID LocationName LastUpdate StockComments StockMovement()"},
        {"OrbInventory.LocationStock", "AdoConnectionObject BranchPrefix CompanyPrefix ItemCode ItemName LocationCode "
                                       "LocationName LocationQty LastUpdate UnitName UpdateLocationStock()"},
        {"OrbInventory.ReduceStock", "AdoConnectionObject BranchPrefix ItemCode UnitName PeriodType UnitPrice "
                                     "LastUpdate ItemType! SellingValue! TotalQty! ReduceStockInHand()"},
        {"OrbInventory.SalesLog",
         "AdoConnectionObject SalesDocumentNo CompanyPrefix BranchPrefix DocumentPrefix RefDocumentPrefix ItemCode "
         "ItemName UnitCode UnitName PeriodType FOC_Flag UnitQty SalesQty SalesItemAmount SalesUnitPrice "
         "InventoryValue SalesLogDate SalesDocumentPrefix LastUpdate ProjNo Create_SalesLog()"},
        {"OrbProject.ProjectTransaction",
         "AdoConnectionObject ProjNo DocumentNo CompanyPrefix BranchPrefix DocumentPrefix DocumentDate "
         "ProjdDebitAmount "
         "ProjdFCDebitAmount ProjdCreditAmount ProjdFCCreditAmount ForeignCurrencyFlag CurrencyCode CurrencySymbol "
         "ProjdDescription LastUpdate Save_Project_Transaction()"},
        {"OrbBank.PDC",
         "AdoConnectionObject CompanyPrefix BranchPrefix DocumentPrefix TransactionType BankName ChequeNo PDCDate "
         "PDCDueDate CreditCardNo CreditCardName CreditCardCode ChequeAmount Cleared CustomerID CustomerName SourceNo "
         "SourcePrefix Status ForeignCurrencyFlag CurrencyCode ChequeFCAmount PDCComments LastUpdate Create_PDC()"},
        {"OrbAccountsExt.DebitCreditNote",
         "AdoConnectionObject ADOConnectionString VoucherNo manualDocIdentity DocFlag "
         "LastUpdate Process_Voucher()"},
    };
    for (const auto &[identifier, members] : contracts)
        EXPECT_EQ(unpublished(*Registry::instance().create(QString::fromLatin1(identifier)),
                              QByteArray(members).append(" ErrDesc!").constData()),
                  QStringList())
            << identifier;
}

namespace ids = service_ids;

class Lookups : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addPreferences("HO");
        addPreferences("B2");
        addAccount("01HO1200", 0, kHostile);
        addItem("01A100", "3");
        database().execute("Update Item_Master Set Base_Qty = 2.5 Where Item_Code = '01A100'");
    }
};

TEST_F(Lookups, AnswerTheColumnOfTheRowTheConditionsName) {
    auto general = service<General>(ids::kGeneral);
    const struct {
        QString table, field, where;
        QVariant value;
        bool numeric;
        QString answer;
    } cases[] = {
        {"Item_Master", "Item_Type", "Item_Code", "01A100", false, "3"},
        {"item_master", "ITEM_TYPE", "item_code", "01A100", false, "3"},  // names in another case
        {"Item_Master", "Base_Qty", "Item_Code", "01A100", false, "2.5"}, // a number as its shortest text
        {"Item_Master", "Item_Code", "Base_Qty", "2.50", true, "01A100"}, // compared as a number
        {"Chart_Of_Accounts", "Account_Name", "Account_No", "01HO1200", false, kHostile},
        {"Item_Master", "Item_Type", "Item_Code", kHostile, false, ""}, // no such row
    };
    for (const auto &c : cases)
        EXPECT_EQ(general->GetFldValue(c.table, c.field, c.where, c.value, c.numeric), c.answer)
            << c.answer.toStdString();
    EXPECT_EQ(general->GetFldValue("Default_Sales_Preferences", "Cash_Sales_Account_No", "Company_Prefix", "01", false,
                                   "Branch_Prefix", "B2", false),
              "01B24100");
    EXPECT_EQ(rows("General_Ledger"), 0); // the hostile value was only a value
}

// A front end calls by name with as many arguments as it passes: 4, 5 or 8 for GetFldValue.
TEST_F(Lookups, GetFldValueIsCalledByNameWithFourFiveOrEightArguments) {
    auto general = service<General>(ids::kGeneral);
    QString four, five, eight;
    ASSERT_TRUE(QMetaObject::invokeMethod(general.get(), "GetFldValue", Q_RETURN_ARG(QString, four),
                                          Q_ARG(QString, "Item_Master"), Q_ARG(QString, "Item_Type"),
                                          Q_ARG(QString, "Item_Code"), Q_ARG(QVariant, "01A100")));
    ASSERT_TRUE(QMetaObject::invokeMethod(general.get(), "GetFldValue", Q_RETURN_ARG(QString, five),
                                          Q_ARG(QString, "Item_Master"), Q_ARG(QString, "Item_Code"),
                                          Q_ARG(QString, "Base_Qty"), Q_ARG(QVariant, 2.5), Q_ARG(bool, true)));
    ASSERT_TRUE(QMetaObject::invokeMethod(general.get(), "GetFldValue", Q_RETURN_ARG(QString, eight),
                                          Q_ARG(QString, "Default_Sales_Preferences"), Q_ARG(QString, "FOC_Account_No"),
                                          Q_ARG(QString, "Company_Prefix"), Q_ARG(QVariant, "01"), Q_ARG(bool, false),
                                          Q_ARG(QString, "Branch_Prefix"), Q_ARG(QVariant, "HO"), Q_ARG(bool, false)));
    EXPECT_EQ(QStringList({four, five, eight}), (QStringList{"3", "01A100", "01HO5100"}));
}

TEST_F(Lookups, NamesOutsideTheSchemaAreRefusedWithAnEmptyAnswer) {
    auto general = service<General>(ids::kGeneral);
    const struct {
        QString table, field, where;
        QVariant value;
        bool numeric;
        QString message;
    } cases[] = {
        {"Item_Master; Delete from Item_Master", "Item_Type", "Item_Code", "01A100", false,
         "Unknown table 'Item_Master; Delete from Item_Master'"},
        {"Item_Master", "Item_Type || Item_Name", "Item_Code", "01A100", false,
         "Unknown column 'Item_Type || Item_Name' in table Item_Master"},
        {"Item_Master", "Item_Type", "1=1 or Item_Code", "x", false,
         "Unknown column '1=1 or Item_Code' in table Item_Master"},
        {"Item_Master", "Item_Type", "Base_Qty", "two", true, "'two' is not a number for column Base_Qty"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(general->GetFldValue(c.table, c.field, c.where, c.value, c.numeric), QString());
        EXPECT_EQ(general->ErrDesc(), c.message);
    }
    EXPECT_EQ(rows("Item_Master"), 1);
}

TEST_F(Lookups, ExistDocumentSaysWhetherARowHasTheValue) {
    database().execute("Insert into Accounts_Receivable_Ledger (Document_No, Customer_Code) "
                       "values ('01HOINV4', '01C001')");
    auto general = createObject<General>(ids::kGeneral);
    general->setADOConnectionString(connectionString());
    EXPECT_TRUE(general->ExistDocument("Accounts_Receivable_Ledger", "Document_No", "01HOINV4", false));
    EXPECT_FALSE(general->ExistDocument("Accounts_Receivable_Ledger", "Document_No", "01HOINV5", false));
    EXPECT_EQ(general->ErrDesc(), "No row of Accounts_Receivable_Ledger has Document_No = '01HOINV5'");
    EXPECT_FALSE(general->ExistDocument("Receivables", "Document_No", "01HOINV4", false));
    EXPECT_EQ(general->ErrDesc(), "Unknown table 'Receivables'");
}

class Currencies : public PackageTest {
protected:
    std::unique_ptr<Currency> currency() {
        auto object = createObject<Currency>(ids::kCurrency);
        assign(*object, "ConnectionString", connectionString(), "Database", "SQLSERVER", "RateDate", day(15));
        return object;
    }
};

TEST_F(Currencies, ConversionsUseThePassedRateOrTheRateInForceOnTheDate) {
    database().execute("Insert into Currency_Rate (Currency_Code, Rate_Date, Exchange_Rate) values "
                       "('USD', ?, 3.6), ('USD', ?, 4)",
                       {day(1), day(20)});
    auto object = currency();
    EXPECT_DOUBLE_EQ(object->Convert_Into_FC("USD", 367.25, QVariant(), true, 3.6725), 100);
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC("USD", 100, QVariant(), true, 3.6725), 367.25);
    // By code or by name; the rate of the 1st holds on the 15th, the one of the 20th not yet.
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC("USD", 10), 36);
    EXPECT_DOUBLE_EQ(object->Convert_Into_FC("US Dollar", 36), 10);
    object->setRateDate(day(25));
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC("USD", 10), 40);
    // Without a dated rate the currency's own rate; the home currency is 1.
    database().execute("Delete from Currency_Rate");
    EXPECT_DOUBLE_EQ(object->Convert_Into_HC("USD", 10), 35);
    EXPECT_DOUBLE_EQ(object->Convert_Into_FC("AED", 10), 10);
}

// A currency that does not exist is refused by Get_Currency, and raised by a conversion.
TEST_F(Currencies, AConversionThatCannotBeMadeRaisesAnErrorNamingWhy) {
    auto object = currency();
    object->setCurrencyCode("AED");
    ASSERT_TRUE(object->Get_Currency()) << object->ErrDesc().toStdString();
    EXPECT_EQ(QStringList({object->CurrencyName(), object->CurrencySymbol()}), (QStringList{"UAE Dirham", "Dhs"}));
    object->setCurrencyCode("XYZ");
    EXPECT_FALSE(object->Get_Currency());
    EXPECT_EQ(object->ErrDesc(), "Currency 'XYZ' does not exist");
    database().execute("Update Currency_Master Set Exchange_Rate = 0 Where Currency_Code = 'USD'");
    const struct {
        std::function<double()> convert;
        QString message;
    } cases[] = {
        {[&] { return object->Convert_Into_FC("USD", 10, {}, true, 0); },
         "The exchange rate must be greater than 0 (was 0)"},
        {[&] { return object->Convert_Into_HC("Euro", 10); }, "Currency 'Euro' does not exist"},
        {[&] { return object->Convert_Into_HC("USD", 10); }, "No exchange rate for 'USD' on 15/Mar/2026"},
    };
    for (const auto &c : cases) {
        try {
            c.convert();
            ADD_FAILURE() << "converted: " << c.message.toStdString();
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), c.message);
            EXPECT_EQ(object->ErrDesc(), c.message);
        }
    }
}

} // namespace
} // namespace orbsales::testing
