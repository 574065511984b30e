#pragma once
// A surface that draws nothing and logs every call with its arguments, with
// text metrics that do not depend on installed fonts: 7 units per character
// and 12 per line unless the owner gives others (a printed page in
// millimetres). Layer tests compare the log, exactly.
//
// Log lines: "Cls", "ScaleMode=3", "ForeColor=RGB(255,255,255)",
// "BackColor=…", "FillColor=…", "FillStyle=4", "DrawWidth=2", "DrawStyle=2",
// "DrawMode=15", "Font=굴림,9[,bold][,italic][,underline][,strikethru]",
// "CurrentX=5", "CurrentY=5", "Line(1,2)-(30,40)[,RGB(…)][,B|,BF]",
// "Circle(40,30),5[,RGB(…)][,aspect]", "PSet(1,2)[,RGB(…)]", "Print \"A\"",
// "Polygon(1,2)(3,4)(5,6)", "PaintPicture(10,20),32x32".
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace platform {

class RecordingSurface final : public Surface {
public:
    static constexpr double kCharWidth = 7;
    static constexpr double kLineHeight = 12;

    RecordingSurface(int width, int height) : width_(width), height_(height) {}
    RecordingSurface(int width, int height, double char_width, double line_height)
        : width_(width), height_(height), char_width_(char_width), line_height_(line_height) {}

    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    void SetScaleMode(Scale scale) override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    void SetForeColor(Colour c) override;
    void SetBackColor(Colour c) override;
    void SetFillColor(Colour c) override;
    void SetFillStyle(Fill style) override;
    void SetDrawWidth(int width) override;
    void SetDrawStyle(LineStyle style) override;
    void SetDrawMode(PenMode mode) override;
    void SetFont(const FontSpec& font) override;
    void Cls() override;
    void Line(double x1, double y1, double x2, double y2, std::optional<Colour> c = std::nullopt,
              Box box = Box::None) override;
    void Circle(double x, double y, double r, std::optional<Colour> c = std::nullopt, double aspect = 1) override;
    void PSet(double x, double y, std::optional<Colour> c = std::nullopt) override;
    void Print(const std::string& text) override;
    void Polygon(const std::vector<PointF>& points) override;
    void PaintPicture(const QImage& picture, double x, double y) override;

protected:
    double Width() const override { return width_; }
    double Height() const override { return height_; }
    void PaintAll(Colour) override {}
    void DrawLine(double, double, double, double, Colour) override {}
    void DrawBox(double, double, double, double, Colour, bool) override {}
    void DrawEllipse(double, double, double, double, Colour) override {}
    void DrawPoint(double, double, Colour) override {}
    void DrawPolygon(const std::vector<PointF>&) override {}
    void DrawText(double, double, const std::string&) override {}
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override;
    double LineHeight() const override { return line_height_; }

private:
    int width_;
    int height_;
    double char_width_ = kCharWidth;
    double line_height_ = kLineHeight;
    std::vector<std::string> calls_;
};

// "RGB(r,g,b)", as the log writes colours.
std::string RgbText(Colour c);

}  // namespace platform
