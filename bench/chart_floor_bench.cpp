// The floor under the screen chart: what the chart's own drawing would cost
// if every disc, line and polygon were written straight into the image bits.
// Each view is drawn once by the chart onto a surface that keeps its
// primitives (final pixel coordinates, colours, modes and texts); a timed
// round then
//   - places every drawn star again through the drawing's projection (frame
//     matrix, refraction, stereographic scale), as the chart does per star,
//   - writes the discs, lines, boxes, points and polygon fills into a
//     1280 x 800 RGB32 image by plain loops (one-pixel pens, no clipping
//     beyond the image edge), and
//   - prints the labels through QPainter::drawText.
// The ratio chart_bench / chart_floor_bench is how far the chart is from
// this floor. Same views and stars as chart_bench (Arg 0) and chart2_bench with
// every layer (Arg 1); run from build/bin,
// single-threaded (QT_QPA_PLATFORM=offscreen, one core via taskset).
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/chart_bench_data.h"
#include "chart/ChartState.h"
#include "chart/DrawMap.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "platform/Surface.h"

namespace {

using bench::StartView;
using platform::Colour;

std::uint32_t PixelOf(Colour c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(platform::RedOf(c)) << 16) |
           (static_cast<std::uint32_t>(platform::GreenOf(c)) << 8) | static_cast<std::uint32_t>(platform::BlueOf(c));
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

struct Op {
    enum Kind { All, Line, Box, Disc, Point, Polygon, Text, Picture } kind = All;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Disc: centre and radii
    std::uint32_t pen = 0, fill = 0;
    bool filled = false;  // Box: BF; Disc and Polygon: solid interior
    bool merge = false;
    std::vector<QPoint> points;
    QString text;
    int font = -1;  // index into Capture::fonts
};

struct Capture {
    std::vector<Op> ops;
    std::vector<QFont> fonts;
};

class CaptureSurface final : public platform::Surface {
public:
    CaptureSurface(int w, int h, Capture& capture) : w_(w), h_(h), capture_(capture), image_(w, h, QImage::Format_RGB32) {
        image_.setDotsPerMeterX(3780);
        image_.setDotsPerMeterY(3780);
    }

protected:
    double Width() const override { return w_; }
    double Height() const override { return h_; }
    void PaintAll(Colour c) override {
        Op op;
        op.kind = Op::All;
        op.pen = PixelOf(c);
        capture_.ops.push_back(op);
    }
    void DrawLine(double x1, double y1, double x2, double y2, Colour c) override {
        Op op = Shape(Op::Line, c);
        op.x1 = Round(x1), op.y1 = Round(y1), op.x2 = Round(x2), op.y2 = Round(y2);
        capture_.ops.push_back(op);
    }
    void DrawBox(double x1, double y1, double x2, double y2, Colour c, bool filled) override {
        Op op = Shape(Op::Box, c);
        op.x1 = std::min(Round(x1), Round(x2)), op.x2 = std::max(Round(x1), Round(x2));
        op.y1 = std::min(Round(y1), Round(y2)), op.y2 = std::max(Round(y1), Round(y2));
        op.filled = filled;
        capture_.ops.push_back(op);
    }
    void DrawEllipse(double x, double y, double rx, double ry, Colour c) override {
        Op op = Shape(Op::Disc, c);
        op.x1 = Round(x), op.y1 = Round(y), op.x2 = Round(rx), op.y2 = Round(ry);
        capture_.ops.push_back(op);
    }
    void DrawPoint(double x, double y, Colour c) override {
        Op op = Shape(Op::Point, c);
        op.x1 = Round(x), op.y1 = Round(y);
        capture_.ops.push_back(op);
    }
    void DrawPolygon(const std::vector<platform::PointF>& points) override {
        Op op = Shape(Op::Polygon, ForeColor());
        for (const auto& p : points) op.points.emplace_back(Round(p.x), Round(p.y));
        capture_.ops.push_back(op);
    }
    void DrawText(double x, double y, const std::string& line) override {
        Op op;
        op.kind = Op::Text;
        op.x1 = Round(x), op.y1 = Round(y) + Metrics().ascent();
        op.pen = PixelOf(ForeColor());
        op.text = QString::fromUtf8(line);
        op.font = font_index_;
        capture_.ops.push_back(op);
    }
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override {
        return Metrics().horizontalAdvance(QString::fromUtf8(line));
    }
    double LineHeight() const override { return Metrics().height(); }
    void FontChanged() override { metrics_.reset(); }

private:
    Op Shape(Op::Kind kind, Colour c) const {
        Op op;
        op.kind = kind;
        op.pen = PixelOf(c);
        op.fill = PixelOf(FillColor());
        op.filled = FillStyle() == platform::Fill::Solid;
        op.merge = DrawMode() == platform::PenMode::Merge;
        return op;
    }
    const QFontMetrics& Metrics() const {
        if (!metrics_) {
            // The font as the screen surface takes it, so the captured label
            // places are the chart's own.
            const QFont font = platform::QFontOf(Font());
            metrics_ = std::make_unique<QFontMetrics>(font, &image_);
            capture_.fonts.push_back(font);
            font_index_ = static_cast<int>(capture_.fonts.size()) - 1;
        }
        return *metrics_;
    }

    int w_, h_;
    Capture& capture_;
    QImage image_;
    mutable std::unique_ptr<QFontMetrics> metrics_;
    mutable int font_index_ = -1;
};

// Straight writes into the image bits.
class Bits {
public:
    explicit Bits(QImage& image)
        : bits_(image.bits()), stride_(image.bytesPerLine() / 4), w_(image.width()), h_(image.height()) {}

    void Put(int x, int y, std::uint32_t v, bool merge) {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(w_) || static_cast<unsigned>(y) >= static_cast<unsigned>(h_))
            return;
        std::uint32_t& p = Row(y)[x];
        p = merge ? (p | v) : v;
    }
    void Span(int y, int x0, int x1, std::uint32_t v, bool merge) {
        if (y < 0 || y >= h_) return;
        x0 = std::max(x0, 0), x1 = std::min(x1, w_ - 1);
        std::uint32_t* row = Row(y);
        if (merge)
            for (int x = x0; x <= x1; ++x) row[x] |= v;
        else
            for (int x = x0; x <= x1; ++x) row[x] = v;
    }
    void Line(int x0, int y0, int x1, int y1, std::uint32_t v, bool merge) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        if (std::max(dx, -dy) > 4 * (w_ + h_)) return;  // far beyond the image
        int err = dx + dy;
        for (;;) {
            Put(x0, y0, v, merge);
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }
    void Disc(int cx, int cy, int rx, int ry, std::uint32_t v, bool merge) {
        if (rx <= 0 || ry <= 0) return Put(cx, cy, v, merge);
        for (int dy = -ry; dy <= ry; ++dy) {
            const double t = 1.0 - static_cast<double>(dy) * dy / (static_cast<double>(ry) * ry);
            const int half = static_cast<int>(rx * std::sqrt(std::max(0.0, t)));
            Span(cy + dy, cx - half, cx + half, v, merge);
        }
    }
    // Even-odd fill by scanline: each edge drops its crossings into the rows
    // it spans (pixel centres), then every row is sorted and filled in pairs.
    void Polygon(const std::vector<QPoint>& pts, std::uint32_t v, bool merge, std::vector<std::vector<int>>& rows) {
        if (pts.size() < 3) return;
        rows.resize(static_cast<std::size_t>(h_));
        int top = h_, bottom = -1;
        for (const QPoint& p : pts) top = std::min(top, p.y()), bottom = std::max(bottom, p.y() - 1);
        top = std::max(top, 0), bottom = std::min(bottom, h_ - 1);
        for (int y = top; y <= bottom; ++y) rows[static_cast<std::size_t>(y)].clear();
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const QPoint a = pts[i], b = pts[j];
            if (a.y() == b.y()) continue;
            const QPoint lo = a.y() < b.y() ? a : b, hi = a.y() < b.y() ? b : a;
            const int y0 = std::max(lo.y(), 0), y1 = std::min(hi.y() - 1, h_ - 1);
            const double slope = static_cast<double>(hi.x() - lo.x()) / (hi.y() - lo.y());
            for (int y = y0; y <= y1; ++y)
                rows[static_cast<std::size_t>(y)].push_back(static_cast<int>(std::lround(lo.x() + (y + 0.5 - lo.y()) * slope)));
        }
        for (int y = top; y <= bottom; ++y) {
            std::vector<int>& xs = rows[static_cast<std::size_t>(y)];
            std::sort(xs.begin(), xs.end());
            for (std::size_t k = 0; k + 1 < xs.size(); k += 2) Span(y, xs[k], xs[k + 1] - 1, v, merge);
        }
    }
    void Fill(std::uint32_t v) {
        for (int y = 0; y < h_; ++y) std::fill_n(Row(y), w_, v);
    }

private:
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(bits_) + static_cast<std::ptrdiff_t>(y) * stride_; }
    uchar* bits_;
    qsizetype stride_;
    int w_, h_;
};

struct StarVector {
    double x, y, z;
};

struct FloorView {
    Capture capture;
    std::vector<StarVector> stars;
    chart::Projector proj;
    astro::Matrix3 catalogToChart;
    std::size_t objects = 0;
};

FloorView Prepare(skydata::SettingsSnapshot settings, const chart::ChartView& view, bool every) {
    bench::LoadedData& data = bench::EveryLayerData();
    if (every) bench::SetEveryLayer(settings, true);
    const chart::ChartSources sources =
        every ? bench::EverySources(data, settings, true) : bench::SourcesOf(data, settings);
    FloorView floor;
    CaptureSurface surface(1280, 800, floor.capture);
    chart::DrawMap(surface, view, sources);
    const chart::ChartState& drawn = chart::Chart();
    floor.proj = drawn.Projection;
    floor.catalogToChart = drawn.Frames.CatalogToChart;
    floor.objects = chart::ScreenObjectCount();
    for (const chart::ScreenObject& o : drawn.ScreenObjects) {
        const int zone = o.Key.group;
        if (o.Key.kind == chart::ObjectKind::BrightStar) {
            const auto& s = data.catalogs.BscStar[zone][static_cast<std::size_t>(o.Key.index)];
            floor.stars.push_back({s.x, s.y, s.z});
        } else if (o.Key.kind == chart::ObjectKind::ExtraStar) {
            const auto s = data.catalogs.S2kStar[zone][static_cast<std::size_t>(o.Key.index)];
            floor.stars.push_back({s.x, s.y, s.z});
        }
    }
    return floor;
}

void Replay(const FloorView& floor, QImage& image, QPainter& painter) {
    Bits bits(image);
    std::vector<std::vector<int>> rows;
    int font = -2;
    for (const Op& op : floor.capture.ops) {
        switch (op.kind) {
            case Op::All: bits.Fill(op.pen); break;
            case Op::Line: bits.Line(op.x1, op.y1, op.x2, op.y2, op.pen, op.merge); break;
            case Op::Box:
                if (op.filled) {
                    for (int y = op.y1; y <= op.y2; ++y) bits.Span(y, op.x1, op.x2, op.pen, op.merge);
                } else {
                    bits.Span(op.y1, op.x1, op.x2, op.pen, op.merge);
                    bits.Span(op.y2, op.x1, op.x2, op.pen, op.merge);
                    bits.Line(op.x1, op.y1, op.x1, op.y2, op.pen, op.merge);
                    bits.Line(op.x2, op.y1, op.x2, op.y2, op.pen, op.merge);
                }
                break;
            case Op::Disc: bits.Disc(op.x1, op.y1, op.x2, op.y2, op.filled ? op.fill : op.pen, op.merge); break;
            case Op::Point: bits.Put(op.x1, op.y1, op.pen, op.merge); break;
            case Op::Polygon:
                if (op.filled) bits.Polygon(op.points, op.fill, op.merge, rows);
                for (std::size_t i = 0; i < op.points.size(); ++i) {
                    const QPoint a = op.points[i], b = op.points[(i + 1) % op.points.size()];
                    bits.Line(a.x(), a.y(), b.x(), b.y(), op.pen, op.merge);
                }
                break;
            case Op::Text:
                if (op.font != font && op.font >= 0) {
                    painter.setFont(floor.capture.fonts[static_cast<std::size_t>(op.font)]);
                    font = op.font;
                }
                painter.setPen(QColor::fromRgb(op.pen));
                painter.drawText(QPoint(op.x1, op.y1), op.text);
                break;
            case Op::Picture: break;
        }
    }
}

// range(0): every layer as in chart2_bench (1) or the default layers of
// chart_bench (0).
void RunFloor(benchmark::State& state, const skydata::SettingsSnapshot& settings, const chart::ChartView& view) {
    if (!bench::DataPresent()) {
        state.SkipWithError("data/ not generated yet");
        return;
    }
    const bool every = state.range(0) != 0;
    const FloorView floor = Prepare(settings, view, every);
    QImage image(1280, 800, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const StarVector& v : floor.stars) {
            chart::Pixel p;
            if (floor.proj.Place(v.x, v.y, v.z, floor.catalogToChart, false, p)) sum += p.X + p.Y;
        }
        benchmark::DoNotOptimize(sum);
        Replay(floor, image, painter);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["objects"] = static_cast<double>(floor.objects);
    state.counters["ops"] = static_cast<double>(floor.capture.ops.size());
    state.SetLabel(every ? "Every" : "Default");
}

void BM_StartView(benchmark::State& state) {
    const skydata::SettingsSnapshot settings;
    RunFloor(state, settings, StartView(settings));
}
BENCHMARK(BM_StartView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Args: every layer (0/1) and the limiting magnitude.
void BM_AllSky(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = static_cast<double>(state.range(1));
    chart::ChartView view = StartView(settings);
    view.center_lat_deg = 90;
    view.fov_deg = 190;
    RunFloor(state, settings, view);
}
BENCHMARK(BM_AllSky)->ArgsProduct({{0, 1}, {11, 10, 8, 6}})->Unit(benchmark::kMillisecond);

void BM_OneDegree(benchmark::State& state) {
    skydata::SettingsSnapshot settings;
    settings.viewconstar = 1;
    settings.vmlimit = 11;
    settings.ViewCoordSys = std::string(1, 'e');
    chart::ChartView view = StartView(settings);
    view.center_lon_deg = 83.8;
    view.center_lat_deg = -3;
    view.fov_deg = 1;
    RunFloor(state, settings, view);
}
BENCHMARK(BM_OneDegree)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    platform::EnsureQtApp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
