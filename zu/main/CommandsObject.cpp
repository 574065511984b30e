// Object commands of the chart's pop-up menu: information on a picked
// object, the time of its rise, transit or set, tracking, a marker at the
// pressed place, the line-drawing mode and adding a body to the tracks.
#include <QAction>

#include <algorithm>
#include <string>

#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "astro/TextFormat.h"
#include "skydata/ConfigStore.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/core/ToolWindows.h"
#include "zu/core/Tracks.h"
#include "zu/main/Commands.h"
#include "zu/main/Form1.h"
#include "zu/main/MouseReadout.h"
#include "zu/main/ObjectPosition.h"
#include "zu/main/Pick.h"
#include "zu/search/InfoWindows.h"
#include "zu/tracks/MarkerWindow.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

constexpr double kHoursPerDay = 24;

void mnuObjList_Click(Form1& form, int index) {
    if (index < 0 || index >= kPickListSize) return;
    AppState().SelObjKey = form.PickList[static_cast<std::size_t>(index)];
    const QAction* item = form.Menus->Action("mnuObjList", index);
    ShowObjectInfo(&form, item ? item->text().toStdString() : std::string());
}

// Rise (0), transit (1) or set (2) of the current object on the chart's civil
// date, in hours of local time; nullopt when there is none that day.
std::optional<double> EventHours(const std::string& key, int item) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double rise = -1, transit = -1, set = -1;
    if (!key.empty() && key[0] == 'P') {
        const int body = static_cast<int>(astro::ParseLeadingNumber(std::string_view(key).substr(1)));
        astro::PlanetRiseSet(astro::RoundToHalf(s.CurrentJD), s.lat, s.lon, body, rise, transit, set);
    } else {
        const auto place = GetObjectPosition(key);
        if (!place) return std::nullopt;
        astro::FixedRiseSet(s.CurrentJD, s.lat, s.lon, place->RA_deg, place->Dec_deg, rise, set, transit);
    }
    const double hours = item == 0 ? rise : item == 1 ? transit : set;
    if (!IsEventHour(hours)) return std::nullopt;
    return hours;
}

void mnuObjRTS_Click(Form1& form, int index) {
    if (index < 0 || index > 2) return;
    // The menu offers only the events of the chart's date; anything else
    // leaves the time alone.
    const auto hours = EventHours(form.MenuObjKey, index);
    if (!hours) return;
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.CurrentJD = astro::RoundToHalf(s.CurrentJD) + *hours / kHoursPerDay;
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    s.RealTimeMode = false;
    form.SetMapBox();
}

void mnuTrack_Click(Form1& form) {
    form.TrackKey = form.MenuObjKey;
    form.TrackOn = 1;
    form.GetCenter(form.TrackKey);
    form.SetMapBox();
}

void mnuAddPoint_Click(Form1& form) {
    // The true place: refraction comes off the altitude in the horizontal chart.
    double ra = 0, dec = 0;
    CatalogPlaceUnderPixel(form.PressX, form.PressY, ra, dec);
    MarkerWindow(&form).AddPoint(ra, dec);
    form.SetMapBox();
}

void mnuDrawLine_Click(Form1& form) {
    form.LineMode = !form.LineMode;
    if (QAction* item = form.Menus->Action("mnuDrawLine")) item->setChecked(form.LineMode);
}

void mnuTrailadd_Click(Form1& form) {
    const std::string code = skydata::TrimBlanks(form.TrailAddKey);
    if (code.empty()) return;
    skydata::PathState& paths = skydata::PathModule();
    std::vector<std::string>& list = paths.PathBodyList;
    const bool any = std::any_of(list.begin(), list.end(), [](const std::string& slot) { return !slot.empty(); });
    if (!any) {
        FrmPath& window = TrackWindow(&form);
        window.ADDfromMainFirst = true;
        window.ObjID = code;
        ShowToolWindow(ToolWindowId::FrmPath, &form);
        return;
    }
    const bool added = std::find(list.begin(), list.end(), code) == list.end();
    if (added) list.push_back(code);
    TrackModule().UserAsked = true;
    TrackModule().Stopped = false;
    {
        const PathWorkScope with_progress(PathWork::WithProgress);
        if (paths.Hooks.ComputePaths) paths.Hooks.ComputePaths(paths.Settings);
    }
    // Stopped: the tracks stay as they were, without the body.
    if (TrackModule().Stopped) {
        if (added) list.pop_back();
        TakeBackPathsBefore(paths.Settings);
        return;
    }
    if (paths.Hooks.ProjectPaths) paths.Hooks.ProjectPaths(paths.Settings);
    form.SetMapBox();
}

}  // namespace

void InstallObjectCommands(CommandTable& table) {
    table.Add("mnuObjList", [](Form1& form, int index) { mnuObjList_Click(form, index); });
    table.Add("mnuObjRTS", [](Form1& form, int index) { mnuObjRTS_Click(form, index); });
    table.Add("mnuTrack", [](Form1& form, int) { mnuTrack_Click(form); });
    table.Add("mnuAddPoint", [](Form1& form, int) { mnuAddPoint_Click(form); });
    table.Add("mnuDrawLine", [](Form1& form, int) { mnuDrawLine_Click(form); });
    table.Add("mnuTrailadd", [](Form1& form, int) { mnuTrailadd_Click(form); });
}

}  // namespace zu
