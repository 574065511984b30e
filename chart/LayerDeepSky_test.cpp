#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "chart/LineAndObjectLayerTestSupport.h"

namespace chart {
namespace {

using namespace testing;

struct DeepSkyFixture : Fixture2 {
    DeepSkyFixture() {
        settings.drawnonstellar = true;
        styles.LayerStyle[9].Color = skydata::RgbColor(11, 22, 33);
    }
    skydata::DeepSkyObjectRecord& Add(const std::string& id, double ra, double dec, float mag, float size,
                                      const std::string& type = "OC") {
        skydata::DeepSkyObjectRecord o;
        o.ID1 = id;
        o.RA_deg = static_cast<float>(ra);
        o.Dec_deg = static_cast<float>(dec);
        o.Mag = mag;
        o.Size1_arcmin = o.Size2_arcmin = size;
        o.Type = type;
        const Vec v = VectorOf(ra, dec);
        o.x = v.x, o.y = v.y, o.z = v.z;
        catalogs.DeepSkyObject.push_back(o);
        return catalogs.DeepSkyObject.back();
    }
};

TEST(DeepSkyTest, AutomaticLimitLowersTheLayerLimitForThisDrawingOnly) {
    DeepSkyFixture f;
    f.settings.StarAutoMag = true;
    f.settings.vmlimit = 5;  // the automatic limit (6.5 in a dark sky) is capped at 5
    f.Add("faint", 100, 30, 6.1f, 1);
    f.Add("bright", 101, 30, 5.9f, 1);
    f.Add("large", 102, 30, 15, 7 * 60);  // wider than fov / 10 = 6 degrees
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_DOUBLE_EQ(Chart().ChartLimitMag, 5);
    EXPECT_EQ(f.Keys(), (std::vector<std::string>{"M1", "M2"}));
    EXPECT_FLOAT_EQ(f.settings.vmnonstellar, 8);

    // Without the automatic limit the layer's own limit of 8 holds.
    f.settings.StarAutoMag = false;
    f.Draw2(surface);
    EXPECT_EQ(f.Keys(), (std::vector<std::string>{"M0", "M1", "M2"}));
}

TEST(DeepSkyTest, EachTypeHasItsSymbolAndColour) {
    struct Case {
        const char* type;
        std::vector<std::string> calls;
    };
    // l = 4 (the smallest symbol) at the centre pixel (200, 150).
    const std::string red = ",RGB(255,0,0)", cyan = ",RGB(0,255,255)", green = ",RGB(0,255,0)",
                      grey = ",RGB(100,100,100)";
    const Case cases[] = {
        {"GC", {"Circle(200,150),4" + red, "Line(196,150)-(204,150)" + red, "Line(200,146)-(200,154)" + red}},
        {"OC", {"DrawStyle=2", "Circle(200,150),4" + cyan, "DrawStyle=0"}},
        {"DN", {"Line(196,146)-(204,154)" + green + ",B"}},
        {"PN", {"Circle(200,150),4" + green, "Circle(200,150),2" + green}},
        {"CN", {"DrawStyle=2", "Line(196,146)-(204,154)" + cyan + ",B", "DrawStyle=0"}},
        {"DK", {"Line(196,146)-(204,154)" + grey + ",B"}},
        {"CG", {"DrawStyle=2", "Circle(200,150),4" + grey, "DrawStyle=0"}},
        {"AS", {"Line(196,150)-(204,150)" + cyan, "Line(200,146)-(200,154)" + cyan}},
        {"XX", {}},
    };
    for (const Case& c : cases) {
        DeepSkyFixture f;
        f.Add("NGC 1", 100, 30, 5, 0, c.type);
        platform::RecordingSurface surface(401, 301);
        f.Draw2(surface);
        std::vector<std::string> symbol;
        for (const std::string& call : ChartCalls(surface)) {
            if (call.rfind("Circle", 0) == 0 || call.rfind("Line", 0) == 0 || call.rfind("Polygon", 0) == 0 ||
                call.rfind("DrawStyle", 0) == 0) {
                symbol.push_back(call);
            }
        }
        EXPECT_EQ(symbol, c.calls) << c.type;
        // Every type, even one without a symbol, is labelled and keyed.
        EXPECT_EQ(Printed(surface), std::vector<std::string>{"NGC 1"}) << c.type;
        EXPECT_EQ(f.Keys(), std::vector<std::string>{"M0"}) << c.type;
    }
}

// Direction (degrees, 0..180) of the longest diameter of a polygon.
double MajorAxis(const std::vector<platform::PointF>& points) {
    double best = 0, angle = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (std::size_t j = i + 1; j < points.size(); ++j) {
            const double dx = points[j].x - points[i].x, dy = points[j].y - points[i].y;
            if (std::hypot(dx, dy) > best) {
                best = std::hypot(dx, dy);
                angle = std::fmod(astro::Atan2D(dy, dx) + 360, 180);
            }
        }
    }
    return angle;
}

TEST(DeepSkyTest, GalaxyIsA24PointEllipseThatTurnsWithTheChart) {
    std::vector<double> axes;
    for (const double rotation : {0.0, 30.0}) {
        DeepSkyFixture f;
        f.view.fov_deg = 10;
        f.view.rotation_deg = rotation;
        f.Add("M 31", 100, 30, 4, 120, "GX").Size2_arcmin = 40;
        platform::RecordingSurface surface(401, 301);
        f.Draw2(surface);
        const auto calls = ChartCallsStartingWith(surface, "Polygon");
        ASSERT_EQ(calls.size(), 1u);
        const std::vector<platform::PointF> points = PolygonPoints(calls[0]);
        ASSERT_EQ(points.size(), 24u);
        axes.push_back(MajorAxis(points));
    }
    // Position angle 0: the major axis points north, up the screen.
    EXPECT_NEAR(axes[0], 90, 3);
    double turn = std::fabs(axes[1] - axes[0]);
    turn = std::min(turn, 180 - turn);
    EXPECT_NEAR(turn, 30, 3);
}

TEST(DeepSkyTest, EllipsePolygon) {
    EllipsePolygon points;
    BuildEllipsePolygon(10, 20, 20, 100, 50, 0, points);
    for (const platform::PointF& p : points) EXPECT_NEAR(std::hypot(p.x - 100, p.y - 50), 10, 0.75);
    EXPECT_EQ(points[0].x, points[24].x);
    EXPECT_EQ(points[0].y, points[24].y);
    // No minor size: half as wide. Angle 0: the major axis is vertical.
    BuildEllipsePolygon(10, 20, 0, 100, 50, 0, points);
    EXPECT_EQ(points[0].x, 105);  // t = 0: u = 5 across
    EXPECT_EQ(points[0].y, 50);
    EXPECT_EQ(points[6].x, 100);  // t = 90: v = 10 along
    EXPECT_EQ(points[6].y, 60);
}

TEST(DeepSkyTest, LabelChoicesAndObjectsOnTheEdge) {
    struct Case {
        int choice;
        const char* id2;
        const char* name1;
        const char* label;
    } cases[] = {
        {0, "IC 1", "안드로메다;M31", "M 31"}, {1, "IC 1", "", "IC 1"},   {1, "  ", "", "M 31"},
        {2, "", " 안드로메다 ;M31", "안드로메다"}, {2, "", ";M31", "M 31"}, {3, "IC 1", "x", ""},
    };
    for (const Case& c : cases) {
        DeepSkyFixture f;
        f.settings.DSONAME = static_cast<std::int16_t>(c.choice);
        auto& o = f.Add(" M 31 ", 100, 30, 4, 10);
        o.ID2 = c.id2;
        o.Name1 = c.name1;
        platform::RecordingSurface surface(400, 300);
        f.Draw2(surface);
        const std::vector<std::string> printed = Printed(surface);
        if (*c.label) {
            EXPECT_EQ(printed, std::vector<std::string>{c.label}) << c.choice << c.name1;
        } else {
            EXPECT_TRUE(printed.empty());
        }
    }
    // Exactly on the right edge (X = W): drawn and keyed.
    DeepSkyFixture f;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const SkyPoint edge = SkyAt(400, 150);
    f.Add("edge", edge.lon_deg, edge.lat_deg, 4, 10);
    f.Draw2(surface);
    ASSERT_EQ(f.Keys(), std::vector<std::string>{"M0"});
    EXPECT_EQ(Chart().ScreenObjects[0].X, 400);
}

}  // namespace
}  // namespace chart
