// Printed tracks on a recording page: marks, labels, tails, the horizon and
// the recomputation through the track module's hooks.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/Coordinates.h"
#include "chart/PathLists.h"
#include "chart/PrintTestSupport.h"
#include "skydata/PathBodies.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::IndexOf;
using testing::NumbersOf;
using testing::PrintFixture;
using testing::WherePrinted;

PagePoint PageOf(const PrintContext& c, double ra, double dec, const astro::Matrix3& m) {
    double x, y, z;
    astro::SphericalToCartesian(ra, dec, x, y, z);
    ToPrintChart(c, x, y, z, m);
    return ToPage(c.page, x, y, z);
}

PathVector VectorAt(double lon, double lat, bool newLine) {
    PathVector v;
    astro::SphericalToCartesian(lon, lat, v.x, v.y, v.z);
    v.Flag = newLine ? 1 : 0;
    v.ColorIndex = 1;
    return v;
}

struct TrackFixture : PrintFixture {
    PrintContext Ready() {
        EXPECT_FALSE(Print());
        page.ClearCalls();
        return Context();
    }
};

TEST(PrintTracksTest, EveryMarkWithItsLabelAndTail) {
    TrackFixture f;
    f.styles.LayerStyle[10].Color = skydata::RgbColor(0, 0, 200);
    f.styles.LayerStyle[5].Color = skydata::RgbColor(200, 0, 0);
    const PrintContext c = f.Ready();
    PathListState lists;
    lists.PathMarks = {PathMark{100, 30, "a", 0, 0, 0}, PathMark{102, 30, "b", 0, 0, 0},
                       PathMark{104, 30, "c", 150, 30, 1}};
    skydata::PathSettings settings;
    PrintPaths(f.page, c, settings, lists, true);
    const auto lines = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(lines.size(), 7u);  // three plus signs and one tail
    for (const char* label : {"a", "b", "c"}) {
        const auto at = WherePrinted(f.page, label);
        ASSERT_TRUE(at.found) << label;
        const long printed = IndexOf(f.page, std::string("Print \"") + label + "\"");
        const auto upright = NumbersOf(f.page.Calls()[static_cast<std::size_t>(printed) - 4]);
        const auto across = NumbersOf(f.page.Calls()[static_cast<std::size_t>(printed) - 3]);
        EXPECT_NEAR(upright[3] - upright[1], 4, 1e-4);
        EXPECT_NEAR(across[2] - across[0], 4, 1e-4);
        EXPECT_NEAR(at.x, upright[0] + 2, 1e-4) << label;
        EXPECT_NEAR(at.y, across[1], 1e-4) << label;
        EXPECT_NE(f.page.Calls()[static_cast<std::size_t>(printed) - 4].find("RGB(0,0,200)"), std::string::npos);
    }
    // The tail runs to its end off the page, in the comets' colour.
    const PagePoint tailEnd = PageOf(c, 150, 30, c.frames.EquatorToChart);
    const auto tail = NumbersOf(lines.back());
    EXPECT_NEAR(tail[2], tailEnd.X, 1e-3);
    EXPECT_NEAR(tail[3], tailEnd.Y, 1e-3);
    EXPECT_NE(lines.back().find("RGB(200,0,0)"), std::string::npos);
    EXPECT_GE(IndexOf(f.page, "ForeColor=RGB(0,0,200)"), 0);
}

TEST(PrintTracksTest, SyncWithChartRecomputesOncePerPage) {
    for (const bool sync : {true, false}) {
        TrackFixture f;
        f.settings.ViewPath = true;
        skydata::PathSettings settings;
        settings.SyncWithChart = sync;
        int computed = 0, projected = 0;
        skydata::PathHooks saved = skydata::PathModule().Hooks;
        skydata::PathModule().Hooks.ComputePaths = [&](const skydata::PathSettings&) { ++computed; };
        skydata::PathModule().Hooks.ProjectPaths = [&](const skydata::PathSettings&) { ++projected; };
        ChartSources s = f.Sources();
        s.path_settings = &settings;
        EXPECT_FALSE(PrintChartPage(f.page, f.print, s));
        skydata::PathModule().Hooks = saved;
        EXPECT_EQ(computed, sync ? 1 : 0);
        EXPECT_EQ(projected, sync ? 1 : 0);
    }
}

TEST(PrintTracksTest, BelowTheHorizonTheMarkGoesAndTheLineBreaks) {
    TrackFixture f;
    f.print.coord_sys = std::string(1, 'a');
    f.print.center_lon_deg = 180;
    f.print.center_lat_deg = 10;
    f.settings.underhorizon = 0;
    const PrintContext c = f.Ready();
    ASSERT_FALSE(c.below);
    PathListState lists;
    lists.PathVectors = {VectorAt(170, 10, true), VectorAt(175, 10, false), VectorAt(180, -5, false),
                         VectorAt(185, 10, false)};
    lists.PathMarks = {PathMark{170, 10, "up", 0, 0, 0}, PathMark{180, -5, "down", 185, 20, 1}};
    skydata::PathSettings settings;
    settings.Reference = 1;
    PrintPaths(f.page, c, settings, lists, c.below);
    EXPECT_TRUE(WherePrinted(f.page, "up").found);
    EXPECT_FALSE(WherePrinted(f.page, "down").found);
    const auto lines = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(lines.size(), 3u);  // the segment 170-175 and the plus sign of "up"
    const PagePoint a = PageOf(c, 170, 10, c.frames.HorizonToChart);
    const PagePoint b = PageOf(c, 175, 10, c.frames.HorizonToChart);
    const auto first = NumbersOf(lines[0]);
    EXPECT_NEAR(first[0], a.X, 1e-3);
    EXPECT_NEAR(first[2], b.X, 1e-3);
    const auto upright = NumbersOf(lines[1]);
    EXPECT_NEAR(upright[0], a.X, 1e-3);
    EXPECT_NEAR(upright[1] + 2, a.Y, 1e-3);
}

}  // namespace
}  // namespace chart
