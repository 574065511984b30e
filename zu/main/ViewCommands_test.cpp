// View commands: presets, zoom, rotation, the reference frame, the compass
// directions and the all-sky chart.
#include <QAction>
#include <QCoreApplication>

#include <cmath>
#include <memory>
#include <string>

#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "chart/ChartState.h"
#include "zu/core/TestSupport.h"
#include "zu/main/Form1.h"
#include "zu/main/ViewCommands.h"

namespace zu {
namespace {

// Tolerance of positions, degrees (far below a pixel at the narrowest field).
constexpr double kTol_deg = 1e-6;

class ViewCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        form = std::make_unique<Form1>();
        form->resize(900, 650);
        form->show();
        QCoreApplication::processEvents();
        // A round sidereal time makes the expected places plain: the
        // meridian is at right ascension 90 degrees.
        AppState().LocalSiderealTime = 6;
        S().lat = 35.82;
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    QAction* Menu(const std::string& name, int index = 0) { return form->Menus->Action(name, index); }
    std::int64_t Draws() const { return AppState().DrawCount; }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

TEST_F(ViewCommandsTest, FieldPresetsKeepCentreAndTracking) {
    const double presets[] = {120, 90, 60, 30, 15, 5};
    S().ViewCoordSys = "e";
    form->TrackOn = 1;
    form->TrackKey = "P0";
    form->SetMapBox();
    const double x = S().ViewCenterX;
    const double y = S().ViewCenterY;
    for (int i = 0; i < 6; ++i) {
        const std::int64_t draws = Draws();
        Menu("mnuFOV", i)->trigger();
        EXPECT_EQ(S().ViewFOV, presets[i]) << i;
        EXPECT_EQ(Draws(), draws + 1);
        EXPECT_EQ(form->TrackOn, 1);
        EXPECT_NEAR(S().ViewCenterX, x, kTol_deg);
        EXPECT_NEAR(S().ViewCenterY, y, kTol_deg);
    }
}

TEST_F(ViewCommandsTest, ZoomItemsZoomAndClamp) {
    const struct {
        int item;
        double from, to;
    } rows[] = {{0, 60, 40}, {1, 60, 90}, {1, 150, 190}, {0, 1.2, 1}};
    for (const auto& row : rows) {
        S().ViewFOV = row.from;
        Menu("mnuZooms", row.item)->trigger();
        EXPECT_DOUBLE_EQ(S().ViewFOV, row.to) << row.item << " from " << row.from;
    }
}

TEST_F(ViewCommandsTest, RotationAccumulatesAndResets) {
    S().rotateang = 5;
    S().MapRotation = 358;
    form->TrackOn = 1;
    form->TrackKey = "P0";
    Menu("mnuRot", 1)->trigger();
    EXPECT_DOUBLE_EQ(S().MapRotation, 363);
    Menu("mnuRot", 0)->trigger();
    Menu("mnuRot", 0)->trigger();
    EXPECT_DOUBLE_EQ(S().MapRotation, 353);
    EXPECT_EQ(form->TrackOn, 1);
    const std::int64_t draws = Draws();
    Menu("mnuNotRot")->trigger();
    EXPECT_EQ(S().MapRotation, 0);
    EXPECT_EQ(Draws(), draws + 1);
}

TEST_F(ViewCommandsTest, ChangingTheFrameConvertsTheCentre) {
    // South point of the horizon: on the meridian, declination lat - 90.
    S().ViewCoordSys = "a";
    S().ViewCenterX = 180;
    S().ViewCenterY = 0;
    Menu("mnuCood", 1)->trigger();
    EXPECT_EQ(S().ViewCoordSys, "e");
    EXPECT_NEAR(S().ViewCenterX, 90, kTol_deg);
    EXPECT_NEAR(S().ViewCenterY, 35.82 - 90, kTol_deg);
    EXPECT_TRUE(Menu("mnuCood", 1)->isChecked());
    EXPECT_FALSE(Menu("mnuCood", 0)->isChecked());

    // The same frame again keeps the centre.
    S().ViewCenterX = 12.5;
    S().ViewCenterY = -3.25;
    Menu("mnuCood", 1)->trigger();
    EXPECT_EQ(S().ViewCenterX, 12.5);
    EXPECT_EQ(S().ViewCenterY, -3.25);

    // Back to the horizon frame: the celestial pole stands due north at the
    // site's latitude.
    S().ViewCenterX = 0;
    S().ViewCenterY = 90;
    Menu("mnuCood", 0)->trigger();
    EXPECT_EQ(S().ViewCoordSys, "a");
    EXPECT_NEAR(std::fmod(S().ViewCenterX + 360, 360) < 180 ? S().ViewCenterX : S().ViewCenterX - 360, 0, kTol_deg);
    EXPECT_NEAR(S().ViewCenterY, 35.82, kTol_deg);
    EXPECT_TRUE(Menu("mnuCood", 0)->isChecked());

    // An upper-case stored letter counts as the same frame.
    S().ViewCoordSys = "A";
    S().ViewCenterX = 45;
    S().ViewCenterY = 10;
    Menu("mnuCood", 0)->trigger();
    EXPECT_EQ(S().ViewCenterX, 45);
    EXPECT_EQ(S().ViewCenterY, 10);
}

TEST_F(ViewCommandsTest, DirectionsInTheHorizonFrame) {
    const struct {
        int item;
        double az;
    } rows[] = {{0, 90}, {1, 270}, {2, 180}, {3, 0}};
    S().ViewCoordSys = "a";
    S().ViewFOV = 60;
    for (const auto& row : rows) {
        form->TrackOn = 1;
        form->TrackKey = "P0";
        const std::int64_t draws = Draws();
        Menu("mnuDirect", row.item)->trigger();
        EXPECT_EQ(S().ViewCenterX, row.az) << row.item;
        EXPECT_EQ(S().ViewCenterY, 27) << row.item;
        EXPECT_EQ(form->TrackOn, 0);
        EXPECT_EQ(Draws(), draws + 1);
        EXPECT_EQ(S().ViewFOV, 60);
    }
    // The zenith keeps the azimuth.
    S().ViewCenterX = 123;
    Menu("mnuDirect", 4)->trigger();
    EXPECT_EQ(S().ViewCenterX, 123);
    EXPECT_EQ(S().ViewCenterY, 90);
}

TEST_F(ViewCommandsTest, DirectionsInTheEquatorialFrame) {
    S().ViewCoordSys = "e";
    S().ViewFOV = 40;
    Menu("mnuDirect", 4)->trigger();
    EXPECT_NEAR(S().ViewCenterX, 90, kTol_deg);
    EXPECT_NEAR(S().ViewCenterY, 35.82, kTol_deg);
    EXPECT_EQ(S().ViewFOV, 40);

    // "동": the place converted back stands at azimuth 90, altitude 18.
    Menu("mnuDirect", 0)->trigger();
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(S().ViewCenterX, S().ViewCenterY, 6, 35.82, az, alt);
    EXPECT_NEAR(az, 90, kTol_deg);
    EXPECT_NEAR(alt, HorizonAboveLowerEdge_deg(40), kTol_deg);
    EXPECT_DOUBLE_EQ(HorizonAboveLowerEdge_deg(40), 18);
}

TEST_F(ViewCommandsTest, AllSkyChartCentresOnTheZenith) {
    for (const char* frame : {"a", "E"}) {
        S().ViewCoordSys = frame;
        S().ViewFOV = 20;
        S().MapRotation = 15;
        form->TrackOn = 1;
        form->TrackKey = "P0";
        Menu("mnuReset")->trigger();
        EXPECT_EQ(S().ViewFOV, 190) << frame;
        EXPECT_EQ(form->TrackOn, 0) << frame;
        EXPECT_EQ(S().MapRotation, 15) << frame;
        EXPECT_EQ(S().ViewCoordSys, frame);
        if (std::string(frame) == "a") {
            EXPECT_EQ(S().ViewCenterX, 180);
            EXPECT_EQ(S().ViewCenterY, 90);
        } else {
            EXPECT_NEAR(S().ViewCenterX, 90, kTol_deg);
            EXPECT_NEAR(S().ViewCenterY, 35.82, kTol_deg);
        }
    }
}

TEST_F(ViewCommandsTest, PopupZoomCentresOnThePressedPointAndEndsTracking) {
    const chart::Projector& projection = chart::Chart().Projection;
    for (int item : {0, 1}) {
        S().ViewCoordSys = "a";
        S().ViewCenterX = 180;
        S().ViewCenterY = 30;
        S().ViewFOV = 60;
        S().MapRotation = 0;
        form->SetMapBox();
        // A point straight above the centre of the chart.
        form->PressX = projection.PixCenterX;
        form->PressY = projection.PixCenterY - 100;
        double lon = 0, lat = 0;
        chart::ScreenToSky(form->PressX, form->PressY, 180, 30, lon, lat, false);
        form->TrackOn = 1;
        form->TrackKey = "P0";
        Menu("mnuZoom", item)->trigger();
        EXPECT_EQ(form->TrackOn, 0);
        EXPECT_NEAR(S().ViewCenterX, lon, kTol_deg);
        EXPECT_NEAR(S().ViewCenterY, lat, kTol_deg);
        EXPECT_NEAR(S().ViewCenterX, 180, 1e-3);
        EXPECT_GT(S().ViewCenterY, 35);
        EXPECT_DOUBLE_EQ(S().ViewFOV, item == 0 ? 40 : 90);
    }
}

TEST_F(ViewCommandsTest, MoveToolbarReachesTheViewCommands) {
    S().ViewCoordSys = "a";
    S().ViewFOV = 60;
    form->TbMove_ButtonClick("south");
    EXPECT_EQ(S().ViewCenterX, 180);
    EXPECT_EQ(S().ViewCenterY, 27);
    form->TbMove_ButtonClick("all");
    EXPECT_EQ(S().ViewFOV, 190);
    S().rotateang = 10;
    S().MapRotation = 0;
    form->TbMove_ButtonClick("rotate_r");
    EXPECT_EQ(S().MapRotation, -10);
}

}  // namespace
}  // namespace zu
