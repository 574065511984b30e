#pragma once
// What the screen-chart benchmarks share: the committed data set (data/ of
// the source tree) loaded once, the fixed chart moment and the default start
// view.
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "astro/JulianDay.h"
#include "chart/DrawContext.h"
#include "chart/DrawMap.h"
#include "chart/PathLists.h"
#include "skydata/CustomCatalog.h"
#include "skydata/Elements.h"
#include "skydata/MapPoint.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/MilkyWay.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"

namespace bench {

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

// The chart data with comets and asteroids, a user catalogue of 200 shapes,
// 200 stars and 50 labels, 100 map points and a track of 400 points.
struct LoadedData : ChartData {
    std::array<skydata::CustomCatalog, 2> userCatalogs;
    std::vector<skydata::MapPoint> mapPoints;
};

inline LoadedData& EveryLayerData() {
    static LoadedData data = [] {
        LoadedData d;
        LoadChartData(d);
        skydata::LoadLog log;
        skydata::LoadComets(kData, log);
        skydata::LoadAsteroids(kData, log);
        // A user catalogue of 200 shapes, 200 stars and 50 labels over the sky,
        // 100 map points and a track of 400 points with 80 marks.
        skydata::CustomCatalog& c = d.userCatalogs[0];
        for (int i = 0; i < 200; ++i) {
            skydata::CustomCatShape s;
            s.RA = i * 1.8;
            s.Dec = -60 + (i % 12) * 10;
            s.Size = 30;
            s.Shape = static_cast<std::uint8_t>(1 + i % 5);
            s.Name = "S";
            c.Shapes[i % 5].push_back(s);
            skydata::CustomCatStar star;
            star.RA = s.RA + 0.9;
            star.Dec = s.Dec + 5;
            star.Mag = static_cast<float>(i % 9);
            c.Stars.push_back(star);
        }
        for (int i = 0; i < 50; ++i) c.Texts.push_back({i * 7.2, 10.0, "text\r\nline", skydata::RgbColor(255, 0, 0)});
        for (int k = 0; k < 5; ++k) c.Count[k] = static_cast<std::int32_t>(c.Shapes[k].size());
        c.Count[skydata::kCatStar] = static_cast<std::int32_t>(c.Stars.size());
        c.Count[skydata::kCatText] = static_cast<std::int32_t>(c.Texts.size());
        for (int i = 0; i < 100; ++i) {
            skydata::AddMapPoint(d.mapPoints, i * 3.6, 20, static_cast<std::uint8_t>(1 + i % 5), 20, "P",
                                 skydata::RgbColor(0, 255, 0));
        }
        chart::PathListState& paths = chart::PathLists();
        for (int i = 0; i < 400; ++i) {
            double x, y, z;
            const double ra = i * 0.9, dec = 20 * std::sin(i * 0.05);
            x = 1000 * std::cos(dec * M_PI / 180) * std::cos(ra * M_PI / 180);
            y = 1000 * std::cos(dec * M_PI / 180) * std::sin(ra * M_PI / 180);
            z = 1000 * std::sin(dec * M_PI / 180);
            paths.PathVectors.push_back({x, y, z, static_cast<std::uint8_t>(i % 100 == 0), 1});
            if (i % 5 == 0) paths.PathMarks.push_back({ra, dec, "2024/3/20", 0, 0, 0});
        }
        return d;
    }();
    return data;
}

inline void SetEveryLayer(skydata::SettingsSnapshot& s, bool on) {
    s.showground = s.viewalt = s.drawhorizon = s.viewequ = s.viewecl = s.viewgalequ = on;
    s.milkyway = s.viewcboundary = s.viewconstline = s.viewconstlinee = s.viewoldmap = on;
    s.viewshadow = s.drawnonstellar = s.drawcomet = s.drawasteroid = s.ViewPath = s.viewplanet = on;
    s.drawcuscat0 = s.usercatfile0is = on;
    s.viewcmark = s.viewccircle = s.CenterCross = on;
    if (on) s.viewoldmapname = s.cpolar = s.ipsoodo = s.viewconstnamee = true;
}

// The sources of chart2_bench: with every layer, the user catalogue and map
// points of EveryLayerData.
inline chart::ChartSources EverySources(LoadedData& data, const skydata::SettingsSnapshot& settings, bool every) {
    chart::ChartSources sources = SourcesOf(data, settings);
    sources.user_catalogs = &data.userCatalogs;
    sources.map_points = &data.mapPoints;
    sources.map_points_shown = every;
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

}  // namespace bench
