#include "platform/PrinterSurface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

#include "platform/ImageSurface.h"
#include "platform/PdfTextMap.h"
#include "platform/TextFile.h"

namespace platform {
namespace {

constexpr double kUnitsPerDrawWidth = 0.1;
constexpr double kHatchSpacing = 1.0;  // units between the lines of a hatched fill
constexpr double kMmPerInch = 25.4;
constexpr double kA4Width_mm = 210;
constexpr double kA4Height_mm = 297;
constexpr double kScreenDpi = 96;

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// Dash patterns as lengths in units, turned into multiples of the pen width
// (Qt's measure) so that they stay about a millimetre long at any width.
QVector<qreal> DashPattern(LineStyle style, double width) {
    QVector<qreal> units;
    switch (style) {
        case LineStyle::Dash: units = {0.8, 0.4}; break;
        case LineStyle::Dot: units = {0.3, 0.7}; break;
        case LineStyle::DashDot: units = {0.7, 0.3, 0.2, 0.3}; break;
        case LineStyle::DashDotDot: units = {0.6, 0.3, 0.2, 0.3, 0.2, 0.3}; break;
        default: return {};
    }
    for (qreal& v : units) v /= width;
    return units;
}

QPen MakePen(Colour c, int draw_width, LineStyle style) {
    if (style == LineStyle::Invisible) return QPen(Qt::NoPen);
    const double width = std::max(1, draw_width) * kUnitsPerDrawWidth;
    QPen pen(ToQColor(c), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QVector<qreal> dashes = DashPattern(style, width);
    if (!dashes.isEmpty()) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(dashes);
    }
    return pen;
}

// One document on a QPrinter; a PDF is written into a pending file in the
// target's folder (no name a link could be planted at beforehand) that takes
// the target's name when End() succeeds and is gone otherwise.
class QtPrintDocument final : public PrintDocument {
public:
    ~QtPrintDocument() override {
        if (painter_.isActive()) {
            printer_.abort();
            painter_.end();
        }
    }

    bool Start(const PrintTarget& target, int pdf_dpi) {
        printer_.setFullPage(true);
        printer_.setColorMode(QPrinter::Color);
        landscape_ = target.landscape;
        printer_.setPageOrientation(landscape_ ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (!target.pdf.empty()) {
            pdf_ = std::make_unique<PendingFile>(target.pdf);
            if (!pdf_->IsOpen()) return false;
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setResolution(pdf_dpi);
            printer_.setPageSize(QPageSize(QPageSize::A4));
            printer_.setOutputFileName(QString::fromStdString(pdf_->WriteName().string()));
        } else {
            const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromUtf8(target.printer.c_str()));
            if (info.isNull()) return false;
            printer_.setPrinterName(info.printerName());
            if (!printer_.isValid()) return false;
        }
        if (!painter_.begin(&printer_)) return false;
        painter_.setRenderHint(QPainter::Antialiasing, true);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
        painter_.setBackgroundMode(Qt::TransparentMode);

        // The whole sheet in device pixels, and the largest page of A4
        // proportions on it.
        const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
        const double px_per_mm = printer_.resolution() / kMmPerInch;
        const double a4_wide = landscape_ ? kA4Height_mm : kA4Width_mm;
        const double a4_tall = landscape_ ? kA4Width_mm : kA4Height_mm;
        const double k = std::min(paper.width() / px_per_mm / a4_wide, paper.height() / px_per_mm / a4_tall);
        const double per_unit = px_per_mm * k;
        page_ = std::make_unique<PrinterSurface>(painter_, printer_, per_unit, paper.topLeft(), landscape_);
        page_->SetScaleMode(Scale::Pixels);
        return true;
    }

    Surface& Page() override { return *page_; }

    bool NewPage() override { return painter_.isActive() && printer_.newPage(); }

    bool End() override {
        if (!painter_.isActive()) return false;
        const bool ended = painter_.end();
        if (!pdf_) return ended;
        std::unique_ptr<PendingFile> pdf = std::move(pdf_);
        // The engine's text maps read some glyphs as other characters than
        // the page shows; mended before the file takes the user's name.
        return ended && pdf->Size() > 0 && RepairPdfTextMapsInFile(pdf->WriteName()) && pdf->Commit();
    }

private:
    QPrinter printer_{QPrinter::HighResolution};
    QPainter painter_;
    std::unique_ptr<PrinterSurface> page_;
    std::unique_ptr<PendingFile> pdf_;
    bool landscape_ = false;
};

}  // namespace

PrinterSurface::PrinterSurface(QPainter& painter, QPaintDevice& device, double device_per_unit, QPointF origin,
                               bool landscape)
    : painter_(painter), device_(device), per_unit_(device_per_unit), origin_(origin), landscape_(landscape) {
    InstallFontSubstitutes();
    painter_.setWorldTransform(QTransform::fromTranslate(origin_.x(), origin_.y()).scale(per_unit_, per_unit_));
}

const QFontMetricsF& PrinterSurface::Metrics() const {
    if (!metrics_) {
        qfont_ = QFontOf(Font());
        metrics_ = std::make_unique<QFontMetricsF>(qfont_, &device_);
    }
    return *metrics_;
}

void PrinterSurface::Shape(const QPainterPath& path, Colour outline, bool with_fill) {
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (with_fill && FillStyle() != Fill::Transparent) {
        const QColor fill = ToQColor(FillColor());
        if (FillStyle() == Fill::Solid) {
            painter_.fillPath(path, fill);
        } else {
            // Hatches as lines a millimetre apart, clipped to the shape: a
            // pattern brush would repeat every few device pixels.
            painter_.save();
            painter_.setClipPath(path, Qt::IntersectClip);
            painter_.setPen(QPen(fill, kUnitsPerDrawWidth, Qt::SolidLine, Qt::FlatCap));
            const QRectF r = path.boundingRect();
            const double span = r.width() + r.height();
            const Fill s = FillStyle();
            const bool horizontal = s == Fill::Horizontal || s == Fill::Cross;
            const bool vertical = s == Fill::Vertical || s == Fill::Cross;
            const bool upward = s == Fill::UpwardDiagonal || s == Fill::DiagonalCross;
            const bool downward = s == Fill::DownwardDiagonal || s == Fill::DiagonalCross;
            const double x0 = std::floor(r.left() / kHatchSpacing) * kHatchSpacing;
            const double y0 = std::floor(r.top() / kHatchSpacing) * kHatchSpacing;
            if (horizontal)
                for (double y = y0; y <= r.bottom(); y += kHatchSpacing)
                    painter_.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
            if (vertical)
                for (double x = x0; x <= r.right(); x += kHatchSpacing)
                    painter_.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
            // Diagonals at 45 degrees, spaced a millimetre apart across them.
            const double step = kHatchSpacing * std::sqrt(2.0);
            for (double d = -span; d <= span; d += step) {
                if (upward) painter_.drawLine(QPointF(r.left() + d, r.bottom()), QPointF(r.left() + d + span, r.bottom() - span));
                if (downward) painter_.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + span, r.top() + span));
            }
            painter_.restore();
        }
    }
    painter_.strokePath(path, MakePen(outline, DrawWidth(), DrawStyle()));
}

void PrinterSurface::PaintAll(Colour c) {
    painter_.fillRect(QRectF(0, 0, Width(), Height()), ToQColor(c));
}

void PrinterSurface::DrawLine(double x1, double y1, double x2, double y2, Colour c) {
    painter_.setPen(MakePen(c, DrawWidth(), DrawStyle()));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PrinterSurface::DrawBox(double x1, double y1, double x2, double y2, Colour c, bool filled) {
    const QRectF r = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    if (filled) {
        painter_.fillRect(r, ToQColor(c));
        return;
    }
    QPainterPath path;
    path.addRect(r);
    Shape(path, c, true);
}

void PrinterSurface::DrawEllipse(double x, double y, double rx, double ry, Colour c) {
    QPainterPath path;
    path.addEllipse(QPointF(x, y), rx, ry);
    Shape(path, c, true);
}

void PrinterSurface::DrawPoint(double x, double y, Colour c) {
    const double half = DrawWidth() * kUnitsPerDrawWidth / 2;
    painter_.fillRect(QRectF(x - half, y - half, 2 * half, 2 * half), ToQColor(c));
}

void PrinterSurface::DrawPolygon(const std::vector<PointF>& points) {
    QPolygonF polygon;
    for (const PointF& p : points) polygon << QPointF(p.x, p.y);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(polygon);
    path.closeSubpath();
    Shape(path, ForeColor(), true);
}

void PrinterSurface::DrawText(double x, double y, const std::string& line) {
    // Text is set in device pixels so that its point size is not scaled by
    // the page units.
    const QFontMetricsF& metrics = Metrics();
    painter_.save();
    painter_.resetTransform();
    painter_.setFont(qfont_);
    painter_.setPen(ToQColor(ForeColor()));
    const QPointF at(origin_.x() + x * per_unit_, origin_.y() + y * per_unit_ + metrics.ascent());
    painter_.drawText(at, QString::fromUtf8(line.c_str()));
    painter_.restore();
}

void PrinterSurface::DrawPicture(const QImage& picture, double x, double y) {
    const double units_per_pixel = kMmPerInch / kScreenDpi;
    painter_.drawImage(QRectF(x, y, picture.width() * units_per_pixel, picture.height() * units_per_pixel), picture);
}

double PrinterSurface::LineWidth(const std::string& line) const {
    return Metrics().horizontalAdvance(QString::fromUtf8(line.c_str())) / per_unit_;
}

double PrinterSurface::LineHeight() const {
    return Metrics().height() / per_unit_;
}

std::unique_ptr<PrintDocument> StartPrinterDocument(const PrintTarget& target, int pdf_resolution_dpi) {
    auto document = std::make_unique<QtPrintDocument>();
    if (!document->Start(target, pdf_resolution_dpi)) return nullptr;
    return document;
}

}  // namespace platform
