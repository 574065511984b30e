#pragma once
// The fixed layer order of the screen chart: one row per layer with its
// display gate, the fill change made before it (whatever the gate), the font
// set just before its drawer, and the drawer. Later rows paint over earlier
// ones.
#include <cstdint>
#include <span>

#include "chart/DrawContext.h"

namespace chart {

enum class FillChange : std::uint8_t {
    None,
    Solid,           // fill style solid
    Transparent,     // fill style transparent
    SkyTransparent,  // fill colour SkyBackColor, fill style transparent
};

enum class LayerFont : std::uint8_t {
    None,
    LayerStyle,  // LayerStyle[font_index]
    GridFont,    // GridFontTable[font_index]
};

struct LayerEntry {
    const char* name;  // for logs and tests
    FillChange fill_before;
    bool (*gate)(const DrawContext& context);
    LayerFont font;
    std::int8_t font_index;
    std::int8_t user_cat_slot;  // 1 or 2 while a user catalogue layer draws, else 0
    LayerDrawer draw;           // nullptr: the layer draws nothing yet
};

std::span<const LayerEntry> ChartLayers();

}  // namespace chart
