#include <gtest/gtest.h>

#include <algorithm>

#include "astro/Coordinates.h"
#include "chart/LineAndObjectLayerTestSupport.h"

namespace chart {
namespace {

using namespace testing;

struct TrackFixture : Fixture2 {
    TrackFixture() {
        settings.ViewPath = true;
        styles.LayerStyle[10].Color = skydata::RgbColor(0, 100, 200);
        styles.LayerStyle[5].Color = skydata::RgbColor(50, 60, 70);
        ResetPathLists();
        skydata::ResetPathModule();
    }
    ~TrackFixture() {
        ResetPathLists();
        skydata::ResetPathModule();
    }
    static PathMark Mark(double ra, double dec, const char* label) {
        PathMark m;
        m.RA = ra;
        m.Dec = dec;
        m.Label = label;
        return m;
    }
};

TEST(TracksTest, EveryMarkIsDrawnEvenASingleOne) {
    TrackFixture f;
    PathLists().PathMarks = {TrackFixture::Mark(100, 30, "화성 2008/5/20")};
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x1, 200);
    EXPECT_EQ(lines[0].y1, 146);
    EXPECT_EQ(lines[0].y2, 154);
    EXPECT_EQ(lines[1].x1, 196);
    EXPECT_EQ(lines[1].x2, 204);
    EXPECT_EQ(lines[0].colour, Rgb(0, 100, 200));
    const std::vector<PrintedAt> labels = PrintPositions(surface);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].x, 204);
    EXPECT_EQ(labels[0].y, 150);
    EXPECT_EQ(labels[0].text, "화성 2008/5/20");

    // Two marks: both.
    PathLists().PathMarks.push_back(TrackFixture::Mark(101, 30, "b"));
    surface.ClearCalls();
    f.Draw2(surface);
    EXPECT_EQ(Printed(surface).size(), 2u);
    EXPECT_TRUE(f.Keys().empty());
}

TEST(TracksTest, CometMarkCarriesItsTailInTheCometColour) {
    TrackFixture f;
    PathMark m = TrackFixture::Mark(100, 30, "");
    m.TailRA = 100;
    m.TailDec = 33;
    m.HasTail = 1;
    PathLists().PathMarks = {m};
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].colour, Rgb(50, 60, 70));
    EXPECT_EQ(lines[2].x1, 200);
    EXPECT_LT(lines[2].y2, 140);
}

TEST(TracksTest, LinesTakeTheirColourAndBreakAtNewLines) {
    TrackFixture f;
    PathLists().PathVectors = {OutlinePoint(98, 30, 1), OutlinePoint(100, 30, 0), OutlinePoint(102, 30, 1),
                               OutlinePoint(104, 30, 0)};
    PathLists().PathVectors[1].ColorIndex = 1;
    PathLists().PathVectors[3].ColorIndex = 0;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].colour, Rgb(0, 100, 200));
    EXPECT_EQ(lines[1].colour, Rgb(255, 255, 0));
    // Merge pen while the tracks are drawn, copy pen afterwards.
    const std::vector<std::string> calls = ChartCalls(surface);
    const auto first = std::find(calls.begin(), calls.end(), "DrawMode=15");
    ASSERT_NE(first, calls.end());
    EXPECT_NE(std::find(first, calls.end(), "DrawMode=13"), calls.end());
}

TEST(TracksTest, EquatorialTracksArePrecessedOnlyOnce) {
    // Precession off in 2025: the track points are J2000, like the catalogue;
    // a track point and a star at the same J2000 place coincide.
    TrackFixture f;
    f.view.jd_local = 2460676.5;  // 2025 January 1
    f.settings.calcprecession = false;
    f.settings.viewstar = true;
    f.settings.vmlimit = 6;
    f.view.fov_deg = 10;
    f.AddBrightStar(6, 100, 30, 1.0f);
    PathLists().PathMarks = {TrackFixture::Mark(100, 30, "m")};
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    ASSERT_EQ(f.Keys().size(), 1u);
    const ScreenObject star = Chart().ScreenObjects[0];
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_FALSE(lines.empty());
    const LoggedLine& vertical = lines[lines.size() - 2];
    EXPECT_EQ(vertical.x1, star.X);
    EXPECT_EQ(vertical.y1, star.Y - 4);
}

TEST(TracksTest, HorizontalTracksAndRecomputingWithTheChart) {
    TrackFixture f;
    f.view.coord_sys = "a";
    f.view.center_lon_deg = 180;
    f.view.center_lat_deg = 30;
    f.pathSettings.Reference = 1;
    f.pathSettings.SyncWithChart = true;
    int computed = 0, projected = 0;
    skydata::PathModule().Hooks.ComputePaths = [&](const skydata::PathSettings&) { ++computed; };
    skydata::PathModule().Hooks.ProjectPaths = [&](const skydata::PathSettings&) {
        ++projected;
        PathLists().PathMarks = {TrackFixture::Mark(180, 30, "az 180 alt 30")};
    };
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    EXPECT_EQ(computed, 1);
    EXPECT_EQ(projected, 1);
    const std::vector<PrintedAt> labels = PrintPositions(surface);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].x, 204);  // the mark sits at the centre
    EXPECT_EQ(labels[0].y, 150);

    f.pathSettings.SyncWithChart = false;
    f.Draw2(surface);
    EXPECT_EQ(computed, 1);
}

}  // namespace
}  // namespace chart
