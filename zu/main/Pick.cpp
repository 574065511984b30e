#include "zu/main/Pick.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "astro/TextFormat.h"
#include "skydata/ConfigStore.h"

namespace zu {
namespace {

constexpr double kDegreesPerHour = 15;
constexpr double kHoursPerDay = 24;
constexpr long kIndexLimit = 2000000000;

long RoundedIndex(std::string_view text) {
    const auto value = skydata::RoundHalfEven(skydata::PlainNumberOrZero(text), -kIndexLimit, kIndexLimit);
    return value ? static_cast<long>(*value) : 0;
}

}  // namespace

std::vector<std::string> PickCandidates(const std::vector<chart::ScreenObject>& objects, std::int32_t x_px,
                                        std::int32_t y_px) {
    struct Candidate {
        std::string key;
        float distance2;
    };
    std::vector<Candidate> found;
    for (const chart::ScreenObject& object : objects) {
        if (object.Key.IsEmpty()) continue;
        const std::int64_t dx = static_cast<std::int64_t>(object.X) - x_px;
        const std::int64_t dy = static_cast<std::int64_t>(object.Y) - y_px;
        if (std::llabs(dx) > kPickReach_px || std::llabs(dy) > kPickReach_px) continue;
        found.push_back({object.KeyText(), static_cast<float>(dx * dx + dy * dy)});
    }
    // Exchange sort: each position takes the nearest of those after it.
    for (std::size_t j = 0; j < found.size(); ++j) {
        for (std::size_t k = j + 1; k < found.size(); ++k) {
            if (found[j].distance2 > found[k].distance2) std::swap(found[j], found[k]);
        }
    }
    std::vector<std::string> keys;
    keys.reserve(found.size());
    for (Candidate& candidate : found) keys.push_back(std::move(candidate.key));
    return keys;
}

KeyParts SplitObjectKey(std::string_view key) {
    KeyParts parts;
    if (key.empty()) return parts;
    parts.letter = key[0];
    const std::string_view rest = key.substr(1);
    if (parts.letter == 'S' || parts.letter == 'E') {
        const std::size_t colon = rest.find(':');
        parts.zone = RoundedIndex(rest.substr(0, colon));
        parts.index = colon == std::string_view::npos ? 0 : RoundedIndex(rest.substr(colon + 1));
    } else {
        parts.index = RoundedIndex(rest);
    }
    return parts;
}

std::string StarItemCaption(const std::string& name, double magnitude, bool bright_catalogue) {
    char number[32];
    std::snprintf(number, sizeof number, bright_catalogue ? "%.2f" : "%.1f", magnitude);
    return name + " [" + number + "등급]";
}

bool IsEventHour(double hours) { return hours >= 0 && hours < kHoursPerDay; }

RiseTransitSetItems MakeRiseTransitSetItems(double rise_h, double transit_h, double set_h) {
    RiseTransitSetItems items;
    items.rise_visible = IsEventHour(rise_h);
    items.transit_enabled = IsEventHour(transit_h);
    items.set_visible = IsEventHour(set_h);
    const auto clock = [](bool event, double hours) {
        return event ? astro::FormatClockKorean(hours * kDegreesPerHour, 0) : std::string("--");
    };
    items.rise_caption = "뜨는 시각:" + clock(items.rise_visible, rise_h);
    items.transit_caption = "남중 시각:" + clock(items.transit_enabled, transit_h);
    items.set_caption = "지는 시각:" + clock(items.set_visible, set_h);
    return items;
}

}  // namespace zu
