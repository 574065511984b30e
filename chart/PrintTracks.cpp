// Printed tracks of solar-system bodies: the track line and the dated marks
// with their labels and comet tails, in the frame the screen draws them in.
#include "astro/AngleMath.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/PrintLayerPrinters.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kTailStyle = 5;
constexpr int kTrackStyle = 10;
constexpr double kCrossArm = 2;

}  // namespace

void PrintPathPoints(platform::Surface& page, const PrintContext& c, const std::vector<PathMark>& marks,
                     platform::Colour colour, const astro::Matrix3& m, bool below) {
    const platform::Colour tailColour = ColourOf(c.styles.LayerStyle[kTailStyle].Color);
    // Every mark of the list is a real one: the lists carry no end marker.
    for (const PathMark& mark : marks) {
        double x, y, z;
        astro::SphericalToCartesian(mark.RA, mark.Dec, x, y, z);
        ToPrintChart(c, x, y, z, m);
        if (!(z >= 0 || below)) continue;
        const PagePoint p = ToPage(c.page, x, y, z);
        if (!IsOnPage(c.page, p)) continue;
        const double X = p.X, Y = p.Y;
        page.Line(X, Y - kCrossArm, X, Y + kCrossArm, colour);
        page.Line(X - kCrossArm, Y, X + kCrossArm, Y, colour);
        // The label stands on the centre line, where the last line ended.
        detail::PrintAt(page, X + kCrossArm, Y, mark.Label);
        if (mark.HasTail == 1) {
            double tx, ty, tz;
            astro::SphericalToCartesian(mark.TailRA, mark.TailDec, tx, ty, tz);
            ToPrintChart(c, tx, ty, tz, m);
            const PagePoint t = ToPage(c.page, tx, ty, tz);
            page.Line(X, Y, t.X, t.Y, tailColour);
        }
    }
}

void PrintPaths(platform::Surface& page, const PrintContext& c, const skydata::PathSettings& settings,
                const PathListState& lists, bool below) {
    const skydata::FontStyle& style = c.styles.LayerStyle[kTrackStyle];
    const platform::Colour trackColour = ColourOf(style.Color);
    const std::vector<platform::Colour> colours = {kYellow, trackColour};
    SetPrintFont(page, style.FontSize_pt, style.FontName, style.Bold, style.Italic);
    if (settings.SyncWithChart) {
        const skydata::PathHooks& hooks = skydata::PathModule().Hooks;
        if (hooks.ComputePaths) hooks.ComputePaths(settings);
        if (hooks.ProjectPaths) hooks.ProjectPaths(settings);
    }
    // The track lists are kept in the chart's own equinox (of date, or
    // carried back to J2000 without precession): no second precession.
    const astro::Matrix3& m = settings.Reference == 1 ? c.frames.HorizonToChart : c.frames.EquatorToChart;
    PrintPolyline(page, c, lists.PathVectors, colours, m, below);
    page.SetForeColor(trackColour);
    PrintPathPoints(page, c, lists.PathMarks, trackColour, m, below);
}

}  // namespace chart
