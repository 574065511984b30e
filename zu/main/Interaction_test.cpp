// The chart's interaction on the main window: picking and the object pop-up,
// the mouse (centring, rubber band, user lines, read-out, zoom slider), pan,
// zoom, tracking and time steps, centring on an object and chart files.
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>

#include <cmath>
#include <memory>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "platform/RunTimeError.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/MouseReadout.h"
#include "zu/main/SkyFile.h"
#include "zu/tracks/MarkerWindow.h"

namespace zu {
namespace {

constexpr double kMinute_days = 1.0 / 1440;

class InteractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        SetLst();
        form = std::make_unique<Form1>();
        form->resize(900, 650);
        form->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        form.reset();
        ResetToolWindows();
    }
    static skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    static void SetLst() { AppState().LocalSiderealTime = astro::CalcLST(S().CurrentJD, S().lon, S().timezone); }
    QAction* Item(const char* name, int index = 0) { return form->Menus->Action(name, index); }
    std::string Caption(const char* name, int index = 0) { return Item(name, index)->text().toStdString(); }
    const chart::Projector& Projection() { return chart::Chart().Projection; }
    // The unrounded pixel of a J2000 position in the last drawing, through
    // the renderer's forward mapping.
    void PixelOfJ2000(double ra, double dec, double& px, double& py) {
        double x, y, z;
        astro::SphericalToCartesian(ra, dec, x, y, z);
        Projection().ToChart(x, y, z, chart::Chart().Frames.CatalogToChart);
        Projection().ToPlane(x, y, z, px, py);
    }
    // A bright-catalogue star in zone 5 at index i.
    static void PutStar(std::size_t i, double ra, double dec, float mag, int hr) {
        auto& zone = skydata::Catalogs().BscStar[5];
        if (zone.size() <= i) zone.resize(i + 1);
        zone[i].RA_deg = ra;
        zone[i].Dec_deg = dec;
        zone[i].Mag = mag;
        zone[i].HR = hr;
    }
    // The list of drawn objects as if the last drawing had drawn exactly these.
    static void Drawn(std::vector<chart::ScreenObject> objects) { chart::Chart().ScreenObjects = std::move(objects); }
    void RightClick(double x, double y) { form->Picture1_MouseDown(kMouseRight, x, y); }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

// ---- Picked objects and the pop-up menu ----

TEST_F(InteractionTest, PickListKeepsSevenKeysInOrderOfAdding) {
    form->ClearObjList();
    for (const char* key : {"M0", "M1", "M2", "M3", "M4", "M5", "M6", "M7"}) form->AddObjList(key);
    EXPECT_EQ(form->PickList[0], "M0");
    EXPECT_EQ(form->PickList[6], "M6");
    form->ClearObjList();
    for (const std::string& slot : form->PickList) EXPECT_EQ(slot, "Null");
}

TEST_F(InteractionTest, RightClickKeepsTheSevenNearestAndShowsFive) {
    const int offsets[9][2] = {{6, 6}, {6, 5}, {5, 5}, {5, 4}, {4, 4}, {4, 3}, {3, 2}, {2, 1}, {0, 1}};
    std::vector<chart::ScreenObject> drawn;
    for (int i = 0; i < 9; ++i) {
        PutStar(static_cast<std::size_t>(i), 10 * i, 5, 1.5f + i, 1000 + i);
        drawn.push_back({200 + offsets[i][0], 150 + offsets[i][1], chart::BrightStarKey(5, i)});
    }
    Drawn(drawn);
    RightClick(200, 150);

    const std::array<std::string, 7> nearest = {"S5:8", "S5:7", "S5:6", "S5:5", "S5:4", "S5:3", "S5:2"};
    EXPECT_EQ(form->PickList, nearest);
    ASSERT_EQ(p.env.popups.shown.size(), 1u);
    const std::vector<std::string>& items = p.env.popups.shown[0].items;
    ASSERT_GE(items.size(), 6u);
    EXPECT_EQ(items[0], "HR 1008 [9.50등급]");
    EXPECT_EQ(items[4], "HR 1004 [5.50등급]");
    EXPECT_EQ(items[5], "-");
    // The track and time items refer to the last object shown.
    EXPECT_EQ(form->MenuObjKey, "S5:4");
    EXPECT_TRUE(Item("mnuTrack")->isEnabled());
    EXPECT_EQ(Caption("mnuTrack"), "좌표 고정: HR 1004");
    EXPECT_EQ(Caption("mnuObjTime"), "시각 조절: HR 1004");
    EXPECT_FALSE(Item("mnuTrailadd")->isVisible());

    // The nearest alone, a magnitude 1.5 star.
    Drawn({{300, 300, chart::BrightStarKey(5, 0)}});
    RightClick(303, 298);
    EXPECT_EQ(p.env.popups.shown[1].items[0], "HR 1000 [1.50등급]");
}

TEST_F(InteractionTest, EmptyPickShowsTheMenuWithoutObjects) {
    Drawn(std::vector<chart::ScreenObject>(chart::kScreenObjectInitialEntries));
    RightClick(10, 10);
    ASSERT_EQ(p.env.popups.shown.size(), 1u);
    EXPECT_EQ(p.env.popups.shown[0].items.at(0), "가운데로(C)");
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(Item("mnuObjList", i)->isVisible()) << i;
    EXPECT_FALSE(Item("mnusperate")->isVisible());
    EXPECT_FALSE(Item("mnuTrack")->isEnabled());
    EXPECT_FALSE(Item("mnuObjTime")->isEnabled());
    EXPECT_EQ(form->MenuObjKey, "Null");
}

TEST_F(InteractionTest, CircumpolarStarHidesRiseAndSet) {
    PutStar(0, 37.95, 89.26, 2.0f, 424);  // Polaris
    PutStar(1, 101.29, -16.72, -1.46f, 2491);  // Sirius: rises and sets at 35.8 N
    Drawn({{100, 100, chart::BrightStarKey(5, 0)}, {400, 300, chart::BrightStarKey(5, 1)}});
    RightClick(100, 100);
    EXPECT_FALSE(Item("mnuObjRTS", 0)->isVisible());
    EXPECT_FALSE(Item("mnuObjRTS", 2)->isVisible());
    EXPECT_TRUE(Item("mnuObjRTS", 1)->isEnabled());
    EXPECT_EQ(Caption("mnuObjRTS", 1).rfind("남중 시각:", 0), 0u);
    EXPECT_NE(Caption("mnuObjRTS", 1), "남중 시각:--");

    RightClick(400, 300);
    EXPECT_TRUE(Item("mnuObjRTS", 0)->isVisible());
    EXPECT_TRUE(Item("mnuObjRTS", 2)->isVisible());
    EXPECT_EQ(Caption("mnuObjRTS", 0).rfind("뜨는 시각:", 0), 0u);
    EXPECT_EQ(Caption("mnuObjRTS", 2).rfind("지는 시각:", 0), 0u);
}

TEST_F(InteractionTest, PlanetOffersItsTrackAndLeavesThePlanetTableAtTheChartTime) {
    astro::CalcPlanets(S().CurrentJD);
    const double jupiter_ra = astro::Planets().PlanetTable[4].TopoRA;
    astro::CalcPlanets(S().CurrentJD + 200);
    Drawn({{100, 100, chart::PlanetKey(4)}});
    RightClick(100, 100);
    EXPECT_TRUE(Item("mnuTrailadd")->isVisible());
    EXPECT_EQ(Caption("mnuTrailadd"), "궤적 추가: 목성");
    EXPECT_EQ(Caption("mnuObjList", 0), "목성");
    EXPECT_EQ(form->TrailAddKey, "P4");
    EXPECT_EQ(form->MenuObjKey, "P4");
    EXPECT_EQ(astro::Planets().PlanetTable[4].TopoRA, jupiter_ra);
}

TEST_F(InteractionTest, MoonWithoutTransitThatDayOffersNoTransitTime) {
    // About once a month the Moon's transit falls past midnight.
    const double day = test::DayWithoutMoonTransit(S().lat, S().lon);
    ASSERT_NE(day, 0);
    S().CurrentJD = day + 0.5;
    SetLst();
    Drawn({{100, 100, chart::PlanetKey(8)}});
    RightClick(100, 100);
    EXPECT_FALSE(Item("mnuObjRTS", 1)->isEnabled());
    EXPECT_EQ(Caption("mnuObjRTS", 1), "남중 시각:--");
    EXPECT_TRUE(Item("mnuObjTime")->isEnabled());
    EXPECT_EQ(form->TrailAddKey, "P8");
}

TEST_F(InteractionTest, UserCatalogueEntryNamesItsCatalogue) {
    skydata::CustomCatalog& catalog = skydata::UserCatalogModule().Catalogs[0];
    catalog.Name = "내 목록";
    catalog.Coordinate = "a";
    catalog.Shapes[0].resize(1);
    catalog.Shapes[0][0].RA = 120;  // azimuth
    catalog.Shapes[0][0].Dec = 30;  // altitude
    catalog.Shapes[0][0].Name = "표적";
    Drawn({{100, 100, chart::UserShapeKey(1, 1, 0)}});
    RightClick(100, 100);
    EXPECT_EQ(Caption("mnuObjList", 0), "내 목록 - 표적");
    // Given in horizontal coordinates: no event times.
    EXPECT_FALSE(Item("mnuObjTime")->isEnabled());
    EXPECT_EQ(Caption("mnuObjTime"), "시각 조절: 표적는(은) 지평좌표를 쓰고 있습니다.");
}

// ---- Mouse ----

TEST_F(InteractionTest, MiddleClickCentresOnThePointAndStopsTracking) {
    S().ViewCenterX = 180;
    S().ViewCenterY = 45;
    form->SetMapBox();
    const double x = Projection().PixCenterX + 70.0, y = Projection().PixCenterY - 40.0;
    double az = 0, alt = 0;
    chart::ScreenToSky(x, y, 180, 45, az, alt, false);
    form->TrackOn = 1;
    form->Picture1_MouseDown(kMouseMiddle, x, y);
    EXPECT_EQ(form->TrackOn, 0);
    EXPECT_DOUBLE_EQ(S().ViewCenterX, az);
    EXPECT_DOUBLE_EQ(S().ViewCenterY, alt);
    // The point under the pointer is now drawn at the centre pixel.
    double vx, vy, vz, px, py;
    astro::SphericalToCartesian(az, alt, vx, vy, vz);
    Projection().ToPlane(vx, vy, vz, px, py);
    EXPECT_NEAR(px, Projection().PixCenterX, 1e-6);
    EXPECT_NEAR(py, Projection().PixCenterY, 1e-6);
}

TEST_F(InteractionTest, PopupCentreCommandUsesThePressPoint) {
    S().ViewCoordSys = "e";
    S().ViewCenterX = 90;
    S().ViewCenterY = 0;
    form->SetMapBox();
    const double x = Projection().PixCenterX - 100.0, y = Projection().PixCenterY;
    double ra = 0, dec = 0;
    chart::ScreenToSky(x, y, 90, 0, ra, dec, false);
    p.env.popups.choices = {"가운데로(C)"};
    RightClick(x, y);
    EXPECT_DOUBLE_EQ(S().ViewCenterX, ra);
    EXPECT_NEAR(S().ViewCenterY, 0, 1e-9);
}

TEST_F(InteractionTest, UserLineJoinsTheTruePositionsUnderPressAndRelease) {
    // Horizontal chart with refraction: the line's ends are the catalogue
    // places of what is drawn under the pointer, refraction taken off.
    S().ViewCenterX = 200;
    S().ViewCenterY = 20;
    S().Refraction = true;
    form->SetMapBox();
    double ra1, dec1, ra2, dec2;
    const auto j2000_at = [&](double az, double alt, double& ra, double& dec) {
        double ra_date, dec_date;
        astro::HorizontalToEquatorial(az, alt, AppState().LocalSiderealTime, S().lat, ra_date, dec_date);
        astro::PrecessByMatrix(S().CurrentJD, astro::kJ2000, ra_date, dec_date, ra, dec);
    };
    j2000_at(190, 8, ra1, dec1);
    j2000_at(215, 30, ra2, dec2);
    double x1, y1, x2, y2;
    PixelOfJ2000(ra1, dec1, x1, y1);
    PixelOfJ2000(ra2, dec2, x2, y2);

    form->LineMode = true;
    form->Picture1_MouseDown(kMouseLeft, x1, y1);
    EXPECT_TRUE(form->Picture1->RubberBandVisible());
    form->Picture1_MouseMove(kMouseLeft, x2, y2);
    form->Picture1_MouseUp(kMouseLeft, x2, y2);
    EXPECT_FALSE(form->Picture1->RubberBandVisible());

    const auto& lines = skydata::DrawnLineModule().DrawnLines;
    ASSERT_EQ(lines.size(), 1u);
    // Tolerance: the drawing lifts by its 1-degree refraction table, the
    // inverse takes off Bennett's formula (about 0.3' apart at 8 degrees).
    constexpr double kTolerance_deg = 0.01;
    EXPECT_NEAR(lines[0].RA1, ra1, kTolerance_deg);
    EXPECT_NEAR(lines[0].Dec1, dec1, kTolerance_deg);
    EXPECT_NEAR(lines[0].RA2, ra2, kTolerance_deg);
    EXPECT_NEAR(lines[0].Dec2, dec2, kTolerance_deg);
    EXPECT_EQ(lines[0].Color, 65535);
    EXPECT_EQ(lines[0].Text, "");
    // The marker manager now lists the lines, the new one selected, unshown.
    auto& markers = static_cast<FrmPoint&>(*FindToolWindow(ToolWindowId::FrmPoint));
    EXPECT_FALSE(markers.ListMode);
    EXPECT_EQ(markers.List1->currentRow(), markers.List1->count() - 1);
    EXPECT_FALSE(markers.isVisible());
    // The release became the press point.
    EXPECT_DOUBLE_EQ(form->PressX, x2);
}

TEST_F(InteractionTest, UserLineEndsAreDrawnWhereTheyWerePressedAndReleased) {
    struct Row {
        const char* coord;
        bool precession;
    };
    // Without precession the chart draws catalogue places as they are: a line
    // end carried to J2000 all the same would stand minutes of arc off.
    const Row rows[] = {{"e", false}, {"a", false}, {"e", true}, {"a", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.coord) + (row.precession ? " precessed" : " as catalogued"));
        skydata::DrawnLineModule().DrawnLines.assign(1, skydata::DrawnLine{});
        S().ViewCoordSys = row.coord;
        S().calcprecession = row.precession;
        S().Refraction = false;
        S().ViewCenterX = 150;
        S().ViewCenterY = 40;
        S().ViewFOV = 2;  // 1 pixel is about 0.2 arcminutes
        form->SetMapBox();
        const double x1 = 300, y1 = 200, x2 = 420, y2 = 290;
        form->LineMode = true;
        form->Picture1_MouseDown(kMouseLeft, x1, y1);
        form->Picture1_MouseUp(kMouseLeft, x2, y2);
        const auto& lines = skydata::DrawnLineModule().DrawnLines;
        ASSERT_EQ(lines.size(), 1u);
        double px, py;
        PixelOfJ2000(lines[0].RA1, lines[0].Dec1, px, py);
        EXPECT_NEAR(px, x1, 1);
        EXPECT_NEAR(py, y1, 1);
        PixelOfJ2000(lines[0].RA2, lines[0].Dec2, px, py);
        EXPECT_NEAR(px, x2, 1);
        EXPECT_NEAR(py, y2, 1);
    }
}

TEST_F(InteractionTest, LineOnOneRowOrColumnIsNotAdded) {
    form->LineMode = true;
    form->Picture1_MouseDown(kMouseLeft, 100, 100);
    form->Picture1_MouseUp(kMouseLeft, 180, 100);
    form->Picture1_MouseDown(kMouseLeft, 100, 100);
    form->Picture1_MouseUp(kMouseLeft, 100, 30);
    // Without the line mode a drag only shows the rubber band.
    form->LineMode = false;
    form->Picture1_MouseDown(kMouseLeft, 100, 100);
    form->Picture1_MouseUp(kMouseLeft, 150, 160);
    const auto& lines = skydata::DrawnLineModule().DrawnLines;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Color, 0);  // still the one empty element

    form->LineMode = true;
    form->Picture1_MouseDown(kMouseLeft, 100, 100);
    form->Picture1_MouseUp(kMouseLeft, 101, 99);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Color, 65535);
}

TEST_F(InteractionTest, ReadOutOfThePointer) {
    // Due south at altitude 45.001: hour angle 0, declination alt + lat - 90.
    S().ViewCenterX = 180;
    S().ViewCenterY = 45.001;
    form->SetMapBox();
    const double cx = Projection().PixCenterX, cy = Projection().PixCenterY;
    form->Picture1_MouseMove(0, cx, cy);
    EXPECT_EQ(form->Panel(1).toStdString(), "방위각:180도 0분 0초  고도: 45도 0분 3초");
    const std::string panel2 = form->Panel(2).toStdString();
    EXPECT_EQ(panel2.rfind("적경: ", 0), 0u) << panel2;
    EXPECT_NE(panel2.find("  적위: -9도 10분 44초"), std::string::npos) << panel2;
    const PointerSky sky = SkyUnderPixel(cx, cy);
    EXPECT_NEAR(astro::AngleDistance(sky.ra_deg, AppState().LocalSiderealTime * 15), 0, 1e-9);

    S().oldequ = 1;
    form->Picture1_MouseMove(kMouseRight, cx, cy);
    EXPECT_NE(form->Panel(2).toStdString().find("  거극도: 99도 10분 44초"), std::string::npos);
    S().oldequ = 2;
    form->Picture1_MouseMove(0, cx, cy);
    EXPECT_EQ(form->Panel(2).toStdString().rfind("입수도: ", 0), 0u);
    // Another style leaves the panel as it was.
    const QString before = form->Panel(2);
    S().oldequ = 7;
    form->Picture1_MouseMove(0, cx + 40, cy);
    EXPECT_EQ(form->Panel(2), before);
}

TEST_F(InteractionTest, RubberBandShowsDistanceAndPositionAngle) {
    // Equatorial chart, north up: from the centre straight up to the top edge
    // is an arc of 2 atan(PixCenterY * MapScale / 2000) (stereographic plane
    // of radius 2000 tan(t/2)), due north.
    S().ViewCoordSys = "e";
    S().ViewCenterX = 90;
    S().ViewCenterY = 0;
    S().ViewFOV = 60;
    form->SetMapBox();
    const double cx = Projection().PixCenterX, cy = Projection().PixCenterY;
    const double map_scale = 4000 * std::tan(astro::kPi / 180 * 60 / 4) / form->Picture1->height();
    const double expected = 2 * std::atan(cy * map_scale / 2000) * 180 / astro::kPi;
    double distance = 0, angle = 0;
    BandMeasure(cx, cy, cx, 0, distance, angle);
    EXPECT_NEAR(distance, expected, 1e-9);
    EXPECT_NEAR(distance, 30, 0.1);
    EXPECT_NEAR(angle, 0, 1e-9);

    form->Picture1_MouseDown(kMouseLeft, cx, cy);
    form->Picture1_MouseMove(kMouseLeft, cx, 0);
    const std::string panel1 = form->Panel(1).toStdString();
    EXPECT_EQ(panel1.rfind("각거리: ", 0), 0u) << panel1;
    EXPECT_EQ(panel1.substr(panel1.size() - std::string("  위치각: 0.0도").size()), "  위치각: 0.0도") << panel1;
    EXPECT_EQ(form->Picture1->RubberBand(), QLine(static_cast<int>(cx), static_cast<int>(cy), static_cast<int>(cx), 0));
    // Two buttons held: the pointer's own position again.
    form->Picture1_MouseMove(kMouseLeft | kMouseRight, cx, cy);
    EXPECT_EQ(form->Panel(1).toStdString().rfind("방위각:", 0), 0u);
}

TEST_F(InteractionTest, ZoomSliderClampsAtBothEnds) {
    S().ViewFOV = 60;
    form->SetMapBox();
    const int width = form->ProgressBar1->width();
    form->ProgressBar1_MouseDown(kMouseLeft, 10);
    EXPECT_TRUE(form->Label1->isVisibleTo(form.get()));
    EXPECT_EQ(form->Label1->text().toStdString(), "60.0도");
    form->ProgressBar1_MouseMove(kMouseLeft, -40);
    EXPECT_EQ(form->Label1->text().toStdString(), "190.0도");
    EXPECT_EQ(form->ProgressBar1->value(), 10);
    form->ProgressBar1_MouseMove(kMouseLeft, width + 40);
    EXPECT_EQ(form->Label1->text().toStdString(), "1.0도");
    form->ProgressBar1_MouseUp(kMouseLeft, width + 40);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 1.0);
    EXPECT_FALSE(form->Label1->isVisibleTo(form.get()));

    // Halfway: 1900/2 + 10 = 960, a field of 95 degrees.
    form->ProgressBar1_MouseDown(kMouseLeft, 0);
    form->ProgressBar1_MouseMove(kMouseLeft, width / 2.0);
    form->ProgressBar1_MouseUp(kMouseLeft, width / 2.0);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 95.0);
}

TEST_F(InteractionTest, WindowEventsReachTheHandlers) {
    const QPointF at(50, 60);
    QMouseEvent move(QEvent::MouseMove, at, form->Picture1->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(form->Picture1, &move);
    EXPECT_EQ(form->Panel(1).toStdString().rfind("방위각:", 0), 0u);

    QMouseEvent press(QEvent::MouseButtonPress, at, form->Picture1->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Picture1, &press);
    EXPECT_EQ(p.env.popups.shown.size(), 1u);
    EXPECT_DOUBLE_EQ(form->PressX, 50);

    // Dragging the slider by its events: past the right end.
    QProgressBar* slider = form->ProgressBar1;
    const QPointF left(1, 2), beyond(slider->width() + 30, 2);
    QMouseEvent down(QEvent::MouseButtonPress, left, slider->mapToGlobal(left), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent drag(QEvent::MouseMove, beyond, slider->mapToGlobal(beyond), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, beyond, slider->mapToGlobal(beyond), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &down);
    QCoreApplication::sendEvent(slider, &drag);
    QCoreApplication::sendEvent(slider, &up);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 1.0);
}

// ---- Pan, zoom, tracking and time steps ----

TEST_F(InteractionTest, ZoomStaysWithinOneAnd190Degrees) {
    struct Row {
        double fov;
        int mode;
        double expected;
    };
    const Row rows[] = {{1.2, 0, 1.0}, {150, 1, 190}, {60, 0, 40}, {60, 1, 90}, {250, 5, 190}, {0.5, 7, 1}, {30, 7, 30}};
    for (const Row& row : rows) {
        S().ViewFOV = row.fov;
        form->ZoomOpr(row.mode);
        EXPECT_DOUBLE_EQ(S().ViewFOV, row.expected) << row.fov << " " << row.mode;
    }
}

TEST_F(InteractionTest, PanFollowsThePicture) {
    struct Row {
        const char* coord_sys;
        double x, y;
        const char* direction;
        double expected_x, expected_y;
    };
    const Row rows[] = {
        {"a", 100, 88, "u", 100, 90},   // stops at the zenith
        {"a", 100, -88, "D", 100, -90},
        {"a", 100, 30, "l", 97, 30},    // horizontal: left lowers the azimuth
        {"a", 100, 30, "R", 103, 30},
        {"e", 100, 30, "L", 103, 30},   // equatorial: left raises the right ascension
        {"E", 359, 30, "l", 2, 30},
        {"e", 100, 30, "r", 97, 30},
        {"e", 100, 30, "x", 100, 30},
    };
    for (const Row& row : rows) {
        S().ViewCoordSys = row.coord_sys;
        S().ViewCenterX = row.x;
        S().ViewCenterY = row.y;
        S().ViewFOV = 60;
        form->SetMapBox();
        form->TrackOn = 1;
        form->MoveOpr(row.direction);
        EXPECT_NEAR(S().ViewCenterX, row.expected_x, 1e-9) << row.coord_sys << row.direction;
        EXPECT_NEAR(S().ViewCenterY, row.expected_y, 1e-9) << row.coord_sys << row.direction;
        EXPECT_EQ(form->TrackOn, 0);
    }
}

TEST_F(InteractionTest, TrackingCentresOnlyWhileOn) {
    S().ViewCoordSys = "e";
    S().calcprecession = false;
    S().calcpropermotion = false;
    PutStar(0, 83.5, -5.25, 2, 1);
    S().ViewCenterX = 10;
    S().ViewCenterY = 10;
    form->TrackOn = 0;
    form->GetCenter("S5:0");
    EXPECT_EQ(S().ViewCenterX, 10);
    form->TrackOn = 1;
    form->GetCenter("S5:0");
    EXPECT_NEAR(S().ViewCenterX, 83.5001, 1e-9);
    EXPECT_NEAR(S().ViewCenterY, -5.2499, 1e-9);
}

// Reference times: NOAA solar calculator equations (geocentric Sun, standard
// altitude -0.833 degrees); tolerance 1.5 minutes.
TEST_F(InteractionTest, SolarEventStepsLandOnTheNextDaysEvent) {
    struct Row {
        double code;
        int offset_min;
        double lat, lon, zone;
        int y, m, d;          // chart day before the step
        int ey, em, ed;       // expected day
        double expected_h;    // expected local time
    };
    const Row rows[] = {
        // Goryeong, 16 March 2024: sunset 18:34.5, sunrise 06:35.5.
        {-160, 30, 35.82, 128.46, 9, 2024, 3, 15, 2024, 3, 16, 18 + 34.5 / 60 + 0.5},
        {-150, 30, 35.82, 128.46, 9, 2024, 3, 15, 2024, 3, 16, 6 + 35.5 / 60 - 0.5},
        // Longyearbyen latitude, 22 June 2024: no sunset; transit 11:42.1,
        // lower transit 23:42.1.
        {-160, 0, 78.22, 20, 1, 2024, 6, 21, 2024, 6, 22, 23 + 42.1 / 60},
    };
    for (const Row& row : rows) {
        S().lat = row.lat;
        S().lon = row.lon;
        S().timezone = row.zone;
        S().CurrentJD = astro::DateToJD(row.y, row.m, row.d, 21, 0, 0);
        AppState().TimeStep = row.code;
        AppState().EventStepOffset = row.offset_min;
        form->Timer1_Timer();
        const double expected = astro::DateToJD(row.ey, row.em, row.ed, 0, 0, 0) + row.expected_h / 24;
        EXPECT_NEAR(S().CurrentJD, expected, 1.5 * kMinute_days) << row.code << " " << row.lat;
        EXPECT_DOUBLE_EQ(AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, row.lon, row.zone));
    }
}

TEST_F(InteractionTest, PlainStepMovesByTheStep) {
    const double start = S().CurrentJD;
    AppState().TimeStep = 1.0 / 24;
    form->StepTime(false);
    EXPECT_NEAR(S().CurrentJD, start + 1.0 / 24, 1e-9);
    form->StepTime(true);
    form->StepTime(true);
    EXPECT_NEAR(S().CurrentJD, start - 1.0 / 24, 1e-9);
}

// ---- Centring on an object ----

TEST_F(InteractionTest, CentringInTheEquatorialViewAsksNothing) {
    S().ViewCoordSys = "e";
    EXPECT_TRUE(CenterOnObject(123.4, -20));
    EXPECT_TRUE(p.env.messages.shown.empty());
    EXPECT_NEAR(S().ViewCenterX, 123.401, 1e-9);
    EXPECT_NEAR(S().ViewCenterY, -19.999, 1e-9);
}

TEST_F(InteractionTest, CentringBelowTheHorizonOnYesShowsTheSkyBelow) {
    // At lower culmination: 54.18 degrees below the horizon, due north.
    const double ra = astro::Norm360(AppState().LocalSiderealTime * 15 + 180);
    p.env.messages.answers = {platform::MsgAnswer::Yes};
    EXPECT_TRUE(CenterOnObject(ra, 0));
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].title, "찾기");
    EXPECT_EQ(p.env.messages.shown[0].text,
              "찾으려는 대상이 지평선 아래에 있습니다. 지평선 아래쪽을 표시할 수 있도록 하겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(S().underhorizon, 1);
    EXPECT_NEAR(astro::AngleDistance(S().ViewCenterX, 0), 0, 0.01);
    EXPECT_NEAR(S().ViewCenterY, -(90 - S().lat), 0.05);
}

TEST_F(InteractionTest, CentringBelowTheHorizonMovesToTheTransit) {
    const double ra = astro::Norm360(AppState().LocalSiderealTime * 15 + 180);
    const double midnight = astro::RoundToHalf(S().CurrentJD);
    S().RealTimeMode = true;
    p.env.messages.answers = {platform::MsgAnswer::No, platform::MsgAnswer::Yes};
    EXPECT_TRUE(CenterOnObject(ra, 0));
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text,
              "그러면, 해당 천체가 남중하는 시각으로 맞추시겠습니까?\r\n'컴퓨터 시계에 맞추기' 기능이 해제됩니다.");
    EXPECT_FALSE(S().RealTimeMode);
    EXPECT_EQ(S().underhorizon, 0);
    // The same civil day, at the object's transit: hour angle 0, due south.
    EXPECT_GE(S().CurrentJD, midnight);
    EXPECT_LT(S().CurrentJD, midnight + 1);
    EXPECT_NEAR(astro::AngleDistance(AppState().LocalSiderealTime * 15, ra), 0, 0.3);
    EXPECT_NEAR(S().ViewCenterX, 180, 0.3);
    EXPECT_NEAR(S().ViewCenterY, 90 - S().lat, 0.1);
}

TEST_F(InteractionTest, CentringDeclinedChangesNothing) {
    const double ra = astro::Norm360(AppState().LocalSiderealTime * 15 + 180);
    const double jd = S().CurrentJD;
    S().ViewCenterX = 12;
    p.env.messages.answers = {platform::MsgAnswer::No, platform::MsgAnswer::No};
    EXPECT_FALSE(CenterOnObject(ra, 0));
    EXPECT_EQ(S().CurrentJD, jd);
    EXPECT_EQ(S().ViewCenterX, 12);

    // Never above the horizon at 35.8 N: the third question.
    p.env.messages.shown.clear();
    p.env.messages.answers = {platform::MsgAnswer::No, platform::MsgAnswer::No};
    EXPECT_FALSE(CenterOnObject(0, -70));
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text,
              "찾으려는 대상은 항은권에 있습니다. 지평선 아래쪽을 표시할 수 있도록 하겠습니까?");
    EXPECT_EQ(S().underhorizon, 0);
    p.env.messages.answers = {platform::MsgAnswer::No, platform::MsgAnswer::Yes};
    EXPECT_TRUE(CenterOnObject(0, -70));
    EXPECT_EQ(S().underhorizon, 1);
}

// ---- Chart files ----

TEST_F(InteractionTest, ChartFileRoundTripWithoutTheWindowSize) {
    const auto file = p.user.path() / "chart.SKY";
    S().ViewFOV = 12.5;
    S().fwidth = 9000;
    SaveSkyFile(file);
    EXPECT_EQ(test::ReadBytes(file).find("[fwidth]"), std::string::npos);
    S().ViewFOV = 90;
    S().fwidth = 7000;
    EXPECT_EQ(OpenSkyFile(file), skydata::SettingsLoadStatus::Loaded);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 12.5);
    EXPECT_EQ(S().fwidth, 7000);
}

TEST_F(InteractionTest, BadChartFilesChangeNothing) {
    const auto damaged = p.user.path() / "damaged.SKY";
    std::ofstream(damaged, std::ios::binary) << "no settings here";
    const auto junk = p.user.path() / "junk.SKY";
    std::ofstream(junk, std::ios::binary) << "[mcenterx]abc[/mcenterx]\r\n[lat]x[/lat]\r\n[jd]1E+400[/jd]\r\n";
    S().ViewFOV = 33;
    S().fsetstr[0] = "AOri";
    EXPECT_EQ(OpenSkyFile(damaged), skydata::SettingsLoadStatus::Damaged);
    EXPECT_EQ(OpenSkyFile(junk), skydata::SettingsLoadStatus::Damaged);
    EXPECT_EQ(S().fsetstr[0], std::optional<std::string>("AOri"));
    // A file that is gone must not put every setting back to its default.
    EXPECT_EQ(OpenSkyFile(p.user.path() / "missing.SKY"), skydata::SettingsLoadStatus::Missing);
    EXPECT_DOUBLE_EQ(S().ViewFOV, 33);
    EXPECT_THROW(SaveSkyFile(p.user.path() / "no such folder" / "x.SKY"), platform::RunTimeError);
}

}  // namespace
}  // namespace zu
