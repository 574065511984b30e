#pragma once
// Texts and values the redraw writes around the chart.
#include <string>

namespace zu {

// Status panel 3: "시야: " and the field with one or two decimals ("60.0",
// "1.25") and "°".
std::string FovStatusText(double fov_deg);

// The zoom indicator's value for a field of view: 1910 - fov x 10 with the
// tenths rounded half to even and kept within 10..1900 (190 degrees gives 10,
// 60 gives 1310, 1 degree or less 1900).
int ZoomIndicatorValue(double fov_deg);

}  // namespace zu
