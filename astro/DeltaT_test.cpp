#include "astro/DeltaT.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/JulianDay.h"

namespace astro {
namespace {

double Correction(double y) { return -0.238972928 * std::pow((y - 1955) / 100, 2); }

// Espenak & Meeus polynomial expressions for Delta T (NASA Five Millennium
// Canon): the first term of each row at its first year, plus the lunar
// correction that every row carries.
TEST(DeltaT, RowBoundariesTakeTheRowThatBeginsThere) {
    struct Case {
        double y, first_term;
    };
    const Case cases[] = {
        {1600, 120},   {1700, 8.83},  {1800, 13.72}, {1860, 7.62},  {1900, -2.79},
        {1920, 21.20}, {1986, 63.86 + 0.3345 * -14 - 0.060374 * 196 + 0.0017275 * -2744 + 0.000651814 * 38416 + 0.00002373599 * -537824},
        {2005, 62.92 + 0.32217 * 5 + 0.005589 * 25},
        {2150, -20 + 32 * std::pow((2150 - 1820) / 100.0, 2)},
    };
    for (const Case& c : cases) EXPECT_NEAR(DeltaTForDecimalYear(c.y), c.first_term + Correction(c.y), 1e-9) << c.y;
    // 1941 and 1961 start rows whose t is counted from 1950 and 1975.
    EXPECT_NEAR(DeltaTForDecimalYear(1941), 29.07 + 0.407 * -9 - 81 / 233.0 + -729 / 2547.0 + Correction(1941), 1e-9);
    EXPECT_NEAR(DeltaTForDecimalYear(1961), 45.45 + 1.067 * -14 - 196 / 260.0 + 2744 / 718.0 + Correction(1961), 1e-9);
    EXPECT_NEAR(DeltaTForDecimalYear(2050), -20 + 32 * std::pow(2.3, 2) - 0.5628 * 100 + Correction(2050), 1e-9);
    // -500 and 500 start rows in u = y/100 and u = (y - 1000)/100 (u = -5 both times);
    // the neighbouring rows give values a few hundredths of a second away.
    EXPECT_NEAR(DeltaTForDecimalYear(-500),
                10583.6 - 1014.41 * -5 + 33.78311 * 25 - 5.952053 * -125 - 0.1798452 * 625 + 0.022174192 * -3125 +
                    0.0090316521 * 15625 + Correction(-500),
                1e-7);
    EXPECT_NEAR(DeltaTForDecimalYear(500),
                1574.2 - 556.01 * -5 + 71.23472 * 25 + 0.319781 * -125 - 0.8503463 * 625 - 0.005050998 * -3125 +
                    0.0083572073 * 15625 + Correction(500),
                1e-7);
}

TEST(DeltaT, ReferenceValues) {
    EXPECT_NEAR(ComputedDeltaT(DateToJD(2000, 1, 1, 0, 0, 0)), 63.826, 0.001);
    // Observed Delta T (IERS): 29.1 s in 1950.0, 50.5 s in 1980.0.
    EXPECT_NEAR(ComputedDeltaT(DateToJD(1950, 1, 1, 0, 0, 0)), 29.1, 0.5);
    EXPECT_NEAR(ComputedDeltaT(DateToJD(1980, 1, 1, 0, 0, 0)), 50.5, 0.5);
    for (double y = -4712; y <= 9999; y += 101) EXPECT_TRUE(std::isfinite(ComputedDeltaT(DateToJD(y, 6, 1, 0, 0, 0))));
}

TEST(DeltaT, UserValueReplacesTheComputedOneExactly) {
    const double jd = 2460375.123456789;
    EXPECT_EQ(JDToJDE(jd, DeltaTChoice{true, 0.0}), jd);
    EXPECT_EQ(JDToJDE(jd, DeltaTChoice{true, 86.4}), jd + 0.001);
    EXPECT_NEAR(JDToJDE(jd, DeltaTChoice{false, 0.0}), jd + ComputedDeltaT(jd) / 86400.0, 1e-12);
}

TEST(MeanObliquity, Laskar) {
    EXPECT_EQ(MeanObliquity(2451545.0), 23.439291111);
    // Meeus example 22.a: 1987 April 10, 0h TD: eps0 = 23 26' 27.407".
    EXPECT_NEAR(MeanObliquity(2446895.5), 23 + 26 / 60.0 + 27.407 / 3600.0, 0.001 / 3600.0);
}

}  // namespace
}  // namespace astro
