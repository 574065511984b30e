#include "calendar/RiseSet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "calendar/Nutation.h"
#include "calendar/SunMoonPosition.h"

namespace calendar {

namespace {

constexpr double kSunAberrationDeg = 0.005691611;
constexpr double kSunThresholdDeg = -0.8333;
constexpr double kMoonThresholdDeg = 0.125;
// Sidereal degrees per solar day.
constexpr double kSiderealRate = 360.985647366;
constexpr int kMaxSamples = 1441;

double ThresholdOfKind(std::uint8_t kind) {
    if (kind == kRiseSetKindSun) return kSunThresholdDeg;
    if (kind == kRiseSetKindMoon) return kMoonThresholdDeg;
    return 0;
}

std::string TimeWithAzimuth(double jd, double azimuth, bool with_azimuth) {
    std::string text = TimeText(jd);
    if (with_azimuth) {
        char angle[32];
        std::snprintf(angle, sizeof angle, "(%.1f도)", azimuth);
        text += angle;
    }
    return text;
}

}  // namespace

double HorizonDip(double height_m, double /*latitude_deg*/) {
    if (!(height_m > 0)) return 0;
    return 2.12 * std::sqrt(height_m) / 60.0;
}

DayPositions ApparentDayPositions(std::uint8_t body, double jd, double zone_h, const DeltaTRule& rule) {
    const double midnight = astro::RoundToHalf(jd);
    const double jde = CalcJDE(midnight, rule);
    const double eps0 = astro::MeanObliquity(jde);
    const double aberration = body == kRiseSetMoon ? 0.0 : kSunAberrationDeg;
    DayPositions positions;
    for (int i = 0; i < 3; ++i) {
        double ra = 0, dec = 0;
        float fraction = 0;
        SunMoonRaDec(body, midnight + 0.5 * i, zone_h, ra, dec, fraction, rule);
        double lon = 0, lat = 0;
        astro::EquatorialToEcliptic(ra, dec, eps0, lon, lat);
        double dpsi = 0, deps = 0;
        Nutation(jde + 0.5 * i, dpsi, deps);
        lon += dpsi / 3600.0 - aberration;
        astro::EclipticToEquatorial(lon, lat, eps0 + deps / 3600.0, positions.ra[i], positions.dec[i]);
    }
    return positions;
}

void RiseSetScan(RiseSetQuery& query, const DayPositions& positions, int step) {
    // A step below one minute would need more samples than the day has minutes.
    step = std::max(step, 1);
    const double midnight = astro::RoundToHalf(query.JD);
    const double ut = midnight - query.Zone / 24.0;
    const double ut0 = astro::RoundToHalf(ut);
    const double T = (ut0 - 2451545.0) / 36525.0;
    const double theta0 = 100.46061837 + 36000.770053608 * T + 0.000387933 * T * T - T * T * T / 38710000.0;
    const double theta = astro::Norm360(astro::Norm360(theta0) + query.Longitude + (ut - ut0) * kSiderealRate);

    const double n = 1440.0 / step;
    const double half = n / 2.0;
    const double dt = 1.0 / n;
    std::array<double, kMaxSamples> time{}, altitude{}, azimuth{};
    int samples = 0;
    for (int e = 0; e <= n && e < kMaxSamples; ++e) {
        time[e] = midnight + e * dt;
        const double p = (e - half) / half;
        double ra = 0, dec = 0;
        astro::InterpolateSpherical3(positions.ra[0], positions.dec[0], positions.ra[1], positions.dec[1],
                                     positions.ra[2], positions.dec[2], p, ra, dec);
        const double lst_h = (e * dt * kSiderealRate + theta) / 15.0;
        astro::EquatorialToHorizontal(ra, dec, lst_h, query.Latitude, azimuth[e], altitude[e]);
        samples = e + 1;
    }

    query.RiseFound = query.SetFound = false;
    query.RiseJD = query.SetJD = query.RiseAzimuth = query.SetAzimuth = 0;
    const double h0 = query.H0;
    for (int e = 0; e + 1 < samples; ++e) {
        const double a1 = altitude[e], a2 = altitude[e + 1];
        if (a1 <= h0 && a2 >= h0) {
            query.RiseFound = true;
            query.RiseJD = LinearInterp(a1, a2, time[e], time[e + 1], h0);
            query.RiseAzimuth = LinearInterp(a1, a2, azimuth[e], azimuth[e + 1], h0);
        }
        if (a1 >= h0 && a2 <= h0) {
            query.SetFound = true;
            query.SetJD = LinearInterp(a1, a2, time[e], time[e + 1], h0);
            query.SetAzimuth = LinearInterp(a1, a2, azimuth[e], azimuth[e + 1], h0);
        }
    }
}

RiseSetQuery RiseSetOfDay(double longitude, double latitude, double jd, double zone_h, double h0,
                          std::uint8_t body, int step, bool apply_dip, double obs_height_m,
                          const DeltaTRule& rule) {
    RiseSetQuery query;
    query.JD = jd;
    query.H0 = apply_dip ? h0 - HorizonDip(obs_height_m) : h0;
    query.Longitude = longitude;
    query.Latitude = latitude;
    query.Zone = zone_h;
    RiseSetScan(query, ApparentDayPositions(body, jd, zone_h, rule), step);
    return query;
}

std::string RiseSetDay(double longitude, double latitude, double jd, double zone_h, std::uint8_t kind,
                       std::uint8_t body, int step, bool apply_dip, double obs_height_m, const DeltaTRule& rule) {
    const RiseSetQuery query = RiseSetOfDay(longitude, latitude, jd, zone_h, ThresholdOfKind(kind), body, step,
                                            apply_dip, obs_height_m, rule);
    std::string text = query.RiseFound ? TimeText(query.RiseJD) : "--:--";
    text += "/";
    text += query.SetFound ? TimeText(query.SetJD) : "--:--";
    if (body == kRiseSetMoon) {
        double ra = 0, dec = 0;
        float fraction = 0;
        SunMoonRaDec(kRiseSetMoon, astro::RoundToHalf(jd) + zone_h / 24.0, zone_h, ra, dec, fraction, rule);
        char percent[32];
        std::snprintf(percent, sizeof percent, "(%ld%%)", static_cast<long>(std::nearbyint(100.0 * fraction)));
        text += percent;
    }
    return text;
}

std::string RiseSetTwilight(double longitude, double latitude, double jd, double zone_h, double h0,
                            std::uint8_t body, int step, bool twilight, bool apply_dip, bool with_azimuth,
                            double obs_height_m, const DeltaTRule& rule) {
    const RiseSetQuery query =
        RiseSetOfDay(longitude, latitude, jd, zone_h, h0, body, step, apply_dip, obs_height_m, rule);
    const char* first = twilight ? "시작: " : "  뜸: ";
    const char* second = twilight ? "종료: " : "  짐: ";
    std::string text = first;
    text += query.RiseFound ? TimeWithAzimuth(query.RiseJD, query.RiseAzimuth, with_azimuth) : "--:--";
    text += "   ";
    text += second;
    text += query.SetFound ? TimeWithAzimuth(query.SetJD, query.SetAzimuth, with_azimuth) : "--:--";
    return text;
}

}  // namespace calendar
