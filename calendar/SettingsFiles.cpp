#include "calendar/SettingsFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <exception>
#include <map>
#include <optional>
#include <set>

#include "calendar/SpecialDays.h"
#include "calendar/TimeBase.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "platform/UserFiles.h"

namespace vu {

namespace {

std::vector<std::string> g_font_list;
// Files read that did not load cleanly and are not yet kept as their backup.
std::set<std::filesystem::path> g_files_to_keep;

// Names the platform maps to installed families (platform::InstallFontSubstitutes).
constexpr std::array<std::string_view, 4> kSubstitutedFonts = {"굴림", "굴림체", "돋움", "Tahoma"};
constexpr const char* kDefaultFont = "돋움";
constexpr std::array<const char*, kSDaySets> kSDayKeys = {"SD", "SDA", "SDB"};
// The calendar's years, for the base date of the day count.
constexpr int kFirstCalendarYear = -9999;
constexpr int kLastCalendarYear = 32000;
// Keys named in a message before "외 n개".
constexpr std::size_t kKeysNamed = 8;

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Key(const char* prefix, int n) { return prefix + std::to_string(n); }

// The number a value holds when it is one plain number and nothing else
// (blanks and line ends around it allowed): "abc", "nan", "1x" and "" are
// none, unlike the leading-number reading of the store.
std::optional<double> WholeValueNumber(std::string_view value) {
    return skydata::IsWholePlainNumber(value) ? skydata::ParsePlainNumber(value) : std::nullopt;
}

// Cuts a UTF-8 text to at most n characters; true when it was longer.
bool CutToCharacters(std::string& text, std::size_t n) {
    if (text.size() <= n) return false;  // n characters take at least n bytes
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == n) {
            text.resize(i);
            return true;
        }
        ++characters;
    }
    return false;
}

// The typed readers of one file: every key a settings file has is read
// through them, so they count the keys found and note each value that takes
// its default or is cut.
class CheckedReader {
public:
    explicit CheckedReader(SettingsReport& report) : report_(report) {}

    std::optional<std::string> Raw(const std::string& key) {
        std::optional<std::string> value = skydata::ReadConfigValue(key);
        if (value) ++report_.known_keys;
        return value;
    }
    void Defaulted(const std::string& key) { report_.defaulted.push_back(key); }

    double Number(const std::string& key, double default_value, SettingRange range) {
        const std::optional<std::string> raw = Raw(key);
        if (!raw) return default_value;
        const std::optional<double> value = WholeValueNumber(*raw);
        if (value && range.Holds(*value)) return *value;
        Defaulted(key);
        return default_value;
    }
    std::int32_t Whole(const std::string& key, std::int32_t default_value, SettingRange range) {
        const std::optional<std::string> raw = Raw(key);
        if (!raw) return default_value;
        const std::optional<double> value = WholeValueNumber(*raw);
        const std::optional<std::int64_t> whole =
            value ? skydata::RoundHalfEven(*value, static_cast<std::int64_t>(range.min),
                                           static_cast<std::int64_t>(range.max))
                  : std::nullopt;
        if (whole) return static_cast<std::int32_t>(*whole);
        Defaulted(key);
        return default_value;
    }
    bool Bool(const std::string& key, bool default_value) {
        const std::optional<std::string> raw = Raw(key);
        if (!raw) return default_value;
        const std::string word = skydata::LowerAscii(skydata::TrimBlanks(*raw));
        if (word == "true") return true;
        if (word == "false") return false;
        Defaulted(key);
        return default_value;
    }
    // The trimmed text, cut to kLongestSettingText characters.
    std::string Text(const std::string& key, std::string_view default_value) {
        const std::optional<std::string> raw = Raw(key);
        if (!raw) return std::string(default_value);
        std::string text = skydata::TrimBlanks(*raw);
        if (CutToCharacters(text, kLongestSettingText)) report_.cut.push_back(key);
        return text;
    }
    // A text that must hold one whole number in the range (the summer-time
    // month and day fields, the Delta T field).
    std::string NumberText(const std::string& key, const std::string& default_value, SettingRange range,
                           bool whole) {
        const std::optional<std::string> raw = Raw(key);
        if (!raw) return default_value;
        const std::optional<double> value = WholeValueNumber(*raw);
        if (value && range.Holds(*value) && (!whole || *value == std::floor(*value)))
            return skydata::TrimBlanks(*raw);
        Defaulted(key);
        return default_value;
    }
    SDayRecord SDay(const std::string& key) {
        const std::optional<std::string> raw = Raw(key);
        if (!raw) return SDayRecord{};
        std::optional<SDayRecord> record = ParseSDay(*raw);
        if (!record || !Sound(*record)) {
            Defaulted(key);
            return SDayRecord{};
        }
        if (CutToCharacters(record->name, kLongestSettingText)) report_.cut.push_back(key);
        return *record;
    }

private:
    // An entry the editor could have made: empty, a D-Day, or a date (lunar
    // months have 30 days at most).
    static bool Sound(const SDayRecord& r) {
        if (r.month == NoMonth) return true;
        if (r.year <= DDayYear) return r.month >= 0;  // a reference that does not resolve stays as entered
        return r.month >= 1 && r.month <= 12 && r.day >= 1 && r.day <= (r.lunar ? 30 : 31);
    }

    SettingsReport& report_;
};

void ReadSettingsFromStore(CalendarState& state, SettingsReport& report) {
    CheckedReader in(report);
    const CalendarSettings d;
    CalendarSettings& s = state.settings;
    const double base_min = JulianDay(kFirstCalendarYear, 1, 1, 12, 0, 0);
    const double base_max = JulianDay(kLastCalendarYear, 12, 31, 12, 0, 0);
    s.TZ = in.Number("TZ", d.TZ, kZoneRange);
    s.RefKR = in.Bool("RefKR", d.RefKR);
    s.Islam = in.Bool("Islam", d.Islam);
    s.RSP = static_cast<std::int16_t>(in.Whole("RSP", d.RSP, {1, 4}));
    s.FH = in.Number("FH", d.FH, kSummerOffsetRange);
    s.Today = in.Bool("Today", d.Today);
    s.ShowRST = in.Bool("ShowRST", d.ShowRST);
    s.Astro = in.Bool("Astro", d.Astro);
    s.SDay = in.Bool("SDay", d.SDay);
    s.LON = in.Number("LON", d.LON, kLongitudeRange);
    s.LAT = in.Number("LAT", d.LAT, kLatitudeRange);
    s.MeanSun = in.Bool("MeanSun", d.MeanSun);
    s.MeanMoon = in.Bool("MeanMoon", d.MeanMoon);
    s.Jinsak = in.Bool("Jinsak", d.Jinsak);
    s.Auto = in.Bool("Auto", d.Auto);
    s.AutoSize = in.Bool("AutoSize", d.AutoSize);
    s.DT = in.Bool("DT", d.DT);
    s.S1 = in.NumberText("S1", d.S1, {1, 12}, true);
    s.S2 = in.NumberText("S2", d.S2, {1, 31}, true);
    s.S3 = in.NumberText("S3", d.S3, {1, 12}, true);
    s.S4 = in.NumberText("S4", d.S4, {1, 31}, true);
    s.dTValue = in.NumberText("dTValue", d.dTValue, kDeltaTRange, false);
    s.SDCAT = static_cast<std::uint8_t>(in.Whole("SDCAT", d.SDCAT, {0, kSDaySets - 1}));
    s.DispType = static_cast<std::uint8_t>(in.Whole("DispType", d.DispType, {0, 4}));
    s.Jan1 = in.Bool("Jan1", d.Jan1);
    s.BaseJD = in.Bool("BaseJD", d.BaseJD);
    s.Base = in.Number("Base", d.Base, {base_min, base_max});
    s.DispGap = static_cast<std::int16_t>(in.Whole("DispGap", d.DispGap, kGapRange));
    s.HCol = in.Whole("HCol", d.HCol, kColourRange);
    s.SDALL = in.Bool("SDALL", d.SDALL);
    s.Tidal = static_cast<std::int16_t>(in.Whole("Tidal", d.Tidal, {0, 3}));
    s.CalcOBSHT = in.Bool("CalcOBSHT", d.CalcOBSHT);
    s.ObsHT = in.Number("ObsHT", d.ObsHT, kHeightRange);

    const CalFontSlots defaults = DefaultCalFontSlots(s.ShowRST);
    for (int n = 0; n < 6; ++n) {
        CalFontSlot& slot = state.fonts[static_cast<std::size_t>(n)];
        slot.name = in.Text(Key("CFONT", n), kDefaultFont);
        if (!FontExists(slot.name)) slot.name = kDefaultFont;
        slot.size = in.Whole(Key("CFONT_SIZE", n), defaults[static_cast<std::size_t>(n)].size, kFontSizeRange);
        slot.bold = in.Bool(Key("CFONT_BOLD", n), false);
        slot.italic = in.Bool(Key("CFONT_IT", n), false);
        slot.underline = in.Bool(Key("CFONT_UL", n), false);
        slot.strikethrough = in.Bool(Key("CFONT_ML", n), false);
        slot.colour = in.Whole(Key("CFONT_COL", n), 0, kColourRange);
    }

    for (int i = 0; i < kSDayUserSlots; ++i)
        for (int set = 0; set < kSDaySets; ++set)
            state.SDays[static_cast<std::size_t>(set)][static_cast<std::size_t>(i)] =
                in.SDay(Key(kSDayKeys[static_cast<std::size_t>(set)], i));
}

void WriteSettingsToStore(const CalendarState& state) {
    using namespace skydata;
    const CalendarSettings& s = state.settings;
    WriteConfigDouble("TZ", s.TZ);
    WriteConfigBool("RefKR", s.RefKR);
    WriteConfigBool("Islam", s.Islam);
    WriteConfigLong("RSP", s.RSP);
    WriteConfigDouble("FH", s.FH);
    WriteConfigBool("Today", s.Today);
    WriteConfigBool("ShowRST", s.ShowRST);
    WriteConfigBool("Astro", s.Astro);
    WriteConfigBool("SDay", s.SDay);
    WriteConfigDouble("LON", s.LON);
    WriteConfigDouble("LAT", s.LAT);
    WriteConfigBool("MeanSun", s.MeanSun);
    WriteConfigBool("MeanMoon", s.MeanMoon);
    WriteConfigBool("Jinsak", s.Jinsak);
    WriteConfigBool("Auto", s.Auto);
    WriteConfigBool("AutoSize", s.AutoSize);
    WriteConfigBool("DT", s.DT);
    WriteConfigString("S1", s.S1);
    WriteConfigString("S2", s.S2);
    WriteConfigString("S3", s.S3);
    WriteConfigString("S4", s.S4);
    WriteConfigString("dTValue", s.dTValue);
    WriteConfigLong("SDCAT", s.SDCAT);
    WriteConfigLong("DispType", s.DispType);
    WriteConfigBool("Jan1", s.Jan1);
    WriteConfigBool("BaseJD", s.BaseJD);
    WriteConfigDouble("Base", s.Base);
    WriteConfigInt("DispGap", s.DispGap);
    WriteConfigLong("HCol", s.HCol);
    WriteConfigBool("SDALL", s.SDALL);
    WriteConfigInt("Tidal", s.Tidal);
    WriteConfigBool("CalcOBSHT", s.CalcOBSHT);
    WriteConfigDouble("ObsHT", s.ObsHT);

    for (int n = 0; n < 6; ++n) {
        const CalFontSlot& slot = state.fonts[static_cast<std::size_t>(n)];
        WriteConfigString(Key("CFONT", n), slot.name);
        WriteConfigLong(Key("CFONT_SIZE", n), slot.size);
        WriteConfigBool(Key("CFONT_BOLD", n), slot.bold);
        WriteConfigBool(Key("CFONT_IT", n), slot.italic);
        WriteConfigBool(Key("CFONT_UL", n), slot.underline);
        WriteConfigBool(Key("CFONT_ML", n), slot.strikethrough);
        WriteConfigLong(Key("CFONT_COL", n), slot.colour);
    }

    for (int i = 0; i < kSDayUserSlots; ++i)
        for (int set = 0; set < kSDaySets; ++set)
            WriteConfigString(Key(kSDayKeys[static_cast<std::size_t>(set)], i),
                              SDayToText(state.SDays[static_cast<std::size_t>(set)][static_cast<std::size_t>(i)]));
}

// The name a file is known by, whichever way it was given.
std::filesystem::path Identity(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::path known = std::filesystem::weakly_canonical(file, error);
    if (error) known = std::filesystem::absolute(file, error);
    return error ? file : known;
}

std::string FullName(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(file, error);
    return (error ? file : full).string();
}

// SD, SDA or SDB and a slot number.
bool IsSDayKey(std::string_view key) {
    for (std::string_view prefix : kSDayKeys) {
        if (key.size() <= prefix.size() || key.substr(0, prefix.size()) != prefix) continue;
        const std::string_view number = key.substr(prefix.size());
        if (std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
    }
    return false;
}

// The values of the loaded file that code page 949 cannot hold as they were
// read, with the value the writer writes for them after this read. Called
// while the store holds the file's text; leaves the store empty.
std::map<std::string, KeptValueBytes> KeptBytesOf(const std::filesystem::path& file, const CalendarState& state,
                                                   const SettingsReport& report) {
    std::map<std::string, KeptValueBytes> kept;
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) return kept;
    // The tags are ASCII, and no byte of a code page 949 or UTF-8 character
    // is a bracket, a slash or a line end, so the bytes split like the text.
    std::map<std::string, std::string> lossy;
    for (skydata::ConfigEntry& entry : skydata::ParseConfigEntries(*bytes)) {
        if (lossy.count(entry.Key) || platform::Utf8ToCp949(platform::Cp949ToUtf8(entry.Value)) == entry.Value) continue;
        const std::optional<std::string> read = skydata::ReadConfigValue(entry.Key);
        if (read && *read == platform::Cp949ToUtf8(entry.Value)) lossy.emplace(entry.Key, std::move(entry.Value));
    }
    skydata::ClearConfig();
    if (lossy.empty()) return kept;
    // A value that took its default or was cut is not the file's any more.
    for (const std::string& key : report.defaulted) lossy.erase(key);
    for (const std::string& key : report.cut) lossy.erase(key);
    WriteSettingsToStore(state);
    for (skydata::ConfigEntry& entry : skydata::ParseConfigEntries(skydata::ConfigStore().ConfigText)) {
        const auto found = lossy.find(entry.Key);
        if (found == lossy.end()) continue;
        // Only a value the reader took as it was (not a font name replaced
        // by the default one) is the file's own.
        const std::string read = platform::Cp949ToUtf8(found->second);
        const std::string as_read = IsSDayKey(entry.Key) ? SDayToText(TextToSDay(read)) : skydata::TrimBlanks(read);
        if (as_read == entry.Value) kept.emplace(entry.Key, KeptValueBytes{std::move(entry.Value), found->second});
    }
    skydata::ClearConfig();
    return kept;
}

// The store's text in code page 949, with the kept bytes of every value that
// is written as it was read.
std::string EncodeKeeping(const std::string& text, const std::map<std::string, KeptValueBytes>& kept) {
    std::string bytes;
    for (const skydata::ConfigEntry& entry : skydata::ParseConfigEntries(text)) {
        bytes += "[" + entry.Key + "]";
        const auto found = kept.find(entry.Key);
        bytes += found != kept.end() && found->second.written == entry.Value ? found->second.bytes
                                                                           : platform::Utf8ToCp949(entry.Value);
        bytes += "[/" + entry.Key + "]\r\n";
    }
    return bytes + "\r\n";
}

// Before the first write over a file that did not load cleanly, the file is
// kept as its backup; false when that cannot be done (nothing is written).
bool KeepBeforeWriting(const std::filesystem::path& file) {
    const auto waiting = g_files_to_keep.find(Identity(file));
    if (waiting == g_files_to_keep.end()) return true;
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(file, error).type();
    if (type == std::filesystem::file_type::not_found) {
        g_files_to_keep.erase(waiting);
        return true;
    }
    if (type != std::filesystem::file_type::regular) return false;
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes || !platform::WriteFileBytesAtomic(SettingsBackupFile(file), *bytes)) return false;
    g_files_to_keep.erase(waiting);
    return true;
}

std::string KeyList(const std::vector<std::string>& defaulted, const std::vector<std::string>& cut) {
    std::vector<std::string> keys = defaulted;
    keys.insert(keys.end(), cut.begin(), cut.end());
    std::string text;
    for (std::size_t i = 0; i < keys.size() && i < kKeysNamed; ++i) {
        if (i > 0) text += ", ";
        text += keys[i];
    }
    if (keys.size() > kKeysNamed) text += " 외 " + std::to_string(keys.size() - kKeysNamed) + "개";
    return text;
}

}  // namespace

std::vector<std::string>& FontList() { return g_font_list; }

void ListFonts(std::vector<std::string> families) { g_font_list = std::move(families); }

bool FontExists(std::string_view name) {
    for (std::string_view substitute : kSubstitutedFonts)
        if (SameNoCase(name, substitute)) return true;
    for (const std::string& family : g_font_list)
        if (SameNoCase(name, family)) return true;
    return false;
}

skydata::ConfigFileStatus ReadSettings(const std::filesystem::path& file, CalendarState& state,
                                       SettingsReport* report_out) {
    SettingsReport report;
    report.file = file;
    skydata::ConfigFileStatus status = skydata::LoadConfigFile(file);
    if (status == skydata::ConfigFileStatus::Loaded) {
        report.stray_text = skydata::HasTextOutsideEntries(skydata::ConfigStore().ConfigText);
        // Read into a copy: a file without one key of its own changes nothing.
        CalendarState read = state;
        ReadSettingsFromStore(read, report);
        if (report.known_keys == 0) {
            status = skydata::ConfigFileStatus::Damaged;
        } else {
            read.kept_bytes = KeptBytesOf(file, read, report);
            state = std::move(read);
        }
    } else if (status == skydata::ConfigFileStatus::Missing) {
        ReadSettingsFromStore(state, report);
        state.kept_bytes.clear();
    }
    skydata::ClearConfig();
    if (status != skydata::ConfigFileStatus::Missing && (status != skydata::ConfigFileStatus::Loaded || !report.Clean()))
        g_files_to_keep.insert(Identity(file));
    if (report_out) *report_out = std::move(report);
    return status;
}

bool WriteSettings(const std::filesystem::path& file, const CalendarState& state, platform::AtLink at_link) {
    if (!KeepBeforeWriting(file)) return false;
    skydata::ClearConfig();
    WriteSettingsToStore(state);
    bool written = true;
    if (state.kept_bytes.empty()) {
        try {
            skydata::SaveConfigFile(file, at_link);
        } catch (const std::exception&) {
            written = false;
        }
    } else {
        written = platform::WriteFileBytesAtomic(file, EncodeKeeping(skydata::ConfigStore().ConfigText, state.kept_bytes),
                                                 at_link);
    }
    skydata::ClearConfig();
    return written;
}

std::filesystem::path SettingsBackupFile(const std::filesystem::path& file) {
    std::filesystem::path backup = file;
    backup += ".bak";
    return backup;
}

std::string SettingsReadMessage(skydata::ConfigFileStatus status, const SettingsReport& report, bool start) {
    using skydata::ConfigFileStatus;
    const std::string backup = SettingsBackupFile(report.file).filename().string();
    if (status == ConfigFileStatus::Missing) return {};
    if (status != ConfigFileStatus::Loaded) {
        if (!start) return FullName(report.file) + " 파일을 vu 설정 파일로 읽을 수 없습니다.";
        return "설정 파일을 읽을 수 없어 기본 설정으로 시작합니다.\r\n" + FullName(report.file) +
               "\r\n원래 파일은 설정을 저장하기 전에 " + backup + " 파일로 남겨 둡니다.";
    }
    if (report.Clean()) return {};
    const std::string longest = std::to_string(kLongestSettingText);
    std::string text;
    if (!report.defaulted.empty() && !report.cut.empty())
        text = "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸고 너무 긴 글을 " + longest +
               "자로 잘랐습니다.";
    else if (!report.defaulted.empty())
        text = "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.";
    else if (!report.cut.empty())
        text = "설정 파일에서 너무 긴 글을 " + longest + "자로 잘랐습니다.";
    if (report.stray_text) {
        if (!text.empty()) text += " ";
        text += "알아볼 수 없는 줄은 건너뛰었습니다.";
    }
    text += "\r\n" + FullName(report.file);
    if (!report.defaulted.empty() || !report.cut.empty()) text += "\r\n항목: " + KeyList(report.defaulted, report.cut);
    return text + "\r\n원래 파일은 이 파일에 저장하기 전에 " + backup + " 파일로 남겨 둡니다.";
}

bool LoadShippedDefaults(CalendarState& state) {
    for (SDaySet& set : state.SDays) ClearSDaySet(set);
    state.settings = CalendarSettings{};
    state.fonts = DefaultCalFontSlots(state.settings.ShowRST);
    state.kept_bytes.clear();
    const std::filesystem::path shipped = platform::Env().folders->ProgramFolder() / kCalConfigFile;
    std::error_code error;
    if (!std::filesystem::is_regular_file(shipped, error)) return false;
    return ReadSettings(shipped, state) == skydata::ConfigFileStatus::Loaded;
}

skydata::ConfigFileStatus LoadDefaultConfig(CalendarState& state, SettingsReport* report) {
    const std::filesystem::path file = platform::UserFileToRead(kCalConfigFile);
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !std::filesystem::is_directory(file.parent_path(), error)) {
        // First start: the user folder is made by the first save.
        skydata::ConfigStore().ConfigText.assign(1, ' ');
        SettingsReport first;
        first.file = file;
        ReadSettingsFromStore(state, first);
        skydata::ClearConfig();
        if (report) *report = std::move(first);
        return skydata::ConfigFileStatus::Missing;
    }
    const skydata::ConfigFileStatus status = ReadSettings(file, state, report);
    const bool unusable =
        status == skydata::ConfigFileStatus::Damaged || status == skydata::ConfigFileStatus::Unreadable;
    // The user's own file cannot be used: start from what a reset gives.
    if (unusable && Identity(file) != Identity(platform::Env().folders->ProgramFolder() / kCalConfigFile))
        LoadShippedDefaults(state);
    return status;
}

bool SaveDefaultConfig(CalendarState& state, const std::function<void(CalendarState&)>& read_form_settings) {
    if (read_form_settings) read_form_settings(state);
    // Kept in a dotfiles folder and linked here, it is written where it is.
    return WriteSettings(platform::UserFileToWrite(kCalConfigFile), state, platform::AtLink::WriteThrough);
}

void ResetSettingsFilesState() {
    g_font_list.clear();
    g_files_to_keep.clear();
}

}  // namespace vu
