#pragma once
// The lunisolar year table: the Korean lunar months that touch a displayed
// year (month 7 of the year before through month 3 of the year after),
// prepared once per year from new moons and principal solar terms under the
// historical rule flags, and the lookups that read it. Days are civil days
// held as the Julian day of their noon (a whole number).
#include <array>
#include <cstdint>

#include "almanac/CalendarServices.h"
#include "almanac/LunarCalendar.h"
#include "almanac/ZoneRule.h"

namespace calendar {

using EraRules = almanac::LunisolarRules;
// The rules in force in a year: up to 618 mean terms and mean new moons;
// 619-664 true new moons; 665-1280 with Jinsak; 1281-1644 mean terms only;
// from 1645 all true.
EraRules SetEraRules(std::int16_t year);

inline constexpr std::int16_t kTrue = -1;  // Boolean held in an integer

struct LunarMonthRecord {
    double StartJD = 0;         // noon of the first day; 0 for an empty slot
    std::int16_t Days = 0;      // 29 or 30; 0 when the next start is unknown
    std::int16_t Regular = 0;   // kTrue for an ordinary month, 0 for the leap month
    std::uint8_t Month = 0;     // 1..12
    std::int16_t Year = 0;      // lunar year, astronomical numbering
};

inline constexpr int kLunarMonthSlots = 26;

// Slots in ascending StartJD from slot 0; the slots after the last entry are zero.
struct LunarMonthTable {
    std::array<LunarMonthRecord, kLunarMonthSlots> slot{};
};

void ClearLunarMonthTable(LunarMonthTable& table);
void SwapMonthRecords(LunarMonthRecord& a, LunarMonthRecord& b);

// Writes the months of one lunar year (month 11 of the year before through
// month 11 of the year of jd) into slots 0.. of the table, with new moons and
// principal terms in the local time of the zone rule (fixed hours, or the
// Korean rule that changes at a moment) from the services' solvers (the true
// new moon: LunarPhaseTime with target 0, at or before its start). False,
// with the table left empty, when the new-moon search does not reach past
// early March of the next year in 40 steps or a solver fails.
bool CalcYearMonths(double jd, const almanac::ZoneRule& zone, const EraRules& rules,
                    const almanac::CalendarServices& services, LunarMonthTable& table);

// Fills the table for the year of jd (21 or 22 months) from three lunar years
// computed with the same rules and zone.
void PrepareLunarYear(double jd, const almanac::ZoneRule& zone, const EraRules& rules,
                      const almanac::CalendarServices& services, LunarMonthTable& table);

// Lunar date of the civil day of jd; false, with the outputs untouched,
// when no month of the table holds the day. leap is kTrue for a leap month.
bool GetLunarDate(const LunarMonthTable& table, double jd, std::int16_t& year, std::uint8_t& month,
                  std::uint8_t& day, std::int16_t& leap);
// Noon Julian day of a lunar day; false with jd 0 when the month is not in
// the table. leap must be kTrue or 0 (any other value matches nothing).
bool LunarMonthJD(const LunarMonthTable& table, std::int16_t year, std::uint8_t month, std::uint8_t day,
                  std::int16_t leap, double& jd);
// Length of a lunar month; false when the month is not in the table.
bool LunarMonthDays(const LunarMonthTable& table, std::int16_t year, std::uint8_t month, std::int16_t leap,
                    double& days);
// True when the month is in the table and has 30 days.
bool IsThirtyDayMonth(const LunarMonthTable& table, std::int16_t year, std::uint8_t month, std::int16_t leap);

}  // namespace calendar
