// The information windows rebuild their text on every activation: one
// refresh of the object window for a planet and for a bright star, and one
// click on a planet in the solar-system body window, over the real data of
// the program folder. Run from build/bin.
#include <QApplication>
#include <QLabel>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "astro/JulianDay.h"
#include "bench/QtBenchSupport.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/Startup.h"
#include "zu/search/InfoWindows.h"

namespace {

struct InfoFixture {
    InfoFixture() {
        zu::LoadProgramState(run.env.folders.program);
        skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        s.CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
        zu::AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    }
    bench::ProgramEnv run;
};

void RefreshObjectWindow(benchmark::State& state, const char* key) {
    InfoFixture f;
    zu::AppState().SelObjKey = key;
    auto& window = static_cast<zu::FrmInfo&>(zu::ToolWindow(zu::ToolWindowId::FrmInfo, nullptr));
    for (auto _ : state) window.Form_Activate();
    if (window.Text().empty()) state.SkipWithError("no text for the key");
    zu::ResetToolWindows();
}

void BM_FrmInfoRefreshPlanet(benchmark::State& state) { RefreshObjectWindow(state, "P4"); }
BENCHMARK(BM_FrmInfoRefreshPlanet)->Unit(benchmark::kMillisecond);

void BM_FrmInfoRefreshStar(benchmark::State& state) { RefreshObjectWindow(state, "S9:213"); }
BENCHMARK(BM_FrmInfoRefreshStar)->Unit(benchmark::kMillisecond);

void BM_FrmPInfoPlanetClick(benchmark::State& state) {
    InfoFixture f;
    zu::FrmPInfo window(nullptr);
    window.ListPl->setCurrentRow(5);
    for (auto _ : state) window.ListPl_Click();
    if (window.LPName->text() != QString::fromUtf8("토성")) state.SkipWithError("Saturn was not shown");
}
BENCHMARK(BM_FrmPInfoPlanetClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunQtBenchmarks(argc, argv); }
