#include "astro/ApparentSidereal.h"

#include <gtest/gtest.h>

#include "astro/JulianDay.h"
#include "astro/SkySettings.h"

namespace astro {
namespace {

TEST(ApparentSidereal, Meeus12a) {
    Settings() = SkySettings{};
    // 1987 April 10, 0h UT: apparent 13h10m46.1351s, mean 13h10m46.3668s.
    const double lst = CalcApparentLST(2446895.5, 0, 0);
    EXPECT_NEAR(lst * 3600, 13 * 3600 + 10 * 60 + 46.1351, 0.05);
    EXPECT_NEAR((lst - CalcLST(2446895.5, 0, 0)) * 3600, -0.2317, 0.05);
}

TEST(EquationOfTime, AnnualCourse) {
    Settings() = SkySettings{};
    // About +16.4 minutes of time in early November (e.g. USNO/NOAA tables).
    EXPECT_NEAR(EquationOfTime(DateToJD(2024, 11, 3, 0, 0, 0)) * 4, 16.4, 0.2);
    // Meeus example 28.a: 1992 Oct 13.0 TD: E = +13m42.6s (our Sun is that of the theory).
    EXPECT_NEAR(EquationOfTime(DateToJD(1992, 10, 13, 0, 0, 0)) * 4, 13.71, 0.05);
    double low = 1e9, high = -1e9;
    for (double jd = DateToJD(2024, 1, 1, 0, 0, 0); jd < DateToJD(2025, 1, 1, 0, 0, 0); jd += 1) {
        const double e = EquationOfTime(jd) * 4;
        low = std::min(low, e);
        high = std::max(high, e);
    }
    EXPECT_LT(high, 20);
    EXPECT_GT(low, -20);
    EXPECT_NEAR(low, -14.2, 0.3);  // mid February
}

}  // namespace
}  // namespace astro
