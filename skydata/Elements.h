#pragma once
// Readers of the orbital-element files "histComet.txt", "Comet.txt" and
// "Asteroid.txt" (code page 949 text, one body per line, fields separated by
// "|"). Lines may end in LF, CR LF or CR; the files are only read, never
// rewritten. Blank lines are skipped silently; a damaged line (too few
// fields, a field without a number, an impossible date) is skipped and noted
// in the LoadLog with the file name and line number, and reading goes on.
// Users edit these files: an empty or blank one holds no bodies and is noted
// in the LoadLog by name; only a missing or unreadable file stops the load.
#include <filesystem>
#include <vector>

#include "astro/OrbitElements.h"
#include "skydata/LoadLog.h"

namespace skydata {

inline constexpr const char* kHistCometFileName = "histComet.txt";
inline constexpr const char* kCometFileName = "Comet.txt";
inline constexpr const char* kAsteroidFileName = "Asteroid.txt";

// Reads one comet file. A missing or unreadable file throws
// platform::RunTimeError naming it; an empty one (nothing but blanks and line
// ends) gives no records and a note "<file>에 궤도 요소가 없습니다".
std::vector<astro::CometElements> ReadCometFile(const std::filesystem::path& path, LoadLog& log);

// Reads an asteroid file the same way.
std::vector<astro::AsteroidElements> ReadAsteroidFile(const std::filesystem::path& path, LoadLog& log);

// Reads "histComet.txt" and then "Comet.txt" from the program folder into
// astro::SmallBodies(): historical comets first, then the others, and one
// empty position per comet. Both files are read before anything is stored,
// so a missing file (platform::RunTimeError) leaves the lists as they were.
void LoadComets(const std::filesystem::path& programDir, LoadLog& log);

// Reads "Asteroid.txt" from the program folder into astro::SmallBodies(),
// with one empty position per asteroid; a missing file throws and leaves the
// lists as they were.
void LoadAsteroids(const std::filesystem::path& programDir, LoadLog& log);

}  // namespace skydata
