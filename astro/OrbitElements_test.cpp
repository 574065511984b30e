#include "astro/OrbitElements.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AstroConstants.h"

namespace {

constexpr double kArcsecDeg = 1.0 / 3600.0;

double Fold360(double deg) { return deg - 360.0 * std::floor(deg / 360.0); }
double AngleDiffDeg(double a, double b) {
    const double d = Fold360(a - b);
    return d > 180 ? 360 - d : d;
}

// Reference: the orbit pole and perihelion direction carried from the mean
// ecliptic of year0 to that of year1 by the IAU 2006 ecliptic precession of
// ERFA (eraEcm06(year1) * eraEcm06(year0)^T, years as Julian epochs) and read
// back as elements. The rate formula here is an older, shorter series, so the
// tolerance grows with the span (the older general precession is about 3
// arcseconds per century slower). Near the ecliptic, node and argument of
// perihelion are ill-conditioned (a shift of the pole moves them by the shift
// divided by sin i), so the low-inclination row allows more.
TEST(PrecessOrbitElements, AgreesWithIau2006EclipticPrecession) {
    struct Case {
        const char* name;
        double year0, year1, i0, w0, n0;
        double i1, w1, n1;
        double tol_arcsec;
    } cases[] = {
        {"fifty years forward", 1950, 2000, 47.1220, 151.4486, 45.7481, 47.126070, 151.455569, 46.441726, 1},
        {"Encke-like, 24 years", 2000, 2024, 11.94524, 186.23352, 334.75006, 11.948183, 186.228328, 335.090410, 1},
        {"low inclination, back 200 years", 2000, 1800, 0.5, 10, 80, 0.498240, 7.004863, 80.202476, 12},
        {"retrograde, back 400 years", 2000, 1600, 162.26269, 111.33249, 58.42008, 162.238516, 111.180108, 52.692310, 5},
        {"polar orbit, a century forward", 2000, 2100, 90, 0, 0, 90.012989, 0.001220, 1.397195, 2},
        {"Ceres-like, two centuries", 2000, 2200, 10.587, 73.42, 80.255, 10.588913, 73.561516, 82.910897, 3},
    };
    for (const Case& c : cases) {
        const astro::OrbitAnglesRad r = astro::PrecessOrbitElements(c.year0, c.year1, c.i0, c.w0, c.n0);
        const double tol = c.tol_arcsec * kArcsecDeg;
        EXPECT_NEAR(r.Incl_rad * astro::kRadToDeg, c.i1, tol) << c.name;
        EXPECT_LE(AngleDiffDeg(r.Peri_rad * astro::kRadToDeg, c.w1), tol) << c.name;
        EXPECT_LE(AngleDiffDeg(r.Node_rad * astro::kRadToDeg, c.n1), tol) << c.name;
        EXPECT_GE(r.Incl_rad, 0.0) << c.name;
        EXPECT_LE(r.Incl_rad, astro::kPi) << c.name;
    }
}

TEST(PrecessOrbitElements, ForwardAndBackReturnsTheStart) {
    const double i0 = 33.3, w0 = 222.2, n0 = 111.1;
    const astro::OrbitAnglesRad f = astro::PrecessOrbitElements(2000, 2150, i0, w0, n0);
    const astro::OrbitAnglesRad b = astro::PrecessOrbitElements(2150, 2000, f.Incl_rad * astro::kRadToDeg,
                                                                f.Peri_rad * astro::kRadToDeg,
                                                                f.Node_rad * astro::kRadToDeg);
    EXPECT_NEAR(b.Incl_rad * astro::kRadToDeg, i0, 0.1 * kArcsecDeg);
    EXPECT_LE(AngleDiffDeg(b.Peri_rad * astro::kRadToDeg, w0), 0.1 * kArcsecDeg);
    EXPECT_LE(AngleDiffDeg(b.Node_rad * astro::kRadToDeg, n0), 0.1 * kArcsecDeg);
}

TEST(PrecessOrbitElements, EdgeInclinationsStayFinite) {
    // An orbit in the ecliptic (sine of the new inclination from rounding
    // noise) and one exactly perpendicular to it.
    for (double incl : {0.0, 90.0, 180.0}) {
        const astro::OrbitAnglesRad r = astro::PrecessOrbitElements(1900, 2100, incl, 10, 20);
        EXPECT_TRUE(std::isfinite(r.Incl_rad) && std::isfinite(r.Peri_rad) && std::isfinite(r.Node_rad)) << incl;
        EXPECT_GE(r.Incl_rad, 0.0);
        EXPECT_LE(r.Incl_rad, astro::kPi);
    }
}

TEST(ReduceOrbitAngles, SameYearUsesTheElementsAsTheyStand) {
    const astro::OrbitAnglesForYear a = astro::ReduceOrbitAngles(2024, 2024, 12.5, 400.0, -20.0);
    EXPECT_EQ(a.Incl_deg, 12.5);
    EXPECT_EQ(a.Peri_deg, 400.0);
    EXPECT_EQ(a.Node_deg, -20.0);
    EXPECT_EQ(a.rad.Incl_rad, 12.5 * astro::kDegToRad);

    const astro::OrbitAnglesForYear b = astro::ReduceOrbitAngles(2000, 2024, 12.5, 359.999, 0.0001);
    EXPECT_GE(b.Peri_deg, 0.0);
    EXPECT_LT(b.Peri_deg, 360.0);
    EXPECT_GE(b.Node_deg, 0.0);
    EXPECT_LT(b.Node_deg, 360.0);
    EXPECT_NEAR(b.rad.Incl_rad * astro::kRadToDeg, b.Incl_deg, 1e-12);
}

// The orientation coefficients reproduce the textbook form of the
// heliocentric vector r a sin(A + u), r b sin(B + u), r c sin(C + u)
// (Meeus, Astronomical Algorithms, ch. 33, with the J2000 obliquity).
TEST(OrientOrbit, MatchesTheAmplitudePhaseForm) {
    const double sin_e = 0.397777155914121, cos_e = 0.917482062076896;
    for (double node : {0.0, 1.0, 2.5, 4.0}) {
        for (double incl : {0.0, 0.3, 1.5707963267948966, 2.8}) {
            const double F = std::cos(node), G = std::sin(node) * cos_e, H = std::sin(node) * sin_e;
            const double P = -std::sin(node) * std::cos(incl);
            const double Q = std::cos(node) * std::cos(incl) * cos_e - std::sin(incl) * sin_e;
            const double R = std::cos(node) * std::cos(incl) * sin_e + std::sin(incl) * cos_e;
            const double A = std::atan2(F, P), B = std::atan2(G, Q), C = std::atan2(H, R);
            const double a = std::hypot(F, P), b = std::hypot(G, Q), c = std::hypot(H, R);
            const astro::OrbitOrientation o = astro::OrientOrbit(node, incl);
            for (double u : {0.0, 0.7, 3.0, -2.0}) {
                EXPECT_NEAR(o.Fx * std::cos(u) + o.Px * std::sin(u), a * std::sin(A + u), 1e-14);
                EXPECT_NEAR(o.Fy * std::cos(u) + o.Py * std::sin(u), b * std::sin(B + u), 1e-14);
                EXPECT_NEAR(o.Fz * std::cos(u) + o.Pz * std::sin(u), c * std::sin(C + u), 1e-14);
            }
        }
    }
}

TEST(ElementsFingerprint, EqualListsAgreeAndAnyChangedFieldDiffers) {
    astro::AsteroidElements a{10, 20, 30, 5, 0.1, 2.5, 2451545, 7.2, 0.15, 2000, "(1) Ceres"};
    const std::vector<astro::AsteroidElements> asteroids = {a, a};
    EXPECT_EQ(astro::ElementsFingerprint(asteroids), astro::ElementsFingerprint(std::vector(asteroids)));
    double astro::AsteroidElements::*fields[] = {
        &astro::AsteroidElements::M0_deg, &astro::AsteroidElements::Peri_deg, &astro::AsteroidElements::Node_deg,
        &astro::AsteroidElements::Incl_deg, &astro::AsteroidElements::e, &astro::AsteroidElements::a_au,
        &astro::AsteroidElements::Epoch_jd, &astro::AsteroidElements::H, &astro::AsteroidElements::G,
        &astro::AsteroidElements::EquinoxYear};
    for (auto field : fields) {
        std::vector<astro::AsteroidElements> changed = asteroids;
        changed[1].*field = std::nextafter(changed[1].*field, 1e9);
        EXPECT_NE(astro::ElementsFingerprint(changed), astro::ElementsFingerprint(asteroids));
    }
    std::vector<astro::AsteroidElements> renamed = asteroids;
    renamed[0].Name = "(1) Ceres ";
    EXPECT_NE(astro::ElementsFingerprint(renamed), astro::ElementsFingerprint(asteroids));
    // The same fields in another split between two names.
    std::vector<astro::AsteroidElements> moved = asteroids;
    moved[0].Name = "(1) Cere";
    moved[1].Name = "s(1) Ceres";
    EXPECT_NE(astro::ElementsFingerprint(moved), astro::ElementsFingerprint(asteroids));
    EXPECT_NE(astro::ElementsFingerprint(std::vector(asteroids.begin(), asteroids.begin() + 1)),
              astro::ElementsFingerprint(asteroids));

    astro::CometElements c{2450539.6, 0.914, 0.995, 130.6, 283.4, 89.4, -0.8, 10, 2000, "C/1995 O1"};
    const std::vector<astro::CometElements> comets = {c};
    double astro::CometElements::*comet_fields[] = {
        &astro::CometElements::T_jd, &astro::CometElements::q_au, &astro::CometElements::e,
        &astro::CometElements::Peri_deg, &astro::CometElements::Node_deg, &astro::CometElements::Incl_deg,
        &astro::CometElements::H, &astro::CometElements::K, &astro::CometElements::EquinoxYear};
    for (auto field : comet_fields) {
        std::vector<astro::CometElements> changed = comets;
        changed[0].*field = std::nextafter(changed[0].*field, -1e9);
        EXPECT_NE(astro::ElementsFingerprint(changed), astro::ElementsFingerprint(comets));
    }
    EXPECT_EQ(astro::ElementsFingerprint(comets), astro::ElementsFingerprint(std::vector(comets)));
}

}  // namespace
