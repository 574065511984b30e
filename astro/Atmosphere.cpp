#include "astro/Atmosphere.h"

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/DeltaT.h"
#include "astro/SkySettings.h"

namespace astro {

namespace {

constexpr float kDefaultTemperatureC = 15.0f;
constexpr float kDefaultPressureHpa = 1013.0f;
constexpr float kDefaultExtinction = 0.28f;

double PressureTemperatureFactor(float pressure_hpa, float temperature_c) {
    if (!(temperature_c >= -90.0f && temperature_c <= 60.0f)) temperature_c = kDefaultTemperatureC;
    if (!(pressure_hpa >= 100.0f && pressure_hpa <= 1100.0f)) pressure_hpa = kDefaultPressureHpa;
    return (283.0 / (temperature_c + 273.0)) * (pressure_hpa / 1010.0);
}

AtmosphereState DefaultAtmosphere() {
    AtmosphereState state;
    state.RefractionTable = MakeRefractionTable(kDefaultTemperatureC, kDefaultPressureHpa);
    state.ExtinctionTable = MakeExtinctionTable(kDefaultExtinction);
    return state;
}

std::array<std::array<double, 2>, kArcSinTableSize> MakeArcSinTable() {
    std::array<std::array<double, 2>, kArcSinTableSize> table{};
    for (int k = 0; k < kArcSinTableSize; ++k) {
        const double s = static_cast<double>(k) / kArcSinStepsPerUnit;
        table[k] = {std::asin(s) * kRadToDeg, kRadToDeg / std::sqrt(1.0 - s * s) / kArcSinStepsPerUnit};
    }
    return table;
}

}  // namespace

const std::array<std::array<double, 2>, kArcSinTableSize> kArcSinTableDeg = MakeArcSinTable();

AtmosphereState& Atmosphere() {
    static AtmosphereState state = DefaultAtmosphere();
    return state;
}

void ResetAtmosphere() { Atmosphere() = DefaultAtmosphere(); }

double RefractionTrue(double alt_deg, float pressure_hpa, float temperature_c) {
    if (alt_deg < -2.0) return 0.0;
    const double r_arcmin = 1.02 / TanD(alt_deg + 10.3 / (alt_deg + 5.11)) + 0.0019279;
    return r_arcmin / 60.0 * PressureTemperatureFactor(pressure_hpa, temperature_c);
}

double RefractionApparent(double alt_deg, float pressure_hpa, float temperature_c) {
    const double r0 = 1.0 / TanD(alt_deg + 7.31 / (alt_deg + 4.4));
    // The small correction of the published formula, with its argument 14.7 R0 + 13 degrees.
    double r = r0 - 0.06 * SinD(14.7 * r0 + 13.0);
    if (alt_deg == 90.0) r = 0.0;
    return r / 60.0 * PressureTemperatureFactor(pressure_hpa, temperature_c);
}

RefractionTableT MakeRefractionTable(float temperature_c, float pressure_hpa) {
    RefractionTableT table{};
    for (int i = 0; i < kAtmosphereTableSize; ++i) {
        const double alt = i < 3 ? -2.0 : i + kAtmosphereTableLowestAltitude;
        table[i] = RefractionTrue(alt, pressure_hpa, temperature_c);
    }
    return table;
}

void BuildRefractionTable(float temperature_c, float pressure_hpa) {
    Atmosphere().RefractionTable = MakeRefractionTable(temperature_c, pressure_hpa);
}

double LargestRefraction(const RefractionTableT& table) {
    double largest = 0;
    for (const double r : table) largest = std::max(largest, r);
    return largest;
}

void ApplyRefraction(double& x, double& y, double& z) { ApplyRefraction(Atmosphere().RefractionTable, x, y, z); }

float Airmass(double alt_deg) {
    double x;
    if (alt_deg >= 3.0) {
        const float s = static_cast<float>(1.0 / SinD(alt_deg));
        const float g = s - 1.0f;
        x = s - 0.0018167 * g - 0.002875 * g * g - 0.0008083 * g * g * g;
    } else {
        const double h = alt_deg;
        x = 0.8751131 * (36.049 - 10.893 * h + 1.5089 * h * h - 0.0369 * std::pow(h, 3) - 0.0119 * std::pow(h, 4) +
                         0.0011 * std::pow(h, 5) - 0.00003 * std::pow(h, 6));
    }
    return static_cast<float>(x);
}

ExtinctionTableT MakeExtinctionTable(float k_mag_per_airmass) {
    ExtinctionTableT table{};
    for (int i = 0; i < kAtmosphereTableSize; ++i)
        table[i] = k_mag_per_airmass * (Airmass(i + kAtmosphereTableLowestAltitude) - 1.0f);
    return table;
}

void BuildExtinctionTable(float k_mag_per_airmass) {
    Atmosphere().ExtinctionTable = MakeExtinctionTable(k_mag_per_airmass);
}

float ExtinctionAt(double alt_deg) {
    const double i = std::floor(alt_deg);
    if (!(i >= kAtmosphereTableLowestAltitude && i <= 90.0)) return 0.0f;
    return Atmosphere().ExtinctionTable[static_cast<int>(i) - kAtmosphereTableLowestAltitude];
}

void AnnualAberration(double ra_deg, double dec_deg, double jde, double sun_lon_deg, double& ra_out_deg,
                      double& dec_out_deg) {
    constexpr double kappa = 20.49552;
    const double t = (jde - kJ2000) / kDaysPerJulianCentury;
    const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
    const double pi = Norm360(102.93735 + 1.71946 * t + 0.00046 * t * t);
    const double eps = MeanObliquity(jde);
    const double ca = CosD(ra_deg), sa = SinD(ra_deg), cd = CosD(dec_deg), sd = SinD(dec_deg);
    const double cs = CosD(sun_lon_deg), ss = SinD(sun_lon_deg), ce = CosD(eps), te = TanD(eps);
    const double cp = CosD(pi), sp = SinD(pi);
    const double dra = -kappa * (ca * cs * ce + sa * ss) / cd + e * kappa * (ca * cp * ce + sa * sp) / cd;
    const double ddec = -kappa * (cs * ce * (te * cd - sa * sd) + ca * sd * ss) +
                        e * kappa * (cp * ce * (te * cd - sa * sd) + ca * sd * sp);
    ra_out_deg = ra_deg + dra / 3600.0;
    dec_out_deg = dec_deg + ddec / 3600.0;
}

}  // namespace astro
