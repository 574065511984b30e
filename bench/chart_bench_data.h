#pragma once
// What the screen-chart benchmarks share: the committed data set (data/ of
// the source tree) loaded once, the fixed chart moment and the default start
// view.
#include <filesystem>

#include "astro/JulianDay.h"
#include "chart/DrawContext.h"
#include "chart/DrawMap.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/MilkyWay.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"

namespace chartbench {

namespace fs = std::filesystem;

inline const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";
inline constexpr double kChartJd = 2460390.5 + 21.0 / 24;  // 2024-03-20 21 h local civil time, a fixed night

inline bool DataPresent() {
    return fs::exists(kData / "bsc" / "bsc00.dat") && fs::exists(kData / "sky2000" / "s2k00.dat") &&
           fs::exists(kData / "wName.dat") && fs::exists(kData / "ConstDataW.dat");
}

// Catalogues, constellations, outline, deep sky, star names and mansion
// stars of the data set, for the chart moment.
struct ChartData {
    skydata::CatalogState catalogs;
    skydata::ConstellationState constellations;
    skydata::StartupTablesState startup;
};

inline void LoadChartData(ChartData& d) {
    skydata::LoadLog log;
    d.constellations.MilkyWayPoint = skydata::LoadMilkyWay(kData, log);
    d.constellations.BoundaryPoint = skydata::LoadConstBounds(kData, log);
    d.constellations.W = skydata::LoadConstellationSystem(kData, 'W', log);
    d.constellations.E = skydata::LoadConstellationSystem(kData, 'E', log);
    d.constellations.O = skydata::LoadConstellationSystem(kData, 'O', log);
    for (auto* system : {&d.constellations.W, &d.constellations.E, &d.constellations.O}) {
        skydata::BuildConstLabels(system->Labels, system->Data, false);
    }
    skydata::LoadBrightStars(d.catalogs, kData, kChartJd, true, log);
    skydata::LoadSky2000Stars(d.catalogs, kData, kChartJd, true, log);
    skydata::LoadDeepSky(d.catalogs, kData, log);
    skydata::ComputeDsoVectors(d.catalogs);
    skydata::LoadStarNames(d.catalogs, kData, log);
    skydata::LinkStarNames(d.catalogs);
    skydata::InitGanzhiAndMansionStars(d.startup.MansionStarRA);
    skydata::PrecessMansionStars(d.startup.MansionStarRA, kChartJd, true);
}

// The program's sources with the loaded tables and the given settings.
inline chart::ChartSources SourcesOf(ChartData& d, const skydata::SettingsSnapshot& settings) {
    chart::ChartSources sources = chart::ModuleSources();
    sources.settings = &settings;
    sources.styles = &d.startup.Styles;
    sources.catalogs = &d.catalogs;
    sources.constellations = &d.constellations;
    sources.mansion_ra = &d.startup.MansionStarRA;
    return sources;
}

// The start view of the settings at the chart moment.
inline chart::ChartView StartView(const skydata::SettingsSnapshot& s) {
    chart::ChartView view;
    view.lat_deg = s.lat;
    view.lst_h = astro::CalcLST(kChartJd, s.lon, s.timezone);
    view.center_lon_deg = s.ViewCenterX;
    view.center_lat_deg = s.ViewCenterY;
    view.fov_deg = s.ViewFOV;
    view.rotation_deg = s.MapRotation;
    view.coord_sys = s.ViewCoordSys;
    view.jd_local = kChartJd;
    return view;
}

}  // namespace chartbench
