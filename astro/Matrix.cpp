#include "astro/Matrix.h"

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"

namespace astro {

void MatMul3(const Matrix3& a, const Matrix3& b, Matrix3& c) {
    Matrix3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    c = r;
}

void MakeRotX(double angle_deg, Matrix3& m) {
    const double c = CosD(angle_deg), s = SinD(angle_deg);
    m = {{{1.0, 0.0, 0.0}, {0.0, c, s}, {0.0, -s, c}}};
}

void MakeRotY(double angle_deg, Matrix3& m) {
    const double c = CosD(angle_deg), s = SinD(angle_deg);
    m = {{{c, 0.0, -s}, {0.0, 1.0, 0.0}, {s, 0.0, c}}};
}

void MakeRotZ(double angle_deg, Matrix3& m) {
    const double c = CosD(angle_deg), s = SinD(angle_deg);
    m = {{{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}}};
}

void ZeroMatrix(Matrix3& m) { m = Matrix3{}; }

void IdentityMatrix(Matrix3& m) { m = {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}}; }

void CopyMatrix(const Matrix3& source, Matrix3& destination) { destination = source; }

void MakeHorizonMatrix(double lat_deg, double lst_deg, Matrix3& m) {
    const double sp = SinD(lat_deg), cp = CosD(lat_deg);
    const double st = SinD(lst_deg), ct = CosD(lst_deg);
    m = {{{-sp * ct, -sp * st, cp}, {-st, ct, 0.0}, {cp * ct, cp * st, sp}}};
}

void MakeHorizonMatrixT(double lat_deg, double lst_deg, Matrix3& m) {
    Matrix3 h;
    MakeHorizonMatrix(lat_deg, lst_deg, h);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = h[j][i];
}

void MakeViewMatrix(double lon0_deg, double lat0_deg, Matrix3& m, bool mirror, double rotation_deg) {
    Matrix3 s;
    IdentityMatrix(s);
    if (mirror) {
        s[1][1] = -1.0;
        lon0_deg = -lon0_deg;
    }
    Matrix3 ry, rz, rx, t;
    MakeRotY(-lat0_deg, ry);
    MakeRotZ(lon0_deg, rz);
    MatMul3(ry, rz, t);
    MatMul3(t, s, t);
    MakeRotX(rotation_deg, rx);
    MatMul3(rx, t, m);
}

void MakePrecessionMatrix(double jd1, double jd2, Matrix3& m) {
    const double T = (jd1 - kJ2000) / kDaysPerJulianCentury;
    const double t = (jd2 - jd1) / kDaysPerJulianCentury;
    const double w = 2306.2181 + 1.39656 * T - 0.000139 * T * T;
    const double zeta = (w * t + (0.30188 - 0.000344 * T) * t * t + 0.017998 * t * t * t) / 3600.0;
    const double z = (w * t + (1.09468 + 0.000066 * T) * t * t + 0.018203 * t * t * t) / 3600.0;
    const double theta = ((2004.3109 - 0.8533 * T - 0.000217 * T * T) * t -
                          (0.42665 + 0.000217 * T) * t * t - 0.041833 * t * t * t) /
                         3600.0;
    Matrix3 a, b, c, ab;
    MakeRotZ(-z, a);
    MakeRotY(theta, b);
    MakeRotZ(-zeta, c);
    MatMul3(a, b, ab);
    MatMul3(ab, c, m);
}

}  // namespace astro
