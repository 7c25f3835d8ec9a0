#include "customers/customer_fixture.h"
#include "invoices/invoice_fixture.h"

#include <QMetaMethod>
#include <QMetaProperty>

namespace orbsales::testing {
namespace {

TEST(InvoiceInterface, ListsItsMembersInTheirOrder) {
    const QMetaObject &type = SalesInvoice::staticMetaObject;
    QStringList properties;
    for (int i = type.propertyOffset(); i < type.propertyCount(); ++i)
        properties << QString::fromLatin1(type.property(i).name());
    EXPECT_EQ(
        properties.join(QLatin1Char(' ')),
        QStringLiteral("AmtDig ManualDocIdentiy manualDocIdentity ManualDocFlag InvoiceRefNo ExchangeRate ProjNo "
                       "OnlineFlag SyncFlag SalesLogPrefix ErrDesc ADOConnectionString CompanyPrefix BranchPrefix "
                       "DocumentPrefix CustomerCode CustomerName ForeignCurrencyFlag CurrencyCode CurrencySymbol "
                       "CancelFlag AllowCancelFlag EmployeeID EmployeeName YearEndFlag ProcessFlag PaymentTerms "
                       "PaymentType AdoDBConnectionObject InvoiceGridName SalesInvNo SalesInvDate SalesInvEndDate "
                       "SalesInvIdentity SalesInvSubtotal SalesInvFCsubtotal SalesInvDiscPercent "
                       "SalesInvDiscAmount SalesInvFCDiscAmount SalesInvTotalAmount SalesInvFCTotalAmount "
                       "SalesInvComments LastUpdate Database"));
    QStringList operations;
    for (int i = type.methodOffset(); i < type.methodCount(); ++i) {
        const QMetaMethod method = type.method(i);
        const QString name = QString::fromLatin1(method.name());
        if (method.methodType() == QMetaMethod::Method && !operations.contains(name))
            operations << name;
    }
    EXPECT_EQ(operations.join(QLatin1Char(' ')),
              QStringLiteral("Get_Delivery_Details Create_Sales_Invoice Update_Sales_Invoice Get_Invoice "
                             "Process_Invoice Cancel_Invoice Process_Invoice123 GetFldValue"));
    EXPECT_FALSE(type.property(type.indexOfProperty("ManualDocIdentiy")).isWritable());
    EXPECT_STREQ(type.classInfo(type.indexOfClassInfo("WriteOnly")).value(), "manualDocIdentity");
}

TEST(InvoiceInterface, ProjectNumberIsHeldAsANumberAndTheManualIdentityUnderTwoNames) {
    SalesInvoice invoice;
    EXPECT_EQ(invoice.ProjNo(), QStringLiteral("0"));
    invoice.setProjNo(QStringLiteral(" 0042.50 "));
    EXPECT_EQ(invoice.ProjNo(), QStringLiteral("42.5"));
    for (const char *notANumber : {"01HOPRJ0042", "", "12abc"}) {
        try {
            invoice.setProjNo(QString::fromLatin1(notANumber));
            ADD_FAILURE() << notANumber << " was taken";
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), QStringLiteral("Type mismatch"));
        }
    }
    EXPECT_EQ(invoice.ProjNo(), QStringLiteral("42.5"));
    EXPECT_TRUE(invoice.setProperty("manualDocIdentity", 12.5));
    EXPECT_EQ(invoice.property("ManualDocIdentiy").toDouble(), 12.5);
}

using InvoiceLookup = InvoiceTest;

TEST_F(InvoiceLookup, AnswersOneColumnOfTheRow) {
    database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, "
                                      "Document_Next_No) values ('SQT', '01', 'HO', 7)"));
    struct Case {
        const char *name, *field, *where, *value;
        bool numeric;
        const char *second, *secondValue;
        bool secondNumeric;
        const char *answer;
    } const cases[] = {
        {"number then text", "Document_Prefix", "Document_Next_No", "7", true, "Branch_Prefix", "HO", false, "SQT"},
        {"both text", "Document_Prefix", "Company_Prefix", "01", false, "Document_Prefix", "SQT", false, "SQT"},
        {"one text", "Document_Next_No", "Document_Prefix", "SQT", false, "", "", false, "7"},
        {"null column", "Last_Update", "Document_Prefix", "SQT", false, "", "", false, ""},
        {"no row", "Document_Prefix", "Document_Prefix", "O'Brien; --", false, "", "", false, ""},
        {"second condition misses", "Document_Prefix", "Document_Next_No", "7", true, "Branch_Prefix", "B2", false, ""},
    };
    auto invoice = newInvoice();
    Shown shown(*invoice);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool numeric = c.numeric;
        EXPECT_EQ(invoice->GetFldValue(QStringLiteral("Document_Prefix"), QString::fromLatin1(c.field),
                                       QString::fromLatin1(c.where), QString::fromLatin1(c.value), numeric,
                                       QString::fromLatin1(c.second), QString::fromLatin1(c.secondValue),
                                       c.secondNumeric),
                  QString::fromLatin1(c.answer));
    }
    EXPECT_TRUE(shown.shown.isEmpty());
}

// A bad name or value is told in an information box and answers "", ErrDesc untouched.
TEST_F(InvoiceLookup, AnErrorIsNotifiedAndAnswersEmpty) {
    auto invoice = newInvoice();
    invoice->setCustomerCode(QString());
    invoice->Get_Delivery_Details();
    const QString earlier = invoice->ErrDesc();
    Shown shown(*invoice);
    bool numeric = true;
    const std::pair<QString, QString> bad[] = {
        {QStringLiteral("No_Such_Table"), QStringLiteral("Branch_Name")},
        {QStringLiteral("Branch_Master"), QStringLiteral("No_Such_Column")},
        {QStringLiteral("Branch_Master; DROP TABLE Branch_Master"), QStringLiteral("Branch_Name")}};
    for (const auto &[table, field] : bad)
        EXPECT_EQ(invoice->GetFldValue(table, field, QStringLiteral("Branch_Prefix"), QStringLiteral("HO")), QString());
    EXPECT_EQ(invoice->GetFldValue(QStringLiteral("Branch_Master"), QStringLiteral("Branch_Name"),
                                   QStringLiteral("Branch_Prefix"), QStringLiteral("HO or 1=1"), numeric),
              QString());
    ASSERT_EQ(shown.shown.size(), 12); // message, button and icon of four boxes
    for (qsizetype box = 0; box < 4; ++box) {
        EXPECT_EQ(shown.shown[3 * box + 1], QStringLiteral("OK"));
        EXPECT_EQ(shown.shown[3 * box + 2], QStringLiteral("Information"));
    }
    EXPECT_TRUE(shown.shown[0].contains(QStringLiteral("No_Such_Table"), Qt::CaseInsensitive));
    EXPECT_TRUE(shown.shown[3].contains(QStringLiteral("No_Such_Column"), Qt::CaseInsensitive));
    EXPECT_EQ(invoice->ErrDesc(), earlier);
    EXPECT_EQ(database().count(QStringLiteral("Branch_Master")), 2);
}

} // namespace
} // namespace orbsales::testing
