#include "astro/Planets.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/SkySettings.h"
#include "astro/Topocentric.h"

namespace astro {
namespace {

constexpr double kArcsec = 1.0 / 3600.0;

class PlanetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings() = SkySettings{};
        ResetPlanetState();
    }
    void TearDown() override {
        Settings() = SkySettings{};
        ResetPlanetState();
    }
};

TEST_F(PlanetsTest, InitPlanetTableNamesAndDiameters) {
    const PlanetTableT& t = Planets().PlanetTable;
    EXPECT_EQ(t[0].Name, "해");
    EXPECT_EQ(t[8].Name, "달");
    EXPECT_EQ(t[9].Name, "명왕성");
    EXPECT_EQ(t[4].Diameter1AU, 197.14f);
}

// Meeus, Astronomical Algorithms, example 33.a: Venus on 1992 Dec 20, 0h TD,
// corrected for light time, before aberration and nutation.
TEST_F(PlanetsTest, VenusGeocentricMeeus33a) {
    Settings().UserDeltaT = true;
    Settings().DeltaT = 0;
    Settings().timezone = 0;
    CalcPlanets(2448976.5);
    const PlanetRecord& venus = Planets().PlanetTable[2];
    EXPECT_NEAR(venus.EclLon, 313.08102, 3 * kArcsec);
    EXPECT_NEAR(venus.EclLat, -2.08474, 3 * kArcsec);
    EXPECT_NEAR(venus.Delta, 0.910947, 2e-6);
    EXPECT_EQ(Planets().JDE, 2448976.5);
    EXPECT_EQ(Planets().Obliquity, MeanObliquity(2448976.5));
    // Right ascension and declination from the same vector by the mean obliquity.
    double lon, lat;
    EquatorialToEclipticOfDate(venus.RA, venus.Dec, lon, lat);
    EXPECT_NEAR(lon, venus.EclLon, 1e-9);
    EXPECT_NEAR(lat, venus.EclLat, 1e-9);
    EXPECT_NEAR(venus.Phase, 0.647, 0.005);  // Meeus example 41.a: k = 0.647
}

TEST_F(PlanetsTest, TableInvariants) {
    const double jd = DateToJD(2024, 3, 20, 21, 0, 0);
    CalcPlanets(jd);
    const PlanetTableT& t = Planets().PlanetTable;
    const PlanetRecord& sun = t[0];
    EXPECT_EQ(sun.R, 0.0);
    EXPECT_EQ(sun.HelioLon, 0.0);
    EXPECT_EQ(sun.HelioLat, 0.0);
    EXPECT_EQ(sun.Phase, 1.0);
    EXPECT_EQ(sun.Elongation, 0.0);
    EXPECT_NEAR(sun.Mag, 10 * std::log10(sun.Delta) - 26.85, 1e-5);
    EXPECT_NEAR(sun.EclLon, 0.37, 0.02);  // nine hours after the March equinox
    for (int n = 0; n < kPlanetCount; ++n) {
        EXPECT_EQ(t[n].TopoRA, t[n].RA) << n;
        EXPECT_EQ(t[n].TopoDec, t[n].Dec) << n;
        EXPECT_GE(t[n].Phase, 0.0);
        EXPECT_LE(t[n].Phase, 1.0);
        EXPECT_GT(t[n].Diameter, 0.0f);
        EXPECT_TRUE(std::isfinite(t[n].Mag));
    }
    EXPECT_NEAR(t[8].Diameter, 1865, 130);  // the Moon: 29.4' to 33.5'
    EXPECT_GT(t[8].Delta, 356000 / 149597870.691);  // within perigee and apogee
    EXPECT_LT(t[8].Delta, 407000 / 149597870.691);

    // The value form leaves the shared table alone and gives the same numbers.
    const PlanetTableResult other = ComputePlanetTable(jd + 10, CurrentSite());
    EXPECT_EQ(Planets().PlanetTable[3].RA, t[3].RA);
    EXPECT_NE(other.table[3].RA, t[3].RA);
    const PlanetTableResult same = ComputePlanetTable(jd, CurrentSite());
    EXPECT_EQ(same.table[5].Mag, t[5].Mag);

    // CalcOnePlanet agrees with the table and does not touch it.
    for (int n = 0; n < kPlanetCount; ++n) {
        double ra, dec;
        float mag;
        CalcOnePlanet(n, jd, false, ra, dec, mag);
        EXPECT_NEAR(ra, t[n].RA, 1e-9) << n;
        EXPECT_NEAR(dec, t[n].Dec, 1e-9) << n;
        EXPECT_NEAR(mag, t[n].Mag, 1e-4) << n;
    }
}

// A few rows alone are those rows of the whole table, field by field; the
// Sun is always computed, the rows not asked for keep their start values.
TEST_F(PlanetsTest, ChosenRowsEqualTheWholeTable) {
    Settings().psystem = false;
    const double jd = DateToJD(2022, 5, 27, 12, 0, 0);
    const PlanetTableResult whole = ComputePlanetTable(jd, CurrentSite());
    PlanetRows rows{};
    rows[kPlanetMoon] = rows[2] = true;
    const PlanetTableResult part = ComputePlanetRows(jd, CurrentSite(), rows);
    EXPECT_EQ(part.jde, whole.jde);
    for (int n : {kPlanetSun, 2, kPlanetMoon}) {
        const PlanetRecord &a = part.table[n], &b = whole.table[n];
        EXPECT_EQ(a.TopoRA, b.TopoRA) << n;
        EXPECT_EQ(a.TopoDec, b.TopoDec) << n;
        EXPECT_EQ(a.TopoEclLon, b.TopoEclLon) << n;
        EXPECT_EQ(a.TopoEclLat, b.TopoEclLat) << n;
        EXPECT_EQ(a.Diameter, b.Diameter) << n;
        EXPECT_EQ(a.Mag, b.Mag) << n;
        EXPECT_EQ(a.Elongation, b.Elongation) << n;
    }
    EXPECT_EQ(part.table[4].Delta, 0.0);
    EXPECT_EQ(part.table[4].Name, "목성");
}

TEST_F(PlanetsTest, TopocentricPlacesWhenPsystemIsOff) {
    const double jd = DateToJD(2024, 3, 20, 21, 0, 0);
    Settings().psystem = false;
    CalcPlanets(jd);
    const PlanetTableT& t = Planets().PlanetTable;
    const double moon_shift = AngularSeparation(t[8].RA, t[8].Dec, t[8].TopoRA, t[8].TopoDec);
    EXPECT_GT(moon_shift, 0.1);
    EXPECT_LT(moon_shift, 1.05);
    EXPECT_LT(AngularSeparation(t[0].RA, t[0].Dec, t[0].TopoRA, t[0].TopoDec), 9.5 * kArcsec);
    double lon, lat;
    EquatorialToEclipticOfDate(t[8].TopoRA, t[8].TopoDec, lon, lat);
    EXPECT_NEAR(lon, t[8].TopoEclLon, 1e-9);
}

TEST_F(PlanetsTest, DynamicalTimeFromTheSettings) {
    const double jd = 2460375.123456789;
    Settings().UserDeltaT = true;
    Settings().DeltaT = 0;
    EXPECT_EQ(JDToJDE(jd), jd);
    Settings().UserDeltaT = false;
    EXPECT_EQ(JDToJDE(jd), JDToJDE(jd, DeltaTChoice{}));
    EXPECT_NEAR((JDToJDE(jd) - jd) * 86400, ComputedDeltaT(jd), 1e-5);
}

TEST_F(PlanetsTest, Magnitudes) {
    const double m0 = 5 * std::log10(0.72 * 0.3);
    EXPECT_NEAR(PlanetMagnitude(2, 0.72, 0.3, 163.6), m0 + 0.98 + 0.0102 * 163.6, 1e-9);
    EXPECT_NEAR(PlanetMagnitude(2, 0.72, 0.3, 163.5),
                m0 - 4.47 + 0.0103 * 163.5 + 0.000057 * 163.5 * 163.5 + 0.00000013 * std::pow(163.5, 3), 1e-9);
    EXPECT_NEAR(PlanetMagnitude(0, 0, 1, 0), -26.85, 1e-9);
    EXPECT_EQ(PlanetMagnitude(12, 1, 1, 0), 0.0);
}

TEST_F(PlanetsTest, TopocentricCorrection) {
    double rho, lat_geo;
    ObserverGeocentric(0, 0, rho, lat_geo);
    EXPECT_EQ(rho, 1.0);
    EXPECT_EQ(lat_geo, 0.0);
    ObserverGeocentric(-45, 0, rho, lat_geo);
    EXPECT_LT(lat_geo, -44.8);
    EXPECT_GT(lat_geo, -45.0);

    // Meeus example 40.a: Mars from Palomar (33.356111 N), hour angle 288.7958,
    // distance 0.37276 AU: 22h38m07.25s -15 46'15.9" -> 22h38m08.54s -15 46'30.0".
    double ra = (22 + 38 / 60.0 + 7.25 / 3600) * 15, dec = -(15 + 46 / 60.0 + 15.9 / 3600);
    const double lst_h = Norm360(ra + 288.7958) / 15;
    TopocentricCorrectAt(33.356111, lst_h, ra, dec, 0.37276);
    EXPECT_NEAR(ra, (22 + 38 / 60.0 + 8.54 / 3600) * 15, 0.5 * kArcsec * 15);
    EXPECT_NEAR(dec, -(15 + 46 / 60.0 + 30.0 / 3600), 0.5 * kArcsec);

    ra = 10, dec = 20;
    TopocentricCorrectAt(33, 5, ra, dec, 1758.81);  // beyond the limit: unchanged
    EXPECT_EQ(ra, 10);
    TopocentricCorrectAt(33, 5, ra, dec, 1758.8);  // at the limit: still corrected
    EXPECT_NE(ra, 10);
}

TEST_F(PlanetsTest, SunAndMoonGeocentric) {
    // Meeus example 25.b: the Sun on 1992 Oct 13.0 TD from VSOP87, mean equinox of
    // date before aberration: 199.907372 (Theta = L + 180), beta = +0.000179, R = 0.99760775.
    double sl, sb, sr, ml, mb, mr;
    SunMoonGeocentric(2448908.5, sl, sb, sr, ml, mb, mr);
    EXPECT_NEAR(sl, 199.907372, 2 * kArcsec);
    EXPECT_NEAR(sb, 0.000179, 0.5 * kArcsec);
    EXPECT_NEAR(sr, 0.99760775, 2e-6);
    // Meeus example 47.a (1992 Apr 12.0 TD): the Moon's mean-equinox longitude.
    SunMoonGeocentric(2448724.5, sl, sb, sr, ml, mb, mr);
    EXPECT_NEAR(ml, 133.162655, 10 * kArcsec);
    EXPECT_NEAR(mb, -3.229126, 5 * kArcsec);
    EXPECT_NEAR(mr * 149597870.691, 368409.7, 30);

    // The heliocentric Moon is the Earth plus the geocentric Moon.
    Vec3Au e, m;
    EarthMoonHeliocentric(2448724.5, e, m);
    EXPECT_NEAR(std::hypot(m.x - e.x, m.y - e.y, m.z - e.z), mr, 1e-15);
}

}  // namespace
}  // namespace astro
