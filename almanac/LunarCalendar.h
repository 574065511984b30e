#pragma once
// Korean lunisolar calendar: solar date to lunar date and back, the principal
// solar terms (중기) of a window year, and the month's stem-branch (월건).
//
// Day number: a civil day is the Julian day of its local noon, a whole number
// held in a double; a local moment t belongs to day astro::RoundToHalf(t) + 0.5.
// The window year Y runs from the winter solstice of Y - 1 (WS1) to that of Y
// (WS2). Nothing is cached between calls; the principal-term table is the
// module's only state and is rewritten by every conversion.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "almanac/CalendarServices.h"
#include "almanac/ZoneRule.h"

namespace almanac {

// Historical rule switches, named as the calendar program's settings keys.
struct LunisolarRules {
    bool MeanSun = false;   // 평기법: principal terms from the mean Sun
    bool MeanMoon = false;  // 평삭법: mean new moons
    bool Jinsak = false;    // 진삭법: a true new moon at 18:00 or later starts its month the next day
};

// A lunar date; year astronomical (0 = 1 BC), month 1..12, day from 1.
struct LunarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool leap = false;  // 윤달
    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// One numbered lunar month of a window year.
struct LunarMonth {
    double first_day = 0;  // day number of its first day
    int year = 0;
    int month = 0;
    bool leap = false;
    friend bool operator==(const LunarMonth&, const LunarMonth&) = default;
};

// The numbered months s..e of a window year: from the month holding WS1
// (month 11 of Y - 1) to the month holding WS2; end_day is the first day of
// the month after the last one.
struct WindowYearMonths {
    std::vector<LunarMonth> months;
    double end_day = 0;
};

struct PrincipalTerm {
    std::string Name;
    std::uint8_t Month = 0;  // the lunar month whose principal term this is
    double FirstGuess = 0;   // days from 0 January of the window year
    double Longitude = 0;    // target apparent solar longitude, degrees
    double Day = 0;          // computed day number (CalcPrincipalTerms)
};

inline constexpr int kPrincipalTermCount = 16;
using PrincipalTermRows = std::array<PrincipalTerm, kPrincipalTermCount>;

// Rows 0..15 run from 소설 of the year before the window year to 우수 of the
// year after; row 1 is WS1 and row 13 WS2.
inline constexpr int kWinterSolsticeOpeningRow = 1;
inline constexpr int kWinterSolsticeClosingRow = 13;

// The module's table (16 rows).
PrincipalTermRows& PrincipalTermTable();
// Empties the table: every row as at the start of a run.
void ResetLunarCalendarState();
// Writes Name, Month, FirstGuess and Longitude of the 16 rows.
void InitPrincipalTerms();
// Fills the Day column for the year of jd (1 January 12:00 of the window
// year): each row's moment from the mean (mean_sun) or true solar-term solver,
// made local by the zone rule. False, the table unchanged, when a solver fails.
bool CalcPrincipalTerms(double jd, const ZoneRule& zone, bool mean_sun, const CalendarServices& services);

// The day numbers of the 16 principal terms of window year Y, as
// CalcPrincipalTerms computes them, without touching the table.
std::optional<std::array<double, kPrincipalTermCount>> PrincipalTermDays(int window_year, const ZoneRule& zone,
                                                                         bool mean_sun,
                                                                         const CalendarServices& services);

// The window year that holds the civil day of day_number (WS1 day <= day <=
// WS2 day). No value when a solver fails.
std::optional<int> WindowYearOf(double day_number, const ZoneRule& zone, bool mean_sun,
                                const CalendarServices& services);

// The numbered months of window year Y. No value when a solver fails or the
// months fit no numbering (not 12 or 13 months between the solstices, or a
// 13-month year whose months s+1 and s+2 both lack a principal term).
std::optional<WindowYearMonths> LunarMonthsOfWindowYear(int window_year, const ZoneRule& zone,
                                                        LunisolarRules rules, const CalendarServices& services);

// The lunar date of the civil day of jd_local (a local civil Julian day; only
// its day matters). No value when a solver fails or no month holds the day.
std::optional<LunarDate> SolarToLunar(double jd_local, const ZoneRule& zone, LunisolarRules rules,
                                      const CalendarServices& services);

// The day number (local noon) of a lunar date, found by probing with
// SolarToLunar. A day past the month's end runs on into the next month and
// day 0 gives the last day of the month before. No value when the month is
// not found (a leap month the year lacks, a year out of reach).
std::optional<double> LunarToSolar(const LunarDate& date, const ZoneRule& zone, LunisolarRules rules,
                                   const CalendarServices& services);
// As LunarToSolar, but only a day that converts back to the same lunar date.
std::optional<double> LunarToSolarStrict(const LunarDate& date, const ZoneRule& zone, LunisolarRules rules,
                                         const CalendarServices& services);

// The two-letter stem-branch name of a lunar month ("경자" for month 11 of
// 2001); "" for a leap month.
std::string GetWolgeon(int year, int month, bool leap);

}  // namespace almanac
