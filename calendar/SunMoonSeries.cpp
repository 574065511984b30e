#include "calendar/SunMoonSeries.h"

#include <cmath>
#include <complex>
#include <cstdlib>
#include <vector>

#include "astro/AngleMath.h"
#include "calendar/SunMoonSeriesTerms.h"

namespace calendar {
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

// The 195 Earth terms share 68 frequencies. EclipticPosition takes the sine
// and cosine of each frequency once and forms every term as
// A cos B cos(C tau) - A sin B sin(C tau).
struct EarthTermsByFrequency {
    struct Term {
        double a_cos_b, a_sin_b;
        std::size_t frequency;
    };
    std::vector<double> frequencies;
    std::vector<Term> terms[13];  // L0..L5, B0, B1, R0..R4
};

template <std::size_t N>
void AddSeries(EarthTermsByFrequency& out, std::vector<EarthTermsByFrequency::Term>& series,
               const std::array<series::EarthTerm, N>& terms) {
    for (const series::EarthTerm& t : terms) {
        std::size_t index = 0;
        while (index < out.frequencies.size() && out.frequencies[index] != t.c) ++index;
        if (index == out.frequencies.size()) out.frequencies.push_back(t.c);
        series.push_back({t.a * std::cos(t.b), t.a * std::sin(t.b), index});
    }
}

const EarthTermsByFrequency& EarthTermsGrouped() {
    static const EarthTermsByFrequency grouped = [] {
        EarthTermsByFrequency g;
        AddSeries(g, g.terms[0], series::kEarthL0);
        AddSeries(g, g.terms[1], series::kEarthL1);
        AddSeries(g, g.terms[2], series::kEarthL2);
        AddSeries(g, g.terms[3], series::kEarthL3);
        AddSeries(g, g.terms[4], series::kEarthL4);
        AddSeries(g, g.terms[5], series::kEarthL5);
        AddSeries(g, g.terms[6], series::kEarthB0);
        AddSeries(g, g.terms[7], series::kEarthB1);
        AddSeries(g, g.terms[8], series::kEarthR0);
        AddSeries(g, g.terms[9], series::kEarthR1);
        AddSeries(g, g.terms[10], series::kEarthR2);
        AddSeries(g, g.terms[11], series::kEarthR3);
        AddSeries(g, g.terms[12], series::kEarthR4);
        return g;
    }();
    return grouped;
}

// L, B (radians) and R (AU) of the Earth: the sums of EarthL0..EarthR4.
void EarthLBR(double tau, double& L, double& B, double& R) {
    const EarthTermsByFrequency& g = EarthTermsGrouped();
    // At most one frequency per term.
    double c[195], s[195];
    for (std::size_t i = 0; i < g.frequencies.size(); ++i) {
        c[i] = std::cos(g.frequencies[i] * tau);
        s[i] = std::sin(g.frequencies[i] * tau);
    }
    double sums[13];
    for (int k = 0; k < 13; ++k) {
        double sum = 0;
        for (const EarthTermsByFrequency::Term& t : g.terms[k]) sum += t.a_cos_b * c[t.frequency] - t.a_sin_b * s[t.frequency];
        sums[k] = sum;
    }
    const double t2 = tau * tau, t3 = t2 * tau, t4 = t2 * t2, t5 = t4 * tau;
    L = sums[0] + sums[1] * tau + sums[2] * t2 + sums[3] * t3 + sums[4] * t4 + sums[5] * t5;
    B = sums[6] + sums[7] * tau;
    R = sums[8] + sums[9] * tau + sums[10] * t2 + sums[11] * t3 + sums[12] * t4;
}

// exp(i k x) for k = -4..4, index k + 4: the Moon's argument multipliers
// stay within that range, so each term's sine and cosine come from products.
using Multiples = std::array<std::complex<double>, 9>;
Multiples MultiplesOf(double x_deg) {
    Multiples m;
    const std::complex<double> one = std::polar(1.0, x_deg * kRadPerDeg);
    m[4] = 1.0;
    for (int k = 1; k <= 4; ++k) {
        m[4 + k] = m[3 + k] * one;
        m[4 - k] = std::conj(m[4 + k]);
    }
    return m;
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

    const Multiples eD = MultiplesOf(D), eM = MultiplesOf(M), eMp = MultiplesOf(Mp), eF = MultiplesOf(F);
    auto angle = [&](int d, int m, int mp, int f) { return eD[d + 4] * eM[m + 4] * eMp[mp + 4] * eF[f + 4]; };
    double sl = 0, sr = 0, sb = 0;
    for (std::size_t i = 0; i < 60; ++i) {
        const series::MoonLonDistTerm& a = series::kMoonLonDist[i];
        const std::complex<double> za = angle(a.d, a.m, a.mp, a.f);
        const double fa = EccentricityFactor(a.m, E);
        sl += fa * a.sigma_l * za.imag();
        sr += fa * a.sigma_r * za.real();
        const series::MoonLatTerm& b = series::kMoonLat[i];
        sb += EccentricityFactor(b.m, E) * b.sigma_b * angle(b.d, b.m, b.mp, b.f).imag();
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
        EarthLBR((jde - kJ2000) / kDaysPerMillennium, L, B, R);
    }
    lon_deg = astro::Norm360(L * kDegPerRad);
    lat_deg = B * kDegPerRad;
    if (fk5 && body < kBodyMoon) VsopToFK5(jde, lon_deg, lat_deg);
    lon_deg = astro::Norm360(lon_deg);
    radius_au = R;
}

}  // namespace calendar
