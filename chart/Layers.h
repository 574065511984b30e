#pragma once
// The layer drawers of the screen chart in the uniform signature of the
// layer table (LayerDrawer): each reads its gate-free inputs from the
// context (frame matrix, DrawBelowHorizon, colours of its style entry) and
// calls its drawer. The table (LayerTable.cpp) decides whether and in which
// order they run and sets the layer font before each.
#include "chart/DrawContext.h"
#include "platform/Surface.h"

namespace chart {

void LayerOldMapNames(platform::Surface& surface, DrawContext& context);      // old-map labels, LayerStyle 2
void LayerCPolar(platform::Surface& surface, DrawContext& context);           // circle of perpetual visibility
void LayerMansionMeridians(platform::Surface& surface, DrawContext& context); // 28 mansion meridians
void LayerStars(platform::Surface& surface, DrawContext& context);            // zones, bright and extended stars
void LayerWesternNames(platform::Surface& surface, DrawContext& context);     // Western labels, LayerStyle 0
void LayerKoreanNames(platform::Surface& surface, DrawContext& context);      // traditional labels, LayerStyle 1
void LayerEastStarNames(platform::Surface& surface, DrawContext& context);    // "eName.dat", LayerStyle 4
void LayerWestStarNames(platform::Surface& surface, DrawContext& context);    // "wName.dat", LayerStyle 3
void LayerUserLines(platform::Surface& surface, DrawContext& context);        // user-drawn lines
void LayerLegend(platform::Surface& surface, DrawContext& context);           // magnitude legend

}  // namespace chart
