#pragma once
// Places of asteroids for one moment: the orbit solved by the orbit solver
// library (orbsolve, bound by name), elements reduced, oriented and seen from
// the Earth exactly as for the comets (CometPosition.h), magnitude of the
// H, G system. Frames as in CometPosition.h.
#include <vector>

#include "astro/CometPosition.h"
#include "astro/OrbitElements.h"
#include "astro/SiteContext.h"

namespace astro {

// Magnitude of the H, G system (Bowell et al. 1989, as in Meeus ch. 33):
// H + 5 log10(r delta) - 2.5 log10((1 - G) phi1 + G phi2), with
// phi_k = exp(-A_k tan(beta/2)^B_k). r_au and delta_au: distances from the
// Sun and the Earth; earth_sun_au: the Earth's distance from the Sun. A phase
// angle beta of 0 gives phi1 = phi2 = 1 (the limit), not a fault.
double AsteroidMagnitude(double H, double G, double r_au, double delta_au, double earth_sun_au);

// The place of one asteroid. An orbit with e >= 1, a <= 0 or any non-finite
// result gives an invalid position (Valid false, fields 0) without an
// exception; a missing orbit solver library throws platform::RunTimeError.
// TailRA, TailDec and ComaSize stay 0. Name is left to the caller.
void ComputeAsteroidPosition(const SmallBodyMoment& moment, const AsteroidElements& element,
                             BodyPosition& position);
void ComputeAsteroidPosition(double jd_local, const SiteContext& site, const AsteroidElements& element,
                             BodyPosition& position);
// The same for the site and settings of the running program (CurrentSite()).
void ComputeAsteroidPosition(double jd_local, const AsteroidElements& element, BodyPosition& position);

// Places of every asteroid, with names, in `positions` (resized to match).
// When the solver library is missing the error passes on and every position
// is left invalid. An empty list computes nothing. `frames` keeps each
// orbit's reduced orientation for the next call (resized to match; any content).
void ComputeAllAsteroids(const SmallBodyMoment& moment, const std::vector<AsteroidElements>& elements,
                         std::vector<BodyPosition>& positions, std::vector<OrbitFrame>& frames);
// The same on the module state, SmallBodies().AsteroidElementList into
// SmallBodies().AsteroidPositions, for the site and settings of the running
// program (CurrentSite()).
void ComputeAllAsteroids(double jd_local);

}  // namespace astro
