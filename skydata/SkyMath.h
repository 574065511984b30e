#pragma once
// The computing core's angle helpers in the shape the sky-data loaders use
// them: a direction vector as one value, and the core's constants.
#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"

namespace skydata::skymath {

using astro::kDegToRad;
using astro::kJ2000;
using astro::kVectorLength;
inline constexpr double kDaysPerCentury = astro::kDaysPerJulianCentury;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Direction of length 1000 toward longitude lon_deg, latitude lat_deg of a frame.
inline Vec3 SphericalToCartesian(double lon_deg, double lat_deg) {
    Vec3 v;
    astro::SphericalToCartesian(lon_deg, lat_deg, v.x, v.y, v.z);
    return v;
}

}  // namespace skydata::skymath
