#include "calendar/SunMoonSolvers.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/MeanSunMoon.h"
#include "calendar/Nutation.h"
#include "calendar/SunMoonPosition.h"

namespace calendar {
namespace {

constexpr double kDegPerRad = 57.29577951308238;
constexpr double kAberrationDeg = 0.005691611;        // 20.49" at 1 AU
constexpr double kSunDegPerDay = 0.9856473590852142;
constexpr double kElongationDegPerDay = 12.190749387105;
constexpr double kStopSeconds = 0.1;
constexpr int kMaxPasses = 51;

bool NearZero(double target_deg) { return target_deg > 357 || target_deg < 3; }

struct SunPlace {
    double lon_deg;   // geometric geocentric longitude (FK5)
    double radius_au;
};

SunPlace SunAt(double jde) {
    EclipticRecord earth{jde, 0, 0, 0, kCallerEarth};
    SunMoonEcliptic(earth);
    return {earth.lon_rad * kDegPerRad + 180.0, earth.radius_au};
}

double MoonLonAt(double jde) {
    EclipticRecord moon{jde, 0, 0, 0, kCallerMoon};
    SunMoonEcliptic(moon);
    return astro::Norm360(moon.lon_rad * kDegPerRad);
}

}  // namespace

double SolarLongitudeTime(double year, double target_deg, double day_offset, double zone_h,
                          const DeltaTRule& rule) {
    return SolarLongitudeSearch(year, target_deg, day_offset, zone_h, rule).jd_local;
}

double LunarPhaseTime(double jd_start_ut, double target_deg, double zone_h, const DeltaTRule& rule) {
    return LunarPhaseSearch(jd_start_ut, target_deg, zone_h, rule).jd_local;
}

SolverResult SolarLongitudeSearch(double year, double target_deg, double day_offset, double zone_h,
                                  const DeltaTRule& rule) {
    double jd = JulianDay(year, 1, 0, 0, 0, 0) + astro::SolarLongitudeDayGuess(year, day_offset);
    SunPlace sun = SunAt(CalcJDE(jd, rule));
    double lambda = astro::Norm360(sun.lon_deg - kAberrationDeg / sun.radius_au);
    double d = astro::AngleDistance(lambda, target_deg);
    int passes = 0;
    while (true) {
        const double step = d / kSunDegPerDay;
        if (NearZero(target_deg) && lambda > 180) lambda -= 360;
        jd += target_deg > lambda ? step : -step;
        const double jde = CalcJDE(jd, rule);
        double dpsi, deps;
        Nutation(jde, dpsi, deps);
        sun = SunAt(jde);
        lambda = astro::Norm360(sun.lon_deg + dpsi / 3600.0 - kAberrationDeg / sun.radius_au);
        d = astro::AngleDistance(lambda, target_deg);
        ++passes;
        if (d / kSunDegPerDay * 86400.0 < kStopSeconds || passes >= kMaxPasses) break;
    }
    return {jd + zone_h / 24.0, passes};
}

SolverResult LunarPhaseSearch(double jd_start_ut, double target_deg, double zone_h,
                              const DeltaTRule& rule) {
    double jd = jd_start_ut;
    auto elongation = [&](bool aberration) {
        const double jde = CalcJDE(jd, rule);
        const SunPlace sun = SunAt(jde);
        const double sun_lon =
            astro::Norm360(sun.lon_deg - (aberration ? kAberrationDeg / sun.radius_au : 0.0));
        return astro::Norm360(MoonLonAt(jde) - sun_lon);
    };
    double e = elongation(false);
    if (NearZero(target_deg)) {
        jd = jd_start_ut - e / kElongationDegPerDay;
        e = elongation(false);
    }
    double d = astro::AngleDistance(e, target_deg);
    int passes = 0;
    while (true) {
        const double step = d / kElongationDegPerDay;
        if (NearZero(target_deg) && e > 180) e -= 360;
        jd += target_deg > e ? step : -step;
        e = elongation(true);
        d = astro::AngleDistance(e, target_deg);
        ++passes;
        if (d / kElongationDegPerDay * 86400.0 < kStopSeconds || passes >= kMaxPasses) break;
    }
    return {jd + zone_h / 24.0, passes};
}

}  // namespace calendar
