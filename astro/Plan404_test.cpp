#include "astro/Plan404.h"

#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <cmath>
#include <numbers>

#include "astro/AstroConstants.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/Matrix.h"

namespace astro {
namespace {

constexpr double kRadToDegFull = 180.0 / std::numbers::pi;
constexpr double kArcsec = 1.0 / 3600.0;

PlanetData Call(int body, double jde) {
    PlanetData d{jde, 0, 0, 0, body};
    EXPECT_EQ(Plan404(d), 0);
    return d;
}

struct Vec {
    double x, y, z;
};
Vec ToVector(const PlanetData& d) {
    return {d.R * std::cos(d.B) * std::cos(d.L), d.R * std::cos(d.B) * std::sin(d.L), d.R * std::sin(d.B)};
}

// Meeus, Astronomical Algorithms, example 32.a: Venus from the full VSOP87,
// mean ecliptic and equinox of date. With nutation the longitude would be
// 26.11932 and fail.
TEST(Plan404, VenusMeanEclipticOfDate) {
    const PlanetData v = Call(2, 2448976.5);
    EXPECT_NEAR(v.L * kRadToDegFull, 26.11428, 2 * kArcsec);
    EXPECT_NEAR(v.B * kRadToDegFull, -2.62070, 2 * kArcsec);
    EXPECT_NEAR(v.R, 0.724603, 2e-6);
}

// Meeus example 47.a: the Moon on 1992 April 12, 0h TD, geometric, mean
// equinox of date (the apparent longitude 133.167265 less nutation 0.004610).
TEST(Plan404, MoonGeocentric) {
    const PlanetData m = Call(kBodyMoon, 2448724.5);
    EXPECT_NEAR(m.L * kRadToDegFull, 133.162655, 10 * kArcsec);
    EXPECT_NEAR(m.B * kRadToDegFull, -3.229126, 5 * kArcsec);
    EXPECT_NEAR(m.R, 368409.7 / kAuKm, 30 / kAuKm);
}

// Meeus example 25.b (VSOP87 Earth), 1992 Oct 13.0 TD: L = -43.63484796 rad
// folded, B = -0.00000312 rad, R = 0.99760775 AU (mean ecliptic of date).
TEST(Plan404, EarthFromTheBarycentre) {
    const double jde = 2448908.5;
    const Vec b = ToVector(Call(kBodyEarthMoonBarycentre, jde));
    const Vec m = ToVector(Call(kBodyMoon, jde));
    const Vec e{b.x - m.x / kEarthMoonMassRatio, b.y - m.y / kEarthMoonMassRatio, b.z - m.z / kEarthMoonMassRatio};
    const double r = std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z);
    double l = std::atan2(e.y, e.x) * kRadToDegFull;
    if (l < 0) l += 360;
    EXPECT_NEAR(l, 19.907372, 2 * kArcsec);  // -43.63484796 rad = 19.907372 degrees
    EXPECT_NEAR(std::asin(e.z / r), -0.00000312, 5e-7);  // 0.1"
    EXPECT_NEAR(r, 0.99760775, 2e-6);
}

// Code 3 less code 11 / 82.300585 is the Earth of the series itself, carried
// to the ecliptic of date the same way (J2000 ecliptic -> equator, IAU 1976
// precession, ecliptic of date).
TEST(Plan404, BarycentreMinusMoonIsTheEarthToPicoAu) {
    for (double jde : {2451545.0, 2460000.5, 2415020.25, 2488000.0}) {
        ClearPlan404Cache();
        const Vec b = ToVector(Call(kBodyEarthMoonBarycentre, jde));
        const Vec m = ToVector(Call(kBodyMoon, jde));
        Vec e{b.x - m.x / kEarthMoonMassRatio, b.y - m.y / kEarthMoonMassRatio, b.z - m.z / kEarthMoonMassRatio};

        ln_helio_posn p{};
        ln_get_earth_helio_coords(jde, &p);
        const double cb = std::cos(p.B / kRadToDegFull);
        Vec ref{p.R * cb * std::cos(p.L / kRadToDegFull), p.R * cb * std::sin(p.L / kRadToDegFull),
                p.R * std::sin(p.B / kRadToDegFull)};
        Matrix3 to_equator, precession, to_ecliptic;
        MakeRotX(-MeanObliquity(kJ2000), to_equator);
        MakePrecessionMatrix(kJ2000, jde, precession);
        MakeRotX(MeanObliquity(jde), to_ecliptic);
        RotateVector(ref.x, ref.y, ref.z, to_equator);
        RotateVector(ref.x, ref.y, ref.z, precession);
        RotateVector(ref.x, ref.y, ref.z, to_ecliptic);
        EXPECT_NEAR(e.x, ref.x, 1e-12) << jde;
        EXPECT_NEAR(e.y, ref.y, 1e-12) << jde;
        EXPECT_NEAR(e.z, ref.z, 1e-12) << jde;

        // The Earth taken straight from its series, without the Moon's
        // series the barycentre adds and takes off.
        Vec direct{};
        Plan404Earth(jde, direct.x, direct.y, direct.z);
        EXPECT_NEAR(direct.x, e.x, 1e-15) << jde;
        EXPECT_NEAR(direct.y, e.y, 1e-15) << jde;
        EXPECT_NEAR(direct.z, e.z, 1e-15) << jde;
    }
}

TEST(Plan404, FiniteOverTheWholeRangeAndSmoothForPluto) {
    for (double jde = DateToJD(-4712, 1, 1, 12, 0, 0); jde <= DateToJD(9999, 12, 31, 0, 0, 0); jde += 36524.25 / 2) {
        for (int body : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) {
            PlanetData d{jde, 0, 0, 0, body};
            ASSERT_EQ(Plan404(d), 0);
            ASSERT_TRUE(std::isfinite(d.L) && std::isfinite(d.B) && std::isfinite(d.R)) << body << " " << jde;
            ASSERT_GE(d.L, 0.0);
            ASSERT_LT(d.L, 2 * std::numbers::pi);
            ASSERT_GT(d.R, 0.0) << body << " " << jde;
        }
    }
    // Pluto: the Kepler fallback meets the series within a degree at both ends of its range.
    for (double edge : {2409177.5, 2488069.5}) {
        const PlanetData inside = Call(9, edge + (edge < 2450000 ? 0.5 : -0.5));
        const PlanetData outside = Call(9, edge + (edge < 2450000 ? -0.5 : 0.5));
        EXPECT_NEAR(std::remainder((inside.L - outside.L) * kRadToDegFull, 360.0), 0, 1.0);
        EXPECT_NEAR(inside.R, outside.R, 0.1);
    }
}

TEST(Plan404, BadInput) {
    PlanetData d{2451545.0, 0, 0, 0, 10};
    EXPECT_EQ(Plan404(d), 1);
    EXPECT_TRUE(std::isnan(d.L));
    d = {NAN, 0, 0, 0, 2};
    EXPECT_EQ(Plan404(d), 1);
}

}  // namespace
}  // namespace astro
