#include "calendar/SunMoonSolvers.h"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/MeanSunMoon.h"

namespace calendar {
namespace {

constexpr double kZoneKST = 9;

double Kst(int y, int mo, int d, int h, int mi, int s) { return JulianDay(y, mo, d, h, mi, s); }

// The 24 solar terms of 2024 in KST from an independent ephemeris (the
// Korea Astronomy and Space Science Institute almanac agrees to the minute).
TEST(CalendarSolvers, SolarTermsOf2024) {
    struct Term { int mo, d, h, mi, s; } terms[24] = {
        {1, 6, 5, 49, 9},    {1, 20, 23, 7, 7},   {2, 4, 17, 26, 56},  {2, 19, 13, 13, 0},
        {3, 5, 11, 22, 38},  {3, 20, 12, 6, 17},  {4, 4, 16, 2, 13},   {4, 19, 22, 59, 44},
        {5, 5, 9, 10, 4},    {5, 20, 21, 59, 32}, {6, 5, 13, 9, 56},   {6, 21, 5, 51, 3},
        {7, 6, 23, 20, 6},   {7, 22, 16, 44, 28}, {8, 7, 9, 9, 18},    {8, 22, 23, 55, 3},
        {9, 7, 12, 11, 20},  {9, 22, 21, 43, 37}, {10, 8, 3, 59, 53},  {10, 23, 7, 14, 38},
        {11, 7, 7, 19, 54},  {11, 22, 4, 56, 18}, {12, 7, 0, 16, 49},  {12, 21, 18, 20, 20}};
    for (int k = 0; k < 24; ++k) {
        const double target = std::fmod(285.0 + 15 * k, 360.0);
        const SolverResult r = SolarLongitudeSearch(2024, target, 15 * k + 5, kZoneKST);
        const Term& t = terms[k];
        EXPECT_NEAR((r.jd_local - Kst(2024, t.mo, t.d, t.h, t.mi, t.s)) * 86400, 0, 60) << "term " << k;
        EXPECT_LE(r.passes, 51);
        EXPECT_GE(r.passes, 1);
    }
    EXPECT_NEAR((SolarLongitudeTime(2023, 270, 350, kZoneKST) - Kst(2023, 12, 22, 12, 27, 9)) * 86400, 0, 60);
}

TEST(CalendarSolvers, ZoneIsAddedToUniversalTime) {
    const double ut = SolarLongitudeTime(2024, 0, 80, 0);
    EXPECT_NEAR(SolarLongitudeTime(2024, 0, 80, kZoneKST) - ut, 0.375, 1e-9);
}

TEST(CalendarSolvers, NewMoonsAtOrBeforeTheStart) {
    struct Case { const char* name; int y, mo, d, h, mi, s; } cases[] = {
        {"2024 January", 2024, 1, 11, 20, 57, 21},  {"2024 April", 2024, 4, 9, 3, 20, 48},
        {"2024 October", 2024, 10, 3, 3, 49, 13},   {"1997 after midnight", 1997, 2, 8, 0, 6, 15},
        {"2005 after midnight", 2005, 12, 2, 0, 0, 53}};
    for (const Case& c : cases) {
        const double expected = Kst(c.y, c.mo, c.d, c.h, c.mi, c.s);
        // From a start 10 days after the new moon (UT) the one before is found.
        const double found = LunarPhaseTime(expected - kZoneKST / 24 + 10, 0, kZoneKST);
        EXPECT_NEAR((found - expected) * 86400, 0, 90) << c.name;
        // The civil day stays right for the two just after midnight.
        EXPECT_EQ(std::floor(found + 0.5), std::floor(expected + 0.5)) << c.name;
    }
}

TEST(CalendarSolvers, PhasesOtherThanNewMoonGoTheSignedWay) {
    const double full = LunarPhaseTime(JulianDay(2024, 1, 20, 0, 0, 0), 180, kZoneKST);
    EXPECT_NEAR((full - Kst(2024, 1, 26, 2, 53, 57)) * 86400, 0, 90);
    const double full_ut = full - kZoneKST / 24;
    EXPECT_NEAR((LunarPhaseTime(full_ut, 90, kZoneKST) - Kst(2024, 1, 18, 12, 52, 0)) * 86400, 0, 120);
    EXPECT_NEAR((LunarPhaseTime(full_ut, 270, kZoneKST) - Kst(2024, 2, 3, 8, 17, 57)) * 86400, 0, 90);
}

TEST(CalendarSolvers, FirstGuessDriftsBefore1582) {
    // The first guess moves 4 days in year 1000 and 20 in -1000; the solvers
    // still converge on the solstice within the pass limit.
    EXPECT_EQ(astro::SolarLongitudeDayGuess(1000, 350), 354);
    EXPECT_EQ(astro::SolarLongitudeDayGuess(-1000, 350), 370);
    EXPECT_EQ(astro::SolarLongitudeDayGuess(1582, 350), 350);
    for (double year : {1000.0, -1000.0}) {
        const SolverResult r = SolarLongitudeSearch(year, 270, 350, kZoneKST);
        EXPECT_LE(r.passes, 51);
        double y, m, d, h, mi, s;
        JDToCalendar(r.jd_local, y, m, d, h, mi, s);
        EXPECT_EQ(y, year);
        EXPECT_EQ(m, 12);
    }
}

}  // namespace
}  // namespace calendar
