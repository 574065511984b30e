// The calendar program's tool windows driven as a user would, offscreen
// through the seams (FakeQtEnv("vu")), in Korean time at the default site.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "app/ToolControls.h"
#include "calendar/CalendarState.h"
#include "calendar/ComputedDays.h"
#include "calendar/Form2.h"
#include "calendar/Frm24julgi.h"
#include "calendar/FrmMoon.h"
#include "calendar/FrmOne.h"
#include "calendar/ReferenceZone.h"
#include "calendar/VuCalendarServices.h"
#include "calendar/YearCycle.h"
#include "platform/QtFakes.h"
#include "platform/QtTestApp.h"

namespace vu {
namespace {

using app::StdText;

std::string Text(const QLabel* label) { return StdText(label->text()); }
std::string Tip(const QLabel* label) { return StdText(label->toolTip()); }

// The displayed year as the main window's year cycle leaves it: summer
// days, era rules, the lunar months and the three special-day sets.
void ShowYear(int year, int month) {
    CalendarState& state = Calendar();
    state.CalYear = static_cast<std::int16_t>(year);
    UpdateSummerDays(state);
    PrepareDisplayedYear(state, month);
}

class VuWindows : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureQtApp();
        ResetCalendarState();
        ShowYear(2024, 3);
    }
    void TearDown() override { ResetCalendarState(); }
    platform::FakeQtEnv env{"vu"};
};

// Minutes since midnight of "... 3시 20분  5초" (seconds counted), or -1.
double ClockMinutes(const std::string& text) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex("(\\d+)시 (\\d+)분 +(\\d+)초"))) return -1;
    return std::stod(m[1]) * 60 + std::stod(m[2]) + std::stod(m[3]) / 60;
}

std::string DatePart(const std::string& text) { return text.substr(0, text.find("일 ") + std::string("일").size()); }

// ---- Moon phases -----------------------------------------------------------

TEST_F(VuWindows, MoonPhasesWithEclipseKinds) {
    struct Case {
        const char* name;
        int year, month;
        int phase;  // 0 new moon, 2 full moon
        const char* date;
        int hour, minute;
        const char* caption;  // "" for none
        bool bold;
    } cases[] = {
        {"total solar 2024", 2024, 4, 0, "기원후 2024년 4월 9일", 3, 20, "[개기일식]", true},
        {"total lunar 2025", 2025, 3, 2, "기원후 2025년 3월 14일", 15, 54, "[개기월식]", false},
        {"annular 2023", 2023, 10, 0, "기원후 2023년 10월 15일", 2, 55, "[금환식]", true},
        {"partial lunar 2023", 2023, 10, 2, "기원후 2023년 10월 29일", 5, 24, "[부분월식]", false},
        {"penumbral 2023", 2023, 5, 2, "기원후 2023년 5월 6일", 2, 34, "[반영식]", false},
        {"full moon without eclipse", 2024, 4, 2, "기원후 2024년 4월 24일", 8, 49, "", false},
    };
    for (const Case& c : cases) {
        FrmMoon w(c.year, c.month);
        const int mark = c.phase == 0 ? 0 : 1;
        EXPECT_EQ(DatePart(Text(w.LbTime[c.phase])), c.date) << c.name;
        EXPECT_NEAR(ClockMinutes(Text(w.LbTime[c.phase])), c.hour * 60 + c.minute, 2) << c.name;
        EXPECT_TRUE(std::regex_match(Text(w.LbJD[c.phase]), std::regex("24\\d{5}\\.\\d{6}"))) << c.name;
        EXPECT_EQ(Tip(w.LbTime[c.phase]).rfind("TT: 기원후 ", 0), 0u) << c.name;
        EXPECT_TRUE(std::regex_match(Tip(w.LbJD[c.phase]), std::regex("TT: 24\\d{5}\\.\\d{6}"))) << c.name;
        EXPECT_EQ(w.LbEclipse[mark]->isVisibleTo(&w), *c.caption != 0) << c.name;
        if (*c.caption) {
            EXPECT_EQ(Text(w.LbEclipse[mark]), c.caption) << c.name;
        }
        if (mark == 0) {
            EXPECT_EQ(w.LbEclipse[0]->font().bold(), c.bold) << c.name;
        }
    }
}

// The seconds keep their blank ("20분  5초"); the TT tip is the local time
// plus Delta T, the zone not removed.
TEST_F(VuWindows, MoonPhaseTextsAndTerrestrialTime) {
    FrmMoon w(2024, 4);
    EXPECT_TRUE(std::regex_match(Text(w.LbTime[0]), std::regex("기원후 2024년 4월 9일 3시 \\d+분  \\d+초")))
        << Text(w.LbTime[0]);
    const double jd = std::stod(Text(w.LbJD[0]));
    const double tt = std::stod(Tip(w.LbJD[0]).substr(4));
    EXPECT_NEAR((tt - jd) * 86400, DeltaTSeconds(jd), 0.2);
    EXPECT_NEAR(ClockMinutes(Tip(w.LbTime[0])) - ClockMinutes(Text(w.LbTime[0])), DeltaTSeconds(jd) / 60, 0.05);
}

TEST_F(VuWindows, MoonStepsASynodicMonthFromTheFullMoon) {
    FrmMoon w(2024, 4);
    const double full_moon = std::stod(Text(w.LbJD[2]));
    EXPECT_NEAR(w.MoonBaseJD, full_moon, 1e-6);
    w.Command2[1]->click();
    EXPECT_EQ(DatePart(Text(w.LbTime[0])), "기원후 2024년 5월 8일");
    EXPECT_EQ(DatePart(Text(w.LbTime[2])), "기원후 2024년 5월 23일");
    EXPECT_FALSE(w.LbEclipse[0]->isVisibleTo(&w));
    w.Command2[0]->click();
    w.Command2[0]->click();
    EXPECT_EQ(DatePart(Text(w.LbTime[0])), "기원후 2024년 3월 10일");
    EXPECT_EQ(Text(w.LbEclipse[1]), "[반영식]");  // 2024-03-25
}

// Summer time shifts the shown time by FH; the Julian day stays.
TEST_F(VuWindows, MoonPhaseInSummerTimeIsShownShifted) {
    FrmMoon standard(2024, 4);
    Calendar().settings.FH = 1;
    UpdateSummerDays(Calendar());
    FrmMoon summer(2024, 4);
    EXPECT_EQ(Text(summer.LbJD[2]), Text(standard.LbJD[2]));
    EXPECT_NEAR(ClockMinutes(Text(summer.LbTime[2])) - ClockMinutes(Text(standard.LbTime[2])), 60, 1e-6);
    // The new moon of 9 April lies outside 15 March .. 15 September.
    FrmMoon spring(2024, 3);
    FrmMoon spring_standard(2024, 3);
    EXPECT_EQ(Text(spring.LbTime[0]), Text(spring_standard.LbTime[0]));
}

TEST_F(VuWindows, MoonYearBeforeOneIsBeforeChrist) {
    Calendar().CalYear = 0;
    FrmMoon w(0, 6);
    EXPECT_EQ(Text(w.LbTime[2]).rfind("기원전 1년 ", 0), 0u) << Text(w.LbTime[2]);
}

// ---- Solar terms -------------------------------------------------------------

double TermSeconds(const std::string& text) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex("(\\d+)시 (\\d+)분 (\\d+)초"))) return -1;
    return std::stod(m[1]) * 3600 + std::stod(m[2]) * 60 + std::stod(m[3]);
}

TEST_F(VuWindows, SolarTermsOf2024AndStepping) {
    Frm24julgi w;
    EXPECT_EQ(Text(w.Label1), "2024년의 24절기 입기 시각");
    EXPECT_EQ(Text(w.Label2[0]), "소한(小寒)");
    EXPECT_EQ(Text(w.Label2[23]), "동지(冬至)");
    EXPECT_EQ(Text(w.Label3[0]).substr(0, std::string("1월 6일 5시").size()), "1월 6일 5시");
    EXPECT_NEAR(TermSeconds(Text(w.Label3[0])), 5 * 3600 + 49 * 60 + 9, 60);
    EXPECT_EQ(Text(w.Label3[23]).substr(0, std::string("12월 21일 18시").size()), "12월 21일 18시");
    EXPECT_NEAR(TermSeconds(Text(w.Label3[23])), 18 * 3600 + 20 * 60 + 20, 60);
    EXPECT_TRUE(std::regex_match(Tip(w.Label3[0]), std::regex("율리우스 역일: 24\\d{5}\\.\\d{6}")));

    w.CmdAdj[0]->click();
    w.CmdAdj[0]->click();
    EXPECT_EQ(Text(w.Label1), "2022년의 24절기 입기 시각");
    EXPECT_EQ(w.YearOffset, -2);
    w.CmdAdj[1]->click();
    EXPECT_EQ(Text(w.Label1), "2023년의 24절기 입기 시각");
}

TEST_F(VuWindows, SolarTermsOfYearZero) {
    Calendar().CalYear = 0;
    Frm24julgi w;
    EXPECT_EQ(Text(w.Label1), "기원전 1년의 24절기 입기 시각");
}

TEST_F(VuWindows, SolarTermInSummerTimeShiftedTipUnshifted) {
    Frm24julgi standard;
    Calendar().settings.FH = 1;
    UpdateSummerDays(Calendar());
    Frm24julgi summer;
    const int spring_equinox = 5;
    EXPECT_EQ(Text(standard.Label3[spring_equinox]).substr(0, std::string("3월 20일 12시").size()), "3월 20일 12시");
    EXPECT_EQ(Text(summer.Label3[spring_equinox]).substr(0, std::string("3월 20일 13시").size()), "3월 20일 13시");
    EXPECT_EQ(Tip(summer.Label3[spring_equinox]), Tip(standard.Label3[spring_equinox]));
    // 소한 lies outside the summer period.
    EXPECT_EQ(Text(summer.Label3[0]), Text(standard.Label3[0]));
}

// ---- Date converter ------------------------------------------------------------

struct Conversion {
    const char* name;
    const char* solar[3];
    const char* lunar[3];
    bool leap;
    const char* lunar_out[3];
    bool leap_out;
    const char* solar_out[3];
};

TEST_F(VuWindows, DateConverterCases) {
    const Conversion cases[] = {
        {"new year 2024", {"2024", "2", "10"}, {"2023", "2", "1"}, true, {"2024", "1", "1"}, false,
         {"2023", "3", "22"}},
        {"leap month the year lacks", {"2024", "2", "10"}, {"2024", "2", "1"}, true, {"2024", "1", "1"}, false,
         {"-", "-", "-"}},
        {"day 30 of a 29-day month", {"2024", "2", "10"}, {"2024", "1", "30"}, false, {"2024", "1", "1"}, false,
         {"-", "-", "-"}},
        {"day 30 of a 30-day month", {"2024", "2", "10"}, {"2024", "2", "30"}, false, {"2024", "1", "1"}, false,
         {"2024", "4", "8"}},
        {"day 0", {"2024", "2", "10"}, {"2024", "2", "0"}, false, {"2024", "1", "1"}, false, {"-", "-", "-"}},
        {"leap month date out", {"2023", "4", "1"}, {"2024", "1", "1"}, false, {"2023", "2", "11"}, true,
         {"2024", "2", "10"}},
        {"year beyond the field", {"40000", "1", "1"}, {"40000", "1", "1"}, false, {"-", "-", "-"}, false,
         {"-", "-", "-"}},
        {"month beyond the field", {"2024", "300", "1"}, {"2024", "300", "1"}, false, {"-", "-", "-"}, false,
         {"-", "-", "-"}},
        {"month that is no number", {"2024", "2", "10"}, {"2024", "abc", "1"}, false, {"2024", "1", "1"}, false,
         {"-", "-", "-"}},
    };
    int reads = 0;
    Form2 w([&reads] { ++reads; });
    EXPECT_EQ(StdText(w.txtCal[0]->text()), "2008");
    EXPECT_EQ(StdText(w.txtCal[1]->text()), "1");
    for (const Conversion& c : cases) {
        for (int i = 0; i < 3; ++i) {
            w.txtCal[i]->setText(app::QText(c.solar[i]));
            w.txtCal[6 + i]->setText(app::QText(c.lunar[i]));
        }
        w.chkLeap->setChecked(c.leap);
        w.CmdCalc->click();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(StdText(w.txtCal[3 + i]->text()), c.lunar_out[i]) << c.name << " lunar " << i;
            EXPECT_EQ(StdText(w.txtCal[9 + i]->text()), c.solar_out[i]) << c.name << " solar " << i;
        }
        EXPECT_EQ(w.Label1_41->isVisibleTo(&w), c.leap_out) << c.name;
    }
    EXPECT_EQ(reads, static_cast<int>(std::size(cases)));
}

// A conversion in another era changes neither the era rule flags nor TZ
// nor CalYear, so the next window computes with the displayed year's rules.
TEST_F(VuWindows, DateConverterRestoresYearState) {
    CalendarState& state = Calendar();
    ASSERT_TRUE(state.settings.Auto);
    state.settings.TZ = 9;
    const EraRules before = RulesOf(state.settings);
    Form2 w([&state] { state.settings.TZ = 7; });
    for (QLineEdit* box : {w.txtCal[0], w.txtCal[6]}) box->setText("1000");
    w.CmdCalc->click();
    EXPECT_NE(StdText(w.txtCal[3]->text()), "-");
    EXPECT_NE(StdText(w.txtCal[9]->text()), "-");
    EXPECT_EQ(RulesOf(state.settings).Jinsak, before.Jinsak);
    EXPECT_EQ(RulesOf(state.settings).MeanSun, before.MeanSun);
    EXPECT_EQ(RulesOf(state.settings).MeanMoon, before.MeanMoon);
    EXPECT_EQ(state.CalYear, 2024);
    EXPECT_EQ(state.settings.TZ, 7);  // as the panel was read
}

// With RefKR a solar date of 1910 converts in zone 8, one of 1911 in zone 9:
// the same answers as the converter of the shared modules in those zones.
TEST_F(VuWindows, DateConverterReferenceZoneBefore1911) {
    const almanac::CalendarServices services = CalendarServicesOfVu();
    for (const int year : {1910, 1911}) {
        Form2 w;
        w.txtCal[0]->setText(QString::number(year));
        w.txtCal[1]->setText("2");
        w.txtCal[2]->setText("10");
        w.CmdCalc->click();
        const EraRules rules = SetEraRules(static_cast<std::int16_t>(year));
        const auto lunar = almanac::SolarToLunar(JulianDay(year, 2, 10, 12), year < 1911 ? 8 : 9, rules, services);
        ASSERT_TRUE(lunar.has_value());
        EXPECT_EQ(StdText(w.txtCal[5]->text()), std::to_string(lunar->day)) << year;
    }
}

}  // namespace
}  // namespace vu
