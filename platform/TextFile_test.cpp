#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

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

// A file meant to be code page 949 that another editor saved as UTF-8 reads
// right; so do UTF-8 lines in a code page 949 file.
TEST_F(TextFileTest, TextOfAFileSavedAsUtf8) {
    const std::string cp949 = platform::Utf8ToCp949("[SD0]신정[/SD0]\r\n");
    ASSERT_EQ(cp949, "[SD0]\xBD\xC5\xC1\xA4[/SD0]\r\n");
    const struct {
        const char* what;
        std::string bytes;
        bool is_cp949, is_utf8;
        std::string text;
    } cases[] = {
        {"ASCII", "[TZ] 9[/TZ]\r\n", true, true, "[TZ] 9[/TZ]\r\n"},
        {"code page 949", cp949, true, false, "[SD0]신정[/SD0]\r\n"},
        {"UTF-8", "[SD0]신정[/SD0]\r\n", false, true, "[SD0]신정[/SD0]\r\n"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF[SD0]신정[/SD0]", false, true, "[SD0]신정[/SD0]"},
        {"UTF-8 that code page 949 cannot hold", "[SD0]생일😀[/SD0]", false, true, "[SD0]생일😀[/SD0]"},
        {"code page 949 with a UTF-8 line", cp949 + "[SD1]생일😀[/SD1]\r\n" + cp949, false, false,
         "[SD0]신정[/SD0]\r\n[SD1]생일😀[/SD1]\r\n[SD0]신정[/SD0]\r\n"},
        {"a line in neither", "[a]caf\xE9 [/a]\r\n[SD0]신정[/SD0]", false, false,
         "[a]caf\xEF\xBF\xBD [/a]\r\n[SD0]신정[/SD0]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::IsCp949(c.bytes), c.is_cp949) << c.what;
        EXPECT_EQ(platform::IsUtf8(c.bytes), c.is_utf8) << c.what;
        EXPECT_EQ(platform::DecodeCp949OrUtf8(c.bytes), c.text) << c.what;
    }
    // Only the shortest form of a code point up to U+10FFFF, no surrogate.
    const struct {
        const char* what;
        std::string bytes;
        bool is_utf8;
    } forms[] = {
        {"two bytes", "\xC3\xA9", true},           {"overlong two bytes", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x9F\xBF", false}, {"surrogate", "\xED\xA0\x80", false},
        {"last before surrogates", "\xED\x9F\xBF", true}, {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false}, {"cut off", "\xEA\xB0", false},
        {"lone continuation", "\x80", false},       {"bad continuation", "\xEA\xB0" "A", false},
    };
    for (const auto& f : forms) EXPECT_EQ(platform::IsUtf8(f.bytes), f.is_utf8) << f.what;
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

// A link planted where a save might put its temporary file (the name earlier
// versions used, or the target itself) is never followed: what it points at
// stays as it was.
TEST_F(TextFileTest, PlantedLinksAreNeverFollowed) {
    const fs::path victim = dir_ / "victim.txt";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(victim, "precious"));
    const fs::path file = dir_ / "chart.SKY";
    fs::create_symlink(victim, dir_ / ("chart.SKY.tmp" + std::to_string(::getpid())));
    fs::create_symlink(victim, dir_ / "chart.SKY.zu-save-");
    ASSERT_TRUE(platform::WriteFileBytesAtomic(file, "saved"));
    EXPECT_EQ(*platform::ReadFileBytes(victim), "precious");
    EXPECT_EQ(*platform::ReadFileBytes(file), "saved");

    const fs::path linked = dir_ / "linked.SKY";
    fs::create_symlink(victim, linked);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(linked, "saved over the link"));
    EXPECT_EQ(*platform::ReadFileBytes(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(linked));
}

// What a save killed half way leaves behind (older than this process) goes
// with the next save of that file; a younger one may be another instance's
// save in progress and stays, and so do other files' temporaries.
TEST_F(TextFileTest, LeftoversOfKilledSavesGoWithTheNextSave) {
    const fs::path file = dir_ / "Default.cfg";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const char* const leftovers[] = {"Default.cfg.tmp12345", "Default.cfg.zu-save-a1B2c3"};
    for (const char* name : leftovers) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(dir_ / name, "half"));
        fs::last_write_time(dir_ / name, old);
    }
    ASSERT_TRUE(platform::WriteFileBytesAtomic(dir_ / "Other.cfg.tmp999", "other"));
    fs::last_write_time(dir_ / "Other.cfg.tmp999", old);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(dir_ / "Default.cfg.zu-save-zzzzzz", "running"));

    ASSERT_TRUE(platform::WriteFileBytesAtomic(file, "whole"));
    for (const char* name : leftovers) EXPECT_FALSE(fs::exists(dir_ / name)) << name;
    EXPECT_TRUE(fs::exists(dir_ / "Other.cfg.tmp999"));
    EXPECT_TRUE(fs::exists(dir_ / "Default.cfg.zu-save-zzzzzz"));
    EXPECT_EQ(*platform::ReadFileBytes(file), "whole");
}

// A save killed between writing its temporary file and the rename leaves
// the old file whole and a temporary file behind; the next program that
// saves the file removes it.
TEST_F(TextFileTest, SaveKilledBeforeTheRenameLeavesNothingAfterTheNextSave) {
    const fs::path file = dir_ / "Default.cfg";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(file, "old"));
    const auto in_child = [](const std::function<bool()>& body) {
        const pid_t child = ::fork();
        if (child == 0) std::_Exit(body() ? 0 : 1);
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    };
    const int killed = in_child([&] {
        platform::SetBeforeRenameHookForTest([] { ::raise(SIGKILL); });
        return platform::WriteFileBytesAtomic(file, "new contents");
    });
    ASSERT_TRUE(WIFSIGNALED(killed));
    EXPECT_EQ(*platform::ReadFileBytes(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);

    const int saved = in_child([&] { return platform::WriteFileBytesAtomic(file, "next"); });
    ASSERT_TRUE(WIFEXITED(saved) && WEXITSTATUS(saved) == 0);
    EXPECT_EQ(*platform::ReadFileBytes(file), "next");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TextFileTest, SaveKeepsThePermissionsOfTheFileItReplaces) {
    const fs::path file = dir_ / "shared.SKY";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(file, "one"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(file, "two"));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TextFileTest, UnwritableFolderIsReportedAsFailure) {
    EXPECT_FALSE(platform::WriteTextFileCp949(dir_ / "no" / "such" / "folder.cfg", "x"));
}

// A pending file is written through its own name (as the printer's PDF engine
// writes) and appears at the target's name only when committed: dropped or
// failing to commit it leaves the folder as it was; killed while written it
// leaves nothing (an unnamed file) or a stand-in the next save removes. Every
// case runs with unnamed files and with the random-name stand-in.
class PendingFileTest : public TextFileTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        TextFileTest::SetUp();
        platform::SetUnnamedFilesForTest(GetParam());
    }
    void TearDown() override {
        platform::SetUnnamedFilesForTest(true);
        TextFileTest::TearDown();
    }
    static bool WriteThroughName(const platform::PendingFile& file, const std::string& bytes) {
        std::FILE* out = std::fopen(file.WriteName().c_str(), "wb");
        if (!out) return false;
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        return std::fclose(out) == 0 && written;
    }
    long Entries() const { return std::distance(fs::directory_iterator(dir_), fs::directory_iterator()); }
};

INSTANTIATE_TEST_SUITE_P(UnnamedAndStandIn, PendingFileTest, ::testing::Bool());

TEST_P(PendingFileTest, AppearsOnlyWhenCommitted) {
    const fs::path pdf = dir_ / "report.pdf";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(pdf, "older"));
    {
        platform::PendingFile dropped(pdf);
        ASSERT_TRUE(dropped.IsOpen());
        ASSERT_TRUE(WriteThroughName(dropped, "dropped"));
        EXPECT_EQ(dropped.Size(), 7);
        EXPECT_EQ(Entries(), GetParam() ? 1 : 2);
    }
    EXPECT_EQ(*platform::ReadFileBytes(pdf), "older");
    EXPECT_EQ(Entries(), 1);

    platform::PendingFile file(pdf);
    ASSERT_TRUE(WriteThroughName(file, "%PDF new"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(*platform::ReadFileBytes(pdf), "%PDF new");
    EXPECT_EQ(Entries(), 1);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Commit());

    EXPECT_FALSE(platform::PendingFile(dir_ / "no such folder" / "x.pdf").IsOpen());
}

// Links planted at the name a print used to write through, or at the target
// itself, are never followed.
TEST_P(PendingFileTest, PlantedLinksAreNeverFollowed) {
    const fs::path victim = dir_ / "victim.txt";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(victim, "precious"));
    const fs::path pdf = dir_ / "report.pdf";
    fs::create_symlink(victim, dir_ / "report.pdf.part");
    fs::create_symlink(victim, pdf);
    platform::PendingFile file(pdf);
    ASSERT_TRUE(WriteThroughName(file, "%PDF"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(*platform::ReadFileBytes(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(dir_ / "report.pdf.part"));
    EXPECT_FALSE(fs::is_symlink(pdf));
    EXPECT_EQ(*platform::ReadFileBytes(pdf), "%PDF");
}

TEST_P(PendingFileTest, FailedCommitOrKillLeavesOnlyTheUsersFiles) {
    // A folder where the file should go: the rename fails.
    const fs::path taken = dir_ / "taken.pdf";
    fs::create_directories(taken / "inside");
    {
        platform::PendingFile file(taken);
        ASSERT_TRUE(WriteThroughName(file, "%PDF"));
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(Entries(), 1);

    const fs::path pdf = dir_ / "report.pdf";
    ASSERT_TRUE(platform::WriteFileBytesAtomic(pdf, "older"));
    const auto in_child = [](const std::function<void()>& body) {
        const pid_t child = ::fork();
        if (child == 0) {
            body();
            std::_Exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    };
    const int killed = in_child([&] {
        platform::PendingFile file(pdf);
        WriteThroughName(file, "half a document");
        ::raise(SIGKILL);
    });
    ASSERT_TRUE(WIFSIGNALED(killed));
    EXPECT_EQ(*platform::ReadFileBytes(pdf), "older");
    EXPECT_EQ(Entries(), GetParam() ? 2 : 3);
    // The next program that prints to that name clears the stand-in away.
    in_child([&] { platform::PendingFile next(pdf); });
    EXPECT_EQ(Entries(), 2);
}

}  // namespace
