#include "deliveries/delivery_fixture.h"

#include "orbsales/frame/registry.h"

#include <QMetaMethod>
#include <QMetaProperty>

namespace orbsales::testing {
namespace {

using DeliveryLoad = DeliveryTest;

TEST_F(DeliveryLoad, ASourcesOpenLinesComeUntickedWithWhatIsStillToDeliver) {
    addOrder("01HOSOR1", {{"A100", 10, 12.5, 4, false, "01HOPRJ0042"},
                          {"A200", 3, 40, 3},
                          {"B100", 2, 85, 0, true, QString(), "Box", 12}});
    auto delivery = newDelivery();
    delivery->setSourcePrefix(QString());
    ASSERT_TRUE(delivery->Get_Order_Details()) << delivery->ErrDesc().toStdString();
    EXPECT_EQ(delivery->SourcePrefix(), "SOR");
    EXPECT_EQ(delivery->SourceDate(), day());
    EXPECT_EQ(delivery->EmployeeName(), "Sam");
    EXPECT_EQ(delivery->CurrencySymbol(), "Dhs");
    // NULL discounts (columns 11 and 12) are left untouched.
    EXPECT_EQ(cellsText(grid, 1, 1, 16), "0|A100|Item A100|1|Nos|1|6|01HOPRJ0042|1|12.5|||125|125|12.5|6");
    // The fully delivered A200 is not offered; the free B100 comes next; the grid keeps its size.
    EXPECT_EQ(grid.cellText(1, 22), "0");
    EXPECT_EQ(cellsText(grid, 2, {2, 6, 8, 22}), "B100|12||1");
    EXPECT_EQ(grid.cellText(3, 2), QString());
    EXPECT_EQ(grid.rowCount(), 8);

    // A cash memo in dollars gives its rate and no employee.
    addCashMemo("01HOCHM1", {{"C300", 40, 3.6725, 15}}, 3.6725);
    auto memo = newDelivery("01HOCHM1");
    memo->setEmployeeName("kept");
    ASSERT_TRUE(memo->Get_CashMemo_Details()) << memo->ErrDesc().toStdString();
    EXPECT_EQ(memo->ExchangeRate(), 3.6725);
    EXPECT_EQ(memo->SourcePrefix(), "CHM");
    EXPECT_EQ(memo->EmployeeName(), "kept");
    EXPECT_EQ(cellsText(grid, 1, {7, 15}), "25|1");
}

TEST_F(DeliveryLoad, SourcesThatCannotBeLoadedSayWhy) {
    addOrder("01HOSOR1", {{"A100", 2, 12.5, 2}});
    addCashMemo("01HOCHM1", {{"A100", 2, 12.5, 2}});
    const struct {
        const char *name;
        bool cashMemo;
        const char *source, *message;
        bool headerLoaded;
    } cases[] = {
        {"blank order number", false, "  ", "Invalid Sales Order NO", false},
        {"unknown order", false, "01HO'SOR9", "Invalid Sales Order No", false},
        {"order with nothing open", false, "01HOSOR1", "Invalid Item Details", true},
        {"blank cash memo number", true, "", "Invalid Cash Memo No", false},
        {"unknown cash memo", true, "01HOCHM9", "Invalid Cash Memo No", false},
        {"cash memo with nothing open", true, "01HOCHM1", "Invalid Item Details", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto delivery = newDelivery(c.source);
        EXPECT_FALSE(c.cashMemo ? delivery->Get_CashMemo_Details() : delivery->Get_Order_Details());
        EXPECT_EQ(delivery->ErrDesc(), c.message);
        EXPECT_EQ(!delivery->CustomerName().isEmpty(), c.headerLoaded);
    }

    // Too few rows: the grid's own error at the first row that does not exist, the rows before kept.
    addOrder("01HOSOR2", {{"A100", 2}, {"A200", 2}, {"B100", 2}});
    grid.setRowCount(3);
    auto delivery = newDelivery("01HOSOR2");
    EXPECT_FALSE(delivery->Get_Order_Details());
    EXPECT_EQ(delivery->ErrDesc(), "Subscript out of range (row 3, column 1)");
    EXPECT_EQ(grid.cellText(2, 2), "A200");
}

TEST_F(DeliveryLoad, ASavedHeaderReloadsWithoutItsLines) {
    auto saved = newDelivery();
    assign(*saved, "CustomerCode", "01C001", "ExchangeRate", 4, "DeliveryRefNo", "GP-1'", "CustomerAddressCode", "ADR2",
           "SourceName", "SalesOrder", "DeliveryTotalAmount", 25);
    ASSERT_TRUE(saved->Create_Delivery()) << saved->ErrDesc().toStdString();

    MemoryGrid untouched(4, 23);
    Delivery reader;
    reader.setADOConnectionString(connectionString());
    reader.setDeliveryGridName(&untouched);
    reader.setDeliveryNo(saved->DeliveryNo());
    reader.setExchangeRate(9);
    ASSERT_TRUE(reader.Get_Delivery()) << reader.ErrDesc().toStdString();
    EXPECT_EQ((QVariantList{reader.DeliveryIdentity(), reader.CustomerCode(), reader.SourceNo(), reader.SourceName(),
                            reader.DeliveryRefNo(), reader.CustomerAddressCode(), reader.DeliveryTotalAmount(),
                            reader.ExchangeRate(), reader.ProcessFlag()}),
              (QVariantList{1, "01C001", "01HOSOR1", "SalesOrder", "GP-1'", "ADR2", 25.0, 1.0, false}));
    EXPECT_EQ(untouched.cellText(1, 2), QString());
    for (const char *number : {"", "01HODELTMP99"}) {
        reader.setDeliveryNo(number);
        EXPECT_FALSE(reader.Get_Delivery());
        EXPECT_EQ(reader.ErrDesc(), "Invalid Delivery No");
    }
}

struct Published {
    const char *identifier;
    const char *interfaceName;
    QStringList properties; // in the interface's order
    QStringList operations;
};

QStringList words(const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

// The front end reaches every member by name; the interface lists them in this order.
TEST(PublishedDelivery, HasEveryMemberUnderItsNameInTheInterfacesOrder) {
    const Published cases[] = {
        {"OrbSales.Delivery", "_Delivery",
         words("AmtDig DocManualFlag ManualDeliveryIdentity DeliveryRefNo CustomerAddressCode ExchangeRate "
               "Database OnlineFlag SyncFlag ErrDesc ADOConnectionString CompanyPrefix BranchPrefix "
               "DocumentPrefix CustomerCode CustomerName ForeignCurrencyFlag CurrencyCode CurrencySymbol "
               "CancelFlag AllowCancelFlag EmployeeID EmployeeName YearEndFlag ProcessFlag PaidFlag DeliveryNo "
               "DeliveryDate DeliveryEndDate PaymentTerms PaymentType SourceNo SourcePrefix SourceDate "
               "InvoicedFlag DeliverySubtotal DeliveryFCSubtotal DeliveryDiscAmount DeliveryFCDiscAmount "
               "DeliveryTotalAmount DeliveryFCTotalAmount DeliveryComments LocationID LocationName "
               "AdoDBConnectionObject DeliveryGridName SalesLogPrefix StockMovementPrefix DeliveryIdentity "
               "SourceName LastUpdate"),
         words("Get_Order_Details Get_CashMemo_Details Create_Delivery Create_Delivery_Master Validation "
               "Update_Sales_Order Update_Cash_Memo Update_Delivery Process_Delivery Get_Delivery")},
        {"OrbSales.DirectDelivery", "_DirectDelivery",
         words("AmtDig DocFlag manualDocIdentity CustomerAddressCode ExchangeRate Database OnlineFlag SyncFlag "
               "ErrDesc ADOConnectionString CompanyPrefix BranchPrefix DocumentPrefix CustomerCode "
               "CustomerName ForeignCurrencyFlag CurrencyCode CurrencySymbol CancelFlag AllowCancelFlag "
               "EmployeeID EmployeeName YearEndFlag ProcessFlag PaidFlag DirectDeliveryNo DirectDeliveryDate "
               "DirectDeliveryEndDate PaymentTerms PaymentType InvoicedFlag DirectDeliverySubtotal "
               "DirectDeliveryFCSubtotal DirectDeliveryDiscAmount DirectDeliveryFCDiscAmount "
               "DirectDeliveryDiscPercent DirectDeliveryTotalAmount DirectDeliveryFCTotalAmount "
               "DirectDeliveryComments LocationID LocationName AdoDBConnectionObject DeliveryGridName "
               "SalesLogPrefix StockMovementPrefix DirectDeliveryIdentity LastUpdate"),
         words("Validation Create_Direct_Delivery Create_Direct_Delivery_Master Update_Direct_Delivery "
               "Get_Direct_Delivery Process_Direct_Delivery")},
    };
    for (const Published &c : cases) {
        SCOPED_TRACE(c.identifier);
        std::unique_ptr<QObject> object = Registry::instance().create(QString::fromLatin1(c.identifier));
        const QMetaObject *meta = object->metaObject();
        EXPECT_STREQ(meta->classInfo(meta->indexOfClassInfo("Interface")).value(), c.interfaceName);
        EXPECT_STREQ(meta->classInfo(meta->indexOfClassInfo("ProgID")).value(), c.identifier);
        QStringList properties;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
            properties << QString::fromLatin1(meta->property(i).name());
        EXPECT_EQ(properties, c.properties);
        QStringList operations;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            const QString name = QString::fromLatin1(method.name());
            if (method.methodType() == QMetaMethod::Method && !operations.contains(name))
                operations << name;
        }
        EXPECT_EQ(operations, c.operations);
        EXPECT_FALSE(meta->property(meta->indexOfProperty("ErrDesc")).isWritable());
    }
}

} // namespace
} // namespace orbsales::testing
