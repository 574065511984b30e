// The calendar's tool windows at the default site, Korean time: the
// lunar-to-solar conversion table of 2023 (a year with a leap month; the
// window warns it may be slow), the solar-to-lunar one, and ShowDayInfo of
// one day (rise, set and twilight rows, the Moon's age, the lunar date).
// Run from build/bin.
#include <QApplication>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include "bench/QtBenchSupport.h"
#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"
#include "platform/QtFakes.h"
#include "platform/QtServices.h"
#include "vu/grid/YearCycle.h"
#include "vu/windows/Form3.h"
#include "vu/windows/FrmDCal.h"

namespace {

void ShowYear2024() {
    calendar::ResetCalendarState();
    calendar::CalendarState& state = calendar::Calendar();
    state.CalYear = 2024;
    calendar::UpdateSummerDays(state);
    vu::PrepareDisplayedYear(state, 3);
}

void BM_GenTransTableLunarToSolar(benchmark::State& state) {
    platform::FakeQtEnv env("vu");
    ShowYear2024();
    vu::Form3 window(3);
    for (auto _ : state) window.GenTransTable(2023, 0);
}
BENCHMARK(BM_GenTransTableLunarToSolar)->Unit(benchmark::kMillisecond);

void BM_GenTransTableSolarToLunar(benchmark::State& state) {
    platform::FakeQtEnv env("vu");
    ShowYear2024();
    vu::Form3 window(3);
    for (auto _ : state) window.GenTransTable(2023, 1);
}
BENCHMARK(BM_GenTransTableSolarToLunar)->Unit(benchmark::kMillisecond);

void BM_ShowDayInfo(benchmark::State& state) {
    platform::FakeQtEnv env("vu");
    ShowYear2024();
    vu::DetailJD() = calendar::JulianDay(2024, 5, 3, 12);
    vu::FrmDCal window;
    for (auto _ : state) window.ShowDayInfo();
}
BENCHMARK(BM_ShowDayInfo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
