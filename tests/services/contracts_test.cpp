#include "orbsales/frame/registry.h"
#include "orbsales/services/general.h"
#include "services/package_fixture.h"
#include "orbsales/services/service_ids.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

// The documents reach the components by member name: every property and action they use must
// be there under exactly that name, the outputs read-only.
struct Contract {
    QString identifier;
    QStringList properties;
    QStringList outputs;
    QStringList actions;
};

QStringList words(const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

TEST(SiblingContracts, MembersAreNamedAsTheDocumentsUseThem) {
    const Contract contracts[] = {
        {ids::kGeneral, words("AdoConnectionObject ADOConnectionString"), {}, words("GetFldValue ExistDocument")},
        {ids::kCurrency, words("ConnectionString Database RateDate CurrencyCode"), words("CurrencyName CurrencySymbol"),
         words("Get_Currency Convert_Into_FC Convert_Into_HC")},
        {ids::kGeneralLedger,
         words("AdoConnectionObject DocumentNo DocumentPrefix GLDate CurrencyCode CurrencySymbol GLDescription "
               "GLComments accountno GLDebitAmount GLCreditAmount FCGLDebitAmount FCGLCreditAmount "
               "ForeignCurrencyFlag LastUpdate"),
         {},
         words("GLInsert COAPosting GLDelete")},
        {ids::kAccountsReceivable,
         words("AdoConnectionObject DocumentNo DocumentPrefix ARLDate CurrencyCode CurrencySymbol ARLDescription "
               "ARLComments accountno CustomerCode ARLDebitAmount ARLCreditAmount FCARLDebitAmount "
               "FCARLCreditAmount ForeignCurrencyFlag LastUpdate BranchPrefix"),
         {},
         words("AR_Insert_Transaction ARL_Delete")},
        {ids::kInventory,
         words("AdoConnectionObject ADOConnectionString ItemCode ItemQuantity BranchPrefix CompanyPrefix"),
         words("InventoryAccountNo COGSAccountNo FOCAccountNo SalesAccountNo CashSalesAccount ItemType"),
         words("Update_Item_OrderedQty Get_Item_Account Get_Item_Type")},
        {ids::kStockMovement,
         words("AdoConnectionObject CompanyPrefix BranchPrefix DocumentPrefix ItemCode ItemName UnitCode UnitName "
               "FOC_Flag UnitQty PeriodType OutQty OutAmount OutPrice InQty InAmount InPrice DocumentNo DocumentDate "
               "DocumentType LocationID LocationName LastUpdate StockComments"),
         {},
         words("StockMovement")},
        {ids::kLocationStock,
         words("AdoConnectionObject BranchPrefix CompanyPrefix ItemCode ItemName LocationCode LocationName "
               "LocationQty LastUpdate UnitName"),
         {},
         words("UpdateLocationStock")},
        {ids::kReduceStock, words("AdoConnectionObject BranchPrefix ItemCode UnitName PeriodType UnitPrice LastUpdate"),
         words("ItemType SellingValue TotalQty"), words("ReduceStockInHand")},
        {ids::kSalesLog,
         words("AdoConnectionObject SalesDocumentNo CompanyPrefix BranchPrefix DocumentPrefix RefDocumentPrefix "
               "ItemCode ItemName UnitCode UnitName PeriodType FOC_Flag UnitQty SalesQty SalesItemAmount "
               "SalesUnitPrice InventoryValue SalesLogDate SalesDocumentPrefix LastUpdate ProjNo"),
         {},
         words("Create_SalesLog")},
        {ids::kProjectTransaction,
         words("AdoConnectionObject ProjNo DocumentNo CompanyPrefix BranchPrefix DocumentPrefix DocumentDate "
               "ProjdDebitAmount ProjdFCDebitAmount ProjdCreditAmount ProjdFCCreditAmount ForeignCurrencyFlag "
               "CurrencyCode CurrencySymbol ProjdDescription LastUpdate"),
         {},
         words("Save_Project_Transaction")},
        {ids::kPDC,
         words(
             "AdoConnectionObject CompanyPrefix BranchPrefix DocumentPrefix TransactionType BankName ChequeNo PDCDate "
             "PDCDueDate CreditCardNo CreditCardName CreditCardCode ChequeAmount Cleared CustomerID CustomerName "
             "SourceNo SourcePrefix Status ForeignCurrencyFlag CurrencyCode ChequeFCAmount PDCComments LastUpdate"),
         {},
         words("Create_PDC")},
        {ids::kDebitCreditNote,
         words("AdoConnectionObject ADOConnectionString VoucherNo manualDocIdentity DocFlag LastUpdate"),
         {},
         words("Process_Voucher")},
    };
    for (const Contract &contract : contracts) {
        SCOPED_TRACE(contract.identifier.toStdString());
        const std::unique_ptr<QObject> object = Registry::instance().create(contract.identifier);
        const QMetaObject *meta = object->metaObject();
        for (const QString &name : contract.properties + contract.outputs + QStringList{QStringLiteral("ErrDesc")}) {
            const int index = meta->indexOfProperty(name.toLatin1().constData());
            ASSERT_GE(index, 0) << "property " << name.toStdString();
            const bool output = contract.outputs.contains(name) || name == QStringLiteral("ErrDesc");
            EXPECT_EQ(meta->property(index).isWritable(), !output) << name.toStdString();
        }
        for (const QString &name : contract.actions) {
            bool found = false;
            for (int m = 0; m < meta->methodCount() && !found; ++m)
                found = meta->method(m).name() == name.toLatin1();
            EXPECT_TRUE(found) << "action " << name.toStdString();
        }
    }
}

using ByName = PackageTest;

// A front end calls by name with as many arguments as it passes: 4, 5 or 8 for GetFldValue.
TEST_F(ByName, GetFldValueTakesFourFiveOrEightArguments) {
    addItem(QStringLiteral("01A100"), QStringLiteral("3"));
    addPreferences(QStringLiteral("HO"));
    auto general = service<General>(ids::kGeneral);
    QString four, five, eight;
    ASSERT_TRUE(QMetaObject::invokeMethod(
        general.get(), "GetFldValue", Q_RETURN_ARG(QString, four), Q_ARG(QString, QStringLiteral("Item_Master")),
        Q_ARG(QString, QStringLiteral("Item_Type")), Q_ARG(QString, QStringLiteral("Item_Code")),
        Q_ARG(QVariant, QStringLiteral("01A100"))));
    ASSERT_TRUE(QMetaObject::invokeMethod(
        general.get(), "GetFldValue", Q_RETURN_ARG(QString, five), Q_ARG(QString, QStringLiteral("Item_Master")),
        Q_ARG(QString, QStringLiteral("Item_Code")), Q_ARG(QString, QStringLiteral("Base_Qty")), Q_ARG(QVariant, 1),
        Q_ARG(bool, true)));
    ASSERT_TRUE(QMetaObject::invokeMethod(
        general.get(), "GetFldValue", Q_RETURN_ARG(QString, eight),
        Q_ARG(QString, QStringLiteral("Default_Sales_Preferences")), Q_ARG(QString, QStringLiteral("FOC_Account_No")),
        Q_ARG(QString, QStringLiteral("Company_Prefix")), Q_ARG(QVariant, QStringLiteral("01")), Q_ARG(bool, false),
        Q_ARG(QString, QStringLiteral("Branch_Prefix")), Q_ARG(QVariant, QStringLiteral("HO")), Q_ARG(bool, false)));
    EXPECT_EQ(four, QStringLiteral("3"));
    EXPECT_EQ(five, QStringLiteral("01A100"));
    EXPECT_EQ(eight, QStringLiteral("01HO5100"));
}

} // namespace
} // namespace orbsales::testing
