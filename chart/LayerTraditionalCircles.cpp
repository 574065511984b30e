// The circle of perpetual visibility (and invisibility) and the meridians of
// the 28 lunar mansions, in the traditional-circle colour. Neither is
// refracted.
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/NumberRange.h"
#include "chart/LabelLayers.h"
#include "chart/Layers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kTraditionalColourIndex = 10;
// 2 pi + pi/100: the loop includes the closing vertex at 2 pi.
constexpr double kFullTurnBound = 6.314601233715477;
constexpr double kCircleStep = astro::kPi / 60;
// A mansion line has 71 points from pole to pole; the bound only guards the count.
constexpr int kMaxMansionLinePoints = 128;

void DrawDeclinationCircle(platform::Surface& surface, const DrawContext& c, double d_deg,
                           const astro::Matrix3& m) {
    const double cd = astro::CosD(d_deg), sd = astro::SinD(d_deg);
    Pixel previous;
    for (int i = 0; i * kCircleStep <= kFullTurnBound; ++i) {
        const double t = i * kCircleStep;
        double x = 1000 * std::cos(t) * cd, y = 1000 * std::sin(t) * cd, z = 1000 * sd;
        astro::RotateVector(x, y, z, m);
        const Pixel p = c.proj.ToPixel(x, y, z);
        if (i > 0 && EitherOnScreen(previous.X, previous.Y, p.X, p.Y, c.width, c.height)) {
            surface.Line(previous.X, previous.Y, p.X, p.Y);
        }
        previous = p;
    }
}

}  // namespace

void DrawCPolar(platform::Surface& surface, const DrawContext& context, double latitude_deg,
                const astro::Matrix3& equatorToChart, bool drawBelowHorizon) {
    surface.SetForeColor(ColourOf(context.styles.LineColorTable[kTraditionalColourIndex]));
    double d = 90 - latitude_deg;
    if (latitude_deg < 0) d = -(90 - latitude_deg);
    DrawDeclinationCircle(surface, context, d, equatorToChart);
    if (drawBelowHorizon) DrawDeclinationCircle(surface, context, -d, equatorToChart);
}

void DrawMansionMeridians(platform::Surface& surface, const DrawContext& context, double latitude_deg,
                          const astro::Matrix3& equatorToChart, bool drawBelowHorizon) {
    if (!context.sources.mansion_ra) return;
    surface.SetForeColor(ColourOf(context.styles.LineColorTable[kTraditionalColourIndex]));
    const double d0 = 90 - std::fabs(latitude_deg);
    // At a pole the span is empty and the step would be zero.
    if (!(d0 > 0)) return;
    const double step = -d0 / 35;
    const double end = -(d0 + 0.1);
    const int points = astro::CountSteps(-d0, -end, -step, kMaxMansionLinePoints);
    for (const double ra : *context.sources.mansion_ra) {
        const double ca = astro::CosD(ra), sa = astro::SinD(ra);
        bool havePrevious = false;
        Pixel previous;
        for (int i = 0; i < points; ++i) {
            const double dec = d0 + i * step;
            const double cd = astro::CosD(dec);
            double x = 1000 * ca * cd, y = 1000 * sa * cd, z = 1000 * astro::SinD(dec);
            astro::RotateVector(x, y, z, equatorToChart);
            if (z < 0 && !drawBelowHorizon) continue;
            const Pixel p = context.proj.ToPixel(x, y, z);
            if (havePrevious && EitherOnScreen(previous.X, previous.Y, p.X, p.Y, context.width, context.height)) {
                surface.Line(previous.X, previous.Y, p.X, p.Y);
            }
            previous = p;
            havePrevious = true;
        }
    }
}

}  // namespace chart

namespace chart {

void LayerCPolar(platform::Surface& surface, DrawContext& context) {
    DrawCPolar(surface, context, context.view.lat_deg, context.frames.EquatorToChart, context.below);
}

void LayerMansionMeridians(platform::Surface& surface, DrawContext& context) {
    DrawMansionMeridians(surface, context, context.view.lat_deg, context.frames.EquatorToChart, context.below);
}

}  // namespace chart
