#include "calendar/SunMoonSeries.h"

#include <cmath>

#include <gtest/gtest.h>

namespace calendar {
namespace {

constexpr double kArcsec = 1.0 / 3600.0;

// Meeus, Astronomical Algorithms, example 25.b (VSOP87D Earth, no FK5).
TEST(CalendarSeries, EarthOfExample25b) {
    double lon, lat, r;
    EclipticPosition(2448908.5, kBodyEarth, false, lon, lat, r);
    EXPECT_NEAR(lon, 19.907372, 0.000002);
    EXPECT_NEAR(lat, -0.000179, 0.000001);
    EXPECT_NEAR(r, 0.99760775, 1e-8);
}

TEST(CalendarSeries, HigherOrderSeriesVanishAtJ2000) {
    for (double (*series)(double) : {EarthL1, EarthL2, EarthL3, EarthL4, EarthL5, EarthB1, EarthR1,
                                     EarthR2, EarthR3, EarthR4})
        EXPECT_EQ(series(0.0), 0.0);
    EXPECT_NE(EarthL0(0.0), 0.0);
}

// EclipticPosition groups the Earth terms by frequency; it must give the
// sums of the thirteen series.
TEST(CalendarSeries, GroupedEarthTermsEqualTheSeriesSums) {
    for (double jde : {2086306.5, 2415020.5, 2451545.0, 2460676.5, 2524593.5}) {
        const double tau = (jde - 2451545.0) / 365250.0;
        const double L = EarthL0(tau) + EarthL1(tau) + EarthL2(tau) + EarthL3(tau) + EarthL4(tau) + EarthL5(tau);
        const double B = EarthB0(tau) + EarthB1(tau);
        const double R = EarthR0(tau) + EarthR1(tau) + EarthR2(tau) + EarthR3(tau) + EarthR4(tau);
        double lon, lat, r;
        EclipticPosition(jde, kBodyEarth, false, lon, lat, r);
        EXPECT_NEAR(std::remainder(lon - L * 180 / M_PI, 360.0), 0, 1e-8);  // 0.04 mas
        EXPECT_NEAR(lat, B * 180 / M_PI, 1e-12);
        EXPECT_NEAR(r, R, 1e-14);
    }
}

// Meeus example 47.a.
TEST(CalendarSeries, MoonOfExample47a) {
    double lon, lat, dist_km;
    MoonPositionELP(2448724.5, lon, lat, dist_km);
    EXPECT_NEAR(lon * 180 / M_PI, 133.162655, 1e-6);
    EXPECT_NEAR(lat * 180 / M_PI, -3.229126, 1e-6);
    EXPECT_NEAR(dist_km, 368409.7, 0.1);
    double l2, b2, r_au;
    EclipticPosition(2448724.5, kBodyMoon, false, l2, b2, r_au);
    EXPECT_NEAR(r_au, 368409.7 / 149597870.0, 1e-9);
    EXPECT_NEAR(l2, 133.162655, 1e-6);
}

TEST(CalendarSeries, MoonTermTablesKeepThePublishedRows) {
    MoonTermArrays t;
    InitMoonTerms(t);
    EXPECT_EQ(t.lon_mp[0], 1);
    EXPECT_EQ(t.sigma_l[0], 6288774);
    EXPECT_EQ(t.sigma_r[0], -20905355);
    EXPECT_EQ(t.lon_d[59], 2);
    EXPECT_EQ(t.lon_f[59], -2);
    EXPECT_EQ(t.sigma_r[59], 8752);
    EXPECT_EQ(t.sigma_b[0], 5128122);
    EXPECT_EQ(t.lat_m[59], -2);
    EXPECT_EQ(t.sigma_b[59], 107);
}

TEST(CalendarSeries, MoonLongitudeRangeOverAYear) {
    for (double jde = 2460310.5; jde < 2460310.5 + 366; jde += 0.37) {
        double lon, lat, dist;
        MoonPositionELP(jde, lon, lat, dist);
        ASSERT_GE(lon, 0.0);
        ASSERT_LT(lon, 2 * M_PI);
        ASSERT_LT(std::fabs(lat * 180 / M_PI), 5.35);
    }
}

TEST(CalendarSeries, FK5MovesTheEarthOnlySlightlyAndNeverTheMoon) {
    for (double jde : {2415020.5, 2448908.5, 2460676.5}) {
        double l0, b0, r0, l1, b1, r1;
        EclipticPosition(jde, kBodyEarth, false, l0, b0, r0);
        EclipticPosition(jde, kBodyEarth, true, l1, b1, r1);
        EXPECT_NEAR((l1 - l0) / kArcsec, -0.09033, 0.001);
        EXPECT_LE(std::fabs(b1 - b0) / kArcsec, 0.06);
        EXPECT_EQ(r0, r1);
        EclipticPosition(jde, kBodyMoon, false, l0, b0, r0);
        EclipticPosition(jde, kBodyMoon, true, l1, b1, r1);
        EXPECT_EQ(l0, l1);
        EXPECT_EQ(b0, b1);
    }
}

}  // namespace
}  // namespace calendar
