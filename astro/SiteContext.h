#pragma once
// What the sky computations read of the settings, as one value: the pure
// computations take it as a parameter, the procedures of the chart read it
// from Settings() through CurrentSite().
#include "astro/DeltaT.h"

namespace astro {

struct SiteContext {
    double lon_deg = 128.46;     // East positive
    double lat_deg = 35.82;      // North positive
    double zone_h = 9;           // time zone in force, hours
    bool geocentric = true;      // psystem: true shows geocentric places
    DeltaTChoice delta_t;
};

// The site, zone, place system and Delta T choice of Settings().
SiteContext CurrentSite();

// Julian ephemeris day of a Julian day of UT with the Delta T of Settings()
// (the user's DeltaT while UserDeltaT is on).
double JDToJDE(double jd_ut);

}  // namespace astro
