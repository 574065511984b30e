#pragma once
// The names of one civil day in the day details and the year's special-day
// list: the Ramadan start or end, the names of the three special-day sets
// (solar and computed entries, then lunar entries of the day's lunar date in
// the prepared year table) and the astronomical events of the last
// phenomena list, joined by ", ".
#include <array>
#include <string>

namespace calendar {

struct CalendarState;

// Sources: 0 set 0 with the Ramadan days, 1 set 1, 2 set 2, 3 the events.
using DayNameSources = std::array<bool, 4>;
inline constexpr DayNameSources kAllDayNameSources{true, true, true, true};

// jd is a noon Julian day. A day outside the prepared year table gets no
// lunar entries. The events are matched in the zone in force on jd.
std::string DayNamesText(const CalendarState& state, double jd, const DayNameSources& sources);

}  // namespace calendar
