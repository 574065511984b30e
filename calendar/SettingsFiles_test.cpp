// The calendar settings files: defaults of a missing file, the written form,
// write and read back, values out of range, fonts, failed writes, and the
// default file in the user folder.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/ComputedDays.h"
#include "calendar/SettingsFiles.h"
#include "platform/Fakes.h"
#include "platform/TextFile.h"

namespace vu {
namespace {

namespace fs = std::filesystem;

class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vu_settings_files_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        ResetSettingsFilesState();
        skydata::ClearConfig();
    }
    void TearDown() override {
        platform::SetWriteFailureAfterBytesForTest(-1);
        fs::remove_all(dir_);
    }
    fs::path File(const std::string& name) const { return dir_ / name; }
    void WriteRaw(const fs::path& path, const std::string& utf8) {
        ASSERT_TRUE(platform::WriteTextFileCp949(path, utf8));
    }
    fs::path dir_;
};

// A state with something else than the default in every field.
CalendarState Edited() {
    CalendarState state;
    CalendarSettings& s = state.settings;
    s.TZ = -3.5;
    s.RefKR = false;
    s.Islam = true;
    s.RSP = 2;
    s.FH = 1;
    s.Today = false;
    s.ShowRST = true;
    s.Astro = false;
    s.SDay = false;
    s.LON = 126.978123456789;
    s.LAT = -37.5666102049208;
    s.MeanSun = s.MeanMoon = s.Jinsak = true;
    s.Auto = s.AutoSize = false;
    s.DT = true;
    s.dTValue = "69.2";
    s.SDCAT = 2;
    s.DispType = 4;
    s.Jan1 = s.BaseJD = true;
    s.Base = 2460310.5;
    s.DispGap = 7;
    s.HCol = 0x123456;
    s.SDALL = true;
    s.Tidal = 3;
    s.CalcOBSHT = true;
    s.ObsHT = 123.25;
    s.S1 = "4";
    s.S2 = "1";
    s.S3 = "10";
    s.S4 = "31";
    for (int n = 0; n < 6; ++n) {
        CalFontSlot& f = state.fonts[static_cast<std::size_t>(n)];
        f.name = n % 2 ? "굴림" : "NanumGothic";
        f.size = 8 + n;
        f.bold = n == 1;
        f.italic = n == 2;
        f.underline = n == 3;
        f.strikethrough = n == 4;
        f.colour = 0x010203 * n;
    }
    auto& sd = state.SDays;
    sd[0][0] = TextToSDay("-10000 :;  1 :;  1 :; F :; F :; 신정 :;  1");
    sd[0][365] = TextToSDay(" 1990 :;  3 :;  15 :; T :; T :; 할머니 생신 :;  3");
    sd[1][12] = TextToSDay("x :;  0 :; -7 :; F :; F :; 일주일 전 :;  2");
    sd[2][200] = TextToSDay("-10000 :;  12 :;  25 :; F :; F :; 성탄절 :;  1");
    return state;
}

void ExpectSameSettings(const CalendarState& a, const CalendarState& b) {
    const CalendarSettings &x = a.settings, &y = b.settings;
    EXPECT_EQ(x.TZ, y.TZ);
    EXPECT_EQ(x.RefKR, y.RefKR);
    EXPECT_EQ(x.Islam, y.Islam);
    EXPECT_EQ(x.RSP, y.RSP);
    EXPECT_EQ(x.FH, y.FH);
    EXPECT_EQ(x.Today, y.Today);
    EXPECT_EQ(x.ShowRST, y.ShowRST);
    EXPECT_EQ(x.Astro, y.Astro);
    EXPECT_EQ(x.SDay, y.SDay);
    EXPECT_NEAR(x.LON, y.LON, 1e-12);
    EXPECT_NEAR(x.LAT, y.LAT, 1e-12);
    EXPECT_EQ(x.MeanSun, y.MeanSun);
    EXPECT_EQ(x.MeanMoon, y.MeanMoon);
    EXPECT_EQ(x.Jinsak, y.Jinsak);
    EXPECT_EQ(x.Auto, y.Auto);
    EXPECT_EQ(x.AutoSize, y.AutoSize);
    EXPECT_EQ(x.DT, y.DT);
    EXPECT_EQ(x.dTValue, y.dTValue);
    EXPECT_EQ(x.SDCAT, y.SDCAT);
    EXPECT_EQ(x.DispType, y.DispType);
    EXPECT_EQ(x.Jan1, y.Jan1);
    EXPECT_EQ(x.BaseJD, y.BaseJD);
    EXPECT_EQ(x.Base, y.Base);
    EXPECT_EQ(x.DispGap, y.DispGap);
    EXPECT_EQ(x.HCol, y.HCol);
    EXPECT_EQ(x.SDALL, y.SDALL);
    EXPECT_EQ(x.Tidal, y.Tidal);
    EXPECT_EQ(x.CalcOBSHT, y.CalcOBSHT);
    EXPECT_EQ(x.ObsHT, y.ObsHT);
    EXPECT_EQ(x.S1, y.S1);
    EXPECT_EQ(x.S2, y.S2);
    EXPECT_EQ(x.S3, y.S3);
    EXPECT_EQ(x.S4, y.S4);
    for (std::size_t n = 0; n < 6; ++n) {
        const CalFontSlot &f = a.fonts[n], &g = b.fonts[n];
        EXPECT_EQ(f.name, g.name);
        EXPECT_EQ(f.size, g.size);
        EXPECT_EQ(f.bold, g.bold);
        EXPECT_EQ(f.italic, g.italic);
        EXPECT_EQ(f.underline, g.underline);
        EXPECT_EQ(f.strikethrough, g.strikethrough);
        EXPECT_EQ(f.colour, g.colour);
    }
    for (std::size_t set = 0; set < 3; ++set)
        for (std::size_t i = 0; i < kSDayUserSlots; ++i) {
            SDayRecord expected = a.SDays[set][i];
            expected.jd = 0;
            expected.unresolved = false;
            EXPECT_EQ(b.SDays[set][i], expected) << set << " " << i;
        }
}

TEST_F(SettingsFiles, MissingFileGivesEveryDefault) {
    CalendarState state = Edited();
    state.SDays[0][400].name = "계산된";  // computed slots are not touched
    EXPECT_EQ(ReadSettings(File("none.cal"), state), skydata::ConfigFileStatus::Missing);
    CalendarState defaults;
    defaults.SDays[0][400].name = "계산된";
    ExpectSameSettings(defaults, state);
    EXPECT_EQ(state.fonts[1].size, 25);
    EXPECT_EQ(state.SDays[0][400].name, "계산된");
    EXPECT_TRUE(skydata::ConfigStore().ConfigText.empty());
}

TEST_F(SettingsFiles, WrittenFormAndReadBack) {
    ListFonts({"NanumGothic"});
    CalendarState state = Edited();
    state.settings.TZ = 9;
    ASSERT_TRUE(WriteSettings(File("a.cal"), state));
    EXPECT_TRUE(skydata::ConfigStore().ConfigText.empty());
    const std::string bytes = *platform::ReadFileBytes(File("a.cal"));
    EXPECT_EQ(bytes.rfind("[TZ] 9[/TZ]\r\n[RefKR]false[/RefKR]\r\n", 0), 0u);
    // Korean names are code page 949 bytes.
    EXPECT_NE(bytes.find(platform::Utf8ToCp949("할머니 생신")), std::string::npos);
    EXPECT_EQ(bytes.find("할머니"), std::string::npos);
    // The last entry, its line end and the store's one closing CR LF.
    EXPECT_EQ(bytes.substr(bytes.size() - 13), "[/SDB365]\r\n\r\n");

    const std::vector<skydata::ConfigEntry> entries =
        skydata::ParseConfigEntries(*platform::ReadTextFileCp949(File("a.cal")));
    std::vector<std::string> expected = {
        "TZ",      "RefKR", "Islam", "RSP",      "FH",    "Today", "ShowRST", "Astro",     "SDay",
        "LON",     "LAT",   "MeanSun", "MeanMoon", "Jinsak", "Auto", "AutoSize", "DT",      "S1",
        "S2",      "S3",    "S4",    "dTValue",  "SDCAT", "DispType", "Jan1", "BaseJD",   "Base",
        "DispGap", "HCol",  "SDALL", "Tidal",    "CalcOBSHT", "ObsHT"};
    for (int n = 0; n < 6; ++n)
        for (const char* key : {"CFONT", "CFONT_SIZE", "CFONT_BOLD", "CFONT_IT", "CFONT_UL", "CFONT_ML", "CFONT_COL"})
            expected.push_back(key + std::to_string(n));
    for (int i = 0; i < 366; ++i)
        for (const char* key : {"SD", "SDA", "SDB"}) expected.push_back(key + std::to_string(i));
    ASSERT_EQ(entries.size(), expected.size());
    EXPECT_EQ(entries.size(), 33u + 42u + 1098u);
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(entries[i].Key, expected[i]) << i;
    EXPECT_EQ(entries[33 + 42].Value, "-10000 :;  1 :;  1 :; F :; F :; 신정 :;  1");
    EXPECT_EQ(entries[33 + 42 + 1].Value, "-10000 :; -5 :;  0 :; F :; F :;  :;  0");

    CalendarState back;
    EXPECT_EQ(ReadSettings(File("a.cal"), back), skydata::ConfigFileStatus::Loaded);
    ExpectSameSettings(state, back);
    // A second write gives the same bytes.
    ASSERT_TRUE(WriteSettings(File("b.cal"), back));
    EXPECT_TRUE(*platform::ReadFileBytes(File("b.cal")) == bytes);
}

TEST_F(SettingsFiles, FontsAndExactKeys) {
    WriteRaw(File("f.cal"),
             "[ShowRST]true[/ShowRST]\r\n[CFONT0]Comic Mono[/CFONT0]\r\n[CFONT1]굴림[/CFONT1]\r\n"
             "[CFONT2]nanumgothic[/CFONT2]\r\n[sd12] 2000 :;  1 :;  2 :; F :; F :; 소문자 :;  0[/sd12]\r\n"
             "[SD12] 2000 :;  1 :;  3 :; F :; F :; 대문자 :;  0[/SD12]\r\n");
    ListFonts({"NanumGothic", "DejaVu Sans"});
    CalendarState state;
    ASSERT_EQ(ReadSettings(File("f.cal"), state), skydata::ConfigFileStatus::Loaded);
    const int sizes[] = {16, 20, 10, 10, 10, 10};
    for (std::size_t n = 0; n < 6; ++n) EXPECT_EQ(state.fonts[n].size, sizes[n]) << n;
    EXPECT_EQ(state.fonts[0].name, "돋움");
    EXPECT_EQ(state.fonts[1].name, "굴림");
    EXPECT_EQ(state.fonts[2].name, "nanumgothic");  // installed, compared without case
    EXPECT_EQ(state.SDays[0][12].name, "대문자");
    EXPECT_TRUE(FontExists("TAHOMA"));
    EXPECT_FALSE(FontExists("Comic Mono"));
}

TEST_F(SettingsFiles, HandEditedValuesOutOfRange) {
    const struct {
        const char* text;
        std::int16_t rsp;
        std::uint8_t sdcat, disp_type;
        std::int16_t tidal, gap;
    } cases[] = {
        {"[RSP]99[/RSP][SDCAT]300[/SDCAT][DispGap]0[/DispGap][SD5]-10000 :; 5 :; 1[/SD5]", 4, 0, 0, 0, 1},
        {"[RSP]0[/RSP][DispType]5[/DispType][Tidal]4[/Tidal][DispGap]-3[/DispGap]", 1, 0, 0, 0, 1},
        {"[RSP]-1[/RSP][SDCAT]-1[/SDCAT][DispType]-1[/DispType][Tidal]-1[/Tidal]", 4, 0, 0, 0, 10},
        {"[RSP] 3[/RSP][SDCAT]2[/SDCAT][DispType]4[/DispType][Tidal]3[/Tidal][DispGap]70000[/DispGap]", 3, 2, 4, 3,
         10},
        {"[RSP]99999999999[/RSP][HCol]1e12[/HCol][SD5]-10000 :; 5 :; 1[/SD5]", 4, 0, 0, 0, 10},
    };
    for (const auto& c : cases) {
        WriteRaw(File("h.cal"), c.text);
        CalendarState state = Edited();
        ASSERT_EQ(ReadSettings(File("h.cal"), state), skydata::ConfigFileStatus::Loaded) << c.text;
        EXPECT_EQ(state.settings.RSP, c.rsp) << c.text;
        EXPECT_EQ(state.settings.SDCAT, c.sdcat) << c.text;
        EXPECT_EQ(state.settings.DispType, c.disp_type) << c.text;
        EXPECT_EQ(state.settings.Tidal, c.tidal) << c.text;
        EXPECT_EQ(state.settings.DispGap, c.gap) << c.text;
        EXPECT_EQ(state.settings.HCol, 0xFFFF00) << c.text;
        EXPECT_EQ(state.SDays[0][5], SDayRecord{}) << c.text;
    }
}

TEST_F(SettingsFiles, FailedWriteAndUnreadableFiles) {
    CalendarState state = Edited();
    ASSERT_TRUE(WriteSettings(File("w.cal"), state));
    const std::string before = *platform::ReadFileBytes(File("w.cal"));
    CalendarState other;
    platform::SetWriteFailureAfterBytesForTest(500);
    EXPECT_FALSE(WriteSettings(File("w.cal"), other));
    platform::SetWriteFailureAfterBytesForTest(-1);
    EXPECT_TRUE(*platform::ReadFileBytes(File("w.cal")) == before);
    EXPECT_TRUE(skydata::ConfigStore().ConfigText.empty());

    // Damaged and unreadable files leave the model as it was.
    WriteRaw(File("junk.cal"), "no entries at all");
    CalendarState kept = Edited();
    EXPECT_EQ(ReadSettings(File("junk.cal"), kept), skydata::ConfigFileStatus::Damaged);
    ExpectSameSettings(Edited(), kept);
    EXPECT_EQ(ReadSettings(dir_, kept), skydata::ConfigFileStatus::Unreadable);
    ExpectSameSettings(Edited(), kept);
}

TEST_F(SettingsFiles, UnresolvedDDaySurvivesWriteAndRead) {
    CalendarState state;
    state.SDays[0][20] = TextToSDay("x :;  400 :;  5 :; F :; F :; 먼 :;  0");
    const SDayRecord stored = state.SDays[0][20];
    YearSpecialDays(2024, state.SDays[0], 0, SpecialDayContext{});
    EXPECT_TRUE(state.SDays[0][20].unresolved);
    ASSERT_TRUE(WriteSettings(File("d.cal"), state));
    CalendarState back;
    ASSERT_EQ(ReadSettings(File("d.cal"), back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.SDays[0][20], stored);
}

TEST_F(SettingsFiles, DefaultFileInTheUserFolder) {
    platform::FakeEnv env("vu");
    env.folders.user = dir_ / "user";
    env.folders.program = dir_ / "program";
    CalendarState state;
    EXPECT_EQ(LoadDefaultConfig(state), skydata::ConfigFileStatus::Missing);
    ASSERT_TRUE(SaveDefaultConfig(state, [](CalendarState& s) { s.settings.TZ = 8; }));
    EXPECT_TRUE(fs::exists(dir_ / "user" / "CalConfig.cfg"));
    CalendarState back;
    EXPECT_EQ(LoadDefaultConfig(back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.settings.TZ, 8);
}

}  // namespace
}  // namespace vu
