#pragma once
// The calendar settings files, "CalConfig.cfg" in the user folder and the
// user's .cal files: every setting, the six fonts and the user slots of the
// three special-day sets, in the settings store's tagged form.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalendarState.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/SettingsFaults.h"

namespace calendar {

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
// entries (a stray line) costs at most the key it belonged to; a file whose
// last entry has no closing tag (cut off) is refused whole.
struct SettingsReport {
    std::filesystem::path file;
    std::vector<std::string> defaulted;  // keys, in reading order
    std::vector<std::string> cut;        // keys, in reading order
    // The names the file gives the special-day entries among them.
    std::map<std::string, std::string> entry_names;
    bool stray_text = false;
    bool cut_off = false;  // refused: its last entry has no closing tag
    // Values of a file saved as UTF-8 that are read as such and saved in
    // code page 949 (values code page 949 cannot hold keep their bytes).
    bool recoded = false;
    // Values in neither encoding: shown with U+FFFD, saved as they were.
    bool unknown_characters = false;
    int known_keys = 0;  // entries of keys a settings file has
    // Nothing to tell the user.
    bool Clean() const { return !NeedsBackup() && !unknown_characters; }
    // Writing over the file loses or changes what it holds: it is kept as a
    // backup before the first write.
    bool NeedsBackup() const { return !defaulted.empty() || !cut.empty() || stray_text || recoded; }
};

// Fills state.settings, state.fonts and slots 0..365 of the three sets of
// state.SDays from the file (jd 0). Missing file: every default and empty
// slots, status Missing. Unreadable, or Damaged (no complete entry of a key
// a settings file has: empty, foreign or cut before its first entry; or its
// last entry cut off): state untouched. A file that was there and needs it
// (SettingsReport::NeedsBackup, or not loaded) is kept as its backup before
// the first WriteSettings over it. A file not in code page 949 but in UTF-8
// is read as UTF-8.
skydata::ConfigFileStatus ReadSettings(const std::filesystem::path& file, CalendarState& state,
                                       SettingsReport* report = nullptr);
// Writes the file atomically; false when it cannot be written (the old file
// stays as it was), or when a file that did not load cleanly cannot be
// kept as its backup first. Values that code page 949 cannot hold as they
// were read (a name of a file saved as UTF-8 that code page 949 has no
// characters for) are written back in the file's own bytes while they are
// unchanged (CalendarState::kept_bytes).
// A link at the file's name is replaced or written through as `at_link` says.
bool WriteSettings(const std::filesystem::path& file, const CalendarState& state,
                   platform::AtLink at_link = platform::AtLink::Replace);

// The message for a read that was not clean, "" for a clean one (Loaded
// without faults, or Missing). start: the read of CalConfig.cfg at start-up,
// which goes on with the defaults when the file cannot be used and then
// leaves it as it is at the end. Fields are named as the settings page names
// them, special-day entries by their names.
std::string SettingsReadMessage(skydata::ConfigFileStatus status, const SettingsReport& report, bool start);

// What the settings page calls the value of a key ("위도" for LAT, "날짜
// 글꼴" for CFONT_SIZE1); a special-day entry by its set and number
// ("기념일 모음 2 (012)"); "" for a key no settings file has.
std::string SettingCaption(std::string_view key);

// The backup a write over the file keeps it as (shared with the sky chart's
// settings file): "<name>.bak", then ".bak2", ".bak3"; never replaced.
using skydata::SettingsBackupFile;

// The program folder's CalConfig.cfg (the shipped defaults: the public
// holidays in set 0) over the built-in defaults: the state a first start and
// a reset give. False when that file is missing or cannot be used (then
// state holds the built-in defaults alone).
bool LoadShippedDefaults(CalendarState& state);

// ReadSettings of CalConfig.cfg (UserFileToRead). A user's file that cannot
// be used leaves the shipped defaults in state (LoadShippedDefaults), and
// SaveDefaultConfig leaves that file as it is.
skydata::ConfigFileStatus LoadDefaultConfig(CalendarState& state, SettingsReport* report = nullptr);

enum class DefaultConfigSave {
    Written,
    NotOverwritten,  // the file did not load at start: only the user's own save replaces it
    Failed,
};
// read_form_settings (the window's panel into state) when given, then
// WriteSettings of CalConfig.cfg (UserFileToWrite), unless that file is the
// one that did not load at start.
DefaultConfigSave SaveDefaultConfig(CalendarState& state,
                                    const std::function<void(CalendarState&)>& read_form_settings = {});

// Resets the module (FontList empty, no file waiting for its backup or
// left as it is at the end).
void ResetSettingsFilesState();

}  // namespace calendar
