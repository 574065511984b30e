// The information windows driven as a user would, on the real data.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "skydata/ConfigStore.h"
#include "zu/core/ChartHost.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/InfoWindows.h"

namespace zu {
namespace {

std::string Std(const QString& text) { return text.toStdString(); }

class InfoWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ResetToolWindows();
        LoadProgramState(p.env.folders.program);
        S().calcprecession = false;
        S().CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
        AppState().LocalSiderealTime = astro::CalcLST(S().CurrentJD, S().lon, S().timezone);
    }
    void TearDown() override { ResetToolWindows(); }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }

    test::ProgramEnv p;
};

TEST_F(InfoWindows, ObjectWindowRebuildsAndCopies) {
    AppState().SelObjKey = "S9:213";
    auto& info = static_cast<FrmInfo&>(ToolWindow(ToolWindowId::FrmInfo, nullptr));
    info.Form_Activate();
    EXPECT_EQ(Std(info.Label1->text()), "HR 7001");
    EXPECT_NE(info.Text().find("별 이름: 직녀(織女), 베가 (직녀성)(Vega)\r\n"), std::string::npos);
    EXPECT_EQ(Std(info.Text1->toPlainText()).find('\r'), std::string::npos);

    info.cmdCopy->click();
    EXPECT_EQ(p.env.clipboard.clears, 1);
    EXPECT_EQ(p.env.clipboard.text, info.Text());

    // The next activation follows the chart time and the key.
    AppState().SelObjKey = "P0";
    info.Form_Activate();
    const std::string before = info.Text();
    EXPECT_EQ(Std(info.Label1->text()), "해");
    S().CurrentJD += 0.25;
    AppState().LocalSiderealTime = astro::CalcLST(S().CurrentJD, S().lon, S().timezone);
    info.Form_Activate();
    EXPECT_NE(info.Text(), before);

    // A key that no longer resolves leaves the window empty.
    AppState().SelObjKey = "S9:99999";
    info.Form_Activate();
    EXPECT_EQ(Std(info.Label1->text()), "");
    EXPECT_EQ(info.Text(), "");
}

TEST_F(InfoWindows, ObjectWindowSitsAtTheMainWindowsCorner) {
    // A main window wholly on the (800 x 800 offscreen) screen.
    QWidget main;
    main.setGeometry(100, 80, 600, 560);
    AppState().SelObjKey = "P4";
    FrmInfo& info = ShowObjectInfo(&main, "목성");
    EXPECT_EQ(Std(info.windowTitle()), "정보: 목성");
    const QRect m = main.frameGeometry(), own = info.frameGeometry();
    EXPECT_EQ(own.right(), m.right());
    EXPECT_EQ(own.bottom(), m.bottom());
    EXPECT_EQ(Std(info.Label1->text()), "목성");

    // Larger than its owner: clamped to the screen's corner.
    ResetToolWindows();
    QWidget small;
    small.setGeometry(0, 0, 100, 100);
    auto& clamped = static_cast<FrmInfo&>(ToolWindow(ToolWindowId::FrmInfo, &small));
    p.env.windows.ShowOwned(clamped, &small);
    EXPECT_EQ(clamped.frameGeometry().left(), 0);
    EXPECT_EQ(clamped.frameGeometry().top(), 0);

    // Resizing keeps the copy button at the right edge and the text below the name.
    clamped.resize(500, 600);
    EXPECT_EQ(clamped.cmdCopy->geometry().right(), 499);
    EXPECT_EQ(clamped.Text1->height(), 600 - clamped.Label1->height());
}

TEST_F(InfoWindows, ConstellationWindow) {
    auto& window = static_cast<FrmCInfo&>(ShowToolWindow(ToolWindowId::FrmCInfo, nullptr));
    EXPECT_TRUE(window.ChkCloseWin->isChecked());
    EXPECT_FALSE(window.Command1[0]->isEnabled());
    ASSERT_EQ(window.TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(window.TreeView1->topLevelItem(0)->childCount(), 31);
    EXPECT_EQ(window.TreeView1->topLevelItem(1)->childCount(), 31);

    ASSERT_TRUE(window.ClickNode("EN206"));
    EXPECT_EQ(Std(window.Label1[0]->text()), "별자리 이름: 직녀(織女)");
    EXPECT_EQ(Std(window.Label1[1]->text()), "천상열차분야지도의 별자리 중 직녀(織女) 별자리에 해당합니다.");
    EXPECT_NE(Std(window.Label1[2]->text()).find("신법 별자리(星鏡)\\"), std::string::npos);
    ASSERT_EQ(window.List2->count(), 9);
    EXPECT_EQ(Std(window.List2->item(0)->text()), "00 / HR 6872");
    EXPECT_TRUE(window.Command1[0]->isEnabled());
    EXPECT_NE(Std(window.Text1->toPlainText()), "설명 없음");
    // Choosing the constellation selected its first star and showed it.
    ASSERT_FALSE(p.env.windows.shown.empty());
    EXPECT_EQ(p.env.windows.shown.back().title, "정보: 00 / HR 6872");
    EXPECT_EQ(p.env.windows.shown.back().owner, &window);

    window.List2->setCurrentRow(2);
    window.List2_Click();
    EXPECT_EQ(AppState().SelObjKey, "S9:213");
    auto* info = static_cast<FrmInfo*>(FindToolWindow(ToolWindowId::FrmInfo));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(Std(info->windowTitle()), "정보: 01 직녀(織女)/ HR 7001");
    EXPECT_EQ(Std(info->Label1->text()), "HR 7001");

    // A double click centres on the star and leaves tracking alone.
    {
        RecordingChartHost host;
        host.center_answer = true;
        window.List2_DblClick();
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_EQ(host.calls[0].rfind("CenterOnObject(", 0), 0u);
        ASSERT_EQ(host.centred.size(), 1u);
        // Vega's J2000 place moved by its proper motion to 2024.
        EXPECT_NEAR(host.centred[0].ra_deg, 279.2347, 0.01);
        EXPECT_NEAR(host.centred[0].dec_deg, 38.7837, 0.01);
    }

    // A root: its text, no search, the member list kept.
    ASSERT_TRUE(window.ClickNode("EConst"));
    EXPECT_EQ(Std(window.Label1[0]->text()), "별자리 이름: 신법 별자리(星鏡)");
    EXPECT_EQ(Std(window.Label1[1]->text()), "신법 별자리(星鏡)");
    EXPECT_FALSE(window.Command1[0]->isEnabled());
    EXPECT_EQ(window.List2->count(), 9);
    EXPECT_EQ(window.SelectedNodeKey, "EConst");

    // The same constellation of the old map: same members, same comment.
    const std::string comment = Std(window.Text1->toPlainText());
    ASSERT_TRUE(window.ClickNode("EN206"));
    const std::string east_comment = Std(window.Text1->toPlainText());
    ASSERT_TRUE(window.ClickNode("ON206"));
    EXPECT_EQ(window.List2->count(), 9);
    EXPECT_EQ(Std(window.Text1->toPlainText()), east_comment);
    EXPECT_NE(comment, east_comment);

    // "별자리 찾기": tracking off, then centring; declined keeps the window.
    {
        RecordingChartHost host;
        host.center_answer = false;
        window.Command1[0]->click();
        ASSERT_EQ(host.calls.size(), 2u);
        EXPECT_EQ(host.calls[0], "UnlockTrack");
        EXPECT_EQ(host.calls[1].rfind("CenterOnObject(", 0), 0u);
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmCInfo), &window);
        host.center_answer = true;
        window.Command1[0]->click();
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmCInfo), nullptr);
    }
}

TEST_F(InfoWindows, SolarSystemWindow) {
    FrmPInfo window(nullptr);
    EXPECT_EQ(Std(window.LPName->text()), "해");
    EXPECT_EQ(Std(window.LPhas->text()), "100.00 %");
    EXPECT_EQ(Std(window.Lelong->text()), "0.00 도");
    EXPECT_EQ(Std(window.LDistSP->text()), "0.0 km(0.00000 AU)");
    EXPECT_EQ(Std(window.lonhel->text()), "0도 0분 0.0초");
    ASSERT_EQ(window.ListPl->count(), 10);
    EXPECT_EQ(Std(window.ListPl->item(8)->text()), "달");
    // 21:00 on the equinox: the Sun is down.
    EXPECT_EQ(Std(window.Laddinfo->text()), "아직 뜨지 않았습니다.");

    window.Combo1->setCurrentIndex(1);
    window.Combo1_Click();
    EXPECT_EQ(Std(window.LPName->text()), "해");
    ASSERT_GT(window.ListPl->count(), 0);
    EXPECT_EQ(window.ListPl->currentRow(), -1);
    window.ListPl->setCurrentRow(0);
    window.ListPl_Click();
    EXPECT_EQ(window.LPName->text(), window.ListPl->item(0)->text());
    EXPECT_EQ(Std(window.lonhel->text()), "-");
    EXPECT_EQ(Std(window.lathel->text()), "-");
    EXPECT_EQ(Std(window.LDia->text()), "0.00 초");

    window.CmdObs->click();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    const platform::Message& box = p.env.messages.shown[0];
    EXPECT_EQ(box.title, "행성 관측 정보");
    EXPECT_EQ(box.icon, platform::MsgIcon::Information);
    EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
    const std::string date = skydata::TrimBlanks(astro::DateJDText(S().CurrentJD, S().CurrentJD, S().nobsname));
    EXPECT_EQ(box.text.rfind(date + "\r\n\r\n\r\n수성", 0), 0u) << box.text;
}

}  // namespace
}  // namespace zu
