// Window commands and the three toolbars: which window each menu item and
// button opens and how, the placing of the marker manager, the drop-down
// menus of the toolbars and the dispatch of every button key.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

#include <memory>
#include <vector>

#include "astro/JulianDay.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/InfoWindow.h"
#include "zu/search/InfoWindows.h"
#include "zu/tracks/MarkerWindow.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

class WindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        form = std::make_unique<Form1>();
        form->resize(900, 650);
        form->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        form.reset();
        ResetToolWindows();
    }
    const platform::FakeWindowShow::Shown& LastShown() { return p.env.windows.shown.back(); }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

struct WindowRow {
    const char* command;
    const char* window;
    const char* caption;
    bool modal;
};

// Modality: modal dialogs and owned tool windows as the main window's
// window table lists them.
constexpr WindowRow kMenuWindows[] = {
    {"mnuObs", "FrmObs", "관측지 설정", false},
    {"mnuSet", "FrmSet", "설정", true},
    {"mnyPrint", "FrmPrint", "인쇄", true},
    {"mnuSetTime", "FrmTime", "시간 설정", false},
    {"mnuAniSet", "FrmAni", "시간 간격 조절", true},
    {"mnuFindConst", "FrmFind", "찾기", false},
    {"mnuFindC", "FrmFindC", "좌표로 찾아가기", false},
    {"mnuCinfo", "FrmCInfo", "별자리 정보", false},
    {"mnuCFilter", "FrmCFilter", "별자리 표시 설정", false},
    {"mnuPoint", "FrmPoint", "표지 관리", false},
    {"mnuMapInfo", "Form2", "zu 정보", false},
    {"mnuSolarsys", "FrmPInfo", "태양계 천체의 정보", true},
    {"mnuDayCal", "FrmDCal", "일력", true},
    {"mnuToday", "frmToday", "오늘의 천문 현상", false},
    {"mnuFindCon", "FrmCon", "행성 접근 탐색기", false},
    {"mnu24Julgi", "Frm24julgi", "24절기 입기 시각과 주요 천문 현상", false},
    {"mnuMoonTime", "FrmMoon", "달의 정삭망 시각/식 현상", true},
    {"mnuLuniSolar", "FrmLuniSolar", "음력, 양력, 이슬람력 변환", true},
    {"mnuTrail", "FrmPath", "태양계 천체의 궤적", true},
};

TEST_F(WindowCommandsTest, EachMenuItemOpensItsWindowWithItsModality) {
    for (const WindowRow& row : kMenuWindows) {
        QAction* item = form->Menus->Action(row.command);
        ASSERT_NE(item, nullptr) << row.command;
        const std::size_t before = p.env.windows.shown.size();
        item->trigger();
        ASSERT_EQ(p.env.windows.shown.size(), before + 1) << row.command;
        const auto& shown = LastShown();
        ASSERT_TRUE(shown.window) << row.command;
        EXPECT_EQ(shown.window->objectName().toStdString(), row.window) << row.command;
        EXPECT_EQ(shown.title, row.caption) << row.command;
        EXPECT_EQ(shown.modal, row.modal) << row.command;
        EXPECT_EQ(shown.owner, form.get()) << row.command;
        EXPECT_TRUE(shown.window->isVisible()) << row.command;
        EXPECT_TRUE(shown.window->isWindow()) << row.command;
        if (row.modal) {
            EXPECT_EQ(shown.window->windowModality(), Qt::WindowModal) << row.command;
            // A modal window in the way of the next command is closed.
            shown.window->close();
        }
    }
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(WindowCommandsTest, AnOpenWindowIsRaisedAndAClosedOneComesBackNew) {
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), nullptr);
    form->Dispatch("mnuSet");
    form->Dispatch("mnuObs");
    QWidget* settings = FindToolWindow(ToolWindowId::FrmSet);
    QWidget* site = FindToolWindow(ToolWindowId::FrmObs);
    ASSERT_NE(settings, nullptr);
    form->Dispatch("mnuSet");
    form->Dispatch("mnuObs");
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), settings);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmObs), site);
    ASSERT_EQ(p.env.windows.shown.size(), 4u);
    EXPECT_EQ(p.env.windows.shown[2].window, settings);
    EXPECT_EQ(p.env.windows.shown[3].window, site);
    // The windows belong to the main window and go with it.
    EXPECT_EQ(settings->parentWidget(), form.get());
    site->close();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmObs), nullptr);
    form->Dispatch("mnuObs");
    ASSERT_NE(FindToolWindow(ToolWindowId::FrmObs), nullptr);
    EXPECT_TRUE(FindToolWindow(ToolWindowId::FrmObs)->isVisible());
}

// With the main window maximised, the tool windows open wholly inside the
// free area of its screen, frame included: those placed at its bottom right
// corner by their client size (정보) and those the window system places.
TEST_F(WindowCommandsTest, ToolWindowsOpenWhollyOnTheScreenOfAMaximisedMainWindow) {
    form->showMaximized();
    QCoreApplication::processEvents();
    const QRect area = form->screen()->availableGeometry();
    ShowObjectInfo(form.get(), "목성");
    for (const char* command : {"mnuToday", "mnuFindCon", "mnu24Julgi", "mnuMapInfo", "mnuSetTime"}) {
        form->Dispatch(command);
    }
    ASSERT_EQ(p.env.windows.shown.size(), 6u);
    QCoreApplication::processEvents();
    for (const auto& shown : p.env.windows.shown) {
        ASSERT_TRUE(shown.window) << shown.title;
        const QRect frame = shown.window->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << shown.title << ": " << frame.x() << "," << frame.y() << " "
                                          << frame.width() << "x" << frame.height();
    }
}

TEST_F(WindowCommandsTest, MarkerManagerSitsAtTheChartsTopRight) {
    // The main window wholly on the (800 x 800 offscreen) screen.
    form->setGeometry(40, 30, 700, 650);
    QCoreApplication::processEvents();
    form->Dispatch("mnuPoint");
    QWidget* window = FindToolWindow(ToolWindowId::FrmPoint);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->height(), 4380 / kTwipsPerPixel);
    EXPECT_EQ(window->height(), 292);
    const QRect frame = form->frameGeometry();
    EXPECT_EQ(window->frameGeometry().right(), frame.right());
    EXPECT_EQ(window->frameGeometry().top(), form->Picture1->mapToGlobal(QPoint(0, 0)).y());
    EXPECT_FALSE(LastShown().modal);
}

TEST_F(WindowCommandsTest, MarkerManagerNeverLeavesTheScreenToTheLeftOrTop) {
    form->move(-400, -300);
    form->resize(200, 150);
    QCoreApplication::processEvents();
    QWidget& window = ToolWindow(ToolWindowId::FrmPoint, form.get());
    window.resize(500, 100);
    form->Dispatch("mnuPoint");
    EXPECT_GE(window.frameGeometry().left(), 0);
    EXPECT_GE(window.frameGeometry().top(), 0);
}

TEST_F(WindowCommandsTest, ChartInformationWindowIsTheOneTheRedrawFills) {
    form->Dispatch("mnuMapInfo");
    ASSERT_FALSE(p.env.windows.shown.empty());
    EXPECT_EQ(LastShown().window, form->InfoWindow());
    EXPECT_EQ(LastShown().owner, form.get());
    EXPECT_FALSE(LastShown().modal);
}

// ---- Toolbars --------------------------------------------------------------

struct ButtonRow {
    ToolbarId bar;
    const char* key;
    const char* window;
    bool modal;
};

constexpr ButtonRow kWindowButtons[] = {
    {ToolbarId::Main, "cprint", "FrmPrint", true},     {ToolbarId::Main, "find", "FrmFind", false},
    {ToolbarId::Main, "planet", "FrmPInfo", true},     {ToolbarId::Main, "dcal", "FrmDCal", true},
    {ToolbarId::Main, "24julgi", "Frm24julgi", false}, {ToolbarId::Main, "moon", "FrmMoon", true},
    {ToolbarId::Main, "today", "frmToday", false},     {ToolbarId::Main, "pclose", "FrmCon", false},
    {ToolbarId::Main, "trail", "FrmPath", true},       {ToolbarId::Main, "point", "FrmPoint", false},
    {ToolbarId::Main, "tbInfo", "Form2", false},       {ToolbarId::Main, "coninfo", "FrmCInfo", false},
    {ToolbarId::View, "ecconfig", "FrmCFilter", false}, {ToolbarId::Move, "observery", "FrmObs", false},
    {ToolbarId::Move, "config", "FrmSet", true},
};

TEST_F(WindowCommandsTest, WindowButtonsOpenTheSameWindowsAsTheMenu) {
    for (const ButtonRow& row : kWindowButtons) {
        QAction* button = form->Bars->Button(row.bar, row.key);
        ASSERT_NE(button, nullptr) << row.key;
        const std::size_t before = p.env.windows.shown.size();
        button->trigger();
        ASSERT_EQ(p.env.windows.shown.size(), before + 1) << row.key;
        EXPECT_EQ(LastShown().window->objectName().toStdString(), row.window) << row.key;
        EXPECT_EQ(LastShown().modal, row.modal) << row.key;
        if (!row.modal) {
            EXPECT_EQ(LastShown().owner, form.get()) << row.key;
        }
    }
}

struct DispatchRow {
    ToolbarId bar;
    const char* key;
    const char* command;
    int index;
};

// Buttons that stand for a menu command run exactly that command.
constexpr DispatchRow kCommandButtons[] = {
    {ToolbarId::Main, "copen", "mnuOpen", 0},         {ToolbarId::Main, "csave", "mnuSave", 0},
    {ToolbarId::Main, "psave", "mnuPSave", 0},        {ToolbarId::Main, "info", "mnuInfo", 0},
    {ToolbarId::View, "alt", "mnuAlt", 0},            {ToolbarId::View, "equ", "mnuEqu", 0},
    {ToolbarId::View, "ecl", "mnuEcl", 0},            {ToolbarId::View, "gal", "mnuGalEqu", 0},
    {ToolbarId::View, "milky", "mnuMilky", 0},        {ToolbarId::View, "deepsky", "mnuNonstellar", 0},
    {ToolbarId::View, "planet", "mnuPlanet", 0},      {ToolbarId::View, "ast", "mnuAsteroid", 0},
    {ToolbarId::View, "comet", "mnuComet", 0},        {ToolbarId::View, "wcon", "mnuWConLine", 0},
    {ToolbarId::View, "wcname", "mnuWConName", 0},    {ToolbarId::View, "bnd", "mnuCBound", 0},
    {ToolbarId::View, "econ", "mnuEConLine", 0},      {ToolbarId::View, "ecname", "mnuName", 0},
    {ToolbarId::View, "econold", "mnuChunsang", 0},   {ToolbarId::View, "ecnameold", "mnuChunsangName", 0},
    {ToolbarId::Move, "north", "mnuDirect", 3},       {ToolbarId::Move, "south", "mnuDirect", 2},
    {ToolbarId::Move, "east", "mnuDirect", 0},        {ToolbarId::Move, "west", "mnuDirect", 1},
    {ToolbarId::Move, "zenith", "mnuDirect", 4},      {ToolbarId::Move, "all", "mnuReset", 0},
    {ToolbarId::Move, "rotate_r", "mnuRot", 0},       {ToolbarId::Move, "rotate_l", "mnuRot", 1},
    {ToolbarId::Move, "minush", "mnuBackward", 0},    {ToolbarId::Move, "plush", "mnuForward", 0},
};

TEST_F(WindowCommandsTest, CommandButtonsRunTheirMenuCommand) {
    std::vector<std::pair<std::string, int>> ran;
    for (const DispatchRow& row : kCommandButtons) {
        const std::string name = row.command;
        form->Commands.Add(name, [&ran, name](Form1&, int index) { ran.emplace_back(name, index); });
    }
    for (const DispatchRow& row : kCommandButtons) {
        ran.clear();
        QAction* button = form->Bars->Button(row.bar, row.key);
        ASSERT_NE(button, nullptr) << row.key;
        button->trigger();
        ASSERT_EQ(ran.size(), 1u) << row.key;
        EXPECT_EQ(ran[0].first, row.command) << row.key;
        EXPECT_EQ(ran[0].second, row.index) << row.key;
    }
}

TEST_F(WindowCommandsTest, FileButtonsAskForTheirFiles) {
    form->TbMain_ButtonClick("copen");
    form->TbMain_ButtonClick("csave");
    form->TbMain_ButtonClick("psave");
    ASSERT_EQ(p.env.files.requests.size(), 3u);
    EXPECT_EQ(p.env.files.requests[0].title, "zu 불러오기");
    EXPECT_EQ(p.env.files.requests[1].title, "zu 저장하기");
    EXPECT_EQ(p.env.files.requests[2].title, "그림으로 저장");
    form->TbMain_ButtonClick("info");
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "zu");
}

TEST_F(WindowCommandsTest, KeysDifferingOnlyInCaseDoNothing) {
    std::vector<std::string> ran;
    for (const auto& [key, action] : form->Menus->Actions()) {
        const std::string name = key.first;
        form->Commands.Add(name, [&ran, name](Form1&, int) { ran.push_back(name); });
    }
    const skydata::SettingsSnapshot before = skydata::CurrentSettings();
    for (const char* key : {"Find", "COPEN", "Cprint", "Info", "TbInfo"}) form->TbMain_ButtonClick(key);
    for (const char* key : {"Star", "ALT", "Magplus", "MAGMINUS", "EcConfig"}) form->TbView_ButtonClick(key);
    for (const char* key : {"North", "ENLARGE", "Up", "TimeControl", "Anim", "Observery"}) {
        form->TbMove_ButtonClick(key);
    }
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(p.env.windows.shown.empty());
    EXPECT_TRUE(p.env.popups.shown.empty());
    EXPECT_TRUE(p.env.files.requests.empty());
    EXPECT_EQ(skydata::CurrentSettings().MagControl, before.MagControl);
    EXPECT_EQ(skydata::CurrentSettings().ViewFOV, before.ViewFOV);
    EXPECT_EQ(skydata::CurrentSettings().ViewCenterY, before.ViewCenterY);
}

QRect ButtonGeometry(Form1& form, ToolbarId id, const char* key) {
    QToolBar* bar = id == ToolbarId::View ? form.Bars->TbView : form.Bars->TbMove;
    return bar->widgetForAction(form.Bars->Button(id, key))->geometry();
}

TEST_F(WindowCommandsTest, ViewDropDownsOpenJustBelowTheirButton) {
    const std::pair<const char*, const char*> rows[] = {
        {"star", "별 그리기"},
        {"atmoeff", "대기 소광 효과"},
        {"label", "한국 별(星鏡) 번호"},
        {"dsn", "기본 기호"},
        {"eclang", "한글 이름"},
    };
    for (const auto& [key, first_item] : rows) {
        p.env.popups.shown.clear();
        form->Bars->Button(ToolbarId::View, key)->trigger();
        ASSERT_EQ(p.env.popups.shown.size(), 1u) << key;
        const auto& popup = p.env.popups.shown[0];
        const QRect button = ButtonGeometry(*form, ToolbarId::View, key);
        const QPoint expected = form->Bars->TbView->mapToGlobal(QPoint(button.left(), button.top() + button.height()));
        EXPECT_EQ(popup.x, expected.x()) << key;
        EXPECT_EQ(popup.y, expected.y()) << key;
        EXPECT_EQ(popup.items.front(), first_item) << key;
    }
}

TEST_F(WindowCommandsTest, MoveBarMenusOpenBesideTheirButton) {
    form->Bars->Button(ToolbarId::Move, "timecontrol")->trigger();
    form->Bars->Button(ToolbarId::Move, "anim")->trigger();
    ASSERT_EQ(p.env.popups.shown.size(), 2u);
    const char* keys[] = {"timecontrol", "anim"};
    for (int i = 0; i < 2; ++i) {
        const QRect button = ButtonGeometry(*form, ToolbarId::Move, keys[i]);
        const QPoint expected = form->Bars->TbMove->mapToGlobal(QPoint(button.left() + button.width(), button.top()));
        EXPECT_EQ(p.env.popups.shown[i].x, expected.x()) << keys[i];
        EXPECT_EQ(p.env.popups.shown[i].y, expected.y()) << keys[i];
    }
    EXPECT_EQ(p.env.popups.shown[0].items.front(), "지금 시각으로(N)");
    EXPECT_EQ(p.env.popups.shown[0].default_item, "지금 시각으로(N)");
    // "anim" opens the animation submenu, not the animation settings window.
    EXPECT_EQ(p.env.popups.shown[1].items.front(), "시작하기(S)");
    EXPECT_EQ(p.env.popups.shown[1].default_item, "");
    EXPECT_TRUE(p.env.windows.shown.empty());
}

TEST_F(WindowCommandsTest, ChoosingInADropDownRunsTheSwitch) {
    std::vector<std::string> ran;
    form->Commands.Add("mnuCircle", [&ran](Form1&, int) { ran.push_back("mnuCircle"); });
    p.env.popups.choices.push_back("별을 원으로 그리기");
    form->TbView_ButtonClick("star");
    EXPECT_EQ(ran, std::vector<std::string>{"mnuCircle"});
}

}  // namespace
}  // namespace zu
