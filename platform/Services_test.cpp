#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/Fakes.h"
#include "platform/Guard.h"
#include "platform/RunTimeError.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "platform/UserFiles.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

TEST(FakeMessageBox, RecordsTheBoxAndAnswersAsScripted) {
    FakeEnv env;
    env.messages.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(MsgBox("찾으려는 대상이 지평선 아래에 있습니다.", MsgButtons::YesNo, MsgIcon::Question, "찾기"),
              MsgAnswer::No);
    EXPECT_EQ(MsgBox("두 번째", MsgButtons::YesNo, MsgIcon::Question, "찾기"), MsgAnswer::Yes);
    // With the script used up the box answers with its first button.
    EXPECT_EQ(MsgBox("세 번째", MsgButtons::RetryCancel), MsgAnswer::Retry);
    ASSERT_EQ(env.messages.shown.size(), 3u);
    EXPECT_EQ(env.messages.shown[0].title, "찾기");
    EXPECT_EQ(env.messages.shown[0].text, "찾으려는 대상이 지평선 아래에 있습니다.");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(env.messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(env.messages.shown[2].title, "zu") << "untitled boxes carry the program name";
}

TEST(FakeFileDialog, ReturnsCancelOrANameWithItsFilter) {
    FakeEnv env;
    env.files.answers = {std::nullopt, FileChoice{"/home/u/chart.PNG", 4}};
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = "그림으로 저장";
    request.filter = "윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG|GIF 파일(*.GIF)|*.GIF|PNG 파일(*.PNG)|*.PNG";
    request.name = "2024년3월5일21시7분_서울";
    EXPECT_FALSE(Env().files->Show(request).has_value());
    const auto chosen = Env().files->Show(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path, fs::path("/home/u/chart.PNG"));
    EXPECT_EQ(chosen->filter_index, 4);
    ASSERT_EQ(env.files.requests.size(), 2u);
    EXPECT_EQ(env.files.requests[1].title, "그림으로 저장");
    EXPECT_EQ(env.files.requests[1].kind, FileDialogKind::Save);
    EXPECT_FALSE(Env().files->Show(request).has_value()) << "an empty script cancels";
}

TEST(FakeClock, EveryPresentTimeReaderSeesTheSetTime) {
    FakeEnv env;
    env.clock.Set(2024, 3, 5, 21, 7, 45);
    const LocalTime expected{2024, 3, 5, 21, 7, 45, 0};
    EXPECT_EQ(Now(), expected);
    EXPECT_EQ(Env().clock->Now(), expected);
}

// The fake computer's zone turns its local reading into UTC across the day,
// month and year (and a leap day).
TEST(FakeClock, UtcReadingIsTheLocalOneLessTheComputerZone) {
    struct Row {
        const char* name;
        LocalTime local;
        int zone_min;
        LocalTime utc;
    };
    const Row rows[] = {
        {"Korea, same day", {2024, 3, 15, 21, 7, 45, 0}, 540, {2024, 3, 15, 12, 7, 45, 0}},
        {"Korea, day before", {2024, 3, 1, 3, 30, 0, 0}, 540, {2024, 2, 29, 18, 30, 0, 0}},
        {"UTC computer", {2024, 3, 15, 21, 7, 45, 0}, 0, {2024, 3, 15, 21, 7, 45, 0}},
        {"west, next year", {2023, 12, 31, 20, 15, 0, 0}, -300, {2024, 1, 1, 1, 15, 0, 0}},
        {"India, half hour", {2024, 1, 1, 0, 10, 5, 0}, 330, {2023, 12, 31, 18, 40, 5, 0}},
    };
    for (const Row& row : rows) {
        FakeEnv env;
        env.clock.now = row.local;
        env.clock.zone_min = row.zone_min;
        EXPECT_EQ(UtcNow(), row.utc) << row.name;
        EXPECT_EQ(Now(), row.local) << row.name;
    }
}

TEST(SystemClock, UtcAndLocalReadingsDifferByTheSystemZone) {
    // A zone rule written out, so no zone database is needed: UTC+9.
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    setenv("TZ", "KST-9", 1);
    tzset();
    ResetEnv();
    const LocalTime utc = UtcNow();
    const LocalTime local = Now();
    if (saved) {
        setenv("TZ", before.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    // The readings are a moment apart: compare to the minute, allowing one tick over.
    const LocalTime expected = ShiftedByMinutes(utc, 9 * 60);
    const LocalTime later = ShiftedByMinutes(utc, 9 * 60 + 1);
    const auto same_minute = [](const LocalTime& a, const LocalTime& b) {
        return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
    };
    EXPECT_TRUE(same_minute(local, expected) || same_minute(local, later));
}

TEST(FakeTick, AdvancesByItsStepPerReading) {
    FakeEnv env;
    env.tick.ms = 1000;
    env.tick.step_ms = 40;
    const auto t0 = TickMs();
    const auto t1 = TickMs();
    EXPECT_EQ(t0, 1000);
    EXPECT_EQ(t1 - t0, 40);
}

TEST(FakeDialogs, ColourFontPrintAndShellAreRecorded) {
    FakeEnv env("vu");
    env.colours.answers = {Rgb(1, 2, 3)};
    EXPECT_EQ(Env().colours->Show(Rgb(9, 9, 9), "강조 색상 설정-배경"), Rgb(1, 2, 3));
    EXPECT_FALSE(Env().colours->Show(Rgb(9, 9, 9), "").has_value());
    EXPECT_EQ(env.colours.requests[0].initial, Rgb(9, 9, 9));

    FontSpec chosen{"NanumGothic", 10.5, true};
    env.fonts.answers = {chosen};
    EXPECT_EQ(Env().fonts->Show(FontSpec{}, "글꼴 설정"), chosen);
    EXPECT_EQ(env.fonts.requests[0].title, "글꼴 설정");

    EXPECT_TRUE(Env().printing->PrinterNames().empty());
    env.printing.printers = {"A4 laser"};
    env.printing.answers = {PrintChoice{"A4 laser", 2, true, {}}};
    EXPECT_EQ(Env().printing->PrinterNames().size(), 1u);
    EXPECT_EQ(Env().printing->Show("")->copies, 2);

    EXPECT_TRUE(Env().shell->Open("https://example.org/zu"));
    EXPECT_EQ(env.shell.opened, std::vector<std::string>{"https://example.org/zu"});
    EXPECT_EQ(Env().program_name, "vu");
}

TEST(FakeEnv, PutsThePreviousServicesBack) {
    MessageBox* before = Env().messages;
    {
        FakeEnv env;
        EXPECT_EQ(Env().messages, &env.messages);
    }
    EXPECT_EQ(Env().messages, before);
}

TEST(HeadlessServices, DialogsCancelAndMessagesTakeTheFirstButton) {
    ResetEnv();
    EXPECT_FALSE(Env().files->Show(FileRequest{}).has_value());
    EXPECT_FALSE(Env().colours->Show(0, "").has_value());
    EXPECT_FALSE(Env().fonts->Show(FontSpec{}, "").has_value());
    EXPECT_EQ(MsgBox("headless", MsgButtons::OkCancel), MsgAnswer::Ok);
    EXPECT_FALSE(Env().shell->Open("README.html")) << "nothing opened, and said so";
    const auto t0 = TickMs();
    EXPECT_GE(TickMs(), t0);
}

// Timers and queued calls ask whether long work runs: true from the start
// of a run to its return, nested runs and a failed run included, and in the
// scripted double's `meanwhile` too.
TEST(LongWork, WorkRunningLastsExactlyAsLongAsTheRun) {
    FakeEnv env;
    std::vector<bool> seen;
    env.long_work.meanwhile = [&] { seen.push_back(WorkRunning()); };
    EXPECT_FALSE(WorkRunning());
    EXPECT_TRUE(RunLongWork({}, [&](WorkProgress&) {
        seen.push_back(WorkRunning());
        RunLongWork({}, [&](WorkProgress&) { seen.push_back(WorkRunning()); });
        seen.push_back(WorkRunning());
    }));
    EXPECT_FALSE(WorkRunning());
    EXPECT_EQ(seen, (std::vector<bool>{true, true, true, true, true}));
    EXPECT_THROW(RunLongWork({}, [](WorkProgress&) { throw std::runtime_error("실패"); }), std::runtime_error);
    EXPECT_FALSE(WorkRunning());
    env.long_work.cancel_after = {std::size_t{0}};
    EXPECT_FALSE(RunLongWork({}, [](WorkProgress&) {}));
    EXPECT_FALSE(WorkRunning());
}

TEST(ParseFilter, SplitsPairsAndPatterns) {
    struct Case {
        const char* filter;
        std::vector<std::pair<std::string, std::vector<std::string>>> pairs;
    };
    const std::vector<Case> cases = {
        {"zu 파일(*.SKY)|*.SKY", {{"zu 파일(*.SKY)", {"*.SKY"}}}},
        {"윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG",
         {{"윈도우즈 그림 파일(*.BMP)", {"*.BMP"}}, {"JPEG 파일(*.JPG)", {"*.JPG"}}}},
        {"그림|*.BMP;*.JPG", {{"그림", {"*.BMP", "*.JPG"}}}},
        {"모든 파일", {{"모든 파일", {"*"}}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const auto pairs = ParseFilter(c.filter);
        ASSERT_EQ(pairs.size(), c.pairs.size()) << c.filter;
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            EXPECT_EQ(pairs[i].description, c.pairs[i].first) << c.filter;
            EXPECT_EQ(pairs[i].patterns, c.pairs[i].second) << c.filter;
        }
    }
}

TEST(Guard, ShowsARunTimeErrorAndGoesOn) {
    FakeEnv env;
    EXPECT_FALSE(Guard([] { throw RunTimeError("파일을 찾을 수 없습니다: dso.dat"); }));
    EXPECT_FALSE(Guard([] { throw RunTimeError("날짜가 잘못되었습니다."); }, "시각 설정"));
    EXPECT_FALSE(Guard([] { throw std::out_of_range("index 12"); }));
    EXPECT_FALSE(Guard([] { throw std::bad_alloc(); }));
    EXPECT_FALSE(Guard([] { throw 42; }));
    bool ran = false;
    EXPECT_TRUE(Guard([&] { ran = true; }));
    EXPECT_TRUE(ran);

    ASSERT_EQ(env.messages.shown.size(), 5u);
    EXPECT_EQ(env.messages.shown[0].text, "파일을 찾을 수 없습니다: dso.dat");
    EXPECT_EQ(env.messages.shown[0].title, "zu");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(env.messages.shown[1].title, "시각 설정");
    EXPECT_NE(env.messages.shown[2].text.find("index 12"), std::string::npos);
    EXPECT_EQ(env.messages.shown[3].text, "메모리가 부족합니다.");
    EXPECT_EQ(env.messages.shown[4].text, "예기치 않은 오류가 발생했습니다.");
}

TEST(Guard, TitleIsTheProgramNameOfVu) {
    FakeEnv env("vu");
    Guard([] { throw RunTimeError("x"); });
    EXPECT_EQ(env.messages.shown.at(0).title, "vu");
}

class UserFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("zu_userfiles_" + std::to_string(::getpid()));
        fs::create_directories(root_ / "program");
        env_.folders.program = root_ / "program";
        env_.folders.user = root_ / "config" / "zu";
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
    FakeEnv env_;
};

TEST_F(UserFilesTest, ShippedDefaultSeedsOnlyTheFirstStart) {
    ASSERT_TRUE(WriteTextFileCp949(root_ / "program" / "Default.cfg", "[lat]37.5[/lat]\r\n"));
    EXPECT_EQ(UserFileToRead("Default.cfg"), root_ / "program" / "Default.cfg");

    const fs::path written = UserFileToWrite("Default.cfg");
    EXPECT_EQ(written, root_ / "config" / "zu" / "Default.cfg");
    EXPECT_TRUE(fs::is_directory(root_ / "config" / "zu")) << "the user folder is created for the write";
    ASSERT_TRUE(WriteTextFileCp949(written, "[lat]35.1[/lat]\r\n"));
    EXPECT_EQ(UserFileToRead("Default.cfg"), written);
    EXPECT_EQ(*ReadTextFileCp949(root_ / "program" / "Default.cfg"), "[lat]37.5[/lat]\r\n")
        << "the shipped copy is never written";
}

TEST_F(UserFilesTest, NeitherCopyReadsAsTheMissingUserFile) {
    EXPECT_EQ(UserFileToRead("CalConfig.cfg"), root_ / "config" / "zu" / "CalConfig.cfg");
    EXPECT_FALSE(ReadTextFileCp949(UserFileToRead("CalConfig.cfg")).has_value());
}

TEST_F(UserFilesTest, UnwritableUserFolderMakesTheWriteFailNotCrash) {
    // A file where the user folder should be: the folder cannot be created.
    fs::create_directories(root_ / "config");
    ASSERT_TRUE(WriteFileBytesAtomic(root_ / "config" / "zu", "not a folder"));
    EXPECT_FALSE(WriteTextFileCp949(UserFileToWrite("Default.cfg"), "x"));
}

TEST_F(UserFilesTest, DocumentDialogsOpenInTheLastFolderElseDocumentsElseHome) {
    fs::create_directories(root_ / "home" / "문서");
    fs::create_directories(root_ / "home" / "charts");
    env_.folders.home = root_ / "home";
    env_.folders.documents = root_ / "home" / "문서";
    struct Row {
        const char* name;
        fs::path last_used;
        fs::path expected;
    };
    const Row rows[] = {
        {"last folder still there", root_ / "home" / "charts", root_ / "home" / "charts"},
        {"none yet", fs::path(), root_ / "home" / "문서"},
        {"last folder gone", root_ / "home" / "gone", root_ / "home" / "문서"},
        {"last 'folder' is a file", root_ / "program" / "Default.cfg", root_ / "home" / "문서"},
    };
    ASSERT_TRUE(WriteTextFileCp949(root_ / "program" / "Default.cfg", "x"));
    for (const Row& row : rows) EXPECT_EQ(DocumentFolder(row.last_used), row.expected) << row.name;

    env_.folders.documents = root_ / "home" / "Documents";  // named, never made
    EXPECT_EQ(DocumentFolder({}), root_ / "home");
    env_.folders.documents.clear();
    EXPECT_EQ(DocumentFolder(root_ / "gone"), root_ / "home");
}

}  // namespace
}  // namespace platform
