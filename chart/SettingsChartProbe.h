#pragma once
// Draws one chart the way the program does from a settings file: the real
// data of the program folder (bright stars, constellations, Milky Way,
// boundaries, deep sky; not the extended catalogue, to stay quick) loaded once
// into the module state, then the settings loaded, the atmosphere tables and
// the view built from them, and DrawMap on the module sources; optionally a
// user catalogue in slot 1, and the printed page of the same view. The render
// stress test and the render fuzz target use it.
#include <filesystem>
#include <string>

#include "astro/Atmosphere.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/SiteContext.h"
#include "chart/ChartState.h"
#include "chart/DrawContext.h"
#include "chart/DrawMap.h"
#include "chart/PrintLayers.h"
#include "platform/Surface.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/DrawnLine.h"
#include "skydata/LoadLog.h"
#include "skydata/MapPoint.h"
#include "skydata/MilkyWay.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"
#include "skydata/UserCatalogs.h"

namespace chart::probe {

// 2000 January 1, 0 h local time: the date every settings default takes.
constexpr double kProbeToday = 2451544.5;

inline void LoadSmallRealSky(const std::filesystem::path& data_dir) {
    static bool loaded = false;
    if (loaded) return;
    namespace sd = skydata;
    sd::LoadLog log;
    sd::ConstellationState& c = sd::Constellations();
    c = sd::ConstellationState{};
    c.MilkyWayPoint = sd::LoadMilkyWay(data_dir, log);
    c.BoundaryPoint = sd::LoadConstBounds(data_dir, log);
    sd::ConstellationSystem* systems[] = {&c.W, &c.E, &c.O};
    const char letters[] = {'W', 'E', 'O'};
    for (int i = 0; i < 3; ++i) {
        const std::string suffix = std::string(1, letters[i]) + ".dat";
        systems[i]->Lines = sd::LoadConstLines(data_dir / ("cline" + suffix), "cline" + suffix, log);
        systems[i]->Labels = sd::LoadConstLabels(data_dir / ("clabel" + suffix), "clabel" + suffix, log);
        systems[i]->Data = sd::LoadConstData(data_dir / ("ConstData" + suffix), "ConstData" + suffix, log);
        sd::BuildConstLabels(systems[i]->Labels, systems[i]->Data, false);
    }
    c.PosTable = sd::LoadConstPosTable(data_dir, log);
    sd::CatalogState& catalogs = sd::Catalogs();
    catalogs = sd::CatalogState{};
    sd::LoadBrightStars(catalogs, data_dir, kProbeToday, false, log);
    sd::LoadDeepSky(catalogs, data_dir, log);
    sd::ComputeDsoVectors(catalogs);
    astro::InitPlanetTable();
    loaded = true;
}

// Loads the settings file as "Default.cfg" is loaded and draws one chart on
// the surface. The settings, map points, drawn lines, tracks and user
// catalogues start from their defaults every time. With a catalogue file,
// the settings name it in slot 1 and show it, and it is loaded as at
// start-up; the notice about refused lines is returned.
inline std::string DrawChartFromSettingsFile(const std::filesystem::path& file, platform::Surface& surface,
                                             const std::filesystem::path& catalogue = {}) {
    namespace sd = skydata;
    sd::ResetSettingsModule();
    sd::ResetMapPointModule();
    sd::ResetDrawnLineModule();
    sd::ResetPathModule();
    sd::ResetUserCatalogModule();
    sd::StartupTables().Styles = sd::DefaultStyleTables();
    sd::InitStyleDefaults(sd::StartupTables().Styles);
    sd::SettingsHooks& hooks = sd::SettingsModule().Hooks;
    hooks.TodayJD = [] { return kProbeToday; };
    hooks.ApplyConstFilters = [](const sd::ConstFilterTexts& filters) {
        sd::ConstellationState& c = sd::Constellations();
        std::vector<sd::ConstDataRecord>* data[] = {&c.E.Data, &c.W.Data, &c.O.Data, &c.W.Data};
        for (int i = 0; i < 4; ++i) {
            const bool boundary = i == 3;
            if (filters[i]) {
                sd::SetConstFilter(*filters[i], *data[i], boundary);
            } else {
                for (auto& row : *data[i]) (boundary ? row.ShowBoundary : row.ShowFigure) = 1;
            }
        }
        sd::ApplyConstFilter(c.E.Data, c.E.Labels, c.E.Lines);
        sd::ApplyConstFilter(c.W.Data, c.W.Labels, c.W.Lines);
        sd::ApplyConstFilter(c.O.Data, c.O.Labels, c.O.Lines);
        sd::ApplyBoundFilter(c.W.Data, c.BoundaryPoint);
    };
    sd::LoadSettings(file, sd::SettingsWindowKeys::Included);

    sd::SettingsSnapshot& s = sd::CurrentSettings();
    std::string notice;
    if (!catalogue.empty()) {
        s.usercatfile0 = catalogue.string();
        s.usercatfile0is = s.drawcuscat0 = true;
        notice = sd::CheckUserCatalogs();
    }
    s.timezone = s.summertime ? s.timezone2 + 1 : s.timezone2;
    sd::InitGanzhiAndMansionStars(sd::StartupTables().MansionStarRA);
    sd::PrecessMansionStars(sd::StartupTables().MansionStarRA, s.CurrentJD, s.calcprecession);
    astro::BuildExtinctionTable(s.AirExCoff);
    astro::BuildRefractionTable(static_cast<float>(s.Temperature), static_cast<float>(s.Pressure));
    astro::Planets().JDE = astro::JDToJDE(s.CurrentJD);
    astro::Planets().Obliquity = astro::MeanObliquity(s.CurrentJD - s.timezone / 24);

    ResetChart();
    ChartView view;
    view.lat_deg = s.lat;
    view.lst_h = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    view.center_lon_deg = s.ViewCenterX;
    view.center_lat_deg = s.ViewCenterY;
    view.fov_deg = s.ViewFOV;
    view.rotation_deg = s.MapRotation;
    view.coord_sys = s.ViewCoordSys;
    view.jd_local = s.CurrentJD;
    DrawMap(surface, view, ModuleSources());
    return notice;
}

// The printed page of the view of the settings the last DrawChartFromSettingsFile
// loaded, with the same sources.
inline void PrintChartOfLoadedSettings(platform::Surface& page) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const PrintView view = ScreenPrintView(s, astro::CalcLST(s.CurrentJD, s.lon, s.timezone), "zu");
    (void)PrintChartPage(page, view, ModuleSources());
}

}  // namespace chart::probe
