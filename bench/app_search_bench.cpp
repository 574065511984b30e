// The searches that run on every keystroke in the object search window, over
// the committed data set: the free-text name search for a one-digit and a
// three-letter query, and the extended-catalogue lookup by HD number, which
// compares all 290,069 records.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "astro/Planets.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"
#include "zu/search/ObjectSearch.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";
constexpr double kChartJd = 2460390.5 + 21.0 / 24;

struct SearchData {
    skydata::CatalogState catalogs;
    skydata::ConstellationState constellations;
    astro::PlanetTableT planets{};
    std::vector<astro::BodyPosition> comets, asteroids;

    SearchData() {
        skydata::LoadLog log;
        for (char letter : {'W', 'E', 'O'}) {
            skydata::ConstellationSystem system = skydata::LoadConstellationSystem(kData, letter, log);
            (letter == 'W' ? constellations.W : letter == 'E' ? constellations.E : constellations.O) = system;
        }
        skydata::LoadBrightStars(catalogs, kData, kChartJd, true, log);
        skydata::LoadSky2000Stars(catalogs, kData, kChartJd, true, log);
        skydata::LoadDeepSky(catalogs, kData, log);
        skydata::LoadStarNames(catalogs, kData, log);
        astro::InitPlanetTable(planets);
    }
    zu::SearchSources Sources() const {
        zu::SearchSources sources;
        sources.constellations = &constellations;
        sources.planets = &planets;
        sources.comets = &comets;
        sources.asteroids = &asteroids;
        sources.catalogs = &catalogs;
        return sources;
    }
};

const SearchData& Data() {
    static const SearchData data;
    return data;
}

void BM_FindNameString(benchmark::State& state, const char* query) {
    const zu::SearchSources sources = Data().Sources();
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto matches = zu::FindNameMatches(query, sources);
        lines = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK_CAPTURE(BM_FindNameString, one_digit, "1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindNameString, ori, "ori")->Unit(benchmark::kMillisecond);

void BM_FindSky2000StarByHD(benchmark::State& state) {
    const skydata::CatalogState& catalogs = Data().catalogs;
    std::size_t records = 0;
    for (std::size_t z = 0; z < catalogs.S2kStar.size(); ++z) records += catalogs.S2kStar[z].size();
    for (auto _ : state) {
        const auto hit = zu::FindSky2000Star(catalogs, "192907", zu::S2kField::HD);
        benchmark::DoNotOptimize(hit);
    }
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_FindSky2000StarByHD)->Unit(benchmark::kMillisecond);

void BM_FindSky2000StarByNumber(benchmark::State& state) {
    for (auto _ : state) {
        const auto hit = zu::FindSky2000Star(Data().catalogs, "h99255b", zu::S2kField::Catalogue);
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_FindSky2000StarByNumber)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
