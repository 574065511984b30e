// The main window's commands that open the tool windows, and the month
// grid's mouse, offscreen through the seams (FakeQtEnv("vu")).
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"
#include "platform/QtFakes.h"
#include "platform/QtTestApp.h"
#include "platform/WindowPlacement.h"
#include "ui/ToolControls.h"
#include "ui/WrappedText.h"
#include "vu/grid/MonthGrid.h"
#include "vu/main/Form1.h"
#include "vu/main/ToolHooks.h"
#include "vu/main/VuWidgets.h"
#include "vu/windows/Form2.h"
#include "vu/windows/Form3.h"
#include "vu/windows/Frm24julgi.h"
#include "vu/windows/FrmDCal.h"
#include "vu/windows/FrmMoon.h"
#include "vu/windows/FrmOne.h"

namespace vu {
namespace {

class ToolHooks : public ::testing::Test {
protected:
    void SetUp() override {
        platform::EnsureQtApp();
        calendar::ResetCalendarState();
        env.clock.Set(2024, 3, 15, 12, 0, 0);
        form = std::make_unique<Form1>();
        ConnectToolWindows(*form);
        form->resize(900, 700);
        form->show();
        form->txtYR->setText("CE. 2024");
        form->txtMN->setText("3");
        form->ApplySetting();
    }
    void TearDown() override {
        form.reset();
        calendar::ResetCalendarState();
    }

    template <class Window>
    Window* LastShown() {
        if (env.windows.shown.empty()) return nullptr;
        const auto& shown = env.windows.shown.back();
        EXPECT_TRUE(shown.modal);
        EXPECT_EQ(shown.owner, form.get());
        return dynamic_cast<Window*>(shown.window.data());
    }

    platform::FakeQtEnv env{"vu"};
    std::unique_ptr<Form1> form;
};

TEST_F(ToolHooks, MenuKeysOpenTheFiveWindowsModally) {
    struct Case {
        const char* key;
        std::function<bool(QWidget*)> is;
    } cases[] = {
        {"F2", [](QWidget* w) { return dynamic_cast<FrmMoon*>(w) != nullptr; }},
        {"F3", [](QWidget* w) { return dynamic_cast<Frm24julgi*>(w) != nullptr; }},
        {"F4", [](QWidget* w) { return dynamic_cast<FrmOne*>(w) != nullptr; }},
        {"F5", [](QWidget* w) { return dynamic_cast<Form2*>(w) != nullptr; }},
        {"F6", [](QWidget* w) { return dynamic_cast<Form3*>(w) != nullptr; }},
    };
    for (const Case& c : cases) {
        QAction* action = nullptr;
        for (QAction* a : form->findChildren<QAction*>())
            if (a->shortcut() == QKeySequence(c.key)) action = a;
        ASSERT_NE(action, nullptr) << c.key;
        const std::size_t before = env.windows.shown.size();
        action->trigger();
        ASSERT_EQ(env.windows.shown.size(), before + 1) << c.key;
        QWidget* window = LastShown<QWidget>();
        ASSERT_NE(window, nullptr) << c.key;
        EXPECT_TRUE(c.is(window)) << c.key;
        window->close();
    }
    // The Moon window opens on the displayed month.
    form->mnuMoon->trigger();
    auto* moon = LastShown<FrmMoon>();
    ASSERT_NE(moon, nullptr);
    EXPECT_NE(ui::StdText(moon->LbTime[0]->text()).find("2024년 3월 10일"), std::string::npos);
}

// Each window, the day details too, opens as a dialog window whose
// transient parent is the main window's: what keeps it above the main window,
// and minimised with it, under X11 window managers.
TEST_F(ToolHooks, EveryWindowOpensAsATransientChildOfTheMainWindow) {
    for (const char* key : {"F2", "F3", "F4", "F5", "F6", "Ctrl+I"}) {
        SCOPED_TRACE(key);
        QAction* action = nullptr;
        for (QAction* a : form->findChildren<QAction*>())
            if (a->shortcut() == QKeySequence(key)) action = a;
        ASSERT_NE(action, nullptr);
        action->trigger();
        QWidget* window = LastShown<QWidget>();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->parentWidget(), form.get());
        EXPECT_EQ(window->windowType(), Qt::Dialog);
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->transientParent(), form->windowHandle());
        window->close();
    }
}

TEST_F(ToolHooks, InfoButtonsOpenMoonTermsAndSpecialDays) {
    for (int i = 0; i < 3; ++i) {
        auto* button = ui::FindControl<QToolButton>(*form, "cmdInfo", i);
        ASSERT_NE(button, nullptr) << i;
        button->click();
        ASSERT_EQ(env.windows.shown.size(), static_cast<std::size_t>(i + 1));
    }
    EXPECT_NE(dynamic_cast<FrmMoon*>(env.windows.shown[0].window.data()), nullptr);
    EXPECT_NE(dynamic_cast<Frm24julgi*>(env.windows.shown[1].window.data()), nullptr);
    EXPECT_NE(dynamic_cast<FrmOne*>(env.windows.shown[2].window.data()), nullptr);
}

TEST_F(ToolHooks, DetailViewShowsTodayOrTheWednesdayOfTheSecondRow) {
    // The clock's day (2024-03-15) is in the shown month.
    form->mnuDetailView->trigger();
    auto* details = LastShown<FrmDCal>();
    ASSERT_NE(details, nullptr);
    EXPECT_DOUBLE_EQ(DetailJD(), calendar::JulianDay(2024, 3, 15, 12));
    EXPECT_EQ(ui::StdText(details->LblDay[0]->text()), "서력 기원후 2024년 3월 15일 금요일");
    // Another month: the Wednesday of its second row.
    for (const auto& [month, day] : {std::pair{"4", 10}, std::pair{"2", 7}}) {
        form->txtMN->setText(month);
        form->ApplySetting();
        form->mnuDetailView->trigger();
        EXPECT_DOUBLE_EQ(DetailJD(), calendar::JulianDay(2024, std::atoi(month), day, 12)) << month;
    }
}

// The table window of another year leaves the grid's lunar dates alone, on
// a resize too, and its closing draws the grid afresh.
TEST_F(ToolHooks, TableOfAnotherYearKeepsTheGridsLunarDates) {
    form->mnuTrans->trigger();
    auto* table = LastShown<Form3>();
    ASSERT_NE(table, nullptr);
    table->Option1[0]->click();
    table->Command2[1]->click();
    form->resize(950, 720);
    QCoreApplication::processEvents();
    EXPECT_NE(MonthGrid().CellText[5][0].find("음력: 1."), std::string::npos) << MonthGrid().CellText[5][0];
    ClearMonthCells(MonthGrid());
    table->close();
    EXPECT_NE(MonthGrid().CellText[5][0].find("음력: 1."), std::string::npos) << MonthGrid().CellText[5][0];
}

void Release(QWidget& grid, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), grid.mapToGlobal(QPointF(at)), button, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&grid, &event);
}

void Move(QWidget& grid, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), grid.mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&grid, &event);
}

TEST_F(ToolHooks, GridMouseTipsAndRightClick) {
    QWidget& grid = *form->Grid;
    const int w = grid.width(), h = grid.height();
    const int cell_w = w / 7, cell_h = (h - 30) / 6;
    const auto centre = [&](int column, int row) { return QPoint(column * cell_w + cell_w / 2, 30 + row * cell_h + cell_h / 2); };
    const MonthCells& cells = MonthGrid();

    // March 2024 starts on a Friday: the cells before it are empty.
    ASSERT_TRUE(cells.CellText[0][0].empty());
    Release(grid, centre(0, 0), Qt::RightButton);
    EXPECT_TRUE(env.windows.shown.empty());

    Move(grid, centre(5, 0));
    EXPECT_EQ(ui::StdText(grid.toolTip()), cells.CellText[5][0]);
    Move(grid, QPoint(5 * cell_w + 3, 10));  // over the weekday header: the first row's tip
    EXPECT_EQ(ui::StdText(grid.toolTip()), cells.CellText[5][0]);

    Release(grid, centre(5, 0), Qt::LeftButton);
    EXPECT_TRUE(env.windows.shown.empty());
    Release(grid, centre(5, 0), Qt::RightButton);
    ASSERT_NE(LastShown<FrmDCal>(), nullptr);
    EXPECT_DOUBLE_EQ(DetailJD(), calendar::JulianDay(2024, 3, 1, 12));

    // The right margin counts as the last column.
    Release(grid, QPoint(w - 1, 30 + cell_h + cell_h / 2), Qt::RightButton);
    EXPECT_DOUBLE_EQ(DetailJD(), cells.CellJD[6][1]);
}

// n Hangul syllables without a blank.
std::string Syllables(int n) {
    QString name;
    for (int i = 0; i < n; ++i) name += QChar(0xAC00 + (i * 37) % 11172);
    return name.toStdString();
}

// The tool tip shown now, nullptr when none is.
QWidget* ShownTip() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible()) return window;
    return nullptr;
}

// A special-day name without blanks, of 100 syllables or of the 32,767
// characters a settings file may hold: the cell's tip and the day's details
// stay within the screen's free area, the name wrapped, and scrolled in the
// details when it is longer than they show.
TEST_F(ToolHooks, LongNamesStayOnTheScreen) {
    QWidget& grid = *form->Grid;
    const QRect area = platform::ScreenAreaFor(*form, nullptr);
    ASSERT_FALSE(area.isEmpty());
    const int cell_w = grid.width() / 7, cell_h = (grid.height() - 30) / 6;
    // 20 March 2024, the Wednesday of the fourth row.
    const QPoint day(3 * cell_w + cell_w / 2, 30 + 3 * cell_h + cell_h / 2);
    for (const int length : {100, 32767}) {
        SCOPED_TRACE(length);
        const std::string name = Syllables(length);
        calendar::SDayRecord record;
        record.month = 3;
        record.day = 20;
        record.name = name;
        calendar::Calendar().SDays[0][0] = record;
        form->ApplySetting();
        ASSERT_EQ(MonthGrid().CellJD[3][3], calendar::JulianDay(2024, 3, 20, 12));
        ASSERT_NE(MonthGrid().CellText[3][3].find(name), std::string::npos);

        Move(grid, day);
        const QString tip = grid.toolTip();
        const QFontMetrics tip_metrics(QToolTip::font());
        const QStringList tip_lines = tip.split(QLatin1Char('\n'));
        EXPECT_GE(tip_lines.size(), 2);
        for (const QString& line : tip_lines) EXPECT_LE(tip_metrics.horizontalAdvance(line), area.width());
        QToolTip::showText(grid.mapToGlobal(day), tip, &grid);
        QWidget* shown_tip = ShownTip();
        ASSERT_NE(shown_tip, nullptr);
        EXPECT_TRUE(area.contains(shown_tip->frameGeometry())) << shown_tip->width() << "x" << shown_tip->height();
        // Over the pointer it would close at once.
        EXPECT_FALSE(shown_tip->frameGeometry().contains(grid.mapToGlobal(day)));
        QToolTip::hideText();

        Release(grid, day, Qt::RightButton);
        auto* details = LastShown<FrmDCal>();
        ASSERT_NE(details, nullptr);
        platform::RunEventsFor(50);
        EXPECT_TRUE(area.contains(details->frameGeometry())) << details->width() << "x" << details->height();
        const QRect close_button(details->CmdOK->mapToGlobal(QPoint(0, 0)), details->CmdOK->size());
        EXPECT_TRUE(area.contains(close_button));
        EXPECT_NE(ui::StdText(details->LSD->text()).find(name), std::string::npos);
        const QFontMetrics metrics(details->LSD->font());
        const QStringList lines = details->LSD->Lines();
        EXPECT_GE(lines.size(), 2);
        for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), details->LSD->width());
        if (length == 32767) {
            EXPECT_GT(details->LSDScroller->verticalScrollBar()->maximum(), 0);
        }
        details->close();
    }
}

TEST(CellUnderPointer, HeaderMarginsAndLimits) {
    struct Case {
        int x, y, column, row;
    } cases[] = {{0, 0, 0, 0}, {699, 29, 6, 0}, {100, 30, 1, 0}, {699, 529, 6, 5}, {720, 600, 6, 5}, {-5, -40, 0, 0}};
    for (const Case& c : cases) {
        int column = -1, row = -1;
        CellUnderPointer(c.x, c.y, 700, 530, column, row);
        EXPECT_EQ(column, c.column) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace vu
