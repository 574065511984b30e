#include "astro/SunMoonEvents.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/SiteContext.h"
#include "astro/SkySettings.h"

namespace astro {

namespace {

constexpr int kPreciseMaxSteps = 51;
constexpr double kPreciseToleranceS = 0.1;

// The signed remaining angle, folded into (-180, 180].
double SignedRemaining(double target_deg, double current_deg) {
    double d = std::fmod(target_deg - current_deg, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

struct SunMoon {
    double sun_lon, sun_lat, sun_dist, moon_lon, moon_lat, moon_dist;
};

SunMoon SunMoonAt(double jde) {
    SunMoon s{};
    SunMoonGeocentric(jde, s.sun_lon, s.sun_lat, s.sun_dist, s.moon_lon, s.moon_lat, s.moon_dist);
    return s;
}

double ApparentSunLongitude(double jd_ut, bool with_nutation) {
    const double jde = JDToJDE(jd_ut);
    const SunMoon s = SunMoonAt(jde);
    double lon = s.sun_lon - kSolarAberrationDegAu / s.sun_dist;
    if (with_nutation) {
        double dpsi, deps;
        CalcNutation(jde, dpsi, deps);
        lon += dpsi / 3600.0;
    }
    return lon;
}

double Elongation(double jd_ut) {
    const SunMoon s = SunMoonAt(JDToJDE(jd_ut));
    return Norm360(s.moon_lon - (s.sun_lon - kSolarAberrationDegAu / s.sun_dist));
}

// Steps t by remaining / rate until the remaining angle is worth under 0.1 s.
template <class First, class Next>
std::optional<double> Solve(double t, double target_deg, double rate_deg_per_day, double zone_h,
                            const First& first, const Next& next) {
    double remaining = SignedRemaining(target_deg, first(t));
    t += remaining / rate_deg_per_day;
    for (int steps = 1;; ++steps) {
        remaining = SignedRemaining(target_deg, next(t));
        if (!std::isfinite(remaining)) return std::nullopt;
        if (std::fabs(remaining) / rate_deg_per_day * 86400.0 < kPreciseToleranceS) return t + zone_h / 24.0;
        if (steps >= kPreciseMaxSteps) return std::nullopt;
        t += remaining / rate_deg_per_day;
    }
}

}  // namespace

std::optional<double> SolarLongitudeTime(double year, double target_deg, double day_guess, double zone_h) {
    const double t = DateToJD(year, 1, 0, 0, 0, 0) + SolarLongitudeDayGuess(year, day_guess);
    return Solve(
        t, target_deg, kSunMeanMotionDegPerDay, zone_h, [](double u) { return ApparentSunLongitude(u, false); },
        [](double u) { return ApparentSunLongitude(u, true); });
}

std::optional<double> LunarPhaseTime(double jd_start_ut, double target_deg, double zone_h) {
    return Solve(jd_start_ut, target_deg, kMoonSynodicMotionDegPerDay, zone_h, Elongation, Elongation);
}

// The shadow cones (Explanatory Supplement to the Astronomical Almanac, ch.
// 11): radii 1.02 (0.99834 pi -+ s + pi_sun), with the Moon's parallax pi
// reduced to the mean latitude, the Sun's semi-diameter s and parallax from
// its distance, and the customary 2 % for the Earth's atmosphere. With a
// fixed 0.27 degrees for s - pi_sun and no enlargement the total eclipse of
// 2021-05-26 comes out partial and the penumbral one of 2027-07-18 is missed.
constexpr double kShadowEnlargement = 1.02;
constexpr double kEarthFlatteningParallaxFactor = 0.998340;
constexpr double kSunSemiDiameterAt1AuDeg = 959.63 / 3600.0;
constexpr double kSunParallaxAt1AuDeg = 8.794 / 3600.0;

bool LunarEclipseType(double jd_local, std::uint8_t& type) {
    type = kEclipseNone;
    const SunMoon s = SunMoonAt(JDToJDE(jd_local - Settings().timezone / 24.0));
    const double shadow_lon = Norm360(s.sun_lon + 180.0 - kSolarAberrationDegAu / s.sun_dist);
    const double shadow_lat = -s.sun_lat;
    const double dm_km = s.moon_dist * kAuKm;
    const double sep = AngularSeparation(shadow_lon, shadow_lat, s.moon_lon, s.moon_lat);
    const double parallax = kEarthFlatteningParallaxFactor * ArcSinD(kEarthEquatorialRadiusKm / dm_km);
    const double sun_radius = kSunSemiDiameterAt1AuDeg / s.sun_dist;
    const double sun_parallax = kSunParallaxAt1AuDeg / s.sun_dist;
    const double umbra = kShadowEnlargement * (parallax - sun_radius + sun_parallax);
    const double penumbra = kShadowEnlargement * (parallax + sun_radius + sun_parallax);
    const double moon = kMoonMeanDistanceKm / dm_km * kMoonSemiDiameterAtMeanDistanceDeg;
    if (sep > umbra + moon) {
        if (penumbra + moon >= sep) {
            type = kLunarEclipsePenumbral;
            return true;
        }
        return false;
    }
    type = umbra - moon >= sep ? kEclipseTotal : kEclipsePartial;
    return true;
}

bool SolarEclipseType(double jd_local, std::uint8_t& type, bool& central) {
    type = kEclipseNone;
    central = false;
    const SunMoon s = SunMoonAt(JDToJDE(jd_local - Settings().timezone / 24.0));
    const double sun_lon = Norm360(s.sun_lon - kSolarAberrationDegAu / s.sun_dist);
    const double r = s.sun_dist * kAuKm, d = s.moon_dist * kAuKm;
    const double sep = AngularSeparation(sun_lon, s.sun_lat, s.moon_lon, s.moon_lat);
    const double limit = AtnD((d * 689621.863 / r + kEarthEquatorialRadiusKm) / d) +
                         kMoonMeanDistanceKm / d * kMoonSemiDiameterAtMeanDistanceDeg;
    if (!(sep <= limit)) return false;
    // Sun-Moon distance, the angle at the Sun between the Earth and the Moon,
    // and the distance of the Earth's centre from the Sun-Moon axis (km).
    const double sun_moon = std::sqrt(d * d + r * r - 2.0 * d * r * CosD(sep));
    const double alpha = ArcCosD((r * r + sun_moon * sun_moon - d * d) / (2.0 * r * sun_moon));
    const double x = r * TanD(alpha);
    const double umbra_length = sun_moon * kMoonRadiusKm / 694262.0;
    const double a = std::sqrt(x * x + r * r) - sun_moon;
    const double u = a - umbra_length;
    const double w = std::fabs(u) * kMoonRadiusKm / umbra_length;
    if (x - CosD(alpha) * w >= kEarthEquatorialRadiusKm) {
        type = kEclipsePartial;
    } else {
        central = x <= kEarthEquatorialRadiusKm;
        type = u <= 0.0 ? kEclipseTotal : kSolarEclipseAnnular;
    }
    return true;
}

double ApproxSolarLongitudeTime(double year, double target_deg, double day_guess, double zone_h) {
    return ApproxSolarLongitudeTime(year, target_deg, day_guess, zone_h, [](double u) { return JDToJDE(u); });
}

double ApproxLunarPhaseTime(double jd_start_ut, double zone_h) {
    return ApproxLunarPhaseTime(jd_start_ut, zone_h, [](double u) { return JDToJDE(u); });
}

}  // namespace astro
