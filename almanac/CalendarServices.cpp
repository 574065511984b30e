#include "almanac/CalendarServices.h"

namespace almanac {

astro::CalendarDate CoreJDToDate(double jd) { return astro::JDToDate(jd); }

double CoreDateToJD(double year, double month, double day, double hour, double minute, double second) {
    return astro::DateToJD(year, month, day, hour, minute, second);
}

}  // namespace almanac
