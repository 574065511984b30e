#pragma once
// The preparation every change of the displayed year or of the settings
// runs: the era rules of the year, the lunar months of the year and the
// resolved special days of the three sets, all reckoned in the reference
// zone (Korean time when RefKR is on: the shared Korean rule, 8 h before
// 1912 and 9 h from then on, which the official tables follow).
#include <cstdint>

#include "almanac/ZoneRule.h"
#include "calendar/CalendarSettings.h"

namespace calendar {
struct CalendarState;
}  // namespace calendar

namespace vu {

// The computable years, astronomical numbering: BCE 10000 to CE 32000, and
// what the windows say when a year would leave them.
inline constexpr int kFirstCalendarYear = -9999;
inline constexpr int kLastCalendarYear = 32000;
inline constexpr const char* kYearRangeMessage = "계산할 수 있는 연도는 기원전 10000년부터 서기 32000년까지입니다.";

// Korean standard time of a year by the shared Korean rule: 8 h up to
// 1911, 9 h from 1912.
double KoreanReferenceZone(int year);

// The zone rule of lunar dates: the Korean rule with RefKR, else TZ.
almanac::ZoneRule LunarZoneRule(const calendar::CalendarSettings& settings);

// Sets MeanSun, MeanMoon and Jinsak from CalYear's era when Auto is on.
void ApplyEraRules(calendar::CalendarState& state);

// Prepares CalYear for month 1..12 (its lunar months around the first of that
// month and the special days of sets 0..2). TZ is the reference zone while
// it runs and is put back on every exit path, exceptions included. Returns
// the zone the year was prepared with.
double PrepareDisplayedYear(calendar::CalendarState& state, int month);

}  // namespace vu
