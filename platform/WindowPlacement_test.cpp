#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "platform/QtServices.h"
#include "platform/QtTestApp.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

namespace platform {
namespace {

TEST(WindowPlacement, FrameIsMovedAndCutIntoTheArea) {
    const QRect area(0, 0, 1000, 1000);
    struct Row {
        const char* name;
        QRect frame;
        QRect expected;
    };
    const Row rows[] = {
        {"inside stays", {100, 100, 300, 200}, {100, 100, 300, 200}},
        {"past the bottom right", {720, 820, 300, 200}, {700, 800, 300, 200}},
        {"past the top left", {-40, -10, 300, 200}, {0, 0, 300, 200}},
        {"stored on a larger screen", {1500, 1200, 300, 200}, {700, 800, 300, 200}},
        {"larger than the screen", {-20, 30, 1200, 1100}, {0, 0, 1000, 1000}},
        {"wider only", {50, 50, 1400, 200}, {0, 50, 1000, 200}},
    };
    for (const Row& row : rows) EXPECT_EQ(FrameInside(row.frame, area), row.expected) << row.name;
    EXPECT_EQ(FrameInside(QRect(5, 5, 10, 10), QRect()), QRect(5, 5, 10, 10)) << "no screen: unchanged";
    const QRect offset_area(1920, 24, 1280, 976);
    EXPECT_EQ(FrameInside(QRect(3000, 900, 400, 300), offset_area), QRect(2800, 700, 400, 300))
        << "second screen below a panel";
}

// Corners are apart when they differ by 16 px or more across or down.
bool Apart(const QPoint& a, const QPoint& b) { return std::abs(a.x() - b.x()) >= 16 || std::abs(a.y() - b.y()) >= 16; }

TEST(WindowPlacement, FreeCornerCascadesFromTheWantedPlaceInsideTheArea) {
    const QRect area(0, 0, 1000, 800);
    const QSize frame(300, 200);
    struct Row {
        const char* name;
        QPoint wanted;
        std::vector<QPoint> taken;
        QPoint expected;
    };
    const Row rows[] = {
        {"free", {40, 40}, {{300, 300}}, {40, 40}},
        {"a corner just apart", {40, 40}, {{56, 24}}, {40, 40}},
        {"taken: the next step of the cascade", {40, 40}, {{45, 30}}, {72, 72}},
        {"the cascade's first steps taken", {40, 40}, {{40, 40}, {72, 72}, {104, 104}}, {136, 136}},
        {"past the area: moved inside first", {900, -50}, {}, {700, 0}},
        // At the bottom right the cascade goes back up.
        {"the last step taken", {700, 600}, {{700, 600}}, {668, 568}},
        {"the whole cascade taken: one beside it",
         {700, 600},
         {{700, 600}, {668, 568}, {636, 536}, {604, 504}, {572, 472}, {540, 440}, {508, 408}, {476, 376},
          {444, 344}, {412, 312}, {380, 280}, {348, 248}, {316, 216}, {284, 184}, {252, 152}, {220, 120},
          {188, 88}, {156, 56}, {124, 24}},
         {700, 568}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QPoint corner = FreeCorner(row.wanted, frame, area, row.taken);
        EXPECT_EQ(corner, row.expected);
        EXPECT_TRUE(area.contains(QRect(corner, frame)));
        for (const QPoint& other : row.taken) EXPECT_TRUE(Apart(corner, other));
    }
    // As large as the area: one place only, taken or not.
    EXPECT_EQ(FreeCorner({30, 30}, area.size(), area, {{0, 0}}), QPoint(0, 0));
    EXPECT_EQ(FreeCorner({30, 30}, frame, QRect(), {{30, 30}}), QPoint(30, 30)) << "no screen: unchanged";
}

// Windows opened one after another each take a place of their own while the
// area has room, however crowded, and large ones too.
TEST(WindowPlacement, FreeCornerKeepsManyWindowsApart) {
    const QRect area(0, 24, 800, 576);
    const QSize sizes[] = {{300, 200}, {520, 420}, {760, 520}, {200, 120}};
    std::vector<QPoint> taken{area.topLeft()};
    for (int n = 0; n < 24; ++n) {
        const QSize frame = sizes[n % 4];
        const QPoint corner = FreeCorner(area.topLeft() + QPoint(32, 32), frame, area, taken);
        EXPECT_TRUE(area.contains(QRect(corner, frame))) << n;
        for (const QPoint& other : taken) EXPECT_TRUE(Apart(corner, other)) << n;
        taken.push_back(corner);
    }
}

class WindowPlacementQt : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        saved_ = Env();
        InstallQtServices("zu");
        area_ = QGuiApplication::primaryScreen()->availableGeometry();
        owner_ = std::make_unique<QWidget>();
        owner_->resize(area_.width() / 2, area_.height() / 2);
        owner_->showMaximized();
    }
    void TearDown() override { Env() = saved_; }
    // True when the window's whole frame lies inside the screen's free area.
    bool OnScreen(const QWidget& window) const { return area_.contains(window.frameGeometry()); }

    Services saved_;
    QRect area_;
    std::unique_ptr<QWidget> owner_;
};

// A window placed at the bottom right corner of the main window by its client
// size alone (its frame still unknown) would reach past the screen by its
// title bar; the seam opens it inside, modeless or modal.
TEST_F(WindowPlacementQt, ToolWindowsPlacedPastTheScreenOpenInside) {
    for (const bool modal : {false, true}) {
        SCOPED_TRACE(modal ? "modal" : "owned");
        QWidget* window = modal ? new QDialog(owner_.get()) : new QWidget(owner_.get(), Qt::Window);
        window->resize(300, 200);
        window->move(area_.right() - 300 + 1, area_.bottom() - 200 + 20);
        if (modal) {
            Env().windows->OpenModal(*window, owner_.get());
        } else {
            Env().windows->ShowOwned(*window, owner_.get());
        }
        EXPECT_TRUE(OnScreen(*window)) << window->frameGeometry().x() << "," << window->frameGeometry().y();
        EXPECT_EQ(window->size(), QSize(300, 200)) << "a window that fits keeps its size";
        delete window;
    }
}

TEST_F(WindowPlacementQt, PositionStoredForALargerScreenAndOversizedWindowsComeInside) {
    QWidget* far = new QWidget(owner_.get(), Qt::Window);
    far->resize(200, 150);
    far->move(area_.right() + 900, area_.bottom() + 700);
    Env().windows->ShowOwned(*far, owner_.get());
    EXPECT_TRUE(OnScreen(*far));

    QWidget* huge = new QWidget(owner_.get(), Qt::Window);
    huge->resize(area_.width() * 2, area_.height() * 2);
    huge->move(area_.topLeft() + QPoint(40, 40));
    Env().windows->ShowOwned(*huge, owner_.get());
    EXPECT_TRUE(OnScreen(*huge)) << huge->frameGeometry().width() << "x" << huge->frameGeometry().height();
    delete far;
    delete huge;
}

// A window without a position of its own is given one near its owner, which
// the settling check keeps inside; one moved by the user later is not pulled
// back.
TEST_F(WindowPlacementQt, UserMovesAfterOpeningAreLeftAlone) {
    QWidget* window = new QWidget(owner_.get(), Qt::Window);
    window->resize(200, 150);
    Env().windows->ShowOwned(*window, owner_.get());
    EXPECT_TRUE(OnScreen(*window));
    RunEventsFor(1200);
    window->move(area_.right() - 50, area_.top() + 10);
    RunEventsFor(20);
    EXPECT_EQ(window->pos(), QPoint(area_.right() - 50, area_.top() + 10));
    delete window;
}

// Owned windows without a position of their own open as a window system
// would open them: one after another, modeless ones cascade from the owner's
// upper-left corner, none on another's corner, and a modal one is centred
// on its owner; a window the program placed keeps its place.
TEST_F(WindowPlacementQt, UnplacedWindowsOpenNearTheirOwnerApart) {
    owner_->showNormal();
    owner_->setGeometry(area_.left() + 40, area_.top() + 30, area_.width() / 2, area_.height() / 2);
    RunEventsFor(20);
    const QRect owner_frame = owner_->frameGeometry();
    std::vector<std::unique_ptr<QWidget>> windows;
    for (int n = 0; n < 4; ++n) {
        windows.push_back(std::make_unique<QWidget>(owner_.get(), Qt::Window));
        windows.back()->resize(200, 150);
        Env().windows->ShowOwned(*windows.back(), owner_.get());
        const QPoint corner = windows.back()->frameGeometry().topLeft();
        EXPECT_EQ(corner, owner_frame.topLeft() + QPoint(32, 32) * (n + 1)) << n;
        EXPECT_TRUE(OnScreen(*windows.back())) << n;
    }
    auto placed = std::make_unique<QWidget>(owner_.get(), Qt::Window);
    placed->resize(200, 150);
    placed->move(owner_frame.topLeft() + QPoint(32, 32));
    Env().windows->ShowOwned(*placed, owner_.get());
    EXPECT_EQ(placed->frameGeometry().topLeft(), owner_frame.topLeft() + QPoint(32, 32)) << "placed by the program";

    QDialog modal(owner_.get());
    modal.resize(240, 160);
    Env().windows->OpenModal(modal, owner_.get());
    EXPECT_LE((modal.frameGeometry().center() - owner_frame.center()).manhattanLength(), 2)
        << modal.frameGeometry().x() << "," << modal.frameGeometry().y() << " " << modal.frameGeometry().width() << "x"
        << modal.frameGeometry().height() << " owner " << owner_frame.x() << "," << owner_frame.y() << " "
        << owner_frame.width() << "x" << owner_frame.height();
    EXPECT_TRUE(OnScreen(modal));
}

// X11 window managers keep a window above another, iconify it with it and
// leave it off the task bar only for a dialog window that names the other as
// transient parent; a plain child window is treated as a window of its own.
TEST_F(WindowPlacementQt, EveryShownWindowIsADialogTransientForItsOwner) {
    struct Row {
        const char* name;
        bool modal;
        std::function<QWidget*(QWidget* owner)> make;
    };
    const Row rows[] = {
        {"plain child window, owned", false, [](QWidget* owner) { return new QWidget(owner, Qt::Window); }},
        {"window without parent, owned", false, [](QWidget*) { return new QWidget(nullptr, Qt::Window); }},
        {"dialog without parent, modal", true, [](QWidget*) { return new QDialog; }},
        {"plain child window, modal", true, [](QWidget* owner) { return new QWidget(owner, Qt::Window); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<QWidget> window(row.make(owner_.get()));
        const bool plain = window->windowType() == Qt::Window;
        if (row.modal) {
            Env().windows->OpenModal(*window, owner_.get());
        } else {
            Env().windows->ShowOwned(*window, owner_.get());
        }
        EXPECT_EQ(window->parentWidget(), owner_.get());
        EXPECT_EQ(window->windowType(), Qt::Dialog);
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->transientParent(), owner_->windowHandle());
        if (plain) {
            // It keeps the buttons it had as a plain window.
            for (const Qt::WindowType hint : {Qt::WindowMinimizeButtonHint, Qt::WindowCloseButtonHint})
                EXPECT_TRUE(window->windowFlags().testFlag(hint)) << hint;
        }
        // Shown again while open: the same native window, still owned.
        const WId native = window->winId();
        Env().windows->ShowOwned(*window, owner_.get());
        EXPECT_EQ(window->winId(), native);
        EXPECT_TRUE(window->isVisible());
    }
}

// A window of fixed size, controls placed by coordinates, with its last
// control in the bottom right corner.
struct FixedWindow {
    explicit FixedWindow(QSize size) : window(new QWidget(nullptr, Qt::Window)) {
        window->setFixedSize(size);
        top = new QLabel("위", window.get());
        top->setGeometry(8, 8, 100, 20);
        last = new QPushButton("닫기", window.get());
        last->setGeometry(size.width() - 90, size.height() - 36, 82, 28);
        hidden = new QLabel("숨김", window.get());
        hidden->setGeometry(8, 40, 100, 20);
        hidden->hide();
    }
    std::unique_ptr<QWidget> window;
    QLabel* top;
    QPushButton* last;
    QLabel* hidden;
};

TEST(ScrollWhenLarger, FixedWindowTallerThanTheRoomScrollsToEveryControl) {
    EnsureQtApp();
    struct Row {
        const char* name;
        QSize designed;
        QSize room;
        QSize expected;  // bar: the scroll bar extent added across a cut side
        bool bar_across_width, bar_across_height;
    };
    const Row rows[] = {
        {"taller (find window at twice the scale)", {600, 520}, {640, 476}, {600, 476}, true, false},
        {"wider", {700, 300}, {640, 476}, {640, 300}, false, true},
        {"both", {900, 900}, {640, 476}, {640, 476}, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FixedWindow fixed(row.designed);
        ASSERT_TRUE(ScrollWhenLarger(*fixed.window, row.room));
        const int bar = fixed.window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QSize expected = row.expected;
        if (row.bar_across_width) expected.rwidth() += bar;
        if (row.bar_across_height) expected.rheight() += bar;
        EXPECT_EQ(fixed.window->size(), expected.boundedTo(row.room));
        EXPECT_LE(fixed.window->minimumSize().width(), row.room.width());
        EXPECT_LE(fixed.window->minimumSize().height(), row.room.height());
        EXPECT_EQ(fixed.window->maximumSize(), row.designed + QSize(bar, bar));

        // The controls sit where they were, on a scroll area's content of
        // the designed size, and the hidden one stays hidden.
        auto* scroll = fixed.window->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        fixed.window->show();
        RunEventsFor(20);
        QWidget* content = scroll->widget();
        ASSERT_NE(content, nullptr);
        EXPECT_EQ(fixed.last->parentWidget(), content);
        EXPECT_EQ(fixed.last->geometry(), QRect(row.designed.width() - 90, row.designed.height() - 36, 82, 28));
        EXPECT_EQ(content->size(), row.designed);
        EXPECT_TRUE(fixed.last->isVisible());
        EXPECT_TRUE(fixed.top->isVisible());
        EXPECT_FALSE(fixed.hidden->isVisible());
        // The corner button can be brought into view.
        scroll->ensureWidgetVisible(fixed.last);
        const QRect seen(QPoint(0, 0), scroll->viewport()->size());
        EXPECT_TRUE(seen.contains(QRect(fixed.last->mapTo(scroll->viewport(), QPoint(0, 0)), fixed.last->size())));
        // Once is enough.
        EXPECT_FALSE(ScrollWhenLarger(*fixed.window, QSize(100, 100)));
    }
}

TEST(ScrollWhenLarger, LaidOutWindowScrollsAndAWindowThatFitsIsLeftAlone) {
    EnsureQtApp();
    QDialog dialog;
    auto* column = new QVBoxLayout(&dialog);
    QList<QPushButton*> buttons;
    for (int i = 0; i < 12; ++i) {
        buttons << new QPushButton(QString::number(i));
        buttons.back()->setMinimumHeight(50);
        column->addWidget(buttons.back());
    }
    const QSize room(400, 300);
    ASSERT_TRUE(ScrollWhenLarger(dialog, room));
    EXPECT_LE(dialog.height(), room.height());
    auto* scroll = dialog.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    for (QPushButton* button : buttons) EXPECT_EQ(button->parentWidget(), scroll->widget());
    dialog.show();
    RunEventsFor(20);
    EXPECT_GE(scroll->widget()->height(), 12 * 50) << "the layout keeps the room it needs";
    EXPECT_TRUE(buttons.back()->isVisible());

    FixedWindow fits(QSize(300, 200));
    EXPECT_FALSE(ScrollWhenLarger(*fits.window, room));
    EXPECT_EQ(fits.window->findChild<QScrollArea*>(), nullptr);
    EXPECT_EQ(fits.window->size(), QSize(300, 200));
    EXPECT_EQ(fits.last->parentWidget(), fits.window.get());
}

// A laid-out window the program never sized opens with the size its
// contents ask for; kept within an area smaller than a window's default size
// it must not take that default size, cut to the area, instead.
TEST(KeepInArea, UnsizedLaidOutWindowKeepsTheSizeItsContentsAskFor) {
    EnsureQtApp();
    QDialog dialog;
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(new QLabel("한 줄"));
    column->addWidget(new QPushButton("확인"));
    const QSize asked = dialog.sizeHint();
    const QRect area(0, 0, 400, 300);
    ASSERT_LT(asked.width(), area.width());
    ASSERT_LT(asked.height(), area.height());
    KeepInArea(dialog, nullptr, area);
    EXPECT_EQ(dialog.size(), asked);
    dialog.show();
    EXPECT_EQ(dialog.size(), asked);
}

// Shown owned, a fixed window taller than the screen's free area opens inside
// it, smaller, with its controls on a scroll area; the main window, shown
// without owner, is never wrapped.
TEST_F(WindowPlacementQt, OwnedFixedWindowLargerThanTheScreenOpensInsideScrolling) {
    FixedWindow tall(QSize(area_.width() / 2, area_.height() + 120));
    tall.window->move(area_.topLeft() + QPoint(20, 0));
    Env().windows->ShowOwned(*tall.window, owner_.get());
    RunEventsFor(20);
    EXPECT_TRUE(OnScreen(*tall.window)) << tall.window->frameGeometry().height();
    auto* scroll = tall.window->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(tall.last->parentWidget(), scroll->widget());

    FixedWindow unowned(QSize(area_.width() / 2, area_.height() + 120));
    ShowOnScreen(*unowned.window, nullptr);
    EXPECT_EQ(unowned.window->findChild<QScrollArea*>(), nullptr);
}

}  // namespace
}  // namespace platform
