// The lunisolar calendar with the sky chart's Sun and Moon solvers, against
// the Korean lunar months of KASI (npm korean-lunar-calendar).
#include <gtest/gtest.h>

#include "almanac/LunarCalendar.h"
#include "almanac/LunarCalendarTestSupport.h"
#include "almanac/SkyCalendarServices.h"
#include "astro/SkySettings.h"

namespace almanac {
namespace {

using test::Day;
using test::KasiLunarDate;
using test::KasiMonths;

const CalendarServices& Sky() { return SkyCalendarServices(); }

std::string Text(const std::optional<LunarDate>& d) {
    if (!d) return "none";
    return std::to_string(d->year) + "/" + (d->leap ? "윤" : "") + std::to_string(d->month) + "/" +
           std::to_string(d->day);
}

class LunarCalendarSkyTest : public ::testing::Test {
protected:
    void SetUp() override {
        astro::Settings() = astro::SkySettings{};
        ResetLunarCalendarState();
    }
};

TEST_F(LunarCalendarSkyTest, SolarToLunarZone9) {
    struct Case {
        const char* why;
        double day;
        LunarDate expected;
    };
    const Case cases[] = {
        {"an ordinary day", Day(2008, 1, 1), {2007, 11, 23, false}},
        {"new moon 23:58:20 KST", Day(2017, 2, 26), {2017, 2, 1, false}},
        {"new moon 00:00:55 KST", Day(2005, 12, 2), {2005, 11, 1, false}},
        {"new moon 23:57:33 KST", Day(2044, 11, 19), {2044, 10, 1, false}},
        {"leap 11th month", Day(2033, 12, 22), {2033, 11, 1, true}},
        {"대한 and new moon on one day", Day(2034, 1, 20), {2033, 12, 1, false}},
        {"new year after a leap 11th month", Day(2034, 2, 19), {2034, 1, 1, false}},
        {"30th day", Day(2024, 4, 8), {2024, 2, 30, false}},
        {"leap 5th month", Day(2017, 6, 24), {2017, 5, 1, true}},
        {"month after it", Day(2017, 7, 23), {2017, 6, 1, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(SolarToLunar(c.day, 9.0, {}, Sky())), Text(c.expected)) << c.why;
    // Any moment of the civil day gives the day's date.
    EXPECT_EQ(Text(SolarToLunar(Day(2008, 1, 1) - 0.4999, 9.0, {}, Sky())), "2007/11/23");
    EXPECT_EQ(Text(SolarToLunar(Day(2008, 1, 1) + 0.4999, 9.0, {}, Sky())), "2007/11/23");
}

// The numbered months of a window year that the KASI table covers are the
// table's months, and every table month inside the window is among them.
void ExpectWindowYearMatchesKasi(int year, const ZoneRule& zone) {
    const std::optional<WindowYearMonths> window = LunarMonthsOfWindowYear(year, zone, {}, Sky());
    ASSERT_TRUE(window.has_value()) << year;
    const std::vector<LunarMonth>& kasi = KasiMonths();
    const double first = kasi.front().first_day, last = kasi.back().first_day;
    for (const LunarMonth& m : window->months) {
        if (m.first_day < first || m.first_day > last) continue;
        bool found = false;
        for (const LunarMonth& k : kasi) found = found || k == m;
        EXPECT_TRUE(found) << "window year " << year << ": " << m.year << "/" << (m.leap ? "윤" : "") << m.month
                           << " from JD " << m.first_day;
    }
    for (const LunarMonth& k : kasi) {
        if (k.first_day < window->months.front().first_day || k.first_day >= window->end_day) continue;
        bool found = false;
        for (const LunarMonth& m : window->months) found = found || k == m;
        EXPECT_TRUE(found) << "window year " << year << " lacks " << k.year << "/" << (k.leap ? "윤" : "")
                           << k.month << " from JD " << k.first_day;
    }
}

TEST_F(LunarCalendarSkyTest, EveryWindowYear1913To2051MatchesKasi) {
    for (int year = 1913; year <= 2051; ++year) ExpectWindowYearMatchesKasi(year, 9.0);
}

TEST_F(LunarCalendarSkyTest, KoreanRuleMatchesKasiFrom1900) {
    for (int year = 1900; year <= 1913; ++year) ExpectWindowYearMatchesKasi(year, ZoneRule::Korean());
}

TEST_F(LunarCalendarSkyTest, DaysAroundWinterSolsticesMatchKasi) {
    for (int year : {1913, 1950, 2000, 2033, 2050}) {
        const double ws = Day(year, 12, 22);
        for (double day = ws - 4; day <= ws + 4; day += 1)
            EXPECT_EQ(Text(SolarToLunar(day, 9.0, {}, Sky())), Text(KasiLunarDate(day))) << "JD " << day;
    }
}

TEST_F(LunarCalendarSkyTest, KoreanZoneRuleAndFixedZones) {
    // New moon 1911-12-20 23:40 at UTC+8: the Korean rule counts it on the 20th.
    EXPECT_EQ(Text(SolarToLunar(Day(1911, 12, 20), ZoneRule::Korean(), {}, Sky())), "1911/11/1");
    EXPECT_EQ(Text(SolarToLunar(Day(1911, 12, 20), 9.0, {}, Sky())), "1911/10/30");
    EXPECT_EQ(Text(SolarToLunar(Day(1912, 1, 19), ZoneRule::Korean(), {}, Sky())), "1911/12/1");
    EXPECT_EQ(Text(SolarToLunar(Day(1912, 1, 19), 9.0, {}, Sky())), "1911/12/1");
    // 대서 2017-07-22 23:15 at UTC+8 but 07-23 00:15 at UTC+9.
    EXPECT_EQ(Text(SolarToLunar(Day(2017, 7, 23), 8.0, {}, Sky())), "2017/윤6/1");
    EXPECT_EQ(Text(SolarToLunar(Day(2017, 6, 24), 9.0, {}, Sky())), "2017/윤5/1");
    EXPECT_EQ(Text(SolarToLunar(Day(2017, 7, 23), 9.0, {}, Sky())), "2017/6/1");
}

TEST_F(LunarCalendarSkyTest, JinsakAndMeanMoon) {
    LunisolarRules jinsak;
    jinsak.Jinsak = true;
    // New moon 2024-01-11 20:57 KST: its month starts the next day.
    EXPECT_EQ(Text(SolarToLunar(Day(2024, 1, 11), 9.0, jinsak, Sky())), "2023/11/30");
    EXPECT_EQ(Text(SolarToLunar(Day(2024, 1, 12), 9.0, jinsak, Sky())), "2023/12/1");
    EXPECT_EQ(Text(SolarToLunar(Day(2024, 1, 11), 9.0, {}, Sky())), "2023/12/1");

    LunisolarRules mean;
    mean.MeanMoon = true;
    LunisolarRules mean_jinsak = mean;
    mean_jinsak.Jinsak = true;
    for (int year : {1700, 2024}) {
        const auto plain = LunarMonthsOfWindowYear(year, 9.0, mean, Sky());
        const auto with_jinsak = LunarMonthsOfWindowYear(year, 9.0, mean_jinsak, Sky());
        ASSERT_TRUE(plain && with_jinsak);
        EXPECT_EQ(plain->months, with_jinsak->months);
        EXPECT_EQ(plain->end_day, with_jinsak->end_day);
    }
    // Mean terms and mean new moons still number every month of a year.
    LunisolarRules all_mean = mean;
    all_mean.MeanSun = true;
    for (int year : {1600, 1650}) {
        const auto months = LunarMonthsOfWindowYear(year, 9.0, all_mean, Sky());
        ASSERT_TRUE(months.has_value()) << year;
        EXPECT_GE(months->months.size(), 13u);
        EXPECT_LE(months->months.size(), 14u);
        EXPECT_EQ(months->months.front().month, 11);
        EXPECT_EQ(months->months.back().month, 11);
    }
}

TEST_F(LunarCalendarSkyTest, LunarToSolar) {
    struct Case {
        const char* why;
        LunarDate date;
        std::optional<double> run_on, strict;
    };
    const Case cases[] = {
        {"leap 2nd month", {2023, 2, 1, true}, Day(2023, 3, 22), Day(2023, 3, 22)},
        {"leap 5th month", {2017, 5, 1, true}, Day(2017, 6, 24), Day(2017, 6, 24)},
        {"leap 3rd month", {2012, 3, 1, true}, Day(2012, 4, 21), Day(2012, 4, 21)},
        {"a leap month the year lacks", {2024, 2, 1, true}, std::nullopt, std::nullopt},
        {"day 30 of a 29-day month runs on", {2024, 1, 30, false}, Day(2024, 3, 10), std::nullopt},
        {"day 30 of a 30-day month", {2024, 2, 30, false}, Day(2024, 4, 8), Day(2024, 4, 8)},
        {"day 0 is the day before", {2024, 2, 0, false}, Day(2024, 3, 9), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LunarToSolar(c.date, 9.0, {}, Sky()), c.run_on) << c.why;
        EXPECT_EQ(LunarToSolarStrict(c.date, 9.0, {}, Sky()), c.strict) << c.why;
    }
}

TEST_F(LunarCalendarSkyTest, LunarToSolarRoundTripsToKasi) {
    for (const LunarMonth& m : KasiMonths()) {
        const bool leap_month = m.leap && m.year >= 1913 && m.year <= 2050;
        const bool new_year = !m.leap && m.month == 1 && m.year >= 2000 && m.year <= 2050;
        if (!leap_month && !new_year) continue;
        EXPECT_EQ(LunarToSolarStrict({m.year, m.month, 1, m.leap}, 9.0, {}, Sky()), m.first_day)
            << m.year << "/" << (m.leap ? "윤" : "") << m.month;
    }
}

TEST_F(LunarCalendarSkyTest, ConversionLeavesItsPrincipalTerms) {
    ASSERT_TRUE(SolarToLunar(Day(2024, 4, 8), 9.0, {}, Sky()).has_value());
    const PrincipalTermRows& table = PrincipalTermTable();
    EXPECT_EQ(table[1].Name, "동지");
    EXPECT_EQ(table[1].Day, Day(2023, 12, 22));
    EXPECT_EQ(table[13].Day, Day(2024, 12, 21));
    EXPECT_EQ(table[4].Name, "춘분");
    EXPECT_EQ(table[4].Day, Day(2024, 3, 20));
    ResetLunarCalendarState();
    EXPECT_EQ(PrincipalTermTable()[1].Name, "");
    InitPrincipalTerms();
    ASSERT_TRUE(CalcPrincipalTerms(Day(2024, 1, 1), 9.0, false, Sky()));
    EXPECT_EQ(PrincipalTermTable()[13].Day, Day(2024, 12, 21));
    EXPECT_EQ(PrincipalTermTable()[13].Longitude, 270.0);
}

TEST(GetWolgeonTest, StemsAndBranches) {
    EXPECT_EQ(GetWolgeon(2001, 11, false), "경자");
    EXPECT_EQ(GetWolgeon(1999, 11, false), "병자");
    EXPECT_EQ(GetWolgeon(2002, 1, false), "임인");
    EXPECT_EQ(GetWolgeon(2001, 12, false), "신축");
    EXPECT_EQ(GetWolgeon(2024, 2, true), "");
    EXPECT_EQ(GetWolgeon(1900, 5, true), "");
}

}  // namespace
}  // namespace almanac
