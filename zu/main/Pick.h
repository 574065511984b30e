#pragma once
// Picking drawn objects under the pointer and the texts of the object pop-up
// menu: which drawn objects a right click takes (nearest first), how an
// object's item reads, and which rise, transit and set items a date offers.
// Qt-free, so the rules are tested without a window.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ObjectKey.h"

namespace zu {

// At most this many pixels off on each axis (a 13 x 13 square) is a hit.
inline constexpr int kPickReach_px = 6;

// The keys of the drawn objects within kPickReach_px of the pixel on both
// axes, nearest first by squared distance. Empty entries are skipped.
std::vector<std::string> PickCandidates(const std::vector<chart::ScreenObject>& objects, std::int32_t x_px,
                                        std::int32_t y_px);

// The first character of a key and the index after it: for "S" and "E" the
// rest is split at the first ':' into zone and index; for every other letter
// the index is the number after the letter. Numbers are read with the lenient
// rule and rounded to whole numbers (halves to even).
struct KeyParts {
    char letter = 'N';
    long zone = 0;
    long index = 0;
};
KeyParts SplitObjectKey(std::string_view key);

// "HR 424 [1.50등급]" for a bright-catalogue star (two decimals), one decimal
// for the extended catalogue ("[7.3등급]").
std::string StarItemCaption(const std::string& name, double magnitude, bool bright_catalogue);

// The rise, transit and set items of the pop-up for times in hours of the
// chart's civil day. A time outside 0 <= t < 24 is no event that day: its
// rise or set item is hidden, its transit item disabled and shown with "--",
// so choosing an item always moves the chart within its own day.
struct RiseTransitSetItems {
    bool rise_visible = false;
    bool transit_enabled = false;
    bool set_visible = false;
    std::string rise_caption;     // "뜨는 시각:06시 30분"
    std::string transit_caption;  // "남중 시각:..."
    std::string set_caption;      // "지는 시각:..."
};
RiseTransitSetItems MakeRiseTransitSetItems(double rise_h, double transit_h, double set_h);

// True for a time that names an event of the chart's civil day.
bool IsEventHour(double hours);

}  // namespace zu
