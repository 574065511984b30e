#include "astro/CometPosition.h"
#include "astro/SkySettings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/JulianDay.h"
#include "astro/Topocentric.h"
#include "orbsolve/OrbsolveLoader.h"
#include "platform/RunTimeError.h"

namespace {

constexpr double kJde2000Jan6 = 2451550.5;   // 2000-01-06 0 h TT
constexpr double kJd2024Jun1 = 2460462.5;    // 2024-06-01 0 h
constexpr double kJd2025Jun1 = 2460827.5;    // 2025-06-01 0 h

// A site with zone 0 and Delta T fixed at 0, so the local Julian day passed
// in is the ephemeris day the bodies are computed for.
astro::SiteContext TtSite(bool geocentric = true) {
    astro::SiteContext site;
    site.zone_h = 0;
    site.delta_t = astro::DeltaTChoice{true, 0.0};
    site.geocentric = geocentric;
    return site;
}

astro::CometElements Comet(double T_jd, double q, double e, double peri, double node, double incl) {
    astro::CometElements c;
    c.T_jd = T_jd;
    c.q_au = q;
    c.e = e;
    c.Peri_deg = peri;
    c.Node_deg = node;
    c.Incl_deg = incl;
    c.H = 6;
    c.K = 10;
    c.EquinoxYear = 2000;
    c.Name = "test";
    return c;
}

// Separation of two places in arcseconds.
double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double d = astro::kDegToRad;
    const double c = std::sin(dec1 * d) * std::sin(dec2 * d) +
                     std::cos(dec1 * d) * std::cos(dec2 * d) * std::cos((ra1 - ra2) * d);
    const double s = std::hypot(std::cos(dec2 * d) * std::sin((ra1 - ra2) * d),
                                std::cos(dec1 * d) * std::sin(dec2 * d) -
                                    std::sin(dec1 * d) * std::cos(dec2 * d) * std::cos((ra1 - ra2) * d));
    return std::atan2(s, c) * astro::kRadToDeg * 3600.0;
}

class CometPositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbsolve::ResetOrbsolveBinding();
        astro::SmallBodies().Reset();
    }
    void TearDown() override {
        orbsolve::ResetOrbsolveBinding();
        astro::SmallBodies().Reset();
    }
};

// Reference: libnova 0.16, geometric geocentric places of J2000 elements in
// the J2000 equator with the VSOP87 Earth at JDE 2451550.5: the heliocentric
// vector of ln_get_{ell,par,hyp}_helio_rect_posn plus the Sun's geocentric
// vector (ln_get_par_geo_rect_posn minus ln_get_par_helio_rect_posn; libnova's
// own elliptic geocentric function returns the reversed vector). Our Earth
// is referred to the equator of date five days later, and the two theories
// truncate VSOP87 differently: about an arcsecond.
TEST_F(CometPositionTest, AgreesWithAnIndependentLibraryOnEveryOrbitType) {
    struct Case {
        const char* name;
        astro::CometElements c;
        double ra, dec, delta, r;
    } cases[] = {
        {"ellipse (Newton)", Comet(2451600.5, 0.3302, 0.8502, 186.24, 334.73, 11.94), 344.08630, 4.13963, 1.1940960,
         1.1273374},
        {"ellipse (binary search)", Comet(2451450.5, 0.587, 0.967, 111.85, 58.14, 162.24), 215.42562, -26.24362,
         2.1139496, 1.9139316},
        {"parabola", Comet(2451520.5, 1.25, 1.0, 40, 120, 70), 253.45903, 33.10472, 1.4205741, 1.3316302},
        {"hyperbola", Comet(2451600.5, 2.1, 1.05, 300, 200, 130), 287.84093, -57.39996, 2.9183246, 2.1857479},
    };
    for (const Case& c : cases) {
        astro::BodyPosition p;
        astro::ComputeCometPosition(kJde2000Jan6, TtSite(), c.c, p);
        ASSERT_TRUE(p.Valid) << c.name;
        EXPECT_LT(SeparationArcsec(p.RA, p.Dec, c.ra, c.dec), 2.0) << c.name;
        EXPECT_NEAR(p.R, c.r, 1e-6) << c.name;
        EXPECT_NEAR(p.Delta, c.delta, 1e-5) << c.name;
        EXPECT_GE(p.RA, 0.0);
        EXPECT_LT(p.RA, 360.0);
        EXPECT_GE(p.Elongation, 0.0);
        EXPECT_LE(p.Elongation, 180.0);
    }
}

TEST_F(CometPositionTest, AtPerihelionTheSunDistanceIsQ) {
    for (double e : {0.0, 0.5, 0.95, 1.0, 1.7}) {
        astro::BodyPosition p;
        astro::ComputeCometPosition(kJd2024Jun1, TtSite(), Comet(kJd2024Jun1, 0.83, e, 10, 20, 30), p);
        ASSERT_TRUE(p.Valid) << e;
        EXPECT_NEAR(p.R, 0.83, 1e-12) << e;
    }
}

// Elements of the year of the date are used as they stand; elements of
// another equinox are reduced to the year of the date.
TEST_F(CometPositionTest, ElementsAreReducedToTheYearOfTheDate) {
    astro::CometElements own = Comet(kJd2024Jun1 + 40, 1.1, 0.7, 30, 40, 50);
    own.EquinoxYear = 2024;
    astro::CometElements older = own;
    older.EquinoxYear = 2023;
    astro::CometElements reduced = older;
    const astro::OrbitAnglesRad r = astro::PrecessOrbitElements(2023, 2024, older.Incl_deg, older.Peri_deg,
                                                                older.Node_deg);
    reduced.Incl_deg = r.Incl_rad * astro::kRadToDeg;
    reduced.Peri_deg = r.Peri_rad * astro::kRadToDeg;
    reduced.Node_deg = r.Node_rad * astro::kRadToDeg;
    reduced.EquinoxYear = 2024;

    astro::BodyPosition p_own, p_older, p_reduced;
    astro::ComputeCometPosition(kJd2024Jun1, TtSite(), own, p_own);
    astro::ComputeCometPosition(kJd2024Jun1, TtSite(), older, p_older);
    astro::ComputeCometPosition(kJd2024Jun1, TtSite(), reduced, p_reduced);
    // One year of precession moves the place by roughly 50 arcseconds.
    EXPECT_GT(SeparationArcsec(p_own.RA, p_own.Dec, p_older.RA, p_older.Dec), 20.0);
    EXPECT_LT(SeparationArcsec(p_older.RA, p_older.Dec, p_reduced.RA, p_reduced.Dec), 1e-6);
    // The element record itself is never changed.
    EXPECT_EQ(older.Incl_deg, 50.0);
    EXPECT_EQ(older.EquinoxYear, 2023.0);
}

// Reference values: the published formulas evaluated independently (Python,
// double precision), 149597870.691 km per AU.
TEST(CometTailAndComa, FormulasAndTheirLowerLimits) {
    struct Case {
        double H, r, tail_au, coma_km;
    } cases[] = {
        {5, 1, 0.057094031103866516, 147167.1682383668},
        {0, 0.3, 0.8317307000066695, 431198.7581300636},
        {20, 30, 100000.0 / astro::kAuKm, 1000.0},   // faint and far: both at their limits
        {60, 0.1, 100000.0 / astro::kAuKm, 1000.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(astro::CometTailLength(c.H, c.r), c.tail_au, 1e-12 * c.tail_au) << c.H << " " << c.r;
        EXPECT_NEAR(astro::CometComaSize(c.H, c.r), c.coma_km, 1e-9 * c.coma_km) << c.H << " " << c.r;
    }
}

TEST_F(CometPositionTest, MagnitudeUsesKAsTheCoefficientOfLogR) {
    astro::CometElements c = Comet(kJd2024Jun1 - 100, 2.5, 0.6, 70, 80, 20);
    c.H = 7.5;
    c.K = 10;
    astro::BodyPosition p;
    astro::ComputeCometPosition(kJd2024Jun1, TtSite(), c, p);
    ASSERT_TRUE(p.Valid);
    EXPECT_NEAR(p.Mag, 7.5 + 5 * std::log10(p.Delta) + 10 * std::log10(p.R), 1e-5);
    // The coma is at least 1000 km and the tail end lies beyond the head.
    EXPECT_GE(p.ComaSize, std::atan(1000.0 / (2 * p.Delta * astro::kAuKm)) * astro::kRadToDeg * 7200.0 * 0.999999);
    EXPECT_GT(SeparationArcsec(p.RA, p.Dec, p.TailRA, p.TailDec), 0.0);
}

// A comet 0.05 AU from the Earth (perihelion beside the Earth's place in
// early January), where the diurnal parallax is several arcminutes.
astro::CometElements NearComet() { return Comet(kJde2000Jan6, 1.03, 0.6, 105.5, 0, 0); }

TEST_F(CometPositionTest, GeocentricSystemKeepsHeadAndTailGeocentric) {
    astro::SiteContext north = TtSite(true), south = TtSite(true);
    south.lat_deg = -60;
    south.lon_deg = -70;
    astro::BodyPosition a, b;
    astro::ComputeCometPosition(kJde2000Jan6, north, NearComet(), a);
    astro::ComputeCometPosition(kJde2000Jan6, south, NearComet(), b);
    ASSERT_TRUE(a.Valid);
    ASSERT_LT(a.Delta, 0.1);
    EXPECT_EQ(a.TopoRA, a.RA);
    EXPECT_EQ(a.TopoDec, a.Dec);
    EXPECT_EQ(a.TailRA, b.TailRA);
    EXPECT_EQ(a.TailDec, b.TailDec);

    // Corrected to the site, head and tail both move.
    astro::BodyPosition t;
    astro::ComputeCometPosition(kJde2000Jan6, TtSite(false), NearComet(), t);
    EXPECT_EQ(t.RA, a.RA);
    EXPECT_GT(SeparationArcsec(t.TopoRA, t.TopoDec, t.RA, t.Dec), 30.0);
    EXPECT_GT(SeparationArcsec(t.TailRA, t.TailDec, a.TailRA, a.TailDec), 30.0);
}

// The topocentric step uses the sidereal time of the moment computed (a track
// point hours away from the chart time must not borrow the chart's).
TEST_F(CometPositionTest, TopocentricStepUsesTheSiderealTimeOfTheMoment) {
    const astro::SiteContext site = TtSite(false);
    for (double jd : {kJde2000Jan6, kJde2000Jan6 + 0.3}) {
        astro::BodyPosition p;
        astro::ComputeCometPosition(jd, site, NearComet(), p);
        double ra = p.RA, dec = p.Dec;
        astro::TopocentricCorrectAt(site.lat_deg, astro::CalcLST(jd, site.lon_deg, site.zone_h), ra, dec, p.Delta);
        EXPECT_NEAR(p.TopoRA, ra, 1e-9) << jd;
        EXPECT_NEAR(p.TopoDec, dec, 1e-9) << jd;
    }
}

TEST_F(CometPositionTest, UnplaceableCometsAreInvalidNotStale) {
    auto& state = astro::SmallBodies();
    state.CometElementList = {Comet(kJd2024Jun1, 1.0, 0.5, 1, 2, 3), Comet(kJd2024Jun1, 0.0, 0.5, 1, 2, 3),
                              Comet(kJd2024Jun1, 1.0, std::nan(""), 1, 2, 3), astro::CometElements{},
                              Comet(kJd2024Jun1, 1.0, 0.5, 1, 2, 3)};
    state.CometElementList[1].Name = "zero q";
    state.CometElementList[4].H = 1e40;  // a magnitude beyond single precision
    // Earlier places must not survive into the new moment.
    state.CometPositions.assign(5, astro::BodyPosition{"old", true, 10, 20, 10, 20, 5, 90, 1, 1, 0, 0, 0});
    astro::ComputeAllComets(astro::MakeSmallBodyMoment(kJd2024Jun1, TtSite()), state.CometElementList,
                            state.CometPositions, state.CometFrames);
    ASSERT_EQ(state.CometPositions.size(), 5u);
    EXPECT_TRUE(state.CometPositions[0].Valid);
    for (size_t i = 1; i < 5; ++i) {
        const astro::BodyPosition& p = state.CometPositions[i];
        EXPECT_FALSE(p.Valid) << i;
        EXPECT_EQ(p.RA, 0.0) << i;
        EXPECT_EQ(p.Delta, 0.0) << i;
        EXPECT_EQ(p.Name, state.CometElementList[i].Name) << i;
    }
}

TEST_F(CometPositionTest, MissingSolverLibraryIsReportedAndLeavesNoStalePlaces) {
    auto& state = astro::SmallBodies();
    state.CometElementList = {Comet(kJd2024Jun1, 1.0, 0.5, 1, 2, 3), Comet(kJd2024Jun1, 2.0, 0.5, 1, 2, 3)};
    state.CometPositions.assign(2, astro::BodyPosition{"old", true, 10, 20, 10, 20, 5, 90, 1, 1, 0, 0, 0});
    orbsolve::ResetOrbsolveBinding("liborbsolve-missing.so");
    EXPECT_THROW(astro::ComputeAllComets(astro::MakeSmallBodyMoment(kJd2024Jun1, TtSite()), state.CometElementList,
                                         state.CometPositions, state.CometFrames),
                 platform::RunTimeError);
    for (const astro::BodyPosition& p : state.CometPositions) {
        EXPECT_FALSE(p.Valid);
        EXPECT_EQ(p.Name, "test");
    }
    // With no comets there is nothing to solve and nothing to report.
    state.CometElementList.clear();
    EXPECT_NO_THROW(astro::ComputeAllComets(kJd2024Jun1));
    EXPECT_TRUE(state.CometPositions.empty());
}

// Orbit frames kept from an earlier call must never leak into a call for
// another year or for changed elements.
TEST_F(CometPositionTest, KeptOrbitFramesFollowTheYearAndTheElements) {
    std::vector<astro::CometElements> list = {Comet(kJd2024Jun1, 1.0, 0.5, 10, 20, 30),
                                              Comet(kJd2024Jun1, 2.0, 1.0, 40, 50, 60)};
    std::vector<astro::BodyPosition> places;
    std::vector<astro::OrbitFrame> frames;
    auto expect_fresh = [&](double jd) {
        astro::ComputeAllComets(astro::MakeSmallBodyMoment(jd, TtSite()), list, places, frames);
        for (size_t i = 0; i < list.size(); ++i) {
            astro::BodyPosition fresh;
            astro::ComputeCometPosition(jd, TtSite(), list[i], fresh);
            EXPECT_EQ(places[i].RA, fresh.RA) << jd << " " << i;
            EXPECT_EQ(places[i].Dec, fresh.Dec) << jd << " " << i;
        }
    };
    expect_fresh(kJd2024Jun1);
    expect_fresh(kJd2025Jun1);   // another year
    list[0].Node_deg = 200;      // changed elements
    expect_fresh(kJd2025Jun1);
    list.erase(list.begin());    // a shorter list
    expect_fresh(kJd2025Jun1);
    EXPECT_EQ(frames.size(), 1u);
}

TEST_F(CometPositionTest, ModuleStateFollowsTheElementList) {
    auto& state = astro::SmallBodies();
    state.CometElementList = {Comet(kJd2025Jun1, 1.0, 0.5, 1, 2, 3), Comet(kJd2025Jun1, 2.0, 1.0, 1, 2, 3)};
    state.CometElementList[1].Name = "혜성";
    astro::ComputeAllComets(kJd2025Jun1);
    ASSERT_EQ(state.CometPositions.size(), 2u);
    EXPECT_EQ(state.CometPositions[1].Name, "혜성");
    EXPECT_TRUE(state.CometPositions[0].Valid);
    EXPECT_TRUE(state.CometPositions[1].Valid);
}

TEST_F(CometPositionTest, RedrawAtTheSameMomentReusesThePlaces) {
    auto& state = astro::SmallBodies();
    state.CometElementList = {Comet(kJd2025Jun1, 1.0, 0.5, 1, 2, 3)};
    astro::ComputeAllComets(kJd2025Jun1);
    ASSERT_TRUE(state.CometPositions[0].Valid);
    const float fresh_mag = state.CometPositions[0].Mag;
    // Mark the place: a reused place keeps the mark, a recomputed one loses it.
    const float kMark = 99.5f;
    state.CometPositions[0].Mag = kMark;
    astro::ComputeAllComets(kJd2025Jun1);
    EXPECT_EQ(state.CometPositions[0].Mag, kMark);
    // Another moment, another element or another site recomputes.
    astro::ComputeAllComets(kJd2025Jun1 + 1.0 / 1440);
    EXPECT_NE(state.CometPositions[0].Mag, kMark);
    astro::ComputeAllComets(kJd2025Jun1);
    EXPECT_EQ(state.CometPositions[0].Mag, fresh_mag);
    state.CometPositions[0].Mag = kMark;
    state.CometElementList[0].H = 7;
    astro::ComputeAllComets(kJd2025Jun1);
    EXPECT_NE(state.CometPositions[0].Mag, kMark);
    state.CometPositions[0].Mag = kMark;
    astro::Settings().psystem = !astro::Settings().psystem;
    astro::ComputeAllComets(kJd2025Jun1);
    EXPECT_NE(state.CometPositions[0].Mag, kMark);
    astro::Settings().psystem = !astro::Settings().psystem;
}

}  // namespace
