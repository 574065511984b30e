#include "platform/ImageSurface.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace platform {
namespace {

// 96 dots per inch, so a point size means the same pixels on every machine.
constexpr int kDotsPerMeter = 3780;

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

std::uint32_t ToPixel(Colour c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) | (static_cast<std::uint32_t>(GreenOf(c)) << 8) |
           static_cast<std::uint32_t>(BlueOf(c));
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

Qt::PenStyle ToQtPenStyle(LineStyle style) {
    switch (style) {
        case LineStyle::Solid:
        case LineStyle::InsideSolid: return Qt::SolidLine;
        case LineStyle::Dash: return Qt::DashLine;
        case LineStyle::Dot: return Qt::DotLine;
        case LineStyle::DashDot: return Qt::DashDotLine;
        case LineStyle::DashDotDot: return Qt::DashDotDotLine;
        case LineStyle::Invisible: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QPen MakePen(Colour c, int width, LineStyle style) {
    QPen pen(ToQColor(c), width, ToQtPenStyle(style), Qt::SquareCap, Qt::MiterJoin);
    return pen;
}

QBrush MakeBrush(Colour c, Fill style) {
    switch (style) {
        case Fill::Solid: return QBrush(ToQColor(c), Qt::SolidPattern);
        case Fill::Transparent: return Qt::NoBrush;
        case Fill::Horizontal: return QBrush(ToQColor(c), Qt::HorPattern);
        case Fill::Vertical: return QBrush(ToQColor(c), Qt::VerPattern);
        case Fill::UpwardDiagonal: return QBrush(ToQColor(c), Qt::BDiagPattern);
        case Fill::DownwardDiagonal: return QBrush(ToQColor(c), Qt::FDiagPattern);
        case Fill::Cross: return QBrush(ToQColor(c), Qt::CrossPattern);
        case Fill::DiagonalCross: return QBrush(ToQColor(c), Qt::DiagCrossPattern);
    }
    return Qt::NoBrush;
}

// The general circle call, shared by the drawing path and the masks of the
// fast path so that both give the same pixels.
void PaintEllipse(QPainter& p, int x, int y, double rx, double ry) {
    p.drawEllipse(QRectF(x - rx, y - ry, 2 * rx, 2 * ry));
}

// A run of pixels of a small circle: row offset and first and last column
// offsets from the centre.
struct Span {
    int dy, dx0, dx1;
};

// The runs of a small circle, taken once from the general path itself: the
// outline alone (transparent fill), and the outline and interior of a
// solid-filled circle.
struct CircleMask {
    std::vector<Span> outline_only;
    std::vector<Span> solid_outline;
    std::vector<Span> solid_interior;
};

void AddPixel(std::vector<Span>& spans, int dx, int dy) {
    if (!spans.empty() && spans.back().dy == dy && spans.back().dx1 == dx - 1)
        spans.back().dx1 = dx;
    else
        spans.push_back({dy, dx, dx});
}

// Every radius the chart gives its star discs (at most 16 pixels for the
// largest size factor) takes the fast path.
constexpr int kFastRadiusMax = 16;

const std::array<CircleMask, kFastRadiusMax + 1>& CircleMasks() {
    static const std::array<CircleMask, kFastRadiusMax + 1> masks = [] {
        std::array<CircleMask, kFastRadiusMax + 1> m;
        const Colour pen = Rgb(255, 0, 0), brush = Rgb(0, 255, 0);
        for (int r = 1; r <= kFastRadiusMax; ++r) {
            const int c = r + 2, size = 2 * c + 1;
            QImage outline(size, size, QImage::Format_RGB32);
            outline.fill(Qt::black);
            {
                QPainter p(&outline);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(MakePen(pen, 1, LineStyle::Solid));
                p.setBrush(Qt::NoBrush);
                PaintEllipse(p, c, c, r, r);
            }
            // Merge pen keeps both contributions apart in one pass.
            QImage solid(size, size, QImage::Format_RGB32);
            solid.fill(Qt::black);
            {
                QPainter p(&solid);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
                p.setPen(MakePen(pen, 1, LineStyle::Solid));
                p.setBrush(MakeBrush(brush, Fill::Solid));
                PaintEllipse(p, c, c, r, r);
            }
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    if (qRed(outline.pixel(x, y))) AddPixel(m[r].outline_only, x - c, y - c);
                    const QRgb s = solid.pixel(x, y);
                    if (qGreen(s)) AddPixel(m[r].solid_interior, x - c, y - c);
                    if (qRed(s)) AddPixel(m[r].solid_outline, x - c, y - c);
                }
            }
        }
        return m;
    }();
    return masks;
}

// ---------------------------------------------------------------------------
// Lines and polygons written straight into the image. They give the pixels
// of Qt's aliased raster engine for a 1-pixel pen and a solid brush, so a
// picture does not depend on which path drew it.

// The pen colour written into RGB32 bits in the copy or the merge pen;
// pixels off the image are dropped.
struct PixelWriter {
    std::uint32_t* bits;
    qsizetype stride;  // pixels per row
    int width, height;
    std::uint32_t value;
    bool merge;

    void Put(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint32_t& pixel = bits[y * stride + x];
        pixel = merge ? (pixel | value) : value;
    }
    // Columns x0 .. x1 - 1 of row y, all on the image.
    void Run(int y, int x0, int x1) const {
        std::uint32_t* row = bits + y * stride;
        if (merge)
            for (int x = x0; x < x1; ++x) row[x] |= value;
        else
            std::fill(row + x0, row + x1, value);
    }
};

PixelWriter WriterFor(QImage& image, Colour c, PenMode mode) {
    return PixelWriter{reinterpret_cast<std::uint32_t*>(image.bits()),  // detaches a copy handed out by Image()
                       image.bytesPerLine() / 4,
                       image.width(),
                       image.height(),
                       ToPixel(c),
                       mode == PenMode::Merge};
}

// A dash pattern of a 1-pixel pen as running ends in 1/64 pixel, forwards
// and backwards (a line stepped against its direction reads it backwards).
struct DashPattern {
    std::vector<int> forward, backward;
    int length = 0;
};

// The pattern Qt gives the pen style, read from the pen itself; null for a
// solid pen.
const DashPattern* DashOf(LineStyle style) {
    static const std::array<DashPattern, 5> patterns = [] {
        std::array<DashPattern, 5> all;
        for (const LineStyle s : {LineStyle::Dash, LineStyle::Dot, LineStyle::DashDot, LineStyle::DashDotDot}) {
            const QList<qreal> dashes = MakePen(Rgb(0, 0, 0), 1, s).dashPattern();
            DashPattern& d = all[static_cast<std::size_t>(s)];
            const auto step = [](qreal v) { return static_cast<int>(std::clamp(v * 64, 1.0, 65536.0)); };
            int end = 0;
            for (const qreal v : dashes) d.forward.push_back(end += step(v));
            d.length = end;
            end = 0;
            for (auto it = dashes.rbegin(); it != dashes.rend(); ++it) d.backward.push_back(end += step(*it));
        }
        return all;
    }();
    switch (style) {
        case LineStyle::Dash:
        case LineStyle::Dot:
        case LineStyle::DashDot:
        case LineStyle::DashDotDot: return &patterns[static_cast<std::size_t>(style)];
        default: return nullptr;
    }
}

// One pixel wide aliased lines stepped as Qt's raster engine steps its
// cosmetic pens: end points in 26.6 fixed point clipped one pixel around the
// image, the major axis rounded at half pixels and the minor one stepped in
// 16.16, square caps reaching half a pixel past both ends of a lone line,
// and along an outline the joins of the raster engine (a pixel shared by two
// segments drawn once, a missing corner pixel added).
class LineStepper {
public:
    LineStepper(const PixelWriter& out, const DashPattern* dash)
        : out_(out),
          dash_(dash),
          xmin_(-1),
          xmax_(out.width + 1),
          ymin_(-1),
          ymax_(out.height + 1) {}

    // A lone line between whole pixel positions.
    void Line(int x1, int y1, int x2, int y2) {
        if (x1 == x2 && y1 == y2) {
            out_.Put(x1, y1);
            return;
        }
        pattern_offset_ = 0;
        last_.x = kNoPixel;
        Stroke(x1, y1, x2, y2, kCapBegin | kCapEnd);
    }

    // The closed outline of a polygon of at least two points.
    void Outline(const QPolygon& points) {
        const qsizetype n = points.size();
        QPointF p = points[0];
        const QPointF first = p;
        pattern_offset_ = 0;
        last_ = {kNoPixel, kNoPixel};
        const QPointF before_first = points[0] == points[n - 1] && n > 2 ? points[n - 2] : points[n - 1];
        LastPointOf(before_first.x(), before_first.y(), p.x(), p.y());
        for (qsizetype i = 1; i < n; ++i) {
            const QPointF next = points[i];
            const bool moved = Stroke(p.x(), p.y(), next.x(), next.y(), 0);
            // A segment too short to draw leaves its start for the next one.
            if (moved || i == 1 || i == n - 1) p = next;
        }
        Stroke(p.x(), p.y(), first.x(), first.y(), 0);
    }

private:
    static constexpr int kNoPixel = std::numeric_limits<int>::min();
    enum : int { kCapBegin = 1, kCapEnd = 2 };
    enum : int { kNoDirection = 0, kDown = 1, kUp = 2, kRight = 4, kLeft = 8, kVerticalMask = 3, kHorizontalMask = 12 };
    struct Pixel {
        int x, y;
    };

    static int SwapCaps(int caps) { return ((caps & kCapBegin) << 1) | ((caps & kCapEnd) >> 1); }
    static int FixedDiv(int a, int b) { return static_cast<int>(static_cast<std::int64_t>(a) * 65536 / b); }
    static int ToFixed(double v) { return static_cast<int>(v * 64.); }

    // False when some of the line is left. Clipping in floating point keeps
    // far ends from overflowing the fixed-point steps.
    bool ClipLine(double& x1, double& y1, double& x2, double& y2) {
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return true;
        if (x1 < xmin_) {
            if (x2 <= xmin_) return Clipped();
            y1 += (y2 - y1) / (x2 - x1) * (xmin_ - x1);
            x1 = xmin_;
        } else if (x1 > xmax_) {
            if (x2 >= xmax_) return Clipped();
            y1 += (y2 - y1) / (x2 - x1) * (xmax_ - x1);
            x1 = xmax_;
        }
        if (x2 < xmin_) {
            last_.x = kNoPixel;
            y2 += (y2 - y1) / (x2 - x1) * (xmin_ - x2);
            x2 = xmin_;
        } else if (x2 > xmax_) {
            last_.x = kNoPixel;
            y2 += (y2 - y1) / (x2 - x1) * (xmax_ - x2);
            x2 = xmax_;
        }
        if (y1 < ymin_) {
            if (y2 <= ymin_) return Clipped();
            x1 += (x2 - x1) / (y2 - y1) * (ymin_ - y1);
            y1 = ymin_;
        } else if (y1 > ymax_) {
            if (y2 >= ymax_) return Clipped();
            x1 += (x2 - x1) / (y2 - y1) * (ymax_ - y1);
            y1 = ymax_;
        }
        if (y2 < ymin_) {
            last_.x = kNoPixel;
            x2 += (x2 - x1) / (y2 - y1) * (ymin_ - y2);
            y2 = ymin_;
        } else if (y2 > ymax_) {
            last_.x = kNoPixel;
            x2 += (x2 - x1) / (y2 - y1) * (ymax_ - y2);
            y2 = ymax_;
        }
        return false;
    }
    bool Clipped() {
        last_.x = kNoPixel;
        return true;
    }

    // The last pixel and direction of the closing segment of an outline, so
    // its first segment joins it.
    void LastPointOf(double rx1, double ry1, double rx2, double ry2) {
        last_ = {kNoPixel, kNoPixel};
        if (ClipLine(rx1, ry1, rx2, ry2)) return;
        const int x1 = ToFixed(rx1), y1 = ToFixed(ry1), x2 = ToFixed(rx2), y2 = ToFixed(ry2);
        const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        if (dx < dy)
            LastPointAlong<true>(x1, y1, x2, y2);
        else if (dx)
            LastPointAlong<false>(x1, y1, x2, y2);
    }

    // Major axis a (y when kVertical), minor axis b.
    template <bool kVertical>
    static Pixel At(int a, int b) {
        return kVertical ? Pixel{b, a} : Pixel{a, b};
    }

    template <bool kVertical>
    void LastPointAlong(int x1, int y1, int x2, int y2) {
        int a1 = kVertical ? y1 : x1, b1 = kVertical ? x1 : y1;
        int a2 = kVertical ? y2 : x2, b2 = kVertical ? x2 : y2;
        const bool swapped = a1 > a2;
        if (swapped) {
            std::swap(a1, a2);
            std::swap(b1, b2);
        }
        const int inc = FixedDiv(b2 - b1, a2 - a1);
        int b = b1 * 1024;
        const int a = (a1 + 32) >> 6, as = (a2 + 32) >> 6;
        const int round = inc > 0 ? 32 : 0;
        if (a == as) return;
        b += (a * 64 + round - a1) * inc >> 6;
        if (swapped) {
            last_ = At<kVertical>(a, b >> 16);
            last_dir_ = kVertical ? kUp : kLeft;
        } else {
            last_ = At<kVertical>(as - 1, (b + (as - a - 1) * inc) >> 16);
            last_dir_ = kVertical ? kDown : kRight;
        }
        last_axis_aligned_ = std::abs(inc) < (1 << 14);
    }

    // True when the segment drew or was clipped away.
    bool Stroke(double rx1, double ry1, double rx2, double ry2, int caps) {
        const bool long_enough = std::abs(rx2 - rx1) + std::abs(ry2 - ry1) >= 1.0;
        if (ClipLine(rx1, ry1, rx2, ry2)) return true;
        const int x1 = ToFixed(rx1), y1 = ToFixed(ry1), x2 = ToFixed(rx2), y2 = ToFixed(ry2);
        const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        if (dx < dy) return StrokeAlong<true>(x1, y1, x2, y2, caps) || long_enough;
        if (!dx) return true;
        return StrokeAlong<false>(x1, y1, x2, y2, caps) || long_enough;
    }

    template <bool kVertical>
    bool StrokeAlong(int x1, int y1, int x2, int y2, int caps) {
        int a1 = kVertical ? y1 : x1, b1 = kVertical ? x1 : y1;
        int a2 = kVertical ? y2 : x2, b2 = kVertical ? x2 : y2;
        Pixel last = last_;
        int dir = kVertical ? kDown : kRight;
        const bool swapped = a1 > a2;
        if (swapped) {
            std::swap(a1, a2);
            std::swap(b1, b2);
            caps = SwapCaps(caps);
            dir = kVertical ? kUp : kLeft;
        }
        const int inc = FixedDiv(b2 - b1, a2 - a1);
        int b = b1 * 1024;
        // Turning back along the same axis draws the cap of the turn.
        if ((last_dir_ ^ (kVertical ? kVerticalMask : kHorizontalMask)) == dir)
            caps |= swapped ? kCapEnd : kCapBegin;
        if (caps & kCapBegin) {
            a1 -= 32;
            b -= inc >> 1;
        }
        if (caps & kCapEnd) a2 += 32;
        int a = (a1 + 32) >> 6, as = (a2 + 32) >> 6;
        const int round = inc > 0 ? 32 : 0;
        if ((caps & kCapBegin) && (kVertical ? last_.y : last_.x) == a + 1) ++a;
        if (a == as) {
            last_ = last;
            return false;
        }
        b += (a * 64 + round - a1) * inc >> 6;
        Pixel first = At<kVertical>(a, b >> 16);
        last = At<kVertical>(as - 1, (b + (as - a - 1) * inc) >> 16);
        if (swapped) std::swap(first, last);
        const bool axis_aligned = std::abs(inc) < (1 << 14);
        if (last_.x > kNoPixel) {
            if (first.x == last_.x && first.y == last_.y) {
                // the previous segment drew this pixel
                if (swapped) {
                    --as;
                } else {
                    ++a;
                    b += inc;
                }
            } else if (last_dir_ != dir &&
                       ((axis_aligned && last_axis_aligned_ && last_.x != first.x && last_.y != first.y) ||
                        std::abs(last_.x - first.x) > 1 || std::abs(last_.y - first.y) > 1)) {
                // a gap at the corner: one more pixel
                if (swapped) {
                    ++as;
                } else {
                    --a;
                    b -= inc;
                }
            } else if (last_dir_ == dir && std::abs(last_.x - first.x) <= 1 && std::abs(last_.y - first.y) > 1) {
                b += inc >> 1;
                (kVertical ? last.x : last.y) = swapped ? b >> 16 : (b + (as - a - 1) * inc) >> 16;
            }
        }
        last_dir_ = dir;
        last_axis_aligned_ = axis_aligned;

        // A local copy, so the writes cannot be taken to change the image's
        // size and stride.
        const PixelWriter out = out_;
        if (dash_) {
            Dasher dasher(*this, swapped, a * 64, as * 64);
            do {
                if (dasher.On()) {
                    const Pixel p = At<kVertical>(a, b >> 16);
                    out.Put(p.x, p.y);
                }
                dasher.Advance();
                b += inc;
            } while (++a < as);
        } else {
            do {
                const Pixel p = At<kVertical>(a, b >> 16);
                out.Put(p.x, p.y);
                b += inc;
            } while (++a < as);
        }
        last_ = last;
        return true;
    }

    // Walks the dash pattern pixel by pixel; the pattern runs on along an
    // outline.
    class Dasher {
    public:
        Dasher(LineStepper& s, bool reverse, int start, int stop) : d_(*s.dash_) {
            const int delta = stop - start;
            if (reverse) {
                ends_ = &d_.backward;
                offset_ = d_.length - s.pattern_offset_ - delta - ((start & 63) - 32);
                on_parity_ = 0;
            } else {
                ends_ = &d_.forward;
                offset_ = s.pattern_offset_ - ((start & 63) - 32);
                on_parity_ = 1;
            }
            offset_ %= d_.length;
            if (offset_ < 0) offset_ += d_.length;
            const int size = static_cast<int>(ends_->size());
            while (index_ < size - 1 && offset_ >= (*ends_)[static_cast<std::size_t>(index_)]) ++index_;
            s.pattern_offset_ = (s.pattern_offset_ + delta) % d_.length;
        }
        bool On() const { return ((index_ + on_parity_) & 1) != 0; }
        void Advance() {
            offset_ += 64;
            if (offset_ >= (*ends_)[static_cast<std::size_t>(index_)])
                index_ = (index_ + 1) % static_cast<int>(ends_->size());
            offset_ %= d_.length;
        }

    private:
        const DashPattern& d_;
        const std::vector<int>* ends_ = nullptr;
        int offset_ = 0;
        int index_ = 0;
        int on_parity_ = 1;
    };

    const PixelWriter out_;
    const DashPattern* dash_;
    const double xmin_, xmax_, ymin_, ymax_;
    Pixel last_{kNoPixel, kNoPixel};
    int last_dir_ = kNoDirection;
    bool last_axis_aligned_ = false;
    int pattern_offset_ = 0;
};

// Polygons whose corners stay within this reach are filled by the raster
// engine as they are; beyond it Qt cuts them to the image first.
constexpr int kPolygonReach = 32767;

// Even-odd fill of a polygon as Qt's aliased raster engine scan-converts it:
// rows sampled at their centres, each edge's crossing carried in 16.16 fixed
// point from 26.6 corners and floored to a column, a pixel filled when its
// column lies between a pair of crossings; the parts of edges beyond the
// left or right side of the image run along that side.
class EvenOddFill {
public:
    explicit EvenOddFill(const PixelWriter& out) : out_(out), left_(0), right_(std::int64_t{out.width} << 16) {}

    void Fill(const QPolygon& points) {
        int min_y = points[0].y() * 64, max_y = min_y;
        for (const QPoint& p : points) {
            min_y = std::min(min_y, p.y() * 64);
            max_y = std::max(max_y, p.y() * 64);
        }
        top_ = std::max(0, (min_y + 32) >> 6);
        bottom_ = std::min(out_.height - 1, (max_y - 32) >> 6);
        if (top_ > bottom_) return;
        edges_.clear();
        const qsizetype n = points.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QPoint& a = points[i];
            const QPoint& b = points[(i + 1) % n];
            AddEdge(a.x() * 64, a.y() * 64, b.x() * 64, b.y() * 64);
        }
        Scan();
    }

private:
    struct Edge {
        std::int64_t x, delta;  // 16.16
        int top, bottom;
    };

    static std::int64_t Multiply(std::int64_t a, std::int64_t b) { return (a * b) >> 16; }

    void AddEdge(int ax, int ay, int bx, int by) {
        if (ay > by) {
            std::swap(ax, bx);
            std::swap(ay, by);
        }
        int top = std::max(top_, (ay + 32) >> 6);
        int bottom = std::min(bottom_, (by - 32) >> 6);
        if (top > bottom) return;
        const std::int64_t a_fp = 32768 + std::int64_t{ax} * 1024;
        if (bx == ax) {
            edges_.push_back({std::clamp(a_fp, left_, right_), 0, top, bottom});
            return;
        }
        const double slope = (bx - ax) / static_cast<double>(by - ay);
        const auto slope_fp = static_cast<std::int64_t>(slope * 65536.);
        std::int64_t x = a_fp + Multiply(slope_fp, (std::int64_t{top} << 16) + 32768 - std::int64_t{ay} * 1024);
        if (ClipAt(x, top, bottom, slope_fp, left_)) return;
        if (ClipAt(x, top, bottom, slope_fp, right_)) return;
        edges_.push_back({x, slope_fp, top, bottom});
    }

    // Moves the part of an edge beyond a side of the image onto that side;
    // true when nothing of the edge is left inside.
    bool ClipAt(std::int64_t& x, int& top, int& bottom, std::int64_t slope, std::int64_t side) {
        const bool right = side == right_;
        if (x == side) {
            if ((slope > 0) != right) return false;
            edges_.push_back({side, 0, top, bottom});
            return true;
        }
        const std::int64_t last = x + slope * (bottom - top);
        if (last == side) {
            if ((slope < 0) != right) return false;
            edges_.push_back({side, 0, top, bottom});
            return true;
        }
        if ((last < side) != (x < side)) {
            const auto rows = static_cast<std::int64_t>(static_cast<double>(side - x) / (slope * (1. / 65536.)));
            if ((x < side) != right) {
                // the top part lies beyond the side
                const int height = static_cast<int>((rows + 1) >> 16);
                const int middle = top + height;
                edges_.push_back({side, 0, top, middle});
                if (middle == bottom) return true;
                x += slope * (height + 1);
                top = middle + 1;
            } else {
                // the bottom part lies beyond the side
                const int height = static_cast<int>(rows >> 16);
                const int middle = top + height;
                if (middle != bottom) {
                    edges_.push_back({side, 0, middle + 1, bottom});
                    bottom = middle;
                }
            }
            return false;
        }
        if ((x < side) != right) {
            edges_.push_back({side, 0, top, bottom});
            return true;
        }
        return false;
    }

    void Scan() {
        if (edges_.empty()) return;
        std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
        active_.clear();
        std::size_t next = 0;
        for (int y = edges_.front().top; y <= bottom_; ++y) {
            for (; next < edges_.size() && edges_[next].top == y; ++next) active_.push_back(&edges_[next]);
            crossings_.clear();
            // The order of the active edges does not matter: the crossings
            // are sorted.
            for (std::size_t i = 0; i < active_.size();) {
                Edge* e = active_[i];
                const int x = static_cast<int>(e->x >> 16);
                std::size_t k = crossings_.size();
                crossings_.push_back(x);
                for (; k > 0 && crossings_[k - 1] > x; --k) crossings_[k] = crossings_[k - 1];
                crossings_[k] = x;
                if (e->bottom == y) {
                    active_[i] = active_.back();
                    active_.pop_back();
                } else {
                    e->x += e->delta;
                    ++i;
                }
            }
            for (std::size_t i = 0; i + 1 < crossings_.size(); i += 2)
                if (crossings_[i] < crossings_[i + 1]) out_.Run(y, crossings_[i], crossings_[i + 1]);
        }
    }

    const PixelWriter out_;
    const std::int64_t left_, right_;
    int top_ = 0, bottom_ = 0;
    std::vector<Edge> edges_;
    std::vector<Edge*> active_;
    std::vector<int> crossings_;
};

}  // namespace

void InstallFontSubstitutes() {
    static const bool done = [] {
        QFont::insertSubstitutions("굴림", {"NanumGothic", "나눔고딕"});
        QFont::insertSubstitutions("굴림체", {"NanumGothicCoding", "NanumGothic"});
        QFont::insertSubstitutions("돋움", {"NanumGothic", "나눔고딕"});
        QFont::insertSubstitutions("Tahoma", {"DejaVu Sans"});
        return true;
    }();
    (void)done;
}

QFont QFontOf(const FontSpec& f) {
    InstallFontSubstitutes();
    QFont font(QString::fromStdString(f.name));
    font.setPointSizeF(std::max(1.0, f.size_pt));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikethru);
    return font;
}

ImageSurface::ImageSurface(int width, int height)
    : image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
    image_.fill(ToQColor(BackColor()));
}

ImageSurface::~ImageSurface() = default;

QPainter& ImageSurface::Painter() {
    Settle();
    if (!painter_) {
        image_.bits();  // a copy handed out by Image() keeps its pixels
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setBackgroundMode(Qt::TransparentMode);
        painter_font_ = nullptr;
    }
    return *painter_;
}

void ImageSurface::EndPainting() {
    painter_.reset();
    shape_style_valid_ = false;
    text_style_valid_ = false;
}

void ImageSurface::Resize(int width, int height) {
    Settle();
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == image_.width() && height == image_.height()) return;
    EndPainting();
    QImage resized(width, height, QImage::Format_RGB32);
    resized.setDotsPerMeterX(kDotsPerMeter);
    resized.setDotsPerMeterY(kDotsPerMeter);
    resized.fill(ToQColor(BackColor()));
    {
        QPainter p(&resized);
        p.drawImage(0, 0, image_);
    }
    image_ = resized;
}

const QImage& ImageSurface::Image() {
    Settle();
    EndPainting();
    return image_;
}

std::optional<Colour> ImageSurface::Point(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return std::nullopt;
    if (pending_fill_) return Rgb(RedOf(pending_colour_), GreenOf(pending_colour_), BlueOf(pending_colour_));
    const QRgb p = image_.pixel(x, y);
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

void ImageSurface::PrepareShape(QPainter& p, Colour c, bool with_brush) {
    // The painter keeps its pen, brush and mode: set only what changed, so
    // runs of shapes in one style build no pens or brushes.
    const ShapeStyle style{c,
                           DrawWidth(),
                           DrawStyle(),
                           with_brush ? FillColor() : Colour{0},
                           with_brush ? FillStyle() : Fill::Transparent,
                           DrawMode() == PenMode::Merge};
    if (shape_style_valid_ && style == shape_style_) return;
    if (!shape_style_valid_ || style.pen != shape_style_.pen || style.width != shape_style_.width ||
        style.line != shape_style_.line)
        p.setPen(MakePen(c, style.width, style.line));
    if (!shape_style_valid_ || style.fill != shape_style_.fill || style.fill_style != shape_style_.fill_style)
        p.setBrush(with_brush ? MakeBrush(style.fill, style.fill_style) : QBrush(Qt::NoBrush));
    if (!shape_style_valid_ || style.merge != shape_style_.merge)
        p.setCompositionMode(style.merge ? QPainter::RasterOp_SourceOrDestination
                                         : QPainter::CompositionMode_SourceOver);
    shape_style_ = style;
    shape_style_valid_ = true;
    text_style_valid_ = false;
}

void ImageSurface::PaintAll(Colour c) {
    pending_fill_ = true;
    pending_colour_ = c;
}

void ImageSurface::FillNow() {
    pending_fill_ = false;
    const std::uint32_t value = ToPixel(pending_colour_);
    for (int y = 0; y < image_.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
        std::fill(row, row + image_.width(), value);
    }
}

bool ImageSurface::FastPen() const {
    return fast_lines_ && DrawWidth() == 1 && DrawStyle() != LineStyle::Invisible;
}

void ImageSurface::DrawLine(double x1, double y1, double x2, double y2, Colour c) {
    Settle();
    const QPoint from(Round(x1), Round(y1)), to(Round(x2), Round(y2));
    if (FastPen()) {
        LineStepper(WriterFor(image_, c, DrawMode()), DashOf(DrawStyle())).Line(from.x(), from.y(), to.x(), to.y());
        return;
    }
    QPainter& p = Painter();
    PrepareShape(p, c, false);
    p.drawLine(from, to);
}

void ImageSurface::DrawBox(double x1, double y1, double x2, double y2, Colour c, bool filled) {
    Settle();
    const int left = std::min(Round(x1), Round(x2)), right = std::max(Round(x1), Round(x2));
    const int top = std::min(Round(y1), Round(y2)), bottom = std::max(Round(y1), Round(y2));
    QPainter& p = Painter();
    if (filled) {
        PrepareShape(p, c, false);
        shape_style_valid_ = false;
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(ToQColor(c)));
        p.drawRect(QRect(left, top, right - left + 1, bottom - top + 1));
    } else {
        PrepareShape(p, c, true);
        p.drawRect(QRect(left, top, right - left, bottom - top));
    }
}

bool ImageSurface::FastCircle(int x, int y, double r, Colour c) {
    if (!(r >= 1 && r <= kFastRadiusMax)) return false;  // before the conversion: r may be huge
    const int ir = static_cast<int>(r);
    if (ir != r) return false;
    if (DrawWidth() != 1 || (DrawStyle() != LineStyle::Solid && DrawStyle() != LineStyle::InsideSolid)) return false;
    if (FillStyle() != Fill::Solid && FillStyle() != Fill::Transparent) return false;

    const CircleMask& mask = CircleMasks()[ir];
    auto put = [x, y](const std::vector<Span>& spans, const PixelWriter& out) {
        for (const Span& span : spans) {
            const int py = y + span.dy;
            if (py < 0 || py >= out.height) continue;
            const int x0 = std::max(0, x + span.dx0), x1 = std::min(out.width - 1, x + span.dx1);
            if (x0 <= x1) out.Run(py, x0, x1 + 1);
        }
    };
    if (FillStyle() == Fill::Solid) {
        put(mask.solid_interior, WriterFor(image_, FillColor(), DrawMode()));
        put(mask.solid_outline, WriterFor(image_, c, DrawMode()));
    } else {
        put(mask.outline_only, WriterFor(image_, c, DrawMode()));
    }
    return true;
}

void ImageSurface::DrawEllipse(double x, double y, double rx, double ry, Colour c) {
    Settle();
    const int ix = Round(x), iy = Round(y);
    if (fast_circles_ && rx == ry && FastCircle(ix, iy, rx, c)) return;
    QPainter& p = Painter();
    PrepareShape(p, c, true);
    PaintEllipse(p, ix, iy, rx, ry);
}

void ImageSurface::DrawPoint(double x, double y, Colour c) {
    Settle();
    const int ix = Round(x), iy = Round(y);
    if (DrawWidth() == 1) {
        WriterFor(image_, c, DrawMode()).Put(ix, iy);
        return;
    }
    QPainter& p = Painter();
    PrepareShape(p, c, false);
    p.drawPoint(ix, iy);
}

void ImageSurface::DrawPolygon(const std::vector<PointF>& points) {
    Settle();
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PointF& pt : points) polygon << QPoint(Round(pt.x), Round(pt.y));
    if (fast_lines_ && DrawWidth() == 1 && (FillStyle() == Fill::Solid || FillStyle() == Fill::Transparent) &&
        polygon.size() >= 3) {
        const QRect bounds = polygon.boundingRect();
        if (bounds.left() >= -kPolygonReach && bounds.right() <= kPolygonReach && bounds.top() >= -kPolygonReach &&
            bounds.bottom() <= kPolygonReach && bounds.right() - bounds.left() <= kPolygonReach &&
            bounds.bottom() - bounds.top() <= kPolygonReach) {
            if (FillStyle() == Fill::Solid) EvenOddFill(WriterFor(image_, FillColor(), DrawMode())).Fill(polygon);
            if (DrawStyle() != LineStyle::Invisible)
                LineStepper(WriterFor(image_, ForeColor(), DrawMode()), DashOf(DrawStyle())).Outline(polygon);
            return;
        }
    }
    QPainter& p = Painter();
    PrepareShape(p, ForeColor(), true);
    p.drawPolygon(polygon, Qt::OddEvenFill);
}

void ImageSurface::DrawText(double x, double y, const std::string& line) {
    const FontEntry& font = CurrentFont();
    QPainter& p = Painter();
    if (painter_font_ != &font) {
        p.setFont(font.font);
        painter_font_ = &font;
    }
    // Runs of labels in one colour set the pen once.
    if (!text_style_valid_ || text_colour_ != ForeColor()) {
        shape_style_valid_ = false;
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(ToQColor(ForeColor()));
        text_colour_ = ForeColor();
        text_style_valid_ = true;
    }
    p.drawText(QPoint(Round(x), Round(y) + font.metrics->ascent()), QString::fromUtf8(line));
}

void ImageSurface::DrawPicture(const QImage& picture, double x, double y) {
    QPainter& p = Painter();
    shape_style_valid_ = false;
    text_style_valid_ = false;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(Round(x), Round(y)), picture);
}

double ImageSurface::LineWidth(const std::string& line) const {
    FontEntry& font = CurrentFont();
    const auto known = font.widths.find(line);
    if (known != font.widths.end()) return known->second;
    if (font.widths.size() >= kMaxKeptWidths) font.widths.clear();
    const double width = font.metrics->horizontalAdvance(QString::fromUtf8(line));
    font.widths.emplace(line, width);
    return width;
}

double ImageSurface::LineHeight() const { return CurrentFont().metrics->height(); }

ImageSurface::FontEntry& ImageSurface::CurrentFont() const {
    if (font_) return *font_;
    for (const auto& entry : fonts_)
        if (entry->spec == Font()) return *(font_ = entry.get());
    if (fonts_.size() >= kMaxKeptFonts) {
        fonts_.clear();
        painter_font_ = nullptr;
    }
    auto entry = std::make_unique<FontEntry>();
    entry->spec = Font();
    entry->font = QFontOf(Font());
    entry->metrics = std::make_unique<QFontMetrics>(entry->font, &image_);
    font_ = entry.get();
    fonts_.push_back(std::move(entry));
    return *font_;
}

void ImageSurface::FontChanged() { font_ = nullptr; }

}  // namespace platform
