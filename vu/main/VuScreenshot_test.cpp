// The calendar program as a new user first sees it: no settings file of the
// user's, the program folder's CalConfig.cfg with the public holidays, the
// month of the clock (March 2024) on the grid page. The picture is kept as
// "vu-screenshot.png" in the program folder; under an X server
// (QT_QPA_PLATFORM=xcb, see tools/vu-screenshot.sh) it is taken from the
// screen.
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "vu/grid/VuTestSupport.h"
#include "vu/main/Form1.h"
#include "vu/main/VuWidgets.h"

namespace vu {
namespace {

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(VuScreenshot, NewUserSeesTheCurrentMonth) {
    test::VuEnv p;
    std::filesystem::copy_file(std::filesystem::path(ZU_SOURCE_DIR) / "data" / "CalConfig.cfg",
                               p.env.folders.program / "CalConfig.cfg");
    Form1 form;
    form.resize(1024, 740);
    form.move(0, 0);
    form.show();
    for (int waited_ms = 0; waited_ms < 10000; waited_ms += 20) {
        RunEventsFor(20);
        if (form.isVisible() && form.Grid->width() > 900) break;
    }
    RunEventsFor(200);

    QImage shot;
    if (QGuiApplication::platformName() == "xcb" && QGuiApplication::primaryScreen()) {
        const QRect frame = form.frameGeometry();
        shot = QGuiApplication::primaryScreen()
                   ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                   .toImage();
    }
    if (shot.isNull()) shot = form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save("vu-screenshot.png"));

    // The grid of March 2024: 1 March is a Friday, 31 March a Sunday.
    EXPECT_EQ(MonthGrid().CellText[5][0].rfind("3월 1일/삼일절/", 0), 0u);
    EXPECT_GT(MonthGrid().CellJD[0][5], 0);
    const QImage grid = form.Grid->Surface().Image();
    EXPECT_GT(grid.width(), 900);

    // The other pages, each as the window shows it.
    const char* kPages[4] = {nullptr, "vu-screenshot-days.png", "vu-screenshot-settings.png",
                             "vu-screenshot-notes.png"};
    for (int tab = 1; tab < 4; ++tab) {
        form.cmdTab_Click(tab);
        RunEventsFor(100);
        EXPECT_TRUE(form.grab().toImage().save(kPages[tab]));
    }
    form.cmdTab_Click(0);
}

}  // namespace
}  // namespace vu
