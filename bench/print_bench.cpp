// Milliseconds per printed chart page written to an A4 PDF file over the
// committed data set (data/ of the source tree), every layer of the printed
// chart switched on at the default limits: grids, figures, names, stars, the
// Sun, Moon and planets, the Earth's shadow, the data set's comets and
// asteroids, deep-sky objects, a user catalogue of 200 shapes, 200 stars and
// 50 texts, 100 map points, a track of 400 points with 80 marks:
//   AllSky     the all-sky chart (zenith, fov 190);
//   OneDegree  a 1-degree field on Orion's belt, equatorial.
// Each iteration starts the document, draws the page and ends it (the file is
// written). Run from build/bin; needs no display (offscreen Qt platform).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "astro/Planets.h"
#include "bench/chart_bench_data.h"
#include "chart/PrintLayers.h"
#include "platform/PrinterSurface.h"
#include "platform/QtTestApp.h"

namespace {

void EveryPrintedLayer(skydata::SettingsSnapshot& s) {
    s.viewequ = s.viewalt = s.cpolar = s.ipsoodo = s.viewconstname = s.viewconstnamee = s.viewoldmapname = true;
    s.viewecl = s.viewgalequ = s.milkyway = s.viewcboundary = s.viewconstline = s.viewconstlinee = true;
    s.viewoldmap = s.viewstarname1 = s.viewstarname2 = s.viewstar = s.drawhorizon = true;
    s.viewconstar = 1;
    bench::SetEveryLayer(s, true);
    s.drawnonstellar = true;
    s.cometlimit = s.asteroidlimit = 12;
}

void RunPage(benchmark::State& state, const skydata::SettingsSnapshot& settings, const chart::PrintView& view) {
    if (!bench::DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    bench::LoadedData& data = bench::EveryLayerData();
    chart::ChartSources sources = bench::EverySources(data, settings, true);
    const std::filesystem::path pdf = std::filesystem::temp_directory_path() / "zu_print_bench.pdf";
    for (auto _ : state) {
        auto document = platform::StartPrinterDocument(platform::PrintTarget{"", pdf});
        if (!document) {
            state.SkipWithError("cannot write the PDF file");
            return;
        }
        const auto error = chart::PrintChartPage(document->Page(), view, sources);
        if (error || !document->End()) {
            state.SkipWithError("the page failed");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
}

chart::PrintView PageView(const skydata::SettingsSnapshot& s) {
    const chart::ChartView v = bench::StartView(s);
    chart::PrintView p;
    p.title = "zu";
    p.lat_deg = v.lat_deg;
    p.lst_h = v.lst_h;
    p.jd_local = v.jd_local;
    p.coord_sys = v.coord_sys;
    p.screen_fov_deg = s.ViewFOV;
    return p;
}

void BM_PrintAllSky(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    EveryPrintedLayer(settings);
    chart::PrintView view = chart::AllSkyPrintView(settings, PageView(settings).lst_h, "zu");
    view.lat_deg = settings.lat;
    view.jd_local = bench::kChartJd;
    RunPage(state, settings, view);
}
BENCHMARK(BM_PrintAllSky)->Unit(benchmark::kMillisecond);

void BM_PrintOneDegree(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    EveryPrintedLayer(settings);
    settings.ViewCoordSys = std::string(1, 'e');
    chart::PrintView view = PageView(settings);
    view.center_lon_deg = 83.8;
    view.center_lat_deg = -3;
    view.fov_deg = 1;
    RunPage(state, settings, view);
}
BENCHMARK(BM_PrintOneDegree)->Unit(benchmark::kMillisecond);

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
