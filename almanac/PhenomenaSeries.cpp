#include "almanac/PhenomenaSeries.h"

#include <algorithm>
#include <cmath>

#include "almanac/PhenomenonTerms.h"
#include "astro/AngleMath.h"

namespace almanac {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerJulianCentury = 36525.0;

struct OuterArguments {
    double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0;
};

// The outer-planet arguments of Meeus ch. 36, degrees, T centuries from J2000.
OuterArguments OuterArgumentsAt(double T) {
    return {82.74 + 40.76 * T,  29.86 + 1181.36 * T, 14.13 + 590.68 * T, 220.02 + 1262.87 * T,
            207.83 + 8.51 * T,  108.84 + 419.96 * T, 276.74 + 209.98 * T};
}

bool ValidKind(int kind) { return kind == 0 || kind == 1; }

double ArgumentDeg(TermArgument argument, double M, const OuterArguments& x) {
    switch (argument) {
        case TermArgument::None: return 0.0;
        case TermArgument::M1: return M;
        case TermArgument::M2: return 2.0 * M;
        case TermArgument::M3: return 3.0 * M;
        case TermArgument::M4: return 4.0 * M;
        case TermArgument::M5: return 5.0 * M;
        case TermArgument::A: return x.a;
        case TermArgument::B: return x.b;
        case TermArgument::C: return x.c;
        case TermArgument::D: return x.d;
        case TermArgument::E: return x.e;
        case TermArgument::F: return x.f;
        case TermArgument::G: return x.g;
    }
    return 0.0;
}

double SumTerms(PhenomenonSeries series, int planet, int kind, double T, double M, const OuterArguments& x) {
    double sum = 0.0;
    for (const PhenomenonTerm& term : PhenomenonTermsOf(series, planet, kind)) {
        const double coefficient = term.c0 + T * (term.c1 + T * term.c2);
        const double angle = ArgumentDeg(term.argument, M, x);
        switch (term.function) {
            case TermFunction::Constant: sum += coefficient; break;
            case TermFunction::Sin: sum += coefficient * astro::SinD(angle); break;
            case TermFunction::Cos: sum += coefficient * astro::CosD(angle); break;
        }
    }
    return sum;
}

// The mean instant of the cycle chosen by the calendar date of jd, with its
// mean anomaly and time argument, from the elements of (planet, row_kind).
struct MeanInstant {
    double jde0 = 0, M = 0, T = 0;
};

MeanInstant MeanInstantOf(double jd, int planet, int row_kind, const JDToDateFn& jd_to_date) {
    const astro::CalendarDate date = jd_to_date(jd);
    // Month and day counted from 1 put Y about a month ahead of the decimal year.
    const double Y = date.year + date.month / 12.0 + date.day / 365.0;
    double A = 0, B = 0, M0 = 0, M1 = 0;
    PhenomenonConstants(planet, row_kind, A, B, M0, M1);
    const double k = std::floor((365.2425 * Y + 1721060.0 - A) / B);
    MeanInstant mean;
    mean.jde0 = A + k * B;
    mean.M = M0 + k * M1;
    mean.T = (mean.jde0 - kJ2000) / kDaysPerJulianCentury;
    return mean;
}

}  // namespace

std::span<const PhenomenonTerm> PhenomenonTermsOf(PhenomenonSeries series, int planet, int kind) {
    for (int i = 0; i < kPhenomenonTermSetCount; ++i) {
        const PhenomenonTermSet& set = kPhenomenonTermSets[i];
        if (set.series == series && set.planet == planet && set.kind == kind)
            return {kPhenomenonTerms + set.first, static_cast<std::size_t>(set.count)};
    }
    return {};
}

void PhenomenonConstants(int planet, int kind, double& A, double& B, double& M0, double& M1) {
    if (planet < 1 || planet > kPhenomenonPlanetCount) return;
    const PhenomenonElements& row = kPhenomenonElements[planet - 1][ValidKind(kind) ? kind : 0];
    B = row.B;
    M1 = row.M1;
    if (!ValidKind(kind)) return;
    A = row.A;
    M0 = row.M0;
}

double ConjunctionTerms(int planet, int kind, double T, double M, double a, double b, double c, double d, double e,
                        double f, double g) {
    return SumTerms(PhenomenonSeries::Conjunction, planet, kind, T, M, {a, b, c, d, e, f, g});
}

double ElongationTerms(int planet, int kind, double T, double M) {
    return SumTerms(PhenomenonSeries::Elongation, planet, kind, T, M, {});
}

double StationTerms(int planet, int kind, double T, double M, double a, double b, double c, double d) {
    return SumTerms(PhenomenonSeries::Station, planet, kind, T, M, {a, b, c, d, 0, 0, 0});
}

double ConjunctionTime(double jd, int planet, int kind, const JDToDateFn& jd_to_date) {
    if (planet < 1 || planet > kPhenomenonPlanetCount || !ValidKind(kind)) return 0.0;
    const MeanInstant mean = MeanInstantOf(jd, planet, kind, jd_to_date);
    const OuterArguments x = OuterArgumentsAt(mean.T);
    return mean.jde0 + ConjunctionTerms(planet, kind, mean.T, mean.M, x.a, x.b, x.c, x.d, x.e, x.f, x.g);
}

double GreatestElongationTime(double jd, int planet, int kind, const JDToDateFn& jd_to_date) {
    if (planet < 1 || planet > 2 || !ValidKind(kind)) return 0.0;
    const MeanInstant mean = MeanInstantOf(jd, planet, 0, jd_to_date);
    return mean.jde0 + ElongationTerms(planet, kind, mean.T, mean.M);
}

double StationTime(double jd, int planet, int kind, const JDToDateFn& jd_to_date) {
    if (planet < 1 || planet > 5 || !ValidKind(kind)) return 0.0;
    const MeanInstant mean = MeanInstantOf(jd, planet, 0, jd_to_date);
    const OuterArguments x = OuterArgumentsAt(mean.T);
    return mean.jde0 + StationTerms(planet, kind, mean.T, mean.M, x.a, x.b, x.c, x.d);
}

}  // namespace almanac
