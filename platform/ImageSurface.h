#pragma once
// The screen surface: a persistent RGB32 image painted without antialiasing.
// It keeps its pixels between drawings; the chart widget shows them and the
// clipboard and picture savers read them through Image().
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include "platform/Surface.h"

class QPainter;

namespace platform {

class ImageSurface final : public Surface {
public:
    ImageSurface(int width, int height);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    // Changes the size; what was drawn stays where it was and new area takes
    // the background colour.
    void Resize(int width, int height);
    int PixelWidth() const { return image_.width(); }
    int PixelHeight() const { return image_.height(); }

    // The pixels drawn so far. Painting is finished first, so the image may be
    // copied or saved; drawing afterwards does not change a copy.
    const QImage& Image();
    // The colour of one pixel; nullopt outside the surface.
    std::optional<Colour> Point(int x, int y) const;

    // Circles of whole radius 1 to 16 are written straight into the image
    // from spans taken from the general path. Off, every circle takes the
    // general path (for comparing the two).
    void SetFastCircles(bool on) { fast_circles_ = on; }
    // Lines and polygons of a 1-pixel pen (polygons filled solid or
    // transparent) are written straight into the image, with the pixels of
    // the general path. Off, they take the general path.
    void SetFastLines(bool on) { fast_lines_ = on; }

protected:
    double Width() const override { return image_.width(); }
    double Height() const override { return image_.height(); }
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
    void FontChanged() override;

private:
    QPainter& Painter();
    void EndPainting();
    // Writes a pending fill of the whole image before the pixels are drawn
    // on or read.
    void Settle() {
        if (pending_fill_) FillNow();
    }
    void FillNow();
    // Pen, brush and raster mode for a shape outlined in `c`.
    void PrepareShape(QPainter& p, Colour c, bool with_brush);
    bool FastCircle(int x, int y, double r, Colour c);
    bool FastPen() const;

    // The pen, brush and mode the painter holds for shapes.
    struct ShapeStyle {
        Colour pen;
        int width;
        LineStyle line;
        Colour fill;
        Fill fill_style;
        bool merge;
        bool operator==(const ShapeStyle&) const = default;
    };

    // A surface font with its Qt font, metrics and the widths of the lines
    // measured in it. Built on first use, so drawing shapes needs no font
    // database, and kept, so layers switching between a few fonts build
    // each once.
    struct FontEntry {
        FontSpec spec;
        QFont font;
        std::unique_ptr<QFontMetrics> metrics;
        std::unordered_map<std::string, double> widths;
    };
    static constexpr std::size_t kMaxKeptFonts = 16;
    static constexpr std::size_t kMaxKeptWidths = 4096;
    FontEntry& CurrentFont() const;

    QImage image_;
    // A fill of the whole image not written yet: a drawing fills the
    // surface with the old background colour, then sets the new one, and
    // only the last fill is written.
    bool pending_fill_ = false;
    Colour pending_colour_ = 0;
    std::unique_ptr<QPainter> painter_;
    ShapeStyle shape_style_{};
    bool shape_style_valid_ = false;
    // The painter holds the text pen and mode in text_colour_.
    bool text_style_valid_ = false;
    Colour text_colour_ = 0;
    bool fast_circles_ = true;
    bool fast_lines_ = true;
    mutable std::vector<std::unique_ptr<FontEntry>> fonts_;
    mutable FontEntry* font_ = nullptr;  // of Font(); null when it changed
    mutable const FontEntry* painter_font_ = nullptr;  // the font the painter holds
};

// Registers the substitutes for the font names the programs use ("굴림",
// "돋움", "Tahoma", ...) with installed families. Called by ImageSurface;
// idempotent.
void InstallFontSubstitutes();

// The Qt font of a surface font: stored name (substituted when drawn), point
// size of at least 1, bold, italic, underline and strike-through. Installs the
// substitutes first.
QFont QFontOf(const FontSpec& f);

}  // namespace platform
