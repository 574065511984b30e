#include "calendar/SettingsFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <exception>
#include <map>
#include <optional>
#include <set>

#include "calendar/SpecialDays.h"
#include "calendar/TimeBase.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "platform/UserFiles.h"
#include "skydata/SettingsFaults.h"

namespace calendar {

namespace {

std::vector<std::string> g_font_list;
// Files read that did not load cleanly and are not yet kept as their backup.
std::set<std::filesystem::path> g_files_to_keep;
// The CalConfig.cfg that did not load at start, left as it is at the end.
std::optional<std::filesystem::path> g_not_loaded_default;

// Names the platform maps to installed families (platform::InstallFontSubstitutes).
constexpr std::array<std::string_view, 4> kSubstitutedFonts = {"굴림", "굴림체", "돋움", "Tahoma"};
constexpr const char* kDefaultFont = "돋움";
constexpr std::array<const char*, kSDaySets> kSDayKeys = {"SD", "SDA", "SDB"};
// The calendar's years, for the base date of the day count.
constexpr int kFirstCalendarYear = -9999;
constexpr int kLastCalendarYear = 32000;
// Keys named in a message before "외 n개".
constexpr std::size_t kKeysNamed = 8;
// Characters of a special day's name shown in a message.
constexpr std::size_t kNameShown = 20;
// What the settings page shows each font slot's sample for.
constexpr std::array<const char*, 6> kFontSlotCaptions = {"요일 표시", "날짜", "기념일", "음력/일진", "일출몰", "월출몰"};
constexpr std::array<const char*, kSDaySets> kSetCaptions = {"기념일 모음 1", "기념일 모음 2", "기념일 모음 3"};
// The settings page's words for each value a settings file holds.
constexpr std::array<std::pair<std::string_view, std::string_view>, 33> kSettingCaptions = {{
    {"TZ", "시간대"},
    {"RefKR", "한국기준 음력"},
    {"Islam", "이슬람력 표시"},
    {"RSP", "출몰시각 계산 정밀도"},
    {"FH", "일광시간절약제도 변경 시간"},
    {"Today", "오늘 날짜 강조"},
    {"ShowRST", "출몰 시각 표시"},
    {"Astro", "천문 현상 표시"},
    {"SDay", "기념일 표시"},
    {"LON", "경도"},
    {"LAT", "위도"},
    {"MeanSun", "평기법 사용"},
    {"MeanMoon", "평삭법 사용"},
    {"Jinsak", "진삭법 사용"},
    {"Auto", "음력 계산법을 자동으로 고름"},
    {"AutoSize", "글자 크기 자동 조절"},
    {"DT", "dT값을 직접 입력"},
    {"S1", "일광시간절약제도 시작 월"},
    {"S2", "일광시간절약제도 시작 일"},
    {"S3", "일광시간절약제도 종료 월"},
    {"S4", "일광시간절약제도 종료 일"},
    {"dTValue", "dT값"},
    {"SDCAT", "기념일 모음"},
    {"DispType", "기념일 표시 방법"},
    {"Jan1", "1월 1일부터의 일수 표시"},
    {"BaseJD", "기준일부터의 일수 표시"},
    {"Base", "기준일"},
    {"DispGap", "표시 간격"},
    {"HCol", "강조 배경색"},
    {"SDALL", "강조 글꼴색을 날짜 전체에 적용"},
    {"Tidal", "물때 표시 방법"},
    {"CalcOBSHT", "고도 보정(출몰시각)"},
    {"ObsHT", "해발고도"},
}};

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
        if (skydata::CutToCharacters(text, kLongestSettingText)) report_.cut.push_back(key);
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
            const std::string name = NameField(*raw);
            if (!name.empty()) report_.entry_names[key] = name;
            return SDayRecord{};
        }
        if (skydata::CutToCharacters(record->name, kLongestSettingText)) {
            report_.cut.push_back(key);
            report_.entry_names[key] = record->name;
        }
        return *record;
    }

private:
    // The name piece (the sixth) of a special-day value that did not parse;
    // "" when it has none.
    static std::string NameField(std::string_view raw) {
        for (int piece = 0; piece < 5; ++piece) {
            const std::size_t separator = raw.find(":;");
            if (separator == std::string_view::npos) return {};
            raw.remove_prefix(separator + 2);
        }
        return skydata::TrimBlanks(raw.substr(0, raw.find(":;")));
    }
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

// SD, SDA or SDB and a slot number.
bool IsSDayKey(std::string_view key) {
    for (std::string_view prefix : kSDayKeys) {
        if (key.size() <= prefix.size() || key.substr(0, prefix.size()) != prefix) continue;
        const std::string_view number = key.substr(prefix.size());
        if (std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
    }
    return false;
}

// The values of the loaded file that code page 949 cannot hold (names of a
// file saved as UTF-8, or bytes of neither encoding), with the value the
// writer writes for them after this read; notes in the report the values
// read as UTF-8 that the writer changes to code page 949, and those read
// with U+FFFD. bytes is the file, text what was read from it. Leaves the
// store empty.
std::map<std::string, KeptValueBytes> KeptBytesOf(const std::string& bytes, const std::string& text,
                                                   const CalendarState& state, SettingsReport& report) {
    std::map<std::string, KeptValueBytes> kept;
    // The tags are ASCII, and no byte of a code page 949 or UTF-8 character
    // is a bracket, a slash or a line end, so the bytes split like the text.
    std::vector<skydata::ConfigEntry> raw = skydata::ParseConfigEntries(bytes);
    std::vector<skydata::ConfigEntry> read = skydata::ParseConfigEntries(text);
    skydata::ClearConfig();
    if (raw.size() != read.size()) return kept;
    struct FileValue {
        std::string bytes, text;
    };
    // The first entry of each key, as the store reads it.
    std::map<std::string, FileValue> values;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].Key != read[i].Key) return kept;
        const bool ascii = std::all_of(raw[i].Value.begin(), raw[i].Value.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii || values.count(raw[i].Key)) continue;
        values.emplace(raw[i].Key, FileValue{std::move(raw[i].Value), std::move(read[i].Value)});
    }
    // A value that took its default or was cut is not the file's any more.
    for (const std::string& key : report.defaulted) values.erase(key);
    for (const std::string& key : report.cut) values.erase(key);
    if (values.empty()) return kept;
    WriteSettingsToStore(state);
    for (skydata::ConfigEntry& entry : skydata::ParseConfigEntries(skydata::ConfigStore().ConfigText)) {
        const auto found = values.find(entry.Key);
        if (found == values.end()) continue;
        // Only a value the reader took as it was (not a font name replaced
        // by the default one) is the file's own.
        const FileValue& value = found->second;
        const std::string as_read =
            IsSDayKey(entry.Key) ? SDayToText(TextToSDay(value.text)) : skydata::TrimBlanks(value.text);
        if (as_read != entry.Value) continue;
        if (platform::FitsCp949(value.text)) {
            if (platform::Utf8ToCp949(value.text) != value.bytes) report.recoded = true;
            continue;
        }
        if (value.text != value.bytes) report.unknown_characters = true;
        kept.emplace(entry.Key, KeptValueBytes{std::move(entry.Value), value.bytes});
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
    if (!skydata::KeepSettingsBackup(file)) return false;
    g_files_to_keep.erase(waiting);
    return true;
}

std::string ShownName(std::string name) {
    if (skydata::CutToCharacters(name, kNameShown)) name += "…";
    return name;
}

// The fields of a message, as the settings page names them, each once.
std::string FieldList(const SettingsReport& report) {
    std::vector<std::string> keys = report.defaulted;
    keys.insert(keys.end(), report.cut.begin(), report.cut.end());
    std::vector<std::string> names;
    for (const std::string& key : keys) {
        std::string name = SettingCaption(key);
        if (name.empty()) name = key;
        const auto entry = report.entry_names.find(key);
        if (entry != report.entry_names.end()) {
            name += ' ';
            name += ShownName(entry->second);
        }
        names.push_back(std::move(name));
    }
    return skydata::FieldNameList(names, kKeysNamed);
}

// True when key is prefix and a number below count written as the writer
// writes it (no leading zero), which goes to n.
bool HasNumber(std::string_view key, std::string_view prefix, int count, int& n) {
    if (key.size() <= prefix.size() || key.substr(0, prefix.size()) != prefix) return false;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 3 || (digits.size() > 1 && digits[0] == '0') ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    n = std::stoi(std::string(digits));
    return n < count;
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
    std::optional<std::string> bytes;
    if (status == skydata::ConfigFileStatus::Loaded) {
        bytes = platform::ReadFileBytes(file);
        if (!bytes) status = skydata::ConfigFileStatus::Unreadable;
    }
    if (status == skydata::ConfigFileStatus::Loaded) {
        std::string& text = skydata::ConfigStore().ConfigText;
        text = platform::DecodeCp949OrUtf8(*bytes);
        const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
        report.cut_off = !blank && skydata::EndsInsideAnEntry(text);
        report.stray_text = skydata::HasTextOutsideEntries(text);
        // Read into a copy: a file without one key of its own, or cut off
        // (the keys after the cut would all take their defaults), changes
        // nothing.
        CalendarState read = state;
        if (!report.cut_off) ReadSettingsFromStore(read, report);
        if (report.cut_off || report.known_keys == 0) {
            status = skydata::ConfigFileStatus::Damaged;
        } else {
            read.kept_bytes = KeptBytesOf(*bytes, text, read, report);
            state = std::move(read);
        }
    } else if (status == skydata::ConfigFileStatus::Missing) {
        ReadSettingsFromStore(state, report);
        state.kept_bytes.clear();
    }
    skydata::ClearConfig();
    if (status != skydata::ConfigFileStatus::Missing &&
        (status != skydata::ConfigFileStatus::Loaded || report.NeedsBackup()))
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
    // The user's own save replaced the file that did not load at start.
    if (written && g_not_loaded_default == Identity(file)) g_not_loaded_default.reset();
    return written;
}

std::string SettingCaption(std::string_view key) {
    for (const auto& [name, caption] : kSettingCaptions)
        if (key == name) return std::string(caption);
    int n = 0;
    for (const char* prefix : {"CFONT_SIZE", "CFONT_BOLD", "CFONT_IT", "CFONT_UL", "CFONT_ML"})
        if (HasNumber(key, prefix, 6, n)) return kFontSlotCaptions[static_cast<std::size_t>(n)] + std::string(" 글꼴");
    if (HasNumber(key, "CFONT_COL", 6, n))
        return n == 2 ? "강조 글꼴색" : kFontSlotCaptions[static_cast<std::size_t>(n)] + std::string(" 글꼴색");
    if (HasNumber(key, "CFONT", 6, n)) return kFontSlotCaptions[static_cast<std::size_t>(n)] + std::string(" 글꼴");
    for (std::size_t set = 0; set < kSDaySets; ++set) {
        if (!HasNumber(key, kSDayKeys[set], kSDayUserSlots, n)) continue;
        char number[8];
        std::snprintf(number, sizeof number, "(%03d)", n);
        return std::string(kSetCaptions[set]) + " " + number;
    }
    return {};
}

std::string SettingsReadMessage(skydata::ConfigFileStatus status, const SettingsReport& report, bool start) {
    using skydata::ConfigFileStatus;
    if (status == ConfigFileStatus::Missing) return {};
    if (status != ConfigFileStatus::Loaded) {
        if (start)
            return "설정 파일(" + report.file.filename().string() + ")을 읽을 수 없어 기본 설정으로 시작합니다.\r\n" +
                   platform::FullName(report.file) + "\r\n이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다.";
        if (report.cut_off) return platform::FullName(report.file) + " 파일은 끝이 잘려 있어 vu 설정 파일로 읽을 수 없습니다.";
        return platform::FullName(report.file) + " 파일을 vu 설정 파일로 읽을 수 없습니다.";
    }
    if (report.Clean()) return {};
    const std::string longest = std::to_string(kLongestSettingText);
    std::vector<std::string> sentences;
    if (!report.defaulted.empty() && !report.cut.empty())
        sentences.push_back("설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸고 너무 긴 글을 " + longest +
                            "자로 잘랐습니다.");
    else if (!report.defaulted.empty())
        sentences.push_back(skydata::kDefaultedValuesSentence);
    else if (!report.cut.empty())
        sentences.push_back("설정 파일에서 너무 긴 글을 " + longest + "자로 잘랐습니다.");
    if (report.stray_text) sentences.push_back("알아볼 수 없는 줄은 건너뛰었습니다.");
    if (report.recoded)
        sentences.push_back("UTF-8로 쓰인 글을 UTF-8로 읽었습니다. 저장할 때에는 이 프로그램의 문자 코드(CP949)로 "
                            "바꾸어 저장합니다.");
    if (report.unknown_characters)
        sentences.push_back("문자 코드를 알 수 없는 글자는 \xEF\xBF\xBD로 보이며, 저장할 때에는 원래대로 둡니다.");
    std::string text;
    for (const std::string& sentence : sentences) text += (text.empty() ? "" : " ") + sentence;
    text += "\r\n" + platform::FullName(report.file);
    if (!report.defaulted.empty() || !report.cut.empty()) text += "\r\n항목: " + FieldList(report);
    if (!report.NeedsBackup()) return text;
    const std::string backup = skydata::BackupSentence(report.file);
    return backup.empty() ? text : text + "\r\n" + backup;
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
    // A file that did not load holds what the user had (perhaps damaged by
    // another program, perhaps readable again by a later version): the end
    // of the run does not write the defaults over it.
    g_not_loaded_default.reset();
    if (unusable) g_not_loaded_default = Identity(file);
    // The user's own file cannot be used: start from what a reset gives.
    if (unusable && Identity(file) != Identity(platform::Env().folders->ProgramFolder() / kCalConfigFile))
        LoadShippedDefaults(state);
    return status;
}

DefaultConfigSave SaveDefaultConfig(CalendarState& state,
                                    const std::function<void(CalendarState&)>& read_form_settings) {
    if (read_form_settings) read_form_settings(state);
    const std::filesystem::path file = platform::UserFileToWrite(kCalConfigFile);
    if (g_not_loaded_default == Identity(file)) return DefaultConfigSave::NotOverwritten;
    // Kept in a dotfiles folder and linked here, it is written where it is.
    return WriteSettings(file, state, platform::AtLink::WriteThrough) ? DefaultConfigSave::Written
                                                                      : DefaultConfigSave::Failed;
}

void ResetSettingsFilesState() {
    g_font_list.clear();
    g_files_to_keep.clear();
    g_not_loaded_default.reset();
}

}  // namespace calendar
