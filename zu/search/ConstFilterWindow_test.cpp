// The constellation display filter with the real constellation tables:
// the tree, the working copies, the list buttons, the zodiac and
// determinative selections and closing (applying inside the main window:
// zu/main/ConstFilterApply_test.cpp).
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <random>

#include "zu/core/ChartHost.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/ConstFilterTestSupport.h"
#include "zu/search/ConstFilterWindow.h"
#include "zu/search/ObjectSearch.h"

namespace zu {
namespace {

using test::ConstFilterTest;

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

}  // namespace
}  // namespace zu
