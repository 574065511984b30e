// The cost of one pointer event over the chart: the inverse projection, the
// conversion to the other frame and the two status-panel texts (the budget is
// 50 microseconds per event). Runs over the real data of the program folder
// with the first chart drawn; run from build/bin.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>

#include "bench/QtBenchSupport.h"
#include "skydata/Settings.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/MouseReadout.h"
#include "zu/main/Startup.h"

namespace {

class ChartFixture {
public:
    ChartFixture() {
        zu::LoadProgramState(run.env.folders.program);
        form = std::make_unique<zu::Form1>();
        form->resize(1024, 720);
        form->show();
        QCoreApplication::processEvents();
        form->SetMapBox();
    }
    // Pointer positions spread over the chart.
    std::array<double, 2> Point(std::size_t i) const {
        const double w = form->Picture1->width(), h = form->Picture1->height();
        return {(i * 37 % 101) / 100.0 * w, (i * 53 % 97) / 96.0 * h};
    }
    bench::ProgramEnv run;
    std::unique_ptr<zu::Form1> form;
};

// Made on first use, destroyed before the application.
std::unique_ptr<ChartFixture> g_fixture;

ChartFixture& Fixture() {
    if (!g_fixture) g_fixture = std::make_unique<ChartFixture>();
    return *g_fixture;
}

// Argument: the `oldequ` style of panel 2 (0 RA/Dec, 1 palace, 2 mansion).
void BM_PointerReadout(benchmark::State& state) {
    ChartFixture& f = Fixture();
    skydata::CurrentSettings().oldequ = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto p = f.Point(i++);
        benchmark::DoNotOptimize(zu::PointerReadout(p[0], p[1], false, 0, 0));
    }
}
BENCHMARK(BM_PointerReadout)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PointerReadoutRubberBand(benchmark::State& state) {
    ChartFixture& f = Fixture();
    skydata::CurrentSettings().oldequ = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto p = f.Point(i++);
        benchmark::DoNotOptimize(zu::PointerReadout(p[0], p[1], true, 300, 200));
    }
}
BENCHMARK(BM_PointerReadoutRubberBand)->Unit(benchmark::kMicrosecond);

// The whole handler: read-out, rubber band and the status panels' labels.
void BM_Picture1_MouseMove(benchmark::State& state) {
    ChartFixture& f = Fixture();
    skydata::CurrentSettings().oldequ = 0;
    const int buttons = static_cast<int>(state.range(0));
    if (buttons == zu::kMouseLeft) f.form->Picture1_MouseDown(zu::kMouseLeft, 300, 200);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto p = f.Point(i++);
        f.form->Picture1_MouseMove(buttons, p[0], p[1]);
    }
    if (buttons == zu::kMouseLeft) f.form->Picture1_MouseUp(zu::kMouseLeft, 300, 200);
}
BENCHMARK(BM_Picture1_MouseMove)->Arg(0)->Arg(zu::kMouseLeft)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunQtBenchmarks(argc, argv, [] { g_fixture.reset(); });
}
