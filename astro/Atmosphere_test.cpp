#include "astro/Atmosphere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"

namespace astro {
namespace {

class AtmosphereTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAtmosphere(); }
    void TearDown() override { ResetAtmosphere(); }
};

TEST_F(AtmosphereTest, RefractionTable) {
    const RefractionTableT t = MakeRefractionTable(10, 1010);  // factor exactly 1
    EXPECT_NEAR(t[5], 0.4831, 1e-4);                            // true altitude 0
    EXPECT_NEAR(t[3], 0.7424, 1e-4);                            // -2 degrees
    EXPECT_EQ(t[0], t[3]);
    EXPECT_EQ(t[1], t[3]);
    EXPECT_EQ(t[2], t[3]);
    EXPECT_NEAR(t[95], 0.0, 1e-9);  // the zenith
    for (int i = 4; i < 95; ++i) EXPECT_GT(t[i], t[i + 1]) << i;

    // Out-of-range weather falls back to the defaults instead of dividing by zero.
    EXPECT_EQ(MakeRefractionTable(-273, 1013), MakeRefractionTable(15, 1013));
    EXPECT_EQ(MakeRefractionTable(15, 0), MakeRefractionTable(15, 1013));
    EXPECT_EQ(MakeRefractionTable(NAN, NAN), MakeRefractionTable(15, 1013));
    EXPECT_NE(MakeRefractionTable(-30, 1030), MakeRefractionTable(15, 1013));

    // Saemundsson's formula and Bennett's are inverse to each other within 0.2'.
    for (double h = 0; h <= 80; h += 5) {
        const double r = RefractionTrue(h, 1010, 10);
        EXPECT_NEAR(RefractionApparent(h + r, 1010, 10), r, 0.2 / 60) << h;
    }
    EXPECT_EQ(RefractionApparent(90, 1010, 10), 0.0);
    EXPECT_EQ(RefractionTrue(-2.5, 1010, 10), 0.0);
}

// The table lift by the letter of the method: to azimuth and altitude, add the
// interpolated refraction, back to a vector.
void ReferenceRefraction(const RefractionTableT& t, double& x, double& y, double& z) {
    double az, h;
    VectorToSpherical(x, y, z, az, h);
    const int i = static_cast<int>(std::floor(h)) + 5;
    double r = 0;
    if (i >= 0 && i <= 94) {
        const double d = h + 5 - i;
        r = (1 - d) * t[i] + d * t[i + 1];
    }
    SphericalToCartesian(az, h + r, x, y, z);
}

TEST_F(AtmosphereTest, ApplyRefractionKeepsAzimuthAndLength) {
    BuildRefractionTable(10, 1010);
    const RefractionTableT& t = Atmosphere().RefractionTable;
    for (double h = -6.0; h <= 90.0; h += 0.37) {
        for (double az : {0.0, 77.0, 200.0}) {
            double x, y, z, rx, ry, rz;
            SphericalToCartesian(az, h, x, y, z);
            rx = x, ry = y, rz = z;
            ApplyRefraction(x, y, z);
            ReferenceRefraction(t, rx, ry, rz);
            EXPECT_NEAR(x, rx, 1e-8) << h;
            EXPECT_NEAR(y, ry, 1e-8) << h;
            EXPECT_NEAR(z, rz, 1e-8) << h;
        }
    }
    double x, y, z, az, h;
    SphericalToCartesian(30, -4.5, x, y, z);
    ApplyRefraction(x, y, z);
    VectorToSpherical(x, y, z, az, h);
    EXPECT_NEAR(h, -4.5 + t[0], 1e-9);
    EXPECT_NEAR(az, 30, 1e-9);

    for (double unchanged : {-5.5, 90.0}) {
        SphericalToCartesian(30, unchanged, x, y, z);
        const double x0 = x, y0 = y, z0 = z;
        ApplyRefraction(x, y, z);
        EXPECT_EQ(x, x0);
        EXPECT_EQ(y, y0);
        EXPECT_EQ(z, z0);
    }
}

// The refraction as first written, with std::asin for the altitude.
void AsinRefraction(const RefractionTableT& table, double& x, double& y, double& z) {
    const double sin_h = z / kVectorLength;
    if (!(sin_h > -1.0 && sin_h < 1.0)) return;
    const double h_deg = std::asin(sin_h) * kRadToDeg;
    const double floor_h = std::floor(h_deg);
    const int i = static_cast<int>(floor_h) - kAtmosphereTableLowestAltitude;
    if (i < 0 || i > kAtmosphereTableSize - 2) return;
    const double d = h_deg - floor_h;
    const double r = ((1.0 - d) * table[i] + d * table[i + 1]) * kDegToRad;
    const double rho = std::sqrt(x * x + y * y);
    if (r == 0.0 || rho == 0.0) return;
    const double h = std::asin(sin_h) + r;
    x *= kVectorLength * std::cos(h) / rho;
    y *= kVectorLength * std::cos(h) / rho;
    z = kVectorLength * std::sin(h);
}

TEST_F(AtmosphereTest, TableArcSinMovesNoPoint) {
    const RefractionTableT table = MakeRefractionTable(-30, 1050);  // the strongest refraction of the sites
    double worst_arcsec = 0;
    for (int n = 0; n <= 200000; ++n) {
        const double h = -6.0 + 96.0 * n / 200000.0;
        const double az = 0.37 * n;
        double x = kVectorLength * CosD(h) * CosD(az), y = kVectorLength * CosD(h) * SinD(az), z = kVectorLength * SinD(h);
        double rx = x, ry = y, rz = z;
        ApplyRefraction(table, x, y, z);
        AsinRefraction(table, rx, ry, rz);
        const double dx = x - rx, dy = y - ry, dz = z - rz;
        worst_arcsec = std::max(worst_arcsec, std::sqrt(dx * dx + dy * dy + dz * dz) / kVectorLength * kRadToDeg * 3600);
    }
    EXPECT_LT(worst_arcsec, 1e-5);
    // The arcsine itself, densely and at the ends of both branches.
    for (int n = 0; n <= 1000000; ++n) {
        const double s = n / 1000000.0 * (1 - 1e-12);
        ASSERT_NEAR(RefractionArcSinD(s), std::asin(s) * kRadToDeg, 6e-10) << s;
    }
    for (double s : {0.0, 0.5, 0.75, 0.7500001, 0.999999, 0.0871557427, 1e-300}) {
        EXPECT_NEAR(RefractionArcSinD(s), std::asin(s) * kRadToDeg, 6e-10) << s;
        EXPECT_NEAR(RefractionArcSinD(-s), -std::asin(s) * kRadToDeg, 6e-10) << s;
    }
}

TEST_F(AtmosphereTest, PointsBelowTheLargestRefractionStayBelowTheHorizon) {
    const RefractionTableT table = MakeRefractionTable(-30, 1050);
    const double largest = LargestRefraction(table);
    EXPECT_EQ(largest, table[0]);
    for (double h = -largest - 1e-7; h > -largest - 0.5; h -= 0.001) {
        double x = kVectorLength * CosD(h), y = 0, z = kVectorLength * SinD(h);
        ApplyRefraction(table, x, y, z);
        EXPECT_LT(z, 0) << h;
    }
}

TEST_F(AtmosphereTest, AirmassAndExtinction) {
    EXPECT_EQ(Airmass(90), 1.0f);
    EXPECT_NEAR(Airmass(30), 1.995, 0.01);  // Hardie: about 2 air masses at 30 degrees
    EXPECT_NEAR(Airmass(3.0), Airmass(2.999999), 0.05);
    EXPECT_NEAR(Airmass(3.0), 13.33, 0.1);

    BuildExtinctionTable(0.28f);
    const ExtinctionTableT& t = Atmosphere().ExtinctionTable;
    EXPECT_EQ(ExtinctionAt(90.5), 0.0f);
    EXPECT_EQ(ExtinctionAt(90.0), t[95]);
    EXPECT_EQ(ExtinctionAt(89.9), t[94]);
    EXPECT_EQ(ExtinctionAt(-5.1), 0.0f);
    EXPECT_EQ(ExtinctionAt(-4.5), t[0]);
    EXPECT_EQ(ExtinctionAt(NAN), 0.0f);
    EXPECT_NEAR(ExtinctionAt(30.2), 0.28 * (Airmass(30) - 1), 1e-6);
}

TEST_F(AtmosphereTest, AnnualAberrationMeeus23a) {
    // theta Persei, 2028 Nov 13.19 TD: d(alpha) = +30.045", d(delta) = +6.697".
    double ra, dec;
    AnnualAberration(41.5472, 49.3485, 2462088.69, 231.328, ra, dec);
    EXPECT_NEAR((ra - 41.5472) * 3600, 30.045, 0.1);
    EXPECT_NEAR((dec - 49.3485) * 3600, 6.697, 0.1);
}

}  // namespace
}  // namespace astro
