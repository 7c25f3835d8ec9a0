#include "cli_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

QString describe(const QStringList &args, int *exitCode = nullptr, QString *err = nullptr) {
    CapturedOutput output;
    const int code = cli::runDescribe(output.call(QStringLiteral("unused.db"), args));
    output.flush();
    if (exitCode)
        *exitCode = code;
    if (err)
        *err = output.err;
    return output.out;
}

struct Listed {
    const char *identifier;
    const char *line; // a regular expression one line of the description matches
};

class DescribeMembers : public ::testing::TestWithParam<Listed> {};

TEST_P(DescribeMembers, ListsTheMemberWithItsTypeAndAccess) {
    const Listed &c = GetParam();
    int code = -1;
    const QString text = describe({QString::fromLatin1(c.identifier)}, &code);
    EXPECT_EQ(code, 0);
    const QRegularExpression line(QStringLiteral("^\\s*") + QString::fromLatin1(c.line) + QStringLiteral("\\s*$"),
                                  QRegularExpression::MultilineOption);
    EXPECT_TRUE(line.match(text).hasMatch()) << c.line << "\n" << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Quotation, DescribeMembers,
    ::testing::Values(Listed{"OrbSales.SalesQuotation", R"(DocFlag\s+Boolean\s+write-only)"},
                      Listed{"OrbSales.SalesQuotation", R"(manualDocIdentity\s+Double\s+write-only)"},
                      Listed{"OrbSales.SalesQuotation", R"(ErrDesc\s+String\s+read-only)"},
                      Listed{"OrbSales.SalesQuotation", R"(SalesQuotNo\s+String\s+read-write)"},
                      Listed{"OrbSales.SalesQuotation", R"(SalesQuotIdentity\s+Long\s+read-write)"},
                      Listed{"OrbSales.SalesQuotation", R"(SalesQuotDate\s+Date\s+read-write)"},
                      Listed{"OrbSales.SalesQuotation", R"(QuotationGrid\s+LineGrid\s+read-write)"},
                      Listed{"OrbSales.SalesQuotation", R"(Create_Quotation\(\) -> Boolean)"},
                      Listed{"OrbSales.SalesQuotation", R"(AtomicFlag\s+Boolean\s+read-write)"},
                      Listed{"OrbSales.SalesOrder", R"(AtomicFlag\s+Boolean\s+read-write)"},
                      Listed{"OrbSales.Customer", R"(AtomicFlag\s+Boolean\s+read-write)"},
                      Listed{"OrbSales.CustomerPriceList", R"(AtomicFlag\s+Boolean\s+read-write)"},
                      Listed{"OrbSales.SalesQuotation", R"(Cancel_Quotation\(\) -> Boolean)"},
                      Listed{"OrbSystem.CounterTransaction", R"(NextDocumentNo\s+Double\s+read-only)"},
                      Listed{"OrbSystem.CounterTransaction",
                             R"(Get_Last_Counter\(Connection& connection, \[Optional Boolean temporaryNumber\]\) -> Boolean)"},
                      Listed{"OrbSales.CustomerAddresses",
                             R"(Add\(String Key, .*, String CompanyPrefix, \[Optional String CountryName\], )"
                             R"(\[Optional String sKey\]\) -> CustomerAddress)"},
                      Listed{"OrbSales.CustomerAddresses", R"(Count\s+Long\s+read-only)"},
                      Listed{"OrbInventory.StockMovement", R"(StockMovement\(Double& baseQuantity\) -> Boolean)"}),
    [](const ::testing::TestParamInfo<Listed> &info) { return "case" + std::to_string(info.index); });

TEST(Describe, ListsEachMemberOnce) {
    const QString text = describe({QStringLiteral("OrbSales.CustomerAddresses")});
    EXPECT_EQ(text.count(QStringLiteral("Add(")), 1) << text.toStdString();
    int counts = 0; // the property only, no operation Count()
    for (auto match = QRegularExpression(QStringLiteral("\\bCount\\b")).globalMatch(text); match.hasNext(); match.next())
        ++counts;
    EXPECT_EQ(counts, 1) << text.toStdString();
    EXPECT_EQ(describe({QStringLiteral("OrbSystem.CounterTransaction")}).count(QStringLiteral("Get_Last_Counter(")), 1);
}

// describe --json: one member of one class, and one field of it (or of one of its arguments).
struct JsonMember {
    const char *identifier;
    const char *list; // "properties", "operations" or "signals"
    const char *member;
    int timesListed;
    const char *argument; // nullptr: the field is the member's own
    const char *field;
    const char *value; // the field's JSON value as text: "true", "String", "read-only"
};

class DescribeJson : public ::testing::TestWithParam<JsonMember> {};

QString jsonText(const QJsonValue &value) {
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.toString(QStringLiteral("<missing>"));
}

TEST_P(DescribeJson, DescribesTheMember) {
    const JsonMember &c = GetParam();
    int code = -1;
    const QString text = describe({QStringLiteral("--json")}, &code);
    ASSERT_EQ(code, 0);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    QJsonObject member;
    int listed = 0;
    for (const QJsonValue &type : document.object().value(QStringLiteral("classes")).toArray()) {
        if (type[QStringLiteral("identifier")].toString() != QLatin1String(c.identifier))
            continue;
        for (const QJsonValue &entry : type[QLatin1String(c.list)].toArray())
            if (entry[QStringLiteral("name")].toString() == QLatin1String(c.member)) {
                member = entry.toObject();
                ++listed;
            }
    }
    ASSERT_EQ(listed, c.timesListed) << c.identifier << " " << c.list << " " << c.member;
    if (!c.field)
        return;
    QJsonValue value = member.value(QLatin1String(c.field));
    if (c.argument) {
        value = QJsonValue();
        for (const QJsonValue &argument : member.value(QStringLiteral("arguments")).toArray())
            if (argument[QStringLiteral("name")].toString() == QLatin1String(c.argument))
                value = argument[QLatin1String(c.field)];
    }
    EXPECT_EQ(jsonText(value), QLatin1String(c.value)) << c.member << " " << (c.argument ? c.argument : "") << " " << c.field;
}

INSTANTIATE_TEST_SUITE_P(
    Members, DescribeJson,
    ::testing::Values(
        JsonMember{"OrbSales.CustomerAddresses", "operations", "Add", 1, "CountryName", "optional", "true"},
        JsonMember{"OrbSales.CustomerAddresses", "operations", "Add", 1, "sKey", "optional", "true"},
        JsonMember{"OrbSales.CustomerAddresses", "operations", "Add", 1, "CompanyPrefix", "optional", "false"},
        JsonMember{"OrbSales.CustomerAddresses", "operations", "Add", 1, nullptr, "returns", "CustomerAddress"},
        JsonMember{"OrbSales.CustomerAddresses", "operations", "Count", 0, nullptr, nullptr, nullptr},
        JsonMember{"OrbSales.CustomerAddresses", "properties", "Count", 1, nullptr, "access", "read-only"},
        JsonMember{"OrbSales.SalesQuotation", "properties", "ErrDesc", 1, nullptr, "access", "read-only"},
        JsonMember{"OrbSales.SalesQuotation", "properties", "DocFlag", 1, nullptr, "access", "write-only"},
        JsonMember{"OrbSales.SalesQuotation", "properties", "QuotationGrid", 1, nullptr, "type", "LineGrid"},
        JsonMember{"OrbSales.SalesQuotation", "signals", "notification", 1, "buttons", "type", "String"},
        JsonMember{"OrbSystem.CounterTransaction", "operations", "Get_Last_Counter", 1, "connection", "byReference",
                   "true"},
        JsonMember{"OrbSystem.CounterTransaction", "operations", "Get_Last_Counter", 1, "temporaryNumber", "optional",
                   "true"},
        JsonMember{"OrbAccountsExt.DebitCreditNote", "operations", "Process_Voucher", 1, "voucherNo", "byReference",
                   "true"},
        JsonMember{"OrbAccountsExt.DebitCreditNote", "operations", "Process_Voucher", 1, "voucherNo", "cppType",
                   "QString"},
        JsonMember{"OrbInventory.StockMovement", "operations", "StockMovement", 1, "baseQuantity", "byReference",
                   "true"},
        JsonMember{"OrbSales.SalesOrder", "operations", "Update_Item_SORDQty", 1, "strType", "byReference", "false"}),
    [](const ::testing::TestParamInfo<JsonMember> &info) { return "case" + std::to_string(info.index); });

TEST(Describe, LeavesOutWhatEveryQtObjectHas) {
    const QString text = describe({QStringLiteral("OrbSales.SalesQuotation")});
    for (const char *member : {"objectName", "deleteLater", "destroyed"})
        EXPECT_FALSE(text.contains(QLatin1String(member))) << member;
    EXPECT_TRUE(text.contains(QStringLiteral("interface _SalesQuotation")));
}

TEST(Describe, AnUnknownIdentifierIsAClearError) {
    int code = -1;
    QString err;
    const QString text = describe({QStringLiteral("OrbSales.Nothing")}, &code, &err);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("unknown identifier OrbSales.Nothing"))) << err.toStdString();
}

TEST(Describe, WithoutAnArgumentListsEveryIdentifier) {
    int code = -1;
    const QString text = describe({}, &code);
    EXPECT_EQ(code, 0);
    for (const char *identifier : {"OrbSales.SalesQuotation", "OrbSystem.CounterTransaction"})
        EXPECT_TRUE(text.contains(QLatin1String(identifier))) << identifier;
}

TEST(Describe, JsonForOneIdentifierHoldsThatClassOnly) {
    int code = -1;
    const QString text = describe({QStringLiteral("--json"), QStringLiteral("OrbSales.SalesOrder")}, &code);
    EXPECT_EQ(code, 0);
    const QJsonArray classes = QJsonDocument::fromJson(text.toUtf8()).object().value(QStringLiteral("classes")).toArray();
    ASSERT_EQ(classes.size(), 1);
    EXPECT_EQ(classes[0][QStringLiteral("interface")].toString(), QStringLiteral("_SalesOrder"));
}

} // namespace
} // namespace orbsales::testing
