#pragma once
// The texts of one day cell of the month grid, also used by the day details,
// the outputs and the conversion table: the lunar date, the day's
// stem-branch, the tide name, day differences and plain number texts.
#include <cstdint>
#include <string>

namespace calendar {
struct LunarMonthTable;
}  // namespace calendar

namespace vu {

// "4. 2(윤)" for the second day of a leap fourth month, "1. 1" otherwise; the
// lunar year is not shown.
std::string LunarDateText(double lunar_year, double month, double day, bool leap);

// Two hanja, stem then branch, of the civil day of jd (noon Julian day):
// "戊午" for 2451545.
std::string GetIljin(double jd);

// The tide-day name of a lunar date in style tidal - 1 (tidal 1 to 3, the
// settings' Tidal).
std::string CellTideText(const calendar::LunarMonthTable& table, std::int16_t lunar_year, std::uint8_t month,
                         std::uint8_t day, bool leap, std::int16_t tidal);

// jd - base, plus 1 when that difference is 0 or more: the base day is day 1,
// the day before it -1.
double DayDiff(double jd, double base_jd);

// The number without blanks: 2024 "2024", -3 "-3", 5.5 "5.5".
std::string TrimNum(double value);

}  // namespace vu
