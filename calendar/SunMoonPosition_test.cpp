#include "calendar/SunMoonPosition.h"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/Coordinates.h"
#include "calendar/Nutation.h"

namespace calendar {
namespace {

TEST(CalendarNutation, AtJ2000) {
    double dpsi, deps;
    Nutation(2451545.0, dpsi, deps);
    EXPECT_NEAR(dpsi, -14.03, 0.01);
    EXPECT_NEAR(deps, -5.76, 0.01);
}

TEST(CalendarNutation, EclipticConversionsKeepTheirRanges) {
    double ra, dec, lon, lat;
    astro::EclipticToEquatorial(270, 0, 23.44, ra, dec);
    EXPECT_NEAR(ra, -90, 1e-9);
    EXPECT_NEAR(dec, -23.44, 1e-9);
    astro::EquatorialToEcliptic(90, 0, 23.44, lon, lat);
    EXPECT_NEAR(lon, 90, 1e-9);
    EXPECT_NEAR(lat, -23.44, 1e-9);
}

TEST(CalendarSunMoon, EclipticRecordTakesTheDispatcherCode) {
    EclipticRecord r{2448908.5, 0, 0, 0, kCallerEarth};
    SunMoonEcliptic(r);
    EXPECT_EQ(r.body, 2);
    EXPECT_NEAR(r.lon_rad * 180 / M_PI, 19.907372 - 0.09033 / 3600, 2e-6);
    r.body = kCallerMoon;
    SunMoonEcliptic(r);
    EXPECT_EQ(r.body, 9);
    EXPECT_LT(r.radius_au, 0.003);
}

TEST(CalendarSunMoon, IlluminatedFraction) {
    double ra, dec;
    float fraction;
    SunMoonRaDec(kRaDecSun, JulianDay(2024, 4, 9, 3, 20, 48), 9, ra, dec, fraction);
    EXPECT_EQ(fraction, 1.0f);
    EXPECT_GE(ra, 0);
    EXPECT_LT(ra, 360);
    SunMoonRaDec(kRaDecMoon, JulianDay(2024, 4, 9, 3, 20, 48), 9, ra, dec, fraction);
    EXPECT_LT(fraction, 0.001f);
    SunMoonRaDec(kRaDecMoon, JulianDay(2024, 3, 25, 16, 0, 0), 9, ra, dec, fraction);
    EXPECT_GT(fraction, 0.999f);
    // Any other code gives the Sun.
    SunMoonRaDec(5, JulianDay(2024, 3, 25, 16, 0, 0), 9, ra, dec, fraction);
    EXPECT_EQ(fraction, 1.0f);
    // Near the March equinox the Sun stands near RA 0 and declination 0.
    SunMoonRaDec(kRaDecSun, JulianDay(2024, 3, 20, 12, 6, 17), 9, ra, dec, fraction);
    EXPECT_NEAR(astro::AngleDistance(ra, 0), 0, 0.01);
    EXPECT_NEAR(dec, 0, 0.01);
}

TEST(CalendarSunMoon, LinearInterpHitsItsEnds) {
    EXPECT_EQ(LinearInterp(1, 3, 10, 30, 1), 10);
    EXPECT_EQ(LinearInterp(1, 3, 10, 30, 3), 30);
    EXPECT_EQ(LinearInterp(1, 3, 10, 30, 2), 20);
}

}  // namespace
}  // namespace calendar
