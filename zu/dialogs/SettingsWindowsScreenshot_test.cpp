// The time, site, settings and animation windows as a user sees them. The
// pictures are kept as "zu-dialog-*.png" in the program folder; under an X
// server (QT_QPA_PLATFORM=xcb) they are taken with the window system's fonts.
#include <QEventLoop>
#include <QImage>
#include <QListWidget>
#include <QTabBar>
#include <QTimer>

#include "platform/QtTestApp.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/dialogs/AnimationWindow.h"
#include "zu/dialogs/SettingsWindow.h"
#include "zu/dialogs/SiteWindow.h"
#include "zu/dialogs/TimeWindow.h"

namespace zu {
namespace {

// Saves the window's picture; true when it holds more than one colour.
bool Keep(QWidget& window, const char* file) { return platform::KeepWindowPicture(window, file) > 1; }

TEST(SettingsWindowsScreenshot, FourDialogs) {
    test::ProgramEnv p;
    ResetToolWindows();
    EXPECT_TRUE(Keep(ShowToolWindow(ToolWindowId::FrmTime, nullptr), "zu-dialog-time.png"));
    auto& site = static_cast<FrmObs&>(ShowToolWindow(ToolWindowId::FrmObs, nullptr));
    EXPECT_TRUE(Keep(site, "zu-dialog-site.png"));
    auto& settings = static_cast<FrmSet&>(ShowToolWindow(ToolWindowId::FrmSet, nullptr));
    EXPECT_TRUE(Keep(settings, "zu-dialog-settings-star.png"));
    settings.TabStrip1->setCurrentIndex(1);
    EXPECT_TRUE(Keep(settings, "zu-dialog-settings-detail.png"));
    settings.TabStrip1->setCurrentIndex(2);
    EXPECT_TRUE(Keep(settings, "zu-dialog-settings-colours.png"));
    settings.TabStrip1->setCurrentIndex(3);
    EXPECT_TRUE(Keep(settings, "zu-dialog-settings-lists.png"));
    ResetToolWindows();
    EXPECT_TRUE(Keep(ShowToolWindow(ToolWindowId::FrmAni, nullptr), "zu-dialog-animation.png"));
    ResetToolWindows();
}

}  // namespace
}  // namespace zu
