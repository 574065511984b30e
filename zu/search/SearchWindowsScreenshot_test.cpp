// The search, go-to and constellation filter windows as a user sees them,
// with the real data: each window's picture is kept in the program folder
// ("FrmFind-screenshot.png" and so on). Under an X server (QT_QPA_PLATFORM=xcb,
// as tools/screenshot.sh runs the program's screenshot) they are real windows.
#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "platform/QtTestApp.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/ConstFilterWindow.h"
#include "zu/search/FindWindow.h"
#include "zu/search/GoToWindow.h"

namespace zu {
namespace {

void Keep(QWidget& window, const char* name) {
    window.move(40, 40);
    EXPECT_GT(platform::KeepWindowPicture(window, QString::fromUtf8(name) + "-screenshot.png", 300), 8) << name;
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
}  // namespace zu
