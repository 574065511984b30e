// The magnitude legend in the lower-left corner: one symbol per whole
// magnitude from the brightest shown to the effective limit.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "astro/NumberRange.h"
#include "chart/LabelLayers.h"
#include "chart/Layers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kLegendStep = 20;     // pixels between symbols
constexpr int kLegendHeight = 35;   // panel height, pixels
// Bounds of the legend's magnitudes and symbol radius, whatever the settings.
constexpr int kMaxLegendMag = 60;
constexpr int kMaxLegendRadius = 1000;

// A whole number with one leading blank when not negative.
std::string NumberText(int n) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, n < 0 ? "%d" : " %d", n);
    return buffer;
}

}  // namespace

void DrawLegend(platform::Surface& surface, const DrawContext& context) {
    const skydata::SettingsSnapshot& set = context.settings;
    surface.SetFontName("Tahoma");
    surface.SetFontBold(false);
    surface.SetFontSize(9);
    const double cw = std::nearbyint(surface.TextWidth("0"));
    const double L = context.limit_mag;
    const std::int32_t H = context.height;

    int first, width, origin;
    if (L > 4) {
        first = 0;
        width = astro::ClampedInt(std::nearbyint(L + 2), 0, kMaxLegendMag, 0) * kLegendStep;
        origin = kLegendStep;
    } else {
        first = astro::ClampedInt(std::nearbyint(L - 5), -kMaxLegendMag, kMaxLegendMag, 0);
        width = 140;
        origin = (std::abs(first) + 1) * kLegendStep;
    }
    surface.SetFillStyle(platform::Fill::Solid);
    surface.SetForeColor(kWhite);
    surface.SetFillColor(kBlack);
    surface.Line(0, H - kLegendHeight, width, H, std::nullopt, platform::Box::B);

    const int last = astro::ClampedInt(std::nearbyint(L), -kMaxLegendMag, kMaxLegendMag, 0);
    const std::int32_t y = static_cast<std::int32_t>(std::nearbyint(H - 22.5));
    for (int m = first; m <= last; ++m) {
        const std::int32_t x = origin + kLegendStep * m;
        const platform::Colour k = MixStarColour(kWhite, static_cast<float>(m), L);
        if (set.spotstar) {
            DrawStarGlyph(surface, x, y, k, m);
        } else {
            const platform::Colour colour = set.viewspt ? kWhite : k;
            surface.SetFillColor(colour);
            int r = astro::ClampedInt(std::floor((L + 1 - m) * set.sf), 1, kMaxLegendRadius, 1);
            if (r < 1) r = 1;
            surface.Circle(x, y, r, colour);
        }
        surface.SetCurrentX(x - cw);
        surface.SetCurrentY(H - 14);
        surface.Print(NumberText(m));
    }
}

}  // namespace chart

namespace chart {

void LayerLegend(platform::Surface& surface, DrawContext& context) { DrawLegend(surface, context); }

}  // namespace chart
