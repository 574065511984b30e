// Time commands: now, fixed steps, the Sun's events of the chart date, one
// step by the interval, the interval menu and the animation switch.
#include <QAction>
#include <QCoreApplication>
#include <QTimer>

#include <memory>
#include <string>

#include "astro/JulianDay.h"
#include "zu/core/TestSupport.h"
#include "zu/main/Form1.h"
#include "zu/main/TimeCommands.h"

namespace zu {
namespace {

// One second, in days: the chart time is a Julian day.
constexpr double kSecond_days = 1.0 / 86400;
// Two minutes: the chart's Sun is a short series seen from the site.
constexpr double kEventTol_days = 2.0 / 1440;

class TimeCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        form = std::make_unique<Form1>();
        form->resize(900, 650);
        form->show();
        QCoreApplication::processEvents();
        // The default site: 고령, 128.46 E, 35.82 N, zone +9.
        S().lon = 128.46;
        S().lat = 35.82;
        S().timezone = 9;
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    QAction* Menu(const std::string& name, int index = 0) { return form->Menus->Action(name, index); }
    std::int64_t Draws() const { return AppState().DrawCount; }
    void ExpectSiderealTimeOfChartTime() {
        EXPECT_DOUBLE_EQ(AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, S().lon, S().timezone));
    }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

TEST_F(TimeCommandsTest, FixedStepsLeaveRealTimeAndRedraw) {
    const struct {
        int item;
        double from[5];  // year, month, day, hour, minute
        double to[5];
    } rows[] = {
        {0, {2024, 2, 28, 12, 0}, {2024, 2, 29, 12, 0}},     // leap day
        {1, {2024, 3, 1, 12, 0}, {2024, 2, 29, 12, 0}},
        {2, {2023, 12, 31, 23, 30}, {2024, 1, 1, 0, 30}},    // year boundary
        {3, {2024, 3, 15, 0, 30}, {2024, 3, 14, 23, 30}},
        {4, {2024, 3, 15, 23, 59}, {2024, 3, 16, 0, 0}},
        {5, {2024, 3, 15, 0, 0}, {2024, 3, 14, 23, 59}},     // "-1 분" at midnight
    };
    for (const auto& row : rows) {
        S().CurrentJD = astro::DateToJD(row.from[0], row.from[1], row.from[2], row.from[3], row.from[4], 0);
        S().RealTimeMode = true;
        const std::int64_t draws = Draws();
        Menu("mnuTimeControll", row.item)->trigger();
        EXPECT_NEAR(S().CurrentJD, astro::DateToJD(row.to[0], row.to[1], row.to[2], row.to[3], row.to[4], 0),
                    kSecond_days)
            << row.item;
        EXPECT_FALSE(S().RealTimeMode);
        EXPECT_EQ(Draws(), draws + 1);
        ExpectSiderealTimeOfChartTime();
    }
    // A sidereal day brings the sky back to the same sidereal time.
    const double lst = AppState().LocalSiderealTime;
    Menu("mnuTimeControll", 6)->trigger();
    EXPECT_NEAR(AppState().LocalSiderealTime, lst, 1e-4);
    Menu("mnuTimeControll", 7)->trigger();
    Menu("mnuTimeControll", 7)->trigger();
    EXPECT_NEAR(AppState().LocalSiderealTime, lst, 1e-4);
}

TEST_F(TimeCommandsTest, MidnightItems) {
    S().CurrentJD = astro::DateToJD(2024, 3, 15, 23, 0, 0);
    Menu("mnuSpcTime", 10)->trigger();
    EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 3, 16, 0, 0, 0), kSecond_days);
    ExpectSiderealTimeOfChartTime();
    S().CurrentJD = astro::DateToJD(2024, 3, 15, 0, 30, 0);
    Menu("mnuSpcTime", 0)->trigger();
    EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 3, 15, 0, 0, 0), kSecond_days);
}

// Reference: NOAA solar calculator equations (Meeus, Astronomical
// Algorithms, ch. 25 low precision) for 고령, 15 March 2024, zone +9: sunrise
// 06:36.9, transit 12:35.0, sunset 18:33.6, civil dawn 06:11.5, civil dusk
// 18:59.2.
TEST_F(TimeCommandsTest, SunEventsOfTheChartDate) {
    const struct {
        int item;
        double hour, minute;
    } rows[] = {{3, 6, 11.5}, {4, 6, 36.9}, {5, 12, 35.0}, {6, 18, 33.6}, {7, 18, 59.2}};
    for (const auto& row : rows) {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        S().RealTimeMode = true;
        Menu("mnuSpcTime", row.item)->trigger();
        EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 3, 15, row.hour, row.minute, 0), kEventTol_days) << row.item;
        EXPECT_FALSE(S().RealTimeMode);
        ExpectSiderealTimeOfChartTime();
    }
    // The twilights bracket the Sun's rise and set in order.
    double previous = 0;
    for (int item = 1; item <= 9; ++item) {
        const auto jd = SpecialTimeJD(item, astro::DateToJD(2024, 3, 15, 21, 0, 0), 35.82, 128.46);
        ASSERT_TRUE(jd.has_value()) << item;
        EXPECT_GT(*jd, previous) << item;
        previous = *jd;
    }
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(TimeCommandsTest, AnEventThatDoesNotOccurIsRefusedAndChangesNothing) {
    // Polar night at 80 N near the winter solstice: no sunrise, no civil
    // twilight; the Sun still transits.
    S().lat = 80;
    const double jd = astro::DateToJD(2024, 12, 21, 21, 0, 0);
    for (int item : {4, 3, 6}) {
        S().CurrentJD = jd;
        S().RealTimeMode = true;
        const double lst = AppState().LocalSiderealTime;
        const std::int64_t draws = Draws();
        p.env.messages.shown.clear();
        Menu("mnuSpcTime", item)->trigger();
        ASSERT_EQ(p.env.messages.shown.size(), 1u) << item;
        const platform::Message& message = p.env.messages.shown[0];
        EXPECT_EQ(message.title, "시각 설정");
        EXPECT_EQ(message.text, "박명 또는 일출몰 현상이 일어나지 않으므로\r\n해당 시각으로 바꿀 수 없습니다");
        EXPECT_EQ(message.icon, platform::MsgIcon::Information);
        EXPECT_EQ(S().CurrentJD, jd);
        EXPECT_TRUE(S().RealTimeMode);
        EXPECT_EQ(AppState().LocalSiderealTime, lst);
        EXPECT_EQ(Draws(), draws);
    }
    p.env.messages.shown.clear();
    Menu("mnuSpcTime", 5)->trigger();
    EXPECT_TRUE(p.env.messages.shown.empty());
    EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 12, 21, 12, 0, 0), 0.5 / 24);
}

TEST_F(TimeCommandsTest, NowTakesTheClockToTheMinuteAndKeepsRealTimeMode) {
    for (bool real_time : {false, true}) {
        S().RealTimeMode = real_time;
        form->Timer3->stop();
        const std::int64_t draws = Draws();
        Menu("mnuNow")->trigger();
        EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 0));
        EXPECT_EQ(S().RealTimeMode, real_time);
        EXPECT_TRUE(form->Timer3->isActive());
        EXPECT_EQ(Draws(), draws + 1);
        ExpectSiderealTimeOfChartTime();
    }
    p.env.clock.Set(2025, 1, 1, 0, 0, 59);
    Menu("mnuRNow")->trigger();
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2025, 1, 1, 0, 0, 0));
}

// The clock is read in UTC and the chart takes the site's zone: "now" is the
// same chart instant on a computer kept in UTC as on one kept in the site's
// zone, for the menu command and for the real-time timer.
TEST_F(TimeCommandsTest, NowIsTheSiteTimeWhateverZoneTheComputerKeeps) {
    struct Row {
        const char* name;
        int computer_zone_min;
        int day, hour;  // the computer's reading of 2024-03-15 12:07:45 UTC
    };
    const Row rows[] = {{"UTC computer", 0, 15, 12}, {"Korean computer", 540, 15, 21}, {"Hawaii", -600, 15, 2}};
    for (const Row& row : rows) {
        p.env.clock.zone_min = row.computer_zone_min;
        p.env.clock.Set(2024, 3, row.day, row.hour, 7, 45);
        S().CurrentJD = 2451545;
        Menu("mnuNow")->trigger();
        EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 0)) << row.name;
        S().RealTimeMode = true;
        form->Timer3_Timer();
        EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 45)) << row.name;
        S().RealTimeMode = false;
    }
    // A site in summer time, three zones west of the computer.
    p.env.clock.zone_min = 540;
    p.env.clock.Set(2024, 7, 1, 9, 0, 0);
    S().timezone = 7;
    Menu("mnuNow")->trigger();
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 7, 1, 7, 0, 0));
}

TEST_F(TimeCommandsTest, IntervalItemsChooseTheStepAndMoveTheMark) {
    const struct {
        int item;
        double step;
    } rows[] = {{0, 5.0 / 1440}, {1, 10.0 / 1440}, {2, 30.0 / 1440}, {3, 1.0 / 24},   {4, 2.0 / 24},
                {5, 1},          {6, 0.9972695663}, {7, 30},        {8, 365},        {9, 3652},
                {10, 36524}};
    for (const auto& row : rows) {
        Menu("mnuInterval", row.item)->trigger();
        EXPECT_DOUBLE_EQ(AppState().TimeStep, row.step) << row.item;
    }
    AppState().CustomStep = 0.125;
    AppState().EventStepCode = -153;
    const std::int64_t draws = Draws();
    form->mnuInterval_Click(11);
    EXPECT_EQ(AppState().TimeStep, 0.125);
    form->mnuInterval_Click(12);
    EXPECT_EQ(AppState().TimeStep, -153);
    EXPECT_EQ(Draws(), draws) << "choosing the interval does not redraw";
    for (int i = 0; i < kIntervalItemCount; ++i) EXPECT_EQ(Menu("mnuInterval", i)->isChecked(), i == 12) << i;
    // An index that names no item changes nothing.
    form->mnuInterval_Click(13);
    EXPECT_EQ(AppState().TimeStep, -153);
    EXPECT_TRUE(Menu("mnuInterval", 12)->isChecked());
}

TEST_F(TimeCommandsTest, OneStepByTheInterval) {
    AppState().TimeStep = 1.0 / 24;
    S().RealTimeMode = true;
    S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
    Menu("mnuForward")->trigger();
    EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 3, 15, 22, 0, 0), kSecond_days);
    EXPECT_FALSE(S().RealTimeMode);
    Menu("mnuBackward")->trigger();
    Menu("mnuBackward")->trigger();
    EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 3, 15, 20, 0, 0), kSecond_days);
    ExpectSiderealTimeOfChartTime();
}

TEST_F(TimeCommandsTest, SolarEventStepGoesToTheNeighbouringDaysSunset) {
    AppState().EventStepCode = -160;
    form->mnuInterval_Click(12);
    const double start = astro::DateToJD(2024, 3, 15, 21, 0, 0);
    const struct {
        const char* command;
        int day;
    } rows[] = {{"mnuForward", 16}, {"mnuBackward", 14}};
    for (const auto& row : rows) {
        S().CurrentJD = start;
        Menu(row.command)->trigger();
        const auto sunset = SpecialTimeJD(6, astro::DateToJD(2024, 3, row.day, 12, 0, 0), 35.82, 128.46);
        ASSERT_TRUE(sunset.has_value());
        EXPECT_NEAR(S().CurrentJD, *sunset, kSecond_days) << row.command;
        EXPECT_NEAR(S().CurrentJD, astro::DateToJD(2024, 3, row.day, 18, 33.6, 0), kEventTol_days) << row.command;
    }
}

TEST_F(TimeCommandsTest, AnimationSwitchAndDirection) {
    S().RealTimeMode = true;
    const std::int64_t draws = Draws();
    Menu("mnuAnimate")->trigger();
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(Menu("mnuAnimate")->text().toStdString(), "멈추기");
    EXPECT_FALSE(S().RealTimeMode);
    Menu("mnuAnimate")->trigger();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(Menu("mnuAnimate")->text().toStdString(), "시작하기");
    EXPECT_FALSE(S().RealTimeMode);
    EXPECT_EQ(Draws(), draws) << "the ticks redraw, not the switch";

    // "역행" only moves its own mark, which the tick reads as the direction.
    const double jd = S().CurrentJD;
    AppState().TimeStep = 1;
    Menu("mnuInverse")->trigger();
    EXPECT_TRUE(Menu("mnuInverse")->isChecked());
    EXPECT_EQ(S().CurrentJD, jd);
    form->Timer1_Timer();
    EXPECT_NEAR(S().CurrentJD, jd - 1, kSecond_days);
    Menu("mnuInverse")->trigger();
    EXPECT_FALSE(Menu("mnuInverse")->isChecked());
}

TEST_F(TimeCommandsTest, CommaAndFullStopKeysStep) {
    AppState().TimeStep = 1;
    const double jd = S().CurrentJD;
    form->Form_KeyDown(190);
    EXPECT_NEAR(S().CurrentJD, jd + 1, kSecond_days);
    form->Form_KeyDown(188);
    form->Form_KeyDown(188);
    EXPECT_NEAR(S().CurrentJD, jd - 1, kSecond_days);
}

TEST(TimeCommandRules, IntervalStepAndSpecialTimeOutOfRange) {
    EXPECT_FALSE(IntervalStep(-1, 0.5, -160).has_value());
    EXPECT_FALSE(IntervalStep(13, 0.5, -160).has_value());
    EXPECT_EQ(IntervalStep(11, 0.5, -160), 0.5);
    EXPECT_EQ(IntervalStep(12, 0.5, -161), -161.0);
    EXPECT_FALSE(SpecialTimeJD(11, 2460385.5, 35, 128).has_value());
    EXPECT_FALSE(SpecialTimeJD(-1, 2460385.5, 35, 128).has_value());
}

}  // namespace
}  // namespace zu
