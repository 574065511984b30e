#pragma once
// Texts of a lunar date: the tide-day name (물때) in three regional series,
// and the sexagenary name (월건) of a lunar month with its hanja.
#include <cstdint>
#include <string>

namespace calendar {

struct LunarMonthTable;

// Name of lunar day `day` (1..30) in style 0 (general), 1 (south coast) or
// any other value (west coast); days 29 and 30 follow the month's length in
// the table (a month the table lacks counts as 29 days). "" for a day
// outside 1..30.
std::string TideDayName(const LunarMonthTable& table, std::int16_t year, std::uint8_t month,
                        std::uint8_t day, std::int16_t leap, std::uint8_t style);

// "경자(庚子)" for month 11 of lunar year 2001; "" for a leap month (leap != 0).
std::string GetWolgeon(std::int16_t year, std::int16_t month, std::int16_t leap);

}  // namespace calendar
