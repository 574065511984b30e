#include "almanac/IslamicCalendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace almanac {
namespace {

// Day number of an Islamic date in the arithmetic civil calendar, written out
// independently of the module: 354-day years, the 30-year leap pattern and
// months of alternately 30 and 29 days.
double ArithmeticDay(long long y, long long m, long long d) {
    const auto floor_div = [](long long a, long long b) { return static_cast<long long>(std::floor(double(a) / b)); };
    return 1948439.0 + 354.0 * (y - 1) + floor_div(3 + 11 * y, 30) + 29.0 * (m - 1) + floor_div(m, 2) + d;
}

TEST(IslamicCalendarTest, IslamicToJDKnownDays) {
    EXPECT_EQ(IslamicToJD(1420, 9, 24), 2451545.0);  // 2000-01-01
    EXPECT_EQ(IslamicToJD(1, 1, 1), 1948440.0);      // the epoch
    EXPECT_EQ(IslamicToJD(-1, 1, 1), 0.0);
    EXPECT_EQ(IslamicToJD(1420, -1, 1), 0.0);
    EXPECT_EQ(IslamicToJD(1420, 9, -1), 0.0);
}

TEST(IslamicCalendarTest, JDToIslamicKnownDays) {
    struct Case {
        const char* why;
        double jd;
        IslamicDate expected;
    };
    const Case cases[] = {
        {"2000-01-01", 2451545, {1420, 9, 24}},
        {"epoch", 1948440, {1, 1, 1}},
        {"year end the book's steps give as month 0", 2454115, {1427, 12, 24}},
        {"30 Dhu l-Hijja the book's steps give as 19/0/29", 1954818, {18, 12, 30}},
        {"new year the book's steps give as 153/12/30", 2002658, {154, 1, 1}},
        {"before the epoch by the argument", 1948439.9, {0, 0, 0}},
        {"long before", 0, {0, 0, 0}},
        {"not a number", std::nan(""), {0, 0, 0}},
        {"past any int year", 1e300, {0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(JDToIslamic(c.jd), c.expected) << c.why;
}

TEST(IslamicCalendarTest, EveryDayFromTheEpochToAD3000) {
    int failures = 0;
    IslamicDate previous{};
    for (double d = 1948440; d <= 2817152 && failures < 5; d += 1) {
        const IslamicDate date = JDToIslamic(d);
        const bool ok = date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 30 &&
                        IslamicToJD(date.year, date.month, date.day) == d &&
                        ArithmeticDay(date.year, date.month, date.day) == d &&
                        (previous.year == 0 || date.day == previous.day + 1 ||
                         (date.day == 1 && (date.month == previous.month + 1 ||
                                            (date.month == 1 && date.year == previous.year + 1))));
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "day " << d << ": " << date.year << "/" << date.month << "/" << date.day;
        }
        previous = date;
    }
}

TEST(IslamicCalendarTest, MonthNames) {
    EXPECT_EQ(IslamicMonthName(1), "Muharram");
    EXPECT_EQ(IslamicMonthName(9), "Ramadan");
    EXPECT_EQ(IslamicMonthName(12), "Dhu l-Hijja");
    EXPECT_EQ(IslamicMonthName(0), "");
    EXPECT_EQ(IslamicMonthName(13), "");
}

TEST(IslamicCalendarTest, FormatStyles) {
    EXPECT_EQ(FormatIslamicDate(2451545, 0), "1420년 9월 24일");
    EXPECT_EQ(FormatIslamicDate(2451545, 1), "1420년 9월(Ramadan) 24일");
    EXPECT_EQ(FormatIslamicDate(2451545, 2), "24 Ramadan A.H. 1420");
    EXPECT_EQ(FormatIslamicDate(2451545, 3), "");
    // Any moment of the civil day counts, the evening before midnight too.
    EXPECT_EQ(FormatIslamicDate(2451545.49, 0), "1420년 9월 24일");
    EXPECT_EQ(FormatIslamicDate(2451544.6, 0), "1420년 9월 24일");
    EXPECT_EQ(FormatIslamicDate(1948439, 0), "");
    EXPECT_EQ(FormatIslamicDate(1948439, 2), "");
}

}  // namespace
}  // namespace almanac
