#pragma once
// The calendar program's own Sun and Moon: the Earth from a truncation of
// VSOP87D (heliocentric ecliptic, mean equinox of date), the Moon from the
// ELP2000-82 truncation of Meeus, Astronomical Algorithms, ch. 47 (geocentric
// ecliptic, mean equinox of date), and the FK5 correction (Meeus 32.3).
// Every time argument is a Julian ephemeris day (TT); the callers convert.
#include <array>
#include <cstdint>

namespace calendar {

// The thirteen Earth series at tau = (jde - 2451545) / 365250, each already
// multiplied by tau^n: L and B in radians, R in AU.
double EarthL0(double tau);
double EarthL1(double tau);
double EarthL2(double tau);
double EarthL3(double tau);
double EarthL4(double tau);
double EarthL5(double tau);
double EarthB0(double tau);
double EarthB1(double tau);
double EarthR0(double tau);
double EarthR1(double tau);
double EarthR2(double tau);
double EarthR3(double tau);
double EarthR4(double tau);

// The Moon's periodic-term tables as eleven arrays (index 0 is the
// published row 1): D, M, M', F multipliers of table 47.A, those of 47.B,
// then the sums' coefficients sigma_l (1e-6 deg), sigma_r (1e-3 km) and
// sigma_b (1e-6 deg).
struct MoonTermArrays {
    std::array<double, 60> lon_d, lon_m, lon_mp, lon_f;
    std::array<double, 60> lat_d, lat_m, lat_mp, lat_f;
    std::array<double, 60> sigma_l, sigma_r, sigma_b;
};
void InitMoonTerms(MoonTermArrays& tables);

// Geocentric ecliptic longitude (radians, 0 <= lon < 2 pi), latitude
// (radians) and distance (km) of the Moon, mean equinox of date.
void MoonPositionELP(double jde, double& lon_rad, double& lat_rad, double& dist_km);

// Adds the FK5 correction (about -0.09" in longitude, at most 0.06" in
// latitude) to a VSOP87 longitude and latitude in degrees.
void VsopToFK5(double jde, double& lon_deg, double& lat_deg);

// Body codes of EclipticPosition.
inline constexpr std::uint8_t kBodyEarth = 2;
inline constexpr std::uint8_t kBodyMoon = 9;

// Ecliptic position: body 2, the heliocentric Earth (longitude 0..360 and
// latitude in degrees, radius vector in AU); body 9, the geocentric Moon
// (degrees, distance in AU). fk5 corrects the Earth only. Any other code
// gives the Earth.
void EclipticPosition(double jde, std::uint8_t body, bool fk5, double& lon_deg, double& lat_deg,
                      double& radius_au);

}  // namespace calendar
