#include "calendar/LunarYear.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "almanac/LunarCalendar.h"
#include "calendar/TideAndGanzhi.h"
#include "calendar/TimeBase.h"
#include "calendar/VuCalendarServices.h"

namespace calendar {
namespace {

constexpr double kKST = 9;

LunarMonthTable Prepared(double year, double zone_h = kKST) {
    LunarMonthTable t;
    PrepareLunarYear(JulianDay(year, 1, 1, 12), zone_h, SetEraRules(static_cast<std::int16_t>(year)),
                     CalendarServicesOfVu(), t);
    return t;
}

int EntryCount(const LunarMonthTable& t) {
    int n = 0;
    while (n < kLunarMonthSlots && t.slot[n].StartJD != 0) ++n;
    return n;
}

void ExpectSound(const LunarMonthTable& t, const char* name) {
    const int n = EntryCount(t);
    ASSERT_GE(n, 20) << name;
    for (int i = 0; i + 1 < n; ++i) {
        EXPECT_LT(t.slot[i].StartJD, t.slot[i + 1].StartJD) << name << " slot " << i;
        EXPECT_TRUE(t.slot[i].Days == 29 || t.slot[i].Days == 30) << name << " slot " << i;
        EXPECT_GE(t.slot[i].Month, 1) << name;
        EXPECT_LE(t.slot[i].Month, 12) << name;
    }
    for (int i = n; i < kLunarMonthSlots; ++i) EXPECT_EQ(t.slot[i].StartJD, 0) << name;
}

TEST(CalendarLunarYear, EraRules) {
    struct Case { std::int16_t year; bool mean_sun, mean_moon, jinsak; } cases[] = {
        {618, true, true, false},   {619, true, false, false},  {664, true, false, false},
        {665, true, false, true},   {1280, true, false, true},  {1281, true, false, false},
        {1644, true, false, false}, {1645, false, false, false}, {-500, true, true, false}};
    for (const Case& c : cases) {
        const EraRules r = SetEraRules(c.year);
        EXPECT_EQ(r.MeanSun, c.mean_sun) << c.year;
        EXPECT_EQ(r.MeanMoon, c.mean_moon) << c.year;
        EXPECT_EQ(r.Jinsak, c.jinsak) << c.year;
    }
}

TEST(CalendarLunarYear, TableSizesAndLeapMonths) {
    EXPECT_EQ(EntryCount(Prepared(2024)), 21);
    EXPECT_EQ(EntryCount(Prepared(2025)), 22);
    struct Leap { int y, m, d; std::uint8_t month; } leaps[] = {
        {2012, 4, 21, 3}, {2017, 6, 24, 5}, {2020, 5, 23, 4}, {2023, 3, 22, 2}, {2025, 7, 25, 6},
        {2033, 12, 22, 11}};
    for (const Leap& l : leaps) {
        const LunarMonthTable t = Prepared(l.y);
        std::int16_t year = 0, leap = 0;
        std::uint8_t month = 0, day = 0;
        const double jd = JulianDay(l.y, l.m, l.d, 12);
        ASSERT_TRUE(GetLunarDate(t, jd, year, month, day, leap)) << l.y;
        EXPECT_EQ(leap, kTrue) << l.y;
        EXPECT_EQ(month, l.month) << l.y;
        EXPECT_EQ(day, 1) << l.y;
        ASSERT_TRUE(GetLunarDate(t, jd - 1, year, month, day, leap));
        EXPECT_EQ(leap, 0) << l.y;
        EXPECT_EQ(month, l.month) << l.y;
    }
}

TEST(CalendarLunarYear, ChinaZoneGivesOtherMonths) {
    std::int16_t year = 0, leap = 0;
    std::uint8_t month = 0, day = 0;
    ASSERT_TRUE(GetLunarDate(Prepared(2017, 8), JulianDay(2017, 7, 23, 12), year, month, day, leap));
    EXPECT_EQ(month, 6);
    EXPECT_EQ(day, 1);
    EXPECT_EQ(leap, kTrue);
    for (auto [y, m, d] : {std::array<int, 3>{2027, 2, 6}, {1997, 2, 7}}) {
        ASSERT_TRUE(GetLunarDate(Prepared(y, 8), JulianDay(y, m, d, 12), year, month, day, leap)) << y;
        EXPECT_EQ(year, y);
        EXPECT_EQ(month, 1);
        EXPECT_EQ(day, 1);
        EXPECT_EQ(leap, 0);
    }
}

struct OfficialMonth {
    double start_jd;  // noon of the first day
    int year, month;
    bool leap;
};

// The Korean lunar months of npm korean-lunar-calendar (the official table
// of the Korea Astronomy and Space Science Institute), one line per month:
// almanac/testdata/korean_lunar_months.csv.
std::vector<OfficialMonth> OfficialMonths() {
    std::ifstream in(std::string(ZU_SOURCE_DIR) + "/almanac/testdata/korean_lunar_months.csv");
    std::vector<OfficialMonth> months;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        int y, m, d, ly, lm, leap;
        if (std::sscanf(line.c_str(), "%d-%d-%d,%d,%d,%d", &y, &m, &d, &ly, &lm, &leap) == 6)
            months.push_back({JulianDay(y, m, d, 12), ly, lm, leap != 0});
    }
    return months;
}

TEST(CalendarLunarYear, EveryDayFrom1913To2050MatchesTheOfficialTable) {
    const std::vector<OfficialMonth> months = OfficialMonths();
    ASSERT_GT(months.size(), 1800u);
    std::size_t m = 0;
    int mismatches = 0;
    for (int y = 1913; y <= 2050; ++y) {
        const LunarMonthTable t = Prepared(y, kKST);
        for (double jd = JulianDay(y, 1, 1, 12); jd < JulianDay(y + 1, 1, 1, 12); jd += 1) {
            while (m + 1 < months.size() && months[m + 1].start_jd <= jd) ++m;
            const OfficialMonth& o = months[m];
            std::int16_t year = 0, leap = 0;
            std::uint8_t month = 0, day = 0;
            const bool found = GetLunarDate(t, jd, year, month, day, leap);
            const bool same = found && year == o.year && month == o.month && (leap == kTrue) == o.leap &&
                              day == jd - o.start_jd + 1;
            if (!same && ++mismatches <= 10) ADD_FAILURE() << "day " << FormatDateKorean(jd);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(CalendarLunarYear, EveryDayOf2024AgreesWithTheSharedConverter) {
    const LunarMonthTable t = Prepared(2024);
    const almanac::CalendarServices services = CalendarServicesOfVu();
    const almanac::LunisolarRules rules = SetEraRules(2024);
    for (double jd = JulianDay(2024, 1, 1, 12); jd <= JulianDay(2024, 12, 31, 12); jd += 1) {
        std::int16_t year = 0, leap = 0;
        std::uint8_t month = 0, day = 0;
        ASSERT_TRUE(GetLunarDate(t, jd, year, month, day, leap)) << jd;
        const std::optional<almanac::LunarDate> shared = almanac::SolarToLunar(jd, kKST, rules, services);
        ASSERT_TRUE(shared) << jd;
        EXPECT_EQ(shared->year, year) << jd;
        EXPECT_EQ(shared->month, month) << jd;
        EXPECT_EQ(shared->day, day) << jd;
        EXPECT_EQ(shared->leap, leap == kTrue) << jd;
        double back = 0;
        ASSERT_TRUE(LunarMonthJD(t, year, month, day, leap, back));
        EXPECT_EQ(back, jd);
        if (day == 1 || day == 15) {
            const std::optional<double> solar = almanac::LunarToSolar(*shared, kKST, rules, services);
            ASSERT_TRUE(solar) << jd;
            EXPECT_EQ(*solar, jd);
        }
    }
}

TEST(CalendarLunarYear, FarYearsStayOrdered) {
    for (double year : {-9999.0, 0.0, 32000.0}) {
        const std::string name = std::to_string(static_cast<int>(year));
        ExpectSound(Prepared(year), name.c_str());
    }
}

TEST(CalendarLunarYear, LookupsOutsideTheTable) {
    const LunarMonthTable t = Prepared(2024);
    std::int16_t year = 7, leap = 7;
    std::uint8_t month = 7, day = 7;
    EXPECT_FALSE(GetLunarDate(t, JulianDay(2020, 1, 1, 12), year, month, day, leap));
    EXPECT_FALSE(GetLunarDate(t, JulianDay(2030, 1, 1, 12), year, month, day, leap));
    EXPECT_EQ(year, 7);
    EXPECT_EQ(month, 7);
    EXPECT_EQ(day, 7);
    EXPECT_EQ(leap, 7);
    double jd = 5;
    EXPECT_FALSE(LunarMonthJD(t, 2030, 1, 1, 0, jd));
    EXPECT_EQ(jd, 0);
    EXPECT_FALSE(LunarMonthJD(t, 2024, 1, 1, 1, jd));  // leap must be -1 or 0
    EXPECT_TRUE(LunarMonthJD(t, 2024, 1, 1, 0, jd));
    EXPECT_EQ(jd, JulianDay(2024, 2, 10, 12));
    double days = 0;
    EXPECT_TRUE(LunarMonthDays(t, 2024, 1, 0, days));
    EXPECT_TRUE(days == 29 || days == 30);
    EXPECT_FALSE(LunarMonthDays(t, 2024, 4, kTrue, days));
    EXPECT_EQ(IsThirtyDayMonth(t, 2024, 1, 0), days == 30);
    EXPECT_EQ(TideDayName(t, 2024, 1, 29, 0, 0), days == 30 ? "배꼽사리" : "배꼽-가슴사리");
}

// Stub new moons at 18:00:00 or 17:59:00 local time (a fixed 29.5-day grid)
// with the calendar's own principal terms.
almanac::CalendarServices GridMoons(double first_new_moon_local, double zone_h) {
    almanac::CalendarServices s = CalendarServicesOfVu();
    s.LunarPhaseTime = [first_new_moon_local, zone_h](double t_ut, double, double zone) -> std::optional<double> {
        const double local_grid = first_new_moon_local - zone_h / 24;
        const double n = std::floor((t_ut - local_grid) / 29.5);
        return local_grid + 29.5 * n + zone / 24;
    };
    s.ApproxLunarPhaseTime = [lunar = s.LunarPhaseTime](double t_ut, double zone) {
        return *lunar(t_ut, 0, zone);
    };
    return s;
}

TEST(CalendarLunarYear, JinsakMovesAnEveningNewMoonToTheNextDay) {
    struct Case { int minute; bool mean_moon, jinsak; int first_day; } cases[] = {
        {0, false, true, 11}, {0, false, false, 10}, {-1, false, true, 10}, {-1, false, false, 10},
        {0, true, true, 10}};  // with mean new moons the rule does not act
    for (const Case& c : cases) {
        // A grid new moon on 2024-03-10 at 18:00:00 (or 17:59:00) KST.
        const double moon = JulianDay(2024, 3, 10, 18, c.minute, 0);
        LunarMonthTable t;
        ASSERT_TRUE(CalcYearMonths(JulianDay(2024, 6, 1, 12), kKST, {false, c.mean_moon, c.jinsak},
                                   GridMoons(moon, kKST), t));
        bool found = false;
        for (const LunarMonthRecord& r : t.slot)
            if (std::fabs(r.StartJD - JulianDay(2024, 3, 10, 12)) < 2) {
                EXPECT_EQ(r.StartJD, JulianDay(2024, 3, c.first_day, 12)) << c.minute << " " << c.jinsak;
                found = true;
            }
        EXPECT_TRUE(found);
    }
}

TEST(CalendarLunarYear, FailingSolverLeavesAnEmptyTable) {
    almanac::CalendarServices s = CalendarServicesOfVu();
    s.LunarPhaseTime = [](double, double, double) -> std::optional<double> { return std::nullopt; };
    LunarMonthTable t;
    t.slot[0].StartJD = 1;
    EXPECT_FALSE(CalcYearMonths(JulianDay(2024, 1, 1, 12), kKST, {}, s, t));
    EXPECT_EQ(EntryCount(t), 0);
    s.LunarPhaseTime = [](double t_ut, double, double) -> std::optional<double> { return t_ut - 2000; };
    EXPECT_FALSE(CalcYearMonths(JulianDay(2024, 1, 1, 12), kKST, {}, s, t));
    EXPECT_EQ(EntryCount(t), 0);
}

}  // namespace
}  // namespace calendar
