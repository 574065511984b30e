// The lines and polygons the screen surface writes straight into its pixels
// against the same shapes drawn by QPainter: every pixel must agree, over
// many random shapes in every pen style, pen mode and fill the fast path
// takes, with ends on and far off the image.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"

namespace platform {
namespace {

constexpr int kWidth = 61, kHeight = 47;

const std::vector<LineStyle> kStyles = {LineStyle::Solid,   LineStyle::InsideSolid, LineStyle::Dash,
                                        LineStyle::Dot,     LineStyle::DashDot,     LineStyle::DashDotDot,
                                        LineStyle::Invisible};

// Two surfaces with the same background that differs per pixel, one drawing
// through the fast paths and one through QPainter.
struct Pair {
    ImageSurface fast{kWidth, kHeight}, general{kWidth, kHeight};

    Pair() {
        EnsureQtApp();
        general.SetFastLines(false);
        for (ImageSurface* s : {&fast, &general}) {
            s->SetScaleMode(Scale::Pixels);
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) s->PSet(x, y, Rgb(x * 4, y * 5, (x + y) * 2));
        }
    }
    template <typename Draw>
    void Both(Draw draw) {
        draw(fast);
        draw(general);
    }
    // The first differing pixel, or "" when the pictures agree.
    std::string Difference() {
        const QImage& a = fast.Image();
        const QImage& b = general.Image();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    std::ostringstream out;
                    out << "pixel " << x << "," << y << " fast " << std::hex << a.pixel(x, y) << " general "
                        << b.pixel(x, y);
                    return out.str();
                }
        return "";
    }
};

// Coordinates mostly on and around the image, some at half pixels (the
// surface rounds them), some far off it.
double Coordinate(std::mt19937& rng, int size) {
    const int kind = static_cast<int>(rng() % 20);
    if (kind == 0) return (rng() % 2 ? 1 : -1) * static_cast<double>(rng() % 100000 + 1000);
    if (kind == 1) return (rng() % 2 ? 1 : -1) * 3.0e9;
    if (kind == 2) return static_cast<double>(static_cast<int>(rng() % 5) - 2);  // near the first row or column
    if (kind == 3) return size - 3 + static_cast<double>(rng() % 5);           // near the last
    if (kind == 4) return static_cast<int>(rng() % static_cast<unsigned>(size)) + 0.5;
    return static_cast<double>(static_cast<int>(rng() % static_cast<unsigned>(size + 40)) - 20);
}

std::string Describe(const char* what, int index, LineStyle style, PenMode mode, const std::vector<PointF>& pts) {
    std::ostringstream out;
    out << what << " " << index << " style " << static_cast<int>(style) << " mode " << static_cast<int>(mode) << ":";
    for (const PointF& p : pts) out << " (" << p.x << "," << p.y << ")";
    return out.str();
}

TEST(SurfaceFastPathsTest, LinesGiveThePixelsOfTheGeneralPath) {
    std::mt19937 rng(20261211);
    // Horizontal, vertical, diagonal, steep, shallow and zero-length lines
    // first, then random ones.
    std::vector<std::vector<PointF>> lines = {
        {{5, 5}, {50, 5}},    {{50, 9}, {5, 9}},    {{7, 3}, {7, 40}},    {{9, 40}, {9, 3}},   {{3, 3}, {40, 40}},
        {{40, 40}, {3, 3}},   {{3, 40}, {40, 3}},   {{40, 3}, {3, 40}},   {{10, 10}, {10, 10}}, {{0, 0}, {60, 46}},
        {{-5, 20}, {70, 21}}, {{30, -9}, {31, 60}}, {{60, 46}, {60, 46}}, {{61, 20}, {61, 30}}, {{-1, -1}, {62, 48}},
        {{5, 20}, {55, 23}},  {{20, 2}, {23, 44}},  {{0, 46}, {60, 0}},   {{-1e5, 10}, {1e5, 30}}};
    for (int i = 0; i < 1500; ++i) {
        PointF a{Coordinate(rng, kWidth), Coordinate(rng, kHeight)};
        PointF b{Coordinate(rng, kWidth), Coordinate(rng, kHeight)};
        if (i % 10 == 0) b.y = a.y;
        if (i % 10 == 1) b.x = a.x;
        if (i % 10 == 2) b = {a.x + (b.y - a.y), b.y};
        lines.push_back({a, b});
    }
    for (const LineStyle style : kStyles) {
        for (const PenMode mode : {PenMode::Copy, PenMode::Merge}) {
            for (const int width : {1, 2}) {
                auto pair = std::make_unique<Pair>();
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    // A fresh surface now and then, so lines on an untouched
                    // background are compared too.
                    if (i % 300 == 299) pair = std::make_unique<Pair>();
                    const Colour colour = Rgb(static_cast<int>(rng() % 256), 70, static_cast<int>(i % 256));
                    pair->Both([&](ImageSurface& s) {
                        s.SetDrawStyle(style);
                        s.SetDrawMode(mode);
                        s.SetDrawWidth(width);
                        s.Line(lines[i][0].x, lines[i][0].y, lines[i][1].x, lines[i][1].y, colour);
                    });
                    const std::string difference = pair->Difference();
                    ASSERT_EQ(difference, "") << Describe("line", static_cast<int>(i), style, mode, lines[i])
                                              << " width " << width;
                }
            }
        }
    }
}

TEST(SurfaceFastPathsTest, PolygonsGiveThePixelsOfTheGeneralPath) {
    std::mt19937 rng(31);
    std::vector<std::vector<PointF>> polygons = {
        {{5, 5}, {50, 5}, {50, 40}, {5, 40}},                    // a rectangle
        {{5, 5}, {50, 40}, {50, 5}, {5, 40}},                    // a bow tie
        {{10, 10}, {10, 10}, {30, 10}, {30, 30}, {10, 10}},      // repeated and closing corners
        {{3, 3}, {20, 20}, {40, 40}},                            // all on one line
        {{-30, -30}, {90, -30}, {90, 80}, {-30, 80}},            // the whole image
        {{-500, 20}, {600, 25}, {30, 900}},                      // far over both sides
        {{30, -40000}, {40, 40000}, {-20000, 20}},               // beyond the reach Qt fills as it is
        {{0, 0}, {60, 0}, {60, 46}, {0, 46}, {0, 0}},            // the image's own edge, closed
        {{20, 20}, {21, 20}, {21, 21}},                          // a tiny one
        {{5, 40}, {30, 2}, {55, 40}, {5, 15}, {55, 15}},         // a star, overlapping itself
        {{-3, 10}, {64, 12}, {64, 30}, {-3, 35}, {30, 22}},      // over the left and right edges
        {{10, 50}, {50, -4}, {52, 60}}};                         // over the top and bottom
    for (int i = 0; i < 500; ++i) {
        const int corners = 3 + static_cast<int>(rng() % 10);
        std::vector<PointF> points;
        for (int k = 0; k < corners; ++k) {
            // Mostly near the image; now and then far off.
            const bool far = rng() % 12 == 0;
            const double x = far ? static_cast<double>(static_cast<int>(rng() % 4001) - 2000)
                                 : static_cast<double>(static_cast<int>(rng() % 101) - 20);
            const double y = far ? static_cast<double>(static_cast<int>(rng() % 4001) - 2000)
                                 : static_cast<double>(static_cast<int>(rng() % 87) - 20) + (k % 3 == 0 ? 0.5 : 0);
            points.push_back({x, y});
        }
        if (i % 7 == 0) points.push_back(points.front());
        polygons.push_back(points);
    }
    struct Case {
        Fill fill;
        LineStyle style;
    };
    std::vector<Case> cases;
    for (const Fill fill : {Fill::Solid, Fill::Transparent, Fill::Cross})
        for (const LineStyle style : kStyles) cases.push_back({fill, style});
    for (const Case& c : cases) {
        for (const PenMode mode : {PenMode::Copy, PenMode::Merge}) {
            auto pair = std::make_unique<Pair>();
            for (std::size_t i = 0; i < polygons.size(); ++i) {
                if (i % 100 == 99) pair = std::make_unique<Pair>();
                const Colour pen = Rgb(200, static_cast<int>(i % 256), 10);
                // The same colour for outline and interior, as the chart's
                // bands, or a different one, so each part shows.
                const Colour fill = i % 2 ? pen : Rgb(static_cast<int>(rng() % 256), 30, 140);
                pair->Both([&](ImageSurface& s) {
                    s.SetDrawStyle(c.style);
                    s.SetDrawMode(mode);
                    s.SetFillStyle(c.fill);
                    s.SetFillColor(fill);
                    s.SetForeColor(pen);
                    s.Polygon(polygons[i]);
                });
                const std::string difference = pair->Difference();
                ASSERT_EQ(difference, "") << Describe("polygon", static_cast<int>(i), c.style, mode, polygons[i])
                                          << " fill " << static_cast<int>(c.fill);
            }
        }
    }
}

// Clearing writes the background colour over every pixel, whatever was
// drawn and in whatever pen mode.
TEST(SurfaceFastPathsTest, ClearingPaintsEveryPixel) {
    EnsureQtApp();
    ImageSurface s(9, 7);
    s.SetScaleMode(Scale::Pixels);
    s.SetDrawMode(PenMode::Merge);
    s.Line(0, 0, 8, 6, Rgb(255, 255, 255));
    s.SetBackColor(Rgb(12, 34, 56));
    const QImage& image = s.Image();
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(image.pixel(x, y), qRgb(12, 34, 56)) << x << "," << y;
}

// A copy of the pixels handed out before is not changed by the fast paths
// writing into the surface afterwards.
TEST(SurfaceFastPathsTest, CopiesHandedOutKeepTheirPixels) {
    EnsureQtApp();
    const std::vector<std::pair<const char*, std::function<void(ImageSurface&)>>> draws = {
        {"line", [](ImageSurface& s) { s.Line(0, 0, 8, 6, Rgb(255, 255, 255)); }},
        {"polygon", [](ImageSurface& s) { s.Polygon({{0, 0}, {8, 0}, {8, 6}, {0, 6}}); }},
        {"clear", [](ImageSurface& s) { s.SetBackColor(Rgb(255, 255, 255)); }}};
    for (const auto& [name, draw] : draws) {
        ImageSurface s(9, 7);
        s.SetScaleMode(Scale::Pixels);
        s.SetBackColor(Rgb(0, 0, 0));
        s.SetForeColor(Rgb(255, 255, 255));
        s.SetFillStyle(Fill::Solid);
        s.SetFillColor(Rgb(255, 255, 255));
        const QImage copy = s.Image();
        draw(s);
        EXPECT_EQ(copy.pixel(4, 3), qRgb(0, 0, 0)) << name;
        EXPECT_EQ(s.Image().pixel(0, 0), qRgb(255, 255, 255)) << name;
    }
}

}  // namespace
}  // namespace platform
