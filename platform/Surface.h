#pragma once
// The picture surface the chart, the calendar picture and the printer draw
// on, with the drawing semantics the chart code was written against: a
// current position that drawing calls move, pen and fill state that stays set
// until changed, transparent text placed by its top-left corner, and
// read-outs in the current scale mode.
//
// Drawing coordinates are device units (pixels on the screen surface) whatever
// the scale mode; only ScaleWidth, ScaleHeight, CurrentX, CurrentY, TextWidth
// and TextHeight are given in the current scale (twips: 15 per pixel). The
// state lives here; a device supplies the primitives below, so the image
// surface, the recording surface of the tests and a printer surface behave
// alike.
#include <optional>
#include <string>
#include <vector>

#include "platform/Colour.h"
#include "platform/FontSpec.h"

class QImage;

namespace platform {

constexpr double kTwipsPerPixel = 15;

enum class Scale { Twips = 1, Pixels = 3 };
// Interior of circles, boxes and polygons; the hatches leave their gaps
// transparent.
enum class Fill {
    Solid = 0,
    Transparent = 1,
    Horizontal = 2,
    Vertical = 3,
    UpwardDiagonal = 4,    // "/"
    DownwardDiagonal = 5,  // "\"
    Cross = 6,
    DiagonalCross = 7,
};
enum class LineStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Invisible = 5, InsideSolid = 6 };
// Copy pen paints the pen colour; merge pen ORs it into each channel of the
// destination. Text and pictures always paint as copy pen.
enum class PenMode { Copy = 13, Merge = 15 };
// Line: a line; B: a box outlined in the colour with the interior by the
// fill style; BF: a box filled with the colour.
enum class Box { None, B, BF };

struct PointF {
    double x = 0;
    double y = 0;
};

// A rule a drawing may set for the colours of its lines and text (see
// Surface::SetInkRule).
using InkRule = Colour (*)(Colour);

class Surface {
public:
    virtual ~Surface() = default;

    virtual void SetScaleMode(Scale scale);
    Scale ScaleMode() const { return scale_; }
    double ScaleWidth() const { return Width() * Factor(); }
    double ScaleHeight() const { return Height() * Factor(); }

    double CurrentX() const { return x_ * Factor(); }
    double CurrentY() const { return y_ * Factor(); }
    virtual void SetCurrentX(double x);
    virtual void SetCurrentY(double y);

    // The ink rule applied: the colour text and outlines are drawn in.
    Colour ForeColor() const { return fore_; }
    virtual void SetForeColor(Colour c);
    // Setting the background colour repaints the whole surface in it.
    Colour BackColor() const { return back_; }
    virtual void SetBackColor(Colour c);
    Colour FillColor() const { return fill_colour_; }
    virtual void SetFillColor(Colour c);
    Fill FillStyle() const { return fill_style_; }
    virtual void SetFillStyle(Fill style);
    int DrawWidth() const { return draw_width_; }
    virtual void SetDrawWidth(int width);  // at least 1
    LineStyle DrawStyle() const { return draw_style_; }
    virtual void SetDrawStyle(LineStyle style);
    PenMode DrawMode() const { return draw_mode_; }
    virtual void SetDrawMode(PenMode mode);
    // A rule every colour of text, lines, outlines and points goes through
    // before it is drawn, the foreground colour when it is set (and the one
    // set already); filled boxes, fills and pictures keep theirs. Null, the
    // start, draws every colour as given.
    void SetInkRule(InkRule rule);
    InkRule GetInkRule() const { return ink_rule_; }

    const FontSpec& Font() const { return font_; }
    virtual void SetFont(const FontSpec& font);
    void SetFontName(const std::string& name);
    void SetFontSize(double size_pt);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);

    // Fills the surface with the background colour; CurrentX = CurrentY = 0.
    virtual void Cls();
    // Line (x1,y1)-(x2,y2)[, c][, B|BF]; the colour defaults to ForeColor.
    // CurrentX, CurrentY := (x2, y2).
    virtual void Line(double x1, double y1, double x2, double y2, std::optional<Colour> c = std::nullopt,
                      Box box = Box::None);
    // Circle (x,y), r[, c][, aspect]: outline in c (default ForeColor),
    // interior by the fill style. Aspect below 1 shrinks the vertical radius
    // to r * aspect, above 1 the horizontal one to r / aspect.
    // CurrentX, CurrentY := (x, y).
    virtual void Circle(double x, double y, double r, std::optional<Colour> c = std::nullopt, double aspect = 1);
    // One point in c (default ForeColor), DrawWidth across.
    // CurrentX, CurrentY := (x, y).
    virtual void PSet(double x, double y, std::optional<Colour> c = std::nullopt);
    // Prints at (CurrentX, CurrentY) as the top-left corner in ForeColor on
    // a transparent background; each line ends with CurrentX := 0 and
    // CurrentY moved down by one line.
    virtual void Print(const std::string& text);
    // A closed polygon outlined with the pen and filled by the fill style,
    // odd-even rule.
    virtual void Polygon(const std::vector<PointF>& points);
    // Paints a picture with its top-left corner at (x, y).
    virtual void PaintPicture(const QImage& picture, double x, double y);

    // Extent of the text in the current font and scale; lines split at
    // line breaks.
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;

protected:
    // Size of the surface in device units.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void PaintAll(Colour c) = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2, Colour c) = 0;
    // Corners in any order; filled: the whole box in c, else the outline in c
    // and the interior by the fill style.
    virtual void DrawBox(double x1, double y1, double x2, double y2, Colour c, bool filled) = 0;
    virtual void DrawEllipse(double x, double y, double rx, double ry, Colour c) = 0;
    virtual void DrawPoint(double x, double y, Colour c) = 0;
    virtual void DrawPolygon(const std::vector<PointF>& points) = 0;
    // One line of text, no line breaks, top-left corner at (x, y).
    virtual void DrawText(double x, double y, const std::string& line) = 0;
    virtual void DrawPicture(const QImage& picture, double x, double y) = 0;
    // Device units.
    virtual double LineWidth(const std::string& line) const = 0;
    virtual double LineHeight() const = 0;
    virtual void FontChanged() {}

private:
    double Factor() const { return scale_ == Scale::Twips ? kTwipsPerPixel : 1; }
    Colour Ink(Colour c) const { return ink_rule_ ? ink_rule_(c) : c; }

    Scale scale_ = Scale::Twips;  // as a new picture box starts
    double x_ = 0, y_ = 0;  // device units
    Colour fore_ = Rgb(0, 0, 0);
    Colour back_ = Rgb(255, 255, 255);
    Colour fill_colour_ = Rgb(0, 0, 0);
    Fill fill_style_ = Fill::Transparent;
    int draw_width_ = 1;
    LineStyle draw_style_ = LineStyle::Solid;
    PenMode draw_mode_ = PenMode::Copy;
    InkRule ink_rule_ = nullptr;
    FontSpec font_;
};

// Splits at "\r\n", "\n" or "\r".
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace platform
