#pragma once
// Trigonometry in degrees, angle normalisation, frame rotations of one vector,
// direction vectors of length 1000 and three-point interpolation.
//
// Every angle here is in degrees, except in the nested namespace
// astro::radians, whose functions take or return radians.
#include <cmath>
#include <optional>

#include "astro/AstroConstants.h"

namespace astro {

// Sine, cosine, tangent of an angle in degrees. Inline, so that the sine and
// cosine of one angle are taken in one call (sincos, the same values).
inline double SinD(double angle_deg) { return std::sin(angle_deg * kDegToRad); }
inline double CosD(double angle_deg) { return std::cos(angle_deg * kDegToRad); }
inline double TanD(double angle_deg) { return std::tan(angle_deg * kDegToRad); }

// Arcsine in degrees, -90..90. The argument is clamped to [-1, 1] so that
// rounding (or the south pole of a frame) never faults.
double ArcSinD(double x);
// Arccosine in degrees, 0..180; the argument is clamped to [-1, 1].
double ArcCosD(double x);
// Arctangent in degrees, -90..90.
double AtnD(double x);
// Quadrant-correct arctangent of the point (x, y) in degrees, -180..180.
// x = 0 gives +-90 by the sign of y; both zero gives 0; y = 0 (also -0) with
// x < 0 gives +180.
double Atan2D(double y, double x);

// The angle folded into 0 <= result < 360 (360 itself, also from a tiny
// negative input, becomes 0). Non-finite input gives NaN.
double Norm360(double angle_deg);

// Decimal logarithm of |x|; NaN for x = 0.
double Log10(double x);

namespace radians {
// Arcsine in radians, -pi/2..pi/2; the argument is clamped to [-1, 1].
double ArcSin(double x);
// Arccosine in radians, 0..pi; the argument is clamped to [-1, 1].
double ArcCos(double x);
// Quadrant-correct arctangent of (x, y) in radians, -pi..pi (rules of Atan2D).
double Atan2(double y, double x);
}  // namespace radians

// Frame rotations by +a (degrees) about one axis, in place. The frame turns,
// so a fixed point moves the other way: RotateAboutZ((1000, 0, 0), 90) gives
// (0, -1000, 0). The component along the axis is neither read nor written.
void RotateAboutX(double& x, double& y, double& z, double a_deg);
void RotateAboutY(double& x, double& y, double& z, double a_deg);
void RotateAboutZ(double& x, double& y, double& z, double a_deg);

// Longitude and latitude (degrees, in any frame) to a direction vector of
// length 1000: x = 1000 cos(lon) cos(lat), y = 1000 sin(lon) cos(lat), z = 1000 sin(lat).
void SphericalToCartesian(double lon_deg, double lat_deg, double& x, double& y, double& z);
// A vector of length exactly 1000 (made by SphericalToCartesian and turned by
// rotations only) back to longitude 0..360 and latitude -90..90.
void VectorToSpherical(double x, double y, double z, double& lon_deg, double& lat_deg);
// A vector of any non-zero length back to longitude 0..360 and latitude.
// The zero vector gives NaN for both.
void CartesianToSpherical(double x, double y, double z, double& lon_deg, double& lat_deg);

// Three values y1, y2, y3 at equal steps; n counts steps from y2
// (n = -1 at y1, +1 at y3). Meeus, Astronomical Algorithms, ch. 3.
double Interpolate3(double y1, double y2, double y3, double n);
// Three positions (lon, lat in degrees) at equal steps interpolated at n
// through their direction vectors, so longitude may run across 0/360.
void InterpolateSpherical3(double lon1_deg, double lat1_deg, double lon2_deg, double lat2_deg,
                           double lon3_deg, double lat3_deg, double n, double& lon_deg,
                           double& lat_deg);
// The n at which the interpolating parabola through y1, y2, y3 is zero, by
// iteration from n = 0 (at most 101 steps, the last value kept). No value
// when the iteration divides by zero or leaves the finite numbers.
std::optional<double> InterpolateZero3(double y1, double y2, double y3);

struct Extremum3 {
    double n;  // position of the extremum in steps from y2
    double y;  // value there
};
// The extremum of the parabola through y1, y2, y3; no value for a straight line.
std::optional<Extremum3> InterpolateExtremum3(double y1, double y2, double y3);

}  // namespace astro
