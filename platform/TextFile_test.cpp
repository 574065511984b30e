#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zu_textfile_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        platform::SetWriteFailureAfterBytesForTest(-1);
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(TextFileTest, KoreanIsCodePage949OnDisk) {
    const fs::path file = dir_ / "site.txt";
    ASSERT_TRUE(platform::WriteTextFileCp949(file, "고령"));
    EXPECT_EQ(*platform::ReadFileBytes(file), "\xB0\xED\xB7\xC9");
    EXPECT_EQ(*platform::ReadTextFileCp949(file), "고령");
}

TEST_F(TextFileTest, UnrepresentableCharactersAreReplacedNotFatal) {
    // An emoji and a Devanagari letter have no code page 949 form.
    EXPECT_EQ(platform::Utf8ToCp949("A😀B\xE0\xA4\x85"), "A?B?");
    // A cut-off UTF-8 sequence loses only itself.
    EXPECT_EQ(platform::Utf8ToCp949("\xEA\xB3" "A\r\n"), "?A\r\n");
    // A lone lead byte at the end of a file decodes to a replacement character.
    EXPECT_EQ(platform::Cp949ToUtf8("\xB0\xED\xB0"), "고\xEF\xBF\xBD");
    // A stray byte of a damaged file is one replacement; the line end, blank
    // or letter after it survives.
    EXPECT_EQ(platform::Cp949ToUtf8("[a]\xB0\r\n[b]"), "[a]\xEF\xBF\xBD\r\n[b]");
    EXPECT_EQ(platform::Cp949ToUtf8("\xB0 1"), "\xEF\xBF\xBD 1");
    EXPECT_EQ(platform::Cp949ToUtf8("x\xFF" "Ay"), "x\xEF\xBF\xBD" "Ay");
}

TEST_F(TextFileTest, MissingFileReadsAsNothing) {
    EXPECT_FALSE(platform::ReadTextFileCp949(dir_ / "none.cfg").has_value());
}

TEST_F(TextFileTest, InterruptedWriteLeavesTheOldFile) {
    const fs::path file = dir_ / "Default.cfg";
    ASSERT_TRUE(platform::WriteTextFileCp949(file, "old contents"));
    platform::SetWriteFailureAfterBytesForTest(3);
    EXPECT_FALSE(platform::WriteTextFileCp949(file, "new contents that fail half way"));
    platform::SetWriteFailureAfterBytesForTest(-1);
    EXPECT_EQ(*platform::ReadTextFileCp949(file), "old contents");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TextFileTest, UnwritableFolderIsReportedAsFailure) {
    EXPECT_FALSE(platform::WriteTextFileCp949(dir_ / "no" / "such" / "folder.cfg", "x"));
}

}  // namespace
