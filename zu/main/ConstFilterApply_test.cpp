// Applying the constellation filter inside the main window: the tables, one
// redraw, and the settings the exit writes.
#include <QPushButton>

#include <cstdint>
#include <string>
#include <vector>

#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/Form1.h"
#include "zu/search/ConstFilterTestSupport.h"
#include "zu/search/ConstFilterWindow.h"
#include "zu/search/ObjectSearch.h"

namespace zu {
namespace {

using test::ConstFilterTest;

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
}  // namespace zu
