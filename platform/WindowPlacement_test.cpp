#include <gtest/gtest.h>

#include <QDialog>
#include <QScreen>
#include <QWidget>

#include <memory>

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

// A window without a position of its own is left where the window system (or
// its dialog, over its owner) puts it, which the settling check then keeps
// inside; one moved by the user later is not pulled back.
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

}  // namespace
}  // namespace platform
