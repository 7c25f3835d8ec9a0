#include "orbsales/values/errors.h"
#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <limits>
#include <optional>

namespace orbsales::numbers {
namespace {

// Each text read by the leading-number rule and as a whole number (nullopt: not a number).
struct TextCase {
    const char16_t *text;
    double leading;
    std::optional<double> exact;
};

class NumberReadingTableTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberReadingTableTest, ReadsPrefixOrWholeText) {
    const QStringView text(GetParam().text);
    EXPECT_EQ(leadingNumber(text), GetParam().leading);
    EXPECT_EQ(exactNumber(text), GetParam().exact);
}

constexpr std::optional<double> kNone;
INSTANTIATE_TEST_SUITE_P(
    Texts, NumberReadingTableTest,
    ::testing::Values(TextCase{u".5", 0.5, 0.5}, TextCase{u"5.", 5, 5}, TextCase{u"-", 0, kNone},
                      TextCase{u"1e", 1, kNone}, TextCase{u"12abc", 12, kNone}, TextCase{u"  3.5kg", 3.5, kNone},
                      TextCase{u"1,234", 1, kNone}, TextCase{u"abc", 0, kNone}, TextCase{u"", 0, kNone},
                      TextCase{u"  ", 0, kNone}, TextCase{u"+7", 7, 7}, TextCase{u"-0.5e2x", -50, kNone},
                      TextCase{u"1e+3", 1000, 1000}, TextCase{u"1e+", 1, kNone}, TextCase{u" \t4", 4, 4},
                      TextCase{u"..5", 0, kNone}, TextCase{u"5..5", 5, kNone}, TextCase{u"1.2.3", 1.2, kNone},
                      TextCase{u"1E-2", 0.01, 0.01}, TextCase{u"-.25", -0.25, -0.25}, TextCase{u"007", 7, 7},
                      TextCase{u"1 2", 1, kNone}, TextCase{u"+-3", 0, kNone}, TextCase{u"- 3", 0, kNone},
                      TextCase{u"1e5e3", 1e5, kNone}, TextCase{u"\n5", 0, 5}, TextCase{u" 12 ", 12, 12},
                      TextCase{u"\u0663", 0, kNone}, TextCase{u"1e-999", 0, 0}, TextCase{u"0e99999", 0, 0},
                      TextCase{u"123456789e300", 1.23456789e308, 1.23456789e308}));

TEST(NumberReadingTest, OutOfDoubleRangeIsOverflow) {
    for (const char16_t *text : {u"1e999", u"-1e400x", u"123456789e301"}) {
        EXPECT_THROW(leadingNumber(QStringView(text)), OrbError) << QString::fromUtf16(text).toStdString();
        EXPECT_THROW(exactNumber(QStringView(text)), OrbError) << QString::fromUtf16(text).toStdString();
    }
}

struct FormatCase {
    double value;
    const char *text;
};

class NumberTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberTextTest, WritesShortestText) { EXPECT_EQ(numberText(GetParam().value), QString(GetParam().text)); }

// Reading the text back must give the value rounded to 15 significant digits; Qt's own
// formatter serves as the independent reference for that rounding.
TEST_P(NumberTextTest, ReadsBackAsFifteenDigitValue) {
    const double value = GetParam().value;
    EXPECT_EQ(throughText(value), QString::number(value, 'g', 15).toDouble());
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    ::testing::Values(FormatCase{0.0, "0"}, FormatCase{-0.0, "0"}, FormatCase{0.1 + 0.2, "0.3"},
                      FormatCase{1.0 / 3, "0.333333333333333"}, FormatCase{2.0 / 3, "0.666666666666667"},
                      FormatCase{12.5, "12.5"}, FormatCase{100, "100"}, FormatCase{-0.1, "-0.1"},
                      FormatCase{1234.5678, "1234.5678"}, FormatCase{999999999999999.0, "999999999999999"},
                      FormatCase{999999999999999.9, "1E+15"}, FormatCase{1e15, "1E+15"},
                      FormatCase{123456789012345678.0, "1.23456789012346E+17"}, FormatCase{1e20, "1E+20"},
                      FormatCase{-1e100, "-1E+100"}, FormatCase{0.0001, "0.0001"},
                      FormatCase{0.00012345, "0.00012345"}, FormatCase{1e-7, "1E-07"},
                      FormatCase{1.5e-5, "1.5E-05"}, FormatCase{-2.5e-300, "-2.5E-300"}));

TEST(NumberTextErrorTest, NonFiniteIsOverflow) {
    EXPECT_THROW(numberText(std::numeric_limits<double>::infinity()), OrbError);
    EXPECT_THROW(numberText(std::numeric_limits<double>::quiet_NaN()), OrbError);
}

struct RoundCase {
    double value;
    double digits;
    double expected;
};

class NumberRoundingTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(NumberRoundingTest, TiesGoToEvenDecimalDigit) {
    const double result = roundHalfEven(GetParam().value, GetParam().digits);
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_FALSE(std::signbit(result) && result == 0.0) << "negative zero";
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberRoundingTest,
    ::testing::Values(RoundCase{2.675, 2, 2.68}, RoundCase{2.665, 2, 2.66}, RoundCase{0.125, 2, 0.12},
                      RoundCase{0.375, 2, 0.38}, RoundCase{-0.125, 2, -0.12}, RoundCase{-2.5, 0, -2},
                      RoundCase{1.5, 0, 2}, RoundCase{2.5, 0, 2}, RoundCase{0.5, 0, 0}, RoundCase{9.5, 0, 10},
                      RoundCase{1.005, 2, 1}, RoundCase{1.015, 2, 1.02}, RoundCase{99.995, 2, 100},
                      RoundCase{0.05, 1, 0}, RoundCase{0.15, 1, 0.2}, RoundCase{0.25, 1, 0.2},
                      RoundCase{0.0015, 3, 0.002}, RoundCase{0.0005, 3, 0}, RoundCase{0.004, 2, 0},
                      RoundCase{-0.004, 2, 0}, RoundCase{123.456, 1, 123.5}, RoundCase{1234.5, 0, 1234},
                      RoundCase{0.1 + 0.2, 2, 0.3}, RoundCase{2.675, 2.9, 2.675}, RoundCase{2.675, 2.5, 2.68}, RoundCase{2.5, -1, 2},
                      RoundCase{1.23456, 400, 1.23456}, RoundCase{1e20, 2, 1e20}));

struct LongCase {
    double value;
    qint32 expected;
};

class NumberToLongTest : public ::testing::TestWithParam<LongCase> {};

TEST_P(NumberToLongTest, RoundsHalvesToEven) { EXPECT_EQ(toLong(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Values, NumberToLongTest,
                         ::testing::Values(LongCase{12.5, 12}, LongCase{13.5, 14}, LongCase{-2.5, -2},
                                           LongCase{-3.5, -4}, LongCase{0.5, 0}, LongCase{-0.5, 0},
                                           LongCase{2.4999, 2}, LongCase{2.5000001, 3}, LongCase{-7.6, -8},
                                           LongCase{2147483647.0, 2147483647}, LongCase{2147483647.4, 2147483647},
                                           LongCase{-2147483648.0, -2147483647 - 1},
                                           LongCase{-2147483648.5, -2147483647 - 1}));

TEST(NumberToLongOverflowTest, OutsideLongRangeThrowsOverflow) {
    for (double value : {2147483647.5, 2147483648.0, -2147483648.6, -2147483649.0, 1e300,
                         std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        try {
            toLong(value);
            ADD_FAILURE() << value << " did not overflow";
        } catch (const OrbError &error) {
            EXPECT_EQ(error.description(), QStringLiteral("Overflow")) << value;
        }
    }
}

TEST(NumberDateTest, UsesEnglishMonthAbbreviationsWhateverTheLocale) {
    const char *months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (int month = 1; month <= 12; ++month) {
        const QDateTime value(QDate(2026, month, 5), QTime(23, 59));
        EXPECT_EQ(dates::ddMmmYyyy(value), QStringLiteral("05/%1/2026").arg(QLatin1String(months[month - 1])));
    }
    QLocale::setDefault(previous);
    EXPECT_EQ(dates::ddMmmYyyy(QDateTime(QDate(999, 1, 31), QTime(0, 0))), QStringLiteral("31/Jan/0999"));
    EXPECT_EQ(dates::ddMmmYyyy(QDateTime()), QString());
}

} // namespace
} // namespace orbsales::numbers
