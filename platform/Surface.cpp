#include "platform/Surface.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(current);
            current.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += ch;
        }
    }
    lines.push_back(current);
    return lines;
}

void Surface::SetScaleMode(Scale scale) { scale_ = scale; }

void Surface::SetCurrentX(double x) { x_ = x / Factor(); }
void Surface::SetCurrentY(double y) { y_ = y / Factor(); }

void Surface::SetForeColor(Colour c) { fore_ = Ink(c); }

void Surface::SetBackColor(Colour c) {
    back_ = c;
    PaintAll(c);
}

void Surface::SetFillColor(Colour c) { fill_colour_ = c; }
void Surface::SetFillStyle(Fill style) { fill_style_ = style; }
void Surface::SetDrawWidth(int width) { draw_width_ = std::max(1, width); }
void Surface::SetDrawStyle(LineStyle style) { draw_style_ = style; }
void Surface::SetDrawMode(PenMode mode) { draw_mode_ = mode; }

void Surface::SetInkRule(InkRule rule) {
    ink_rule_ = rule;
    fore_ = Ink(fore_);
}

void Surface::SetFont(const FontSpec& font) {
    font_ = font;
    FontChanged();
}

void Surface::SetFontName(const std::string& name) {
    FontSpec f = font_;
    f.name = name;
    SetFont(f);
}

void Surface::SetFontSize(double size_pt) {
    FontSpec f = font_;
    f.size_pt = size_pt;
    SetFont(f);
}

void Surface::SetFontBold(bool bold) {
    FontSpec f = font_;
    f.bold = bold;
    SetFont(f);
}

void Surface::SetFontItalic(bool italic) {
    FontSpec f = font_;
    f.italic = italic;
    SetFont(f);
}

void Surface::Cls() {
    PaintAll(back_);
    x_ = 0;
    y_ = 0;
}

void Surface::Line(double x1, double y1, double x2, double y2, std::optional<Colour> c, Box box) {
    const Colour colour = box == Box::BF ? c.value_or(fore_) : Ink(c.value_or(fore_));
    if (Finite(x1, y1) && Finite(x2, y2)) {
        if (box == Box::None)
            DrawLine(x1, y1, x2, y2, colour);
        else
            DrawBox(x1, y1, x2, y2, colour, box == Box::BF);
    }
    x_ = x2;
    y_ = y2;
}

void Surface::Circle(double x, double y, double r, std::optional<Colour> c, double aspect) {
    if (!(aspect > 0) || !std::isfinite(aspect)) aspect = 1;
    const double rx = aspect > 1 ? r / aspect : r;
    const double ry = aspect < 1 ? r * aspect : r;
    if (Finite(x, y) && std::isfinite(r) && r > 0) DrawEllipse(x, y, rx, ry, Ink(c.value_or(fore_)));
    x_ = x;
    y_ = y;
}

void Surface::PSet(double x, double y, std::optional<Colour> c) {
    if (Finite(x, y)) DrawPoint(x, y, Ink(c.value_or(fore_)));
    x_ = x;
    y_ = y;
}

void Surface::Print(const std::string& text) {
    const double height = LineHeight();
    for (const std::string& line : SplitLines(text)) {
        if (!line.empty() && Finite(x_, y_)) DrawText(x_, y_, line);
        x_ = 0;
        y_ += height;
    }
}

void Surface::Polygon(const std::vector<PointF>& points) {
    if (points.size() < 2) return;
    for (const PointF& p : points)
        if (!Finite(p.x, p.y)) return;
    DrawPolygon(points);
}

void Surface::PaintPicture(const QImage& picture, double x, double y) {
    if (Finite(x, y)) DrawPicture(picture, x, y);
}

double Surface::TextWidth(const std::string& text) const {
    double widest = 0;
    for (const std::string& line : SplitLines(text)) widest = std::max(widest, LineWidth(line));
    return widest * Factor();
}

double Surface::TextHeight(const std::string& text) const {
    return static_cast<double>(SplitLines(text).size()) * LineHeight() * Factor();
}

}  // namespace platform
