// "적용" of the settings window and of the time window over the real data of
// the program folder, without a main window (so without the redraw): star
// vectors of both catalogues, mansion stars, user lists, tracks and the save
// of Default.cfg. Run from build/bin.
#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "astro/JulianDay.h"
#include "bench/QtBenchSupport.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/dialogs/SettingsWindow.h"
#include "zu/dialogs/TimeWindow.h"
#include "zu/main/Startup.h"

namespace {

struct DialogFixture {
    DialogFixture() {
        zu::LoadProgramState(run.env.folders.program);
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    }
    bench::ProgramEnv run;
};

void BM_FrmSetApply(benchmark::State& state) {
    DialogFixture f;
    for (auto _ : state) {
        zu::FrmSet window(nullptr);
        window.CmdOK_Click();
    }
}
BENCHMARK(BM_FrmSetApply)->Unit(benchmark::kMillisecond);

void BM_FrmTimeApply(benchmark::State& state) {
    DialogFixture f;
    zu::FrmTime window(nullptr);
    window.ChkCloseWin->setChecked(false);
    for (auto _ : state) window.CmdOK_Click();
}
BENCHMARK(BM_FrmTimeApply)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
