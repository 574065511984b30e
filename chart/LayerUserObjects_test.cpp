#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/Coordinates.h"
#include "chart/LineAndObjectLayerTestSupport.h"

namespace chart {
namespace {

using namespace testing;

skydata::CustomCatShape Shape(double ra, double dec, std::uint8_t shape, float size = 60, const char* name = "S") {
    skydata::CustomCatShape s;
    s.RA = ra;
    s.Dec = dec;
    s.Shape = shape;
    s.Size = size;
    s.Name = name;
    s.Color = skydata::RgbColor(250, 0, 0);
    return s;
}

struct CatalogueFixture : Fixture2 {
    CatalogueFixture() {
        settings.drawcuscat1 = settings.usercatfile1is = true;
        settings.drawcuscat0 = settings.usercatfile0is = false;
    }
    skydata::CustomCatalog& Second() { return userCatalogs[1]; }
    void Recount() {
        skydata::CustomCatalog& c = Second();
        for (int k = 0; k < 5; ++k) c.Count[k] = static_cast<std::int32_t>(c.Shapes[k].size());
        c.Count[skydata::kCatStar] = static_cast<std::int32_t>(c.Stars.size());
        c.Count[skydata::kCatNonstellar] = static_cast<std::int32_t>(c.Nonstellar.size());
        c.Count[skydata::kCatLine] = static_cast<std::int32_t>(c.Lines[0].size());
        c.Count[skydata::kCatLongLine] = static_cast<std::int32_t>(c.Lines[1].size());
        c.Count[skydata::kCatText] = static_cast<std::int32_t>(c.Texts.size());
    }
};

TEST(UserCatalogueTest, KeysCarryTheSlotKindAndFourDigitIndex) {
    CatalogueFixture f;
    for (int i = 0; i < 8; ++i) f.Second().Shapes[2].push_back(Shape(96 + i, 30, 3));
    f.Second().Shapes[0].push_back(Shape(100, 33, 1));
    skydata::CustomCatStar star;
    star.RA = 100;
    star.Dec = 27;
    star.Mag = 2;
    f.Second().Stars = {star};
    skydata::CustomCatNst nst;
    nst.RA = 102;
    nst.Dec = 27;
    nst.Mag = 5;
    nst.Type = 4;
    f.Second().Nonstellar = {nst};
    f.Recount();
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    const std::vector<std::string> keys = f.Keys();
    ASSERT_EQ(keys.size(), 11u);
    EXPECT_EQ(keys[0], "(UC2_S1:0000)");
    EXPECT_EQ(keys[8], "(UC2_S3:0007)");
    EXPECT_EQ(keys[9], "(UC2_St:0000)");
    EXPECT_EQ(keys[10], "(UC2_Nb:0000)");
    // The galaxy of a user catalogue is an ellipse with aspect 0.4.
    EXPECT_NE(ChartCallsStartingWith(surface, "Circle").back().find(",RGB(0,0,255),0.4"), std::string::npos);
}

TEST(UserCatalogueTest, ShapesAndWhereTheirNamesGo) {
    CatalogueFixture f;
    for (std::uint8_t kind = 1; kind <= 6; ++kind) f.Second().Shapes[0].push_back(Shape(100, 30, kind, 60));
    f.Recount();
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    const double r = 4000 * astro::TanD(60 * 0.00208334) / Chart().Projection.MapScale;
    const std::vector<PrintedAt> names = PrintPositions(surface);
    ASSERT_EQ(names.size(), 6u);
    // Circle, filled circle, cross and no symbol: the centre row; boxes: the
    // lower edge, where the box leaves the pen.
    const double rows[] = {150, 150, 150 + r, 150 + r, 150, 150};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(names[i].x, 200 + r + 2, 1e-4) << i;
        EXPECT_NEAR(names[i].y, rows[i], 1e-4) << i;
    }
    const std::vector<LoggedLine> lines = Lines(surface);
    ASSERT_EQ(lines.size(), 4u);  // box, filled box, two arms of the cross
    EXPECT_EQ(lines[0].box, "B");
    EXPECT_EQ(lines[1].box, "BF");
    EXPECT_EQ(Circles(surface).size(), 2u);
}

TEST(UserCatalogueTest, ThreeLineTextAddsThreeEntries) {
    CatalogueFixture f;
    skydata::CustomCatText text;
    text.RA = 100;
    text.Dec = 30;
    text.Text = "one\r\ntwo\r\nthree";
    f.Second().Texts = {text};
    f.Recount();
    platform::RecordingSurface surface(401, 301);
    f.Draw2(surface);
    EXPECT_EQ(f.Keys(), (std::vector<std::string>(3, "(UC2_Ch:0000)")));
    const std::vector<PrintedAt> lines = PrintPositions(surface);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].text, "three");
    EXPECT_EQ(lines[2].x, 200);
    EXPECT_EQ(lines[2].y, 150 + 2 * 14);  // line height 12 + 2
}

TEST(UserCatalogueTest, HorizontalCatalogueShapesStayWhileItsStarsMove) {
    CatalogueFixture f;
    f.view.coord_sys = "a";
    f.view.center_lon_deg = 180;
    f.view.center_lat_deg = 40;
    f.view.fov_deg = 90;
    f.Second().Coordinate = "a";
    f.Second().Shapes[0].push_back(Shape(180, 40, 1));
    skydata::CustomCatStar star;
    double ra, dec;
    astro::HorizontalToEquatorial(180, 40, 0, f.view.lat_deg, ra, dec);
    star.RA = ra;
    star.Dec = dec;
    star.Mag = 1;
    f.Second().Stars = {star};
    f.Recount();
    std::vector<ScreenObject> first, second;
    for (const double lst : {0.0, 0.5}) {
        f.view.lst_h = lst;
        platform::RecordingSurface surface(400, 300);
        f.Draw2(surface);
        (lst == 0 ? first : second) = Chart().ScreenObjects;
    }
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(first[0].X, second[0].X);  // the shape
    EXPECT_EQ(first[0].Y, second[0].Y);
    EXPECT_GT(std::abs(first[1].X - second[1].X), 10);  // the star, 7.5 degrees on
}

TEST(UserCatalogueTest, ProperMotionOnlyWithItsSwitch) {
    CatalogueFixture f;
    f.view.jd_local = astro::kJ2000 + 10 * 365.25;
    f.Second().Epoch = astro::kJ2000;
    skydata::CustomCatStar star;
    star.RA = 99;
    star.Dec = 30;
    star.Mag = 1;
    star.PmRA = 360;  // 0.1 degree a year: one degree in ten years
    f.Second().Stars = {star};
    f.Recount();
    platform::RecordingSurface surface(400, 300);
    f.settings.calcpropermotion = false;
    f.Draw2(surface);
    const ScreenObject still = Chart().ScreenObjects[0];
    f.settings.calcpropermotion = true;
    f.Draw2(surface);
    const ScreenObject moved = Chart().ScreenObjects[0];
    // One degree of RA at Dec 30: about 0.87 degree on the sky, to the east (left).
    const double perDegree = 2000 * astro::TanD(0.5) / Chart().Projection.MapScale;
    EXPECT_NEAR(still.X - moved.X, 0.866 * perDegree, 1.5);
}

TEST(UserCatalogueTest, StarLabelsAndFaintStars) {
    CatalogueFixture f;
    f.settings.viewbayerlimit = 3;
    skydata::CustomCatStar bright, faint, dim;
    bright.RA = 100, bright.Dec = 30, bright.Mag = 2, bright.Name = " Alpha ";
    dim.RA = 101, dim.Dec = 30, dim.Mag = 4, dim.Name = "Beta";      // beyond the label limit
    faint.RA = 102, faint.Dec = 30, faint.Mag = 6, faint.Name = "G";  // beyond the chart limit 5.5
    f.Second().Stars = {bright, dim, faint};
    f.Recount();
    for (const bool spot : {false, true}) {
        f.settings.spotstar = spot;
        platform::RecordingSurface surface(401, 301);
        f.Draw2(surface);
        EXPECT_EQ(f.Keys(), (std::vector<std::string>{"(UC2_St:0000)", "(UC2_St:0001)"}));
        const std::vector<PrintedAt> labels = PrintPositions(surface);
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].text, "Alpha");
        // Disc radius floor(5.5 + 1 - 2) = 4, or the glyph: 2 pixels right of the centre.
        EXPECT_EQ(labels[0].x, spot ? 202 : 206);
        EXPECT_EQ(labels[0].y, 150 - 6);
    }
}

TEST(UserCatalogueTest, NonstellarSymbolsAndTheAutomaticLimit) {
    CatalogueFixture f;
    const std::uint8_t types[] = {1, 2, 3, 5, 0};
    for (int i = 0; i < 5; ++i) {
        skydata::CustomCatNst o;
        o.RA = 96 + 2 * i;
        o.Dec = 30;
        o.Mag = 6.8f;
        o.Size = 0;
        o.Type = types[i];
        f.Second().Nonstellar.push_back(o);
    }
    f.Recount();
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(f.Keys().size(), 5u);
    const auto lines = Lines(surface);
    EXPECT_EQ(lines.size(), 1u + 2 + 2);  // box, cluster cross, small diagonal cross
    EXPECT_EQ(lines.back().colour, Rgb(255, 0, 0));
    EXPECT_EQ(std::fabs(lines.back().x2 - lines.back().x1), 6);
    // With the automatic limit of 5.5 the layer's limit drops to 6.5.
    f.settings.StarAutoMag = true;
    f.Draw2(surface);
    EXPECT_TRUE(f.Keys().empty());
    EXPECT_FLOAT_EQ(f.settings.vmnonstellar, 8);
}

TEST(UserCatalogueTest, LongLinesAndSegments) {
    CatalogueFixture f;
    skydata::CustomCatLine line{90, 30, 110, 30, skydata::RgbColor(0, 0, 7)};
    f.Second().Lines[0] = {line};
    f.Second().Lines[1] = {line};
    f.Recount();
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    std::size_t straight = 0, pieces = 0;
    for (const LoggedLine& l : Lines(surface)) {
        EXPECT_EQ(l.colour, Rgb(0, 0, 7));
        (std::fabs(l.x2 - l.x1) > 40 ? straight : pieces) += 1;
    }
    EXPECT_EQ(straight, 1u);
    EXPECT_EQ(pieces, 7u);  // 20 degrees in pieces of about 3
}

// Records no reader lets through (built here directly): a long line whose
// end lies 1e12 degrees away draws nothing, one folded from 1e5 walks the
// 80 degrees it spans, and symbols of any size are cut to the surface.
TEST(UserCatalogueTest, HugeNumbersDrawBoundedWhateverTheRecordHolds) {
    CatalogueFixture f;
    const std::int32_t colour = skydata::RgbColor(0, 0, 7);
    f.Second().Lines[1] = {{90, 30, 1e12, 30, colour}, {90, 30, 1e300, 1e300, colour},
                           {90, 30, std::nan(""), 30, colour}};
    f.Recount();
    platform::RecordingSurface unusable(400, 300);
    f.Draw2(unusable);
    EXPECT_TRUE(Lines(unusable).empty());

    f.Second().Lines[1] = {{90, 30, 1e5, 30, colour}};  // 1e5 folds to 280: 170 degrees the short way
    f.Recount();
    platform::RecordingSurface folded(400, 300);
    f.Draw2(folded);
    EXPECT_GT(Lines(folded).size(), 0u);
    EXPECT_LE(Lines(folded).size(), 57u);

    const float huge = std::numeric_limits<float>::max();
    f.Second().Lines[1].clear();
    for (std::uint8_t kind = 1; kind <= 5; ++kind) f.Second().Shapes[kind - 1] = {Shape(100, 30, kind, huge)};
    skydata::CustomCatStar star;
    star.RA = 100;
    star.Dec = 30;
    star.Mag = -huge;
    f.Second().Stars = {star};
    skydata::CustomCatNst nst;
    nst.RA = 100;
    nst.Dec = 30;
    nst.Mag = 1;
    nst.Size = huge;
    nst.Type = 3;
    f.Second().Nonstellar = {nst};
    f.Recount();
    f.settings.vmnonstellar = 10;
    platform::RecordingSurface symbols(400, 300);
    f.Draw2(symbols);
    const double limit = 400 + 300;
    const std::vector<LoggedCircle> circles = Circles(symbols);
    EXPECT_GE(circles.size(), 3u);  // circle, disc, open cluster (and the star's dot)
    for (const LoggedCircle& c : circles) EXPECT_LE(std::fabs(c.r), limit) << c.rest;
    const std::vector<LoggedLine> lines = Lines(symbols);
    EXPECT_GE(lines.size(), 4u);  // box, filled box, the cross's two arms
    for (const LoggedLine& l : lines) {
        EXPECT_LE(std::fabs(l.x2 - l.x1), 2 * limit);
        EXPECT_LE(std::fabs(l.y2 - l.y1), 2 * limit);
    }
}

TEST(UserCatalogueTest, LongLineWalkHasAFixedCap) {
    const Projector p = MakeProjector(400, 300, [] {
        ProjectionView v;
        v.coord_sys = std::string(1, 'e');
        v.fov_deg = 60;
        return v;
    }());
    const astro::Matrix3 identity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    for (const double end : {1e12, -1e12, 1e300}) {
        platform::RecordingSurface surface(400, 300);
        DrawLongLine(surface, p, 0, 0, end, end, platform::Rgb(1, 2, 3), identity, true, 400, 300);
        EXPECT_LE(CallsStartingWith(surface, "Line(").size(), static_cast<std::size_t>(kMaxSkyPathPieces)) << end;
    }
}

TEST(MapPointsTest, OnlyPointsInUseAndNeverKeyed) {
    Fixture2 f;
    f.showMapPoints = true;
    skydata::MapPoint in, upper, empty;
    in.RA = 100, in.Dec = 30, in.Size = 60, in.Kind = 1, in.Flag = "y", in.Name = "here";
    upper = in;
    upper.Flag = "Y";
    upper.Name = "upper";
    f.mapPoints = {in, upper, empty};
    platform::RecordingSurface surface(400, 300);
    f.Draw2(surface);
    EXPECT_EQ(Circles(surface).size(), 1u);
    EXPECT_EQ(Printed(surface), std::vector<std::string>{"here"});
    EXPECT_TRUE(f.Keys().empty());
}

}  // namespace
}  // namespace chart
