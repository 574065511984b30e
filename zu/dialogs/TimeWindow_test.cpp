// The time window: year and first-day rules, refused dates, the Julian-day
// labels, the clock switch and the order of the apply steps.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <string>

#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/dialogs/TimeWindow.h"

namespace zu {
namespace {

class TimeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        s.CurrentJD = astro::DateToJD(2024, 3, 15, 21, 30, 0);
        s.timezone = s.timezone2 = 9;
        s.summertime = false;
        s.RealTimeMode = false;
        owner = std::make_unique<QWidget>();
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmTime& Open() { return static_cast<FrmTime&>(ShowToolWindow(ToolWindowId::FrmTime, owner.get())); }
    static std::string Text(const QLineEdit* box) { return box->text().toUtf8().toStdString(); }
    static std::string Text(const QLabel* label) { return label->text().toUtf8().toStdString(); }
    static void Type(FrmTime& w, bool bc, const char* year, const char* month, const char* day, const char* hour,
                     const char* minute) {
        w.CmbADBC->setCurrentIndex(bc ? 1 : 0);
        w.TxtYear->setText(year);
        w.TxtMonth->setText(month);
        w.TxtDay->setText(day);
        w.TxtHour->setText(hour);
        w.TxtMin->setText(minute);
    }
    const std::vector<platform::Message>& Shown() { return p.env.messages.shown; }

    test::ProgramEnv p;
    RecordingChartHost host;
    std::unique_ptr<QWidget> owner;
};

TEST_F(TimeWindowTest, LoadsTheChartTime) {
    skydata::CurrentSettings().DeltaT = 8.5;
    skydata::CurrentSettings().UserDeltaT = true;
    FrmTime& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), "시간 설정");
    EXPECT_EQ(Text(w.TxtYear), "2024");
    EXPECT_EQ(Text(w.TxtMonth), "3");
    EXPECT_EQ(Text(w.TxtDay), "15");
    EXPECT_EQ(Text(w.TxtHour), "21");
    EXPECT_EQ(Text(w.TxtMin), "30");
    EXPECT_EQ(w.CmbADBC->currentIndex(), 0);
    EXPECT_EQ(Text(w.LblJD[0]), "2460385.39583");
    EXPECT_EQ(Text(w.LblJD[1]), "2460385.02083");
    EXPECT_EQ(Text(w.txtDT), "8.5");
    EXPECT_TRUE(w.chkDT->isChecked());
    EXPECT_TRUE(w.CmdNow->isEnabled());
    EXPECT_TRUE(w.ChkCloseWin->isChecked());
}

TEST_F(TimeWindowTest, LoadsAYearBeforeOurEraInItsEra) {
    skydata::CurrentSettings().CurrentJD = astro::DateToJD(-99, 6, 1, 0, 0, 0);
    FrmTime& w = Open();
    EXPECT_EQ(w.CmbADBC->currentIndex(), 1);
    EXPECT_EQ(Text(w.TxtYear), "100");
    EXPECT_EQ(Text(w.LblJD[0]), "1685049.50000");
}

TEST_F(TimeWindowTest, YearRules) {
    struct Row {
        bool bc;
        const char* typed;
        const char* kept;
        const char* message;  // nullptr: none
    };
    const char* zero = "0년은 없는 연도입니다. 서기 1년 혹은 기원전 1년부터 입력할 수 있습니다.";
    const char* range = "기원전 4713년에서 기원후 9999년 사이의 값만 입력할 수 있습니다.";
    const Row rows[] = {{false, "0", "1", zero},      {false, "abc", "1", zero},     {true, "-3", "1", zero},
                        {false, "10000", "9999", range}, {true, "10000", "4713", range}, {true, "4714", "4713", range},
                        {true, "4713", "4713", nullptr}, {false, "9999", "9999", nullptr}};
    for (const Row& row : rows) {
        FrmTime& w = Open();
        p.env.messages.shown.clear();
        w.CmbADBC->setCurrentIndex(row.bc ? 1 : 0);
        w.TxtYear->setText(row.typed);
        w.TxtYear_LostFocus();
        EXPECT_EQ(Text(w.TxtYear), row.kept) << row.typed;
        if (row.message) {
            ASSERT_EQ(Shown().size(), 1u) << row.typed;
            EXPECT_EQ(Shown()[0].text, row.message);
            EXPECT_EQ(Shown()[0].title, "시간 설정 오류");
            EXPECT_EQ(Shown()[0].icon, platform::MsgIcon::Critical);
        } else {
            EXPECT_TRUE(Shown().empty()) << row.typed;
        }
        w.close();
    }
}

TEST_F(TimeWindowTest, NoHourBeforeJulianDayZero) {
    FrmTime& w = Open();
    Type(w, true, "4713", "1", "1", "11", "59");
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Text(w.TxtHour), "12");
    EXPECT_EQ(Shown()[0].text, "율리우스 적일은 0보다 커야 합니다.");
    EXPECT_EQ(Shown()[0].title, "시간 입력 오류");
    EXPECT_EQ(Shown()[0].icon, platform::MsgIcon::Critical);

    w.TxtHour->setText("12");
    w.TxtDay->setText("0");
    w.TxtDay_LostFocus();
    EXPECT_EQ(Text(w.TxtDay), "1");
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Text(w.LblJD[0]), "0.04097");
}

TEST_F(TimeWindowTest, JulianDayLabelsFollowTheSummerTimeBox) {
    FrmTime& w = Open();
    Type(w, false, "2000", "1", "1", "12", "0");
    w.UpdateJDLabel();
    EXPECT_EQ(Text(w.LblJD[0]), "2451545.00000");
    EXPECT_EQ(Text(w.LblJD[1]), "2451544.62500");
    w.ChkSummer->setChecked(true);
    EXPECT_EQ(Text(w.LblJD[1]), "2451544.58333");
}

TEST_F(TimeWindowTest, RefusedDateTakesOnlyDeltaT) {
    const double before = skydata::CurrentSettings().CurrentJD;
    FrmTime& w = Open();
    Type(w, false, "1582", "10", "10", "12", "0");
    w.txtDT->setText("75");
    w.chkDT->setChecked(true);
    w.CmdOK->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "날짜가 잘못 입력되었습니다. 확인해 주세요");
    EXPECT_EQ(Shown()[0].title, "zu");
    EXPECT_EQ(Shown()[0].icon, platform::MsgIcon::None);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(skydata::CurrentSettings().CurrentJD, before);
    EXPECT_EQ(skydata::CurrentSettings().DeltaT, 75);
    EXPECT_TRUE(skydata::CurrentSettings().UserDeltaT);
    EXPECT_FALSE(std::filesystem::exists(p.user.path() / "Default.cfg"));
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), &w);
}

TEST_F(TimeWindowTest, AcceptsTheDaysAroundTheCalendarGap) {
    for (const char* day : {"4", "15"}) {
        FrmTime& w = Open();
        Type(w, false, "1582", "10", day, "0", "0");
        w.CmdOK->click();
        EXPECT_TRUE(Shown().empty()) << day;
        EXPECT_TRUE(astro::IsSameDate(skydata::CurrentSettings().CurrentJD, 1582, 10, std::stoi(day)));
    }
}

TEST_F(TimeWindowTest, ApplyRunsItsStepsInOrder) {
    skydata::CurrentSettings().lon = 127;
    FrmTime& w = Open();
    Type(w, true, "100", "6", "1", "10", "90");
    w.ChkSummer->setChecked(true);
    w.ChkCloseWin->setChecked(false);
    w.CmdOK->click();
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    EXPECT_EQ(s.CurrentJD, astro::DateToJD(-99, 6, 1, 11, 30, 0));
    EXPECT_TRUE(s.summertime);
    EXPECT_EQ(s.timezone, 10);
    EXPECT_EQ(s.timezone2, 9);
    EXPECT_FALSE(s.RealTimeMode);
    EXPECT_DOUBLE_EQ(AppState().LocalSiderealTime, astro::CalcLST(s.CurrentJD, 127, 10));
    const std::vector<std::string> expected = {"SetStatusText(세차운동 및 고유운동 계산 중...)",
                                               "PrecessMansionStars",
                                               "ComputeBscVectors(true)",
                                               "ComputeS2kVectors(true)",
                                               "SaveDefaultSettings",
                                               "ComputePaths",
                                               "ProjectPaths",
                                               "FormSet",
                                               "SetMapBox"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_TRUE(std::filesystem::exists(p.user.path() / "Default.cfg"));
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), &w);
    w.ChkCloseWin->setChecked(true);
    w.CmdOK->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), nullptr);
}

TEST_F(TimeWindowTest, ClockSwitchDisablesTheDateAndAppliesTheClock) {
    FrmTime& w = Open();
    w.ChkSync->setChecked(true);
    for (QWidget* control : std::initializer_list<QWidget*>{w.CmdNow, w.TxtYear, w.TxtMonth, w.TxtDay, w.TxtHour,
                                                            w.TxtMin, w.CmbADBC})
        EXPECT_FALSE(control->isEnabled());
    w.TxtYear->setText("0");
    w.CmdOK->click();
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(skydata::CurrentSettings().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 0));
    EXPECT_TRUE(skydata::CurrentSettings().RealTimeMode);

    skydata::CurrentSettings().RealTimeMode = true;
    FrmTime& again = Open();
    EXPECT_TRUE(again.ChkSync->isChecked());
    EXPECT_FALSE(again.CmdNow->isEnabled());
    again.ChkSync->setChecked(false);
    EXPECT_TRUE(again.TxtYear->isEnabled());
    again.CmdNow->click();
    EXPECT_EQ(Text(again.TxtMin), "7");
    EXPECT_EQ(Text(again.LblJD[0]), "2460385.37986");
}

TEST_F(TimeWindowTest, FailedSaveIsShownAndTheRedrawStillRuns) {
    std::filesystem::create_directories(p.user.path() / "Default.cfg" / "blocked");
    FrmTime& w = Open();
    w.CmdOK->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(host.calls.back(), "SetMapBox");
}

// The window is not a dialog: Enter (either key) in a box applies, Esc closes.
TEST_F(TimeWindowTest, EnterInABoxAppliesAndEscapeCloses) {
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        FrmTime& w = Open();
        Type(w, false, "2001", "2", "3", "4", "5");
        test::PressKey(*w.TxtMin, key);
        EXPECT_EQ(skydata::CurrentSettings().CurrentJD, astro::DateToJD(2001, 2, 3, 4, 5, 0)) << key;
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), nullptr) << key;
    }
    FrmTime& w = Open();
    w.ChkCloseWin->setChecked(false);
    const double before = skydata::CurrentSettings().CurrentJD;
    w.TxtYear->setText("1999");
    test::PressKey(*w.TxtYear, Qt::Key_Escape);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), nullptr);
    EXPECT_EQ(skydata::CurrentSettings().CurrentJD, before);
}

// A year typed past the range and applied at once (Enter, without leaving
// the box) gets the range message; the chart keeps its time.
TEST_F(TimeWindowTest, ApplyRefusesAYearOutOfRange) {
    struct Row {
        bool bc;
        const char* typed;
        const char* kept;
        const char* message;
    };
    const char* range = "기원전 4713년에서 기원후 9999년 사이의 값만 입력할 수 있습니다.";
    // The box keeps the nearest year of the era, as when leaving it.
    const Row rows[] = {{true, "99999", "4713", range},
                        {false, "99999", "9999", range},
                        {true, "4714", "4713", range},
                        {false, "0", "1", "0년은 없는 연도입니다. 서기 1년 혹은 기원전 1년부터 입력할 수 있습니다."}};
    for (const Row& row : rows) {
        const double before = skydata::CurrentSettings().CurrentJD;
        FrmTime& w = Open();
        p.env.messages.shown.clear();
        host.calls.clear();
        Type(w, row.bc, row.typed, "1", "1", "12", "0");
        test::PressKey(*w.TxtYear, Qt::Key_Return);
        ASSERT_EQ(Shown().size(), 1u) << row.typed;
        EXPECT_EQ(Shown()[0].text, row.message);
        EXPECT_EQ(Shown()[0].title, "시간 설정 오류");
        EXPECT_EQ(Text(w.TxtYear), row.kept);
        EXPECT_EQ(skydata::CurrentSettings().CurrentJD, before) << row.typed;
        EXPECT_TRUE(host.calls.empty());
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), &w);
        w.close();
    }
    // Before noon of the first day of the Julian days, typed with the hour first.
    FrmTime& w = Open();
    p.env.messages.shown.clear();
    w.CmbADBC->setCurrentIndex(1);
    w.TxtHour->setText("6");
    w.TxtYear->setText("4713");
    w.TxtMonth->setText("1");
    w.TxtDay->setText("1");
    const double before = skydata::CurrentSettings().CurrentJD;
    w.CmdOK->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "율리우스 적일은 0보다 커야 합니다.");
    EXPECT_EQ(skydata::CurrentSettings().CurrentJD, before);
}

// Another window of the program (the chart) that takes the focus from the
// time window, as a click on it does.
void FocusOn(QWidget& window, QWidget* field = nullptr) {
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (field) field->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

// A message box that takes the focus while it is shown and gives it back to
// the box it came from, as a real one does.
class FocusTakingBox final : public platform::MessageBox {
public:
    explicit FocusTakingBox(QWidget& box_window) : box_window_(box_window) {}
    platform::MsgAnswer Show(const platform::Message& message) override {
        shown.push_back(message);
        QWidget* before = QApplication::focusWidget();
        FocusOn(box_window_);
        if (before) FocusOn(*before->window(), before);
        return platform::MsgAnswer::Ok;
    }
    std::vector<platform::Message> shown;

private:
    QWidget& box_window_;
};

// The year's range is checked once: when the box is left for another field
// or when 적용 applies it; not whenever the window loses the focus (to the
// chart while the dialog waits, or to the check's own message box).
TEST_F(TimeWindowTest, TheYearIsCheckedOnceWhenLeftForAFieldOrApplied) {
    QWidget chart;
    chart.resize(200, 200);
    chart.show();
    QWidget box_window;
    box_window.resize(100, 50);
    box_window.show();
    FocusTakingBox box(box_window);
    platform::Env().messages = &box;
    const char* no_year_zero = "0년은 없는 연도입니다. 서기 1년 혹은 기원전 1년부터 입력할 수 있습니다.";
    const char* range = "기원전 4713년에서 기원후 9999년 사이의 값만 입력할 수 있습니다.";

    FrmTime& w = Open();
    w.ChkCloseWin->setChecked(false);
    FocusOn(w, w.TxtYear);
    ASSERT_EQ(QApplication::focusWidget(), w.TxtYear);
    w.TxtYear->setText("0");
    FocusOn(chart, &chart);
    EXPECT_TRUE(box.shown.empty()) << "leaving for the chart checks nothing";
    EXPECT_EQ(Text(w.TxtYear), "0");

    FocusOn(w, w.TxtYear);
    FocusOn(w, w.TxtMonth);
    ASSERT_EQ(box.shown.size(), 1u) << "left for the month";
    EXPECT_EQ(box.shown[0].text, no_year_zero);
    EXPECT_EQ(Text(w.TxtYear), "1");

    // 99999 with 기원전 and Enter: the apply's one message, none for the
    // focus its box takes.
    box.shown.clear();
    w.CmbADBC->setCurrentIndex(1);
    w.TxtYear->setText("99999");
    test::PressKey(*w.TxtYear, Qt::Key_Return);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, range);
    EXPECT_EQ(box.shown[0].title, "시간 설정 오류");
    EXPECT_TRUE(host.calls.empty());

    // The first-day check of the day box the same way: Enter before noon of
    // the first Julian day gives the apply's one message.
    box.shown.clear();
    w.TxtYear->setText("4713");
    w.TxtMonth->setText("1");
    w.TxtHour->setText("6");
    w.TxtDay->setText("1");
    test::PressKey(*w.TxtDay, Qt::Key_Return);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "율리우스 적일은 0보다 커야 합니다.");
    EXPECT_TRUE(host.calls.empty());

    // Left for another field, the day box checks: the hour becomes 12.
    box.shown.clear();
    FocusOn(w, w.TxtYear);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(Text(w.TxtHour), "12");

    // Leaving for a button checks nothing: 적용 checks, 닫기 needs none.
    box.shown.clear();
    w.TxtYear->setText("0");
    FocusOn(w, w.CmdCancel);
    EXPECT_TRUE(box.shown.empty());
    // Nor does closing the window from the year box.
    FocusOn(w, w.TxtYear);
    test::PressKey(*w.TxtYear, Qt::Key_Escape);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), nullptr);
    EXPECT_TRUE(box.shown.empty());
    platform::Env().messages = &p.env.messages;
}

// A year past its era's range, however it is entered, gets one message and
// becomes the era's nearest year at once; the Julian days shown are then of
// that year, and neither leaving the box nor 적용 asks again.
TEST_F(TimeWindowTest, AYearOutOfRangeGetsOneMessageOnEveryPath) {
    QWidget box_window;
    box_window.resize(100, 50);
    box_window.show();
    FocusTakingBox box(box_window);
    platform::Env().messages = &box;
    enum class Path { Enter, LeaveForAField, Apply, SwitchEra };
    struct Row {
        const char* name;
        Path path;
        bool bc;  // the era the year is typed under; a switch goes to the other
        const char* typed;
        const char* kept;
        bool message;
    };
    const Row rows[] = {
        {"Enter under BC", Path::Enter, true, "99999", "4713", true},
        {"Enter under AD", Path::Enter, false, "99999", "9999", true},
        {"Enter, 4714 BC", Path::Enter, true, "4714", "4713", true},
        {"left under BC", Path::LeaveForAField, true, "99999", "4713", true},
        {"left under AD", Path::LeaveForAField, false, "10000", "9999", true},
        {"left, 4714 BC", Path::LeaveForAField, true, "4714", "4713", true},
        {"applied under BC", Path::Apply, true, "99999", "4713", true},
        {"applied under AD", Path::Apply, false, "99999", "9999", true},
        {"AD to BC past both", Path::SwitchEra, false, "99999", "4713", true},
        {"AD to BC past the BC range", Path::SwitchEra, false, "5000", "4713", true},
        {"BC to AD past both", Path::SwitchEra, true, "99999", "9999", true},
        {"valid, Enter", Path::Enter, true, "4713", "4713", false},
        {"valid, left", Path::LeaveForAField, false, "9999", "9999", false},
        {"valid, applied", Path::Apply, false, "2024", "2024", false},
        {"valid, BC to AD", Path::SwitchEra, true, "4713", "4713", false},
        {"valid, AD to BC", Path::SwitchEra, false, "100", "100", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FrmTime& w = Open();
        Type(w, row.bc, "", "6", "15", "12", "0");
        FocusOn(w, w.TxtYear);
        w.TxtYear->setText(row.typed);
        box.shown.clear();
        switch (row.path) {
            case Path::Enter: test::PressKey(*w.TxtYear, Qt::Key_Return); break;
            case Path::LeaveForAField: FocusOn(w, w.TxtMonth); break;
            case Path::Apply: w.CmdOK->click(); break;
            case Path::SwitchEra:
                // Going to the era checks nothing yet; choosing one checks the year under it.
                FocusOn(w, w.CmbADBC);
                EXPECT_TRUE(box.shown.empty());
                test::PressKey(*w.CmbADBC, row.bc ? Qt::Key_Up : Qt::Key_Down);
                EXPECT_EQ(w.CmbADBC->currentIndex(), row.bc ? 0 : 1);
                break;
        }
        const bool bc = w.CmbADBC->currentIndex() == 1;
        ASSERT_EQ(box.shown.size(), row.message ? 1u : 0u);
        if (row.message) {
            EXPECT_EQ(box.shown[0].text, "기원전 4713년에서 기원후 9999년 사이의 값만 입력할 수 있습니다.");
            EXPECT_EQ(box.shown[0].title, "시간 설정 오류");
        }
        const double kept_jd = astro::DateToJD(bc ? 1 - std::stod(row.kept) : std::stod(row.kept), 6, 15, 12, 0, 0);
        // A valid Enter or 적용 applied and closed the window.
        if (FindToolWindow(ToolWindowId::FrmTime) != &w) {
            EXPECT_FALSE(row.message);
            EXPECT_EQ(skydata::CurrentSettings().CurrentJD, kept_jd);
            continue;
        }
        EXPECT_EQ(Text(w.TxtYear), row.kept);
        EXPECT_EQ(Text(w.LblJD[0]), astro::FormatDigitPattern(kept_jd, "0.00000"));
        // The year now stands: leaving it and applying ask nothing more.
        FocusOn(w, w.TxtYear);
        FocusOn(w, w.TxtDay);
        w.CmdOK->click();
        EXPECT_EQ(box.shown.size(), row.message ? 1u : 0u);
        EXPECT_EQ(skydata::CurrentSettings().CurrentJD, kept_jd);
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmTime), nullptr);
    }
    platform::Env().messages = &p.env.messages;
}

// The clock is read in UTC and shown in the site's zone, whatever zone the
// computer keeps: the same instant on a UTC computer and on a Korean one.
TEST_F(TimeWindowTest, TheClockGivesTheSiteTimeWhateverTheComputerZone) {
    struct Row {
        const char* name;
        int computer_zone_min;
        int hour;  // the computer's local reading of 2024-03-15 12:07:45 UTC
        int day;
    };
    const Row rows[] = {{"UTC computer", 0, 12, 15}, {"Korean computer", 540, 21, 15}, {"New York", -240, 8, 15}};
    for (const Row& row : rows) {
        p.env.clock.zone_min = row.computer_zone_min;
        p.env.clock.Set(2024, 3, row.day, row.hour, 7, 45);
        skydata::CurrentSettings().RealTimeMode = false;
        FrmTime& w = Open();
        w.CmdNow->click();
        EXPECT_EQ(Text(w.TxtHour), "21") << row.name;
        EXPECT_EQ(Text(w.TxtMin), "7") << row.name;
        EXPECT_EQ(Text(w.LblJD[1]), "2460385.00486") << row.name;
        w.ChkSummer->setChecked(true);
        w.CmdNow->click();
        EXPECT_EQ(Text(w.TxtHour), "22") << row.name;
        w.ChkSummer->setChecked(false);
        w.ChkSync->setChecked(true);
        w.CmdOK->click();
        EXPECT_EQ(skydata::CurrentSettings().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 0)) << row.name;
    }
}

}  // namespace
}  // namespace zu
