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
// (body, JD) are answered from a small cache of the calling thread.
//
// Threads. libnova keeps the date and the answer of the last call of each
// series in static variables, so one copy of a series must never run on two
// threads at once. Every call here holds a lock on the copy it uses. Copy 0,
// the library's own, is that of the thread the program's state belongs to
// (the GUI thread, or one long work running for it while it waits); a
// program that computes on several threads installs private copies of the
// planetary series (astro/SeriesCopies.h), and each other thread takes one
// no other thread holds with a SeriesCopyScope. The Moon's series exists
// once and is taken in turn.
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

// The heliocentric Earth itself, the series body 3 adds the Moon's share to
// (so the barycentre less the Moon / 82.300585 gives it back to a few
// 1e-16 AU): rectangular, mean ecliptic and equinox of date, AU.
void Plan404Earth(double jde, double& x_au, double& y_au, double& z_au);

// Forgets every position cached for the calling thread (for tests and
// benchmarks).
void ClearPlan404Cache();

// The copies of the planetary series: the library's own and the private ones
// installed (astro/SeriesCopies.h).
int SeriesCopyCount();

// While it lives, the planets computed on the calling thread come from a
// private copy that no other thread holds, when one is free; when none is,
// the thread keeps the copy it had (Held() false): a thread that was to
// help with a computation then leaves it to the others.
class SeriesCopyScope {
public:
    SeriesCopyScope();
    ~SeriesCopyScope();
    SeriesCopyScope(const SeriesCopyScope&) = delete;
    SeriesCopyScope& operator=(const SeriesCopyScope&) = delete;
    bool Held() const { return held_ != 0; }
    // The copy taken, 1 .. SeriesCopyCount() - 1, or 0.
    int Copy() const { return held_; }

private:
    int previous_;
    int held_ = 0;
};

}  // namespace astro
