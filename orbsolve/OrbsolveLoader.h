#pragma once
// The program's binding to the orbit solver library. The library is never
// linked: it is opened by name on the first call of either export, first
// from the program folder (the folder of the running executable), then
// through the system library path, and stays open until the program ends.
// A missing file or entry point throws platform::RunTimeError naming it.
// The calls may come from several threads at once.
#include <string>

#include "KeplerBlock.h"

namespace orbsolve {

inline constexpr const char* kLibraryFileName = "liborbsolve.so";

// Solve through the library's exports; results are written into the block.
int32_t CallKeplerComet(KeplerCometBlock& block);
int32_t CallKeplerAsteroid(KeplerAsteroidBlock& block);

// The folder of the running executable, with a trailing slash.
std::string ExecutableFolder();

// Closes the library and forgets the bound entry points; the next call binds
// again, using `file_name` (a bare name or a path). For tests.
void ResetOrbsolveBinding(const std::string& file_name = kLibraryFileName);

}  // namespace orbsolve
