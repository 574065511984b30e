#pragma once
// Eclipse kinds at a new or full moon for the calendar's Moon phases window:
// plain geometry on the calendar's own Sun and Moon places. They tell
// whether an eclipse happens somewhere on the Earth, not where it is seen.
#include <cstdint>

#include "calendar/TimeBase.h"

namespace calendar {

// Kinds of a solar eclipse.
inline constexpr std::uint8_t kSolarNone = 0;
inline constexpr std::uint8_t kSolarTotal = 1;
inline constexpr std::uint8_t kSolarPartial = 2;
inline constexpr std::uint8_t kSolarAnnular = 3;
// Kinds of a lunar eclipse.
inline constexpr std::uint8_t kLunarNone = 0;
inline constexpr std::uint8_t kLunarTotal = 1;
inline constexpr std::uint8_t kLunarPartial = 2;
inline constexpr std::uint8_t kLunarPenumbral = 3;

// Lunar eclipse at a full moon given as a local civil Julian day in the
// standard zone zone_h (hours east). The Moon's distance from the shadow
// centre (anti-Sun direction, aberration 0.0056916111/R degrees) against the
// radii of umbra and penumbra, 1.02 (0.99834 pi -+ s + pi_sun) degrees: pi
// the Moon's horizontal parallax, s and pi_sun the Sun's semi-diameter and
// parallax, 2 % the usual enlargement of the Earth's shadow by the
// atmosphere (Explanatory Supplement, ch. 11). kind: total when the whole disc is inside the
// umbra, partial when part of it, penumbral when only the penumbra is
// touched. False with kind 0 when there is no eclipse.
bool LunarEclipseType(double jd_local, double zone_h, std::uint8_t& kind, const DeltaTRule& rule = {});

// Solar eclipse at a new moon given as a local civil Julian day in zone
// zone_h. From the Earth-Moon-Sun triangle: G the Earth centre's distance
// from the shadow axis (km), the Moon's umbral cone of length
// D 1738/694262 km and the radius of umbra or antumbra where the axis passes
// the Earth. kind: partial when the umbra misses the Earth, else total
// (cone apex beyond the Earth) or annular (apex short of it); central when
// the axis passes within one Earth radius (6378.137 km) of the centre.
// False with kind 0 and central false when there is no eclipse.
bool SolarEclipseType(double jd_local, double zone_h, std::uint8_t& kind, bool& central,
                      const DeltaTRule& rule = {});

}  // namespace calendar
