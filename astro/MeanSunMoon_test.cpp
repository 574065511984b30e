#include "astro/MeanSunMoon.h"

#include <gtest/gtest.h>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"

namespace astro {
namespace {

const JdeOfUt kComputedDeltaT = [](double jd_ut) { return JDToJDE(jd_ut, DeltaTChoice{}); };

TEST(MeanSunMoon, MeanLongitudes) {
    // Meeus example 25.a (1992 Oct 13.0 TD): L0 = 201.80720 (series 25.2, VSOP mean longitude
    // agrees within 0.001); example 47.a (1992 Apr 12.0 TD): L' = 134.290182.
    EXPECT_NEAR(SunMeanLongitude(2448908.5), 201.80720, 1e-3);
    EXPECT_NEAR(MoonMeanLongitude(2448724.5), 134.290182, 1e-5);
    EXPECT_NEAR(SunMeanLongitude(2451545.0), 280.4664567, 1e-9);
}

TEST(MeanSunMoon, ApproximateSolvers) {
    // The mean Sun reaches 0 degrees within about two days of the March equinox
    // (2024-03-20 03:06 UT); the mean new moon lies within about 14 hours of the
    // true one (2024-01-11 11:57 UT).
    const double equinox = ApproxSolarLongitudeTime(2024, 0, 79, 0, kComputedDeltaT);
    EXPECT_NEAR(equinox, DateToJD(2024, 3, 20, 3, 6, 0), 2.5);
    const double jde = kComputedDeltaT(equinox);
    EXPECT_NEAR(AngleDistance(SunMeanLongitude(jde) - 0.0057183, 0), 0, 1e-4);
    // Starting from either side of the year and with a zone of 9 hours.
    EXPECT_NEAR(ApproxSolarLongitudeTime(2024, 0, 60, 9, kComputedDeltaT) - 9.0 / 24, equinox, 1e-4);

    const double new_moon = ApproxLunarPhaseTime(2460321.0, 0, kComputedDeltaT);
    EXPECT_NEAR(new_moon, DateToJD(2024, 1, 11, 11, 57, 0), 0.7);
    EXPECT_NEAR(ApproxLunarPhaseTime(2460321.0 + 10, 0, kComputedDeltaT), new_moon, 1e-4);
    EXPECT_NEAR(ApproxLunarPhaseTime(2460321.0 - 10, 0, kComputedDeltaT), new_moon, 1e-4);

    // Years before 1582 start later, by floor((1582 - year) * 0.0078) days.
    EXPECT_EQ(SolarLongitudeDayGuess(1000, 79), 79 + 4);
    EXPECT_EQ(SolarLongitudeDayGuess(2024, 79), 79);
}

}  // namespace
}  // namespace astro
