#include "astro/AsteroidPosition.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AstroConstants.h"
#include "astro/Planets.h"
#include "astro/SkySettings.h"
#include "orbsolve/OrbsolveLoader.h"

namespace {

constexpr double kJd2025Jun1 = 2460827.5;  // 2025-06-01 0 h

astro::SiteContext TtSite() {
    astro::SiteContext site;
    site.zone_h = 0;
    site.delta_t = astro::DeltaTChoice{true, 0.0};
    return site;
}

double SeparationDeg(double ra1, double dec1, double ra2, double dec2) {
    const double d = astro::kDegToRad;
    const double c = std::sin(dec1 * d) * std::sin(dec2 * d) +
                     std::cos(dec1 * d) * std::cos(dec2 * d) * std::cos((ra1 - ra2) * d);
    return std::acos(std::fmin(1.0, c)) * astro::kRadToDeg;
}

astro::AsteroidElements Asteroid(double e, double a) {
    astro::AsteroidElements x;
    x.M0_deg = 40;
    x.Peri_deg = 73.4;
    x.Node_deg = 80.3;
    x.Incl_deg = 10.6;
    x.e = e;
    x.a_au = a;
    x.Epoch_jd = 2459800.5;
    x.H = 3.34;
    x.G = 0.12;
    x.EquinoxYear = 2000;
    x.Name = "test";
    return x;
}

class AsteroidPositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbsolve::ResetOrbsolveBinding();
        astro::SmallBodies().Reset();
    }
    void TearDown() override { astro::SmallBodies().Reset(); }
};

// Mars entered as an asteroid record (J2000 mean ecliptic elements of
// Standish, "Keplerian Elements for Approximate Positions of the Major
// Planets", JPL, 1800-2050 AD table) against the planetary theory.
TEST_F(AsteroidPositionTest, MarsAsAnAsteroidAgreesWithThePlanetTheory) {
    astro::AsteroidElements mars;
    mars.a_au = 1.52371034;
    mars.e = 0.09339410;
    mars.Incl_deg = 1.84969142;
    mars.Node_deg = 49.55953891;
    mars.Peri_deg = 286.4968315;
    mars.M0_deg = 19.39019754;
    mars.Epoch_jd = 2451545.0;
    mars.EquinoxYear = 2000;
    mars.H = -1.5;
    mars.G = 0.15;
    const double jd = 2451545.0 + 30;
    const astro::SiteContext site = TtSite();

    astro::BodyPosition p;
    astro::ComputeAsteroidPosition(jd, site, mars, p);
    ASSERT_TRUE(p.Valid);
    astro::Settings() = astro::SkySettings{};
    astro::Settings().timezone = 0;
    astro::Settings().UserDeltaT = true;
    astro::Settings().DeltaT = 0;
    double ra = 0, dec = 0;
    float mag = 0;
    astro::CalcOnePlanet(3, jd, false, ra, dec, mag);
    astro::Settings() = astro::SkySettings{};
    EXPECT_LT(SeparationDeg(p.RA, p.Dec, ra, dec), 0.1);
}

// Reference: the H, G magnitude formula (Bowell et al. 1989, Meeus ch. 33)
// evaluated independently (Python, double precision).
TEST(AsteroidMagnitude, HGSystem) {
    struct Case {
        double H, G, r, delta, R0, mag;
    } cases[] = {
        {3.34, 0.12, 2.7, 1.9, 0.99, 7.749317201537867},   // phase angle 14.8 degrees
        {7.0, 0.15, 1.5, 0.8, 1.0, 8.923224439201533},     // 38.0 degrees
        {5.0, 0.0, 2.5, 1.6, 1.0, 8.908374526077154},      // G = 0: phi1 alone
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(astro::AsteroidMagnitude(c.H, c.G, c.r, c.delta, c.R0), c.mag, 1e-9) << c.mag;
    }
    // At opposition (phase angle exactly 0) both phase functions are 1.
    EXPECT_NEAR(astro::AsteroidMagnitude(6.0, 0.15, 2.0, 1.0, 1.0), 6.0 + 5 * std::log10(2.0), 1e-12);
}

TEST_F(AsteroidPositionTest, UnusableOrbitsAreInvalidWithoutAnError) {
    struct Case {
        const char* name;
        double e, a;
    } cases[] = {
        {"parabolic", 1.0, 2.0}, {"hyperbolic", 1.5, 2.0}, {"a = 0", 0.1, 0.0},
        {"negative a", 0.1, -2.0}, {"e not a number", std::nan(""), 2.0}, {"a infinite", 0.1, INFINITY},
    };
    for (const Case& c : cases) {
        astro::BodyPosition p;
        p.Name = "kept";
        p.Valid = true;
        p.RA = 123;
        EXPECT_NO_THROW(astro::ComputeAsteroidPosition(kJd2025Jun1, TtSite(), Asteroid(c.e, c.a), p)) << c.name;
        EXPECT_FALSE(p.Valid) << c.name;
        EXPECT_EQ(p.RA, 0.0) << c.name;
        EXPECT_EQ(p.Name, "kept") << c.name;
    }
    astro::BodyPosition ok;
    astro::ComputeAsteroidPosition(kJd2025Jun1, TtSite(), Asteroid(0.08, 2.77), ok);
    EXPECT_TRUE(ok.Valid);
    EXPECT_EQ(ok.TailRA, 0.0);
    EXPECT_EQ(ok.ComaSize, 0.0);
}

// A date one year after the equinox of the elements uses elements reduced by
// one year.
TEST_F(AsteroidPositionTest, ElementsOfLastYearAreReducedByOneYear) {
    astro::AsteroidElements last = Asteroid(0.08, 2.77);
    last.EquinoxYear = 2024;
    astro::AsteroidElements reduced = last;
    const astro::OrbitAnglesRad r = astro::PrecessOrbitElements(2024, 2025, last.Incl_deg, last.Peri_deg,
                                                                last.Node_deg);
    reduced.Incl_deg = r.Incl_rad * astro::kRadToDeg;
    reduced.Peri_deg = r.Peri_rad * astro::kRadToDeg;
    reduced.Node_deg = r.Node_rad * astro::kRadToDeg;
    reduced.EquinoxYear = 2025;
    astro::AsteroidElements unreduced = last;
    unreduced.EquinoxYear = 2025;

    astro::BodyPosition a, b, c;
    astro::ComputeAsteroidPosition(kJd2025Jun1, TtSite(), last, a);
    astro::ComputeAsteroidPosition(kJd2025Jun1, TtSite(), reduced, b);
    astro::ComputeAsteroidPosition(kJd2025Jun1, TtSite(), unreduced, c);
    EXPECT_LT(SeparationDeg(a.RA, a.Dec, b.RA, b.Dec) * 3600, 1e-6);
    EXPECT_GT(SeparationDeg(a.RA, a.Dec, c.RA, c.Dec) * 3600, 20.0);
}

TEST_F(AsteroidPositionTest, EmptyListComputesNothingAndRaisesNothing) {
    orbsolve::ResetOrbsolveBinding("liborbsolve-missing.so");
    EXPECT_NO_THROW(astro::ComputeAllAsteroids(kJd2025Jun1));
    EXPECT_TRUE(astro::SmallBodies().AsteroidPositions.empty());
    orbsolve::ResetOrbsolveBinding();

    auto& state = astro::SmallBodies();
    state.AsteroidElementList = {Asteroid(0.08, 2.77), Asteroid(1.2, 2.77)};
    state.AsteroidElementList[0].Name = "(1) 세레스";
    astro::ComputeAllAsteroids(kJd2025Jun1);
    ASSERT_EQ(state.AsteroidPositions.size(), 2u);
    EXPECT_EQ(state.AsteroidPositions[0].Name, "(1) 세레스");
    EXPECT_TRUE(state.AsteroidPositions[0].Valid);
    EXPECT_FALSE(state.AsteroidPositions[1].Valid);
}

}  // namespace
