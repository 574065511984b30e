#include "skydata/DataText.h"

#include <gtest/gtest.h>

#include "platform/RunTimeError.h"
#include "skydata/testdata/ScratchDir.h"

namespace skydata::datatext {
namespace {

TEST(LeadingNumber, LenientNumericPrefix) {
    struct Case {
        const char* text;
        bool found;
        double value;
    };
    const Case cases[] = {
        {"12.5", true, 12.5},   {"  -3.25xyz", true, -3.25}, {"+7", true, 7},
        {".5", true, 0.5},      {"-.5", true, -0.5},         {"1e3", true, 1000},
        {"1e", true, 1},        {"2.5E-1|", true, 0.25},     {"", false, 0},
        {"   ", false, 0},      {"abc", false, 0},           {"-", false, 0},
        {".", false, 0},        {"1e999", false, 0},
    };
    for (const Case& c : cases) {
        const auto v = LeadingNumber(c.text);
        EXPECT_EQ(v.has_value(), c.found) << c.text;
        if (v) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        }
        EXPECT_DOUBLE_EQ(Val(c.text), c.found ? c.value : 0.0) << c.text;
    }
}

TEST(SplitLinesAndFields, LineEndsAndEmptyFields) {
    const auto lines = SplitLines("a\r\nb\n\r\nc");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "c");
    EXPECT_EQ(SplitLines("a\r\n").size(), 1u);
    EXPECT_TRUE(SplitLines("").empty());
    const auto fields = SplitFields("a||b|", '|');
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[3], "");
    EXPECT_EQ(Trim(std::string_view(" x \0\0", 5)), "x");
}

TEST(RecordText, DecodesCodePage949OnlyWhenNeeded) {
    const unsigned char ascii[] = {'A', 'B', ' '};
    EXPECT_EQ(RecordText(ascii, 3), "AB ");
    const unsigned char korean[] = {0xB0, 0xA1};  // 가 in code page 949
    EXPECT_EQ(RecordText(korean, 2), "가");
}

TEST(ReadDataFiles, MissingEmptyOrBlankFileOrFolderInPlaceOfAFileIsTheMissingFileError) {
    skydata::testing::ScratchDir dir("read");
    dir.Write("sub/x.dat", "");
    EXPECT_THROW(ReadDataBytes(dir.path() / "none.dat", "none.dat"), platform::RunTimeError);
    EXPECT_THROW(ReadDataText(dir.path() / "sub", "sub"), platform::RunTimeError);
    // An empty file, or one of blanks and line ends only, is as unusable as a missing one.
    EXPECT_THROW(ReadDataBytes(dir.path() / "sub/x.dat", "x.dat"), platform::RunTimeError);
    dir.Write("blank.dat", " \r\n\r\n");
    EXPECT_THROW(ReadDataText(dir.path() / "blank.dat", "blank.dat"), platform::RunTimeError);
    dir.Write("k.dat", std::string("\xB0\xA1\r\n", 4));
    EXPECT_EQ(ReadDataText(dir.path() / "k.dat", "k.dat"), "가\r\n");
}

}  // namespace
}  // namespace skydata::datatext
