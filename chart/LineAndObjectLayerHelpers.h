#pragma once
// Small helpers shared by the layer drawers of LineAndObjectLayers.h.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/TextFormat.h"
#include "platform/Surface.h"

namespace chart::detail {

// Nearest whole number, halves to even.
inline double RoundEven(double v) { return std::nearbyint(v); }

// Text with its top-left corner at (x, y), in the fore colour.
inline void PrintAt(platform::Surface& surface, double x, double y, const std::string& text) {
    surface.SetCurrentX(x);
    surface.SetCurrentY(y);
    surface.Print(text);
}

using astro::TrimBlanks;

}  // namespace chart::detail
