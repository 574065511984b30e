#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/AngleMath.h"
#include "astro/TextFormat.h"
#include "chart/LineAndObjectLayerTestSupport.h"
#include "skydata/TraditionalText.h"

namespace chart {
namespace {

using namespace testing;

// Directions (degrees, rounded) of the straight segments through the centre
// of a chart centred on a pole: the meridians.
std::vector<int> MeridianDirections(const platform::RecordingSurface& surface, double cx, double cy) {
    std::vector<int> directions;
    for (const LoggedLine& l : Lines(surface)) {
        const double r1 = std::hypot(l.x1 - cx, l.y1 - cy), r2 = std::hypot(l.x2 - cx, l.y2 - cy);
        const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
        if (length < 3 || std::fabs(r1 - r2) < 0.8 * length) continue;  // a parallel
        const int d = static_cast<int>(std::lround(astro::Norm360(astro::Atan2D(l.y2 - cy, l.x2 - cx))));
        const bool known = std::any_of(directions.begin(), directions.end(), [d](int e) {
            const int diff = std::abs(d - e) % 360;
            return std::min(diff, 360 - diff) <= 2;
        });
        if (!known) directions.push_back(d);
    }
    std::sort(directions.begin(), directions.end());
    return directions;
}

TEST(GridTest, MeridiansThinNearThePoleOnlyInANarrowField) {
    Fixture2 f;
    f.view.center_lon_deg = 0;
    f.view.center_lat_deg = 90;
    const astro::Matrix3 identity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    struct Case {
        double fov;
        std::size_t meridians;
    } cases[] = {{20, 9}, {29, 9}, {30, 72}};
    for (const Case& c : cases) {
        f.view.fov_deg = c.fov;
        platform::RecordingSurface surface(400, 400);
        f.Draw2(surface);
        surface.ClearCalls();
        DrawContext context = f.Context();
        // Lowest latitude 80: every 8th meridian of a 5-degree grid.
        DrawGrid(surface, context, 5, 0, 360.01, 80, 85.01, identity, platform::Rgb(1, 1, 1), true, false);
        EXPECT_EQ(MeridianDirections(surface, 200, 200).size(), c.meridians) << c.fov;
    }
}

TEST(GridTest, FirstLabelPointIsNeverLabelled) {
    Fixture2 f;  // equatorial, centre RA 100 Dec 30
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const astro::Matrix3& frame = Chart().Frames.EquatorToChart;
    DrawContext context = f.Context();
    surface.ClearCalls();
    DrawGrid(surface, context, 5, 100, 100.01, 30, 30.01, frame, platform::Rgb(1, 1, 1), true, false);
    EXPECT_TRUE(Printed(surface).empty());

    // One more point in the column: the second point is labelled, with the
    // right ascension (odd column) at its pixel.
    surface.ClearCalls();
    DrawGrid(surface, context, 5, 100, 100.01, 30, 32.51, frame, platform::Rgb(1, 1, 1), true, false);
    const std::vector<PrintedAt> labels = PrintPositions(surface);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, astro::FormatHmsLatin(100));
    double x, y, z;
    astro::SphericalToCartesian(100, 32.5, x, y, z);
    const Pixel p = Chart().Projection.ToPixel(x, y, z);
    EXPECT_EQ(labels[0].x, p.X);
    EXPECT_EQ(labels[0].y, p.Y);
}

TEST(GridTest, LabelsAlternateBetweenColumnsAndOldEquatorialLabels) {
    Fixture2 f;
    f.view.fov_deg = 30;
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const astro::Matrix3& frame = Chart().Frames.EquatorToChart;
    DrawContext context = f.Context();
    // Two columns (RA 100 and 105) of three points: counters 1 2 3 | 4 5 6.
    surface.ClearCalls();
    DrawGrid(surface, context, 10, 100, 105.01, 30, 40.01, frame, platform::Rgb(1, 1, 1), true, false);
    EXPECT_EQ(Printed(surface),
              (std::vector<std::string>{astro::FormatHmsLatin(100), astro::FormatDmsSymbol(30),
                                        astro::FormatDmsSymbol(40)}));

    f.settings.oldequ = 1;
    surface.ClearCalls();
    DrawGrid(surface, context, 10, 100, 105.01, 30, 40.01, frame, platform::Rgb(1, 1, 1), true, false);
    EXPECT_EQ(Printed(surface),
              (std::vector<std::string>{skydata::BranchPalaceLabel(100), astro::FormatDmsSymbol(60),
                                        astro::FormatDmsSymbol(50)}));
}

TEST(GridTest, HorizontalGridStopsAtTheHorizon) {
    Fixture2 f;
    f.view.coord_sys = "a";
    f.view.center_lon_deg = 180;
    f.view.center_lat_deg = 0;
    f.view.fov_deg = 60;
    f.settings.viewalt = true;
    for (const int under : {0, 1}) {
        f.settings.underhorizon = static_cast<std::int16_t>(under);
        platform::RecordingSurface surface(400, 300);
        f.Draw2(surface);
        // The horizon is the row through the centre.
        const double cy = Chart().Projection.PixCenterY;
        bool below = false;
        for (const LoggedLine& l : Lines(surface)) below = below || l.y1 > cy + 1 || l.y2 > cy + 1;
        const std::vector<PrintedAt> labels = PrintPositions(surface);
        ASSERT_FALSE(labels.empty());
        const bool onHorizon = std::any_of(labels.begin(), labels.end(), [cy](const PrintedAt& p) { return p.y == cy; });
        EXPECT_EQ(below, under == 1);
        EXPECT_EQ(onHorizon, under == 1);
    }
}

TEST(GridTest, EquatorialGridInTheHorizontalViewFollowsTheSky) {
    // In the horizontal view the equatorial grid passes through the celestial
    // pole mark at the pole's place.
    Fixture2 f;
    f.view.coord_sys = "a";
    f.view.center_lon_deg = 0;              // north
    f.view.center_lat_deg = f.view.lat_deg; // the celestial pole
    f.view.fov_deg = 40;
    f.settings.viewequ = true;
    f.settings.underhorizon = 1;
    f.styles.LineColorTable[2] = skydata::RgbColor(0, 0, 200);
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    // Pole marks: four arms ending at the centre pixel.
    int arms = 0;
    for (const LoggedLine& l : Lines(surface))
        if (l.colour == Rgb(0, 0, 200) && std::fabs(l.x2 - 200) <= 1 && std::fabs(l.y2 - 150) <= 1) ++arms;
    EXPECT_EQ(arms, 4);
    EXPECT_FALSE(MeridianDirections(surface, 200, 150).empty());
}

}  // namespace
}  // namespace chart
