#pragma once
// Straight lines between two sky positions: the line records of a user
// catalogue and the lines the user drew on the chart.
#include <vector>

#include "astro/Matrix.h"
#include "chart/DrawContext.h"
#include "platform/Surface.h"
#include "skydata/CustomCatalog.h"
#include "skydata/DrawnLine.h"

namespace chart {

// Each line (RA/Dec or Az/Alt of the frame that `frame` maps, degrees) drawn
// straight in its colour, merge pen, when one end is in front (or
// drawBelowHorizon) and one end is strictly inside the surface.
void DrawLnLines(platform::Surface& surface, const DrawContext& context,
                 const std::vector<skydata::CustomCatLine>& lines, const astro::Matrix3& frame,
                 bool drawBelowHorizon);

// The user-drawn lines (J2000) through DrawLnLines. The empty element of an
// empty list is not drawn.
void DrawUserLines(platform::Surface& surface, const DrawContext& context,
                   const std::vector<skydata::DrawnLine>& lines, const astro::Matrix3& catalogToChart,
                   bool drawBelowHorizon);

}  // namespace chart
