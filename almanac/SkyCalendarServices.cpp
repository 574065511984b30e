#include "almanac/SkyCalendarServices.h"

#include "astro/SunMoonEvents.h"

namespace almanac {

const CalendarServices& SkyCalendarServices() {
    static const CalendarServices services{
        CoreDateToJD,
        CoreJDToDate,
        [](double year, double target_deg, double day_guess, double zone_h) {
            return astro::SolarLongitudeTime(year, target_deg, day_guess, zone_h);
        },
        [](double jd_guess, double target_deg, double zone_h) {
            return astro::LunarPhaseTime(jd_guess, target_deg, zone_h);
        },
        [](double year, double target_deg, double day_guess, double zone_h) {
            return astro::ApproxSolarLongitudeTime(year, target_deg, day_guess, zone_h);
        },
        [](double jd_guess, double zone_h) { return astro::ApproxLunarPhaseTime(jd_guess, zone_h); },
    };
    return services;
}

}  // namespace almanac
