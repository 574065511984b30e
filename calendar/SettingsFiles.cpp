#include "calendar/SettingsFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>

#include "calendar/SpecialDays.h"
#include "platform/UserFiles.h"

namespace vu {

namespace {

std::vector<std::string> g_font_list;

// Names the platform maps to installed families (platform::InstallFontSubstitutes).
constexpr std::array<std::string_view, 4> kSubstitutedFonts = {"굴림", "굴림체", "돋움", "Tahoma"};
constexpr const char* kDefaultFont = "돋움";
constexpr const char* kEmptySDay = "-10000 :; -5 :;  0 :; F :; F :;  :;  0";
constexpr std::array<const char*, kSDaySets> kSDayKeys = {"SD", "SDA", "SDB"};

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Key(const char* prefix, int n) { return prefix + std::to_string(n); }

void ReadSettingsFromStore(CalendarState& state) {
    using namespace skydata;
    const CalendarSettings d;
    CalendarSettings& s = state.settings;
    s.TZ = ReadConfigDouble("TZ", d.TZ);
    s.RefKR = ReadConfigBool("RefKR", d.RefKR);
    s.Islam = ReadConfigBool("Islam", d.Islam);
    // The panel offers steps 1 to 4; 0 is shown as 1 and anything else as 4.
    const std::int32_t rsp = ReadConfigLong("RSP", d.RSP);
    s.RSP = static_cast<std::int16_t>(rsp == 0 ? 1 : (rsp < 0 || rsp > 4 ? 4 : rsp));
    s.FH = ReadConfigDouble("FH", d.FH);
    s.Today = ReadConfigBool("Today", d.Today);
    s.ShowRST = ReadConfigBool("ShowRST", d.ShowRST);
    s.Astro = ReadConfigBool("Astro", d.Astro);
    s.SDay = ReadConfigBool("SDay", d.SDay);
    s.LON = ReadConfigDouble("LON", d.LON);
    s.LAT = ReadConfigDouble("LAT", d.LAT);
    s.MeanSun = ReadConfigBool("MeanSun", d.MeanSun);
    s.MeanMoon = ReadConfigBool("MeanMoon", d.MeanMoon);
    s.Jinsak = ReadConfigBool("Jinsak", d.Jinsak);
    s.Auto = ReadConfigBool("Auto", d.Auto);
    s.AutoSize = ReadConfigBool("AutoSize", d.AutoSize);
    s.DT = ReadConfigBool("DT", d.DT);
    s.S1 = ReadConfigString("S1", d.S1);
    s.S2 = ReadConfigString("S2", d.S2);
    s.S3 = ReadConfigString("S3", d.S3);
    s.S4 = ReadConfigString("S4", d.S4);
    s.dTValue = ReadConfigString("dTValue", d.dTValue);
    const std::int32_t sdcat = ReadConfigLong("SDCAT", d.SDCAT);
    s.SDCAT = static_cast<std::uint8_t>(sdcat >= 0 && sdcat <= 2 ? sdcat : 0);
    const std::int32_t disp_type = ReadConfigLong("DispType", d.DispType);
    s.DispType = static_cast<std::uint8_t>(disp_type >= 0 && disp_type <= 4 ? disp_type : 0);
    s.Jan1 = ReadConfigBool("Jan1", d.Jan1);
    s.BaseJD = ReadConfigBool("BaseJD", d.BaseJD);
    s.Base = ReadConfigDouble("Base", d.Base);
    s.DispGap = std::max<std::int16_t>(ReadConfigInt("DispGap", d.DispGap), 1);
    s.HCol = ReadConfigLong("HCol", d.HCol);
    s.SDALL = ReadConfigBool("SDALL", d.SDALL);
    const std::int16_t tidal = ReadConfigInt("Tidal", d.Tidal);
    s.Tidal = tidal >= 0 && tidal <= 3 ? tidal : 0;
    s.CalcOBSHT = ReadConfigBool("CalcOBSHT", d.CalcOBSHT);
    s.ObsHT = ReadConfigDouble("ObsHT", d.ObsHT);

    const CalFontSlots defaults = DefaultCalFontSlots(s.ShowRST);
    for (int n = 0; n < 6; ++n) {
        CalFontSlot& slot = state.fonts[static_cast<std::size_t>(n)];
        slot.name = ReadConfigString(Key("CFONT", n), kDefaultFont);
        if (!FontExists(slot.name)) slot.name = kDefaultFont;
        slot.size = ReadConfigLong(Key("CFONT_SIZE", n), defaults[static_cast<std::size_t>(n)].size);
        slot.bold = ReadConfigBool(Key("CFONT_BOLD", n), false);
        slot.italic = ReadConfigBool(Key("CFONT_IT", n), false);
        slot.underline = ReadConfigBool(Key("CFONT_UL", n), false);
        slot.strikethrough = ReadConfigBool(Key("CFONT_ML", n), false);
        slot.colour = ReadConfigLong(Key("CFONT_COL", n), 0);
    }

    for (int i = 0; i < kSDayUserSlots; ++i)
        for (int set = 0; set < kSDaySets; ++set)
            state.SDays[static_cast<std::size_t>(set)][static_cast<std::size_t>(i)] =
                TextToSDay(ReadConfigString(Key(kSDayKeys[static_cast<std::size_t>(set)], i), kEmptySDay));
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

skydata::ConfigFileStatus ReadSettings(const std::filesystem::path& file, CalendarState& state) {
    const skydata::ConfigFileStatus status = skydata::LoadConfigFile(file);
    if (status == skydata::ConfigFileStatus::Loaded || status == skydata::ConfigFileStatus::Missing)
        ReadSettingsFromStore(state);
    skydata::ClearConfig();
    return status;
}

bool WriteSettings(const std::filesystem::path& file, const CalendarState& state) {
    skydata::ClearConfig();
    WriteSettingsToStore(state);
    bool written = true;
    try {
        skydata::SaveConfigFile(file);
    } catch (const std::exception&) {
        written = false;
    }
    skydata::ClearConfig();
    return written;
}

skydata::ConfigFileStatus LoadDefaultConfig(CalendarState& state) {
    const std::filesystem::path file = platform::UserFileToRead(kCalConfigFile);
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !std::filesystem::is_directory(file.parent_path(), error)) {
        // First start: the user folder is made by the first save.
        skydata::ConfigStore().ConfigText.assign(1, ' ');
        ReadSettingsFromStore(state);
        skydata::ClearConfig();
        return skydata::ConfigFileStatus::Missing;
    }
    return ReadSettings(file, state);
}

bool SaveDefaultConfig(CalendarState& state, const std::function<void(CalendarState&)>& read_form_settings) {
    if (read_form_settings) read_form_settings(state);
    return WriteSettings(platform::UserFileToWrite(kCalConfigFile), state);
}

void ResetSettingsFilesState() { g_font_list.clear(); }

}  // namespace vu
