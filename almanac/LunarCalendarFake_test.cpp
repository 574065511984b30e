// The lunisolar rules on made-up skies: principal terms and new moons come
// from tables, so each leap case and each boundary is laid out day by day.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "almanac/LunarCalendar.h"
#include "astro/JulianDay.h"

namespace almanac {
namespace {

// Window year 2001 opens with the winter solstice on day kW (2000-12-21).
const double kW = astro::DateToJD(2000, 12, 21, 12, 0, 0);
constexpr double kTropicalYear = 365.2422;
constexpr double kSynodicMonth = 29.5306;
constexpr double kMomentInDay = 0.1;  // a moment 02:24 local into its day

class FakeSky {
public:
    explicit FakeSky(double zone_h = 0.0) : zone_h_(zone_h) {
        // Principal terms every twelfth of a year, 270 degrees at kW.
        for (int j = -40; j <= 80; ++j) SetTerm(j, kW + std::round(kTropicalYear / 12 * j));
    }
    // Term j after the opening solstice falls on a given day.
    void SetTerm(int j, double day) {
        terms_[j] = {std::fmod(270.0 + 30.0 * j + 3600.0, 360.0), day + kMomentInDay};
    }
    // Months of kSynodicMonth (rounded to days) starting on `day`, both ways.
    void UniformMoons(double day) {
        for (int k = -20; k <= 40; ++k) moons_.push_back(day + std::round(kSynodicMonth * k) + kMomentInDay);
    }
    void SetMoons(std::vector<double> days) {
        for (double d : days) moons_.push_back(d + kMomentInDay);
    }
    // The new moon of `day` falls at this local fraction of the day instead.
    void MoveMoon(double day, double fraction_of_day) {
        for (double& m : moons_)
            if (std::floor(m) == day) m = day - 0.5 + fraction_of_day;
    }

    bool fail_sun = false, fail_moon = false;

    CalendarServices Services() const {
        CalendarServices s;
        s.DateToJD = CoreDateToJD;
        s.JDToDate = CoreJDToDate;
        s.SolarLongitudeTime = [this](double year, double lon, double guess, double zone) -> std::optional<double> {
            if (fail_sun) return std::nullopt;
            return SunAt(year, lon, guess) + zone / 24.0;
        };
        s.ApproxSolarLongitudeTime = [this](double year, double lon, double guess, double zone) {
            return SunAt(year, lon, guess) + zone / 24.0;
        };
        s.LunarPhaseTime = [this](double guess, double, double zone) -> std::optional<double> {
            if (fail_moon) return std::nullopt;
            return MoonNear(guess) + zone / 24.0;
        };
        s.ApproxLunarPhaseTime = [this](double guess, double zone) { return MoonNear(guess) + zone / 24.0; };
        return s;
    }

private:
    // Tables hold local moments; the solvers give UT.
    double SunAt(double year, double lon, double guess) const {
        const double start = astro::DateToJD(year, 1, 0, 0, 0, 0) + guess;
        double best = 1e12;
        for (const auto& [j, term] : terms_)
            if (term.first == lon && std::fabs(term.second - start) < std::fabs(best - start)) best = term.second;
        return best - zone_h_ / 24.0;
    }
    double MoonNear(double guess) const {
        double best = 1e12;
        for (double m : moons_)
            if (std::fabs(m - guess) < std::fabs(best - guess)) best = m;
        return best - zone_h_ / 24.0;
    }

    double zone_h_;
    std::map<int, std::pair<double, double>> terms_;
    std::vector<double> moons_;
};

std::string Text(const std::optional<LunarDate>& d) {
    if (!d) return "none";
    return std::to_string(d->year) + "/" + (d->leap ? "윤" : "") + std::to_string(d->month) + "/" +
           std::to_string(d->day);
}

std::string Convert(const FakeSky& sky, double day, LunisolarRules rules = {}, double zone = 0.0) {
    return Text(SolarToLunar(day, zone, rules, sky.Services()));
}

std::vector<double> Before(double first_day) {
    std::vector<double> days;
    for (int k = 20; k >= 1; --k) days.push_back(first_day - std::round(kSynodicMonth * k));
    return days;
}

std::vector<double> From(double first_day, int count = 40) {
    std::vector<double> days;
    for (int k = 0; k < count; ++k) days.push_back(first_day + std::round(kSynodicMonth * k));
    return days;
}

TEST(LunarCalendarFakeTest, LeapEleventhMonthCaseC) {
    // The month after the solstice's month holds no term: it repeats 11.
    FakeSky sky;
    std::vector<double> moons = Before(kW - 28);
    moons.push_back(kW - 28);
    moons.push_back(kW + 1);
    for (double d : From(kW + 30)) moons.push_back(d);
    sky.SetMoons(moons);
    EXPECT_EQ(Convert(sky, kW), "2000/11/29");
    EXPECT_EQ(Convert(sky, kW + 1), "2000/윤11/1");
    EXPECT_EQ(Convert(sky, kW + 30), "2000/12/1");  // 대한 on the new moon's day
    EXPECT_EQ(Convert(sky, kW + 60), "2001/1/1");
}

TEST(LunarCalendarFakeTest, LeapTwelfthMonthCaseD) {
    FakeSky sky;
    std::vector<double> moons = Before(kW - 27);
    for (double d : {kW - 27, kW + 2, kW + 31}) moons.push_back(d);
    for (double d : From(kW + 61)) moons.push_back(d);
    sky.SetMoons(moons);
    EXPECT_EQ(Convert(sky, kW + 2), "2000/12/1");
    EXPECT_EQ(Convert(sky, kW + 31), "2000/윤12/1");
    EXPECT_EQ(Convert(sky, kW + 61), "2001/1/1");  // 우수 on the new moon's day
}

TEST(LunarCalendarFakeTest, LeapMonthLaterCaseB) {
    // Months from kW + 5: the sixth after the solstice's month (kW + 153 ..
    // kW + 181) is the first without a term.
    FakeSky sky;
    sky.UniformMoons(kW + 5);
    EXPECT_EQ(Convert(sky, kW + 5), "2000/12/1");
    EXPECT_EQ(Convert(sky, kW + 35), "2001/1/1");
    EXPECT_EQ(Convert(sky, kW + 152), "2001/4/30");
    EXPECT_EQ(Convert(sky, kW + 153), "2001/윤4/1");
    EXPECT_EQ(Convert(sky, kW + 182), "2001/5/1");
    EXPECT_EQ(Convert(sky, kW + 359), "2001/11/1");
    const std::optional<WindowYearMonths> window = LunarMonthsOfWindowYear(2001, 0.0, {}, sky.Services());
    ASSERT_TRUE(window.has_value());
    ASSERT_EQ(window->months.size(), 14u);
    EXPECT_EQ(window->months.front(), (LunarMonth{kW - 25, 2000, 11, false}));
    EXPECT_EQ(window->months[6], (LunarMonth{kW + 153, 2001, 4, true}));
    EXPECT_EQ(window->months.back(), (LunarMonth{kW + 359, 2001, 11, false}));
    EXPECT_EQ(window->end_day, kW + 389);
}

TEST(LunarCalendarFakeTest, SolsticeMonthIsEleventhWhateverElseItHolds) {
    {
        FakeSky sky;  // 동지 and 대한 in one month
        sky.SetTerm(1, kW + 20);
        sky.UniformMoons(kW - 5);
        EXPECT_EQ(Convert(sky, kW), "2000/11/6");
        EXPECT_EQ(Convert(sky, kW + 25), "2000/12/1");
    }
    {
        FakeSky sky;  // 소설 and 동지 in one month
        std::vector<double> moons = Before(kW - 29);
        moons.push_back(kW - 29);
        for (double d : From(kW + 1)) moons.push_back(d);
        sky.SetMoons(moons);
        EXPECT_EQ(Convert(sky, kW - 29), "2000/11/1");
        EXPECT_EQ(Convert(sky, kW), "2000/11/30");
    }
}

TEST(LunarCalendarFakeTest, JinsakAtSixInTheEvening) {
    // Months from kW - 5; the new moon of kW + 113 (month 3) is moved to
    // 17:59:59 or 18:00:00 local time, zone 9.
    const double day = kW + 113;
    LunisolarRules jinsak;
    jinsak.Jinsak = true;
    LunisolarRules mean_jinsak = jinsak;
    mean_jinsak.MeanMoon = true;
    {
        FakeSky sky(9.0);
        sky.UniformMoons(kW - 5);
        sky.MoveMoon(day, 0.75 - 1.0 / 86400);
        EXPECT_EQ(Convert(sky, day, jinsak, 9.0), "2001/3/1");
    }
    {
        FakeSky sky(9.0);
        sky.UniformMoons(kW - 5);
        sky.MoveMoon(day, 0.75);
        EXPECT_EQ(Convert(sky, day, jinsak, 9.0), "2001/2/30");
        EXPECT_EQ(Convert(sky, day + 1, jinsak, 9.0), "2001/3/1");
        EXPECT_EQ(Convert(sky, day, {}, 9.0), "2001/3/1");
        EXPECT_EQ(Convert(sky, day, mean_jinsak, 9.0), "2001/3/1");
    }
}

TEST(LunarCalendarFakeTest, NoValueWhenTheMonthsFitNoRule) {
    {
        FakeSky sky;  // 14 months between the solstices
        std::vector<double> moons;
        for (int k = -20; k <= 20; ++k) moons.push_back(kW - 20 + 27.0 * k);
        sky.SetMoons(moons);
        EXPECT_EQ(Convert(sky, kW + 10), "none");
        EXPECT_FALSE(LunarMonthsOfWindowYear(2001, 0.0, {}, sky.Services()).has_value());
    }
    {
        FakeSky sky;  // 13 months, neither month after the solstice's holds a term
        sky.SetTerm(1, kW + 3);
        sky.SetTerm(2, kW + 70);
        sky.UniformMoons(kW + 5);
        EXPECT_EQ(Convert(sky, kW + 10), "none");
    }
}

TEST(LunarCalendarFakeTest, NoValueWhenASolverFails) {
    for (bool sun : {true, false}) {
        FakeSky sky;
        sky.UniformMoons(kW - 5);
        ASSERT_EQ(Convert(sky, kW), "2000/11/6");
        sky.fail_sun = sun;
        sky.fail_moon = !sun;
        EXPECT_EQ(Convert(sky, kW), "none");
        EXPECT_FALSE(LunarToSolar({2001, 3, 1, false}, 0.0, {}, sky.Services()).has_value());
        EXPECT_FALSE(CalcPrincipalTerms(kW, 0.0, false, sky.Services()) && sun);
    }
}

TEST(LunarCalendarFakeTest, RoundTripEveryDayOfTheWindowYear) {
    FakeSky sky;
    sky.UniformMoons(kW + 5);
    for (double day = kW; day <= kW + 365; day += 1) {
        const std::optional<LunarDate> lunar = SolarToLunar(day, 0.0, {}, sky.Services());
        ASSERT_TRUE(lunar.has_value()) << day;
        EXPECT_EQ(LunarToSolarStrict(*lunar, 0.0, {}, sky.Services()), day) << Text(lunar);
    }
}

TEST(LunarCalendarFakeTest, BadInputGivesNoValue) {
    FakeSky sky;
    sky.UniformMoons(kW + 5);
    EXPECT_EQ(Convert(sky, std::nan("")), "none");
    EXPECT_EQ(Convert(sky, 1e300), "none");
    EXPECT_FALSE(LunarToSolar({2147483647, 1, 1, false}, 0.0, {}, sky.Services()).has_value());
    EXPECT_FALSE(LunarToSolar({2001, 13, 1, false}, 0.0, {}, sky.Services()).has_value());
    EXPECT_FALSE(CalcPrincipalTerms(std::nan(""), 0.0, false, sky.Services()));
    EXPECT_EQ(GetWolgeon(-2147483647 - 1, 1, false).size(), 6u);
    EXPECT_EQ(GetWolgeon(2001, 0, false), "");
    EXPECT_EQ(GetWolgeon(2001, 13, false), "");
}

TEST(ZoneRuleTest, KoreanRuleFollowsTheMoment) {
    const ZoneRule korean = ZoneRule::Korean();
    EXPECT_EQ(korean.HoursAt(kKoreanZoneChangeJdUt - 1e-6), 8.0);
    EXPECT_EQ(korean.HoursAt(kKoreanZoneChangeJdUt), 9.0);
    EXPECT_NEAR(kKoreanZoneChangeJdUt, astro::DateToJD(1912, 1, 1, 0, 0, 0) - 8.0 / 24, 1e-9);
    const ZoneRule fixed = 7.5;
    EXPECT_EQ(fixed.HoursAt(0), 7.5);
    EXPECT_FALSE(fixed.IsKorean());
    EXPECT_DOUBLE_EQ(fixed.ToLocal(2451545.0), 2451545.0 + 7.5 / 24);
}

}  // namespace
}  // namespace almanac
