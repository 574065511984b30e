// Straight lines of user catalogues and the lines the user drew.
#include "astro/AngleMath.h"
#include "chart/Layers.h"
#include "chart/RenderUtils.h"
#include "chart/UserLines.h"

namespace chart {

void DrawLnLines(platform::Surface& surface, const DrawContext& context,
                 const std::vector<skydata::CustomCatLine>& lines, const astro::Matrix3& frame,
                 bool drawBelowHorizon) {
    const Projector& proj = context.proj;
    surface.SetDrawMode(platform::PenMode::Merge);
    for (const skydata::CustomCatLine& line : lines) {
        double x1, y1, z1, x2, y2, z2;
        astro::SphericalToCartesian(line.RA1, line.Dec1, x1, y1, z1);
        astro::SphericalToCartesian(line.RA2, line.Dec2, x2, y2, z2);
        proj.ToChart(x1, y1, z1, frame);
        proj.ToChart(x2, y2, z2, frame);
        if (!(z1 >= 0 || z2 >= 0 || drawBelowHorizon)) continue;
        const Pixel p1 = proj.ToPixel(x1, y1, z1);
        const Pixel p2 = proj.ToPixel(x2, y2, z2);
        if (EitherOnScreen(p1.X, p1.Y, p2.X, p2.Y, context.width, context.height)) {
            surface.Line(p1.X, p1.Y, p2.X, p2.Y, ColourOf(line.Color));
        }
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

void DrawUserLines(platform::Surface& surface, const DrawContext& context,
                   const std::vector<skydata::DrawnLine>& lines, const astro::Matrix3& catalogToChart,
                   bool drawBelowHorizon) {
    std::vector<skydata::CustomCatLine> records;
    records.reserve(lines.size());
    for (const skydata::DrawnLine& line : lines) {
        if (skydata::IsEmptyDrawnLine(line)) continue;
        records.push_back({line.RA1, line.Dec1, line.RA2, line.Dec2, line.Color});
    }
    DrawLnLines(surface, context, records, catalogToChart, drawBelowHorizon);
}

}  // namespace chart

namespace chart {

void LayerUserLines(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.drawn_lines) return;
    DrawUserLines(surface, context, *context.sources.drawn_lines, context.frames.CatalogToChart, context.below);
}

}  // namespace chart
