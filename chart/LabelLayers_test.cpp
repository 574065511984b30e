#include "chart/LabelLayers.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "chart/ChartTestSupport.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::ChartFixture;

// The calls from the legend's font on (the legend is drawn after every
// switchable layer of this part).
std::vector<std::string> LegendCalls(const platform::RecordingSurface& s) {
    const auto& calls = s.Calls();
    auto it = std::find(calls.begin(), calls.end(), "Font=Tahoma,9");
    return {it, calls.end()};
}

TEST(LabelLayersTest, LegendForALimitOf6Point5) {
    ChartFixture f;
    f.settings.vmlimit = 6.5;
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    const auto calls = LegendCalls(surface);
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Line(0,265)-(160,300),B"), calls.end());
    std::vector<std::string> numbers;
    for (const auto& c : calls)
        if (c.rfind("Print ", 0) == 0) numbers.push_back(c);
    EXPECT_EQ(numbers, (std::vector<std::string>{"Print \" 0\"", "Print \" 1\"", "Print \" 2\"", "Print \" 3\"",
                                                 "Print \" 4\"", "Print \" 5\"", "Print \" 6\""}));
    // Magnitude 0 at x = 20 with radius floor(7.5) = 7, at row round(277.5) = 278.
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Circle(20,278),7,RGB(255,255,255)"), calls.end());
}

TEST(LabelLayersTest, LegendForALimitOf3) {
    ChartFixture f;
    f.settings.vmlimit = 3.0;
    platform::RecordingSurface surface(400, 301);
    f.Draw(surface);
    const auto calls = LegendCalls(surface);
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Line(0,266)-(140,301),B"), calls.end());
    std::vector<std::string> circles;
    std::vector<std::string> numbers;
    for (const auto& c : calls) {
        if (c.rfind("Circle(", 0) == 0) circles.push_back(c);
        if (c.rfind("Print ", 0) == 0) numbers.push_back(c);
    }
    ASSERT_EQ(numbers.size(), 6u);
    EXPECT_EQ(numbers.front(), "Print \"-2\"");
    EXPECT_EQ(numbers.back(), "Print \" 3\"");
    // First symbol at x = 20, row round(278.5) = 278 (halves to even).
    EXPECT_EQ(circles.front().rfind("Circle(20,278),6,", 0), 0u) << circles.front();
    // The number starts one character width left of its symbol.
    EXPECT_NE(std::find(calls.begin(), calls.end(), "CurrentX=13"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "CurrentY=287"), calls.end());
}

TEST(LabelLayersTest, GlyphsBySizeClass) {
    const struct {
        int sizeClass;
        std::vector<std::string> calls;
    } cases[] = {
        {-1, {"Line(8,10)-(13,10),RGB(1,2,3)", "Line(10,8)-(10,13),RGB(1,2,3)", "Line(9,9)-(11,11),RGB(1,2,3),B"}},
        {0, {"Line(8,10)-(13,10),RGB(1,2,3)", "Line(10,8)-(10,13),RGB(1,2,3)", "Line(9,9)-(11,11),RGB(1,2,3),B"}},
        {1, {"Line(9,10)-(12,10),RGB(1,2,3)", "Line(10,9)-(10,12),RGB(1,2,3)"}},
        {2, {"Line(10,10)-(11,11),RGB(1,2,3),B"}},
        {3, {"PSet(10,10),RGB(1,2,3)"}},
        {7, {"PSet(10,10),RGB(1,2,3)"}},
    };
    for (const auto& c : cases) {
        platform::RecordingSurface surface(50, 50);
        DrawStarGlyph(surface, 10, 10, platform::Rgb(1, 2, 3), c.sizeClass);
        EXPECT_EQ(surface.Calls(), c.calls) << c.sizeClass;
    }
}

struct LabelFixture : ChartFixture {
    LabelFixture() { settings.viewconstname = true; }
    void AddLabel(const std::string& text, double ra, double dec, std::uint8_t visible = 1) {
        skydata::ConstLabelRecord r;
        const testing::Vec v = testing::VectorOf(ra, dec);
        r.x = static_cast<float>(v.x);
        r.y = static_cast<float>(v.y);
        r.z = static_cast<float>(v.z);
        r.Text = text;
        r.Visible = visible;
        constellations.W.Labels.push_back(r);
    }
};

TEST(LabelLayersTest, NameLabelsCentredAndStrictlyInside) {
    LabelFixture f;
    f.AddLabel("Ori", 100, 30);
    f.AddLabel("Hidden", 100.5, 30, 0);
    platform::RecordingSurface probe(400, 300);
    f.Draw(probe);
    // A label exactly on the right edge: the sky point under pixel (400, 150).
    double lon, lat;
    ScreenToSky(400, 150, 100, 30, lon, lat, false);
    f.AddLabel("Edge", lon, lat);
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    const auto& calls = surface.Calls();
    const auto ori = std::find(calls.begin(), calls.end(), "Print \"Ori\"");
    ASSERT_NE(ori, calls.end());
    // 3 characters of 7: w = 21, w \ 2 = 10; h = 12 \ 2 = 6.
    EXPECT_EQ(*(ori - 2), "CurrentX=" + std::to_string(200 - 10));
    EXPECT_EQ(*(ori - 1), "CurrentY=" + std::to_string(150 - 6));
    EXPECT_TRUE(CallsStartingWith(surface, "Print \"Hidden\"").empty());
    EXPECT_TRUE(CallsStartingWith(surface, "Print \"Edge\"").empty());
}

// End points of the lines of a recording, as sky positions of the chart.
std::vector<SkyPoint> LineEnds(const platform::RecordingSurface& s, double lon0, double lat0, int w, int h) {
    std::vector<SkyPoint> out;
    for (const auto& call : CallsStartingWith(s, "Line(")) {
        int x1, y1, x2, y2;
        if (std::sscanf(call.c_str(), "Line(%d,%d)-(%d,%d)", &x1, &y1, &x2, &y2) != 4) continue;
        for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}}) {
            if (!IsOnScreen(x, y, w, h)) continue;
            SkyPoint p;
            ScreenToSky(x, y, lon0, lat0, p.lon_deg, p.lat_deg, false);
            out.push_back(p);
        }
    }
    return out;
}

TEST(LabelLayersTest, CircleOfPerpetualVisibilityAt37Point5) {
    ChartFixture f;
    f.settings.cpolar = true;
    f.view.lat_deg = 37.5;
    f.view.fov_deg = 4;  // a pixel is 0.007 degrees
    f.view.center_lon_deg = 45;
    f.view.center_lat_deg = 52.5;
    platform::RecordingSurface surface(600, 600);
    f.Draw(surface);
    const auto ends = LineEnds(surface, 45, 52.5, 600, 600);
    ASSERT_GE(ends.size(), 2u);
    for (const SkyPoint& p : ends) EXPECT_NEAR(p.lat_deg, 52.5, 0.01);

    // Below the horizon allowed (the equatorial chart): the circle of
    // declination -52.5 is added.
    f.view.center_lat_deg = -52.5;
    surface.ClearCalls();
    f.Draw(surface);
    const auto south = LineEnds(surface, 45, -52.5, 600, 600);
    ASSERT_GE(south.size(), 2u);
    for (const SkyPoint& p : south) EXPECT_NEAR(p.lat_deg, -52.5, 0.01);
}

TEST(LabelLayersTest, MansionMeridiansRunAlongTheirRightAscension) {
    ChartFixture f;
    f.settings.ipsoodo = true;
    f.view.lat_deg = 37.5;
    f.view.fov_deg = 10;
    f.view.center_lon_deg = f.mansions[0];
    f.view.center_lat_deg = 0;
    platform::RecordingSurface surface(500, 500);
    f.Draw(surface);
    const auto ends = LineEnds(surface, f.mansions[0], 0, 500, 500);
    ASSERT_GT(ends.size(), 4u);
    for (const SkyPoint& p : ends) EXPECT_NEAR(p.lon_deg, f.mansions[0], 0.02);

    // At the pole the span 90 - |latitude| is empty: nothing, and no endless loop.
    f.view.lat_deg = 90;
    surface.ClearCalls();
    f.Draw(surface);
    EXPECT_TRUE(LineEnds(surface, f.mansions[0], 0, 500, 500).empty());
}

TEST(LabelLayersTest, UserDrawnLines) {
    ChartFixture f;
    f.lines.clear();
    f.lines.push_back({99, 29, 101, 31, platform::Rgb(10, 20, 30), "a"});
    f.lines.push_back({});  // the empty element draws nothing
    platform::RecordingSurface surface(400, 300);
    ChartSources sources = f.Sources();
    sources.drawn_lines_shown = true;
    DrawMap(surface, f.view, sources);
    const auto lines = CallsStartingWith(surface, "Line(");
    std::vector<std::string> coloured;
    for (const auto& l : lines)
        if (l.ends_with("RGB(10,20,30)")) coloured.push_back(l);
    EXPECT_EQ(coloured.size(), 1u);
    sources.drawn_lines_shown = false;
    surface.ClearCalls();
    DrawMap(surface, f.view, sources);
    for (const auto& l : CallsStartingWith(surface, "Line(")) EXPECT_FALSE(l.ends_with("RGB(10,20,30)"));
}

}  // namespace
}  // namespace chart
