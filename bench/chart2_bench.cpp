// Milliseconds per screen chart over the committed data set (data/ of the
// source tree) for the views of chart_bench, each drawn twice:
//   .../Stars  the star, name, label and legend layers only (every line, grid,
//              ground, body, deep-sky and user layer switched off);
//   .../Every  every layer on, with comets and asteroids recomputed per chart,
//              a user catalogue, map points, tracks and the centre marks.
// The ratio Every / Stars is what the line and body layers add. Run from
// build/bin (the orbit solver library is loaded from there).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "astro/OrbitElements.h"
#include "bench/chart_bench_data.h"
#include "chart/ChartState.h"
#include "chart/DrawMap.h"
#include "chart/PathLists.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/Elements.h"

namespace {

using chartbench::StartView;

struct LoadedData : chartbench::ChartData {
    std::array<skydata::CustomCatalog, 2> userCatalogs;
    std::vector<skydata::MapPoint> mapPoints;
};

LoadedData& Data() {
    static LoadedData data = [] {
        LoadedData d;
        chartbench::LoadChartData(d);
        skydata::LoadLog log;
        skydata::LoadComets(chartbench::kData, log);
        skydata::LoadAsteroids(chartbench::kData, log);
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

void SetEveryLayer(skydata::SettingsSnapshot& s, bool on) {
    s.showground = s.viewalt = s.drawhorizon = s.viewequ = s.viewecl = s.viewgalequ = on;
    s.milkyway = s.viewcboundary = s.viewconstline = s.viewconstlinee = s.viewoldmap = on;
    s.viewshadow = s.drawnonstellar = s.drawcomet = s.drawasteroid = s.ViewPath = s.viewplanet = on;
    s.drawcuscat0 = s.usercatfile0is = on;
    s.viewcmark = s.viewccircle = s.CenterCross = on;
    if (on) s.viewoldmapname = s.cpolar = s.ipsoodo = s.viewconstnamee = true;
}

void RunChart(benchmark::State& state, skydata::SettingsSnapshot settings, const chart::ChartView& view) {
    if (!chartbench::DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    const bool every = state.range(0) != 0;
    SetEveryLayer(settings, every);
    LoadedData& data = Data();
    chart::ChartSources sources = chartbench::SourcesOf(data, settings);
    sources.user_catalogs = &data.userCatalogs;
    sources.map_points = &data.mapPoints;
    sources.map_points_shown = every;
    platform::ImageSurface surface(1280, 800);
    for (auto _ : state) {
        chart::DrawMap(surface, view, sources);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["objects"] = static_cast<double>(chart::ScreenObjectCount());
    state.SetLabel(every ? "Every" : "Stars");
}

void BM_StartView(benchmark::State& state) {
    const skydata::SettingsSnapshot settings;
    RunChart(state, settings, StartView(settings));
}
BENCHMARK(BM_StartView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AllSky(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = 11;
    chart::ChartView view = StartView(settings);
    view.center_lat_deg = 90;
    view.fov_deg = 190;
    RunChart(state, settings, view);
}
BENCHMARK(BM_AllSky)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OneDegree(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = 11;
    settings.ViewCoordSys = std::string(1, 'e');
    chart::ChartView view = StartView(settings);
    view.center_lon_deg = 83.8;
    view.center_lat_deg = -3;
    view.fov_deg = 1;
    RunChart(state, settings, view);
}
BENCHMARK(BM_OneDegree)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
