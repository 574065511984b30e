// Printed user catalogues, map points and user lines on a recording page.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "chart/PrintTestSupport.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::IndexOf;
using testing::NumbersOf;
using testing::PrintFixture;
using testing::WherePrinted;

constexpr double kJ2000 = 2451545.0;

// The default equatorial page (centre RA 100, Dec 30, field 60) set up.
struct UserFixture : PrintFixture {
    PrintContext Ready() {
        EXPECT_FALSE(Print());
        page.ClearCalls();
        return Context();
    }
};

PagePoint PageOf(const PrintContext& c, double ra, double dec, const astro::Matrix3& m) {
    double x, y, z;
    astro::SphericalToCartesian(ra, dec, x, y, z);
    ToPrintChart(c, x, y, z, m);
    return ToPage(c.page, x, y, z);
}

skydata::CustomCatShape Shape(std::uint8_t kind, double ra, double dec, float size, const std::string& name,
                              std::int32_t colour = skydata::RgbColor(0, 255, 0)) {
    skydata::CustomCatShape s;
    s.RA = ra;
    s.Dec = dec;
    s.Size = size;
    s.Color = colour;
    s.Name = name;
    s.Shape = kind;
    return s;
}

TEST(PrintUserShapes, LabelsWhereTheSymbolLeavesThePenAndScreenSize) {
    UserFixture f;
    const PrintContext c = f.Ready();
    PrintCatShapes(f.page, c,
                   {Shape(3, 100, 30, 60, "square"), Shape(5, 95, 30, 60, "plus"), Shape(1, 105, 30, 60, "circle"),
                    Shape(0, 100, 35, 60, "point")},
                   c.frames.CatalogToChart, true);
    // A shape of 60 arcminutes spans 60 arcminutes on the page as on the
    // screen: its radius is the page distance of half a degree.
    const PagePoint centre = PageOf(c, 100, 30, c.frames.CatalogToChart);
    const PagePoint edge = PageOf(c, 100, 30.5, c.frames.CatalogToChart);
    const double r = std::hypot(edge.X - centre.X, edge.Y - centre.Y);
    const auto box = NumbersOf(CallsStartingWith(f.page, "Line(")[0]);
    EXPECT_NEAR((box[2] - box[0]) / 2, r, 0.01 * r);
    struct Expect {
        const char* name;
        double ra, dec, dy;
    };
    for (const Expect& e : {Expect{"square", 100, 30, r}, Expect{"plus", 95, 30, 0}, Expect{"circle", 105, 30, 0},
                            Expect{"point", 100, 35, 0}}) {
        const PagePoint p = PageOf(c, e.ra, e.dec, c.frames.CatalogToChart);
        const auto at = WherePrinted(f.page, e.name);
        ASSERT_TRUE(at.found) << e.name;
        EXPECT_NEAR(at.x, p.X + r + 1, 0.01 * r) << e.name;
        EXPECT_NEAR(at.y, p.Y + e.dy, 0.01 * r) << e.name;
    }
    EXPECT_EQ(CallsStartingWith(f.page, "PSet(").size(), 1u);
    EXPECT_EQ(f.page.Calls().back(), "FillStyle=1");
}

TEST(PrintUserShapes, MarkersInUseOnlyAndACircleAfterAFilledOneIsAnOutline) {
    UserFixture f;
    const PrintContext c = f.Ready();
    std::vector<skydata::MapPoint> points(1);  // the empty list: one unused element
    PrintMarkers(f.page, c, points, c.frames.CatalogToChart, true);
    EXPECT_TRUE(f.page.Calls().empty());

    skydata::AddMapPoint(points, 100, 30, 2, 60, "filled", skydata::RgbColor(255, 0, 0));
    skydata::AddMapPoint(points, 101, 30, 1, 60, "hidden", skydata::RgbColor(255, 0, 0));
    skydata::AddMapPoint(points, 102, 30, 1, 60, "open", skydata::RgbColor(255, 0, 0));
    points[1].Flag = "n";
    PrintMarkers(f.page, c, points, c.frames.CatalogToChart, true);
    EXPECT_TRUE(WherePrinted(f.page, "filled").found);
    EXPECT_FALSE(WherePrinted(f.page, "hidden").found);
    const auto circles = CallsStartingWith(f.page, "Circle(");
    ASSERT_EQ(circles.size(), 2u);
    const long filled = IndexOf(f.page, circles[0]), open = IndexOf(f.page, circles[1]);
    EXPECT_EQ(f.page.Calls()[static_cast<std::size_t>(filled - 2)], "FillStyle=0");
    const long transparent = IndexOf(f.page, "FillStyle=1", filled);
    ASSERT_GE(transparent, 0);
    EXPECT_LT(transparent, open);
}

TEST(PrintUserStars, ProperMotionOverThirtySixYears) {
    for (const double jd : {kJ2000, kJ2000 + 36 * 365.25}) {
        UserFixture f;
        f.settings.calcpropermotion = true;
        f.print.jd_local = jd;
        const PrintContext c = f.Ready();
        skydata::CustomCatStar star;
        star.RA = 100;
        star.Dec = 30;
        star.Mag = 2;
        star.PmDec = 1;
        star.Name = "S";
        PrintCatStars(f.page, c, kJ2000, {star}, c.frames.CatalogToChart, true);
        const double dec = jd == kJ2000 ? 30 : 30.01;
        const PagePoint p = PageOf(c, 100, dec, c.frames.CatalogToChart);
        const auto dots = CallsStartingWith(f.page, "Circle(");
        ASSERT_EQ(dots.size(), 1u);
        const auto d = NumbersOf(dots[0]);
        EXPECT_NEAR(d[0], p.X, 1e-4);
        EXPECT_NEAR(d[1], p.Y, 1e-4);
        const auto label = WherePrinted(f.page, "S");
        EXPECT_NEAR(label.x, p.X + 6, 1e-4);
        EXPECT_NEAR(label.y, p.Y - 4, 1e-4);
        EXPECT_LT(IndexOf(f.page, "Print \"S\""), IndexOf(f.page, dots[0]));
    }
}

TEST(PrintUserCatalogue, HorizontalCatalogueAndTheFontLeftSet) {
    UserFixture f;
    const PrintContext c = f.Ready();
    // Azimuth and altitude of RA 95, Dec 28 for the page's site and time.
    double az, alt;
    astro::EquatorialToHorizontal(95, 28, f.print.lst_h, f.print.lat_deg, az, alt);
    skydata::CustomCatalog cat;
    cat.Coordinate = "a";
    cat.Shapes[0] = {Shape(1, az, alt, 30, "shape")};
    skydata::CustomCatStar star;
    star.RA = 100;
    star.Dec = 30;
    star.Mag = 1;
    star.Name = "star";
    cat.Stars = {star};
    skydata::CustomCatNst nst;
    nst.RA = 100;
    nst.Dec = 30;
    nst.Mag = 1;
    nst.Name = "nst";
    cat.Nonstellar = {nst};
    cat.Lines[0] = {skydata::CustomCatLine{az, alt, az + 1, alt + 1, skydata::RgbColor(0, 0, 255)}};
    cat.Texts = {skydata::CustomCatText{az, alt, "one\r\ntwo", skydata::RgbColor(255, 255, 0)}};
    cat.Count[0] = 1;
    cat.Count[skydata::kCatStar] = cat.Count[skydata::kCatNonstellar] = cat.Count[skydata::kCatLine] = 1;
    cat.Count[skydata::kCatText] = 1;
    f.settings.viewbayerlimit = 6;
    f.settings.vmnonstellar = 10;
    PrintCustomCatalog(f.page, c, cat, c.frames.HorizonToChart, c.frames.CatalogToChart, 60, true);

    const PagePoint horizontal = PageOf(c, az, alt, c.frames.HorizonToChart);
    const PagePoint equatorial = PageOf(c, 100, 30, c.frames.CatalogToChart);
    const PagePoint wrongShape = PageOf(c, az, alt, c.frames.CatalogToChart);
    const PagePoint wrongStar = PageOf(c, 100, 30, c.frames.HorizonToChart);
    ASSERT_GT(std::hypot(horizontal.X - wrongShape.X, horizontal.Y - wrongShape.Y), 5);
    ASSERT_GT(std::hypot(equatorial.X - wrongStar.X, equatorial.Y - wrongStar.Y), 5);
    EXPECT_NEAR(WherePrinted(f.page, "one").x, horizontal.X, 1e-3);
    EXPECT_NEAR(WherePrinted(f.page, "one").y, horizontal.Y, 1e-3);
    EXPECT_NEAR(WherePrinted(f.page, "two").x, horizontal.X, 1e-3);
    EXPECT_NEAR(WherePrinted(f.page, "two").y, horizontal.Y + f.page.TextHeight("0") + 1, 1e-3);
    EXPECT_NEAR(WherePrinted(f.page, "star").x, equatorial.X + 6, 1e-3);
    EXPECT_NEAR(WherePrinted(f.page, "nst").x, equatorial.X + 2.3, 1e-3);
    EXPECT_NEAR(WherePrinted(f.page, "nst").y, equatorial.Y - 1, 1e-3);
    const auto shapeRing = NumbersOf(CallsStartingWith(f.page, "Circle(")[0]);
    EXPECT_NEAR(shapeRing[0], horizontal.X, 1e-3);
    EXPECT_NEAR(shapeRing[1], horizontal.Y, 1e-3);
    bool lineFromHorizontal = false;
    for (const auto& l : CallsStartingWith(f.page, "Line(")) {
        const auto n = NumbersOf(l);
        if (std::fabs(n[0] - horizontal.X) < 1e-3 && std::fabs(n[1] - horizontal.Y) < 1e-3) lineFromHorizontal = true;
    }
    EXPECT_TRUE(lineFromHorizontal);
    const auto fonts = CallsStartingWith(f.page, "Font=");
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts.back(), "Font=굴림,9");
}

TEST(PrintUserCatalogue, NonstellarSymbols) {
    for (const std::uint8_t type : {0, 1, 2, 3, 4, 5}) {
        UserFixture f;
        f.settings.vmnonstellar = 10;
        const PrintContext c = f.Ready();
        skydata::CustomCatNst o;
        o.RA = 100;
        o.Dec = 30;
        o.Mag = 5;
        o.Size = 30;  // radius 30' -> 4000 tan(0.00218) / 5.92 = 1.47 -> 1 mm
        o.Type = type;
        o.Name = "N";
        PrintCatNonstellar(f.page, c, {o}, c.frames.CatalogToChart, true);
        const auto circles = CallsStartingWith(f.page, "Circle(");
        const auto lines = CallsStartingWith(f.page, "Line(");
        SCOPED_TRACE(static_cast<int>(type));
        switch (type) {
            case 1:
                ASSERT_EQ(lines.size(), 1u);
                EXPECT_NE(lines[0].find("RGB(0,255,0),B"), std::string::npos);
                break;
            case 2:
                ASSERT_EQ(circles.size(), 1u);
                EXPECT_EQ(lines.size(), 2u);
                EXPECT_NE(circles[0].find("RGB(255,0,0)"), std::string::npos);
                break;
            case 3:
                ASSERT_EQ(circles.size(), 1u);
                EXPECT_GE(IndexOf(f.page, "DrawStyle=2"), 0);
                break;
            case 4:
                ASSERT_EQ(circles.size(), 1u);
                EXPECT_EQ(circles[0].substr(circles[0].size() - 4), ",0.4");
                EXPECT_NE(circles[0].find("RGB(0,0,255)"), std::string::npos);
                break;
            default: {  // 0 and 5: the red diagonal cross of 2 mm
                ASSERT_EQ(lines.size(), 2u);
                EXPECT_TRUE(circles.empty());
                const auto a = NumbersOf(lines[0]);
                EXPECT_NEAR(a[2] - a[0], 2, 1e-9);
                EXPECT_NEAR(a[3] - a[1], 2, 1e-9);
                EXPECT_NE(lines[0].find("RGB(255,0,0)"), std::string::npos);
                break;
            }
        }
        EXPECT_EQ(f.page.Calls().back(), "FillStyle=0");
    }
}

TEST(PrintUserCatalogue, SlotsPrintOnlyWhenSwitchedOnAndLoaded) {
    for (int mask = 0; mask < 16; ++mask) {
        UserFixture f;
        f.settings.drawcuscat0 = mask & 1;
        f.settings.usercatfile0is = mask & 2;
        f.settings.drawcuscat1 = mask & 4;
        f.settings.usercatfile1is = mask & 8;
        std::array<skydata::CustomCatalog, 2> cats;
        cats[0].Shapes[0] = {Shape(1, 100, 30, 30, "one")};
        cats[1].Shapes[0] = {Shape(1, 100, 30, 30, "two")};
        cats[0].Count[0] = cats[1].Count[0] = 1;
        ChartSources s = f.Sources();
        s.user_catalogs = &cats;
        ASSERT_FALSE(PrintChartPage(f.page, f.print, s));
        EXPECT_EQ(WherePrinted(f.page, "one").found, (mask & 3) == 3) << mask;
        EXPECT_EQ(WherePrinted(f.page, "two").found, (mask & 12) == 12) << mask;
    }
}

// Records no reader lets through (built here directly): a long line whose
// end lies 1e12 degrees away prints nothing, one folded from 1e5 is walked
// over the 170 degrees it spans, and symbols of any size are cut to the page.
TEST(PrintUserCatalogue, HugeNumbersPrintBoundedWhateverTheRecordHolds) {
    UserFixture f;
    const PrintContext c = f.Ready();
    PrintCatLongLines(f.page, c, {{90, 30, 1e12, 30, 0}, {90, 30, 1e300, -1e300, 0}, {90, std::nan(""), 110, 30, 0}},
                      c.frames.CatalogToChart, true);
    EXPECT_TRUE(f.page.Calls().empty());
    PrintCatLongLines(f.page, c, {{90, 30, 1e5, 30, 0}}, c.frames.CatalogToChart, true);
    const std::size_t pieces = CallsStartingWith(f.page, "Line(").size();
    EXPECT_GT(pieces, 0u);
    EXPECT_LE(pieces, 57u);

    f.page.ClearCalls();
    const float huge = std::numeric_limits<float>::max();
    std::vector<skydata::CustomCatShape> shapes;
    for (std::uint8_t kind = 1; kind <= 5; ++kind) shapes.push_back(Shape(kind, 100, 30, huge, "big"));
    PrintCatShapes(f.page, c, shapes, c.frames.CatalogToChart, true);
    skydata::CustomCatStar star;
    star.RA = 100;
    star.Dec = 30;
    star.Mag = -huge;
    PrintCatStars(f.page, c, kJ2000, {star}, c.frames.CatalogToChart, true);
    skydata::CustomCatNst nst;
    nst.RA = 100;
    nst.Dec = 30;
    nst.Mag = -1;
    nst.Size = huge;
    nst.Type = 3;
    PrintCatNonstellar(f.page, c, {nst}, c.frames.CatalogToChart, true);
    const double limit = 211 + 297;
    const auto circles = CallsStartingWith(f.page, "Circle(");
    EXPECT_EQ(circles.size(), 4u);  // circle, disc, star, open cluster
    for (const std::string& circle : circles) EXPECT_LE(std::fabs(NumbersOf(circle)[2]), limit) << circle;
    for (const std::string& line : CallsStartingWith(f.page, "Line(")) {
        const auto n = NumbersOf(line);
        EXPECT_LE(std::fabs(n[2] - n[0]), 2 * limit) << line;
        EXPECT_LE(std::fabs(n[3] - n[1]), 2 * limit) << line;
    }
}

TEST(PrintUserLinesTest, PlaceholderNothingRealLinesByTheHorizon) {
    UserFixture f;
    f.print.coord_sys = std::string(1, 'a');
    f.print.center_lon_deg = 180;
    f.print.center_lat_deg = 20;
    f.settings.underhorizon = 0;
    const PrintContext c = f.Ready();
    std::vector<skydata::DrawnLine> lines(1);
    PrintUserLines(f.page, c, lines, c.frames.CatalogToChart, false);
    PrintUserLines(f.page, c, lines, c.frames.CatalogToChart, true);
    EXPECT_TRUE(f.page.Calls().empty());

    // Both ends up, and one end below, on the page of the southern sky.
    double ra1, dec1, ra2, dec2, ra3, dec3;
    astro::HorizontalToEquatorial(180, 20, f.print.lst_h, f.print.lat_deg, ra1, dec1);
    astro::HorizontalToEquatorial(185, 25, f.print.lst_h, f.print.lat_deg, ra2, dec2);
    astro::HorizontalToEquatorial(175, -5, f.print.lst_h, f.print.lat_deg, ra3, dec3);
    skydata::AddDrawnLine(lines, ra1, dec1, ra2, dec2, skydata::RgbColor(255, 0, 255), "up");
    skydata::AddDrawnLine(lines, ra1, dec1, ra3, dec3, skydata::RgbColor(0, 255, 255), "down");
    PrintUserLines(f.page, c, lines, c.frames.CatalogToChart, false);
    auto drawn = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_NE(drawn[0].find("RGB(255,0,255)"), std::string::npos);
    f.page.ClearCalls();
    PrintUserLines(f.page, c, lines, c.frames.CatalogToChart, true);
    drawn = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_NE(drawn[1].find("RGB(0,255,255)"), std::string::npos);
}

}  // namespace
}  // namespace chart
