// Time commands: now, fixed steps, the Sun's events of the chart date, one
// step by the chosen interval, the interval itself and the animation.
#include <QAction>
#include <QTimer>

#include <array>

#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/main/Commands.h"
#include "zu/main/Form1.h"
#include "zu/main/TimeCommands.h"

namespace zu {
namespace {

constexpr double kHoursPerDay = 24;
constexpr double kNoEvent_h = -1;

// The fixed steps of "+1 일" .. "-1 항성일", days.
constexpr std::array<double, 8> kTimeControlSteps_days = {
    1, -1, 1.0 / 24, -1.0 / 24, 1.0 / 1440, -1.0 / 1440, kSiderealDay_days, -kSiderealDay_days};

constexpr std::array<double, 11> kIntervalSteps_days = {
    5.0 / 1440, 1.0 / 144, 3.0 / 144, 1.0 / 24, 1.0 / 12, 1, kSiderealDay_days, 30, 365, 3652, 36524};

enum class Pick { Midnight, Morning, Transit, Evening, NextMidnight };

struct SpecialTime {
    Pick pick;
    int kind;  // of SunRiseSetEvents
};

// "자정(0 시)", the morning events from astronomical twilight to sunrise, the
// transit, the evening events from sunset to astronomical twilight, "자정(24 시)".
constexpr std::array<SpecialTime, kSpecialTimeItemCount> kSpecialTimes = {{
    {Pick::Midnight, 0},
    {Pick::Morning, 5},
    {Pick::Morning, 4},
    {Pick::Morning, 3},
    {Pick::Morning, 1},
    {Pick::Transit, 0},
    {Pick::Evening, 1},
    {Pick::Evening, 3},
    {Pick::Evening, 4},
    {Pick::Evening, 5},
    {Pick::NextMidnight, 0},
}};

constexpr const char* kNoEventTitle = "시각 설정";
constexpr const char* kNoEventText = "박명 또는 일출몰 현상이 일어나지 않으므로\r\n해당 시각으로 바꿀 수 없습니다";
constexpr const char* kAnimateStart = "시작하기";
constexpr const char* kAnimateStop = "멈추기";

skydata::SettingsSnapshot& Settings() { return skydata::CurrentSettings(); }

void UpdateSiderealTime() {
    const skydata::SettingsSnapshot& s = Settings();
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
}

void Now(Form1& form) {
    Settings().CurrentJD = ClockJDInZone(Settings().timezone);
    UpdateSiderealTime();
    if (!form.Timer3->isActive()) form.Timer3->start();
    form.SetMapBox();
}

void TimeControl(Form1& form, int index) {
    if (index < 0 || index >= static_cast<int>(kTimeControlSteps_days.size())) return;
    Settings().CurrentJD = astro::StepJD(Settings().CurrentJD, kTimeControlSteps_days[index]);
    UpdateSiderealTime();
    Settings().RealTimeMode = false;
    form.SetMapBox();
}

void SpecialTimeCommand(Form1& form, int index) {
    skydata::SettingsSnapshot& s = Settings();
    const std::optional<double> jd = SpecialTimeJD(index, s.CurrentJD, s.lat, s.lon);
    if (!jd) {
        if (index >= 0 && index < kSpecialTimeItemCount) {
            platform::MsgBox(kNoEventText, platform::MsgButtons::Ok, platform::MsgIcon::Information, kNoEventTitle);
        }
        return;
    }
    s.RealTimeMode = false;
    s.CurrentJD = *jd;
    UpdateSiderealTime();
    form.SetMapBox();
}

void OneStep(Form1& form, bool backward) {
    skydata::SettingsSnapshot& s = Settings();
    s.RealTimeMode = false;
    // A solar-event step looks for the event of the neighbouring day.
    if (AppState().TimeStep < kSolarEventStepLimit) s.CurrentJD += backward ? -1 : 1;
    form.StepTime(backward);
}

void Animate(Form1& form) {
    QAction* item = form.Menus->Action("mnuAnimate");
    if (form.Timer1->isActive()) {
        form.Timer1->stop();
        if (item) item->setText(QString::fromUtf8(kAnimateStart));
    } else {
        form.Timer1->start();
        if (item) item->setText(QString::fromUtf8(kAnimateStop));
    }
    Settings().RealTimeMode = false;
}

}  // namespace

std::optional<double> IntervalStep(int index, double custom_days, int event_code) {
    if (index >= 0 && index < static_cast<int>(kIntervalSteps_days.size())) return kIntervalSteps_days[index];
    if (index == kCustomIntervalItem) return custom_days;
    if (index == kSolarEventIntervalItem) return static_cast<double>(event_code);
    return std::nullopt;
}

std::optional<double> SpecialTimeJD(int item, double jd_local, double lat_deg, double lon_east_deg) {
    if (item < 0 || item >= kSpecialTimeItemCount) return std::nullopt;
    const SpecialTime& row = kSpecialTimes[item];
    const double midnight = astro::RoundToHalf(jd_local);
    if (row.pick == Pick::Midnight) return midnight;
    if (row.pick == Pick::NextMidnight) return midnight + 1;
    double morning = 0, evening = 0, transit = 0;
    astro::SunRiseSetEvents(midnight, lat_deg, lon_east_deg, row.kind, morning, evening, transit);
    const double hours = row.pick == Pick::Morning ? morning : row.pick == Pick::Evening ? evening : transit;
    // The transit is never refused.
    if (hours == kNoEvent_h && row.pick != Pick::Transit) return std::nullopt;
    return midnight + hours / kHoursPerDay;
}

void Form1::mnuInterval_Click(int index) {
    MainState& state = AppState();
    const std::optional<double> step = IntervalStep(index, state.CustomStep, state.EventStepCode);
    if (!step) return;
    state.TimeStep = *step;
    for (int i = 0; i < kIntervalItemCount; ++i) {
        if (QAction* item = Menus->Action("mnuInterval", i)) item->setChecked(i == index);
    }
}

void InstallTimeCommands(CommandTable& table) {
    table.Add("mnuNow", [](Form1& form, int) { Now(form); });
    table.Add("mnuRNow", [](Form1& form, int) { Now(form); });
    table.Add("mnuTimeControll", TimeControl);
    table.Add("mnuSpcTime", SpecialTimeCommand);
    table.Add("mnuBackward", [](Form1& form, int) { OneStep(form, true); });
    table.Add("mnuForward", [](Form1& form, int) { OneStep(form, false); });
    table.Add("mnuAnimate", [](Form1& form, int) { Animate(form); });
    table.Add("mnuInverse", [](Form1& form, int) {
        if (QAction* item = form.Menus->Action("mnuInverse")) item->setChecked(!item->isChecked());
    });
    table.Add("mnuInterval", [](Form1& form, int index) { form.mnuInterval_Click(index); });
}

}  // namespace zu
