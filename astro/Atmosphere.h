#pragma once
// Refraction and extinction tables (one entry per whole degree of altitude
// from -5 to 90, entry i for altitude i - 5), the direct refraction formulas,
// air mass and annual aberration. Altitudes in degrees.
#include <array>
#include <cmath>

#include "astro/AstroConstants.h"

namespace astro {

inline constexpr int kAtmosphereTableSize = 96;
inline constexpr int kAtmosphereTableLowestAltitude = -5;

using RefractionTableT = std::array<double, kAtmosphereTableSize>;   // degrees
using ExtinctionTableT = std::array<float, kAtmosphereTableSize>;    // magnitudes

// Module state: built at start-up, the refraction table again after the
// site dialog, the extinction table after the settings dialog. Until then it
// holds the tables of the default settings (15 C, 1013 hPa, k = 0.28).
struct AtmosphereState {
    RefractionTableT RefractionTable{};
    ExtinctionTableT ExtinctionTable{};
};
AtmosphereState& Atmosphere();
void ResetAtmosphere();

// Refraction in degrees to add to a true altitude (Saemundsson's formula,
// Meeus 16.4, with a constant that makes it 0 at the zenith); 0 below -2
// degrees. Temperature (C) outside -90..60 or pressure (hPa) outside
// 100..1100 is taken as the default 15 C / 1013 hPa.
double RefractionTrue(double alt_deg, float pressure_hpa, float temperature_c);
// Refraction in degrees for an apparent altitude (Bennett's formula, Meeus 16.3).
double RefractionApparent(double alt_deg, float pressure_hpa, float temperature_c);

RefractionTableT MakeRefractionTable(float temperature_c, float pressure_hpa);
// Fills the module's refraction table.
void BuildRefractionTable(float temperature_c, float pressure_hpa);

// Raises a horizon-frame vector of length 1000 by the refraction of the table,
// interpolated between whole degrees; below -5 degrees and from 90 degrees up
// the vector is unchanged. The azimuth and the length are kept.
void ApplyRefraction(const RefractionTableT& table, double& x, double& y, double& z);
void ApplyRefraction(double& x, double& y, double& z);

// Air mass: Hardie's formula from 3 degrees up, a polynomial below.
float Airmass(double alt_deg);
ExtinctionTableT MakeExtinctionTable(float k_mag_per_airmass);
// Fills the module's extinction table with k (X - 1).
void BuildExtinctionTable(float k_mag_per_airmass);
// Extinction in magnitudes at an altitude (the entry of its whole degree, no
// interpolation); 0 below -5 and above 90 degrees.
float ExtinctionAt(double alt_deg);

// Annual aberration of an equatorial place of date (Meeus 23.3, kappa = 20.49552").
// sun_lon_deg is the Sun's geocentric longitude. The results are not folded.
void AnnualAberration(double ra_deg, double dec_deg, double jde, double sun_lon_deg, double& ra_out_deg,
                      double& dec_out_deg);

// Arcsine in degrees for the refraction of drawn points, from a table of the
// arcsine and its slope at 512 steps per unit of sine, interpolated by cubic
// Hermite polynomials: up to a sine of 0.75 from the sine itself, above from
// the cosine (the arcsine is steep there, its complement is not). The error
// stays below 1e-11 rad (2e-6"), so no drawn point moves. Each table entry is
// {arcsine in degrees, slope in degrees per step}.
inline constexpr int kArcSinStepsPerUnit = 512;
inline constexpr double kArcSinTableTop = 0.75;
inline constexpr int kArcSinTableSize = 386;  // 0 .. 0.75 and one entry beyond
extern const std::array<std::array<double, 2>, kArcSinTableSize> kArcSinTableDeg;

inline double TableArcSinD(double a) {  // 0 <= a <= kArcSinTableTop
    const double x = a * kArcSinStepsPerUnit;
    const int k = static_cast<int>(x);
    const double t = x - k, u = 1.0 - t;
    const auto& p = kArcSinTableDeg[k];
    const auto& q = kArcSinTableDeg[k + 1];
    return u * u * ((1.0 + 2.0 * t) * p[0] + t * p[1]) + t * t * ((3.0 - 2.0 * t) * q[0] - u * q[1]);
}

inline double RefractionArcSinD(double s) {  // -1 < s < 1
    const double a = std::fabs(s);
    const double h = a <= kArcSinTableTop ? TableArcSinD(a) : 90.0 - TableArcSinD(std::sqrt((1.0 - a) * (1.0 + a)));
    return s < 0 ? -h : h;
}

// The largest lift of a refraction table, degrees: a point further below the
// horizon than this stays below it after refraction.
double LargestRefraction(const RefractionTableT& table);

// Runs for every drawn point, so it is inline and free of trigonometry.
inline void ApplyRefraction(const RefractionTableT& table, double& x, double& y, double& z) {
    double sin_h = z / kVectorLength;
    if (!(sin_h > -1.0 && sin_h < 1.0)) return;  // at a pole of the horizon frame, or not a number
    const double h_deg = RefractionArcSinD(sin_h);
    const double floor_h = std::floor(h_deg);
    const int i = static_cast<int>(floor_h) - kAtmosphereTableLowestAltitude;
    if (i < 0 || i > kAtmosphereTableSize - 2) return;
    const double d = h_deg - floor_h;
    const double r_rad = ((1.0 - d) * table[i] + d * table[i + 1]) * kDegToRad;
    const double rho = std::sqrt(x * x + y * y);
    if (r_rad == 0.0 || rho == 0.0) return;
    // sin and cos of the refraction (under 0.02 rad) by their series; the
    // error is below 1e-11 and the per-point path stays free of trigonometry.
    const double r2 = r_rad * r_rad;
    const double sin_r = r_rad * (1.0 - r2 / 6.0);
    const double cos_r = 1.0 - r2 / 2.0 * (1.0 - r2 / 12.0);
    const double cos_h = rho / kVectorLength;
    const double sin_new = sin_h * cos_r + cos_h * sin_r;
    const double cos_new = cos_h * cos_r - sin_h * sin_r;
    const double scale = kVectorLength * cos_new / rho;
    x *= scale;
    y *= scale;
    z = kVectorLength * sin_new;
}

}  // namespace astro
