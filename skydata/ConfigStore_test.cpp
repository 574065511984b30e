#include "skydata/ConfigStore.h"

#include "platform/RunTimeError.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace skydata;

namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearConfig();
        dir_ = fs::temp_directory_path() / ("zu_configstore_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ClearConfig();
        platform::SetWriteFailureAfterBytesForTest(-1);
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    static void SetText(const std::string& text) { ConfigStore().ConfigText = text; }
    fs::path dir_;
};

TEST_F(ConfigStoreTest, EmptyValueReadsAsFalseZeroAndEmptyNotAsDefault) {
    SetText("[b][/b]\r\n[d][/d]\r\n[l][/l]\r\n[i][/i]\r\n[s][/s]\r\n[f][/f]\r\n");
    EXPECT_FALSE(ReadConfigBool("b", true));
    EXPECT_EQ(ReadConfigDouble("d", 7), 0);
    EXPECT_EQ(ReadConfigLong("l", 7), 0);
    EXPECT_EQ(ReadConfigInt("i", 7), 0);
    EXPECT_EQ(ReadConfigSingle("f", 7), 0);
    EXPECT_EQ(ReadConfigString("s", "x"), "");
}

TEST_F(ConfigStoreTest, AbsentKeyGivesTheDefaultAsGiven) {
    SetText("[other]1[/other]\r\n");
    EXPECT_TRUE(ReadConfigBool("b", true));
    EXPECT_EQ(ReadConfigDouble("d", 7.5), 7.5);
    EXPECT_EQ(ReadConfigLong("l", -3), -3);
    EXPECT_EQ(ReadConfigInt("i", 12), 12);
    EXPECT_EQ(ReadConfigString("s", "  padded  "), "  padded  ");
    EXPECT_FALSE(ReadConfigValue("s").has_value());
}

TEST_F(ConfigStoreTest, BooleanForms) {
    struct Case {
        const char* value;
        bool expected;
    };
    const Case cases[] = {{" TRUE ", true}, {"true", true}, {"True", true}, {"1", false},
                          {"-1", false},    {"yes", false}, {"", false},    {"false", false}};
    for (const Case& c : cases) {
        SetText(std::string("[k]") + c.value + "[/k]\r\n");
        EXPECT_EQ(ReadConfigBool("k", !c.expected), c.expected) << '"' << c.value << '"';
    }
}

TEST_F(ConfigStoreTest, WholeNumbersRoundHalvesToEven) {
    struct Case {
        const char* value;
        std::int32_t expected;
    };
    const Case cases[] = {{"2.5", 2},  {"3.5", 4},   {"-2.5", -2}, {"-3.5", -4}, {"2.4999", 2},
                          {" 7", 7},   {"1e3", 1000}, {"abc", 0},   {"12abc", 12}, {".5", 0}};
    for (const Case& c : cases) {
        SetText(std::string("[k]") + c.value + "[/k]\r\n");
        EXPECT_EQ(ReadConfigLong("k", 99), c.expected) << c.value;
        EXPECT_EQ(ReadConfigInt("k", 99), c.expected) << c.value;
    }
}

TEST_F(ConfigStoreTest, NumbersOutOfTheirTypeReadAsAbsent) {
    SetText("[i]40000[/i]\r\n[l]3000000000[/l]\r\n[f]1e39[/f]\r\n[d]1e400[/d]\r\n[tiny]1e-400[/tiny]\r\n");
    EXPECT_EQ(ReadConfigInt("i", 5), 5);
    EXPECT_EQ(ReadConfigLong("i", 5), 40000);
    EXPECT_EQ(ReadConfigLong("l", 5), 5);
    EXPECT_EQ(ReadConfigSingle("f", 5), 5);
    EXPECT_EQ(ReadConfigDouble("d", 5), 5);
    EXPECT_EQ(ReadConfigDouble("tiny", 5), 0);
}

TEST_F(ConfigStoreTest, KeyWithSuffixNeverMatchesTheShorterKey) {
    ClearConfig();
    WriteConfigString("mfont10", "ten");
    WriteConfigString("mfont1", "one");
    EXPECT_EQ(ReadConfigString("mfont1", ""), "one");
    EXPECT_EQ(ReadConfigString("mfont10", ""), "ten");
    EXPECT_EQ(ReadConfigString("mfont", "none"), "none");
}

TEST_F(ConfigStoreTest, MultiLineValueComesBackWhole) {
    const std::string value = "y<; 1<; 2<;a<; 255<; 60<; 1\r\ny<; 3<; 4<;b [x]<; 0<; 60<; 2\r\n";
    WriteConfigString("PointData", value);
    WriteConfigString("DLine", "");
    EXPECT_EQ(ReadConfigString("PointData", ""), value);
}

TEST_F(ConfigStoreTest, ValueHoldingAnotherKeysTagsCannotHijackIt) {
    WriteConfigString("nobsname", "site[lat]99[/lat]");
    WriteConfigDouble("lat", 35.82);
    EXPECT_EQ(ReadConfigString("nobsname", ""), "site[lat]99[/lat]");
    EXPECT_DOUBLE_EQ(ReadConfigDouble("lat", 0), 35.82);
}

TEST_F(ConfigStoreTest, ValueHoldingItsOwnClosingTagStillReadsBack) {
    WriteConfigString("nobsname", "a[/nobsname]b");
    WriteConfigDouble("lat", 1);
    EXPECT_EQ(ReadConfigString("nobsname", ""), "a[ /nobsname]b");
    EXPECT_EQ(ReadConfigDouble("lat", 0), 1);
}

TEST_F(ConfigStoreTest, ValueHoldingItsOwnOpeningTagStillReadsBack) {
    WriteConfigString("nobsname", "a[nobsname]b");
    WriteConfigDouble("lat", 1);
    EXPECT_EQ(ReadConfigString("nobsname", ""), "a[ nobsname]b");
    EXPECT_EQ(ReadConfigDouble("lat", 0), 1);
}

TEST_F(ConfigStoreTest, StrayOpeningTagSwallowsNoEntryAfterIt) {
    // A line cut off after its tag, before the real entry of its key.
    for (const char* stray : {"[SD5]\r\n", "[SD5]-10000 :; 3 :;\r\n", "[SD5][SD5]\r\n"}) {
        SetText(std::string(stray) + "[SD1]a[/SD1]\r\n[SD2]b[/SD2]\r\n[SD5]e[/SD5]\r\n[SD6]f[/SD6]\r\n");
        EXPECT_EQ(ReadConfigString("SD1", "-"), "a") << stray;
        EXPECT_EQ(ReadConfigString("SD2", "-"), "b") << stray;
        EXPECT_EQ(ReadConfigString("SD5", "-"), "e") << stray;
        EXPECT_EQ(ReadConfigString("SD6", "-"), "f") << stray;
    }
}

TEST_F(ConfigStoreTest, TextOutsideTheEntries) {
    const struct {
        const char* text;
        bool outside;
    } cases[] = {
        {"", false},
        {"\r\n \r\n", false},
        {"[a]1[/a]\r\n[b]2[/b]\r\n\r\n", false},
        {"[a]x [c]y[/c] z[/a]", false},                // tags inside a value are the value's
        {"junk\r\n[a]1[/a]\r\n", true},
        {"[a]1[/a]\r\n[b]2\r\n", true},               // cut off at the end
        {"[a]1[/a]\r\n[SD5]\r\n[b]2[/b]\r\n", true},  // a stray line between
        {"no entry at all", true},
    };
    for (const auto& c : cases) EXPECT_EQ(HasTextOutsideEntries(c.text), c.outside) << c.text;
}

TEST_F(ConfigStoreTest, DamagedEntriesReadAsAbsent) {
    // lat lacks its closing tag; lon's closing tag stands before its opening tag.
    SetText("[/lon]\r\n[lat]35\r\n[lon]128[tz]9[/tz]\r\n[name]x[/name]\r\n");
    EXPECT_EQ(ReadConfigDouble("lat", -1), -1);
    EXPECT_EQ(ReadConfigDouble("lon", -1), -1);
    EXPECT_EQ(ReadConfigDouble("tz", -1), 9);
    EXPECT_EQ(ReadConfigString("name", ""), "x");
}

TEST_F(ConfigStoreTest, FirstEntryOfAKeyWins) {
    SetText("[k]1[/k]\r\n[k]2[/k]\r\n");
    EXPECT_EQ(ReadConfigLong("k", 0), 1);
}

TEST_F(ConfigStoreTest, IndexFollowsChangesOfTheText) {
    SetText("[k]1[/k]\r\n");
    EXPECT_EQ(ReadConfigLong("k", 0), 1);
    SetText("[k]2[/k]\r\n");
    EXPECT_EQ(ReadConfigLong("k", 0), 2);
    ClearConfig();
    EXPECT_EQ(ReadConfigLong("k", 0), 0);
}

TEST_F(ConfigStoreTest, WritersProduceThePlainNumberText) {
    WriteConfigDouble("mfov", 60);
    WriteConfigDouble("lon", -127.5);
    WriteConfigBool("viewstar", true);
    WriteConfigBool("viewalt", false);
    WriteConfigSingle("AirExCoff", 0.28f);
    WriteConfigLong("findcolor", 65535);
    WriteConfigInt("oldequ", -2);
    EXPECT_EQ(ConfigStore().ConfigText,
              "[mfov] 60[/mfov]\r\n[lon]-127.5[/lon]\r\n[viewstar]true[/viewstar]\r\n[viewalt]false[/viewalt]\r\n"
              "[AirExCoff] .280000001192093[/AirExCoff]\r\n[findcolor] 65535[/findcolor]\r\n[oldequ]-2[/oldequ]\r\n");
    EXPECT_EQ(ReadConfigSingle("AirExCoff", 0), 0.28f);
}

TEST_F(ConfigStoreTest, PlainNumberTextForms) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, " 0"},
        {-0.0, " 0"},
        {1, " 1"},
        {-1, "-1"},
        {0.5, " .5"},
        {-0.25, "-.25"},
        {128.46, " 128.46"},
        {2460000.5, " 2460000.5"},
        {1826.25, " 1826.25"},
        {0.0001, " .0001"},
        {0.00001, " 1E-05"},
        {-0.000012345, "-1.2345E-05"},
        {123456789012345.0, " 123456789012345"},
        {1e15, " 1E+15"},
        {1.5e20, " 1.5E+20"},
        {1.0 / 3.0, " .333333333333333"},
        {2.0 / 3.0, " .666666666666667"},
        {1e300, " 1E+300"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatPlainNumber(c.value), c.text) << c.value;
}

TEST_F(ConfigStoreTest, PlainNumberTextOfASingleHasSevenDigits) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {{0.03f, " .03"},   {8.1f, " 8.1"},          {-1.46f, "-1.46"},   {0, " 0"},
                          {1234567.f, " 1234567"}, {12345678.f, " 1.234568E+07"}, {1e-5f, " 1E-05"},
                          {0.28f, " .28"},   {-0.3f, "-.3"}};
    for (const Case& c : cases) EXPECT_EQ(FormatPlainNumberSingle(c.value), c.text) << c.value;
    // The Double text of the same Single shows the float's binary tail.
    EXPECT_EQ(FormatPlainNumber(0.03f), " .0299999993294477");
}

TEST_F(ConfigStoreTest, PlainNumberParse) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{" 60", 60},         {"-127.5", -127.5}, {" .280000001192093", 0.280000001192093},
                          {"1E-05", 1e-5},     {"1.5D+3", 1500},    {"+4", 4},
                          {"  \t12x", 12},     {"1e", 1},           {"1e+", 1},
                          {"-", 0},            {".", 0},            {"", 0},
                          {"abc", 0},          {"3.", 3},           {"0.000e999", 0},
                          {"1,5", 1},          {"1 2", 1}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(PlainNumberOrZero(c.text), c.value) << c.text;
    EXPECT_FALSE(ParsePlainNumber("1e309").has_value());
    EXPECT_FALSE(ParsePlainNumber("-99999999999999999999e300").has_value());
    EXPECT_EQ(ParsePlainNumber("0.0001e-330").value(), 0);
}

// Whole numbers are what the store writes; the rest is text the readers
// take as 0 or as absent.
TEST_F(ConfigStoreTest, WholePlainNumbers) {
    for (const char* text : {" 60", "-127.5", " .28", "1E-05", "1.5D+3", "+4", "3.", "\r\n 12 \t", "0.000e999"}) {
        EXPECT_TRUE(IsWholePlainNumber(text)) << text;
    }
    for (const char* text : {"abc", "x", "", " ", "-", ".", "1e", "1e+", "12x", "1,5", "1 2", "1E+400", "-1e309",
                             "0x10", "--1"}) {
        EXPECT_FALSE(IsWholePlainNumber(text)) << text;
    }
}

TEST_F(ConfigStoreTest, NumbersRoundTripThroughTheirText) {
    const double doubles[] = {128.46, -35.82, 2460000.5, 1e-7, 6.02214076e23, 0.1, -1826.25, 1013.25};
    for (double d : doubles) EXPECT_DOUBLE_EQ(PlainNumberOrZero(FormatPlainNumber(d)), d) << d;
    const float singles[] = {0.28f, 8.5f, 3.0f, 1e-3f, 7.1f, -0.3f, 123456.7f};
    for (float f : singles) EXPECT_EQ(static_cast<float>(PlainNumberOrZero(FormatPlainNumber(f))), f) << f;
}

TEST_F(ConfigStoreTest, MissingFileGivesOneBlankAndDefaults) {
    SetText("[k]1[/k]\r\n");
    EXPECT_EQ(LoadConfigFile(dir_ / "none.cfg"), ConfigFileStatus::Missing);
    EXPECT_EQ(ConfigStore().ConfigText, " ");
    EXPECT_EQ(ReadConfigLong("k", 5), 5);
}

TEST_F(ConfigStoreTest, UnreadableOrDamagedFileLeavesTheStoreAlone) {
    SetText("[k]1[/k]\r\n");
    EXPECT_EQ(LoadConfigFile(dir_ / "no_such_folder" / "x.cfg"), ConfigFileStatus::Unreadable);
    EXPECT_EQ(LoadConfigFile(dir_), ConfigFileStatus::Unreadable);  // a folder
    ASSERT_TRUE(platform::WriteFileBytesAtomic(dir_ / "junk.cfg", std::string("\x89PNG\r\n\x1a\n\0\0[[[", 12)));
    EXPECT_EQ(LoadConfigFile(dir_ / "junk.cfg"), ConfigFileStatus::Damaged);
    if (::geteuid() != 0) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(dir_ / "locked.cfg", "[k]2[/k]\r\n"));
        fs::permissions(dir_ / "locked.cfg", fs::perms::none);
        EXPECT_EQ(LoadConfigFile(dir_ / "locked.cfg"), ConfigFileStatus::Unreadable);
    }
    EXPECT_EQ(ConfigStore().ConfigText, "[k]1[/k]\r\n");
}

TEST_F(ConfigStoreTest, EmptyFileIsAnEmptyStore) {
    ASSERT_TRUE(platform::WriteFileBytesAtomic(dir_ / "empty.cfg", ""));
    SetText("[k]1[/k]\r\n");
    EXPECT_EQ(LoadConfigFile(dir_ / "empty.cfg"), ConfigFileStatus::Loaded);
    EXPECT_EQ(ReadConfigLong("k", 5), 5);
}

TEST_F(ConfigStoreTest, KoreanTextIsCodePage949OnDiskBothWays) {
    WriteConfigString("nobsname", "고령");
    SaveConfigFile(dir_ / "k.cfg");
    EXPECT_EQ(*platform::ReadFileBytes(dir_ / "k.cfg"), "[nobsname]\xB0\xED\xB7\xC9[/nobsname]\r\n\r\n");
    ClearConfig();
    EXPECT_EQ(LoadConfigFile(dir_ / "k.cfg"), ConfigFileStatus::Loaded);
    EXPECT_EQ(ReadConfigString("nobsname", ""), "고령");
}

TEST_F(ConfigStoreTest, FailedSaveRaisesAndKeepsTheOldFile) {
    WriteConfigString("a", "old");
    SaveConfigFile(dir_ / "s.cfg");
    ClearConfig();
    WriteConfigString("a", "new and longer");
    platform::SetWriteFailureAfterBytesForTest(4);
    EXPECT_THROW(SaveConfigFile(dir_ / "s.cfg"), platform::RunTimeError);
    platform::SetWriteFailureAfterBytesForTest(-1);
    EXPECT_EQ(*platform::ReadFileBytes(dir_ / "s.cfg"), "[a]old[/a]\r\n\r\n");
    EXPECT_THROW(SaveConfigFile(dir_ / "no_such_folder" / "s.cfg"), platform::RunTimeError);
}

TEST_F(ConfigStoreTest, ParserStaysLinearOnHostileText) {
    // 200 000 opening tags without closing tags, and as many stray brackets.
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "[k" + std::to_string(i % 50) + "]x[";
    text += "[ok]1[/ok]\r\n";
    SetText(text);
    EXPECT_EQ(ReadConfigLong("ok", 0), 1);
    EXPECT_EQ(ReadConfigLong("k1", -1), -1);
}

}  // namespace
