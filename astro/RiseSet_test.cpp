#include "astro/RiseSet.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/JulianDay.h"
#include "astro/SkySettings.h"

namespace astro {
namespace {

constexpr double kSiderealRate = 360.985647366292;  // degrees per day
constexpr double kLat = 35.82, kLon = 128.46, kZone = 9;

class RiseSetTest : public ::testing::Test {
protected:
    void SetUp() override { Settings() = SkySettings{}; }
    void TearDown() override { Settings() = SkySettings{}; }
};

// Closed-form times for a fixed place: hour angle zero for the transit and
// +-H0 for the set and rise (Meeus 15.1), in hours of local time.
struct Closed {
    double rise, transit, set;
};
Closed ClosedForm(double jd_local, double ra, double dec, double lat = kLat) {
    const double theta0 = LocalSiderealDeg(RoundToHalf(jd_local), kLon, kZone);
    const double h0 = ArcCosD((SinD(-0.5667) - SinD(lat) * SinD(dec)) / (CosD(lat) * CosD(dec)));
    return {Norm360(ra - h0 - theta0) / kSiderealRate * 24, Norm360(ra - theta0) / kSiderealRate * 24,
            Norm360(ra + h0 - theta0) / kSiderealRate * 24};
}

TEST_F(RiseSetTest, FixedStarsAgreeWithTheClosedForm) {
    const double jd = DateToJD(2024, 3, 20, 15, 0, 0);
    struct Star {
        const char* name;
        double ra, dec;
    };
    const Star stars[] = {{"Sirius", 101.287, -16.716}, {"Vega", 279.234, 38.784}, {"Spica", 201.298, -11.161},
                          {"Capella", 79.172, 45.998}};
    for (const Star& s : stars) {
        double rise, set, transit;
        EXPECT_FALSE(FixedRiseSet(jd, kLat, kLon, s.ra, s.dec, rise, set, transit)) << s.name;
        const Closed c = ClosedForm(jd, s.ra, s.dec);
        EXPECT_NEAR(transit, c.transit, 5.0 / 3600) << s.name;
        EXPECT_NEAR(rise, c.rise, 30.0 / 3600) << s.name;
        EXPECT_NEAR(set, c.set, 30.0 / 3600) << s.name;
    }
}

// Stars close to a celestial pole seen from low latitudes rise and set, and
// spend most of the day above (or below) the horizon; their corrections
// settle slowly when the step is shorter than Newton's.
TEST_F(RiseSetTest, StarsNearThePoleSeenFromTheTropics) {
    const double jd = DateToJD(2024, 3, 20, 15, 0, 0);
    struct Case {
        double lat, ra, dec;
    };
    const Case cases[] = {
        {5.4, 37, 80.7}, {5.4, 37, 83.66}, {12.7, 37, -77.66}, {12.7, 200, 76.26}, {20, 37, -70.26},
        {34.6, 37, -55.83}, {1.0, 300, 88.3},
    };
    for (const Case& c : cases) {
        double rise, set, transit;
        EXPECT_FALSE(FixedRiseSet(jd, c.lat, kLon, c.ra, c.dec, rise, set, transit)) << c.lat << " " << c.dec;
        const Closed closed = ClosedForm(jd, c.ra, c.dec, c.lat);
        EXPECT_NEAR(rise, closed.rise, 30.0 / 3600) << c.lat << " " << c.dec;
        EXPECT_NEAR(set, closed.set, 30.0 / 3600) << c.lat << " " << c.dec;
    }
}

// Over latitudes and declinations: a reported rise or set lies on the
// standard altitude, and every place that crosses it gets both events.
TEST_F(RiseSetTest, EveryCrossingPlaceRisesAndSetsOnTheStandardAltitude) {
    const double jd = DateToJD(2024, 3, 20, 0, 0, 0);
    const double ra = 37;
    const double theta0 = LocalSiderealDeg(RoundToHalf(jd), kLon, kZone);
    for (double lat = -89.5; lat < 90; lat += 7.3) {
        for (double dec = -89.5; dec < 90; dec += 0.37) {
            double rise, set, transit;
            const bool never = FixedRiseSet(jd, lat, kLon, ra, dec, rise, set, transit);
            const double cos_h0 = (SinD(-0.5667) - SinD(lat) * SinD(dec)) / (CosD(lat) * CosD(dec));
            ASSERT_EQ(never, !(cos_h0 > -1 && cos_h0 < 1)) << lat << " " << dec;
            for (double event : {rise, set}) {
                if (event < 0) continue;
                const double h = AltitudeAt(ra, dec, SiderealAtN(theta0, event / 24), lat);
                ASSERT_NEAR(h, -0.5667, 0.0015) << lat << " " << dec << " " << event;
            }
        }
    }
}

TEST_F(RiseSetTest, CircumpolarAndNeverRising) {
    const double jd = DateToJD(2024, 3, 20, 0, 0, 0);
    double rise, set, transit;
    EXPECT_TRUE(FixedRiseSet(jd, kLat, kLon, 37.95, 89.26, rise, set, transit));  // Polaris
    EXPECT_EQ(rise, kNoEventFixed);
    EXPECT_EQ(set, kNoEventFixed);
    EXPECT_NEAR(transit, ClosedForm(jd, 37.95, 89.26).transit, 5.0 / 3600);

    EXPECT_TRUE(FixedRiseSet(jd, kLat, kLon, 138.30, -69.72, rise, set, transit));  // Miaplacidus at 35.8 N
    EXPECT_EQ(rise, kNoEventFixed);
    EXPECT_EQ(set, kNoEventFixed);
    EXPECT_GE(transit, 0);

    for (double pole : {90.0, -90.0}) {
        EXPECT_TRUE(FixedRiseSet(jd, pole, kLon, 100, pole > 0 ? 10 : -10, rise, set, transit));
        EXPECT_EQ(rise, kNoEventFixed);
        EXPECT_EQ(set, kNoEventFixed);
        EXPECT_TRUE(std::isfinite(transit));
    }
}

TEST_F(RiseSetTest, SolverOnAMovingBody) {
    // A body moving 1 degree a day in right ascension: its transit comes later
    // than that of a fixed place at the noon position by about 4 minutes per degree
    // of the motion up to the transit.
    const double jd = DateToJD(2024, 3, 20, 12, 0, 0);
    const EquatorialPlace p1{99, 5}, p2{100, 5}, p3{101, 5};
    double rise, transit, set;
    CalcRiseTransitSet(jd, kLat, kLon, kZone, 0, p1, p2, p3, rise, transit, set);
    ASSERT_GE(transit, 0);
    const double fixed_m0 = ClosedForm(jd, 100, 5).transit / 24;
    const double ra_at_transit = 100 + (transit - 0.5);
    EXPECT_NEAR(transit, ClosedForm(jd, ra_at_transit, 5).transit / 24, 10.0 / 86400);
    EXPECT_NE(transit, fixed_m0);
    EXPECT_GT(rise, 0);
    EXPECT_GT(set, 0);

    EXPECT_EQ(StandardAltitude(1), -0.8333);
    EXPECT_EQ(StandardAltitude(5), -18.0);
    EXPECT_EQ(StandardAltitude(9), 0.0);
}

}  // namespace
}  // namespace astro
