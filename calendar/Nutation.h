#pragma once
// The calendar program's low-precision nutation: the four largest terms on
// the mean longitudes of the Sun and Moon and the Moon's node. The ecliptic
// and equatorial conversions with a given obliquity are astro's
// EquatorialToEcliptic and EclipticToEquatorial.
namespace calendar {

// Nutation in longitude and in obliquity, arcseconds, at jd_tt.
// At J2000.0: about -14.03" and -5.76".
void Nutation(double jd_tt, double& dpsi_arcsec, double& deps_arcsec);

}  // namespace calendar
