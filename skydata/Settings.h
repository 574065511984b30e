#pragma once
// The settings snapshot of the sky chart: site, time, view, every display
// switch, limits, colours, fonts, user catalogues, constellation filters,
// map points, drawn lines and track settings, turned into one text of the
// settings store and back. "Default.cfg" in the user folder holds it with the
// main window's size and state; chart files (.SKY) hold it without them.
//
// Fields carry the names of their settings keys, except the chart state that
// the main window owns (ViewCenterX ... RealTimeMode, CurrentJD), which
// carries the names of those globals. Booleans are bool and are written
// "true"/"false". Angles are degrees, times Julian days or hours
// as named; colours are red + 256 * green + 65536 * blue.
//
// The chart styles (line colours, layer and grid-label fonts, twilight and
// spectral colours: keys "mlinecolor" i, "mfont" i ..., "GridFont" i ...,
// `twlcolor0`..`twlcolor5`, `oc`..`mc`), the map points, drawn lines and the
// track settings and bodies live in their own modules (StartupTables.h,
// MapPoint.h, DrawnLine.h, PathBodies.h); LoadSettings and SaveSettings fill
// and read them there. A style key absent from a file keeps the style in use,
// except the twilight and spectral colours, which return to their defaults.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/SkySettings.h"
#include "platform/TextFile.h"
#include "skydata/StartupTables.h"

namespace skydata {

constexpr std::int32_t kTwipsPerPixel = 15;

// Range of the field of view, degrees.
constexpr double kMinViewFov_deg = 1;
constexpr double kMaxViewFov_deg = 190;

// The version every snapshot is written with, and the one assumed for a file
// without a version entry.
constexpr std::string_view kSettingsVersion = "0.841";
constexpr std::string_view kOldestSettingsVersion = "0.705";

// The scalar keys the computations read are the base record; the snapshot
// adds the rest.
struct SettingsSnapshot : astro::SkySettings {
    // Main window, only in "Default.cfg".
    std::int32_t fwidth = 8145;  // twips (kTwipsPerPixel per pixel)
    std::int32_t fheight = 7800; // twips
    std::int16_t fstate = 0;     // 0 normal, 2 maximised
    // The folder of the last file of each kind the user chose, only in
    // "Default.cfg" and written once set (older files do without them).
    std::string ChartFolder;     // `ChartFolder`: chart files (.SKY)
    std::string PictureFolder;   // `PictureFolder`: saved chart pictures
    std::string CatalogFolder;   // `CatalogFolder`: user catalogues
    std::string PdfFolder;       // `PdfFolder`: charts printed to PDF

    // View, site and time.
    double ViewCenterX = 0;            // `mcenterx`: azimuth or right ascension, degrees
    double ViewCenterY = 28.5;         // `mcentery`: altitude or declination, degrees
    double ViewFOV = 60;               // `mfov`: field of view, degrees, 1..190
    std::string ViewCoordSys = "a";    // `ref_coord`: "a" horizontal, "e" equatorial
    double MapRotation = 0;            // `rotatemap`: degrees
    bool RealTimeMode = false;         // `synctime`
    double CurrentJD = 0;              // `jd`: local civil Julian day; default the site's today at 0 h

    // Constellation filters: `fsetstr0` Korean figures, `fsetstr1` Western figures, `fsetstr2` old-map
    // figures, `fsetstr3` Western boundaries. Empty (nullopt) when the key was
    // absent: every constellation of that set is shown. An empty text hides all.
    std::array<std::optional<std::string>, 4> fsetstr;
};

// Constellation filter texts in the order of `fsetstr0` .. `fsetstr3`.
using ConstFilterTexts = std::array<std::optional<std::string>, 4>;

// What a settings load or save needs from other modules. Every hook may stay
// unset: fonts are then all taken as installed, the filters are kept only as
// texts, and messages are dropped (a load never waits for the user).
struct SettingsHooks {
    // Names of the installed fonts; printer = false for the screen.
    std::function<std::vector<std::string>(bool printer)> ListFonts;
    // Today at 0 h as a local Julian day, in place of the clock's today in
    // the site's zone: the default of `jd`.
    std::function<double()> TodayJD;
    // Sets the constellation flags from the four filter texts and applies
    // them to labels, lines and boundaries (nullopt: show every one).
    std::function<void(const ConstFilterTexts&)> ApplyConstFilters;
    // The four filter texts of the flags in force, for saving; nullopt for a
    // set without constellation data, whose loaded text is then saved as it was.
    std::function<ConstFilterTexts()> GetConstFilters;
    // A notice for the user (title, text); must not block a load at start-up.
    std::function<void(const std::string& title, const std::string& text)> ShowMessage;
};

// Module state; ResetSettingsModule() restores the start of a run.
struct SettingsState {
    SettingsSnapshot Values;
    std::vector<std::string> FontList;
    SettingsHooks Hooks;
    // Set when the start-up load found "Default.cfg" unreadable or damaged:
    // that file is then never overwritten during the run.
    bool DefaultCfgProtected = false;
    // Set when the start-up load replaced damaged values of "Default.cfg" by
    // their defaults: the file is kept as its backup before the next write.
    bool DefaultCfgNeedsBackup = false;
    // The keys whose values the last load could not use (no number or
    // switch where one belongs, or outside the key's range), in file order;
    // they took their defaults.
    std::vector<std::string> DamagedKeys;
};
SettingsState& SettingsModule();
void ResetSettingsModule();
inline SettingsSnapshot& CurrentSettings() { return SettingsModule().Values; }

constexpr std::string_view kDefaultSettingsFileName = "Default.cfg";
constexpr std::string_view kUnreadableFileMessage = "파일을 읽을 수 없습니다";

enum class SettingsWindowKeys { Included = 0, Excluded = 1 };

enum class SettingsLoadStatus {
    Loaded,      // every key read from the file
    Missing,     // no file: every key took its default
    Unreadable,  // the file could not be read: nothing changed
    Damaged,     // no usable setting, or cut off inside an entry: nothing changed
};

// Refills FontList from the font hook (screen or printer fonts).
void ListFonts(bool printer);
// True when `name` is in FontList, compared without regard to case; true for
// every name while FontList is empty (no font service).
bool FontExists(std::string_view name);

// Reads a settings file into the snapshot, the map points, drawn lines and
// track settings, and applies the filters and tracks through the hooks. A file
// that cannot be read, holds no entry or ends inside an entry changes nothing
// and, for a chart file (window keys excluded), shows kUnreadableFileMessage;
// so does a chart file that is blank, and any file that gives no number or
// switch key a usable value (every value junk: a number that is no number or
// does not fit its type, a switch other than true or false; texts such as
// the site name or an empty list of map points do not count), which would
// only reset every setting. A blank "Default.cfg" is a first start.
//
// Every number read is kept in the range the program can use before anything
// else sees it: angles of the view folded into one turn, and each key within
// the range of its rule (Settings.cpp: latitudes within +-90, longitudes
// +-180, colours 0..0xFFFFFF, magnitudes within +-30, Julian days within
// 4713 BC .. AD 9999, ...); map points and drawn lines keep their positions
// usable the same way.
//
// A value that is no number or switch where one belongs ("x", "", "NaN", a
// switch "1"), or whose number (the one the value begins with: "37.5abc"
// reads as 37.5) lies outside its key's range (a latitude of 200) is damaged:
// the key takes its default (the first-start value), and its key is listed in
// SettingsModule().DamagedKeys for DamagedValuesMessage.
SettingsLoadStatus LoadSettings(const std::filesystem::path& path, SettingsWindowKeys window);
// Writes the snapshot. Throws platform::RunTimeError when the file cannot be
// written (the old file is then kept).
void SaveSettings(const std::filesystem::path& path, SettingsWindowKeys window,
                  platform::AtLink at_link = platform::AtLink::Replace);

// Start-up load of "Default.cfg" in the user folder. An unreadable or damaged
// file (also one without a usable value, as above) gives every default, a
// notice through ShowMessage, and protects the file from being overwritten
// during this run. One that loaded with damaged values (DamagedKeys) is told
// through ShowMessage too, and kept as it was: SaveDefaultSettings first
// copies it to its numbered backup ("Default.cfg.bak", ".bak2", ...).
SettingsLoadStatus LoadDefaultSettings(const std::filesystem::path& user_folder);
// Writes "Default.cfg" with the window keys; false (nothing written) while the
// file is protected. Throws platform::RunTimeError when writing fails, or
// when the backup a damaged file needs cannot be made (nothing written).
bool SaveDefaultSettings(const std::filesystem::path& user_folder);

// The message about the damaged values of `keys` in `file`, named as the
// settings windows name them: for "Default.cfg" (window keys included) with
// the backup it is kept as, for a chart file with the note that the file is
// left as it is.
std::string DamagedValuesMessage(const std::filesystem::path& file, const std::vector<std::string>& keys,
                                 SettingsWindowKeys window);

// The snapshot as a store text and back, without touching any file: what
// LoadSettings does after reading the file and SaveSettings before writing it.
void LoadSettingsFromStore(SettingsWindowKeys window);
void BuildSettingsStore(SettingsWindowKeys window);

}  // namespace skydata
