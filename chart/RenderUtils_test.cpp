#include "chart/RenderUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "chart/ChartTestSupport.h"

namespace chart {
namespace {

TEST(RenderUtilsTest, GridStepTable) {
    const double cases[][2] = {{190, 30}, {90, 30}, {89.9, 15}, {45, 15}, {44.9, 10}, {30, 10}, {29.9, 5},
                               {15, 5},   {14.9, 3}, {5, 3},    {4.9, 2},  {3, 2},    {2.99, 1}, {2, 1},
                               {1.99, 0.5}, {1, 0.5}};
    for (const auto& c : cases) EXPECT_EQ(GridStep(c[0]), c[1]) << c[0];
}

TEST(RenderUtilsTest, FloorToStep) {
    EXPECT_EQ(FloorToStep(-7, 5), -10);
    EXPECT_EQ(FloorToStep(7, 5), 5);
    EXPECT_EQ(FloorToStep(7, 0), 7);
    EXPECT_EQ(FloorToStep(-10, 5), -10);
    EXPECT_EQ(FloorToStep(0.7, 0.5), 0.5);
}

TEST(RenderUtilsTest, ScreenTestsExcludeTheBorder) {
    EXPECT_FALSE(IsOnScreen(0, 10, 100, 50));
    EXPECT_FALSE(IsOnScreen(100, 10, 100, 50));
    EXPECT_FALSE(IsOnScreen(10, 0, 100, 50));
    EXPECT_FALSE(IsOnScreen(10, 50, 100, 50));
    EXPECT_TRUE(IsOnScreen(1, 1, 100, 50));
    EXPECT_TRUE(IsOnScreen(99, 49, 100, 50));
    EXPECT_TRUE(EitherOnScreen(-5, -5, 10, 10, 100, 50));
    EXPECT_FALSE(EitherOnScreen(-5, -5, 200, 10, 100, 50));
}

TEST(RenderUtilsTest, RotatePointTurnsAboutTheCentre) {
    double x, y;
    RotatePoint(90, 110, 50, 100, 50, x, y);
    EXPECT_NEAR(x, 100, 1e-9);
    EXPECT_NEAR(y, 40, 1e-9);  // screen up
    RotatePoint(0, 3, 4, 1, 1, x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
}

TEST(RenderUtilsTest, BlendColourChannelsAndLimits) {
    const platform::Colour a = platform::Rgb(0, 100, 200), b = platform::Rgb(200, 100, 0);
    EXPECT_EQ(BlendColour(a, b, 10, 0, 0), a);
    EXPECT_EQ(BlendColour(a, b, 10, 0, 10), b);
    EXPECT_EQ(BlendColour(a, b, 10, 0, 5), platform::Rgb(100, 100, 100));
    // f beyond 1 is not limited, the channels are.
    EXPECT_EQ(BlendColour(a, b, 10, 0, 20), platform::Rgb(255, 100, 0));
}

TEST(RenderUtilsTest, SkyColourByTheSunAndTheMoon) {
    const std::array<std::int32_t, 6> t = {platform::Rgb(0, 0, 10),   platform::Rgb(0, 0, 40),
                                           platform::Rgb(0, 0, 80),   platform::Rgb(20, 40, 120),
                                           platform::Rgb(80, 90, 160), platform::Rgb(100, 150, 255)};
    const auto T = [&](int i) { return static_cast<platform::Colour>(t[i]); };
    EXPECT_EQ(SkyColour(-18, -90, false, 0, t), T(0));
    EXPECT_EQ(SkyColour(-30, -90, false, 0, t), T(0));
    EXPECT_EQ(SkyColour(2, -90, false, 0, t), T(5));  // the blend at its T5 end
    EXPECT_EQ(SkyColour(2.1, -90, false, 0, t), T(5));
    EXPECT_EQ(SkyColour(-15, -90, false, 0, t), T(1));
    EXPECT_EQ(SkyColour(-12, -90, false, 0, t), T(2));
    EXPECT_EQ(SkyColour(-6, -90, false, 0, t), T(3));
    // A full Moon high in a dark sky lightens it; below the horizon or
    // without moonlight it does not.
    const platform::Colour moonlit = SkyColour(-30, 40, true, -12.7f, t);
    EXPECT_EQ(moonlit, T(2));  // magnitude beyond -10 counts as -10: the T2 end
    EXPECT_EQ(SkyColour(-30, -1, true, -12.7f, t), T(0));
    EXPECT_EQ(SkyColour(-30, 40, false, -12.7f, t), T(0));
    EXPECT_EQ(SkyColour(-30, 40, true, -5, t), T(0));  // too faint: black loses to T0
}

TEST(RenderUtilsTest, StarColourByMagnitude) {
    // Beyond 3.5 a grey 255 / (0.02 m^3 + 1): 73 at magnitude 5.
    EXPECT_EQ(MixStarColour(platform::Rgb(255, 0, 0), 5, 6.5), platform::Rgb(73, 73, 73));
    // Up to 3.5 the colour dimmed by (e - m) / e, e = |L| + 1.
    EXPECT_EQ(MixStarColour(platform::Rgb(200, 100, 50), 0, 6.5), platform::Rgb(200, 100, 50));
    EXPECT_EQ(MixStarColour(platform::Rgb(200, 100, 50), 3.75f / 1.5f, 6.5), platform::Rgb(133, 67, 33));
    EXPECT_EQ(MixStarColour(platform::Rgb(200, 100, 50), -2, 6.5), platform::Rgb(200, 100, 50));  // f at most 1
    // The grey of the disc style: white up to magnitude 0.
    const struct {
        float mag;
        int grey;
    } greys[] = {{-1.5f, 255}, {0, 255}, {1, 250}, {5, 73}, {11, 9}};
    for (const auto& g : greys) EXPECT_EQ(StarGrey(g.mag), platform::Rgb(g.grey, g.grey, g.grey)) << g.mag;
}

TEST(RenderUtilsTest, AutomaticLimitingMagnitude) {
    // Dark sky, wide field: the naked-eye 6.5.
    EXPECT_FLOAT_EQ(AutoLimitMag(-30, -30, false, -12, 60, true), 6.5f);
    // Daylight: -3 with the live sky, never below 3 without it.
    EXPECT_FLOAT_EQ(AutoLimitMag(60, -30, false, -12, 60, true), -3.0f);
    EXPECT_FLOAT_EQ(AutoLimitMag(60, -30, false, -12, 60, false), 3.0f);
    // A 1-degree field reaches 11 in a dark sky (L0 = 15.134 / 1.37582 = 11.0).
    EXPECT_FLOAT_EQ(AutoLimitMag(-30, -30, false, -12, 1, true), 11.0f);
    // Full Moon high up: the limit of the moonlit sky, 4.3..6.5.
    const float moonlit = AutoLimitMag(-30, 50, true, -12.5f, 60, true);
    EXPECT_GE(moonlit, 4.3f);
    EXPECT_LT(moonlit, 6.5f);
    // The field of the last drawing is used when none is given.
    ResetChart();
    Chart().LastDrawFOV = 60;
    skydata::CurrentSettings().liveskycolor = true;
    EXPECT_FLOAT_EQ(AutoLimitMag(-30, -30, false, -12), 6.5f);
    skydata::ResetSettingsModule();
}

TEST(RenderUtilsTest, PlanetNamesByStyle) {
    astro::PlanetTableT table{};
    astro::InitPlanetTable(table);
    std::array<std::string, 10> names;
    FillPlanetNames(2, 30, 10, names, table);
    EXPECT_EQ(names[2], "개밥바라기");  // Venus east of the Sun: evening star
    EXPECT_EQ(names[0], "해");
    EXPECT_EQ(names[8], "달");
    FillPlanetNames(2, 350, 10, names, table);
    EXPECT_EQ(names[2], "샛별");  // west of the Sun across 0
    FillPlanetNames(4, 10, 350, names, table);
    EXPECT_EQ(names[2], "太白星");
    FillPlanetNames(1, 10, 350, names, table);
    EXPECT_EQ(names[3], table[3].Name);
    FillPlanetNames(0, 10, 350, names, table);
    for (const auto& n : names) EXPECT_EQ(n, "");
    names.fill("x");
    FillPlanetNames(9, 10, 350, names, table);
    EXPECT_EQ(names[0], "x");
    EXPECT_EQ(names[6], "천왕성");
}

TEST(RenderUtilsTest, LongLineTakesTheShortWayThroughZero) {
    const Projector p = [] {
        ProjectionView v;
        v.coord_sys = std::string(1, 'e');
        v.center_lon_deg = 0;
        v.center_lat_deg = 0;
        v.fov_deg = 60;
        return MakeProjector(400, 400, v);
    }();
    const astro::Matrix3 identity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    for (const auto& ends : {std::array<double, 2>{350, 10}, std::array<double, 2>{10, 350}}) {
        platform::RecordingSurface surface(400, 400);
        DrawLongLine(surface, p, ends[0], 0, ends[1], 0, platform::Rgb(1, 2, 3), identity, true, 400, 400);
        const auto lines = testing::CallsStartingWith(surface, "Line(");
        ASSERT_EQ(lines.size(), 7u);  // 20 degrees in pieces of round(20/3) = 7
        // Every piece lies on the equator within 10 degrees of RA 0: near the
        // middle row, within the middle of the chart.
        for (const auto& line : lines) {
            int x1, y1, x2, y2;
            ASSERT_EQ(std::sscanf(line.c_str(), "Line(%d,%d)-(%d,%d)", &x1, &y1, &x2, &y2), 4) << line;
            EXPECT_EQ(y1, 200);
            EXPECT_EQ(y2, 200);
            EXPECT_LT(std::abs(x1 - 200), 70);
            EXPECT_LT(std::abs(x2 - 200), 70);
        }
    }
}

// The sky window only skips paths that would put no piece on the screen:
// paths in every direction, short and long, across 0 and near the poles,
// drawn with and without it over views of every size, both systems (the
// horizontal one refracted), a rotated frame and a rectangular screen, give
// the same lines; and no direction it passes over is placed on the surface.
TEST(RenderUtilsTest, SkyWindowSkipsOnlyPathsOffTheScreen) {
    std::vector<std::array<double, 4>> paths;
    for (double lon = 0; lon < 360; lon += 7.5) {
        for (double lat = -90; lat <= 90; lat += 6) {
            paths.push_back({lon, lat, lon + 4, std::min(90.0, lat + 2)});
            paths.push_back({lon, lat, std::fmod(lon + 170, 360), std::max(-90.0, lat - 25)});
            paths.push_back({lon, lat, lon, std::min(90.0, lat + 6)});
        }
    }
    paths.push_back({359, 10, 1, 12});
    paths.push_back({0.5, -3, 358, -2});
    astro::Matrix3 turned;
    astro::MakeHorizonMatrix(37.5, 123.4, turned);
    const astro::Matrix3 identity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    struct View {
        const char* system;
        double lon, lat, fov, rotation;
    };
    const View views[] = {{"e", 83.8, -3, 1, 0},   {"e", 0.2, 0, 2, 0},     {"e", 200, 88.9, 3, 30},
                          {"a", 180, 45, 60, 0},   {"a", 10, 0.3, 20, 0},   {"a", 350, -1, 5, 10},
                          {"e", 100, -60, 30, 0},  {"e", 45, 10, 120, 0},   {"a", 0, 90, 190, 0},
                          {"e", 300, -89.5, 10, 0}, {"a", 90, -5, 1, 0}};
    int drawn = 0, passed_over = 0;
    for (const View& v : views) {
        ProjectionView pv;
        pv.coord_sys = v.system;
        pv.center_lon_deg = v.lon;
        pv.center_lat_deg = v.lat;
        pv.fov_deg = v.fov;
        pv.rotation_deg = v.rotation;
        for (const auto& size : {std::array<int, 2>{1280, 800}, std::array<int, 2>{300, 900}}) {
            const Projector p = MakeProjector(size[0], size[1], pv);
            for (const astro::Matrix3* frame : {&identity, static_cast<const astro::Matrix3*>(&turned)}) {
                const SkyWindow window(p, *frame, size[0], size[1]);
                platform::RecordingSurface all(size[0], size[1]), skipped(size[0], size[1]);
                for (const auto& path : paths) {
                    DrawLongLine(all, p, path[0], path[1], path[2], path[3], platform::Rgb(1, 2, 3), *frame, true,
                                 size[0], size[1]);
                    DrawLongLine(skipped, p, window, path[0], path[1], path[2], path[3], platform::Rgb(1, 2, 3),
                                 *frame, true, size[0], size[1]);
                }
                EXPECT_EQ(skipped.Calls(), all.Calls()) << v.system << " " << v.lon << " " << v.lat << " " << v.fov;
                drawn += static_cast<int>(all.Calls().size());
                // Directions: none passed over lands on the surface.
                for (double lon = 0; lon < 360; lon += 0.5) {
                    for (double lat = -90; lat <= 90; lat += 0.5) {
                        double x, y, z;
                        astro::SphericalToCartesian(lon, lat, x, y, z);
                        if (window.MayShow(x, y, z)) continue;
                        ++passed_over;
                        Pixel pixel;
                        if (p.Place(x, y, z, *frame, true, pixel)) {
                            EXPECT_FALSE(p.OnSurface(pixel)) << lon << " " << lat << " " << v.lon << " " << v.lat;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(drawn, 1000);  // the views do see lines
    EXPECT_GT(passed_over, 1000000);
}

TEST(RenderUtilsTest, GridRangeOfAView) {
    testing::ChartFixture f;
    f.view.center_lon_deg = 100;
    f.view.center_lat_deg = 30;
    f.view.fov_deg = 20;
    platform::RecordingSurface surface(300, 300);
    f.Draw(surface);
    const ChartState& s = Chart();
    const GridRange raw = GridLimits(s.Projection, 300, 300, s.BorderPoints, 100, s.Frames.EquatorToChart);
    EXPECT_NEAR(raw.latMin, 20, 0.5);
    EXPECT_GT(raw.latMax, 40);
    EXPECT_LT(raw.lonMin, 90);
    EXPECT_GT(raw.lonMax, 110);
    const GridRange snapped = VisibleRange(s.Projection, s.BorderPoints, 5, 100, s.Frames.EquatorToChart);
    EXPECT_EQ(snapped.latMin, FloorToStep(raw.latMin, 5));
    EXPECT_DOUBLE_EQ(snapped.latMax, FloorToStep(raw.latMax + 5, 5) + 0.01);
    // A pole on the screen opens the longitudes fully and the latitude range
    // stops one step short of it.
    f.view.center_lat_deg = 85;
    f.Draw(surface);
    EXPECT_TRUE(PoleOnScreen(s.Projection, 300, 300, 1, s.Frames.EquatorToChart));
    EXPECT_FALSE(PoleOnScreen(s.Projection, 300, 300, 2, s.Frames.EquatorToChart));
    const GridRange polar = VisibleRange(s.Projection, s.BorderPoints, 5, 100, s.Frames.EquatorToChart);
    EXPECT_EQ(polar.lonMin, 0);
    EXPECT_DOUBLE_EQ(polar.lonMax, 365.01);
    EXPECT_DOUBLE_EQ(polar.latMax, 85.01);
}

}  // namespace
}  // namespace chart
