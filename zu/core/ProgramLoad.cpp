#include "zu/core/ProgramLoad.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "astro/Atmosphere.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "astro/SiteContext.h"
#include "astro/SkySettings.h"
#include "orbsolve/OrbsolveLoader.h"
#include "platform/Guard.h"
#include "platform/Memory.h"
#include "platform/RunTimeError.h"
#include "platform/Services.h"
#include "platform/UserFiles.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/DrawnLine.h"
#include "skydata/Elements.h"
#include "skydata/LoadLog.h"
#include "skydata/MapPoint.h"
#include "skydata/MilkyWay.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"
#include "skydata/UserCatalogs.h"
#include "zu/core/MainState.h"
#include "zu/core/Tracks.h"

namespace zu {
namespace {

constexpr int kMilkyWayLineColour = 8;

std::vector<std::string>& Notices() {
    static std::vector<std::string> notices;
    return notices;
}

bool& WithoutSettings() {
    static bool without = false;
    return without;
}

// A damaged line or record in a data file stops the start-up like a missing
// file: a chart drawn from half a catalogue would look right and be wrong.
void StopOnDamagedData(const skydata::LoadLog& log) {
    if (log.Problems.empty()) return;
    std::string text = "데이터 파일이 손상되었습니다:";
    const std::size_t shown = std::min<std::size_t>(log.Problems.size(), 5);
    for (std::size_t i = 0; i < shown; ++i) text += "\r\n" + log.Problems[i];
    if (log.Problems.size() > shown) text += "\r\n...";
    throw platform::RunTimeError(text);
}

// Users edit the comet and asteroid files (new comets are added by hand): a
// damaged line costs that line alone, and the lines skipped are told once,
// after the chart shows.
void NoteSkippedElements(const skydata::LoadLog& log) {
    if (log.Problems.empty()) return;
    constexpr std::size_t kShownLines = 5;
    std::string text = "궤도 요소 파일에서 읽지 못한 부분을 건너뛰었습니다:";
    const std::size_t shown = std::min(log.Problems.size(), kShownLines);
    for (std::size_t i = 0; i < shown; ++i) text += "\r\n" + log.Problems[i];
    if (log.Problems.size() > shown) text += "\r\n외 " + std::to_string(log.Problems.size() - shown) + "건";
    Notices().push_back(text);
}

// The orbit solver library is bound on its first use. Without it every
// redraw that shows a comet or an asteroid fails again, and a failed redraw
// takes back the switch that would hide them: a broken installation is
// reported now, by the library's name, like a missing data file.
void BindOrbitSolver() {
    KeplerCometBlock comet{};
    comet.q_au = 1;
    comet.e = 1;
    orbsolve::CallKeplerComet(comet);
    KeplerAsteroidBlock asteroid{};
    asteroid.a_au = 1;
    orbsolve::CallKeplerAsteroid(asteroid);
}

// The settings name the constellations whose figures and boundaries are
// shown; an absent filter shows every one.
void ApplyConstFilters(const skydata::ConstFilterTexts& filters) {
    skydata::ConstellationState& c = skydata::Constellations();
    const auto apply = [](const std::optional<std::string>& text, std::vector<skydata::ConstDataRecord>& data,
                          bool boundary) {
        if (text) {
            skydata::SetConstFilter(*text, data, boundary);
        } else {
            for (auto& row : data) (boundary ? row.ShowBoundary : row.ShowFigure) = 1;
        }
    };
    apply(filters[0], c.E.Data, false);
    apply(filters[1], c.W.Data, false);
    apply(filters[2], c.O.Data, false);
    apply(filters[3], c.W.Data, true);
    skydata::ApplyConstFilter(c.E.Data, c.E.Labels, c.E.Lines);
    skydata::ApplyConstFilter(c.W.Data, c.W.Labels, c.W.Lines);
    skydata::ApplyConstFilter(c.O.Data, c.O.Labels, c.O.Lines);
    skydata::ApplyBoundFilter(c.W.Data, c.BoundaryPoint);
}

// A set without data has no flags to report: its filter text must not be
// saved as "hide every figure" over what the user chose.
skydata::ConstFilterTexts CurrentConstFilters() {
    const skydata::ConstellationState& c = skydata::Constellations();
    const auto filter = [](const std::vector<skydata::ConstDataRecord>& data, bool boundary) {
        return data.empty() ? std::nullopt : std::optional<std::string>(skydata::GetConstFilter(data, boundary));
    };
    return {filter(c.E.Data, false), filter(c.W.Data, false), filter(c.O.Data, false), filter(c.W.Data, true)};
}

void InstallDataHooks() {
    skydata::SettingsHooks& hooks = skydata::SettingsModule().Hooks;
    hooks.ApplyConstFilters = ApplyConstFilters;
    hooks.GetConstFilters = CurrentConstFilters;
    // Nothing may wait for the user while loading; shown once the chart is up.
    hooks.ShowMessage = [](const std::string&, const std::string& text) { Notices().push_back(text); };
    InstallPathHooks();
}

}  // namespace

std::vector<std::string> TakeStartupNotices() {
    std::vector<std::string> taken;
    taken.swap(Notices());
    return taken;
}

bool LoadedWithoutSettings() { return WithoutSettings(); }

void LoadProgramState(const std::filesystem::path& dir) {
    namespace sd = skydata;
    MainState& state = AppState();
    sd::LoadLog log;

    // 1.-4. Counters, the planet table, empty lists, the presets the
    // settings may override.
    state.DrawCount = 0;
    state.DrawTimeTotal = 0;
    astro::InitPlanetTable();
    sd::ClearMapPoints();
    astro::SmallBodies().Reset();
    sd::CurrentSettings() = sd::SettingsSnapshot{};
    sd::MapPointModule().MapPointsShown = true;
    sd::DrawnLineModule().DrawnLinesShown = true;
    sd::DrawnLineModule().DrawnLines.assign(1, sd::DrawnLine{});
    sd::ClearPathBodies(sd::PathModule().PathBodyList);

    // 5.-8. Milky Way, boundaries and the three constellation systems.
    sd::ConstellationState& c = sd::Constellations();
    c = sd::ConstellationState{};
    c.MilkyWayPoint = sd::LoadMilkyWay(dir, log);
    c.BoundaryPoint = sd::LoadConstBounds(dir, log);
    sd::ConstellationSystem* systems[] = {&c.W, &c.E, &c.O};
    const char letters[] = {'W', 'E', 'O'};
    for (int i = 0; i < 3; ++i) {
        const std::string name = std::string("cline") + letters[i] + ".dat";
        systems[i]->Lines = sd::LoadConstLines(dir / name, name, log);
    }
    for (int i = 0; i < 3; ++i) {
        const std::string name = std::string("clabel") + letters[i] + ".dat";
        systems[i]->Labels = sd::LoadConstLabels(dir / name, name, log);
    }
    for (int i = 0; i < 3; ++i) {
        const std::string name = std::string("ConstData") + letters[i] + ".dat";
        systems[i]->Data = sd::LoadConstData(dir / name, name, log);
    }

    // 9. Orbital elements, and the solver library that places them.
    sd::LoadLog element_log;
    sd::LoadAsteroids(dir, element_log);
    sd::LoadComets(dir, element_log);
    NoteSkippedElements(element_log);
    BindOrbitSolver();

    // 10.-11. Styles, then the settings that override them.
    sd::InitStyleDefaults(sd::StartupTables().Styles);
    InstallDataHooks();
    // Nothing is written before the whole load has succeeded.
    TrackModule().HoldDiskWrite = true;
    {
        // The load runs away from the windows: tracks that take long are
        // computed once the chart is up (ComputePendingPaths).
        const PathWorkScope later(PathWork::Later);
        WithoutSettings() =
            sd::LoadDefaultSettings(platform::UserFileToRead(std::string(sd::kDefaultSettingsFileName)).parent_path()) ==
            sd::SettingsLoadStatus::Missing;
    }
    sd::SettingsSnapshot& s = sd::CurrentSettings();
    state.MilkyWayColors[0] = sd::StartupTables().Styles.LineColorTable[kMilkyWayLineColour];

    // 12. Tables that read the settings.
    sd::CatalogState& catalogs = sd::Catalogs();
    catalogs = sd::CatalogState{};
    c.PosTable = sd::LoadConstPosTable(dir, log);
    sd::LoadBrightStars(catalogs, dir, s.CurrentJD, s.calcpropermotion, log);
    sd::LoadSky2000Stars(catalogs, dir, s.CurrentJD, s.calcpropermotion, log);
    sd::LoadDeepSky(catalogs, dir, log);
    StopOnDamagedData(log);
    sd::ComputeDsoVectors(catalogs);
    const double stars_jd = s.CurrentJD;

    // 13. The zone in force follows the standard zone and summer time.
    s.timezone = s.summertime ? s.timezone2 + 1 : s.timezone2;

    // 14.-15. Labels, user catalogues, mansions, star names.
    sd::BuildConstLabels(c.W.Labels, c.W.Data, s.viewcname);
    sd::BuildConstLabels(c.E.Labels, c.E.Data, s.viewcname);
    sd::BuildConstLabels(c.O.Labels, c.O.Data, s.viewcname);
    // Lines the catalogues refused are told once the chart is up.
    if (std::string notice = sd::CheckUserCatalogs(); !notice.empty()) Notices().push_back(std::move(notice));
    sd::InitGanzhiAndMansionStars(sd::StartupTables().MansionStarRA);
    sd::PrecessMansionStars(sd::StartupTables().MansionStarRA, s.CurrentJD, s.calcprecession);
    sd::LoadStarNames(catalogs, dir, log);
    StopOnDamagedData(log);
    sd::LinkStarNames(catalogs);

    // 16. Atmosphere tables for the site.
    astro::BuildExtinctionTable(s.AirExCoff);
    astro::BuildRefractionTable(static_cast<float>(s.Temperature), static_cast<float>(s.Pressure));

    // 17.-22. The chart time and what follows from it.
    if (s.RealTimeMode) s.CurrentJD = ClockJDInZone(s.timezone);
    state.LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    state.EventStepOffset = 0;
    state.EventStepCode = -160;
    state.TimeStep = 1.0 / 24;
    state.CustomStep = 30.0 / 1440;
    astro::Planets().JDE = astro::JDToJDE(s.CurrentJD);
    astro::Planets().Obliquity = astro::MeanObliquity(s.CurrentJD - s.timezone / 24);
    // The year the star vectors were computed for, so the first redraw
    // recomputes them when the clock moved the chart into another year.
    state.ChartYear.Stars = static_cast<int>(std::floor(astro::JDToYear(stars_jd)));
    state.ChartYear.Now = static_cast<int>(std::floor(astro::JDToYear(s.CurrentJD)));
    WriteHeldPaths();
}

}  // namespace zu
