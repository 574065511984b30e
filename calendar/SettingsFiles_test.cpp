// The calendar settings files: defaults of a missing file, the written form,
// write and read back, values out of range, fonts, failed writes, and the
// default file in the user folder.
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/ComputedDays.h"
#include "calendar/SettingsFiles.h"
#include "platform/Fakes.h"
#include "platform/TextFile.h"

namespace calendar {
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
        {"[RSP]99[/RSP][SDCAT]300[/SDCAT][DispGap]0[/DispGap][SD5]-10000 :; 5 :; 1[/SD5]", 4, 0, 0, 0, 10},
        {"[RSP]0[/RSP][DispType]5[/DispType][Tidal]4[/Tidal][DispGap]-3[/DispGap]", 4, 0, 0, 0, 10},
        {"[RSP]-1[/RSP][SDCAT]-1[/SDCAT][DispType]-1[/DispType][Tidal]-1[/Tidal]", 4, 0, 0, 0, 10},
        {"[RSP] 3[/RSP][SDCAT]2[/SDCAT][DispType]4[/DispType][Tidal]3[/Tidal][DispGap]70000[/DispGap]", 3, 2, 4, 3,
         10},
        {"[RSP]99999999999[/RSP][HCol]1e12[/HCol][SD5]-10000 :; 5 :; 1[/SD5]", 4, 0, 0, 0, 10},
    };
    for (const auto& c : cases) {
        WriteRaw(File("h.cal"), c.text);
        CalendarState state = Edited();
        SettingsReport report;
        ASSERT_EQ(ReadSettings(File("h.cal"), state, &report), skydata::ConfigFileStatus::Loaded) << c.text;
        EXPECT_FALSE(report.Clean()) << c.text;
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
    ASSERT_EQ(SaveDefaultConfig(state, [](CalendarState& s) { s.settings.TZ = 8; }), DefaultConfigSave::Written);
    EXPECT_TRUE(fs::exists(dir_ / "user" / "CalConfig.cfg"));
    CalendarState back;
    EXPECT_EQ(LoadDefaultConfig(back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.settings.TZ, 8);
}

// A CalConfig.cfg kept in a dotfiles folder and linked into the user folder
// is saved where it is and stays a link; a .cal saved over a link replaces
// the link and leaves what it pointed at alone.
TEST_F(SettingsFiles, ALinkedDefaultFileIsWrittenThroughASavedFileReplacesItsLink) {
    platform::FakeEnv env("vu");
    env.folders.user = dir_ / "user";
    env.folders.program = dir_ / "program";
    fs::create_directories(dir_ / "user");
    fs::create_directories(dir_ / "dotfiles");
    CalendarState state;
    ASSERT_TRUE(WriteSettings(dir_ / "dotfiles" / "vu.cfg", state));
    fs::create_symlink("../dotfiles/vu.cfg", dir_ / "user" / "CalConfig.cfg");
    ASSERT_EQ(LoadDefaultConfig(state), skydata::ConfigFileStatus::Loaded);
    ASSERT_EQ(SaveDefaultConfig(state, [](CalendarState& s) { s.settings.TZ = 8; }), DefaultConfigSave::Written);
    EXPECT_TRUE(fs::is_symlink(dir_ / "user" / "CalConfig.cfg"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "user"), fs::directory_iterator()), 1);
    CalendarState back;
    ASSERT_EQ(ReadSettings(dir_ / "dotfiles" / "vu.cfg", back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.settings.TZ, 8);

    fs::create_symlink(dir_ / "dotfiles" / "vu.cfg", dir_ / "mine.cal");
    state.settings.TZ = 5;
    ASSERT_TRUE(WriteSettings(dir_ / "mine.cal", state));
    EXPECT_FALSE(fs::is_symlink(dir_ / "mine.cal"));
    ASSERT_EQ(ReadSettings(dir_ / "dotfiles" / "vu.cfg", back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.settings.TZ, 8);
}

// ---- Damaged files ----------------------------------------------------------

// The entry written for slot 7 of set 0, which every damaged case below is
// followed by: one bad line costs at most its own key.
constexpr const char* kGoodEntry = "[SD7]-10000 :;  5 :;  5 :; F :; F :; 뒤에 있는 날 :;  1[/SD7]\r\n";

TEST_F(SettingsFiles, ValuesThatDoNotParseOrFitTakeTheirDefaultsAndAreNamed) {
    const CalendarState defaults;
    const struct {
        const char* line;
        const char* key;
        std::function<bool(const CalendarState&)> defaulted;
        const char* field;  // as the message names it
    } cases[] = {
        {"[TZ] 1E+308[/TZ]", "TZ", [&](const CalendarState& s) { return s.settings.TZ == 9; }, "시간대"},
        {"[TZ]nan[/TZ]", "TZ", [&](const CalendarState& s) { return s.settings.TZ == 9; }, "시간대"},
        {"[TZ]abc[/TZ]", "TZ", [&](const CalendarState& s) { return s.settings.TZ == 9; }, "시간대"},
        {"[TZ][/TZ]", "TZ", [&](const CalendarState& s) { return s.settings.TZ == 9; }, "시간대"},
        {"[TZ] 9x[/TZ]", "TZ", [&](const CalendarState& s) { return s.settings.TZ == 9; }, "시간대"},
        {"[TZ]-13[/TZ]", "TZ", [&](const CalendarState& s) { return s.settings.TZ == 9; }, "시간대"},
        {"[FH] 24[/FH]", "FH", [&](const CalendarState& s) { return s.settings.FH == 0; }, "일광시간절약제도 변경 시간"},
        {"[LAT] 99999[/LAT]", "LAT", [&](const CalendarState& s) { return s.settings.LAT == 37.5; }, "위도"},
        {"[LON]-180.5[/LON]", "LON", [&](const CalendarState& s) { return s.settings.LON == 128; }, "경도"},
        {"[ObsHT] 1E+09[/ObsHT]", "ObsHT", [&](const CalendarState& s) { return s.settings.ObsHT == 0; }, "해발고도"},
        {"[Base] 1E+300[/Base]", "Base", [&](const CalendarState& s) { return s.settings.Base == 2451545; }, "기준일"},
        {"[HCol]-1[/HCol]", "HCol", [&](const CalendarState& s) { return s.settings.HCol == 0xFFFF00; }, "강조 배경색"},
        {"[Today]yes[/Today]", "Today", [&](const CalendarState& s) { return s.settings.Today; }, "오늘 날짜 강조"},
        {"[S1] 13[/S1]", "S1", [&](const CalendarState& s) { return s.settings.S1 == "3"; }, "일광시간절약제도 시작 월"},
        {"[S4]x[/S4]", "S4", [&](const CalendarState& s) { return s.settings.S4 == "15"; }, "일광시간절약제도 종료 일"},
        {"[dTValue]abc[/dTValue]", "dTValue", [&](const CalendarState& s) { return s.settings.dTValue == "63"; }, "dT값"},
        {"[CFONT_SIZE1] 100000[/CFONT_SIZE1]", "CFONT_SIZE1",
         [&](const CalendarState& s) { return s.fonts[1].size == 25; }, "날짜 글꼴"},
        {"[CFONT_COL2] 16777216[/CFONT_COL2]", "CFONT_COL2", [&](const CalendarState& s) { return s.fonts[2].colour == 0; }, "강조 글꼴색"},
        {"[SD3]junk[/SD3]", "SD3", [&](const CalendarState& s) { return s.SDays[0][3] == SDayRecord{}; }, "기념일 모음 1 (003)"},
        {"[SDA3]-10000 :;  13 :;  1 :; F :; F :; 13월 :;  1[/SDA3]", "SDA3",
         [&](const CalendarState& s) { return s.SDays[1][3] == SDayRecord{}; }, "기념일 모음 2 (003) 13월"},
        {"[SDB3]-10000 :;  2 :;  40 :; F :; F :; 40일 :;  1[/SDB3]", "SDB3",
         [&](const CalendarState& s) { return s.SDays[2][3] == SDayRecord{}; }, "기념일 모음 3 (003) 40일"},
        {"[SD3]x :; -3 :;  1 :; F :; F :; 먼 :;  0[/SD3]", "SD3",
         [&](const CalendarState& s) { return s.SDays[0][3] == SDayRecord{}; }, "기념일 모음 1 (003) 먼"},
    };
    for (const auto& c : cases) {
        WriteRaw(File("d.cal"), std::string(c.line) + "\r\n" + kGoodEntry);
        CalendarState state;
        SettingsReport report;
        ASSERT_EQ(ReadSettings(File("d.cal"), state, &report), skydata::ConfigFileStatus::Loaded) << c.line;
        EXPECT_EQ(report.defaulted, std::vector<std::string>{c.key}) << c.line;
        EXPECT_TRUE(report.cut.empty()) << c.line;
        EXPECT_TRUE(c.defaulted(state)) << c.line;
        EXPECT_EQ(state.SDays[0][7].name, "뒤에 있는 날") << c.line;
        EXPECT_NE(SettingsReadMessage(skydata::ConfigFileStatus::Loaded, report, false)
                      .find("\r\n항목: " + std::string(c.field) + "\r\n"),
                  std::string::npos)
            << c.line;
    }
    // Values at the ends of their ranges, and the forms the writer uses, are
    // read as they are.
    WriteRaw(File("ends.cal"), "[TZ]-12[/TZ][FH] .5[/FH][LAT]-90[/LAT][LON] 180[/LON][Today]TRUE[/Today]"
                               "[CFONT_SIZE0] 100[/CFONT_SIZE0][HCol] 16777215[/HCol][S2] 31[/S2]"
                               "[SD3]x :;  0 :; -7 :; F :; F :; 전 :;  0[/SD3]" + std::string(kGoodEntry));
    CalendarState state;
    SettingsReport report;
    ASSERT_EQ(ReadSettings(File("ends.cal"), state, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.Clean()) << report.defaulted.size();
    EXPECT_EQ(state.settings.TZ, -12);
    EXPECT_EQ(state.settings.FH, 0.5);
    EXPECT_EQ(state.settings.LAT, -90);
    EXPECT_EQ(state.settings.LON, 180);
    EXPECT_EQ(state.fonts[0].size, 100);
    EXPECT_EQ(state.settings.HCol, 0xFFFFFF);
    EXPECT_EQ(state.SDays[0][3].day, -7);
}

TEST_F(SettingsFiles, CutStrayAndForeignFiles) {
    ListFonts({"NanumGothic"});
    ASSERT_TRUE(WriteSettings(File("whole.cal"), Edited()));
    const std::string whole = *platform::ReadFileBytes(File("whole.cal"));
    // A file cut off inside an entry is refused whole: the keys after the
    // cut would all take their defaults.
    const struct {
        const char* what;
        std::size_t at;
    } cuts[] = {
        {"inside the second entry's closing tag", whole.find("[Islam]") - 3},
        {"inside a tag", whole.find("[SD12]") + 3},
        {"after an opening tag", whole.find("[SDA200]") + 8},
        {"inside a special day's name", whole.find("[SD365]") + 20},
        {"inside the last closing tag", whole.size() - 6},
    };
    CalendarState state;
    SettingsReport report;
    for (const auto& c : cuts) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(File("cut.cal"), whole.substr(0, c.at)));
        CalendarState kept = state;
        ASSERT_EQ(ReadSettings(File("cut.cal"), kept, &report), skydata::ConfigFileStatus::Damaged) << c.what;
        EXPECT_TRUE(report.cut_off) << c.what;
        ExpectSameSettings(state, kept);
        EXPECT_EQ(SettingsReadMessage(skydata::ConfigFileStatus::Damaged, report, false),
                  File("cut.cal").string() + " 파일은 끝이 잘려 있어 vu 설정 파일로 읽을 수 없습니다.")
            << c.what;
    }
    // Cut just after a whole entry, the file reads as one that ends there.
    ASSERT_TRUE(platform::WriteFileBytesAtomic(File("cut.cal"), whole.substr(0, whole.find("[SD1]"))));
    ASSERT_EQ(ReadSettings(File("cut.cal"), state, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(state.settings.TZ, -3.5);
    EXPECT_EQ(state.SDays[0][0].name, "신정");

    // A stray line swallows none of the entries after it.
    WriteRaw(File("stray.cal"), "[SD5]\r\n[SD1]-10000 :;  1 :;  1 :; F :; F :; 하나 :;  1[/SD1]\r\n"
                                "[SD4]-10000 :;  4 :;  4 :; F :; F :; 넷 :;  0[/SD4]\r\n"
                                "[SD5]-10000 :;  5 :;  5 :; F :; F :; 다섯 :;  0[/SD5]\r\n");
    ASSERT_EQ(ReadSettings(File("stray.cal"), state, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.stray_text);
    EXPECT_EQ(state.SDays[0][1].name, "하나");
    EXPECT_EQ(state.SDays[0][4].name, "넷");
    EXPECT_EQ(state.SDays[0][5].name, "다섯");

    // Files holding no key of a settings file leave the state as it was.
    std::string utf16;
    for (char c : std::string("[TZ] 8[/TZ]\r\n[SD0]-10000 :;  1 :;  1 :; F :; F :; x :;  1[/SD0]\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const struct {
        const char* what;
        std::string bytes;
    } foreign[] = {
        {"empty", ""},
        {"blank", " \r\n\r\n"},
        {"unknown key", "[foo]bar[/foo]\r\n"},
        {"sky chart", "[version]1.0[/version]\r\n[lat] 37.5[/lat]\r\n[lon] 127[/lon]\r\n[mfov] 90[/mfov]\r\n"},
        {"utf-16", "\xff\xfe" + utf16},
        {"cut before the first entry", "[TZ] 8"},
    };
    for (const auto& f : foreign) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(File("f.cal"), f.bytes));
        CalendarState kept = Edited();
        EXPECT_EQ(ReadSettings(File("f.cal"), kept, &report), skydata::ConfigFileStatus::Damaged) << f.what;
        ExpectSameSettings(Edited(), kept);
    }
}

TEST_F(SettingsFiles, OverlongTextsAreCutToTheEditorsLength) {
    const std::string name(5'000'000, 'a');
    const std::string hangul = [] {
        std::string t;
        for (std::size_t i = 0; i < kLongestSettingText + 5; ++i) t += "가";
        return t;
    }();
    WriteRaw(File("long.cal"), "[SD2]-10000 :;  1 :;  2 :; F :; F :; " + name + " :;  0[/SD2]\r\n[S1]" + name +
                                   "[/S1]\r\n[CFONT0]" + hangul + "[/CFONT0]\r\n[SDB9]-10000 :;  1 :;  9 :; F :; F :; " +
                                   hangul + " :;  0[/SDB9]\r\n" + kGoodEntry);
    CalendarState state;
    SettingsReport report;
    ASSERT_EQ(ReadSettings(File("long.cal"), state, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(state.SDays[0][2].name, std::string(kLongestSettingText, 'a'));
    EXPECT_EQ(state.SDays[2][9].name.size(), 3 * kLongestSettingText);  // whole characters
    EXPECT_EQ(state.SDays[0][7].name, "뒤에 있는 날");
    EXPECT_EQ(state.settings.S1, "3");  // not a month: its default
    EXPECT_EQ(state.fonts[0].name, "돋움");
    EXPECT_EQ(report.defaulted, std::vector<std::string>{"S1"});
    EXPECT_EQ(report.cut, (std::vector<std::string>{"CFONT0", "SD2", "SDB9"}));
    // Each field as the settings page names it, a special day by its name.
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "가";
    EXPECT_EQ(SettingsReadMessage(skydata::ConfigFileStatus::Loaded, report, false),
              "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸고 너무 긴 글을 32767자로 잘랐습니다.\r\n" +
                  File("long.cal").string() + "\r\n항목: 일광시간절약제도 시작 월, 요일 표시 글꼴, 기념일 모음 1 (002) " +
                  std::string(20, 'a') + "…, 기념일 모음 3 (009) " + twenty +
                  "…\r\n원래 파일은 이 파일에 저장하기 전에 long.cal.bak 파일로 남겨 둡니다.");
}

TEST_F(SettingsFiles, MessagesOfReadsThatWereNotClean) {
    using skydata::ConfigFileStatus;
    SettingsReport report;
    report.file = File("CalConfig.cfg");
    const std::string name = report.file.string();
    const std::string backup = "\r\n원래 파일은 이 파일에 저장하기 전에 CalConfig.cfg.bak 파일로 남겨 둡니다.";
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Missing, report, true), "");
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Loaded, report, true), "");
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Damaged, report, true),
              "설정 파일(CalConfig.cfg)을 읽을 수 없어 기본 설정으로 시작합니다.\r\n" + name +
                  "\r\n이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다.");
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Unreadable, report, false),
              name + " 파일을 vu 설정 파일로 읽을 수 없습니다.");
    report.stray_text = true;
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Loaded, report, true),
              "알아볼 수 없는 줄은 건너뛰었습니다.\r\n" + name + backup);
    // Fields by the settings page's names, each once; special days by name.
    report.defaulted = {"TZ", "CFONT0", "CFONT_SIZE0", "SD1", "SDB2"};
    report.entry_names = {{"SD1", "설날"}, {"SDB2", std::string(25, 'b')}};
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Loaded, report, true),
              "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다. 알아볼 수 없는 줄은 "
              "건너뛰었습니다.\r\n" + name + "\r\n항목: 시간대, 요일 표시 글꼴, 기념일 모음 1 (001) 설날, 기념일 모음 3 "
              "(002) " + std::string(20, 'b') + "…" + backup);
    for (int i = 3; i < 10; ++i) report.defaulted.push_back("SDA" + std::to_string(i));
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Loaded, report, true),
              "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다. 알아볼 수 없는 줄은 "
              "건너뛰었습니다.\r\n" + name + "\r\n항목: 시간대, 요일 표시 글꼴, 기념일 모음 1 (001) 설날, 기념일 모음 3 "
              "(002) " + std::string(20, 'b') + "…, 기념일 모음 2 (003), 기념일 모음 2 (004), 기념일 모음 2 (005), "
              "기념일 모음 2 (006) 외 3개" + backup);

    // The encodings: a file read as UTF-8 is kept before it is saved in code
    // page 949; text in neither is kept as it was, so needs no backup.
    SettingsReport encoding;
    encoding.file = report.file;
    encoding.recoded = true;
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Loaded, encoding, true),
              "UTF-8로 쓰인 글을 UTF-8로 읽었습니다. 저장할 때에는 이 프로그램의 문자 코드(CP949)로 바꾸어 "
              "저장합니다.\r\n" + name + backup);
    encoding.recoded = false;
    encoding.unknown_characters = true;
    EXPECT_EQ(SettingsReadMessage(ConfigFileStatus::Loaded, encoding, true),
              "문자 코드를 알 수 없는 글자는 \xEF\xBF\xBD로 보이며, 저장할 때에는 원래대로 둡니다.\r\n" + name);

    // The backup named is the one the write will make: never one that holds
    // something else.
    WriteRaw(report.file, "[TZ]x[/TZ]");
    WriteRaw(File("CalConfig.cfg.bak"), "[TZ] 5[/TZ]");
    encoding.recoded = true;
    EXPECT_EQ(SettingsBackupFile(report.file), File("CalConfig.cfg.bak2"));
    EXPECT_NE(SettingsReadMessage(ConfigFileStatus::Loaded, encoding, true).find("CalConfig.cfg.bak2 파일로"),
              std::string::npos);
    // One that holds the file already serves.
    WriteRaw(File("CalConfig.cfg.bak2"), "[TZ]x[/TZ]");
    WriteRaw(File("CalConfig.cfg.bak4"), "[TZ]x[/TZ]");
    EXPECT_EQ(SettingsBackupFile(report.file), File("CalConfig.cfg.bak2"));
    WriteRaw(File("CalConfig.cfg.bak2"), "[TZ] 6[/TZ]");
    EXPECT_EQ(SettingsBackupFile(report.file), File("CalConfig.cfg.bak3"));
}

TEST_F(SettingsFiles, AFileThatDidNotLoadCleanlyIsKeptBeforeTheFirstWriteOverIt) {
    const std::string damaged = std::string("[TZ]nan[/TZ]\r\n") + kGoodEntry;
    WriteRaw(File("c.cal"), damaged);
    WriteRaw(File("c.cal.bak"), "an older backup");
    const std::string damaged_bytes = *platform::ReadFileBytes(File("c.cal"));
    CalendarState state;
    ASSERT_EQ(ReadSettings(File("c.cal"), state), skydata::ConfigFileStatus::Loaded);
    ASSERT_TRUE(WriteSettings(File("c.cal"), state));
    // An older backup is never replaced: the file goes to the next number.
    EXPECT_EQ(*platform::ReadFileBytes(File("c.cal.bak")), "an older backup");
    EXPECT_EQ(*platform::ReadFileBytes(File("c.cal.bak2")), damaged_bytes);
    // Only before the first write: the backup keeps the damaged file.
    state.settings.TZ = 5;
    ASSERT_TRUE(WriteSettings(dir_ / "." / "c.cal", state));
    EXPECT_EQ(*platform::ReadFileBytes(File("c.cal.bak2")), damaged_bytes);
    EXPECT_FALSE(fs::exists(File("c.cal.bak3")));
    CalendarState back;
    SettingsReport report;
    ASSERT_EQ(ReadSettings(File("c.cal"), back, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(back.settings.TZ, 5);
    EXPECT_EQ(back.SDays[0][7].name, "뒤에 있는 날");
    // The same damage again is kept once; other damage gets a number of its own.
    for (const std::string& again : {damaged, std::string("[TZ]x[/TZ]\r\n") + kGoodEntry}) {
        WriteRaw(File("c.cal"), again);
        ASSERT_EQ(ReadSettings(File("c.cal"), back), skydata::ConfigFileStatus::Loaded);
        ASSERT_TRUE(WriteSettings(File("c.cal"), back));
    }
    EXPECT_EQ(*platform::ReadFileBytes(File("c.cal.bak")), "an older backup");
    EXPECT_EQ(*platform::ReadFileBytes(File("c.cal.bak2")), damaged_bytes);
    EXPECT_EQ(platform::ReadTextFileCp949(File("c.cal.bak3")), std::string("[TZ]x[/TZ]\r\n") + kGoodEntry);
    EXPECT_FALSE(fs::exists(File("c.cal.bak4")));

    // A clean file gets no backup; a file with no key of its own does.
    ASSERT_TRUE(WriteSettings(File("clean.cal"), Edited()));
    ASSERT_EQ(ReadSettings(File("clean.cal"), back), skydata::ConfigFileStatus::Loaded);
    ASSERT_TRUE(WriteSettings(File("clean.cal"), back));
    EXPECT_FALSE(fs::exists(File("clean.cal.bak")));
    WriteRaw(File("foreign.cal"), "[foo]bar[/foo]");
    EXPECT_EQ(ReadSettings(File("foreign.cal"), back), skydata::ConfigFileStatus::Damaged);
    ASSERT_TRUE(WriteSettings(File("foreign.cal"), back));
    EXPECT_EQ(*platform::ReadFileBytes(File("foreign.cal.bak")), "[foo]bar[/foo]");

    // A file that cannot be kept is not written over.
    fs::create_directories(File("folder.cal"));
    EXPECT_EQ(ReadSettings(File("folder.cal"), back), skydata::ConfigFileStatus::Unreadable);
    EXPECT_FALSE(WriteSettings(File("folder.cal"), back));
    EXPECT_TRUE(fs::is_directory(File("folder.cal")));
    // The module forgets the files waiting for their backup when reset.
    WriteRaw(File("r.cal"), damaged);
    ASSERT_EQ(ReadSettings(File("r.cal"), back), skydata::ConfigFileStatus::Loaded);
    ResetSettingsFilesState();
    ASSERT_TRUE(WriteSettings(File("r.cal"), back));
    EXPECT_FALSE(fs::exists(File("r.cal.bak")));
}

TEST_F(SettingsFiles, NamesCodePage949CannotHoldKeepTheirBytesUntilEdited) {
    // A file saved as UTF-8: one name code page 949 holds, one it cannot.
    const std::string cake = "할머니 생신 \xF0\x9F\x8E\x82";
    const std::string utf8 = "[TZ] 9[/TZ]\r\n[SD0]-10000 :;  1 :;  1 :; F :; F :; 새해 첫날 :;  1[/SD0]\r\n"
                             "[SDA1] 2024 :;  3 :;  1 :; F :; F :; " + cake + " :;  0[/SDA1]\r\n[CFONT3]나눔[/CFONT3]\r\n";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(File("u.cal"), utf8));
    CalendarState state;
    SettingsReport report;
    ASSERT_EQ(ReadSettings(File("u.cal"), state, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.recoded);
    EXPECT_TRUE(report.NeedsBackup());
    EXPECT_EQ(state.SDays[0][0].name, "새해 첫날");
    EXPECT_EQ(state.SDays[1][1].name, cake);
    EXPECT_EQ(state.kept_bytes.size(), 1u);  // the font name is not installed: it becomes 돋움
    ASSERT_TRUE(WriteSettings(File("out.cal"), state));
    std::string written = *platform::ReadFileBytes(File("out.cal"));
    EXPECT_NE(written.find("[SD0]-10000 :;  1 :;  1 :; F :; F :; " + platform::Utf8ToCp949("새해 첫날") + " :;  1[/SD0]\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("[SDA1] 2024 :;  3 :;  1 :; F :; F :; " + cake + " :;  0[/SDA1]\r\n"), std::string::npos);
    EXPECT_EQ(written.find('?'), std::string::npos);
    EXPECT_EQ(written.rfind("[TZ] 9[/TZ]\r\n", 0), 0u);
    EXPECT_EQ(written.substr(written.size() - 13), "[/SDB365]\r\n\r\n");
    // Read back: the same names without a word (nothing more to recode),
    // and the same bytes again.
    CalendarState back;
    ASSERT_EQ(ReadSettings(File("out.cal"), back, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(back.SDays[0][0].name, "새해 첫날");
    EXPECT_EQ(back.SDays[1][1].name, cake);
    ASSERT_TRUE(WriteSettings(File("again.cal"), back));
    EXPECT_TRUE(*platform::ReadFileBytes(File("again.cal")) == written);
    // An edited name is written in code page 949.
    back.SDays[1][1].name = "할머니 생신";
    ASSERT_TRUE(WriteSettings(File("edited.cal"), back));
    written = *platform::ReadFileBytes(File("edited.cal"));
    EXPECT_NE(written.find("[SDA1] 2024 :;  3 :;  1 :; F :; F :; " + platform::Utf8ToCp949("할머니 생신") + " :;  0[/SDA1]"),
              std::string::npos);
    EXPECT_EQ(written.find(cake), std::string::npos);
}

// Names are never shown garbled without a word: a file in UTF-8 reads right
// and says it will be saved in code page 949; bytes of neither encoding say
// they are shown as U+FFFD.
TEST_F(SettingsFiles, EncodingsOfTheNames) {
    const auto entry = [](const std::string& name) {
        return "[TZ] 8[/TZ]\r\n[SD0]-10000 :;  12 :;  25 :; F :; F :; " + name + " :;  1[/SD0]\r\n";
    };
    const struct {
        const char* what;
        std::string bytes;
        std::string name;
        bool recoded, unknown;
    } cases[] = {
        {"code page 949", platform::Utf8ToCp949(entry("기독탄신일")), "기독탄신일", false, false},
        {"UTF-8", entry("기독탄신일"), "기독탄신일", true, false},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + entry("기독탄신일"), "기독탄신일", true, false},
        {"UTF-8 code page 949 cannot hold", entry("\xF0\x9F\x8E\x84"), "\xF0\x9F\x8E\x84", false, false},
        {"neither", entry("caf\xE9"), "caf\xEF\xBF\xBD", false, true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(File("e.cal"), c.bytes));
        CalendarState state;
        SettingsReport report;
        ASSERT_EQ(ReadSettings(File("e.cal"), state, &report), skydata::ConfigFileStatus::Loaded) << c.what;
        EXPECT_EQ(state.settings.TZ, 8) << c.what;
        EXPECT_EQ(state.SDays[0][0].name, c.name) << c.what;
        EXPECT_FALSE(report.stray_text) << c.what;
        EXPECT_EQ(report.recoded, c.recoded) << c.what;
        EXPECT_EQ(report.unknown_characters, c.unknown) << c.what;
        const std::string message = SettingsReadMessage(skydata::ConfigFileStatus::Loaded, report, false);
        EXPECT_EQ(message.find("UTF-8로 쓰인 글을 UTF-8로 읽었습니다.") == 0, c.recoded) << c.what;
        EXPECT_EQ(message.find("문자 코드를 알 수 없는 글자는") == 0, c.unknown) << c.what;
        // Written back, a name code page 949 holds is in code page 949, any
        // other in the file's own bytes.
        ASSERT_TRUE(WriteSettings(File("w.cal"), state));
        const std::string name_bytes = platform::FitsCp949(c.name) ? platform::Utf8ToCp949(c.name)
                                       : c.unknown                ? std::string("caf\xE9")
                                                                  : c.name;
        EXPECT_NE(platform::ReadFileBytes(File("w.cal"))->find(":; " + name_bytes + " :;"), std::string::npos)
            << c.what;
    }
}

TEST_F(SettingsFiles, DamagedUserFileStartsFromTheShippedDefaults) {
    platform::FakeEnv env("vu");
    env.folders.user = dir_ / "user";
    env.folders.program = dir_ / "program";
    fs::create_directories(env.folders.user);
    fs::create_directories(env.folders.program);
    fs::copy_file(fs::path(ZU_SOURCE_DIR) / "data" / "CalConfig.cfg", env.folders.program / "CalConfig.cfg");

    // No file of the user's: the shipped one, cleanly.
    CalendarState state;
    SettingsReport report;
    EXPECT_EQ(LoadDefaultConfig(state, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(state.SDays[0][0].name, "신정");

    // A user's file that cannot be used: the shipped defaults, and the file
    // is kept as CalConfig.cfg.bak at the first save.
    const fs::path user = env.folders.user / "CalConfig.cfg";
    const std::string utf16("\xff\xfe[\0T\0Z\0]\0", 10);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(user, utf16));
    CalendarState started;
    EXPECT_EQ(LoadDefaultConfig(started, &report), skydata::ConfigFileStatus::Damaged);
    EXPECT_EQ(report.file, user);
    EXPECT_EQ(started.SDays[0][0].name, "신정");
    // The end of the run leaves it as it is; the user's own save replaces
    // it, keeping it first, and the end of the run saves again from then on.
    EXPECT_EQ(SaveDefaultConfig(started), DefaultConfigSave::NotOverwritten);
    EXPECT_EQ(*platform::ReadFileBytes(user), utf16);
    EXPECT_FALSE(fs::exists(env.folders.user / "CalConfig.cfg.bak"));
    ASSERT_TRUE(WriteSettings(user, started));
    EXPECT_EQ(*platform::ReadFileBytes(env.folders.user / "CalConfig.cfg.bak"), utf16);
    EXPECT_EQ(SaveDefaultConfig(started), DefaultConfigSave::Written);
    CalendarState back;
    EXPECT_EQ(LoadDefaultConfig(back, &report), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.SDays[0][13].name, "기독탄신일");

    // A reset gives the shipped defaults over the built-in ones.
    CalendarState reset = Edited();
    EXPECT_TRUE(LoadShippedDefaults(reset));
    EXPECT_EQ(reset.settings.TZ, 9);
    EXPECT_EQ(reset.SDays[0][1].name, "설날");
    EXPECT_EQ(reset.SDays[1][12], SDayRecord{});
    fs::remove(env.folders.program / "CalConfig.cfg");
    EXPECT_FALSE(LoadShippedDefaults(reset));
    EXPECT_EQ(reset.SDays[0][1], SDayRecord{});
}

// A CalConfig.cfg that did not load is never written over by the end of a
// run, however often the program starts with it, and no backup of it is made
// or replaced.
TEST_F(SettingsFiles, ACalConfigThatDidNotLoadIsLeftAsItIsAtTheEnd) {
    platform::FakeEnv env("vu");
    env.folders.user = dir_ / "user";
    env.folders.program = dir_ / "program";
    fs::create_directories(env.folders.user);
    fs::create_directories(env.folders.program);
    const fs::path user = env.folders.user / "CalConfig.cfg";
    const fs::path backup = env.folders.user / "CalConfig.cfg.bak";
    ASSERT_TRUE(WriteSettings(File("whole.cfg"), Edited()));
    const std::string whole = *platform::ReadFileBytes(File("whole.cfg"));
    std::string utf16 = "\xff\xfe";
    for (char c : whole.substr(0, 300)) utf16 += std::string{c, '\0'};
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"UTF-16", utf16},
        {"foreign", "[foo]bar[/foo]"},
        {"sky chart", "[version]1.0[/version]\r\n[lat] 37.5[/lat]\r\n[mfov] 90[/mfov]\r\n"},
        {"cut off", whole.substr(0, whole.size() / 2)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(user, c.bytes));
        ASSERT_TRUE(platform::WriteFileBytesAtomic(backup, "the user's older settings"));
        for (int start = 1; start <= 2; ++start) {
            CalendarState state;
            SettingsReport report;
            ASSERT_EQ(LoadDefaultConfig(state, &report), skydata::ConfigFileStatus::Damaged) << c.what;
            EXPECT_EQ(SettingsReadMessage(skydata::ConfigFileStatus::Damaged, report, true),
                      "설정 파일(CalConfig.cfg)을 읽을 수 없어 기본 설정으로 시작합니다.\r\n" + user.string() +
                          "\r\n이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다.")
                << c.what;
            state.settings.TZ = 3;
            EXPECT_EQ(SaveDefaultConfig(state), DefaultConfigSave::NotOverwritten) << c.what;
            EXPECT_TRUE(*platform::ReadFileBytes(user) == c.bytes) << c.what << " " << start;
            EXPECT_EQ(*platform::ReadFileBytes(backup), "the user's older settings") << c.what;
            EXPECT_FALSE(fs::exists(env.folders.user / "CalConfig.cfg.bak2")) << c.what;
        }
    }
    // A file that loaded is saved as ever.
    ASSERT_TRUE(platform::WriteFileBytesAtomic(user, whole));
    CalendarState state;
    ASSERT_EQ(LoadDefaultConfig(state), skydata::ConfigFileStatus::Loaded);
    state.settings.TZ = 3;
    EXPECT_EQ(SaveDefaultConfig(state), DefaultConfigSave::Written);
    CalendarState back;
    ASSERT_EQ(ReadSettings(user, back), skydata::ConfigFileStatus::Loaded);
    EXPECT_EQ(back.settings.TZ, 3);
}

TEST_F(SettingsFiles, CaptionsOfTheKeys) {
    const struct {
        const char* key;
        const char* caption;
    } cases[] = {
        {"TZ", "시간대"},
        {"LAT", "위도"},
        {"RSP", "출몰시각 계산 정밀도"},
        {"SDCAT", "기념일 모음"},
        {"CFONT0", "요일 표시 글꼴"},
        {"CFONT_ML5", "월출몰 글꼴"},
        {"CFONT_COL1", "날짜 글꼴색"},
        {"CFONT_COL2", "강조 글꼴색"},
        {"SD0", "기념일 모음 1 (000)"},
        {"SDA12", "기념일 모음 2 (012)"},
        {"SDB365", "기념일 모음 3 (365)"},
        {"SD366", ""},
        {"SD012", ""},
        {"CFONT6", ""},
        {"tz", ""},
        {"version", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingCaption(c.key), c.caption) << c.key;
    // Every key a settings file holds has one.
    skydata::ClearConfig();
    CalendarState state;
    ASSERT_TRUE(WriteSettings(File("all.cal"), state));
    std::size_t keys = 0;
    for (const skydata::ConfigEntry& entry : skydata::ParseConfigEntries(*platform::ReadTextFileCp949(File("all.cal")))) {
        EXPECT_NE(SettingCaption(entry.Key), "") << entry.Key;
        ++keys;
    }
    EXPECT_EQ(keys, 33u + 6 * 7 + 3 * 366);
}

TEST_F(SettingsFiles, ShippedFileHoldsThePublicHolidaysOfKorea) {
    CalendarState state;
    SettingsReport report;
    ASSERT_EQ(ReadSettings(fs::path(ZU_SOURCE_DIR) / "data" / "CalConfig.cfg", state, &report),
              skydata::ConfigFileStatus::Loaded);
    EXPECT_TRUE(report.Clean());
    // Only the special days: every setting is the default.
    ExpectSameSettings(CalendarState{}, [&] {
        CalendarState settings_only = state;
        for (SDaySet& set : settings_only.SDays) ClearSDaySet(set);
        return settings_only;
    }());
    const struct {
        const char* name;
        int month, day;
        bool lunar;
    } holidays[] = {{"신정", 1, 1, false},    {"설날", 1, 1, true},     {"설날", 1, 2, true},
                    {"삼일절", 3, 1, false},  {"어린이날", 5, 5, false}, {"부처님 오신 날", 4, 8, true},
                    {"현충일", 6, 6, false},  {"광복절", 8, 15, false}, {"추석", 8, 14, true},
                    {"추석", 8, 15, true},    {"추석", 8, 16, true},    {"개천절", 10, 3, false},
                    {"한글날", 10, 9, false}, {"기독탄신일", 12, 25, false}};
    std::size_t slot = 0;
    for (const auto& h : holidays) {
        const SDayRecord& r = state.SDays[0][slot++];
        EXPECT_EQ(r.name, h.name);
        EXPECT_EQ(r.year, EveryYear) << h.name;
        EXPECT_EQ(r.month, h.month) << h.name;
        EXPECT_EQ(r.day, h.day) << h.name;
        EXPECT_EQ(r.lunar, h.lunar) << h.name;
        EXPECT_FALSE(r.leap) << h.name;
        EXPECT_EQ(r.kind, kSDayHoliday) << h.name;
    }
    for (; slot < kSDayUserSlots; ++slot) EXPECT_FALSE(state.SDays[0][slot].InUse()) << slot;
}

}  // namespace
}  // namespace calendar
