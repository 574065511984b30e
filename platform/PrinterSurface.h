#pragma once
// The paper surface: the picture surface drawn through a painter on a printer
// or a PDF file, in page units of 211 x 297 (a millimetre of A4 portrait
// paper; other paper scales evenly by min(width / 210, height / 297), never
// stretched). Drawing and read-outs share those units (pixel scale mode).
//
// Paper has no pixels, so widths and patterns are lengths: DrawWidth 1 is
// 0.1 unit, dotted and dash-dot-dot lines repeat about every millimetre, and
// the hatched fills have their lines about a millimetre apart, whatever the
// resolution. Fonts keep their stored names (substituted when drawn) and
// their sizes are points on paper; text metrics come from the printer.
// Merge pen draws as copy pen.
#include <filesystem>
#include <memory>

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>

#include "platform/Services.h"
#include "platform/Surface.h"

class QPaintDevice;
class QPainter;
class QPainterPath;

namespace platform {

inline constexpr double kPageWidthUnits = 211;
inline constexpr double kPageHeightUnits = 297;

class PrinterSurface final : public Surface {
public:
    // Draws with `painter`, already begun on `device`; a page unit is
    // `device_per_unit` device pixels and page (0, 0) lies at `origin`
    // (device pixels).
    // A landscape page is 297 units wide and 211 tall.
    PrinterSurface(QPainter& painter, QPaintDevice& device, double device_per_unit, QPointF origin,
                   bool landscape = false);

protected:
    double Width() const override { return landscape_ ? kPageHeightUnits : kPageWidthUnits; }
    double Height() const override { return landscape_ ? kPageWidthUnits : kPageHeightUnits; }
    void PaintAll(Colour c) override;
    void DrawLine(double x1, double y1, double x2, double y2, Colour c) override;
    void DrawBox(double x1, double y1, double x2, double y2, Colour c, bool filled) override;
    void DrawEllipse(double x, double y, double rx, double ry, Colour c) override;
    void DrawPoint(double x, double y, Colour c) override;
    void DrawPolygon(const std::vector<PointF>& points) override;
    void DrawText(double x, double y, const std::string& line) override;
    void DrawPicture(const QImage& picture, double x, double y) override;
    double LineWidth(const std::string& line) const override;
    double LineHeight() const override;
    void FontChanged() override { metrics_.reset(); }

private:
    void Shape(const QPainterPath& path, Colour outline, bool with_fill);
    // The font and its printer metrics, built on first use after a change.
    const QFontMetricsF& Metrics() const;

    QPainter& painter_;
    QPaintDevice& device_;
    double per_unit_;
    QPointF origin_;
    bool landscape_;
    mutable QFont qfont_;
    mutable std::unique_ptr<QFontMetricsF> metrics_;
};

// Starts a document on the printer of that name, or in a PDF file (A4, turned
// when the target is landscape) at `pdf_resolution_dpi`; nullptr when the printer is not
// installed or cannot start, or the file cannot be created.
std::unique_ptr<PrintDocument> StartPrinterDocument(const PrintTarget& target, int pdf_resolution_dpi = 1200);

}  // namespace platform
