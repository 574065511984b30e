#pragma once
// The sky chart's date routines and Sun and Moon solvers (astro_sky) as the
// service value of the calendar modules.
#include "almanac/CalendarServices.h"

namespace almanac {

const CalendarServices& SkyCalendarServices();

}  // namespace almanac
