// The information windows as a user sees them on the real data: the object
// window for Vega, the constellation window on Vega's constellation and the
// solar-system window on Saturn. The pictures are kept as "zu-info-*.png" in
// the program folder; under an X server (QT_QPA_PLATFORM=xcb) they are taken
// with the window system's fonts.
#include <QEventLoop>
#include <QImage>
#include <QListWidget>
#include <QTimer>

#include "astro/JulianDay.h"
#include "platform/QtTestApp.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/InfoWindows.h"

namespace zu {
namespace {

// Saves the window's picture; true when it holds more than one colour.
bool Keep(QWidget& window, const char* file) { return platform::KeepWindowPicture(window, file) > 1; }

TEST(InfoWindowsScreenshot, VegaAndSaturn) {
    test::ProgramEnv p;
    ResetToolWindows();
    LoadProgramState(p.env.folders.program);
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.CurrentJD = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);

    AppState().SelObjKey = "S9:213";
    FrmInfo& info = ShowObjectInfo(nullptr, "HR 7001");
    EXPECT_TRUE(Keep(info, "zu-info-object.png"));
    ResetToolWindows();

    auto& constellations = static_cast<FrmCInfo&>(ShowToolWindow(ToolWindowId::FrmCInfo, nullptr));
    ASSERT_TRUE(constellations.ClickNode("EN206"));
    constellations.raise();
    EXPECT_TRUE(Keep(constellations, "zu-info-constellation.png"));
    ResetToolWindows();

    auto& bodies = static_cast<FrmPInfo&>(ShowToolWindow(ToolWindowId::FrmPInfo, nullptr));
    bodies.ListPl->setCurrentRow(5);
    bodies.ListPl_Click();
    EXPECT_TRUE(Keep(bodies, "zu-info-bodies.png"));
    ResetToolWindows();
}

}  // namespace
}  // namespace zu
