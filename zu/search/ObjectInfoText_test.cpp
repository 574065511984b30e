// The texts of the object information window.
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/search/ObjectInfoText.h"

namespace zu {
namespace {

constexpr double kArcsec = 1.0 / 3600;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

// The line that starts with prefix, without the prefix; "<none>" when absent.
std::string After(const std::string& text, const std::string& prefix) {
    for (const std::string& line : Lines(text))
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    return "<none>";
}

// Seconds of a day of "6시 29분 48초".
double ClockSeconds(const std::string& text) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(text.c_str(), "%d시 %d분 %d초", &h, &m, &s) != 3) return -1;
    return h * 3600.0 + m * 60.0 + s;
}

InfoContext Context() {
    InfoContext ctx;
    ctx.jd_local = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    ctx.lst_h = astro::CalcLST(ctx.jd_local, ctx.lon_deg, ctx.zone_h);
    ctx.calcprecession = false;
    ctx.juchon = false;
    skydata::InitGanzhiAndMansionStars(ctx.mansion_ra_deg);
    return ctx;
}

TEST(ObjectInfoText, DeepSkyTypesAndMagnitudes) {
    const std::pair<const char*, const char*> types[] = {
        {" GC ", "구상성단"}, {"gc", "알 수 없음"}, {"2", "구상성단"}, {"CN", "성단+성운"}, {"X", "알 수 없음"},
        {"OC", "산개성단"},   {"3", "산개성단"},    {"DN", "성운"},     {"1", "성운"},      {"GX", "은하"},
        {"4", "은하"},        {"PN", "행성상성운"}, {"5", "행성상성운"}, {"DK", "암흑 성운"}, {"CG", "은하단"},
        {"AS", "특이한 별 집단"}, {"0", "알 수 없음"},
    };
    for (const auto& [code, name] : types) EXPECT_EQ(NSObjType(code), name) << code;
    EXPECT_EQ(FormatMagnitude(100), "자료 없음");
    EXPECT_EQ(FormatMagnitude(5.5f), "5.50 등급");
    EXPECT_EQ(FormatMagnitude(-1.46f), "-1.46 등급");
}

TEST(ObjectInfoText, StarPositionBlockWithoutPrecession) {
    const InfoContext ctx = Context();
    const PositionBlock block = StarPositionText(ctx, astro::kJ2000, 279.23473, 38.78369, 0, 0);
    const auto lines = Lines(block.text);
    ASSERT_EQ(lines.size(), 18u);  // 17 lines, each ending with CR LF
    EXPECT_EQ(lines[0], "적경(2000.0): 18시 36분 56초");
    EXPECT_EQ(lines[1], "적위(2000.0): 38도 47분 1초");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3].rfind("적경(2000.0): ", 0), 0u);
    EXPECT_EQ(lines[4], "거극도(신법, 2000.0): 51도 12분 58초");
    EXPECT_EQ(lines[5].rfind("입수도(2000.0): ", 0), 0u);
    EXPECT_EQ(lines[6], "거극도(2000.0): 51도 12분 58초");  // juchon off: degrees
    EXPECT_EQ(lines[8], "적경(2000.0): 18시 36분 56초");
    EXPECT_EQ(lines[9], "적위(2000.0): 38도 47분 1초");
    EXPECT_EQ(lines[11].rfind("방위각: ", 0), 0u);
    EXPECT_EQ(lines[12].rfind("고도: ", 0), 0u);
    EXPECT_EQ(lines[14].rfind("뜸: ", 0), 0u);
    EXPECT_EQ(lines[15].rfind("남중: ", 0), 0u);
    EXPECT_EQ(lines[16].rfind("짐: ", 0), 0u);
    EXPECT_EQ(lines[17], "");
    EXPECT_NEAR(astro::Norm360(block.ra_date_deg), 279.23473, 1e-9);
    EXPECT_DOUBLE_EQ(block.dec_date_deg, 38.78369);

    // Traditional units: the polar distance in parts of 365.25.
    InfoContext juchon = ctx;
    juchon.juchon = true;
    EXPECT_NE(Lines(StarPositionText(juchon, astro::kJ2000, 279.23473, 38.78369, 0, 0).text)[6], lines[6]);
}

TEST(ObjectInfoText, EventsThatDoNotHappenPrintDashes) {
    test::ProgramEnv p;
    const InfoContext ctx = Context();
    // Polaris never sets at 35.8 N; a star at -70 never rises.
    for (const double dec : {89.26, -70.0}) {
        const std::string text = StarPositionText(ctx, astro::kJ2000, 37.95, dec, 0, 0).text;
        EXPECT_EQ(After(text, "뜸: "), "--") << dec;
        EXPECT_EQ(After(text, "짐: "), "--") << dec;
    }
    EXPECT_EQ(EventTimeText(-1), "--");
    EXPECT_EQ(EventTimeText(-24), "--");
    EXPECT_EQ(EventTimeText(25), "--");
    EXPECT_EQ(EventTimeText(6.5), "6시 30분 0초");
}

TEST(ObjectInfoText, ApparentPlaceOfThetaPersei) {
    // Meeus, Astronomical Algorithms, example 23.a: the mean place of date and
    // the true longitude of the Sun 231.328 degrees; apparent
    // 2h46m14.390s, +49 21' 07.45".
    const EquatorialDeg place = ApparentPlaceOfDate(41.5472126, 49.3484821, 2462088.69, 231.328, true);
    EXPECT_NEAR(place.ra_deg, (2 + 46.0 / 60 + 14.390 / 3600) * 15, 0.03 * 15 * kArcsec);
    EXPECT_NEAR(place.dec_deg, 49 + 21.0 / 60 + 7.45 / 3600, 0.3 * kArcsec);

    // Without aberration the place moves by at most the constant of
    // aberration with its eccentricity term, 20.5" (1 + 0.017).
    const EquatorialDeg moon = ApparentPlaceOfDate(41.5472126, 49.3484821, 2462088.69, 231.328, false);
    const double shift = astro::AngularSeparation(place.ra_deg, place.dec_deg, moon.ra_deg, moon.dec_deg);
    EXPECT_GT(shift, 1 * kArcsec);
    EXPECT_LE(shift, 20.5 * 1.017 * kArcsec);
}

TEST(ObjectInfoText, ApparentAltitudeNeverPassesTheZenith) {
    test::ProgramEnv p;
    InfoContext ctx = Context();
    // A place a few arcseconds from the zenith.
    const double ra = ctx.lst_h * 15;
    for (const double dec : {ctx.lat_deg, ctx.lat_deg + 0.001, ctx.lat_deg - 0.002}) {
        const std::string text = ApparentPositionText(ctx, ra, dec, true);
        const auto lines = Lines(text);
        ASSERT_EQ(lines.size(), 6u);
        const std::string alt = After(text, "고도: ");
        int d = 0;
        ASSERT_EQ(std::sscanf(alt.c_str(), "%d도", &d), 1) << alt;
        EXPECT_LE(d, 90);
        EXPECT_TRUE(d < 90 || alt == "90도 0분 0초") << alt;
    }
}

TEST(ObjectInfoText, UserCatalogEntries) {
    test::ProgramEnv p;
    InfoContext ctx = Context();
    std::array<skydata::CustomCatalog, 2> catalogs;
    catalogs[0] = skydata::ParseCustomCatalogText(
        "<Header>\r\nCatalog Name=지평 목록\r\nEpoch=2451545\r\nCoordinate=a\r\n</Header>\r\n<ObjectList>\r\n"
        "cl, 120, 30, 10, 1, 표식, 설명\r\n"
        "star, 90, 20, 3.5, 0.5, -0.25, G2, 별 하나, 별 설명\r\n"
        "str, 10, 5, 열글자짜리텍스트다요\r\n"
        "str, 10, 5, 열한글자짜리텍스트다요\r\n"
        "</ObjectList>\r\n");
    catalogs[1] = skydata::ParseCustomCatalogText(
        "<Header>\r\nCatalog Name=둘째\r\nEpoch=2415020.5\r\nCoordinate=e\r\n</Header>\r\n<ObjectList>\r\n"
        "nst, 83.8, -5.4, 4, 30, gc, 성운, 설명\r\n"
        "cl, 90, 20, 5, 1, 원, \r\n"
        "</ObjectList>\r\n");

    // A shape of a horizontal catalogue: its azimuth in degrees, no place of date.
    const UserCatInfo shape = FullUCInfo(ctx, "(UC1_S1:0000)", catalogs);
    EXPECT_EQ(shape.label, "표식");
    EXPECT_TRUE(shape.no_apparent_block);
    EXPECT_EQ(shape.text,
              "목록 번호 및 이름: 사용자 목록1- 지평 목록\r\n기준 좌표계: 지평좌표계\r\n좌표 기준일(JD): 2451545\r\n\r\n"
              "이름: 표식\r\n방위각: 120도 0분 0초\r\n고도: 30도 0분 0초\r\n지름: 10.0분\r\n\r\n설명: \r\n설명\r\n\r\n"
              "이 천체는 지평좌표를 기준으로 하고 있으므로 뜨고 지는 시각을 계산할 수 없습니다.\r\n"
              "이 천체는 지평좌표를 기준으로 하고 있으므로 시간에 따른 좌표의 변화가 없습니다.\r\n\r\n"
              "*표시된 좌표는 목록의 분점을 기준으로 한 것입니다.\r\n");

    // A star of the same catalogue has an equatorial place of date and events.
    const UserCatInfo star = FullUCInfo(ctx, "(UC1_St:0000)", catalogs);
    EXPECT_FALSE(star.no_apparent_block);
    EXPECT_EQ(After(star.text, "기준 좌표계: "), "적도좌표계");
    EXPECT_EQ(After(star.text, "밝기: "), "3.5등급");
    EXPECT_EQ(After(star.text, "고유운동(적경 방향, 초/년): "), "0.5");
    EXPECT_EQ(After(star.text, "고유운동(적위 방향, 초/년): "), "-0.25");
    EXPECT_NE(After(star.text, "뜸: "), "<none>");
    EXPECT_EQ(After(star.text, "적경(2000.0): "), "6시 0분 0초");
    EXPECT_NE(star.text.find("\r\n\r\n\r\n*표시된 좌표는"), std::string::npos);
    const ObjectInfo star_window =
        BuildObjectInfo("(UC1_St:0000)", ctx,
                        {astro::Planets().PlanetTable, skydata::Catalogs(), skydata::Constellations(), catalogs});
    EXPECT_NE(star_window.text.find("<천체의 겉보기 위치>"), std::string::npos);
    const ObjectInfo shape_window =
        BuildObjectInfo("(UC1_S1:0000)", ctx,
                        {astro::Planets().PlanetTable, skydata::Catalogs(), skydata::Constellations(), catalogs});
    EXPECT_EQ(shape_window.text.find("<천체의 겉보기 위치>"), std::string::npos);
    EXPECT_EQ(shape_window.label, "표식");

    // A text of a horizontal catalogue: its azimuth in degrees too.
    const UserCatInfo text = FullUCInfo(ctx, "(UC1_Ch:0000)", catalogs);
    EXPECT_NE(text.text.find("\r\n\r\n방위각: 10도 0분 0초\r\n고도: 5도 0분 0초\r\n내용: \r\n열글자짜리텍스트다요\r\n\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.no_apparent_block);

    // Texts: ten characters stand whole, eleven are cut to nine.
    EXPECT_EQ(FullUCInfo(ctx, "(UC1_Ch:0000)", catalogs).label, "열글자짜리텍스트다요");
    EXPECT_EQ(FullUCInfo(ctx, "(UC1_Ch:0001)", catalogs).label, "열한글자짜리텍스트");

    // The second slot: its own epoch in the header and in the precession.
    const UserCatInfo nebula = FullUCInfo(ctx, "(UC2_Nb:0000)", catalogs);
    EXPECT_EQ(After(nebula.text, "목록 번호 및 이름: "), "사용자 목록2- 둘째");
    EXPECT_EQ(After(nebula.text, "좌표 기준일(JD): "), "2415020.5");
    EXPECT_EQ(After(nebula.text, "종류: "), "구상성단");
    EXPECT_EQ(After(nebula.text, "지름: "), "60.0분");
    double ra2000 = 0, dec2000 = 0;
    astro::PrecessByMatrix(2415020.5, astro::kJ2000, 83.8, -5.4, ra2000, dec2000);
    EXPECT_EQ(After(nebula.text, "적경(2000.0): "), astro::FormatHmsKorean(ra2000, 0));
    EXPECT_NE(After(nebula.text, "적경(2000.0): "), astro::FormatHmsKorean(83.8, 0));

    // A shape of an equatorial catalogue: its right ascension in hours.
    const UserCatInfo circle = FullUCInfo(ctx, "(UC2_S1:0000)", catalogs);
    EXPECT_EQ(After(circle.text, "기준 좌표계: "), "적도 좌표계");
    EXPECT_EQ(After(circle.text, "적경: "), "6시 0분 0초");
    EXPECT_EQ(After(circle.text, "지름: "), "5.0분");

    // Keys that name nothing loaded.
    for (const char* key : {"(UC1_S1:0009)", "(UC2_St:0000)", "(UC3_S1:0000)"}) {
        const UserCatInfo none = FullUCInfo(ctx, key, catalogs);
        EXPECT_EQ(none.text, "") << key;
        EXPECT_EQ(none.label, "") << key;
    }
}

TEST(ObjectInfoText, DeepSkyAndExtendedStarOnSmallTables) {
    test::ProgramEnv p;
    const InfoContext ctx = Context();
    skydata::CatalogState catalogs;
    skydata::DeepSkyObjectRecord dso;
    dso.ID1 = "M13";
    dso.ID2 = "NGC 6205";
    dso.Name1 = "헤르쿨레스 성단";
    dso.Name2 = "Hercules Cluster";
    dso.RA_deg = 250.42f;
    dso.Dec_deg = 36.46f;
    dso.Mag = 100;
    dso.Type = "GC";
    dso.Size1_arcmin = 10;
    dso.Size2_arcmin = 10;
    dso.PA_deg = 45;
    dso.Desc1 = "!! eB";
    dso.Desc2 = "밝다";
    catalogs.DeepSkyObject = {dso};
    skydata::S2kStarRecord s2k;
    s2k.Id = "H91262";
    s2k.HD = "172167";
    s2k.SAO = "67174";
    s2k.RA_deg = 279.23;
    s2k.Dec_deg = 38.78;
    s2k.Mag = 0.03f;
    s2k.SpType = "A0";
    catalogs.S2kStar[2] = {s2k};
    skydata::ConstellationState constellations;
    const std::array<skydata::CustomCatalog, 2> user{};
    const InfoTables tables{astro::Planets().PlanetTable, catalogs, constellations, user};

    const ObjectInfo m = BuildObjectInfo("M0", ctx, tables);
    EXPECT_EQ(m.label, "M13");
    const auto lines = Lines(m.text);
    const std::vector<std::string> head = {"종류: 구상성단", "", "ID1: M13", "ID2: NGC 6205",
                                           "이름 1: 헤르쿨레스 성단", "이름 2: Hercules Cluster", "별자리: ", "",
                                           "밝기: 자료 없음", "지름: 10.0x10.0(분)", "위치각: 45도",
                                           "설명 1(NGC 묘사법): !! eB", "설명 2(SAC 설명): 밝다", ""};
    ASSERT_GT(lines.size(), head.size());
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << i;
    EXPECT_EQ(lines[14].rfind("적경(2000.0): ", 0), 0u);

    const ObjectInfo e = BuildObjectInfo("E2:0", ctx, tables);
    EXPECT_EQ(e.label, "Sky2000 H91262");
    const std::vector<std::string> e_head = {"종류: 별", "", "밝기: 0.03 등급", "분광형: A0", "별자리(서양): ",
                                             "Sky2000 목록 번호: H91262", "HD 번호: 172167", "SAO 번호: 67174", ""};
    const auto e_lines = Lines(e.text);
    for (std::size_t i = 0; i < e_head.size(); ++i) EXPECT_EQ(e_lines[i], e_head[i]) << i;

    // Keys outside the tables give nothing.
    for (const char* key : {"M1", "E2:1", "E29:0", "S0:0", "P10", "C0", "A3", "X1", "Null"}) {
        const ObjectInfo none = BuildObjectInfo(key, ctx, tables);
        EXPECT_EQ(none.text, "") << key;
        EXPECT_EQ(none.label, "") << key;
    }
}

class RealDataInfo : public ::testing::Test {
protected:
    void SetUp() override {
        LoadProgramState(p.env.folders.program);
        S().calcprecession = false;
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    ObjectInfo Build(const char* key) {
        AppState().LocalSiderealTime = astro::CalcLST(S().CurrentJD, S().lon, S().timezone);
        astro::CalcPlanets(S().CurrentJD);
        const InfoContext ctx = CurrentInfoContext();
        return BuildObjectInfo(key, ctx,
                               {astro::Planets().PlanetTable, skydata::Catalogs(), skydata::Constellations(),
                                skydata::UserCatalogModule().Catalogs});
    }
    test::ProgramEnv p;
};

TEST_F(RealDataInfo, Vega) {
    const ObjectInfo info = Build("S9:213");
    EXPECT_EQ(info.label, "HR 7001");
    EXPECT_EQ(After(info.text, "밝기: "), "0.03 등급");
    EXPECT_EQ(After(info.text, "분광형: "), "A0");
    EXPECT_EQ(After(info.text, "별자리(서양): "), "거문고자리(Lyra)");
    EXPECT_EQ(After(info.text, "별자리(한국): "), "직녀(織女)");
    EXPECT_EQ(After(info.text, "별 이름: "), "직녀(織女), 베가 (직녀성)(Vega)");
    const auto lines = Lines(info.text);
    // The position block starts after the star's twelve lines.
    const std::size_t b = 12;
    ASSERT_EQ(lines.size(), b + 25);
    for (const std::size_t i : {0u, 3u, 8u}) EXPECT_EQ(lines[b + i].rfind("적경(2000.0): ", 0), 0u) << i;
    EXPECT_EQ(lines[b + 8].substr(lines[b + 8].find(": ")), lines[b].substr(lines[b].find(": ")));
    EXPECT_EQ(lines[b + 9].substr(lines[b + 9].find(": ")), lines[b + 1].substr(lines[b + 1].find(": ")));
    EXPECT_EQ(lines[b + 17], "");
    EXPECT_EQ(lines[b + 18], "<천체의 겉보기 위치>");
    EXPECT_EQ(lines[b + 19].rfind("적경: ", 0), 0u);
    EXPECT_EQ(lines[b + 23].rfind("고도: ", 0), 0u);
}

TEST_F(RealDataInfo, SunOnTheEquinox) {
    S().CurrentJD = astro::DateToJD(2024, 3, 20, 12, 0, 0);
    const ObjectInfo info = Build("P0");
    EXPECT_EQ(info.label, "해");
    EXPECT_EQ(After(info.text, "위상: "), "100.00 %");
    EXPECT_EQ(After(info.text, "이각: "), "0.00 도");
    EXPECT_EQ(After(info.text, "거리(태양-행성): "), "0.00 km");
    EXPECT_NEAR(ClockSeconds(After(info.text, "뜸: ")), 6 * 3600 + 29 * 60 + 48, 60);
    EXPECT_NEAR(ClockSeconds(After(info.text, "짐: ")), 18 * 3600 + 37 * 60 + 56, 60);
    EXPECT_NE(After(info.text, "황경: "), "<none>");
    EXPECT_NE(info.text.find("<천체의 겉보기 위치>"), std::string::npos);

    // The horizontal place and the events follow the chart time.
    S().CurrentJD += 1.3;
    const ObjectInfo later = Build("P0");
    EXPECT_NE(After(later.text, "방위각: "), After(info.text, "방위각: "));
    EXPECT_NE(After(later.text, "뜸: "), After(info.text, "뜸: "));
}

TEST_F(RealDataInfo, MoonWithoutTransitAndWithoutAberration) {
    const double day = test::DayWithoutMoonTransit(S().lat, S().lon);
    ASSERT_GT(day, 0);
    S().CurrentJD = day + 0.5;
    const ObjectInfo info = Build("P8");
    EXPECT_EQ(info.label, "달");
    EXPECT_EQ(After(info.text, "남중: "), "--");
    // The apparent block is that of a place without aberration.
    const InfoContext ctx = CurrentInfoContext();
    const auto& moon = astro::Planets().PlanetTable[astro::kPlanetMoon];
    const std::string block = info.text.substr(info.text.find("<천체의 겉보기 위치>\r\n") +
                                               std::string("<천체의 겉보기 위치>\r\n").size());
    EXPECT_EQ(block, ApparentPositionText(ctx, moon.TopoRA, moon.TopoDec, false));
    EXPECT_NE(block, ApparentPositionText(ctx, moon.TopoRA, moon.TopoDec, true));
}

TEST_F(RealDataInfo, CometsAsteroidsAndDeepSky) {
    S().CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    const ObjectInfo asteroid = Build("A0");
    ASSERT_FALSE(asteroid.text.empty());
    EXPECT_EQ(Lines(asteroid.text)[0], "종류: 소행성");
    EXPECT_EQ(After(asteroid.text, "이름: "), asteroid.label);
    EXPECT_EQ(After(asteroid.text, "황경: "), "<none>");
    EXPECT_NE(After(asteroid.text, "거리(태양-행성): ").find(" AU(천문단위)"), std::string::npos);
    const ObjectInfo m = Build("M0");
    EXPECT_FALSE(m.label.empty());
    EXPECT_NE(After(m.text, "별자리: "), "");
}

}  // namespace
}  // namespace zu
