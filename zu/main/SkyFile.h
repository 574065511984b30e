#pragma once
// Procedures that act on the whole chart: bringing an object to the centre
// (the search, constellation, go-to-coordinate and marker windows use it) and
// the two entry points of chart files (.SKY).
#include <filesystem>
#include <string>

#include "skydata/Settings.h"

namespace zu {

// Reads a chart file into every setting, the map points, drawn lines and
// tracks; the window-size keys are left as they are. A missing, unreadable or
// damaged file changes nothing and is reported by the status (a file that is
// not there reads as Missing, never as "every key at its default"); the
// caller tells the user and goes on with its follow-up only for Loaded.
skydata::SettingsLoadStatus OpenSkyFile(const std::filesystem::path& path);

// The message about the values of the chart file that the last OpenSkyFile
// could not use (no number where one belongs, or out of range): they took
// their defaults, as if the file did not hold them, and the file is left as
// it is. "" when there were none.
std::string OpenedSkyFileNotice(const std::filesystem::path& path);

// Writes the settings as a chart file without the window-size keys. Throws
// platform::RunTimeError when the file cannot be written (an existing file is
// then kept as it was).
void SaveSkyFile(const std::filesystem::path& path);

// Brings a position of date (degrees) to the chart centre and redraws through
// the main window. In the horizontal view an object below the horizon asks
// the user whether to show the sky below the horizon or to move the time to
// the object's transit; false when the user declined (nothing changed).
bool CenterOnObject(double ra_deg, double dec_deg);

}  // namespace zu
