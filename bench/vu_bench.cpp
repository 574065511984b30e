// The calendar window at its design size, offscreen, March 2024 at the
// default site: RefreshCalendar (read the panel, draw the month) without and
// with the Sun and Moon rise and set lines, and ApplySetting (the full cycle:
// lunar months of the year, the special days of three sets, the redraw).
// Run from build/bin.
#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include "bench/QtBenchSupport.h"
#include "calendar/CalendarState.h"
#include "calendar/SettingsFiles.h"
#include "platform/QtFakes.h"
#include "platform/QtServices.h"
#include "vu/main/Form1.h"

namespace {

struct Window {
    Window() {
        env.clock.Set(2024, 3, 15, 10, 0, 0);
        env.folders.user = "/nonexistent-vu-bench";
        calendar::ResetCalendarState();
        calendar::ResetSettingsFilesState();
        form = std::make_unique<vu::Form1>();
        form->show();
        QApplication::processEvents();
    }
    platform::FakeQtEnv env{"vu"};
    std::unique_ptr<vu::Form1> form;
};

void BM_RefreshCalendar(benchmark::State& state) {
    Window w;
    w.form->Check1[3]->setChecked(state.range(0) != 0);  // ShowRST
    for (auto _ : state) w.form->RefreshCalendar();
}
BENCHMARK(BM_RefreshCalendar)->Arg(0)->Arg(1)->ArgName("ShowRST")->Unit(benchmark::kMillisecond);

void BM_ApplySettingYearCycle(benchmark::State& state) {
    Window w;
    for (auto _ : state) w.form->ApplySetting();
}
BENCHMARK(BM_ApplySettingYearCycle)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
