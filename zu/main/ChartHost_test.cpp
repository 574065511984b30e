// The host of the tool windows: the recording host logs the calls in order
// and still does them; the default host reaches the main window and the
// modules; the settings file written by a dialog carries the window size.
#include <QTimer>

#include <filesystem>
#include <memory>

#include "astro/Atmosphere.h"
#include "astro/JulianDay.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/main/Form1.h"

namespace zu {
namespace {

class ChartHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        form = std::make_unique<Form1>();
        form->resize(700, 500);
        form->show();
    }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

TEST_F(ChartHostTest, RecordingHostLogsInOrderAndForwards) {
    RecordingChartHost host;
    EXPECT_EQ(&Host(), &host);
    std::vector<std::string> paths;
    skydata::PathModule().Hooks.ComputePaths = [&](const skydata::PathSettings&) { paths.push_back("compute"); };
    skydata::PathModule().Hooks.ProjectPaths = [&](const skydata::PathSettings&) { paths.push_back("project"); };
    skydata::CurrentSettings().ViewCoordSys = "e";
    form->TrackOn = 1;
    const std::int64_t draws = AppState().DrawCount;

    Host().UnlockTrack();
    EXPECT_TRUE(Host().CenterOnObject(90, 12.5));
    Host().SetStatusText("세차운동 및 고유운동 계산 중...");
    Host().SetTimer1Interval(250);
    Host().mnuInterval_Click(11);
    Host().ComputePaths();
    Host().ProjectPaths();
    Host().ComputeBscVectors(true);
    Host().SetMapBox();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"UnlockTrack", "CenterOnObject(90,12.5)",
                                                    "SetStatusText(세차운동 및 고유운동 계산 중...)",
                                                    "SetTimer1Interval(250)", "mnuInterval_Click(11)", "ComputePaths",
                                                    "ProjectPaths", "ComputeBscVectors(true)", "SetMapBox"}));
    // Everything happened too.
    EXPECT_EQ(form->TrackOn, 0);
    EXPECT_NEAR(skydata::CurrentSettings().ViewCenterX, 90.001, 1e-9);
    EXPECT_NEAR(skydata::CurrentSettings().ViewCenterY, 12.501, 1e-9);
    EXPECT_EQ(form->Timer1->interval(), 250);
    EXPECT_EQ(Host().Timer1Interval(), 250);
    EXPECT_EQ(AppState().TimeStep, AppState().CustomStep);
    EXPECT_EQ(paths, (std::vector<std::string>{"compute", "project"}));
    // CenterOnObject redrew once, SetMapBox once more.
    EXPECT_EQ(AppState().DrawCount, draws + 2);
    EXPECT_EQ(host.centred.size(), 1u);

    // A scripted answer stands for the user's choice and changes nothing.
    host.center_answer = false;
    EXPECT_FALSE(Host().CenterOnObject(10, 10));
    EXPECT_NEAR(skydata::CurrentSettings().ViewCenterX, 90.001, 1e-9);
}

TEST_F(ChartHostTest, DefaultHostComesBackAfterTheRecordingOne) {
    ChartHost* fallback = &Host();
    {
        RecordingChartHost host;
        EXPECT_NE(&Host(), fallback);
    }
    EXPECT_EQ(&Host(), fallback);
}

TEST_F(ChartHostTest, RecomputingStepsUseTheSettingsInForce) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.Temperature = 30;
    s.Pressure = 900;
    s.AirExCoff = 0.5f;
    Host().BuildRefractionTable();
    Host().BuildExtinctionTable();
    EXPECT_EQ(astro::Atmosphere().RefractionTable, astro::MakeRefractionTable(30, 900));
    EXPECT_EQ(astro::Atmosphere().ExtinctionTable, astro::MakeExtinctionTable(0.5f));
    s.calcprecession = false;
    Host().PrecessMansionStars();
    const auto j2000 = skydata::StartupTables().MansionStarRA;
    s.calcprecession = true;
    s.CurrentJD = astro::DateToJD(2100, 1, 1, 0, 0, 0);
    Host().PrecessMansionStars();
    EXPECT_GT(skydata::StartupTables().MansionStarRA[0], j2000[0]);
}

TEST_F(ChartHostTest, MovingTheChartTimeSetsTheSiderealTimeLeavesRealTimeAndRedraws) {
    RecordingChartHost host;
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.RealTimeMode = true;
    const std::int64_t draws = AppState().DrawCount;
    const double jd = astro::DateToJD(2024, 4, 9, 3, 21, 0);
    Host().MoveChartTime(jd);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MoveChartTime(2460409.63958333)"}));
    EXPECT_EQ(s.CurrentJD, jd);
    EXPECT_EQ(AppState().LocalSiderealTime, astro::CalcLST(jd, s.lon, s.timezone));
    EXPECT_FALSE(s.RealTimeMode);
    EXPECT_EQ(AppState().DrawCount, draws + 1);
}

TEST_F(ChartHostTest, SavedSettingsCarryTheWindowSize) {
    form->resize(640, 480);
    EXPECT_TRUE(Host().SaveDefaultSettings());
    const std::string text = test::ReadBytes(p.user.path() / "Default.cfg");
    EXPECT_NE(text.find("[fwidth] 9600[/fwidth]"), std::string::npos);
    EXPECT_NE(text.find("[fheight] 7200[/fheight]"), std::string::npos);
}

TEST(ToolControls, NamesAndSelectAllOnFocus) {
    test::ProgramEnv p;
    QWidget window;
    auto* box = ui::Named(new QLineEdit(QString::fromUtf8(" 12"), &window), "TxtNLat", 0);
    EXPECT_EQ(box->objectName(), "TxtNLat_0");
    EXPECT_EQ(ui::FindControl<QLineEdit>(window, "TxtNLat", 0), box);
    EXPECT_EQ(ui::FindControl<QLineEdit>(window, "TxtNLat"), nullptr);
    ui::SelectAllOnFocus(*box);
    window.show();
    box->setCursorPosition(1);
    box->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(box->selectedText(), " 12");
}

}  // namespace
}  // namespace zu
