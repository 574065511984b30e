#include "calendar/ComputedDays.h"

#include "calendar/CalendarState.h"

namespace vu {

SpecialDayContext SpecialDayContextOfCalendar() { return {}; }
double EasterJD(int) { return 0; }
double ComputedDayJD(int, int, const SpecialDayContext&) { return 0; }
int YearSpecialDays(int, SDaySet&, int, const SpecialDayContext&) { return 0; }
int YearSpecialDays(int, int) { return 0; }

}  // namespace vu
