#include "calendar/TideAndGanzhi.h"

#include <gtest/gtest.h>

#include "calendar/LunarYear.h"

namespace calendar {
namespace {

// Lunar 2024/1 with 30 days, 2024/2 with 29.
LunarMonthTable TwoMonths() {
    LunarMonthTable t;
    t.slot[0] = {2460351, 30, kTrue, 1, 2024};
    t.slot[1] = {2460381, 29, kTrue, 2, 2024};
    t.slot[2] = {2460410, 30, kTrue, 3, 2024};
    return t;
}

TEST(CalendarTideNames, ThreeStylesAndTheMonthEnd) {
    const LunarMonthTable t = TwoMonths();
    EXPECT_EQ(TideDayName(t, 2024, 1, 15, 0, 0), "가슴사리");
    EXPECT_EQ(TideDayName(t, 2024, 1, 29, 0, 0), "배꼽사리");
    EXPECT_EQ(TideDayName(t, 2024, 1, 30, 0, 0), "가슴사리");
    EXPECT_EQ(TideDayName(t, 2024, 2, 29, 0, 0), "배꼽-가슴사리");
    EXPECT_EQ(TideDayName(t, 2024, 1, 8, 0, 1), "조금");
    EXPECT_EQ(TideDayName(t, 2024, 2, 29, 0, 1), "예닐곱물");
    EXPECT_EQ(TideDayName(t, 2024, 1, 8, 0, 2), "조금");
    EXPECT_EQ(TideDayName(t, 2024, 1, 9, 0, 2), "무시");
    EXPECT_EQ(TideDayName(t, 2024, 1, 30, 0, 7), "여섯매");
    // A month the table lacks counts as 29 days.
    EXPECT_EQ(TideDayName(t, 2030, 5, 29, 0, 0), "배꼽-가슴사리");
    EXPECT_EQ(TideDayName(t, 2030, 5, 30, 0, 0), "");
}

TEST(CalendarTideNames, DaysOutsideTheMonthGiveNoName) {
    const LunarMonthTable t = TwoMonths();
    for (int style = 0; style < 3; ++style) {
        EXPECT_EQ(TideDayName(t, 2024, 1, 0, 0, style), "");
        EXPECT_EQ(TideDayName(t, 2024, 1, 31, 0, style), "");
    }
}

TEST(CalendarGanzhi, MonthNames) {
    EXPECT_EQ(GetWolgeon(2001, 11, 0), "경자(庚子)");
    EXPECT_EQ(GetWolgeon(2002, 1, 0), "임인(壬寅)");
    EXPECT_EQ(GetWolgeon(2000, 11, 0), "무자(戊子)");
    EXPECT_EQ(GetWolgeon(2024, 1, 0), "병인(丙寅)");
    EXPECT_EQ(GetWolgeon(1900, 12, 0), "기축(己丑)");
    EXPECT_EQ(GetWolgeon(2024, 4, kTrue), "");
}

}  // namespace
}  // namespace calendar
