// A full chart frame's worth of the screen surface's hottest calls on a
// 1920 x 1080 image: 100,000 small filled star discs and 10,000 labels. The
// general-path variant shows what the fast small-circle path saves.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ImageSurface.h"

namespace {

void EnsureApp() {
    if (QApplication::instance()) return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "platform_surface_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

struct Disc {
    int x, y, r;
    platform::Colour colour;
};

// A fixed scatter, the same on every run.
std::vector<Disc> Scatter(int count) {
    std::vector<Disc> discs;
    discs.reserve(static_cast<std::size_t>(count));
    std::uint32_t state = 12345;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(next() % 1920), y = static_cast<int>(next() % 1080);
        const int r = 1 + static_cast<int>(next() % 3);
        const int shade = 128 + static_cast<int>(next() % 128);
        discs.push_back({x, y, r, platform::Rgb(shade, shade, 255)});
    }
    return discs;
}

void DrawDiscs(benchmark::State& state, bool fast) {
    const std::vector<Disc> discs = Scatter(100000);
    platform::ImageSurface surface(1920, 1080);
    surface.SetFastCircles(fast);
    surface.SetScaleMode(platform::Scale::Pixels);
    surface.SetBackColor(platform::Rgb(0, 0, 0));
    surface.SetFillStyle(platform::Fill::Solid);
    surface.SetDrawMode(platform::PenMode::Merge);
    for (auto _ : state) {
        for (const Disc& d : discs) {
            surface.SetFillColor(d.colour);
            surface.Circle(d.x, d.y, d.r, d.colour);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(discs.size()));
}

void BM_SmallFilledCircles(benchmark::State& state) { DrawDiscs(state, true); }
void BM_SmallFilledCirclesGeneralPath(benchmark::State& state) { DrawDiscs(state, false); }

void BM_Labels(benchmark::State& state) {
    EnsureApp();
    const std::vector<std::string> names = {"Sirius", "시리우스", "Vega", "직녀성", "M31", "안드로메다 은하",
                                            "HD 12345", "α Cen"};
    platform::ImageSurface surface(1920, 1080);
    surface.SetScaleMode(platform::Scale::Pixels);
    surface.SetBackColor(platform::Rgb(0, 0, 0));
    surface.SetForeColor(platform::Rgb(200, 200, 120));
    surface.SetFont(platform::FontSpec{"굴림", 9});
    const std::vector<Disc> places = Scatter(10000);
    for (auto _ : state) {
        for (std::size_t i = 0; i < places.size(); ++i) {
            const std::string& name = names[i % names.size()];
            surface.SetCurrentX(places[i].x - surface.TextWidth(name) / 2);
            surface.SetCurrentY(places[i].y);
            surface.Print(name);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(places.size()));
}

}  // namespace

BENCHMARK(BM_SmallFilledCircles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallFilledCirclesGeneralPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Labels)->Unit(benchmark::kMillisecond);
