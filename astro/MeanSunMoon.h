#pragma once
// Mean longitudes of the Sun and Moon and the fast solvers built on them,
// shared by the sky chart and the calendar program. The solvers take the
// conversion UT -> TT from the caller, so each program supplies its own Delta T.
#include <functional>

namespace astro {

// Converts a Julian day of UT to the Julian ephemeris day (TT).
using JdeOfUt = std::function<double(double jd_ut)>;

// Mean longitude of the Sun, degrees 0..360 (VSOP87 mean longitude, Meeus 28.2).
double SunMeanLongitude(double jde);
// Mean longitude of the Moon, degrees 0..360 (Meeus 47.1).
double MoonMeanLongitude(double jde);

// Local civil Julian day at which the mean Sun (less the mean aberration
// 0.0057183 degrees) reaches target_deg: the search starts day_guess days
// after 0 January of the year (later by floor((1582 - year) * 0.0078) days
// before 1582) and steps by the folded difference over the mean motion until a
// step is under 1 second or after 11 steps. zone_h is added to the UT result.
double ApproxSolarLongitudeTime(double year, double target_deg, double day_guess, double zone_h,
                                const JdeOfUt& jde_of_ut);
// Local civil Julian day of the mean new moon nearest jd_start_ut.
double ApproxLunarPhaseTime(double jd_start_ut, double zone_h, const JdeOfUt& jde_of_ut);

// The corrected first guess of the solar-longitude solvers.
double SolarLongitudeDayGuess(double year, double day_guess);

}  // namespace astro
