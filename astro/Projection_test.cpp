#include "astro/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/AngleMath.h"

namespace astro {
namespace {

TEST(Projection, StereographicRadius) {
    double x = 0, y = 1000, z = 0;
    StereographicScale(x, y, z);
    EXPECT_NEAR(y, 2000, 1e-9);
    EXPECT_EQ(x, 0);

    x = 1000, y = 0, z = 0;
    StereographicScale(x, y, z);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(z, 0);

    // Radius 2000 tan(t/2) in the direction of (y, z), for a table of distances.
    for (double t = 1; t < 179; t += 7) {
        const double dir = 37;
        x = 1000 * CosD(t);
        y = 1000 * SinD(t) * CosD(dir);
        z = 1000 * SinD(t) * SinD(dir);
        StereographicScale(x, y, z);
        const double r = 2000 * std::tan(t / 2 * std::numbers::pi / 180);
        if (r > 100000) continue;
        EXPECT_NEAR(std::hypot(y, z), r, 1e-7 * r) << t;
        EXPECT_NEAR(Atan2D(z, y), dir, 1e-9) << t;
    }
}

TEST(Projection, FarPointsNeverLandOnTheCentre) {
    double x = 1000 * CosD(179.9), y = 1000 * SinD(179.9), z = 0;
    StereographicScale(x, y, z);
    EXPECT_EQ(y, 1000001);

    x = 1000 * CosD(179.9), y = -1000 * SinD(179.9), z = 0;
    StereographicScale(x, y, z);
    EXPECT_EQ(y, -1000001);

    x = -1000, y = 0, z = 0;
    StereographicScale(x, y, z);
    EXPECT_EQ(std::fabs(y), 1000001);
    EXPECT_EQ(std::fabs(z), 1000001);

    x = NAN, y = 5, z = 5;
    StereographicScale(x, y, z);
    EXPECT_EQ(std::fabs(y), 1000001);
    x = 0, y = INFINITY, z = 0;
    StereographicScale(x, y, z);
    EXPECT_EQ(y, 1000001);
    x = INFINITY, y = 0, z = 0;  // not the centre
    StereographicScale(x, y, z);
    EXPECT_EQ(std::fabs(y), 1000001);
    EXPECT_EQ(std::fabs(z), 1000001);
}

}  // namespace
}  // namespace astro
