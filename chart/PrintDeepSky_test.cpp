// Printed deep-sky objects on a recording page: selection, symbol sizes,
// the symbol and colour of each type, galaxy ellipses and labels.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/Coordinates.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/PrintTestSupport.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::IndexOf;
using testing::NumbersOf;
using testing::PrintFixture;
using testing::WherePrinted;

skydata::DeepSkyObjectRecord Dso(const std::string& type, double ra, double dec, float mag, float size1,
                                 const std::string& id1 = "X", float size2 = 0, std::int16_t pa = 0) {
    skydata::DeepSkyObjectRecord o;
    o.ID1 = id1;
    o.Type = type;
    o.RA_deg = static_cast<float>(ra);
    o.Dec_deg = static_cast<float>(dec);
    o.Mag = mag;
    o.Size1_arcmin = size1;
    o.Size2_arcmin = size2;
    o.PA_deg = pa;
    astro::SphericalToCartesian(o.RA_deg, o.Dec_deg, o.x, o.y, o.z);
    return o;
}

// The default equatorial page (centre RA 100, Dec 30, field 60) set up, and
// its context; L = 6 unless a test sets another.
struct DsoFixture : PrintFixture {
    PrintContext Ready(float limit = 6) {
        EXPECT_FALSE(Print());
        page.ClearCalls();
        PrintPage().PrintLimitMag = limit;
        return Context();
    }
    void Run(const PrintContext& c, const std::vector<skydata::DeepSkyObjectRecord>& objects) {
        PrintDeepSky(page, c, objects, c.frames.CatalogToChart, true, print.fov_deg);
    }
};

TEST(PrintDeepSkyTest, MagnitudeOrSizeSelection) {
    DsoFixture f;
    f.settings.StarAutoMag = true;
    f.settings.vmnonstellar = 12;
    const PrintContext c = f.Ready(6);
    f.Run(c, {Dso("GC", 100, 30, 7.5f, 5, "faint"), Dso("GC", 101, 30, 7.0f, 5, "bright"),
              Dso("GC", 99, 30, 14, 400, "wide")});
    EXPECT_FALSE(WherePrinted(f.page, "faint").found);
    EXPECT_TRUE(WherePrinted(f.page, "bright").found);
    EXPECT_TRUE(WherePrinted(f.page, "wide").found);
    EXPECT_EQ(f.page.Calls().back(), "FillStyle=0");
}

TEST(PrintDeepSkyTest, SymbolRadiiAndLabelPlace) {
    struct Case {
        std::string type;
        float size1;
        std::vector<double> radii;
    };
    for (const Case& k : {Case{"GC", 0, {1}}, Case{"GC", 120, {3}}, Case{"PN", 0, {1, 0.4}}}) {
        DsoFixture f;
        const PrintContext c = f.Ready();
        f.Run(c, {Dso(k.type, 100, 30, 1, k.size1, "M1")});
        const auto circles = CallsStartingWith(f.page, "Circle(");
        ASSERT_EQ(circles.size(), k.radii.size()) << k.type << k.size1;
        for (std::size_t i = 0; i < circles.size(); ++i) EXPECT_NEAR(NumbersOf(circles[i])[2], k.radii[i], 1e-9);
        const auto label = WherePrinted(f.page, "M1");
        const auto at = NumbersOf(circles[0]);
        EXPECT_NEAR(label.x, at[0] + k.radii[0] + 0.5, 1e-4);
        EXPECT_NEAR(label.y, at[1] - 2, 1e-4);
    }
}

TEST(PrintDeepSkyTest, EachTypeItsSymbolColourAndLineStyle) {
    struct Case {
        std::string type;
        std::string shapeCall;  // start of the symbol's first call
        std::string colour;     // "" for the fore colour
        bool dotted;
        std::size_t calls;      // circles, lines and boxes of the symbol
    };
    const std::string red = "RGB(255,0,0)", green = "RGB(0,255,0)", blue = "RGB(0,0,255)", grey = "RGB(100,100,100)";
    for (const Case& k : {Case{"GC", "Circle(", red, false, 3}, Case{"GX", "Line(", "", false, 24},
                          Case{"OC", "Circle(", blue, true, 1}, Case{"DN", "Line(", green, false, 1},
                          Case{"PN", "Circle(", green, false, 2}, Case{"CN", "Line(", blue, true, 1},
                          Case{"DK", "Line(", grey, false, 1}, Case{"CG", "Circle(", grey, true, 1},
                          Case{"AS", "Line(", blue, false, 2}, Case{"??", "", "", false, 0}}) {
        DsoFixture f;
        const PrintContext c = f.Ready();
        f.Run(c, {Dso(k.type, 100, 30, 1, 60, "L", 60)});
        std::vector<std::string> shapes = CallsStartingWith(f.page, "Circle(");
        for (const auto& l : CallsStartingWith(f.page, "Line(")) shapes.push_back(l);
        ASSERT_EQ(shapes.size(), k.calls) << k.type;
        EXPECT_TRUE(WherePrinted(f.page, "L").found) << k.type;  // also without a symbol
        if (k.calls == 0) continue;
        EXPECT_EQ(shapes[0].rfind(k.shapeCall, 0), 0u) << k.type;
        for (const auto& s : shapes) {
            if (k.colour.empty()) {
                EXPECT_EQ(s.find("RGB"), std::string::npos) << k.type;
            } else {
                EXPECT_NE(s.find("," + k.colour), std::string::npos) << k.type << " " << s;
            }
        }
        const bool isBox = k.type == "DN" || k.type == "CN" || k.type == "DK";
        EXPECT_EQ(shapes[0].find(",B") != std::string::npos, isBox) << k.type;
        const long dot = IndexOf(f.page, "DrawStyle=2");
        EXPECT_EQ(dot >= 0, k.dotted) << k.type;
        if (k.dotted) {
            EXPECT_LT(dot, IndexOf(f.page, shapes[0]));
            EXPECT_GT(IndexOf(f.page, "DrawStyle=0", dot), IndexOf(f.page, shapes[0]));
        }
    }
}

TEST(PrintDeepSkyTest, GalaxyEllipses) {
    // Size2 = Size1: 25 points on a circle of the symbol radius.
    DsoFixture f;
    const PrintContext c = f.Ready();
    f.Run(c, {Dso("GX", 100, 30, 1, 120, "G", 120, 35)});
    const auto lines = CallsStartingWith(f.page, "Line(");
    ASSERT_EQ(lines.size(), 24u);
    for (const auto& l : lines) {
        const auto n = NumbersOf(l);
        EXPECT_NEAR(std::hypot(n[2] - 105.5, n[3] - 148.5), 3, 1e-3);
    }
    // Position angle 0 at the centre of an equatorial page: north is up and
    // the major axis vertical, point 6 straight below the centre.
    EXPECT_NEAR(PageNorthAngle(c.page, 100, 30, 60, c.frames.CatalogToChart), 90, 1e-9);
    DsoFixture g;
    const PrintContext c2 = g.Ready();
    g.Run(c2, {Dso("GX", 100, 30, 1, 120, "G", 60, 0)});
    const auto toSix = NumbersOf(CallsStartingWith(g.page, "Line(")[5]);
    EXPECT_NEAR(toSix[2], 105.5, 1e-3);
    EXPECT_NEAR(toSix[3], 148.5 + 3, 1e-3);

    // Size2 0: axis ratio 0.5; points keep their fractions.
    PageEllipse e;
    BuildEllipsePoints(3, 120, 0, 50.25f, 60.5f, 0, e);
    EXPECT_NEAR(e[0].X, 50.25 + 1.5, 1e-5);
    EXPECT_NEAR(e[0].Y, 60.5, 1e-5);
    EXPECT_NEAR(e[6].Y, 63.5, 1e-5);
    EXPECT_NEAR(e[24].X, e[0].X, 1e-5);
    // The screen's ellipse is the same one rounded.
    EllipsePolygon screen;
    BuildEllipsePolygon(30, 120, 0, 500, 600, 20, screen);
    BuildEllipsePoints(30, 120, 0, 500, 600, 20, e);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(screen[i].x, std::nearbyint(e[i].X));
        EXPECT_EQ(screen[i].y, std::nearbyint(e[i].Y));
    }
}

TEST(PrintDeepSkyTest, LabelsByChoice) {
    struct Case {
        int choice;
        std::string name1, id2, expected;
    };
    for (const Case& k : {Case{0, "A;B", "N2", "M9"}, Case{1, "", "N2", "N2"}, Case{1, "", " ", "M9"},
                          Case{2, "A;B", "", "A"}, Case{2, "", "", "M9"}, Case{3, "A", "N2", ""}}) {
        DsoFixture f;
        f.settings.DSONAME = static_cast<std::int16_t>(k.choice);
        const PrintContext c = f.Ready();
        auto o = Dso("GC", 100, 30, 1, 10, "M9");
        o.Name1 = k.name1;
        o.ID2 = k.id2;
        f.Run(c, {o});
        const auto printed = CallsStartingWith(f.page, "Print ");
        if (k.expected.empty()) {
            EXPECT_TRUE(printed.empty()) << k.choice;
        } else {
            ASSERT_EQ(printed.size(), 1u) << k.choice;
            EXPECT_EQ(printed[0], "Print \"" + k.expected + "\"") << k.choice;
        }
    }
}

}  // namespace
}  // namespace chart
