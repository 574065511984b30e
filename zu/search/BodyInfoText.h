#pragma once
// The numbers of the solar-system body window `FrmPInfo` as the texts of its
// value labels, and the observation summary of the planets and the Moon.
// Angles are degrees, distances AU, event times hours of local civil time
// (negative: the event does not happen that day).
#include <cstdint>
#include <optional>
#include <string>

#include "astro/OrbitElements.h"
#include "astro/Planets.h"

namespace zu {

// What the window shows of one body.
struct BodyValues {
    std::string Name;
    double Mag = 0;
    double Phase = 0;            // illuminated fraction 0..1
    double Elongation = 0;
    double Diameter = 0;         // arcseconds
    double Delta = 0;            // from the Earth
    double R = 0;                // from the Sun
    double TopoRA = 0, TopoDec = 0;
    double RA = 0, Dec = 0;      // geocentric
    double EclLon = 0, EclLat = 0;  // geocentric ecliptic of date
    std::optional<double> HelioLon, HelioLat;  // planet-table bodies only
    double Rise = 0, Transit = 0, Set = 0;
    double Az = 0, Alt = 0;      // of the topocentric place, no refraction
};

// The label texts, in the window's controls.
struct BodyLabels {
    std::string LPName, LMag, LPhas, Lelong, LDia, LDistEP, LDistSP;
    std::string RAtopo, DEtopo, RAgeo, DEgeo, Longeo, latgeo, lonhel, lathel, Laz, Lalt;
    std::string RSTime[3];       // rise, transit, set
    std::string Laddinfo;
    std::int32_t LaddinfoColor = 0;  // red + 256 green + 65536 blue
};
BodyLabels FormatBodyLabels(const BodyValues& v);

// A planet-table row with its events, for the sidereal time and latitude of
// the chart.
BodyValues PlanetBodyValues(const astro::PlanetRecord& row, double rise, double transit, double set,
                            double lst_h, double lat_deg);
// A comet or asteroid place: ecliptic place by the obliquity of the chart
// moment, phase from the triangle Sun-Earth-body with the Earth-Sun distance
// earth_sun_au (no phase is computed from a zero distance: 1 then).
BodyValues SmallBodyValues(const astro::BodyPosition& position, double obliquity_deg, double earth_sun_au,
                           double rise, double transit, double set, double lst_h, double lat_deg);

// The message for a body d degrees east of the Sun (d any angle;
// folded into -180..180 first): "은 관측할 수 없습니다." ...
std::string ObservationMessage(double d_deg);
// The summary box text: the trimmed date text, three CR LF, then for rows 1..9
// the name, its message and two CR LF.
std::string ObservationSummary(const std::string& date_text, const astro::PlanetTableT& table);

}  // namespace zu
