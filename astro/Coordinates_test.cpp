#include "astro/Coordinates.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"

namespace astro {
namespace {

constexpr double kArcsec = 1.0 / 3600.0;

TEST(Coordinates, HorizontalReferenceAndPoles) {
    // Meeus example 13.b: Venus from Washington, 1987 April 10 19:21 UT.
    double az, alt;
    const double lst_h = (128.736887 - 77.065556) / 15.0;  // apparent sidereal time 8h34m56.853s
    EquatorialToHorizontal(347.3193375, -6.719892, lst_h, 38.921389, az, alt);
    EXPECT_NEAR(az, 68.0337 + 180.0, 1e-3);
    EXPECT_NEAR(alt, 15.1249, 1e-3);

    for (double ra = 0; ra < 360; ra += 45) {
        EquatorialToHorizontal(ra, 23.5, 5.0, 90, az, alt);
        EXPECT_NEAR(alt, 23.5, 1e-9);
    }
    EquatorialToHorizontal(75, 0, 5.0, 0, az, alt);  // on the meridian at the equator
    EXPECT_NEAR(alt, 90, 1e-6);

    double ra, dec;
    HorizontalToEquatorial(0, 90, 7.5, 35.82, ra, dec);
    EXPECT_NEAR(dec, 35.82, 1e-9);
    EXPECT_NEAR(ra, 112.5, 1e-9);
    HorizontalToEquatorial(az = 123.4, alt = 40.0, 3.3, 35.82, ra, dec);
    double az2, alt2;
    EquatorialToHorizontal(ra, dec, 3.3, 35.82, az2, alt2);
    EXPECT_NEAR(az2, 123.4, 1e-9);
    EXPECT_NEAR(alt2, 40.0, 1e-9);
}

TEST(Coordinates, EclipticAndGalactic) {
    // Meeus example 13.a: Pollux.
    double lon, lat;
    EquatorialToEcliptic(116.328942, 28.026183, 23.4392911, lon, lat);
    EXPECT_NEAR(lon, 113.215630, 1e-5);
    EXPECT_NEAR(lat, 6.684170, 1e-5);
    double ra, dec;
    EclipticToEquatorial(lon, lat, 23.4392911, ra, dec);
    EXPECT_NEAR(ra, 116.328942, 1e-9);
    EXPECT_NEAR(dec, 28.026183, 1e-9);
    EclipticToEquatorial(200, 0, 23.44, ra, dec);  // left in -180..180
    EXPECT_LT(ra, 0);

    GalacticToEquatorial(0, 0, ra, dec);  // the galactic centre
    EXPECT_NEAR(ra, 266.40, 0.01);
    EXPECT_NEAR(dec, -28.94, 0.01);
    GalacticToEquatorial(0, 90, ra, dec);  // the galactic pole
    EXPECT_NEAR(dec, 27.12825, 1e-4);
}

TEST(Coordinates, Precession) {
    // Meeus example 21.b: theta Persei to 2028 Nov 13.19 TD, from the place with
    // proper motion applied and from the J2000 place with its proper motion.
    double ra, dec;
    PrecessFromJ2000(2462088.69, 41.054063, 49.227750, 0, 0, ra, dec);
    EXPECT_NEAR(ra, 41.547214, 0.1 * kArcsec * 15);
    EXPECT_NEAR(dec, 49.348483, 0.1 * kArcsec);
    PrecessFromJ2000(2462088.69, 41.0499417, 49.2284667, 0.03425f * 15.0f, -0.0895f, ra, dec);
    EXPECT_NEAR(ra, 41.547214, 0.1 * kArcsec * 15);
    EXPECT_NEAR(dec, 49.348483, 0.1 * kArcsec);
    PrecessFromJ2000(2451545.0, 41.054063, 49.227750, 0.5f, -0.09f, ra, dec);
    EXPECT_NEAR(ra, 41.054063, 1e-12);
    EXPECT_NEAR(dec, 49.227750, 1e-12);

    // Matrix precession agrees with the angle formulas and returns to the start.
    double ra_m, dec_m, ra_back, dec_back;
    PrecessByMatrix(2451545.0, 2462088.69, 41.054063, 49.227750, ra_m, dec_m);
    PrecessFromJ2000(2462088.69, 41.054063, 49.227750, 0, 0, ra, dec);
    EXPECT_NEAR(ra_m, ra, 1e-8);
    EXPECT_NEAR(dec_m, dec, 1e-8);
    PrecessByMatrix(2451545.0, 2469807.5, 310.0, -75.0, ra_m, dec_m);
    PrecessByMatrix(2469807.5, 2451545.0, ra_m, dec_m, ra_back, dec_back);
    EXPECT_NEAR(ra_back, 310.0, 1e-9);
    EXPECT_NEAR(dec_back, -75.0, 1e-9);
}

TEST(Coordinates, NutationMeeus22a) {
    double dpsi, deps;
    CalcNutation(2446895.5, dpsi, deps);
    EXPECT_NEAR(dpsi, -3.788, 0.5);  // truncated series: a few tenths of an arcsecond
    EXPECT_NEAR(deps, 9.443, 0.5);
}

TEST(Coordinates, DistancesAndAngles) {
    // Meeus example 17.a: Arcturus - Spica.
    EXPECT_NEAR(AngularSeparation(213.9154, 19.1825, 201.2983, -11.1614), 32.7930, 1e-4);
    EXPECT_EQ(AngularSeparation(12.3, 45.6, 12.3, 45.6), 0.0);
    EXPECT_NEAR(AngularSeparation(0, 0, 180, 0), 180.0, 1e-12);
    EXPECT_NEAR(AngleDistance(350, 10), 20.0, 1e-9);
    EXPECT_EQ(AngleDistance(7, 7), 0.0);

    EXPECT_NEAR(PositionAngle(0, 0, 0, 10), 0.0, 1e-9);
    EXPECT_NEAR(PositionAngle(0, 0, 10, 0), 90.0, 1e-9);
    EXPECT_NEAR(PositionAngle(10, 0, 0, 0), 270.0, 1e-9);
    EXPECT_NEAR(PositionAngleTan(30, 20, 35, 25), PositionAngle(30, 20, 35, 25), 1e-9);

    // On the meridian south of the zenith the parallactic angle is 0.
    EXPECT_NEAR(std::remainder(ParallacticAngleAltAz(180, 40, 100, 35), 360.0), 0.0, 1e-6);
}

}  // namespace
}  // namespace astro
