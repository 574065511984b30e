#include "astro/DeltaT.h"

#include <cmath>

#include "astro/AstroConstants.h"
#include "astro/JulianDay.h"

namespace astro {

namespace {

double P(double x, int n) { return std::pow(x, n); }

double DeltaTPolynomial(double y) {
    if (y < -500) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * P(u, 2);
    }
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 - 1014.41 * u + 33.78311 * P(u, 2) - 5.952053 * P(u, 3) - 0.1798452 * P(u, 4) +
               0.022174192 * P(u, 5) + 0.0090316521 * P(u, 6);
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 - 556.01 * u + 71.23472 * P(u, 2) + 0.319781 * P(u, 3) - 0.8503463 * P(u, 4) -
               0.005050998 * P(u, 5) + 0.0083572073 * P(u, 6);
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 - 0.9808 * t - 0.01532 * P(t, 2) + P(t, 3) / 7129;
    }
    if (y < 1800) {
        const double t = y - 1700;
        return 8.83 + 0.1603 * t - 0.0059285 * P(t, 2) + 0.00013336 * P(t, 3) - P(t, 4) / 1174000;
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 - 0.332447 * t + 0.0068612 * P(t, 2) + 0.0041116 * P(t, 3) - 0.00037436 * P(t, 4) +
               0.0000121272 * P(t, 5) - 0.0000001699 * P(t, 6) + 0.000000000875 * P(t, 7);
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * P(t, 2) + 0.01680668 * P(t, 3) - 0.0004473624 * P(t, 4) +
               P(t, 5) / 233174;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * P(t, 2) + 0.0061966 * P(t, 3) - 0.000197 * P(t, 4);
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.0761 * P(t, 2) + 0.0020936 * P(t, 3);
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - P(t, 2) / 233 + P(t, 3) / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - P(t, 2) / 260 - P(t, 3) / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * P(t, 2) + 0.0017275 * P(t, 3) + 0.000651814 * P(t, 4) +
               0.00002373599 * P(t, 5);
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * P(t, 2);
    }
    const double u = (y - 1820) / 100;
    if (y < 2150) return -20 + 32 * P(u, 2) - 0.5628 * (2150 - y);
    return -20 + 32 * P(u, 2);
}

}  // namespace

double DeltaTForDecimalYear(double y) {
    return DeltaTPolynomial(y) - 0.238972928 * P((y - 1955) / 100, 2);
}

double ComputedDeltaT(double jd_ut) {
    const CalendarDate d = JDToDate(jd_ut);
    return DeltaTForDecimalYear(d.year + (d.month + d.day / 30.0 - 0.5) / 12.0);
}

double JDToJDE(double jd_ut, const DeltaTChoice& choice) {
    const double delta_t_s = choice.user_delta_t ? choice.delta_t_s : ComputedDeltaT(jd_ut);
    return jd_ut + delta_t_s / 86400.0;
}

double MeanObliquity(double jd) {
    const double u = (jd - kJ2000) / 3652500.0;
    const double arcsec =
        u * (-4680.93 +
             u * (-1.55 + u * (1999.25 + u * (-51.38 + u * (-249.67 + u * (-39.05 + u * (7.12 + u * (27.87 + u * (5.79 + u * 2.45)))))))));
    return 23.439291111 + arcsec / 3600.0;
}

}  // namespace astro
