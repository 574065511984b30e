#pragma once
// The calendar program's date routines and solvers as the service value of
// the shared calendar modules (lunisolar conversion, principal terms, Islamic
// calendar): JulianDay and JDToCalendar, the true solvers of the calendar's
// own series and the mean solvers of astro, all on the calendar's Delta T.
#include "almanac/CalendarServices.h"
#include "calendar/TimeBase.h"

namespace calendar {

almanac::CalendarServices CalendarServicesOfVu(const DeltaTRule& rule = {});

}  // namespace calendar
