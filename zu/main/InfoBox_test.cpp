// The chart information texts and the window that shows them.
#include <QLabel>

#include <memory>

#include "astro/JulianDay.h"
#include "zu/core/TestSupport.h"
#include "zu/main/Form1.h"
#include "zu/main/InfoWindow.h"

namespace zu {
namespace {

InfoInputs At(double jd_local, double lon_deg, double zone_h) {
    InfoInputs in;
    in.jd_local = jd_local;
    in.lon_deg = lon_deg;
    in.zone_h = zone_h;
    return in;
}

std::string After(const std::string& text, const std::string& prefix) {
    EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
    return text.substr(prefix.size());
}

TEST(InfoTexts, RotationIsShownClockwise) {
    const std::pair<double, const char*> rows[] = {
        {30, "시계 방향으로 330.0도"}, {0, "시계 방향으로 0.0도"}, {-45, "시계 방향으로 45.0도"}, {400, "시계 방향으로 320.0도"}};
    for (const auto& [rotation, text] : rows) {
        InfoInputs in = At(2451545, 128.46, 9);
        in.rotation_deg = rotation;
        EXPECT_EQ(MakeInfoTexts(in).Value[6], text);
    }
}

TEST(InfoTexts, FrameAndTracking) {
    struct Row {
        const char* coord_sys;
        bool tracking;
        const char* frame;
        const char* tracked;
    };
    const Row rows[] = {{"e", false, "적도 좌표계", "사용 안함"}, {"A", true, "지평 좌표계", "화성"}};
    for (const Row& row : rows) {
        const InfoInputs in{2451545, 128.46, 9, 0, row.coord_sys, row.tracking, "화성"};
        const InfoTexts t = MakeInfoTexts(in);
        EXPECT_EQ(t.Value[5], row.frame);
        EXPECT_EQ(t.Value[7], row.tracked);
    }
}

TEST(InfoTexts, MeanTimeEqualsZoneTimeOnTheZoneMeridian) {
    const InfoTexts t = MakeInfoTexts(At(astro::DateToJD(2024, 6, 1, 22, 30, 15), 135, 9));
    EXPECT_EQ(After(t.Value[8], "LMT: "), After(t.Value[0], "LST: "));
    // Half an hour east of the meridian of its zone, mean time runs 30 minutes ahead.
    const InfoTexts east = MakeInfoTexts(At(astro::DateToJD(2024, 6, 1, 22, 30, 15), 142.5, 9));
    EXPECT_NE(east.Value[8].find("23시 0분 15초"), std::string::npos) << east.Value[8];
}

TEST(InfoTexts, UniversalTimeAndJulianDays) {
    // 2000-01-01 21:00 at zone 9 is 12 h UT, JD 2451545.0 (Meeus, ch. 7).
    const InfoTexts t = MakeInfoTexts(At(astro::DateToJD(2000, 1, 1, 21, 0, 0), 135, 9));
    EXPECT_NE(t.Value[1].find(" 12시"), std::string::npos) << t.Value[1];
    EXPECT_EQ(t.Value[1].rfind("UT:  ", 0), 0u);
    EXPECT_EQ(t.Tip[1], "율리우스 적일(세계 표준시): 2451545.000000");
    EXPECT_EQ(t.Tip[0], "율리우스 적일(지방 표준시): 2451545.375000");
    EXPECT_EQ(t.Tip[9], "관측지의 " + t.Value[9]);
    // Delta T near 2000 is about 64 s.
    const double delta_t = std::stod(t.Value[2]);
    EXPECT_NEAR(delta_t, 63.8, 1.0);
    EXPECT_EQ(t.Value[2].substr(t.Value[2].size() - 3), "초");
}

TEST(InfoTexts, SiderealTimeOfGreenwich) {
    // Greenwich sidereal time at 1987 April 10, 19:21:00 UT: mean 8h 34m
    // 57.09s, apparent 8h 34m 56.85s (Meeus, example 12.b and ch. 12); at
    // longitude 0, zone 0. Whole seconds are shown.
    const InfoTexts t = MakeInfoTexts(At(astro::DateToJD(1987, 4, 10, 19, 21, 0), 0, 0));
    EXPECT_EQ(t.Value[4], "8시 34분 56초");
    EXPECT_EQ(t.Value[3], t.Value[4]);
}

TEST(InfoTexts, TheWindowShowsWhatInfoBoxWrites) {
    test::ProgramEnv p;
    skydata::CurrentSettings().MapRotation = 30;
    Form1 form;
    form.InfoBox();
    ASSERT_NE(form.InfoWindow(), nullptr);
    EXPECT_EQ(form.InfoWindow()->windowTitle().toStdString(), "zu 정보");
    EXPECT_EQ(form.InfoWindow()->Label2(6)->text().toStdString(), "시계 방향으로 330.0도");
    EXPECT_EQ(form.InfoWindow()->Label2(7)->text().toStdString(), "사용 안함");
    EXPECT_EQ(form.InfoWindow()->Label2(8)->toolTip().toStdString(), "지방 평균시");
    EXPECT_EQ(form.InfoWindow()->Label1(1)->toolTip().toStdString(), "dT(TDT-UT, 역학시와 표준시의 차이)");
    EXPECT_FALSE(form.InfoWindow()->isVisible());
}

}  // namespace
}  // namespace zu
