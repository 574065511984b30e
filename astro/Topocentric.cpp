#include "astro/Topocentric.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/SkySettings.h"

namespace astro {

void ObserverGeocentric(double lat_deg, double height_m, double& rho, double& lat_geocentric_deg) {
    const double phi = lat_deg * kDegToRad;
    const double c2 = std::cos(phi) * std::cos(phi), s2 = std::sin(phi) * std::sin(phi);
    const double c = 1.0 / std::sqrt(c2 + kEarthFlatteningSquareFactor * s2);
    const double a1 = kEarthEquatorialRadiusM * c + height_m;
    const double b1 = kEarthPolarRadiusM * c + height_m;
    const double rho_a = std::sqrt(c2 * a1 * a1 + s2 * b1 * b1);
    lat_geocentric_deg = radians::ArcCos(std::cos(phi) * a1 / rho_a) * kRadToDeg;
    if (lat_deg < 0.0) lat_geocentric_deg = -lat_geocentric_deg;
    rho = rho_a / kEarthEquatorialRadiusM;
}

void TopocentricCorrectAt(double lat_deg, double lst_h, double& ra_deg, double& dec_deg, double dist_au) {
    if (!(dist_au <= kTopocentricLimitAu)) return;
    double rho, lat_geo;
    ObserverGeocentric(lat_deg, 0.0, rho, lat_geo);
    const double d = dist_au * (kAuKm / kEarthEquatorialRadiusKm);
    const double bx = d * CosD(dec_deg) * CosD(ra_deg);
    const double by = d * CosD(dec_deg) * SinD(ra_deg);
    const double bz = d * SinD(dec_deg);
    const double theta = lst_h * 15.0;
    const double tx = bx - rho * CosD(lat_geo) * CosD(theta);
    const double ty = by - rho * CosD(lat_geo) * SinD(theta);
    const double tz = bz - rho * SinD(lat_geo);
    const double t = std::sqrt(tx * tx + ty * ty + tz * tz);
    if (!(t > 0.0)) return;
    ra_deg = Norm360(Atan2D(ty, tx));
    dec_deg = ArcSinD(tz / t);
}

void TopocentricCorrect(double lst_h, double& ra_deg, double& dec_deg, double dist_au) {
    TopocentricCorrectAt(Settings().lat, lst_h, ra_deg, dec_deg, dist_au);
}

}  // namespace astro
