// Start-up loading over the real data of the program folder, and the cost of
// the redraw entry beside the chart drawing alone. Run from build/bin.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/QtBenchSupport.h"
#include "chart/DrawMap.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/Startup.h"

namespace {

void BM_InitProgramLoad(benchmark::State& state) {
    bench::ProgramEnv run;
    for (auto _ : state) zu::LoadProgramState(run.env.folders.program);
}
BENCHMARK(BM_InitProgramLoad)->Unit(benchmark::kMillisecond);

class ChartFixture {
public:
    ChartFixture() {
        zu::LoadProgramState(run.env.folders.program);
        form = std::make_unique<zu::Form1>();
        form->resize(1024, 720);
        form->show();
        QCoreApplication::processEvents();
    }
    bench::ProgramEnv run;
    std::unique_ptr<zu::Form1> form;
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
        chart::DrawMap(f.form->Picture1->Surface(), s.lat, zu::AppState().LocalSiderealTime, s.ViewCenterX,
                       s.ViewCenterY, s.ViewFOV);
    }
}
BENCHMARK(BM_DrawMapAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
