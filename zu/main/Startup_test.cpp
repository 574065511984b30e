// Start-up with the real data of the program folder: the load order's
// consequences, the stop on a missing file, the splash timer and the window
// state kept from one run to the next.
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "astro/JulianDay.h"
#include "chart/PathLists.h"
#include "orbsolve/OrbsolveLoader.h"
#include "platform/QtTestApp.h"
#include "platform/RunTimeError.h"
#include "platform/TextFile.h"
#include "skydata/Catalogs.h"
#include "skydata/PathBodies.h"
#include "zu/core/TestSupport.h"
#include "zu/core/Tracks.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/Startup.h"

namespace zu {
namespace {

using test::ProgramEnv;

// A program folder with every data entry of the real one except `left_out`.
// Links every data file but `left_out`, which may lie in a folder ("bsc/bsc05.dat").
void LinkDataExcept(const std::filesystem::path& from, const std::filesystem::path& to, const std::string& left_out) {
    const std::size_t slash = left_out.find('/');
    const std::string folder = slash == std::string::npos ? "" : left_out.substr(0, slash);
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (name == left_out) continue;
        if (name == folder) {
            std::filesystem::create_directory(to / name);
            LinkDataExcept(entry.path(), to / name, left_out.substr(slash + 1));
            continue;
        }
        std::filesystem::create_symlink(std::filesystem::absolute(entry.path()), to / name);
    }
}

TEST(Startup, RealDataReachesTheMainWindowAndDrawsOnce) {
    ProgramEnv p;
    // A file from an earlier run: summer time with the standard zone 9 and a
    // stale zone in force; real-time mode.
    test::WriteSettingsFile(p.user.path() / "Default.cfg",
                            {{"summertime", "true"},
                             {"timezone2", " 9"},
                             {"timezone", " 3"},
                             {"synctime", "true"},
                             // Hand-edited: names no item of "행성 이름표".
                             {"PNameLang", " 9"}});
    std::unique_ptr<Form1> form(InitProgram(nullptr));
    ASSERT_NE(form, nullptr) << (p.env.messages.shown.empty() ? "" : p.env.messages.shown[0].text);
    // The hand-edited value is named; the menu then checks its default.
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_NE(p.env.messages.shown[0].text.find("\r\n항목: 행성 이름표\r\n"), std::string::npos);

    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const MainState& state = AppState();
    EXPECT_EQ(s.timezone, 10);
    EXPECT_EQ(state.TimeStep, 1.0 / 24);
    EXPECT_EQ(state.CustomStep, 30.0 / 1440);
    EXPECT_EQ(state.EventStepCode, -160);
    EXPECT_EQ(state.EventStepOffset, 0);
    // The computer's clock read 21:07:45 in its zone +9; the site keeps
    // summer time (+10), and start-up takes the minute without seconds.
    EXPECT_EQ(s.CurrentJD, astro::DateToJD(2024, 3, 15, 22, 7, 0));
    EXPECT_GT(skydata::Catalogs().BscStar[0].size() + skydata::Catalogs().BscStar[3].size(), 0u);
    EXPECT_FALSE(skydata::Constellations().E.Lines.empty());

    // Showing the window drew the chart: the window's own first layout.
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(state.DrawCount, 1);
    EXPECT_TRUE(form->windowTitle().startsWith("zu - "));
    EXPECT_GT(chart::ScreenObjectCount(), 0u);
    int planet_names_checked = 0;
    for (int i = 0; i < 5; ++i) planet_names_checked += form->Menus->Action("mnuPlaName", i)->isChecked() ? 1 : 0;
    EXPECT_EQ(planet_names_checked, 1);
    EXPECT_EQ(s.PNameLang, 1);
}

// Stored tracks that take long are not computed by the load: the chart
// comes first, then their computation with its progress; stopped, the chart
// stays without them, and the bodies stay in the settings.
TEST(Startup, StoredLongTracksComeAfterTheFirstChart) {
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "let run");
        ProgramEnv p;
        char start[32], end[32];
        std::snprintf(start, sizeof start, " %.1f", astro::DateToJD(2024, 1, 1, 0, 0, 0));
        std::snprintf(end, sizeof end, " %.1f", astro::DateToJD(2025, 8, 22, 0, 0, 0));
        test::WriteSettingsFile(p.user.path() / "Default.cfg", {{"SetPath1", start},
                                                                {"SetPath2", end},
                                                                {"SetPath4", " 1"},
                                                                {"PathObj", "P0\r\nP3\r\n"},
                                                                {"ViewPath", "true"}});
        if (stop) p.env.long_work.cancel_after = {std::size_t{20}};
        std::unique_ptr<Form1> form(InitProgram(nullptr));
        ASSERT_NE(form, nullptr);
        ASSERT_EQ(p.env.long_work.requests.size(), 1u);
        EXPECT_EQ(p.env.long_work.requests[0].title, "궤적 그리기");
        EXPECT_FALSE(TrackModule().Pending);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(TrackModule().PathPoints.size(), stop ? 0u : 2u * 600u);
        EXPECT_EQ(chart::PathLists().PathVectors.size(), stop ? 0u : 2u * 600u);
        // The first chart, and one more with the tracks.
        EXPECT_EQ(AppState().DrawCount, stop ? 1 : 2);
        EXPECT_EQ(skydata::PathModule().PathBodyList, (std::vector<std::string>{"P0", "P3"}));
    }
}

TEST(Startup, StepDefaultsAreNotTakenFromTheFile) {
    ProgramEnv p;
    AppState().TimeStep = 5;
    AppState().EventStepCode = -150;
    AppState().DrawCount = 12;
    test::WriteSettingsFile(p.user.path() / "Default.cfg", {{"synctime", "false"}, {"jd", " 2451545"}});
    LoadProgramState(p.env.folders.program);
    EXPECT_EQ(AppState().TimeStep, 1.0 / 24);
    EXPECT_EQ(AppState().EventStepCode, -160);
    EXPECT_EQ(AppState().DrawCount, 0);
    EXPECT_EQ(skydata::CurrentSettings().CurrentJD, 2451545);
    EXPECT_EQ(skydata::CurrentSettings().timezone, 9);
}

TEST(Startup, MissingOrDamagedDataFileStopsWithItsNameAndWritesNothing) {
    struct Row {
        const char* name;
        const char* file;
        std::optional<std::string> content;  // nullopt: the file is missing
    };
    // A line record of "clineE.dat" is 12 bytes: two points and a code; this
    // one has no code, and 5 bytes of a next record trail it.
    const Row rows[] = {
        {"missing constellation lines", "clineE.dat", std::nullopt},
        {"damaged constellation lines", "clineE.dat", std::string(12, '\0') + "\x01\x02\x03\x04\x05"},
        {"missing deep-sky table", "dso.dat", std::nullopt},
        {"zero-byte Western constellation data", "ConstDataW.dat", ""},
        {"blank Western constellation data", "ConstDataW.dat", " \r\n\r\n"},
        {"zero-byte bright-star zone", "bsc/bsc05.dat", ""},
        {"zero-byte extended-catalogue zone", "sky2000/s2k10.dat", ""},
        {"zero-byte deep-sky table", "dso.dat", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProgramEnv p;
        test::TempFolder program;
        LinkDataExcept(p.env.folders.program, program.path(), row.file);
        if (row.content) std::ofstream(program.path() / row.file, std::ios::binary) << *row.content;
        p.env.folders.program = program.path();

        // First start of a user without settings: none are created.
        EXPECT_EQ(InitProgram(nullptr), nullptr);
        ASSERT_EQ(p.env.messages.shown.size(), 1u);
        EXPECT_NE(p.env.messages.shown[0].text.find(row.file), std::string::npos) << p.env.messages.shown[0].text;
        EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
        EXPECT_FALSE(std::filesystem::exists(p.user.path() / "Default.cfg"));

        // A user with settings: the file is left exactly as it was.
        test::WriteSettingsFile(p.user.path() / "Default.cfg", {{"mfov", " 30"}});
        const std::string before = test::ReadBytes(p.user.path() / "Default.cfg");
        EXPECT_EQ(InitProgram(nullptr), nullptr);
        EXPECT_EQ(test::ReadBytes(p.user.path() / "Default.cfg"), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(p.user.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

TEST(Startup, MissingOrbitSolverStopsWithItsNameAndWritesNothing) {
    ProgramEnv p;
    orbsolve::ResetOrbsolveBinding("liborbsolve-gone.so");
    EXPECT_EQ(InitProgram(nullptr), nullptr);
    orbsolve::ResetOrbsolveBinding();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_NE(p.env.messages.shown[0].text.find("liborbsolve-gone.so"), std::string::npos)
        << p.env.messages.shown[0].text;
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_FALSE(std::filesystem::exists(p.user.path() / "Default.cfg"));
}

TEST(Startup, SplashTimerFiresOnceEvenWhenLoadingIsSlow) {
    ProgramEnv p;
    int calls = 0;
    frmSplash splash([&] {
        ++calls;
        // Longer than the timer's interval.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(splash.width(), 459);
    EXPECT_EQ(splash.height(), 300);
    // However busy the machine, the first call comes; then three more
    // intervals pass without a second one.
    for (int waited_ms = 0; calls == 0 && waited_ms < 10000; waited_ms += 20) platform::RunEventsFor(20);
    EXPECT_EQ(calls, 1);
    platform::RunEventsFor(600);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(splash.Timer1->isActive());
}

// The program's entry reads the tables while the splash waits: the main
// window comes up from that load, and a load error (thrown on the helper
// thread) is shown by the splash's timer with the file's name like any other,
// with no window.
TEST(Startup, MainLoadsBesideTheSplashAndReportsItsErrors) {
    const auto runUntil = [](const std::function<bool()>& done) {
        for (int waited_ms = 0; !done() && waited_ms < 20000; waited_ms += 20) platform::RunEventsFor(20);
    };
    {
        ProgramEnv p;
        ASSERT_TRUE(Main());
        runUntil([] { return Form1::Instance() != nullptr; });
        EXPECT_NE(Form1::Instance(), nullptr);
        EXPECT_TRUE(p.env.messages.shown.empty());
        EXPECT_FALSE(skydata::Catalogs().BscStar[0].empty());
        ReleaseWindows();
        EXPECT_EQ(Form1::Instance(), nullptr);
    }
    {
        ProgramEnv p;
        test::TempFolder program;
        LinkDataExcept(p.env.folders.program, program.path(), "dso.dat");
        p.env.folders.program = program.path();
        ASSERT_TRUE(Main());
        runUntil([&] { return !p.env.messages.shown.empty(); });
        ASSERT_EQ(p.env.messages.shown.size(), 1u);
        EXPECT_NE(p.env.messages.shown[0].text.find("dso.dat"), std::string::npos) << p.env.messages.shown[0].text;
        EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
        EXPECT_EQ(Form1::Instance(), nullptr);
        ReleaseWindows();
    }
}

// A start clears the user folder of what saves killed half way left beside
// the program's own files, and of nothing else.
TEST(Startup, LeftoversOfKilledSavesGoAtStart) {
    ProgramEnv p;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    struct Case {
        const char* name;
        bool swept;
    } cases[] = {
        {"Default.cfg.zu-save-Ab12Cd", true},     {"Default.cfg.bak.zu-save-Ab12Cd", true},
        {"PathCache.dat.zu-save-Ab12Cd", true},   {"local.txt.zu-save-Ab12Cd", true},
        {"CalConfig.cfg.zu-save-Ab12Cd", false},  {"Default.cfg.tmp42", false},
        {"notes.zu-save", false},                  {"Default.cfg~", false},
    };
    for (const Case& c : cases) {
        std::ofstream(p.user.path() / c.name) << "x";
        std::filesystem::last_write_time(p.user.path() / c.name, old);
    }
    ASSERT_TRUE(Main());
    for (const Case& c : cases) EXPECT_EQ(std::filesystem::exists(p.user.path() / c.name), !c.swept) << c.name;
    for (int waited_ms = 0; !Form1::Instance() && waited_ms < 20000; waited_ms += 20) platform::RunEventsFor(20);
    EXPECT_NE(Form1::Instance(), nullptr);
    ReleaseWindows();
}

TEST(Startup, MissingSplashPictureIsReportedByName) {
    ProgramEnv p;
    test::TempFolder empty;
    p.env.folders.program = empty.path();
    try {
        frmSplash splash([] {});
        FAIL() << "no error";
    } catch (const platform::RunTimeError& error) {
        EXPECT_NE(std::string(error.what()).find("splash.dat"), std::string::npos);
    }
}

TEST(Startup, WindowStateSurvivesTheNextStart) {
    ProgramEnv p;
    {
        std::unique_ptr<Form1> form(InitProgram(nullptr));
        ASSERT_NE(form, nullptr);
        form->resize(700, 500);
        form->showMaximized();
        QCoreApplication::processEvents();
        form->close();
    }
    const std::filesystem::path file = p.user.path() / "Default.cfg";
    ASSERT_TRUE(std::filesystem::exists(file));
    const std::string text = test::ReadBytes(file);
    EXPECT_NE(text.find("[fstate] 2[/fstate]"), std::string::npos) << text.substr(0, 200);
    // Written whole, through a temporary file that is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(p.user.path()), std::filesystem::directory_iterator()),
              1);

    test::ResetRun();
    std::unique_ptr<Form1> next(InitProgram(nullptr));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(skydata::CurrentSettings().fstate, 2);
    EXPECT_TRUE(next->isMaximized());
}

// A "Default.cfg" of junk numbers beside an empty list of map points gives
// no setting: the start says so with every default, and closing keeps the
// user's file as it was.
TEST(Startup, ADefaultCfgOfJunkIsReportedAndKept) {
    ProgramEnv p;
    const std::filesystem::path file = p.user.path() / "Default.cfg";
    const std::string junk =
        "[mcenterx]abc[/mcenterx]\r\n[lat]x[/lat]\r\n[jd]1E+400[/jd]\r\n[PointData][/PointData]\r\n";
    std::ofstream(file, std::ios::binary) << junk;
    {
        std::unique_ptr<Form1> form(InitProgram(nullptr));
        ASSERT_NE(form, nullptr);
        ASSERT_EQ(p.env.messages.shown.size(), 1u);
        EXPECT_EQ(p.env.messages.shown[0].text,
                  "설정 파일(Default.cfg)을 읽을 수 없어 기본 설정으로 시작합니다.\r\n"
                  "이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다.");
        EXPECT_EQ(skydata::CurrentSettings().lat, 35.82);
        form->close();
    }
    EXPECT_EQ(test::ReadBytes(file), junk);
}

// A "Default.cfg" whose latitude a user broke: the start names the setting
// and the file and draws for the first-start latitude; the damaged file is
// kept as "Default.cfg.bak" before quitting writes over it.
TEST(Startup, ADamagedValueInDefaultCfgIsNamedAndTheFileKept) {
    ProgramEnv p;
    const std::filesystem::path file = p.user.path() / "Default.cfg";
    {
        std::unique_ptr<Form1> form(InitProgram(nullptr));
        ASSERT_NE(form, nullptr);
        skydata::CurrentSettings().lat = 37.5;
        form->close();
    }
    std::string damaged = test::ReadBytes(file);
    const std::size_t at = damaged.find("[lat] 37.5[/lat]");
    ASSERT_NE(at, std::string::npos);
    damaged.replace(at, 16, "[lat] x[/lat]");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << damaged;

    test::ResetRun();
    p.env.messages.shown.clear();
    {
        std::unique_ptr<Form1> form(InitProgram(nullptr));
        ASSERT_NE(form, nullptr);
        ASSERT_EQ(p.env.messages.shown.size(), 1u);
        EXPECT_EQ(p.env.messages.shown[0].text,
                  "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.\r\n" +
                      platform::FullName(file) +
                      "\r\n항목: 위도\r\n원래 파일은 이 파일에 저장하기 전에 Default.cfg.bak 파일로 남겨 둡니다.");
        EXPECT_EQ(skydata::CurrentSettings().lat, 35.82);
        EXPECT_FALSE(std::filesystem::exists(file.string() + ".bak"));
        form->close();
    }
    EXPECT_EQ(test::ReadBytes(file.string() + ".bak"), damaged);
    EXPECT_NE(test::ReadBytes(file).find("[lat] 35.82[/lat]"), std::string::npos);
}

// A user's first start: the chart opens on today at the site 고령, though
// the computer's clock, kept at UTC+14, has reached the next day, in a window
// that shows every toolbar button as far as the screen allows.
TEST(Startup, FirstStartOpensOnTheSitesDayAtASizeForEveryButton) {
    ProgramEnv p;
    p.env.clock.zone_min = 14 * 60;
    p.env.clock.Set(2024, 3, 16, 2, 30, 0);  // 12:30 UTC on the 15th: 21:30 at 고령
    std::unique_ptr<Form1> form(InitProgram(nullptr));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(skydata::CurrentSettings().CurrentJD, astro::DateToJD(2024, 3, 15, 0, 0, 0));
    // The frame the window system draws comes on top of the size.
    const QSize frame = form->frameGeometry().size() - form->size();
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size() - frame;
    EXPECT_EQ(form->size(), QSize(543, 520).expandedTo(form->SizeShowingEveryButton()).boundedTo(available));
    form->resize(600, 500);
    QCoreApplication::processEvents();
    form->close();
    form.reset();

    // The next start keeps the user's size.
    test::ResetRun();
    std::unique_ptr<Form1> next(InitProgram(nullptr));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->size(), QSize(600, 500));
}

TEST(Startup, NormalOrMinimisedWindowStoresItsNormalSize) {
    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "minimised" : "normal");
        ProgramEnv p;
        {
            std::unique_ptr<Form1> form(InitProgram(nullptr));
            ASSERT_NE(form, nullptr);
            form->resize(640, 480);
            QCoreApplication::processEvents();
            if (minimised) {
                form->showMinimized();
                QCoreApplication::processEvents();
            }
            form->close();
        }
        const std::string text = test::ReadBytes(p.user.path() / "Default.cfg");
        EXPECT_NE(text.find("[fstate] 0[/fstate]"), std::string::npos);
        EXPECT_NE(text.find("[fwidth] 9600[/fwidth]"), std::string::npos);
        EXPECT_NE(text.find("[fheight] 7200[/fheight]"), std::string::npos);
    }
}

}  // namespace
}  // namespace zu
