// The animation at the default view over the real data of the program
// folder: each frame is one tick of the animation timer, which steps the
// chart time by the interval and redraws. Run from build/bin; the counter
// frames_per_second is the figure to compare with the frame rates the
// animation settings offer.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Form1.h"
#include "app/MainState.h"
#include "app/Startup.h"
#include "platform/Fakes.h"
#include "platform/QtServices.h"
#include "skydata/Settings.h"

namespace {

constexpr int kFramesPerRun = 100;

std::filesystem::path ScratchUserFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "zu_app_animation_bench_user";
    std::filesystem::create_directories(folder);
    return folder;
}

// Steps of the interval menu: 1 hour (the start value) and 1 day.
void BM_AnimationFrames(benchmark::State& state) {
    platform::FakeEnv env;
    env.folders.program = std::filesystem::current_path();
    env.folders.user = ScratchUserFolder();
    env.clock.Set(2024, 3, 15, 21, 0, 0);
    app::LoadProgramState(env.folders.program);
    // No "Default.cfg" in the scratch folder: the default view and site.
    app::Form1 form;
    form.resize(1024, 720);
    form.show();
    QCoreApplication::processEvents();
    form.mnuInterval_Click(static_cast<int>(state.range(0)));

    for (auto _ : state) {
        for (int frame = 0; frame < kFramesPerRun; ++frame) form.Timer1_Timer();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFramesPerRun, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnimationFrames)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

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
