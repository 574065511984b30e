#pragma once
// Orbital elements of comets and asteroids, the computed place of one such
// body, and the reduction of ecliptical elements between equinoxes.
//
// The record types are header-only so that the element-file readers of the
// sky-data library can fill them without linking the position code.
//
// Frames: element angles (Peri, Node, Incl) are ecliptical, referred to the
// mean ecliptic and equinox of the year EquinoxYear. Places in BodyPosition
// are equatorial of date, right ascension and declination in degrees.
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace astro {

// One comet as read from "histComet.txt" or "Comet.txt".
struct CometElements {
    double T_jd = 0;         // time of perihelion passage, Julian day (TT)
    double q_au = 0;         // perihelion distance
    double e = 0;            // eccentricity; 1 exactly is a parabola, above 1 a hyperbola
    double Peri_deg = 0;     // argument of perihelion
    double Node_deg = 0;     // longitude of the ascending node
    double Incl_deg = 0;     // inclination
    double H = 0;            // absolute magnitude
    double K = 0;            // coefficient of log10 r in the magnitude
    double EquinoxYear = 0;  // year of the equinox of Peri, Node, Incl
    std::string Name;        // UTF-8

    bool operator==(const CometElements&) const = default;
};

// One asteroid as read from "Asteroid.txt".
struct AsteroidElements {
    double M0_deg = 0;       // mean anomaly at the epoch
    double Peri_deg = 0;     // argument of perihelion
    double Node_deg = 0;     // longitude of the ascending node
    double Incl_deg = 0;     // inclination
    double e = 0;            // eccentricity, below 1 for a usable orbit
    double a_au = 0;         // semi-major axis
    double Epoch_jd = 0;     // epoch of M0, Julian day (TT)
    double H = 0;            // absolute magnitude of the H, G system
    double G = 0;            // slope parameter of the H, G system
    double EquinoxYear = 0;  // year of the equinox of Peri, Node, Incl
    std::string Name;        // UTF-8

    bool operator==(const AsteroidElements&) const = default;
};

// The computed place of one comet or asteroid for one moment.
//
// Valid is false when the body could not be placed (a degenerate or unusable
// orbit, a zero distance, any non-finite intermediate value); every numeric
// field is then 0 and drawers, lists and lookups skip the body. A body is
// never left at the place of an earlier moment.
struct BodyPosition {
    std::string Name;       // copied from the elements
    bool Valid = false;
    double RA = 0;          // geocentric right ascension, degrees, 0 <= RA < 360
    double Dec = 0;         // geocentric declination, degrees
    double TopoRA = 0;      // right ascension as shown (topocentric unless psystem), degrees
    double TopoDec = 0;     // declination as shown, degrees
    float Mag = 0;          // visual magnitude
    double Elongation = 0;  // angle Sun-Earth-body, degrees, 0..180
    double Delta = 0;       // distance from the Earth, AU
    double R = 0;           // distance from the Sun, AU
    double TailRA = 0;      // right ascension of the tail end, degrees (comets only)
    double TailDec = 0;     // declination of the tail end, degrees (comets only)
    double ComaSize = 0;    // apparent diameter of the coma, arcseconds (comets only)
};

// Orientation of an orbit: inclination, argument of perihelion and node in
// radians, ecliptical.
struct OrbitAnglesRad {
    double Incl_rad = 0;  // 0..pi
    double Peri_rad = 0;  // not folded into one turn
    double Node_rad = 0;  // not folded into one turn
};

// PrecessOrbitElements: reduces ecliptical orbit angles from the mean equinox
// of year0 to that of year1 (both years, e.g. 2000.0), with the rates counted
// in millennia from 1900.
//   incl_deg, peri_deg, node_deg: the angles for year0, degrees.
//   Result: the angles for year1 in radians; Incl_rad in 0..pi, the others
//   unfolded. year0 == year1 returns the input converted to radians.
// Rounding can push the sine of the new inclination past 1; it is clamped.
// Reference: Meeus, Astronomical Formulae for Calculators, ch. "Reduction of
// ecliptical elements from one equinox to another".
OrbitAnglesRad PrecessOrbitElements(double year0, double year1, double incl_deg, double peri_deg,
                                    double node_deg);

// The orbit angles used for a date of the calendar year `year`: elements of
// another equinox are reduced to that year's (by whole years, so every moment
// of one year uses the same angles); elements of that very year are used as
// they stand. Also gives the angles in degrees as the solver's record carries
// them (Peri and Node folded into 0..360).
struct OrbitAnglesForYear {
    OrbitAnglesRad rad;
    double Peri_deg = 0;
    double Node_deg = 0;
    double Incl_deg = 0;
};
OrbitAnglesForYear ReduceOrbitAngles(double equinox_year, double year, double incl_deg, double peri_deg,
                                     double node_deg);

// Unit-free orientation coefficients of an orbit: the heliocentric
// equatorial vector (J2000 obliquity) of a body at distance r and argument
// of latitude u = peri + v is
//   x = r (Fx cos u + Px sin u), y = r (Fy cos u + Py sin u), z = r (Fz cos u + Pz sin u).
// This is the same vector as r a sin(A + u), r b sin(B + u), r c sin(C + u)
// with A = atan2(Fx, Px), a = hypot(Fx, Px) and so on, without the
// arctangents.
struct OrbitOrientation {
    double Fx = 0, Fy = 0, Fz = 0;  // direction of the ascending node
    double Px = 0, Py = 0, Pz = 0;  // 90 degrees further along the orbit
};

// node_rad and incl_rad: ecliptical angles of the orbit. Reference: Meeus,
// Astronomical Algorithms, ch. 33 (sin and cos of the J2000 obliquity).
OrbitOrientation OrientOrbit(double node_rad, double incl_rad);

// The reduced angles and orientation of one orbit for one calendar year,
// kept between computations: reducing and orienting an orbit costs more than
// solving it, and both change only with the year or the element's angles.
struct OrbitFrame {
    // What the frame was made for; a NaN year never matches.
    double year = std::numeric_limits<double>::quiet_NaN();
    double equinox_year = 0, incl_deg = 0, peri_deg = 0, node_deg = 0;
    OrbitAnglesForYear angles;
    OrbitOrientation orientation;
};

// The frame for these angles and year: `cache` as it stands when it was made
// for exactly them, else remade in place.
const OrbitFrame& UpdateOrbitFrame(OrbitFrame& cache, double year, double equinox_year, double incl_deg,
                                   double peri_deg, double node_deg);

// The same for an element record of either kind (CometElements or
// AsteroidElements).
template <typename Elements>
const OrbitFrame& UpdateOrbitFrame(OrbitFrame& cache, double year, const Elements& element) {
    return UpdateOrbitFrame(cache, year, element.EquinoxYear, element.Incl_deg, element.Peri_deg,
                            element.Node_deg);
}

// Every field 0 and Valid false; only the name stays.
void InvalidateBodyPosition(BodyPosition& position);

// Places every body of an element list: `positions` and `frames` are resized
// to the list, each position takes its element's name, and
// place(element, frame, position) fills it. When place throws (a missing
// solver library), that body and every one after it are left invalid with
// their names, and the error passes on.
template <typename Elements, typename Place>
void PlaceEveryBody(const std::vector<Elements>& elements, std::vector<BodyPosition>& positions,
                    std::vector<OrbitFrame>& frames, Place&& place) {
    positions.resize(elements.size());
    frames.resize(elements.size());
    std::size_t i = 0;
    try {
        for (; i < elements.size(); ++i) {
            positions[i].Name = elements[i].Name;
            place(elements[i], frames[i], positions[i]);
        }
    } catch (...) {
        for (; i < elements.size(); ++i) positions[i] = BodyPosition{elements[i].Name};
        throw;
    }
}

// A magnitude as BodyPosition keeps it; NaN (so the body is invalid) when the
// value has no single-precision form.
inline float MagnitudeField(double mag) {
    return std::fabs(mag) < 1e30 ? static_cast<float>(mag) : std::numeric_limits<float>::quiet_NaN();
}

// What every comet and asteroid of one moment shares. Build it once with
// MakeSmallBodyMoment and pass it to the per-body computations.
struct SmallBodyMoment {
    double jd_local = 0;     // local civil Julian day of the moment
    double jde = 0;          // Julian ephemeris day (TT) of the moment
    double year = 0;         // calendar year of jde; elements are reduced to its equinox
    double earth_x_au = 0;   // heliocentric Earth, equatorial of date
    double earth_y_au = 0;
    double earth_z_au = 0;
    double earth_sun_au = 0; // |Earth|
    double lst_h = 0;        // local mean sidereal time of jd_local, hours
    bool psystem = true;     // true: places stay geocentric
    double lat_deg = 0;      // site latitude for the topocentric step

    bool operator==(const SmallBodyMoment&) const = default;
};

// A 64-bit digest of every field of every element set, in order: equal
// lists give equal digests, and a change of any field (even a sign of zero or
// a not-a-number's bits) gives another but for a chance of 1 in 2^64. Keeps a
// check for changed elements from holding a second copy of the lists.
std::uint64_t ElementsFingerprint(const std::vector<CometElements>& elements);
std::uint64_t ElementsFingerprint(const std::vector<AsteroidElements>& elements);

// The element and position lists of the running program. Historical comets
// come first in the comet list; the index of a body in its list is the number
// in its object key ("C" & index, "A" & index). Positions run parallel to the
// elements and describe the moment of the last ComputeAllComets or
// ComputeAllAsteroids call. An empty file gives an empty list.
struct SmallBodyState {
    std::vector<CometElements> CometElementList;
    std::vector<BodyPosition> CometPositions;
    std::vector<AsteroidElements> AsteroidElementList;
    std::vector<BodyPosition> AsteroidPositions;
    // Orbit frames of the last computation, parallel to the element lists.
    std::vector<OrbitFrame> CometFrames;
    std::vector<OrbitFrame> AsteroidFrames;
    // What the positions were last computed from: the moment and the
    // elements' fingerprint (ElementsFingerprint). A redraw at the same moment
    // with the same elements (a pan, a zoom, a switch) reuses them.
    std::optional<SmallBodyMoment> CometMoment;
    std::uint64_t CometsComputedFrom = 0;
    std::optional<SmallBodyMoment> AsteroidMoment;
    std::uint64_t AsteroidsComputedFrom = 0;

    void Reset() { *this = SmallBodyState{}; }
};

// The one instance of the module state; tests call Reset() on it.
inline SmallBodyState& SmallBodies() {
    static SmallBodyState state;
    return state;
}

}  // namespace astro
