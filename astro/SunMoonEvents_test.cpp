#include "astro/SunMoonEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "astro/SkySettings.h"

namespace astro {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

class SunMoonEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings() = SkySettings{};
        ResetPlanetState();
    }
    void TearDown() override {
        Settings() = SkySettings{};
        ResetPlanetState();
    }
};

TEST_F(SunMoonEventsTest, MarchEquinox2024) {
    // 2024 March 20, 03:06 UT (USNO, Astronomical Almanac).
    const auto ut = SolarLongitudeTime(2024, 0, 79, 0);
    ASSERT_TRUE(ut.has_value());
    EXPECT_NEAR(*ut, DateToJD(2024, 3, 20, 3, 6, 0), kMinute);
    // From either side of 0 degrees and with the zone added.
    for (double guess : {70.0, 85.0}) {
        const auto kst = SolarLongitudeTime(2024, 0, guess, 9);
        ASSERT_TRUE(kst.has_value());
        EXPECT_NEAR(*kst, *ut + 9.0 / 24, 1e-5);
    }
}

// The 24 solar terms of 2025 in Korean standard time (Korea Astronomy and
// Space Science Institute, 2025 almanac / 월력요항).
TEST_F(SunMoonEventsTest, SolarTerms2025Kst) {
    struct Term {
        const char* name;
        double target, month, day, hour, minute;
    };
    const Term terms[] = {
        {"소한", 285, 1, 5, 11, 33},   {"대한", 300, 1, 20, 5, 0},    {"입춘", 315, 2, 3, 23, 10},
        {"우수", 330, 2, 18, 19, 7},   {"경칩", 345, 3, 5, 17, 7},    {"춘분", 0, 3, 20, 18, 1},
        {"청명", 15, 4, 4, 21, 48},    {"곡우", 30, 4, 20, 4, 56},    {"입하", 45, 5, 5, 14, 57},
        {"소만", 60, 5, 21, 3, 55},    {"망종", 75, 6, 5, 18, 56},    {"하지", 90, 6, 21, 11, 42},
        {"소서", 105, 7, 7, 5, 5},     {"대서", 120, 7, 22, 22, 29},  {"입추", 135, 8, 7, 14, 51},
        {"처서", 150, 8, 23, 5, 33},   {"백로", 165, 9, 7, 17, 52},   {"추분", 180, 9, 23, 3, 19},
        {"한로", 195, 10, 8, 9, 41},   {"상강", 210, 10, 23, 12, 51}, {"입동", 225, 11, 7, 13, 4},
        {"소설", 240, 11, 22, 10, 35}, {"대설", 255, 12, 7, 6, 4},    {"동지", 270, 12, 22, 0, 3},
    };
    for (const Term& t : terms) {
        const double guess = Norm360(t.target - 280) / 0.9856;
        const auto kst = SolarLongitudeTime(2025, t.target, guess, 9);
        ASSERT_TRUE(kst.has_value()) << t.name;
        EXPECT_NEAR(*kst, DateToJD(2025, t.month, t.day, t.hour, t.minute, 0), 1.01 * kMinute) << t.name;
    }
}

TEST_F(SunMoonEventsTest, LunarPhases) {
    // USNO phases of the Moon, 2024 (UT): new 11 Jan 11:57, first quarter
    // 18 Jan 03:52, full 25 Jan 17:54.
    const auto new_moon = LunarPhaseTime(2460321.0, 0, 0);
    ASSERT_TRUE(new_moon.has_value());
    EXPECT_NEAR(*new_moon, DateToJD(2024, 1, 11, 11, 57, 0), kMinute);

    const auto full = LunarPhaseTime(*new_moon, 180, 0);
    ASSERT_TRUE(full.has_value());
    EXPECT_NEAR(*full, DateToJD(2024, 1, 25, 17, 54, 0), kMinute);

    // Target 90 from the full moon: the first quarter a week before, not the
    // one three weeks later.
    const auto quarter = LunarPhaseTime(*full, 90, 0);
    ASSERT_TRUE(quarter.has_value());
    EXPECT_NEAR(*quarter, DateToJD(2024, 1, 18, 3, 52, 0), kMinute);

    // A start that is not a number gives no value, never a time.
    EXPECT_FALSE(LunarPhaseTime(NAN, 0, 9).has_value());
    EXPECT_FALSE(SolarLongitudeTime(NAN, 0, 79, 9).has_value());

    // Within half a lunation of the start, from both sides, with the zone added.
    for (double offset : {-12.0, -5.0, 5.0, 12.0}) {
        const auto kst = LunarPhaseTime(*new_moon + offset, 0, 9);
        ASSERT_TRUE(kst.has_value()) << offset;
        EXPECT_NEAR(*kst, *new_moon + 9.0 / 24, 1e-5) << offset;
    }
}

TEST_F(SunMoonEventsTest, ApproximateSolversWithTheSkyDeltaT) {
    EXPECT_NEAR(ApproxSolarLongitudeTime(2024, 0, 79, 0), DateToJD(2024, 3, 20, 3, 6, 0), 2.5);
    EXPECT_NEAR(ApproxLunarPhaseTime(2460321.0, 0), DateToJD(2024, 1, 11, 11, 57, 0), 0.7);
}

// Eclipse tests at local Julian days of zone 9 near greatest eclipse
// (NASA eclipse catalogues, Espenak).
TEST_F(SunMoonEventsTest, Eclipses) {
    struct Solar {
        const char* name;
        double jd;
        std::uint8_t type;
        bool central;
    };
    const Solar solar[] = {
        {"2024-04-08 total", 2460409.6396, kEclipseTotal, true},
        {"2023-10-14 annular", 2460232.6215, kSolarEclipseAnnular, true},
        {"2022-10-25 partial", 2459878.3257, kEclipsePartial, false},
    };
    for (const Solar& s : solar) {
        std::uint8_t type = 99;
        bool central = !s.central;
        EXPECT_TRUE(SolarEclipseType(s.jd, type, central)) << s.name;
        EXPECT_EQ(type, s.type) << s.name;
        EXPECT_EQ(central, s.central) << s.name;
    }
    struct Lunar {
        const char* name;
        double jd;
        std::uint8_t type;
    };
    const Lunar lunar[] = {
        {"2022-11-08 total", 2459892.3347, kEclipseTotal},
        {"2024-03-25 penumbral", 2460395.1667, kLunarEclipsePenumbral},
        {"2023-10-28 partial", 2460246.725, kEclipsePartial},
    };
    for (const Lunar& l : lunar) {
        std::uint8_t type = 99;
        EXPECT_TRUE(LunarEclipseType(l.jd, type)) << l.name;
        EXPECT_EQ(type, l.type) << l.name;
    }

    // The full moon of 2024-01-25 17:54 UT passed about 5 degrees from the shadow;
    // the new moon of 2024-01-11 missed the Sun.
    std::uint8_t type = 99;
    EXPECT_FALSE(LunarEclipseType(DateToJD(2024, 1, 26, 2, 54, 0), type));
    EXPECT_EQ(type, kEclipseNone);
    // The full moon of 2021-06-24 18:40 UT (USNO), 2 degrees from the shadow
    // centre: outside the penumbra too.
    const double near_miss = DateToJD(2021, 6, 25, 3, 40, 0);
    double sl, sb, sr, ml, mb, mr;
    SunMoonGeocentric(JDToJDE(near_miss - 9.0 / 24), sl, sb, sr, ml, mb, mr);
    ASSERT_NEAR(AngularSeparation(sl + 180, -sb, ml, mb), 2.0, 0.1);
    type = 99;
    EXPECT_FALSE(LunarEclipseType(near_miss, type));
    EXPECT_EQ(type, kEclipseNone);
    bool central = true;
    EXPECT_FALSE(SolarEclipseType(DateToJD(2024, 1, 11, 20, 57, 0), type, central));
    EXPECT_EQ(type, kEclipseNone);
    EXPECT_FALSE(central);
}

// Every lunar eclipse of 2020-2030 found by astronomy-engine's eclipse search
// (astro/testdata, tools/datagen/gen_lunar_eclipses.py) gets its kind at the
// full moon, as the Moon phases window tests it; every other full moon of the
// period gets none.
TEST_F(SunMoonEventsTest, LunarEclipseKindsOf2020To2030) {
    std::ifstream in(std::string(ZU_SOURCE_DIR) + "/astro/testdata/lunar_eclipses_2020_2030.csv");
    ASSERT_TRUE(in) << "missing fixture";
    std::string line;
    std::getline(in, line);
    struct Eclipse {
        double peak_ut;
        std::uint8_t kind;
    };
    std::vector<Eclipse> eclipses;
    while (std::getline(in, line)) {
        const std::size_t comma = line.find(',');
        const std::string kind = line.substr(comma + 1);
        eclipses.push_back({std::stod(line.substr(0, comma)), kind == "total"     ? kEclipseTotal
                                                              : kind == "partial" ? kEclipsePartial
                                                                                  : kLunarEclipsePenumbral});
    }
    ASSERT_EQ(eclipses.size(), 26u);
    const double zone = Settings().timezone;
    std::size_t found = 0;
    for (double guess = DateToJD(2020, 1, 10, 0, 0, 0); guess < DateToJD(2031, 1, 1, 0, 0, 0); guess += 29.530588) {
        const std::optional<double> full = LunarPhaseTime(guess, 180, zone);
        ASSERT_TRUE(full.has_value());
        std::uint8_t type = 99;
        const bool eclipse = LunarEclipseType(*full, type);
        const Eclipse* expected = nullptr;
        for (const Eclipse& e : eclipses)
            if (std::fabs(e.peak_ut + zone / 24 - *full) < 0.5) expected = &e;
        if (expected) {
            ++found;
            EXPECT_TRUE(eclipse) << std::fixed << *full;
            EXPECT_EQ(type, expected->kind) << std::fixed << *full;
        } else {
            EXPECT_FALSE(eclipse) << std::fixed << *full;
            EXPECT_EQ(type, kEclipseNone) << std::fixed << *full;
        }
    }
    EXPECT_EQ(found, eclipses.size());
    // The two that the shadows without the atmosphere got wrong.
    std::uint8_t type = 99;
    EXPECT_TRUE(LunarEclipseType(*LunarPhaseTime(DateToJD(2021, 5, 26, 20, 0, 0), 180, zone), type));
    EXPECT_EQ(type, kEclipseTotal);
    EXPECT_TRUE(LunarEclipseType(*LunarPhaseTime(DateToJD(2027, 7, 19, 0, 0, 0), 180, zone), type));
    EXPECT_EQ(type, kLunarEclipsePenumbral);
}

TEST_F(SunMoonEventsTest, SunriseAndSunset) {
    // Goryeong (35.82 N, 128.46 E, zone 9), 2024-03-20: sunrise 06:29:49,
    // sunset 18:37:55 (KASI sunrise/sunset service).
    const double jd = DateToJD(2024, 3, 20, 0, 0, 0);
    double rise, set, transit;
    EXPECT_EQ(SunRiseSetEvents(jd, 35.82, 128.46, 1, rise, set, transit), 0);
    EXPECT_NEAR(rise, 6 + 29 / 60.0 + 49 / 3600.0, 1 / 60.0);
    EXPECT_NEAR(set, 18 + 37 / 60.0 + 55 / 3600.0, 1 / 60.0);
    EXPECT_NEAR(transit, 12 + 33.8 / 60.0, 1 / 60.0);

    // The planet-table route gives the same Sun within seconds and leaves the table alone.
    CalcPlanets(jd + 0.5);
    const PlanetTableT before = Planets().PlanetTable;
    const double jde_before = Planets().JDE;
    double p_rise, p_transit, p_set;
    PlanetRiseSet(jd, 35.82, 128.46, 0, p_rise, p_transit, p_set);
    EXPECT_NEAR(p_rise, rise, 0.5 / 60);
    EXPECT_NEAR(p_set, set, 0.5 / 60);
    EXPECT_EQ(Planets().JDE, jde_before);
    for (int n = 0; n < kPlanetCount; ++n) {
        EXPECT_EQ(Planets().PlanetTable[n].RA, before[n].RA) << n;
        EXPECT_EQ(Planets().PlanetTable[n].Dec, before[n].Dec) << n;
    }

    // At the pole itself: no division by zero; each event is an hour of the day or none.
    for (double day = 14; day <= 22; ++day) {
        SunRiseSetEvents(DateToJD(2024, 3, day, 0, 0, 0), 90, 0, 1, rise, set, transit);
        for (double event : {rise, set, transit}) EXPECT_TRUE(event == -1 || (event >= 0 && event <= 24)) << day;
    }

    // Midsummer at 60 N: the Sun rises and sets but astronomical twilight never ends.
    const double june = DateToJD(2024, 6, 21, 0, 0, 0);
    Settings().timezone = 2;
    SunRiseSetEvents(june, 60, 25, 1, rise, set, transit);
    EXPECT_GT(rise, 0);
    EXPECT_GT(set, 0);
    SunRiseSetEvents(june, 60, 25, 5, rise, set, transit);
    EXPECT_EQ(rise, -1);
    EXPECT_EQ(set, -1);
    EXPECT_GT(transit, 0);
}

}  // namespace
}  // namespace astro
