#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "chart/LineAndObjectLayerTestSupport.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"

namespace chart {
namespace {

using namespace testing;

// Equatorial chart centred on RA 100, Dec 30 at J2000 (no precession either
// way), planets switched on.
struct BodyFixture : Fixture2 {
    BodyFixture() {
        settings.viewplanet = true;
        settings.StarAutoMag = false;
        styles.LayerStyle[7].Color = skydata::RgbColor(200, 100, 50);
    }
    void Place(int body, double ra, double dec, float mag = 1, float diameter = 10) {
        astro::PlanetRecord& p = planets[body];
        p.RA = p.TopoRA = ra;
        p.Dec = p.TopoDec = dec;
        p.Mag = mag;
        p.Diameter = diameter;
    }
};

TEST(PlanetsTest, EveryBodyKeyedSunAndMoonAtLeastSevenPixels) {
    BodyFixture f;
    for (int i = 0; i < 10; ++i) f.Place(i, 90 + 2 * i, 30);
    f.Place(astro::kPlanetSun, 100, 25, -26.7f, 1900);
    f.Place(astro::kPlanetMoon, 105, 35, -12, 1800);
    f.planets[astro::kPlanetMoon].Phase = 0.5;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(f.Keys(), (std::vector<std::string>{"P0", "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"}));
    const std::vector<LoggedCircle> circles = Circles(surface);
    // The Sun: about 2.5 pixels of disc radius at this scale, drawn as 7.
    const auto sun = std::find_if(circles.begin(), circles.end(), [](const LoggedCircle& c) {
        return c.rest == "," + Rgb(255, 255, 0) && c.r >= 7;
    });
    ASSERT_NE(sun, circles.end());
    EXPECT_EQ(sun->r, 7);
    const auto moon = std::find_if(circles.begin(), circles.end(),
                                   [](const LoggedCircle& c) { return c.rest == "," + Rgb(90, 90, 80); });
    ASSERT_NE(moon, circles.end());
    EXPECT_EQ(moon->r, 7);
    // Planets: discs of radius sf * (limit + 1 - mag) = 5.5 + 1 - 1, halves to even.
    EXPECT_TRUE(std::any_of(circles.begin(), circles.end(), [](const LoggedCircle& c) {
        return c.r == 6 && c.rest == "," + Rgb(255, 89, 0);  // Mars
    }));
}

TEST(PlanetsTest, CentreCrossOnlyUpToAFieldOf50Degrees) {
    BodyFixture f;
    f.Place(astro::kPlanetSun, 100, 30, -26.7f, 1900);
    for (const double fov : {50.0, 50.5}) {
        f.view.fov_deg = fov;
        platform::RecordingSurface surface(400, 300);
        f.Draw2(surface);
        std::size_t cross = 0;
        for (const LoggedLine& l : Lines(surface))
            if (l.colour == Rgb(200, 100, 50)) ++cross;
        EXPECT_EQ(cross, fov <= 50 ? 2u : 0u) << fov;
    }
}

TEST(PlanetsTest, AutomaticLimitHidesFaintPlanetsOnly) {
    BodyFixture f;
    f.Place(5, 100, 30, 7.0f);
    f.settings.vmlimit = 6;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(f.Keys(), std::vector<std::string>{"P5"});  // StarAutoMag off: always drawn
    f.settings.StarAutoMag = true;
    f.Draw2(surface);
    EXPECT_TRUE(f.Keys().empty());
}

TEST(PlanetsTest, BodyOnTheRightEdgeIsAPlanetNowhereButASmallBodyIs) {
    BodyFixture f;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    // The sky position whose pixel is exactly (W, cy).
    const SkyPoint edge = SkyAt(400, 150);
    f.Place(4, edge.lon_deg, edge.lat_deg);
    f.Draw2(surface);
    EXPECT_TRUE(f.Keys().empty());

    DrawContext context = f.Context();
    astro::BodyPosition body;
    body.Valid = true;
    body.TopoRA = body.TailRA = edge.lon_deg;
    body.TopoDec = body.TailDec = edge.lat_deg;
    body.Mag = 5;
    body.Name = "X";
    astro::CometElements comet;
    comet.T_jd = f.view.jd_local;
    DrawSmallBodies(surface, context, {body}, true, {comet}, Chart().Frames.DateToChart, true);
    DrawSmallBodies(surface, context, {body}, false, {}, Chart().Frames.DateToChart, true);
    ASSERT_EQ(f.Keys(), (std::vector<std::string>{"C0", "A0"}));
    EXPECT_EQ(Chart().ScreenObjects[0].X, 400);
}

TEST(SmallBodiesTest, CometsFarFromPerihelionInvalidAndFaintBodiesAreSkipped) {
    BodyFixture f;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    DrawContext context = f.Context();
    std::vector<astro::BodyPosition> bodies(4);
    std::vector<astro::CometElements> elements(4);
    for (int i = 0; i < 4; ++i) {
        bodies[i].Valid = true;
        bodies[i].TopoRA = bodies[i].TailRA = 100 + i;
        bodies[i].TopoDec = bodies[i].TailDec = 30;
        bodies[i].Mag = 6;
        elements[i].T_jd = f.view.jd_local + 100;
    }
    elements[1].T_jd = f.view.jd_local - 1826.5;  // beyond LimitCometRange
    bodies[2].Valid = false;
    bodies[3].Mag = 9;  // fainter than cometlimit 8.5
    f.settings.LimitCometDisp = true;
    DrawSmallBodies(surface, context, bodies, true, elements, Chart().Frames.DateToChart, true);
    EXPECT_EQ(f.Keys(), std::vector<std::string>{"C0"});

    Chart().ScreenObjects.clear();
    f.settings.LimitCometDisp = false;
    DrawSmallBodies(surface, context, bodies, true, elements, Chart().Frames.DateToChart, true);
    EXPECT_EQ(f.Keys(), (std::vector<std::string>{"C0", "C1"}));
}

TEST(SmallBodiesTest, CometTailComaAndAsteroidDiamond) {
    BodyFixture f;
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    DrawContext context = f.Context();
    astro::BodyPosition comet;
    comet.Valid = true;
    comet.TopoRA = 100;
    comet.TopoDec = 30;
    comet.TailRA = 100;
    comet.TailDec = 32;
    comet.Mag = 4.5f;
    comet.ComaSize = 0;
    comet.Name = "C/2020 F3";
    astro::CometElements element;
    element.T_jd = f.view.jd_local;
    surface.ClearCalls();
    DrawSmallBodies(surface, context, {comet}, true, {element}, Chart().Frames.DateToChart, true);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x1, 200);
    EXPECT_EQ(lines[0].y1, 150);
    EXPECT_LT(lines[0].y2, 150);  // the tail end lies north: up
    // Disc radius floor((5.5 + 1 - 4.5) * 1) = 2; label 4 pixels right of it.
    const std::vector<LoggedCircle> circles = Circles(surface);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[1].r, 2);
    const std::vector<PrintedAt> labels = PrintPositions(surface);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].x, 204);
    EXPECT_EQ(labels[0].y, 147);
    EXPECT_EQ(labels[0].text, "C/2020 F3");

    surface.ClearCalls();
    DrawSmallBodies(surface, context, {comet}, false, {}, Chart().Frames.DateToChart, true);
    EXPECT_EQ(Lines(surface).size(), 4u);
    EXPECT_EQ(ChartCallsStartingWith(surface, "PSet(200,150)").size(), 1u);
    EXPECT_EQ(PrintPositions(surface)[0].x, 207);
}

TEST(EarthShadowTest, UmbraPenumbraAndNoKey) {
    BodyFixture f;
    f.settings.viewplanet = false;
    f.settings.viewshadow = true;
    f.view.fov_deg = 10;
    // The anti-Sun point at the chart centre.
    f.Place(astro::kPlanetSun, 280, -30);
    f.planets[astro::kPlanetSun].Delta = 1.0;
    f.planets[astro::kPlanetMoon].Delta = 384400 / 149597870.691;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_TRUE(f.Keys().empty());
    const std::vector<LoggedCircle> circles = Circles(surface);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].x, 200);
    EXPECT_EQ(circles[0].y, 150);
    // Umbra about 0.690 and penumbra about 1.251 degrees in radius at the
    // Moon's mean distance (rU = 4606 km and rP = 8183 km, enlarged by 0.5 and
    // 2.6 per cent).
    const double pixelsPerDegree = 2000 * astro::TanD(0.5) / Chart().Projection.MapScale;
    EXPECT_NEAR(circles[0].r, 0.690 * pixelsPerDegree, 1.0);
    EXPECT_NEAR(circles[1].r, 1.251 * pixelsPerDegree, 1.0);
    EXPECT_EQ(Printed(surface), std::vector<std::string>{"지구 그림자"});
    const std::vector<std::string> calls = ChartCalls(surface);
    const auto text = std::find(calls.begin(), calls.end(), "Print \"지구 그림자\"");
    ASSERT_NE(text, calls.end());
    EXPECT_EQ(*(text + 1), "FillStyle=1");

    // Without distances there is nothing to place.
    f.planets[astro::kPlanetMoon].Delta = 0;
    surface.ClearCalls();
    f.Draw2(surface);
    EXPECT_TRUE(Circles(surface).empty());
}

// The Moon alone at the centre of an image, the Sun 90 degrees east of it.
struct MoonImage {
    BodyFixture f;
    platform::ImageSurface surface{200, 200};
    MoonImage(double phase, double elongation) {
        platform::EnsureQtApp();
        f.view.fov_deg = 60;
        f.Place(astro::kPlanetMoon, 100, 30, -10, 12 * 3600);  // 12 degrees wide
        f.Place(astro::kPlanetSun, 190, 30, -26.7f, 1900);
        f.planets[astro::kPlanetMoon].Phase = phase;
        f.planets[astro::kPlanetSun].TopoEclLon = 0;
        f.planets[astro::kPlanetMoon].TopoEclLon = astro::Norm360(elongation);
        f.settings.PNameLang = 0;
        f.Draw2(surface);
    }
    int WhiteWithin(double r) {
        int n = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (std::hypot(x - 100, y - 100) <= r && surface.Point(x, y) == platform::Rgb(255, 255, 255)) ++n;
        return n;
    }
};

TEST(MoonPhaseTest, FullMoonIsAWhiteDiscNewMoonHasNoWhite) {
    MoonImage full(1.0, 180);
    const double R = std::nearbyint(4000 * astro::TanD(12.0 / 8) / Chart().Projection.MapScale);
    ASSERT_GT(R, 15);
    const int inner = full.WhiteWithin(R - 1.5);
    EXPECT_GE(inner, static_cast<int>(0.98 * M_PI * (R - 1.5) * (R - 1.5)));

    MoonImage fresh(0.0, 1);
    EXPECT_EQ(fresh.WhiteWithin(R + 2), 0);
}

TEST(MoonPhaseTest, WaxingAndWaningAreMirrorImages) {
    std::vector<std::vector<platform::PointF>> polygons;
    for (const double elongation : {90.0, -90.0}) {
        BodyFixture f;
        f.Place(astro::kPlanetMoon, 100, 30, -10, 6 * 3600);
        f.Place(astro::kPlanetSun, 160, 10, -26.7f, 1900);
        f.planets[astro::kPlanetMoon].Phase = 0.3;
        f.planets[astro::kPlanetMoon].TopoEclLon = astro::Norm360(elongation);
        platform::RecordingSurface surface(401, 301);
        f.Draw2(surface);
        const auto calls = ChartCallsStartingWith(surface, "Polygon");
        ASSERT_EQ(calls.size(), 1u);
        polygons.push_back(PolygonPoints(calls[0]));
        ASSERT_EQ(polygons.back().size(), 36u);
    }
    // Point i of one is point i of the other reflected across the axis through
    // the centre that both share: P - Q is perpendicular to (P + Q) / 2 - C.
    const double cx = 200, cy = 150;
    bool differ = false;
    for (std::size_t i = 0; i < 36; ++i) {
        const platform::PointF p = polygons[0][i], q = polygons[1][i];
        const double dx = p.x - q.x, dy = p.y - q.y;
        const double mx = (p.x + q.x) / 2 - cx, my = (p.y + q.y) / 2 - cy;
        // Whole pixels: only pairs far enough apart and from the centre tell.
        if (std::hypot(dx, dy) < 4 || std::hypot(mx, my) < 4) continue;
        EXPECT_LT(std::fabs(dx * mx + dy * my) / (std::hypot(dx, dy) * std::hypot(mx, my)), 0.2) << i;
        differ = differ || std::hypot(dx, dy) > 3;
    }
    EXPECT_TRUE(differ);
}

TEST(ScreenNorthAngleTest, UpInTheEquatorialChartAndTurnedByTheRotation) {
    BodyFixture f;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_NEAR(ScreenNorthAngle(Chart().Projection, 100, 30, 60, Chart().Frames.CatalogToChart), 90, 2);
    f.view.rotation_deg = 30;
    f.Draw2(surface);
    const double turned = ScreenNorthAngle(Chart().Projection, 100, 30, 60, Chart().Frames.CatalogToChart);
    EXPECT_NEAR(std::fabs(turned - 90), 30, 2);
}

}  // namespace
}  // namespace chart
