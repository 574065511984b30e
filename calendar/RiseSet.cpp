#include "calendar/RiseSet.h"

namespace vu {

double HorizonDip(double, double) { return 0; }
DayPositions ApparentDayPositions(std::uint8_t, double, double, const DeltaTRule&) { return {}; }
void RiseSetScan(RiseSetQuery&, const DayPositions&, int) {}
std::string RiseSetDay(double, double, double, double, std::uint8_t, std::uint8_t, int, bool, double,
                       const DeltaTRule&) {
    return "--:--/--:--";
}
std::string RiseSetTwilight(double, double, double, double, double, std::uint8_t, int, bool, bool, bool, double,
                            const DeltaTRule&) {
    return {};
}
RiseSetQuery RiseSetOfDay(double, double, double, double, double, std::uint8_t, int, bool, double,
                          const DeltaTRule&) {
    return {};
}

}  // namespace vu
