#include "astro/AngleMath.h"

#include <cmath>

#include "astro/AstroConstants.h"

namespace astro {

double ArcSinD(double x) {
    if (x >= 1.0) return 90.0;
    if (x <= -1.0) return -90.0;
    return std::atan(x / std::sqrt(1.0 - x * x)) * kRadToDeg;
}

double ArcCosD(double x) {
    if (x <= -1.0) return 180.0;
    if (x >= 1.0) return 0.0;
    return 90.0 - std::atan(x / std::sqrt(1.0 - x * x)) * kRadToDeg;
}

double AtnD(double x) { return std::atan(x) * kRadToDeg; }

namespace radians {

double ArcSin(double x) {
    if (x >= 1.0) return kHalfPi;
    if (x <= -1.0) return -kHalfPi;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double ArcCos(double x) {
    if (x <= -1.0) return kPi;
    if (x >= 1.0) return 0.0;
    return kHalfPi - std::atan(x / std::sqrt(1.0 - x * x));
}

double Atan2(double y, double x) {
    if (x > 0.0) return std::atan(y / x);
    if (x < 0.0) return y >= 0.0 ? std::atan(y / x) + kPi : std::atan(y / x) - kPi;
    if (y > 0.0) return kHalfPi;
    if (y < 0.0) return -kHalfPi;
    return 0.0;
}

}  // namespace radians

double Atan2D(double y, double x) { return radians::Atan2(y, x) * kRadToDeg; }

double Norm360(double angle_deg) {
    if (!std::isfinite(angle_deg)) return std::nan("");
    const double r = angle_deg - std::floor(angle_deg / 360.0) * 360.0;
    return (r >= 360.0 || r < 0.0) ? 0.0 : r;
}

double Log10(double x) {
    if (x == 0.0) return std::nan("");
    return std::log(std::fabs(x)) / kLn10;
}

void RotateAboutX(double& /*x*/, double& y, double& z, double a_deg) {
    const double c = CosD(a_deg), s = SinD(a_deg);
    const double y1 = y * c + z * s;
    const double z1 = -y * s + z * c;
    y = y1;
    z = z1;
}

void RotateAboutY(double& x, double& /*y*/, double& z, double a_deg) {
    const double c = CosD(a_deg), s = SinD(a_deg);
    const double x1 = x * c - z * s;
    const double z1 = x * s + z * c;
    x = x1;
    z = z1;
}

void RotateAboutZ(double& x, double& y, double& /*z*/, double a_deg) {
    const double c = CosD(a_deg), s = SinD(a_deg);
    const double x1 = x * c + y * s;
    const double y1 = -x * s + y * c;
    x = x1;
    y = y1;
}

void SphericalToCartesian(double lon_deg, double lat_deg, double& x, double& y, double& z) {
    const double cb = CosD(lat_deg);
    x = kVectorLength * CosD(lon_deg) * cb;
    y = kVectorLength * SinD(lon_deg) * cb;
    z = kVectorLength * SinD(lat_deg);
}

void VectorToSpherical(double x, double y, double z, double& lon_deg, double& lat_deg) {
    lon_deg = Norm360(Atan2D(y, x));
    lat_deg = ArcSinD(z / kVectorLength);
}

void CartesianToSpherical(double x, double y, double z, double& lon_deg, double& lat_deg) {
    const double r = std::sqrt(x * x + y * y + z * z);
    if (!(r > 0.0) || !std::isfinite(r)) {
        lon_deg = lat_deg = std::nan("");
        return;
    }
    lon_deg = Norm360(Atan2D(y, x));
    lat_deg = ArcSinD(z / r);
}

double Interpolate3(double y1, double y2, double y3, double n) {
    const double a = y2 - y1, b = y3 - y2, c = b - a;
    return y2 + (n / 2.0) * (a + b + n * c);
}

void InterpolateSpherical3(double lon1_deg, double lat1_deg, double lon2_deg, double lat2_deg,
                           double lon3_deg, double lat3_deg, double n, double& lon_deg,
                           double& lat_deg) {
    double x1, y1, z1, x2, y2, z2, x3, y3, z3;
    SphericalToCartesian(lon1_deg, lat1_deg, x1, y1, z1);
    SphericalToCartesian(lon2_deg, lat2_deg, x2, y2, z2);
    SphericalToCartesian(lon3_deg, lat3_deg, x3, y3, z3);
    CartesianToSpherical(Interpolate3(x1, x2, x3, n), Interpolate3(y1, y2, y3, n),
                         Interpolate3(z1, z2, z3, n), lon_deg, lat_deg);
}

std::optional<double> InterpolateZero3(double y1, double y2, double y3) {
    const double a = y2 - y1, b = y3 - y2, c = b - a;
    double n = 0.0;
    for (int step = 1;; ++step) {
        const double denominator = a + b + c * n;
        if (denominator == 0.0) return std::nullopt;
        const double next = -2.0 * y2 / denominator;
        if (!std::isfinite(next)) return std::nullopt;
        if (std::fabs(n - next) <= 1e-6 || step >= kMaxIterations) return next;
        n = next;
    }
}

std::optional<Extremum3> InterpolateExtremum3(double y1, double y2, double y3) {
    const double a = y2 - y1, b = y3 - y2, c = b - a;
    if (c == 0.0 || !std::isfinite(c)) return std::nullopt;
    return Extremum3{-(a + b) / (2.0 * c), y2 - (a + b) * (a + b) / (8.0 * c)};
}

}  // namespace astro
