#pragma once
// Keys of drawn chart objects and the list of drawn objects that the pick
// reads.
//
// A key is held compactly (kind, zone or catalogue slot, shape kind, index)
// and written as text only when asked:
//   "S" zone ":" index     bright-star table entry (zone 0..29)
//   "E" zone ":" index     extended-catalogue entry
//   "M" index              deep-sky object
//   "P" n                  planet table entry (0 Sun, 1..7 Mercury..Neptune, 8 Moon, 9 Pluto)
//   "C" index, "A" index   comet, asteroid
//   "(UC" c "_S" k ":" nnnn ")"   user catalogue c (1, 2), shape of kind k (1..5)
//   "(UC" c "_St:" nnnn ")"       user catalogue star
//   "(UC" c "_Nb:" nnnn ")"       user catalogue nonstellar object
//   "(UC" c "_Ch:" nnnn ")"       user catalogue text label
//   "Null"                 no object (used by receivers of keys)
// nnnn is the index with at least four digits. An empty key marks a list
// entry that holds no object.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chart {

enum class ObjectKind : std::uint8_t {
    Empty = 0,
    BrightStar,    // S
    ExtraStar,     // E
    DeepSky,       // M
    Planet,        // P
    Comet,         // C
    Asteroid,      // A
    UserShape,     // (UCc_Sk:nnnn)
    UserStar,      // (UCc_St:nnnn)
    UserNebula,    // (UCc_Nb:nnnn)
    UserText,      // (UCc_Ch:nnnn)
    Null,          // "Null"
};

struct ObjectKey {
    ObjectKind kind = ObjectKind::Empty;
    std::uint8_t group = 0;   // star zone 0..29, or user catalogue slot 1..2
    std::uint8_t shape = 0;   // user catalogue shape kind 1..5
    std::int32_t index = 0;   // index within the zone, table, list or kind

    bool IsEmpty() const { return kind == ObjectKind::Empty; }
    // The key as text ("" for an empty key).
    std::string Text() const;
    bool operator==(const ObjectKey&) const = default;
};

constexpr ObjectKey BrightStarKey(int zone, int index) {
    return {ObjectKind::BrightStar, static_cast<std::uint8_t>(zone), 0, index};
}
constexpr ObjectKey ExtraStarKey(int zone, int index) {
    return {ObjectKind::ExtraStar, static_cast<std::uint8_t>(zone), 0, index};
}
constexpr ObjectKey DeepSkyKey(int index) { return {ObjectKind::DeepSky, 0, 0, index}; }
constexpr ObjectKey PlanetKey(int n) { return {ObjectKind::Planet, 0, 0, n}; }
constexpr ObjectKey CometKey(int index) { return {ObjectKind::Comet, 0, 0, index}; }
constexpr ObjectKey AsteroidKey(int index) { return {ObjectKind::Asteroid, 0, 0, index}; }
constexpr ObjectKey UserShapeKey(int slot, int shape, int index) {
    return {ObjectKind::UserShape, static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(shape), index};
}
constexpr ObjectKey UserStarKey(int slot, int index) {
    return {ObjectKind::UserStar, static_cast<std::uint8_t>(slot), 0, index};
}
constexpr ObjectKey UserNebulaKey(int slot, int index) {
    return {ObjectKind::UserNebula, static_cast<std::uint8_t>(slot), 0, index};
}
constexpr ObjectKey UserTextKey(int slot, int index) {
    return {ObjectKind::UserText, static_cast<std::uint8_t>(slot), 0, index};
}
constexpr ObjectKey NullKey() { return {ObjectKind::Null, 0, 0, 0}; }

// Reads a key text written by Text(). "" gives the empty key; a text that is
// no key of these forms gives nullopt.
std::optional<ObjectKey> ParseObjectKey(std::string_view text);

// One entry of the list of drawn objects: the pixel where the object was
// drawn and its key.
struct ScreenObject {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    ObjectKey Key;

    std::string KeyText() const { return Key.Text(); }
};

// The list a drawing starts with, and what it keeps when nothing was drawn.
inline constexpr int kScreenObjectInitialEntries = 1001;

}  // namespace chart
