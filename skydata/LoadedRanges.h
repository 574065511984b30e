#pragma once
// The ranges that sky positions, sizes, magnitudes and dates read from a
// user's file are kept in before anything computes or draws with them. The
// settings (view, map points, drawn lines) and the user catalogues share
// them, so a marker and a catalogue shape with the same numbers load alike.
#include <optional>

#include "astro/AngleMath.h"

namespace skydata {

// Angles up to this size are folded into one turn; larger ones are damage
// (a walk along them would take steps in proportion).
inline constexpr double kMaxFoldedAngle_deg = 1e6;
// The largest marker or catalogue object, arcminutes: the whole sky.
inline constexpr double kMaxMarkSize_arcmin = 360 * 60;
// Magnitudes beyond these are damage: a star symbol's size follows them.
inline constexpr double kMinMagnitude = -30;
inline constexpr double kMaxMagnitude = 30;
// Range of the chart time: 1 January 4713 BC to the end of 9999 AD.
inline constexpr double kEarliestJD = -0.5;
inline constexpr double kLatestJD = 5373484.5;

inline bool InRange(double value, double low, double high) { return value >= low && value <= high; }

// An angle (degrees) within one turn either way as it stands; one of a size a
// user could type (up to kMaxFoldedAngle_deg either way) folded into
// 0 <= result < 360; nullopt beyond that or when not finite.
inline std::optional<double> FoldedAngle(double value_deg) {
    if (InRange(value_deg, -360, 360)) return value_deg;
    if (!InRange(value_deg, -kMaxFoldedAngle_deg, kMaxFoldedAngle_deg)) return std::nullopt;
    return astro::Norm360(value_deg);
}

// A declination or altitude (degrees): finite and within -90..90.
inline bool IsUsableLatitude(double value_deg) { return InRange(value_deg, -90, 90); }

// A marker or catalogue object size (arcminutes): finite, 0..kMaxMarkSize_arcmin.
inline bool IsUsableMarkSize(double size_arcmin) { return InRange(size_arcmin, 0, kMaxMarkSize_arcmin); }

// A magnitude: finite and within kMinMagnitude..kMaxMagnitude.
inline bool IsUsableMagnitude(double mag) { return InRange(mag, kMinMagnitude, kMaxMagnitude); }

// A Julian day within the chart's range (kEarliestJD <= jd < kLatestJD).
inline bool IsUsableJD(double jd) { return jd >= kEarliestJD && jd < kLatestJD; }

}  // namespace skydata
