// The marker and line manager: adding, deleting and editing entries, the
// edit boxes and their reading back, the display switches, centring, and
// the saved user-catalogue file read back by the catalogue reader.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "platform/TextFile.h"
#include "skydata/CustomCatalog.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/tracks/MarkerWindow.h"

namespace zu {
namespace {

std::vector<skydata::MapPoint>& Markers() { return skydata::MapPointModule().MapPoints; }
std::vector<skydata::DrawnLine>& Lines() { return skydata::DrawnLineModule().DrawnLines; }

class MarkerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = std::make_unique<QWidget>();
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmPoint& Open() {
        FrmPoint& window = MarkerWindow(owner.get());
        ShowToolWindow(ToolWindowId::FrmPoint, owner.get());
        return window;
    }
    static std::vector<std::string> Items(const QListWidget& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i)->text().toStdString());
        return items;
    }
    static std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

    test::ProgramEnv p;
    std::unique_ptr<QWidget> owner;
};

TEST_F(MarkerWindowTest, AddingToAnEmptyListAndDeletingTheLastMarker) {
    RecordingChartHost host;
    FrmPoint& w = Open();
    EXPECT_EQ(w.List1->count(), 0);
    EXPECT_EQ(w.Combo1->count(), 5);
    EXPECT_EQ(w.Combo1->itemText(4).toStdString(), "십자표");
    EXPECT_EQ(w.ChkView->text().toStdString(), "표지를 화면에 표시");
    w.AddPoint(10, 20);
    EXPECT_EQ(Items(*w.List1), std::vector<std::string>{"(0)표지 1"});
    ASSERT_EQ(Markers().size(), 1u);
    EXPECT_EQ(Markers()[0].Kind, 1);
    EXPECT_EQ(Markers()[0].Size, 60);
    w.CmdDel->click();
    EXPECT_EQ(w.List1->count(), 0);
    ASSERT_EQ(Markers().size(), 1u);
    EXPECT_EQ(Markers()[0].Flag, "");
    EXPECT_EQ(host.calls, std::vector<std::string>{"SetMapBox"});
    // Nothing selected: deleting, centring and applying do nothing.
    w.CmdDel->click();
    w.CmdCenter->click();
    w.CmdApply->click();
    EXPECT_EQ(host.calls, std::vector<std::string>{"SetMapBox"});
}

TEST_F(MarkerWindowTest, EditBoxesReadBackWhatTheyShow) {
    RecordingChartHost host;
    skydata::AddMapPoint(100.25, -0.5, 3, 12.5f, "m", 255);
    FrmPoint& w = Open();
    w.CmdEdit->click();
    EXPECT_EQ(w.height(), 6690 / 15);
    EXPECT_TRUE(w.Frame1->isEnabled());
    EXPECT_EQ(w.CmdEdit->text().toStdString(), "간략히");
    // 100.25 degrees is 6 h 41 min 0 s.
    EXPECT_EQ(Text(w.TxtRA[0]), " 6");
    EXPECT_EQ(Text(w.TxtRA[1]), " 41");
    EXPECT_EQ(Text(w.TxtRA[2]), "0.0");
    EXPECT_EQ(Text(w.txtDE[0]), "-0");
    EXPECT_EQ(Text(w.txtDE[1]), " 30");
    EXPECT_EQ(Text(w.txtDE[2]), "0.0");
    EXPECT_EQ(Text(w.txtDia), " 12.5");
    EXPECT_EQ(w.Combo1->currentIndex(), 2);
    w.CmdApply->click();
    EXPECT_DOUBLE_EQ(Markers()[0].Dec, -0.5);
    EXPECT_DOUBLE_EQ(Markers()[0].RA, 100.25);
    EXPECT_EQ(Markers()[0].Kind, 3);

    // Degrees below -1 keep their sign the same way.
    Markers()[0].Dec = -12.5;
    w.ReflashList();
    EXPECT_EQ(Text(w.txtDE[0]), "-12");
    w.CmdApply->click();
    EXPECT_DOUBLE_EQ(Markers()[0].Dec, -12.5);

    // Out of range: RA reduced to a circle, Dec limited to the pole.
    w.TxtRA[0]->setText("25");
    w.TxtRA[1]->setText("0");
    w.TxtRA[2]->setText("0");
    w.txtDE[0]->setText("100");
    w.txtNM->setText("새 이름");
    w.Combo1->setCurrentIndex(4);
    w.SetSwatchColor(0x00FF00);
    w.CmdApply->click();
    EXPECT_DOUBLE_EQ(Markers()[0].RA, 15);
    EXPECT_DOUBLE_EQ(Markers()[0].Dec, 90);
    EXPECT_EQ(Markers()[0].Name, "새 이름");
    EXPECT_EQ(Markers()[0].Kind, 5);
    EXPECT_EQ(Markers()[0].Color, 0x00FF00);
    EXPECT_EQ(Items(*w.List1), std::vector<std::string>{"(0)새 이름"});
    EXPECT_EQ(w.List1->currentRow(), 0);

    w.CmdEdit->click();
    EXPECT_EQ(w.height(), 4380 / 15);
    EXPECT_FALSE(w.Frame1->isEnabled());
}

TEST_F(MarkerWindowTest, RowsActOnTheEntryTheyShow) {
    RecordingChartHost host;
    skydata::AddMapPoint(1, 2, 1, 60, "hidden", 255);
    skydata::AddMapPoint(3, 4, 1, 60, "shown", 255);
    Markers()[0].Flag = "n";  // a hand-edited PointData
    FrmPoint& w = Open();
    w.CmdEdit->click();
    ASSERT_EQ(Items(*w.List1), std::vector<std::string>{"(1)shown"});
    EXPECT_EQ(Text(w.txtNM), "shown");
    w.txtNM->setText("edited");
    w.CmdApply->click();
    EXPECT_EQ(Markers()[0].Name, "hidden");
    EXPECT_EQ(Markers()[1].Name, "edited");
    w.CmdDel->click();
    ASSERT_EQ(Markers().size(), 1u);
    EXPECT_EQ(Markers()[0].Name, "hidden");
}

TEST_F(MarkerWindowTest, LinesEditOnlyColourAndText) {
    RecordingChartHost host;
    skydata::AddDrawnLine(10, 20, 30, 40, 255, "a");
    skydata::AddDrawnLine(50, 60, 70, 80, 255, "b");
    FrmPoint& w = Open();
    // The edit part is closed until "자세히".
    EXPECT_FALSE(w.CmdApply->isEnabled() && w.CmdApply->isVisibleTo(&w) && w.Frame1->isEnabled());
    w.CmdEdit->click();
    w.optkind[1]->click();
    EXPECT_FALSE(w.ListMode);
    EXPECT_EQ(w.ChkView->text().toStdString(), "선을 화면에 표시");
    EXPECT_FALSE(w.TxtRA[0]->isEnabled());
    EXPECT_FALSE(w.txtDE[2]->isEnabled());
    EXPECT_FALSE(w.txtDia->isEnabled());
    EXPECT_FALSE(w.Combo1->isEnabled());
    EXPECT_TRUE(w.txtNM->isEnabled());
    w.List1->setCurrentRow(1);
    EXPECT_EQ(Text(w.TxtRA[0]), " 3");
    w.txtNM->setText("선 이름");
    w.SetSwatchColor(0x123456);
    w.CmdApply->click();
    EXPECT_EQ(Lines()[1].Text, "선 이름");
    EXPECT_EQ(Lines()[1].Color, 0x123456);
    EXPECT_EQ(Lines()[1].RA1, 50);
    EXPECT_EQ(w.List1->currentRow(), 1);

    // "모두 지우기" answered No changes nothing; Yes empties the lines only.
    skydata::AddMapPoint(1, 2, 1, 60, "m", 255);
    p.env.messages.answers = {platform::MsgAnswer::No};
    w.CmdAllDel->click();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "선 지우기");
    EXPECT_EQ(p.env.messages.shown[0].text, "선을 모두 지웁니다. 계속하시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(p.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(Lines().size(), 2u);
    p.env.messages.answers = {platform::MsgAnswer::Yes};
    w.CmdAllDel->click();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(skydata::IsEmptyDrawnLine(Lines()[0]));
    EXPECT_EQ(w.List1->count(), 0);
    EXPECT_EQ(Markers()[0].Flag, "y");

    w.optkind[0]->click();
    p.env.messages.answers = {platform::MsgAnswer::No};
    w.CmdAllDel->click();
    EXPECT_EQ(p.env.messages.shown.back().title, "표지 지우기");
    EXPECT_EQ(p.env.messages.shown.back().text, "표지를 모두 지웁니다. 계속하시겠습니까?");
    EXPECT_EQ(Markers()[0].Flag, "y");
    p.env.messages.answers = {platform::MsgAnswer::Yes};
    w.CmdAllDel->click();
    EXPECT_EQ(Markers()[0].Flag, "");
    EXPECT_EQ(w.List1->count(), 0);
}

TEST_F(MarkerWindowTest, SwitchesAndCentring) {
    RecordingChartHost host;
    host.center_answer = true;
    skydata::AddMapPoint(10, 20, 1, 60, "m", 255);
    FrmPoint& w = Open();
    w.ChkView->click();
    EXPECT_FALSE(skydata::MapPointModule().MapPointsShown);
    w.optkind[1]->click();
    EXPECT_TRUE(w.ChkView->isChecked());
    w.ChkView->click();
    EXPECT_FALSE(skydata::DrawnLineModule().DrawnLinesShown);
    EXPECT_TRUE(skydata::MapPointModule().MapPointsShown == false);
    w.optkind[0]->click();
    EXPECT_FALSE(w.ChkView->isChecked());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"SetMapBox", "SetMapBox"}));

    // "가운데로": the J2000 place carried to the chart date, no UnlockTrack.
    host.calls.clear();
    w.CmdCenter->click();
    ASSERT_EQ(host.centred.size(), 1u);
    double ra = 0, dec = 0;
    astro::PrecessByMatrix(astro::kJ2000, skydata::CurrentSettings().CurrentJD, 10, 20, ra, dec);
    EXPECT_NEAR(host.centred[0].ra_deg, ra, 1e-9);
    EXPECT_NEAR(host.centred[0].dec_deg, dec, 1e-9);
    EXPECT_GT(std::abs(host.centred[0].ra_deg - 10), 0.2);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].rfind("CenterOnObject(", 0), 0u);

    // The swatch takes the colour dialog's choice; cancel keeps it.
    p.env.colours.answers = {platform::Rgb(1, 2, 3), std::nullopt};
    w.Label2_Click();
    EXPECT_EQ(w.SwatchColor, static_cast<std::int32_t>(platform::Rgb(1, 2, 3)));
    w.Label2_Click();
    EXPECT_EQ(w.SwatchColor, static_cast<std::int32_t>(platform::Rgb(1, 2, 3)));
}

TEST_F(MarkerWindowTest, SavedCatalogueReadsBack) {
    skydata::AddMapPoint(10, 20, 1, 60, "표지 1", 255);
    skydata::AddMapPoint(30.5, -40, 3, 60, "M 31, 안드로메다", 255);
    skydata::AddDrawnLine(1, 2, 3, 4, 255, "");
    FrmPoint& w = Open();
    const std::filesystem::path path = p.user.path() / "표지목록.UC";
    p.env.files.answers = {platform::FileChoice{path, 1}};
    w.cmdSave->click();
    ASSERT_EQ(p.env.files.requests.size(), 1u);
    const platform::FileRequest& r = p.env.files.requests[0];
    EXPECT_EQ(r.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(r.title, "표지 저장하기");
    EXPECT_EQ(r.filter, "사용자 정의 목록 파일(*.UC)|*.UC");
    EXPECT_EQ(r.name, "표지목록.UC");
    EXPECT_EQ(r.folder, p.documents.path());
    EXPECT_TRUE(p.env.messages.shown.empty());

    const std::string expected =
        "<Header>\r\nCatalog Name=표지 목록\r\nEpoch= 2451545\r\nCoordinate=e\r\nAuthor=zu 0.7\r\n"
        "Comments=표지 목록\r\nObject Color[1]=255,255,0\r\nObject Color[2]=0,128,0\r\nObject Color[3]=0,0,0\r\n"
        "Object Color[4]=0,0,0\r\nObject Color[5]=0,0,0\r\n</Header>\r\n\r\n<ObjectList>\r\n"
        "cl, 10, 20, 60, 1, 표지 1\r\n"
        "rect, 30.5,-40, 60, 1, M 31/c 안드로메다\r\n"
        "ln,  1, 2, 3, 4, 2\r\n"
        "</ObjectList>\r\n";
    const std::optional<std::string> bytes = platform::ReadFileBytes(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, platform::Utf8ToCp949(expected));

    // A name typed without an extension is a ".UC" list, which the settings'
    // catalogue dialog lists.
    p.env.files.answers = {platform::FileChoice{p.user.path() / "mylist", 1}};
    w.cmdSave->click();
    EXPECT_EQ(platform::ReadFileBytes(p.user.path() / "mylist.UC"), bytes);

    skydata::CustomCatalog cat;
    ASSERT_EQ(skydata::LoadCustomCatalog(path, cat), skydata::CustomCatLoadStatus::Loaded);
    EXPECT_EQ(cat.Epoch, astro::kJ2000);
    EXPECT_EQ(cat.Coordinate, "e");
    ASSERT_EQ(cat.Shapes[skydata::kCatCircle].size(), 1u);
    ASSERT_EQ(cat.Shapes[skydata::kCatRect].size(), 1u);
    EXPECT_EQ(cat.Shapes[skydata::kCatCircle][0].Name, "표지 1");
    EXPECT_EQ(cat.Shapes[skydata::kCatRect][0].Name, "M 31, 안드로메다");
    EXPECT_EQ(cat.Shapes[skydata::kCatRect][0].Dec, -40);
    EXPECT_EQ(cat.Shapes[skydata::kCatRect][0].Color, platform::Rgb(255, 255, 0));
    ASSERT_EQ(cat.Lines[0].size(), 1u);
    EXPECT_EQ(cat.Lines[0][0].Color, platform::Rgb(0, 128, 0));
    EXPECT_EQ(cat.Lines[0][0].Dec2, 4);

    // A write over it (the user says "예" to replacing it) that fails: the
    // message, and the old file as it was.
    platform::SetWriteFailureAfterBytesForTest(10);
    Markers()[0].Name = "바뀜";
    p.env.files.answers = {platform::FileChoice{path, 1}};
    p.env.messages.answers = {platform::MsgAnswer::Yes};
    w.cmdSave->click();
    platform::SetWriteFailureAfterBytesForTest(-1);
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[0].text, path.string() + " 파일이 이미 있습니다. 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[1].text, "표지 목록 파일을 저장할 수 없습니다: " + path.string());
    EXPECT_EQ(p.env.messages.shown[1].title, "표지 저장하기");
    EXPECT_EQ(platform::ReadFileBytes(path), bytes);

    // Cancel: silent.
    w.cmdSave->click();
    EXPECT_EQ(p.env.messages.shown.size(), 2u);
}

}  // namespace
}  // namespace zu
