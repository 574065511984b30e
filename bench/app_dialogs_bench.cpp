// "적용" of the settings window and of the time window over the real data of
// the program folder, without a main window (so without the redraw): star
// vectors of both catalogues, mansion stars, user lists, tracks and the save
// of Default.cfg. Run from build/bin.
#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/MainState.h"
#include "app/SettingsWindow.h"
#include "app/Startup.h"
#include "app/TimeWindow.h"
#include "astro/JulianDay.h"
#include "platform/Fakes.h"
#include "platform/QtServices.h"
#include "skydata/Settings.h"

namespace {

std::filesystem::path ScratchUserFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zu_app_dialogs_bench_user";
    std::filesystem::create_directories(folder);
    return folder;
}

struct DialogFixture {
    DialogFixture() {
        env.folders.program = std::filesystem::current_path();
        env.folders.user = ScratchUserFolder();
        env.clock.Set(2024, 3, 15, 21, 0, 0);
        app::LoadProgramState(env.folders.program);
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    }
    platform::FakeEnv env;
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(ScratchUserFolder());
    return 0;
}
