// The orbit solver, called through the same by-name binding the program uses.
#include <gtest/gtest.h>

#include <cmath>

#include "orbsolve/OrbsolveLoader.h"
#include "platform/RunTimeError.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kGauss = 0.01720209895;

KeplerCometBlock Comet(double q_au, double e, double dt_day) {
    KeplerCometBlock b{};
    b.T_jd = 2451545.0;
    b.q_au = q_au;
    b.e = e;
    b.omega_deg = 11;
    b.node_deg = 22;
    b.incl_deg = 33;
    b.t_jd = b.T_jd + dt_day;
    b.v_rad = b.r_au = 99;  // must be overwritten
    return b;
}

KeplerAsteroidBlock Asteroid(double M0_deg, double e, double a_au, double dt_day) {
    KeplerAsteroidBlock b{};
    b.M0_deg = M0_deg;
    b.e = e;
    b.a_au = a_au;
    b.epoch_jd = 2460000.5;
    b.t_jd = b.epoch_jd + dt_day;
    b.v_rad = b.r_au = 99;
    return b;
}

// Eccentric anomaly back from the true anomaly, for residual checks.
double EccentricFromTrue(double v_rad, double e) {
    return 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(v_rad / 2));
}

class OrbsolveTest : public ::testing::Test {
protected:
    void SetUp() override { orbsolve::ResetOrbsolveBinding(); }
};

TEST_F(OrbsolveTest, CometEdgeCases) {
    struct Case {
        const char* name;
        double q, e, dt;
        double v, r;
    } cases[] = {
        {"ellipse at perihelion", 0.5, 0.6, 0, 0, 0.5},
        {"bisection at perihelion", 0.5, 0.95, 0, 0, 0.5},
        {"parabola at perihelion", 0.8, 1.0, 0, 0, 0.8},
        {"hyperbola at perihelion", 0.8, 1.3, 0, 0, 0.8},
        // Meeus, Astronomical Algorithms, example 34.a (Barker's equation).
        {"parabola, Meeus 34.a", 0.921326, 1.0, 138.4783, 102.74426 * kPi / 180, 2.364192},
        // Hyperbola long before perihelion (M = -1): the root with g < 1.
        {"hyperbola before perihelion", 0.25, 1.2, -81.2426, -2.24367496, 2.18156744},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeplerCometBlock b = Comet(c.q, c.e, c.dt);
        EXPECT_EQ(orbsolve::CallKeplerComet(b), 0);
        EXPECT_NEAR(b.v_rad, c.v, 1e-6);
        EXPECT_NEAR(b.r_au, c.r, 1e-6);
        EXPECT_EQ(b.omega_deg, 11);  // inputs untouched
        EXPECT_EQ(b.incl_deg, 33);
    }
}

TEST_F(OrbsolveTest, HyperbolaIsSymmetricAboutPerihelion) {
    for (double dt : {-400.0, -81.2426, -5.0, 5.0, 81.2426, 400.0}) {
        KeplerCometBlock after = Comet(0.25, 1.2, std::fabs(dt));
        KeplerCometBlock b = Comet(0.25, 1.2, dt);
        orbsolve::CallKeplerComet(after);
        orbsolve::CallKeplerComet(b);
        EXPECT_NEAR(b.v_rad, dt < 0 ? -after.v_rad : after.v_rad, 1e-9) << dt;
        EXPECT_NEAR(b.r_au, after.r_au, 1e-9) << dt;
    }
}

TEST_F(OrbsolveTest, EllipseWithZeroEccentricityFoldsTheMeanAnomaly) {
    // q = a for a circle; dt chosen so that M = 4 rad (beyond pi).
    const double a = 2.0;
    const double dt = 4.0 / (kGauss / (a * std::sqrt(a)));
    KeplerCometBlock b = Comet(a, 0.0, dt);
    orbsolve::CallKeplerComet(b);
    EXPECT_NEAR(b.v_rad, 4.0 - 2 * kPi, 1e-9);
    EXPECT_NEAR(b.r_au, a, 1e-12);
}

TEST_F(OrbsolveTest, BisectionBeyondPiGivesNegativeAnomaly) {
    // e = 0.9 takes the binary search; M = 4 rad lies beyond pi, so the comet is
    // before perihelion and v < 0. The result still satisfies Kepler's equation.
    const double e = 0.9, q = 0.3, a = q / (1 - e);
    const double M = 4.0;
    KeplerCometBlock b = Comet(q, e, M / (kGauss / (a * std::sqrt(a))));
    orbsolve::CallKeplerComet(b);
    EXPECT_LT(b.v_rad, 0);
    const double E = EccentricFromTrue(b.v_rad, e);
    EXPECT_NEAR(E - e * std::sin(E), M - 2 * kPi, 1e-8);
    EXPECT_NEAR(b.r_au, a * (1 - e * std::cos(E)), 1e-9);
}

TEST_F(OrbsolveTest, NewtonAndBisectionAgreeAcrossTheThreshold) {
    const double q = 0.5, dt = 123.0;
    KeplerCometBlock below = Comet(q, std::nextafter(0.9, 0.0), dt);
    KeplerCometBlock at = Comet(q, 0.9, dt);
    orbsolve::CallKeplerComet(below);
    orbsolve::CallKeplerComet(at);
    // Both stop within 1e-6 rad of the root of Kepler's equation.
    EXPECT_NEAR(below.v_rad, at.v_rad, 1e-5);
    EXPECT_NEAR(below.r_au, at.r_au, 1e-5);
}

TEST_F(OrbsolveTest, ThresholdChoosesTheSolver) {
    // M = 1e-6 rad: the first Newton residual e sin M is already within the
    // tolerance, so Newton stops at E = M, while the binary search finds the
    // root E = M / (1 - e) = 1e-5 rad. The true anomaly tells which solver ran:
    // v = 2 atan(sqrt((1 + e) / (1 - e)) tan(E / 2)), about sqrt(19) E here.
    const double q = 0.5, M = 1e-6;
    struct Case {
        const char* name;
        double e, v;
    } cases[] = {
        {"just below 0.9: Newton", std::nextafter(0.9, 0.0), 4.3588989e-6},
        {"0.9: binary search", 0.9, 4.3588989e-5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double a = q / (1 - c.e);
        KeplerCometBlock b = Comet(q, c.e, M / (kGauss / (a * std::sqrt(a))));
        orbsolve::CallKeplerComet(b);
        EXPECT_NEAR(b.v_rad, c.v, 1e-4 * c.v);
    }
}

TEST_F(OrbsolveTest, NotANumberEccentricity) {
    KeplerCometBlock c = Comet(1, NAN, 10);
    EXPECT_EQ(orbsolve::CallKeplerComet(c), 0);
    EXPECT_EQ(c.v_rad, 0);
    EXPECT_EQ(c.r_au, 0);
    KeplerAsteroidBlock a = Asteroid(10, NAN, 2, 10);
    EXPECT_EQ(orbsolve::CallKeplerAsteroid(a), 1);
    EXPECT_EQ(a.v_rad, 0);
    EXPECT_EQ(a.r_au, 0);
}

TEST_F(OrbsolveTest, AsteroidRejectsOpenOrbits) {
    for (double e : {1.0, 1.5}) {
        KeplerAsteroidBlock b = Asteroid(10, e, 2, 10);
        EXPECT_EQ(orbsolve::CallKeplerAsteroid(b), 1);
        EXPECT_EQ(b.v_rad, 0);
        EXPECT_EQ(b.r_au, 0);
    }
}

TEST_F(OrbsolveTest, AsteroidSatisfiesKeplersEquation) {
    struct Case {
        const char* name;
        double M0_deg, e, a, dt;
    } cases[] = {
        {"Meeus 30.a", 5, 0.1, 1, 0},
        {"main belt, a year on", 120, 0.15, 2.7, 365.25},
        {"high e near M = 0 (Newton diverges)", -0.4373 * 180 / kPi, 0.99, 1, 0},
        {"high e, other side", 0.4373 * 180 / kPi, 0.99, 1, 0},
        {"e = 0.975, small M", 2, 0.975, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeplerAsteroidBlock b = Asteroid(c.M0_deg, c.e, c.a, c.dt);
        ASSERT_EQ(orbsolve::CallKeplerAsteroid(b), 0);
        const double M = kGauss / (c.a * std::sqrt(c.a)) * c.dt + c.M0_deg * kPi / 180;
        const double E = EccentricFromTrue(b.v_rad, c.e);
        const double residual = std::remainder(E - c.e * std::sin(E) - M, 2 * kPi);
        EXPECT_LT(std::fabs(residual), 1e-6);
        EXPECT_NEAR(b.r_au, c.a * (1 - c.e * std::cos(E)), 1e-9);
    }
    // Meeus example 30.a: E = 5.554589 degrees; Newton stops once the residual
    // is below 1e-6 rad, about 0.2 arcseconds.
    KeplerAsteroidBlock b = Asteroid(5, 0.1, 1, 0);
    orbsolve::CallKeplerAsteroid(b);
    EXPECT_NEAR(EccentricFromTrue(b.v_rad, 0.1) * 180 / kPi, 5.554589, 6e-5);
}

TEST_F(OrbsolveTest, NewtonDivergenceMendedForEllipticComets) {
    // e = 0.99, a = 1, M = -0.4373 rad: E = -1.41536547, v = -2.97624857.
    const double e = 0.99, a = 1, q = a * (1 - e);
    KeplerAsteroidBlock b = Asteroid(-0.4373 * 180 / kPi, e, a, 0);
    orbsolve::CallKeplerAsteroid(b);
    EXPECT_NEAR(b.v_rad, -2.97624857, 1e-6);
    EXPECT_NEAR(b.r_au, 0.84674229, 1e-6);
    KeplerCometBlock c = Comet(q, e, -0.4373 / kGauss);
    orbsolve::CallKeplerComet(c);
    EXPECT_NEAR(c.v_rad, -2.97624857, 1e-6);
}

TEST_F(OrbsolveTest, MissingLibraryIsAnErrorNamingTheFile) {
    orbsolve::ResetOrbsolveBinding("libnosuchsolver.so");
    KeplerCometBlock b = Comet(1, 0.5, 0);
    try {
        orbsolve::CallKeplerComet(b);
        FAIL() << "expected an error";
    } catch (const platform::RunTimeError& err) {
        EXPECT_NE(std::string(err.what()).find("libnosuchsolver.so"), std::string::npos);
    }
}

TEST_F(OrbsolveTest, MissingEntryPointIsAnErrorNamingIt) {
    // The C library is always there and has no such export.
    orbsolve::ResetOrbsolveBinding("libm.so.6");
    KeplerAsteroidBlock b = Asteroid(1, 0.5, 1, 0);
    try {
        orbsolve::CallKeplerAsteroid(b);
        FAIL() << "expected an error";
    } catch (const platform::RunTimeError& err) {
        EXPECT_NE(std::string(err.what()).find("KeplerAsteroid"), std::string::npos);
        EXPECT_NE(std::string(err.what()).find("libm.so.6"), std::string::npos);
    }
}

}  // namespace
