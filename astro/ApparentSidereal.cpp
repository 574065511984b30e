#include "astro/ApparentSidereal.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/Plan404.h"
#include "astro/SiteContext.h"

namespace astro {

double CalcApparentLST(double jd_local, double lon_east_deg, double zone_h) {
    const double u = jd_local - zone_h / 24.0;
    const double j0 = RoundToHalf(u);
    const double jde = JDToJDE(u);
    double dpsi, deps;
    CalcNutation(jde, dpsi, deps);
    const double theta = (u - j0) * 24.0 * 15.04106864025 + GMST0(j0) + lon_east_deg +
                         dpsi / 3600.0 * CosD(MeanObliquity(jde));
    return Norm360(theta) / 15.0;
}

double EquationOfTime(double jd_ut) {
    const double eps_deg = MeanObliquity(jd_ut);
    const double eps = eps_deg * kDegToRad;
    const double jde = JDToJDE(jd_ut);
    PlanetData data{jde, 0.0, 0.0, 0.0, kBodyEarthMoonBarycentre};
    Plan404(data);
    const double l = data.L + kPi, b = -data.B;
    const double alpha = Norm360(Atan2D(std::cos(eps) * std::sin(l) - std::sin(eps) * std::tan(b), std::cos(l)));
    const double t = (jde - kJ2000) / kDaysPerJulianMillennium;
    const double l0 = Norm360(280.4664567 + 360007.6982779 * t + 0.03032028 * t * t + std::pow(t, 3) / 49931.0 -
                              std::pow(t, 4) / 15300.0 - std::pow(t, 5) / 2000000.0);
    double dpsi, deps;
    CalcNutation(jde, dpsi, deps);
    double e = Norm360(l0 - kMeanSolarAberrationDeg - alpha + dpsi / 3600.0 * std::cos(eps));
    if (e > 180.0) e -= 360.0;
    return e;
}

}  // namespace astro
