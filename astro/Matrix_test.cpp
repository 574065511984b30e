#include "astro/Matrix.h"

#include <gtest/gtest.h>

#include "astro/AngleMath.h"

namespace astro {
namespace {

void ExpectVector(double x, double y, double z, double ex, double ey, double ez, double tol) {
    EXPECT_NEAR(x, ex, tol);
    EXPECT_NEAR(y, ey, tol);
    EXPECT_NEAR(z, ez, tol);
}

TEST(Matrix, AxisMatricesMatchTheVectorRotations) {
    const double angle = 33.3;
    Matrix3 m;
    double x = 100, y = 200, z = 300, x2 = 100, y2 = 200, z2 = 300;
    MakeRotX(angle, m);
    RotateVector(x, y, z, m);
    RotateAboutX(x2, y2, z2, angle);
    ExpectVector(x, y, z, x2, y2, z2, 1e-12);
    MakeRotY(angle, m);
    RotateVector(x, y, z, m);
    RotateAboutY(x2, y2, z2, angle);
    ExpectVector(x, y, z, x2, y2, z2, 1e-12);
    MakeRotZ(angle, m);
    RotateVector(x, y, z, m);
    RotateAboutZ(x2, y2, z2, angle);
    ExpectVector(x, y, z, x2, y2, z2, 1e-12);
}

TEST(Matrix, HorizonMatrix) {
    Matrix3 h, ht, product;
    for (double lst = 0; lst < 360; lst += 50) {
        MakeHorizonMatrix(90, lst, h);
        double x = 0, y = 0, z = 1000;
        RotateVector(x, y, z, h);
        ExpectVector(x, y, z, 0, 0, 1000, 1e-9);

        MakeHorizonMatrix(0, lst, h);
        SphericalToCartesian(lst, 0, x, y, z);
        RotateVector(x, y, z, h);
        ExpectVector(x, y, z, 0, 0, 1000, 1e-9);
    }
    MakeHorizonMatrix(35.82, 123.4, h);
    MakeHorizonMatrixT(35.82, 123.4, ht);
    MatMul3(ht, h, product);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(product[i][j], i == j ? 1.0 : 0.0, 1e-15);

    // The horizon matrix agrees with the azimuth and altitude of the converter:
    // north, east, zenith components of (RA 40, Dec 20) at LST 100 degrees, latitude 35.
    double x, y, z;
    SphericalToCartesian(40, 20, x, y, z);
    MakeHorizonMatrix(35, 100, h);
    RotateVector(x, y, z, h);
    double az, alt;
    VectorToSpherical(x, y, z, az, alt);
    const double hour_angle = 60;
    EXPECT_NEAR(alt, ArcSinD(SinD(35) * SinD(20) + CosD(35) * CosD(20) * CosD(hour_angle)), 1e-9);
    EXPECT_GT(az, 180);  // west of the meridian
}

TEST(Matrix, ViewMatrix) {
    Matrix3 v;
    MakeViewMatrix(0, 0, v, false, 0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(v[i][j], i == j ? 1.0 : 0.0, 1e-15);
    double x = 300, y = 400, z = 500;
    MakeViewMatrix(0, 0, v, true, 0);
    RotateVector(x, y, z, v);
    ExpectVector(x, y, z, 300, -400, 500, 1e-12);

    // The centre direction lands on +x, with and without mirror and rotation.
    for (bool mirror : {false, true}) {
        MakeViewMatrix(123, 28.5, v, mirror, 17);
        SphericalToCartesian(123, 28.5, x, y, z);
        RotateVector(x, y, z, v);
        ExpectVector(x, y, z, 1000, 0, 0, 1e-9);
    }
}

TEST(Matrix, PrecessionMatrix) {
    Matrix3 p, back, product;
    MakePrecessionMatrix(2451545, 2451545, p);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(p[i][j], i == j ? 1.0 : 0.0, 1e-15);
    MakePrecessionMatrix(2451545, 2469807.5, p);
    MakePrecessionMatrix(2469807.5, 2451545, back);
    MatMul3(back, p, product);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(product[i][j], i == j ? 1.0 : 0.0, 1e-12);
}

}  // namespace
}  // namespace astro
