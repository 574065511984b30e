// Milky Way outline, constellation boundaries and constellation figures: line
// layers of catalogue-frame tables that add nothing to the pick list.
#include <algorithm>

#include "astro/AngleMath.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

// Julian day of 1875 January 1.0, the equinox of the boundary file.
constexpr double kB1875 = 2405889.5;

constexpr int kWesternLineColour = 5;
constexpr int kKoreanLineColour = 6;
constexpr int kOldMapLineColour = 7;
constexpr int kMilkyWayColour = 8;
constexpr int kBoundaryColour = 9;

}  // namespace

void DrawPolylines(platform::Surface& surface, const DrawContext& context,
                   const std::vector<skydata::MilkyWayPointRecord>& points,
                   const std::vector<platform::Colour>& colours, const astro::Matrix3& frame,
                   bool drawBelowHorizon) {
    if (colours.empty()) return;
    const Projector& proj = context.proj;
    bool penDown = false;
    Pixel previous;
    for (const skydata::MilkyWayPointRecord& point : points) {
        double x = point.x, y = point.y, z = point.z;
        proj.ToChart(x, y, z, frame);
        if (!drawBelowHorizon && z < 0) {
            penDown = false;
            continue;
        }
        const Pixel p = proj.ToPixel(x, y, z);
        if (point.Flag != 0 || !penDown) {
            penDown = true;
        } else if (EitherOnScreen(previous.X, previous.Y, p.X, p.Y, context.width, context.height)) {
            const std::size_t index = std::min<std::size_t>(point.ColorIndex, colours.size() - 1);
            surface.Line(previous.X, previous.Y, p.X, p.Y, colours[index]);
        }
        previous = p;
    }
}

void DrawBoundaries(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::BoundaryPointRecord>& points, platform::Colour colour,
                    const astro::Matrix3& catalogToChart, bool drawBelowHorizon) {
    astro::Matrix3 precession, m;
    astro::MakePrecessionMatrix(kB1875, astro::kJ2000, precession);
    astro::MatMul3(catalogToChart, precession, m);
    const SkyWindow window(context.proj, m, context.width, context.height);
    // The first point has no predecessor to be joined to, whatever its flag.
    for (std::size_t i = 1; i < points.size(); ++i) {
        const skydata::BoundaryPointRecord& p = points[i];
        if (p.NewPolygon != 0 || p.Visible == 0) continue;
        const skydata::BoundaryPointRecord& q = points[i - 1];
        DrawLongLine(surface, context.proj, window, p.RA_deg, p.Dec_deg, q.RA_deg, q.Dec_deg, colour, m, drawBelowHorizon,
                     context.width, context.height);
    }
}

void DrawConstellationLines(platform::Surface& surface, const DrawContext& context,
                            const std::vector<skydata::ConstLineRecord>& lines, platform::Colour colour,
                            const astro::Matrix3& catalogToChart, bool drawBelowHorizon, bool bold) {
    const Projector& proj = context.proj;
    surface.SetForeColor(colour);
    surface.SetDrawMode(platform::PenMode::Merge);
    surface.SetDrawWidth(bold ? 2 : 1);
    // A line is drawn only with an end on the screen.
    const SkyWindow window(proj, catalogToChart, context.width, context.height);
    for (const skydata::ConstLineRecord& line : lines) {
        if (line.Visible == 0) continue;
        if (!window.MayShow(line.x1, line.y1, line.z1) && !window.MayShow(line.x2, line.y2, line.z2)) continue;
        double x1 = line.x1, y1 = line.y1, z1 = line.z1;
        double x2 = line.x2, y2 = line.y2, z2 = line.z2;
        proj.ToChart(x1, y1, z1, catalogToChart);
        proj.ToChart(x2, y2, z2, catalogToChart);
        if (!((z1 >= 0 && z2 >= 0) || drawBelowHorizon)) continue;
        const Pixel p1 = proj.ToPixel(x1, y1, z1);
        const Pixel p2 = proj.ToPixel(x2, y2, z2);
        if (EitherOnScreen(p1.X, p1.Y, p2.X, p2.Y, context.width, context.height)) {
            surface.Line(p1.X, p1.Y, p2.X, p2.Y);
        }
    }
    surface.SetDrawWidth(1);
    surface.SetDrawMode(platform::PenMode::Copy);
}

void LayerMilkyWay(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.constellations) return;
    const auto& lineColours = context.styles.LineColorTable;
    const std::vector<platform::Colour> colours = {ColourOf(lineColours[kMilkyWayColour]),
                                                   ColourOf(lineColours[kBoundaryColour])};
    DrawPolylines(surface, context, context.sources.constellations->MilkyWayPoint, colours,
                  context.frames.CatalogToChart, context.below);
}

void LayerBoundaries(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.constellations) return;
    DrawBoundaries(surface, context, context.sources.constellations->BoundaryPoint,
                   ColourOf(context.styles.LineColorTable[kBoundaryColour]), context.frames.CatalogToChart,
                   context.below);
}

void LayerWesternLines(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.constellations) return;
    DrawConstellationLines(surface, context, context.sources.constellations->W.Lines,
                           ColourOf(context.styles.LineColorTable[kWesternLineColour]),
                           context.frames.CatalogToChart, context.below, context.settings.boldline);
}

void LayerKoreanLines(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.constellations) return;
    DrawConstellationLines(surface, context, context.sources.constellations->E.Lines,
                           ColourOf(context.styles.LineColorTable[kKoreanLineColour]),
                           context.frames.CatalogToChart, context.below, false);
}

void LayerOldMapLines(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.constellations) return;
    DrawConstellationLines(surface, context, context.sources.constellations->O.Lines,
                           ColourOf(context.styles.LineColorTable[kOldMapLineColour]),
                           context.frames.CatalogToChart, context.below, false);
}

}  // namespace chart
