#pragma once
// Rise, upper transit and set for the civil day that contains a moment
// (Meeus, Astronomical Algorithms, ch. 15, three positions one day apart with
// iterative corrections). Site: latitude north positive, longitude east
// positive, degrees; zone in hours (summer time included).
//
// Day fractions count from local midnight (0..1); the sky chart's callers get
// hours of local civil time. No event for this day: -1 (kNoEventDay), or -24
// (kNoEventFixed) from FixedRiseSet. A correction that does not settle within
// 101 steps, or an object that crosses the standard altitude at none of the
// three positions, is no event.
#include "astro/SiteContext.h"

namespace astro {

// Standard altitude h0 of a kind: 0 stars and planets (-0.5667), 1 the Sun's
// upper limb (-0.8333), 2 the Moon (0.125), 3..5 civil, nautical and
// astronomical twilight (-6, -12, -18); any other kind 0.
double StandardAltitude(int kind);

// Local mean sidereal angle in degrees 0..360.
double LocalSiderealDeg(double jd_local, double lon_east_deg, double zone_h);
// theta0 + 360.985647366292 m.
double SiderealAtN(double theta0_deg, double m);
// Altitude of (ra, dec) at the sidereal angle theta for latitude lat.
double AltitudeAt(double ra_deg, double dec_deg, double theta_deg, double lat_deg);

// First estimates of rise m1, transit m0 and set m2 (day fractions). m0 is
// always written; m1 and m2 only when the object crosses h0, and then the
// result is true.
bool RiseSetEstimate(double jd_local, double ra_deg, double dec_deg, double h0_deg, double lat_deg,
                     double lon_east_deg, double zone_h, double& m1, double& m0, double& m2);

struct EquatorialPlace {
    double ra_deg;
    double dec_deg;
};

// The solver: positions at the local noons J0 - 0.5, J0 + 0.5, J0 + 1.5 (J0 the
// civil midnight of jd_local). Results are day fractions 0..1 or -1.
void CalcRiseTransitSet(double jd_local, double lat_deg, double lon_east_deg, double zone_h, int kind,
                        const EquatorialPlace& p1, const EquatorialPlace& p2, const EquatorialPlace& p3,
                        double& rise, double& transit, double& set);

// A body of the planet table (index 0..9): hours of local time or -1. The
// Sun takes kind 1, the Moon kind 2, every other body kind 0. The shared
// planet table is left as it was.
void PlanetRiseSet(double jd_local, double lat_deg, double lon_east_deg, int body, double& rise,
                   double& transit, double& set);
// A fixed place: hours of local time, -24 for no event. Returns true exactly
// when the place neither rises nor sets that day.
bool FixedRiseSet(double jd_local, double lat_deg, double lon_east_deg, double ra_deg, double dec_deg,
                  double& rise, double& set, double& transit);
// The Sun's topocentric place with the standard altitude of kind (1 sunrise and
// sunset, 3..5 twilights): hours of local time or -1. Returns 0.
int SunRiseSetEvents(double jd_local, double lat_deg, double lon_east_deg, int kind, double& rise,
                     double& set, double& transit);
// The same at `site` (its latitude, longitude, zone, place system and Delta
// T), reading no settings.
int SunRiseSetEvents(double jd_local, const SiteContext& site, int kind, double& rise, double& set,
                     double& transit);

}  // namespace astro
