// Object commands of the chart's pop-up menu, driven through the main
// window: information, rise/transit/set, tracking, a marker at the pressed
// place, the line mode and adding a body to the tracks.
#include <QAction>
#include <QCoreApplication>
#include <QListWidget>

#include <cmath>
#include <memory>
#include <utility>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "chart/ChartState.h"
#include "chart/PathLists.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/core/Tracks.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/ObjectPosition.h"
#include "zu/tracks/MarkerWindow.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

class ObjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        AppState().LocalSiderealTime = astro::CalcLST(S().CurrentJD, S().lon, S().timezone);
        form = std::make_unique<Form1>();
        form->resize(800, 600);
        form->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        form.reset();
        ResetToolWindows();
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    void Trigger(const char* name, int index = 0) {
        QAction* item = form->Menus->Action(name, index);
        ASSERT_NE(item, nullptr) << name;
        item->setVisible(true);
        item->setEnabled(true);
        item->trigger();
    }
    // A bright star of J2000 place (ra, dec) as key "S0:0".
    static void PutStar(double ra_deg, double dec_deg) {
        skydata::BscStarRecord star;
        star.HR = 1;
        star.RA_deg = ra_deg;
        star.Dec_deg = dec_deg;
        skydata::Catalogs().BscStar[0] = {star};
        skydata::Catalogs().BscZoneLastIndex[0] = 0;
    }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

TEST_F(ObjectCommandsTest, InformationOnAPickedObject) {
    form->PickList[2] = "P4";
    form->Menus->Action("mnuObjList", 2)->setText(QString::fromUtf8("목성"));
    Trigger("mnuObjList", 2);
    EXPECT_EQ(AppState().SelObjKey, "P4");
    ASSERT_EQ(p.env.windows.shown.size(), 1u);
    const auto& shown = p.env.windows.shown[0];
    EXPECT_EQ(shown.window->objectName(), "FrmInfo");
    EXPECT_EQ(shown.title, "정보: 목성");
    EXPECT_FALSE(shown.modal);
    EXPECT_EQ(shown.owner, form.get());
}

// Altitude and hour angle of a key's place of date at the chart time.
struct SkyPlace {
    double alt_deg;
    double hour_angle_deg;  // -180..180
};
SkyPlace PlaceNow(const std::string& key) {
    const auto place = GetObjectPosition(key);
    EXPECT_TRUE(place);
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double lst_h = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(place->RA_deg, place->Dec_deg, lst_h, s.lat, az, alt);
    double ha = astro::Norm360(lst_h * 15 - place->RA_deg);
    if (ha > 180) ha -= 360;
    return {alt, ha};
}

TEST_F(ObjectCommandsTest, EventTimesKeepTheDateAndMeetTheEvent) {
    // Rise and set put a fixed star at the standard altitude -0.5667 degrees
    // (Meeus ch. 15), the transit on the meridian; Jupiter (P4) moves little in
    // a day.
    PutStar(100, 20);
    const double midnight = astro::RoundToHalf(S().CurrentJD);
    for (const char* key : {"S0:0", "P4"}) {
        for (int item = 0; item < 3; ++item) {
            S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
            S().RealTimeMode = true;
            form->MenuObjKey = key;
            Trigger("mnuObjRTS", item);
            EXPECT_EQ(astro::RoundToHalf(S().CurrentJD), midnight) << key << item;
            EXPECT_FALSE(S().RealTimeMode);
            EXPECT_EQ(AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, S().lon, S().timezone));
            const SkyPlace now = PlaceNow(key);
            const double tolerance_deg = key[0] == 'P' ? 0.1 : 0.02;
            if (item == 1) {
                EXPECT_NEAR(now.hour_angle_deg, 0, tolerance_deg) << key;
            } else {
                EXPECT_NEAR(now.alt_deg, -0.5667, tolerance_deg) << key << item;
                // Rising east of the meridian, setting west of it.
                EXPECT_EQ(now.hour_angle_deg < 0, item == 0) << key << item;
            }
        }
    }
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(ObjectCommandsTest, AnEventThatDoesNotHappenLeavesTheTime) {
    PutStar(100, 80);  // never sets at the site
    ASSERT_GT(S().lat, 10);
    const double jd = S().CurrentJD;
    const std::int64_t draws = AppState().DrawCount;
    form->MenuObjKey = "S0:0";
    Trigger("mnuObjRTS", 0);
    EXPECT_EQ(S().CurrentJD, jd);
    EXPECT_EQ(AppState().DrawCount, draws);

    // A civil day in which the Moon does not transit.
    const double day = test::DayWithoutMoonTransit(S().lat, S().lon);
    ASSERT_NE(day, 0);
    S().CurrentJD = day + 0.75;
    form->MenuObjKey = "P8";
    Trigger("mnuObjRTS", 1);
    EXPECT_EQ(S().CurrentJD, day + 0.75);
    EXPECT_EQ(AppState().DrawCount, draws);
}

TEST_F(ObjectCommandsTest, TrackingFollowsThePlanetUntilThePanStopsIt) {
    S().ViewCoordSys = "e";
    form->MenuObjKey = "P4";
    Trigger("mnuTrack");
    EXPECT_EQ(form->TrackOn, 1);
    EXPECT_EQ(form->TrackKey, "P4");
    for (int step = 0; step < 2; ++step) {
        const auto jupiter = GetObjectPosition("P4");
        ASSERT_TRUE(jupiter);
        EXPECT_NEAR(S().ViewCenterX, astro::Norm360(jupiter->RA_deg) + 0.0001, 1e-6);
        EXPECT_NEAR(S().ViewCenterY, jupiter->Dec_deg + 0.0001, 1e-6);
        S().CurrentJD += 20;  // Jupiter moves by more than a degree
        form->SetMapBox();
    }
    form->MoveOpr("l");
    EXPECT_EQ(form->TrackOn, 0);
}

// The pixel where the chart draws a J2000 place.
chart::Pixel ProjectJ2000(double ra_deg, double dec_deg) {
    double x, y, z;
    astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    chart::Pixel pixel;
    chart::Chart().Projection.Place(x, y, z, chart::Chart().Frames.CatalogToChart, true, pixel);
    return pixel;
}

TEST_F(ObjectCommandsTest, MarkerLandsWhereThePointerPressed) {
    struct Row {
        const char* name;
        const char* coord;
        bool refraction;
        bool precession;
        double centre_lat_deg;
        double press_y_fraction;  // of the chart height below the top
    };
    const Row rows[] = {
        // Near the horizon refraction lifts a place by about 0.4 degrees,
        // many pixels at this field: the marker must carry the true place.
        {"horizontal, refraction, low", "a", true, true, 3, 0.62},
        {"horizontal, no refraction", "a", false, true, 30, 0.3},
        {"equatorial, precession", "e", true, true, 20, 0.7},
        {"equatorial, no precession", "e", true, false, -40, 0.2},
    };
    int added = 0;
    for (const Row& row : rows) {
        S().ViewCoordSys = row.coord;
        S().Refraction = row.refraction;
        S().calcprecession = row.precession;
        S().ViewCenterX = 200;
        S().ViewCenterY = row.centre_lat_deg;
        S().ViewFOV = 20;
        form->SetMapBox();
        form->PressX = form->Picture1->width() * 0.6;
        form->PressY = std::round(form->Picture1->height() * row.press_y_fraction);
        Trigger("mnuAddPoint");
        ++added;
        const std::vector<skydata::MapPoint>& points = skydata::MapPointModule().MapPoints;
        ASSERT_EQ(points.size(), static_cast<std::size_t>(added)) << row.name;
        const skydata::MapPoint& point = points.back();
        EXPECT_EQ(point.Flag, "y");
        EXPECT_EQ(point.Name, "표지 " + std::to_string(added));
        EXPECT_EQ(point.Kind, 1);
        EXPECT_EQ(point.Size, 60);
        const chart::Pixel pixel = ProjectJ2000(point.RA, point.Dec);
        EXPECT_NEAR(pixel.X, form->PressX, 1) << row.name;
        EXPECT_NEAR(pixel.Y, form->PressY, 1) << row.name;
    }
    auto& markers = static_cast<FrmPoint&>(*FindToolWindow(ToolWindowId::FrmPoint));
    EXPECT_EQ(markers.List1->count(), added);
    EXPECT_EQ(markers.List1->currentRow(), added - 1);
    EXPECT_TRUE(p.env.windows.shown.empty()) << "adding a marker does not show the manager";
}

TEST_F(ObjectCommandsTest, RefractionMattersWhereTheMarkerIsTested) {
    // Guard for the table above: at the low press point the apparent and the
    // true altitude differ by several pixels.
    S().ViewCoordSys = "a";
    S().Refraction = true;
    S().ViewCenterX = 200;
    S().ViewCenterY = 3;
    S().ViewFOV = 20;
    form->SetMapBox();
    const double x = form->Picture1->width() * 0.6;
    const double y = std::round(form->Picture1->height() * 0.62);
    double lon, apparent, true_alt;
    chart::ScreenToSky(x, y, S().ViewCenterX, S().ViewCenterY, lon, apparent, false);
    chart::ScreenToSky(x, y, S().ViewCenterX, S().ViewCenterY, lon, true_alt, true);
    EXPECT_GT(apparent, 0);
    EXPECT_GT((apparent - true_alt) / chart::Chart().Projection.fov_deg * form->Picture1->height(), 5);
}

TEST_F(ObjectCommandsTest, LineModeSwitchesWithItsMark) {
    QAction* item = form->Menus->Action("mnuDrawLine");
    const std::int64_t draws = AppState().DrawCount;
    Trigger("mnuDrawLine");
    EXPECT_TRUE(form->LineMode);
    EXPECT_TRUE(item->isChecked());
    Trigger("mnuDrawLine");
    EXPECT_FALSE(form->LineMode);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(AppState().DrawCount, draws);
}

TEST_F(ObjectCommandsTest, FirstTrackBodyOpensTheTrackWindow) {
    int computed = 0;
    skydata::PathModule().Hooks.ComputePaths = [&](const skydata::PathSettings&) { ++computed; };
    form->TrailAddKey = " P4 ";
    Trigger("mnuTrailadd");
    ASSERT_EQ(p.env.windows.shown.size(), 1u);
    const auto& shown = p.env.windows.shown[0];
    EXPECT_EQ(shown.window->objectName(), "FrmPath");
    EXPECT_TRUE(shown.modal);
    auto& window = static_cast<FrmPath&>(*FindToolWindow(ToolWindowId::FrmPath));
    EXPECT_EQ(window.ObjID, "P4");
    // Its load took the body into the first slot of its own selection and
    // lowered the flag; the tracks take it only with "적용".
    EXPECT_FALSE(window.ADDfromMainFirst);
    EXPECT_EQ(window.WorkBodyList, std::vector<std::string>{"P4"});
    EXPECT_EQ(skydata::PathModule().PathBodyList, std::vector<std::string>{""});
    EXPECT_EQ(computed, 0);
}

TEST_F(ObjectCommandsTest, MarsPickedOnTheChartGoesFirstIntoTheTracks) {
    // The planet table numbers Mars 3 (0 the Sun, 1 Mercury, 2 Venus).
    chart::Chart().ScreenObjects = {{120, 80, chart::PlanetKey(3)}};
    form->Picture1_MouseDown(kMouseRight, 121, 79);
    EXPECT_EQ(form->Menus->Action("mnuTrailadd")->text().toStdString(), "궤적 추가: 화성");
    // The modal window opens without blocking; its load has taken the body,
    // which it does only when asked to (ADDfromMainFirst).
    form->Menus->Action("mnuTrailadd")->trigger();
    ASSERT_EQ(p.env.windows.shown.size(), 1u);
    EXPECT_TRUE(p.env.windows.shown[0].modal);
    ASSERT_TRUE(p.env.windows.shown[0].window);
    EXPECT_TRUE(p.env.windows.shown[0].window->isVisible());
    EXPECT_EQ(p.env.windows.shown[0].window->objectName(), "FrmPath");
    EXPECT_EQ(static_cast<FrmPath&>(*p.env.windows.shown[0].window).ObjID, "P3");
    EXPECT_EQ(static_cast<FrmPath&>(*p.env.windows.shown[0].window).WorkBodyList, std::vector<std::string>{"P3"});
}

TEST_F(ObjectCommandsTest, FurtherTrackBodiesAreAddedOnceAndRecomputed) {
    std::vector<std::string> calls;
    // Each addition is the user asking for tracks: a request over the limit is warned of.
    skydata::PathModule().Hooks.ComputePaths = [&](const skydata::PathSettings& s) {
        calls.push_back("compute " + std::to_string(s.StepDays) + (std::exchange(TrackModule().UserAsked, false) ? " asked" : ""));
    };
    skydata::PathModule().Hooks.ProjectPaths = [&](const skydata::PathSettings&) { calls.push_back("project"); };
    skydata::PathModule().Settings.StepDays = 3;
    skydata::PathModule().PathBodyList = {"", "P0"};
    form->TrailAddKey = "C12";
    const std::int64_t draws = AppState().DrawCount;
    Trigger("mnuTrailadd");
    Trigger("mnuTrailadd");
    EXPECT_EQ(skydata::PathModule().PathBodyList, (std::vector<std::string>{"", "P0", "C12"}));
    EXPECT_EQ(calls,
              (std::vector<std::string>{"compute 3.000000 asked", "project", "compute 3.000000 asked", "project"}));
    EXPECT_EQ(AppState().DrawCount, draws + 2);
    EXPECT_TRUE(p.env.windows.shown.empty());
}

// An added body whose long computation the user stops is taken out again:
// the tracks stay as they were, and nothing is drawn anew.
TEST_F(ObjectCommandsTest, AStoppedAdditionLeavesTheTracksAsTheyWere) {
    InstallPathHooks();
    skydata::PathState& paths = skydata::PathModule();
    paths.PathBodyList = {"P0"};
    paths.Settings.StartJD = astro::DateToJD(2024, 1, 1, 0, 0, 0);
    paths.Settings.EndJD = paths.Settings.StartJD + 999;
    paths.Settings.StepDays = 1;
    ComputePaths(paths.Settings);
    ProjectPaths(paths.Settings);
    const std::vector<PathPoint> before = TrackModule().PathPoints;
    ASSERT_EQ(before.size(), 1000u);

    form->TrailAddKey = "P3";
    p.env.long_work.cancel_after = {std::size_t{10}};
    const std::int64_t draws = AppState().DrawCount;
    Trigger("mnuTrailadd");
    EXPECT_EQ(p.env.long_work.requests.size(), 1u);
    EXPECT_EQ(paths.PathBodyList, std::vector<std::string>{"P0"});
    ASSERT_EQ(TrackModule().PathPoints.size(), before.size());
    EXPECT_EQ(TrackModule().PathPoints.back().RA, before.back().RA);
    EXPECT_EQ(chart::PathLists().PathVectors.size(), before.size());
    EXPECT_EQ(AppState().DrawCount, draws);

    Trigger("mnuTrailadd");
    EXPECT_EQ(paths.PathBodyList, (std::vector<std::string>{"P0", "P3"}));
    EXPECT_EQ(TrackModule().PathPoints.size(), 2000u);
    EXPECT_EQ(AppState().DrawCount, draws + 1);
}

}  // namespace
}  // namespace zu
