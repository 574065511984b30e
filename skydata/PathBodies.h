#pragma once
// The text half of the track module: the track settings record, the list of
// tracked bodies and its settings text `PathObj`, and the hooks through which
// a settings load reaches the track computation.
//
// Track codes: "P" and a planet-table number (0 Sun .. 8 Moon, 9 Pluto),
// "C" and a comet index, "A" and an asteroid index (indices into the element
// lists, from 0). In `PathObj` a comet is written "c" and its name and an
// asteroid "a" and its name, so a list survives a change of the element files.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skydata {

// Track settings; the settings keys SetPath1 .. SetPath11 fill these fields in
// this order.
struct PathSettings {
    double StartJD = 0;           // first day of the tracks, local civil Julian day
    double EndJD = 30;            // last day, local civil Julian day
    double Hour = 0;              // hour of day of every track point, hours
    double StepDays = 2;          // days between track points
    std::int16_t LabelInterval = 5;
    std::uint8_t TimeRule = 0;    // 0..9
    std::uint8_t Reference = 0;   // 1 horizontal coordinates, otherwise equatorial of date
    std::string LabelFlags = std::string(4, ' ');  // four characters
    bool SyncWithChart = false;   // recompute the tracks with every chart drawing
    bool LabelFirstOnly = true;
    bool DrawTail = false;        // comet tails along the track

    bool operator==(const PathSettings&) const = default;
};

// Names of the loaded comet and asteroid elements, by list index. The element
// lists belong to the orbital-element readers; the track list only needs to
// turn names into indices and back.
struct PathBodyNames {
    std::function<std::optional<int>(std::string_view name)> CometIndexOf;
    std::function<std::optional<std::string>(int index)> CometNameAt;
    std::function<std::optional<int>(std::string_view name)> AsteroidIndexOf;
    std::function<std::optional<std::string>(int index)> AsteroidNameAt;
};

// The track computation that a settings load starts; each does nothing until
// the track module sets it.
struct PathHooks {
    std::function<void(const PathSettings&)> ComputePaths;
    std::function<void(const PathSettings&)> ProjectPaths;
};

// Module state; ResetPathModule() restores the start of a run.
struct PathState {
    PathSettings Settings;
    std::vector<std::string> PathBodyList = std::vector<std::string>(1);
    PathBodyNames Names;
    PathHooks Hooks;
};
PathState& PathModule();
void ResetPathModule();

// The list becomes one empty entry.
void ClearPathBodies(std::vector<std::string>& list);

// Reads a `PathObj` text: every piece followed by CR LF (text after the last
// CR LF is ignored), trimmed and not empty, is one entry: a piece starting with
// "P" as it stands, "c" + comet name -> "C" + its index, "a" + asteroid name
// -> "A" + its index; other pieces and unknown names are skipped. A text that
// is not blank replaces the list (one empty entry when nothing was taken); a
// blank text leaves the list as it was. True when at least one entry was taken.
bool LoadPathBodies(std::vector<std::string>& list, std::string_view text, const PathBodyNames& names);
bool LoadPathBodies(std::string_view text);

// The `PathObj` text: one line per entry, each ending in CR LF; entries whose
// comet or asteroid no longer exists are left out.
std::string SavePathBodies(const std::vector<std::string>& list, const PathBodyNames& names);
std::string SavePathBodies();

}  // namespace skydata
