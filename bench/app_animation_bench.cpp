// The animation at the default view over the real data of the program
// folder: each frame is one tick of the animation timer, which steps the
// chart time by the interval and redraws. Run from build/bin; the counter
// frames_per_second is the figure to compare with the frame rates the
// animation settings offer.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/QtBenchSupport.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/main/Form1.h"
#include "zu/main/Startup.h"

namespace {

constexpr int kFramesPerRun = 100;

// Steps of the interval menu: 1 hour (the start value) and 1 day.
void BM_AnimationFrames(benchmark::State& state) {
    bench::ProgramEnv run;
    zu::LoadProgramState(run.env.folders.program);
    // No "Default.cfg" in the scratch folder: the default view and site.
    zu::Form1 form;
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

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
