#pragma once
// The star layers of the screen chart: which catalogue zones the view
// touches, the bright-star and extended catalogues, and proper star names.
// Each star drawn is appended to the list of drawn objects ("S" or "E" key);
// names add nothing.
#include <string>
#include <vector>

#include "astro/Matrix.h"
#include "chart/DrawContext.h"
#include "platform/Surface.h"
#include "skydata/Catalogs.h"

namespace chart {

// Flags in context.state.ZoneVisible the zones under a 16 x 16 grid of
// pixels that includes the four borders; the view centre as passed to the
// drawing (degrees).
void MarkVisibleZones(const DrawContext& context, double centreLon_deg, double centreLat_deg);

// Bright-star table of the flagged zones: stars up to the effective limit
// (and, with `viewconstar` 0, only those of a traditional constellation),
// as discs or glyphs, with constellation number, Bayer and Flamsteed labels
// up to `viewbayerlimit`.
void DrawStars(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& catalogToChart,
               bool drawBelowHorizon);
// Extended catalogue of the flagged zones, labelled by `S2kName` up to
// `ViewS2kLimit`.
void DrawExtraStars(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& catalogToChart,
                    bool drawBelowHorizon);
// Label of an extended-catalogue star by `S2kName`: 0 the catalogue
// number, 1 "HD" and the HD number, 2 "SAO" and the SAO number, else none.
std::string ExtraStarLabel(const skydata::S2kZone& stars, std::size_t i, int style);

// Star names of one list, ending 6 pixels left of the star, up to
// `viewnamelimit` (or the effective limit when lower). An entry that no
// bright star was found for (zero direction) is not drawn.
void DrawStarNames(platform::Surface& surface, const DrawContext& context,
                   const std::vector<skydata::StarNameEntry>& names, platform::Colour colour,
                   const astro::Matrix3& catalogToChart, bool drawBelowHorizon);

}  // namespace chart
