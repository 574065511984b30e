#include "calendar/SunMoonPosition.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/DeltaT.h"
#include "calendar/SunMoonSeries.h"

namespace calendar {
namespace {
constexpr double kRadPerDeg = 0.017453292519943278;
}

void SunMoonEcliptic(EclipticRecord& record) {
    record.body = record.body == kCallerMoon ? kBodyMoon : record.body - 1;
    double lon_deg, lat_deg;
    EclipticPosition(record.jde, static_cast<std::uint8_t>(record.body), true, lon_deg, lat_deg,
                     record.radius_au);
    record.lon_rad = lon_deg * kRadPerDeg;
    record.lat_rad = lat_deg * kRadPerDeg;
}

void SunMoonRaDec(std::int32_t body, double jd_local, double zone_h, double& ra_deg, double& dec_deg,
                  float& fraction, const DeltaTRule& rule) {
    using astro::Atan2D;
    using astro::Norm360;
    const double ut = jd_local - zone_h / 24.0;
    const double jde = CalcJDE(ut, rule);
    const double eps = astro::MeanObliquity(ut) * kRadPerDeg;

    EclipticRecord earth{jde, 0, 0, 0, kCallerEarth};
    SunMoonEcliptic(earth);
    const double xe = earth.radius_au * std::cos(earth.lat_rad) * std::cos(earth.lon_rad);
    const double ye = earth.radius_au * std::cos(earth.lat_rad) * std::sin(earth.lon_rad);
    const double ze = earth.radius_au * std::sin(earth.lat_rad);
    const double earth_lon_deg = Norm360(Atan2D(ye, xe));

    EclipticRecord moon{jde, 0, 0, 0, kCallerMoon};
    SunMoonEcliptic(moon);
    const double xm = moon.radius_au * std::cos(moon.lat_rad) * std::cos(moon.lon_rad);
    const double ym = moon.radius_au * std::cos(moon.lat_rad) * std::sin(moon.lon_rad);
    const double zm = moon.radius_au * std::sin(moon.lat_rad);

    const bool is_moon = body == kRaDecMoon;
    const double x = is_moon ? xm : -xe;
    const double y = is_moon ? ym : -ye;
    const double z = is_moon ? zm : -ze;
    const double lon_g = Norm360(Atan2D(y, x));
    const double lat_g = Atan2D(z, std::sqrt(x * x + y * y));

    const double y2 = y * std::cos(eps) - z * std::sin(eps);
    const double z2 = y * std::sin(eps) + z * std::cos(eps);
    ra_deg = Norm360(Atan2D(y2, x));
    dec_deg = Atan2D(z2, std::sqrt(x * x + y2 * y2));

    if (!is_moon) {
        fraction = 1.0f;
        return;
    }
    const double psi = astro::ArcCosD(astro::CosD(lat_g) * astro::CosD(earth_lon_deg + 180.0 - lon_g));
    const double i = 180.0 - psi;
    fraction = static_cast<float>((1.0 + astro::CosD(i)) / 2.0);
}

double LinearInterp(double x1, double x2, double y1, double y2, double x) {
    return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

}  // namespace calendar
