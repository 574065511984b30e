#include "astro/SiteContext.h"

#include "astro/SkySettings.h"

namespace astro {

SiteContext CurrentSite() {
    const SkySettings& s = Settings();
    SiteContext site;
    site.lon_deg = s.lon;
    site.lat_deg = s.lat;
    site.zone_h = s.timezone;
    site.geocentric = s.psystem;
    site.delta_t = DeltaTChoice{s.UserDeltaT, s.DeltaT};
    return site;
}

double JDToJDE(double jd_ut) {
    const SkySettings& s = Settings();
    return JDToJDE(jd_ut, DeltaTChoice{s.UserDeltaT, s.DeltaT});
}

}  // namespace astro
