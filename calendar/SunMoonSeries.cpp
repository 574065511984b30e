#include "calendar/SunMoonSeries.h"

#include <cmath>
#include <cstdlib>

#include "astro/AngleMath.h"
#include "calendar/SunMoonSeriesTerms.h"

namespace vu {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerMillennium = 365250.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kDegPerRad = 57.29577951308238;
constexpr double kRadPerDeg = 0.017453292519943278;
constexpr double kKmPerAu = 149597870.0;

template <std::size_t N>
double SumTerms(const std::array<series::EarthTerm, N>& terms, double tau) {
    double sum = 0;
    for (const series::EarthTerm& t : terms) sum += t.a * std::cos(t.b + t.c * tau);
    return sum;
}

// E or E^2 for terms that carry the Sun's anomaly once or twice.
double EccentricityFactor(int m, double e) {
    switch (std::abs(m)) {
        case 1: return e;
        case 2: return e * e;
        default: return 1.0;
    }
}

}  // namespace

double EarthL0(double tau) { return SumTerms(series::kEarthL0, tau); }
double EarthL1(double tau) { return SumTerms(series::kEarthL1, tau) * tau; }
double EarthL2(double tau) { return SumTerms(series::kEarthL2, tau) * tau * tau; }
double EarthL3(double tau) { return SumTerms(series::kEarthL3, tau) * std::pow(tau, 3); }
double EarthL4(double tau) { return SumTerms(series::kEarthL4, tau) * std::pow(tau, 4); }
double EarthL5(double tau) { return SumTerms(series::kEarthL5, tau) * std::pow(tau, 5); }
double EarthB0(double tau) { return SumTerms(series::kEarthB0, tau); }
double EarthB1(double tau) { return SumTerms(series::kEarthB1, tau) * tau; }
double EarthR0(double tau) { return SumTerms(series::kEarthR0, tau); }
double EarthR1(double tau) { return SumTerms(series::kEarthR1, tau) * tau; }
double EarthR2(double tau) { return SumTerms(series::kEarthR2, tau) * tau * tau; }
double EarthR3(double tau) { return SumTerms(series::kEarthR3, tau) * std::pow(tau, 3); }
double EarthR4(double tau) { return SumTerms(series::kEarthR4, tau) * std::pow(tau, 4); }

void InitMoonTerms(MoonTermArrays& t) {
    for (std::size_t i = 0; i < 60; ++i) {
        const series::MoonLonDistTerm& a = series::kMoonLonDist[i];
        const series::MoonLatTerm& b = series::kMoonLat[i];
        t.lon_d[i] = a.d;
        t.lon_m[i] = a.m;
        t.lon_mp[i] = a.mp;
        t.lon_f[i] = a.f;
        t.lat_d[i] = b.d;
        t.lat_m[i] = b.m;
        t.lat_mp[i] = b.mp;
        t.lat_f[i] = b.f;
        t.sigma_l[i] = a.sigma_l;
        t.sigma_r[i] = a.sigma_r;
        t.sigma_b[i] = b.sigma_b;
    }
}

void MoonPositionELP(double jde, double& lon_rad, double& lat_rad, double& dist_km) {
    using astro::Norm360;
    using astro::SinD;
    using astro::CosD;
    const double T = (jde - kJ2000) / kDaysPerCentury;
    const double T2 = T * T;
    const double T3 = T * T2;
    const double T4 = T2 * T2;
    const double Lp = Norm360(218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841.0 -
                              T4 / 65194000.0);
    const double D = Norm360(297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 / 545868.0 -
                             T4 / 113065000.0);
    const double M = Norm360(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0);
    const double Mp = Norm360(134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 / 69699.0 -
                              T4 / 14712000.0);
    const double F = Norm360(93.272095 + 483202.0175233 * T - 0.0036539 * T2 - T3 / 3526000.0 +
                             T4 / 863310000.0);
    const double A1 = Norm360(119.75 + 131.849 * T);
    const double A2 = Norm360(53.09 + 479264.29 * T);
    const double A3 = Norm360(313.45 + 481266.484 * T);
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;

    double sl = 0, sr = 0, sb = 0;
    for (std::size_t i = 0; i < 60; ++i) {
        const series::MoonLonDistTerm& a = series::kMoonLonDist[i];
        const double arg = D * a.d + M * a.m + Mp * a.mp + F * a.f;
        const double fa = EccentricityFactor(a.m, E);
        sl += fa * a.sigma_l * SinD(arg);
        sr += fa * a.sigma_r * CosD(arg);
        const series::MoonLatTerm& b = series::kMoonLat[i];
        const double argb = Norm360(D * b.d + M * b.m + Mp * b.mp + F * b.f);
        sb += EccentricityFactor(b.m, E) * b.sigma_b * SinD(argb);
    }
    sl += 3958 * SinD(A1) + 1962 * SinD(Lp - F) + 318 * SinD(A2);
    sb += -2235 * SinD(Lp) + 382 * SinD(A3) + 175 * SinD(A1 - F) + 175 * SinD(A1 + F) +
          127 * SinD(Lp - Mp) - 115 * SinD(Lp + Mp);

    lon_rad = Norm360(Lp + sl / 1000000.0) * kRadPerDeg;
    lat_rad = (sb / 1000000.0) * kRadPerDeg;
    dist_km = 385000.56 + sr / 1000.0;
}

void VsopToFK5(double jde, double& lon_deg, double& lat_deg) {
    const double T = (jde - kJ2000) / kDaysPerCentury;
    const double Lp = lon_deg - 1.397 * T - 0.00031 * T * T;
    const double c = astro::CosD(Lp);
    const double s = astro::SinD(Lp);
    lon_deg = lon_deg - 0.0000250916666666667 + 0.0000108777777777778 * (c + s) * astro::TanD(lat_deg);
    lat_deg = lat_deg + 0.0000108777777777778 * (c - s);
}

void EclipticPosition(double jde, std::uint8_t body, bool fk5, double& lon_deg, double& lat_deg,
                      double& radius_au) {
    double L, B, R;
    if (body == kBodyMoon) {
        double dist_km;
        MoonPositionELP(jde, L, B, dist_km);
        R = dist_km / kKmPerAu;
    } else {
        const double tau = (jde - kJ2000) / kDaysPerMillennium;
        L = EarthL0(tau) + EarthL1(tau) + EarthL2(tau) + EarthL3(tau) + EarthL4(tau) + EarthL5(tau);
        B = EarthB0(tau) + EarthB1(tau);
        R = EarthR0(tau) + EarthR1(tau) + EarthR2(tau) + EarthR3(tau) + EarthR4(tau);
    }
    lon_deg = astro::Norm360(L * kDegPerRad);
    lat_deg = B * kDegPerRad;
    if (fk5 && body < kBodyMoon) VsopToFK5(jde, lon_deg, lat_deg);
    lon_deg = astro::Norm360(lon_deg);
    radius_au = R;
}

}  // namespace vu
