// Proper star names from "eName.dat" or "wName.dat".
#include <algorithm>

#include "chart/StarLayers.h"
#include "chart/Layers.h"

namespace chart {

void DrawStarNames(platform::Surface& surface, const DrawContext& context,
                   const std::vector<skydata::StarNameEntry>& names, platform::Colour colour,
                   const astro::Matrix3& catalogToChart, bool drawBelowHorizon) {
    const skydata::SettingsSnapshot& set = context.settings;
    const Projector& proj = context.proj;
    surface.SetForeColor(colour);
    const float limit = std::min(set.viewnamelimit, static_cast<float>(context.limit_mag));
    const double lineHeight = surface.TextHeight("0");
    for (const skydata::StarNameEntry& entry : names) {
        // A name whose star was not found has no direction; it would land
        // on the chart centre.
        if (entry.x == 0 && entry.y == 0 && entry.z == 0) continue;
        if (entry.Mag > limit) continue;
        Pixel p;
        if (!proj.Place(entry.x, entry.y, entry.z, catalogToChart, drawBelowHorizon, p)) continue;
        if (!proj.OnSurface(p)) continue;
        const bool both = set.starnamelang == 0;
        const std::string& upper = set.starnamelang == 1 ? entry.Name : entry.Name2;
        const double left = p.X - surface.TextWidth(upper) - 6;
        surface.SetCurrentX(left);
        surface.SetCurrentY(p.Y - 4);
        surface.Print(upper);
        if (both) {
            surface.SetCurrentX(left);
            surface.SetCurrentY(p.Y + lineHeight - 3);
            surface.Print(entry.Name);
        }
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

}  // namespace chart

namespace chart {

void LayerEastStarNames(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.catalogs) return;
    DrawStarNames(surface, context, context.sources.catalogs->EastStarNames,
                  ColourOf(context.styles.LayerStyle[4].Color), context.frames.CatalogToChart, context.below);
}

void LayerWestStarNames(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.catalogs) return;
    DrawStarNames(surface, context, context.sources.catalogs->WestStarNames,
                  ColourOf(context.styles.LayerStyle[3].Color), context.frames.CatalogToChart, context.below);
}

}  // namespace chart
