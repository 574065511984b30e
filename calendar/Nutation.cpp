#include "calendar/Nutation.h"

#include "astro/AngleMath.h"

namespace calendar {

void Nutation(double jd_tt, double& dpsi_arcsec, double& deps_arcsec) {
    using astro::CosD;
    using astro::Norm360;
    using astro::SinD;
    const double T = (jd_tt - 2451545.0) / 36525.0;
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double L = Norm360(280.466457 + 36000.7698278 * T + 0.00030322 * T2 + 2e-8 * T3);
    const double Lm = Norm360(218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841.0 -
                              T2 * T2 / 65194000.0);
    const double om = Norm360(125.04452 - 1934.136261 * T + 0.0020708 * T2 + T3 / 450000.0);
    dpsi_arcsec = -17.2 * SinD(om) - 1.32 * SinD(2 * L) - 0.23 * SinD(2 * Lm) + 0.21 * SinD(2 * om);
    deps_arcsec = 9.2 * CosD(om) + 0.57 * CosD(2 * L) + 0.1 * CosD(2 * Lm) - 0.09 * CosD(2 * om);
}

}  // namespace calendar
