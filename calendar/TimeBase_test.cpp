#include "calendar/TimeBase.h"

#include <gtest/gtest.h>

#include "calendar/CalendarSettings.h"

namespace calendar {
namespace {

TEST(CalendarTimeBase, JulianDayAcrossTheReform) {
    EXPECT_DOUBLE_EQ(JulianDay(2000, 1, 1, 12, 0, 0), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 4, 0, 0, 0), 2299159.5);
    EXPECT_DOUBLE_EQ(JulianDay(1582, 10, 10, 0, 0, 0), JulianDay(1582, 9, 30, 0, 0, 0));
    double y, m, d, h, mi, s;
    JDToCalendar(2299160.5, y, m, d, h, mi, s);
    EXPECT_EQ(y * 10000 + m * 100 + d, 15821015);
    JDToCalendar(2299159.5, y, m, d, h, mi, s);
    EXPECT_EQ(y * 10000 + m * 100 + d, 15821004);
}

TEST(CalendarTimeBase, LastDaysOfMonthsAndTruncatedTime) {
    struct Case { double year, month; } cases[] = {{2024, 1}, {2024, 3}, {2023, 8}};
    for (const Case& c : cases) {
        double y, m, d, h, mi, s;
        JDToCalendar(JulianDay(c.year, c.month, 31, 12, 0, 0), y, m, d, h, mi, s);
        EXPECT_EQ(y, c.year);
        EXPECT_EQ(m, c.month);
        EXPECT_EQ(d, 31);
    }
    double y, m, d, h, mi, s;
    JDToCalendar(JulianDay(2024, 5, 6, 0, 0, 0) - 1e-7, y, m, d, h, mi, s);
    EXPECT_EQ(d, 5);
    EXPECT_EQ(h * 10000 + mi * 100 + s, 235959);
    EXPECT_EQ(YearOfJD(JulianDay(-44, 3, 15, 12, 0, 0)), -44);
}

TEST(CalendarTimeBase, Texts) {
    EXPECT_EQ(FormatDateKorean(JulianDay(2024, 3, 15, 12)), " 2024년 3월 15일");
    EXPECT_EQ(FormatDateKorean(JulianDay(-44, 3, 15, 12)), "기원전 45년 3월 15일");
    EXPECT_EQ(FormatDateKorean(JulianDay(0, 7, 1, 12)), "기원전 1년 7월 1일");
    EXPECT_EQ(TimeText(JulianDay(2024, 5, 6, 0, 0, 0) - 0.1 / 86400), "24:00");
    EXPECT_EQ(TimeText(JulianDay(2024, 5, 6, 9, 5, 20)), "09:05");
    EXPECT_EQ(TimeText(JulianDay(2024, 5, 6, 14, 7, 40)), "14:08");
    EXPECT_EQ(HourText(JulianDay(2024, 5, 6, 9, 29, 0)), "(09시)");
    EXPECT_EQ(HourText(JulianDay(2024, 5, 6, 9, 30, 0)), "(09시)");
    EXPECT_EQ(HourText(JulianDay(2024, 5, 6, 9, 31, 0)), "(10시)");
    EXPECT_EQ(HourText(JulianDay(2024, 5, 6, 14, 0, 0)), "(14시)");
}

TEST(CalendarTimeBase, SameMinuteTellsWhetherADayExists) {
    EXPECT_TRUE(SameMinute(JulianDay(2024, 2, 29, 12, 0, 0), 2024, 2, 29, 12, 0, 0));
    EXPECT_FALSE(SameMinute(JulianDay(2023, 2, 29, 12, 0, 0), 2023, 2, 29, 12, 0, 0));
    EXPECT_TRUE(SameMinute(JulianDay(2024, 2, 1, 12, 4, 40), 2024, 2, 1, 12, 5, 0));
}

TEST(CalendarTimeBase, DeltaT) {
    EXPECT_NEAR((CalcJDE(JulianDay(2024, 1, 1, 0, 0, 0)) - JulianDay(2024, 1, 1, 0, 0, 0)) * 86400, 73.84, 0.01);
    // The decimal year is Y + (M + D/30 - 0.5)/12: 1999 December 15 is y = 2000.0.
    EXPECT_NEAR(DeltaTSeconds(JulianDay(1999, 12, 15, 0, 0, 0)), 63.86 - 0.000012932 * 45 * 45, 1e-9);
    // 1599 December 15 is y = 1600.0: the 1600-1700 row at t = 0, not the row below.
    EXPECT_NEAR(DeltaTSeconds(JulianDay(1599, 12, 15, 0, 0, 0)), 120 - 0.000012932 * 355 * 355, 1e-9);
    CalendarSettings s;
    s.DT = true;
    s.dTValue = "70";
    EXPECT_DOUBLE_EQ(DeltaTSeconds(JulianDay(1600, 1, 15), DeltaTRuleOf(s)), 70);
    EXPECT_NEAR((CalcJDE(2451545.0, DeltaTRuleOf(s)) - 2451545.0) * 86400, 70, 1e-4);
}

}  // namespace
}  // namespace calendar
