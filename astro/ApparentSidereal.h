#pragma once
// Local apparent sidereal time and the equation of time.
namespace astro {

// Local apparent sidereal time in hours 0..24: the mean sidereal time plus
// the equation of the equinoxes (nutation in longitude times cos of the mean
// obliquity), for a local civil Julian day, east longitude and zone in force.
double CalcApparentLST(double jd_local, double lon_east_deg, double zone_h);

// Equation of time (apparent minus mean Sun) in degrees, -180..180, for a
// Julian day of UT; four minutes of time per degree (Meeus 28.3).
double EquationOfTime(double jd_ut);

}  // namespace astro
