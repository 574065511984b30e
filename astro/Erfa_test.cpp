// Cross-checks of sidereal time and precession against ERFA, the open
// implementation of the IAU SOFA routines (Debian liberfa-dev).
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Matrix.h"
#include "astro/SiteContext.h"
#include "astro/SkySettings.h"
#include "astro/SunMoonEvents.h"

namespace astro {
namespace {

constexpr double kSecondsOfTimePerDegree = 240.0;

TEST(Erfa, MeanSiderealTimeAgreesWithIau1982To10Milliseconds) {
    for (double jd = DateToJD(1900, 1, 1, 0, 0, 0); jd < DateToJD(2100, 12, 31, 0, 0, 0); jd += 97.3137) {
        const double ours_deg = CalcLST(jd, 0.0, 0.0) * 15.0;
        const double erfa_deg = eraGmst82(jd, 0.0) * ERFA_DR2D;
        double diff = std::fmod(ours_deg - erfa_deg + 540.0, 360.0) - 180.0;
        ASSERT_LT(std::fabs(diff) * kSecondsOfTimePerDegree, 0.01) << jd;
    }
}

TEST(Erfa, PrecessionMatrixAgreesWithIau1976ToATenthOfAnArcsecond) {
    constexpr double kTolerance = 0.1 / 3600.0 * ERFA_DD2R;  // 0.1" as a matrix element
    const double start = DateToJD(1900, 1, 1, 0, 0, 0), end = DateToJD(2100, 1, 1, 0, 0, 0);
    for (double jd1 = start; jd1 <= end; jd1 += 7305.25) {
        double p1[3][3];
        eraPmat76(jd1, 0.0, p1);
        for (double jd2 = start; jd2 <= end; jd2 += 3652.625) {
            double p2[3][3];
            eraPmat76(jd2, 0.0, p2);
            Matrix3 ours;
            MakePrecessionMatrix(jd1, jd2, ours);
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) {
                    // P(jd1 -> jd2) = P(J2000 -> jd2) P(J2000 -> jd1)^T.
                    const double expected = p2[i][0] * p1[j][0] + p2[i][1] * p1[j][1] + p2[i][2] * p1[j][2];
                    ASSERT_NEAR(ours[i][j], expected, kTolerance) << jd1 << " " << jd2;
                }
        }
    }
}

TEST(Erfa, PrecessedPlacesAgree) {
    double ra, dec;
    for (double jd = DateToJD(1900, 1, 1, 0, 0, 0); jd < DateToJD(2100, 1, 1, 0, 0, 0); jd += 3000) {
        double p[3][3], v[3], w[3];
        eraPmat76(jd, 0.0, p);
        eraS2c(123.4 * ERFA_DD2R, -56.7 * ERFA_DD2R, v);
        eraRxp(p, v, w);
        double era_ra, era_dec;
        eraC2s(w, &era_ra, &era_dec);
        PrecessFromJ2000(jd, 123.4, -56.7, 0, 0, ra, dec);
        EXPECT_NEAR(std::remainder(ra - era_ra * ERFA_DR2D, 360.0) * CosD(dec) * 3600, 0, 0.1);
        EXPECT_NEAR((dec - era_dec * ERFA_DR2D) * 3600, 0, 0.1);
    }
}

// Apparent geocentric ecliptic longitude of the Sun (degrees) at a TT Julian
// day from ERFA: Earth from eraEpv00, annual aberration, the IAU 2006 ecliptic
// of date and the IAU 2000A nutation in longitude.
double ErfaApparentSunLongitude(double tt) {
    double pvh[2][3], pvb[2][3];
    eraEpv00(tt, 0.0, pvh, pvb);
    double sun[3] = {-pvh[0][0], -pvh[0][1], -pvh[0][2]};
    double distance, direction[3];
    eraPn(sun, &distance, direction);
    const double c_au_per_day = ERFA_CMPS * ERFA_DAYSEC / ERFA_DAU;
    double v[3] = {pvb[1][0] / c_au_per_day, pvb[1][1] / c_au_per_day, pvb[1][2] / c_au_per_day};
    const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
    double apparent[3];
    eraAb(direction, v, distance, bm1, apparent);
    double to_ecliptic[3][3], ecl[3];
    eraEcm06(tt, 0.0, to_ecliptic);
    eraRxp(to_ecliptic, apparent, ecl);
    double lon, lat, dpsi, deps;
    eraC2s(ecl, &lon, &lat);
    eraNut06a(tt, 0.0, &dpsi, &deps);
    return Norm360((lon + dpsi) * ERFA_DR2D);
}

TEST(Erfa, SolarTermsOf2025LieOnTheirLongitudesWithinAMinute) {
    Settings() = SkySettings{};
    constexpr double kDegreesPerMinute = 0.9856 / 1440.0;
    for (int k = 0; k < 24; ++k) {
        const double target = k * 15.0;
        const auto kst = SolarLongitudeTime(2025, target, Norm360(target - 280) / 0.9856, 9);
        ASSERT_TRUE(kst.has_value());
        const double tt = JDToJDE(*kst - 9.0 / 24);
        const double miss = std::remainder(ErfaApparentSunLongitude(tt) - target, 360.0);
        EXPECT_LT(std::fabs(miss), kDegreesPerMinute) << target;
    }
}

}  // namespace
}  // namespace astro
