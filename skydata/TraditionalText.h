#pragma once
// Positions in the units and names of traditional Korean astronomy: north
// polar distance, the place within a lunar mansion and within one of the
// twelve branch palaces of the ecliptic.
#include <array>
#include <string>

#include "skydata/StartupTables.h"

namespace skydata {

// 90 - dec_deg, in degrees (inDegrees) or in parts of the 365.25-part circle.
double NorthPolarDistance(double dec_deg, bool inDegrees);

// "<mansion> <offset>": the mansion whose determinative star (RA of date in
// mansionStarRA_deg) precedes ra_deg most closely (the first on a tie), and
// the offset from that star in degrees (inDegrees) or in parts of the
// 365-part circle, as "d도 m분 s초".
std::string MansionPositionText(double ra_deg, bool inDegrees,
                                const std::array<double, kMansionCount>& mansionStarRA_deg);

// "<branch>(<hanja>)궁<offset>": the branch palace of an ecliptic longitude
// (0..30 is 술, 330..360 해) and the longitude within its 30 degrees.
std::string BranchPalaceText(double lon_deg);

// Chart label: the branch name, then a blank and the offset within the
// palace in symbols ("유 15°") unless the offset is 0 ("유").
std::string BranchPalaceLabel(double lon_deg);

}  // namespace skydata
