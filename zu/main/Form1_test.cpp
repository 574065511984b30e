// The main window without data files: redraw texts and statistics, menu and
// toolbar state, layout, keys, wheel, timers and the guard around handlers.
#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "astro/JulianDay.h"
#include "chart/ChartState.h"
#include "platform/RunTimeError.h"
#include "zu/core/TestSupport.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/InfoWindow.h"
#include "zu/main/RedrawTexts.h"

namespace zu {
namespace {

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        form = std::make_unique<Form1>();
        form->resize(900, 650);
        form->show();
        QCoreApplication::processEvents();
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    QAction* Menu(const char* name, int index = 0) { return form->Menus->Action(name, index); }
    QAction* ViewButton(int number) { return form->Bars->ViewItem(number); }
    void Key(int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, qt_key, modifiers);
        QCoreApplication::sendEvent(form.get(), &press);
    }
    void Wheel(QWidget* target, int delta) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &event);
    }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

TEST(RedrawTexts, FieldOfViewPanel) {
    const std::pair<double, const char*> rows[] = {
        {60, "시야: 60.0°"}, {1.25, "시야: 1.25°"}, {120, "시야: 120.0°"}, {5, "시야: 5.0°"}, {190, "시야: 190.0°"}};
    for (const auto& [fov, text] : rows) EXPECT_EQ(FovStatusText(fov), text) << fov;
}

TEST(RedrawTexts, ZoomIndicator) {
    const std::pair<double, int> rows[] = {{60, 1310}, {190, 10}, {0.5, 1900}, {1, 1900}, {250, 10}, {40, 1510}};
    for (const auto& [fov, value] : rows) EXPECT_EQ(ZoomIndicatorValue(fov), value) << fov;
}

TEST_F(Form1Test, RedrawWritesPanelsCaptionIndicatorAndStatistics) {
    p.env.tick.step_ms = 7;
    const std::int64_t count = AppState().DrawCount;
    const std::int64_t total = AppState().DrawTimeTotal;
    S().ViewFOV = 1.25;
    form->SetMapBox();
    EXPECT_EQ(form->Panel(3).toStdString(), "시야: 1.25°");
    // The drawing replaced "zu 그리는 중..." with its limiting magnitude.
    EXPECT_TRUE(form->Panel(4).endsWith(QString::fromUtf8(")")));
    EXPECT_EQ(form->ProgressBar1->value(), 1898);
    EXPECT_TRUE(form->windowTitle().startsWith("zu - "));
    EXPECT_TRUE(form->windowTitle().contains(QString::fromUtf8("고령")));
    EXPECT_EQ(AppState().DrawCount, count + 1);
    EXPECT_EQ(AppState().DrawTimeTotal, total + 7);
    S().ViewFOV = 60;
    form->SetMapBox();
    EXPECT_EQ(form->ProgressBar1->value(), 1310);
}

TEST_F(Form1Test, StarVectorsFollowTheYearOnlyWithProperMotion) {
    // One bright star with a large proper motion; a marker in its vector
    // shows whether a redraw recomputed it.
    skydata::BscStarRecord star;
    star.HR = 1;
    star.RA_deg = 10;
    star.Dec_deg = 80;
    star.PmRA_arcsecPerYear = 5;
    skydata::Catalogs().BscStar[0].push_back(star);
    skydata::Catalogs().BscZoneLastIndex[0] = 0;
    auto& x = skydata::Catalogs().BscStar[0][0].x;
    const double marker = 12345;

    for (bool proper_motion : {true, false}) {
        S().calcpropermotion = proper_motion;
        S().CurrentJD = astro::DateToJD(2023, 12, 31, 23, 0, 0);
        form->SetMapBox();
        x = marker;
        S().CurrentJD = astro::DateToJD(2024, 1, 1, 1, 0, 0);
        form->SetMapBox();
        EXPECT_EQ(x != marker, proper_motion) << "first redraw of the new year";
        x = marker;
        form->SetMapBox();
        form->SetMapBox();
        EXPECT_EQ(x, marker) << "later redraws of the same year";
    }
}

TEST_F(Form1Test, RefreshRateSetsTheRealTimeTimer) {
    const std::pair<int, int> rows[] = {{0, 10000}, {61, 10000}, {33, 33000}, {60, 60000}, {1, 1000}};
    for (const auto& [rate, interval] : rows) {
        S().MapRefreshRate = rate;
        form->FormSet();
        EXPECT_EQ(form->Timer3->interval(), interval) << rate;
        EXPECT_EQ(S().MapRefreshRate, interval / 1000);
    }
    EXPECT_TRUE(form->Timer3->isActive());
}

TEST_F(Form1Test, ChecksAndButtonsFollowTheSettings) {
    S().viewoldmap = true;
    S().viewconstlinee = false;
    S().viewalt = true;
    S().viewequ = false;
    S().starnamelang = 0;
    form->FormSet();
    EXPECT_TRUE(ViewButton(26)->isChecked());
    EXPECT_EQ(ViewButton(26)->objectName(), "econold");
    EXPECT_TRUE(Menu("mnuChunsang")->isChecked());
    EXPECT_FALSE(Menu("mnuEConLine")->isChecked());
    EXPECT_FALSE(ViewButton(24)->isChecked());
    EXPECT_TRUE(Menu("mnuAlt")->isChecked());
    EXPECT_TRUE(ViewButton(1)->isChecked());
    EXPECT_FALSE(ViewButton(2)->isChecked());
    EXPECT_TRUE(Menu("mnuSN", 0)->isChecked());
    EXPECT_TRUE(Menu("mnuSN", 1)->isChecked());

    S().starnamelang = 2;
    S().oldequ = 1;
    form->FormSet();
    EXPECT_FALSE(Menu("mnuSN", 0)->isChecked());
    EXPECT_TRUE(Menu("mnuSN", 1)->isChecked());
    EXPECT_TRUE(Menu("mnuOldEqu")->isChecked());
    S().oldequ = 3;
    form->FormSet();
    EXPECT_TRUE(Menu("mnuOldEqu")->isChecked());
    EXPECT_FALSE(Menu("mnuIpsoo")->isChecked());
}

TEST_F(Form1Test, RadioGroupsCheckOneItemAndIgnoreAValueOutOfRange) {
    S().PNameLang = 2;
    S().DSONAME = 3;
    form->FormSet();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Menu("mnuPlaName", i)->isChecked(), i == 2);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Menu("mnuDSOName", i)->isChecked(), i == 3);

    S().PNameLang = 7;
    S().S2kName = -1;
    S().viewcname = true;
    EXPECT_NO_THROW(form->FormSet());
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(Menu("mnuPlaName", i)->isChecked());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Menu("mnuS2kLabel", i)->isChecked());
    // The groups after it were still set.
    EXPECT_TRUE(Menu("mnuEConNameH")->isChecked());
    EXPECT_FALSE(Menu("mnuEConName")->isChecked());
}

TEST_F(Form1Test, UserCatalogueItems) {
    S().usercatfile0is = false;
    S().usercatfile1is = true;
    S().drawcuscat1 = true;
    skydata::UserCatalogModule().Catalogs[1].Name = "변광성";
    form->FormSet();
    EXPECT_EQ(Menu("mnuCustom", 0)->text().toStdString(), "사용자 정의 목록");
    EXPECT_FALSE(Menu("mnuCustom", 0)->isEnabled());
    EXPECT_EQ(Menu("mnuCustom", 1)->text().toStdString(), "사용자 정의 목록: 변광성");
    EXPECT_TRUE(Menu("mnuCustom", 1)->isEnabled());
    EXPECT_TRUE(Menu("mnuCustom", 1)->isChecked());
}

TEST_F(Form1Test, ClickingAMenuOrButtonLeavesItsMarkToTheCommand) {
    int runs = 0;
    form->Commands.Add("mnuAlt", [&](Form1&, int) { ++runs; });
    const bool before = Menu("mnuAlt")->isChecked();
    Menu("mnuAlt")->trigger();
    EXPECT_EQ(Menu("mnuAlt")->isChecked(), before);
    ViewButton(1)->trigger();
    EXPECT_EQ(ViewButton(1)->isChecked(), before);
    EXPECT_EQ(runs, 2);
    // Button keys are compared with their letter case.
    form->TbView_ButtonClick("Alt");
    EXPECT_EQ(runs, 2);
    // A command that does not exist yet does nothing.
    EXPECT_NO_THROW(Menu("mnuOpen")->trigger());
}

TEST_F(Form1Test, ToolbarsHoldEveryButtonInOrder) {
    const auto main = form->Bars->Keys(ToolbarId::Main);
    const auto view = form->Bars->Keys(ToolbarId::View);
    const auto move = form->Bars->Keys(ToolbarId::Move);
    EXPECT_EQ(main.front(), "copen");
    EXPECT_EQ(main.back(), "info");
    EXPECT_EQ(view.size(), 30u);
    const std::pair<int, const char*> numbered[] = {{1, "alt"},     {5, "milky"},   {14, "deepsky"},
                                                    {17, "planet"}, {23, "bnd"},    {27, "ecnameold"},
                                                    {30, "ecconfig"}};
    for (const auto& [number, key] : numbered) EXPECT_EQ(ViewButton(number)->objectName().toStdString(), key);
    EXPECT_EQ(move.front(), "north");
    EXPECT_EQ(move.back(), "config");
    EXPECT_EQ(form->Bars->Button(ToolbarId::Move, "minush")->toolTip().toStdString(), "-1 시간 구간");
    EXPECT_EQ(form->Bars->Button(ToolbarId::Main, "today")->toolTip().toStdString(), "오늘의 천문현상");
}

TEST_F(Form1Test, MenuCaptionsAndShortcuts) {
    struct Row {
        const char* name;
        int index;
        const char* caption;
        const char* shortcut;
    };
    const Row rows[] = {{"mnuOpen", 0, "zu 열기(&L)", "Ctrl+L"},
                        {"mnuPSave", 0, "그림으로 저장(&S)", "Ctrl+Y"},
                        {"mnuZooms", 1, "축소(&U)", "Shift+Del"},
                        {"mnuNotRot", 0, "zu 회전 취소", "Alt+Backspace"},
                        {"mnuDirect", 4, "천정(&Z)", "Ctrl+Z"},
                        {"mnuStar", 0, "별 그리기", "Ctrl+F11"},
                        {"mnuTimeControll", 5, "-1 분", "F8"},
                        {"mnuInverse", 0, "역행(&I)", "Ctrl+Ins"},
                        {"mnuInterval", 12, "일출몰/박명 시간에 맞추기", ""},
                        {"mnuToday", 0, "오늘의 천문 현상(&A)", "F2"},
                        {"mnuCFilter", 0, "별자리 설정", "Ctrl+C"},
                        {"mnuSpcTime", 10, "자정(24 시 = 익일 0 시)", ""},
                        {"mnuTrack", 0, "좌표 고정", ""}};
    for (const Row& row : rows) {
        QAction* action = Menu(row.name, row.index);
        ASSERT_NE(action, nullptr) << row.name;
        EXPECT_EQ(action->text().toStdString(), row.caption);
        EXPECT_EQ(action->shortcut().toString().toStdString(), row.shortcut) << row.name;
    }
    EXPECT_TRUE(Menu("mnuInterval", 3)->isChecked());
    EXPECT_NE(form->Menus->Menu("mnuMRight"), nullptr);
    EXPECT_NE(form->Menus->Menu("mnuAni"), nullptr);
}

TEST_F(Form1Test, EveryMenuItemRunsACommand) {
    // The separator and the submenu of the pop-up carry no command.
    const std::set<std::string> without = {"mnusperate", "mnuObjTime"};
    for (const auto& [id, action] : form->Menus->Actions()) {
        if (without.count(id.first)) continue;
        EXPECT_TRUE(form->Commands.Has(id.first)) << id.first << " " << id.second;
    }
}

TEST_F(Form1Test, AChartAreaWithoutPixelsIsNotDrawn) {
    for (const QSize size : {QSize(0, 300), QSize(300, 0), QSize(0, 0)}) {
        form->Picture1->setGeometry(0, 0, size.width(), size.height());
        // What the last drawing left: a drawing would replace it.
        chart::Chart().ScreenObjects = {{5, 6, chart::PlanetKey(3)}};
        const std::int64_t count = AppState().DrawCount;
        S().ViewFOV = 30;
        form->SetMapBox();
        ASSERT_EQ(chart::Chart().ScreenObjects.size(), 1u) << size.width() << "x" << size.height();
        EXPECT_EQ(chart::Chart().ScreenObjects[0].X, 5);
        // The rest of the redraw goes on.
        EXPECT_EQ(AppState().DrawCount, count + 1);
        EXPECT_EQ(form->Panel(3).toStdString(), "시야: 30.0°");
        EXPECT_EQ(form->ProgressBar1->value(), 1610);
    }
}

TEST_F(Form1Test, ChartStartsBelowAndRightOfTheToolbars) {
    S().ShowToolBar = true;
    form->Form_Resize();
    EXPECT_EQ(form->Picture1->x(), form->Bars->TbMove->width());
    EXPECT_EQ(form->Picture1->y(), 2 * form->Bars->TbMain->height());
    EXPECT_GT(form->Picture1->y(), 0);
    EXPECT_EQ(form->Picture1->x() + form->Picture1->width(), form->Client()->width());
    EXPECT_TRUE(form->Picture2->isVisible());

    S().ShowToolBar = false;
    form->Form_Resize();
    EXPECT_EQ(form->Picture1->pos(), QPoint(0, 0));
    EXPECT_EQ(form->Picture1->size(), form->Client()->size());
    EXPECT_FALSE(form->Bars->TbMain->isVisible());
    EXPECT_FALSE(form->Picture2->isVisible());
}

TEST_F(Form1Test, ZoomIndicatorNeverCoversAViewButton) {
    S().ShowToolBar = true;
    // A window made as small as the designed 543 x 520 is too narrow for the
    // whole view toolbar.
    for (const QSize size : {QSize(543, 520), QSize(1400, 650), QSize(700, 500)}) {
        form->resize(size);
        QCoreApplication::processEvents();
        form->Form_Resize();
        QToolBar* view = form->Bars->TbView;
        const QRect indicator = form->Picture2->geometry();
        EXPECT_TRUE(form->Picture2->isVisible());
        EXPECT_LE(indicator.right(), form->Client()->width()) << size.width();
        int shown_buttons = 0;
        for (int number = 1; number <= form->Bars->ViewItemCount(); ++number) {
            QWidget* button = view->widgetForAction(form->Bars->ViewItem(number));
            if (!button || !button->isVisible()) continue;
            ++shown_buttons;
            const QRect on_client = button->geometry().translated(view->pos());
            EXPECT_FALSE(on_client.intersects(indicator)) << size.width() << " button " << number;
        }
        EXPECT_GT(shown_buttons, 5) << size.width();
    }
}

// At the size a first start opens with, no toolbar button waits in an
// extension menu, the zoom indicator covers none, and the field of view and
// the magnitude limit (or the work in progress) show whole in the status bar.
TEST_F(Form1Test, TheFirstStartSizeShowsEveryButtonAndTheWholeStatus) {
    S().ShowToolBar = true;
    const QSize size = form->SizeShowingEveryButton();
    EXPECT_GT(size.width(), 543);
    form->resize(size);
    QCoreApplication::processEvents();
    ASSERT_EQ(form->size(), size);
    const QRect indicator = form->Picture2->geometry();
    const std::pair<ToolbarId, QToolBar*> bars[] = {{ToolbarId::Main, form->Bars->TbMain},
                                                    {ToolbarId::View, form->Bars->TbView},
                                                    {ToolbarId::Move, form->Bars->TbMove}};
    for (const auto& [id, bar] : bars) {
        for (const std::string& key : form->Bars->Keys(id)) {
            if (key == "-") continue;
            QWidget* button = bar->widgetForAction(form->Bars->Button(id, key));
            ASSERT_NE(button, nullptr) << key;
            EXPECT_TRUE(button->isVisible()) << bar->objectName().toStdString() << " " << key;
            if (id == ToolbarId::View) {
                EXPECT_FALSE(button->geometry().translated(bar->pos()).intersects(indicator)) << key;
            }
        }
    }
    EXPECT_LE(indicator.right(), form->Client()->width());

    form->SetMapBox();
    for (const QString& text : {QString(), QString::fromUtf8("세차운동 및 고유운동 계산 중...")}) {
        if (!text.isEmpty()) form->SetPanel(4, text);
        QCoreApplication::processEvents();
        for (const char* name : {"StBarPanel3", "StBarPanel4"}) {
            const QLabel* panel = form->findChild<QLabel*>(name);
            ASSERT_NE(panel, nullptr);
            EXPECT_FALSE(panel->text().isEmpty()) << name;
            EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()))
                << name << " " << panel->text().toStdString();
        }
    }
}

TEST(StoredWindowSize, UnusableSizesFallBackAndHugeOnesFitTheScreen) {
    const QSize screen(1280, 800);
    struct Row {
        std::int32_t fwidth, fheight;
        QSize available, expected;
    };
    const Row rows[] = {
        {9600, 7200, screen, {640, 480}},
        {8145, 7800, screen, {543, 520}},
        // Designed size for what no window can use.
        {-100, 7800, screen, {543, 520}},
        {0, 0, screen, {543, 520}},
        {15, 7800, screen, {543, 520}},
        {9600, 1500, screen, {543, 520}},
        // Cut to the free area of the screen.
        {2147483647, 2147483647, screen, {1280, 800}},
        {30000, 9000, screen, {1280, 600}},
        {2147483647, 9000, QSize(), {143165576, 600}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(StoredWindowSize(row.fwidth, row.fheight, row.available), row.expected)
            << row.fwidth << " x " << row.fheight;
    }
}

TEST_F(Form1Test, AStoredSizeBeyondTheScreenOpensWithinIt) {
    // A chart surface of the stored 143165576 x 143165576 pixels cannot be
    // allocated.
    S().fstate = 0;
    S().fwidth = 2147483647;
    S().fheight = 2147483647;
    Form1 other;
    other.ApplyStoredWindowState();
    other.ShowAsStored();
    QCoreApplication::processEvents();
    // The frame too: title bar and borders come on top of the stored size.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(other.frameGeometry()))
        << other.frameGeometry().width() << " x " << other.frameGeometry().height();
    EXPECT_GT(other.Picture1->width(), 0);
}

TEST_F(Form1Test, KeyQFollowsTheClockWithSeconds) {
    S().RealTimeMode = false;
    Key(Qt::Key_Q);
    EXPECT_TRUE(S().RealTimeMode);
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 45));
    p.env.clock.Set(2024, 3, 15, 22, 0, 0);
    Key(Qt::Key_Q);
    EXPECT_FALSE(S().RealTimeMode);
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 45));
}

TEST_F(Form1Test, PlusAndMinusKeysZoom) {
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        double fov;
    };
    const Row rows[] = {{Qt::Key_Plus, Qt::NoModifier, 40},  {Qt::Key_Equal, Qt::NoModifier, 40},
                        {Qt::Key_Plus, Qt::KeypadModifier, 40}, {Qt::Key_Minus, Qt::NoModifier, 90},
                        {Qt::Key_Minus, Qt::KeypadModifier, 90}, {Qt::Key_A, Qt::NoModifier, 60}};
    for (const Row& row : rows) {
        S().ViewFOV = 60;
        Key(row.key, row.modifiers);
        EXPECT_DOUBLE_EQ(S().ViewFOV, row.fov) << row.key;
    }
}

TEST_F(Form1Test, WheelZoomsOverTheChartOnlyAndByWholeNotches) {
    S().ViewFOV = 60;
    Wheel(form->Picture1, 120);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 40);
    Wheel(form->Picture1, -120);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 60);
    Wheel(form->Bars->TbMain, 120);
    Wheel(form->Bars->TbMove, 120);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 60);
    for (int i = 0; i < 3; ++i) Wheel(form->Picture1, 30);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 60);
    Wheel(form->Picture1, 30);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 40);
}

TEST_F(Form1Test, RealTimeTickActsOnlyInRealTimeMode) {
    const double jd = S().CurrentJD;
    S().RealTimeMode = false;
    form->Timer3_Timer();
    EXPECT_EQ(S().CurrentJD, jd);
    S().RealTimeMode = true;
    const std::int64_t count = AppState().DrawCount;
    form->Timer3_Timer();
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2024, 3, 15, 21, 7, 45));
    EXPECT_EQ(AppState().DrawCount, count + 1);
}

TEST_F(Form1Test, AnimationTickStepsByTheIntervalInItsDirection) {
    S().RealTimeMode = false;
    const double jd = S().CurrentJD;
    AppState().TimeStep = 1.0 / 24;
    form->Timer1_Timer();
    EXPECT_NEAR(S().CurrentJD, jd + 1.0 / 24, 1e-9);
    Menu("mnuInverse")->setChecked(true);
    form->Timer1_Timer();
    form->Timer1_Timer();
    EXPECT_NEAR(S().CurrentJD, jd - 1.0 / 24, 1e-9);
}

TEST_F(Form1Test, MagnitudeButtonsStepTheLimitOffset) {
    S().MagControl = 0;
    form->TbView_ButtonClick("magplus");
    form->TbView_ButtonClick("magplus");
    form->TbView_ButtonClick("magminus");
    EXPECT_FLOAT_EQ(S().MagControl, 0.5f);
}

TEST_F(Form1Test, ATrackedKeyThatNoLongerResolvesEndsTracking) {
    form->TrackOn = 1;
    form->TrackKey = "C12345";
    const std::int64_t count = AppState().DrawCount;
    form->SetMapBox();
    EXPECT_EQ(form->TrackOn, 0);
    EXPECT_EQ(AppState().DrawCount, count + 1);
}

TEST_F(Form1Test, TrackingCentresOnThePlanet) {
    S().ViewCoordSys = "e";
    form->TrackOn = 1;
    form->TrackKey = "P0";
    form->SetMapBox();
    EXPECT_EQ(form->TrackOn, 1);
    const astro::PlanetRecord& sun = astro::Planets().PlanetTable[0];
    EXPECT_NEAR(S().ViewCenterX, sun.TopoRA + 0.0001, 1e-9);
    EXPECT_NEAR(S().ViewCenterY, sun.TopoDec + 0.0001, 1e-9);
    EXPECT_EQ(form->InfoWindow()->findChild<QLabel*>("Label2_7")->text().toStdString(), "해");
}

TEST_F(Form1Test, AnErrorInACommandIsShownAndTheWindowGoesOn) {
    // A command that changed the view and then failed.
    form->Commands.Add("mnuEcl", [](Form1& f, int) {
        f.TrackOn = 1;
        skydata::CurrentSettings().ViewFOV = 5;
        skydata::CurrentSettings().viewecl = !skydata::CurrentSettings().viewecl;
        throw platform::RunTimeError("시험 오류");
    });
    const double fov = S().ViewFOV;
    const bool ecliptic = S().viewecl;
    Menu("mnuEcl")->trigger();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text, "시험 오류");
    EXPECT_EQ(S().ViewFOV, fov);
    EXPECT_EQ(S().viewecl, ecliptic);
    EXPECT_EQ(form->TrackOn, 0);
    Key(Qt::Key_Plus);
    EXPECT_LT(S().ViewFOV, fov);
}

TEST_F(Form1Test, ViewDropDownsOpenTheirSubmenusBelowTheButton) {
    form->TbView_ButtonClick("atmoeff");
    form->TbMove_ButtonClick("timecontrol");
    ASSERT_EQ(p.env.popups.shown.size(), 2u);
    EXPECT_EQ(p.env.popups.shown[0].items.front(), "대기 소광 효과");
    EXPECT_EQ(p.env.popups.shown[1].default_item, "지금 시각으로(N)");
}

}  // namespace
}  // namespace zu
