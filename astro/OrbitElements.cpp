#include "astro/OrbitElements.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"

namespace astro {
namespace {

// The orbit orientation uses the obliquity of J2000 whatever the equinox of
// the elements, so that every comet and asteroid shares one fixed rotation.
constexpr double kSinObliquityJ2000 = 0.397777155914121;
constexpr double kCosObliquityJ2000 = 0.917482062076896;

}  // namespace

OrbitAnglesRad PrecessOrbitElements(double year0, double year1, double incl_deg, double peri_deg,
                                    double node_deg) {
    const double T = (year0 - 1900.0) / 1000.0;
    const double t = (year1 - 1900.0) / 1000.0 - T;

    const double eta_deg = (t * (471.07 - 6.75 * T + 0.57 * T * T) + t * t * (-3.37 + 0.57 * T) + 0.05 * t * t * t) / 3600.0;
    const double pi_deg = 173.950833 + (32869.0 * T + 56.0 * T * T - (8694.0 + 55.0 * T) * t + 3.0 * t * t) / 3600.0;
    const double p_deg = ((50256.41 + 222.29 * T + 0.26 * T * T) * t + (111.15 + 0.26 * T) * t * t + 0.1 * t * t * t) / 3600.0;

    const double eta = eta_deg * kDegToRad;
    const double Pi = pi_deg * kDegToRad;
    const double p = p_deg * kDegToRad;
    const double i0 = incl_deg * kDegToRad;
    const double w0 = peri_deg * kDegToRad;
    const double node0 = node_deg * kDegToRad;

    if (year0 == year1) return {i0, w0, node0};

    const double sin_i0 = std::sin(i0), cos_i0 = std::cos(i0);
    const double sin_eta = std::sin(eta), cos_eta = std::cos(eta);
    const double sin_d = std::sin(node0 - Pi), cos_d = std::cos(node0 - Pi);

    const double cos_i1 = cos_i0 * cos_eta + sin_i0 * sin_eta * cos_d;
    const double x = -sin_eta * cos_i0 + sin_i0 * cos_eta * cos_d;
    const double y = sin_i0 * sin_d;
    const double s = std::hypot(x, y);
    const double theta = radians::Atan2(y, x);

    double i1 = radians::ArcSin(s);
    if (cos_i1 < 0) i1 = kPi - i1;
    const double node1 = theta + Pi + p;

    const double dx = sin_i0 * cos_eta - cos_i0 * sin_eta * cos_d;
    const double dy = -sin_eta * sin_d;
    const double dw = radians::Atan2(dy, dx);
    return {i1, w0 + dw, node1};
}

OrbitAnglesForYear ReduceOrbitAngles(double equinox_year, double year, double incl_deg, double peri_deg,
                                     double node_deg) {
    if (year == equinox_year) {
        return {{incl_deg * kDegToRad, peri_deg * kDegToRad, node_deg * kDegToRad}, peri_deg, node_deg, incl_deg};
    }
    const OrbitAnglesRad r = PrecessOrbitElements(equinox_year, year, incl_deg, peri_deg, node_deg);
    return {r, Norm360(r.Peri_rad * kRadToDeg), Norm360(r.Node_rad * kRadToDeg), r.Incl_rad * kRadToDeg};
}

OrbitOrientation OrientOrbit(double node_rad, double incl_rad) {
    const double sin_n = std::sin(node_rad), cos_n = std::cos(node_rad);
    const double sin_i = std::sin(incl_rad), cos_i = std::cos(incl_rad);
    OrbitOrientation o;
    o.Fx = cos_n;
    o.Fy = sin_n * kCosObliquityJ2000;
    o.Fz = sin_n * kSinObliquityJ2000;
    o.Px = -sin_n * cos_i;
    o.Py = cos_n * cos_i * kCosObliquityJ2000 - sin_i * kSinObliquityJ2000;
    o.Pz = cos_n * cos_i * kSinObliquityJ2000 + sin_i * kCosObliquityJ2000;
    return o;
}

const OrbitFrame& UpdateOrbitFrame(OrbitFrame& cache, double year, double equinox_year, double incl_deg,
                                   double peri_deg, double node_deg) {
    if (cache.year == year && cache.equinox_year == equinox_year && cache.incl_deg == incl_deg &&
        cache.peri_deg == peri_deg && cache.node_deg == node_deg) {
        return cache;
    }
    cache.year = year;
    cache.equinox_year = equinox_year;
    cache.incl_deg = incl_deg;
    cache.peri_deg = peri_deg;
    cache.node_deg = node_deg;
    cache.angles = ReduceOrbitAngles(equinox_year, year, incl_deg, peri_deg, node_deg);
    cache.orientation = OrientOrbit(cache.angles.rad.Node_rad, cache.angles.rad.Incl_rad);
    return cache;
}

void InvalidateBodyPosition(BodyPosition& position) {
    std::string name = std::move(position.Name);
    position = BodyPosition{};
    position.Name = std::move(name);
}

namespace {

// One multiply a 64-bit word, the high bits folded back; each element is
// digested on its own (so elements overlap in the processor) and then chained.
constexpr std::uint64_t kMixFactor = 0x9E3779B97F4A7C15ull;

inline std::uint64_t Mix(std::uint64_t digest, std::uint64_t word) {
    digest = (digest ^ word) * kMixFactor;
    return digest ^ (digest >> 29);
}

// The fields of one element, each a multiply without the fold: every step
// is one-to-one in the running value, so a change of one field still changes
// the element's digest, and the fold follows once per element.
inline std::uint64_t Step(std::uint64_t digest, double value) {
    return (digest ^ std::bit_cast<std::uint64_t>(value)) * kMixFactor;
}

template <typename... Fields>
std::uint64_t MixFields(std::uint64_t digest, Fields... fields) {
    ((digest = Step(digest, fields)), ...);
    return digest ^ (digest >> 29);
}

std::uint64_t Mix(std::uint64_t digest, const std::string& text) {
    digest = Mix(digest, static_cast<std::uint64_t>(text.size()));
    for (std::size_t at = 0; at < text.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, std::min<std::size_t>(8, text.size() - at));
        digest = Mix(digest, word);
    }
    return digest;
}

constexpr std::uint64_t kFirstDigest = 0x243F6A8885A308D3ull;

}  // namespace

std::uint64_t ElementsFingerprint(const std::vector<CometElements>& elements) {
    std::uint64_t digest = Mix(kFirstDigest, static_cast<std::uint64_t>(elements.size()));
    for (const CometElements& c : elements) {
        const std::uint64_t one =
            MixFields(kFirstDigest, c.T_jd, c.q_au, c.e, c.Peri_deg, c.Node_deg, c.Incl_deg, c.H, c.K, c.EquinoxYear);
        digest = Mix(digest, Mix(one, c.Name));
    }
    return digest;
}

std::uint64_t ElementsFingerprint(const std::vector<AsteroidElements>& elements) {
    std::uint64_t digest = Mix(kFirstDigest, static_cast<std::uint64_t>(elements.size()));
    for (const AsteroidElements& a : elements) {
        const std::uint64_t one = MixFields(kFirstDigest, a.M0_deg, a.Peri_deg, a.Node_deg, a.Incl_deg, a.e, a.a_au,
                                            a.Epoch_jd, a.H, a.G, a.EquinoxYear);
        digest = Mix(digest, Mix(one, a.Name));
    }
    return digest;
}

}  // namespace astro
