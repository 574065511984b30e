// The constellation display filter with the real constellation tables:
// the tree, the working copies, the list buttons, the zodiac and
// determinative selections, applying and closing.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <random>

#include "app/ChartHost.h"
#include "app/ConstFilterWindow.h"
#include "app/ObjectSearch.h"
#include "app/Form1.h"
#include "app/Startup.h"
#include "app/TestSupport.h"
#include "app/ToolWindows.h"

namespace app {
namespace {

class ConstFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteSettingsFile(p.user.path() / "Default.cfg", {{"synctime", "false"}, {"jd", " 2460390.375"}});
        LoadProgramState(p.env.folders.program);
        owner = std::make_unique<QWidget>();
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmCFilter& Open() { return static_cast<FrmCFilter&>(ShowToolWindow(ToolWindowId::FrmCFilter, owner.get())); }
    static void Click(FrmCFilter& w, const char* key) {
        QTreeWidgetItem* node = w.Node(key);
        ASSERT_NE(node, nullptr) << key;
        w.TreeView1_NodeClick(node);
    }
    static std::vector<bool> Ticks(const FrmCFilter& w) {
        std::vector<bool> ticks;
        for (int i = 0; i < w.List1->count(); ++i) ticks.push_back(w.List1->item(i)->checkState() == Qt::Checked);
        return ticks;
    }
    static int Count(const std::vector<bool>& flags) { return static_cast<int>(std::count(flags.begin(), flags.end(), true)); }

    test::ProgramEnv p;
    std::unique_ptr<QWidget> owner;
};

TEST_F(ConstFilterTest, OpensOnTheWesternListWithTheTreeOfSystemsAndDistricts) {
    FrmCFilter& w = Open();
    const skydata::ConstellationState& c = skydata::Constellations();
    EXPECT_EQ(w.windowTitle().toStdString(), "별자리 표시 설정");
    EXPECT_EQ(w.CurrentKey, "WConst");
    EXPECT_EQ(w.CmdMain->text().toStdString(), "황도12궁만 고르기");
    EXPECT_EQ(w.List1->count(), static_cast<int>(c.W.Data.size()));
    EXPECT_EQ(w.List1->item(0)->text().toStdString(), c.W.Data[0].Name1 + "(" + c.W.Data[0].Name2 + ")");
    EXPECT_EQ(w.WFigure.size(), 88u);
    EXPECT_EQ(w.EFigure.size(), c.E.Data.size());
    EXPECT_EQ(w.OFigure.size(), c.O.Data.size());
    EXPECT_EQ(w.TreeView1->topLevelItemCount(), 3);
    EXPECT_EQ(w.TreeView1->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(w.TreeView1->topLevelItem(1)->childCount(), 31);
    EXPECT_EQ(w.TreeView1->topLevelItem(2)->childCount(), 31);
    EXPECT_EQ(w.TreeView1->topLevelItem(1)->text(0).toStdString(), "신법 별자리(星鏡)");
    EXPECT_EQ(w.Node("ES7")->text(0).toStdString(), "진(軫)");
    EXPECT_EQ(w.Node("OP1")->text(0).toStdString(), "자미원(紫微垣)");
    EXPECT_TRUE(w.ChkCloseWin->isChecked());

    Click(w, "EE1");
    EXPECT_EQ(w.CmdMain->text().toStdString(), "수거성좌만 고르기");
    int in_district = 0;
    for (const auto& row : c.E.Data) in_district += row.Code.rfind("E1", 0) == 0 ? 1 : 0;
    EXPECT_EQ(w.List1->count(), in_district);
    EXPECT_EQ(w.List1->item(0)->text().toStdString(), "각(角) 0");
}

TEST_F(ConstFilterTest, ZodiacOnTheBoundaryNodeSetsExactlyTheTwelveBoundaries) {
    // Also when the table holds the zodiac in another order.
    for (bool shuffled : {false, true}) {
        skydata::ConstellationState& c = skydata::Constellations();
        if (shuffled) std::shuffle(c.W.Data.begin(), c.W.Data.end(), std::mt19937(7));
        FrmCFilter& w = Open();
        const std::vector<bool> figures = w.WFigure;
        Click(w, "Bound");
        w.CmdMain_Click();
        EXPECT_EQ(Count(w.WBound), 12) << shuffled;
        for (std::size_t i = 0; i < w.WCode.size(); ++i) {
            const std::string code = w.WCode[i].substr(0, 4);
            const bool zodiac = std::string("AAqrAAriACncACapAGemALeoALibAPscASgrAScoATauAVir").find(code) % 4 == 0;
            EXPECT_EQ(w.WBound[i], zodiac) << code;
        }
        EXPECT_EQ(w.WFigure, figures);
        EXPECT_EQ(Count(Ticks(w)), 12);
        w.Command2_Click();
    }
}

TEST_F(ConstFilterTest, DeterminativesKeepTwentyEightConstellationsPerSystem) {
    FrmCFilter& w = Open();
    Click(w, "EN3");
    w.CmdMain_Click();
    EXPECT_EQ(Count(w.EFigure), 28);
    for (std::size_t i = 0; i < w.ECode.size(); ++i) EXPECT_EQ(w.EFigure[i], w.ECode[i].substr(2, 2) == "00");
    Click(w, "OConst");
    w.CmdMain_Click();
    EXPECT_EQ(Count(w.OFigure), 28);
    EXPECT_EQ(Count(Ticks(w)), 28);
}

TEST_F(ConstFilterTest, TicksSurviveNodeSwitchesAndClosingChangesNothing) {
    const auto before = skydata::Constellations().E.Data;
    FrmCFilter& w = Open();
    Click(w, "EE2");
    const int items = w.List1->count();
    ASSERT_GT(items, 1);
    w.CmdANot_Click();
    w.List1->item(1)->setCheckState(Qt::Checked);
    Click(w, "ES7");
    w.CmdInv_Click();
    Click(w, "EConst");
    Click(w, "EE2");
    std::vector<bool> expected(static_cast<std::size_t>(items), false);
    expected[1] = true;
    EXPECT_EQ(Ticks(w), expected);
    // The whole-system node shows the same flags.
    Click(w, "EConst");
    for (std::size_t i = 0; i < w.ECode.size(); ++i) {
        if (w.ECode[i].rfind("E2", 0) == 0) {
            EXPECT_EQ(Ticks(w)[i], w.EFigure[i]);
        }
    }
    w.Command2->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmCFilter), nullptr);
    const auto& after = skydata::Constellations().E.Data;
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].ShowFigure, before[i].ShowFigure);
}

TEST_F(ConstFilterTest, ApplyUpdatesTheTablesRedrawsOnceAndTheSettingsCarryTheFlags) {
    Form1 form;
    form.resize(600, 450);
    RecordingChartHost host;
    FrmCFilter& w = Open();
    w.CmdMain_Click();  // Western figures: the zodiac only
    Click(w, "Bound");
    w.CmdANot_Click();
    w.List1->item(0)->setCheckState(Qt::Checked);  // the list's own tick, stored by the apply
    Click(w, "OConst");
    w.CmdMain_Click();
    Click(w, "EE1");
    w.CmdANot_Click();
    const std::int64_t draws = AppState().DrawCount;
    w.Command1->click();
    EXPECT_EQ(host.calls, std::vector<std::string>{"SetMapBox"});
    EXPECT_EQ(AppState().DrawCount, draws + 1);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmCFilter), nullptr);

    const skydata::ConstellationState& c = skydata::Constellations();
    EXPECT_EQ(skydata::GetConstFilter(c.W.Data, false), "AAqrAAriACncACapAGemALeoALibAPscASgrAScoATauAVir");
    EXPECT_EQ(skydata::GetConstFilter(c.W.Data, true), c.W.Data[0].Code.substr(0, 4));
    for (const auto& line : c.W.Lines) {
        EXPECT_EQ(line.Visible, skydata::GetConstFilter(c.W.Data, false).find(line.Code.substr(0, 4)) % 4 == 0 ? 1 : 0);
    }
    for (const auto& label : c.O.Labels) EXPECT_EQ(label.Visible, label.Code.substr(2, 2) == "00" ? 1 : 0) << label.Code;
    for (const auto& row : c.E.Data) {
        if (row.Code.rfind("E1", 0) == 0) {
            EXPECT_EQ(row.ShowFigure, 0) << row.Code;
        }
    }
    const std::string bound = UpperAscii(c.W.Data[0].Code.substr(1, 3));
    for (const auto& point : c.BoundaryPoint) EXPECT_EQ(point.Visible, UpperAscii(point.Code) == bound ? 1 : 0);

    // What the exit writes carries the new flags.
    form.Form_Unload();
    const std::string saved = test::ReadBytes(p.user.path() / "Default.cfg");
    EXPECT_NE(saved.find("[fsetstr1]AAqrAAriACncACapAGemALeoALibAPscASgrAScoATauAVir[/fsetstr1]"), std::string::npos);
    const std::string boundary_entry = std::string("[fsetstr3]").append(c.W.Data[0].Code, 0, 4).append("[/fsetstr3]");
    const std::string old_map_entry =
        std::string("[fsetstr2]").append(skydata::GetConstFilter(c.O.Data, false)).append("[/fsetstr2]");
    EXPECT_NE(saved.find(boundary_entry), std::string::npos);
    EXPECT_NE(saved.find(old_map_entry), std::string::npos);
    EXPECT_EQ(skydata::GetConstFilter(c.O.Data, false).size(), 28u * 4);
}

}  // namespace
}  // namespace app
