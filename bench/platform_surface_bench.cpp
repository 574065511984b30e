// A full chart frame's worth of the screen surface's hottest calls on a
// 1920 x 1080 image: 100,000 small filled star discs, 10,000 labels, 20,000
// grid and figure lines (solid and dotted, copy and merge pen) and 200 band
// polygons filled as the ground is. The general-path variants show what the
// fast paths written straight into the image save.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>
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

// Lines of 10 to 400 pixels in every direction, a quarter dotted and half
// in the merge pen, as grids, boundaries and figures draw them.
void DrawLines(benchmark::State& state, bool fast) {
    std::vector<Disc> ends = Scatter(40000);
    platform::ImageSurface surface(1920, 1080);
    surface.SetFastLines(fast);
    surface.SetScaleMode(platform::Scale::Pixels);
    surface.SetBackColor(platform::Rgb(0, 0, 0));
    for (auto _ : state) {
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
            const Disc& a = ends[i];
            const Disc& b = ends[i + 1];
            const int length = 10 + static_cast<int>(i % 391);
            const int dx = (b.x - a.x) % length, dy = (b.y - a.y) % length;
            surface.SetDrawStyle(i % 8 == 0 ? platform::LineStyle::Dot : platform::LineStyle::Solid);
            surface.SetDrawMode(i % 4 < 2 ? platform::PenMode::Merge : platform::PenMode::Copy);
            surface.Line(a.x, a.y, a.x + dx, a.y + dy, a.colour);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ends.size() / 2));
}

void BM_Lines(benchmark::State& state) { DrawLines(state, true); }
void BM_LinesGeneralPath(benchmark::State& state) { DrawLines(state, false); }

// Bands of quadrilaterals along wavy rows, each band one polygon of up to 24
// corners in one colour, outline and interior alike, as the ground and the
// horizon glow are filled.
void DrawBands(benchmark::State& state, bool fast) {
    EnsureApp();
    platform::ImageSurface surface(1920, 1080);
    surface.SetFastLines(fast);
    surface.SetScaleMode(platform::Scale::Pixels);
    surface.SetBackColor(platform::Rgb(0, 0, 0));
    std::vector<std::vector<platform::PointF>> bands;
    for (int row = 0; row < 200; ++row) {
        const double top = 540 + 5 * row - 500, height = 6;
        std::vector<platform::PointF> lower, upper;
        for (int k = 0; k <= 12; ++k) {
            const double x = -100 + k * 180.0, wave = 30 * std::sin(k * 0.7 + row * 0.05);
            upper.push_back({x, top + wave});
            lower.push_back({x, top + wave + height});
        }
        std::vector<platform::PointF> band(lower.begin(), lower.end());
        band.insert(band.end(), upper.rbegin(), upper.rend());
        bands.push_back(band);
    }
    surface.SetFillStyle(platform::Fill::Solid);
    for (auto _ : state) {
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const platform::Colour colour = platform::Rgb(20, 40 + static_cast<int>(i % 200), 20);
            surface.SetForeColor(colour);
            surface.SetFillColor(colour);
            surface.Polygon(bands[i]);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(bands.size()));
}

void BM_Bands(benchmark::State& state) { DrawBands(state, true); }
void BM_BandsGeneralPath(benchmark::State& state) { DrawBands(state, false); }

}  // namespace

BENCHMARK(BM_SmallFilledCircles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallFilledCirclesGeneralPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Labels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinesGeneralPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bands)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BandsGeneralPath)->Unit(benchmark::kMillisecond);
