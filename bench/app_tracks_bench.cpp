// ComputePaths + ProjectPaths with the real ephemeris: a year of daily
// points of ten bodies, the small set that a chart-following track
// recomputes at every redraw, and the largest computation allowed. Comets
// come from the program folder's element files. Then a user's oversized
// track (1900-9-1 to 2100-5-1, daily, Sun, Mars, Jupiter and Pluto): asked
// for in the track window, then what it costs a later apply of the settings
// and time windows and a later start-up (the loading part, up to the
// windows) and of a redraw, each beside the same without tracks (argument
// 0). The computations run on as many threads as the machine and the copies
// of the planetary series allow, as in the program. Run from build/bin.
#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "astro/JulianDay.h"
#include "astro/SeriesCopies.h"
#include "bench/QtBenchSupport.h"
#include "chart/DrawContext.h"
#include "chart/DrawMap.h"
#include "chart/PathLists.h"
#include "platform/ImageSurface.h"
#include "platform/Fakes.h"
#include "skydata/Elements.h"
#include "skydata/LoadLog.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/Tracks.h"
#include "zu/dialogs/SettingsWindow.h"
#include "zu/dialogs/TimeWindow.h"

namespace {

struct TrackBench {
    TrackBench() {
        skydata::ResetPathModule();
        zu::ResetTrackModule();
        zu::InstallPathHooks();
        skydata::LoadLog log;
        skydata::LoadComets(std::filesystem::current_path(), log);
        env.folders.user = bench::ScratchUserFolder();
        // The warning of the capped case goes nowhere.
        zu::TrackModule().Warn = [](const std::string&, const std::string&) {};
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
            // Every iteration computes: nothing kept from the one before.
            zu::TrackModule().ComputedFor.clear();
            zu::TrackModule().PreviousFor.clear();
            zu::ComputePaths(paths.Settings);
            zu::ProjectPaths(paths.Settings);
        }
        state.counters["points"] = static_cast<double>(zu::TrackModule().PathPoints.size());
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

// ---- The oversized track of a user ------------------------------------------

// The request of the track window, taken as its apply takes it.
void AskForOversizedTrack() {
    skydata::PathState& paths = skydata::PathModule();
    paths.PathBodyList = {"P0", "P3", "P4", "P9"};
    paths.Settings = skydata::PathSettings{};
    paths.Settings.StartJD = astro::DateToJD(1900, 9, 1, 0, 0, 0);
    paths.Settings.EndJD = astro::DateToJD(2100, 5, 1, 0, 0, 0);
    paths.Settings.StepDays = 1;
    skydata::CurrentSettings().ViewPath = true;
    zu::TrackModule().UserAsked = true;
    zu::ComputePaths(paths.Settings);
    zu::ProjectPaths(paths.Settings);
}

// The program's state after loading, with or without the oversized track
// asked for and saved with the settings.
struct LoadedProgram {
    explicit LoadedProgram(bool with_track) {
        std::error_code ignored;
        std::filesystem::remove(run.env.folders.user / "Default.cfg", ignored);
        std::filesystem::remove(run.env.folders.user / std::string(zu::kPathCacheFileName), ignored);
        zu::ResetTrackModule();
        skydata::ResetPathModule();
        chart::ResetPathLists();
        zu::LoadProgramState(run.env.folders.program);
        zu::TrackModule().Warn = [](const std::string&, const std::string&) {};
        if (with_track) AskForOversizedTrack();
        skydata::SaveDefaultSettings(run.env.folders.user);
    }
    bench::ProgramEnv run;
};

void BM_OversizedTrackAsked(benchmark::State& state) {
    LoadedProgram program(false);
    for (auto _ : state) {
        state.PauseTiming();
        std::error_code ignored;
        std::filesystem::remove(program.run.env.folders.user / std::string(zu::kPathCacheFileName), ignored);
        zu::TrackModule().ComputedFor.clear();
        state.ResumeTiming();
        AskForOversizedTrack();
    }
    state.counters["points"] = static_cast<double>(zu::TrackModule().PathPoints.size());
}
BENCHMARK(BM_OversizedTrackAsked)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SettingsApply(benchmark::State& state) {
    LoadedProgram program(state.range(0) != 0);
    for (auto _ : state) {
        zu::FrmSet window(nullptr);
        window.CmdOK_Click();
    }
    state.counters["points"] = static_cast<double>(zu::TrackModule().PathPoints.size());
}
BENCHMARK(BM_SettingsApply)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TimeApply(benchmark::State& state) {
    LoadedProgram program(state.range(0) != 0);
    zu::FrmTime window(nullptr);
    window.ChkCloseWin->setChecked(false);
    for (auto _ : state) window.CmdOK_Click();
    state.counters["points"] = static_cast<double>(zu::TrackModule().PathPoints.size());
}
BENCHMARK(BM_TimeApply)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The loading part of a start-up with the saved settings: every data file,
// the settings and the tracks they name.
void BM_StartupLoad(benchmark::State& state) {
    LoadedProgram program(state.range(0) != 0);
    for (auto _ : state) {
        zu::ResetTrackModule();
        zu::LoadProgramState(program.run.env.folders.program);
    }
    state.counters["points"] = static_cast<double>(zu::TrackModule().PathPoints.size());
}
BENCHMARK(BM_StartupLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A screen chart of the loaded program with the ecliptic in view: what the
// kept track adds to every redraw, the first one of a start included.
void BM_ChartDrawing(benchmark::State& state) {
    LoadedProgram program(state.range(0) != 0);
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.ViewPath = true;
    chart::ChartView view;
    view.lat_deg = s.lat;
    view.lst_h = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    view.center_lon_deg = 90;
    view.center_lat_deg = 20;
    view.fov_deg = 120;
    view.coord_sys = std::string(1, 'e');
    view.jd_local = s.CurrentJD;
    platform::ImageSurface surface(1280, 800);
    for (auto _ : state) {
        chart::DrawMap(surface, view, chart::ModuleSources());
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["track_marks"] = static_cast<double>(chart::PathLists().PathMarks.size());
}
BENCHMARK(BM_ChartDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // As the program does: the moments of a computation shared among threads.
    astro::InstallSeriesCopies();
    return bench::RunQtBenchmarks(argc, argv);
}
