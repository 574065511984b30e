#include "platform/RecordingSurface.h"

#include <QImage>

#include <charconv>

namespace platform {
namespace {

// The shortest text that reads back as the same number.
std::string Num(double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "literal" + string.
std::string Pair(double x, double y) {
    std::string text(1, '(');
    text.append(Num(x)).append(1, ',').append(Num(y)).append(1, ')');
    return text;
}

std::string OptionalColour(const std::optional<Colour>& c) {
    std::string text;
    if (c) text.append(1, ',').append(RgbText(*c));
    return text;
}

std::string Call(const char* name, const std::string& arguments) { return std::string(name).append(arguments); }

// UTF-8 code points, counting each character once whatever its bytes.
std::size_t CodePoints(const std::string& s) {
    std::size_t n = 0;
    for (const char ch : s)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

std::string RgbText(Colour c) {
    std::string text("RGB(");
    text.append(std::to_string(RedOf(c))).append(1, ',').append(std::to_string(GreenOf(c)));
    text.append(1, ',').append(std::to_string(BlueOf(c))).append(1, ')');
    return text;
}

void RecordingSurface::SetScaleMode(Scale scale) {
    calls_.push_back(Call("ScaleMode=", std::to_string(static_cast<int>(scale))));
    Surface::SetScaleMode(scale);
}

void RecordingSurface::SetCurrentX(double x) {
    calls_.push_back(Call("CurrentX=", Num(x)));
    Surface::SetCurrentX(x);
}

void RecordingSurface::SetCurrentY(double y) {
    calls_.push_back(Call("CurrentY=", Num(y)));
    Surface::SetCurrentY(y);
}

void RecordingSurface::SetForeColor(Colour c) {
    calls_.push_back(Call("ForeColor=", RgbText(c)));
    Surface::SetForeColor(c);
}

void RecordingSurface::SetBackColor(Colour c) {
    calls_.push_back(Call("BackColor=", RgbText(c)));
    Surface::SetBackColor(c);
}

void RecordingSurface::SetFillColor(Colour c) {
    calls_.push_back(Call("FillColor=", RgbText(c)));
    Surface::SetFillColor(c);
}

void RecordingSurface::SetFillStyle(Fill style) {
    calls_.push_back(Call("FillStyle=", std::to_string(static_cast<int>(style))));
    Surface::SetFillStyle(style);
}

void RecordingSurface::SetDrawWidth(int width) {
    calls_.push_back(Call("DrawWidth=", std::to_string(width)));
    Surface::SetDrawWidth(width);
}

void RecordingSurface::SetDrawStyle(LineStyle style) {
    calls_.push_back(Call("DrawStyle=", std::to_string(static_cast<int>(style))));
    Surface::SetDrawStyle(style);
}

void RecordingSurface::SetDrawMode(PenMode mode) {
    calls_.push_back(Call("DrawMode=", std::to_string(static_cast<int>(mode))));
    Surface::SetDrawMode(mode);
}

void RecordingSurface::SetFont(const FontSpec& font) {
    std::string text = Call("Font=", font.name);
    text.append(1, ',').append(Num(font.size_pt));
    if (font.bold) text += ",bold";
    if (font.italic) text += ",italic";
    if (font.underline) text += ",underline";
    if (font.strikethru) text += ",strikethru";
    calls_.push_back(text);
    Surface::SetFont(font);
}

void RecordingSurface::Cls() {
    calls_.push_back("Cls");
    Surface::Cls();
}

void RecordingSurface::Line(double x1, double y1, double x2, double y2, std::optional<Colour> c, Box box) {
    std::string text = Call("Line", Pair(x1, y1));
    text.append(1, '-').append(Pair(x2, y2)).append(OptionalColour(c));
    if (box == Box::B) text += ",B";
    if (box == Box::BF) text += ",BF";
    calls_.push_back(text);
    Surface::Line(x1, y1, x2, y2, c, box);
}

void RecordingSurface::Circle(double x, double y, double r, std::optional<Colour> c, double aspect) {
    std::string text = Call("Circle", Pair(x, y));
    text.append(1, ',').append(Num(r)).append(OptionalColour(c));
    if (aspect != 1) text.append(1, ',').append(Num(aspect));
    calls_.push_back(text);
    Surface::Circle(x, y, r, c, aspect);
}

void RecordingSurface::PSet(double x, double y, std::optional<Colour> c) {
    calls_.push_back(Call("PSet", Pair(x, y)).append(OptionalColour(c)));
    Surface::PSet(x, y, c);
}

void RecordingSurface::Print(const std::string& text) {
    calls_.push_back(Call("Print \"", text).append(1, '"'));
    Surface::Print(text);
}

void RecordingSurface::Polygon(const std::vector<PointF>& points) {
    std::string text = "Polygon";
    for (const PointF& p : points) text.append(Pair(p.x, p.y));
    calls_.push_back(text);
    Surface::Polygon(points);
}

void RecordingSurface::PaintPicture(const QImage& picture, double x, double y) {
    std::string text = Call("PaintPicture", Pair(x, y));
    text.append(1, ',').append(std::to_string(picture.width())).append(1, 'x').append(std::to_string(picture.height()));
    calls_.push_back(text);
    Surface::PaintPicture(picture, x, y);
}

double RecordingSurface::LineWidth(const std::string& line) const {
    return char_width_ * static_cast<double>(CodePoints(line));
}

}  // namespace platform
