// ComputePaths + ProjectPaths with the real ephemeris: a year of daily
// points of ten bodies, the small set that a chart-following track
// recomputes at every redraw, and the largest computation allowed. Comets
// come from the program folder's element files. Run from build/bin.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "astro/JulianDay.h"
#include "platform/Fakes.h"
#include "skydata/Elements.h"
#include "skydata/LoadLog.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "zu/core/Tracks.h"

namespace {

struct TrackBench {
    TrackBench() {
        skydata::ResetPathModule();
        app::ResetTrackModule();
        app::InstallPathHooks();
        skydata::LoadLog log;
        skydata::LoadComets(std::filesystem::current_path(), log);
        // The warning of the capped case goes nowhere.
        app::TrackModule().Warn = [](const std::string&, const std::string&) {};
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
    }
    void Run(benchmark::State& state, std::vector<std::string> bodies, double days, double step_days) {
        skydata::PathState& paths = skydata::PathModule();
        paths.PathBodyList = std::move(bodies);
        paths.Settings.StartJD = astro::DateToJD(2024, 1, 1, 0, 0, 0);
        paths.Settings.EndJD = paths.Settings.StartJD + days - 1;
        paths.Settings.StepDays = step_days;
        paths.Settings.LabelInterval = 5;
        paths.Settings.LabelFlags = "NDM ";
        paths.Settings.SyncWithChart = true;
        for (auto _ : state) {
            app::ComputePaths(paths.Settings);
            app::ProjectPaths(paths.Settings);
        }
        state.counters["points"] = static_cast<double>(app::TrackModule().PathPoints.size());
    }
    platform::FakeEnv env;
};

void BM_TenBodiesDailyForAYear(benchmark::State& state) {
    TrackBench b;
    b.Run(state, {"P0", "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"}, 366, 1);
}
BENCHMARK(BM_TenBodiesDailyForAYear)->Unit(benchmark::kMillisecond);

void BM_FiveBodiesThirtyDates(benchmark::State& state) {
    TrackBench b;
    b.Run(state, {"P3", "P4", "P8", "C0", "C1"}, 30, 1);
}
BENCHMARK(BM_FiveBodiesThirtyDates)->Unit(benchmark::kMillisecond);

void BM_CappedAtTheLimit(benchmark::State& state) {
    TrackBench b;
    std::vector<std::string> bodies;
    for (int i = 0; i < 60; ++i) bodies.push_back(std::string(1, 'P').append(std::to_string(i % 10)));
    b.Run(state, bodies, 1826, 1);
}
BENCHMARK(BM_CappedAtTheLimit)->Unit(benchmark::kMillisecond);

}  // namespace
