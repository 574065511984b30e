#include "calendar/Eclipses.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "calendar/SunMoonPosition.h"

namespace calendar {
namespace {

constexpr double kDegPerRad = 57.29577951308238;
constexpr double kPi = 3.14159265358979;
constexpr double kAu_km = 149597870.691;
constexpr double kEarthRadius_km = 6378.137;
constexpr double kMoonRadius_km = 1738;
constexpr double kSunMinusMoonRadius_km = 694262;
constexpr double kSunMinusEarthRadius_km = 689621.863;
constexpr double kMoonMeanDistance_km = 384400;
constexpr double kMoonSemiDiameterAtMean_deg = 0.2602361;
constexpr double kAnnualAberration_deg_au = 0.0056916111;
// The shadow cones (Explanatory Supplement to the Astronomical Almanac, ch.
// 11), as the sky program draws them: radii 1.02 (0.99834 pi -+ s + pi_sun),
// the Moon's parallax pi reduced to the mean latitude, the Sun's
// semi-diameter s and parallax pi_sun from its distance, and the customary
// 2 % for the Earth's atmosphere. A fixed 0.27 degrees for s without the
// enlargement made the total eclipse of 2021-05-26 partial and missed the
// penumbral one of 2027-07-18.
constexpr double kShadowEnlargement = 1.02;
constexpr double kEarthFlatteningParallaxFactor = 0.998340;
constexpr double kSunSemiDiameterAt1Au_deg = 959.63 / 3600.0;
constexpr double kSunParallaxAt1Au_deg = 8.794 / 3600.0;

struct SunMoonPlaces {
    EclipticRecord earth;  // heliocentric Earth
    EclipticRecord moon;   // geocentric Moon
};

SunMoonPlaces PlacesAt(double jd_local, double zone_h, const DeltaTRule& rule) {
    const double jde = CalcJDE(jd_local - zone_h / 24.0, rule);
    SunMoonPlaces places{{jde, 0, 0, 0, kCallerEarth}, {jde, 0, 0, 0, kCallerMoon}};
    SunMoonEcliptic(places.earth);
    SunMoonEcliptic(places.moon);
    return places;
}

}  // namespace

bool LunarEclipseType(double jd_local, double zone_h, std::uint8_t& kind, const DeltaTRule& rule) {
    const SunMoonPlaces p = PlacesAt(jd_local, zone_h, rule);
    const double shadow_lon =
        astro::Norm360(p.earth.lon_rad * kDegPerRad - kAnnualAberration_deg_au / p.earth.radius_au);
    const double shadow_lat = p.earth.lat_rad * kDegPerRad;
    const double moon_lon = p.moon.lon_rad * kDegPerRad;
    const double moon_lat = p.moon.lat_rad * kDegPerRad;
    const double moon_km = p.moon.radius_au * kAu_km;

    const double d = astro::AngularSeparation(shadow_lon, shadow_lat, moon_lon, moon_lat);
    const double parallax = kEarthFlatteningParallaxFactor * astro::ArcSinD(kEarthRadius_km / moon_km);
    const double sun_radius = kSunSemiDiameterAt1Au_deg / p.earth.radius_au;
    const double sun_parallax = kSunParallaxAt1Au_deg / p.earth.radius_au;
    const double umbra = kShadowEnlargement * (parallax - sun_radius + sun_parallax);
    const double penumbra = kShadowEnlargement * (parallax + sun_radius + sun_parallax);
    const double s = kMoonMeanDistance_km / moon_km * kMoonSemiDiameterAtMean_deg;

    if (d > umbra + s) {
        kind = d <= penumbra + s ? kLunarPenumbral : kLunarNone;
        return kind != kLunarNone;
    }
    kind = d <= umbra - s ? kLunarTotal : kLunarPartial;
    return true;
}

bool SolarEclipseType(double jd_local, double zone_h, std::uint8_t& kind, bool& central, const DeltaTRule& rule) {
    kind = kSolarNone;
    central = false;
    const SunMoonPlaces p = PlacesAt(jd_local, zone_h, rule);
    const double sun_lon =
        astro::Norm360((p.earth.lon_rad + kPi) * kDegPerRad - kAnnualAberration_deg_au / p.earth.radius_au);
    const double sun_lat = -p.earth.lat_rad * kDegPerRad;
    const double rs = p.earth.radius_au * kAu_km;
    const double moon_lon = p.moon.lon_rad * kDegPerRad;
    const double moon_lat = p.moon.lat_rad * kDegPerRad;
    const double rm = p.moon.radius_au * kAu_km;

    const double t = astro::AngularSeparation(sun_lon, sun_lat, moon_lon, moon_lat);
    const double sun_moon = std::sqrt(rm * rm + rs * rs - 2 * rs * rm * astro::CosD(t));
    const double a = astro::ArcCosD((rs * rs + sun_moon * sun_moon - rm * rm) / (2 * sun_moon * rs));
    const double g = rs * astro::TanD(a);
    const double cone = sun_moon * kMoonRadius_km / kSunMinusMoonRadius_km;
    const double q = std::sqrt(rs * rs + g * g) - sun_moon - cone;
    const double k = std::fabs(q) * kMoonRadius_km / cone;

    const double limit = astro::AtnD((rm * kSunMinusEarthRadius_km / rs + kEarthRadius_km) / rm) +
                         kMoonMeanDistance_km / rm * kMoonSemiDiameterAtMean_deg;
    if (t > limit) return false;
    if (g - astro::CosD(a) * k >= kEarthRadius_km) {
        kind = kSolarPartial;
        return true;
    }
    central = g <= kEarthRadius_km;
    kind = q > 0 ? kSolarAnnular : kSolarTotal;
    return true;
}

}  // namespace calendar
