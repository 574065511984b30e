#pragma once
// The preparation every change of the displayed year or of the settings
// runs: the era rules of the year, the lunar months of the year and the
// resolved special days of the three sets, all reckoned in the reference
// zone (Korean time, 9 h, or 8 h before 1911, when RefKR is on).
#include <cstdint>

namespace vu {

struct CalendarState;

// Korean standard time of a year: 9 h, 8 h before 1911.
double KoreanReferenceZone(int year);

// Sets MeanSun, MeanMoon and Jinsak from CalYear's era when Auto is on.
void ApplyEraRules(CalendarState& state);

// Prepares CalYear for month 1..12 (its lunar months around the first of that
// month and the special days of sets 0..2). TZ is the reference zone while
// it runs and is put back on every exit path, exceptions included. Returns
// the zone the year was prepared with.
double PrepareDisplayedYear(CalendarState& state, int month);

}  // namespace vu
