// Printed deep-sky objects: a symbol by type sized by the catalogued
// diameter (galaxies as ellipses turned by their position angle), coloured as
// the printed legend of types has it, and a label.
#include <algorithm>
#include <cmath>
#include <string>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/Projection.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/PrintLayerPrinters.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kDeepSkyStyle = 9;
// Arcminutes to radians, divided by 8: the stereographic radius of a disc of
// that diameter at the page centre is 4000 tan(size * factor).
constexpr double kArcminToEighthRadian = 0.0000363610260832151;
constexpr double kMinSymbol = 1;
constexpr double kInnerRingGap = 0.6;
constexpr double kLabelGap = 0.5;
constexpr double kLabelRise = 2;
constexpr platform::Colour kGrey = platform::Rgb(100, 100, 100);

void Cross(platform::Surface& s, double X, double Y, double r, platform::Colour c) {
    s.Line(X - r, Y, X + r, Y, c);
    s.Line(X, Y - r, X, Y + r, c);
}

void Box(platform::Surface& s, double X, double Y, double r, platform::Colour c) {
    s.Line(X - r, Y - r, X + r, Y + r, c, platform::Box::B);
}

void Dotted(platform::Surface& s, auto draw) {
    s.SetDrawStyle(platform::LineStyle::Dot);
    draw();
    s.SetDrawStyle(platform::LineStyle::Solid);
}

}  // namespace

double PageNorthAngle(const PrintPageState& page, double ra_deg, double dec_deg, double fov_deg,
                      const astro::Matrix3& m) {
    const double d = fov_deg / 20;
    double x1, y1, z1, x2, y2, z2;
    astro::SphericalToCartesian(ra_deg, dec_deg, x1, y1, z1);
    astro::SphericalToCartesian(ra_deg, dec_deg + d, x2, y2, z2);
    astro::RotateVector(x1, y1, z1, m);
    astro::RotateVector(x2, y2, z2, m);
    const PagePoint p1 = ToPage(page, x1, y1, z1);
    const PagePoint p2 = ToPage(page, x2, y2, z2);
    const double X1 = detail::RoundEven(p1.X), Y1 = detail::RoundEven(p1.Y);
    const double X2 = detail::RoundEven(p2.X), Y2 = detail::RoundEven(p2.Y);
    return astro::Atan2D(Y1 - Y2, X2 - X1);
}

void BuildEllipsePoints(float radius, float size1, float size2, float x, float y, double angle_deg,
                        PageEllipse& points) {
    EllipsePolygon core;
    BuildEllipseCore(radius, size1, size2, x, y, static_cast<float>(angle_deg), core);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = {static_cast<float>(core[i].x), static_cast<float>(core[i].y)};
    }
}

void PrintPagePolyline(platform::Surface& page, const PrintContext& c, std::span<const PagePoint> points) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        if (IsSegmentOnPage(c.page, points[i], points[i + 1])) {
            page.Line(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y);
        }
    }
}

void PrintDeepSky(platform::Surface& page, const PrintContext& c,
                  const std::vector<skydata::DeepSkyObjectRecord>& objects, const astro::Matrix3& m, bool below,
                  double fov_deg) {
    const skydata::SettingsSnapshot& set = c.settings;
    page.SetForeColor(ColourOf(c.styles.LayerStyle[kDeepSkyStyle].Color));
    page.SetFillStyle(platform::Fill::Transparent);
    float limit = set.vmnonstellar;
    if (set.StarAutoMag && c.page.PrintLimitMag + 1 < limit) limit = c.page.PrintLimitMag + 1;
    const double small_deg = fov_deg / 10;
    PageEllipse ellipse;

    for (const skydata::DeepSkyObjectRecord& o : objects) {
        // An object wider than a tenth of the field is printed whatever its
        // magnitude.
        if (small_deg >= o.Size1_arcmin / 60 && o.Mag > limit) continue;
        double x = o.x, y = o.y, z = o.z;
        ToPrintChart(c, x, y, z, m);
        if (!(z >= 0 || below)) continue;
        const PagePoint p = ToPage(c.page, x, y, z);
        const double r = std::max(
            kMinSymbol, detail::RoundEven(4000 * std::tan(o.Size1_arcmin * kArcminToEighthRadian) / c.page.PrintScale));
        if (!IsOnPage(c.page, p)) continue;
        const double X = p.X, Y = p.Y;
        switch (SymbolOf(o.Type)) {
            case DeepSkySymbol::GlobularCluster:
                page.Circle(X, Y, r, kRed);
                Cross(page, X, Y, r, kRed);
                break;
            case DeepSkySymbol::Galaxy: {
                const double north = PageNorthAngle(c.page, o.RA_deg, o.Dec_deg, fov_deg, m);
                BuildEllipsePoints(static_cast<float>(r), o.Size1_arcmin, o.Size2_arcmin, p.X, p.Y,
                                   o.PA_deg + north - 90, ellipse);
                PrintPagePolyline(page, c, ellipse);
                break;
            }
            case DeepSkySymbol::OpenCluster: Dotted(page, [&] { page.Circle(X, Y, r, kBlue); }); break;
            case DeepSkySymbol::DiffuseNebula: Box(page, X, Y, r, kGreen); break;
            case DeepSkySymbol::PlanetaryNebula:
                page.Circle(X, Y, r, kGreen);
                page.Circle(X, Y, r - kInnerRingGap, kGreen);
                break;
            case DeepSkySymbol::ClusterNebula: Dotted(page, [&] { Box(page, X, Y, r, kBlue); }); break;
            case DeepSkySymbol::DarkNebula: Box(page, X, Y, r, kGrey); break;
            case DeepSkySymbol::ClusterGroup: Dotted(page, [&] { page.Circle(X, Y, r, kGrey); }); break;
            case DeepSkySymbol::Asterism: Cross(page, X, Y, r, kBlue); break;
            case DeepSkySymbol::None: break;
        }
        const std::string label = LabelOf(o, set.DSONAME);
        if (!label.empty()) detail::PrintAt(page, X + r + kLabelGap, Y - kLabelRise, label);
    }
    page.SetFillStyle(platform::Fill::Solid);
}

}  // namespace chart
