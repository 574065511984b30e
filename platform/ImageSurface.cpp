#include "platform/ImageSurface.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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
    if (!painter_) {
        image_.bits();  // a copy handed out by Image() keeps its pixels
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setBackgroundMode(Qt::TransparentMode);
        if (metrics_) painter_->setFont(qfont_);
    }
    return *painter_;
}

void ImageSurface::EndPainting() {
    painter_.reset();
    shape_style_valid_ = false;
}

void ImageSurface::Resize(int width, int height) {
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
    EndPainting();
    return image_;
}

std::optional<Colour> ImageSurface::Point(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return std::nullopt;
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
}

void ImageSurface::PaintAll(Colour c) {
    QPainter& p = Painter();
    shape_style_valid_ = false;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(image_.rect(), ToQColor(c));
}

void ImageSurface::DrawLine(double x1, double y1, double x2, double y2, Colour c) {
    QPainter& p = Painter();
    PrepareShape(p, c, false);
    p.drawLine(QPoint(Round(x1), Round(y1)), QPoint(Round(x2), Round(y2)));
}

void ImageSurface::DrawBox(double x1, double y1, double x2, double y2, Colour c, bool filled) {
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
    uchar* bits = image_.bits();  // detaches first if a copy of Image() shares the pixels
    const qsizetype stride = image_.bytesPerLine();
    const int w = image_.width(), h = image_.height();
    const bool merge = DrawMode() == PenMode::Merge;
    auto put = [&](const std::vector<Span>& spans, std::uint32_t value) {
        for (const Span& span : spans) {
            const int py = y + span.dy;
            if (py < 0 || py >= h) continue;
            const int x0 = std::max(0, x + span.dx0), x1 = std::min(w - 1, x + span.dx1);
            auto* row = reinterpret_cast<std::uint32_t*>(bits + py * stride);
            if (merge)
                for (int px = x0; px <= x1; ++px) row[px] |= value;
            else
                for (int px = x0; px <= x1; ++px) row[px] = value;
        }
    };
    if (FillStyle() == Fill::Solid) {
        put(mask.solid_interior, ToPixel(FillColor()));
        put(mask.solid_outline, ToPixel(c));
    } else {
        put(mask.outline_only, ToPixel(c));
    }
    return true;
}

void ImageSurface::DrawEllipse(double x, double y, double rx, double ry, Colour c) {
    const int ix = Round(x), iy = Round(y);
    if (fast_circles_ && rx == ry && FastCircle(ix, iy, rx, c)) return;
    QPainter& p = Painter();
    PrepareShape(p, c, true);
    PaintEllipse(p, ix, iy, rx, ry);
}

void ImageSurface::DrawPoint(double x, double y, Colour c) {
    const int ix = Round(x), iy = Round(y);
    if (DrawWidth() == 1) {
        if (ix < 0 || iy < 0 || ix >= image_.width() || iy >= image_.height()) return;
        auto* pixel = reinterpret_cast<std::uint32_t*>(image_.scanLine(iy)) + ix;
        *pixel = DrawMode() == PenMode::Merge ? (*pixel | ToPixel(c)) : ToPixel(c);
        return;
    }
    QPainter& p = Painter();
    PrepareShape(p, c, false);
    p.drawPoint(ix, iy);
}

void ImageSurface::DrawPolygon(const std::vector<PointF>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PointF& pt : points) polygon << QPoint(Round(pt.x), Round(pt.y));
    QPainter& p = Painter();
    PrepareShape(p, ForeColor(), true);
    p.drawPolygon(polygon, Qt::OddEvenFill);
}

void ImageSurface::DrawText(double x, double y, const std::string& line) {
    LineHeight();  // builds the font on first use
    QPainter& p = Painter();
    shape_style_valid_ = false;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(ToQColor(ForeColor()));
    p.drawText(QPoint(Round(x), Round(y) + metrics_->ascent()), QString::fromUtf8(line));
}

void ImageSurface::DrawPicture(const QImage& picture, double x, double y) {
    QPainter& p = Painter();
    shape_style_valid_ = false;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(Round(x), Round(y)), picture);
}

double ImageSurface::LineWidth(const std::string& line) const {
    LineHeight();
    return metrics_->horizontalAdvance(QString::fromUtf8(line));
}

double ImageSurface::LineHeight() const {
    if (!metrics_) {
        qfont_ = QFontOf(Font());
        metrics_ = std::make_unique<QFontMetrics>(qfont_, &image_);
        if (painter_) painter_->setFont(qfont_);
    }
    return metrics_->height();
}

void ImageSurface::FontChanged() { metrics_.reset(); }

}  // namespace platform
