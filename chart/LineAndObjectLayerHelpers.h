#pragma once
// Small helpers shared by the layer drawers of LineAndObjectLayers.h.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

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

inline std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

}  // namespace chart::detail
