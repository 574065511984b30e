#pragma once
// The drawable form of the tracks of solar-system bodies: the line points
// (`PathVectors`, the same record as the Milky Way outline) and the marked
// points with their labels (`PathMarks`). The track module fills both after
// every computation; the screen and printed charts only read them. Both are
// sized exactly: an empty list draws nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "skydata/MilkyWay.h"

namespace chart {

// Direction of length 1000 (frame of the track's reference), NewLine in
// `Flag` (1 starts a new line), colour index 0 (yellow) or 1 (track colour).
using PathVector = skydata::MilkyWayPointRecord;

struct PathMark {
    double RA = 0;      // degrees: right ascension, or azimuth for a horizontal track
    double Dec = 0;     // degrees: declination, or altitude
    std::string Label;  // trimmed
    double TailRA = 0;  // comet tail end, same frame
    double TailDec = 0;
    std::int16_t HasTail = 0;  // 1: the mark carries the tail end
};

struct PathListState {
    std::vector<PathVector> PathVectors;
    std::vector<PathMark> PathMarks;
};

PathListState& PathLists();
void ResetPathLists();

}  // namespace chart
