#pragma once
// A font as the chart styles, the font dialog and the printer describe it.
#include <string>

namespace platform {

struct FontSpec {
    std::string name = "굴림";
    double size_pt = 9;  // points at 96 dots per inch
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const FontSpec&) const = default;
};

}  // namespace platform
