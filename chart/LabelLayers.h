#pragma once
// Constellation name labels, the star glyph, the magnitude legend and the
// two traditional line layers (circle of perpetual visibility, meridians of
// the 28 lunar mansions). None of them adds to the list of drawn objects.
#include <cstdint>
#include <vector>

#include "astro/Matrix.h"
#include "chart/DrawContext.h"
#include "platform/Surface.h"
#include "skydata/Constellations.h"

namespace chart {

// Each visible label centred on its point when strictly inside the surface.
void DrawNameLabels(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::ConstLabelRecord>& labels, platform::Colour colour,
                    const astro::Matrix3& catalogToChart, bool drawBelowHorizon);

// The small star symbol of the glyph style; sizeClass 0 or less is the
// largest, 3 or more a single pixel.
void DrawStarGlyph(platform::Surface& surface, std::int32_t x, std::int32_t y, platform::Colour colour,
                   std::int32_t sizeClass);

// Magnitude legend in the lower-left corner for the effective limit.
void DrawLegend(platform::Surface& surface, const DrawContext& context);

// Circle of perpetual visibility for the site latitude (degrees), and with
// drawBelowHorizon the circle of perpetual invisibility too.
void DrawCPolar(platform::Surface& surface, const DrawContext& context, double latitude_deg,
                const astro::Matrix3& equatorToChart, bool drawBelowHorizon);

// Meridians of the 28 mansion stars from declination 90 - |latitude| to its
// negative. At a pole (no such span) nothing is drawn.
void DrawMansionMeridians(platform::Surface& surface, const DrawContext& context, double latitude_deg,
                          const astro::Matrix3& equatorToChart, bool drawBelowHorizon);

}  // namespace chart
