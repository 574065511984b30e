#pragma once
// The loading part of the sky program's start-up: every table and catalogue
// of the program folder, the user's settings, the atmosphere tables and the
// chart time, before any window exists. Tests load the program through it.
#include <filesystem>
#include <string>
#include <vector>

namespace zu {

// The loading part of the start-up (everything before the windows), in its
// fixed order: tables, data files of the program folder, "Default.cfg" of the
// user folder, the atmosphere tables, the chart time, the step defaults.
// Throws platform::RunTimeError naming the first data file that is missing or
// damaged, but for the comet and asteroid files users edit: their empty
// files and damaged lines are skipped and told in a start-up notice. Nothing
// is written by a load that stops; one that succeeds may keep the points of
// the stored tracks for the next start (Tracks.h).
void LoadProgramState(const std::filesystem::path& program_folder);

// Notices the settings load and the element readers raised while nothing
// could be shown yet.
std::vector<std::string> TakeStartupNotices();

// True when the last load found no "Default.cfg": a user's first start.
bool LoadedWithoutSettings();

}  // namespace zu
