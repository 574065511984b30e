#pragma once
// The planetary theory behind the planet table: heliocentric planets and
// Earth-Moon barycentre, and the geocentric Moon, for a Julian Ephemeris Day.
//
// Contract:
//   input   JD is a Julian Ephemeris Day (TT); no Delta T is added here;
//   output  geometric ecliptic longitude L and latitude B (radians) and
//           radius R (AU, also for the Moon), referred to the mean ecliptic
//           and mean equinox of date: no nutation, aberration or light time;
//   bodies  1 Mercury, 2 Venus, 3 Earth-Moon barycentre (= Earth + Moon /
//           82.300585), 4 Mars .. 8 Neptune, 9 Pluto: heliocentric;
//           11 the Moon: geocentric.
// Series: libnova's VSOP87 planets and Earth, its ELP 2000-82B Moon and its
// Pluto (Meeus ch. 37, 1885..2099; outside that range Keplerian J2000
// elements), all referred to J2000 and rotated to the ecliptic of date.
// Values stay finite over 4713 BC .. 9999 AD. Repeated calls for the same
// (body, JD) are answered from a small cache.
#include <cstddef>
#include <cstdint>

namespace astro {

// The record passed by reference, laid out without gaps as the callers expect.
struct PlanetData {
    double JD;            // in: Julian Ephemeris Day
    double L;             // out: ecliptic longitude, radians
    double B;             // out: ecliptic latitude, radians
    double R;             // out: radius vector, AU
    std::int32_t Body;    // in: body code
};
static_assert(offsetof(PlanetData, L) == 8 && offsetof(PlanetData, B) == 16 && offsetof(PlanetData, R) == 24 &&
              offsetof(PlanetData, Body) == 32);

inline constexpr std::int32_t kBodyEarthMoonBarycentre = 3;
inline constexpr std::int32_t kBodyMoon = 11;

// Fills L, B, R. Returns 0, or 1 (outputs NaN) for an unknown body code or a
// non-finite JD.
std::int32_t Plan404(PlanetData& data);

// Forgets every cached position (for tests and benchmarks).
void ClearPlan404Cache();

}  // namespace astro
