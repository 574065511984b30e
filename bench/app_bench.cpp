// Start-up loading over the real data of the program folder, and the cost of
// the redraw entry beside the chart drawing alone. Run from build/bin.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/ChartWidget.h"
#include "app/Form1.h"
#include "app/MainState.h"
#include "app/Startup.h"
#include "chart/DrawMap.h"
#include "platform/Fakes.h"
#include "platform/QtServices.h"
#include "skydata/Settings.h"

namespace {

std::filesystem::path ScratchUserFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zu_app_bench_user";
    std::filesystem::create_directories(folder);
    return folder;
}

struct BenchEnv {
    BenchEnv() {
        env.folders.program = std::filesystem::current_path();
        env.folders.user = ScratchUserFolder();
        env.clock.Set(2024, 3, 15, 21, 0, 0);
    }
    platform::FakeEnv env;
};

void BM_InitProgramLoad(benchmark::State& state) {
    BenchEnv bench;
    for (auto _ : state) app::LoadProgramState(bench.env.folders.program);
}
BENCHMARK(BM_InitProgramLoad)->Unit(benchmark::kMillisecond);

class ChartFixture {
public:
    ChartFixture() {
        app::LoadProgramState(bench.env.folders.program);
        form = std::make_unique<app::Form1>();
        form->resize(1024, 720);
        form->show();
        QCoreApplication::processEvents();
    }
    BenchEnv bench;
    std::unique_ptr<app::Form1> form;
};

void BM_SetMapBox(benchmark::State& state) {
    ChartFixture f;
    for (auto _ : state) f.form->SetMapBox();
}
BENCHMARK(BM_SetMapBox)->Unit(benchmark::kMillisecond);

void BM_DrawMapAlone(benchmark::State& state) {
    ChartFixture f;
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    for (auto _ : state) {
        chart::DrawMap(f.form->Picture1->Surface(), s.lat, app::AppState().LocalSiderealTime, s.ViewCenterX,
                       s.ViewCenterY, s.ViewFOV);
    }
}
BENCHMARK(BM_DrawMapAlone)->Unit(benchmark::kMillisecond);

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
