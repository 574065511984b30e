#pragma once
// The one place that turns an ObjectKey into a name and an equatorial place
// for the chart moment, for every kind of chart object: tracking, the object
// pop-up menu, its rise-transit-set items and the chart information window use
// it.
#include <optional>
#include <string>
#include <string_view>

namespace zu {

struct ObjectPlace {
    std::string Name;
    // Equatorial place in degrees: of the chart date when `calcprecession` is
    // on, J2000 otherwise (the frame the chart draws in). RA is not folded.
    double RA_deg = 0;
    double Dec_deg = 0;
    // "e", or "a" for an entry of a user catalogue given in horizontal
    // coordinates.
    std::string CoordKind = "e";
};

// Keys: "S" zone ":" index, "E" zone ":" index, "P" n, "C" n, "A" n, "M" n,
// "(UC..." user-catalogue entries. Reads the chart time, site and switches of
// the settings snapshot, the loaded tables and the sidereal time of the main
// state. Planets, comets and asteroids are computed for the chart time (the
// planet table is refilled). nullopt when the key names nothing that is
// loaded (an index out of range, an unusable orbit, "Null").
std::optional<ObjectPlace> GetObjectPosition(std::string_view key);

}  // namespace zu
