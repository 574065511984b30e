#include "astro/Plan404.h"

#include <libnova/libnova.h>

#include <array>
#include <atomic>
#include <cmath>
#include <mutex>
#include <numbers>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/DeltaT.h"
#include "astro/Matrix.h"
#include "astro/SeriesCopyTable.h"

namespace astro {

namespace {

struct Vec3 {
    double x, y, z;
};

// Sources of the series, indexed by body code; 0 is the Earth itself and 10
// the Moon's geocentric vector.
enum Source { kEarth = 0, kMoonGeo = 10, kSourceCount = 11 };

// Pluto's theory in libnova covers 1885..2099.
constexpr double kPlutoSeriesFirstJd = 2409177.5;  // 1885 January 1
constexpr double kPlutoSeriesEndJd = 2488069.5;    // 2100 January 1

// Moon series truncation: drops terms below 1e-7 of libnova's unit, keeping
// positions within about 1.5 km (under 1") of the full theory at a twentieth
// of its cost.
constexpr double kLunarSeriesPrecision = 1e-7;

Vec3 FromSpherical(double lon_deg, double lat_deg, double r) {
    const double cb = std::cos(lat_deg * kDegToRad);
    return {r * cb * std::cos(lon_deg * kDegToRad), r * cb * std::sin(lon_deg * kDegToRad),
            r * std::sin(lat_deg * kDegToRad)};
}

// Rotation from the ecliptic and equinox of J2000 to the mean ecliptic and
// equinox of date: to the equator of J2000, IAU 1976 precession, back to the
// ecliptic with the mean obliquity of date.
Matrix3 EclipticJ2000ToDate(double jde) {
    Matrix3 to_equator, precession, to_ecliptic, t, m;
    MakeRotX(-MeanObliquity(kJ2000), to_equator);
    MakePrecessionMatrix(kJ2000, jde, precession);
    MakeRotX(MeanObliquity(jde), to_ecliptic);
    MatMul3(precession, to_equator, t);
    MatMul3(to_ecliptic, t, m);
    return m;
}

// Pluto from mean J2000 elements with their secular rates (E. M. Standish,
// "Keplerian Elements for Approximate Positions of the Major Planets", table 1).
Vec3 PlutoKeplerJ2000(double jde) {
    const double t = (jde - kJ2000) / kDaysPerJulianCentury;
    const double a = 39.48211675 - 0.00031596 * t;
    const double e = 0.24882730 + 0.00005170 * t;
    const double incl = 17.14001206 + 0.00004818 * t;
    const double mean_lon = 238.92903833 + 145.20780515 * t;
    const double peri_lon = 224.06891629 - 0.04062942 * t;
    const double node = 110.30393684 - 0.01183482 * t;
    const double m = Norm360(mean_lon - peri_lon) * kDegToRad;
    double ecc_anomaly = m + e * std::sin(m);
    for (int k = 0; k < 50; ++k) {
        const double delta = (ecc_anomaly - e * std::sin(ecc_anomaly) - m) / (1.0 - e * std::cos(ecc_anomaly));
        ecc_anomaly -= delta;
        if (std::fabs(delta) < 1e-14) break;
    }
    const double xp = a * (std::cos(ecc_anomaly) - e);
    const double yp = a * std::sqrt(1.0 - e * e) * std::sin(ecc_anomaly);
    const double w = (peri_lon - node) * kDegToRad, om = node * kDegToRad, i = incl * kDegToRad;
    const double cw = std::cos(w), sw = std::sin(w), co = std::cos(om), so = std::sin(om);
    const double ci = std::cos(i), si = std::sin(i);
    return {(cw * co - sw * so * ci) * xp + (-sw * co - cw * so * ci) * yp,
            (cw * so + sw * co * ci) * xp + (-sw * so + cw * co * ci) * yp, (sw * si) * xp + (cw * si) * yp};
}

// The copies of the planetary series, each with the lock that keeps it to
// one thread at a time; copy 0 is the library's own. A private copy is
// handed to one SeriesCopyScope at a time (taken). The Moon's series has
// one copy only.
struct SeriesCopy {
    HelioSeriesTable helio{};
    std::mutex lock;
    std::atomic<bool> taken{false};
};
struct SeriesCopies {
    std::array<SeriesCopy, kMaxSeriesCopies> copies;
    std::atomic<int> count{1};
    std::mutex adding;
    std::mutex moon;
    SeriesCopies() {
        copies[0].helio = {ln_get_earth_helio_coords,   ln_get_mercury_helio_coords, ln_get_venus_helio_coords,
                           nullptr,                     ln_get_mars_helio_coords,    ln_get_jupiter_helio_coords,
                           ln_get_saturn_helio_coords,  ln_get_uranus_helio_coords,  ln_get_neptune_helio_coords,
                           ln_get_pluto_helio_coords};
    }
};

SeriesCopies& Copies() {
    static SeriesCopies copies;
    return copies;
}

// The copy of the calling thread (SeriesCopyScope).
thread_local int t_copy = 0;

ln_helio_posn Helio(int source, double jde) {
    SeriesCopy& copy = Copies().copies[static_cast<std::size_t>(t_copy)];
    ln_helio_posn p{};
    const std::lock_guard<std::mutex> hold(copy.lock);
    copy.helio[static_cast<std::size_t>(source)](jde, &p);
    return p;
}

// One body's J2000 ecliptic vector (AU) straight from the series.
Vec3 SeriesJ2000(int source, double jde) {
    // libnova remembers its last date in statics that start at 0 and answers a
    // call for JD 0 exactly with their empty contents; a microsecond away it computes.
    if (jde == 0.0) jde = 1e-11;
    switch (source) {
        case kEarth:
        case 1:
        case 2:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8: break;
        case 9:
            if (jde >= kPlutoSeriesFirstJd && jde < kPlutoSeriesEndJd) break;
            return PlutoKeplerJ2000(jde);
        case kMoonGeo: {
            ln_rect_posn moon{};
            {
                const std::lock_guard<std::mutex> hold(Copies().moon);
                ln_get_lunar_geo_posn(jde, &moon, kLunarSeriesPrecision);  // km
            }
            return {moon.X / kAuKm, moon.Y / kAuKm, moon.Z / kAuKm};
        }
        default: return {0.0, 0.0, 0.0};
    }
    const ln_helio_posn p = Helio(source, jde);
    return FromSpherical(p.L, p.B, p.R);
}

// A few slots per source, searched in full and refilled in turn: a redraw
// asks for a handful of distinct times (the chart moment and each body's
// light-time moment), many times over.
constexpr int kSlotsPerSource = 8;
struct CacheSlot {
    double jde;
    bool valid;
    Vec3 of_date;
};
struct SourceCache {
    std::array<CacheSlot, kSlotsPerSource> slots{};
    int next = 0;
};
struct Cache {
    std::array<SourceCache, kSourceCount> sources{};
    double matrix_jde = 0.0;
    bool matrix_valid = false;
    Matrix3 matrix{};
};

Cache& TheCache() {
    thread_local Cache cache;
    return cache;
}

Vec3 OfDate(int source, double jde) {
    Cache& cache = TheCache();
    SourceCache& entries = cache.sources[source];
    for (const CacheSlot& slot : entries.slots)
        if (slot.valid && slot.jde == jde) return slot.of_date;
    if (!cache.matrix_valid || cache.matrix_jde != jde) {
        cache.matrix = EclipticJ2000ToDate(jde);
        cache.matrix_jde = jde;
        cache.matrix_valid = true;
    }
    Vec3 v = SeriesJ2000(source, jde);
    RotateVector(v.x, v.y, v.z, cache.matrix);
    entries.slots[entries.next] = {jde, true, v};
    entries.next = (entries.next + 1) % kSlotsPerSource;
    return v;
}

void ToSpherical(const Vec3& v, PlanetData& data) {
    data.R = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    data.L = std::atan2(v.y, v.x);
    if (data.L < 0.0) data.L += 2.0 * std::numbers::pi;
    data.B = data.R > 0.0 ? std::asin(v.z / data.R) : 0.0;
}

}  // namespace

std::int32_t Plan404(PlanetData& data) {
    const double jde = data.JD;
    const int body = data.Body;
    const bool known = (body >= 1 && body <= 9) || body == kBodyMoon;
    if (!known || !std::isfinite(jde)) {
        data.L = data.B = data.R = std::nan("");
        return 1;
    }
    if (body == kBodyMoon) {
        ToSpherical(OfDate(kMoonGeo, jde), data);
    } else if (body == kBodyEarthMoonBarycentre) {
        const Vec3 earth = OfDate(kEarth, jde);
        const Vec3 moon = OfDate(kMoonGeo, jde);
        ToSpherical({earth.x + moon.x / kEarthMoonMassRatio, earth.y + moon.y / kEarthMoonMassRatio,
                     earth.z + moon.z / kEarthMoonMassRatio},
                    data);
    } else {
        ToSpherical(OfDate(body, jde), data);
    }
    return 0;
}

void Plan404Earth(double jde, double& x_au, double& y_au, double& z_au) {
    const Vec3 earth = OfDate(kEarth, jde);
    x_au = earth.x;
    y_au = earth.y;
    z_au = earth.z;
}

void ClearPlan404Cache() { TheCache() = Cache{}; }

int SeriesCopyCount() { return Copies().count.load(std::memory_order_acquire); }

SeriesCopyScope::SeriesCopyScope() : previous_(t_copy) {
    SeriesCopies& all = Copies();
    const int count = SeriesCopyCount();
    for (int k = 1; k < count; ++k) {
        if (!all.copies[static_cast<std::size_t>(k)].taken.exchange(true, std::memory_order_acquire)) {
            held_ = k;
            t_copy = k;
            return;
        }
    }
}

SeriesCopyScope::~SeriesCopyScope() {
    t_copy = previous_;
    if (held_ != 0) Copies().copies[static_cast<std::size_t>(held_)].taken.store(false, std::memory_order_release);
}

void AddSeriesCopies(const HelioSeriesTable* tables, int count) {
    SeriesCopies& all = Copies();
    const std::lock_guard<std::mutex> hold(all.adding);
    int n = all.count.load(std::memory_order_relaxed);
    for (int k = 0; k < count && n < kMaxSeriesCopies; ++k, ++n) {
        all.copies[static_cast<std::size_t>(n)].helio = tables[k];
    }
    all.count.store(n, std::memory_order_release);
}

}  // namespace astro
