#pragma once
// Conversions between equatorial, horizontal, ecliptic and galactic
// coordinates, precession, nutation, distances and position angles.
// Angles in degrees; right ascension in degrees 0..360; sidereal time in
// hours where the name says _h. Azimuth counts from north through east;
// latitude is positive north.
namespace astro {

// Equatorial of date -> horizontal (azimuth 0..360, altitude), no refraction.
void EquatorialToHorizontal(double ra_deg, double dec_deg, double lst_h, double lat_deg, double& az_deg,
                            double& alt_deg);
// Horizontal -> equatorial of date (RA 0..360).
void HorizontalToEquatorial(double az_deg, double alt_deg, double lst_h, double lat_deg, double& ra_deg,
                            double& dec_deg);

// Equatorial -> ecliptic with an explicit obliquity (longitude 0..360).
void EquatorialToEcliptic(double ra_deg, double dec_deg, double obliquity_deg, double& lon_deg,
                          double& lat_deg);
// Ecliptic -> equatorial with an explicit obliquity; RA is left in -180..180.
void EclipticToEquatorial(double lon_deg, double lat_deg, double obliquity_deg, double& ra_deg,
                          double& dec_deg);

// Galactic (l, b) -> equatorial J2000; RA is 192.85948 +- 180, not folded.
void GalacticToEquatorial(double l_deg, double b_deg, double& ra_deg, double& dec_deg);

// J2000 place with proper motion (arcseconds per year; RA motion as a plain
// change of RA) -> place of the equinox of jd, IAU 1976 angles (Meeus 21.3).
// RA is not folded.
void PrecessFromJ2000(double jd, double ra2000_deg, double dec2000_deg, float pm_ra_arcsec_yr,
                      float pm_dec_arcsec_yr, double& ra_deg, double& dec_deg);
// Precession of a place from the equinox of jd_from to that of jd_to through
// the rotation matrix; RA 0..360.
void PrecessByMatrix(double jd_from, double jd_to, double ra_deg, double dec_deg, double& ra_out_deg,
                     double& dec_out_deg);

// Nutation in longitude and obliquity (arcseconds) at jde, the largest terms
// of the IAU 1980 series (Meeus ch. 22).
void CalcNutation(double jde, double& dpsi_arcsec, double& deps_arcsec);

// Great-circle distance 0..180 of two points of one spherical frame; exactly
// 0 for equal points.
double AngularSeparation(double lon1_deg, double lat1_deg, double lon2_deg, double lat2_deg);
// Unsigned difference of two directions, 0..180.
double AngleDistance(double a_deg, double b_deg);
// Bearing of point 2 seen from point 1, from north through east, 0..360.
double PositionAngle(double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg);
double PositionAngleTan(double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg);
// Parallactic angle 0..360 of a horizontal place; lst in degrees.
double ParallacticAngleAltAz(double az_deg, double alt_deg, double lst_deg, double lat_deg);

}  // namespace astro
