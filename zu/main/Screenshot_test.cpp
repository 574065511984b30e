// The whole program as a new user first sees it: real data, no settings
// file, the chart of 0 h of the day over the default site. The picture is
// kept as "zu-screenshot.png" in the program folder; under an X server
// (QT_QPA_PLATFORM=xcb, see tools/screenshot.sh) it is taken from the screen.
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include <memory>

#include "astro/JulianDay.h"
#include "platform/QtTestApp.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/core/Tracks.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/Startup.h"
#include "zu/tracks/MarkerWindow.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

int BrightPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) > 100) ++count;
        }
    }
    return count;
}

// A window as the screen shows it (under an X server), else as it paints.
QImage Shot(QWidget& window) {
    QImage shot;
    if (QGuiApplication::platformName() == "xcb" && QGuiApplication::primaryScreen()) {
        const QRect frame = window.frameGeometry();
        shot = QGuiApplication::primaryScreen()
                   ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                   .toImage();
    }
    if (shot.isNull()) shot = window.grab().toImage();
    return shot;
}

// Places the main window at 1024×720 and waits for its layout at that size:
// an X server applies the size when it gets to it, so the wait is for the
// resize handler's redraw, not for a fixed number of event rounds.
void ShowAt1024x720(Form1& form) {
    form.resize(1024, 720);
    form.move(0, 0);
    for (int waited_ms = 0; waited_ms < 10000; waited_ms += 20) {
        platform::RunEventsFor(20);
        if (form.size() == QSize(1024, 720) && form.Picture1->width() > 600 && form.isVisible()) break;
    }
    platform::RunEventsFor(100);
}

TEST(Screenshot, NewUserSeesTheChartMenusAndToolbars) {
    test::ProgramEnv p;
    std::unique_ptr<Form1> form(InitProgram(nullptr));
    ASSERT_NE(form, nullptr);
    ShowAt1024x720(*form);

    const QImage shot = Shot(*form);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save("zu-screenshot.png"));

    // The chart: a dark sky with stars, lines and labels on it.
    const QImage chart = form->Picture1->Surface().Image();
    EXPECT_GT(BrightPixels(chart, chart.rect()), 200);
    EXPECT_GT(form->Picture1->width(), 600);
    // The toolbars are drawn above and left of it.
    const QImage bars = form->Bars->TbMain->grab().toImage();
    EXPECT_GT(bars.width(), 200);
    EXPECT_GT(form->Bars->TbView->width(), 600);
    EXPECT_GT(form->Bars->TbMove->height(), 300);
}

// The same first view, compared with the picture kept in zu/main/testdata: at
// most one pixel in 10,000 may differ (points at exact rounding ties of the
// projection may fall either way). Only under the offscreen platform, where
// the window is drawn without a window manager's frame.
TEST(Screenshot, NewUserSeesTheKeptPicture) {
    test::ProgramEnv p;
    if (QGuiApplication::platformName() != "offscreen") GTEST_SKIP() << "compared under the offscreen platform";
    std::unique_ptr<Form1> form(InitProgram(nullptr));
    ASSERT_NE(form, nullptr);
    ShowAt1024x720(*form);
    const QImage shot = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage kept = QImage(QString(ZU_SOURCE_DIR) + "/zu/main/testdata/zu-screenshot.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(kept.isNull());
    ASSERT_EQ(shot.size(), kept.size());
    long differing = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) differing += (shot.pixel(x, y) & 0xFFFFFF) != (kept.pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_LE(differing, static_cast<long>(shot.width()) * shot.height() / 10000);
}

// The tracks of Mars and Jupiter on the chart, the track dialog and the
// marker manager with its edit part open, kept as "zu-tracks.png",
// "zu-track-window.png" and "zu-marker-window.png".
TEST(Screenshot, TracksTheTrackDialogAndTheMarkerManager) {
    test::ProgramEnv p;
    std::unique_ptr<Form1> form(InitProgram(nullptr));
    ASSERT_NE(form, nullptr);
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.CurrentJD = astro::DateToJD(2024, 3, 15, 5, 0, 0);
    s.ViewCoordSys.assign(1, 'e');
    s.ViewCenterX = 330;
    s.ViewCenterY = -10;
    s.ViewFOV = 60;
    skydata::PathState& paths = skydata::PathModule();
    paths.PathBodyList.assign(1, "P3");
    paths.PathBodyList.emplace_back("P5");
    paths.Settings.StartJD = astro::DateToJD(2024, 1, 1, 0, 0, 0);
    paths.Settings.EndJD = astro::DateToJD(2024, 6, 1, 0, 0, 0);
    paths.Settings.StepDays = 5;
    paths.Settings.LabelInterval = 30;
    paths.Settings.Hour = 5;
    paths.Settings.LabelFlags = "ND  ";
    ComputePaths(paths.Settings);
    ProjectPaths(paths.Settings);
    skydata::AddMapPoint(330, -10, 1, 120, "표지 1", 255);
    ShowAt1024x720(*form);
    form->SetMapBox();
    platform::RunEventsFor(100);
    EXPECT_TRUE(Shot(*form).save("zu-tracks.png"));

    QWidget& tracks = ShowToolWindow(ToolWindowId::FrmPath, form.get());
    tracks.move(40, 40);
    platform::RunEventsFor(300);
    EXPECT_TRUE(Shot(tracks).save("zu-track-window.png"));
    static_cast<QDialog&>(tracks).reject();

    FrmPoint& markers = MarkerWindow(form.get());
    form->Dispatch("mnuPoint");
    markers.CmdEdit_Click();
    platform::RunEventsFor(300);
    EXPECT_TRUE(Shot(markers).save("zu-marker-window.png"));
    EXPECT_EQ(markers.List1->count(), 1);
}

}  // namespace
}  // namespace zu
