// The calendar's month of rise and set times (both bodies, steps 4 and 1),
// the special days of the three sets of a year, the phenomena list of a shown
// month and of a year, and reading and writing a full settings file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "calendar/CalendarPhenomena.h"
#include "calendar/CalendarState.h"
#include "calendar/ComputedDays.h"
#include "calendar/RiseSet.h"
#include "calendar/SettingsFiles.h"
#include "calendar/VuCalendarServices.h"

namespace {

void BM_RiseSetMonth(benchmark::State& state) {
    const int step = static_cast<int>(state.range(0));
    const double first = calendar::JulianDay(2024, 1, 1, 12, 0, 0);
    for (auto _ : state) {
        for (int d = 0; d < 31; ++d) {
            benchmark::DoNotOptimize(calendar::RiseSetDay(128, 37.5, first + d, 9, calendar::kRiseSetKindSun, calendar::kRiseSetSun,
                                                    step, false));
            benchmark::DoNotOptimize(calendar::RiseSetDay(128, 37.5, first + d, 9, calendar::kRiseSetKindMoon,
                                                    calendar::kRiseSetMoon, step, false));
        }
    }
}
BENCHMARK(BM_RiseSetMonth)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

// A full user set: every slot in use, a tenth of them D-Days.
void FillSets(calendar::CalendarState& s) {
    for (int set = 0; set < calendar::kSDaySets; ++set)
        for (int i = 0; i < calendar::kSDayUserSlots; ++i) {
            calendar::SDayRecord& r = s.SDays[static_cast<std::size_t>(set)][static_cast<std::size_t>(i)];
            r.name = "기념일 " + std::to_string(i);
            r.year = i % 10 == 9 ? calendar::DDayYear : calendar::EveryYear;
            r.month = static_cast<std::int16_t>(i % 10 == 9 ? i - 1 : 1 + i % 12);
            r.day = static_cast<std::int16_t>(1 + i % 28);
            r.lunar = i % 7 == 3;
            r.kind = static_cast<std::uint8_t>(i % 4);
        }
}

void BM_YearSpecialDays(benchmark::State& state) {
    calendar::ResetCalendarState();
    calendar::CalendarState& s = calendar::Calendar();
    FillSets(s);
    s.CalYear = 2024;
    calendar::PrepareLunarYear(calendar::JulianDay(2024, 1, 1, 12, 0, 0), 9, calendar::SetEraRules(2024), calendar::CalendarServicesOfVu(),
                         s.lunar_months);
    for (auto _ : state)
        for (int set = 0; set < calendar::kSDaySets; ++set) benchmark::DoNotOptimize(calendar::YearSpecialDays(2024, set));
}
BENCHMARK(BM_YearSpecialDays)->Unit(benchmark::kMillisecond);

void BM_ListPlanetPhenomena(benchmark::State& state) {
    const double from = calendar::JulianDay(2024, 3, 1, 0, 0, 0);
    const double days = static_cast<double>(state.range(0));
    std::vector<double> jd;
    std::vector<std::string> name;
    for (auto _ : state) {
        calendar::ListPlanetPhenomena(from - 30, from + days + 30, 9, {}, jd, name);
        benchmark::DoNotOptimize(jd.data());
    }
    state.counters["rows"] = static_cast<double>(jd.size());
}
BENCHMARK(BM_ListPlanetPhenomena)->Arg(31)->Arg(366)->Unit(benchmark::kMillisecond);

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() / "vu_calendar_days_bench.cal";
}

void BM_WriteSettings(benchmark::State& state) {
    calendar::CalendarState s;
    FillSets(s);
    for (auto _ : state) benchmark::DoNotOptimize(calendar::WriteSettings(BenchFile(), s));
}
BENCHMARK(BM_WriteSettings)->Unit(benchmark::kMillisecond);

void BM_ReadSettings(benchmark::State& state) {
    calendar::CalendarState s;
    FillSets(s);
    calendar::WriteSettings(BenchFile(), s);
    for (auto _ : state) benchmark::DoNotOptimize(calendar::ReadSettings(BenchFile(), s));
    std::filesystem::remove(BenchFile());
}
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMillisecond);

}  // namespace
