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
#include "platform/TextFile.h"
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

// What a read found wrong in a file. A value that does not parse or lies
// outside its range takes its key's default; a text longer than
// kLongestSettingText characters is cut to it; text outside the complete
// entries (a cut-off or stray line) costs at most the key it belonged to.
struct SettingsReport {
    std::filesystem::path file;
    std::vector<std::string> defaulted;  // keys, in reading order
    std::vector<std::string> cut;        // keys, in reading order
    bool stray_text = false;
    int known_keys = 0;                  // entries of keys a settings file has
    bool Clean() const { return defaulted.empty() && cut.empty() && !stray_text; }
};

// Fills state.settings, state.fonts and slots 0..365 of the three sets of
// state.SDays from the file (jd 0). Missing file: every default and empty
// slots, status Missing. Unreadable, or Damaged (no complete entry of a key
// a settings file has: empty, foreign or cut before its first entry): state
// untouched. A file that was there and did not load cleanly is kept as
// "<name>.bak" before the first WriteSettings over it.
skydata::ConfigFileStatus ReadSettings(const std::filesystem::path& file, CalendarState& state,
                                       SettingsReport* report = nullptr);
// Writes the file atomically; false when it cannot be written (the old file
// stays as it was), or when a file that did not load cleanly cannot be
// kept as its backup first. Values that code page 949 cannot hold as they
// were read (a file saved as UTF-8) are written back in the file's own bytes
// while they are unchanged (CalendarState::kept_bytes).
// A link at the file's name is replaced or written through as `at_link` says.
bool WriteSettings(const std::filesystem::path& file, const CalendarState& state,
                   platform::AtLink at_link = platform::AtLink::Replace);

// The message for a read that was not clean, "" for a clean one (Loaded
// without faults, or Missing). start: the read of CalConfig.cfg at start-up,
// which goes on with the defaults when the file cannot be used.
std::string SettingsReadMessage(skydata::ConfigFileStatus status, const SettingsReport& report, bool start);

// The backup kept of a file before it is written over: "<name>.bak".
std::filesystem::path SettingsBackupFile(const std::filesystem::path& file);

// The program folder's CalConfig.cfg (the shipped defaults: the public
// holidays in set 0) over the built-in defaults: the state a first start and
// a reset give. False when that file is missing or cannot be used (then
// state holds the built-in defaults alone).
bool LoadShippedDefaults(CalendarState& state);

// ReadSettings of CalConfig.cfg (UserFileToRead). A user's file that cannot
// be used leaves the shipped defaults in state (LoadShippedDefaults).
skydata::ConfigFileStatus LoadDefaultConfig(CalendarState& state, SettingsReport* report = nullptr);
// read_form_settings (the window's panel into state) when given, then
// WriteSettings of CalConfig.cfg (UserFileToWrite).
bool SaveDefaultConfig(CalendarState& state, const std::function<void(CalendarState&)>& read_form_settings = {});

// Resets the module (FontList empty, no file waiting for its backup).
void ResetSettingsFilesState();

}  // namespace vu
