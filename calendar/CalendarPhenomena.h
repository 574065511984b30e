#pragma once
// The calendar's list of planetary phenomena and lunar phases of a period,
// ascending in time: planetary rows in dynamical time as the series give them,
// Moon rows in UT. Rows of equal time are one event. The list grows as needed.
#include <string>
#include <vector>

#include "calendar/TimeBase.h"

namespace calendar {

enum class PhenomenaListStatus {
    Listed,     // the arrays hold the period's events (one row (0, "") when none)
    Unchanged,  // to <= from: the arrays are untouched
    Refused,    // 51 years or more: the message was shown, the arrays are untouched
};

// Lists the events with from <= t <= to into event_jd / event_name; zone_h is
// the TZ used for the Moon's phases.
PhenomenaListStatus ListPlanetPhenomena(double from, double to, double zone_h, const DeltaTRule& rule,
                                        std::vector<double>& event_jd, std::vector<std::string>& event_name);
// The same into the calendar's EventJD / EventName with its TZ and Delta T.
PhenomenaListStatus ListPlanetPhenomena(double from, double to);

}  // namespace calendar
