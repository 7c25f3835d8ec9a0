#include "orbsales/frame/class_id.h"
#include "orbsales/frame/registry.h"
#include "orbsales/orders/sales_quotation.h"

#include <QMetaProperty>
#include <gtest/gtest.h>
#include <thread>

namespace orbsales::testing {
namespace {

TEST(Registry, HandsOutAFreshObjectPerRequest) {
    auto first = Registry::instance().create(QStringLiteral("OrbSales.SalesQuotation"));
    auto second = Registry::instance().create(QStringLiteral("OrbSales.SalesQuotation"));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_STREQ(first->metaObject()->className(), "orbsales::SalesQuotation");
}

TEST(Registry, UnknownIdentifierAndWrongInterfaceAreErrors) {
    try {
        Registry::instance().create(QStringLiteral("OrbSales.NoSuchClass"));
        FAIL();
    } catch (const OrbError &error) {
        EXPECT_EQ(error.description(), QStringLiteral("ActiveX component can't create object: OrbSales.NoSuchClass"));
    }
    EXPECT_THROW(createObject<LineGrid>(QStringLiteral("OrbSales.SalesQuotation")), OrbError);
}

TEST(Registry, AnOverrideLastsForItsScope) {
    {
        Registry::Override replaced(QStringLiteral("OrbSales.SalesQuotation"),
                                    [] { return std::unique_ptr<QObject>(new QObject); });
        EXPECT_STREQ(Registry::instance().create(QStringLiteral("OrbSales.SalesQuotation"))->metaObject()->className(),
                     "QObject");
        Registry::Override added(QStringLiteral("Test.Only"), [] { return std::unique_ptr<QObject>(new QObject); });
        EXPECT_TRUE(Registry::instance().contains(QStringLiteral("Test.Only")));
    }
    EXPECT_FALSE(Registry::instance().contains(QStringLiteral("Test.Only")));
    EXPECT_STREQ(Registry::instance().create(QStringLiteral("OrbSales.SalesQuotation"))->metaObject()->className(),
                 "orbsales::SalesQuotation");
}

TEST(ClassDebugId, CountsPerThreadFromOne) {
    setClassDebugCounter(0);
    const qint32 first = nextClassDebugId();
    const qint32 second = nextClassDebugId();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    qint32 otherThreadFirst = 0;
    std::thread([&] { otherThreadFirst = nextClassDebugId(); }).join();
    EXPECT_EQ(otherThreadFirst, 1);
    EXPECT_EQ(nextClassDebugId(), 3);
}

TEST(ClassDebugId, RaisingPastTheLargestValueOverflows) {
    setClassDebugCounter(std::numeric_limits<qint32>::max());
    EXPECT_THROW(nextClassDebugId(), OrbError);
    setClassDebugCounter(0);
}

// Properties start empty (the zero date for dates) and store what they are given unchanged.
TEST(BusinessObject, PropertiesStartEmptyAndStoreValuesUnchanged) {
    SalesQuotation quotation;
    EXPECT_EQ(quotation.SalesQuotDate(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_TRUE(quotation.ErrDesc().isEmpty());
    EXPECT_EQ(quotation.SalesQuotSubTotal(), 0);
    EXPECT_FALSE(quotation.DocFlag());
    EXPECT_TRUE(quotation.setProperty("CustomerName", QStringLiteral("  padded  ")));
    EXPECT_EQ(quotation.CustomerName(), QStringLiteral("  padded  "));
    // ErrDesc is read-only from outside.
    const QMetaObject *meta = quotation.metaObject();
    EXPECT_FALSE(meta->property(meta->indexOfProperty("ErrDesc")).isWritable());
    EXPECT_FALSE(quotation.setProperty("ErrDesc", QStringLiteral("x")));
    EXPECT_GE(meta->indexOfMethod("Create_Quotation()"), 0);
}

// Every business object the registry hands out has the all-or-nothing switch, off.
TEST(BusinessObject, EveryOneHasAtomicFlagOff) {
    int businessObjects = 0;
    for (const QString &identifier : Registry::instance().identifiers()) {
        const auto object = Registry::instance().create(identifier);
        if (!object->inherits("orbsales::BusinessObject"))
            continue;
        ++businessObjects;
        const QVariant flag = object->property("AtomicFlag");
        EXPECT_EQ(flag.typeId(), QMetaType::Bool) << identifier.toStdString();
        EXPECT_FALSE(flag.toBool()) << identifier.toStdString();
    }
    EXPECT_GE(businessObjects, 4);
}

} // namespace
} // namespace orbsales::testing
