#include "calendar/CalendarState.h"

namespace calendar {
namespace {
CalendarState g_state;
}

CalendarState& Calendar() { return g_state; }

void ResetCalendarState() { g_state = CalendarState{}; }

void UpdateSummerDays(CalendarState& state) {
    const SummerDays days = SummerDaysOfYear(state.settings, state.CalYear);
    state.SummerStartJD = days.start_jd;
    state.SummerEndJD = days.end_jd;
}

double ZoneInForce(const CalendarState& state, double jd) {
    return ZoneInForce(state.settings, SummerDays{state.SummerStartJD, state.SummerEndJD}, jd);
}

}  // namespace calendar
