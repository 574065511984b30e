// Constellation and old-map name labels.
#include <cmath>

#include "chart/LabelLayers.h"
#include "chart/Layers.h"

namespace chart {

void DrawNameLabels(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::ConstLabelRecord>& labels, platform::Colour colour,
                    const astro::Matrix3& catalogToChart, bool drawBelowHorizon) {
    const Projector& proj = context.proj;
    surface.SetForeColor(colour);
    const std::int32_t h = static_cast<std::int32_t>(std::nearbyint(surface.TextHeight("0"))) / 2;
    for (const skydata::ConstLabelRecord& label : labels) {
        if (label.Visible == 0) continue;
        Pixel p;
        if (!proj.Place(label.x, label.y, label.z, catalogToChart, drawBelowHorizon, p)) continue;
        if (!IsOnScreen(p.X, p.Y, context.width, context.height)) continue;
        const std::int32_t w = static_cast<std::int32_t>(std::nearbyint(surface.TextWidth(label.Text)));
        surface.SetCurrentX(p.X - w / 2);
        surface.SetCurrentY(p.Y - h);
        surface.Print(label.Text);
    }
}

}  // namespace chart

namespace chart {

namespace {

void DrawSystemLabels(platform::Surface& surface, DrawContext& context,
                      const skydata::ConstellationSystem skydata::ConstellationState::*system, int style) {
    if (!context.sources.constellations) return;
    DrawNameLabels(surface, context, (context.sources.constellations->*system).Labels,
                   ColourOf(context.styles.LayerStyle[style].Color), context.frames.CatalogToChart, context.below);
}

}  // namespace

void LayerOldMapNames(platform::Surface& surface, DrawContext& context) {
    DrawSystemLabels(surface, context, &skydata::ConstellationState::O, 2);
}
void LayerWesternNames(platform::Surface& surface, DrawContext& context) {
    DrawSystemLabels(surface, context, &skydata::ConstellationState::W, 0);
}
void LayerKoreanNames(platform::Surface& surface, DrawContext& context) {
    DrawSystemLabels(surface, context, &skydata::ConstellationState::E, 1);
}

}  // namespace chart
