// The search, go-to and constellation filter windows as a user sees them,
// with the real data: each window's picture is kept in the program folder
// ("FrmFind-screenshot.png" and so on). Under an X server (QT_QPA_PLATFORM=xcb,
// as app/screenshot.sh runs the program's screenshot) they are real windows.
#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "app/ConstFilterWindow.h"
#include "app/FindWindow.h"
#include "app/GoToWindow.h"
#include "app/Startup.h"
#include "app/TestSupport.h"
#include "app/ToolWindows.h"

namespace app {
namespace {

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Distinct colours in the picture: an empty or unpainted window has one or two.
int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    }
    return static_cast<int>(seen.size());
}

void Keep(QWidget& window, const char* name) {
    window.move(40, 40);
    RunEventsFor(300);
    const QImage picture = window.grab().toImage();
    EXPECT_GT(Colours(picture), 8) << name;
    EXPECT_TRUE(picture.save(QString::fromUtf8(name) + "-screenshot.png")) << name;
}

TEST(SearchWindowsScreenshot, EachWindowWithItsContents) {
    test::ProgramEnv p;
    test::WriteSettingsFile(p.user.path() / "Default.cfg", {{"synctime", "false"}, {"jd", " 2460390.375"}});
    LoadProgramState(p.env.folders.program);
    QWidget owner;

    auto& find = static_cast<FrmFind&>(ShowToolWindow(ToolWindowId::FrmFind, &owner));
    find.txtObjName->setText("ori");
    Keep(find, "FrmFind");
    find.TabStrip1->setCurrentIndex(1);
    find.List1->setCurrentRow(3);
    Keep(find, "FrmFind-category");

    Keep(ShowToolWindow(ToolWindowId::FrmFindC, &owner), "FrmFindC");

    auto& filter = static_cast<FrmCFilter&>(ShowToolWindow(ToolWindowId::FrmCFilter, &owner));
    filter.TreeView1->expandAll();
    filter.TreeView1_NodeClick(filter.Node("EE1"));
    Keep(filter, "FrmCFilter");
    ResetToolWindows();
}

}  // namespace
}  // namespace app
