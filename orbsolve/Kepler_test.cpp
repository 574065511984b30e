// The orbit solver, called through the same by-name binding the program uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "orbsolve/OrbsolveLoader.h"
#include "platform/RunTimeError.h"

namespace orbsolve {
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


// The solver as first written, with the C library's sine, cosine, tangent
// and arctangent throughout: the reference the faster forms must match.
namespace reference {

constexpr double kTwoPi = 2 * kPi;

double Sign(double x) { return x >= 0 ? 1.0 : -1.0; }

double Bisect(double M, double e) {
    double F = Sign(M);
    double m = F * (std::fabs(M) / kTwoPi - std::trunc(std::fabs(M) / kTwoPi)) * kTwoPi;
    if (m < 0) m += kTwoPi;
    if (m > kPi) {
        F = -1;
        m = kTwoPi - m;
    } else {
        F = 1;
    }
    // sin E and cos E carried along by the addition theorem, as the solver does.
    double E = kPi / 2, D = kPi / 4, sinE = 1, cosE = 0;
    for (int i = 0; i < 34; ++i, D /= 2) {
        const double s = Sign(m - (E - e * sinE));
        E += D * s;
        const double next_sin = sinE * std::cos(D) + s * cosE * std::sin(D);
        cosE = cosE * std::cos(D) - s * sinE * std::sin(D);
        sinE = next_sin;
    }
    return F * E;
}

double Newton(double M, double e) {
    double E = M, sinE, cosE;
    ::sincos(E, &sinE, &cosE);
    double f = E - e * sinE - M;
    if (std::fabs(f) <= 1e-6) return E;
    for (int step = 0;; ++step) {
        E -= f / (1 - e * cosE);
        ::sincos(E, &sinE, &cosE);
        f = E - e * sinE - M;
        if (step == 100) break;
        if (!(std::fabs(f) > 1e-6)) return E;
    }
    if (std::fabs(f) <= 1e-6) return E;
    return Bisect(M, e);
}

void Ellipse(double M, double e, double a, bool bisect, double& v, double& r) {
    const double E = bisect ? Bisect(M, e) : Newton(M, e);
    v = 2 * std::atan(std::sqrt(1 + e) * std::tan(E / 2) / std::sqrt(1 - e));
    r = std::fabs(a * (1 - e * std::cos(E)));
}

void Comet(const KeplerCometBlock& b, double& v, double& r) {
    v = r = 0;
    const double e = b.e, q = b.q_au, dt = b.t_jd - b.T_jd;
    if (e < 1) {
        const double a = q / (1 - e);
        Ellipse(kGauss / (a * std::sqrt(a)) * dt, e, a, e >= 0.9, v, r);
    } else if (e == 1) {
        const double W = 0.03649116245 * dt / (q * std::sqrt(q));
        double s = 0;
        for (int step = 0;; ++step) {
            const double next = (W + 2 * s * s * s) / (3 * (s * s + 1));
            const bool done = std::fabs(next - s) <= 1e-6 || step == 100;
            s = next;
            if (done) break;
        }
        v = 2 * std::atan(s);
        r = q * (1 + s * s);
    } else if (e > 1) {
        const double a = q / std::fabs(1 - e);
        const double M = kGauss / (a * std::sqrt(a)) * dt, Mabs = std::fabs(M);
        double g = 0.5;
        for (int step = 0;; ++step) {
            const double next = 2 * g * (e - g * (1 - Mabs - std::log(std::fabs(g)))) / (e * (g * g + 1) - 2 * g);
            const bool done = std::fabs(next - g) <= 1e-6 || step == 100;
            g = next;
            if (done) break;
        }
        if (M < 0) g = 1 / g;
        const double coshF = (g * g + 1) / (2 * g), sinhF = (g * g - 1) / (2 * g);
        v = std::atan2(std::sqrt(e * e - 1) * sinhF, e - coshF);
        r = std::fabs(a * (e * coshF - 1));
    }
}

void Asteroid(const KeplerAsteroidBlock& b, double& v, double& r) {
    v = r = 0;
    if (!(b.e < 1)) return;
    const double M = kGauss / (b.a_au * std::sqrt(b.a_au)) * (b.t_jd - b.epoch_jd) + b.M0_deg * kPi / 180;
    Ellipse(M, b.e, b.a_au, false, v, r);
}

}  // namespace reference

// Within 1e-9 of the larger magnitude, or of one radian (AU) for smaller
// values. The solvers stop once Kepler's equation holds to 1e-6, so the
// returned anomaly is the last Newton step from an iterate of that order: a
// last-bit difference in one sine (another compiler's rounding of the same
// kernels) can change which step ends the walk, and on a near-parabolic
// ellipse the two answers then differ by some 1e-10. A different form or a
// wrong branch differs by far more.
::testing::AssertionResult AgreesRelative(double got, double want) {
    const double scale = std::max({std::fabs(got), std::fabs(want), 1.0});
    if (std::fabs(got - want) <= 1e-9 * scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << " against " << want;
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

TEST_F(OrbsolveTest, AgreesWithTheReferenceFormsOverManyOrbits) {
    std::vector<KeplerCometBlock> comets = {
        Comet(0.5, 0.6, 0), Comet(0.5, 0.95, 0), Comet(0.8, 1.0, 0), Comet(0.8, 1.3, 0),
        Comet(0.921326, 1.0, 138.4783), Comet(0.25, 1.2, -81.2426), Comet(2.0, 0.0, 2000),
        Comet(0.3, 0.9, 1500), Comet(0.5, std::nextafter(0.9, 0.0), 123), Comet(0.01, 0.99, -0.4373 / kGauss)};
    std::vector<KeplerAsteroidBlock> asteroids = {
        Asteroid(5, 0.1, 1, 0), Asteroid(120, 0.15, 2.7, 365.25), Asteroid(-0.4373 * 180 / kPi, 0.99, 1, 0),
        Asteroid(0.4373 * 180 / kPi, 0.99, 1, 0), Asteroid(2, 0.975, 3, 0)};
    std::mt19937_64 random(20240320);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 10000; ++i) {
        const double u = unit(random);
        // Ellipses (both solvers), near-parabolic, parabolic and hyperbolic orbits.
        const double e = u < 0.7 ? unit(random) : u < 0.8 ? 0.9 + 0.0999 * unit(random) : u < 0.85 ? 1.0 : 1 + 3 * unit(random);
        comets.push_back(Comet(0.05 + 5 * unit(random), e, (unit(random) - 0.5) * 40000));
        asteroids.push_back(Asteroid(360 * unit(random), 0.999 * unit(random), 0.5 + 40 * unit(random),
                                     (unit(random) - 0.5) * 200000));
    }
    for (KeplerCometBlock b : comets) {
        double v, r;
        reference::Comet(b, v, r);
        orbsolve::CallKeplerComet(b);
        EXPECT_TRUE(AgreesRelative(b.v_rad, v)) << "comet q " << b.q_au << " e " << b.e << " dt " << b.t_jd - b.T_jd;
        EXPECT_TRUE(AgreesRelative(b.r_au, r)) << "comet q " << b.q_au << " e " << b.e << " dt " << b.t_jd - b.T_jd;
    }
    for (KeplerAsteroidBlock b : asteroids) {
        double v, r;
        reference::Asteroid(b, v, r);
        orbsolve::CallKeplerAsteroid(b);
        EXPECT_TRUE(AgreesRelative(b.v_rad, v)) << "asteroid M0 " << b.M0_deg << " e " << b.e << " a " << b.a_au;
        EXPECT_TRUE(AgreesRelative(b.r_au, r)) << "asteroid M0 " << b.M0_deg << " e " << b.e << " a " << b.a_au;
    }
}

TEST_F(OrbsolveTest, HyperbolicOrbitsAgreeWithTheFixedStartNearParabolic) {
    // Nearly parabolic hyperbolas near perihelion have an ill-conditioned
    // root: a solve started elsewhere, or rounded differently, must fall back
    // to the fixed start wherever that could change the result.
    for (double eMinus1 : {1e-9, 1e-7, 1e-5, 5e-4, 3e-3, 0.02, 0.2}) {
        for (double q : {0.3, 2.0}) {
            for (double dt : {-900.0, -30.0, -1.0, -0.01, 0.01, 1.0, 30.0, 900.0}) {
                KeplerCometBlock b = Comet(q, 1 + eMinus1, dt);
                double v, r;
                reference::Comet(b, v, r);
                orbsolve::CallKeplerComet(b);
                EXPECT_TRUE(AgreesRelative(b.v_rad, v)) << "e - 1 " << eMinus1 << " q " << q << " dt " << dt;
                EXPECT_TRUE(AgreesRelative(b.r_au, r)) << "e - 1 " << eMinus1 << " q " << q << " dt " << dt;
            }
        }
    }
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
}  // namespace orbsolve
