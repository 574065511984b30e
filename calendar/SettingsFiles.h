#pragma once
// The calendar settings files, "CalConfig.cfg" in the user folder and the
// user's .cal files: every setting, the six fonts and the user slots of the
// three special-day sets, in the settings store's tagged form.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalendarState.h"
#include "skydata/ConfigStore.h"

namespace vu {

inline constexpr const char* kCalConfigFile = "CalConfig.cfg";

// The installed screen font names; ListFonts replaces them (the window passes
// QFontDatabase::families()).
std::vector<std::string>& FontList();
void ListFonts(std::vector<std::string> families);
// True when a FontList entry equals name without regard to case, or name is
// one the platform substitutes ("굴림", "굴림체", "돋움", "Tahoma").
bool FontExists(std::string_view name);

// Fills state.settings, state.fonts and slots 0..365 of the three sets of
// state.SDays from the file (jd 0). Missing file: every default and empty
// slots, status Missing. Unreadable or Damaged: state untouched.
skydata::ConfigFileStatus ReadSettings(const std::filesystem::path& file, CalendarState& state);
// Writes the file atomically; false when it cannot be written (the old file
// stays as it was).
bool WriteSettings(const std::filesystem::path& file, const CalendarState& state);

// ReadSettings of CalConfig.cfg (UserFileToRead).
skydata::ConfigFileStatus LoadDefaultConfig(CalendarState& state);
// read_form_settings (the window's panel into state) when given, then
// WriteSettings of CalConfig.cfg (UserFileToWrite).
bool SaveDefaultConfig(CalendarState& state, const std::function<void(CalendarState&)>& read_form_settings = {});

// Resets the module (FontList empty).
void ResetSettingsFilesState();

}  // namespace vu
