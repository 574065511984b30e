#include "astro/AngleMath.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AstroConstants.h"

namespace astro {
namespace {

TEST(AngleMath, Norm360FoldsIntoHalfOpenRange) {
    struct Case {
        const char* name;
        double in, out;
    };
    const Case cases[] = {
        {"negative", -30, 330},        {"two turns", 720, 0},      {"full turn", 360, 0},
        {"tiny negative", -1e-15, 0},  {"just below 360", 359.999999, 359.999999},
        {"large negative", -1080.5, 359.5},
    };
    for (const Case& c : cases) {
        const double r = Norm360(c.in);
        EXPECT_NEAR(r, c.out, 1e-9) << c.name;
        EXPECT_GE(r, 0.0) << c.name;
        EXPECT_LT(r, 360.0) << c.name;
    }
    EXPECT_TRUE(std::isnan(Norm360(INFINITY)));
}

TEST(AngleMath, Atan2QuadrantsAndAxes) {
    EXPECT_NEAR(Atan2D(0, -1), 180.0, 1e-12);
    EXPECT_NEAR(Atan2D(-0.0001, -1), -179.99427, 1e-5);
    EXPECT_EQ(Atan2D(0, 0), 0.0);
    EXPECT_NEAR(Atan2D(1, 0), 90.0, 1e-12);
    EXPECT_NEAR(Atan2D(-1, 0), -90.0, 1e-12);
    EXPECT_NEAR(Atan2D(1, 1), 45.0, 1e-12);
    EXPECT_NEAR(Atan2D(-1, -1), -135.0, 1e-12);
    EXPECT_NEAR(radians::Atan2(0, -1), kPi, 0.0);
}

TEST(AngleMath, InverseTrigClampsAtBothEnds) {
    EXPECT_EQ(ArcSinD(1 + 1e-12), 90.0);
    EXPECT_EQ(ArcSinD(-1 - 1e-12), -90.0);
    EXPECT_EQ(ArcSinD(-1.0), -90.0);
    EXPECT_EQ(ArcCosD(-1 - 1e-12), 180.0);
    EXPECT_EQ(ArcCosD(1.0), 0.0);
    EXPECT_NEAR(ArcSinD(0.5), 30.0, 1e-12);
    EXPECT_NEAR(ArcCosD(0.5), 60.0, 1e-12);
    EXPECT_EQ(radians::ArcSin(-1.0), -kHalfPi);
    EXPECT_EQ(radians::ArcSin(2.0), kHalfPi);
    EXPECT_EQ(radians::ArcCos(-3.0), kPi);
    EXPECT_NEAR(AtnD(1.0), 45.0, 1e-12);
}

TEST(AngleMath, Log10OfAbsoluteValue) {
    EXPECT_NEAR(Log10(1000.0), 3.0, 1e-12);
    EXPECT_NEAR(Log10(-0.01), -2.0, 1e-12);
    EXPECT_TRUE(std::isnan(Log10(0.0)));
}

TEST(AngleMath, AxisRotationsTurnTheFrame) {
    double x = 1000, y = 0, z = 0;
    RotateAboutZ(x, y, z, 90);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, -1000, 1e-9);
    EXPECT_EQ(z, 0);

    x = 0, y = 1000, z = 7;
    RotateAboutX(x, y, z, 90);  // x untouched, y -> -z direction
    EXPECT_EQ(x, 0);
    EXPECT_NEAR(y, 7, 1e-9);
    EXPECT_NEAR(z, -1000, 1e-9);

    x = 1000, y = 5, z = 0;
    RotateAboutY(x, y, z, 90);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_EQ(y, 5);
    EXPECT_NEAR(z, 1000, 1e-9);
}

TEST(AngleMath, SphericalRoundTrips) {
    double x, y, z, lon, lat;
    SphericalToCartesian(0, 90, x, y, z);
    EXPECT_NEAR(z, 1000, 1e-9);
    VectorToSpherical(x, y, z, lon, lat);
    EXPECT_NEAR(lat, 90, 1e-6);
    SphericalToCartesian(0, -90, x, y, z);
    VectorToSpherical(x, y, z, lon, lat);  // the south pole must not fault
    EXPECT_NEAR(lat, -90, 1e-6);

    for (double l = 0; l < 360; l += 37.3)
        for (double b = -85; b <= 85; b += 17) {
            SphericalToCartesian(l, b, x, y, z);
            VectorToSpherical(x, y, z, lon, lat);
            EXPECT_NEAR(lon, l, 1e-9);
            EXPECT_NEAR(lat, b, 1e-9);
            CartesianToSpherical(x * 3.5, y * 3.5, z * 3.5, lon, lat);
            EXPECT_NEAR(lon, l, 1e-9);
            EXPECT_NEAR(lat, b, 1e-9);
        }
    CartesianToSpherical(0, 0, 0, lon, lat);
    EXPECT_TRUE(std::isnan(lon) && std::isnan(lat));
}

TEST(AngleMath, ThreePointInterpolation) {
    EXPECT_EQ(Interpolate3(2, 5, 11, 0), 5);
    EXPECT_NEAR(Interpolate3(2, 5, 11, 1), 11, 1e-12);
    EXPECT_NEAR(Interpolate3(2, 5, 11, -1), 2, 1e-12);

    const auto zero = InterpolateZero3(-1, 1, 3);
    ASSERT_TRUE(zero.has_value());
    EXPECT_NEAR(*zero, -0.5, 1e-12);
    // Parabola y = n^2 - 0.25 (y1 = 0.75, y2 = -0.25, y3 = 0.75) has zeros at +-0.5;
    // from n = 0 the iteration finds one of them.
    const auto z2 = InterpolateZero3(0.75, -0.25, 0.75);
    ASSERT_FALSE(z2.has_value());  // a + b + c n = 2n is zero at the start
    EXPECT_FALSE(InterpolateZero3(1, 1, 1).has_value());

    const auto ext = InterpolateExtremum3(1, 0, 1);
    ASSERT_TRUE(ext.has_value());
    EXPECT_EQ(ext->n, 0);
    EXPECT_EQ(ext->y, 0);
    EXPECT_FALSE(InterpolateExtremum3(1, 2, 3).has_value());
}

TEST(AngleMath, SphericalInterpolationCrossesZeroLongitude) {
    double lon, lat;
    InterpolateSpherical3(359, 10, 0, 10, 1, 10, 0.5, lon, lat);
    EXPECT_NEAR(lon, 0.5, 1e-3);
    EXPECT_NEAR(lat, 10, 1e-3);
    InterpolateSpherical3(359, 10, 0, 10, 1, 10, -0.5, lon, lat);
    EXPECT_NEAR(lon, 359.5, 1e-3);
}

}  // namespace
}  // namespace astro
