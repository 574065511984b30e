#pragma once
// Colours as the chart code stores them: 32-bit RGB with red in the low byte,
// red + 256 * green + 65536 * blue, as the settings files hold them.
#include <cstdint>

namespace platform {

using Colour = std::uint32_t;

// Components are taken modulo 256, as the settings files never hold more.
constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace platform
