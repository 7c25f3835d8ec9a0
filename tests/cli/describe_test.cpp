#include "cli_fixture.h"

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
                      Listed{"OrbSales.SalesQuotation", R"(Cancel_Quotation\(\) -> Boolean)"},
                      Listed{"OrbSystem.CounterTransaction", R"(NextDocumentNo\s+Double\s+read-only)"},
                      Listed{"OrbSystem.CounterTransaction",
                             R"(Get_Last_Counter\(Connection& connection\) -> Boolean)"},
                      Listed{"OrbSystem.CounterTransaction",
                             R"(Get_Last_Counter\(Connection& connection, Boolean temporaryNumber\) -> Boolean)"}),
    [](const ::testing::TestParamInfo<Listed> &info) { return "case" + std::to_string(info.index); });

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

} // namespace
} // namespace orbsales::testing
