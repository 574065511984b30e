#pragma once
// The entry points of one copy of libnova's heliocentric planetary series,
// as Plan404 (astro/Plan404.h) takes them; the private copies of
// astro/SeriesCopies.h hand theirs over through AddSeriesCopies.
#include <array>

struct ln_helio_posn;

namespace astro {

using HelioSeriesFn = void (*)(double jd, ln_helio_posn* position);
// By Plan404 body code: 0 the Earth itself, 1 Mercury, 2 Venus, 4 Mars .. 9
// Pluto; 3 (the barycentre, made of the Earth and the Moon) stays empty.
using HelioSeriesTable = std::array<HelioSeriesFn, 10>;

// The most copies there can be, the library's own included.
inline constexpr int kMaxSeriesCopies = 16;

// Adds copies after those there are, as far as kMaxSeriesCopies allows.
// Called before any thread other than the caller computes planets.
void AddSeriesCopies(const HelioSeriesTable* tables, int count);

}  // namespace astro
