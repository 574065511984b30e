// Deep-sky objects: a symbol by type sized by the catalogued diameter, a
// label and a pick key. Every object is looked at; only those that pass the
// size and magnitude selection are projected.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "astro/AngleMath.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kDeepSkyStyle = 9;
// Arcminutes to radians, divided by 8: the projected radius of a disc of
// that diameter is 4000 tan(size * factor).
constexpr double kArcminToEighthRadian = 0.0000363610260832151;
constexpr std::int32_t kMinSymbol = 4;

constexpr platform::Colour kGrey = platform::Rgb(100, 100, 100);

void Cross(platform::Surface& s, std::int32_t X, std::int32_t Y, std::int32_t l, platform::Colour c) {
    s.Line(X - l, Y, X + l, Y, c);
    s.Line(X, Y - l, X, Y + l, c);
}

void Box(platform::Surface& s, std::int32_t X, std::int32_t Y, std::int32_t l, platform::Colour c) {
    s.Line(X - l, Y - l, X + l, Y + l, c, platform::Box::B);
}

}  // namespace

DeepSkySymbol SymbolOf(std::string_view type) {
    using Symbol = DeepSkySymbol;
    if (type == "GC") return Symbol::GlobularCluster;
    if (type == "GX") return Symbol::Galaxy;
    if (type == "OC") return Symbol::OpenCluster;
    if (type == "DN") return Symbol::DiffuseNebula;
    if (type == "PN") return Symbol::PlanetaryNebula;
    if (type == "CN") return Symbol::ClusterNebula;
    if (type == "DK") return Symbol::DarkNebula;
    if (type == "CG") return Symbol::ClusterGroup;
    if (type == "AS") return Symbol::Asterism;
    return Symbol::None;
}

std::string LabelOf(const skydata::DeepSkyObjectRecord& o, int choice) {
    const std::string_view id1 = detail::TrimBlanks(o.ID1);
    switch (choice) {
        case 0: return std::string(id1);
        case 1: {
            const std::string_view id2 = detail::TrimBlanks(o.ID2);
            return std::string(id2.empty() ? id1 : id2);
        }
        case 2: {
            const std::string_view all = o.Name1;
            const std::string_view first = detail::TrimBlanks(all.substr(0, all.find(';')));
            return std::string(first.empty() ? id1 : first);
        }
        default: return {};
    }
}

void BuildEllipseCore(float radius, float size1, float size2, double x, double y, float angle_deg,
                      EllipsePolygon& points) {
    float q = size1 != 0 ? size2 / size1 : size2 / radius;
    if (q == 0) q = 0.5f;
    const double s = astro::SinD(angle_deg), c = astro::CosD(angle_deg);
    for (int i = 0; i < 25; ++i) {
        const double t = 15.0 * i;
        const double u = radius * astro::CosD(t) * q;
        const double v = radius * astro::SinD(t);
        points[i] = {x + v * s + u * c, y - u * s + v * c};
    }
}

void BuildEllipsePolygon(float radius, float size1, float size2, std::int32_t x, std::int32_t y, float angle_deg,
                         EllipsePolygon& points) {
    BuildEllipseCore(radius, size1, size2, x, y, angle_deg, points);
    for (platform::PointF& p : points) p = {detail::RoundEven(p.x), detail::RoundEven(p.y)};
}

void DrawDeepSky(platform::Surface& surface, const DrawContext& context,
                 const std::vector<skydata::DeepSkyObjectRecord>& table, const astro::Matrix3& catalogToChart,
                 bool drawBelowHorizon, double fov_deg) {
    const Projector& proj = context.proj;
    const skydata::SettingsSnapshot& set = context.settings;
    surface.SetDrawMode(platform::PenMode::Merge);
    surface.SetForeColor(ColourOf(context.styles.LayerStyle[kDeepSkyStyle].Color));
    // The layer's own limit, lowered for this drawing only under an
    // automatic star limit.
    float limit = set.vmnonstellar;
    const float autoLimit = static_cast<float>(context.limit_mag + 1);
    if (set.StarAutoMag && autoLimit < limit) limit = autoLimit;
    const double smallObject_deg = context.state.LastDrawFOV / 10;
    std::vector<platform::PointF> polygon(24);
    EllipsePolygon ellipse;

    for (std::size_t i = 0; i < table.size(); ++i) {
        const skydata::DeepSkyObjectRecord& o = table[i];
        const float size_deg = o.Size1_arcmin / 60;
        if (smallObject_deg >= size_deg && o.Mag > limit) continue;
        double x = o.x, y = o.y, z = o.z;
        proj.ToChart(x, y, z, catalogToChart);
        if (!(z >= 0 || drawBelowHorizon)) continue;
        const Pixel p = proj.ToPixel(x, y, z);
        const double raw = detail::RoundEven(4000 * std::tan(o.Size1_arcmin * kArcminToEighthRadian) / proj.MapScale);
        const std::int32_t l = raw > kMinSymbol ? RoundPixel(raw) : kMinSymbol;
        if (!proj.OnSurface(p)) continue;
        const std::int32_t X = p.X, Y = p.Y;
        using Symbol = DeepSkySymbol;
        switch (SymbolOf(o.Type)) {
            case Symbol::GlobularCluster:
                surface.Circle(X, Y, l, kRed);
                Cross(surface, X, Y, l, kRed);
                break;
            case Symbol::Galaxy: {
                const double angle =
                    o.PA_deg + ScreenNorthAngle(proj, o.RA_deg, o.Dec_deg, fov_deg, catalogToChart) - 90;
                BuildEllipsePolygon(static_cast<float>(l), o.Size1_arcmin, o.Size2_arcmin, X, Y,
                                    static_cast<float>(angle), ellipse);
                std::copy(ellipse.begin(), ellipse.begin() + 24, polygon.begin());
                surface.Polygon(polygon);
                break;
            }
            case Symbol::OpenCluster:
                surface.SetDrawStyle(platform::LineStyle::Dot);
                surface.Circle(X, Y, l, kCyan);
                surface.SetDrawStyle(platform::LineStyle::Solid);
                break;
            case Symbol::DiffuseNebula: Box(surface, X, Y, l, kGreen); break;
            case Symbol::PlanetaryNebula:
                surface.Circle(X, Y, l, kGreen);
                surface.Circle(X, Y, l - 2, kGreen);
                break;
            case Symbol::ClusterNebula:
                surface.SetDrawStyle(platform::LineStyle::Dot);
                Box(surface, X, Y, l, kCyan);
                surface.SetDrawStyle(platform::LineStyle::Solid);
                break;
            case Symbol::DarkNebula: Box(surface, X, Y, l, kGrey); break;
            case Symbol::ClusterGroup:
                surface.SetDrawStyle(platform::LineStyle::Dot);
                surface.Circle(X, Y, l, kGrey);
                surface.SetDrawStyle(platform::LineStyle::Solid);
                break;
            case Symbol::Asterism: Cross(surface, X, Y, l, kCyan); break;
            case Symbol::None: break;
        }
        const std::string label = LabelOf(o, set.DSONAME);
        if (!label.empty()) detail::PrintAt(surface, X + l + 2, Y - 3, label);
        context.Add(X, Y, DeepSkyKey(static_cast<int>(i)));
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

void LayerDeepSky(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.catalogs) return;
    DrawDeepSky(surface, context, context.sources.catalogs->DeepSkyObject, context.frames.CatalogToChart,
                context.below, context.view.fov_deg);
}

}  // namespace chart
