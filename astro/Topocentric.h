#pragma once
// Diurnal parallax: geocentric -> topocentric right ascension and declination,
// computed on vectors in Earth radii (Meeus ch. 11 and 40).
namespace astro {

// Geocentric place of a site: rho (distance from the Earth's centre in
// equatorial radii) and the geocentric latitude (degrees) of a geographic
// latitude (degrees) at a height (metres) on the reference ellipsoid.
void ObserverGeocentric(double lat_deg, double height_m, double& rho, double& lat_geocentric_deg);

// Replaces ra, dec (degrees, of date) by the place seen from a site at
// latitude lat_deg, height 0, for the local sidereal time lst_h (hours) and a
// body at dist_au from the Earth's centre. Bodies beyond 1758.8 AU are left
// unchanged.
void TopocentricCorrectAt(double lat_deg, double lst_h, double& ra_deg, double& dec_deg, double dist_au);
// The same for the site of Settings().
void TopocentricCorrect(double lst_h, double& ra_deg, double& dec_deg, double dist_au);

}  // namespace astro
