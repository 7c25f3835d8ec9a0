#include "scenario_values.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace orbsales::testing {
namespace {

using cli::scenario::convert;
using cli::scenario::matches;

// A scenario value written as JSON text ("7", "\"A100\"", "null").
QJsonValue json(const char *text) { return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first(); }

QDateTime at(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

struct Comparison {
    const char *label;
    QVariant actual;
    const char *expected;
    bool equal;
};

class ScenarioComparison : public ::testing::TestWithParam<Comparison> {};

TEST_P(ScenarioComparison, FollowsTheRules) {
    const Comparison &c = GetParam();
    EXPECT_EQ(matches(c.actual, json(c.expected)), c.equal) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ScenarioComparison,
    ::testing::Values(
        Comparison{"whole number equals the same with a point", QVariant(7), "7.0", true},
        Comparison{"double equals whole expected", QVariant(7.0), "7", true},
        Comparison{"long long from a count", QVariant(qlonglong(3)), "3", true},
        Comparison{"text holding a number compares by value", QVariant(QStringLiteral("7.50")), "7.5", true},
        Comparison{"sums compare to 15 digits", QVariant(0.1 + 0.2), "0.3", true},
        Comparison{"a different number", QVariant(7.01), "7", false},
        Comparison{"text that is not a number", QVariant(QStringLiteral("7a")), "7", false},
        Comparison{"text exactly", QVariant(QStringLiteral("A100")), "\"A100\"", true},
        Comparison{"text with a blank is different", QVariant(QStringLiteral("A100 ")), "\"A100\"", false},
        Comparison{"text is case-sensitive", QVariant(QStringLiteral("a100")), "\"A100\"", false},
        Comparison{"a number is not text", QVariant(7), "\"7\"", false},
        Comparison{"quotes and semicolons verbatim", QVariant(QStringLiteral("O'Brien; DROP TABLE X;--")),
                   "\"O'Brien; DROP TABLE X;--\"", true},
        Comparison{"true against true", QVariant(true), "true", true},
        Comparison{"true against 1", QVariant(true), "1", true},
        Comparison{"false against 0", QVariant(false), "0", true},
        Comparison{"false against true", QVariant(false), "true", false},
        Comparison{"a stored flag 1 against true", QVariant(1), "true", true},
        Comparison{"a stored flag 0 against false", QVariant(0), "false", true},
        Comparison{"2 is no Boolean", QVariant(2), "true", false},
        Comparison{"a grid flag cell against true", QVariant(QStringLiteral("1")), "true", true},
        Comparison{"NULL against null", QVariant(), "null", true},
        Comparison{"empty text is not null", QVariant(QString()), "null", false},
        Comparison{"NULL is not empty text", QVariant(), "\"\"", false},
        Comparison{"NULL is not 0", QVariant(), "0", false},
        Comparison{"midnight against a date", QVariant(at(2026, 12, 5)), "\"2026-12-05\"", true},
        Comparison{"midnight against a date and time", QVariant(at(2026, 12, 5)), "\"2026-12-05T00:00:00\"", true},
        Comparison{"another day", QVariant(at(2026, 12, 5)), "\"2026-12-06\"", false},
        Comparison{"a time of day is not the bare date", QVariant(at(2026, 12, 5, 9, 30)), "\"2026-12-05\"", false},
        Comparison{"a time of day against its ISO text", QVariant(at(2026, 12, 5, 9, 30)), "\"2026-12-05T09:30:00\"",
                   true},
        Comparison{"a date kept as text by the database", QVariant(QStringLiteral("2026-12-05 00:00:00")),
                   "\"2026-12-05\"", true},
        Comparison{"a date against text that is no date", QVariant(at(2026, 12, 5)), "\"05/Dec/2026\"", false}),
    [](const ::testing::TestParamInfo<Comparison> &info) { return "case" + std::to_string(info.index); });

struct Conversion {
    const char *label;
    const char *value;
    QMetaType type;
    QVariant converted;    // when it converts
    const char *errorPart; // when it does not
};

class ScenarioConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(ScenarioConversion, GivesTheValueOrSaysWhatWasWanted) {
    const Conversion &c = GetParam();
    QString error;
    const std::optional<QVariant> result = convert(json(c.value), c.type, error);
    if (c.errorPart) {
        EXPECT_FALSE(result.has_value()) << c.label;
        EXPECT_TRUE(error.contains(QLatin1String(c.errorPart))) << c.label << ": " << error.toStdString();
    } else {
        ASSERT_TRUE(result.has_value()) << c.label << ": " << error.toStdString();
        EXPECT_EQ(result->metaType(), c.converted.metaType()) << c.label;
        EXPECT_EQ(*result, c.converted) << c.label;
    }
}

const QMetaType kString = QMetaType::fromType<QString>();
const QMetaType kDouble = QMetaType::fromType<double>();
const QMetaType kLong = QMetaType::fromType<qint32>();
const QMetaType kInteger = QMetaType::fromType<qint16>();
const QMetaType kBoolean = QMetaType::fromType<bool>();
const QMetaType kDate = QMetaType::fromType<QDateTime>();

INSTANTIATE_TEST_SUITE_P(
    Types, ScenarioConversion,
    ::testing::Values(
        Conversion{"text", "\"01\"", kString, QVariant(QStringLiteral("01")), nullptr},
        Conversion{"a number for text", "1", kString, {}, "text is needed, got a number"},
        Conversion{"an object for text", "{\"a\": 1}", kString, {}, "text is needed, got an object"},
        Conversion{"a number", "100", kDouble, QVariant(100.0), nullptr},
        Conversion{"text for a number", "\"100\"", kDouble, {}, "a number is needed, got text"},
        Conversion{"a whole number", "40", kLong, QVariant(qint32(40)), nullptr},
        Conversion{"a fraction for a whole number", "1.5", kLong, {}, "a whole number is needed, got 1.5"},
        Conversion{"beyond a Long", "3000000000", kLong, {}, "out of range"},
        Conversion{"beyond an Integer", "40000", kInteger, {}, "out of range"},
        Conversion{"an Integer", "-3", kInteger, QVariant::fromValue(qint16(-3)), nullptr},
        Conversion{"true", "true", kBoolean, QVariant(true), nullptr},
        Conversion{"1 for true", "1", kBoolean, QVariant(true), nullptr},
        Conversion{"2 is no Boolean", "2", kBoolean, {}, "true or false is needed"},
        Conversion{"a date", "\"2026-12-05\"", kDate, QVariant(at(2026, 12, 5)), nullptr},
        Conversion{"a date and time", "\"2026-12-05T09:30:00\"", kDate, QVariant(at(2026, 12, 5, 9, 30)), nullptr},
        Conversion{"a date in another form", "\"05/12/2026\"", kDate, {}, "a date as \"yyyy-MM-dd\""},
        Conversion{"no such day", "\"2026-02-30\"", kDate, {}, "a date as"},
        Conversion{"a list for a Variant", "[1]", QMetaType::fromType<QVariant>(), {}, "a single value is needed"}),
    [](const ::testing::TestParamInfo<Conversion> &info) { return "case" + std::to_string(info.index); });

} // namespace
} // namespace orbsales::testing
