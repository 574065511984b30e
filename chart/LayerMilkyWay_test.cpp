#include <gtest/gtest.h>

#include <map>

#include "astro/Coordinates.h"
#include "chart/LineAndObjectLayerTestSupport.h"

namespace chart {
namespace {

using namespace testing;

// A J2000 outline point at a horizontal place of the fixture's site and
// sidereal time (precession is off, so the catalogue frame is the equator
// the horizon matrix turns).
skydata::MilkyWayPointRecord HorizontalPoint(const Fixture2& f, double az, double alt, std::uint8_t flag) {
    double ra, dec;
    astro::HorizontalToEquatorial(az, alt, f.view.lst_h, f.view.lat_deg, ra, dec);
    return OutlinePoint(ra, dec, flag);
}

struct HorizontalFixture : Fixture2 {
    HorizontalFixture() {
        view.coord_sys = "a";
        view.center_lon_deg = 180;
        view.center_lat_deg = 10;
        view.fov_deg = 90;
        settings.milkyway = true;
    }
};

TEST(MilkyWayTest, SegmentIsDrawnOnlyWhenOneEndIsInside) {
    Fixture2 f;  // equatorial, centre RA 100 Dec 30, 400 x 300, fov 60
    f.settings.milkyway = true;
    f.styles.LineColorTable[8] = skydata::RgbColor(10, 20, 30);
    // Both ends far left and right of the surface; the segment crosses it.
    f.constellations.MilkyWayPoint = {OutlinePoint(40, 30, 1), OutlinePoint(160, 30, 0), OutlinePoint(100, 30, 0)};
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 1u);  // only the segment that ends at the centre
    EXPECT_EQ(lines[0].x2, 200);
    EXPECT_EQ(lines[0].y2, 150);
    EXPECT_EQ(lines[0].colour, Rgb(10, 20, 30));
}

TEST(MilkyWayTest, PointBelowTheHorizonBreaksTheLine) {
    HorizontalFixture f;
    f.constellations.MilkyWayPoint = {HorizontalPoint(f, 170, 10, 1), HorizontalPoint(f, 175, 10, 0),
                                      HorizontalPoint(f, 180, -5, 0), HorizontalPoint(f, 185, 10, 0),
                                      HorizontalPoint(f, 190, 10, 0)};
    platform::RecordingSurface surface(400, 300);
    f.settings.underhorizon = 0;
    f.Draw2(surface);
    // 170-175 and 185-190; nothing joins 175 to 185 across the gap.
    EXPECT_EQ(Lines(surface).size(), 2u);

    surface.ClearCalls();
    f.settings.underhorizon = 1;
    f.Draw2(surface);
    EXPECT_EQ(Lines(surface).size(), 4u);
}

TEST(MilkyWayTest, PenFlagStartsANewLine) {
    Fixture2 f;
    f.settings.milkyway = true;
    f.constellations.MilkyWayPoint = {OutlinePoint(95, 30, 1), OutlinePoint(100, 30, 0), OutlinePoint(105, 30, 1),
                                      OutlinePoint(105, 35, 0)};
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(Lines(surface).size(), 2u);
}

TEST(BoundariesTest, NewPolygonAndHiddenPoints) {
    Fixture2 f;
    f.settings.viewcboundary = true;
    f.styles.LineColorTable[9] = skydata::RgbColor(1, 2, 3);
    // Short edges (under 1.5 degrees) are one piece each.
    const auto point = [](double ra, double dec, int newPolygon, int visible) {
        skydata::BoundaryPointRecord p;
        p.RA_deg = ra;
        p.Dec_deg = dec;
        p.NewPolygon = newPolygon;
        p.Visible = static_cast<std::uint8_t>(visible);
        return p;
    };
    f.constellations.BoundaryPoint = {
        point(100, 30, 1, 1),  // starts an outline
        point(101, 30, 0, 1),  // joined to the one before
        point(95, 25, 1, 1),   // new outline: never joined to its predecessor
        point(96, 25, 0, 0),   // hidden: hides only the edge that ends here
        point(97, 25, 0, 1),   // joined to the hidden point
    };
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 2u);
    for (const LoggedLine& l : lines) EXPECT_EQ(l.colour, Rgb(1, 2, 3));
}

TEST(BoundariesTest, PositionsArePrecessedFromB1875) {
    Fixture2 f;
    f.settings.viewcboundary = true;
    // A B1875 edge at the place of the chart centre (J2000 RA 100, Dec 30).
    double ra, dec;
    astro::PrecessByMatrix(astro::kJ2000, 2405889.5, 100, 30, ra, dec);
    skydata::BoundaryPointRecord a, b;
    a.RA_deg = ra;
    a.Dec_deg = dec;
    a.NewPolygon = 1;
    b.RA_deg = ra + 1;
    b.Dec_deg = dec;
    f.constellations.BoundaryPoint = {a, b};
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 1u);
    // The end at the precessed centre place is the centre pixel.
    EXPECT_NEAR(lines[0].x1, 200, 1);
    EXPECT_NEAR(lines[0].y1, 150, 1);
}

// Draw width in force at each figure line, by the fore colour it was drawn in.
std::map<std::string, int> WidthByColour(const platform::RecordingSurface& surface) {
    std::map<std::string, int> widths;
    std::string fore;
    int width = 1;
    for (const std::string& call : ChartCalls(surface)) {
        if (call.rfind("ForeColor=", 0) == 0) fore = call.substr(10);
        if (call.rfind("DrawWidth=", 0) == 0) width = std::stoi(call.substr(10));
        if (auto l = ParseLine(call); l && l->colour.empty()) widths[fore] = width;
    }
    return widths;
}

TEST(ConstellationLinesTest, OnlyWesternFiguresAreBold) {
    Fixture2 f;
    f.settings.viewconstline = f.settings.viewconstlinee = f.settings.viewoldmap = true;
    f.styles.LineColorTable[5] = skydata::RgbColor(5, 0, 0);
    f.styles.LineColorTable[6] = skydata::RgbColor(6, 0, 0);
    f.styles.LineColorTable[7] = skydata::RgbColor(7, 0, 0);
    skydata::ConstLineRecord line;
    const Vec a = VectorOf(99, 30), b = VectorOf(101, 31);
    line.x1 = a.x, line.y1 = a.y, line.z1 = a.z, line.x2 = b.x, line.y2 = b.y, line.z2 = b.z;
    f.constellations.W.Lines = {line};
    f.constellations.E.Lines = {line};
    f.constellations.O.Lines = {line};
    for (const bool bold : {true, false}) {
        f.settings.boldline = bold;
        platform::RecordingSurface surface(400, 300);
        f.Draw2(surface);
        const auto widths = WidthByColour(surface);
        ASSERT_EQ(widths.size(), 3u);
        EXPECT_EQ(widths.at(Rgb(5, 0, 0)), bold ? 2 : 1);
        EXPECT_EQ(widths.at(Rgb(6, 0, 0)), 1);
        EXPECT_EQ(widths.at(Rgb(7, 0, 0)), 1);
        // Merge pen while drawing, copy pen and width 1 again afterwards.
        EXPECT_EQ(ChartCallsStartingWith(surface, "DrawMode=15").size(), 3u);
        EXPECT_EQ(surface.DrawWidth(), 1);
        EXPECT_EQ(surface.DrawMode(), platform::PenMode::Copy);
    }
}

TEST(ConstellationLinesTest, HiddenLinesAndLinesWithAnEndBelowTheHorizon) {
    HorizontalFixture f;
    f.settings.milkyway = false;
    f.settings.viewconstline = true;
    const auto lineBetween = [&f](double az1, double alt1, double az2, double alt2, int visible) {
        const skydata::MilkyWayPointRecord a = HorizontalPoint(f, az1, alt1, 0), b = HorizontalPoint(f, az2, alt2, 0);
        skydata::ConstLineRecord line;
        line.x1 = a.x, line.y1 = a.y, line.z1 = a.z, line.x2 = b.x, line.y2 = b.y, line.z2 = b.z;
        line.Visible = static_cast<std::uint8_t>(visible);
        return line;
    };
    f.constellations.W.Lines = {lineBetween(175, 5, 180, -3, 1), lineBetween(175, 5, 180, 8, 1),
                                lineBetween(170, 5, 175, 8, 0)};
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(Lines(surface).size(), 1u);
    surface.ClearCalls();
    f.settings.underhorizon = 1;
    f.Draw2(surface);
    EXPECT_EQ(Lines(surface).size(), 2u);
}

}  // namespace
}  // namespace chart
