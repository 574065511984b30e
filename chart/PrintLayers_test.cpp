// The printed page drawn on a recording page: set-up, limiting magnitude,
// layer order and state, legend, and the stars, grids, horizon and figures.
#include "chart/PrintLayers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "astro/JulianDay.h"
#include "chart/PrintTestSupport.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::IndexOf;
using testing::NumbersOf;
using testing::PrintFixture;
using testing::WherePrinted;

bool Printed(const platform::RecordingSurface& s, const std::string& text) { return WherePrinted(s, text).found; }

std::vector<std::vector<double>> Circles(const platform::RecordingSurface& s) {
    std::vector<std::vector<double>> out;
    for (const std::string& call : CallsStartingWith(s, "Circle(")) out.push_back(NumbersOf(call));
    return out;
}

// ---- Limiting magnitude, legend and frame ------------------------------

TEST(PrintDriver, LimitingMagnitude) {
    struct Case {
        bool autoMag;
        float autoLimit;
        double vmlimit;
        float magControl;
        float expected;
    };
    for (const Case& c : {Case{true, 2.1f, 5.5, 0.0f, 3.0f}, Case{true, 2.1f, 5.5, -1.0f, 2.0f},
                          Case{true, 6.2f, 5.5, 0.5f, 6.0f}, Case{true, 4.0f, 5.5, 0.0f, 4.0f},
                          Case{false, 2.1f, 12, 0.5f, 11.0f}, Case{false, 9.0f, 4.5, 0.0f, 4.5f}}) {
        skydata::SettingsSnapshot s;
        s.StarAutoMag = c.autoMag;
        s.vmlimit = c.vmlimit;
        s.MagControl = c.magControl;
        EXPECT_FLOAT_EQ(PrintLimitMagOf(s, c.autoLimit), c.expected) << c.autoLimit << " " << c.vmlimit;
    }
}

TEST(PrintDriver, MagnitudeScaleOfTheLegend) {
    struct Case {
        double limit;
        std::vector<double> xs;
    };
    for (const Case& c : {Case{6.5, {30.43, 35.86, 41.29, 46.71, 52.14, 57.57, 63.00}}, Case{1.2, {37.67, 50.33}}}) {
        PrintFixture f;
        f.settings.vmlimit = c.limit;
        ASSERT_FALSE(f.Print());
        const auto circles = Circles(f.page);
        ASSERT_EQ(circles.size(), c.xs.size()) << c.limit;
        for (std::size_t i = 0; i < circles.size(); ++i) {
            EXPECT_NEAR(circles[i][0], c.xs[i], 0.005);
            EXPECT_DOUBLE_EQ(circles[i][1], 267);
            EXPECT_NEAR(circles[i][2], (c.limit + 1 - static_cast<double>(i)) / 5, 1e-6);
        }
    }
}

TEST(PrintDriver, LegendTexts) {
    PrintFixture f;
    f.print.jd_local = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    f.print.lat_deg = 35.82;
    f.settings.lon = 128.46;
    f.settings.nobsname = "고령";
    f.print.center_lon_deg = 83.63;
    f.print.center_lat_deg = -5.5;
    ASSERT_FALSE(f.Print());
    for (const char* text : {"범례", "등급", "관측지 위도:  35.82도", "경도:  128.46도       고령",
                             "관측 시각:  2024년  3월  20일   21시  0분", "중심부 적경: 5시 34분 31초",
                             "적위: -5도 30분 0초", "시야: ", "60.0도 x 81.9도", "황도", "은하 적도"}) {
        EXPECT_TRUE(Printed(f.page, text)) << text;
    }
    const testing::PrintedAt title = WherePrinted(f.page, "zu");
    ASSERT_TRUE(title.found);
    EXPECT_EQ(title.x, 15);
    EXPECT_EQ(title.y, 15);
    const long titleAt = IndexOf(f.page, "Print \"zu\"");
    const long sizeAt = IndexOf(f.page, "Font=Tahoma,17");
    EXPECT_TRUE(sizeAt >= 0 && sizeAt < titleAt);
    EXPECT_EQ(FieldText(190), "190.0도 x 259.3도");
}

TEST(PrintDriver, AllSkyViewIsTheZenithOfTheHorizontalChart) {
    skydata::SettingsSnapshot s;
    s.ViewCoordSys = "e";
    s.ViewFOV = 20;
    const PrintView v = AllSkyPrintView(s, 3, "zu");
    EXPECT_EQ(v.title, "온하늘 zu-zu");
    EXPECT_EQ(v.coord_sys, "a");
    EXPECT_EQ(v.center_lon_deg, 180);
    EXPECT_EQ(v.center_lat_deg, 90);
    EXPECT_EQ(v.fov_deg, 190);
    EXPECT_EQ(v.screen_fov_deg, 20);
    EXPECT_EQ(s.ViewCoordSys, "e");
}

TEST(PrintDriver, LayersRunInTheirTableOrder) {
    const std::vector<std::string> expected = {
        "equatorial grid", "alt-az grid", "-", "cpolar", "mansion meridians", "-", "western names", "korean names",
        "old-map names", "-", "ecliptic", "-", "galactic equator", "-", "milky way", "boundaries", "-",
        "western lines", "korean lines", "old-map lines", "deep sky", "eastern star names", "western star names",
        "earth shadow", "planets", "-", "comets", "asteroids", "-", "stars", "user catalogue 1", "user catalogue 2",
        "-", "horizon", "user lines", "-", "tracks", "markers"};
    std::vector<std::string> names;
    for (const PrintLayerEntry& row : PrintLayers()) names.emplace_back(row.name);
    EXPECT_EQ(names, expected);
    // Rows printed by the next part of the printed chart carry their fonts
    // and state changes already.
    for (const PrintLayerEntry& row : PrintLayers()) {
        if (std::string(row.name) == "deep sky") {
            EXPECT_EQ(row.font_index, 9);
        }
    }
}

TEST(PrintDriver, LayerStateChangesReachTheLayersAfterThem) {
    PrintFixture f;
    f.settings.viewecl = true;
    f.settings.drawhorizon = true;
    ASSERT_FALSE(f.Print());
    // Ecliptic dotted at width 2, the horizon solid at width 1 in black.
    const long dotted = IndexOf(f.page, "DrawStyle=2");
    const long ecliptic = IndexOf(f.page, "ForeColor=" + platform::RgbText(ColourOf(f.styles.LineColorTable[3])));
    const long solid = IndexOf(f.page, "DrawStyle=0", ecliptic);
    const long compassFont = IndexOf(f.page, "Font=" + f.styles.GridFontTable[0].FontName + "," +
                                                 std::to_string(f.styles.GridFontTable[0].FontSize_pt));
    ASSERT_GE(dotted, 0);
    EXPECT_LT(dotted, ecliptic);
    EXPECT_LT(ecliptic, solid);
    EXPECT_LT(solid, compassFont);
    EXPECT_GE(IndexOf(f.page, "DrawWidth=2"), 0);
}

TEST(PrintDriver, WhiteMarginsComeAfterTheLastLayerAndBeforeTheFrame) {
    PrintFixture f;
    f.AllSky();
    f.settings.drawhorizon = true;
    ASSERT_FALSE(f.Print());
    const long lastName = IndexOf(f.page, "Print \"서북\"");
    const long margin = IndexOf(f.page, "Line(-100,-100)-(15,400),RGB(255,255,255),BF");
    const long frame = IndexOf(f.page, "Line(15,25)-(196,282),B");
    ASSERT_GE(lastName, 0);
    EXPECT_LT(lastName, margin);
    EXPECT_LT(margin, frame);
    EXPECT_GE(IndexOf(f.page, "Line(15,262)-(196,262)", frame), 0);
    EXPECT_TRUE(Printed(f.page, "zu"));
}

// ---- Colours on paper --------------------------------------------------

TEST(PaperInk, LuminanceAndContrastWithWhite) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(platform::Rgb(0, 0, 0)), 0);
    EXPECT_NEAR(RelativeLuminance(platform::Rgb(255, 255, 255)), 1, 1e-12);
    EXPECT_NEAR(RelativeLuminance(platform::Rgb(255, 0, 0)), 0.2126, 1e-12);
    EXPECT_NEAR(RelativeLuminance(platform::Rgb(128, 128, 128)), 0.2158605, 1e-6);
    EXPECT_NEAR(ContrastWithWhite(platform::Rgb(0, 0, 0)), 21, 1e-12);
    EXPECT_NEAR(ContrastWithWhite(platform::Rgb(255, 255, 0)), 1.07, 0.005);
    EXPECT_NEAR(ContrastWithWhite(platform::Rgb(200, 200, 200)), 1.67, 0.005);
}

TEST(PaperInk, LightColoursDarkenToTheLightestLegibleShadeOfTheirHue) {
    struct Case {
        platform::Colour in;
        bool kept;
    };
    const Case cases[] = {
        {platform::Rgb(0, 0, 0), true},       {platform::Rgb(255, 0, 0), true},       // 4.0:1
        {platform::Rgb(0, 0, 255), true},     {platform::Rgb(100, 100, 100), true},
        {platform::Rgb(200, 200, 200), false}, {platform::Rgb(255, 255, 255), false},  // star names, white
        {platform::Rgb(180, 180, 10), false}, {platform::Rgb(255, 255, 0), false},     // the ecliptic's colours
        {platform::Rgb(0, 255, 0), false},    {platform::Rgb(130, 160, 80), false},
        {platform::Rgb(1, 2, 255), true},     {platform::Rgb(250, 250, 250), false},
    };
    for (const Case& c : cases) {
        const platform::Colour out = PaperInk(c.in);
        const std::string what = platform::RgbText(c.in) + " -> " + platform::RgbText(out);
        EXPECT_GE(ContrastWithWhite(out), kPaperContrast) << what;
        EXPECT_EQ(PaperInk(out), out) << what << ": a legible colour stays";
        if (c.kept) {
            EXPECT_EQ(out, c.in) << what;
            continue;
        }
        // Every component scaled by one factor (to the rounding): the hue stays.
        const int top = std::max({platform::RedOf(c.in), platform::GreenOf(c.in), platform::BlueOf(c.in)});
        const double k = std::max({platform::RedOf(out), platform::GreenOf(out), platform::BlueOf(out)}) /
                         static_cast<double>(top);
        EXPECT_LT(k, 1) << what;
        EXPECT_NEAR(platform::RedOf(out), platform::RedOf(c.in) * k, 0.5) << what;
        EXPECT_NEAR(platform::GreenOf(out), platform::GreenOf(c.in) * k, 0.5) << what;
        EXPECT_NEAR(platform::BlueOf(out), platform::BlueOf(c.in) * k, 0.5) << what;
        // The lightest such shade: one step lighter is below 3:1 again.
        const double lighter = (top * k + 1) / top;
        const platform::Colour next = platform::Rgb(static_cast<int>(std::lround(platform::RedOf(c.in) * lighter)),
                                                    static_cast<int>(std::lround(platform::GreenOf(c.in) * lighter)),
                                                    static_cast<int>(std::lround(platform::BlueOf(c.in) * lighter)));
        EXPECT_LT(ContrastWithWhite(next), kPaperContrast) << what;
    }
    // Light grey names become mid grey, yellow olive.
    EXPECT_EQ(PaperInk(platform::Rgb(200, 200, 200)), platform::Rgb(148, 148, 148));
    EXPECT_EQ(PaperInk(platform::Rgb(255, 255, 0)), platform::Rgb(154, 154, 0));
}

// A page that keeps the colour of every text, line, outline and point it
// draws, and of the filled boxes apart.
class InkPage final : public platform::Surface {
public:
    std::vector<std::pair<std::string, platform::Colour>> inks;
    std::vector<platform::Colour> filled;

protected:
    double Width() const override { return 211; }
    double Height() const override { return 297; }
    void PaintAll(platform::Colour) override {}
    void DrawLine(double, double, double, double, platform::Colour c) override { inks.emplace_back("line", c); }
    void DrawBox(double, double, double, double, platform::Colour c, bool fill) override {
        if (fill) {
            filled.push_back(c);
        } else {
            inks.emplace_back("box", c);
        }
    }
    void DrawEllipse(double, double, double, double, platform::Colour c) override { inks.emplace_back("circle", c); }
    void DrawPoint(double, double, platform::Colour c) override { inks.emplace_back("point", c); }
    void DrawPolygon(const std::vector<platform::PointF>&) override { inks.emplace_back("polygon", ForeColor()); }
    void DrawText(double, double, const std::string& line) override { inks.emplace_back(line, ForeColor()); }
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override { return 2.0 * static_cast<double>(line.size()); }
    double LineHeight() const override { return 4; }
};

TEST(PaperInk, EveryTextAndLineOfThePageIsLegibleOnWhite) {
    PrintFixture f;
    f.AllSky();
    f.settings.viewequ = f.settings.viewalt = f.settings.cpolar = f.settings.viewecl = f.settings.viewgalequ = true;
    f.settings.drawhorizon = f.settings.viewstar = true;
    f.settings.underhorizon = 1;
    // Light colours everywhere a colour is chosen.
    for (auto& colour : f.styles.LineColorTable) colour = skydata::RgbColor(255, 255, 0);
    for (auto& style : f.styles.LayerStyle) style.Color = skydata::RgbColor(230, 230, 230);
    for (auto& style : f.styles.GridFontTable) style.Color = skydata::RgbColor(230, 230, 230);
    f.AddBrightStar(0, 10, 60, 2);
    InkPage page;
    page.SetForeColor(platform::Rgb(250, 250, 250));
    ASSERT_FALSE(PrintChartPage(page, f.print, f.Sources()));
    ASSERT_GT(page.inks.size(), 100u);
    for (const auto& [what, colour] : page.inks) {
        EXPECT_GE(ContrastWithWhite(colour), kPaperContrast) << what << " " << platform::RgbText(colour);
    }
    // The white margins are paint and stay white; the page leaves the
    // surface's own rule (none) behind.
    EXPECT_EQ(std::count(page.filled.begin(), page.filled.end(), platform::Rgb(255, 255, 255)), 4);
    EXPECT_EQ(page.GetInkRule(), nullptr);
    page.SetForeColor(platform::Rgb(250, 250, 250));
    EXPECT_EQ(page.ForeColor(), platform::Rgb(250, 250, 250));
}

TEST(PaperInk, LegendSamplesAreDrawnAsTheirLines) {
    PrintFixture f;
    f.settings.viewecl = f.settings.viewgalequ = true;
    // Where the ecliptic and the galactic equator both cross the page.
    f.print.center_lon_deg = 95;
    f.print.center_lat_deg = 10;
    f.print.fov_deg = 90;
    ASSERT_FALSE(f.Print());
    // The samples' colours and pens are those the circles are drawn with.
    const struct {
        const char* sample;
        platform::Colour colour;
        const char* style;
    } samples[] = {{"Line(25,275)-(41,275)", kPrintedEclipticColour, "DrawStyle=2"},
                   {"Line(25,278)-(41,278)", kPrintedGalacticColour, "DrawStyle=4"}};
    for (const auto& s : samples) {
        const std::string colour = "," + platform::RgbText(s.colour);
        const long sample = IndexOf(f.page, s.sample + colour);
        ASSERT_GE(sample, 0) << s.sample;
        // A segment of the circle itself, in the same colour, after the same
        // pen was set.
        long line = -1;
        for (long i = 0; i < sample && line < 0; ++i) {
            const std::string& call = f.page.Calls()[static_cast<std::size_t>(i)];
            if (call.rfind("Line(", 0) == 0 && call.size() > colour.size() &&
                call.compare(call.size() - colour.size(), colour.size(), colour) == 0)
                line = i;
        }
        ASSERT_GE(line, 0) << s.sample;
        const auto lastBefore = [&](long at, const std::string& prefix) {
            for (long i = at; i >= 0; --i) {
                const std::string& call = f.page.Calls()[static_cast<std::size_t>(i)];
                if (call.rfind(prefix, 0) == 0) return call;
            }
            return std::string();
        };
        EXPECT_EQ(lastBefore(line, "DrawStyle="), s.style) << s.sample;
        EXPECT_EQ(lastBefore(sample, "DrawStyle="), s.style) << s.sample;
        EXPECT_EQ(lastBefore(line, "DrawWidth="), lastBefore(sample, "DrawWidth=")) << s.sample;
    }
}

// A page that fails to draw star dots (circles under 1 unit) and keeps the
// texts it printed.
class FailingStarsPage final : public platform::Surface {
public:
    std::vector<std::string> texts;
    int lines = 0;

protected:
    double Width() const override { return 211; }
    double Height() const override { return 297; }
    void PaintAll(platform::Colour) override {}
    void DrawLine(double, double, double, double, platform::Colour) override { ++lines; }
    void DrawBox(double, double, double, double, platform::Colour, bool) override {}
    void DrawEllipse(double, double, double r, double, platform::Colour) override {
        if (r < 1) throw std::runtime_error("dot");
    }
    void DrawPoint(double, double, platform::Colour) override {}
    void DrawPolygon(const std::vector<platform::PointF>&) override {}
    void DrawText(double, double, const std::string& line) override { texts.push_back(line); }
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override { return 2.0 * static_cast<double>(line.size()); }
    double LineHeight() const override { return 4; }
};

TEST(PrintDriver, APartThatThrowsStopsAloneAndIsReported) {
    PrintFixture f;
    f.settings.viewstar = true;
    f.settings.drawhorizon = true;
    f.AddBrightStar(0, 100, 30, 6);
    f.AddBrightStar(0, 101, 30, 6);
    FailingStarsPage page;
    const auto error = PrintChartPage(page, f.print, f.Sources());
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "dot");
    // The layers after it, the frame, the title and the legend are printed.
    const auto has = [&](const std::string& t) { return std::find(page.texts.begin(), page.texts.end(), t) != page.texts.end(); };
    EXPECT_TRUE(has("zu"));
    EXPECT_TRUE(has("범례"));
    EXPECT_GT(page.lines, 0);

    // A failing set-up leaves the layers out but not the frame and legend.
    ChartSources sources = f.Sources();
    sources.calc_planets = [](double) { throw std::runtime_error("planets"); };
    f.page.ClearCalls();
    const auto setUp = PrintChartPage(f.page, f.print, sources);
    ASSERT_TRUE(setUp);
    EXPECT_EQ(*setUp, "planets");
    EXPECT_GE(IndexOf(f.page, "Line(15,25)-(196,282),B"), 0);
    EXPECT_TRUE(Printed(f.page, "zu"));
}

// A page whose lines fail.
class FailingLinesPage final : public platform::Surface {
protected:
    double Width() const override { return 211; }
    double Height() const override { return 297; }
    void PaintAll(platform::Colour) override {}
    void DrawLine(double, double, double, double, platform::Colour) override { throw std::runtime_error("line"); }
    void DrawBox(double, double, double, double, platform::Colour, bool) override {}
    void DrawEllipse(double, double, double, double, platform::Colour) override {}
    void DrawPoint(double, double, platform::Colour) override {}
    void DrawPolygon(const std::vector<platform::PointF>&) override {}
    void DrawText(double, double, const std::string&) override {}
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override { return 2.0 * static_cast<double>(line.size()); }
    double LineHeight() const override { return 4; }
};

TEST(PrintDriver, TheHorizonGivesRefractionBackWhenItFails) {
    PrintFixture f;
    f.AllSky();
    f.settings.drawhorizon = true;
    FailingLinesPage page;
    const auto error = PrintChartPage(page, f.print, f.Sources());
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "line");
    EXPECT_EQ(PrintPage().PrintRefractionOn, 1);
}

TEST(PrintDriver, PrintingLeavesTheScreenChartAlone) {
    PrintFixture f;
    f.settings.viewstar = true;
    f.AddBrightStar(0, 100, 30, 1);
    Chart().ChartLimitMag = 4.25;
    Chart().LastDrawFOV = 33;
    Chart().Projection.MapScale = 7;
    const std::size_t objects = Chart().ScreenObjects.size();
    ASSERT_FALSE(f.Print());
    EXPECT_EQ(Chart().ChartLimitMag, 4.25);
    EXPECT_EQ(Chart().LastDrawFOV, 33);
    EXPECT_EQ(Chart().Projection.MapScale, 7);
    EXPECT_EQ(Chart().ScreenObjects.size(), objects);
}

// ---- Stars ---------------------------------------------------------------

TEST(PrintStars, DotsFollowTheLimitingMagnitude) {
    PrintFixture f;
    f.settings.viewstar = true;
    f.settings.vmlimit = 6.5;
    f.AddBrightStar(0, 100, 30, 6.5f);
    f.AddBrightStar(0, 101, 31, 6.51f);
    f.AddBrightStar(0, 99, 29, 2.5f);
    ASSERT_FALSE(f.Print());
    std::vector<double> radii;
    for (const auto& c : Circles(f.page))
        if (c[1] != 267) radii.push_back(c[2]);
    ASSERT_EQ(radii.size(), 2u);
    EXPECT_NEAR(radii[0], 0.2, 1e-6);
    EXPECT_NEAR(radii[1], 1.0, 1e-6);
}

TEST(PrintStars, WithoutTheStarLayerNoStarIsPrinted) {
    PrintFixture f;
    f.settings.viewstar = false;
    f.settings.viewconstar = 1;
    f.AddBrightStar(0, 100, 30, 1);
    f.AddExtraStar(0, 100.5, 30, 5);
    ASSERT_FALSE(f.Print());
    for (const auto& c : Circles(f.page)) EXPECT_EQ(c[1], 267);
}

TEST(PrintStars, BrightStarLabelsKeepTheStoredWidths) {
    struct Case {
        bool sn, bayer, flam;
        std::string number, bayerText, flamsteed, expected;
    };
    for (const Case& c : {Case{true, true, false, "1", "α", " 58", "1 α"}, Case{true, true, false, "12", "α", "", "12α"},
                          Case{false, false, true, "12", "α", " 58", "58"},
                          Case{true, true, true, "3", "β2", " 19", "3 β2 19"}}) {
        PrintFixture f;
        f.settings.viewstar = true;
        f.settings.viewsn = c.sn;
        f.settings.viewbayer = c.bayer;
        f.settings.viewflam = c.flam;
        f.settings.viewbayerlimit = 3;
        f.AddBrightStar(0, 100, 30, 1);
        f.catalogs.BscStar[0][0].KorNumber = c.number;
        f.catalogs.BscStar[0][0].Bayer = c.bayerText;
        f.catalogs.BscStar[0][0].Flamsteed = c.flamsteed;
        ASSERT_FALSE(f.Print());
        EXPECT_TRUE(Printed(f.page, c.expected)) << c.expected;
    }
}

TEST(PrintStars, ExtendedStarsAreDottedAndLabelledByTheirChosenNumber) {
    for (int style : {0, 1, 2, 3}) {
        PrintFixture f;
        f.settings.viewstar = true;
        f.settings.viewconstar = 1;
        f.settings.S2kName = style;
        f.settings.ViewS2kLimit = 7;
        f.AddExtraStar(0, 100, 30, 6);
        skydata::S2kStarRecord star = f.catalogs.S2kStar[0].At(0);
        star.Id = "1234";
        star.HD = "5678";
        star.SAO = "91011";
        f.catalogs.S2kStar[0].Set(0, star);
        ASSERT_FALSE(f.Print());
        std::size_t dots = 0;
        for (const auto& c : Circles(f.page)) dots += c[1] != 267;
        EXPECT_EQ(dots, 1u) << style;
        const char* labels[] = {"1234", "HD5678", "SAO91011"};
        for (int k = 0; k < 3; ++k) EXPECT_EQ(Printed(f.page, labels[k]), k == style) << style;
    }
}

// ---- Figures and great circles -----------------------------------------

int LineCount(const platform::RecordingSurface& s) {
    int n = 0;
    for (const std::string& call : CallsStartingWith(s, "Line(")) n += call.find(",B") == std::string::npos;
    return n;
}

TEST(PrintFigures, BoundarySegmentsTakeTheShortWayInStepsOfAboutThreeDegrees) {
    PrintFixture f;
    f.print.center_lon_deg = 0;
    f.print.center_lat_deg = 0;
    ASSERT_FALSE(f.Print());
    const PrintContext c = f.Context();
    const astro::Matrix3& m = c.frames.CatalogToChart;
    struct Case {
        double lon1, lon2;
        int pieces;
    };
    for (const Case& k : {Case{359, 1, 1}, Case{1, 359, 1}, Case{10, 0, 3}, Case{0, 7.5, 2}}) {
        f.page.ClearCalls();
        PrintSkySegment(f.page, c, k.lon1, 5, k.lon2, 5, kRed, m, true);
        EXPECT_EQ(LineCount(f.page), k.pieces) << k.lon1 << "-" << k.lon2;
    }
    // RA 359 to 1 stays near RA 0: both ends close to the page centre.
    f.page.ClearCalls();
    PrintSkySegment(f.page, c, 359, 0, 1, 0, kRed, m, true);
    const auto n = NumbersOf(f.page.Calls().at(0));
    EXPECT_NEAR(std::fabs(n[0] - n[2]), 2 * 17.455 / PrintPage().PrintScale, 0.05);
}

TEST(PrintFigures, TheFirstBoundaryPointHasNoPredecessor) {
    PrintFixture f;
    f.print.center_lon_deg = 0;
    f.print.center_lat_deg = 0;
    ASSERT_FALSE(f.Print());
    const PrintContext c = f.Context();
    std::vector<skydata::BoundaryPointRecord> points(3);
    points[0] = {0, 0, 0, "", 1};
    points[1] = {0, 2, 0, "", 1};
    points[2] = {2, 2, 0, "", 1};
    f.page.ClearCalls();
    PrintBoundaries(f.page, c, points, kRed, c.frames.CatalogToChart, true);
    EXPECT_EQ(LineCount(f.page), 2);
    points[2].NewPolygon = 1;
    f.page.ClearCalls();
    PrintBoundaries(f.page, c, points, kRed, c.frames.CatalogToChart, true);
    EXPECT_EQ(LineCount(f.page), 1);
}

TEST(PrintFigures, PolylinesBreakAtStartBytesAndFiguresDropBelowTheHorizon) {
    PrintFixture f;
    f.print.coord_sys = std::string(1, 'a');
    f.print.center_lon_deg = 180;
    f.print.center_lat_deg = 20;
    ASSERT_FALSE(f.Print());
    PrintContext c = f.Context();
    ASSERT_FALSE(c.below);
    const auto v = [](double az, double alt) { return testing::VectorOf(az, alt); };
    std::vector<skydata::MilkyWayPointRecord> points;
    for (double az : {170.0, 175.0, 180.0, 185.0}) {
        const auto p = v(az, 20);
        points.push_back({p.x, p.y, p.z, 0, 0});
    }
    points[2].Flag = 1;
    f.page.ClearCalls();
    PrintPolyline(f.page, c, points, {kRed}, c.frames.HorizonToChart, false);
    EXPECT_EQ(LineCount(f.page), 2);

    skydata::ConstLineRecord up, down;
    const auto a = v(180, 10), b = v(185, 15), d = v(175, -2);
    up = {a.x, a.y, a.z, b.x, b.y, b.z, "", 1};
    down = {a.x, a.y, a.z, d.x, d.y, d.z, "", 1};
    f.page.ClearCalls();
    PrintConstLines(f.page, c, {up, down}, kGreen, c.frames.HorizonToChart, false, true);
    EXPECT_EQ(LineCount(f.page), 1);
    EXPECT_EQ(f.page.Calls().back(), "DrawWidth=1");
    f.page.ClearCalls();
    PrintConstLines(f.page, c, {up, down}, kGreen, c.frames.HorizonToChart, true, false);
    EXPECT_EQ(LineCount(f.page), 2);
}

TEST(PrintFigures, StarNamesEndLeftOfTheStarAndUnfoundStarsAreSkipped) {
    PrintFixture f;
    ASSERT_FALSE(f.Print());
    const PrintContext c = f.Context();
    skydata::StarNameEntry found, missing;
    const auto p = testing::VectorOf(100, 30);
    found.Name = "견우";
    found.Name2 = "Altair";
    found.x = p.x;
    found.y = p.y;
    found.z = p.z;
    found.Mag = 0.8f;
    missing.Name = "없음";
    missing.Name2 = "None";
    f.settings.viewnamelimit = 3;
    for (int language : {0, 1, 2}) {
        f.page.ClearCalls();
        PrintStarNames(f.page, c, {found, missing}, kBlue, c.frames.CatalogToChart, true, language);
        EXPECT_FALSE(Printed(f.page, "없음"));
        EXPECT_FALSE(Printed(f.page, "None"));
        const std::string upper = language == 1 ? "견우" : "Altair";
        const testing::PrintedAt at = WherePrinted(f.page, upper);
        ASSERT_TRUE(at.found);
        // The upper name ends 2 units left of the star (the page centre).
        EXPECT_NEAR(at.x + testing::kPageCharWidth * (language == 1 ? 2 : 6), 105.5 - 2, 1e-3) << language;
        EXPECT_NEAR(at.y, 148.5 - testing::kPageLineHeight / 2, 1e-3);
        if (language == 0) {
            const testing::PrintedAt lower = WherePrinted(f.page, "견우");
            EXPECT_NEAR(lower.x, at.x, 1e-9);
            EXPECT_NEAR(lower.y, 148.5 + testing::kPageLineHeight / 2 + 0.5, 1e-3);
        }
    }
}

// ---- Grids and horizon ---------------------------------------------------

TEST(PrintGrids, CompassNamesStandBelowTheHorizon) {
    PrintFixture f;
    f.AllSky();
    f.settings.drawhorizon = true;
    ASSERT_FALSE(f.Print());
    const double h = testing::kPageLineHeight / 2;
    const testing::PrintedAt north = WherePrinted(f.page, "북");
    const testing::PrintedAt east = WherePrinted(f.page, "동");
    ASSERT_TRUE(north.found && east.found);
    EXPECT_NEAR(north.x + testing::kPageCharWidth / 2, 105.5, 0.01);
    EXPECT_NEAR(north.y, 60.86 - h, 0.01);
    EXPECT_NEAR(east.x + testing::kPageCharWidth / 2, 17.86, 0.01);
    EXPECT_NEAR(east.y, 148.5 - h, 0.01);

    PrintFixture g;
    g.print.coord_sys = std::string(1, 'a');
    g.print.center_lon_deg = 0;
    g.print.center_lat_deg = 0;
    g.settings.drawhorizon = true;
    ASSERT_FALSE(g.Print());
    const testing::PrintedAt n60 = WherePrinted(g.page, "북");
    ASSERT_TRUE(n60.found);
    EXPECT_NEAR(n60.y + h, 148.5 + 2000 * std::tan(0.5 * astro::kPi / 180) / PrintPage().PrintScale, 0.01);
}

TEST(PrintGrids, TheHorizonIsNeverRefracted) {
    PrintFixture f;
    f.AllSky();
    f.settings.drawhorizon = true;
    f.settings.Refraction = true;
    astro::BuildRefractionTable(15, 1013);
    ASSERT_FALSE(f.Print());
    EXPECT_EQ(PrintPage().PrintRefractionOn, 1);
    for (const std::string& call : CallsStartingWith(f.page, "Line(")) {
        if (call.find(",B") != std::string::npos || call.find("RGB(0,0,0)") == std::string::npos) continue;
        const auto n = NumbersOf(call);
        EXPECT_NEAR(std::hypot(n[2] - 105.5, n[3] - 148.5), 82.93, 0.01) << call;
    }
}

TEST(PrintGrids, MeridiansThinOutNearThePoleInNarrowScreenFields) {
    PrintFixture f;
    f.print.center_lon_deg = 40;
    f.print.center_lat_deg = 61;
    f.print.fov_deg = 120;
    ASSERT_FALSE(f.Print());
    GridRange range{0, 80.01, 60, 62.01};
    std::map<double, int> lines;
    for (double fov : {1.5, 10.0, 30.0}) {
        f.print.screen_fov_deg = fov;
        const PrintContext c = f.Context();
        f.page.ClearCalls();
        PrintGridLines(f.page, c, 10, range, c.frames.EquatorToChart, true, false);
        lines[fov] = LineCount(f.page);
    }
    // 40 parallel pieces plus one piece per meridian: 9, 5 or 2 meridians.
    EXPECT_EQ(lines[30.0], 40 + 9);
    EXPECT_EQ(lines[10.0], 40 + 5);
    EXPECT_EQ(lines[1.5], 40 + 2);
}

TEST(PrintGrids, HorizonLabelsOfTheAltAzGridOnlyWhenDrawingBelow) {
    PrintFixture f;
    f.print.coord_sys = std::string(1, 'a');
    f.print.center_lon_deg = 180;
    f.print.center_lat_deg = 10;
    ASSERT_FALSE(f.Print());
    GridRange range{150, 210.01, 0, 0.01};
    std::size_t printed[2];
    for (bool below : {false, true}) {
        const PrintContext c = f.Context();
        f.page.ClearCalls();
        PrintGridLines(f.page, c, 10, range, c.frames.HorizonToChart, below, true);
        printed[below] = CallsStartingWith(f.page, "Print").size();
    }
    EXPECT_EQ(printed[0], 0u);
    EXPECT_GT(printed[1], 0u);
}

TEST(PrintGrids, MansionMeridiansAtThePolesAreEmpty) {
    PrintFixture f;
    ASSERT_FALSE(f.Print());
    const PrintContext c = f.Context();
    for (double lat : {90.0, -90.0}) {
        f.page.ClearCalls();
        PrintMansionMeridians(f.page, c, lat, c.frames.EquatorToChart, true);
        EXPECT_TRUE(f.page.Calls().empty()) << lat;
    }
    f.page.ClearCalls();
    PrintMansionMeridians(f.page, c, 37.5, c.frames.EquatorToChart, true);
    EXPECT_GT(LineCount(f.page), 0);
}

}  // namespace
}  // namespace chart
