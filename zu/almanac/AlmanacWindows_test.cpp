// The almanac windows driven as a user would, offscreen with scripted
// services at the default site (35.82 N, 128.46 E, zone 9).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "zu/almanac/Frm24julgi.h"
#include "zu/almanac/FrmDCal.h"
#include "zu/almanac/FrmLuniSolar.h"
#include "zu/almanac/FrmMoon.h"
#include "zu/almanac/WindowSupport.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"

namespace zu {
namespace {

using platform::MsgAnswer;

skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }

std::string Text(const QLabel* label) { return U(label->text()); }

// Clock minutes of "뜸: 17시 22분" style texts.
double ClockMinutes(const std::string& text) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex("(\\d+)시 (\\d+)분"))) return -1;
    return std::stod(m[1]) * 60 + std::stod(m[2]);
}

class AlmanacWindows : public ::testing::Test {
protected:
    void SetUp() override { zu::ResetToolWindows(); }
    void TearDown() override { zu::ResetToolWindows(); }
    zu::test::ProgramEnv p;
};

// ---- Date conversion ------------------------------------------------------

struct Conversion {
    int direction;
    int zone;  // Combo2 index
    const char *year, *month, *day;
    bool leap;
    const char* header;  // "" when not checked
    const char* result;
};

void Convert(FrmLuniSolar& w, const Conversion& c) {
    w.Combo1->setCurrentIndex(c.direction);
    w.Combo2->setCurrentIndex(c.zone);
    w.txtDate[0]->setText(Q(c.year));
    w.txtDate[1]->setText(Q(c.month));
    w.txtDate[2]->setText(Q(c.day));
    w.CLeap->setChecked(c.leap);
    w.CmdCalc->click();
}

TEST_F(AlmanacWindows, DateConversionOpensInItsDesignState) {
    for (int opening = 0; opening < 2; ++opening) {
        QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::FrmLuniSolar, nullptr);
        auto& w = dynamic_cast<FrmLuniSolar&>(window);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.Combo1->currentIndex(), 0);
        EXPECT_EQ(U(w.Combo2->currentText()), "관측지 기준");
        EXPECT_EQ(w.CmbADBC->currentIndex(), 0);
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(w.Check1[i]->isChecked());
        EXPECT_EQ(U(w.txtDate[0]->text()), "2008");
        EXPECT_EQ(U(w.txtDate[1]->text()), "1");
        EXPECT_EQ(U(w.txtDate[2]->text()), "1");
        EXPECT_EQ(Text(w.Lr[0]), "바꾸기 단추를 누르면 계산이 됩니다.");
        EXPECT_EQ(Text(w.Lr[1]), "-");
        EXPECT_EQ(Text(w.Lr[2]), "입니다.");
        EXPECT_FALSE(w.Rules.MeanSun || w.Rules.MeanMoon || w.Rules.Jinsak);
        // A changed window is gone after closing: the next opening is new.
        w.txtDate[0]->setText("1999");
        Convert(w, {0, 0, "2008", "1", "1", false, "", ""});
        w.Command1->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(zu::FindToolWindow(zu::ToolWindowId::FrmLuniSolar), nullptr);
    }
    EXPECT_EQ(p.env.windows.shown.size(), 2u);
    EXPECT_TRUE(p.env.windows.shown[0].modal);
}

TEST_F(AlmanacWindows, DateConversionInSixDirections) {
    FrmLuniSolar w;
    const Conversion cases[] = {
        {0, 0, "2008", "1", "1", false, "양력 2008년 1월 1일은 음력으로", " 2007년  11월  23일"},
        {0, 0, "1911", "12", "20", false, "", " 1911년  11월  1일"},
        {0, 2, "1911", "12", "20", false, "", " 1911년  10월  30일"},
        {0, 1, "2017", "7", "23", false, "", " 2017년 (윤) 6월  1일"},
        {0, 0, "2017", "7", "23", false, "", " 2017년  6월  1일"},
        {1, 0, "2023", "2", "1", true, "음력  2023년 (윤) 2월  1일은 양력으로", "2023년 3월 22일"},
        {1, 0, "2024", "2", "1", true, "음력  2024년 (윤) 2월  1일은 ", "없는 날"},
        {1, 0, "2024", "1", "30", false, "", "없는 날"},
        {2, 3, "2000", "1", "1", false, "양력 2000년 1월 1일은 이슬람력으로", "1420년 9월(Ramadan) 24일"},
        {2, 3, "622", "7", "15", false, "양력 622년 7월 15일은", "이슬람력이 시작되기 이전"},
        {3, 3, "1445", "9", "1", false, "이슬람력  1445년  9월  1일은 양력으로", "2024년 3월 11일"},
        {3, 3, "1445", "2", "30", false, "", "없는 날"},
        {4, 0, "2024", "1", "1", false, "음력  2024년  1월  1일은 이슬람력으로", "1445년 7월(Rajab) 30일"},
        {5, 0, "1445", "9", "1", false, "이슬람력  1445년  9월  1일은 음력으로", " 2024년  2월  2일"},
        // Runs on past the month's end; a negative year counts as positive.
        {0, 0, "-2008", "1", "32", false, "양력 2008년 2월 1일은 음력으로", " 2007년  12월  25일"},
    };
    for (const Conversion& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "-" + c.month + "-" + c.day + " direction " + std::to_string(c.direction));
        Convert(w, c);
        if (*c.header) {
            EXPECT_EQ(Text(w.Lr[0]), c.header);
        }
        EXPECT_EQ(Text(w.Lr[1]), c.result);
        EXPECT_EQ(Text(w.Lr[2]), "입니다.");
    }
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(AlmanacWindows, DateConversionBeforeTheCommonEra) {
    FrmLuniSolar w;
    w.CmbADBC->setCurrentIndex(1);
    Convert(w, {2, 3, "1", "1", "1", false, "", ""});
    EXPECT_EQ(Text(w.Lr[0]), "양력 기원전 1년 1월 1일은");
    EXPECT_EQ(FormatLunarDate(0, 6, 1, false), "기원전 1년  6월  1일");
    EXPECT_EQ(FormatLunarDate(2008, 5, 1, true), " 2008년 (윤) 5월  1일");
}

TEST_F(AlmanacWindows, DateConversionRefusesWhatIsNoDate) {
    FrmLuniSolar w;
    Convert(w, {0, 0, "2008", "1", "1", false, "", " 2007년  11월  23일"});
    const struct {
        int direction;
        const char *year, *month, *day;
    } bad[] = {{0, "abc", "1", "1"},   {1, "2023", "13", "1"}, {0, "", "1", "1"},     {0, "2008", "256", "1"},
               {0, "40000", "1", "1"}, {3, "1445", "1", "31"}, {1, "2023", "0", "1"}, {0, "2008", "1", "1x"}};
    for (const auto& b : bad) {
        Convert(w, {b.direction, 0, b.year, b.month, b.day, false, "", ""});
        EXPECT_EQ(Text(w.Lr[0]), "양력 2008년 1월 1일은 음력으로") << b.year << "/" << b.month << "/" << b.day;
        EXPECT_EQ(Text(w.Lr[1]), " 2007년  11월  23일");
    }
    ASSERT_EQ(p.env.messages.shown.size(), std::size(bad));
    EXPECT_EQ(p.env.messages.shown[0].text, "날짜가 잘못 입력되었습니다. 확인해 주세요");
    EXPECT_EQ(p.env.messages.shown[0].title, "음양력/이슬람력 변환");
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
}

TEST_F(AlmanacWindows, DateConversionAtTheEndsOfItsRanges) {
    FrmLuniSolar w;
    const Conversion extremes[] = {
        {0, 0, "32767", "255", "255", false, "", ""}, {1, 0, "32767", "12", "30", true, "", ""},
        {0, 3, "0", "0", "0", false, "", ""},         {4, 1, "-32767", "1", "1", false, "", ""},
        {5, 2, "32767", "12", "30", false, "", ""},   {3, 3, "0", "1", "1", false, "", ""},
    };
    for (const Conversion& c : extremes) {
        w.Lr[1]->setText("?");
        Convert(w, c);
        EXPECT_NE(Text(w.Lr[1]), "?") << c.direction << " " << c.year;
        EXPECT_FALSE(Text(w.Lr[0]).empty());
    }
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(AlmanacWindows, DateConversionInputsFollowTheDirection) {
    FrmLuniSolar w;
    const bool era[6] = {true, true, true, false, true, false};
    const bool leap[6] = {false, true, false, false, true, false};
    for (int d : {5, 0, 3, 1, 4, 2}) {
        w.Combo1->setCurrentIndex(d);
        EXPECT_EQ(w.CmbADBC->isEnabled(), era[d]) << d;
        EXPECT_EQ(w.CLeap->isEnabled(), leap[d]) << d;
    }
}

TEST_F(AlmanacWindows, DateConversionRuleBoxesRecomputeAtOnce) {
    FrmLuniSolar w;
    w.show();
    w.Combo2->setCurrentIndex(0);
    w.Check1[2]->click();
    EXPECT_TRUE(w.Rules.Jinsak);
    EXPECT_EQ(Text(w.Lr[0]), "양력 2008년 1월 1일은 음력으로");
    EXPECT_EQ(Text(w.Lr[1]), " 2007년  11월  23일");
    w.Check1[0]->click();
    EXPECT_TRUE(w.Rules.MeanSun);
    w.Check1[0]->click();
    EXPECT_FALSE(w.Rules.MeanSun);
}

// ---- One-day almanac ------------------------------------------------------

TEST_F(AlmanacWindows, OneDayAlmanacOfTheFirstDayOf2000) {
    S().CurrentJD = astro::DateToJD(2000, 1, 1, 21, 0, 0);
    FrmDCal w;
    EXPECT_EQ(Text(w.LblDay[0]), "서력 기원후 2000년 1월 1일 토요일");
    EXPECT_TRUE(U(w.LblDay[0]->toolTip()).ends_with("정오 때의 JD: 2451545"));
    EXPECT_EQ(Text(w.LblDay[1]), "단기  4333년  불기  2544년  경진(庚辰)년");
    EXPECT_EQ(Text(w.LblDay[3]), "일진/28수: \n  무오(戊午)/위(胃)");
    EXPECT_EQ(Text(w.LblDay[4]), "뜸: 07시 36분");
    // astronomy-engine, KST: sunset 17:22:32, moonrise 02:24:53, moonset 13:52:29.
    EXPECT_NEAR(ClockMinutes(Text(w.LblDay[6])), 17 * 60 + 22.5, 1.0);
    EXPECT_NEAR(ClockMinutes(Text(w.LblDay[7])), 2 * 60 + 24.9, 3.0);
    EXPECT_NEAR(ClockMinutes(Text(w.LblDay[9])), 13 * 60 + 52.5, 3.0);
    EXPECT_EQ(Text(w.LblDay[30]), "위상(12시): 26.1 %");
    EXPECT_EQ(Text(w.LblDay[10]), "월령(12시): 24.2일");
    const std::string equation = Text(w.LblDay[29]);
    ASSERT_TRUE(equation.starts_with("균시차(0시): ")) << equation;
    EXPECT_NEAR(std::stod(equation.substr(std::string("균시차(0시): ").size())), -2.86, 0.1);
    EXPECT_EQ(Text(w.LCal1[0]), "음력: 기원후1999년 (평) 11월 25일 / 월건: 병자");
    EXPECT_EQ(Text(w.LCal1[1]), "이슬람력: 1420년 9월(Ramadan) 24일");
    EXPECT_EQ(Text(w.LblDay[12]), "고\n도\n(도)");
    EXPECT_EQ(Text(w.LblDay[24]), "■ 밤");
}

TEST_F(AlmanacWindows, OneDayAlmanacInALeapMonth) {
    // Leap month 2 of 2023 began on 2023-03-22.
    S().CurrentJD = astro::DateToJD(2023, 3, 25, 9, 0, 0);
    FrmDCal w;
    EXPECT_EQ(Text(w.LCal1[0]), "음력: 기원후2023년 (윤) 2월 4일 / 월건: 윤달에는 월건이 없습니다.");
}

TEST_F(AlmanacWindows, OneDayAlmanacShowsAbsentEventsAsDashes) {
    const struct {
        int month, day, label;
        const char* text;
    } cases[] = {{1, 27, 7, "뜸:  --"}, {1, 20, 8, "남중:  --"}, {1, 14, 9, "짐:  --"}};
    for (const auto& c : cases) {
        S().CurrentJD = astro::DateToJD(2000, c.month, c.day, 12, 0, 0);
        FrmDCal w;
        EXPECT_EQ(Text(w.LblDay[c.label]), c.text) << c.month << "-" << c.day;
    }
}

TEST_F(AlmanacWindows, OneDayAlmanacStepsAcrossTheCalendarReformAndBeforeDayZero) {
    S().CurrentJD = astro::DateToJD(1582, 10, 15, 12, 0, 0);
    FrmDCal reform;
    reform.CmdnDay[0]->click();
    EXPECT_EQ(Text(reform.LblDay[0]), "서력 기원후 1582년 10월 4일 목요일");

    S().CurrentJD = 0.0;
    FrmDCal first;
    first.CmdnDay[0]->click();
    first.CmdnDay[0]->click();
    EXPECT_EQ(Text(first.LblDay[0]), "서력 기원전 4714년 12월 30일 토요일");
    EXPECT_TRUE(Text(first.LblDay[3]).ends_with("신해(辛亥)/녀(女)")) << Text(first.LblDay[3]);
}

TEST_F(AlmanacWindows, AltitudeDiagramMeetsTheDirectComputationAtMidnights) {
    const double day0 = astro::DateToJD(2000, 1, 1, 0, 0, 0);
    const std::vector<DiagramSample> samples = SunMoonAltitudes(day0);
    ASSERT_EQ(samples.size(), 73u);
    const astro::SiteContext site = astro::CurrentSite();
    for (const DiagramSample* sample : {&samples.front(), &samples.back()}) {
        const double jd = day0 + sample->h / 360.0;
        const double lst = astro::CalcLST(jd, S().lon, S().timezone);
        double az = 0, sun_alt = 0, moon_alt = 0;
        const astro::PlanetPlace sun = astro::ComputePlanetPlace(astro::kPlanetSun, jd, site, true);
        const astro::PlanetPlace moon = astro::ComputePlanetPlace(astro::kPlanetMoon, jd, site, true);
        astro::EquatorialToHorizontal(sun.ra_deg, sun.dec_deg, lst, S().lat, az, sun_alt);
        astro::EquatorialToHorizontal(moon.ra_deg, moon.dec_deg, lst, S().lat, az, moon_alt);
        EXPECT_NEAR(sample->sun_alt_deg, sun_alt, 0.01);
        EXPECT_NEAR(sample->moon_alt_deg, moon_alt, 0.01);
    }
    // In between, the Moon follows its own course within a degree (a halved
    // interpolation factor puts it about 3 degrees off).
    const DiagramSample& six = samples[18];  // 06:00
    const double jd = day0 + 0.25;
    const astro::PlanetPlace moon = astro::ComputePlanetPlace(astro::kPlanetMoon, jd, site, true);
    double az = 0, moon_alt = 0;
    astro::EquatorialToHorizontal(moon.ra_deg, moon.dec_deg, astro::CalcLST(jd, S().lon, S().timezone), S().lat, az,
                                  moon_alt);
    EXPECT_NEAR(six.moon_alt_deg, moon_alt, 1.0);
}

TEST_F(AlmanacWindows, OneDayAlmanacUnderTheMidnightSun) {
    S().lat = 80;
    S().CurrentJD = astro::DateToJD(2008, 6, 21, 12, 0, 0);
    FrmDCal w;
    EXPECT_EQ(Text(w.LblDay[4]), "뜸:  --");
    EXPECT_EQ(Text(w.LblDay[6]), "짐:  --");
    const QImage picture = w.PicSun->Surface().Image();
    const auto day = static_cast<platform::Colour>(skydata::StartupTables().Styles.TwilightColors[5]);
    const QRgb expected = qRgb(platform::RedOf(day), platform::GreenOf(day), platform::BlueOf(day));
    const int y = picture.height() / 2 + 7;
    for (int x : {3, picture.width() / 2 + 3, picture.width() - 4})
        EXPECT_EQ(picture.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x;
}

TEST_F(AlmanacWindows, OneDayAlmanacLeavesTheSharedPlanetTableAlone) {
    S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
    astro::CalcPlanets(S().CurrentJD);
    const astro::PlanetState before = astro::Planets();
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::FrmDCal, nullptr);
    auto& w = dynamic_cast<FrmDCal&>(window);
    for (int i = 0; i < 3; ++i) w.CmdnDay[1]->click();
    w.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(astro::Planets().JDE, before.JDE);
    EXPECT_EQ(astro::Planets().Obliquity, before.Obliquity);
    for (int n = 0; n < astro::kPlanetCount; ++n) {
        EXPECT_EQ(astro::Planets().PlanetTable[n].RA, before.PlanetTable[n].RA);
        EXPECT_EQ(astro::Planets().PlanetTable[n].Phase, before.PlanetTable[n].Phase);
    }
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 0, 0));
}

TEST_F(AlmanacWindows, MoonAgeCountsFromThePrecedingNewMoon) {
    // New moon 2000-01-06 18:14 UT = 2000-01-07 03:14 KST.
    const double new_moon = astro::DateToJD(2000, 1, 7, 3, 14, 0);
    for (double days : {0.01, 1.0, 15.0, 29.0}) {
        const std::optional<double> age = GetMoonAge(new_moon + days, 9);
        ASSERT_TRUE(age);
        EXPECT_NEAR(*age, days, 0.01) << days;
    }
}

// ---- Moon phases and eclipses -----------------------------------------------

TEST_F(AlmanacWindows, MoonPhasesAndTheirEclipses) {
    const struct {
        int year, month, day;
        int mark;
        const char* caption;
        bool bold;
    } cases[] = {
        {2024, 4, 9, 0, "[개기일식]", true},    {2023, 10, 15, 0, "[금환식]", true},
        {2022, 10, 25, 0, "[부분일식]", false}, {2022, 11, 8, 1, "[개기월식]", false},
        {2024, 3, 25, 1, "[반영식]", false},    {2023, 10, 29, 1, "[부분월식]", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        S().CurrentJD = astro::DateToJD(c.year, c.month, c.day, 0, 0, 0);
        FrmMoon w;
        EXPECT_FALSE(w.LbEclipse[c.mark]->isHidden());
        EXPECT_EQ(Text(w.LbEclipse[c.mark]), c.caption);
        if (c.mark == 0) {
            EXPECT_EQ(w.LbEclipse[0]->font().bold(), c.bold);
        }
    }
    // Neither the new moon of 2024-06-06 nor the full moon of 2024-06-22 has one.
    S().CurrentJD = astro::DateToJD(2024, 6, 14, 0, 0, 0);
    FrmMoon june;
    EXPECT_TRUE(june.LbEclipse[0]->isHidden());
    EXPECT_TRUE(june.LbEclipse[1]->isHidden());
    S().CurrentJD = astro::DateToJD(2024, 4, 9, 0, 0, 0);
    FrmMoon april;
    EXPECT_NEAR(std::stod(Text(april.LbJD[0])), astro::DateToJD(2024, 4, 9, 3, 21, 25), 1.0 / 1440);
    EXPECT_TRUE(U(april.LbJD[0]->toolTip()).starts_with("TT: 2460409.")) << U(april.LbJD[0]->toolTip());
    EXPECT_TRUE(U(april.LbTime[0]->toolTip()).starts_with("TT: 기원후 2024년 4월 8일 18시 "))
        << U(april.LbTime[0]->toolTip());
}

TEST_F(AlmanacWindows, MoonPhasesStepByWholeLunations) {
    S().CurrentJD = astro::DateToJD(2008, 8, 1, 0, 0, 0);
    FrmMoon w;
    EXPECT_TRUE(Text(w.LbTime[0]).starts_with("기원후 2008년 8월 1일 19시 ")) << Text(w.LbTime[0]);
    EXPECT_NEAR(std::stod(Text(w.LbJD[0])), astro::DateToJD(2008, 8, 1, 19, 13, 6), 1.0 / 1440);
    EXPECT_TRUE(Text(w.LbTime[2]).starts_with("기원후 2008년 7월 18일 ")) << Text(w.LbTime[2]);
    EXPECT_TRUE(w.LbEclipse[1]->isHidden());
    w.Command2[1]->click();
    EXPECT_TRUE(Text(w.LbTime[2]).starts_with("기원후 2008년 8월 17일 ")) << Text(w.LbTime[2]);
    EXPECT_FALSE(w.LbEclipse[1]->isHidden());
    EXPECT_EQ(Text(w.LbEclipse[1]), "[부분월식]");
    w.Command2[0]->click();
    EXPECT_TRUE(Text(w.LbTime[2]).starts_with("기원후 2008년 7월 18일 ")) << Text(w.LbTime[2]);

    w.cmdCopy->click();
    EXPECT_EQ(p.env.clipboard.clears, 1);
    const std::string& copied = p.env.clipboard.text;
    EXPECT_TRUE(
        copied.starts_with("달의 정삭망 시각/식 현상\r\n현상/시각(표준시)/시각(TT)/시각(율리우스적일)/"
                           "시각(율리우스적일,TT)\r\n그믐\t기원후 "));
    EXPECT_TRUE(copied.ends_with("\r\n"));
    int lines = 0, tabs = 0;
    for (std::size_t i = 0; i + 1 < copied.size(); ++i) {
        if (copied[i] == '\r' && copied[i + 1] == '\n') ++lines;
        if (copied[i] == '\t') ++tabs;
    }
    EXPECT_EQ(lines, 6);
    EXPECT_EQ(tabs, 16);
}

TEST_F(AlmanacWindows, MoonPhaseBeforeTheCommonEraIsWrittenAsSuch) {
    S().CurrentJD = astro::DateToJD(-99, 6, 1, 0, 0, 0);
    FrmMoon w;
    EXPECT_TRUE(Text(w.LbTime[2]).starts_with("기원전 100년 ")) << Text(w.LbTime[2]);
}

TEST_F(AlmanacWindows, EclipseClickMovesTheChartTimeOnYes) {
    zu::RecordingChartHost host;
    S().CurrentJD = astro::DateToJD(2022, 11, 8, 0, 0, 0);
    S().RealTimeMode = true;
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::FrmMoon, nullptr);
    auto& w = dynamic_cast<FrmMoon&>(window);
    const double full_moon = w.EclipseTime[1];

    p.env.messages.answers.push_back(MsgAnswer::No);
    w.LbEclipse_Click(1);
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "식 예측");
    EXPECT_EQ(p.env.messages.shown[0].text, "시각을 식이 일어날 것으로 예상되는 시각으로 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Question);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(S().RealTimeMode);
    EXPECT_TRUE(w.isVisible());

    p.env.messages.answers.push_back(MsgAnswer::Yes);
    w.LbEclipse_Click(1);
    EXPECT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(S().CurrentJD, full_moon);
    EXPECT_EQ(zu::AppState().LocalSiderealTime, astro::CalcLST(full_moon, S().lon, S().timezone));
    EXPECT_FALSE(S().RealTimeMode);
    QCoreApplication::processEvents();
    EXPECT_EQ(zu::FindToolWindow(zu::ToolWindowId::FrmMoon), nullptr);
}

// ---- Solar terms and phenomena -----------------------------------------------

int RowStarting(const QListWidget& list, const std::string& text) {
    for (int row = 0; row < list.count(); ++row)
        if (U(list.item(row)->text()) == text) return row;
    return -1;
}

TEST_F(AlmanacWindows, SolarTermsAndPhenomenaOf2008) {
    S().CurrentJD = astro::DateToJD(2008, 5, 1, 0, 0, 0);
    Frm24julgi w;
    EXPECT_EQ(Text(w.Label1[0]), "2008년의 24절기 입기 시각");
    EXPECT_EQ(Text(w.Label1[5]), "2008년의 주요 천문 현상");
    EXPECT_EQ(Text(w.Label2[5]), "춘분(春分)");
    EXPECT_EQ(Text(w.Label2[23]), "동지(冬至)");
    // KASI: 춘분 2008-03-20 14:48, 동지 2008-12-21 21:04.
    EXPECT_NEAR(ClockMinutes(Text(w.Label3[5])), 14 * 60 + 48, 1);
    EXPECT_TRUE(Text(w.Label3[5]).starts_with("3월 20일 ")) << Text(w.Label3[5]);
    EXPECT_NEAR(ClockMinutes(Text(w.Label3[23])), 21 * 60 + 3, 1);
    EXPECT_TRUE(Text(w.Label3[23]).starts_with("12월 21일 ")) << Text(w.Label3[23]);
    EXPECT_TRUE(std::regex_match(U(w.Label3[5]->toolTip()), std::regex("율리우스 역일: 24545\\d\\d\\.\\d{6}")));

    for (const char* line :
         {"2월 24일 (일)  -  토성 충(18시)", "7월 9일 (수)  -  목성 충(18시)", "2월 7일 (목)  -  그믐(13시)"})
        EXPECT_GE(RowStarting(*w.List1, line), 0) << line;

    // The mean terms change the terms only.
    const std::string true_spring = Text(w.Label3[5]);
    const int rows = w.List1->count();
    w.Option1[1]->click();
    EXPECT_NE(Text(w.Label3[5]), true_spring);
    EXPECT_EQ(w.List1->count(), rows);

    w.cmdCopy->click();
    const std::string& copied = p.env.clipboard.text;
    EXPECT_TRUE(copied.starts_with("2008년의 24절기 입기 시각(평기법)\r\n소한(小寒)\t1월 "));
    EXPECT_NE(copied.find("\r\n\r\n\r\n2008년의 주요 천문 현상\r\n"), std::string::npos);
    EXPECT_NE(copied.find("2월 24일 (일)  -  토성 충(18시)\r\n"), std::string::npos);
    EXPECT_TRUE(copied.ends_with("\r\n"));
}

TEST_F(AlmanacWindows, PhenomenaLateInTheEveningKeepTheirDayAndHour24) {
    // A phenomenon at 23:30..23:59 rounds to "(24시)" and keeps its date:
    // intended, the hour is rounded and the date is not.
    S().CurrentJD = astro::DateToJD(2009, 5, 1, 0, 0, 0);
    Frm24julgi w;
    EXPECT_GE(RowStarting(*w.List1, "12월 26일 (토)  -  수성 유(24시)"), 0);
}

TEST_F(AlmanacWindows, SolarTermsOfYearZero) {
    S().CurrentJD = astro::DateToJD(1, 6, 1, 0, 0, 0);
    Frm24julgi w;
    w.CmdAdj[0]->click();
    EXPECT_EQ(Text(w.Label1[0]), "기원전 1년의 24절기 입기 시각");
    EXPECT_EQ(Text(w.Label1[5]), "기원전 1년의 주요 천문 현상");
    EXPECT_GT(w.List1->count(), 10);
}

TEST_F(AlmanacWindows, DoubleClickOnAPhenomenonMovesTheChartTime) {
    zu::RecordingChartHost host;
    S().CurrentJD = astro::DateToJD(2008, 5, 1, 0, 0, 0);
    S().RealTimeMode = true;
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::Frm24julgi, nullptr);
    auto& w = dynamic_cast<Frm24julgi&>(window);

    // Without a selection nothing is asked.
    w.List1->setCurrentRow(-1);
    w.List1_DblClick();
    EXPECT_TRUE(p.env.messages.shown.empty());

    const int row = RowStarting(*w.List1, "2월 24일 (일)  -  토성 충(18시)");
    ASSERT_GE(row, 0);
    w.List1->setCurrentRow(row);
    p.env.messages.answers.push_back(MsgAnswer::Yes);
    w.List1_DblClick();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "zu의 시간을 토성 충이 일어나는 시각으로 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].title, "zu");
    EXPECT_NEAR(S().CurrentJD, 2454520.8871 + 9.0 / 24, 1e-4);
    EXPECT_FALSE(S().RealTimeMode);
    EXPECT_EQ(zu::AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, S().lon, S().timezone));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST_F(AlmanacWindows, SolarTermsWindowIsOneLiveInstance) {
    S().CurrentJD = astro::DateToJD(2008, 5, 1, 0, 0, 0);
    QWidget& first = zu::ShowToolWindow(zu::ToolWindowId::Frm24julgi, nullptr);
    dynamic_cast<Frm24julgi&>(first).CmdAdj[1]->click();
    QWidget& again = zu::ShowToolWindow(zu::ToolWindowId::Frm24julgi, nullptr);
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(Text(dynamic_cast<Frm24julgi&>(again).Label1[0]), "2009년의 24절기 입기 시각");
    EXPECT_FALSE(p.env.windows.shown[0].modal);
    again.close();
    QCoreApplication::processEvents();
    QWidget& fresh = zu::ShowToolWindow(zu::ToolWindowId::Frm24julgi, nullptr);
    EXPECT_EQ(Text(dynamic_cast<Frm24julgi&>(fresh).Label1[0]), "2008년의 24절기 입기 시각");
}

// Esc closes the window as its button "확인" does, on either page.
TEST_F(AlmanacWindows, SolarTermsWindowClosesOnEscape) {
    S().CurrentJD = astro::DateToJD(2008, 5, 1, 0, 0, 0);
    for (const int page : {0, 1}) {
        auto& w = dynamic_cast<Frm24julgi&>(zu::ShowToolWindow(zu::ToolWindowId::Frm24julgi, nullptr));
        w.TabStrip1->setCurrentIndex(page);
        zu::test::PressKey(page == 0 ? static_cast<QWidget&>(*w.CmdAdj[1]) : *w.List1, Qt::Key_Escape);
        EXPECT_EQ(zu::FindToolWindow(zu::ToolWindowId::Frm24julgi), nullptr) << "page " << page;
        QCoreApplication::processEvents();
    }
}

// Each window as the user sees it, kept as "almanac-<name>.png" in the program
// folder; under an X server (QT_QPA_PLATFORM=xcb, see tools/screenshot.sh) the
// windows are drawn by it.
TEST_F(AlmanacWindows, Screenshots) {
    S().CurrentJD = astro::DateToJD(2008, 8, 1, 21, 0, 0);
    const zu::ToolWindowId ids[] = {zu::ToolWindowId::FrmLuniSolar, zu::ToolWindowId::FrmDCal,
                                     zu::ToolWindowId::FrmMoon, zu::ToolWindowId::Frm24julgi};
    for (zu::ToolWindowId id : ids) {
        QWidget& window = zu::ShowToolWindow(id, nullptr);
        if (auto* conversion = dynamic_cast<FrmLuniSolar*>(&window)) conversion->CmdCalc->click();
        if (auto* terms = dynamic_cast<Frm24julgi*>(&window)) {
            window.grab().save(QString("almanac-Frm24julgi-julgi.png"));
            terms->TabStrip1->setCurrentIndex(1);
        }
        window.adjustSize();
        QCoreApplication::processEvents();
        const QImage shot = window.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_GT(shot.width(), 200);
        EXPECT_TRUE(shot.save(QString("almanac-%1.png").arg(zu::SpecOf(id).name)));
    }
}

}  // namespace
}  // namespace zu
