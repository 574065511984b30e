#include "calendar/VuCalendarServices.h"

#include <cmath>
#include <optional>

#include "astro/MeanSunMoon.h"
#include "calendar/SunMoonSolvers.h"

namespace calendar {
namespace {

std::optional<double> Finite(double jd) {
    if (std::isfinite(jd)) return jd;
    return std::nullopt;
}

}  // namespace

almanac::CalendarServices CalendarServicesOfVu(const DeltaTRule& rule) {
    const astro::JdeOfUt jde_of_ut = [rule](double jd_ut) { return CalcJDE(jd_ut, rule); };
    return almanac::CalendarServices{
        [](double year, double month, double day, double hour, double minute, double second) {
            return JulianDay(year, month, day, hour, minute, second);
        },
        [](double jd) {
            astro::CalendarDate d;
            JDToCalendar(jd, d.year, d.month, d.day, d.hour, d.minute, d.second);
            return d;
        },
        [rule](double year, double target_deg, double day_guess, double zone_h) {
            return Finite(SolarLongitudeTime(year, target_deg, day_guess, zone_h, rule));
        },
        [rule](double jd_guess, double target_deg, double zone_h) {
            return Finite(LunarPhaseTime(jd_guess, target_deg, zone_h, rule));
        },
        [jde_of_ut](double year, double target_deg, double day_guess, double zone_h) {
            return astro::ApproxSolarLongitudeTime(year, target_deg, day_guess, zone_h, jde_of_ut);
        },
        [jde_of_ut](double jd_guess, double zone_h) {
            return astro::ApproxLunarPhaseTime(jd_guess, zone_h, jde_of_ut);
        },
    };
}

}  // namespace calendar
