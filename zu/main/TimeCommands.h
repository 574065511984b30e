#pragma once
// The pure part of the time commands: the steps of the interval menu and the
// new chart time of the Sun's events of a date.
#include <optional>

namespace zu {

inline constexpr int kIntervalItemCount = 13;
inline constexpr int kCustomIntervalItem = 11;
inline constexpr int kSolarEventIntervalItem = 12;
inline constexpr int kSpecialTimeItemCount = 11;

// `TimeStep` of item `index` of "시간 간격": days, `custom_days` for item 11,
// the solar-event code for item 12; nullopt for an index outside 0..12.
std::optional<double> IntervalStep(int index, double custom_days, int event_code);

// The chart time, local civil Julian day, of item `item` of "특정 시각" for
// the date that `jd_local` lies in, at the site (degrees, East positive):
// midnight at its start (item 0) or end (item 10), the Sun's morning or
// evening twilight, rise, transit or set in between. nullopt when the event
// does not occur that day (polar day or night, twilight that does not end)
// or the item is unknown.
std::optional<double> SpecialTimeJD(int item, double jd_local, double lat_deg, double lon_east_deg);

}  // namespace zu
