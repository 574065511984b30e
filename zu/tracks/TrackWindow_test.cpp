// The track dialog: what it shows of the track settings, the range question,
// the label interval and step rules, the selection over the three kinds of
// bodies, and what "적용" and "취소" leave behind.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <utility>

#include "astro/JulianDay.h"
#include "chart/PathLists.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/core/Tracks.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

const double kMay20 = astro::DateToJD(2008, 5, 20, 0, 0, 0);

class TrackWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = std::make_unique<QWidget>();
        InstallPathHooks();
        astro::SmallBodies().CometElementList.resize(2);
        astro::SmallBodies().CometElementList[0].Name = "1P/Halley";
        astro::SmallBodies().CometElementList[1].Name = "C/2020 F3 (NEOWISE)";
        skydata::CurrentSettings().CurrentJD = kMay20 + 0.875;
        skydata::PathSettings& s = Paths().Settings;
        s.StartJD = kMay20;
        s.EndJD = kMay20 + 30;
        s.Hour = 6.5;
        s.StepDays = 2;
        s.LabelInterval = 4;
        s.LabelFlags = "ND  ";
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    static skydata::PathState& Paths() { return skydata::PathModule(); }
    FrmPath& Open() {
        FrmPath& window = TrackWindow(owner.get());
        ShowToolWindow(ToolWindowId::FrmPath, owner.get());
        return window;
    }
    static void SetDate(const std::array<QLineEdit*, 3>& boxes, const char* y, const char* m, const char* d) {
        boxes[0]->setText(y);
        boxes[1]->setText(m);
        boxes[2]->setText(d);
    }
    static std::vector<int> Selected(const QListWidget& list) {
        std::vector<int> rows;
        for (int i = 0; i < list.count(); ++i) {
            if (list.item(i)->isSelected()) rows.push_back(i);
        }
        return rows;
    }

    test::ProgramEnv p;
    std::unique_ptr<QWidget> owner;
};

TEST_F(TrackWindowTest, LoadShowsTheSettingsInForce) {
    Paths().Settings.TimeRule = 4;
    Paths().Settings.Reference = 1;
    Paths().Settings.DrawTail = true;
    Paths().PathBodyList = {"P3", "C1"};
    FrmPath& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), "태양계 천체의 궤적");
    EXPECT_EQ(w.TxtStart[0]->text().toStdString(), "2008");
    EXPECT_EQ(w.TxtStart[1]->text().toStdString(), "5");
    EXPECT_EQ(w.TxtStart[2]->text().toStdString(), "20");
    EXPECT_EQ(w.TxtEnd[1]->text().toStdString(), "6");
    EXPECT_EQ(w.TxtEnd[2]->text().toStdString(), "19");
    EXPECT_EQ(w.TxtInt->text().toStdString(), "2");
    EXPECT_EQ(w.TxtLabel->text().toStdString(), "4");
    EXPECT_EQ(w.TxtTime[0]->text().toStdString(), "6");
    EXPECT_EQ(w.TxtTime[1]->text().toStdString(), "30");
    EXPECT_EQ(w.CmbTime->currentText().toStdString(), "해 뜸");
    EXPECT_FALSE(w.TxtTime[0]->isEnabled());
    EXPECT_EQ(w.CmbRef->currentText().toStdString(), "지평 좌표계");
    EXPECT_TRUE(w.ChkLabel[0]->isChecked());
    EXPECT_TRUE(w.ChkLabel[1]->isChecked());
    EXPECT_FALSE(w.ChkLabel[2]->isChecked());
    EXPECT_TRUE(w.ChkLabel[3]->isEnabled());
    EXPECT_TRUE(w.chkFirst->isChecked());
    EXPECT_TRUE(w.ChkDrawTail->isChecked());
    EXPECT_FALSE(w.ChkSnc->isChecked());
    // The planets, Mars selected: the list row is the code's number.
    ASSERT_EQ(w.List1->count(), 10);
    EXPECT_EQ(w.List1->item(3)->text().toStdString(), "화성");
    EXPECT_EQ(Selected(*w.List1), std::vector<int>{3});

    // The time of a label goes with its date; the hour with "사용자 정의".
    w.ChkLabel[1]->click();
    EXPECT_FALSE(w.ChkLabel[3]->isEnabled());
    w.ChkLabel[1]->click();
    EXPECT_TRUE(w.ChkLabel[3]->isEnabled());
    w.CmbTime->setCurrentIndex(0);
    w.CmbTime_Click();
    EXPECT_TRUE(w.TxtTime[1]->isEnabled());

    // "날짜 조절": the chart date and thirty days after it.
    w.Command3->click();
    EXPECT_EQ(w.TxtStart[2]->text().toStdString(), "20");
    EXPECT_EQ(w.TxtEnd[1]->text().toStdString(), "6");
    EXPECT_EQ(w.TxtEnd[2]->text().toStdString(), "19");
}

TEST_F(TrackWindowTest, AShortRangeIsLengthenedOnYes) {
    RecordingChartHost host;
    Paths().PathBodyList = {"P3"};
    FrmPath& w = Open();
    SetDate(w.TxtStart, "2008", "5", "20");
    SetDate(w.TxtEnd, "2008", "5", "21");
    w.TxtInt->setText("2");
    p.env.messages.answers = {platform::MsgAnswer::Yes};
    w.Command1[0]->click();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    const platform::Message& m = p.env.messages.shown[0];
    EXPECT_EQ(m.text,
              "시작 날짜와 종료 날짜 사이의 날짜 수가 계산 간격보다 작습니다.\r\n날짜 간격을 자동으로 조절하시겠습니까?");
    EXPECT_EQ(m.title, "궤적 그리기 오류");
    EXPECT_EQ(m.icon, platform::MsgIcon::Question);
    EXPECT_EQ(m.buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(Paths().Settings.StartJD, kMay20);
    EXPECT_EQ(Paths().Settings.EndJD, kMay20 + 6);
    // Applied: computed, drawn, closed.
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ComputePaths", "ProjectPaths", "SetMapBox"}));
    EXPECT_EQ(TrackModule().PathPoints.size(), 4u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmPath), nullptr);
}

TEST_F(TrackWindowTest, AShortRangeRefusedChangesNothing) {
    RecordingChartHost host;
    Paths().PathBodyList = {"P3"};
    const skydata::PathSettings before = Paths().Settings;
    FrmPath& w = Open();
    w.List1->item(4)->setSelected(true);
    SetDate(w.TxtStart, "2008", "5", "20");
    SetDate(w.TxtEnd, "2008", "5", "21");
    w.TxtInt->setText("2");
    p.env.messages.answers = {platform::MsgAnswer::No};
    w.Command1[0]->click();
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text, "시작 날짜 또는 종료 날짜를 새로 설정해 주십시오.");
    EXPECT_EQ(p.env.messages.shown[1].title, "궤적 그리기 오류");
    EXPECT_EQ(p.env.messages.shown[1].icon, platform::MsgIcon::Information);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(Paths().PathBodyList, std::vector<std::string>{"P3"});
    EXPECT_EQ(Paths().Settings, before);

    w.Command1[1]->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Paths().PathBodyList, std::vector<std::string>{"P3"});
    EXPECT_EQ(Paths().Settings, before);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(TrackWindowTest, StepsLabelIntervalsAndSwappedDates) {
    FrmPath& w = Open();
    SetDate(w.TxtStart, "2008", "6", "20");
    SetDate(w.TxtEnd, "2008", "5", "1");
    const struct {
        const char* step;
        const char* label;
        double stored_step;
        int stored_label;
    } cases[] = {
        {"2", "5", 2, 4},    {"3", "1", 3, 3},     {"0", "5", 1, 5},         {"-2", "5", 1, 5},
        {"x", "7", 1, 7},    {"2.9", "9", 2, 8},   {"1", "40000", 1, 32767}, {"5", "-12", 5, 5},
        {"1e999", "3", 1, 3},
    };
    for (const auto& c : cases) {
        w.TxtInt->setText(c.step);
        w.TxtLabel->setText(c.label);
        ASSERT_TRUE(w.ApplyPathDialog()) << c.step;
        EXPECT_EQ(Paths().Settings.StepDays, c.stored_step) << c.step << " " << c.label;
        EXPECT_EQ(Paths().Settings.LabelInterval, c.stored_label) << c.step << " " << c.label;
        EXPECT_EQ(Paths().Settings.StartJD, astro::DateToJD(2008, 5, 1, 0, 0, 0));
        EXPECT_EQ(Paths().Settings.EndJD, astro::DateToJD(2008, 6, 20, 0, 0, 0));
    }
    EXPECT_TRUE(p.env.messages.shown.empty());

    // The rest of the boxes.
    w.CmbTime->setCurrentIndex(0);
    w.TxtTime[0]->setText("21");
    w.TxtTime[1]->setText("30");
    w.CmbRef->setCurrentIndex(1);
    w.ChkLabel[0]->setChecked(false);
    w.ChkLabel[2]->setChecked(true);
    w.ChkLabel[3]->setChecked(true);
    w.ChkSnc->setChecked(true);
    w.chkFirst->setChecked(false);
    ASSERT_TRUE(w.ApplyPathDialog());
    const skydata::PathSettings& s = Paths().Settings;
    EXPECT_EQ(s.Hour, 21.5);
    EXPECT_EQ(s.TimeRule, 0);
    EXPECT_EQ(s.Reference, 1);
    EXPECT_EQ(s.LabelFlags, "DMT ");
    EXPECT_TRUE(s.SyncWithChart);
    EXPECT_FALSE(s.LabelFirstOnly);
}

TEST_F(TrackWindowTest, SelectionsOfEveryKindAreKeptAndClearedTogether) {
    RecordingChartHost host;
    FrmPath& w = Open();
    w.List1->item(3)->setSelected(true);
    w.List1->item(4)->setSelected(true);
    w.optkind[1]->click();
    ASSERT_EQ(w.List1->count(), 2);
    EXPECT_EQ(w.List1->item(1)->text().toStdString(), "C/2020 F3 (NEOWISE)");
    EXPECT_TRUE(Selected(*w.List1).empty());
    w.List1->item(1)->setSelected(true);
    w.Command1[0]->click();
    EXPECT_EQ(Paths().PathBodyList, (std::vector<std::string>{"P3", "P4", "C1"}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ComputePaths", "ProjectPaths", "SetMapBox"}));
    QCoreApplication::processEvents();

    FrmPath& again = Open();
    EXPECT_EQ(Selected(*again.List1), (std::vector<int>{3, 4}));
    again.optkind[1]->click();
    EXPECT_EQ(Selected(*again.List1), std::vector<int>{1});
    again.Command2->click();
    EXPECT_TRUE(Selected(*again.List1).empty());
    again.optkind[0]->click();
    EXPECT_TRUE(Selected(*again.List1).empty());
    EXPECT_EQ(again.WorkBodyList, std::vector<std::string>{""});
    // Nothing is taken before "적용".
    EXPECT_EQ(Paths().PathBodyList, (std::vector<std::string>{"P3", "P4", "C1"}));
}

TEST_F(TrackWindowTest, APickedCometComesSelectedAndCancelAddsNothing) {
    FrmPath& w = TrackWindow(owner.get());
    w.ADDfromMainFirst = true;
    w.ObjID = "C1";
    ShowToolWindow(ToolWindowId::FrmPath, owner.get());
    EXPECT_TRUE(Selected(*w.List1).empty());
    w.optkind[1]->click();
    EXPECT_EQ(Selected(*w.List1), std::vector<int>{1});
    w.Command1[1]->click();
    EXPECT_EQ(Paths().PathBodyList, std::vector<std::string>{""});
    EXPECT_TRUE(TrackModule().PathPoints.empty());
}

// An apply whose long computation the user stops: the tracks, their
// settings and bodies stay as they were, and the window stays open with what
// was typed, to be applied again.
TEST_F(TrackWindowTest, AStoppedApplyKeepsTheTracksAndTheWindow) {
    ResetTrackModule();
    Paths().PathBodyList = {"P3"};
    ComputePaths(Paths().Settings);
    ProjectPaths(Paths().Settings);
    const std::vector<PathPoint> before = TrackModule().PathPoints;
    const skydata::PathSettings settings_before = Paths().Settings;
    ASSERT_EQ(before.size(), 16u);

    RecordingChartHost host;
    FrmPath& w = Open();
    SetDate(w.TxtStart, "1900", "9", "1");
    SetDate(w.TxtEnd, "2100", "5", "1");
    w.TxtInt->setText("1");
    for (int body : {0, 4, 9}) w.List1->item(body)->setSelected(true);
    p.env.long_work.cancel_after = {std::size_t{32}};
    w.Command1[0]->click();
    // Warned of the limit first, then stopped while computing.
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "궤적 그리기 경고");
    ASSERT_EQ(p.env.long_work.requests.size(), 1u);
    EXPECT_EQ(host.calls, std::vector<std::string>{"ComputePaths"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Paths().Settings, settings_before);
    EXPECT_EQ(Paths().PathBodyList, std::vector<std::string>{"P3"});
    ASSERT_EQ(TrackModule().PathPoints.size(), before.size());
    EXPECT_EQ(TrackModule().PathPoints.back().RA, before.back().RA);
    EXPECT_EQ(chart::PathLists().PathVectors.size(), before.size());
    EXPECT_EQ(w.TxtStart[0]->text().toStdString(), "1900");

    // A range within reach, applied: the tracks of the window's bodies.
    SetDate(w.TxtStart, "2008", "5", "20");
    SetDate(w.TxtEnd, "2008", "6", "19");
    w.Command1[0]->click();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ComputePaths", "ComputePaths", "ProjectPaths", "SetMapBox"}));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Paths().PathBodyList, (std::vector<std::string>{"P0", "P3", "P4", "P9"}));
    EXPECT_EQ(TrackModule().PathPoints.size(), 4u * 31u);
}

// The window's apply is the user asking for tracks: the computation it
// starts may warn of a request over the limit, and no other does.
TEST_F(TrackWindowTest, ApplyIsTheUserAskingForTracks) {
    RecordingChartHost host;
    std::vector<bool> asked;
    Paths().Hooks.ComputePaths = [&](const skydata::PathSettings&) {
        asked.push_back(std::exchange(TrackModule().UserAsked, false));
    };
    FrmPath& w = Open();
    w.Command1[0]->click();
    EXPECT_EQ(asked, std::vector<bool>{true});
}

}  // namespace
}  // namespace zu
