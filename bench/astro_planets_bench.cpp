// The planet table of a redraw, the Earth and Moon vectors that every comet
// and asteroid asks for, and one lunar-phase search.
#include <benchmark/benchmark.h>

#include "astro/Plan404.h"
#include "astro/Planets.h"
#include "astro/SunMoonEvents.h"

namespace {

constexpr double kChartJd = 2460375.0;  // 2024-03-05 12:00 local

// Every iteration a new moment, so nothing comes from the cache.
void BM_CalcPlanetsCold(benchmark::State& state) {
    double jd = kChartJd;
    for (auto _ : state) {
        astro::ClearPlan404Cache();
        astro::CalcPlanets(jd);
        jd += 0.013;
        benchmark::DoNotOptimize(astro::Planets().PlanetTable[8].RA);
    }
}
BENCHMARK(BM_CalcPlanetsCold)->Unit(benchmark::kMicrosecond);

// A redraw at the same chart moment: the series answer from the cache.
void BM_CalcPlanetsWarm(benchmark::State& state) {
    astro::ClearPlan404Cache();
    astro::CalcPlanets(kChartJd);
    for (auto _ : state) {
        astro::CalcPlanets(kChartJd);
        benchmark::DoNotOptimize(astro::Planets().PlanetTable[8].RA);
    }
}
BENCHMARK(BM_CalcPlanetsWarm)->Unit(benchmark::kMicrosecond);

void BM_EarthMoonHeliocentric1000AtOneJde(benchmark::State& state) {
    astro::ClearPlan404Cache();
    const double jde = kChartJd - 0.375 + 69.0 / 86400;
    astro::Vec3Au earth, moon;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            astro::EarthMoonHeliocentric(jde, earth, moon);
            benchmark::DoNotOptimize(earth.x);
        }
    }
}
BENCHMARK(BM_EarthMoonHeliocentric1000AtOneJde)->Unit(benchmark::kMicrosecond);

void BM_LunarPhaseTimeSearch(benchmark::State& state) {
    double start = 2460321.0;
    for (auto _ : state) {
        astro::ClearPlan404Cache();
        benchmark::DoNotOptimize(astro::LunarPhaseTime(start, 180, 9));
        start += 29.53;
    }
}
BENCHMARK(BM_LunarPhaseTimeSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
