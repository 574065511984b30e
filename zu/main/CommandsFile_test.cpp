// Program commands: chart files saved and opened again, pictures, the
// clipboard, the About message, the home page and exit. Every case drives the
// command through the main window with scripted dialogs.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QImage>
#include <QListWidget>
#include <QTimer>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include <unistd.h>

#include "astro/Atmosphere.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/QtLongWork.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/UserCatalogs.h"
#include "ui/About.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/core/Tracks.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/tracks/MarkerWindow.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        form = std::make_unique<Form1>();
        form->resize(700, 500);
        form->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        form.reset();
        ResetToolWindows();
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    void Answer(const fs::path& path, int filter_index = 1) {
        p.env.files.answers.push_back(platform::FileChoice{path, filter_index});
    }
    // Every setting a chart file holds, as the text it is written with.
    static std::string ChartSettingsText() {
        skydata::BuildSettingsStore(skydata::SettingsWindowKeys::Excluded);
        std::string text = skydata::ConfigStore().ConfigText;
        skydata::ClearConfig();
        return text;
    }
    // Saves a chart at 0시 whose track (the Sun's, `days` days a day apart)
    // takes long work to compute when the file is opened. The settings it
    // holds, as ChartSettingsText gives them.
    std::string SaveChartWithLongTrack(const fs::path& path, int days) {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 0, 0, 0);
        skydata::PathState& paths = skydata::PathModule();
        paths.PathBodyList = {"P0"};
        paths.Settings.StartJD = astro::DateToJD(2024, 1, 1, 0, 0, 0);
        paths.Settings.EndJD = paths.Settings.StartJD + days - 1;
        paths.Settings.StepDays = 1;
        S().ViewPath = true;
        // As start-up leaves them: a blank catalogue slot reads back empty.
        skydata::CheckUserCatalogs();
        Answer(path);
        form->Dispatch("mnuSave");
        return ChartSettingsText();
    }
    // Lets the event loop run for about `ms` milliseconds.
    static void RunEventsFor(int ms) {
        for (int i = 0; i < ms / 5; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            QCoreApplication::processEvents();
        }
    }
    std::size_t FilesIn(const fs::path& folder) {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            (void)entry;
            ++count;
        }
        return count;
    }

    test::ProgramEnv p;
    test::TempFolder files;
    std::unique_ptr<Form1> form;
};

TEST_F(FileCommandsTest, SaveAndOpenReproduceEverySettingButTheWindowSize) {
    S().ViewFOV = 17.5;
    S().ViewCoordSys = "e";
    S().ViewCenterX = 83.25;
    S().ViewCenterY = -5.5;
    S().MapRotation = 30;
    S().viewecl = !S().viewecl;
    S().milkyway = !S().milkyway;
    S().vmlimit = 7.5f;
    S().lat = 37.5;
    S().lon = 127.25;
    S().nobsname = "서울";
    S().Temperature = -5;
    S().Pressure = 990;
    S().AirExCoff = 0.4f;
    skydata::AddMapPoint(10, 20, 2, 30, "표지 1", 255);
    skydata::AddDrawnLine(1, 2, 3, 4, 65535, "선");
    skydata::PathModule().Settings.StepDays = 5;
    // As start-up leaves them: a blank catalogue slot reads back empty.
    skydata::CheckUserCatalogs();
    const std::string saved = ChartSettingsText();

    const fs::path path = files.path() / "chart.SKY";
    Answer(path);
    form->Dispatch("mnuSave");
    ASSERT_TRUE(fs::exists(path));
    ASSERT_EQ(p.env.files.requests.size(), 1u);
    const platform::FileRequest& save = p.env.files.requests[0];
    EXPECT_EQ(save.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(save.title, "zu 저장하기");
    EXPECT_EQ(save.filter, "zu 파일(*.SKY)|*.SKY");
    EXPECT_EQ(save.folder, p.documents.path()) << "the program folder may be read-only";
    EXPECT_EQ(save.name, astro::MakeChartFileName(S().CurrentJD, "서울") + ".SKY");
    // The file carries no window size.
    EXPECT_EQ(test::ReadBytes(path).find("[fwidth]"), std::string::npos);

    // Another chart in the meantime, and another window size.
    test::ResetRun();
    S().fwidth = 1500;
    S().fheight = 3000;
    S().fstate = 2;
    form->TrackOn = 1;
    form->TrackKey = "P4";

    Answer(path);
    form->Dispatch("mnuOpen");
    ASSERT_TRUE(p.env.messages.shown.empty()) << p.env.messages.shown[0].text;
    const platform::FileRequest& open = p.env.files.requests[1];
    EXPECT_EQ(open.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(open.title, "zu 불러오기");
    EXPECT_EQ(open.filter, "zu 파일(*.SKY)|*.SKY");
    EXPECT_EQ(open.name, "") << "an open dialog starts without a name";

    EXPECT_EQ(ChartSettingsText(), saved);
    EXPECT_EQ(S().fwidth, 1500);
    EXPECT_EQ(S().fheight, 3000);
    EXPECT_EQ(S().fstate, 2);
    // Opening stops tracking and follows up as start-up does.
    EXPECT_EQ(form->TrackOn, 0);
    EXPECT_EQ(AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, 127.25, S().timezone));
    EXPECT_EQ(astro::Atmosphere().RefractionTable, astro::MakeRefractionTable(-5, 990));
    EXPECT_EQ(astro::Atmosphere().ExtinctionTable, astro::MakeExtinctionTable(0.4f));
    EXPECT_EQ(S().ViewFOV, 17.5);
    EXPECT_TRUE(form->windowTitle().contains(QString::fromUtf8("서울")));
}

// The animation and the real-time clock tick while an opened chart's tracks
// are computed: their handlers change nothing then, and the chart takes the
// time and every setting of the file. The chart keeps its last picture and
// title meanwhile, is drawn once the file is applied, and the animation goes
// on from the file's time afterwards.
TEST_F(FileCommandsTest, TimersHoldStillWhileAnOpenedChartsTracksAreComputed) {
    const fs::path path = files.path() / "track.SKY";
    const std::string saved = SaveChartWithLongTrack(path, 1200);
    const double file_jd = S().CurrentJD;

    test::ResetRun();
    InstallPathHooks();
    S().CurrentJD = astro::DateToJD(2024, 6, 1, 12, 0, 0);
    form->SetMapBox();
    const QString title_before = form->windowTitle();
    const QImage picture_before = form->Picture1->Surface().Image().copy();
    int ticks = 0;
    QObject::connect(form->Timer1, &QTimer::timeout, form.get(), [&] { ++ticks; });
    form->Timer1->setInterval(1);
    form->Timer1->start();
    form->Timer3->setInterval(1);
    S().RealTimeMode = false;

    std::int64_t draws_meanwhile = -1;
    QString title_meanwhile;
    bool picture_kept = false;
    p.env.long_work.meanwhile = [&] {
        const std::int64_t draws = AppState().DrawCount;
        // Long enough for both timers to fire, and a resize from the
        // window system.
        form->resize(form->width() + 20, form->height());
        RunEventsFor(25);
        draws_meanwhile = AppState().DrawCount - draws;
        title_meanwhile = form->windowTitle();
        picture_kept = form->Picture1->Surface().Image().copy(picture_before.rect()) == picture_before;
    };
    const std::int64_t draws = AppState().DrawCount;
    Answer(path);
    form->Dispatch("mnuOpen");
    ASSERT_TRUE(p.env.messages.shown.empty()) << p.env.messages.shown[0].text;
    ASSERT_EQ(p.env.long_work.requests.size(), 1u);
    EXPECT_EQ(TrackModule().PathPoints.size(), 1200u);
    EXPECT_GT(ticks, 0) << "no tick was delivered during the work";
    EXPECT_EQ(draws_meanwhile, 0);
    EXPECT_EQ(title_meanwhile.toStdString(), title_before.toStdString());
    EXPECT_TRUE(picture_kept);

    EXPECT_EQ(S().CurrentJD, file_jd);
    EXPECT_EQ(ChartSettingsText(), saved);
    EXPECT_EQ(form->windowTitle().toStdString(), "zu" + astro::DateTimeJDText(file_jd, true, file_jd, S().nobsname));
    EXPECT_EQ(AppState().DrawCount, draws + 1);

    // Once the work is over the held redraw comes at the new size, and the
    // animation steps on from the file's time.
    p.env.long_work.meanwhile = nullptr;
    RunEventsFor(20);
    EXPECT_NE(S().CurrentJD, file_jd);
    form->Timer1->stop();
    RunEventsFor(150);
    EXPECT_EQ(form->Picture1->Surface().Image().size(), form->Picture1->size());
}

// Closing the main window from its frame while an opened chart's tracks are
// computed stops the computation; the program then quits as it always does,
// once the file is applied, storing the settings in force.
TEST_F(FileCommandsTest, ClosingTheMainWindowDuringTheTracksStopsThemAndQuits) {
    const fs::path path = files.path() / "long.SKY";
    constexpr int kDays = 40000;
    SaveChartWithLongTrack(path, kDays);
    test::ResetRun();
    InstallPathHooks();
    platform::Env().long_work = &platform::QtLongWorkService();

    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QCoreApplication::instance()->notify(form->windowHandle(), &close);
    });
    closer.start(0);
    Answer(path);
    form->Dispatch("mnuOpen");
    EXPECT_FALSE(closer.isActive());
    EXPECT_LT(TrackModule().PathPoints.size(), static_cast<std::size_t>(kDays)) << "the work was not stopped";
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 0, 0, 0)) << "the file is applied";
    EXPECT_TRUE(form->isVisible()) << "closed in the middle of the command";
    const fs::path stored = p.user.path() / "Default.cfg";
    EXPECT_FALSE(fs::exists(stored));

    QCoreApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
    ASSERT_TRUE(fs::exists(stored));
    char jd[32];
    std::snprintf(jd, sizeof jd, "[jd] %.1f", astro::DateToJD(2024, 3, 15, 0, 0, 0));
    EXPECT_NE(test::ReadBytes(stored).find(jd), std::string::npos) << test::ReadBytes(stored).substr(0, 300);
}

// A chart saved under a name typed without an extension is a ".SKY" file,
// which the open dialog's filter lists; a chart file already at that name is
// replaced only when the user says so ("아니요" is the default).
TEST_F(FileCommandsTest, AChartNamedWithoutAnExtensionIsASkyFile) {
    Answer(files.path() / "mychart");
    form->Dispatch("mnuSave");
    EXPECT_TRUE(fs::is_regular_file(files.path() / "mychart.SKY"));
    EXPECT_FALSE(fs::exists(files.path() / "mychart"));
    EXPECT_TRUE(p.env.messages.shown.empty());

    std::ofstream(files.path() / "mine.SKY") << "[lat] 1[/lat]\r\n";
    Answer(files.path() / "mine");  // Enter on the question
    form->Dispatch("mnuSave");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, (files.path() / "mine.SKY").string() + " 파일이 이미 있습니다. 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].title, "zu 저장하기");
    EXPECT_EQ(p.env.messages.shown[0].default_answer, platform::MsgAnswer::No);
    EXPECT_EQ(test::ReadBytes(files.path() / "mine.SKY"), "[lat] 1[/lat]\r\n");
    ASSERT_EQ(p.env.files.requests.size(), 3u) << "the dialog again at the name kept";
    EXPECT_EQ(p.env.files.requests[2].name, "mine.SKY");

    p.env.messages.answers = {platform::MsgAnswer::Yes};
    Answer(files.path() / "mine");
    form->Dispatch("mnuSave");
    EXPECT_NE(test::ReadBytes(files.path() / "mine.SKY").find("[version]"), std::string::npos);
    EXPECT_EQ(FilesIn(files.path()), 2u);
}

TEST_F(FileCommandsTest, OpeningFollowsTheClockTheZoneAndTheMarkerList) {
    // Saved in real-time mode, with summer time and a stale zone in force.
    const fs::path path = files.path() / "live.SKY";
    test::WriteSettingsFile(path, {{"version", "0.841"},
                                   {"synctime", "true"},
                                   {"jd", " 2451545"},
                                   {"summertime", "true"},
                                   {"timezone2", " 9"},
                                   {"timezone", " 3"},
                                   {"usercatfile0", "/no/such/catalogue.UC"},
                                   {"usercatfile0is", "true"},
                                   {"PointData", "y<; 10<; 20<; mark 1<; 255<; 60<; 1\r\ny<; 30<; 40<; mark 2<; 255<; 60<; 1\r\n"}});
    FrmPoint& markers = MarkerWindow(form.get());
    EXPECT_EQ(markers.List1->count(), 0);
    Answer(path);
    form->Dispatch("mnuOpen");
    ASSERT_TRUE(p.env.messages.shown.empty()) << p.env.messages.shown[0].text;
    // The computer's clock reads 2024-03-15 21:07:45 in its zone +9; the
    // chart takes the minute in the site's summer time (+10).
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 22, 7, 0));
    EXPECT_TRUE(S().RealTimeMode);
    EXPECT_EQ(S().timezone, 10);
    // The catalogue file is gone: its slot is released and its menu item
    // says so.
    EXPECT_FALSE(S().usercatfile0is);
    EXPECT_FALSE(form->Menus->Action("mnuCustom", 0)->isEnabled());
    ASSERT_EQ(markers.List1->count(), 2);
    EXPECT_EQ(markers.List1->item(1)->text().toStdString(), "(1)mark 2");
}

TEST_F(FileCommandsTest, CancelledOrUnusableFilesChangeNothing) {
    const fs::path damaged = files.path() / "damaged.SKY";
    std::ofstream(damaged) << "this is not a chart file\r\n[mfov] 20\r\n";
    const fs::path missing = files.path() / "missing.SKY";
    // Empty, blank and cut off in the middle of an entry: each would put
    // every setting (or every later one) back to its default.
    const fs::path empty = files.path() / "empty.SKY";
    std::ofstream(empty) << "";
    const fs::path blank = files.path() / "blank.SKY";
    std::ofstream(blank) << " \r\n\r\n";
    const fs::path cut = files.path() / "cut.SKY";
    std::ofstream(cut) << "[version]0.841[/version]\r\n[mfov] 20[/mfov]\r\n[lat] 3";
    S().ViewFOV = 42;
    skydata::AddMapPoint(1, 2, 1, 60, "표지 1", 255);
    form->TrackOn = 1;
    form->TrackKey = "P0";
    const std::string before = ChartSettingsText();

    form->Dispatch("mnuOpen");  // cancelled
    EXPECT_TRUE(p.env.messages.shown.empty());
    for (const fs::path& path : {damaged, missing, empty, blank, cut}) {
        p.env.messages.shown.clear();
        Answer(path);
        form->Dispatch("mnuOpen");
        ASSERT_EQ(p.env.messages.shown.size(), 1u) << path;
        EXPECT_NE(p.env.messages.shown[0].text.find(path.string()), std::string::npos);
        EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Critical);
    }
    EXPECT_EQ(ChartSettingsText(), before);
    EXPECT_EQ(form->TrackOn, 1);
    EXPECT_FALSE(fs::exists(missing));
}

// A chart file with values it cannot use (a latitude of letters, a switch
// that is no switch, a colour out of range) opens with their defaults for
// those settings and the rest of the file, names them once the chart is
// drawn, and leaves the file as it is.
TEST_F(FileCommandsTest, DamagedValuesOfAChartFileTakeTheirDefaultsAndAreNamed) {
    const fs::path path = files.path() / "damaged.SKY";
    const std::string text = "[version]0.841[/version]\r\n[mfov] 20[/mfov]\r\n[lat] x[/lat]\r\n"
                             "[viewstar]1[/viewstar]\r\n[groundcol] 2E+7[/groundcol]\r\n";
    std::ofstream(path, std::ios::binary) << text;
    S().lat = 10;
    S().viewstar = false;
    S().groundcol = 5;
    Answer(path);
    form->Dispatch("mnuOpen");
    EXPECT_EQ(S().ViewFOV, 20);
    EXPECT_EQ(S().lat, 35.82);
    EXPECT_TRUE(S().viewstar);
    EXPECT_EQ(S().groundcol, 16384);
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "zu 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.\r\n" +
                                                 platform::FullName(path) +
                                                 "\r\n항목: 위도, 별 그리기, 지면 색\r\n이 파일은 바꾸지 않습니다.");
    EXPECT_EQ(p.env.messages.shown[0].title, "zu 불러오기");
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(test::ReadBytes(path), text);
    EXPECT_EQ(FilesIn(files.path()), 1u);

    // A chart without damage opens without a word.
    p.env.messages.shown.clear();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "[mfov] 30[/mfov]\r\n[lat] 37.5abc[/lat]\r\n";
    Answer(path);
    form->Dispatch("mnuOpen");
    EXPECT_EQ(S().lat, 37.5);
    EXPECT_TRUE(p.env.messages.shown.empty());
}

// A chart file of junk numbers reads as every key absent: with any text key
// beside them (even an empty list of map points) it would reset the site, the
// view and every layer, and quitting would store that in "Default.cfg". It is
// refused like an empty file; one usable number makes it a chart.
TEST_F(FileCommandsTest, AChartFileOfJunkValuesIsRefusedAndNeverReachesTheSettings) {
    S().ViewFOV = 42;
    S().lat = 37.5;
    S().nobsname = "서울";
    S().viewstar = false;
    const fs::path saved = files.path() / "saved.SKY";
    Answer(saved);
    form->Dispatch("mnuSave");
    const std::string junk = "[version]0.841[/version]\r\n[mcenterx]abc[/mcenterx]\r\n[lat]x[/lat]\r\n"
                             "[jd]1E+400[/jd]\r\n[PointData][/PointData]\r\n";
    struct Row {
        const char* name;
        std::string text;  // empty: the chart saved above
        bool opened;
        double fov;
        const char* named;  // the settings the message of an opened chart names; "" none
    };
    const Row rows[] = {
        {"junk numbers and an empty list of map points", junk, false, 42, ""},
        {"one number among the junk", junk + "[mfov] 20[/mfov]\r\n", true, 20, "시야 중심(방위각, 적경), 위도, 날짜와 시각"},
        {"a chart the program saved", "", true, 42, ""},
        {"junk numbers, texts only", junk + "[nobsname]부산[/nobsname]\r\n[DLine][/DLine]\r\n", false, 42, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path path = row.text.empty() ? saved : files.path() / "chart.SKY";
        if (!row.text.empty()) std::ofstream(path, std::ios::binary) << row.text;
        const std::string before = ChartSettingsText();
        p.env.messages.shown.clear();
        Answer(path);
        form->Dispatch("mnuOpen");
        EXPECT_EQ(S().ViewFOV, row.fov);
        if (row.opened) {
            if (*row.named == '\0') {
                EXPECT_TRUE(p.env.messages.shown.empty());
            } else {
                ASSERT_EQ(p.env.messages.shown.size(), 1u);
                EXPECT_NE(p.env.messages.shown[0].text.find(std::string("\r\n항목: ") + row.named + "\r\n"),
                          std::string::npos)
                    << p.env.messages.shown[0].text;
            }
            continue;
        }
        ASSERT_EQ(p.env.messages.shown.size(), 1u);
        EXPECT_EQ(p.env.messages.shown[0].text, "zu 파일을 읽을 수 없습니다: " + path.string());
        EXPECT_EQ(ChartSettingsText(), before);
    }
    EXPECT_EQ(S().nobsname, "서울");
    EXPECT_EQ(S().lat, 37.5);
    EXPECT_FALSE(S().viewstar);

    // Quitting stores the chart in force, not the junk.
    form->Menus->Action("mnuexit")->trigger();
    const std::string stored = test::ReadBytes(p.user.path() / "Default.cfg");
    for (const char* entry : {"[mfov] 42[/mfov]", "[lat] 37.5[/lat]", "[viewstar]false[/viewstar]"}) {
        EXPECT_NE(stored.find(entry), std::string::npos) << entry;
    }
}

TEST_F(FileCommandsTest, AChartFileThatCannotBeWrittenIsReportedAndNotLeftHalfWritten) {
    // A file standing where the folder should be: nothing can be written there.
    const fs::path blocker = files.path() / "not a folder";
    std::ofstream(blocker) << "x";
    const fs::path path = blocker / "chart.SKY";
    // And an existing chart file over which the write fails (a folder of that name).
    const fs::path folder_named = files.path() / "taken.SKY";
    fs::create_directory(folder_named);
    for (const fs::path& target : {path, folder_named}) {
        p.env.messages.shown.clear();
        Answer(target);
        form->Dispatch("mnuSave");
        ASSERT_EQ(p.env.messages.shown.size(), 1u) << target;
        EXPECT_NE(p.env.messages.shown[0].text.find(target.string()), std::string::npos);
    }
    EXPECT_EQ(FilesIn(files.path()), 2u);
    EXPECT_TRUE(fs::is_directory(folder_named));

    form->Dispatch("mnuSave");  // cancelled
    EXPECT_EQ(FilesIn(files.path()), 2u);
}

TEST_F(FileCommandsTest, AReadOnlyFolderTakesNoFile) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    const fs::path folder = files.path() / "read-only";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string before = ChartSettingsText();
    Answer(folder / "chart.SKY");
    form->Dispatch("mnuSave");
    Answer(folder / "chart.PNG");
    form->Dispatch("mnuPSave");
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_NE(p.env.messages.shown[0].text.find("chart.SKY"), std::string::npos);
    EXPECT_NE(p.env.messages.shown[1].text.find("chart.PNG"), std::string::npos);
    EXPECT_EQ(FilesIn(folder), 0u);
    EXPECT_EQ(ChartSettingsText(), before);
}

TEST_F(FileCommandsTest, DefaultNamesHoldNoFolderOrControlCharacters) {
    S().nobsname = "서울/강남\\중구:\t역\x01 앞";
    form->Dispatch("mnuSave");
    form->Dispatch("mnuPSave");
    ASSERT_EQ(p.env.files.requests.size(), 2u);
    for (const platform::FileRequest& request : p.env.files.requests) {
        for (const char c : request.name) {
            EXPECT_NE(c, '/');
            EXPECT_NE(c, '\\');
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << request.name;
        }
    }
    EXPECT_EQ(p.env.files.requests[0].name.substr(p.env.files.requests[0].name.size() - 4), ".SKY");
    EXPECT_EQ(p.env.files.requests[1].name, astro::MakeChartFileName(S().CurrentJD, S().nobsname));
}

// Each kind of file keeps the folder it was last used in; a folder gone since,
// or none yet, gives the documents folder, and without that the home folder.
// Never the program folder, which may be read-only once installed.
TEST_F(FileCommandsTest, DialogsOpenInTheLastFolderOfTheirKind) {
    const fs::path charts = files.path() / "charts";
    const fs::path pictures = files.path() / "그림";
    fs::create_directories(charts);
    fs::create_directories(pictures);
    auto folder_of_next = [&](const char* command) {
        const std::size_t before = p.env.files.requests.size();
        form->Dispatch(command);
        EXPECT_EQ(p.env.files.requests.size(), before + 1) << command;
        return p.env.files.requests.back().folder;
    };
    Answer(charts / "a.SKY");
    EXPECT_EQ(folder_of_next("mnuSave"), p.documents.path());
    Answer(pictures / "a.PNG");
    EXPECT_EQ(folder_of_next("mnuPSave"), p.documents.path()) << "the chart's folder is not the picture's";
    Answer(charts / "a.SKY");
    EXPECT_EQ(folder_of_next("mnuOpen"), charts);
    EXPECT_EQ(folder_of_next("mnuPSave"), pictures);
    EXPECT_EQ(folder_of_next("mnuSave"), charts) << "a cancelled dialog forgets nothing";
    EXPECT_TRUE(p.env.messages.shown.empty()) << p.env.messages.shown[0].text;

    fs::remove_all(pictures);
    EXPECT_EQ(folder_of_next("mnuPSave"), p.documents.path());
    p.env.folders.documents = files.path() / "Documents";  // named by the system but never made
    p.env.folders.home = files.path();
    EXPECT_EQ(folder_of_next("mnuPSave"), files.path());

    // Kept with the settings of "Default.cfg" for the next start.
    EXPECT_EQ(S().ChartFolder, charts.string());
    form->close();
    EXPECT_NE(test::ReadBytes(p.user.path() / "Default.cfg").find("[ChartFolder]" + charts.string() + "[/ChartFolder]"),
              std::string::npos);
}

TEST_F(FileCommandsTest, PicturesTakeTheFormatOfTheirNameOrFilter) {
    struct Row {
        const char* chosen;
        int filter;
        const char* written;
        const char* magic;
    };
    const Row rows[] = {
        {"a.PNG", 1, "a.PNG", "\x89PNG"}, {"b.png", 2, "b.png", "\x89PNG"}, {"c", 4, "c.PNG", "\x89PNG"},
        {"d.JPG", 1, "d.JPG", "\xFF\xD8\xFF"}, {"e.GIF", 1, "e.GIF", "GIF8"}, {"f.BMP", 4, "f.BMP", "BM"},
        {"g", 1, "g.BMP", "BM"},
    };
    for (const Row& row : rows) {
        Answer(files.path() / row.chosen, row.filter);
        form->Dispatch("mnuPSave");
        const fs::path written = files.path() / row.written;
        ASSERT_TRUE(fs::exists(written)) << row.chosen;
        EXPECT_EQ(test::ReadBytes(written).substr(0, std::string(row.magic).size()), row.magic) << row.chosen;
        const QImage picture(QString::fromStdString(written.string()));
        EXPECT_EQ(picture.size(), form->Picture1->size()) << row.chosen;
    }
    EXPECT_EQ(FilesIn(files.path()), std::size(rows));
    EXPECT_TRUE(p.env.messages.shown.empty());
    const platform::FileRequest& request = p.env.files.requests[0];
    EXPECT_EQ(request.title, "그림으로 저장");
    EXPECT_EQ(request.filter,
              "윈도우즈 그림 파일(*.BMP)|*.BMP|JPEG 파일(*.JPG)|*.JPG|GIF 파일(*.GIF)|*.GIF|PNG 파일(*.PNG)|*.PNG");
}

TEST_F(FileCommandsTest, PictureCancelAndFailureLeaveNoFile) {
    form->Dispatch("mnuPSave");  // cancelled
    EXPECT_EQ(FilesIn(files.path()), 0u);
    EXPECT_TRUE(p.env.messages.shown.empty());
    Answer(files.path() / "no folder" / "x.PNG");
    form->Dispatch("mnuPSave");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_NE(p.env.messages.shown[0].text.find("x.PNG"), std::string::npos);
    EXPECT_EQ(FilesIn(files.path()), 0u);
}

TEST_F(FileCommandsTest, AnAddedExtensionAsksBeforeReplacingAFile) {
    const fs::path existing = files.path() / "x.PNG";
    std::ofstream(existing) << "keep";
    p.env.messages.answers.push_back(platform::MsgAnswer::No);
    Answer(files.path() / "x", 4);
    form->Dispatch("mnuPSave");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(test::ReadBytes(existing), "keep");

    p.env.messages.answers.push_back(platform::MsgAnswer::Yes);
    Answer(files.path() / "x", 4);
    form->Dispatch("mnuPSave");
    EXPECT_EQ(test::ReadBytes(existing).substr(0, 4), "\x89PNG");
    EXPECT_EQ(FilesIn(files.path()), 1u);
}

TEST_F(FileCommandsTest, ClipboardGetsTheChartAsDrawn) {
    form->SetMapBox();
    p.env.clipboard.text = "old";
    form->Dispatch("mnuClip");
    EXPECT_EQ(p.env.clipboard.clears, 1);
    EXPECT_TRUE(p.env.clipboard.text.empty());
    EXPECT_EQ(p.env.clipboard.image.size(), form->Picture1->size());
    EXPECT_EQ(p.env.clipboard.image.convertToFormat(QImage::Format_RGB32),
              form->Picture1->Surface().Image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(FileCommandsTest, AboutHomePageAndExit) {
    form->Menus->Action("mnuInfo")->trigger();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    const platform::Message& about = p.env.messages.shown[0];
    EXPECT_EQ(about.title, "zu");
    EXPECT_EQ(about.icon, platform::MsgIcon::Information);
    const std::string head =
        "zu 0.1.0\r\n\r\n이 프로그램은 성경(星鏡)에 그려진 우리 별자리를 \r\n표시해 주는 프로그램입니다.\r\n\r\n"
        "아직 완성되지 않은 프로그램입니다. 많은 제안 기\r\n다리겠습니다.\r\n\r\n";
    EXPECT_EQ(about.text.substr(0, head.size()), head);
    // No made-up address or contact: the documentation page instead.
    const fs::path page = p.env.folders.program / "README.html";
    EXPECT_NE(about.text.find("설명서: " + page.string()), std::string::npos);
    for (const char* invented : {"example.", "@", "http"}) EXPECT_EQ(about.text.find(invented), std::string::npos);

    // The build renders the README next to the executables, as installing
    // puts it in the documentation folder.
    ASSERT_TRUE(fs::is_regular_file(page)) << page;
    EXPECT_NE(test::ReadBytes(page).find("<h1>zu · vu · orbsolve</h1>"), std::string::npos);
    form->Menus->Action("mnuHome")->trigger();
    EXPECT_EQ(p.env.shell.opened, std::vector<std::string>{page.string()});
    EXPECT_EQ(p.env.messages.shown.size(), 1u);
    // A desktop without a browser: the user is told which file to open.
    p.env.shell.opens = false;
    form->Menus->Action("mnuHome")->trigger();
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text,
              "설명서를 웹 브라우저로 열 수 없습니다. 이 파일을 직접 여십시오:\r\n" + page.string());
    EXPECT_EQ(p.env.messages.shown[1].icon, platform::MsgIcon::Exclamation);

    // Exit stores the settings as closing the window does.
    S().ViewFOV = 33;
    form->Menus->Action("mnuexit")->trigger();
    EXPECT_FALSE(form->isVisible());
    const fs::path stored = p.user.path() / "Default.cfg";
    ASSERT_TRUE(fs::exists(stored));
    EXPECT_NE(test::ReadBytes(stored).find("[mfov] 33[/mfov]"), std::string::npos);
    EXPECT_NE(test::ReadBytes(stored).find("[fwidth]"), std::string::npos);
}

}  // namespace
}  // namespace zu
