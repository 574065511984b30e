#include "chart/LabelLayers.h"

namespace chart {

void DrawStarGlyph(platform::Surface& surface, std::int32_t x, std::int32_t y, platform::Colour colour,
                   std::int32_t sizeClass) {
    if (sizeClass <= 0) {
        surface.Line(x - 2, y, x + 3, y, colour);
        surface.Line(x, y - 2, x, y + 3, colour);
        surface.Line(x - 1, y - 1, x + 1, y + 1, colour, platform::Box::B);
    } else if (sizeClass == 1) {
        surface.Line(x - 1, y, x + 2, y, colour);
        surface.Line(x, y - 1, x, y + 2, colour);
    } else if (sizeClass == 2) {
        surface.Line(x, y, x + 1, y + 1, colour, platform::Box::B);
    } else {
        surface.PSet(x, y, colour);
    }
}

}  // namespace chart
