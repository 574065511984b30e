#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/LineAndObjectLayerTestSupport.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"

namespace chart {
namespace {

using namespace testing;

struct HorizonFixture : Fixture2 {
    HorizonFixture() {
        view.coord_sys = "a";
        view.center_lon_deg = 180;
        view.center_lat_deg = 0;
        view.fov_deg = 60;
    }
};

// Polygons logged with the fill colour in force at each.
struct FilledPolygon {
    std::string fill;
    std::vector<platform::PointF> points;
};
std::vector<FilledPolygon> FilledPolygons(const platform::RecordingSurface& surface) {
    std::vector<FilledPolygon> out;
    std::string fill;
    for (const std::string& call : ChartCalls(surface)) {
        if (call.rfind("FillColor=", 0) == 0) fill = call.substr(10);
        if (call.rfind("Polygon", 0) == 0) out.push_back({fill, PolygonPoints(call)});
    }
    return out;
}

TEST(HorizonHazeColourTest, RaisesEmptyChannelsAndStrengthensBlue) {
    struct Case {
        platform::Colour sky, haze;
    } cases[] = {
        {platform::Rgb(0, 0, 0), platform::Rgb(15, 15, 22)},        // 22.5 rounds to even
        {platform::Rgb(0, 10, 0), platform::Rgb(15, 10, 22)},
        {platform::Rgb(100, 200, 180), platform::Rgb(100, 200, 255)},  // 270 limited
        {platform::Rgb(20, 30, 41), platform::Rgb(20, 30, 62)},     // 61.5 rounds to even
    };
    for (const Case& c : cases) EXPECT_EQ(HorizonHazeColour(c.sky), c.haze) << platform::RgbText(c.sky);
}

TEST(SegmentNearScreenTest, MarginOfFiftyPixels) {
    EXPECT_TRUE(SegmentNearScreen(-49, 10, -500, -500, 100, 100));
    EXPECT_FALSE(SegmentNearScreen(-50, 10, -500, -500, 100, 100));
    EXPECT_TRUE(SegmentNearScreen(-500, -500, 149, 149, 100, 100));
    EXPECT_FALSE(SegmentNearScreen(-500, -500, 150, 10, 100, 100));
}

TEST(GroundTest, GroundBelowTheHorizonAndGlowUpTo13Degrees) {
    HorizonFixture f;
    f.settings.showground = true;
    f.settings.AtmoEff = true;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::string ground = Rgb(0, 64, 0);
    const std::string haze = platform::RgbText(HorizonHazeColour(Chart().SkyBackColor));
    const std::vector<FilledPolygon> polygons = FilledPolygons(surface);
    ASSERT_FALSE(polygons.empty());
    std::size_t groundCount = 0, glowCount = 0;
    bool hazeAtHorizon = false;
    for (const FilledPolygon& p : polygons) {
        ASSERT_GE(p.points.size(), 4u);
        double low = 90, high = -90;
        for (const platform::PointF& q : p.points) {
            const SkyPoint s = SkyAt(q.x, q.y);
            low = std::min(low, s.lat_deg);
            high = std::max(high, s.lat_deg);
        }
        // Vertices are whole pixels: about 0.2 degree at this scale.
        if (p.fill == ground) {
            ++groundCount;
            EXPECT_LE(high, 0.3);
        } else {
            ++glowCount;
            EXPECT_GE(low, -0.3);
            EXPECT_LE(high, 13.3);
            if (low < 0.3) {
                hazeAtHorizon = true;
                EXPECT_EQ(p.fill, haze);
            }
        }
    }
    EXPECT_GT(groundCount, 0u);
    EXPECT_GT(glowCount, 0u);
    EXPECT_TRUE(hazeAtHorizon);
    // Transparent fill again after the last band.
    const std::vector<std::string> calls = ChartCalls(surface);
    const auto last = std::find_if(calls.rbegin(), calls.rend(),
                                   [](const std::string& c) { return c.rfind("Polygon", 0) == 0; });
    ASSERT_NE(last, calls.rend());
    EXPECT_EQ(*(last - 1), "FillStyle=1");
}

TEST(GroundTest, ViewWhollyAboveTheHorizonHasNoGroundAndNoHorizon) {
    HorizonFixture f;
    f.view.center_lat_deg = 60;
    f.view.fov_deg = 40;
    f.settings.showground = true;
    f.settings.AtmoEff = false;
    f.settings.drawhorizon = true;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_TRUE(ChartCallsStartingWith(surface, "Polygon").empty());
    EXPECT_TRUE(Lines(surface).empty());
}

TEST(GroundTest, NadirRegionIsFilledDownToMinus90) {
    HorizonFixture f;
    f.view.center_lat_deg = -80;
    f.view.fov_deg = 60;
    f.settings.showground = true;
    f.settings.AtmoEff = false;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    double lowest = 0;
    for (const FilledPolygon& p : FilledPolygons(surface))
        for (const platform::PointF& q : p.points) lowest = std::min(lowest, SkyAt(q.x, q.y).lat_deg);
    EXPECT_LT(lowest, -89);
}

TEST(GroundTest, GroundGoesAllTheWayRoundTheAllSkyChart) {
    // The zenith at the centre: the bands close on themselves at azimuth 0,
    // and no part of the ring may be left unpainted.
    platform::EnsureQtApp();
    HorizonFixture f;
    f.view.center_lat_deg = 90;
    f.view.fov_deg = 190;
    f.settings.showground = true;
    f.settings.AtmoEff = false;
    platform::ImageSurface surface(600, 600);  // large enough to keep the legend off the ring
    f.Draw2(surface);
    for (int az = 0; az < 360; az += 2) {
        double x, y, z;
        astro::SphericalToCartesian(az, -2, x, y, z);
        astro::RotateVector(x, y, z, Chart().Frames.HorizonToChart);
        const Pixel p = Chart().Projection.ToPixel(x, y, z);
        EXPECT_EQ(surface.Point(p.X, p.Y), platform::Rgb(0, 64, 0)) << "azimuth " << az;
    }
}

TEST(HorizonTest, LineAndCompassLabels) {
    HorizonFixture f;
    f.view.center_lon_deg = 0;  // north
    f.settings.drawhorizon = true;
    f.styles.LineColorTable[0] = skydata::RgbColor(9, 9, 9);
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_FALSE(lines.empty());
    for (const LoggedLine& l : lines) {
        EXPECT_EQ(l.colour, Rgb(9, 9, 9));
        EXPECT_NEAR(l.y1, 150, 1);  // the horizon through the centre
        EXPECT_NEAR(l.y2, 150, 1);
    }
    // "북" centred a little below the horizon at the centre column; the
    // recording surface's text is 7 wide and 12 high per character.
    const std::vector<PrintedAt> labels = PrintPositions(surface);
    const auto north = std::find_if(labels.begin(), labels.end(), [](const PrintedAt& p) { return p.text == "북"; });
    ASSERT_NE(north, labels.end());
    EXPECT_EQ(north->x, 200 - 3);
    EXPECT_GT(north->y + 6, 150);
    EXPECT_LT(north->y + 6, 160);
    // 동북 and 서북 are 45 degrees off the centre and 서, 동 outside the field.
    for (const PrintedAt& p : labels) EXPECT_TRUE(p.text == "북" || p.text == "동북" || p.text == "서북") << p.text;
}

TEST(HorizonTest, HorizonIsNotRefracted) {
    HorizonFixture f;
    f.view.fov_deg = 10;
    f.settings.drawhorizon = true;
    f.settings.Refraction = true;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_FALSE(lines.empty());
    // Refracted, altitude 0 would rise by about half a degree (15 pixels).
    for (const LoggedLine& l : lines) EXPECT_NEAR(l.y1, 150, 1);
}

TEST(CentreMarksTest, FinderCircleRadiusAndCaptions) {
    Fixture2 f;
    f.view.fov_deg = 60;
    f.settings.viewccircle = true;
    f.settings.findcolor = skydata::RgbColor(255, 255, 0);
    f.settings.fcircle01 = "X:시야: 5.0도";  // does not start with T: no caption
    platform::RecordingSurface surface(300, 200);
    f.Draw2(surface);
    const std::vector<LoggedCircle> circles = Circles(surface);
    ASSERT_EQ(circles.size(), 2u);
    // 4000 tan(0.625 deg) / (4000 tan(15 deg) / 200) = 8.142.
    EXPECT_NEAR(circles[0].r, 8.14, 0.05);
    EXPECT_EQ(circles[1].r, 2);  // 1.628 to the nearest pixel
    EXPECT_EQ(circles[0].x, 150);
    EXPECT_EQ(circles[0].y, 100);
    const std::vector<PrintedAt> captions = PrintPositions(surface);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0].text, "시야: 1.0도");
    // Centred above the small circle: 8 characters of 7, one line of 12.
    EXPECT_EQ(captions[0].x, 150 - 28);
    EXPECT_EQ(captions[0].y, 100 - (12 + 2 + 1));
    EXPECT_EQ(surface.ForeColor(), platform::Rgb(255, 255, 0));
}

TEST(CentreMarksTest, PictureAndCentreCross) {
    Fixture2 f;
    f.settings.viewcmark = true;
    f.settings.CenterCross = true;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(ChartCallsStartingWith(surface, "PaintPicture"), std::vector<std::string>{"PaintPicture(184,150),32x32"});
    const std::vector<LoggedCircle> circles = Circles(surface);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].r, 5);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].x1, 205);
    EXPECT_EQ(lines[0].x2, 210);
    EXPECT_EQ(lines[3].y1, 145);
    EXPECT_EQ(lines[3].y2, 140);
}

}  // namespace
}  // namespace chart
