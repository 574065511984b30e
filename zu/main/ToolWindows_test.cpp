// The lifetime of the tool windows, and the public members of the marker
// manager and the track window that the main window calls.
#include <QCoreApplication>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <cstdlib>
#include <memory>
#include <vector>

#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/tracks/MarkerWindow.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

class ToolWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { owner = std::make_unique<QWidget>(); }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    static std::vector<std::string> Items(const QListWidget& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i)->text().toStdString());
        return items;
    }

    test::ProgramEnv p;
    std::unique_ptr<QWidget> owner;
};

TEST_F(ToolWindowsTest, CreatedOnFirstUseHiddenAndOwned) {
    for (int i = 0; i < kToolWindowCount; ++i) {
        const auto id = static_cast<ToolWindowId>(i);
        EXPECT_EQ(FindToolWindow(id), nullptr);
        QWidget& window = ToolWindow(id, owner.get());
        EXPECT_EQ(&ToolWindow(id, nullptr), &window) << SpecOf(id).name;
        EXPECT_FALSE(window.isVisible()) << SpecOf(id).name;
        EXPECT_TRUE(window.isWindow()) << SpecOf(id).name;
        EXPECT_EQ(window.parentWidget(), owner.get());
        EXPECT_EQ(window.objectName().toStdString(), SpecOf(id).name);
        EXPECT_EQ(window.windowTitle().toStdString(), SpecOf(id).caption);
    }
    EXPECT_TRUE(p.env.windows.shown.empty());
    // The windows go with their owner, and come back new on the next use.
    owner.reset();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), nullptr);
}

// Modal or not, every tool window opens as a dialog window whose transient
// parent is the main window's: what keeps it above the main window, and
// minimised with it, under X11 window managers.
TEST_F(ToolWindowsTest, EveryWindowOpensAsATransientChildOfTheMainWindow) {
    owner->show();
    for (int i = 0; i < kToolWindowCount; ++i) {
        const auto id = static_cast<ToolWindowId>(i);
        SCOPED_TRACE(SpecOf(id).name);
        QWidget& window = ShowToolWindow(id, owner.get());
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.parentWidget(), owner.get());
        EXPECT_EQ(window.windowType(), Qt::Dialog);
        ASSERT_NE(window.windowHandle(), nullptr);
        EXPECT_EQ(window.windowHandle()->transientParent(), owner->windowHandle());
        window.close();
    }
}

// Opened one after another over the main window at its first-start size,
// every tool window stands where the user sees it: no two with their
// upper-left corners on one point (one would hide the other), each wholly on
// the screen's free area. The marker manager keeps its place at the chart's
// upper right and the object information window its place in the main
// window's lower right corner.
TEST_F(ToolWindowsTest, EveryWindowOpensApartFromTheOthersWhollyOnTheScreen) {
    skydata::CurrentSettings().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
    Form1 form;
    form.show();
    QCoreApplication::processEvents();
    const QRect area = form.screen()->availableGeometry();
    // The offscreen screen is only as wide as that size: the frame is kept
    // on it.
    form.resize(form.size().boundedTo(area.size() - (form.frameGeometry().size() - form.size())));
    form.move(area.topLeft());
    QCoreApplication::processEvents();
    const QRect main = form.frameGeometry();
    ASSERT_TRUE(area.contains(main)) << main.width() << "x" << main.height();
    std::vector<QWidget*> open;
    for (int i = 0; i < kToolWindowCount; ++i) {
        const auto id = static_cast<ToolWindowId>(i);
        if (id == ToolWindowId::FrmPoint) {
            form.Dispatch("mnuPoint");
        } else {
            ShowToolWindow(id, &form);
        }
        QCoreApplication::processEvents();
        open.push_back(FindToolWindow(id));
        ASSERT_NE(open.back(), nullptr) << SpecOf(id).name;
    }
    for (std::size_t i = 0; i < open.size(); ++i) {
        const char* name = SpecOf(static_cast<ToolWindowId>(i)).name;
        const QRect frame = open[i]->frameGeometry();
        EXPECT_TRUE(open[i]->isVisible()) << name;
        EXPECT_TRUE(area.contains(frame)) << name << ": " << frame.x() << "," << frame.y() << " " << frame.width()
                                          << "x" << frame.height();
        for (std::size_t k = 0; k < i; ++k) {
            const QPoint other = open[k]->frameGeometry().topLeft();
            EXPECT_TRUE(std::abs(frame.left() - other.x()) >= 16 || std::abs(frame.top() - other.y()) >= 16)
                << name << " on " << SpecOf(static_cast<ToolWindowId>(k)).name << " at " << other.x() << ","
                << other.y();
        }
    }
    const QRect markers = FindToolWindow(ToolWindowId::FrmPoint)->frameGeometry();
    EXPECT_EQ(markers.right(), main.right());
    EXPECT_EQ(markers.top(), form.Picture1->mapToGlobal(QPoint(0, 0)).y());
    const QRect info = FindToolWindow(ToolWindowId::FrmInfo)->frameGeometry();
    EXPECT_EQ(info.bottomRight(), main.bottomRight());
}

TEST_F(ToolWindowsTest, ModalWindowOpensWithoutBlockingAndEndsWhenClosed) {
    QWidget& first = ShowToolWindow(ToolWindowId::FrmSet, owner.get());
    // The call came back with the dialog open, for the test to drive.
    ASSERT_EQ(p.env.windows.shown.size(), 1u);
    EXPECT_TRUE(p.env.windows.shown[0].modal);
    EXPECT_EQ(p.env.windows.shown[0].owner, owner.get());
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowModality(), Qt::WindowModal);
    QPointer<QWidget> watch(&first);
    static_cast<QDialog&>(first).reject();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    // Each opening is a new dialog.
    QWidget& second = ShowToolWindow(ToolWindowId::FrmSet, owner.get());
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), &second);
    EXPECT_TRUE(second.isVisible());
}

TEST_F(ToolWindowsTest, ModelessWindowIsOneWhileOpenAndFreshAfterClosing) {
    QWidget& first = ShowToolWindow(ToolWindowId::FrmPoint, owner.get());
    first.resize(111, 222);
    EXPECT_EQ(&ShowToolWindow(ToolWindowId::FrmPoint, owner.get()), &first);
    ASSERT_EQ(p.env.windows.shown.size(), 2u);
    EXPECT_FALSE(p.env.windows.shown[1].modal);
    EXPECT_EQ(p.env.windows.shown[1].window, &first);
    // Closing ends it; reopening starts fresh.
    QPointer<QWidget> watch(&first);
    first.close();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmPoint), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    QWidget& again = ShowToolWindow(ToolWindowId::FrmPoint, owner.get());
    EXPECT_NE(again.size(), QSize(111, 222));
    EXPECT_TRUE(again.isVisible());
}

TEST_F(ToolWindowsTest, PublicMethodOnAClosedWindowMakesItHidden) {
    skydata::AddMapPoint(1, 2, 1, 60, "a", 255);
    MarkerWindow(owner.get()).ReflashList();
    QWidget* window = FindToolWindow(ToolWindowId::FrmPoint);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(p.env.windows.shown.empty());
    // The next opening shows that same window, with what the call put in.
    EXPECT_EQ(&ShowToolWindow(ToolWindowId::FrmPoint, owner.get()), window);
    EXPECT_EQ(Items(*MarkerWindow(owner.get()).List1), std::vector<std::string>{"(0)a"});
}

TEST_F(ToolWindowsTest, MarkersAreNumberedFromTheirSlotAndSelected) {
    FrmPoint& markers = MarkerWindow(owner.get());
    markers.SwatchColor = 0x00FF00;
    markers.AddPoint(10, 20);
    markers.AddPoint(30, -40);
    const auto& points = skydata::MapPointModule().MapPoints;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].Name, "표지 1");
    EXPECT_EQ(points[1].Name, "표지 2");
    EXPECT_EQ(points[1].RA, 30);
    EXPECT_EQ(points[1].Dec, -40);
    EXPECT_EQ(points[1].Color, 0x00FF00);
    EXPECT_EQ(points[1].Size, 60);
    EXPECT_EQ(points[1].Kind, 1);
    EXPECT_EQ(Items(*markers.List1), (std::vector<std::string>{"(0)표지 1", "(1)표지 2"}));
    EXPECT_EQ(markers.List1->currentRow(), 1);
    EXPECT_TRUE(markers.ListMode);
}

TEST_F(ToolWindowsTest, ListsShowOnlyEntriesInUse) {
    skydata::AddMapPoint(1, 2, 1, 60, "a", 255);
    skydata::AddMapPoint(3, 4, 1, 60, "b", 255);
    skydata::MapPointModule().MapPoints[0].Flag = "n";
    skydata::AddDrawnLine(1, 2, 3, 4, 65535, "first");
    skydata::AddDrawnLine(5, 6, 7, 8, 65535, "second");
    FrmPoint& markers = MarkerWindow(owner.get());
    markers.ReflashList();
    EXPECT_EQ(Items(*markers.List1), std::vector<std::string>{"(1)b"});

    markers.RefreshLineList();
    EXPECT_FALSE(markers.ListMode);
    EXPECT_TRUE(markers.optkind[1]->isChecked());
    EXPECT_EQ(Items(*markers.List1), (std::vector<std::string>{"(0)first", "(1)second"}));
    EXPECT_EQ(markers.List1->currentRow(), 1);
    EXPECT_FALSE(markers.isVisible());

    // Adding a marker goes back to the marker list.
    markers.AddPoint(0, 0);
    EXPECT_TRUE(markers.optkind[0]->isChecked());
    EXPECT_EQ(Items(*markers.List1), (std::vector<std::string>{"(1)b", "(2)표지 3"}));
}

TEST_F(ToolWindowsTest, TrackWindowTakesTheBodyOnlyWhenAsked) {
    skydata::PathModule().PathBodyList = {"P4"};
    FrmPath& plain = TrackWindow(owner.get());
    plain.ObjID = "A3";
    EXPECT_EQ(&ShowToolWindow(ToolWindowId::FrmPath, owner.get()), &plain);
    EXPECT_EQ(plain.WorkBodyList, std::vector<std::string>{"P4"});
    plain.reject();
    QCoreApplication::processEvents();

    FrmPath& asked = TrackWindow(owner.get());
    asked.ObjID = "A3";
    asked.ADDfromMainFirst = true;
    ShowToolWindow(ToolWindowId::FrmPath, owner.get());
    EXPECT_EQ(asked.WorkBodyList, std::vector<std::string>{"A3"});
    EXPECT_FALSE(asked.ADDfromMainFirst);
    // Nothing is taken before "적용".
    EXPECT_EQ(skydata::PathModule().PathBodyList, std::vector<std::string>{"P4"});
}

}  // namespace
}  // namespace zu
