#include "orbsales/values/dates.h"

#include <gtest/gtest.h>

namespace orbsales::dates {
namespace {

// Each text as a date is read from it, written "yyyy-MM-dd HH:mm:ss.zzz" (empty: no date). The
// stored forms are read from their digits, the rest by the general parser: both must agree.
struct DateCase {
    const char *text;
    const char *read;
};

class DateReadingTableTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateReadingTableTest, ReadsEveryFormADateComesIn) {
    const QDateTime value = parseDate(QString::fromLatin1(GetParam().text));
    EXPECT_EQ(value.isValid() ? value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) : QString(),
              QString::fromLatin1(GetParam().read))
        << GetParam().text;
    if (value.isValid()) {
        EXPECT_EQ(value.timeSpec(), Qt::LocalTime) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateReadingTableTest,
    ::testing::Values(DateCase{"2024-02-29 23:59:58", "2024-02-29 23:59:58.000"},
                      DateCase{"  2024-03-01 00:00:00 ", "2024-03-01 00:00:00.000"},
                      DateCase{"2024-03-01T07:08:09", "2024-03-01 07:08:09.000"},
                      DateCase{"2024-03-01 07:08:09.125", "2024-03-01 07:08:09.125"},
                      DateCase{"2024-03-01T07:08:09.125", "2024-03-01 07:08:09.125"},
                      DateCase{"2024-03-01", "2024-03-01 00:00:00.000"},
                      DateCase{"06/Dec/2026", "2026-12-06 00:00:00.000"},
                      DateCase{"6/dec/2026", "2026-12-06 00:00:00.000"},
                      // Dates and times that do not exist, and forms that are none of the above.
                      DateCase{"2023-02-29 10:00:00", ""}, DateCase{"2024-13-01", ""},
                      DateCase{"2024-03-01 24:00:00", ""}, DateCase{"2024-03-01 10:60:00", ""},
                      DateCase{"2024-3-01", ""},
                      DateCase{"20x4-03-01", ""}, DateCase{"2024-03-01x10:00:00", ""},
                      DateCase{"31/Feb/2024", ""}, DateCase{"", ""}));

} // namespace
} // namespace orbsales::dates
