#include "calendar/IslamicDayText.h"

#include <gtest/gtest.h>

#include "calendar/TimeBase.h"

namespace calendar {
namespace {

TEST(CalendarIslamicText, DatesAndRamadanEnds) {
    EXPECT_EQ(IslamicDateText(JulianDay(2000, 1, 1, 12)), "1420년 9월(Ramadan) 24일");
    EXPECT_EQ(IslamicDateText(JulianDay(2007, 1, 14, 12)), "1427년 12월(Dhu l-Hijja) 24일");
    EXPECT_EQ(RamadanDays(JulianDay(2024, 3, 11, 12)), "라마단 시작");
    EXPECT_EQ(RamadanDays(JulianDay(2024, 4, 9, 12)), "라마단 종료");
    EXPECT_EQ(RamadanDays(JulianDay(2024, 3, 25, 12)), "9월 15일");
}

TEST(CalendarIslamicText, OnlyTheCivilDayCounts) {
    EXPECT_EQ(IslamicDateText(JulianDay(2000, 1, 1, 0, 0, 1)), IslamicDateText(JulianDay(2000, 1, 1, 23, 59, 0)));
    EXPECT_EQ(RamadanDays(JulianDay(2024, 3, 11, 0, 0, 1)), "라마단 시작");
    EXPECT_EQ(RamadanDays(JulianDay(2024, 3, 11, 23, 59, 0)), "라마단 시작");
}

TEST(CalendarIslamicText, NothingBeforeTheEpoch) {
    EXPECT_EQ(IslamicDateText(1948439.0), "");
    EXPECT_EQ(RamadanDays(1948439.0), "");
    EXPECT_NE(IslamicDateText(1948440.0), "");
}

}  // namespace
}  // namespace calendar
