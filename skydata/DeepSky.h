#pragma once
// Deep-sky objects: "dso.dat", one object per line, 13 fields separated by
// "|": ID1 | ID2 | Name1 | Name2 | RA hours | Dec degrees | type | magnitude |
// major size ' | minor size ' (0 = same as major) | Desc1 | Desc2 | PA degrees.
#include <filesystem>
#include <string>
#include <vector>

#include "skydata/Catalogs.h"
#include "skydata/LoadLog.h"

namespace skydata {

// Reads a deep-sky file. A line with fewer than 13 fields, or whose RA, Dec,
// magnitude or major size is not a number, or whose position angle is
// neither empty nor a number, is skipped and logged. Throws
// platform::RunTimeError when the file is missing.
std::vector<DeepSkyObjectRecord> ReadDeepSkyFile(const std::filesystem::path& path,
                                                 const std::string& displayName, LoadLog& log);

// Fills state.DeepSkyObject from "dso.dat" of the program folder.
void LoadDeepSky(CatalogState& state, const std::filesystem::path& programDir, LoadLog& log);

// J2000 direction (length 1000, no precession) of every deep-sky object.
void ComputeDsoVectors(CatalogState& state);

}  // namespace skydata
