#include "astro/Coordinates.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Matrix.h"

namespace astro {

void EquatorialToHorizontal(double ra_deg, double dec_deg, double lst_h, double lat_deg, double& az_deg,
                            double& alt_deg) {
    double x = CosD(dec_deg) * CosD(ra_deg), y = CosD(dec_deg) * SinD(ra_deg), z = SinD(dec_deg);
    RotateAboutZ(x, y, z, lst_h * 15.0 + 180.0);
    RotateAboutY(x, y, z, lat_deg);
    az_deg = Norm360(-Atan2D(y, z));
    alt_deg = ArcSinD(-x);
}

void HorizontalToEquatorial(double az_deg, double alt_deg, double lst_h, double lat_deg, double& ra_deg,
                            double& dec_deg) {
    double x = CosD(alt_deg) * CosD(az_deg), y = CosD(alt_deg) * SinD(az_deg), z = SinD(alt_deg);
    RotateAboutY(x, y, z, -lat_deg);
    ra_deg = Norm360(Atan2D(y, z) + lst_h * 15.0);
    dec_deg = ArcSinD(x);
}

void EquatorialToEcliptic(double ra_deg, double dec_deg, double obliquity_deg, double& lon_deg,
                          double& lat_deg) {
    const double ce = CosD(obliquity_deg), se = SinD(obliquity_deg);
    lon_deg = Norm360(Atan2D(SinD(ra_deg) * ce + TanD(dec_deg) * se, CosD(ra_deg)));
    lat_deg = ArcSinD(SinD(dec_deg) * ce - CosD(dec_deg) * se * SinD(ra_deg));
}

void EclipticToEquatorial(double lon_deg, double lat_deg, double obliquity_deg, double& ra_deg,
                          double& dec_deg) {
    const double ce = CosD(obliquity_deg), se = SinD(obliquity_deg);
    dec_deg = ArcSinD(SinD(lat_deg) * ce + CosD(lat_deg) * se * SinD(lon_deg));
    ra_deg = Atan2D(SinD(lon_deg) * ce - TanD(lat_deg) * se, CosD(lon_deg));
}

void GalacticToEquatorial(double l_deg, double b_deg, double& ra_deg, double& dec_deg) {
    constexpr double kCosPoleDec = 0.889988087484954, kSinPoleDec = 0.455983776175067;
    const double u = l_deg - 32.93192;
    dec_deg = ArcSinD(SinD(u) * CosD(b_deg) * kCosPoleDec + SinD(b_deg) * kSinPoleDec);
    ra_deg = Atan2D(CosD(u) * CosD(b_deg), SinD(b_deg) * kCosPoleDec - CosD(b_deg) * kSinPoleDec * SinD(u)) +
             192.85948;
}

void PrecessFromJ2000(double jd, double ra2000_deg, double dec2000_deg, float pm_ra_arcsec_yr,
                      float pm_dec_arcsec_yr, double& ra_deg, double& dec_deg) {
    const double t = (jd - kJ2000) / kDaysPerJulianCentury;
    const double zeta = t * (2306.2181 + t * (0.30188 + 0.017998 * t)) / 3600.0;
    const double z = t * (2306.2181 + t * (1.09468 + 0.018203 * t)) / 3600.0;
    const double theta = t * (2004.3109 - t * (0.42665 + 0.041833 * t)) / 3600.0;
    const double ra0 = ra2000_deg + 100.0 * t * pm_ra_arcsec_yr / 3600.0;
    const double dec0 = dec2000_deg + 100.0 * t * pm_dec_arcsec_yr / 3600.0;
    const double a = CosD(dec0) * SinD(ra0 + zeta);
    const double b = CosD(theta) * CosD(dec0) * CosD(ra0 + zeta) - SinD(theta) * SinD(dec0);
    const double c = SinD(theta) * CosD(dec0) * CosD(ra0 + zeta) + CosD(theta) * SinD(dec0);
    ra_deg = Atan2D(a, b) + z;
    dec_deg = ArcSinD(c);
}

void PrecessByMatrix(double jd_from, double jd_to, double ra_deg, double dec_deg, double& ra_out_deg,
                     double& dec_out_deg) {
    double x, y, z;
    SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    Matrix3 m;
    MakePrecessionMatrix(jd_from, jd_to, m);
    RotateVector(x, y, z, m);
    VectorToSpherical(x, y, z, ra_out_deg, dec_out_deg);
}

void CalcNutation(double jde, double& dpsi_arcsec, double& deps_arcsec) {
    const double t = (jde - kJ2000) / kDaysPerJulianCentury;
    const double t2 = t * t, t3 = t2 * t;
    const double om = Norm360(125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0);
    const double d = Norm360(297.85036 + 445267.11148 * t - 0.0019142 * t2 + t3 / 189474.0);
    const double m = Norm360(357.52772 + 35999.05034 * t - 0.0001603 * t2 + t3 / 300000.0);
    const double mm = Norm360(134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0);
    const double f = Norm360(93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0);
    const double a1 = 2.0 * (f - d + om), a2 = 2.0 * (f + om), a3 = 2.0 * om;
    dpsi_arcsec = -17.20 * SinD(om) - 1.32 * SinD(a1) - 0.23 * SinD(a2) + 0.21 * SinD(a3) + 0.14 * SinD(m) +
                  0.07 * SinD(mm) - 0.05 * SinD(a1 + m);
    deps_arcsec = 9.20 * CosD(om) + 0.57 * CosD(a1) + 0.10 * CosD(a2) - 0.09 * CosD(a3) + 0.005 * CosD(m);
}

double AngularSeparation(double lon1_deg, double lat1_deg, double lon2_deg, double lat2_deg) {
    if (lon1_deg == lon2_deg && lat1_deg == lat2_deg) return 0.0;
    return ArcCosD(SinD(lat1_deg) * SinD(lat2_deg) + CosD(lat1_deg) * CosD(lat2_deg) * CosD(lon1_deg - lon2_deg));
}

double AngleDistance(double a_deg, double b_deg) {
    if (a_deg == b_deg) return 0.0;
    return ArcCosD(CosD(a_deg - b_deg));
}

double PositionAngle(double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg) {
    const double da = ra2_deg - ra1_deg;
    return Norm360(Atan2D(SinD(da) * CosD(dec2_deg),
                          CosD(dec1_deg) * SinD(dec2_deg) - SinD(dec1_deg) * CosD(dec2_deg) * CosD(da)));
}

double PositionAngleTan(double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg) {
    const double da = ra2_deg - ra1_deg;
    return Norm360(Atan2D(SinD(da), TanD(dec2_deg) * CosD(dec1_deg) - SinD(dec1_deg) * CosD(da)));
}

double ParallacticAngleAltAz(double az_deg, double alt_deg, double lst_deg, double lat_deg) {
    double ra, dec;
    HorizontalToEquatorial(az_deg, alt_deg, lst_deg / 15.0, lat_deg, ra, dec);
    const double h = lst_deg - ra;
    return Norm360(Atan2D(SinD(h), TanD(lat_deg) * CosD(dec) - SinD(dec) * CosD(h)));
}

}  // namespace astro
