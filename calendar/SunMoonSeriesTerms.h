#pragma once
// Coefficients of the calendar program's Sun and Moon series, generated into
// SunMoonSeriesTerms.cpp by tools/datagen/gen_calendar_series.py.
#include <array>

namespace calendar::series {

// One VSOP87D term A cos(B + C tau): A in radians (L, B) or AU (R), B in
// radians, C in radians per Julian millennium.
struct EarthTerm {
    double a, b, c;
};

// A row of Meeus' table 47.A: multipliers of D, M, M', F; the longitude
// coefficient (1e-6 degree) and the distance coefficient (1e-3 km).
struct MoonLonDistTerm {
    int d, m, mp, f;
    double sigma_l, sigma_r;
};

// A row of Meeus' table 47.B: multipliers of D, M, M', F; the latitude
// coefficient (1e-6 degree).
struct MoonLatTerm {
    int d, m, mp, f;
    double sigma_b;
};

extern const std::array<EarthTerm, 64> kEarthL0;
extern const std::array<EarthTerm, 34> kEarthL1;
extern const std::array<EarthTerm, 20> kEarthL2;
extern const std::array<EarthTerm, 7> kEarthL3;
extern const std::array<EarthTerm, 3> kEarthL4;
extern const std::array<EarthTerm, 1> kEarthL5;
extern const std::array<EarthTerm, 5> kEarthB0;
extern const std::array<EarthTerm, 2> kEarthB1;
extern const std::array<EarthTerm, 40> kEarthR0;
extern const std::array<EarthTerm, 10> kEarthR1;
extern const std::array<EarthTerm, 6> kEarthR2;
extern const std::array<EarthTerm, 2> kEarthR3;
extern const std::array<EarthTerm, 1> kEarthR4;

extern const std::array<MoonLonDistTerm, 60> kMoonLonDist;
extern const std::array<MoonLatTerm, 60> kMoonLat;

}  // namespace calendar::series
