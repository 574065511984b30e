#pragma once
// The calendar program's access to the Sun and the Moon: ecliptic places in
// radians for the solvers and eclipse tests, geocentric right ascension and
// declination (mean equinox and obliquity of date, geometric) with the
// illuminated fraction for rise and set, and the straight-line interpolation
// of the rise and set scan.
#include <cstdint>

#include "calendar/TimeBase.h"

namespace calendar {

// Caller's body codes.
inline constexpr std::int32_t kCallerEarth = 3;
inline constexpr std::int32_t kCallerMoon = 11;

struct EclipticRecord {
    double jde = 0;        // set by the caller, TT
    double lon_rad = 0;    // set by SunMoonEcliptic
    double lat_rad = 0;
    double radius_au = 0;
    std::int32_t body = 0; // 3 Earth (heliocentric), 11 Moon (geocentric); overwritten
};

// Completes the record with the FK5-corrected Earth (body 3) or the Moon
// (body 11); the body field becomes the dispatcher code (2 or 9), so set it
// again before reusing the record.
void SunMoonEcliptic(EclipticRecord& record);

inline constexpr std::int32_t kRaDecSun = 0;
inline constexpr std::int32_t kRaDecMoon = 8;

// Geocentric right ascension (degrees, 0 <= ra < 360) and declination of the
// Sun (body 0, or any code but 8) or the Moon (body 8) at a local civil jd in
// the zone (hours); fraction is the illuminated part of the disc, 1 for the
// Sun. The obliquity is the mean one at UT.
void SunMoonRaDec(std::int32_t body, double jd_local, double zone_h, double& ra_deg, double& dec_deg,
                  float& fraction, const DeltaTRule& rule = {});

// y1 + (y2 - y1)(x - x1)/(x2 - x1).
double LinearInterp(double x1, double x2, double y1, double y2, double x);

}  // namespace calendar
