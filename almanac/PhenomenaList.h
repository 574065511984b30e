#pragma once
// The phenomena of a period: conjunctions and oppositions of Mercury to
// Neptune, stations of Mercury to Saturn, greatest elongations of Mercury and
// Venus, and the Moon's quarters, ascending in time.
#include <string>
#include <vector>

#include "almanac/CalendarServices.h"

namespace almanac {

enum class PhenomenaStatus {
    Listed,     // the outputs hold the period's rows (one row (0, "") when none)
    Unchanged,  // to <= from: the outputs keep what they held
    Refused,    // period of 51 years of 365.25 days or more: message shown, outputs empty
};

// Rows from from_jd to to_jd inclusive. Planetary rows carry the series' JDE
// unchanged; Moon rows a Julian day of UT, found by services.LunarPhaseTime in
// zone_h (the zone in force) and rounded to 4 decimals of a local day. The
// caller adds the zone to every row. A failed Moon solve adds no row.
PhenomenaStatus ListPlanetPhenomena(double from_jd, double to_jd, double zone_h, const CalendarServices& services,
                                    std::vector<double>& times, std::vector<std::string>& texts);

}  // namespace almanac
