// Printed Sun, Moon, planets, Earth's shadow, comets and asteroids on a
// recording page, and the frame the bodies and tracks are printed in against
// the screen's projection of the same moment.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "astro/Topocentric.h"
#include "chart/PathLists.h"
#include "chart/PrintTestSupport.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::IndexOf;
using testing::NumbersOf;
using testing::PrintFixture;
using testing::WherePrinted;

constexpr double kMoonAt60EarthRadii_au = 0.00255811;

// Every entry of the planet table parked behind the viewer of the default
// equatorial page (centre RA 100, Dec 30).
void ParkPlanets() {
    auto& table = astro::Planets().PlanetTable;
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        astro::PlanetRecord& p = table[i];
        p.Name = std::string(1, 'P').append(std::to_string(i));
        p.RA = p.TopoRA = 280;
        p.Dec = p.TopoDec = -31;
        p.Delta = 1;
        p.Diameter = 0;
        p.Mag = 0;
    }
}

void PlaceEntry(int i, double ra, double dec) {
    astro::PlanetRecord& p = astro::Planets().PlanetTable[i];
    p.RA = p.TopoRA = ra;
    p.Dec = p.TopoDec = dec;
}

// A page with only the set-up run, and the planet table parked.
struct BodyFixture : PrintFixture {
    PrintContext Ready() {
        EXPECT_FALSE(Print());
        page.ClearCalls();
        ParkPlanets();
        return Context();
    }
};

PagePoint PageOf(const PrintContext& c, double ra, double dec, const astro::Matrix3& m) {
    double x, y, z;
    astro::SphericalToCartesian(ra, dec, x, y, z);
    ToPrintChart(c, x, y, z, m);
    return ToPage(c.page, x, y, z);
}

// ---- Earth's shadow ----------------------------------------------------------

TEST(PrintShadow, UmbraAndPenumbraAtSixtyEarthRadii) {
    BodyFixture f;
    f.settings.psystem = true;
    const PrintContext c = f.Ready();
    PlaceEntry(astro::kPlanetSun, 280, -30);  // antisolar point at the page centre
    astro::Planets().PlanetTable[astro::kPlanetMoon].Delta = kMoonAt60EarthRadii_au;
    PrintMoonShadow(f.page, c, c.frames.DateToChart, true);
    const auto& calls = f.page.Calls();
    const long penumbraStyle = IndexOf(f.page, "FillStyle=5");
    const long umbraStyle = IndexOf(f.page, "FillStyle=4");
    ASSERT_GE(penumbraStyle, 0);
    ASSERT_GT(umbraStyle, penumbraStyle);
    EXPECT_GE(IndexOf(f.page, "ForeColor=RGB(0,0,0)"), 0);
    EXPECT_GE(IndexOf(f.page, "FillColor=RGB(100,100,100)"), 0);
    const auto circles = CallsStartingWith(f.page, "Circle(");
    ASSERT_EQ(circles.size(), 2u);
    const auto penumbra = NumbersOf(circles[0]), umbra = NumbersOf(circles[1]);
    EXPECT_NEAR(penumbra[0], 105.5, 1e-3);
    EXPECT_NEAR(penumbra[1], 148.5, 1e-3);
    EXPECT_EQ(penumbra[2], 4);  // (0.95497 + 0.27) degrees
    EXPECT_EQ(umbra[2], 2);     // (0.95497 - 0.27) degrees
    EXPECT_GT(IndexOf(f.page, circles[0]), penumbraStyle);
    EXPECT_GT(IndexOf(f.page, circles[1]), umbraStyle);
    const auto label = WherePrinted(f.page, "지구 그림자");
    ASSERT_TRUE(label.found);
    EXPECT_NEAR(label.x, 107.5, 1e-3);
    EXPECT_NEAR(label.y, 147.5, 1e-3);
    EXPECT_EQ(calls.back(), "FillStyle=1");
}

TEST(PrintShadow, OffThePageOrTooSmallDrawsNothingAndLeavesTheFillTransparent) {
    BodyFixture f;
    f.settings.psystem = true;
    const PrintContext c = f.Ready();
    PlaceEntry(astro::kPlanetSun, 100, 30);  // antisolar point behind the viewer
    astro::Planets().PlanetTable[astro::kPlanetMoon].Delta = kMoonAt60EarthRadii_au;
    PrintMoonShadow(f.page, c, c.frames.DateToChart, true);
    EXPECT_TRUE(CallsStartingWith(f.page, "Circle(").empty());
    EXPECT_FALSE(WherePrinted(f.page, "지구 그림자").found);
    EXPECT_EQ(f.page.Calls().back(), "FillStyle=1");

    // On a 190-degree page the umbra rounds to 0 mm: only the penumbra.
    BodyFixture g;
    g.settings.psystem = true;
    g.print.fov_deg = 190;
    const PrintContext wide = g.Ready();
    PlaceEntry(astro::kPlanetSun, 280, -30);
    astro::Planets().PlanetTable[astro::kPlanetMoon].Delta = kMoonAt60EarthRadii_au;
    PrintMoonShadow(g.page, wide, wide.frames.DateToChart, true);
    const auto circles = CallsStartingWith(g.page, "Circle(");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(NumbersOf(circles[0])[2], 1);
    EXPECT_EQ(g.page.Calls().back(), "FillStyle=1");
}

TEST(PrintShadow, TopocentricShiftTakesTheSiderealTimeInHours) {
    BodyFixture f;
    f.settings.psystem = false;
    f.print.lst_h = 6;
    const PrintContext c = f.Ready();
    PlaceEntry(astro::kPlanetSun, 280, -30);
    astro::Planets().PlanetTable[astro::kPlanetMoon].Delta = kMoonAt60EarthRadii_au;
    PrintMoonShadow(f.page, c, c.frames.DateToChart, true);
    double ra = 100, dec = 30;
    astro::TopocentricCorrectAt(37.5, 6, ra, dec, kMoonAt60EarthRadii_au);
    const PagePoint expected = PageOf(c, ra, dec, c.frames.DateToChart);
    const auto circles = CallsStartingWith(f.page, "Circle(");
    ASSERT_FALSE(circles.empty());
    const auto at = NumbersOf(circles[0]);
    EXPECT_NEAR(at[0], expected.X, 1e-3);
    EXPECT_NEAR(at[1], expected.Y, 1e-3);
    // The shift itself is a good part of a degree (about 3 mm here).
    EXPECT_GT(std::hypot(at[0] - 105.5, at[1] - 148.5), 0.5);
}

// ---- Sun, Moon and planets -------------------------------------------------------

TEST(PrintPlanetsTest, DiscsColoursNamesAndStateAfterwards) {
    BodyFixture f;
    f.settings.vmlimit = 5.5;
    f.print.fov_deg = 190;
    const PrintContext c = f.Ready();
    auto& table = astro::Planets().PlanetTable;
    PlaceEntry(astro::kPlanetSun, 100, 30);
    table[astro::kPlanetSun].Diameter = 1920;
    PlaceEntry(astro::kPlanetMoon, 110, 30);
    table[astro::kPlanetMoon].Diameter = 1860;
    PlaceEntry(5, 90, 30);
    table[5].Mag = -2.5f;
    PlaceEntry(6, 100, 40);
    table[6].Mag = 6.0f;  // L + 0.5
    PrintPlanets(f.page, c, c.frames.DateToChart, true);

    struct Expect {
        int entry;
        const char* fill;
        double radius;
    };
    for (const Expect& e : {Expect{astro::kPlanetSun, "FillColor=RGB(255,255,0)", 1.5},
                            Expect{astro::kPlanetMoon, "FillColor=RGB(128,128,128)", 1.5},
                            Expect{5, "FillColor=RGB(180,255,0)", 1.8}, Expect{6, "FillColor=RGB(180,255,0)", 0.1}}) {
        const auto name = WherePrinted(f.page, table[e.entry].Name);
        ASSERT_TRUE(name.found) << e.entry;
        const long printed = IndexOf(f.page, "Print \"" + table[e.entry].Name + "\"");
        // The disc follows its name, in the fill set before the name.
        const std::string& disc = f.page.Calls()[static_cast<std::size_t>(printed) + 1];
        ASSERT_EQ(disc.rfind("Circle(", 0), 0u) << disc;
        const auto d = NumbersOf(disc);
        EXPECT_NEAR(name.x, d[0] + 2, 1e-4) << e.entry;
        EXPECT_NEAR(name.y, d[1] - 2, 1e-4) << e.entry;
        EXPECT_NEAR(d[2], e.radius, 1e-6) << e.entry;
        long fill = -1;
        for (long i = printed; i >= 0 && fill < 0; --i)
            if (f.page.Calls()[static_cast<std::size_t>(i)].rfind("FillColor=", 0) == 0) fill = i;
        ASSERT_GE(fill, 0);
        EXPECT_EQ(f.page.Calls()[static_cast<std::size_t>(fill)], e.fill) << e.entry;
    }
    const auto& calls = f.page.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 3], "FillColor=RGB(0,0,0)");
    EXPECT_EQ(calls[calls.size() - 2], "FillStyle=0");
    EXPECT_EQ(calls[calls.size() - 1], "DrawWidth=1");
}

TEST(PrintPlanetsTest, DiscCutByTheHorizonStillShows) {
    BodyFixture f;
    f.print.coord_sys = std::string(1, 'a');
    f.print.center_lon_deg = 180;
    f.print.center_lat_deg = 10;
    f.settings.underhorizon = 0;
    f.settings.Refraction = false;
    const PrintContext c = f.Ready();
    double ra, dec;
    astro::HorizontalToEquatorial(180, -0.2, f.print.lst_h, f.print.lat_deg, ra, dec);
    PlaceEntry(3, ra, dec);
    astro::HorizontalToEquatorial(175, -0.3, f.print.lst_h, f.print.lat_deg, ra, dec);
    PlaceEntry(4, ra, dec);
    PrintPlanets(f.page, c, c.frames.DateToChart, c.below);
    EXPECT_TRUE(WherePrinted(f.page, "P3").found);
    EXPECT_FALSE(WherePrinted(f.page, "P4").found);
}

// ---- Comets and asteroids -----------------------------------------------------------

astro::BodyPosition Body(const std::string& name, double ra, double dec, float mag) {
    astro::BodyPosition b;
    b.Name = name;
    b.Valid = true;
    b.RA = b.TopoRA = ra;
    b.Dec = b.TopoDec = dec;
    b.Mag = mag;
    return b;
}

TEST(PrintMinorBodiesTest, CometRingsTailAndLabel) {
    BodyFixture f;
    f.settings.vmlimit = 5.5;
    f.settings.cometlimit = 12;
    const PrintContext c = f.Ready();
    astro::BodyPosition comet = Body("C1", 100, 30, 5);
    comet.ComaSize = 600;
    comet.TailRA = 180;  // far off the page
    comet.TailDec = 30;
    astro::BodyPosition bare = Body("C2", 95, 25, 6);
    PrintBodyPositions(f.page, c, {comet, bare}, true, c.frames.DateToChart, true);

    const auto lines = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(lines.size(), 2u);
    const PagePoint tail = PageOf(c, 180, 30, c.frames.DateToChart);
    const auto l = NumbersOf(lines[0]);
    EXPECT_FALSE(IsOnPage(c.page, tail));
    EXPECT_NEAR(l[2], tail.X, 1e-3);
    EXPECT_NEAR(l[3], tail.Y, 1e-3);

    const double coma = 5 * 4000 * astro::TanD(600.0 / 28800) / c.page.PrintScale;
    const auto circles = CallsStartingWith(f.page, "Circle(");
    ASSERT_EQ(circles.size(), 3u);  // coma and ring of C1, ring only of C2
    EXPECT_NEAR(NumbersOf(circles[0])[2], coma, 1e-6);
    EXPECT_NEAR(NumbersOf(circles[1])[2], 0.3, 1e-6);  // (5.5 + 1 - 5) / 5
    EXPECT_NEAR(NumbersOf(circles[2])[2], 0.3, 1e-6);  // at least 0.3
    const auto c1 = WherePrinted(f.page, "C1");
    const auto head = NumbersOf(circles[0]);
    EXPECT_NEAR(c1.x, head[0] + 0.7 + coma, 1e-4);
    EXPECT_NEAR(c1.y, head[1] - 0.5, 1e-4);
    const auto c2 = WherePrinted(f.page, "C2");
    EXPECT_NEAR(c2.x, NumbersOf(circles[2])[0] + 1.0, 1e-4);  // 0.7 right of the 0.3 ring
}

TEST(PrintMinorBodiesTest, AsteroidDiamondAndSkips) {
    BodyFixture f;
    f.settings.asteroidlimit = 10;
    const PrintContext c = f.Ready();
    astro::BodyPosition invalid = Body("bad", 100, 30, 5);
    invalid.Valid = false;
    PrintBodyPositions(f.page, c,
                       {Body("A1", 100, 30, 9), invalid, Body("faint", 101, 30, 10.5f), Body("far", 280, -30, 5)},
                       false, c.frames.DateToChart, true);
    const auto lines = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(lines.size(), 4u);
    const auto circles = CallsStartingWith(f.page, "Circle(");
    ASSERT_EQ(circles.size(), 1u);
    const auto dot = NumbersOf(circles[0]);
    EXPECT_NEAR(dot[2], 0.3, 1e-9);
    const auto first = NumbersOf(lines[0]);  // (X - 1.5, Y) to (X, Y + 1.5)
    EXPECT_NEAR(first[0], dot[0] - 1.5, 1e-4);
    EXPECT_NEAR(first[3], dot[1] + 1.5, 1e-4);
    const auto a1 = WherePrinted(f.page, "A1");
    EXPECT_NEAR(a1.x, dot[0] + 2.2, 1e-4);
    EXPECT_NEAR(a1.y, dot[1] - 0.5, 1e-4);
    EXPECT_EQ(CallsStartingWith(f.page, "Print ").size(), 1u);
}

TEST(PrintMinorBodiesTest, NoElementsLeavesEverythingAlone) {
    BodyFixture f;
    const PrintContext c = f.Ready();
    astro::SmallBodies().Reset();
    PrintMinorBodies(f.page, c, true, c.frames.DateToChart, true);
    PrintMinorBodies(f.page, c, false, c.frames.DateToChart, true);
    astro::SmallBodies().AsteroidElementList.resize(1);
    astro::SmallBodies().AsteroidElementList[0].Name = "   ";
    PrintMinorBodies(f.page, c, false, c.frames.DateToChart, true);
    EXPECT_TRUE(f.page.Calls().empty());
    astro::SmallBodies().Reset();
}

// ---- Frames against the screen ----------------------------------------------------

// A printed bright star's dot and a printed planet's disc (and a track mark)
// stand apart by the screen projector's unrounded offset of the same two
// objects, scaled from an H-pixel-high screen to the 181 mm of the page.
TEST(PrintFrames, BodiesAndTracksWhereTheScreenPutsThem) {
    constexpr int kH = 700, kW = 900;
    const double dates[] = {astro::DateToJD(2024, 3, 20, 21, 0, 0), astro::DateToJD(1000, 3, 20, 21, 0, 0)};
    for (const double jd : dates) {
        for (const bool horizontal : {true, false}) {
            for (const bool precession : {true, false}) {
                SCOPED_TRACE(::testing::Message() << jd << " horizontal " << horizontal << " precession " << precession);
                PrintFixture f;
                f.print.jd_local = jd;
                f.print.lat_deg = 35.82;
                f.print.lst_h = 8.5;
                f.print.fov_deg = 90;
                f.print.coord_sys = std::string(1, horizontal ? 'a' : 'e');
                f.print.center_lon_deg = horizontal ? 180 : 130;
                f.print.center_lat_deg = horizontal ? 75 : 33;
                f.settings.calcprecession = precession;
                f.settings.underhorizon = 1;
                f.settings.viewstar = f.settings.viewplanet = f.settings.ViewPath = true;
                f.settings.vmlimit = 6;
                f.AddBrightStar(0, 127.5, 36, 1.0f);
                skydata::PathSettings paths;
                paths.Reference = 0;
                ChartSources sources = f.Sources();
                PathLists().PathVectors.clear();
                PathLists().PathMarks = {PathMark{140, 25, "t", 0, 0, 0}};
                const auto calcPlanets = [](double) {
                    ParkPlanets();
                    PlaceEntry(5, 135, 30);
                };
                f.page.ClearCalls();
                sources.calc_planets = calcPlanets;
                sources.path_settings = &paths;
                ASSERT_FALSE(PrintChartPage(f.page, f.print, sources));

                // Screen.
                ProjectionView pv;
                pv.center_lon_deg = f.print.center_lon_deg;
                pv.center_lat_deg = f.print.center_lat_deg;
                pv.fov_deg = f.print.fov_deg;
                pv.coord_sys = f.print.coord_sys;
                pv.refraction = false;
                const Projector proj = MakeProjector(kW, kH, pv);
                const FrameMatrices frames =
                    MakeFrameMatrices(f.print.coord_sys, 35.82, 8.5 * 15, jd, precession);
                const auto plane = [&](double ra, double dec, const astro::Matrix3& m, double& px, double& py) {
                    double x, y, z;
                    astro::SphericalToCartesian(ra, dec, x, y, z);
                    proj.ToChart(x, y, z, m);
                    proj.ToPlane(x, y, z, px, py);
                };
                double sx, sy, jx, jy, tx, ty;
                plane(127.5, 36, frames.CatalogToChart, sx, sy);
                plane(135, 30, frames.DateToChart, jx, jy);
                plane(140, 25, frames.EquatorToChart, tx, ty);
                const double k = 181.0 / kH;

                // Page: the star's dot has no colour of its own, the disc has
                // the planets' outline colour; the mark's upright stroke.
                std::vector<double> star, disc, mark;
                for (const std::string& call : f.page.Calls()) {
                    const auto n = NumbersOf(call);
                    if (call.rfind("Circle(", 0) == 0 && n[1] < 262) {
                        (call.find("RGB") == std::string::npos ? star : disc) = n;
                    }
                    if (call.rfind("Line(", 0) == 0 && mark.empty() && n[0] == n[2] && n[3] - n[1] == 4) mark = n;
                }
                ASSERT_EQ(star.size(), 3u);
                ASSERT_GE(disc.size(), 3u);
                ASSERT_GE(mark.size(), 4u);
                EXPECT_NEAR(disc[0] - star[0], (jx - sx) * k, 0.1);
                EXPECT_NEAR(disc[1] - star[1], (jy - sy) * k, 0.1);
                EXPECT_NEAR(mark[0] - star[0], (tx - sx) * k, 0.1);
                EXPECT_NEAR(mark[1] + 2 - star[1], (ty - sy) * k, 0.1);
            }
        }
    }
    PathLists() = PathListState{};
}

}  // namespace
}  // namespace chart
