#pragma once
// Instants of planetary phenomena by the series of Meeus, Astronomical
// Algorithms (2nd ed.), ch. 36: a mean instant from the linear elements of
// table 36.A corrected by periodic terms. Results are Julian Ephemeris Days
// (TT); no Delta T is applied anywhere here.
//
// Planet: 1 Mercury, 2 Venus, 3 Mars, 4 Jupiter, 5 Saturn, 6 Uranus, 7 Neptune.
// Kind 0: inferior conjunction (1, 2) or opposition (3..7); greatest eastern
// elongation; first station. Kind 1: superior conjunction or conjunction;
// greatest western elongation; second station.
//
// The time procedures take jd (any Julian day) only to choose the synodic
// cycle through its calendar date, split by the caller's date routine; the
// event can lie up to about one synodic period before or after jd.
#include "almanac/CalendarServices.h"

namespace almanac {

// JDE of the conjunction or opposition of the cycle chosen by jd; planet 1..7.
double ConjunctionTime(double jd, int planet, int kind, const JDToDateFn& jd_to_date);
// JDE of the greatest elongation (time only); planet 1..2. The cycle is that
// of the inferior conjunction whatever the kind.
double GreatestElongationTime(double jd, int planet, int kind, const JDToDateFn& jd_to_date);
// JDE of the station; planet 1..5. The cycle is that of the inferior
// conjunction or opposition whatever the kind.
double StationTime(double jd, int planet, int kind, const JDToDateFn& jd_to_date);

// Table 36.A: epoch A (JDE), synodic period B (days), mean anomaly M0 at the
// epoch and its increase M1 per period (degrees). Another kind sets only B
// and M1; a planet outside 1..7 sets nothing.
void PhenomenonConstants(int planet, int kind, double& A, double& B, double& M0, double& M1);

// The periodic corrections in days. T Julian centuries of the mean instant
// from J2000, M the mean anomaly and a..g the outer-planet arguments, all
// degrees; 0 for a planet or kind outside the procedure's range.
double ConjunctionTerms(int planet, int kind, double T, double M, double a, double b, double c, double d, double e,
                        double f, double g);
// Offset from the mean inferior conjunction to the greatest elongation.
double ElongationTerms(int planet, int kind, double T, double M);
// Offset from the mean inferior conjunction or opposition to the station.
double StationTerms(int planet, int kind, double T, double M, double a, double b, double c, double d);

}  // namespace almanac
