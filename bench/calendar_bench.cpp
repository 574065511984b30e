// The calendar's series, its two solvers and the preparation of a year's
// lunar months (about a hundred solver runs).
#include <benchmark/benchmark.h>

#include "calendar/LunarYear.h"
#include "calendar/SunMoonSeries.h"
#include "calendar/SunMoonSolvers.h"
#include "calendar/TimeBase.h"
#include "calendar/VuCalendarServices.h"

namespace {

void BM_EclipticPositionEarth(benchmark::State& state) {
    double jde = 2460310.5, lon, lat, r;
    for (auto _ : state) {
        calendar::EclipticPosition(jde, calendar::kBodyEarth, true, lon, lat, r);
        benchmark::DoNotOptimize(lon);
        jde += 0.01;
    }
}
BENCHMARK(BM_EclipticPositionEarth);

void BM_EclipticPositionMoon(benchmark::State& state) {
    double jde = 2460310.5, lon, lat, r;
    for (auto _ : state) {
        calendar::EclipticPosition(jde, calendar::kBodyMoon, true, lon, lat, r);
        benchmark::DoNotOptimize(lon);
        jde += 0.01;
    }
}
BENCHMARK(BM_EclipticPositionMoon);

void BM_SolarLongitudeTime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(calendar::SolarLongitudeTime(2024, 270, 350, 9));
}
BENCHMARK(BM_SolarLongitudeTime);

void BM_LunarPhaseTime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(calendar::LunarPhaseTime(2460330.5, 0, 9));
}
BENCHMARK(BM_LunarPhaseTime);

void BM_PrepareLunarYear2024(benchmark::State& state) {
    const almanac::CalendarServices services = calendar::CalendarServicesOfVu();
    calendar::LunarMonthTable table;
    for (auto _ : state) {
        calendar::PrepareLunarYear(calendar::JulianDay(2024, 1, 1, 12), 9, calendar::SetEraRules(2024), services, table);
        benchmark::DoNotOptimize(table.slot[0].StartJD);
    }
}
BENCHMARK(BM_PrepareLunarYear2024)->Unit(benchmark::kMillisecond);

}  // namespace
