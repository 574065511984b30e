#pragma once
// Proper star names: "eName.dat" (Eastern names) and "wName.dat" (Western
// names), lines of "HR;name;second name" in code page 949.
#include <filesystem>
#include <string>
#include <vector>

#include "skydata/Catalogs.h"
#include "skydata/LoadLog.h"

namespace skydata {

// Reads one name file; a line with fewer than three fields or a HR that is
// not a whole number in 1..32767 is skipped and logged. Throws
// platform::RunTimeError when the file is missing.
std::vector<StarNameEntry> ReadStarNameFile(const std::filesystem::path& path,
                                            const std::string& displayName, LoadLog& log);

// Fills state.EastStarNames and state.WestStarNames from the program folder
// (vectors and magnitudes stay zero until LinkStarNames).
void LoadStarNames(CatalogState& state, const std::filesystem::path& programDir, LoadLog& log);

}  // namespace skydata
