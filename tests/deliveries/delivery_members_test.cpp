#include "orbsales/frame/registry.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QStringList>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

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
