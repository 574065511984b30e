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
#include <fstream>

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

// The names the backups are written under are the names the start sweep
// knows as backups, and no other.
TEST(TextFile, SettingsBackupNames) {
    struct Case {
        const char* name;
        bool backup;
    } cases[] = {
        {"Default.cfg.bak", true},    {"Default.cfg.bak2", true},   {"Default.cfg.bak999", true},
        {"Default.cfg.bak1", false},  {"Default.cfg.bak02", false}, {"Default.cfg.bak1000", false},
        {"Default.cfg.bakx", false},  {"Default.cfg.bak~", false},  {"Default.cfg", false},
        {"Default.cfg.ba", false},    {"xDefault.cfg.bak", false},  {"Default.cfg.bak.bak", false},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::IsSettingsBackupName(c.name, "Default.cfg"), c.backup) << c.name;
    for (int n = 1; n <= platform::kLastSettingsBackup; ++n)
        EXPECT_TRUE(platform::IsSettingsBackupName(platform::SettingsBackupName("Default.cfg", n), "Default.cfg")) << n;
    EXPECT_EQ(platform::SettingsBackupName("CalConfig.cfg", 1), "CalConfig.cfg.bak");
    EXPECT_EQ(platform::SettingsBackupName("CalConfig.cfg", 2), "CalConfig.cfg.bak2");
}

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
// save in progress and stays, and so do other files' temporaries and every
// name the program does not make itself, however alike.
TEST_F(TextFileTest, LeftoversOfKilledSavesGoWithTheNextSave) {
    const fs::path file = dir_ / "Default.cfg";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const char* const leftovers[] = {"Default.cfg.zu-save-a1B2c3", "Default.cfg.zu-save-ZZZZZZ"};
    const char* const users[] = {"Default.cfg.tmp12345", "Default.cfg.zu-save-abc", "Default.cfg.zu-save-a1B2c3.bak",
                                 "Default.cfg.zu-save-a1_2c3", "Other.cfg.zu-save-a1B2c3", "xDefault.cfg.zu-save-a1B2c3"};
    for (const char* name : leftovers) {
        std::ofstream(dir_ / name) << "half";
        fs::last_write_time(dir_ / name, old);
    }
    for (const char* name : users) {
        std::ofstream(dir_ / name) << "the user's";
        fs::last_write_time(dir_ / name, old);
    }
    std::ofstream(dir_ / "Default.cfg.zu-save-zzzzzz") << "running";
    fs::last_write_time(dir_ / "Default.cfg.zu-save-zzzzzz", fs::file_time_type::clock::now());

    ASSERT_TRUE(platform::WriteFileBytesAtomic(file, "whole"));
    for (const char* name : leftovers) EXPECT_FALSE(fs::exists(dir_ / name)) << name;
    for (const char* name : users) EXPECT_EQ(platform::ReadFileBytes(dir_ / name).value_or("-"), "the user's") << name;
    EXPECT_TRUE(fs::exists(dir_ / "Default.cfg.zu-save-zzzzzz"));
    EXPECT_EQ(*platform::ReadFileBytes(file), "whole");
}

// A program's sweep of its folder at start removes exactly the leftovers of
// the files it writes there: regular files of this user, of the pattern the
// save path makes, older than the process. Whatever else stands there stays,
// however alike its name, and a link or a folder of a leftover's name stays.
TEST_F(TextFileTest, AStartSweepRemovesOnlyLeftoversOfTheProgramsFiles) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const auto plant = [&](const std::string& name, const char* contents) {
        std::ofstream(dir_ / name) << contents;
        fs::last_write_time(dir_ / name, old);
    };
    const char* const leftovers[] = {"Default.cfg.zu-save-a1B2c3", "Default.cfg.zu-save-ZZZZZZ",
                                     "PathCache.dat.zu-save-000000", "local.txt.zu-save-xYz789"};
    const char* const users[] = {
        "Default.cfg", "Default.cfg.tmp42", "notes.zu-save", "CalConfig.cfg~", "Default.cfg.zu-save-abc",
        "Default.cfg.zu-save-abcdefg", "Default.cfg.zu-save-a1_2c3", "Default.cfg.zu-save-a1B2c\xEA",
        "Default.cfg.zu-save-a1B2c3.bak", "Default.cfg.zu-save-a1B2c3~", ".zu-save-a1B2c3", "xDefault.cfg.zu-save-a1B2c3",
        "Other.cfg.zu-save-a1B2c3",  // beside a name the program does not write
        "Default.cfg.zu-save-.zu-save-a1B2c3"};
    for (const char* name : leftovers) plant(name, "half");
    for (const char* name : users) plant(name, "the user's");
    const fs::path victim = dir_ / "victim.txt";
    plant("victim.txt", "precious");
    fs::create_symlink(victim, dir_ / "Default.cfg.zu-save-LiNk00");
    fs::create_directory(dir_ / "Default.cfg.zu-save-F0lder");
    std::ofstream(dir_ / "Default.cfg.zu-save-F0lder" / "inside") << "kept";
    // A save of another instance in progress is younger than this process.
    std::ofstream(dir_ / "Default.cfg.zu-save-runnin") << "running";
    fs::last_write_time(dir_ / "Default.cfg.zu-save-runnin", fs::file_time_type::clock::now());
    // Another user's file, where this test may give one away.
    const bool as_root = ::geteuid() == 0;
    if (as_root) {
        plant("local.txt.zu-save-other1", "another user's");
        ASSERT_EQ(::chown((dir_ / "local.txt.zu-save-other1").c_str(), 4242, 4242), 0);
    }

    platform::RemoveSaveLeftovers(dir_, [](std::string_view target) {
        return target == "Default.cfg" || target == "PathCache.dat" || target == "local.txt";
    });
    for (const char* name : leftovers) EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ / name))) << name;
    for (const char* name : users) EXPECT_EQ(platform::ReadFileBytes(dir_ / name).value_or("-"), "the user's") << name;
    EXPECT_TRUE(fs::is_symlink(dir_ / "Default.cfg.zu-save-LiNk00"));
    EXPECT_EQ(*platform::ReadFileBytes(victim), "precious");
    EXPECT_EQ(platform::ReadFileBytes(dir_ / "Default.cfg.zu-save-F0lder" / "inside").value_or("-"), "kept");
    EXPECT_TRUE(fs::exists(dir_ / "Default.cfg.zu-save-runnin"));
    if (as_root) {
        EXPECT_TRUE(fs::exists(dir_ / "local.txt.zu-save-other1"));
    }
    // A folder that cannot be read, or is not there, is left alone.
    platform::RemoveSaveLeftovers(dir_ / "missing", [](std::string_view) { return true; });
}

// A settings file kept in a dotfiles folder and linked into the program's
// folder (by a relative or an absolute link, or a chain of them) is written
// through: the file the links end at gets the new contents, atomically in
// its own folder, and every link stays as it was.
TEST_F(TextFileTest, SymlinkedSettingsFileIsWrittenThroughAndStaysALink) {
    const fs::path dotfiles = dir_ / "dotfiles";
    const fs::path config = dir_ / "config";
    fs::create_directories(dotfiles);
    fs::create_directories(config);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(dotfiles / "zu.cfg", "old"));
    fs::permissions(dotfiles / "zu.cfg", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("../dotfiles/zu.cfg", config / "Default.cfg");
    fs::create_symlink(config / "Default.cfg", config / "Chained.cfg");

    struct Case {
        const char* link;
        const char* text;
    } cases[] = {{"Default.cfg", "[lat]37.5"}, {"Chained.cfg", "고령"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(platform::WriteTextFileCp949(config / c.link, c.text, platform::AtLink::WriteThrough)) << c.link;
        EXPECT_TRUE(fs::is_symlink(config / "Default.cfg"));
        EXPECT_EQ(fs::read_symlink(config / "Default.cfg"), fs::path("../dotfiles/zu.cfg"));
        EXPECT_TRUE(fs::is_symlink(config / "Chained.cfg"));
        EXPECT_EQ(*platform::ReadTextFileCp949(dotfiles / "zu.cfg"), c.text) << c.link;
        EXPECT_EQ(std::distance(fs::directory_iterator(dotfiles), fs::directory_iterator()), 1);
        EXPECT_EQ(std::distance(fs::directory_iterator(config), fs::directory_iterator()), 2);
    }
    EXPECT_EQ(fs::status(dotfiles / "zu.cfg").permissions(), fs::perms::owner_read | fs::perms::owner_write);

    // A file that is no link is written as ever; a loop of links is a failure.
    ASSERT_TRUE(platform::WriteFileBytesAtomic(config / "plain.cfg", "plain", platform::AtLink::WriteThrough));
    EXPECT_FALSE(fs::is_symlink(config / "plain.cfg"));
    fs::create_symlink(config / "loop2.cfg", config / "loop1.cfg");
    fs::create_symlink(config / "loop1.cfg", config / "loop2.cfg");
    EXPECT_FALSE(platform::WriteFileBytesAtomic(config / "loop1.cfg", "x", platform::AtLink::WriteThrough));
    EXPECT_TRUE(fs::is_symlink(config / "loop1.cfg"));
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

// A save killed from outside half way through its write, for each kind of
// save: the settings file written directly and the PDF written by name.
// While it is stopped there and after the kill the folder holds the user's
// files only (an unnamed file), or those and one stand-in of the program's
// own pattern that the next save removes; the target keeps its old contents.
int g_report_fd = -1;
constexpr long long kBigFile = 8 << 20;

// In the child: tells the parent the save is half way, then waits for the kill.
void StopHalfWay(long long written) {
    if (written < kBigFile / 2) return;
    const char half = 'h';
    if (::write(g_report_fd, &half, 1) != 1) std::_Exit(2);
    for (;;) ::pause();
}

TEST_P(PendingFileTest, AKillHalfWayLeavesTheOldFileAndNothingBesideIt) {
    const fs::path settings = dir_ / "Default.cfg";
    const fs::path pdf = dir_ / "report.pdf";
    struct Kind {
        const char* what;
        fs::path target;
        std::function<void()> save;
    } kinds[] = {
        {"settings", settings,
         [&] {
             platform::SetWriteProgressHookForTest(StopHalfWay);
             platform::WriteFileBytesAtomic(settings, std::string(kBigFile, 'n'), platform::AtLink::WriteThrough);
         }},
        {"PDF", pdf,
         [&] {
             platform::PendingFile file(pdf);
             std::FILE* out = std::fopen(file.WriteName().c_str(), "wb");
             const std::string piece(1 << 20, 'p');
             for (long long written = 0; out && written < kBigFile;) {
                 written += static_cast<long long>(std::fwrite(piece.data(), 1, piece.size(), out));
                 std::fflush(out);
                 StopHalfWay(written);
             }
         }},
    };
    // The users' files, and the stand-in the killed save left where the
    // folder takes no unnamed files.
    const auto expect_folder = [&](const Kind& kind, const char* when) {
        long stand_ins = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            const std::string name = entry.path().filename().string();
            if (entry.path() == settings || entry.path() == pdf) continue;
            EXPECT_EQ(name.rfind(kind.target.filename().string() + ".zu-save-", 0), 0u) << kind.what << when << name;
            ++stand_ins;
        }
        EXPECT_EQ(stand_ins, GetParam() ? 0 : 1) << kind.what << when;
    };
    for (const Kind& kind : kinds) {
        ASSERT_TRUE(platform::WriteFileBytesAtomic(settings, "old settings"));
        ASSERT_TRUE(platform::WriteFileBytesAtomic(pdf, "old PDF"));
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(report[0]);
            g_report_fd = report[1];
            kind.save();
            std::_Exit(3);
        }
        ::close(report[1]);
        char half = 0;
        const bool stopped = ::read(report[0], &half, 1) == 1;
        ::close(report[0]);
        if (stopped) expect_folder(kind, " half way: ");
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(stopped) << kind.what;
        ASSERT_TRUE(WIFSIGNALED(status)) << kind.what;
        expect_folder(kind, " killed: ");
        EXPECT_EQ(*platform::ReadFileBytes(settings), "old settings");
        EXPECT_EQ(*platform::ReadFileBytes(pdf), "old PDF");

        const pid_t next = ::fork();
        if (next == 0) std::_Exit(platform::WriteFileBytesAtomic(kind.target, "new") ? 0 : 1);
        ::waitpid(next, &status, 0);
        EXPECT_EQ(*platform::ReadFileBytes(kind.target), "new") << kind.what;
        EXPECT_EQ(Entries(), 2) << kind.what << ": the next save removed the stand-in";
    }
}

}  // namespace
