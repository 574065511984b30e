// The calendar program's tool windows driven as a user would, offscreen
// through the seams (FakeQtEnv("vu")), in Korean time at the default site.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include <array>
#include <cmath>
#include <memory>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/CalendarState.h"
#include "calendar/ComputedDays.h"
#include "calendar/VuCalendarServices.h"
#include "platform/QtFakes.h"
#include "platform/QtTestApp.h"
#include "ui/ToolControls.h"
#include "ui/WrappedText.h"
#include "vu/grid/CellText.h"
#include "vu/grid/YearCycle.h"
#include "vu/windows/Form2.h"
#include "vu/windows/Form3.h"
#include "vu/windows/Frm24julgi.h"
#include "vu/windows/FrmDCal.h"
#include "vu/windows/FrmMoon.h"
#include "vu/windows/FrmOne.h"
#include "vu/windows/ReferenceZone.h"

// Qt's entry for a key as the window system delivers it (exported by Qt GUI
// for its test library): the focus widget first, then its parents.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                    const QString& text, bool autorep, ushort count);

namespace vu {
namespace {

using ui::StdText;

std::string Text(const QLabel* label) { return StdText(label->text()); }
std::string Tip(const QLabel* label) { return StdText(label->toolTip()); }

// The displayed year as the main window's year cycle leaves it: summer
// days, era rules, the lunar months and the three special-day sets.
void ShowYear(int year, int month) {
    calendar::CalendarState& state = calendar::Calendar();
    state.CalYear = static_cast<std::int16_t>(year);
    calendar::UpdateSummerDays(state);
    PrepareDisplayedYear(state, month);
}

class VuWindows : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureQtApp();
        calendar::ResetCalendarState();
        ShowYear(2024, 3);
    }
    void TearDown() override { calendar::ResetCalendarState(); }
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
    EXPECT_NEAR((tt - jd) * 86400, calendar::DeltaTSeconds(jd), 0.2);
    EXPECT_NEAR(ClockMinutes(Tip(w.LbTime[0])) - ClockMinutes(Text(w.LbTime[0])), calendar::DeltaTSeconds(jd) / 60, 0.05);
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
    calendar::Calendar().settings.FH = 1;
    calendar::UpdateSummerDays(calendar::Calendar());
    FrmMoon summer(2024, 4);
    EXPECT_EQ(Text(summer.LbJD[2]), Text(standard.LbJD[2]));
    EXPECT_NEAR(ClockMinutes(Text(summer.LbTime[2])) - ClockMinutes(Text(standard.LbTime[2])), 60, 1e-6);
    // The new moon of 9 April lies outside 15 March .. 15 September.
    FrmMoon spring(2024, 3);
    FrmMoon spring_standard(2024, 3);
    EXPECT_EQ(Text(spring.LbTime[0]), Text(spring_standard.LbTime[0]));
}

TEST_F(VuWindows, MoonYearBeforeOneIsBeforeChrist) {
    calendar::Calendar().CalYear = 0;
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
    calendar::Calendar().CalYear = 0;
    Frm24julgi w;
    EXPECT_EQ(Text(w.Label1), "기원전 1년의 24절기 입기 시각");
}

TEST_F(VuWindows, SolarTermInSummerTimeShiftedTipUnshifted) {
    Frm24julgi standard;
    calendar::Calendar().settings.FH = 1;
    calendar::UpdateSummerDays(calendar::Calendar());
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
        {"letters, month 13, day 99", {"abc", "13", "99"}, {"abc", "13", "99"}, false, {"-", "-", "-"}, false,
         {"-", "-", "-"}},
        {"30 February", {"2024", "2", "30"}, {"2024", "1", "31"}, false, {"-", "-", "-"}, false, {"-", "-", "-"}},
        {"a day the reform skipped", {"1582", "10", "10"}, {"2024", "13", "1"}, false, {"-", "-", "-"}, false,
         {"-", "-", "-"}},
        {"a fraction, an empty day", {"2024", "2.5", "10"}, {"2024", "2", ""}, false, {"-", "-", "-"}, false,
         {"-", "-", "-"}},
    };
    int reads = 0;
    Form2 w([&reads] { ++reads; });
    EXPECT_EQ(StdText(w.txtCal[0]->text()), "2008");
    EXPECT_EQ(StdText(w.txtCal[1]->text()), "1");
    for (const Conversion& c : cases) {
        for (int i = 0; i < 3; ++i) {
            w.txtCal[i]->setText(ui::QText(c.solar[i]));
            w.txtCal[6 + i]->setText(ui::QText(c.lunar[i]));
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
    calendar::CalendarState& state = calendar::Calendar();
    ASSERT_TRUE(state.settings.Auto);
    state.settings.TZ = 9;
    const calendar::EraRules before = RulesOf(state.settings);
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

// With RefKR the converter takes the shared Korean rule of the official
// tables (8 h up to 1911, 9 h from 1912): 1911-12-20 is lunar 11-01.
TEST_F(VuWindows, DateConverterTakesTheKoreanRule) {
    const almanac::CalendarServices services = calendar::CalendarServicesOfVu();
    for (const int year : {1910, 1911, 1912}) {
        Form2 w;
        w.txtCal[0]->setText(QString::number(year));
        w.txtCal[1]->setText("2");
        w.txtCal[2]->setText("10");
        w.CmdCalc->click();
        const calendar::EraRules rules = calendar::SetEraRules(static_cast<std::int16_t>(year));
        const auto lunar = almanac::SolarToLunar(calendar::JulianDay(year, 2, 10, 12), year < 1912 ? 8 : 9, rules, services);
        ASSERT_TRUE(lunar.has_value());
        EXPECT_EQ(StdText(w.txtCal[5]->text()), std::to_string(lunar->day)) << year;
    }
    Form2 w;
    for (int i = 0; i < 3; ++i) w.txtCal[i]->setText(QString::fromLatin1(std::array{"1911", "12", "20"}[i]));
    for (int i = 0; i < 3; ++i) w.txtCal[6 + i]->setText(QString::fromLatin1(std::array{"1911", "11", "1"}[i]));
    w.CmdCalc->click();
    EXPECT_EQ(StdText(w.txtCal[4]->text()) + "-" + StdText(w.txtCal[5]->text()), "11-1");
    EXPECT_EQ(StdText(w.txtCal[10]->text()) + "-" + StdText(w.txtCal[11]->text()), "12-20");
}

// ---- Day details -------------------------------------------------------------

double DayJD(int year, int month, int day) { return calendar::JulianDay(year, month, day, 12); }

// Opens the details of a day as the month grid does.
std::unique_ptr<FrmDCal> OpenDetails(double jd) {
    DetailJD() = jd;
    return std::make_unique<FrmDCal>();
}

TEST_F(VuWindows, DayDetailsTexts) {
    auto w = OpenDetails(DayJD(2024, 5, 3));
    EXPECT_EQ(Text(w->LblDay[0]), "서력 기원후 2024년 5월 3일 금요일");
    EXPECT_EQ(Tip(w->LblDay[0]), "율리우스력/그레고리력, 정오 때의 JD: 2460434");
    EXPECT_EQ(Text(w->LblDay[1]), "단기  4357년  불기  2568년  갑진(甲辰)년");
    EXPECT_EQ(Text(w->LCal1[0]), "음력: 기원후2024년 (평) 3월 25일 / 월건: 무진(戊辰)");
    EXPECT_EQ(Text(w->LblDay[15]), "고도보정 이후(해발고도 0.0m 기준)");
    EXPECT_EQ(Text(w->LblDay[6]).rfind("*해의 출몰 시각     뜸: ", 0), 0u) << Text(w->LblDay[6]);
    EXPECT_EQ(Text(w->LblDay[8]).rfind("*시민 박명 시각   시작: ", 0), 0u) << Text(w->LblDay[8]);

    DetailJD() = DayJD(2000, 1, 1);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LblDay[0]), "서력 기원후 2000년 1월 1일 토요일");
    EXPECT_EQ(Text(w->LblDay[3]), "일진/28수: 무오(戊午)/위(胃)");
    EXPECT_EQ(Text(w->LCal1[1]), "이슬람력: 1420년 9월(Ramadan) 24일");

    DetailJD() = DayJD(600, 6, 1);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LCal1[1]), "이슬람력: 이슬람력이 시행되기 이전입니다.");
    DetailJD() = DayJD(-99, 6, 1);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LblDay[0]).rfind("서력 기원전 100년 6월", 0), 0u) << Text(w->LblDay[0]);

    // The ends of the years the main window takes.
    DetailJD() = DayJD(-9999, 1, 1);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LblDay[0]).rfind("서력 기원전 10000년 1월 1일", 0), 0u) << Text(w->LblDay[0]);
    EXPECT_NE(Text(w->LblDay[11]).find("월령(0시): "), std::string::npos);
    DetailJD() = DayJD(32000, 12, 31);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LblDay[0]).rfind("서력 기원후 32000년 12월 31일", 0), 0u) << Text(w->LblDay[0]);
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(VuWindows, DayDetailsCountsFromBaseAndNewYear) {
    calendar::Calendar().settings.Base = DayJD(2000, 1, 1);
    auto w = OpenDetails(DayJD(2000, 1, 1));
    EXPECT_EQ(Text(w->LblDay[4]), "오늘은  2000년 1월 1일 당일입니다.");
    EXPECT_EQ(Text(w->LblDay[2]), "오늘은 이번 해의 1번째 날입니다.");
    w->Command2[1]->click();
    EXPECT_EQ(Text(w->LblDay[4]), "오늘은  2000년 1월 1일로부터 2일째입니다.");
    EXPECT_EQ(Text(w->LblDay[2]), "오늘은 이번 해의 2번째 날입니다.");
    w->Command2[0]->click();
    w->Command2[0]->click();
    EXPECT_EQ(Text(w->LblDay[4]), "2000년 1월 1일까지 1일 남았습니다.");
    EXPECT_EQ(Text(w->LblDay[2]), "오늘은 이번 해의 365번째 날입니다.");
    EXPECT_DOUBLE_EQ(DetailJD(), DayJD(1999, 12, 31));

    DetailJD() = DayJD(2024, 1, 1);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LblDay[2]), "오늘은 이번 해의 1번째 날입니다.");
    DetailJD() = DayJD(2024, 12, 31);
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LblDay[2]), "오늘은 이번 해의 366번째 날입니다.");
}

double NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    return at == std::string::npos ? -9999 : std::stod(text.substr(at + label.size()));
}

TEST_F(VuWindows, DayDetailsSunAndMoonFigures) {
    auto w = OpenDetails(DayJD(2024, 2, 11));
    const std::string eq = Text(w->LblDay[5]);
    EXPECT_NEAR(NumberAfter(eq, "*균시차(0시): "), -14.18, 0.05) << eq;
    EXPECT_NE(eq.find("*dT(0시): 73.9초"), std::string::npos) << eq;
    const std::string moon = Text(w->LblDay[11]);
    EXPECT_NE(moon.find("월령(0시): 0.67일"), std::string::npos) << moon;
    EXPECT_EQ(moon.rfind("*달의 위상(9시): ", 0), 0u) << moon;
    // Two days after the new moon of 10 February the Moon is a thin crescent.
    EXPECT_NEAR(NumberAfter(moon, "*달의 위상(9시): "), 5, 4) << moon;
    // EqTime against the mean-Sun formula of Meeus (ch. 28 example, 1992-10-13 0h TD: 13.71 min).
    EXPECT_NEAR(EqTime(2448908.5 - 59.0 / 86400) * 4, 13.71, 0.05);
    // Just before a new moon the age counts from the one before (2024-01-11 20:57).
    EXPECT_NEAR(GetMoonAge(DayJD(2024, 2, 10) - 0.5, 9), 29.13, 0.01);
}

// Keypad plus and minus step the day as soon as the window opens, whatever
// in it has the focus (the window, what it gave the focus to, a label, the
// special days' box, a button), sent to it or delivered as from the keyboard,
// one day a key.
TEST_F(VuWindows, DayDetailsKeypadStepsFromAnyFocus) {
    auto w = OpenDetails(DayJD(2024, 5, 3));
    w->show();
    w->activateWindow();
    QApplication::processEvents();
    std::vector<QWidget*> targets = {w.get()};
    if (QApplication::focusWidget()) targets.push_back(QApplication::focusWidget());
    for (QWidget* target : std::initializer_list<QWidget*>{w->LblDay[0], w->LCal1[0], w->LSD, w->LSDScroller,
                                                           w->Command2[0], w->Command2[1], w->CmdOK})
        targets.push_back(target);
    const auto day_shown = [&w] {
        const std::string line = Text(w->LblDay[0]);
        return line.substr(0, line.find("일 ") + std::string("일 ").size());
    };
    for (QWidget* target : targets) {
        const std::string name = target->objectName().toStdString();
        for (const int key : {Qt::Key_Plus, Qt::Key_Minus}) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::KeypadModifier);
            QCoreApplication::sendEvent(target, &event);
            EXPECT_EQ(day_shown(), key == Qt::Key_Plus ? "서력 기원후 2024년 5월 4일 " : "서력 기원후 2024년 5월 3일 ")
                << name;
        }
        target->setFocus();
        QApplication::processEvents();
        for (const int key : {Qt::Key_Minus, Qt::Key_Plus}) {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                qt_handleKeyEvent(w->windowHandle(), type, key, Qt::KeypadModifier, key == Qt::Key_Plus ? "+" : "-",
                                  false, 1);
            QApplication::processEvents();
            EXPECT_EQ(day_shown(), key == Qt::Key_Minus ? "서력 기원후 2024년 5월 2일 " : "서력 기원후 2024년 5월 3일 ")
                << name;
        }
    }
}

TEST_F(VuWindows, DayDetailsKeypadSteps) {
    auto w = OpenDetails(DayJD(2024, 5, 3));
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(w->Command2[1], &event);
    };
    press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Text(w->LblDay[0]), "서력 기원후 2024년 5월 4일 토요일");
    press(Qt::Key_Minus, Qt::KeypadModifier);
    press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Text(w->LblDay[0]), "서력 기원후 2024년 5월 2일 목요일");
    w->LblDay[0]->setText("x");
    press(Qt::Key_Plus, Qt::NoModifier);  // the main keyboard's plus only redraws
    EXPECT_EQ(Text(w->LblDay[0]), "서력 기원후 2024년 5월 2일 목요일");
    w->LblDay[0]->setText("x");
    w->StepDayByKey(65);
    EXPECT_EQ(Text(w->LblDay[0]), "서력 기원후 2024년 5월 2일 목요일");
}

TEST_F(VuWindows, DayDetailsZoneBeforeInsideAfterSummerTime) {
    calendar::CalendarState& state = calendar::Calendar();
    state.settings.FH = 1;
    state.settings.RefKR = false;  // with it the lunar date takes the reference zone
    calendar::UpdateSummerDays(state);
    struct Case {
        int month, day;
        double zone;
    } cases[] = {{3, 14, 9}, {3, 15, 10}, {9, 15, 10}, {9, 16, 9}};
    for (const Case& c : cases) {
        auto w = OpenDetails(DayJD(2024, c.month, c.day));
        EXPECT_EQ(w->DetailZone, c.zone) << c.month << "/" << c.day;
        const std::string moon = Text(w->LblDay[11]);
        EXPECT_EQ(moon.rfind("*달의 위상(" + TrimNum(c.zone) + "시): ", 0), 0u) << moon;
    }
}

// A day outside the prepared year gets no lunar special days, also right
// after a day that had them.
TEST_F(VuWindows, DayDetailsOutsideThePreparedYearHasNoLunarNames) {
    calendar::SDayRecord seollal;
    seollal.month = 1;
    seollal.day = 1;
    seollal.lunar = true;
    seollal.name = "설날";
    calendar::Calendar().SDays[1][0] = seollal;
    auto w = OpenDetails(DayJD(2024, 2, 10));
    EXPECT_NE(Text(w->LSD).find("설날"), std::string::npos) << Text(w->LSD);
    EXPECT_EQ(MakeSDStr2(DayJD(2024, 2, 10)), Text(w->LSD));
    DetailJD() = DayJD(2026, 2, 17);  // lunar new year of 2026, beyond the 2024 table
    w->ShowDayInfo();
    EXPECT_EQ(Text(w->LSD).find("설날"), std::string::npos) << Text(w->LSD);
    EXPECT_EQ(Text(w->LCal1[0]), "음력: 기원후2026년 (평) 1월 1일 / 월건: 경인(庚寅)");
}

// ---- Conversion table -------------------------------------------------------

std::vector<std::string> TableLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

constexpr std::size_t kTableHeaderLines = 4;

TEST_F(VuWindows, ConversionTableSolarToLunar) {
    Form3 w(3);
    EXPECT_EQ(Text(w.Label1), "2024년의 음력-양력 환산표");
    const std::vector<std::string> lines = TableLines(w.Text1Text);
    ASSERT_EQ(lines.size(), kTableHeaderLines + 12);
    EXPECT_EQ(lines[0], "*이 표는 양력을 음력으로 바꿀 때 쓸 수 있는 표입니다.");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "양력  2024년 1월 1일 - 음력 2023년 11월 20일 (평) (일진: 甲子/월건: 갑자(甲子))");
    EXPECT_EQ(MakeDay2(0, 3, 1, false), "기원전 1년 3월 1일 (평)");
}

TEST_F(VuWindows, ConversionTableLunarToSolarAndClosing) {
    const double probe = DayJD(2024, 12, 15);
    std::int16_t ly, leap;
    std::uint8_t lm, ld;
    ASSERT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, probe, ly, lm, ld, leap));
    {
        Form3 w(3);
        w.Option1[0]->click();
        EXPECT_EQ(w.Kind(), 0);
        w.Command2[0]->click();
        EXPECT_EQ(Text(w.Label1), "2023년의 음력-양력 환산표");
        const std::vector<std::string> lines = TableLines(w.Text1Text);
        ASSERT_EQ(lines.size(), kTableHeaderLines + 13);
        EXPECT_EQ(lines[0], "*이 표는 음력을 양력으로 바꿀 때 쓸 수 있는 표입니다.");
        EXPECT_EQ(lines[5].rfind("음력 2023년 2월 1일 (평)", 0), 0u) << lines[5];
        EXPECT_EQ(lines[6], "음력 2023년 2월 1일 (윤) (일진: 己卯/월건: 없음/작은달) - 양력  2023년 3월 22일");
        // While the 2023 table is shown the main window's lookups still
        // answer for its year: the table window has its own.
        std::int16_t y2, l2;
        std::uint8_t m2, d2;
        ASSERT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, probe, y2, m2, d2, l2));
        EXPECT_EQ(d2, ld);
        w.close();
        std::int16_t y3, l3;
        std::uint8_t m3, d3;
        ASSERT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, probe, y3, m3, d3, l3));
        EXPECT_EQ(y3, ly);
        EXPECT_EQ(m3, lm);
        EXPECT_EQ(d3, ld);
        // Escape ends the window as the close button does.
        w.Command2[0]->click();
        EXPECT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, probe, y2, m2, d2, l2));
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &escape);
        EXPECT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, probe, y2, m2, d2, l2));
        // Another table after closing, then the window goes without a close.
        w.Command2[0]->click();
    }
    std::int16_t y4, l4;
    std::uint8_t m4, d4;
    EXPECT_TRUE(calendar::GetLunarDate(calendar::Calendar().lunar_months, probe, y4, m4, d4, l4));
    EXPECT_EQ(calendar::Calendar().CalYear, 2024);
}

TEST_F(VuWindows, ConversionTableYearZeroAnd1910) {
    ShowYear(0, 3);
    {
        Form3 w(3);
        EXPECT_EQ(Text(w.Label1), "기원전 1년의 음력-양력 환산표");
    }
    ShowYear(1911, 3);
    ASSERT_TRUE(calendar::Calendar().settings.RefKR);
    Form3 w(3);
    w.Command2[0]->click();
    EXPECT_EQ(Text(w.Label1), "1910년의 음력-양력 환산표");
    const std::vector<std::string> lines = TableLines(w.Text1Text);
    for (int k = 1; k <= 12; ++k) {
        const double jd = DayJD(1910, k, 1);
        const auto lunar = almanac::SolarToLunar(jd, 8, calendar::SetEraRules(1910), calendar::CalendarServicesOfVu());
        ASSERT_TRUE(lunar.has_value());
        const std::string expected = "- 음력 " + MakeDay2(static_cast<std::int16_t>(lunar->year),
                                                          static_cast<std::uint8_t>(lunar->month),
                                                          static_cast<std::uint8_t>(lunar->day), lunar->leap);
        EXPECT_NE(lines[kTableHeaderLines + k - 1].find(expected), std::string::npos) << lines[kTableHeaderLines + k - 1];
    }
}

// The table's year stays in the calendar's range: a step beyond it is
// refused with the range message.
TEST_F(VuWindows, ConversionTableStaysInTheYearRange) {
    for (const auto& [year, button, shown] : {std::tuple{32000, 1, "32000"}, std::tuple{-9999, 0, "기원전 10000"}}) {
        env.messages.shown.clear();
        ShowYear(year, 3);
        Form3 w(3);
        for (int i = 0; i < 3; ++i) w.Command2[button]->click();
        EXPECT_EQ(Text(w.Label1), std::string(shown) + "년의 음력-양력 환산표");
        ASSERT_EQ(env.messages.shown.size(), 3u);
        EXPECT_EQ(env.messages.shown[0].text, "계산할 수 있는 연도는 기원전 10000년부터 서기 32000년까지입니다.");
        w.Command2[1 - button]->click();
        EXPECT_NE(Text(w.Label1), std::string(shown) + "년의 음력-양력 환산표");
    }
}

// ---- The year's special days -----------------------------------------------------

TEST_F(VuWindows, YearSpecialDaysList) {
    FrmOne w(2);
    w.Check1[3]->click();  // events off: set 0 only
    ASSERT_FALSE(w.ShowSource[3]);
    const std::string& text = w.Text1Text;
    EXPECT_NE(text.find(" 2024년 4월 5일 (금)  -  한식\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" 2024년 3월 11일 (월)  -  라마단 시작\r\n"), std::string::npos);
    EXPECT_EQ(text.find("보름"), std::string::npos);

    w.Check1[3]->click();
    EXPECT_NE(w.Text1Text.find(" 2024년 12월 31일 (화)  -  "), std::string::npos);
    EXPECT_NE(w.Text1Text.find("그믐("), std::string::npos);

    w.Check2->click();
    w.Check3->click();
    EXPECT_EQ(TableLines(w.Text1Text).size(), 29u);
    EXPECT_EQ(TableLines(w.Text1Text).front().rfind(" 2024년 2월 1일 (목)  -  ", 0), 0u);

    for (QCheckBox* box : w.Check1)
        if (box->isChecked()) box->click();
    for (const std::string& line : TableLines(w.Text1Text))
        EXPECT_EQ(line.substr(line.size() - 5), "  -  ") << line;
    w.Check2->click();
    EXPECT_EQ(w.Text1Text, "");
}

TEST_F(VuWindows, YearSpecialDaysFebruaryOfACommonYear) {
    ShowYear(2023, 2);
    FrmOne w(2);
    w.Check2->click();
    w.Check3->click();
    const std::vector<std::string> lines = TableLines(w.Text1Text);
    EXPECT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines.back().rfind(" 2023년 2월 28일 (화)", 0), 0u);
}

// Every window opens at both ends of the years the main window takes,
// without a message.
TEST_F(VuWindows, WindowsAtTheEndsOfTheYearRange) {
    for (const int year : {-9999, 32000}) {
        ShowYear(year, 12);
        FrmMoon moon(year, 12);
        EXPECT_FALSE(Text(moon.LbTime[2]).empty()) << year;
        Frm24julgi terms;
        // Far from 1582 the Julian calendar has drifted from the seasons.
        EXPECT_TRUE(std::regex_match(Tip(terms.Label3[23]), std::regex("율리우스 역일: -?\\d+\\.\\d{6}"))) << year;
        Form3 table(12);
        table.Option1[0]->click();
        EXPECT_GE(TableLines(table.Text1Text).size(), kTableHeaderLines + 12) << year;
        FrmOne special(12);
        Form2 converter;
        converter.txtCal[0]->setText(QString::number(year));
        converter.txtCal[6]->setText(QString::number(year));
        converter.CmdCalc->click();
        EXPECT_NE(StdText(converter.txtCal[3]->text()), "") << year;
    }
    EXPECT_TRUE(env.messages.shown.empty());
}

}  // namespace
}  // namespace vu
