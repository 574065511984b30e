// Names and places of chart objects by key.
#include <cmath>

#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "zu/core/TestSupport.h"
#include "zu/main/ObjectPosition.h"

namespace zu {
namespace {

constexpr double kArcsec = 1.0 / 3600;

class ObjectPositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::CatalogState& c = skydata::Catalogs();
        // θ Persei (Meeus, Astronomical Algorithms, example 21.b).
        skydata::BscStarRecord theta;
        theta.HR = 799;
        theta.RA_deg = 41.049942;   // 2h 44m 11.986s
        theta.Dec_deg = 49.228467;  // +49 13' 42.48"
        theta.PmRA_arcsecPerYear = 0.03425f * 15;
        theta.PmDec_arcsecPerYear = -0.0895f;
        c.BscStar[3].resize(16);
        c.BscStar[3][15] = theta;
        skydata::S2kStarRecord other;
        other.Id = "  123456 ";
        other.RA_deg = 200;
        other.Dec_deg = -10;
        c.S2kStar[3].resize(16);
        c.S2kStar[3][15] = other;
        skydata::DeepSkyObjectRecord named, unnamed;
        named.ID1 = "M31";
        named.Name1 = "안드로메다 은하";
        named.RA_deg = 10.68f;
        named.Dec_deg = 41.27f;
        unnamed.ID1 = "NGC 7000";
        unnamed.Name1 = "  ";
        c.DeepSkyObject = {named, unnamed};
        S().CurrentJD = 2462088.69;  // 2028 November 13.19
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }

    test::ProgramEnv p;
};

TEST_F(ObjectPositionTest, BrightStarPrecessedWithProperMotion) {
    // Meeus 21.b: RA 41.547214, Dec 49.348483 at the target date.
    S().calcprecession = true;
    S().calcpropermotion = true;
    const auto place = GetObjectPosition("S3:15");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->Name, "HR 799");
    EXPECT_EQ(place->CoordKind, "e");
    EXPECT_NEAR(place->RA_deg, 41.547214, 1 * kArcsec);
    EXPECT_NEAR(place->Dec_deg, 49.348483, 1 * kArcsec);
}

TEST_F(ObjectPositionTest, WithoutPrecessionStarsAndDeepSkyStayAtJ2000) {
    S().calcprecession = false;
    S().calcpropermotion = false;
    const auto star = GetObjectPosition("S3:15");
    ASSERT_TRUE(star);
    EXPECT_NEAR(star->RA_deg, 41.049942, 1e-6);
    EXPECT_NEAR(star->Dec_deg, 49.228467, 1e-6);
    const auto galaxy = GetObjectPosition("M0");
    ASSERT_TRUE(galaxy);
    EXPECT_EQ(galaxy->Name, "안드로메다 은하(M31)");
    EXPECT_NEAR(galaxy->RA_deg, 10.68, 1e-5);
}

TEST_F(ObjectPositionTest, KeysOfTheTwoStarTablesAndNames) {
    const auto bright = GetObjectPosition("S3:15");
    const auto extended = GetObjectPosition("E3:15");
    ASSERT_TRUE(bright && extended);
    EXPECT_EQ(extended->Name, "Sky2000 123456");
    EXPECT_GT(std::abs(bright->RA_deg - extended->RA_deg), 100);
    EXPECT_EQ(GetObjectPosition("M1")->Name, "NGC 7000");
}

TEST_F(ObjectPositionTest, KeysThatNameNothing) {
    for (const char* key : {"Null", "", "S3:16", "S30:0", "E3", "M2", "P10", "C0", "A0", "(UC1_St:0000)", "X1"}) {
        EXPECT_FALSE(GetObjectPosition(key)) << key;
    }
}

TEST_F(ObjectPositionTest, PlanetsAreOfDateOrCarriedBackToJ2000) {
    S().calcprecession = true;
    const auto of_date = GetObjectPosition("P4");
    ASSERT_TRUE(of_date);
    EXPECT_EQ(of_date->Name, astro::Planets().PlanetTable[4].Name);
    EXPECT_DOUBLE_EQ(of_date->RA_deg, astro::Planets().PlanetTable[4].TopoRA);
    S().calcprecession = false;
    const auto j2000 = GetObjectPosition("P4");
    ASSERT_TRUE(j2000);
    // Precessing the J2000 place forward gives the place of date again.
    double ra = 0, dec = 0;
    astro::PrecessFromJ2000(S().CurrentJD, j2000->RA_deg, j2000->Dec_deg, 0, 0, ra, dec);
    EXPECT_NEAR(std::remainder(ra - of_date->RA_deg, 360), 0, 1 * kArcsec);
    EXPECT_NEAR(dec, of_date->Dec_deg, 1 * kArcsec);
    // 28.9 years of precession moved it by far more than that.
    EXPECT_GT(std::abs(j2000->RA_deg - of_date->RA_deg), 0.2);
}

TEST_F(ObjectPositionTest, CometsAreTakenAsShownLikePlanets) {
    // 1P/Halley (elements of the 1986 apparition, equinox J2000).
    astro::CometElements halley;
    halley.Name = "1P/Halley";
    halley.T_jd = 2446470.5 + 0.9591;
    halley.q_au = 0.587104;
    halley.e = 0.967277;
    halley.Peri_deg = 111.8657;
    halley.Node_deg = 58.8601;
    halley.Incl_deg = 162.2422;
    halley.H = 5.5;
    halley.K = 8;
    halley.EquinoxYear = 2000;
    astro::SmallBodies().CometElementList = {halley};
    S().CurrentJD = astro::DateToJD(1986, 2, 20, 0, 0, 0);
    S().calcprecession = true;
    const auto place = GetObjectPosition("C0");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->Name, "1P/Halley");
    astro::BodyPosition shown;
    astro::ComputeCometPosition(S().CurrentJD, halley, shown);
    ASSERT_TRUE(shown.Valid);
    EXPECT_DOUBLE_EQ(place->RA_deg, shown.TopoRA);
    EXPECT_DOUBLE_EQ(place->Dec_deg, shown.TopoDec);
}

}  // namespace
}  // namespace zu
