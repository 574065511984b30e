#pragma once
// Times of given solar longitudes and lunar phases, and eclipse tests, of the
// sky chart (the calendar program has its own). Times in and out are Julian
// days; the precise solvers take UT and return local civil time (UT + zone/24).
#include <cstdint>
#include <optional>

#include "astro/MeanSunMoon.h"

namespace astro {

// Local civil Julian day at which the Sun's apparent longitude (with
// aberration and nutation) equals target_deg. The search starts day_guess days
// after 0 January of the year (later by floor((1582 - year) * 0.0078) days
// before 1582) and steps by the signed remaining angle until a step is under
// 0.1 s. No value when 51 steps do not get there.
std::optional<double> SolarLongitudeTime(double year, double target_deg, double day_guess, double zone_h);

// Local civil Julian day, nearest jd_start_ut (within half a lunation), at
// which the Moon's longitude minus the Sun's apparent longitude, folded to
// 0..360, equals target_deg (0 new moon, 90 first quarter, 180 full moon,
// 270 last quarter). No value when 51 steps do not get there.
std::optional<double> LunarPhaseTime(double jd_start_ut, double target_deg, double zone_h);

inline constexpr std::uint8_t kEclipseNone = 0;
inline constexpr std::uint8_t kEclipseTotal = 1;
inline constexpr std::uint8_t kEclipsePartial = 2;
inline constexpr std::uint8_t kLunarEclipsePenumbral = 3;
inline constexpr std::uint8_t kSolarEclipseAnnular = 3;

// True while a lunar eclipse is under way at jd_local (zone in force of the
// settings); type 1 total, 2 partial, 3 penumbral, 0 none.
bool LunarEclipseType(double jd_local, std::uint8_t& type);
// True while a solar eclipse is under way somewhere on the Earth; type 1
// total, 2 partial, 3 annular, 0 none; central when the shadow axis meets
// the Earth.
bool SolarEclipseType(double jd_local, std::uint8_t& type, bool& central);

// The fast solvers with the sky program's Delta T (JDToJDE of the settings).
double ApproxSolarLongitudeTime(double year, double target_deg, double day_guess, double zone_h);
double ApproxLunarPhaseTime(double jd_start_ut, double zone_h);

}  // namespace astro
