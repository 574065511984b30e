// Milliseconds per screen chart over the committed data set (data/ of the
// source tree), with the number of drawn objects as a counter:
//   StartView  the default start view: horizontal, fov 60, 1280 x 800, default settings;
//   AllSky     fov 190 with the extended catalogue at limit 11;
//   OneDegree  a 1-degree field at limit 11 with the extended catalogue.
// Run from build/bin; needs no display (offscreen Qt platform).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "astro/JulianDay.h"
#include "chart/ChartState.h"
#include "chart/DrawMap.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/MilkyWay.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";
constexpr double kChartJd = 2460390.5 + 21.0 / 24;  // 2024-03-20 21 h local civil time, a fixed night

bool DataPresent() {
    return fs::exists(kData / "bsc" / "bsc00.dat") && fs::exists(kData / "sky2000" / "s2k00.dat") &&
           fs::exists(kData / "wName.dat") && fs::exists(kData / "ConstDataW.dat");
}

struct LoadedData {
    skydata::CatalogState catalogs;
    skydata::ConstellationState constellations;
    skydata::StartupTablesState startup;
};

LoadedData& Data() {
    static LoadedData data = [] {
        LoadedData d;
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
        return d;
    }();
    return data;
}

void RunChart(benchmark::State& state, const skydata::SettingsSnapshot& settings, const chart::ChartView& view) {
    if (!DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    LoadedData& data = Data();
    chart::ChartSources sources = chart::ModuleSources();
    sources.settings = &settings;
    sources.styles = &data.startup.Styles;
    sources.catalogs = &data.catalogs;
    sources.constellations = &data.constellations;
    sources.mansion_ra = &data.startup.MansionStarRA;
    platform::ImageSurface surface(1280, 800);
    for (auto _ : state) {
        chart::DrawMap(surface, view, sources);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["objects"] = static_cast<double>(chart::ScreenObjectCount());
}

chart::ChartView StartView(const skydata::SettingsSnapshot& s) {
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

void BM_StartView(benchmark::State& state) {
    const skydata::SettingsSnapshot settings;
    RunChart(state, settings, StartView(settings));
}
BENCHMARK(BM_StartView)->Unit(benchmark::kMillisecond);

void BM_AllSky(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = 11;
    chart::ChartView view = StartView(settings);
    view.center_lat_deg = 90;
    view.fov_deg = 190;
    RunChart(state, settings, view);
}
BENCHMARK(BM_AllSky)->Unit(benchmark::kMillisecond);

void BM_OneDegree(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = 11;
    settings.ViewCoordSys = std::string(1, 'e');
    chart::ChartView view = StartView(settings);
    view.center_lon_deg = 83.8;  // Orion's belt and sword
    view.center_lat_deg = -3;
    view.fov_deg = 1;
    RunChart(state, settings, view);
}
BENCHMARK(BM_OneDegree)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    platform::EnsureQtApp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
