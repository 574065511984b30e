#pragma once
// The special days of a displayed year: the Julian days of the user entries
// with a solar date, eight computed days in set 0 (traditional seasonal days,
// Easter, Coming-of-Age Day), the 24 solar terms in every set, and the D-Days
// counted from another entry.
#include <cstdint>

#include "calendar/LunarYear.h"
#include "calendar/SpecialDays.h"
#include "calendar/TimeBase.h"

namespace calendar {

// Set 0 slots of the computed days and the first slot of the terms.
inline constexpr int kComputedDaySlot = 366;   // 366..373
inline constexpr int kComputedDayCount = 8;
inline constexpr int kTermSlotSet0 = 374;      // 374..397
inline constexpr int kTermSlotOtherSets = 366; // 366..389

// What the computation reads: the zone of the terms and computed days, the
// lunisolar rules, Delta T, and the lunar months prepared for the year (for
// D-Days counted from a lunar entry; may be null).
struct SpecialDayContext {
    double zone_h = 9;
    EraRules rules;
    DeltaTRule delta_t;
    const LunarMonthTable* lunar_months = nullptr;
};
// The context of the calendar's state: TZ, MeanSun/MeanMoon/Jinsak, its Delta
// T rule and its prepared lunar months.
SpecialDayContext SpecialDayContextOfCalendar();

// Noon Julian day of Easter Sunday: Gregorian rule from 1583, Julian before
// (floor remainders for years before 1).
double EasterJD(int year);

// Noon Julian day of computed day k (0 한식, 1 초복, 2 중복, 3 말복, 4 납향,
// 5 제석, 6 부활절, 7 성년의 날) of the year; 0 when it cannot be found
// (제석 when the lunar new year cannot be converted, a day counted from a
// solar term the solver does not find); such a slot stays unused.
double ComputedDayJD(int k, int year, const SpecialDayContext& context);

// Resolves one set (0..2) for the year. Always returns 0.
int YearSpecialDays(int year, SDaySet& set, int set_index, const SpecialDayContext& context);
// The same on set 0..2 of the calendar's table with its context.
int YearSpecialDays(int year, int set_index);

}  // namespace calendar
