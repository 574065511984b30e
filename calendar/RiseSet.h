#pragma once
// Rise and set of the Sun and the Moon for one civil day: the body's altitude
// is sampled over the day every `step` minutes from three apparent places
// (local midnight, noon, next midnight) and the crossings of a threshold
// altitude are found by straight-line interpolation between neighbouring
// samples. The last rise and the last set of the day are reported.
#include <cstdint>
#include <string>

#include "calendar/TimeBase.h"

namespace calendar {

// One request, filled by the caller and completed by RiseSetScan.
struct RiseSetQuery {
    double JD = 0;         // any moment of the civil day (local time)
    double H0 = 0;         // threshold altitude, degrees
    double Longitude = 0;  // degrees, east positive
    double Latitude = 0;   // degrees
    double Zone = 0;       // hours to add to UT for local time
    double RiseJD = 0;     // local Julian day of the crossing, 0 when none
    double SetJD = 0;
    double RiseAzimuth = 0;  // degrees from north through east, 0 when none
    double SetAzimuth = 0;
    bool RiseFound = false;
    bool SetFound = false;
};

// Apparent right ascension and declination (degrees) of the body at the local
// midnight that begins the day, the following noon and the next midnight.
struct DayPositions {
    double ra[3] = {0, 0, 0};
    double dec[3] = {0, 0, 0};
};

// Body codes as for SunMoonRaDec: 0 the Sun, 8 the Moon.
inline constexpr std::uint8_t kRiseSetSun = 0;
inline constexpr std::uint8_t kRiseSetMoon = 8;
// Threshold kinds of RiseSetDay: 4 the Sun's -0.8333 degrees, 5 the Moon's 0.125.
inline constexpr std::uint8_t kRiseSetKindSun = 4;
inline constexpr std::uint8_t kRiseSetKindMoon = 5;

// Dip of the horizon in degrees for an observer height in metres,
// 2.12 sqrt(height) / 60; a negative height counts as 0. The latitude is not used.
double HorizonDip(double height_m, double latitude_deg = 0);

// The three apparent places of body on the civil day of jd (geometric place
// plus nutation in longitude, the Sun's aberration, true obliquity).
DayPositions ApparentDayPositions(std::uint8_t body, double jd, double zone_h, const DeltaTRule& rule = {});

// Completes the query from the positions, sampling every `step` minutes
// (1440 / step + 1 samples at most; a step below 1 scans as 1).
void RiseSetScan(RiseSetQuery& query, const DayPositions& positions, int step);

// "hh:mm/hh:mm" of the day's rise and set, "--:--" for a missing one; for the
// Moon followed by "(nn%)", the illuminated part at 0 h UT of the date.
// kind 4 the Sun's threshold, 5 the Moon's, any other 0 degrees; body 0 the
// Sun, 8 the Moon. With apply_dip the threshold is lowered by
// HorizonDip(obs_height_m).
std::string RiseSetDay(double longitude, double latitude, double jd, double zone_h, std::uint8_t kind,
                       std::uint8_t body, int step, bool apply_dip, double obs_height_m = 0,
                       const DeltaTRule& rule = {});

// The labelled texts of the day-details window: "  뜸: hh:mm(az도)" and, after
// three blanks, "  짐: hh:mm(az도)"; with twilight "시작: " and "종료: ".
// The azimuths only with with_azimuth; "--:--" for a missing crossing.
std::string RiseSetTwilight(double longitude, double latitude, double jd, double zone_h, double h0,
                            std::uint8_t body, int step, bool twilight, bool apply_dip, bool with_azimuth,
                            double obs_height_m = 0, const DeltaTRule& rule = {});

// The completed query behind RiseSetTwilight (threshold h0 less the dip when
// apply_dip), for callers that want the numbers.
RiseSetQuery RiseSetOfDay(double longitude, double latitude, double jd, double zone_h, double h0,
                          std::uint8_t body, int step, bool apply_dip, double obs_height_m = 0,
                          const DeltaTRule& rule = {});

}  // namespace calendar
