// Start-up loading of the committed data set (data/ of the source tree) and
// the per-date recomputation of star vectors. Run from build/bin.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>

#include "platform/Memory.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/Elements.h"
#include "skydata/MilkyWay.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";
constexpr double kChartJd = 2460390.5;  // 2024-03-20, a fixed chart date

bool DataPresent() {
    return fs::exists(kData / "bsc" / "bsc00.dat") && fs::exists(kData / "sky2000" / "s2k00.dat") &&
           fs::exists(kData / "ConstDataO.dat") && fs::exists(kData / "wName.dat");
}

// Every data file the start-up loader reads, in its order, with the
// derived tables (labels, vectors, mansion stars, star-name links).
void BM_LoadWholeDataSet(benchmark::State& state) {
    if (!DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    for (auto _ : state) {
        skydata::LoadLog log;
        skydata::ConstellationState constellations;
        skydata::CatalogState catalogs;
        skydata::StartupTablesState startup;
        constellations.MilkyWayPoint = skydata::LoadMilkyWay(kData, log);
        constellations.BoundaryPoint = skydata::LoadConstBounds(kData, log);
        constellations.W = skydata::LoadConstellationSystem(kData, 'W', log);
        constellations.E = skydata::LoadConstellationSystem(kData, 'E', log);
        constellations.O = skydata::LoadConstellationSystem(kData, 'O', log);
        skydata::LoadAsteroids(kData, log);
        skydata::LoadComets(kData, log);
        constellations.PosTable = skydata::LoadConstPosTable(kData, log);
        skydata::LoadBrightStars(catalogs, kData, kChartJd, true, log);
        skydata::LoadSky2000Stars(catalogs, kData, kChartJd, true, log);
        skydata::LoadDeepSky(catalogs, kData, log);
        skydata::ComputeDsoVectors(catalogs);
        for (auto* system : {&constellations.W, &constellations.E, &constellations.O}) {
            skydata::BuildConstLabels(system->Labels, system->Data, false);
        }
        skydata::InitGanzhiAndMansionStars(startup.MansionStarRA);
        skydata::PrecessMansionStars(startup.MansionStarRA, kChartJd, true);
        skydata::LoadStarNames(catalogs, kData, log);
        skydata::LinkStarNames(catalogs);
        benchmark::DoNotOptimize(catalogs.S2kStar[0].data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LoadWholeDataSet)->Unit(benchmark::kMillisecond);

// The extended catalogue alone: 30 zone files, 290,069 stars, with their
// vectors for the chart date.
void BM_LoadSky2000Stars(benchmark::State& state) {
    if (!DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    for (auto _ : state) {
        skydata::LoadLog log;
        skydata::CatalogState catalogs;
        skydata::LoadSky2000Stars(catalogs, kData, kChartJd, true, log);
        benchmark::DoNotOptimize(catalogs.S2kStar[0].data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LoadSky2000Stars)->Unit(benchmark::kMillisecond);

skydata::CatalogState& LoadedCatalogs() {
    static skydata::CatalogState catalogs = [] {
        skydata::CatalogState c;
        skydata::LoadLog log;
        skydata::LoadBrightStars(c, kData, kChartJd, true, log);
        skydata::LoadSky2000Stars(c, kData, kChartJd, true, log);
        skydata::LoadStarNames(c, kData, log);
        return c;
    }();
    return catalogs;
}

// One pass over the 290,069 extended-catalogue stars, as after a change of year.
void BM_ComputeS2kVectors(benchmark::State& state) {
    if (!DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    skydata::CatalogState& catalogs = LoadedCatalogs();
    double jd = kChartJd;
    for (auto _ : state) {
        skydata::ComputeS2kVectors(catalogs, jd, true);
        jd += 365.25;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComputeS2kVectors)->Unit(benchmark::kMillisecond);

// The bright stars with the star-name links that follow them.
void BM_ComputeBscVectors(benchmark::State& state) {
    if (!DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    skydata::CatalogState& catalogs = LoadedCatalogs();
    double jd = kChartJd;
    for (auto _ : state) {
        skydata::ComputeBscVectors(catalogs, jd, true);
        jd += 365.25;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComputeBscVectors)->Unit(benchmark::kMillisecond);

}  // namespace

// With the heap as the sky-chart program sets it up before it loads (large
// pages), so the figures are the loaders' own and not the machine's page faults.
int main(int argc, char** argv) {
    platform::PreferLargePagesForHeap(skydata::kLoadedTablesHeapBytes);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
