#include "astro/RiseSet.h"

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/SkySettings.h"

namespace astro {

namespace {

constexpr double kPoleCosLatitude = 0.000174532924314941;
constexpr double kAltitudeTolerance = 0.001;
constexpr double kHourAngleTolerance = 0.001;
constexpr double kSiderealRateDegPerDay = 360.985647366292;

struct Positions {
    EquatorialPlace p1, p2, p3;
    EquatorialPlace At(double n) const {
        EquatorialPlace p;
        InterpolateSpherical3(p1.ra_deg, p1.dec_deg, p2.ra_deg, p2.dec_deg, p3.ra_deg, p3.dec_deg, n, p.ra_deg,
                              p.dec_deg);
        return p;
    }
};

// Corrects a rise (rising = true) or set time m until the altitude is h0.
// Returns -1 when it does not settle.
//
// The direction follows which side of h0 the object is on. The length is
// Newton's (the altitude error over its rate of change, Meeus 15), held to
// half the way to the next meridian passage ahead so that it can never jump
// across a culmination to the other event. A shorter step of
// |h - h0| cos(dec) / cos(lat) / 360 days alone falls short of Newton's by
// cos^2(dec) |sin H| and, for stars near the pole seen from low latitudes
// (cos^2(dec) of a few hundredths), has not settled after 101 steps, which
// would report a star that is up for 17 hours as never rising or setting.
double CorrectRiseOrSet(const Positions& positions, double m, double theta0, double h0, double lat_deg,
                        bool rising) {
    const double c = std::fabs(lat_deg) == 90.0 ? kPoleCosLatitude : CosD(lat_deg);
    double n = m - 0.5;
    for (int step = 1;; ++step) {
        const EquatorialPlace p = positions.At(n);
        const double sidereal = SiderealAtN(theta0, m);
        const double h = AltitudeAt(p.ra_deg, p.dec_deg, sidereal, lat_deg);
        if (!std::isfinite(h)) return kNoEventDay;
        const bool later = rising ? (h0 >= h) : !(h0 > h);
        const double hour_angle = Norm360(sidereal - p.ra_deg);
        const double past_meridian = std::fmod(hour_angle, 180.0);  // since the last culmination
        const double ahead_deg = later ? 180.0 - past_meridian : (past_meridian > 0.0 ? past_meridian : 180.0);
        const double newton = std::fabs(h - h0) / (kSiderealRateDegPerDay * c * CosD(p.dec_deg) *
                                                   std::fabs(SinD(hour_angle)));
        const double limit = 0.5 * ahead_deg / kSiderealRateDegPerDay;
        const double s = h == h0 ? 0.0 : std::min(newton, limit);
        n += later ? s : -s;
        m = n + 0.5;
        if (std::fabs(h0 - h) < kAltitudeTolerance) return m;
        if (step >= kMaxIterations || !std::isfinite(m)) return kNoEventDay;
    }
}

double InDay(double m) { return (m >= 0.0 && m <= 1.0) ? m : kNoEventDay; }

// A day fraction of the solver as hours of local time; no event stays -1.
double HoursOrNone(double m) { return m >= 0.0 ? m * 24.0 : kNoEventDay; }

// The settings' zone, place system and Delta T with the caller's site.
SiteContext SiteAt(double lat_deg, double lon_east_deg) {
    SiteContext site = CurrentSite();
    site.lat_deg = lat_deg;
    site.lon_deg = lon_east_deg;
    return site;
}

}  // namespace

double StandardAltitude(int kind) {
    switch (kind) {
        case 0: return -0.5667;
        case 1: return -0.8333;
        case 2: return 0.125;
        case 3: return -6.0;
        case 4: return -12.0;
        case 5: return -18.0;
        default: return 0.0;
    }
}

double LocalSiderealDeg(double jd_local, double lon_east_deg, double zone_h) {
    const double u = jd_local - zone_h / 24.0;
    const double t = (u - kJ2000) / kDaysPerJulianCentury;
    const double theta = Norm360(280.46061837 + 360.98564736629 * (u - kJ2000) + 0.000387933 * t * t -
                                 t * t * t / 38710000.0);
    return Norm360(theta + lon_east_deg);
}

double SiderealAtN(double theta0_deg, double m) { return theta0_deg + kSiderealRateDegPerDay * m; }

double AltitudeAt(double ra_deg, double dec_deg, double theta_deg, double lat_deg) {
    return ArcSinD(SinD(lat_deg) * SinD(dec_deg) + CosD(lat_deg) * CosD(dec_deg) * CosD(theta_deg - ra_deg));
}

bool RiseSetEstimate(double jd_local, double ra_deg, double dec_deg, double h0_deg, double lat_deg,
                     double lon_east_deg, double zone_h, double& m1, double& m0, double& m2) {
    const double cos_h0 =
        (SinD(h0_deg) - SinD(lat_deg) * SinD(dec_deg)) / (CosD(lat_deg) * CosD(dec_deg));
    const double theta0 = LocalSiderealDeg(RoundToHalf(jd_local), lon_east_deg, zone_h);
    m0 = Norm360(ra_deg - theta0) / 360.0;
    if (!(cos_h0 >= -1.0 && cos_h0 <= 1.0)) return false;
    const double h0 = ArcCosD(cos_h0);
    m1 = Norm360(360.0 * m0 - h0) / 360.0;
    m2 = Norm360(360.0 * m0 + h0) / 360.0;
    return true;
}

void CalcRiseTransitSet(double jd_local, double lat_deg, double lon_east_deg, double zone_h, int kind,
                        const EquatorialPlace& p1, const EquatorialPlace& p2, const EquatorialPlace& p3,
                        double& rise, double& transit, double& set) {
    const double h0 = StandardAltitude(kind);
    const double j0 = RoundToHalf(jd_local);
    const double theta0 = LocalSiderealDeg(j0, lon_east_deg, zone_h);
    const Positions positions{p1, p2, p3};
    double m0 = 0.0, m1 = 0.0, m2 = 0.0;
    bool crosses = false;
    // The middle position decides whenever it crosses h0; otherwise the
    // estimate of the first or third is kept.
    crosses |= RiseSetEstimate(jd_local, p1.ra_deg, p1.dec_deg, h0, lat_deg, lon_east_deg, zone_h, m1, m0, m2);
    crosses |= RiseSetEstimate(jd_local, p3.ra_deg, p3.dec_deg, h0, lat_deg, lon_east_deg, zone_h, m1, m0, m2);
    crosses |= RiseSetEstimate(jd_local, p2.ra_deg, p2.dec_deg, h0, lat_deg, lon_east_deg, zone_h, m1, m0, m2);

    double n = m0 - 0.5;
    for (int step = 1;; ++step) {
        const EquatorialPlace p = positions.At(n);
        const double theta = Norm360(SiderealAtN(theta0, m0));
        const double w = ArcSinD(SinD(theta - p.ra_deg));
        n -= w / 360.0;
        m0 = n + 0.5;
        if (!(std::fabs(w) >= kHourAngleTolerance) || step >= kMaxIterations) break;
    }
    transit = std::isfinite(m0) ? InDay(m0) : kNoEventDay;

    if (!crosses) {
        rise = set = kNoEventDay;
        return;
    }
    rise = InDay(CorrectRiseOrSet(positions, m1, theta0, h0, lat_deg, true));
    set = InDay(CorrectRiseOrSet(positions, m2, theta0, h0, lat_deg, false));
}

void PlanetRiseSet(double jd_local, double lat_deg, double lon_east_deg, int body, double& rise,
                   double& transit, double& set) {
    const double j0 = RoundToHalf(jd_local);
    const SiteContext site = SiteAt(lat_deg, lon_east_deg);
    EquatorialPlace p[3];
    for (int k = 0; k < 3; ++k) {
        const PlanetPlace place = ComputePlanetPlace(body, j0 - 0.5 + k, site);
        p[k] = {place.ra_deg, place.dec_deg};
    }
    const int kind = body == 0 ? 1 : body == 8 ? 2 : 0;
    CalcRiseTransitSet(jd_local, lat_deg, lon_east_deg, site.zone_h, kind, p[0], p[1], p[2], rise, transit, set);
    rise = HoursOrNone(rise);
    transit = HoursOrNone(transit);
    set = HoursOrNone(set);
}

bool FixedRiseSet(double jd_local, double lat_deg, double lon_east_deg, double ra_deg, double dec_deg,
                  double& rise, double& set, double& transit) {
    const EquatorialPlace p{ra_deg, dec_deg};
    CalcRiseTransitSet(jd_local, lat_deg, lon_east_deg, Settings().timezone, 0, p, p, p, rise, transit, set);
    rise *= 24.0;
    set *= 24.0;
    transit *= 24.0;
    return rise < 0.0 && set < 0.0;
}

int SunRiseSetEvents(double jd_local, double lat_deg, double lon_east_deg, int kind, double& rise,
                     double& set, double& transit) {
    return SunRiseSetEvents(jd_local, SiteAt(lat_deg, lon_east_deg), kind, rise, set, transit);
}

int SunRiseSetEvents(double jd_local, const SiteContext& site, int kind, double& rise, double& set,
                     double& transit) {
    const double j0 = RoundToHalf(jd_local);
    EquatorialPlace p[3];
    for (int k = 0; k < 3; ++k) SunTopocentricRaDec(j0 - 0.5 + k, site, p[k].ra_deg, p[k].dec_deg);
    CalcRiseTransitSet(jd_local, site.lat_deg, site.lon_deg, site.zone_h, kind, p[0], p[1], p[2], rise, transit,
                       set);
    rise = HoursOrNone(rise);
    set = HoursOrNone(set);
    transit = HoursOrNone(transit);
    return 0;
}

}  // namespace astro
