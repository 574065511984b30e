#pragma once
// The calendar program's true solvers: the moment the Sun's apparent
// longitude reaches a target (solar terms) and the moment the Moon's
// elongation reaches a target (lunar phases). They iterate in UT on the
// calendar's own series and return local civil time of the zone passed.
#include "calendar/TimeBase.h"

namespace calendar {

// Local civil Julian day at which the Sun's apparent longitude (FK5,
// nutation, aberration 20.49"/R) equals target_deg, searched from day
// day_offset after 0 January of the year (one day later per 128 years
// before 1582). Stops when the remaining step is under 0.1 s or after 51
// passes.
double SolarLongitudeTime(double year, double target_deg, double day_offset, double zone_h,
                          const DeltaTRule& rule = {});

// Local civil Julian day at which the Moon's longitude less the Sun's equals
// target_deg, searched from jd_start_ut (UT). Target 0 (or within 3 degrees
// of it) gives the new moon at or before the start; other targets are
// reached in the direction of the signed difference, so from a full moon 90
// gives the quarter before it and 270 the one after.
double LunarPhaseTime(double jd_start_ut, double target_deg, double zone_h, const DeltaTRule& rule = {});

// The same searches with the number of correction passes made (1..51).
struct SolverResult {
    double jd_local;
    int passes;
};
SolverResult SolarLongitudeSearch(double year, double target_deg, double day_offset, double zone_h,
                                  const DeltaTRule& rule = {});
SolverResult LunarPhaseSearch(double jd_start_ut, double target_deg, double zone_h,
                              const DeltaTRule& rule = {});

}  // namespace calendar
