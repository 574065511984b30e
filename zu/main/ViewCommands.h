#pragma once
// Helpers of the view commands that other parts of the main window share.
#include <string>

namespace zu {

// The frame letter of `ref_coord` as the commands compare it ("a" reads "A").
std::string UpperFrame(const std::string& coord);

// Altitude of the view centre, degrees, that puts the horizon just above the
// lower edge of a chart of field `fov_deg` (60 gives 27).
double HorizonAboveLowerEdge_deg(double fov_deg);

}  // namespace zu
