#pragma once
// Constants shared by the computing core. Each is named here once.
//
// Frames of direction vectors (length kVectorLength):
//   equatorial (of J2000 or of date): x to RA 0 on the equator, y to RA 90, z to the north pole;
//   ecliptic (of J2000 or of date):   x to longitude 0, y to longitude 90, z to the ecliptic pole;
//   galactic:                         x to l = 0, y to l = 90, z to the galactic pole;
//   horizon:                          x to the north point, y to the east point, z to the zenith
//                                     (azimuth counts from north through east);
//   view:                             x to the chart centre, y and z across it.

namespace astro {

// The core's own pi and the factors derived from it. The truncated value is
// deliberate: every angle conversion of the chart uses these factors, so
// published example values of this system come out the same.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kHalfPi = 1.5707963267949;
inline constexpr double kDegToRad = 0.017453292519943278;
inline constexpr double kRadToDeg = 57.29577951308238;
inline constexpr double kLn10 = 2.30258509299405;

// Length of every direction vector.
inline constexpr double kVectorLength = 1000.0;

// Epoch J2000.0 as a Julian day (TT for positions, UT for sidereal time).
inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kDaysPerJulianCentury = 36525.0;
inline constexpr double kDaysPerJulianMillennium = 365250.0;

// Exactly this angle or time in degrees means "no value"; formatters print "--".
inline constexpr double kNoValue = 375.0;

// Rise, transit and set: no event for this day.
inline constexpr double kNoEventDay = -1.0;     // day fraction, and hours from PlanetRiseSet / SunRiseSetEvents
inline constexpr double kNoEventFixed = -24.0;  // hours from FixedRiseSet

// Plane coordinate that marks a projected point as off every drawing.
inline constexpr double kFarPoint = 1000001.0;
inline constexpr double kFarPointThreshold = 100000.0;

// Physical constants of the positional computations.
inline constexpr double kSpeedOfLightAuPerDay = 173.144632684657;
inline constexpr double kAuKm = 149597870.691;
inline constexpr double kEarthEquatorialRadiusKm = 6378.137;
inline constexpr double kEarthEquatorialRadiusM = 6378137.0;
inline constexpr double kEarthPolarRadiusM = 6335439.327069441;  // as used for the site's geocentric place
inline constexpr double kEarthFlatteningSquareFactor = 0.993305619974836;  // (1 - f)^2
inline constexpr double kEarthMoonMassRatio = 82.300585;  // Earth mass / Moon mass, for the barycentre
inline constexpr double kEarthRadiiPerAu = 23454.780029;
inline constexpr double kMoonRadiusKm = 1738.0;
inline constexpr double kMoonMeanDistanceKm = 384400.0;
inline constexpr double kMoonSemiDiameterAtMeanDistanceDeg = 0.2602361;
// Beyond this distance (AU) the diurnal parallax is not applied.
inline constexpr double kTopocentricLimitAu = 1758.8;

// Solar aberration: 0.0056916111 / R degrees, R the Sun's distance in AU.
inline constexpr double kSolarAberrationDegAu = 0.0056916111;
// Mean solar aberration used with the mean longitude.
inline constexpr double kMeanSolarAberrationDeg = 0.0057183;
// Mean motions, degrees per day.
inline constexpr double kSunMeanMotionDegPerDay = 0.9856473590852142;
inline constexpr double kSunMeanMotionFastDegPerDay = 0.985647359085214;
inline constexpr double kMoonSynodicMotionDegPerDay = 12.190749387105;

// Iterative solvers stop after this many steps and keep their last value.
inline constexpr int kMaxIterations = 101;

}  // namespace astro
