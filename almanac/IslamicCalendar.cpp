#include "almanac/IslamicCalendar.h"

namespace almanac {

std::string IslamicMonthName(int) { return ""; }
double IslamicToJD(int, int, int) { return 0; }
IslamicDate JDToIslamic(double) { return {}; }
std::string FormatIslamicDate(double, int) { return ""; }

}  // namespace almanac
