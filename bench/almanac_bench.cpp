// One lunar conversion each way, the phenomena list of the solar terms
// window (a year and 30 days on each side), with the sky chart's solvers,
// and the close-approach search over the window's default 60 days and over
// five years.
#include <benchmark/benchmark.h>

#include "almanac/CloseApproach.h"
#include "almanac/LunarCalendar.h"
#include "almanac/PhenomenaList.h"
#include "almanac/SkyCalendarServices.h"
#include "astro/JulianDay.h"

namespace {

const almanac::CalendarServices& Sky() { return almanac::SkyCalendarServices(); }

// Every iteration another day, so no solver result repeats.
void BM_SolarToLunar(benchmark::State& state) {
    double day = astro::DateToJD(2024, 4, 8, 12, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(almanac::SolarToLunar(day, 9.0, {}, Sky()));
        day += 17;
    }
}
BENCHMARK(BM_SolarToLunar)->Unit(benchmark::kMillisecond);

void BM_LunarToSolarFound(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(almanac::LunarToSolar({2023, 2, 1, true}, 9.0, {}, Sky()));
}
BENCHMARK(BM_LunarToSolarFound)->Unit(benchmark::kMillisecond);

// 2024 has no leap second month: the search runs all its probes.
void BM_LunarToSolarNotFound(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(almanac::LunarToSolar({2024, 2, 1, true}, 9.0, {}, Sky()));
}
BENCHMARK(BM_LunarToSolarNotFound)->Unit(benchmark::kMillisecond);

void BM_ListPlanetPhenomena14Months(benchmark::State& state) {
    const double from = astro::DateToJD(2008, 1, 1, 12, 0, 0) - 30;
    const double to = astro::DateToJD(2008, 12, 31, 12, 0, 0) + 30;
    std::vector<double> times;
    std::vector<std::string> texts;
    for (auto _ : state) {
        almanac::ListPlanetPhenomena(from, to, 9.0, Sky(), times, texts);
        benchmark::DoNotOptimize(times.data());
    }
}
BENCHMARK(BM_ListPlanetPhenomena14Months)->Unit(benchmark::kMillisecond);

void FindApproachesOver(benchmark::State& state, double days) {
    almanac::ApproachRequest request;
    request.start_jd = astro::DateToJD(2020, 12, 10, 12, 0, 0);
    request.end_jd = request.start_jd + days;
    std::vector<double> times;
    std::vector<std::string> texts;
    for (auto _ : state) {
        almanac::FindApproaches(request, almanac::SkyPlanetTableSource(), times, texts);
        benchmark::DoNotOptimize(times.data());
    }
    state.counters["rows"] = static_cast<double>(times.size());
}

// The window's default period: ten days before to fifty after the chart date
// (about 0.45 s in Release on the development machine).
void BM_FindApproaches60Days(benchmark::State& state) { FindApproachesOver(state, 60); }
BENCHMARK(BM_FindApproaches60Days)->Unit(benchmark::kMillisecond);

// The longest period accepted, gatherings and pairs (about 8 s in Release on
// the development machine, 819 rows).
void BM_FindApproachesFiveYears(benchmark::State& state) { FindApproachesOver(state, 1827); }
BENCHMARK(BM_FindApproachesFiveYears)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
