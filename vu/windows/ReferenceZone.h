#pragma once
// What the converters and tables of the calendar's windows share: the zone
// of the lunisolar reference (Korean time: 9 h, 8 h before 1911), the era
// rule flags as a value, the range of dates the converters accept, and the
// year state that a conversion changes for a while and puts back.
#include <cstdint>

#include "almanac/ZoneRule.h"
#include "calendar/CalendarState.h"
#include "calendar/LunarYear.h"

namespace vu {

// The zone rule of the lunisolar reference: with RefKR the shared Korean
// rule (8 h before 1912, 9 h from then on), without it TZ.
almanac::ZoneRule ReferenceZone(const calendar::CalendarSettings& settings);

// The flags MeanSun, MeanMoon, Jinsak as rules, and the rules of a year's
// era written into them.
calendar::EraRules RulesOf(const calendar::CalendarSettings& settings);
void ApplyEraRules(calendar::CalendarSettings& settings, std::int16_t year);

// A date the converters take: year -9999..32000, month and day 0..255.
bool DateFitsFields(double year, double month, double day);

// Keeps TZ, CalYear and the era rule flags and puts them back when it ends,
// on every way out.
class YearStateKeeper {
public:
    explicit YearStateKeeper(calendar::CalendarState& state);
    ~YearStateKeeper();
    YearStateKeeper(const YearStateKeeper&) = delete;
    YearStateKeeper& operator=(const YearStateKeeper&) = delete;

private:
    calendar::CalendarState& state_;
    double tz_;
    std::int16_t cal_year_;
    calendar::EraRules rules_;
};

}  // namespace vu
