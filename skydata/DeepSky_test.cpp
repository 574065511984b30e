#include "skydata/DeepSky.h"

#include <gtest/gtest.h>

#include "platform/RunTimeError.h"
#include "platform/TextFile.h"
#include "skydata/SkyMath.h"
#include "skydata/StarNames.h"
#include "skydata/testdata/ScratchDir.h"

namespace skydata {
namespace {

using skydata::testing::ScratchDir;

TEST(LoadDeepSky, FieldsSizesAndPositionAngle) {
    ScratchDir dir("dso");
    const std::string utf8 =
        "M 31|NGC 224| 안드로메다 은하 |Andromeda Galaxy|0.71231|41.2692|GX|3.4|190|60| Sb |desc2 |35\r\n"
        "M 2|NGC 7089|||21.55750|-0.8233|GC|6.6|16|0|||\r\n"
        "NGC 1|||| 0.1 | -5 |GX|13|1.5||||  \r\n";
    dir.Write("dso.dat", platform::Utf8ToCp949(utf8));
    CatalogState state;
    LoadLog log;
    LoadDeepSky(state, dir.path(), log);
    EXPECT_TRUE(log.Problems.empty());
    ASSERT_EQ(state.DeepSkyObject.size(), 3u);
    const DeepSkyObjectRecord& m31 = state.DeepSkyObject[0];
    EXPECT_EQ(m31.ID1, "M 31");
    EXPECT_EQ(m31.ID2, "NGC 224");
    EXPECT_EQ(m31.Name1, "안드로메다 은하");
    EXPECT_EQ(m31.Name2, "Andromeda Galaxy");
    EXPECT_FLOAT_EQ(m31.RA_deg, static_cast<float>(0.71231 * 15));
    EXPECT_FLOAT_EQ(m31.Dec_deg, 41.2692f);
    EXPECT_EQ(m31.Type, "GX");
    EXPECT_FLOAT_EQ(m31.Mag, 3.4f);
    EXPECT_FLOAT_EQ(m31.Size1_arcmin, 190.0f);
    EXPECT_FLOAT_EQ(m31.Size2_arcmin, 60.0f);
    EXPECT_EQ(m31.PA_deg, 35);
    EXPECT_EQ(m31.Desc1, " Sb ");  // descriptions as they stand
    EXPECT_EQ(m31.Desc2, "desc2 ");
    const DeepSkyObjectRecord& m2 = state.DeepSkyObject[1];
    EXPECT_FLOAT_EQ(m2.Size2_arcmin, 16.0f);  // 0 means the same as the major size
    EXPECT_EQ(m2.PA_deg, 0);                  // empty position angle
    const DeepSkyObjectRecord& n1 = state.DeepSkyObject[2];
    EXPECT_FLOAT_EQ(n1.Size2_arcmin, 1.5f);  // empty minor size too
    EXPECT_EQ(n1.PA_deg, 0);                 // blanks only
    EXPECT_FLOAT_EQ(n1.Dec_deg, -5.0f);
}

TEST(LoadDeepSky, DamagedLinesAreSkippedAndReportedWithTheirLineNumbers) {
    ScratchDir dir("dsobad");
    dir.Write("dso.dat",
              "A|B|||1.0|2.0|GX|10|1|0|||\n"      // 1 good
              "A|B|||1.0|2.0|GX|10|1|0||\n"       // 2 twelve fields
              "A|B|||x|2.0|GX|10|1|0|||\n"        // 3 RA not a number
              "A|B|||1.0|2.0|GX|10|1|0|||abc\n"   // 4 position angle not a number
              "A|B|||1.0|-91|GX|10|1|0|||\n"      // 5 beyond the pole
              "\n"                                // blank: skipped silently
              "A|B|||1.0|2.0|GX||1|0|||\n"        // 7 no magnitude
              "A|B|||23.9|2.0|OC|10|1|0|||7\n");  // 8 good
    CatalogState state;
    LoadLog log;
    LoadDeepSky(state, dir.path(), log);
    EXPECT_EQ(state.DeepSkyObject.size(), 2u);
    const std::vector<std::string> expected = {"dso.dat 2행 형식 오류", "dso.dat 3행 형식 오류",
                                               "dso.dat 4행 형식 오류", "dso.dat 5행 형식 오류",
                                               "dso.dat 7행 형식 오류"};
    EXPECT_EQ(log.Problems, expected);
    EXPECT_EQ(state.DeepSkyObject[1].PA_deg, 7);
}

TEST(ComputeDsoVectors, J2000DirectionsOfLength1000) {
    CatalogState state;
    state.DeepSkyObject.resize(2);
    state.DeepSkyObject[0].RA_deg = 90.0f;
    state.DeepSkyObject[1].RA_deg = 10.6846f;
    state.DeepSkyObject[1].Dec_deg = 41.2692f;
    ComputeDsoVectors(state);
    EXPECT_NEAR(state.DeepSkyObject[0].x, 0.0, 1e-9);
    EXPECT_NEAR(state.DeepSkyObject[0].y, 1000.0, 1e-9);
    const auto v = skymath::SphericalToCartesian(10.6846f, 41.2692f);
    EXPECT_DOUBLE_EQ(state.DeepSkyObject[1].x, v.x);
    EXPECT_DOUBLE_EQ(state.DeepSkyObject[1].y, v.y);
    EXPECT_DOUBLE_EQ(state.DeepSkyObject[1].z, v.z);
}

TEST(LoadStarNames, BothListsInFileOrderWithNamesAsTheyStand) {
    ScratchDir dir("names");
    dir.Write("wName.dat", platform::Utf8ToCp949("2491;시리우스;Sirius\r\n424;폴라리스; Polaris \r\n"));
    dir.Write("eName.dat", platform::Utf8ToCp949("2491;천랑성;天狼星\r\n"));
    CatalogState state;
    LoadLog log;
    LoadStarNames(state, dir.path(), log);
    EXPECT_TRUE(log.Problems.empty());
    ASSERT_EQ(state.WestStarNames.size(), 2u);
    ASSERT_EQ(state.EastStarNames.size(), 1u);
    EXPECT_EQ(state.WestStarNames[0].HR, 2491);
    EXPECT_EQ(state.WestStarNames[0].Name, "시리우스");
    EXPECT_EQ(state.WestStarNames[0].Name2, "Sirius");
    EXPECT_EQ(state.WestStarNames[1].Name2, " Polaris ");
    EXPECT_EQ(state.EastStarNames[0].Name2, "天狼星");
    EXPECT_EQ(state.EastStarNames[0].x, 0.0);  // until LinkStarNames
}

TEST(LoadStarNames, DamagedLinesAreReportedAndAMissingFileThrows) {
    ScratchDir dir("namesbad");
    dir.Write("wName.dat", "2491;Sirius\nabc;X;Y\n0;Z;Z\n1.5;Q;Q\n7001;Vega;Vega\n");
    CatalogState state;
    LoadLog log;
    EXPECT_THROW(LoadStarNames(state, dir.path(), log), platform::RunTimeError);  // no eName.dat
    EXPECT_TRUE(state.WestStarNames.empty());  // nothing half-loaded
    dir.Write("eName.dat", "");
    EXPECT_THROW(LoadStarNames(state, dir.path(), log), platform::RunTimeError);  // empty eName.dat
    EXPECT_TRUE(state.WestStarNames.empty());
    dir.Write("eName.dat", "7001;직녀;직녀성\n");
    LoadStarNames(state, dir.path(), log);
    ASSERT_EQ(state.WestStarNames.size(), 1u);
    EXPECT_EQ(state.WestStarNames[0].HR, 7001);
    EXPECT_EQ(state.EastStarNames.size(), 1u);
    const std::vector<std::string> expected = {"wName.dat 1행 형식 오류", "wName.dat 2행 형식 오류",
                                               "wName.dat 3행 형식 오류", "wName.dat 4행 형식 오류"};
    EXPECT_EQ(log.Problems, expected);  // eName.dat is read first, so the failed loads logged nothing
}

}  // namespace
}  // namespace skydata
