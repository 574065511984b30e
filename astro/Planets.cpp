#include "astro/Planets.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/Plan404.h"
#include "astro/Topocentric.h"

namespace astro {

namespace {

struct BodyInfo {
    const char* name;
    float diameter_1au_arcsec;
    int plan404_code;  // 0: the Sun (origin); -1: the Moon (through EarthMoonHeliocentric)
};

constexpr std::array<BodyInfo, kPlanetCount> kBodies{{
    {"해", 1919.26f, 0},
    {"수성", 6.72f, 1},
    {"금성", 16.68f, 2},
    {"화성", 9.36f, 4},
    {"목성", 197.14f, 5},
    {"토성", 166.2f, 6},
    {"천왕성", 70.48f, 7},
    {"해왕성", 68.28f, 8},
    {"달", 1873.7f, -1},
    {"명왕성", 3.3f, 9},
}};

constexpr double kSaturnRingEpochJd = 2451543.5;

double Length(const Vec3Au& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Vec3Au Plan404Vector(int code, double jde) {
    PlanetData data{jde, 0.0, 0.0, 0.0, code};
    Plan404(data);
    const double cb = std::cos(data.B);
    return {data.R * cb * std::cos(data.L), data.R * cb * std::sin(data.L), data.R * std::sin(data.B)};
}

// The light-time corrected geometry of one body seen from the Earth at jde.
struct BodyGeometry {
    double helio_lon = 0, helio_lat = 0, r = 0;
    Vec3Au d;          // geocentric vector, AU
    double delta = 0;  // |d|
    double tau = 0;    // light time, days
};

BodyGeometry Geometry(int n, double jde, const Vec3Au& earth) {
    BodyGeometry g;
    for (int pass = 0; pass < 2; ++pass) {
        g.helio_lon = g.helio_lat = g.r = 0.0;
        Vec3Au p;
        const int code = kBodies[n].plan404_code;
        if (code > 0) {
            p = Plan404Vector(code, jde - g.tau);
        } else if (code < 0) {
            Vec3Au e, m;
            EarthMoonHeliocentric(jde - g.tau, e, m);
            p = m;
        }
        if (n != kPlanetSun) {
            g.r = Length(p);
            g.helio_lon = Norm360(Atan2D(p.y, p.x));
            g.helio_lat = ArcSinD(p.z / g.r);
        }
        g.d = {p.x - earth.x, p.y - earth.y, p.z - earth.z};
        g.delta = Length(g.d);
        g.tau = g.delta / kSpeedOfLightAuPerDay;
    }
    return g;
}

void EquatorialOf(const BodyGeometry& g, double eps_deg, double& ra_deg, double& dec_deg) {
    const double ce = CosD(eps_deg), se = SinD(eps_deg);
    const double y = g.d.y * ce - g.d.z * se;
    const double z = g.d.y * se + g.d.z * ce;
    ra_deg = Norm360(Atan2D(y, g.d.x));
    dec_deg = ArcSinD(z / g.delta);
}

double SaturnRingTerm(double jde, double tau, double ecl_lon_deg, double ecl_lat_deg) {
    const double d = jde - kSaturnRingEpochJd - tau;
    const double node = 169.51 + 0.0000382 * d;
    const double b = ArcSinD(SinD(ecl_lat_deg) * CosD(28.06) - SinD(28.06) * CosD(ecl_lat_deg) * SinD(ecl_lon_deg - node));
    return -2.6 * SinD(std::fabs(b)) + 1.25 * SinD(b) * SinD(b);
}

double PhaseAngle(double r0, double r, double delta) {
    return ArcCosD((r * r + delta * delta - r0 * r0) / (2.0 * r * delta));
}

}  // namespace

PlanetState& Planets() {
    static PlanetState state = [] {
        PlanetState s;
        InitPlanetTable(s.PlanetTable);
        s.JDE = kJ2000;
        s.Obliquity = MeanObliquity(kJ2000);
        return s;
    }();
    return state;
}

void ResetPlanetState() {
    PlanetState s;
    InitPlanetTable(s.PlanetTable);
    s.JDE = kJ2000;
    s.Obliquity = MeanObliquity(kJ2000);
    Planets() = s;
}

void InitPlanetTable(PlanetTableT& table) {
    for (int n = 0; n < kPlanetCount; ++n) {
        table[n].Name = kBodies[n].name;
        table[n].Diameter1AU = kBodies[n].diameter_1au_arcsec;
    }
}

void InitPlanetTable() { InitPlanetTable(Planets().PlanetTable); }

Vec3Au EarthHeliocentric(double jde) {
    // The barycentre is the Earth's series plus the Moon's share; taking
    // that share off again needs the Moon's series, the costlier of the two.
    Vec3Au earth;
    Plan404Earth(jde, earth.x, earth.y, earth.z);
    return earth;
}

void EarthMoonHeliocentric(double jde, Vec3Au& earth, Vec3Au& moon) {
    earth = EarthHeliocentric(jde);
    const Vec3Au m = Plan404Vector(kBodyMoon, jde);
    // The Moon's vector is geocentric, so the Moon is the Earth plus it (adding it
    // to the barycentre would put the Moon 1.2 % too far away).
    moon = {earth.x + m.x, earth.y + m.y, earth.z + m.z};
}

void SunMoonGeocentric(double jde, double& sun_lon_deg, double& sun_lat_deg, double& sun_dist_au,
                       double& moon_lon_deg, double& moon_lat_deg, double& moon_dist_au) {
    Vec3Au e, m;
    EarthMoonHeliocentric(jde, e, m);
    const Vec3Au g{m.x - e.x, m.y - e.y, m.z - e.z};
    sun_dist_au = Length(e);
    sun_lon_deg = Norm360(Atan2D(e.y, e.x) + 180.0);
    sun_lat_deg = -ArcSinD(e.z / sun_dist_au);
    moon_dist_au = Length(g);
    // The 0.7" is the theory's own offset of the Moon's longitude.
    moon_lon_deg = Norm360(Atan2D(g.y, g.x)) - 0.7 / 3600.0;
    moon_lat_deg = ArcSinD(g.z / moon_dist_au);
}

void SunTopocentricRaDec(double jd_local, const SiteContext& site, double& ra_deg, double& dec_deg) {
    const double jde = JDToJDE(jd_local - site.zone_h / 24.0, site.delta_t);
    const double lst = CalcLST(jd_local, site.lon_deg, site.zone_h);
    const double eps = MeanObliquity(jde);
    const Vec3Au e = EarthHeliocentric(jde);
    const double r = Length(e);
    const double lon = Norm360(Atan2D(e.y, e.x)) + 180.0;
    const double lat = -ArcSinD(e.z / r);
    EclipticToEquatorial(lon, lat, eps, ra_deg, dec_deg);
    TopocentricCorrectAt(site.lat_deg, lst, ra_deg, dec_deg, r);
}

void SunTopocentricRaDec(double jd_local, double& ra_deg, double& dec_deg) {
    SunTopocentricRaDec(jd_local, CurrentSite(), ra_deg, dec_deg);
}

double PlanetMagnitude(int n, double r_au, double delta_au, double i) {
    if (n == kPlanetSun) r_au = delta_au;
    const double m0 = 5.0 * Log10(r_au * delta_au);
    switch (n) {
        case 0: return m0 - 26.85;
        case 1: return m0 - 0.60 + 0.0498 * i - 0.000488 * i * i + 0.00000302 * i * i * i;
        case 2:
            if (i < 163.6) return m0 - 4.47 + 0.0103 * i + 0.000057 * i * i + 0.00000013 * i * i * i;
            return m0 + 0.98 + 0.0102 * i;
        case 3: return m0 - 1.52 + 0.016 * i;
        case 4: return m0 - 9.40 + 0.005 * i;
        case 5: return m0 - 8.88 + 0.044 * i;
        case 6: return m0 - 7.19 - 0.002 * i;
        case 7: return m0 - 6.87;
        case 8: return m0 + 0.23 + 0.026 * i + 0.000000004 * i * i * i * i;
        case 9: return m0 - 1.01;
        default: return 0.0;
    }
}

PlanetTableResult ComputePlanetTable(double jd_local, const SiteContext& site) {
    PlanetRows all;
    all.fill(true);
    return ComputePlanetRows(jd_local, site, all);
}

PlanetTableResult ComputePlanetRows(double jd_local, const SiteContext& site, const PlanetRows& rows) {
    PlanetTableResult result;
    const double lst = CalcLST(jd_local, site.lon_deg, site.zone_h);
    result.jde = JDToJDE(jd_local - site.zone_h / 24.0, site.delta_t);
    result.obliquity_deg = MeanObliquity(result.jde);
    PlanetTableT& table = result.table;
    InitPlanetTable(table);
    const double eps = result.obliquity_deg;

    const Vec3Au earth = EarthHeliocentric(result.jde);

    // The Sun's distance enters every row's elongation and phase.
    PlanetRows computed = rows;
    computed[kPlanetSun] = true;
    std::array<double, kPlanetCount> light_time{};
    for (int n = 0; n < kPlanetCount; ++n) {
        if (!computed[n]) continue;
        PlanetRecord& rec = table[n];
        const BodyGeometry g = Geometry(n, result.jde, earth);
        light_time[n] = g.tau;
        rec.HelioLon = g.helio_lon;
        rec.HelioLat = g.helio_lat;
        rec.R = g.r;
        rec.Delta = g.delta;
        rec.EclLon = Norm360(Atan2D(g.d.y, g.d.x));
        rec.EclLat = ArcSinD(g.d.z / g.delta);
        EquatorialOf(g, eps, rec.RA, rec.Dec);
        rec.TopoRA = rec.RA;
        rec.TopoDec = rec.Dec;
        if (!site.geocentric) TopocentricCorrectAt(site.lat_deg, lst, rec.TopoRA, rec.TopoDec, rec.Delta);
        EquatorialToEcliptic(rec.TopoRA, rec.TopoDec, eps, rec.TopoEclLon, rec.TopoEclLat);
    }

    const double r0 = table[kPlanetSun].Delta;
    for (int n = 0; n < kPlanetCount; ++n) {
        if (!computed[n]) continue;
        PlanetRecord& rec = table[n];
        double i = 0.0;
        if (n != kPlanetSun) {
            const double delta = rec.Delta, r = rec.R;
            rec.Elongation = ArcCosD((r0 * r0 + delta * delta - r * r) / (2.0 * r0 * delta));
            i = PhaseAngle(r0, r, delta);
            rec.Phase = (CosD(i) + 1.0) / 2.0;
        }
        double mag = PlanetMagnitude(n, rec.R, rec.Delta, i);
        if (n == kPlanetSaturn) mag += SaturnRingTerm(result.jde, light_time[n], rec.EclLon, rec.EclLat);
        rec.Mag = static_cast<float>(mag);
        if (n == kPlanetSun) {
            rec.Phase = 1.0;
            rec.Elongation = 0.0;
        }
        rec.Diameter = n == kPlanetMoon
                           ? static_cast<float>(rec.Diameter1AU * 60.0 / (rec.Delta * kEarthRadiiPerAu))
                           : static_cast<float>(rec.Diameter1AU / rec.Delta);
    }
    return result;
}

void CalcPlanets(double jd_local) {
    PlanetTableResult result = ComputePlanetTable(jd_local, CurrentSite());
    PlanetState& state = Planets();
    state.PlanetTable = std::move(result.table);
    state.JDE = result.jde;
    state.Obliquity = result.obliquity_deg;
}

PlanetMoment MakePlanetMoment(double jd_local, const SiteContext& site) {
    PlanetMoment moment;
    moment.jd_local = jd_local;
    moment.lst_h = CalcLST(jd_local, site.lon_deg, site.zone_h);
    moment.jde = JDToJDE(jd_local - site.zone_h / 24.0, site.delta_t);
    moment.obliquity_deg = MeanObliquity(moment.jde);
    moment.earth = EarthHeliocentric(moment.jde);
    return moment;
}

PlanetPlace ComputePlanetPlace(int n, double jd_local, const SiteContext& site, bool topocentric) {
    if (n < 0 || n >= kPlanetCount) {
        PlanetPlace place{};
        place.ra_deg = place.dec_deg = place.mag = place.delta_au = std::nan("");
        return place;
    }
    return ComputePlanetPlace(MakePlanetMoment(jd_local, site), n, site, topocentric);
}

PlanetPlace ComputePlanetPlace(const PlanetMoment& moment, int n, const SiteContext& site, bool topocentric) {
    PlanetPlace place{};
    if (n < 0 || n >= kPlanetCount) {
        place.ra_deg = place.dec_deg = place.mag = place.delta_au = std::nan("");
        return place;
    }
    place.jde = moment.jde;
    place.obliquity_deg = moment.obliquity_deg;
    const Vec3Au& earth = moment.earth;
    const BodyGeometry g = Geometry(n, place.jde, earth);
    EquatorialOf(g, place.obliquity_deg, place.ra_deg, place.dec_deg);
    place.delta_au = g.delta;
    if (topocentric) TopocentricCorrectAt(site.lat_deg, moment.lst_h, place.ra_deg, place.dec_deg, g.delta);
    const double i = n == kPlanetSun ? 0.0 : PhaseAngle(Length(earth), g.r, g.delta);
    place.mag = PlanetMagnitude(n, g.r, g.delta, i);
    if (n == kPlanetSaturn)
        place.mag += SaturnRingTerm(place.jde, g.tau, Norm360(Atan2D(g.d.y, g.d.x)), ArcSinD(g.d.z / g.delta));
    return place;
}

void CalcOnePlanet(int n, double jd_local, bool topocentric, double& ra_deg, double& dec_deg, float& mag) {
    const PlanetPlace place = ComputePlanetPlace(n, jd_local, CurrentSite(), topocentric);
    ra_deg = place.ra_deg;
    dec_deg = place.dec_deg;
    mag = static_cast<float>(place.mag);
    Planets().JDE = place.jde;
    Planets().Obliquity = place.obliquity_deg;
}

void EquatorialToEclipticOfDate(double ra_deg, double dec_deg, double& lon_deg, double& lat_deg) {
    EquatorialToEcliptic(ra_deg, dec_deg, Planets().Obliquity, lon_deg, lat_deg);
}

void EclipticToEquatorialOfDate(double lon_deg, double lat_deg, double& ra_deg, double& dec_deg) {
    EclipticToEquatorial(lon_deg, lat_deg, Planets().Obliquity, ra_deg, dec_deg);
}

}  // namespace astro
