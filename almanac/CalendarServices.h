#pragma once
// The date routines and Sun and Moon solvers the shared calendar modules work
// with. Each program hands in its own set (the sky chart: SkyCalendarServices()
// in almanac/SkyCalendarServices.h; the calendar program: its own), so the
// modules read no settings and no program's globals.
//
// Julian days: the precise and mean solvers return a Julian day of local civil
// time, the UT result plus zone_h / 24. The lunisolar conversions call them
// with zone 0 and apply their ZoneRule themselves.
#include <functional>
#include <optional>

#include "astro/JulianDay.h"

namespace almanac {

// Julian day of a calendar instant read as local civil time (no zone).
using DateToJDFn = std::function<double(double year, double month, double day, double hour, double minute,
                                        double second)>;
// Calendar instant of a Julian day, every part truncated.
using JDToDateFn = std::function<astro::CalendarDate(double jd)>;
// Local civil Julian day at which the apparent solar longitude reaches
// target_deg; the search starts day_guess days after 0 January of year.
// No value when the solver does not converge.
using SolarLongitudeTimeFn =
    std::function<std::optional<double>(double year, double target_deg, double day_guess, double zone_h)>;
// Local civil Julian day of the lunar phase target_deg (0 new moon, 90 first
// quarter, 180 full, 270 last quarter) nearest jd_guess. No value when the
// solver does not converge.
using LunarPhaseTimeFn = std::function<std::optional<double>(double jd_guess, double target_deg, double zone_h)>;
// The mean-Sun form of SolarLongitudeTimeFn; always gives a value.
using ApproxSolarLongitudeTimeFn =
    std::function<double(double year, double target_deg, double day_guess, double zone_h)>;
// Local civil Julian day of the mean new moon nearest jd_guess.
using ApproxLunarPhaseTimeFn = std::function<double(double jd_guess, double zone_h)>;

struct CalendarServices {
    DateToJDFn DateToJD;
    JDToDateFn JDToDate;
    SolarLongitudeTimeFn SolarLongitudeTime;
    LunarPhaseTimeFn LunarPhaseTime;
    ApproxSolarLongitudeTimeFn ApproxSolarLongitudeTime;
    ApproxLunarPhaseTimeFn ApproxLunarPhaseTime;

    // The calendar year of JDToDate (a whole number held in a double).
    double JDToYear(double jd) const { return JDToDate(jd).year; }
};

// The computing core's date routines (astro/JulianDay.h), for callers and
// tests that have no date routines of their own.
astro::CalendarDate CoreJDToDate(double jd);
double CoreDateToJD(double year, double month, double day, double hour, double minute, double second);

}  // namespace almanac
