#pragma once
// The planet table: Sun, planets, Moon and Pluto placed for a local civil
// Julian day, with distances, elongation, phase, magnitude and apparent
// diameter; the Earth and Moon vectors that comets, asteroids and the Sun and
// Moon solvers use; the ecliptic conversions of date.
//
// Positions are for JDE = JDToJDE(jd_local - zone/24), corrected for light
// time (the body at JDE - tau), geometric otherwise: no nutation, no
// aberration. Frame: mean ecliptic and equinox of date; right ascension and
// declination by the mean obliquity of date.
#include <array>
#include <string>

#include "astro/SiteContext.h"

namespace astro {

inline constexpr int kPlanetCount = 10;
inline constexpr int kPlanetSun = 0;
inline constexpr int kPlanetSaturn = 5;
inline constexpr int kPlanetMoon = 8;
inline constexpr int kPlanetPluto = 9;

struct PlanetRecord {
    std::string Name;            // "해", "수성", ... "달", "명왕성"
    float Diameter1AU = 0;       // apparent diameter at 1 AU, arcseconds (the Moon: see Diameter)
    double HelioLon = 0;         // heliocentric ecliptic longitude 0..360 (0 for the Sun)
    double HelioLat = 0;
    double EclLon = 0;           // geocentric ecliptic longitude 0..360
    double EclLat = 0;
    double RA = 0;               // geocentric right ascension 0..360, degrees
    double Dec = 0;
    double TopoEclLon = 0;       // ecliptic place of TopoRA/TopoDec
    double TopoEclLat = 0;
    double TopoRA = 0;           // as shown: topocentric unless psystem
    double TopoDec = 0;
    float Diameter = 0;          // apparent diameter, arcseconds
    float Mag = 0;               // visual magnitude
    double Phase = 0;            // illuminated fraction 0..1
    double Elongation = 0;       // Sun-Earth-body angle 0..180
    double Delta = 0;            // distance from the Earth, AU
    double R = 0;                // distance from the Sun, AU (0 for the Sun)
};

using PlanetTableT = std::array<PlanetRecord, kPlanetCount>;

// Module state: the table of the chart moment, its JDE and the mean
// obliquity of that JDE (read by the ecliptic conversions of date).
struct PlanetState {
    PlanetTableT PlanetTable{};
    double JDE = 0;
    double Obliquity = 0;
};
PlanetState& Planets();
// Back to the start-up state: names and diameters set, JDE J2000.
void ResetPlanetState();

// Writes Name and Diameter1AU of every record.
void InitPlanetTable(PlanetTableT& table);
void InitPlanetTable();

struct Vec3Au {
    double x = 0, y = 0, z = 0;  // AU, ecliptic of date
};
// Heliocentric Earth at jde (the barycentre less the geocentric Moon /
// 82.300585, taken from the Earth's own series without the Moon's).
Vec3Au EarthHeliocentric(double jde);
// Heliocentric Earth and Moon at jde: the Earth of EarthHeliocentric, the
// Moon the Earth plus the geocentric Moon.
void EarthMoonHeliocentric(double jde, Vec3Au& earth, Vec3Au& moon);
// Geocentric ecliptic places of the Sun and the Moon at jde (degrees, AU).
void SunMoonGeocentric(double jde, double& sun_lon_deg, double& sun_lat_deg, double& sun_dist_au,
                       double& moon_lon_deg, double& moon_lat_deg, double& moon_dist_au);
// Topocentric right ascension and declination of the Sun for a local civil
// Julian day, whatever psystem says.
void SunTopocentricRaDec(double jd_local, const SiteContext& site, double& ra_deg, double& dec_deg);
void SunTopocentricRaDec(double jd_local, double& ra_deg, double& dec_deg);

// Visual magnitude of table body n at r (AU from the Sun), delta (AU from the
// Earth) and phase angle i (degrees). The Saturn ring term is the callers'.
double PlanetMagnitude(int n, double r_au, double delta_au, double phase_angle_deg);

struct PlanetTableResult {
    PlanetTableT table;
    double jde;
    double obliquity_deg;
};
// The whole table for a local civil Julian day, by value; no state is touched.
PlanetTableResult ComputePlanetTable(double jd_local, const SiteContext& site);
// Which rows of the table to compute.
using PlanetRows = std::array<bool, kPlanetCount>;
// Only the rows asked for and the Sun's (the others keep their names and
// diameters at 1 AU); every computed row equals that row of the whole table.
PlanetTableResult ComputePlanetRows(double jd_local, const SiteContext& site, const PlanetRows& rows);
// Fills the shared table, JDE and Obliquity for the chart moment.
void CalcPlanets(double jd_local);

struct PlanetPlace {
    double ra_deg;         // geocentric, or topocentric when asked
    double dec_deg;
    double mag;
    double delta_au;
    double jde;
    double obliquity_deg;
};
// One body's place at a moment; no state is touched.
PlanetPlace ComputePlanetPlace(int n, double jd_local, const SiteContext& site, bool topocentric = false);

// What the bodies of one moment share: the moment in TT, the mean obliquity,
// the local sidereal time and the Earth.
struct PlanetMoment {
    double jd_local = 0;       // local civil Julian day
    double jde = 0;            // JDToJDE of its UT
    double obliquity_deg = 0;  // mean obliquity of jde
    double lst_h = 0;          // local mean sidereal time, hours
    Vec3Au earth;              // heliocentric Earth at jde
};
PlanetMoment MakePlanetMoment(double jd_local, const SiteContext& site);
// The place of body n (0..kPlanetCount-1) at the moment; equal to
// ComputePlanetPlace(n, moment.jd_local, site, topocentric).
PlanetPlace ComputePlanetPlace(const PlanetMoment& moment, int n, const SiteContext& site, bool topocentric);
// One body's place at a moment (topocentric when asked, whatever psystem
// says); sets JDE and Obliquity, leaves the table alone.
void CalcOnePlanet(int n, double jd_local, bool topocentric, double& ra_deg, double& dec_deg, float& mag);

// Equatorial <-> ecliptic of date with the module's Obliquity.
void EquatorialToEclipticOfDate(double ra_deg, double dec_deg, double& lon_deg, double& lat_deg);
void EclipticToEquatorialOfDate(double lon_deg, double lat_deg, double& ra_deg, double& dec_deg);

}  // namespace astro
