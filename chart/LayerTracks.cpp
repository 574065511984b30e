// Tracks of solar-system bodies over time: the lines of the track list and
// the marked points with their labels.
#include "astro/AngleMath.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kTrackStyle = 10;
constexpr int kTailStyle = 5;
constexpr int kCrossArm = 4;

}  // namespace

void DrawPathMarks(platform::Surface& surface, const DrawContext& context, const std::vector<PathMark>& marks,
                   platform::Colour colour, const astro::Matrix3& frame, bool drawBelowHorizon) {
    const Projector& proj = context.proj;
    const platform::Colour tailColour = ColourOf(context.styles.LayerStyle[kTailStyle].Color);
    for (const PathMark& mark : marks) {
        double x, y, z;
        astro::SphericalToCartesian(mark.RA, mark.Dec, x, y, z);
        proj.ToChart(x, y, z, frame);
        if (z < 0 && !drawBelowHorizon) continue;
        const Pixel p = proj.ToPixel(x, y, z);
        if (!IsOnScreen(p.X, p.Y, context.width, context.height)) continue;
        surface.Line(p.X, p.Y - kCrossArm, p.X, p.Y + kCrossArm, colour);
        surface.Line(p.X - kCrossArm, p.Y, p.X + kCrossArm, p.Y, colour);
        if (mark.HasTail == 1) {
            double tx, ty, tz;
            astro::SphericalToCartesian(mark.TailRA, mark.TailDec, tx, ty, tz);
            proj.ToChart(tx, ty, tz, frame);
            const Pixel t = proj.ToPixel(tx, ty, tz);
            surface.Line(p.X, p.Y, t.X, t.Y, tailColour);
        }
        detail::PrintAt(surface, p.X + kCrossArm, p.Y, mark.Label);
    }
}

void DrawObjectPath(platform::Surface& surface, const DrawContext& context, const skydata::PathSettings& settings,
                    const PathListState& lists, const astro::Matrix3& horizonToChart,
                    const astro::Matrix3& equatorToChart, bool drawBelowHorizon) {
    const skydata::FontStyle& style = context.styles.LayerStyle[kTrackStyle];
    const platform::Colour trackColour = ColourOf(style.Color);
    const std::vector<platform::Colour> colours = {kYellow, trackColour};
    SetMapFont(surface, style.FontSize_pt, style.FontName, style.Bold, style.Italic);
    surface.SetDrawMode(platform::PenMode::Merge);
    if (settings.SyncWithChart) {
        const skydata::PathHooks& hooks = skydata::PathModule().Hooks;
        if (hooks.ComputePaths) hooks.ComputePaths(settings);
        if (hooks.ProjectPaths) hooks.ProjectPaths(settings);
    }
    // Equatorial tracks are in the chart's own equinox already (of date, or
    // carried back to J2000 when precession is off), so no second precession.
    const astro::Matrix3& frame = settings.Reference == 1 ? horizonToChart : equatorToChart;
    DrawPolylines(surface, context, lists.PathVectors, colours, frame, drawBelowHorizon);
    surface.SetForeColor(trackColour);
    DrawPathMarks(surface, context, lists.PathMarks, trackColour, frame, drawBelowHorizon);
    surface.SetDrawMode(platform::PenMode::Copy);
}

void LayerTracks(platform::Surface& surface, DrawContext& context) {
    const skydata::PathSettings& settings =
        context.sources.path_settings ? *context.sources.path_settings : skydata::PathModule().Settings;
    DrawObjectPath(surface, context, settings, PathLists(), context.frames.HorizonToChart,
                   context.frames.EquatorToChart, context.below);
}

}  // namespace chart
