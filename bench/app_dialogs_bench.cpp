// "적용" of the settings window and of the time window over the real data of
// the program folder, without a main window (so without the redraw): star
// vectors of both catalogues, mansion stars, user lists, tracks and the save
// of Default.cfg. Run from build/bin.
#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/QtBenchSupport.h"
#include "app/MainState.h"
#include "app/SettingsWindow.h"
#include "app/Startup.h"
#include "app/TimeWindow.h"
#include "astro/JulianDay.h"
#include "skydata/Settings.h"

namespace {

struct DialogFixture {
    DialogFixture() {
        app::LoadProgramState(run.env.folders.program);
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    }
    bench::ProgramEnv run;
};

void BM_FrmSetApply(benchmark::State& state) {
    DialogFixture f;
    for (auto _ : state) {
        app::FrmSet window(nullptr);
        window.CmdOK_Click();
    }
}
BENCHMARK(BM_FrmSetApply)->Unit(benchmark::kMillisecond);

void BM_FrmTimeApply(benchmark::State& state) {
    DialogFixture f;
    app::FrmTime window(nullptr);
    window.ChkCloseWin->setChecked(false);
    for (auto _ : state) window.CmdOK_Click();
}
BENCHMARK(BM_FrmTimeApply)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
