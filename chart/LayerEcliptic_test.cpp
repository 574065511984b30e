#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "chart/LineAndObjectLayerTestSupport.h"

namespace chart {
namespace {

using namespace testing;

TEST(EclipticTest, FollowsTheObliquityOfTheChartTime) {
    // Centred on the summer solstice point: the ecliptic runs through the
    // centre at declination +obliquity, also with precession off.
    Fixture2 f;
    f.settings.viewecl = true;
    f.styles.LineColorTable[3] = skydata::RgbColor(3, 3, 3);
    f.view.center_lon_deg = 90;
    f.view.center_lat_deg = 23.4392911;
    f.view.fov_deg = 20;
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    bool throughCentre = false;
    for (const LoggedLine& l : Lines(surface)) {
        if (!l.colour.empty()) continue;  // pole marks
        throughCentre = throughCentre || (std::fabs(l.x1 - 200) <= 1 && std::fabs(l.y1 - 150) <= 1);
    }
    EXPECT_TRUE(throughCentre);
}

TEST(EclipticTest, StopsAtTheHorizonAndResumesJustBelowIt) {
    Fixture2 f;
    f.view.coord_sys = "a";
    f.view.fov_deg = 190;
    f.view.center_lon_deg = 180;
    f.view.center_lat_deg = 90;
    f.settings.viewecl = true;
    f.settings.underhorizon = 0;
    platform::RecordingSurface surface(400, 400);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_FALSE(lines.empty());
    // Ends of segments above the horizon; starts at most 10 units (0.57
    // degree) below it. Pixels are whole, about 0.5 degree here.
    for (const LoggedLine& l : lines) {
        if (!l.colour.empty()) continue;
        EXPECT_GT(SkyAt(l.x1, l.y1).lat_deg, -0.57 - 1.0);
        EXPECT_GT(SkyAt(l.x2, l.y2).lat_deg, -1.0);
    }
    f.settings.underhorizon = 1;
    surface.ClearCalls();
    f.Draw2(surface);
    EXPECT_GT(Lines(surface).size(), lines.size());
}

TEST(GalacticEquatorTest, PassesThroughTheGalacticCentre) {
    Fixture2 f;
    f.settings.viewgalequ = true;
    double ra, dec;
    astro::GalacticToEquatorial(0, 0, ra, dec);  // about RA 266.4, Dec -28.9
    EXPECT_NEAR(ra, 266.405, 0.01);
    EXPECT_NEAR(dec, -28.936, 0.01);
    f.view.center_lon_deg = ra;
    f.view.center_lat_deg = dec;
    f.view.fov_deg = 20;
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    bool throughCentre = false;
    for (const LoggedLine& l : Lines(surface))
        if (l.colour.empty()) throughCentre = throughCentre || (std::fabs(l.x1 - 200) <= 1 && std::fabs(l.y1 - 150) <= 1);
    EXPECT_TRUE(throughCentre);
}

TEST(PoleMarksTest, ArmsAreATenthOfTheGridSpacing) {
    Fixture2 f;
    f.view.center_lon_deg = 0;
    f.view.center_lat_deg = 90;
    f.view.fov_deg = 30;  // grid of 10 degrees: arms of 1 degree
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    DrawContext context = f.Context();
    surface.ClearCalls();
    DrawPoleMarks(surface, context, Chart().Frames.EquatorToChart, PoleKind::Frame, platform::Rgb(1, 2, 3), true);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 4u);  // the south pole is at the antipode: off the chart
    const double arm = 2000 * astro::TanD(0.5) / Chart().Projection.MapScale;
    for (const LoggedLine& l : lines) {
        EXPECT_EQ(l.x2, 200);
        EXPECT_EQ(l.y2, 150);
        EXPECT_NEAR(std::hypot(l.x1 - 200, l.y1 - 150), arm, 1.0);
        EXPECT_EQ(l.colour, Rgb(1, 2, 3));
    }
}

TEST(PoleMarksTest, NadirMarkOnlyBelowTheHorizon) {
    Fixture2 f;
    f.view.coord_sys = "a";
    f.view.center_lon_deg = 0;
    f.view.center_lat_deg = -60;
    f.view.fov_deg = 120;
    platform::RecordingSurface surface(400, 300);
    for (const bool below : {false, true}) {
        f.Draw2(surface);
        DrawContext context = f.Context();
        surface.ClearCalls();
        DrawPoleMarks(surface, context, Chart().Frames.HorizonToChart, PoleKind::Frame, platform::Rgb(1, 2, 3), below);
        EXPECT_EQ(Lines(surface).size(), below ? 4u : 0u) << below;
    }
}

TEST(PoleMarksTest, EclipticAndGalacticPolesWhereTheyBelong) {
    struct Case {
        PoleKind kind;
        double ra, dec;  // north pole of the frame, J2000 / of date at J2000
    } cases[] = {
        {PoleKind::Ecliptic, 270, 90 - 23.4392911},
        {PoleKind::Galactic, 192.85948, 27.12825},  // IAU 1958 pole, J2000
    };
    for (const Case& c : cases) {
        Fixture2 f;
        f.view.center_lon_deg = c.ra;
        f.view.center_lat_deg = c.dec;
        f.view.fov_deg = 30;
        platform::RecordingSurface surface(401, 301);
        f.Draw2(surface);
        DrawContext context = f.Context();
        surface.ClearCalls();
        DrawPoleMarks(surface, context, Chart().Frames.EquatorToChart, c.kind, platform::Rgb(1, 2, 3), true);
        const std::vector<LoggedLine> lines = Lines(surface);
        ASSERT_EQ(lines.size(), 4u);
        for (const LoggedLine& l : lines) {
            EXPECT_NEAR(l.x2, 200, 1);
            EXPECT_NEAR(l.y2, 150, 1);
        }
    }
}

}  // namespace
}  // namespace chart
