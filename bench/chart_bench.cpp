// Milliseconds per screen chart over the committed data set (data/ of the
// source tree), with the number of drawn objects as a counter:
//   StartView  the default start view: horizontal, fov 60, 1280 x 800, default settings;
//   AllSky     fov 190 with the extended catalogue at limit 11, 10, 8 and 6;
//   OneDegree  a 1-degree field at limit 11 with the extended catalogue.
// Run from build/bin; needs no display (offscreen Qt platform).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/chart_bench_data.h"
#include "chart/ChartState.h"
#include "chart/DrawMap.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"

namespace {

using bench::StartView;

void RunChart(benchmark::State& state, const skydata::SettingsSnapshot& settings, const chart::ChartView& view) {
    if (!bench::DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    static bench::ChartData data = [] {
        bench::ChartData d;
        bench::LoadChartData(d);
        return d;
    }();
    const chart::ChartSources sources = bench::SourcesOf(data, settings);
    platform::ImageSurface surface(1280, 800);
    for (auto _ : state) {
        chart::DrawMap(surface, view, sources);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["objects"] = static_cast<double>(chart::ScreenObjectCount());
}

void BM_StartView(benchmark::State& state) {
    const skydata::SettingsSnapshot settings;
    RunChart(state, settings, StartView(settings));
}
BENCHMARK(BM_StartView)->Unit(benchmark::kMillisecond);

// Arg: the limiting magnitude.
void BM_AllSky(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = static_cast<double>(state.range(0));
    chart::ChartView view = StartView(settings);
    view.center_lat_deg = 90;
    view.fov_deg = 190;
    RunChart(state, settings, view);
}
BENCHMARK(BM_AllSky)->Arg(11)->Arg(10)->Arg(8)->Arg(6)->Unit(benchmark::kMillisecond);

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
