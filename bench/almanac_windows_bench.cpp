// The almanac windows' work at the default site: ShowDayInfo of one day, a
// conversion of a leap month the year lacks (the slowest: every month of
// the year is probed), the solar-terms window's load (24 terms and the
// phenomena of a year), CalcMoon, and tonight's events with the dark-sky
// diagram of one day. Run from build/bin.
#include <QApplication>
#include <QLineEdit>
#include <QCheckBox>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include "astro/JulianDay.h"
#include "bench/QtBenchSupport.h"
#include "platform/QtFakes.h"
#include "skydata/Settings.h"
#include "zu/almanac/Frm24julgi.h"
#include "zu/almanac/FrmDCal.h"
#include "zu/almanac/FrmLuniSolar.h"
#include "zu/almanac/FrmMoon.h"
#include "zu/almanac/FrmToday.h"

namespace {

void SetChartTime() { skydata::CurrentSettings().CurrentJD = astro::DateToJD(2008, 8, 1, 21, 0, 0); }

void BM_ShowDayInfo(benchmark::State& state) {
    platform::FakeQtEnv env;
    SetChartTime();
    zu::FrmDCal window;
    for (auto _ : state) window.ShowDayInfo();
}
BENCHMARK(BM_ShowDayInfo)->Unit(benchmark::kMillisecond);

void BM_ConvertMissingLeapMonth(benchmark::State& state) {
    platform::FakeQtEnv env;
    zu::FrmLuniSolar window;
    window.Combo1->setCurrentIndex(1);
    window.Combo2->setCurrentIndex(0);
    window.txtDate[0]->setText("2024");
    window.txtDate[1]->setText("2");
    window.CLeap->setChecked(true);
    for (auto _ : state) window.CmdCalc_Click();
}
BENCHMARK(BM_ConvertMissingLeapMonth)->Unit(benchmark::kMillisecond);

void BM_SolarTermsWindowLoad(benchmark::State& state) {
    platform::FakeQtEnv env;
    SetChartTime();
    for (auto _ : state) {
        zu::Frm24julgi window;
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_SolarTermsWindowLoad)->Unit(benchmark::kMillisecond);

void BM_CalcMoon(benchmark::State& state) {
    platform::FakeQtEnv env;
    SetChartTime();
    zu::FrmMoon window;
    const double base = window.Base;
    for (auto _ : state) {
        window.Base = base;
        window.CalcMoon();
    }
}
BENCHMARK(BM_CalcMoon)->Unit(benchmark::kMillisecond);

// The list of 13 bodies and twilights, then the 721 samples of the diagram.
void BM_FillTonightList(benchmark::State& state) {
    platform::FakeQtEnv env;
    SetChartTime();
    zu::frmToday window;
    double day = window.BaseDay;
    for (auto _ : state) {
        window.FillTonightList(day);
        day += 1;
    }
}
BENCHMARK(BM_FillTonightList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
