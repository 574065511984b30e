#include "astro/MeanSunMoon.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/JulianDay.h"

namespace astro {

namespace {
constexpr int kApproxMaxSteps = 11;

double FoldSigned(double delta_deg) {
    if (delta_deg < 0.0) delta_deg += 360.0;
    if (delta_deg > 180.0) delta_deg -= 360.0;
    return delta_deg;
}
}  // namespace

double SunMeanLongitude(double jde) {
    const double tau = (jde - kJ2000) / kDaysPerJulianMillennium;
    return Norm360(280.4664567 + 360007.6982779 * tau + 0.03032028 * tau * tau + std::pow(tau, 3) / 49931.0 -
                   std::pow(tau, 4) / 15300.0 - std::pow(tau, 5) / 2000000.0);
}

double MoonMeanLongitude(double jde) {
    const double t = (jde - kJ2000) / kDaysPerJulianCentury;
    return Norm360(218.3164477 + 481267.88123421 * t - 0.0015786 * t * t + std::pow(t, 3) / 538841.0 -
                   std::pow(t, 4) / 6.5194e7);
}

double SolarLongitudeDayGuess(double year, double day_guess) {
    if (year < 1582) day_guess += std::floor((1582.0 - year) * 0.0078);
    return day_guess;
}

double ApproxSolarLongitudeTime(double year, double target_deg, double day_guess, double zone_h,
                                const JdeOfUt& jde_of_ut) {
    double t = DateToJD(year, 1, 0, 0, 0, 0) + SolarLongitudeDayGuess(year, day_guess);
    for (int step = 1; step <= kApproxMaxSteps; ++step) {
        const double l = SunMeanLongitude(jde_of_ut(t)) - kMeanSolarAberrationDeg;
        const double delta = FoldSigned(target_deg - l);
        t += delta / kSunMeanMotionFastDegPerDay;
        if (!(std::fabs(delta) / kSunMeanMotionFastDegPerDay * 86400.0 >= 1.0)) break;
    }
    return t + zone_h / 24.0;
}

double ApproxLunarPhaseTime(double jd_start_ut, double zone_h, const JdeOfUt& jde_of_ut) {
    double t = jd_start_ut;
    for (int step = 1; step <= kApproxMaxSteps; ++step) {
        const double jde = jde_of_ut(t);
        const double delta =
            FoldSigned((SunMeanLongitude(jde) - kMeanSolarAberrationDeg) - MoonMeanLongitude(jde));
        t += delta / kMoonSynodicMotionDegPerDay;
        if (!(std::fabs(delta) / kMoonSynodicMotionDegPerDay * 86400.0 >= 1.0)) break;
    }
    return t + zone_h / 24.0;
}

}  // namespace astro
