#pragma once
// The Milky Way outline ("milkyway.dat") and the Western constellation
// boundaries ("bound.dat", B1875 equinox).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skydata/LoadLog.h"

namespace skydata {

// One point of the Milky Way outline: J2000 direction of length 1000, the
// file's pen flag, and a colour index into the two-entry Milky Way colour
// table (always 0 for points from the file).
struct MilkyWayPointRecord {
    double x = 0, y = 0, z = 0;
    std::uint8_t Flag = 0;
    std::uint8_t ColorIndex = 0;
};

// One boundary point (equinox B1875). NewPolygon is 1 at the first point of
// each polygon; every polygon ends with a repeat of its first point. Code is
// the first three characters of the abbreviation ("UMI", "SER").
struct BoundaryPointRecord {
    double RA_deg = 0;
    double Dec_deg = 0;
    std::int32_t NewPolygon = 0;
    std::string Code;
    std::uint8_t Visible = 1;
};

// Lines "RA_hours Dec_deg flag" separated by blanks; blank lines are
// skipped; a line without three numbers, or a flag outside 0..255, is
// skipped and logged. Throws platform::RunTimeError when the file is missing.
std::vector<MilkyWayPointRecord> ReadMilkyWayFile(const std::filesystem::path& path,
                                                  const std::string& displayName, LoadLog& log);
std::vector<MilkyWayPointRecord> LoadMilkyWay(const std::filesystem::path& programDir,
                                              LoadLog& log);

// Fixed columns: characters 1-8 RA in hours, 10-18 Dec in degrees, the last
// four characters the abbreviation; consecutive lines with the same
// abbreviation form one closed polygon. Damaged lines are skipped and logged.
std::vector<BoundaryPointRecord> ReadBoundaryFile(const std::filesystem::path& path,
                                                  const std::string& displayName, LoadLog& log);
std::vector<BoundaryPointRecord> LoadConstBounds(const std::filesystem::path& programDir,
                                                 LoadLog& log);

}  // namespace skydata
