#pragma once
// Places of comets for one moment: orbit solved by the orbit solver library
// (orbsolve, bound by name), elements reduced to the equinox of the year of
// the date, orbit oriented with the J2000 obliquity, seen from the Earth of
// the planetary theory, magnitude from H and K, tail end and coma size.
//
// Frames: the heliocentric vectors are equatorial (J2000 obliquity applied to
// ecliptical elements of the year of the date); the Earth is equatorial of
// date; RA and Dec of BodyPosition are degrees of that frame.
#include <vector>

#include "astro/OrbitElements.h"
#include "astro/SiteContext.h"

namespace astro {

// The moment of a local civil Julian day for a site, zone, place system and
// Delta T choice.
SmallBodyMoment MakeSmallBodyMoment(double jd_local, const SiteContext& site);

// Tail length in AU: 10^(18.5/(r + 4.1) - 0.85) * 5.5 * exp(-0.27 H) * 10000 km,
// at least 100000 km. r_au: distance from the Sun.
double CometTailLength(double H, double r_au);
// True diameter of the coma in km: 540000 exp(-0.11 H - 0.75 r), at least 1000 km.
double CometComaSize(double H, double r_au);

// The place of one comet. Throws platform::RunTimeError when the orbit solver
// library or its function is missing; any other failure gives an invalid
// position (Valid false, fields 0). Name is left to the caller.
void ComputeCometPosition(const SmallBodyMoment& moment, const CometElements& element, BodyPosition& position);
void ComputeCometPosition(double jd_local, const SiteContext& site, const CometElements& element,
                          BodyPosition& position);
// The same for the site and settings of the running program (CurrentSite()).
void ComputeCometPosition(double jd_local, const CometElements& element, BodyPosition& position);

// Places of every comet, with names, in `positions` (resized to match). When
// the solver library is missing the error passes on and every position is
// left invalid. An empty list computes nothing. `frames` keeps each orbit's
// reduced orientation for the next call (resized to match; any content).
void ComputeAllComets(const SmallBodyMoment& moment, const std::vector<CometElements>& elements,
                      std::vector<BodyPosition>& positions, std::vector<OrbitFrame>& frames);
// The same on the module state, SmallBodies().CometElementList into
// SmallBodies().CometPositions, for the site and settings of the running
// program (CurrentSite()).
void ComputeAllComets(double jd_local);

}  // namespace astro
