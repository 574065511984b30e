// Milliseconds per screen chart over the committed data set (data/ of the
// source tree) for the views of chart_bench, each drawn twice:
//   .../Stars  the star, name, label and legend layers only (every line, grid,
//              ground, body, deep-sky and user layer switched off);
//   .../Every  every layer on, with comets and asteroids recomputed per chart,
//              a user catalogue, map points, tracks and the centre marks.
// The ratio Every / Stars is what the line and body layers add. Run from
// build/bin (the orbit solver library is loaded from there).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/chart_bench_data.h"
#include "chart/ChartState.h"
#include "chart/DrawMap.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"

namespace {

using bench::StartView;

void RunChart(benchmark::State& state, skydata::SettingsSnapshot settings, const chart::ChartView& view) {
    if (!bench::DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    const bool every = state.range(0) != 0;
    bench::SetEveryLayer(settings, every);
    chart::ChartSources sources = bench::EverySources(bench::EveryLayerData(), settings, every);
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

// Args: every layer (0/1) and the limiting magnitude.
void BM_AllSky(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = static_cast<double>(state.range(1));
    chart::ChartView view = StartView(settings);
    view.center_lat_deg = 90;
    view.fov_deg = 190;
    RunChart(state, settings, view);
}
BENCHMARK(BM_AllSky)->ArgsProduct({{0, 1}, {11, 10, 8, 6}})->Unit(benchmark::kMillisecond);

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
