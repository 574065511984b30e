#pragma once
// 3 by 3 rotation matrices between frames (see AstroConstants.h for the frames).
// Convention: v' = M v, M[row][column]. Axis rotations are frame rotations,
// identical to RotateAboutX/Y/Z, angles in degrees.
#include <array>

namespace astro {

using Matrix3 = std::array<std::array<double, 3>, 3>;

// c = a * b.
void MatMul3(const Matrix3& a, const Matrix3& b, Matrix3& c);

// (x, y, z) = m (x, y, z), in place. Runs for every drawn point.
inline void RotateVector(double& x, double& y, double& z, const Matrix3& m) {
    const double x0 = x, y0 = y, z0 = z;
    x = m[0][0] * x0 + m[0][1] * y0 + m[0][2] * z0;
    y = m[1][0] * x0 + m[1][1] * y0 + m[1][2] * z0;
    z = m[2][0] * x0 + m[2][1] * y0 + m[2][2] * z0;
}

void MakeRotX(double angle_deg, Matrix3& m);
void MakeRotY(double angle_deg, Matrix3& m);
void MakeRotZ(double angle_deg, Matrix3& m);
void ZeroMatrix(Matrix3& m);
void IdentityMatrix(Matrix3& m);
void CopyMatrix(const Matrix3& source, Matrix3& destination);

// Equatorial of date -> horizon frame for latitude lat_deg (north positive)
// and local sidereal angle lst_deg (degrees).
void MakeHorizonMatrix(double lat_deg, double lst_deg, Matrix3& m);
// Its transpose: horizon frame -> equatorial of date.
void MakeHorizonMatrixT(double lat_deg, double lst_deg, Matrix3& m);

// Base frame (horizon, equatorial, ...) -> view frame: the direction
// (lon0_deg, lat0_deg) ends on +x. mirror flips y (and the centre longitude)
// for the horizontal chart; rotation_deg is the chart rotation (MapRotation)
// applied about the view axis afterwards.
void MakeViewMatrix(double lon0_deg, double lat0_deg, Matrix3& m, bool mirror, double rotation_deg);

// Equatorial of the equinox of jd1 -> equatorial of the equinox of jd2,
// IAU 1976 precession for any starting epoch (Meeus, Astronomical Algorithms, 21.2).
void MakePrecessionMatrix(double jd1, double jd2, Matrix3& m);

}  // namespace astro
